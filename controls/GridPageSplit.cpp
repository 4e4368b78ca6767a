#include "controls/GridPageSplit.h"

#include <algorithm>

std::vector<int> GridPageStarts(const std::vector<int>& sizes, int first, int room,
                                const std::vector<bool>& keepWithPrevious)
{
    first = std::max(0, first);
    auto size = [&](int i) { return std::max(0, sizes[size_t(i)]); };
    auto kept = [&](int i) { return size_t(i) < keepWithPrevious.size() && keepWithPrevious[size_t(i)]; };
    std::vector<int> starts{first};
    int used = 0;
    for (int i = first; i < int(sizes.size()); ++i) {
        if (i > starts.back() && used + size(i) > room && size(i) > 0) {
            if (kept(i) && i - 1 > starts.back()) {
                starts.push_back(i - 1);
                used = size(i - 1);
            } else {
                starts.push_back(i);
                used = 0;
            }
        }
        used += size(i);
    }
    return starts;
}
