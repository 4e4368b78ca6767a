#include "platform/gdi/detail/FontEngine.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <hb.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <functional>

namespace gdi {

namespace {

constexpr size_t kMaxCachedLayouts = 4096;       // per font
constexpr size_t kMaxCachedLayoutsTotal = 16384;  // over all fonts
constexpr size_t kMaxCachedFonts = 512;

PangoContext* g_context = nullptr;
std::unordered_map<std::string, std::unique_ptr<RealFont>>* g_fonts = nullptr;
unsigned g_fontGeneration = 1;
size_t g_layoutCount = 0;


// Frees every font, layout and the font map at exit. Fontconfig's own caches stay: other users
// (cairo's font cache, the toolkit) may still hold them, and freeing them under those users
// aborts; the leak checker is told about them instead.
void ReleaseFonts()
{
    delete g_fonts;
    g_fonts = nullptr;
    ++g_fontGeneration;
    if (g_context) {
        g_object_unref(g_context);
        g_context = nullptr;
    }
}

std::unordered_map<std::string, std::unique_ptr<RealFont>>& Fonts()
{
    if (!g_fonts)
        g_fonts = new std::unordered_map<std::string, std::unique_ptr<RealFont>>();
    return *g_fonts;
}

PangoContext* Context()
{
    if (g_context)
        return g_context;
    g_context = [] {
        PangoFontMap* map = pango_cairo_font_map_new();
        PangoContext* c = pango_font_map_create_context(map);
        g_object_unref(map);  // the context keeps it
        cairo_font_options_t* opts = cairo_font_options_create();
        cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(c, opts);
        cairo_font_options_destroy(opts);
        pango_context_set_round_glyph_positions(c, FALSE);
        std::atexit(&ReleaseFonts);
        return c;
    }();
    return g_context;
}

std::wstring Lower(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t c : s)
        out += wchar_t(std::towlower(wint_t(c)));
    // trim
    size_t a = out.find_first_not_of(L' '), b = out.find_last_not_of(L' ');
    return a == std::wstring::npos ? std::wstring() : out.substr(a, b - a + 1);
}

bool IsChineseFace(const std::wstring& f)
{
    for (wchar_t c : f)
        if (c >= 0x2E80)
            return true;  // CJK face names such as 宋体, 新宋体, 黑体, 微软雅黑
    static const wchar_t* kNames[] = {L"simsun", L"nsimsun", L"ms song", L"simhei", L"microsoft yahei",
                                      L"kaiti", L"fangsong", L"mingliu", L"pmingliu", L"ms hei",
                                      L"microsoft jhenghei", L"wenquanyi zen hei"};
    for (const wchar_t* n : kNames)
        if (f == n)
            return true;
    return false;
}

// Design metrics from the font's OS/2 and hhea tables, in font units.
struct DesignMetrics {
    double upem = 2048;
    double winAscent = 1854;
    double winDescent = 434;
    double avgWidth = 904;
    double maxAdvance = 2000;
    double lineGap = 67;
    double hheaAscent = 1854;
    double hheaDescent = 434;
};

int BE16(const char* p, unsigned off, unsigned len, bool isSigned)
{
    if (off + 2 > len)
        return 0;
    unsigned v = (unsigned(static_cast<unsigned char>(p[off])) << 8) | static_cast<unsigned char>(p[off + 1]);
    return isSigned ? int(static_cast<std::int16_t>(v)) : int(v);
}

const DesignMetrics& MetricsFor(const std::string& family, int weight, bool italic)
{
    static std::unordered_map<std::string, DesignMetrics> cache;
    std::string key = family + "|" + std::to_string(weight) + (italic ? "i" : "");
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    DesignMetrics m;
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_weight(d, PangoWeight(weight));
    pango_font_description_set_style(d, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d, 100 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(pango_context_get_font_map(Context()), Context(), d);
    if (font) {
        hb_font_t* hb = pango_font_get_hb_font(font);
        hb_face_t* face = hb ? hb_font_get_face(hb) : nullptr;
        if (face) {
            m.upem = hb_face_get_upem(face);
            hb_blob_t* os2 = hb_face_reference_table(face, HB_TAG('O', 'S', '/', '2'));
            unsigned len = 0;
            const char* p = hb_blob_get_data(os2, &len);
            if (p && len >= 78) {
                m.avgWidth = BE16(p, 2, len, true);
                m.winAscent = BE16(p, 74, len, false);
                m.winDescent = BE16(p, 76, len, false);
            }
            hb_blob_destroy(os2);
            hb_blob_t* hhea = hb_face_reference_table(face, HB_TAG('h', 'h', 'e', 'a'));
            p = hb_blob_get_data(hhea, &len);
            if (p && len >= 12) {
                m.hheaAscent = BE16(p, 4, len, true);
                m.hheaDescent = -BE16(p, 6, len, true);
                m.lineGap = BE16(p, 8, len, true);
                m.maxAdvance = BE16(p, 10, len, false);
            }
            hb_blob_destroy(hhea);
            // GDI's average width is the classic letter-frequency weighted average of the
            // lower-case letters and the space, which also keeps metric-compatible faces alike
            static const struct {
                char c;
                int weight;
            } kWeights[] = {{'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20}, {'g', 14},
                            {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20}, {'n', 56},
                            {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71}, {'u', 31},
                            {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166}};
            hb_font_t* unscaled = hb_font_create(face);  // advances in font units
            double sum = 0;
            bool complete = true;
            for (const auto& w : kWeights) {
                hb_codepoint_t glyph = 0;
                if (!hb_font_get_nominal_glyph(unscaled, hb_codepoint_t(w.c), &glyph)) {
                    complete = false;
                    break;
                }
                sum += double(w.weight) * hb_font_get_glyph_h_advance(unscaled, glyph);
            }
            hb_font_destroy(unscaled);
            if (complete && sum > 0)
                m.avgWidth = sum / 1000.0;
        }
        g_object_unref(font);
    }
    pango_font_description_free(d);
    if (m.upem <= 0 || m.winAscent + m.winDescent <= 0 || m.avgWidth <= 0)
        m = DesignMetrics{};
    return cache.emplace(key, m).first->second;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The close, minimise, arrow and check glyphs of the Windows symbol face, as Unicode.
char32_t SymbolGlyph(wchar_t c)
{
    switch (c) {
    case L'r': return U'\u00D7';
    case L'0': return U'_';
    case L'1': return U'\u25A1';
    case L'3': return U'\u25C0';
    case L'4': return U'\u25B6';
    case L'5': return U'\u25B2';
    case L'6': return U'\u25BC';
    case L'a': return U'\u2713';
    default: return char32_t(c);
    }
}

}  // namespace

std::string MapFaceName(const std::wstring& faceIn, BYTE pitchAndFamily)
{
    std::wstring f = Lower(faceIn);
    const char* cjk = "WenQuanYi Zen Hei";
    if (IsChineseFace(f))
        return std::string(cjk) + ",Liberation Sans";
    bool fixed = (pitchAndFamily & 0x03) == FIXED_PITCH;
    int family = pitchAndFamily & 0xF0;
    std::string primary;
    if (f == L"courier new" || f == L"courier" || f == L"fixedsys" || f == L"terminal" || f == L"lucida console" ||
        f == L"consolas" || f == L"liberation mono" || fixed || (f.empty() && family == FF_MODERN))
        primary = "Liberation Mono";
    else if (f == L"times new roman" || f == L"times" || f == L"ms serif" || f == L"liberation serif" ||
             (f.empty() && family == FF_ROMAN))
        primary = "Liberation Serif";
    else
        primary = "Liberation Sans";
    return primary + "," + cjk;
}

RealFont::RealFont(const LOGFONTW& lf, double scaleX, double scaleY)
{
    std::wstring face(lf.lfFaceName, std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, L'\0'));
    m_symbolMap = Lower(face) == L"marlett";
    family = MapFaceName(face, lf.lfPitchAndFamily);
    std::string primary = family.substr(0, family.find(','));
    weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
    italic = lf.lfItalic != 0;
    underline = lf.lfUnderline != 0;
    strikeOut = lf.lfStrikeOut != 0;
    fixedPitch = primary == "Liberation Mono";
    escapement = lf.lfEscapement;
    const DesignMetrics& dm = MetricsFor(primary, weight, italic);
    double cellRatio = (dm.winAscent + dm.winDescent) / dm.upem;
    double sy = std::fabs(scaleY), sx = std::fabs(scaleX);
    double em;
    if (lf.lfHeight < 0)
        em = -double(lf.lfHeight) * sy;
    else if (lf.lfHeight > 0)
        em = double(lf.lfHeight) * sy / cellRatio;
    else
        em = 16.0 * sy / cellRatio;
    em = std::clamp(em, 0.5, 4000.0);
    ascent = int(std::lround(dm.winAscent / dm.upem * em));
    if (lf.lfHeight > 0) {
        height = std::max(1, int(std::lround(double(lf.lfHeight) * sy)));
        descent = std::max(0, height - ascent);
    } else {
        descent = int(std::lround(dm.winDescent / dm.upem * em));
        height = ascent + descent;
    }
    internalLeading = std::max(0, height - int(std::lround(em)));
    double gap = dm.lineGap - ((dm.winAscent + dm.winDescent) - (dm.hheaAscent + dm.hheaDescent));
    externalLeading = std::max(0, int(std::lround(gap / dm.upem * em)));
    double naturalAvg = dm.avgWidth / dm.upem * em;
    if (lf.lfWidth != 0) {
        double want = std::fabs(double(lf.lfWidth)) * sx;
        m_sx = std::clamp(want / naturalAvg, 0.01, 100.0);
    } else {
        m_sx = 1.0;
    }
    aveCharWidth = std::max(1, int(std::lround(naturalAvg * m_sx)));
    maxCharWidth = std::max(aveCharWidth, int(std::lround(dm.maxAdvance / dm.upem * em * m_sx)));
    if (fixedPitch)
        maxCharWidth = aveCharWidth;

    m_desc = pango_font_description_new();
    pango_font_description_set_family(m_desc, family.c_str());
    pango_font_description_set_weight(m_desc, PangoWeight(weight));
    pango_font_description_set_style(m_desc, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(m_desc, em * PANGO_SCALE);
}

RealFont::~RealFont()
{
    ClearLayouts();
    pango_font_description_free(m_desc);
}

void RealFont::ClearLayouts() const
{
    for (auto& kv : m_cache)
        g_object_unref(kv.second.layout);
    g_layoutCount -= std::min(g_layoutCount, m_cache.size());
    m_cache.clear();
    m_lastKey = nullptr;
    m_lastEntry = nullptr;
}

RealFont::Entry& RealFont::Layout(const std::wstring& text, int mnemonic) const
{
    // Most texts have no mnemonic: they are looked up as they stand, without a copy.
    if (mnemonic < 0) {
        if (m_lastEntry && *m_lastKey == text)
            return *m_lastEntry;
        auto it = m_cache.find(text);
        if (it != m_cache.end()) {
            m_lastKey = &it->first;
            m_lastEntry = &it->second;
            return it->second;
        }
    }
    std::wstring key = text;
    if (mnemonic >= 0)
        key += L'\x01' + std::to_wstring(mnemonic);
    auto it = m_cache.find(key);
    if (it != m_cache.end())
        return it->second;
    if (m_cache.size() >= kMaxCachedLayouts)
        ClearLayouts();
    if (g_layoutCount >= kMaxCachedLayoutsTotal && g_fonts)
        for (auto& kv : *g_fonts)
            kv.second->ClearLayouts();
    std::string utf8;
    int mnemonicStart = -1, mnemonicEnd = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c < 0x20 || c == 0x7F)
            continue;  // control characters are not drawn
        char32_t u = m_symbolMap ? SymbolGlyph(c) : char32_t(c);
        if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF))
            u = 0xFFFD;
        if (int(i) == mnemonic)
            mnemonicStart = int(utf8.size());
        AppendUtf8(utf8, u);
        if (int(i) == mnemonic)
            mnemonicEnd = int(utf8.size());
    }
    Entry e;
    e.layout = pango_layout_new(Context());
    pango_layout_set_font_description(e.layout, m_desc);
    pango_layout_set_single_paragraph_mode(e.layout, TRUE);
    pango_layout_set_text(e.layout, utf8.c_str(), int(utf8.size()));
    PangoAttrList* attrs = pango_attr_list_new();
    // characters advance by their own widths, as in GDI: no kerning, no ligatures
    pango_attr_list_insert(attrs, pango_attr_font_features_new("kern 0, liga 0, clig 0"));
    if (underline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (strikeOut)
        pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (mnemonicStart >= 0 && !underline) {
        PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        a->start_index = unsigned(mnemonicStart);
        a->end_index = unsigned(mnemonicEnd);
        pango_attr_list_insert(attrs, a);
    }
    pango_layout_set_attributes(e.layout, attrs);
    pango_attr_list_unref(attrs);
    PangoRectangle logical;
    pango_layout_get_extents(e.layout, nullptr, &logical);
    e.width = double(logical.width) / PANGO_SCALE * m_sx;
    ++g_layoutCount;
    return m_cache.emplace(std::move(key), e).first->second;
}

