// The IP address control: styles, messages, notifications and structures (Win32 values).
#pragma once

#include "platform/ui/controls/CommCtrlBase.h"

constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;
constexpr UINT IPM_SETADDRESS = WM_USER + 101;
constexpr UINT IPM_GETADDRESS = WM_USER + 102;
constexpr UINT IPM_SETRANGE = WM_USER + 103;
constexpr UINT IPM_SETFOCUS = WM_USER + 104;
constexpr UINT IPM_ISBLANK = WM_USER + 105;
constexpr UINT IPN_FIELDCHANGED = UINT(-860);
struct NMIPADDRESS {
    NMHDR hdr;
    int iField;
    int iValue;
};
using LPNMIPADDRESS = NMIPADDRESS*;
constexpr DWORD MAKEIPADDRESS(BYTE b1, BYTE b2, BYTE b3, BYTE b4)
{
    return (DWORD(b1) << 24) | (DWORD(b2) << 16) | (DWORD(b3) << 8) | DWORD(b4);
}
constexpr LPARAM MAKEIPRANGE(BYTE low, BYTE high) { return LPARAM((WORD(high) << 8) | low); }
constexpr BYTE FIRST_IPADDRESS(DWORD x) { return BYTE(x >> 24); }
constexpr BYTE SECOND_IPADDRESS(DWORD x) { return BYTE(x >> 16); }
constexpr BYTE THIRD_IPADDRESS(DWORD x) { return BYTE(x >> 8); }
constexpr BYTE FOURTH_IPADDRESS(DWORD x) { return BYTE(x); }
