#include "platform/gdi/BmpFile.h"

#include "platform/base/CString.h"
#include "platform/base/SafeReplace.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/detail/DibCodec.h"
#include "platform/gdi/detail/GdiObjectImpl.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr size_t kFileHeader = sizeof(BITMAPFILEHEADER);
constexpr WORD kMagic = 0x4D42;  // "BM"

template <class T>
T Get(const BYTE* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool Fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
    return false;
}

gdi::DibFormat FormatOf(const DibImage& img)
{
    gdi::DibFormat f;
    std::vector<BYTE> extra(img.colors.size() * sizeof(RGBQUAD) + 12);
    if (img.header.biCompression == BI_BITFIELDS)
        std::memcpy(extra.data(), img.masks, 12);
    else if (!img.colors.empty())
        std::memcpy(extra.data(), img.colors.data(), img.colors.size() * sizeof(RGBQUAD));
    gdi::DescribeDib(img.header, extra.data(), extra.size(), f, nullptr);
    return f;
}

}  // namespace

COLORREF DibImage::GetPixel(int x, int y) const
{
    gdi::DibFormat f = FormatOf(*this);
    if (f.width == 0 || x < 0 || y < 0 || x >= f.width || y >= f.height)
        return CLR_INVALID;
    int stored = f.topDown ? y : f.height - 1 - y;
    size_t off = size_t(stored) * size_t(f.rowBytes);
    if (off + size_t(f.rowBytes) > bits.size())
        return CLR_INVALID;
    return gdi::ColorFromPixel(gdi::ReadDibPixel(f, bits.data() + off, x));
}

namespace {

// Parses a DIB that starts with its information header. rowsAt: offset of the pixel rows from
// the header, or npos when they follow the colour table directly (packed DIBs).
bool ParseDib(const BYTE* data, size_t size, size_t rowsAt, DibImage& out, std::string* error)
{
    if (size < sizeof(BITMAPINFOHEADER))
        return Fail(error, "bitmap header truncated");
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size)
        return Fail(error, "unsupported bitmap header");
    size_t extraAt = h.biSize;
    // with a 40-byte header the three bit-field masks follow it; later headers hold them
    size_t masksAt = extraAt;
    size_t colorsAt = extraAt;
    if (h.biCompression == BI_BITFIELDS) {
        if (h.biSize >= 52)
            masksAt = 40;
        else
            colorsAt += 12;
    }
    gdi::DibFormat f;
    std::vector<BYTE> extra;
    if (h.biCompression == BI_BITFIELDS) {
        if (masksAt + 12 > size)
            return Fail(error, "truncated colour masks");
        extra.assign(data + masksAt, data + masksAt + 12);
    } else {
        extra.assign(data + std::min(colorsAt, size), data + size);
    }
    if (!gdi::DescribeDib(h, extra.data(), extra.size(), f, error))
        return false;
    if (rowsAt == std::string::npos)
        rowsAt = colorsAt + f.colors.size() * sizeof(RGBQUAD);
    std::uint64_t imageBytes = std::uint64_t(f.rowBytes) * std::uint64_t(f.height);
    if (rowsAt < extraAt || std::uint64_t(rowsAt) + imageBytes > size)
        return Fail(error, "truncated pixel data");
    out = DibImage{};
    out.header = h;
    out.header.biSize = sizeof(BITMAPINFOHEADER);
    out.header.biSizeImage = DWORD(imageBytes);
    out.header.biClrUsed = DWORD(f.colors.size());
    out.colors = f.colors;
    if (h.biCompression == BI_BITFIELDS)
        std::memcpy(out.masks, f.masks, sizeof out.masks);
    out.bits.assign(data + rowsAt, data + rowsAt + imageBytes);
    return true;
}

BitmapResourceLoader g_resourceLoader = nullptr;

}  // namespace

bool ReadBmp(const BYTE* data, size_t size, DibImage& out, std::string* error)
{
    if (!data || size < kFileHeader + sizeof(BITMAPINFOHEADER))
        return Fail(error, "file too short for a bitmap");
    if (Get<WORD>(data) != kMagic)
        return Fail(error, "not a bitmap file");
    DWORD offBits = Get<DWORD>(data + 10);
    if (offBits < kFileHeader)
        return Fail(error, "truncated pixel data");
    return ParseDib(data + kFileHeader, size - kFileHeader, offBits - kFileHeader, out, error);
}

bool ReadPackedDib(const BYTE* data, size_t size, DibImage& out, std::string* error)
{
    if (!data)
        return Fail(error, "no bitmap data");
    return ParseDib(data, size, std::string::npos, out, error);
}

HBITMAP CreateBitmapFromBytes(const BYTE* data, size_t size, std::string* error)
{
    DibImage img;
    bool ok = size >= 2 && data && Get<WORD>(data) == kMagic ? ReadBmp(data, size, img, error)
                                                             : ReadPackedDib(data, size, img, error);
    return ok ? CreateBitmapFromDib(img) : nullptr;
}

