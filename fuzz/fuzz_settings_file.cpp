// Reads arbitrary bytes as the settings file and changes its language, as the Language command
// does: neither may read past the buffer, and the changed file must say the chosen language.
#include "shell/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    bool damaged = false;
    ParseLanguageSetting(bytes, &damaged);
    for (int language : {0, 1}) {
        bool nowDamaged = true;
        const int read = ParseLanguageSetting(UpdateLanguageSetting(bytes, language), &nowDamaged);
        if (nowDamaged || (language == 1 && read != 1))
            std::abort();
    }
    return 0;
}
