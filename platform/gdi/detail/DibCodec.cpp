#include "platform/gdi/detail/DibCodec.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

int MaskShift(DWORD m)
{
    int s = 0;
    while (m && !(m & 1)) { m >>= 1; ++s; }
    return s;
}

int MaskBits(DWORD m)
{
    m >>= MaskShift(m);
    int b = 0;
    while (m & 1) { m >>= 1; ++b; }
    return b;
}

unsigned Expand(DWORD v, DWORD mask)
{
    if (!mask)
        return 0;
    int bits = MaskBits(mask);
    unsigned x = unsigned((v & mask) >> MaskShift(mask));
    if (bits >= 8)
        return x >> (bits - 8);
    return bits ? (x * 255u) / ((1u << bits) - 1u) : 0u;
}

std::uint32_t FromQuad(const RGBQUAD& q)
{
    return (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

int Nearest(const std::vector<RGBQUAD>& table, std::uint32_t px)
{
    int r = int((px >> 16) & 0xFF), g = int((px >> 8) & 0xFF), b = int(px & 0xFF);
    int best = 0;
    long bestErr = -1;
    for (size_t i = 0; i < table.size(); ++i) {
        long dr = r - table[i].rgbRed, dg = g - table[i].rgbGreen, db = b - table[i].rgbBlue;
        long err = dr * dr + dg * dg + db * db;
        if (bestErr < 0 || err < bestErr) {
            bestErr = err;
            best = int(i);
            if (err == 0)
                break;
        }
    }
    return best;
}

}  // namespace

std::vector<RGBQUAD> StandardColorTable(int bpp)
{
    std::vector<RGBQUAD> t;
    static const BYTE kVga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                     {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    if (bpp == 1) {
        t = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    } else if (bpp == 4 || bpp == 8) {
        // the 16 VGA colours; 8 bits add a 6x6x6 colour cube and 24 greys
        for (const auto& c : kVga)
            t.push_back(RGBQUAD{c[2], c[1], c[0], 0});
        if (bpp == 8) {
            for (int i = 0; i < 216; ++i)
                t.push_back(RGBQUAD{BYTE((i % 6) * 51), BYTE(((i / 6) % 6) * 51), BYTE((i / 36) * 51), 0});
            for (int i = 0; i < 24; ++i) {
                BYTE v = BYTE(8 + i * 10);
                t.push_back(RGBQUAD{v, v, v, 0});
            }
        }
    }
    return t;
}

bool DescribeDib(const BITMAPINFOHEADER& h, const void* extra, size_t available, DibFormat& f, std::string* error)
{
    auto fail = [&](const char* why) {
        if (error)
            *error = why;
        return false;
    };
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return fail("unsupported bitmap header");
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return fail("bad bitmap size");
    std::int64_t w = h.biWidth, ht = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (w * ht > kMaxPixels)
        return fail("bitmap too large");
    if (h.biPlanes != 1)
        return fail("bad plane count");
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return fail("unsupported bit depth");
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return fail("compressed bitmaps are not supported");
    f = DibFormat{};
    f.width = int(w);
    f.height = int(ht);
    f.bpp = bpp;
    f.topDown = h.biHeight < 0;
    f.rowBytes = int(((w * bpp + 31) / 32) * 4);
    const BYTE* p = static_cast<const BYTE*>(extra);
    if (h.biCompression == BI_BITFIELDS) {
        if (available < 12)
            return fail("truncated colour masks");
        f.bitfields = true;
        std::memcpy(f.masks, p, 12);
    } else if (bpp == 16) {
        f.bitfields = true;
        f.masks[0] = 0x7C00;
        f.masks[1] = 0x03E0;
        f.masks[2] = 0x001F;
    } else if (bpp == 32) {
        f.bitfields = true;
        f.masks[0] = 0xFF0000;
        f.masks[1] = 0x00FF00;
        f.masks[2] = 0x0000FF;
    }
    if (bpp <= 8) {
        size_t n = h.biClrUsed ? h.biClrUsed : (size_t(1) << bpp);
        if (n > (size_t(1) << bpp))
            return fail("too many colours");
        if (available < n * sizeof(RGBQUAD))
            return fail("truncated colour table");
        f.colors.resize(n);
        std::memcpy(f.colors.data(), p, n * sizeof(RGBQUAD));
    }
    return true;
}

std::uint32_t ReadDibPixel(const DibFormat& f, const BYTE* row, int x)
{
    switch (f.bpp) {
    case 1:
    case 4:
    case 8: {
        int idx;
        if (f.bpp == 1)
            idx = (row[x / 8] >> (7 - x % 8)) & 1;
        else if (f.bpp == 4)
            idx = (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        else
            idx = row[x];
        return size_t(idx) < f.colors.size() ? FromQuad(f.colors[size_t(idx)]) : 0;
    }
    case 16: {
        DWORD v = DWORD(row[2 * x]) | (DWORD(row[2 * x + 1]) << 8);
        return (Expand(v, f.masks[0]) << 16) | (Expand(v, f.masks[1]) << 8) | Expand(v, f.masks[2]);
    }
    case 24: return std::uint32_t(row[3 * x]) | (std::uint32_t(row[3 * x + 1]) << 8) | (std::uint32_t(row[3 * x + 2]) << 16);
    case 32: {
        DWORD v = DWORD(row[4 * x]) | (DWORD(row[4 * x + 1]) << 8) | (DWORD(row[4 * x + 2]) << 16) |
                  (DWORD(row[4 * x + 3]) << 24);
        return (Expand(v, f.masks[0]) << 16) | (Expand(v, f.masks[1]) << 8) | Expand(v, f.masks[2]);
    }
    default: return 0;
    }
}

void WriteDibPixel(const DibFormat& f, BYTE* row, int x, std::uint32_t px)
{
    switch (f.bpp) {
    case 1:
    case 4:
    case 8: {
        int idx = Nearest(f.colors, px);
        if (f.bpp == 1) {
            BYTE bit = BYTE(0x80 >> (x % 8));
            row[x / 8] = BYTE(idx ? (row[x / 8] | bit) : (row[x / 8] & ~bit));
        } else if (f.bpp == 4) {
            BYTE& b = row[x / 2];
            b = (x % 2) ? BYTE((b & 0xF0) | idx) : BYTE((b & 0x0F) | (idx << 4));
        } else {
            row[x] = BYTE(idx);
        }
        break;
    }
    case 16: {
        WORD v = WORD((((px >> 19) & 0x1F) << 10) | (((px >> 11) & 0x1F) << 5) | ((px >> 3) & 0x1F));
        row[2 * x] = BYTE(v);
        row[2 * x + 1] = BYTE(v >> 8);
        break;
    }
    case 24:
        row[3 * x] = BYTE(px);
        row[3 * x + 1] = BYTE(px >> 8);
        row[3 * x + 2] = BYTE(px >> 16);
        break;
    case 32:
        row[4 * x] = BYTE(px);
        row[4 * x + 1] = BYTE(px >> 8);
        row[4 * x + 2] = BYTE(px >> 16);
        row[4 * x + 3] = 0;
        break;
    default: break;
    }
}

}  // namespace gdi
