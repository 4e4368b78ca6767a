#include "image/OpcodeTables.h"

#include <iterator>

namespace {

struct OpcodeEntry {
    int nType;
    WORD wOpcode;
};

// The I/O types first, then the 97 function-block types.
constexpr OpcodeEntry kIoOpcodes[] = {
    {600, 0x0000}, {601, 0x0010}, {602, 0x0020}, {603, 0x0030}, {604, 0x0040}, {605, 0x0050},
    {606, 0xFFFF}, {607, 0x0060}, {608, 0x0080}, {609, 0x0090}, {610, 0x00A0}, {611, 0x00B0},
};

constexpr OpcodeEntry kBlockOpcodes[] = {
    {300, 0x0100}, {301, 0x0700}, {302, 0x0400}, {303, 0x0800}, {304, 0x0200}, {305, 0x0500},
    {306, 0x0600}, {307, 0x0300}, {400, 0x2140}, {401, 0x2240}, {402, 0x2F40}, {403, 0x2740},
    {404, 0x2A40}, {405, 0x3340}, {406, 0x2D40}, {407, 0x3040}, {408, 0x3140}, {409, 0x3240},
    {410, 0x2440}, {411, 0x2E40}, {412, 0x2840}, {413, 0x4840}, {800, 0x2B40}, {801, 0x29C0},
    {802, 0x2C40}, {803, 0x3640}, {804, 0x3540}, {805, 0x4240}, {806, 0x3940}, {807, 0x3A40},
    {808, 0x2500}, {809, 0x2300}, {810, 0x3440}, {811, 0x3740}, {812, 0x3800}, {813, 0x3B00},
    {814, 0x3C00}, {815, 0x4440}, {816, 0x4040}, {817, 0x4140}, {818, 0x43C0}, {819, 0x3E40},
    {820, 0x4700}, {821, 0x4640}, {822, 0x4540}, {823, 0x3D40}, {824, 0x6440}, {825, 0x6540},
    {826, 0x6640}, {827, 0x6740}, {830, 0x0B40}, {831, 0x0C40}, {832, 0x0D40}, {833, 0x0E40},
    {834, 0x0F40}, {835, 0x1040}, {836, 0x1140}, {837, 0x1240}, {838, 0x1340}, {839, 0x1440},
    {840, 0x1540}, {841, 0x1640}, {842, 0x1740}, {843, 0x1840}, {844, 0x1940}, {845, 0x1A40},
    {846, 0x1B40}, {847, 0x5A40}, {848, 0x5C40}, {849, 0x5D40}, {850, 0x5E40}, {851, 0x5F40},
    {852, 0x6040}, {853, 0x5240}, {854, 0x5340}, {855, 0x6140}, {856, 0x6240}, {860, 0x1D40},
    {861, 0x1E40}, {862, 0x1F40}, {863, 0x2040}, {864, 0x4940}, {865, 0x4A40}, {866, 0x4B40},
    {867, 0x4C40}, {868, 0x4D40}, {869, 0x4E40}, {870, 0x4F40}, {871, 0x5040}, {872, 0x5140},
    {873, 0x5440}, {874, 0x5540}, {875, 0x5640}, {876, 0x5740}, {877, 0x5840}, {878, 0x5940},
    {879, 0x5B40},
};

} // namespace

namespace OpcodeTables {

BOOL LookUpOpcode(int nType, WORD* pWord)
{
    for (const OpcodeEntry& e : kIoOpcodes)
        if (e.nType == nType) {
            *pWord = e.wOpcode;
            return TRUE;
        }
    for (const OpcodeEntry& e : kBlockOpcodes)
        if (e.nType == nType) {
            *pWord = e.wOpcode;
            return TRUE;
        }
    return FALSE;
}

int TypeOfKey(WORD key)
{
    for (const OpcodeEntry& e : kBlockOpcodes)
        if (e.wOpcode == key)
            return e.nType;
    return -1;
}

WORD KeyOfOpcode(BYTE b0, BYTE b1)
{
    const WORD high = WORD(b0 << 8);
    if (b0 <= 0x0A)
        return WORD(high | b1);
    switch (b0) {
    case 0x23: case 0x25: case 0x38: case 0x3B: case 0x3C: case 0x47:
        return high;
    case 0x29: case 0x43:
        return WORD(high | 0xC0);
    default:
        return WORD(high | 0x40);
    }
}

BOOL LookUpIndexWord(int nType, int nIndex, WORD* pWord)
{
    int count = 0;
    BYTE code = 0;
    bool split = false;  // markers and analog markers use a second class code from 256 on
    switch (nType) {
    case 600: count = 256; code = 0x00; break;
    case 601: count = 4; code = 0x10; break;
    case 602: count = 64; code = 0x20; break;
    case 605: count = 128; code = 0x50; break;
    case 607: count = 512; code = 0x60; split = true; break;
    case 606:
        if (nIndex < 0 || nIndex >= 128)
            return FALSE;
        *pWord = 0xFFFF;
        return TRUE;
    case 608: count = 64; code = 0x80; break;
    case 609: count = 32; code = 0x90; break;
    case 610: count = 512; code = 0xA0; split = true; break;
    case 611: count = 5; code = 0xB0; break;
    default: return FALSE;
    }
    if (nIndex < 0 || nIndex >= count)
        return FALSE;
    if (split && nIndex >= 256)
        *pWord = WORD(((nIndex - 256) << 8) | (code + 1));
    else
        *pWord = WORD((nIndex << 8) | code);
    return TRUE;
}

int FunctionBlockOpcodeCount()
{
    return int(std::size(kBlockOpcodes));
}

} // namespace OpcodeTables
