#include "pages/BitTest.h"

int IsBitSet(int value, int n)
{
    // Modulo 32 toward zero would give a negative shift for negative n; take the remainder in
    // 0-31 instead.
    const unsigned bit = static_cast<unsigned>(n) % 32u;
    if (bit >= 16)
        return 0;
    return (static_cast<unsigned>(value) >> bit) & 1u;
}
