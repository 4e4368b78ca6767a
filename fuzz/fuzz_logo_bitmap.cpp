// Reads arbitrary bytes as a start-up logo file. The user picks the logo file, so the converter
// must refuse anything that is not a 108 x 64 one-bit bitmap without reading outside the bytes.
#include "shell/ProgramPropsLogoImage.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    BYTE image[kLogoImageBytes];
    ConvertLogoBytes(bytes.data(), bytes.size(), image);
    return 0;
}
