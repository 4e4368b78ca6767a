// The edit-mode cursors as pixel patterns: each pattern is 16 rows of 16 cells ('#' black,
// '.' white, anything else clear), shown doubled as a 32 x 32 cursor so that it reads at the
// size of the system's own pointers.
#include "view/ViewCursors.h"

#include <array>
#include <cstddef>

namespace {

struct Pattern {
    const char* rows[16];
    int hotX, hotY;  // in cells
};

// A cross hair with a short wire leaving it: the next click fixes a wire point.
constexpr Pattern kConnectOff = {{
    "      .#.       ",
    "      .#.       ",
    "      .#.       ",
    "      .#.       ",
    "      .#.       ",
    "......   ...... ",
    "######   ###### ",
    "......   ...... ",
    "      .#.       ",
    "      .#.  .....",
    "      .#.  .####",
    "      .#.  .#...",
    "      .#.  .#.  ",
    "           .#.  ",
    "           .#.  ",
    "           ...  ",
    }, 7, 6};

// The same cross hair holding a filled pin square: a click here ends on this pin.
constexpr Pattern kConnectOnPin = {{
    "      .#.       ",
    "      .#.       ",
    "      .#.       ",
    "    .......     ",
    "    .#####.     ",
    "....##...##.... ",
    "#####.....##### ",
    "....##...##.... ",
    "    .#####.     ",
    "    .......     ",
    "      .#.       ",
    "      .#.       ",
    "      .#.       ",
    "                ",
    "                ",
    "                ",
    }, 7, 6};

// A text caret beside a small note: a click places a free comment.
constexpr Pattern kComment = {{
    "###.###         ",
    "...#...         ",
    "  .#.           ",
    "  .#.  .........",
    "  .#.  .#######.",
    "  .#.  .#.....#.",
    "  .#.  .#.###.#.",
    "  .#.  .#.....#.",
    "  .#.  .#.##..#.",
    "  .#.  .#.....#.",
    "  .#.  .#######.",
    "...#...........",
    "###.###         ",
    "                ",
    "                ",
    "                ",
    }, 3, 6};

// Scissors: a click cuts a wire into a connector pair, or joins a pair again.
constexpr Pattern kCutJoin = {{
    "#.         .#   ",
    ".#.       .#.   ",
    " .#.     .#.    ",
    "  .#.   .#.     ",
    "   .#. .#.      ",
    "    .#.#.       ",
    "     .#.        ",
    "    .#.#.       ",
    "  ...# #...     ",
    " .###. .###.    ",
    ".#...#.#...#.   ",
    ".#. .#.#. .#.   ",
    ".#...#.#...#.   ",
    " .###. .###.    ",
    "  ...   ...     ",
    "                ",
    }, 6, 6};

// An open hand: a click places the block chosen in the palette.
constexpr Pattern kInsertHand = {{
    "      ..        ",
    "   .. .#. ..    ",
    "  .#..#.#.#.    ",
    "  .#..#.#.#. .. ",
    "  .#..#.#.#..#. ",
    "  .#..#.#.#..#. ",
    "..#...........#.",
    ".#.#..........#.",
    ".#..#.........#.",
    " .#..........#. ",
    "  .#.........#. ",
    "   .#.......#.  ",
    "    .#.....#.   ",
    "    .#######.   ",
    "     .......    ",
    "                ",
    }, 7, 1};

HCURSOR MakeCursor(const Pattern& p)
{
    constexpr int kSize = 32;
    std::array<DWORD, kSize * kSize> argb{};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16 && p.rows[y][x]; ++x) {
            const char c = p.rows[y][x];
            const DWORD pixel = c == '#' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    argb[size_t(2 * y + dy) * kSize + size_t(2 * x + dx)] = pixel;
        }
    return ::CreateCursorFromArgb(argb.data(), kSize, kSize, 2 * p.hotX + 1, 2 * p.hotY + 1);
}

} // namespace

HCURSOR GetViewCursor(ViewCursor which)
{
    // Made on first use and kept for the run: views come and go, the shapes stay the same.
    static const Pattern* const patterns[] = {&kConnectOff, &kConnectOnPin, &kComment, &kCutJoin, &kInsertHand};
    static HCURSOR cursors[std::size(patterns)] = {};
    const auto k = size_t(which);
    if (k >= std::size(patterns))
        return nullptr;
    if (!cursors[k])
        cursors[k] = MakeCursor(*patterns[k]);
    return cursors[k];
}
