// Win32 raster operations on 24-bit xRGB pixel values.
#pragma once

#include "platform/base/WinTypes.h"

#include <cstdint>

namespace gdi {

// Binary raster operation (R2_*) of pen/brush p over destination d.
inline std::uint32_t Rop2(int code, std::uint32_t p, std::uint32_t d)
{
    unsigned t = unsigned(code - 1) & 15u;
    std::uint32_t r = 0;
    if (t & 1) r |= ~p & ~d;
    if (t & 2) r |= ~p & d;
    if (t & 4) r |= p & ~d;
    if (t & 8) r |= p & d;
    return r & 0xFFFFFF;
}

// Ternary raster operation: bit (P*4 + S*2 + D) of the operation's index byte gives the result.
inline std::uint32_t Rop3(DWORD rop, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    unsigned code = (rop >> 16) & 0xFF;
    switch (code) {
    case 0xCC: return s & 0xFFFFFF;
    case 0xF0: return p & 0xFFFFFF;
    case 0x5A: return (p ^ d) & 0xFFFFFF;
    case 0x55: return ~d & 0xFFFFFF;
    case 0x66: return (s ^ d) & 0xFFFFFF;
    case 0x88: return s & d & 0xFFFFFF;
    case 0xEE: return (s | d) & 0xFFFFFF;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
    }
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(code & (1u << i)))
            continue;
        r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r & 0xFFFFFF;
}

// Whether a ternary operation reads the pattern, the source or the destination.
inline bool RopUsesPattern(DWORD rop) { unsigned c = (rop >> 16) & 0xFF; return ((c >> 4) & 0x0F) != (c & 0x0F); }
inline bool RopUsesSource(DWORD rop) { unsigned c = (rop >> 16) & 0xFF; return ((c >> 2) & 0x33) != (c & 0x33); }

}  // namespace gdi
