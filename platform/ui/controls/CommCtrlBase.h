// Common controls: class names, the notifications they share and custom drawing (Win32 values).
// Each control's own styles, messages and structures are in its CommCtrl<Control>.h header.
#pragma once

#include "platform/ui/controls/CtlStd.h"

// ---- class names ----
#define PROGRESS_CLASSW L"msctls_progress32"
#define TRACKBAR_CLASSW L"msctls_trackbar32"
#define UPDOWN_CLASSW L"msctls_updown32"
#define WC_TABCONTROLW L"SysTabControl32"
#define WC_TREEVIEWW L"SysTreeView32"
#define WC_LISTVIEWW L"SysListView32"
#define WC_HEADERW L"SysHeader32"
#define DATETIMEPICK_CLASSW L"SysDateTimePick32"
#define MONTHCAL_CLASSW L"SysMonthCal32"
#define WC_IPADDRESSW L"SysIPAddress32"
#define TOOLTIPS_CLASSW L"tooltips_class32"
#define PROGRESS_CLASS PROGRESS_CLASSW
#define TRACKBAR_CLASS TRACKBAR_CLASSW
#define UPDOWN_CLASS UPDOWN_CLASSW
#define WC_TABCONTROL WC_TABCONTROLW
#define WC_TREEVIEW WC_TREEVIEWW
#define WC_LISTVIEW WC_LISTVIEWW
#define WC_HEADER WC_HEADERW
#define DATETIMEPICK_CLASS DATETIMEPICK_CLASSW
#define MONTHCAL_CLASS MONTHCAL_CLASSW
#define WC_IPADDRESS WC_IPADDRESSW
#define TOOLTIPS_CLASS TOOLTIPS_CLASSW

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
constexpr DWORD ICC_LISTVIEW_CLASSES = 0x0001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x0002;
constexpr DWORD ICC_BAR_CLASSES = 0x0004;
constexpr DWORD ICC_TAB_CLASSES = 0x0008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x0010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x0020;
constexpr DWORD ICC_WIN95_CLASSES = 0x00FF;
constexpr DWORD ICC_DATE_CLASSES = 0x0100;
constexpr DWORD ICC_INTERNET_CLASSES = 0x0800;
constexpr DWORD ICC_STANDARD_CLASSES = 0x4000;
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);

#ifndef CLR_NONE
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
#endif
#ifndef CLR_DEFAULT
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
#endif

// ---- notifications shared by the common controls ----
constexpr UINT NM_OUTOFMEMORY = UINT(-1);
constexpr UINT NM_CLICK = UINT(-2);
constexpr UINT NM_DBLCLK = UINT(-3);
constexpr UINT NM_RETURN = UINT(-4);
constexpr UINT NM_RCLICK = UINT(-5);
constexpr UINT NM_RDBLCLK = UINT(-6);
constexpr UINT NM_SETFOCUS = UINT(-7);
constexpr UINT NM_KILLFOCUS = UINT(-8);
constexpr UINT NM_CUSTOMDRAW = UINT(-12);
constexpr UINT NM_HOVER = UINT(-13);
constexpr UINT NM_RELEASEDCAPTURE = UINT(-16);
constexpr UINT CCM_SETBKCOLOR = 0x2001;

// ---- custom drawing ----
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr LRESULT CDRF_DODEFAULT = 0x00000000;
constexpr LRESULT CDRF_NEWFONT = 0x00000002;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x00000004;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x00000010;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x00000020;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x00000020;
constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x00000040;
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_DEFAULT = 0x0020;
constexpr UINT CDIS_HOT = 0x0040;
struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
    DWORD_PTR dwItemSpec;
    UINT uItemState;
    LPARAM lItemlParam;
};
using LPNMCUSTOMDRAW = NMCUSTOMDRAW*;
struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iSubItem;
};
using LPNMLVCUSTOMDRAW = NMLVCUSTOMDRAW*;
