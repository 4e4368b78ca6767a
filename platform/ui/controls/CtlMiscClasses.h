// The C++ objects of the date-time picker, month calendar, IP address and tooltip controls.
#pragma once

#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/core/Wnd.h"

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return DWORD(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest))); }
    BOOL SetTime(const SYSTEMTIME* pTimeNew = nullptr);
    DWORD GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    BOOL SetFormat(LPCTSTR pstrFormat) { return BOOL(SendMessage(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(pstrFormat))); }
    HWND GetMonthCalCtrl() const { return reinterpret_cast<HWND>(SendMessage(DTM_GETMONTHCAL)); }
};

class CMonthCalCtrl : public CWnd {
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL GetCurSel(LPSYSTEMTIME pDateTime) const { return BOOL(SendMessage(MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime))); }
    BOOL SetCurSel(const SYSTEMTIME* pDateTime) { return BOOL(SendMessage(MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime))); }
    BOOL GetToday(LPSYSTEMTIME pDateTime) const { return BOOL(SendMessage(MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(pDateTime))); }
    void SetToday(const SYSTEMTIME* pDateTime) { SendMessage(MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(pDateTime)); }
    DWORD GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    BOOL GetMinReqRect(RECT* pRect) const { return BOOL(SendMessage(MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(pRect))); }
};

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL IsBlank() const { return BOOL(SendMessage(IPM_ISBLANK)); }
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    int GetAddress(DWORD& dwAddress) const { return int(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress))); }
    void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, LPARAM(dwAddress)); }
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3) { SetAddress(MAKEIPADDRESS(nField0, nField1, nField2, nField3)); }
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper) { SendMessage(IPM_SETRANGE, WPARAM(nField), MAKEIPRANGE(nLower, nUpper)); }
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, WPARAM(bActivate)); }
    // A tool over lpRectTool of pWnd (its whole client area when null), or the window itself
    // with nIDTool 0 and no rectangle; lpszText may be LPSTR_TEXTCALLBACK or a string id.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    BOOL GetToolInfo(TTTOOLINFOW& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(TTTOOLINFOW* pToolInfo) { SendMessage(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(pToolInfo)); }
    int GetToolCount() const { return int(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, LPARAM(nDelay)); }
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(WORD(iTime), 0)); }
    int GetDelayTime(DWORD dwDuration) const { return int(SendMessage(TTM_GETDELAYTIME, dwDuration)); }
    int SetMaxTipWidth(int iWidth) { return int(SendMessage(TTM_SETMAXTIPWIDTH, 0, LPARAM(iWidth))); }
    int GetMaxTipWidth() const { return int(SendMessage(TTM_GETMAXTIPWIDTH)); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, WPARAM(clr)); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, WPARAM(clr)); }
    void SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }
};
