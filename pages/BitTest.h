// Bit test used by the shift register, the word functions and the data log.
#pragma once

// 1 when bit n of the low 16 bits of value is set, else 0; n is taken modulo 32, so bit numbers
// whose remainder is 16 or more read as 0.
int IsBitSet(int value, int n);
