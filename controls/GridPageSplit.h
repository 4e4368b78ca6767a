// How the rows (or columns) of a printed grid fall on pages.
#pragma once

#include <vector>

// Splits the items of the given sizes from `first` to the end into pages of `room` units each
// and returns the first item of every page. A page holds at least one item, so an item larger
// than the room gets a page of its own and a room of 0 or less still makes progress; hidden
// items (size 0) go with the page before them. An item marked in `keepWithPrevious` (the right
// half of a double-width character) starts no page while the item before it can start one
// instead. There is always at least one page, starting at `first`, even when no item is left.
std::vector<int> GridPageStarts(const std::vector<int>& sizes, int first, int room,
                                const std::vector<bool>& keepWithPrevious = {});
