// Construction and result texts of the frame codec.
#include "comm/ModBus.h"

CModBus::CModBus()
{
    InitResultTexts();
}

CModBus::~CModBus() = default;

void CModBus::InitResultTexts()
{
    static const wchar_t* const kTexts[] = {
        L"OK!",
        L"Receive Length Error!",
        L"Device ID Error!",
        L"Function Code Error!",
        L"Address Error!",
        L"Register Number Error!",
        L"Check Sum Error!",
        L"Machine type mismatch Error!",
        L"Machine version mismatch Error!",
        L"No program!",
        L"Invalid password Error!",
        L"Exception Error!",
        L"Memory Card version mismatch Error!",
    };
    m_mapResultText.clear();
    for (int code = 0; code < int(sizeof kTexts / sizeof kTexts[0]); ++code)
        m_mapResultText[code] = kTexts[code];
}

CString CModBus::ResultText(int code) const
{
    const auto it = m_mapResultText.find(code);
    return it == m_mapResultText.end() ? CString() : it->second;
}

int CModBus::FormatException(const BYTE* answer, CString& text)
{
    if (!(answer[1] & 0x80))
        return 0;
    static const wchar_t* const kNames[] = {
        L"ILLEGAL FUNCTION",
        L"ILLIGAL DATA ADDRESS",
        L"ILLIGAL DATA VALUE",
        L"SLAVE DEVICE FAILURE",
        L"ACKNOWLEDGE",
        L"SLAVE DEVICE BUSY",
        L"NEGATIVE ACKNOWLEDGE",
        L"MEMORY PARITY ERROR",
        L"UNDEFINED",
        L"GATEWAY PATH UNAVAILABLE",
        L"GATEWAY TARGET DEVICE FAILED TO RESPOND",
    };
    const int code = answer[2];
    text.Format(L"No=%d->", code);
    if (code >= 1 && code <= 11)
        text += kNames[code - 1];
    return code;
}
