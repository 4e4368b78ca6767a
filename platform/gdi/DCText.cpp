// Text output and measuring of CDC: TextOut, ExtTextOut, DrawText, extents and metrics.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/FontEngine.h"
#include "platform/gdi/detail/ShapeRender.h"

#include <cairo.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

using gdi::DcImpl;
using gdi::RealFont;

namespace {

DcImpl* I(const CDC* dc)
{
    return gdi::Impl(dc->m_hDC);
}

std::wstring Text(LPCWSTR text, int count)
{
    if (!text || count == 0)
        return std::wstring();
    if (count < 0)
        return std::wstring(text);
    return std::wstring(text, size_t(count));
}

void SetColour(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

double AbsScaleX(const DcImpl& dc) { return std::max(1e-9, std::fabs(dc.ScaleX())); }
double AbsScaleY(const DcImpl& dc) { return std::max(1e-9, std::fabs(dc.ScaleY())); }

// TRUE when no glyph of an unrotated run whose cell is at (x, y) can reach the clip area. The
// cell is widened by its height on every side for glyphs that stand out of it (italic overhangs,
// marks above capitals), so that the test never hides a visible pixel.
bool OutsideClip(DcImpl& dc, double x, double y, double width, int height)
{
    const RECT clip = dc.EffectiveClip().Box();
    const double margin = std::max(2, height);
    return x + width + margin < clip.left || x - margin > clip.right || y + height + margin < clip.top ||
           y - margin > clip.bottom;
}

// Every byte of a pixel times a / 255, rounded as the compositing library rounds it: two bytes
// at a time in 16-bit lanes, which cannot carry into each other.
inline std::uint32_t MulBytes(std::uint32_t p, std::uint32_t a)
{
    std::uint32_t lo = (p & 0x00FF00FFu) * a + 0x00800080u;
    lo = ((lo + ((lo >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t hi = ((p >> 8) & 0x00FF00FFu) * a + 0x00800080u;
    hi = (hi + ((hi >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return lo | hi;
}

// The blends of one colour over one background pixel for every coverage value. Texts lie mostly
// on a plain background: there a lookup stands in for the arithmetic, with the same results.
struct BlendTable {
    std::uint32_t src = 0;
    std::uint32_t dst = 0;
    bool built = false;
    std::uint32_t out[256];
};

// Every byte of the colour times the coverage plus the pixel's byte times its complement.
inline std::uint32_t Blend(std::uint32_t src, std::uint32_t a, std::uint32_t d)
{
    // The two products of a byte add up to 255 at most: no carries.
    return MulBytes(src, a) + MulBytes(d, 255 - a);
}

// The table for a colour over a background, from a few dozen kept over calls: a diagram's texts
// use a handful of colours over a handful of backgrounds.
const BlendTable& BlendTableFor(std::uint32_t src, std::uint32_t dst)
{
    constexpr unsigned kBits = 6;
    static BlendTable tables[1u << kBits];
    const std::uint64_t key = (std::uint64_t(src) << 32 | dst) * 0x9E3779B97F4A7C15ull;
    BlendTable& t = tables[key >> (64 - kBits)];
    if (t.built && t.src == src && t.dst == dst)
        return t;
    t.src = src;
    t.dst = dst;
    t.built = true;
    for (std::uint32_t a = 0; a < 256; ++a)
        t.out[a] = Blend(src, a, dst);
    return t;
}

// TRUE when all n pixels from p are `colour`.
bool Plain(const std::uint32_t* p, LONG n, std::uint32_t colour)
{
    LONG i = 0;
#ifdef __SSE2__
    const __m128i want = _mm_set1_epi32(int(colour));
    for (; i + 4 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(v, want)) != 0xFFFF)
            return false;
    }
#endif
    for (; i < n; ++i)
        if (p[i] != colour)
            return false;
    return true;
}

// Lays an opaque colour through a text's coverage mask onto the surface, with the baseline
// origin at surface pixel (x, y): every byte of a pixel becomes colour x coverage plus pixel x
// (1 - coverage), the arithmetic of the glyph compositing this stands in for.
void CompositeMask(DcImpl& dc, const gdi::TextMask& mask, LONG x, LONG y, COLORREF colour)
{
    gdi::Surface* s = dc.Image();
    if (!s || mask.width <= 0 || mask.height <= 0)
        return;
    const std::uint32_t src = 0xFF000000u | gdi::PixelFromColor(colour);
    const RECT box{x + mask.left, y + mask.top, x + mask.left + mask.width, y + mask.top + mask.height};
    // The background's table, taken up at the first pixel and again wherever two pixels in a
    // row show a new background; other pixels are blended one by one.
    const BlendTable* table = nullptr;
    std::uint32_t lastMiss = 0;
    s->BeginAccess();
    const gdi::TextMask::Span* const spansEnd = mask.spans.data() + mask.spans.size();
    for (const RECT& c : dc.ClipRects()) {
        const RECT r{std::max(box.left, c.left), std::max(box.top, c.top), std::min(box.right, c.right),
                     std::min(box.bottom, c.bottom)};
        if (r.left >= r.right || r.top >= r.bottom)
            continue;
        for (const gdi::TextMask::Span* first = mask.spans.data(); first < spansEnd;) {
            // The spans of one row.
            const gdi::TextMask::Span* last = first;
            while (last + 1 < spansEnd && last[1].row == first->row)
                ++last;
            const gdi::TextMask::Span* const next = last + 1;
            const LONG py = box.top + first->row;
            const LONG from = std::max<LONG>(r.left, box.left + first->column);
            const LONG to = std::min<LONG>(r.right, box.left + last->column + last->length);
            if (py < r.top || py >= r.bottom || from >= to) {
                first = next;
                continue;
            }
            std::uint32_t* row = s->Row(py);
            const unsigned char* m = &mask.alpha[size_t(first->row) * size_t(mask.width)] - box.left;
            if (!table)
                table = &BlendTableFor(src, row[from]);
            // On a plain background under the row's covered stretch every pixel comes out of
            // the table; a zero coverage between spans leaves its pixel as it is.
            if (Plain(row + from, to - from, table->dst)) {
                const std::uint32_t* out = table->out;
                for (const gdi::TextMask::Span* span = first; span < next; ++span) {
                    const LONG f = std::max<LONG>(from, box.left + span->column);
                    const LONG t = std::min<LONG>(to, box.left + span->column + span->length);
                    for (LONG px = f; px < t; ++px)
                        row[px] = out[m[px]];
                }
                first = next;
                continue;
            }
            for (const gdi::TextMask::Span* span = first; span < next; ++span) {
                const LONG f = std::max<LONG>(from, box.left + span->column);
                const LONG t = std::min<LONG>(to, box.left + span->column + span->length);
                for (LONG px = f; px < t; ++px) {
                    const std::uint32_t a = m[px], d = row[px];
                    if (d == table->dst) {
                        row[px] = table->out[a];
                    } else if (d == lastMiss) {
                        table = &BlendTableFor(src, d);
                        row[px] = table->out[a];
                    } else {
                        lastMiss = d;
                        row[px] = Blend(src, a, d);
                    }
                }
            }
            first = next;
        }
    }
    s->EndAccess();
}

// Fills the cell box of a text run (OPAQUE background) and draws the run. (x, y) is the
// top-left of the cell in surface coordinates before rotation about the reference point.
// `laid` is the text as the font laid it out, when the caller has it already (null otherwise).
void DrawRun(DcImpl& dc, const RealFont& font, double refX, double refY, double along, double down,
             const std::wstring& text, int mnemonic, bool opaque, const RealFont::Laid* laid = nullptr)
{
    if (!laid && !text.empty())
        laid = &font.Lay(text);
    const double width = laid ? laid->width : 0;
    // unrotated text (nearly all of it) spares the trigonometry
    double dirX = 1, dirY = 0, downX = 0, downY = 1;
    if (font.escapement != 0) {
        const double theta = font.escapement * M_PI / 1800.0;
        dirX = std::cos(theta), dirY = -std::sin(theta);   // along the text
        downX = std::sin(theta), downY = std::cos(theta);  // towards the glyph bottoms
    }
    // top-left corner of the cell
    double tlX = refX + along * dirX + down * downX, tlY = refY + along * dirY + down * downY;
    if (font.escapement == 0) {
        // whole pixels, as GDI places text
        tlX = std::round(tlX);
        tlY = std::round(tlY);
    }
    if (opaque && width > 0) {
        gdi::PaintSource bk = dc.SolidSource(dc.st.bkColor);
        if (font.escapement == 0) {
            LONG l = LONG(std::lround(tlX)), t = LONG(std::lround(tlY));
            gdi::FillSurfaceRect(dc, RECT{l, t, l + LONG(std::lround(width)), t + font.height}, bk, R2_COPYPEN);
        } else {
            int savedRop = dc.st.rop2;
            dc.st.rop2 = R2_COPYPEN;
            double h = font.height;
            gdi::FillPath(
                dc,
                [&](cairo_t* cr) {
                    cairo_move_to(cr, tlX, tlY);
                    cairo_line_to(cr, tlX + width * dirX, tlY + width * dirY);
                    cairo_line_to(cr, tlX + width * dirX + h * downX, tlY + width * dirY + h * downY);
                    cairo_line_to(cr, tlX + h * downX, tlY + h * downY);
                    cairo_close_path(cr);
                },
                bk, ALTERNATE);
            dc.st.rop2 = savedRop;
        }
    }
    if (text.empty() || (font.escapement == 0 && OutsideClip(dc, tlX, tlY, width, font.height)))
        return;
    double baseX = tlX + font.ascent * downX, baseY = tlY + font.ascent * downY;
    // A text drawn before on a pixel surface goes through its coverage mask: the same pixels
    // for a fraction of the work.
    if (font.escapement == 0 && mnemonic < 0 && dc.type != gdi::DcType::Printer && dc.Image()) {
        if (const gdi::TextMask* mask = font.Mask(*laid)) {
            CompositeMask(dc, *mask, LONG(baseX), LONG(baseY), dc.st.textColor);
            return;
        }
    }
    cairo_t* cr = dc.Cr();
    if (!cr)
        return;
    // The context's antialiasing and source are put back by hand, which costs less than a
    // saved and restored graphics state.
    const cairo_antialias_t antialias = cairo_get_antialias(cr);
    cairo_pattern_t* source = cairo_pattern_reference(cairo_get_source(cr));
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    SetColour(cr, dc.st.textColor);
    font.Draw(cr, baseX, baseY, text, mnemonic);
    cairo_set_source(cr, source);
    cairo_pattern_destroy(source);
    cairo_set_antialias(cr, antialias);
}

// Removes '&' prefixes: "&&" gives '&', "&x" underlines x (its index is returned).
std::wstring StripPrefix(const std::wstring& s, int& mnemonic)
{
    std::wstring out;
    mnemonic = -1;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != L'&' && mnemonic < 0)
                mnemonic = int(out.size());
        } else if (s[i] == L'&') {
            continue;
        }
        out += s[i];
    }
    return out;
}

struct Line {
    std::wstring text;
    int mnemonic = -1;
};

class TextLayoutHelper {
public:
    TextLayoutHelper(const RealFont& f, UINT fmt) : font(f), format(fmt) {}
    const RealFont& font;
    UINT format;

    double TabStop() const { return 8.0 * std::max(1, font.aveCharWidth); }

    // Width of a line with tabs expanded when asked for.
    double Width(const std::wstring& s) const
    {
        if (!(format & DT_EXPANDTABS) || s.find(L'\t') == std::wstring::npos)
            return font.Measure(s);
        double x = 0;
        size_t start = 0;
        while (true) {
            size_t tab = s.find(L'\t', start);
            x += font.Measure(s.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
            if (tab == std::wstring::npos)
                return x;
            x = (std::floor(x / TabStop()) + 1) * TabStop();
            start = tab + 1;
        }
    }

    void Draw(DcImpl& dc, double x, double y, const Line& line, bool opaque) const
    {
        if (!(format & DT_EXPANDTABS) || line.text.find(L'\t') == std::wstring::npos) {
            DrawRun(dc, font, x, y, 0, 0, line.text, line.mnemonic, opaque);
            return;
        }
        double pos = 0;
        size_t start = 0;
        while (true) {
            size_t tab = line.text.find(L'\t', start);
            std::wstring seg = line.text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start);
            int m = line.mnemonic >= int(start) && (tab == std::wstring::npos || line.mnemonic < int(tab))
                        ? line.mnemonic - int(start)
                        : -1;
            DrawRun(dc, font, x + pos, y, 0, 0, seg, m, opaque);
            pos += font.Measure(seg);
            if (tab == std::wstring::npos)
                return;
            pos = (std::floor(pos / TabStop()) + 1) * TabStop();
            start = tab + 1;
        }
    }

    // Greedy word wrapping: lines break at blanks and next to Chinese characters (which need
    // no blanks between them); a word wider than the line stands alone.
    std::vector<Line> Wrap(const Line& para, double maxWidth) const
    {
        std::vector<Line> out;
        const std::wstring& s = para.text;
        size_t lineStart = 0;
        while (true) {
            // candidate line ends after lineStart, in increasing order
            size_t lastFit = std::wstring::npos;
            for (size_t end = lineStart + 1; end <= s.size(); ++end) {
                bool breakable = end == s.size() || s[end] == L' ' || IsWide(s[end]) || IsWide(s[end - 1]);
                if (!breakable || s[end - 1] == L' ')
                    continue;
                if (lastFit != std::wstring::npos && Width(s.substr(lineStart, end - lineStart)) > maxWidth)
                    break;
                lastFit = end;
            }
            if (lastFit == std::wstring::npos)
                lastFit = s.size();
            Line l;
            l.text = s.substr(lineStart, lastFit - lineStart);
            if (para.mnemonic >= int(lineStart) && para.mnemonic < int(lastFit))
                l.mnemonic = para.mnemonic - int(lineStart);
            out.push_back(l);
            lineStart = lastFit;
            while (lineStart < s.size() && s[lineStart] == L' ')
                ++lineStart;  // blanks at a break belong to neither line
            if (lineStart >= s.size())
                break;
        }
        return out;
    }

    // Characters that may be broken before and after: CJK ideographs, kana, Hangul and
    // full-width forms.
    static bool IsWide(wchar_t c)
    {
        return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
               (c >= 0xFF00 && c <= 0xFFEF);
    }

    // The longest k for which fits(k) holds (fits is monotonic, fits(0) assumed).
    template <class Fits>
    static size_t Longest(size_t max, Fits fits)
    {
        size_t lo = 0, hi = max;
        while (lo < hi) {
            size_t mid = (lo + hi + 1) / 2;
            if (fits(mid))
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

    std::wstring EndEllipsis(const std::wstring& s, double maxWidth) const
    {
        if (Width(s) <= maxWidth)
            return s;
        size_t keep = Longest(s.size(), [&](size_t k) { return Width(s.substr(0, k) + L"...") <= maxWidth; });
        return s.substr(0, keep) + L"...";
    }

    // Shortens the part before the last path separator, keeping the file name.
    std::wstring PathEllipsis(const std::wstring& s, double maxWidth) const
    {
        if (Width(s) <= maxWidth)
            return s;
        size_t slash = s.find_last_of(L"\\/");
        if (slash == std::wstring::npos)
            return EndEllipsis(s, maxWidth);
        std::wstring head = s.substr(0, slash), tail = s.substr(slash);
        size_t keep = Longest(head.size(), [&](size_t k) { return Width(head.substr(0, k) + L"..." + tail) <= maxWidth; });
        return head.substr(0, keep) + L"..." + tail;
    }
};

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCWSTR text, int count)
{
    DcImpl* dc = I(this);
    if (!dc || (!text && count != 0))
        return FALSE;
    // One buffer for all calls: painters draw thousands of short texts.
    static thread_local std::wstring s;
    if (!text || count == 0)
        s.clear();
    else
        s.assign(text, count < 0 ? std::wcslen(text) : size_t(count));
    const RealFont& font = dc->RealizedFont();
    UINT align = dc->st.textAlign;
    bool updateCp = (align & TA_UPDATECP) != 0;
    POINT ref = dc->ToSurface(updateCp ? dc->st.cur : POINT{x, y});
    const RealFont::Laid* laid = s.empty() ? nullptr : &font.Lay(s);
    const double width = laid ? laid->width : 0;
    double along = 0, down = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        along = -width / 2;
    else if (align & TA_RIGHT)
        along = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        down = -font.ascent;
    else if (align & TA_BOTTOM)
        down = -font.height;
    DrawRun(*dc, font, ref.x, ref.y, along, down, s, -1, dc->st.bkMode == OPAQUE, laid);
    if (updateCp) {
        LONG adv = LONG(std::lround(width / AbsScaleX(*dc)));
        if ((align & TA_CENTER) != TA_CENTER)
            dc->st.cur.x += (align & TA_RIGHT) ? -adv : adv;
    }
    return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count, const INT* dx)
{
    DcImpl* dc = I(this);
    if (!dc)
        return FALSE;
    if (rect && (options & ETO_OPAQUE)) {
        POINT a = dc->ToSurface(POINT{rect->left, rect->top}), b = dc->ToSurface(POINT{rect->right, rect->bottom});
        gdi::FillSurfaceRect(*dc, RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)},
                             dc->SolidSource(dc->st.bkColor), R2_COPYPEN);
    }
    if (!text || count == 0)
        return TRUE;
    bool clipped = rect && (options & ETO_CLIPPED);
    int saved = 0;
    if (clipped) {
        saved = SaveDC();
        IntersectClipRect(rect);
    }
    if (dx) {
        int pos = x;
        for (UINT i = 0; i < count; ++i) {
            TextOut(pos, y, text + i, 1);
            pos += dx[i];
        }
    } else {
        TextOut(x, y, text, int(count));
    }
    if (clipped)
        RestoreDC(saved);
    return TRUE;
}

int CDC::DrawText(LPCWSTR textIn, int count, LPRECT rect, UINT format)
{
    DcImpl* dc = I(this);
    if (!dc || !rect || (!textIn && count != 0))
        return 0;
    std::wstring text = Text(textIn, count);
    const RealFont& font = dc->RealizedFont();
    TextLayoutHelper helper(font, format);
    POINT a = dc->ToSurface(POINT{rect->left, rect->top}), b = dc->ToSurface(POINT{rect->right, rect->bottom});
    double left = std::min(a.x, b.x), top = std::min(a.y, b.y), right = std::max(a.x, b.x),
           bottom = std::max(a.y, b.y);
    double boxWidth = right - left;

    // paragraphs
    std::vector<Line> paras;
    if (format & DT_SINGLELINE) {
        std::wstring one;
        for (wchar_t c : text)
            if (c != L'\r' && c != L'\n')
                one += c;
        paras.push_back(Line{one, -1});
    } else {
        std::wstring cur;
        for (size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == L'\n' || text[i] == L'\r') {
                paras.push_back(Line{cur, -1});
                cur.clear();
                if (i < text.size() && text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                    ++i;
                continue;
            }
            cur += text[i];
        }
    }
    if (!(format & DT_NOPREFIX))
        for (Line& p : paras)
            p.text = StripPrefix(p.text, p.mnemonic);

    std::vector<Line> lines;
    for (const Line& p : paras) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            std::vector<Line> w = helper.Wrap(p, boxWidth);
            lines.insert(lines.end(), w.begin(), w.end());
        } else {
            lines.push_back(p);
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (Line& l : lines) {
            std::wstring shortened = (format & DT_PATH_ELLIPSIS) ? helper.PathEllipsis(l.text, boxWidth)
                                                                 : helper.EndEllipsis(l.text, boxWidth);
            if (shortened != l.text) {
                l.text = shortened;
                if (l.mnemonic >= int(l.text.size()) - 3)
                    l.mnemonic = -1;
            }
        }

    double lineHeight = font.height + ((format & DT_EXTERNALLEADING) ? font.externalLeading : 0);
    double totalHeight = lineHeight * double(lines.size());
    double maxWidth = 0;
    for (const Line& l : lines)
        maxWidth = std::max(maxWidth, helper.Width(l.text));
    int heightLogical = int(std::lround(totalHeight / AbsScaleY(*dc)));

    if (format & DT_CALCRECT) {
        LONG w = LONG(std::lround(maxWidth / AbsScaleX(*dc)));
        rect->right = rect->left + w;
        rect->bottom = rect->top + heightLogical;
        return heightLogical;
    }

    double y = top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = top + std::trunc((bottom - top - totalHeight) / 2);
        else if (format & DT_BOTTOM)
            y = bottom - totalHeight;
    }
    int saved = 0;
    bool clip = !(format & DT_NOCLIP);
    if (clip) {
        saved = SaveDC();
        IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    bool opaque = dc->st.bkMode == OPAQUE;
    for (const Line& l : lines) {
        double w = helper.Width(l.text);
        double x = left;
        if (format & DT_CENTER)
            x = left + std::trunc((boxWidth - w) / 2);
        else if (format & DT_RIGHT)
            x = right - w;
        helper.Draw(*dc, x, y, l, opaque);
        y += lineHeight;
    }
    if (clip)
        RestoreDC(saved);
    return heightLogical;
}

int CDC::DrawTextEx(LPCWSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params)
{
    if (!rect)
        return 0;
    if (!params)
        return DrawText(text, count, rect, format);
    RECT inner = *rect;
    inner.left += params->iLeftMargin;
    inner.right -= params->iRightMargin;
    int h = DrawText(text, count, &inner, format);
    if (format & DT_CALCRECT) {
        rect->right = inner.right + params->iRightMargin;
        rect->bottom = inner.bottom;
    }
    params->uiLengthDrawn = text ? UINT(count < 0 ? std::wcslen(text) : size_t(count)) : 0;
    return h;
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    DcImpl* dc = I(this);
    if (!dc)
        return CSize();
    const RealFont& font = dc->RealizedFont();
    // One buffer for all calls, as in TextOut: painters measure many short texts.
    static thread_local std::wstring s;
    if (!text || count == 0)
        s.clear();
    else
        s.assign(text, count < 0 ? std::wcslen(text) : size_t(count));
    double w = font.Measure(s);
    return CSize(int(std::lround(w / AbsScaleX(*dc))), int(std::lround(font.height / AbsScaleY(*dc))));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    DcImpl* dc = I(this);
    if (!dc || !tm)
        return FALSE;
    const RealFont& f = dc->RealizedFont();
    double sx = AbsScaleX(*dc), sy = AbsScaleY(*dc);
    auto vy = [&](int v) { return LONG(std::lround(v / sy)); };
    auto vx = [&](int v) { return LONG(std::lround(v / sx)); };
    *tm = TEXTMETRIC{};
    tm->tmAscent = vy(f.ascent);
    tm->tmDescent = vy(f.descent);
    tm->tmHeight = vy(f.height);
    tm->tmInternalLeading = vy(f.internalLeading);
    tm->tmExternalLeading = vy(f.externalLeading);
    tm->tmAveCharWidth = vx(f.aveCharWidth);
    tm->tmMaxCharWidth = vx(f.maxCharWidth);
    tm->tmWeight = f.weight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = L' ';
    tm->tmLastChar = 0xFFFC;
    tm->tmDefaultChar = L'?';
    tm->tmBreakChar = L' ';
    tm->tmItalic = f.italic;
    tm->tmUnderlined = f.underline;
    tm->tmStruckOut = f.strikeOut;
    // TMPF_FIXED_PITCH set means a variable-pitch font
    tm->tmPitchAndFamily = BYTE((f.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                                (f.fixedPitch ? FF_MODERN : FF_SWISS));
    gdi::FontObj* fo = dc->Font();
    tm->tmCharSet = fo ? fo->lf.lfCharSet : DEFAULT_CHARSET;
    return TRUE;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, LPINT buffer) const
{
    DcImpl* dc = I(this);
    if (!dc || !buffer || last < first || last - first > 0xFFFF)
        return FALSE;
    const RealFont& f = dc->RealizedFont();
    double sx = AbsScaleX(*dc);
    for (UINT c = first; c <= last; ++c)
        buffer[c - first] = int(std::lround(f.Measure(std::wstring(1, wchar_t(c))) / sx));
    return TRUE;
}

int CDC::GetTextFace(int count, LPWSTR face) const
{
    DcImpl* dc = I(this);
    gdi::FontObj* f = dc ? dc->Font() : nullptr;
    if (!f)
        return 0;
    size_t len = std::wcslen(f->lf.lfFaceName);
    if (!face)
        return int(len) + 1;
    if (count <= 0)
        return 0;
    size_t n = std::min(len, size_t(count - 1));
    std::wmemcpy(face, f->lf.lfFaceName, n);
    face[n] = 0;
    return int(n);
}

int CDC::GetTextFace(CString& face) const
{
    wchar_t buf[LF_FACESIZE] = {};
    int n = GetTextFace(LF_FACESIZE, buf);
    face = buf;
    return n;
}
