// Reads arbitrary bytes as a bitmap file and as a packed bitmap. Logo files and clipboard
// bitmaps come from outside the program, so the readers must refuse anything malformed.
#include "platform/gdi/BmpFile.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    DibImage image;
    ReadBmp(bytes.data(), bytes.size(), image);
    DibImage packed;
    ReadPackedDib(bytes.data(), bytes.size(), packed);
    return 0;
}
