#include "image/ImageLayout.h"

#include <cstring>

namespace {

constexpr ImageSection kSections[kImageSectionCount] = {
    {0, 0, {u'L', u'C', 0}, 0x0000, 0x400}, {0, 0, {u'A', 0, 0}, 0x0400, 0x200},
    {0, 0, {u'B', 0, 0}, 0x0600, 0x800},    {0, 0, {u'C', 0, 0}, 0x0E00, 0x800},
    {0, 0, {u'E', 0, 0}, 0x1600, 0x100},    {0, 0, {u'F', 0, 0}, 0x1700, 0x400},
    {0, 0, {u'G', u'1', 0}, 0x1B00, 0x40},  {0, 0, {u'G', u'2', 0}, 0x1B40, 0x400},
    {0, 0, {u'H', 0, 0}, 0x1F40, 0x100},    {0, 0, {u'P', u'W', 0}, 0x2040, 0x100},
    {0, 0, {u'P', u'S', 0}, 0x2140, 0x2},   {0, 0, {u'K', 0, 0}, 0x2142, 0x10},
    {0, 0, {u'M', u'1', 0}, 0x2152, 0x2},   {0, 0, {u'M', u'2', 0}, 0x2154, 0x2},
    {0, 0, {u'V', u'1', 0}, 0x2156, 0x2},   {0, 0, {u'V', u'2', 0}, 0x2158, 0x2},
    {0, 0, {u'P', u'R', 0}, 0x215A, 0x2},   {0, 0, {u'L', 0, 0}, 0x215C, 0x10},
    {0, 0, {u'R', u'D', 0}, 0x216C, 0x6},   {0, 0, {u'C', u'M', 0}, 0x2172, 0xB0},
    {0, 0, {u'I', u'D', 0}, 0x2222, 0x10},  {0, 0, {u'H', u'T', 0}, 0x2232, 0x2},
    {0, 0, {u'L', u'T', 0}, 0x2234, 0x2},   {0, 0, {u'K', u'V', 0}, 0x2236, 0x2},
    {0, 0, {u'Q', u'T', 0}, 0x2238, 0x20},  {0, 0, {u'F', u'V', 0}, 0x2258, 0x40},
    {0, 0, {u'R', u'V', 0}, 0x2298, 0x268}, {0, 0, {u'D', u'L', 0}, 0x2500, 0x300},
    {1, 0, {u'J', 0, 0}, 0x0000, 0x6000},
};

bool NameIs(const ImageSection& s, const char* pszName)
{
    for (int i = 0; i < 3; ++i) {
        const char16_t want = pszName[i] ? char16_t(static_cast<unsigned char>(pszName[i])) : 0;
        if (s.szName[i] != want)
            return false;
        if (want == 0)
            return true;
    }
    return pszName[3] == 0;
}

} // namespace

const ImageSection* GetImageSections()
{
    return kSections;
}

const ImageSection* FindImageSection(const char* pszName)
{
    if (pszName == nullptr || std::strlen(pszName) > 3)
        return nullptr;
    for (const ImageSection& s : kSections)
        if (NameIs(s, pszName))
            return &s;
    return nullptr;
}

int ComputeJSize(int codeSize)
{
    if (codeSize <= 0)
        return kJSizeStep;
    const int size = (codeSize / kJSizeStep + 1) * kJSizeStep;
    return size > kMaxJSize ? kMaxJSize : size;
}

DWORD SumLittleEndianDwords(const BYTE* p, int count)
{
    DWORD sum = 0;
    for (int i = 0; i < count; ++i)
        sum += GetU32(p + 4 * i);
    return sum;
}

DWORD ComputeImageChecksum(const BYTE* pArea0, const BYTE* pAreaJ, int nJSize)
{
    DWORD sum = SumLittleEndianDwords(pArea0 + 0x400, (kArea0Size - 0x400) / 4);
    sum += SumLittleEndianDwords(pAreaJ, nJSize / 4);
    // Area J counts as if padded with 0xFF up to its largest size.
    for (int i = nJSize / 4; i < kMaxJSize / 4; ++i)
        sum += 0xFFFFFFFFu;
    return sum;
}

void ExchangeWordBytes(const BYTE* src, BYTE* dst, int size)
{
    for (int i = 0; i + 1 < size; i += 2) {
        const BYTE lo = src[i];
        dst[i] = src[i + 1];
        dst[i + 1] = lo;
    }
    if (size % 2 != 0)
        dst[size - 1] = src[size - 1];
}