void SetBitmapResourceLoader(BitmapResourceLoader loader)
{
    g_resourceLoader = loader;
}

HBITMAP LoadBitmapResource(UINT id)
{
    std::vector<BYTE> bytes;
    if (!g_resourceLoader || !g_resourceLoader(id, bytes))
        return nullptr;
    return CreateBitmapFromBytes(bytes.data(), bytes.size(), nullptr);
}

bool ReadBmpFile(const std::wstring& path, DibImage& out, std::string* error)
{
    std::ifstream in(ToUtf8(path.c_str(), path.size()), std::ios::binary);
    if (!in)
        return Fail(error, "cannot open file");
    in.seekg(0, std::ios::end);
    std::streamoff len = in.tellg();
    if (len < 0 || len > (std::streamoff(1) << 31))
        return Fail(error, "file too large");
    in.seekg(0);
    std::vector<BYTE> bytes(static_cast<size_t>(len));
    if (len > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), len))
        return Fail(error, "cannot read file");
    return ReadBmp(bytes.data(), bytes.size(), out, error);
}

std::vector<BYTE> WriteBmp(const DibImage& img)
{
    BITMAPINFOHEADER h = img.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biClrUsed = DWORD(img.colors.size());
    bool masks = h.biCompression == BI_BITFIELDS;
    size_t tableBytes = img.colors.size() * sizeof(RGBQUAD) + (masks ? 12 : 0);
    BITMAPFILEHEADER fh{};
    fh.bfType = kMagic;
    fh.bfOffBits = DWORD(kFileHeader + sizeof h + tableBytes);
    fh.bfSize = DWORD(fh.bfOffBits + img.bits.size());
    h.biSizeImage = DWORD(img.bits.size());
    std::vector<BYTE> out(fh.bfSize);
    BYTE* p = out.data();
    std::memcpy(p, &fh, kFileHeader);
    std::memcpy(p + kFileHeader, &h, sizeof h);
    p += kFileHeader + sizeof h;
    if (masks) {
        std::memcpy(p, img.masks, 12);
        p += 12;
    }
    if (!img.colors.empty())
        std::memcpy(p, img.colors.data(), img.colors.size() * sizeof(RGBQUAD));
    if (!img.bits.empty())
        std::memcpy(out.data() + fh.bfOffBits, img.bits.data(), img.bits.size());
    return out;
}

bool WriteBmpFile(const std::wstring& path, const DibImage& img)
{
    std::vector<BYTE> bytes = WriteBmp(img);
    try {
        AfxWriteFileReplacing(CString(path.c_str()),
                              [&](CFile& file) { file.Write(bytes.data(), static_cast<UINT>(bytes.size())); });
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

HBITMAP CreateBitmapFromDib(const DibImage& img)
{
    gdi::DibFormat f = FormatOf(img);
    if (f.width == 0 || img.bits.size() < size_t(f.rowBytes) * size_t(f.height))
        return nullptr;
    HBITMAP bmp = CreateBitmap(f.width, f.height, 1, 32, nullptr);
    auto* b = gdi::LookupAs<gdi::BitmapObj>(bmp, gdi::Kind::Bitmap);
    if (!b)
        return nullptr;
    gdi::Surface& s = *b->surface;
    s.BeginAccess();
    for (int r = 0; r < f.height; ++r) {
        const BYTE* row = img.bits.data() + size_t(r) * size_t(f.rowBytes);
        std::uint32_t* dst = s.Row(gdi::ImageRow(f, r));
        for (int x = 0; x < f.width; ++x)
            dst[x] = gdi::ReadDibPixel(f, row, x);
    }
    s.EndAccess();
    return bmp;
}

bool DibFromBitmap(HBITMAP bmp, int bitCount, bool topDown, DibImage& out)
{
    auto* b = gdi::LookupAs<gdi::BitmapObj>(bmp, gdi::Kind::Bitmap);
    if (!b || !b->surface || (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32))
        return false;
    int w = b->surface->Width(), h = b->surface->Height();
    out = DibImage{};
    out.header.biSize = sizeof(BITMAPINFOHEADER);
    out.header.biWidth = w;
    out.header.biHeight = topDown ? -h : h;
    out.header.biPlanes = 1;
    out.header.biBitCount = WORD(bitCount);
    out.header.biCompression = BI_RGB;
    out.colors = gdi::StandardColorTable(bitCount);
    out.header.biClrUsed = DWORD(out.colors.size());
    out.bits.assign(size_t(DibRowBytes(w, bitCount)) * size_t(h), 0);
    out.header.biSizeImage = DWORD(out.bits.size());
    gdi::DibFormat f = FormatOf(out);
    gdi::Surface& s = *b->surface;
    s.BeginAccess();
    for (int r = 0; r < h; ++r) {
        BYTE* row = out.bits.data() + size_t(r) * size_t(f.rowBytes);
        const std::uint32_t* src = s.Row(gdi::ImageRow(f, r));
        for (int x = 0; x < w; ++x)
            gdi::WriteDibPixel(f, row, x, src[x] & 0xFFFFFF);
    }
    return true;
}
