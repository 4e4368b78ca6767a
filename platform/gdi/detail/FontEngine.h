// Fonts realised through Pango: GDI font requests (face, cell or character height, average
// width, weight, italic, escapement) mapped onto the installed Liberation and WenQuanYi faces,
// with metrics in device pixels and cached text layouts.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;

namespace gdi {

// Family list chosen for a face name and pitch request (first entry is the primary face).
std::string MapFaceName(const std::wstring& face, BYTE pitchAndFamily);

// The coverage of a drawn text as one 8-bit mask placed at whole pixels from the baseline
// origin: where no two glyphs cover the same pixel, laying the source through this mask gives
// the very pixels that drawing the glyphs one by one gives.
struct TextMask {
    int left = 0;  // of the mask's first column, from the baseline origin
    int top = 0;   // of its first row, from the baseline origin
    int width = 0;
    int height = 0;
    std::vector<unsigned char> alpha;  // width x height coverage values, row by row
    // The runs of covered pixels, row by row: most of a text's box is blank.
    struct Span {
        int row;     // from the mask's top
        int column;  // from the mask's left
        int length;
    };
    std::vector<Span> spans;
};

class RealFont {
public:
    RealFont(const LOGFONTW& lf, double scaleX, double scaleY);
    ~RealFont();
    RealFont(const RealFont&) = delete;
    RealFont& operator=(const RealFont&) = delete;

    // Metrics in device pixels.
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool fixedPitch = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise
    std::string family;

    // A text laid out in this font, kept in the font's cache: its advance width in device pixels
    // (control characters take no room) and what Mask needs. A reference stays valid until the
    // next text of any font is laid out, so that drawing a text searches the cache once.
    struct Laid {
        double width = 0;

    private:
        friend class RealFont;
        PangoLayout* layout = nullptr;
        int maskRequests = 0;
        std::shared_ptr<const TextMask> mask;  // built on the second request; null when not exact
    };
    const Laid& Lay(const std::wstring& text) const { return Layout(text, -1); }

    // Advance width of text in device pixels (control characters take no room).
    double Measure(const std::wstring& text) const;
    // Draws text with its baseline origin at (x, y), in the cairo context's current source.
    // mnemonic: index of a character to underline, or -1.
    void Draw(cairo_t* cr, double x, double y, const std::wstring& text, int mnemonic = -1) const;

    // The coverage mask of an unrotated, unadorned text, from the second time it is asked for on:
    // texts drawn once (live values) are not worth the building. Null when the text is drawn once
    // so far, when two of its glyphs share a pixel, or for rotated, underlined or struck-out fonts.
    const TextMask* Mask(const std::wstring& text) const;
    // The same for a text laid out already (not empty).
    const TextMask* Mask(const Laid& text) const;

    // Frees the cached layouts.
    void ClearLayouts() const;

private:
    using Entry = Laid;
    std::shared_ptr<const TextMask> BuildMask(const Entry& e) const;
    Entry& Layout(const std::wstring& text, int mnemonic) const;

    PangoFontDescription* m_desc = nullptr;
    double m_sx = 1.0;  // horizontal stretch to meet the requested average width
    bool m_symbolMap = false;
    mutable std::unordered_map<std::wstring, Entry> m_cache;
    // The entry found last: drawing a text measures it and looks for its mask in turn.
    mutable const std::wstring* m_lastKey = nullptr;
    mutable Entry* m_lastEntry = nullptr;
};

// Family of the installed font that draws `text` (its first character) for a logical font; for
// checking face substitution.
std::string ResolvedFamily(const LOGFONTW& lf, const std::wstring& text);

// The realised font for a logical font under a mapping scale (device units per logical unit).
// References stay valid until FontCacheGeneration() changes.
const RealFont& RealizeFont(const LOGFONTW& lf, double scaleX, double scaleY);

unsigned FontCacheGeneration();

}  // namespace gdi
