#include "pages/HexText.h"

#include <cwctype>

int ParseHexDigits(const CString& text, int maxDigits)
{
    if (text.GetLength() > maxDigits)
        return -1;
    int value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = wchar_t(std::towupper(text[i]));
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            return -1;
        value = value * 16 + digit;
    }
    return value;
}