double RealFont::Measure(const std::wstring& text) const
{
    if (text.empty())
        return 0;
    return Layout(text, -1).width;
}

void RealFont::Draw(cairo_t* cr, double x, double y, const std::wstring& text, int mnemonic) const
{
    if (text.empty())
        return;
    const Entry& e = Layout(text, mnemonic);
    // The transformation is put back by hand: a saved and restored graphics state costs more
    // than the drawing of a short text.
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_translate(cr, x, y);
    if (escapement != 0)
        cairo_rotate(cr, -escapement * M_PI / 1800.0);
    cairo_scale(cr, m_sx, 1.0);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(e.layout, 0));
    cairo_set_matrix(cr, &saved);
}

const TextMask* RealFont::Mask(const std::wstring& text) const
{
    if (text.empty())
        return nullptr;
    return Mask(Layout(text, -1));
}

const TextMask* RealFont::Mask(const Laid& text) const
{
    if (escapement != 0 || underline || strikeOut)
        return nullptr;
    Entry& e = const_cast<Entry&>(text);  // the cache's own entry: the request count is the cache's
    if (e.maskRequests < 2 && ++e.maskRequests == 2)
        e.mask = BuildMask(e);
    return e.mask.get();
}

std::shared_ptr<const TextMask> RealFont::BuildMask(const Entry& e) const
{
    // The glyphs as the layout places them, in the units of the text's own space (before the
    // horizontal stretch), with the scaled font of their run.
    struct Glyph {
        cairo_scaled_font_t* font;
        cairo_glyph_t glyph;
    };
    std::vector<Glyph> glyphs;
    PangoLayoutLine* line = pango_layout_get_line_readonly(e.layout, 0);
    int runX = 0, runs = 0;
    for (GSList* l = line ? line->runs : nullptr; l; l = l->next, ++runs) {
        auto* run = static_cast<PangoGlyphItem*>(l->data);
        if (!run || !run->item || !run->item->analysis.font)
            return nullptr;
        cairo_scaled_font_t* font = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font));
        if (!font || cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS)
            return nullptr;
        const double baseX = double(runX) / PANGO_SCALE;
        int position = 0;
        for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
            const PangoGlyphInfo& gi = run->glyphs->glyphs[i];
            if (gi.glyph != PANGO_GLYPH_EMPTY) {
                if (gi.glyph & PANGO_GLYPH_UNKNOWN_FLAG) {
                    if (gi.glyph != (0x20 | PANGO_GLYPH_UNKNOWN_FLAG))
                        return nullptr;  // drawn as a box of hexadecimal digits
                } else {
                    const double x = baseX + double(position + gi.geometry.x_offset) / PANGO_SCALE;
                    const double y = gi.geometry.y_offset == 0 ? 0.0 : double(gi.geometry.y_offset) / PANGO_SCALE;
                    glyphs.push_back(Glyph{font, cairo_glyph_t{gi.glyph, x, y}});
                }
            }
            position += gi.geometry.width;
        }
        runX += pango_glyph_string_get_width(run->glyphs);
    }
    // Room for the widest overhangs: a font height on every side of the text's cell.
    const int margin = std::max(4, height);
    const int w = int(std::ceil(e.width)) + 2 * margin, h = height + 2 * margin;
    if (w <= 0 || h <= 0 || double(w) * h > 4.0e6)
        return nullptr;
    const int ox = margin, oy = margin + ascent;
    cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    if (cairo_surface_status(one) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(one);
        return nullptr;
    }
    const int stride = cairo_image_surface_get_stride(one);
    auto draw = [&](const std::function<void(cairo_t*)>& show) {
        cairo_surface_flush(one);
        std::memset(cairo_image_surface_get_data(one), 0, size_t(stride) * size_t(h));
        cairo_surface_mark_dirty(one);
        cairo_t* cr = cairo_create(one);
        cairo_translate(cr, ox, oy);
        cairo_scale(cr, m_sx, 1.0);
        cairo_set_source_rgb(cr, 0, 0, 0);
        show(cr);
        cairo_destroy(cr);
        cairo_surface_flush(one);
        return cairo_image_surface_get_data(one);
    };
    // Every glyph alone, as the drawing places it. Where glyphs never share a pixel, their
    // coverages together are the mask. Where they do, the drawing either adds the glyphs'
    // coverages into one mask first (sum, saturated) or lays the glyphs one over the other
    // (over); only the first can be stood in for.
    std::vector<unsigned char> sum(size_t(w) * size_t(h), 0), over(size_t(w) * size_t(h), 0);
    bool shared = false;
    for (const Glyph& g : glyphs) {
        const unsigned char* data = draw([&](cairo_t* cr) {
            cairo_set_scaled_font(cr, g.font);
            cairo_show_glyphs(cr, &g.glyph, 1);
        });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned v = data[size_t(y) * stride + x];
                if (!v)
                    continue;
                const size_t i = size_t(y) * w + x;
                shared = shared || sum[i] != 0;
                sum[i] = (unsigned char)std::min(255u, sum[i] + v);
                const unsigned t = over[i] * (255 - v) + 0x80;
                over[i] = (unsigned char)(v + ((t + (t >> 8)) >> 8));
            }
    }
    if (shared && runs > 1) {
        cairo_surface_destroy(one);
        return nullptr;  // runs are drawn one over the other
    }
    if (shared) {
        // The whole text drawn at once tells which way the drawing went.
        const unsigned char* data =
            draw([&](cairo_t* cr) { pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(e.layout, 0)); });
        bool isSum = true, isOver = true;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char v = data[size_t(y) * stride + x];
                isSum = isSum && v == sum[size_t(y) * w + x];
                isOver = isOver && v == over[size_t(y) * w + x];
            }
        if (!isSum || isOver) {
            cairo_surface_destroy(one);
            return nullptr;
        }
    }
    cairo_surface_destroy(one);
    // Cut to the pixels covered.
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (sum[size_t(y) * w + x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    auto mask = std::make_shared<TextMask>();
    if (x1 < 0)
        return mask;  // nothing visible: an empty mask
    mask->left = x0 - ox;
    mask->top = y0 - oy;
    mask->width = x1 - x0 + 1;
    mask->height = y1 - y0 + 1;
    mask->alpha.resize(size_t(mask->width) * size_t(mask->height));
    for (int y = 0; y < mask->height; ++y) {
        const unsigned char* row = &mask->alpha[size_t(y) * mask->width];
        std::memcpy(&mask->alpha[size_t(y) * mask->width], &sum[size_t(y + y0) * w + x0], size_t(mask->width));
        for (int x = 0; x < mask->width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask->width && row[x])
                ++x;
            mask->spans.push_back(TextMask::Span{y, start, x - start});
        }
    }
    return mask;
}

