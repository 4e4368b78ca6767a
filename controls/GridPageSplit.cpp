#include "controls/GridPageSplit.h"

#include <algorithm>

std::vector<int> GridPageStarts(const std::vector<int>& sizes, int first, int room)
{
    first = std::max(0, first);
    std::vector<int> starts{first};
    int used = 0;
    for (int i = first; i < int(sizes.size()); ++i) {
        const int size = std::max(0, sizes[size_t(i)]);
        if (i > starts.back() && used + size > room && size > 0) {
            starts.push_back(i);
            used = 0;
        }
        used += size;
    }
    return starts;
}
