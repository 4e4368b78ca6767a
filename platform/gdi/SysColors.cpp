// The classic grey desktop colour scheme, so every machine draws the controls alike.
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/GdiObjectImpl.h"

namespace {

constexpr int kSysColorCount = COLOR_MENUBAR + 1;

COLORREF g_sysColors[kSysColorCount] = {
    RGB(212, 208, 200),  // SCROLLBAR
    RGB(58, 110, 165),   // BACKGROUND
    RGB(10, 36, 106),    // ACTIVECAPTION
    RGB(128, 128, 128),  // INACTIVECAPTION
    RGB(212, 208, 200),  // MENU
    RGB(255, 255, 255),  // WINDOW
    RGB(0, 0, 0),        // WINDOWFRAME
    RGB(0, 0, 0),        // MENUTEXT
    RGB(0, 0, 0),        // WINDOWTEXT
    RGB(255, 255, 255),  // CAPTIONTEXT
    RGB(212, 208, 200),  // ACTIVEBORDER
    RGB(212, 208, 200),  // INACTIVEBORDER
    RGB(128, 128, 128),  // APPWORKSPACE
    RGB(10, 36, 106),    // HIGHLIGHT
    RGB(255, 255, 255),  // HIGHLIGHTTEXT
    RGB(212, 208, 200),  // BTNFACE
    RGB(128, 128, 128),  // BTNSHADOW
    RGB(128, 128, 128),  // GRAYTEXT
    RGB(0, 0, 0),        // BTNTEXT
    RGB(212, 208, 200),  // INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // BTNHIGHLIGHT
    RGB(64, 64, 64),     // 3DDKSHADOW
    RGB(212, 208, 200),  // 3DLIGHT
    RGB(0, 0, 0),        // INFOTEXT
    RGB(255, 255, 225),  // INFOBK
    RGB(181, 181, 181),  // (unused slot 25)
    RGB(0, 0, 128),      // HOTLIGHT
    RGB(166, 202, 240),  // GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // GRADIENTINACTIVECAPTION
    RGB(49, 106, 197),   // MENUHILIGHT
    RGB(212, 208, 200),  // MENUBAR
};

}  // namespace

namespace gdi {

BrushObj* SysColorBrush(int index)
{
    static BrushObj* brushes[kSysColorCount] = {};
    if (index < 0 || index >= kSysColorCount)
        return nullptr;
    if (!brushes[index]) {
        auto b = std::make_unique<BrushObj>();
        b->stock = true;
        b->color = g_sysColors[index];
        brushes[index] = static_cast<BrushObj*>(static_cast<Object*>(Register(std::move(b))));
    }
    return brushes[index];
}

}  // namespace gdi

DWORD GetSysColor(int index)
{
    if (index < 0 || index >= kSysColorCount)
        return 0;
    return g_sysColors[index];
}

HBRUSH GetSysColorBrush(int index)
{
    return reinterpret_cast<HBRUSH>(gdi::HandleOf(gdi::SysColorBrush(index)));
}

BOOL SetSysColors(int count, const int* indices, const COLORREF* colors)
{
    if (count < 0 || (count > 0 && (!indices || !colors)))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        int idx = indices[i];
        if (idx < 0 || idx >= kSysColorCount)
            continue;
        g_sysColors[idx] = colors[i] & 0xFFFFFF;
        if (gdi::BrushObj* b = gdi::SysColorBrush(idx))
            b->color = g_sysColors[idx];
    }
    return TRUE;
}