std::string ResolvedFamily(const LOGFONTW& lf, const std::wstring& text)
{
    std::wstring face(lf.lfFaceName, std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, L'\0'));
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, MapFaceName(face, lf.lfPitchAndFamily).c_str());
    pango_font_description_set_absolute_size(d, 12 * PANGO_SCALE);
    std::string utf8;
    for (wchar_t c : text)
        AppendUtf8(utf8, char32_t(c) <= 0x10FFFF ? char32_t(c) : U'?');
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_font_desc_new(d));
    GList* items = pango_itemize(Context(), utf8.c_str(), 0, int(utf8.size()), attrs, nullptr);
    std::string family;
    if (items) {
        auto* item = static_cast<PangoItem*>(items->data);
        if (item->analysis.font) {
            PangoFontDescription* used = pango_font_describe(item->analysis.font);
            const char* f = pango_font_description_get_family(used);
            family = f ? f : "";
            pango_font_description_free(used);
        }
    }
    g_list_free_full(items, reinterpret_cast<GDestroyNotify>(pango_item_free));
    pango_attr_list_unref(attrs);
    pango_font_description_free(d);
    return family;
}

unsigned FontCacheGeneration()
{
    return g_fontGeneration;
}

const RealFont& RealizeFont(const LOGFONTW& lf, double scaleX, double scaleY)
{
    auto& cache = Fonts();
    // The key holds the fields that make a font look different, as raw bytes: painters create
    // and realise a font for every element they draw, so the key must be cheap to build.
    struct Fields {
        LONG height, width, escapement, weight, flags, unused;  // no padding before the doubles
        double scaleX, scaleY;
    };
    static_assert(sizeof(Fields) == 6 * sizeof(LONG) + 2 * sizeof(double), "the key has no padding");
    const Fields fields{lf.lfHeight,
                        lf.lfWidth,
                        lf.lfEscapement,
                        lf.lfWeight,
                        LONG(lf.lfItalic) | LONG(lf.lfUnderline) << 8 | LONG(lf.lfStrikeOut) << 16 |
                            LONG(lf.lfPitchAndFamily) << 24,
                        0,
                        scaleX,
                        scaleY};
    size_t faceLength = 0;
    while (faceLength < LF_FACESIZE && lf.lfFaceName[faceLength])
        ++faceLength;
    std::string key(sizeof fields + faceLength * sizeof(wchar_t), '\0');
    std::memcpy(key.data(), &fields, sizeof fields);
    std::memcpy(key.data() + sizeof fields, lf.lfFaceName, faceLength * sizeof(wchar_t));
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    if (cache.size() >= kMaxCachedFonts) {
        cache.clear();
        ++g_fontGeneration;
    }
    auto font = std::make_unique<RealFont>(lf, scaleX, scaleY);
    return *cache.emplace(key, std::move(font)).first->second;
}

}  // namespace gdi
