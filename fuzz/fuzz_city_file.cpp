// Reads arbitrary bytes as the user city file. The file can be edited by hand or damaged, so the
// reader must keep to the buffer and skip what is not a well-formed line; what it keeps must
// write back as the same records.
#include "shell/CityTable.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CCityArray table;
    ResetCityTable(table);
    ParseCityFile(std::vector<std::uint8_t>(data, data + size), table);
    CCityArray again;
    ResetCityTable(again);
    int skipped = 0;
    ParseCityFile(FormatCityFile(table), again, &skipped);
    if (skipped != 0 || again.GetSize() != table.GetSize())
        std::abort();
    return 0;
}
