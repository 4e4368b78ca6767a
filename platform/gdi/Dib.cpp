// Device-independent bitmaps: copying pixels between bitmaps and DIB memory, drawing DIBs and
// DIB sections.
#include "platform/gdi/DC.h"

#include "platform/gdi/detail/DcImpl.h"
#include "platform/gdi/detail/DibCodec.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using gdi::BitmapObj;
using gdi::DibFormat;
using gdi::Kind;

namespace {

BitmapObj* Bmp(HBITMAP h)
{
    auto* b = gdi::LookupAs<BitmapObj>(h, Kind::Bitmap);
    return b && b->surface ? b : nullptr;
}

// The colour table and masks follow the header; their size is not known to us, so allow what
// the header asks for.
bool Describe(const BITMAPINFO* info, DibFormat& f)
{
    return info && gdi::DescribeDib(info->bmiHeader, info->bmiColors, size_t(1) << 12, f, nullptr);
}

}  // namespace

int GetDIBits(HDC, HBITMAP hbm, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT)
{
    BitmapObj* b = Bmp(hbm);
    if (!b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    gdi::Surface& s = *b->surface;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits && h.biBitCount == 0) {
        h.biWidth = s.Width();
        h.biHeight = s.Height();
        h.biPlanes = 1;
        h.biBitCount = WORD(b->IsMono() ? 1 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(DibRowBytes(s.Width(), h.biBitCount) * s.Height());
        h.biClrUsed = 0;
        return 1;
    }
    if (h.biCompression != BI_RGB)
        return 0;
    h.biClrUsed = 0;
    std::vector<RGBQUAD> table = gdi::StandardColorTable(h.biBitCount);
    if (!table.empty())
        std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
    DibFormat f;
    if (!Describe(info, f))
        return 0;
    h.biSizeImage = DWORD(f.rowBytes) * DWORD(f.height);
    if (!bits)
        return 1;
    if (start >= UINT(f.height))
        return 0;
    UINT n = std::min<UINT>(lines, UINT(f.height) - start);
    s.BeginAccess();
    auto* out = static_cast<BYTE*>(bits);
    for (UINT i = 0; i < n; ++i) {
        BYTE* row = out + std::size_t(i) * std::size_t(f.rowBytes);
        std::memset(row, 0, size_t(f.rowBytes));
        // bottom-up scan lines are counted from the bottom row
        int y = gdi::ImageRow(f, int(start + i));
        if (y >= s.Height())
            continue;
        const std::uint32_t* src = s.Row(y);
        int w = std::min(f.width, s.Width());
        for (int x = 0; x < w; ++x)
            gdi::WriteDibPixel(f, row, x, src[x] & 0xFFFFFF);
    }
    return int(n);
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT)
{
    BitmapObj* b = Bmp(hbm);
    DibFormat f;
    if (!b || !bits || !Describe(info, f) || start >= UINT(f.height))
        return 0;
    gdi::Surface& s = *b->surface;
    UINT n = std::min<UINT>(lines, UINT(f.height) - start);
    const auto* in = static_cast<const BYTE*>(bits);
    s.BeginAccess();
    for (UINT i = 0; i < n; ++i) {
        const BYTE* row = in + std::size_t(i) * std::size_t(f.rowBytes);
        int y = gdi::ImageRow(f, int(start + i));
        if (y >= s.Height())
            continue;
        std::uint32_t* dst = s.Row(y);
        int w = std::min(f.width, s.Width());
        for (int x = 0; x < w; ++x) {
            std::uint32_t px = gdi::ReadDibPixel(f, row, x);
            dst[x] = b->IsMono() ? (((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF) >= 384 ? 0xFFFFFF : 0) : px;
        }
    }
    s.EndAccess();
    return int(n);
}

int StretchDIBits(HDC hdc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
                  const void* bits, const BITMAPINFO* info, UINT, DWORD rop)
{
    CDC* dst = CDC::FromHandle(hdc);
    DibFormat f;
    if (!dst || !bits || !Describe(info, f) || wSrc == 0 || hSrc == 0)
        return 0;
    // source rectangle in image rows counted from the top; ySrc of a bottom-up DIB counts
    // from the bottom row
    int left = std::min(xSrc, xSrc + wSrc), right = std::max(xSrc, xSrc + wSrc);
    int lo = std::min(ySrc, ySrc + hSrc), hi = std::max(ySrc, ySrc + hSrc);
    int top = f.topDown ? lo : f.height - hi;
    int bottom = f.topDown ? hi : f.height - lo;
    int w = right - left, h = bottom - top;
    auto temp = gdi::Surface::Create(w, h);
    if (!temp)
        return 0;
    const auto* in = static_cast<const BYTE*>(bits);
    for (int y = 0; y < h; ++y) {
        int imgRow = top + y;
        std::uint32_t* out = temp->Row(y);
        if (imgRow < 0 || imgRow >= f.height)
            continue;
        int stored = f.topDown ? imgRow : f.height - 1 - imgRow;
        const BYTE* row = in + std::size_t(stored) * std::size_t(f.rowBytes);
        for (int x = 0; x < w; ++x) {
            int sx = left + x;
            if (sx >= 0 && sx < f.width)
                out[x] = gdi::ReadDibPixel(f, row, sx);
        }
    }
    temp->EndAccess();
    // wrap the pixels in a memory DC and stretch them across
    auto obj = std::make_unique<BitmapObj>();
    obj->surface = temp;
    HBITMAP hbm = static_cast<HBITMAP>(gdi::Register(std::move(obj)));
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = mem.SelectObject(static_cast<HGDIOBJ>(hbm));
    // negative source extents mirror the picture
    int sx0 = wSrc < 0 ? w : 0, sy0 = hSrc < 0 ? h : 0;
    dst->StretchBlt(xDst, yDst, wDst, hDst, &mem, sx0, sy0, wSrc < 0 ? -w : w, hSrc < 0 ? -h : h, rop);
    mem.SelectObject(old);
    ::DeleteObject(hbm);
    return h;
}

int SetDIBitsToDevice(HDC hdc, int xDst, int yDst, DWORD w, DWORD h, int xSrc, int ySrc, UINT, UINT, const void* bits,
                      const BITMAPINFO* info, UINT usage)
{
    return StretchDIBits(hdc, xDst, yDst, int(w), int(h), xSrc, ySrc, int(w), int(h), bits, info, usage, SRCCOPY);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    DibFormat f;
    if (!info || info->bmiHeader.biBitCount != 32 || info->bmiHeader.biCompression != BI_RGB || !Describe(info, f) ||
        !f.topDown)
        return nullptr;
    void* mem = std::calloc(size_t(f.rowBytes) * size_t(f.height), 1);
    if (!mem)
        return nullptr;
    auto obj = std::make_unique<BitmapObj>();
    obj->dibBits = mem;
    obj->surface = gdi::Surface::CreateForData(mem, f.width, f.height, f.rowBytes);
    if (!obj->surface)
        return nullptr;  // obj frees mem
    if (bits)
        *bits = mem;
    return static_cast<HBITMAP>(gdi::Register(std::move(obj)));
}
