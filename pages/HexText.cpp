#include "pages/HexText.h"

#include "platform/ui/core/Wnd.h"

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

CString HexDigitsOf(const CString& text, int maxDigits)
{
    CString clean;
    for (int i = 0; i < text.GetLength() && clean.GetLength() < maxDigits; ++i) {
        const wchar_t c = wchar_t(std::towupper(text[i]));
        if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'))
            clean += c;
    }
    return clean;
}

bool KeepHexDigits(CWnd& dlg, UINT nID, int maxDigits)
{
    CString text;
    dlg.GetDlgItemText(int(nID), text);
    const CString clean = HexDigitsOf(text, maxDigits);
    if (clean == text)
        return true;
    dlg.SetDlgItemText(int(nID), clean);
    return false;
}
