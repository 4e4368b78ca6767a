#include "image/LcdCharMap.h"

#include <array>

namespace {

struct LcdPair {
    wchar_t ch;
    BYTE code;
};

// Characters whose code is not their ASCII code.
constexpr LcdPair kMoved[] = {
    {L' ', 91},  {L'.', 92},  {L'(', 95},  {L')', 96},  {L'+', 123}, {L'-', 124}, {L'/', 126},
    {L'*', 127}, {L'!', 130}, {L'_', 131}, {L'~', 143}, {L'#', 144}, {L'$', 145}, {L'%', 146},
    {L'^', 147}, {L'&', 148}, {L'|', 149}, {L'\\', 150}, {L'{', 151}, {L'}', 152}, {L'[', 153},
    {L']', 154}, {L'"', 155}, {L'\'', 156}, {L',', 157}, {L'`', 158},
};

bool KeepsAscii(wchar_t ch)
{
    return (ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') ||
           (ch >= 0x3A && ch <= 0x40);
}

// code -> character, built once from the two rules.
const std::array<wchar_t, 256>& Inverse()
{
    static const std::array<wchar_t, 256> table = [] {
        std::array<wchar_t, 256> t{};
        for (wchar_t ch = 0x20; ch < 0x7F; ++ch)
            if (KeepsAscii(ch))
                t[size_t(ch)] = ch;
        for (const LcdPair& p : kMoved)
            t[p.code] = p.ch;
        return t;
    }();
    return table;
}

} // namespace

BYTE LcdCodeOf(wchar_t ch)
{
    if (KeepsAscii(ch))
        return BYTE(ch);
    for (const LcdPair& p : kMoved)
        if (p.ch == ch)
            return p.code;
    return 0;
}

wchar_t LcdCharOf(BYTE code)
{
    return Inverse()[code];
}
