// Cursors and icons: the standard shapes by number, images made from pixels (the resource
// layer's cursors and icons), and drawing icons into device contexts.
#include "platform/ui/core/detail/WndData.h"

#include "platform/base/ResourceTables.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/detail/DcImpl.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>

namespace ui {
HCURSOR (*g_resourceCursorLoader)(HINSTANCE, LPCWSTR) = nullptr;
}

using namespace ui;

HCURSOR LoadCursorW(HINSTANCE inst, LPCWSTR name)
{
    static const UINT ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                               32644, 32645, 32646, 32648, 32649, 32650, 32651};
    static HCURSOR__ shared[std::size(ids)];
    if (!inst && IS_INTRESOURCE(name)) {
        UINT id = UINT(reinterpret_cast<UINT_PTR>(name));
        for (size_t i = 0; i < std::size(ids); ++i) {
            if (ids[i] == id) {
                shared[i].standardId = id;
                return &shared[i];
            }
        }
        return nullptr;
    }
    return inst && g_resourceCursorLoader ? g_resourceCursorLoader(inst, name) : nullptr;
}

namespace {

std::uint32_t Le(const unsigned char* p, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// The first image of an .ico file: a 32-bit DIB (its height doubled for the mask) whose alpha
// tells the shape; null for anything else or a damaged file.
HICON DecodeIcoFile(const std::vector<unsigned char>& ico)
{
    const size_t size = ico.size();
    if (size < 22 || Le(&ico[0], 2) != 0 || Le(&ico[2], 2) != 1 || Le(&ico[4], 2) < 1)
        return nullptr;
    const size_t length = Le(&ico[14], 4), offset = Le(&ico[18], 4);
    if (offset > size || length > size - offset || length < 40)
        return nullptr;
    const unsigned char* dib = &ico[offset];
    const int width = int(std::int32_t(Le(dib + 4, 4)));
    const int height = int(std::int32_t(Le(dib + 8, 4))) / 2;
    const std::uint32_t header = Le(dib, 4);
    if (header < 40 || header > length || Le(dib + 14, 2) != 32 || Le(dib + 16, 4) != 0 || width < 1 ||
        width > 256 || height < 1 || height > 256)
        return nullptr;
    const size_t rowBytes = size_t(width) * 4;
    if ((length - header) / rowBytes < size_t(height))
        return nullptr;
    std::vector<DWORD> argb(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = dib + header + size_t(height - 1 - y) * rowBytes;  // bottom-up
        for (int x = 0; x < width; ++x)
            argb[size_t(y) * size_t(width) + size_t(x)] = DWORD(Le(row + 4 * x, 4));
    }
    return CreateIconFromArgb(argb.data(), width, height);
}

// Icons of the program's resources, decoded once and shared (never destroyed by their users).
HICON LoadResourceIcon(UINT id)
{
    static std::map<UINT, std::unique_ptr<HCURSOR__>> s_icons;
    auto it = s_icons.find(id);
    if (it != s_icons.end())
        return it->second.get();
    auto find = AfxGetResourceFinder().findIcon;
    const ResBinary* res = find ? find(id) : nullptr;
    HICON icon = res ? DecodeIcoFile(res->bytes) : nullptr;
    if (icon)
        icon->shared = true;
    s_icons[id].reset(icon);
    return icon;
}

} // namespace

HICON LoadIconW(HINSTANCE inst, LPCWSTR name)
{
    static HCURSOR__ standard[8];
    if (!inst && IS_INTRESOURCE(name)) {
        UINT id = UINT(reinterpret_cast<UINT_PTR>(name));
        if (id < 32512 || id > 32519)
            return nullptr;
        standard[id - 32512].standardId = id;
        return &standard[id - 32512];
    }
    if (inst && g_resourceCursorLoader)
        return g_resourceCursorLoader(inst, name);
    return inst && IS_INTRESOURCE(name) ? LoadResourceIcon(UINT(reinterpret_cast<UINT_PTR>(name))) : nullptr;
}

HCURSOR LoadCursorFromFileW(LPCWSTR) { return nullptr; }

void AfxSetResourceCursorLoader(HCURSOR (*loader)(HINSTANCE, LPCWSTR)) { g_resourceCursorLoader = loader; }

UINT GetStandardCursorId(HCURSOR cursor) { return cursor ? cursor->standardId : 0; }

HCURSOR CreateCursorFromArgb(const DWORD* argb, int width, int height, int xHotSpot, int yHotSpot)
{
    if (!argb || width < 1 || height < 1 || width > 256 || height > 256)
        return nullptr;
    auto* c = new HCURSOR__;
    c->width = width;
    c->height = height;
    c->hotSpot = POINT{std::clamp(xHotSpot, 0, width - 1), std::clamp(yHotSpot, 0, height - 1)};
    c->argb.assign(argb, argb + size_t(width) * size_t(height));
    c->shared = false;
    return c;
}

HICON CreateIconFromArgb(const DWORD* argb, int width, int height)
{
    HICON icon = CreateCursorFromArgb(argb, width, height, width / 2, height / 2);
    if (icon)
        icon->isIcon = true;
    return icon;
}

BOOL GetIconInfo(HICON icon, PICONINFO info)
{
    if (!icon || !info || icon->argb.empty())
        return FALSE;
    int w = icon->width, h = icon->height;
    // Colour: what shows where the mask keeps the screen out; partly clear pixels darkened by
    // their alpha, as a mask-and-colour icon draws them.
    std::vector<DWORD> colour(icon->argb.size());
    int maskStride = ((w + 15) / 16) * 2;
    std::vector<BYTE> mask(size_t(maskStride) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            DWORD p = icon->argb[size_t(y) * size_t(w) + size_t(x)];
            DWORD a = p >> 24;
            auto mul = [a](DWORD c) { return (c * a + 127) / 255; };
            colour[size_t(y) * size_t(w) + size_t(x)] = (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
            if (a < 128)
                mask[size_t(y) * size_t(maskStride) + size_t(x / 8)] |= BYTE(0x80 >> (x % 8));
        }
    info->fIcon = icon->isIcon ? TRUE : FALSE;
    info->xHotspot = DWORD(icon->hotSpot.x);
    info->yHotspot = DWORD(icon->hotSpot.y);
    info->hbmColor = ::CreateBitmap(w, h, 1, 32, colour.data());
    info->hbmMask = ::CreateBitmap(w, h, 1, 1, mask.data());
    return info->hbmColor && info->hbmMask;
}

HICON CreateIconIndirect(PICONINFO info)
{
    if (!info || !info->hbmColor)
        return nullptr;
    DibImage colour;
    if (!DibFromBitmap(info->hbmColor, 32, true, colour))
        return nullptr;
    DibImage mask;
    bool hasMask = info->hbmMask && DibFromBitmap(info->hbmMask, 32, true, mask) &&
                   mask.Width() == colour.Width() && mask.Height() >= colour.Height();
    int w = colour.Width(), h = colour.Height();
    if (w < 1 || h < 1 || w > 256 || h > 256)
        return nullptr;
    std::vector<DWORD> argb(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour.GetPixel(x, y);
            bool clear = hasMask && (mask.GetPixel(x, y) & 0xFFFFFF) != 0;
            argb[size_t(y) * size_t(w) + size_t(x)] =
                clear ? 0 : 0xFF000000u | (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
        }
    if (info->fIcon)
        return CreateIconFromArgb(argb.data(), w, h);
    return CreateCursorFromArgb(argb.data(), w, h, int(info->xHotspot), int(info->yHotspot));
}

BOOL DestroyCursor(HCURSOR cursor)
{
    if (cursor && !cursor->shared) {
        if (GetCursor() == cursor)
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        delete cursor;
    }
    return TRUE;
}

BOOL DestroyIcon(HICON icon) { return DestroyCursor(icon); }

BOOL GetIconSize(HICON icon, SIZE* size)
{
    if (!icon || !size)
        return FALSE;
    int standard = icon->standardId ? GetSystemMetrics(SM_CXICON) : 0;
    *size = SIZE{icon->argb.empty() ? standard : icon->width, icon->argb.empty() ? standard : icon->height};
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT flags)
{
    gdi::DcImpl* dc = gdi::Impl(hdc);
    if (!dc || !icon)
        return FALSE;
    if (icon->argb.empty() || !(flags & DI_IMAGE))
        return TRUE;  // standard shapes have no pixels of their own here
    int w = icon->width, h = icon->height;
    cx = cx > 0 ? cx : w;
    cy = cy > 0 ? cy : h;
    // Cairo wants premultiplied alpha.
    std::vector<std::uint32_t> pre(icon->argb.size());
    for (size_t i = 0; i < pre.size(); ++i) {
        std::uint32_t p = icon->argb[i];
        std::uint32_t a = p >> 24;
        auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
        pre[i] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
    cairo_surface_t* img = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pre.data()),
                                                               CAIRO_FORMAT_ARGB32, w, h, w * 4);
    cairo_t* cr = dc->Cr();
    if (!cr) {
        cairo_surface_destroy(img);
        return FALSE;
    }
    POINT a = dc->ToSurface(POINT{x, y});
    POINT b = dc->ToSurface(POINT{x + cx, y + cy});
    cairo_save(cr);
    cairo_translate(cr, a.x, a.y);
    cairo_scale(cr, double(b.x - a.x) / w, double(b.y - a.y) / h);
    cairo_set_source_surface(cr, img, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_flush(cairo_get_target(cr));
    cairo_surface_destroy(img);
    return TRUE;
}
