#include "shell/ProgramPropsLogoImage.h"

#include "platform/gdi/BmpFile.h"

#include <algorithm>

namespace {

constexpr int kRowBytes = 16;     // 108 pixels of one bit, padded to whole 32-bit units
constexpr int kLcdColumns = 120;  // the first 15 bytes of a row
constexpr int kLcdPages = kLogoHeight / 8;

} // namespace

LogoResult ConvertLogoBytes(const BYTE* data, size_t size, BYTE* out)
{
    DibImage img;
    if (data == nullptr || !ReadBmp(data, size, img))
        return LogoResult::notBitmap;
    const BITMAPINFOHEADER& h = img.header;
    if (h.biWidth != kLogoWidth || img.Height() != kLogoHeight || h.biBitCount != 1 ||
        h.biCompression != BI_RGB || img.colors.empty() ||
        img.bits.size() < size_t(kRowBytes) * kLogoHeight)
        return LogoResult::wrongFormat;
    if (out == nullptr)
        return LogoResult::ok;

    const bool topDown = h.biHeight < 0;
    // A set pixel bit is dark unless colour 0 is black: then the clear bits are the dark ones.
    const RGBQUAD& c0 = img.colors[0];
    const bool invert = c0.rgbBlue == 0 && c0.rgbGreen == 0 && c0.rgbRed == 0 && c0.rgbReserved == 0;
    std::fill(out, out + kLogoImageBytes, BYTE(0));
    for (int row = 0; row < kLogoHeight; ++row) {
        const int stored = topDown ? row : kLogoHeight - 1 - row;
        const BYTE* bits = img.bits.data() + size_t(stored) * kRowBytes;
        for (int col = 0; col < kLcdColumns; ++col) {
            const int pixel = (bits[col / 8] >> (7 - col % 8)) & 1;
            if (pixel != 0)
                out[(row / 8) * kLcdColumns + col] |= BYTE(1u << (row % 8));
        }
    }
    if (invert)
        for (int i = 0; i < kLcdPages * kLcdColumns; ++i)
            out[i] = BYTE(~out[i]);
    return LogoResult::ok;
}
