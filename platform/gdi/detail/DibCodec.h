// Pixel formats of device-independent bitmaps: reading and writing one pixel of a stored row
// at 1, 4, 8, 16, 24 or 32 bits, and the standard colour tables used when converting to
// palette formats.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

struct DibFormat {
    int width = 0;
    int height = 0;  // absolute
    int bpp = 0;
    bool topDown = false;
    int rowBytes = 0;
    std::vector<RGBQUAD> colors;
    bool bitfields = false;
    DWORD masks[3] = {0, 0, 0};
};

// Checks a header (and its colour table / masks, which follow it in memory) and describes the
// format; false with a reason for unsupported or inconsistent headers.
bool DescribeDib(const BITMAPINFOHEADER& h, const void* colorsAndMasks, size_t available, DibFormat& out,
                 std::string* error);
// Stored row r (0 = first in memory) -> image row counted from the top.
inline int ImageRow(const DibFormat& f, int r) { return f.topDown ? r : f.height - 1 - r; }
std::uint32_t ReadDibPixel(const DibFormat& f, const BYTE* row, int x);
void WriteDibPixel(const DibFormat& f, BYTE* row, int x, std::uint32_t px);
// Colour table written for palette depths (2^bpp entries; empty above 8 bits).
std::vector<RGBQUAD> StandardColorTable(int bpp);

}  // namespace gdi
