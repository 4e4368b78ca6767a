// Image lists: images kept as 32-bit pixels with a transparency mask, composed onto the target
// in memory and written back, so masks work on any DC.
#include "platform/ui/controls/CtlImageList.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

struct IMAGELIST__ {
    int cx = 16, cy = 16;
    UINT flags = 0;
    COLORREF bk = CLR_NONE;
    struct Image {
        std::vector<DWORD> px;        // 0x00RRGGBB, top-down
        std::vector<BYTE> clear;      // 1 = transparent
    };
    std::vector<Image> images;
};

namespace {

std::mutex g_lock;
std::set<HIMAGELIST>& Lists()
{
    static auto* s = new std::set<HIMAGELIST>;  // lives to the end: lists may go in static destructors
    return *s;
}

IMAGELIST__* Get(HIMAGELIST h)
{
    std::lock_guard<std::mutex> l(g_lock);
    return Lists().count(h) ? h : nullptr;
}

BITMAPINFO Info(int w, int h)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// The pixels of a bitmap as 0x00RRGGBB, top-down; empty when it cannot be read.
std::vector<DWORD> ReadBitmap(HBITMAP bmp, int& w, int& h)
{
    BITMAP bm{};
    if (!bmp || !GetObject(bmp, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return {};
    w = bm.bmWidth;
    h = bm.bmHeight;
    if (static_cast<long long>(w) * h > 16LL * 1024 * 1024)
        return {};
    std::vector<DWORD> px(size_t(w) * size_t(h));
    BITMAPINFO bi = Info(w, h);
    HDC dc = CreateCompatibleDC(nullptr);
    int got = GetDIBits(dc, bmp, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (got <= 0)
        return {};
    for (auto& p : px)
        p &= 0x00FFFFFF;
    return px;
}

DWORD ToPixel(COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); }

// Cuts a strip into images; `clearOf` tells the transparent pixels.
template <class F>
int AddStrip(IMAGELIST__* il, const std::vector<DWORD>& px, int w, int h, F clearOf)
{
    if (px.empty() || il->cx <= 0)
        return -1;
    int n = std::max(1, w / il->cx);
    int first = int(il->images.size());
    for (int k = 0; k < n; ++k) {
        IMAGELIST__::Image img;
        img.px.assign(size_t(il->cx) * size_t(il->cy), 0);
        img.clear.assign(img.px.size(), (il->flags & ILC_MASK) ? 1 : 0);
        for (int y = 0; y < std::min(h, il->cy); ++y)
            for (int x = 0; x < il->cx && k * il->cx + x < w; ++x) {
                size_t s = size_t(y) * size_t(w) + size_t(k * il->cx + x), d = size_t(y) * size_t(il->cx) + size_t(x);
                img.px[d] = px[s];
                img.clear[d] = (il->flags & ILC_MASK) && clearOf(s) ? 1 : 0;
            }
        il->images.push_back(std::move(img));
    }
    return first;
}

DWORD Blend(DWORD a, DWORD b, int percentB)
{
    auto ch = [&](int shift) {
        int x = int((a >> shift) & 0xFF), y = int((b >> shift) & 0xFF);
        return DWORD((x * (100 - percentB) + y * percentB) / 100) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
        return nullptr;
    auto* il = new IMAGELIST__;
    il->cx = cx;
    il->cy = cy;
    il->flags = flags;
    std::lock_guard<std::mutex> l(g_lock);
    Lists().insert(il);
    return il;
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    {
        std::lock_guard<std::mutex> l(g_lock);
        if (!Lists().erase(himl))
            return FALSE;
    }
    delete himl;
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    IMAGELIST__* il = Get(himl);
    return il ? int(il->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count)
{
    IMAGELIST__* il = Get(himl);
    if (!il || count > 65536)
        return FALSE;
    IMAGELIST__::Image blank;
    blank.px.assign(size_t(il->cx) * size_t(il->cy), 0);
    blank.clear.assign(blank.px.size(), 0);
    il->images.resize(count, blank);
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask)
{
    IMAGELIST__* il = Get(himl);
    if (!il)
        return -1;
    int w = 0, h = 0, mw = 0, mh = 0;
    std::vector<DWORD> px = ReadBitmap(image, w, h);
    std::vector<DWORD> mk = mask ? ReadBitmap(mask, mw, mh) : std::vector<DWORD>();
    bool useMask = !mk.empty() && mw == w && mh == h;
    return AddStrip(il, px, w, h, [&](size_t s) { return useMask && (mk[s] & 0xFFFFFF) != 0; });
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColour)
{
    IMAGELIST__* il = Get(himl);
    if (!il)
        return -1;
    int w = 0, h = 0;
    std::vector<DWORD> px = ReadBitmap(image, w, h);
    DWORD key = ToPixel(maskColour);
    UINT saved = il->flags;
    il->flags |= ILC_MASK;
    int r = AddStrip(il, px, w, h, [&](size_t s) { return px[s] == key; });
    il->flags = saved | ILC_MASK;
    return r;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask)
{
    IMAGELIST__* il = Get(himl);
    if (!il || i < 0 || i >= int(il->images.size()))
        return FALSE;
    int at = ImageList_Add(himl, image, mask);
    if (at < 0)
        return FALSE;
    il->images[size_t(i)] = std::move(il->images[size_t(at)]);
    il->images.resize(size_t(at));
    return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon)
{
    IMAGELIST__* il = Get(himl);
    if (!il || !icon || i < -1 || i >= int(il->images.size()))
        return -1;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        return -1;
    }
    // an icon of another size is scaled to the list's (nearest pixel), as one image
    int w = 0, h = 0, mw = 0, mh = 0;
    std::vector<DWORD> colour = ReadBitmap(info.hbmColor, w, h);
    std::vector<DWORD> mask = ReadBitmap(info.hbmMask, mw, mh);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (colour.empty() || mask.empty() || mw != w || mh != h)
        return -1;
    const int cx = il->cx, cy = il->cy;
    std::vector<DWORD> px(size_t(cx) * size_t(cy)), mk(px.size());
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            size_t from = size_t(y * h / cy) * size_t(w) + size_t(x * w / cx);
            px[size_t(y) * size_t(cx) + size_t(x)] = colour[from];
            mk[size_t(y) * size_t(cx) + size_t(x)] = mask[from];
        }
    HBITMAP image = ::CreateBitmap(cx, cy, 1, 32, px.data());
    HBITMAP clear = ::CreateBitmap(cx, cy, 1, 32, mk.data());
    int at = -1;
    if (image && clear)
        at = i == -1 ? ImageList_Add(himl, image, clear) : (ImageList_Replace(himl, i, image, clear) ? i : -1);
    if (image)
        DeleteObject(image);
    if (clear)
        DeleteObject(clear);
    return at;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    IMAGELIST__* il = Get(himl);
    if (!il)
        return FALSE;
    if (i == -1) {
        il->images.clear();
        return TRUE;
    }
    if (i < 0 || i >= int(il->images.size()))
        return FALSE;
    il->images.erase(il->images.begin() + i);
    return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg, UINT style)
{
    IMAGELIST__* il = Get(himl);
    if (!il || i < 0 || i >= int(il->images.size()) || !hdc)
        return FALSE;
    const auto& img = il->images[size_t(i)];
    int w = dx > 0 ? std::min(dx, il->cx) : il->cx, h = dy > 0 ? std::min(dy, il->cy) : il->cy;
    // what is under the image now
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP under = CreateCompatibleBitmap(hdc, w, h);
    HGDIOBJ old = SelectObject(mem, under);
    BitBlt(mem, 0, 0, w, h, hdc, x, y, SRCCOPY);
    SelectObject(mem, old);
    std::vector<DWORD> dst(size_t(w) * size_t(h));
    BITMAPINFO bi = Info(w, h);
    GetDIBits(mem, under, 0, UINT(h), dst.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(under);
    DeleteDC(mem);

    COLORREF back = bk == CLR_DEFAULT ? il->bk : bk;
    bool transparent = (style & ILD_TRANSPARENT) || back == CLR_NONE;
    int blend = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
    DWORD tint = ToPixel(fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) {
            size_t s = size_t(yy) * size_t(il->cx) + size_t(xx), d = size_t(yy) * size_t(w) + size_t(xx);
            bool clear = img.clear[s] != 0;
            if (style & ILD_MASK) {
                dst[d] = clear ? 0xFFFFFF : 0;
                continue;
            }
            if (clear) {
                if (!transparent)
                    dst[d] = ToPixel(back);
                continue;
            }
            dst[d] = blend ? Blend(img.px[s], tint, blend) : img.px[s];
        }
    SetDIBitsToDevice(hdc, x, y, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), dst.data(), &bi, DIB_RGB_COLORS);
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdc, int x, int y, UINT style)
{
    return ImageList_DrawEx(himl, i, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    IMAGELIST__* il = Get(himl);
    if (!il)
        return FALSE;
    if (cx)
        *cx = il->cx;
    if (cy)
        *cy = il->cy;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    IMAGELIST__* il = Get(himl);
    if (!il || cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
        return FALSE;
    il->cx = cx;
    il->cy = cy;
    il->images.clear();
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF bk)
{
    IMAGELIST__* il = Get(himl);
    if (!il)
        return CLR_NONE;
    COLORREF old = il->bk;
    il->bk = bk;
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    IMAGELIST__* il = Get(himl);
    return il ? il->bk : CLR_NONE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info)
{
    IMAGELIST__* il = Get(himl);
    if (!il || !info || i < 0 || i >= int(il->images.size()))
        return FALSE;
    *info = IMAGEINFO{};
    info->rcImage = RECT{0, 0, il->cx, il->cy};
    return TRUE;
}

HIMAGELIST ImageList_LoadBitmap(HINSTANCE, LPCWSTR bmp, int cx, int grow, COLORREF maskColour)
{
    CBitmap b;
    if (!IS_INTRESOURCE(bmp) || !b.LoadBitmap(bmp))
        return nullptr;
    BITMAP bm{};
    b.GetBitmap(&bm);
    HIMAGELIST il = ImageList_Create(cx, bm.bmHeight, ILC_COLOR24 | (maskColour != CLR_NONE ? ILC_MASK : 0), 0, grow);
    if (!il)
        return nullptr;
    if (maskColour != CLR_NONE)
        ImageList_AddMasked(il, b, maskColour);
    else
        ImageList_Add(il, b, nullptr);
    return il;
}

// ---- CImageList ----

IMPLEMENT_DYNAMIC(CImageList, CObject)

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    DeleteImageList();
    m_hImageList = ImageList_LoadBitmap(nullptr, MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    DeleteImageList();
    m_hImageList = hImageList;
    return hImageList != nullptr;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, pbmImage ? HBITMAP(*pbmImage) : nullptr, pbmMask ? HBITMAP(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, pbmImage ? HBITMAP(*pbmImage) : nullptr, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, pbmImage ? HBITMAP(*pbmImage) : nullptr,
                             pbmMask ? HBITMAP(*pbmMask) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC && ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
