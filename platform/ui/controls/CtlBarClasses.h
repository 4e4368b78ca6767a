// The C++ objects of the progress bar, trackbar and up-down controls.
#pragma once

#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/core/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(WORD(nLower), WORD(nUpper))); }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, WPARAM(nLower), LPARAM(nUpper)); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return int(SendMessage(PBM_GETPOS)); }
    int SetPos(int nPos) { return int(SendMessage(PBM_SETPOS, WPARAM(nPos))); }
    int OffsetPos(int nPos) { return int(SendMessage(PBM_DELTAPOS, WPARAM(nPos))); }
    int SetStep(int nStep) { return int(SendMessage(PBM_SETSTEP, WPARAM(nStep))); }
    int StepIt() { return int(SendMessage(PBM_STEPIT)); }
    COLORREF SetBarColor(COLORREF clrBar) { return COLORREF(SendMessage(PBM_SETBARCOLOR, 0, LPARAM(clrBar))); }
    COLORREF SetBkColor(COLORREF clrNew) { return COLORREF(SendMessage(PBM_SETBKCOLOR, 0, LPARAM(clrNew))); }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetLineSize() const { return int(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int nSize) { return int(SendMessage(TBM_SETLINESIZE, 0, LPARAM(nSize))); }
    int GetPageSize() const { return int(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int nSize) { return int(SendMessage(TBM_SETPAGESIZE, 0, LPARAM(nSize))); }
    int GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
    int GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, WPARAM(bRedraw), LPARAM(nMin)); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, WPARAM(bRedraw), LPARAM(nMax)); }
    // Both ends as 32-bit values (TBM_SETRANGE carries only 16 bits each).
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    void GetSelection(int& nMin, int& nMax) const;
    void SetSelection(int nMin, int nMax);
    void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
    void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
    int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(nPos)); }
    UINT GetNumTics() const { return UINT(SendMessage(TBM_GETNUMTICS)); }
    BOOL SetTic(int nTic) { return BOOL(SendMessage(TBM_SETTIC, 0, LPARAM(nTic))); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, WPARAM(nFreq)); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, WPARAM(bRedraw)); }
    void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, WPARAM(bRedraw)); }
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetAccel(int nAccel, UDACCEL* pAccel) { return BOOL(SendMessage(UDM_SETACCEL, WPARAM(nAccel), reinterpret_cast<LPARAM>(pAccel))); }
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const { return UINT(SendMessage(UDM_GETACCEL, WPARAM(nAccel), reinterpret_cast<LPARAM>(pAccel))); }
    int SetBase(int nBase) { return int(SendMessage(UDM_SETBASE, WPARAM(nBase))); }
    UINT GetBase() const { return UINT(SendMessage(UDM_GETBASE)); }
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    // The position (16 bits). When the buddy's text is not a number the high word of the answer
    // is non-zero; otherwise the position comes back with its sign (the low word is the same).
    int SetPos(int nPos) { return int(SHORT(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(WORD(nPos), 0))))); }
    int GetPos() const;
    void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(WORD(nUpper), WORD(nLower))); }
    DWORD GetRange() const { return DWORD(SendMessage(UDM_GETRANGE)); }
    void GetRange(int& lower, int& upper) const;
    int SetPos32(int nPos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(nPos))); }
    int GetPos32(BOOL* lpbError = nullptr) const { return int(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError))); }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, WPARAM(lower), LPARAM(upper)); }
    void GetRange32(int& lower, int& upper) const { SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper)); }
};
