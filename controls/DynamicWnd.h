// cdxCDynamicWnd: a layout mix-in that moves a window's registered children when the window is
// resized. Each child keeps the rectangle it had when registered and four shares (percent):
// its left and right edges follow that share of the width change, its top and bottom edges
// that share of the height change (0/100 stretches, 100/100 moves, 50/50 keeps it centred).
// The host window calls DoInitWindow once it exists and passes its size, sizing, timer,
// min/max and parent-notify messages to the Handle* functions.
//
// DynamicLayoutBase adds a position name under which the window's place can be stored in the
// profile section "WindowPositions\<name>".
#pragma once

#include "platform/ui/core/Wnd.h"

#include <map>

class cdxCSizeIconCtrl;

// The snapshot one layout pass works from.
class cdxCDynamicLayoutInfo : public CObject {
public:
    CSize m_szCurrent{0, 0};   // client size now
    CSize m_szInitial{0, 0};   // client size when the layout was attached
    CSize m_szDelta{0, 0};     // now minus initial
    int m_nCtrlCnt = 0;
    CPoint m_pntScrollPos{0, 0};
    bool m_bUseScrollPos = false;

    bool IsInitial() const { return m_szDelta == CSize(0, 0) && (!m_bUseScrollPos || m_pntScrollPos == CPoint(0, 0)); }
};

class cdxCDynamicWnd {
public:
    enum Freedom { FreeHorizontal = 1, FreeVertical = 2, FreeBoth = 3 };
    enum Flags : UINT { WithSizeGrip = 1, WithSizingGuard = 2, WithCopyBits = 4 };
    // Kind-2 control table modes.
    enum Mode : signed char { ModeFixed = 0, ModeStretch = 1, ModeMove = 2, ModeCentre = 3 };

    struct ControlEntry {
        RECT rectInitial{0, 0, 0, 0};  // in the parent's client coordinates when registered
        signed char shares[4] = {0, 0, 0, 0};  // left, top, right, bottom (percent)
        CSize szMin{0, 0};             // not wider (higher) than this: moved out of view
    };
    // An optional table of controls registered by DoInitWindow: kind 0 ends it; kind 1 gives
    // the four shares; kind 2 a horizontal and a vertical Mode. Id 0: every child not yet
    // registered.
    struct ControlTableEntry {
        int nKind;
        int nID;
        signed char values[4];
    };

    cdxCDynamicWnd(int nFreedom, UINT nFlags);
    virtual ~cdxCDynamicWnd();
    cdxCDynamicWnd(const cdxCDynamicWnd&) = delete;
    cdxCDynamicWnd& operator=(const cdxCDynamicWnd&) = delete;

    virtual int GetControlCount() const { return int(m_controls.size()); }
    virtual CSize GetCurrentClientSize() const;
    virtual BOOL AddSzControl(HWND hwnd, const ControlEntry& entry, BOOL bReposNow);
    virtual void Layout();
    virtual BOOL CalcControlRect(HWND hwnd, UINT nID, RECT& rect, const cdxCDynamicLayoutInfo& li) const;
    virtual void RemoveSzControl(HWND hwnd);
    virtual void OnWindowInitialized() {}
    virtual void OnWindowDestroying() {}
    virtual cdxCDynamicLayoutInfo* CreateLayoutInfo() const;
    virtual void BeginSizingGuard(BOOL bTopLeftFixed);
    virtual const ControlTableEntry* GetControlTable() const { return nullptr; }

    // Registers a child by window or control id with its shares; the rectangle is its place now.
    BOOL AddSzControl(CWnd& ctrl, signed char left, signed char top, signed char right, signed char bottom,
                      CSize szMin = CSize(0, 0), BOOL bReposNow = TRUE);
    BOOL AddSzControl(UINT nID, signed char left, signed char top, signed char right, signed char bottom,
                      CSize szMin = CSize(0, 0), BOOL bReposNow = TRUE);

    void DoInitWindow(CWnd* pWnd);
    void DoOnDestroy();
    void AddAllControls(const signed char shares[4], BOOL bOverwrite, BOOL bLayout);
    BOOL UpdateControlPosition(HWND hwnd);
    // Whether a child is registered.
    BOOL IsRegistered(HWND hwnd) const { return m_controls.count(hwnd) != 0; }

    void HandleSize(UINT nType, int cx, int cy);
    void HandleSizing(UINT fwSide, LPRECT pRect);
    void HandleTimer(UINT_PTR nID);
    void HandleGetMinMaxInfo(MINMAXINFO* lpMMI);
    void HandleParentNotify(UINT message, LPARAM lParam);

    CWnd* Window() const { return m_pWnd; }
    BOOL IsWindowLive() const { return m_pWnd != nullptr && ::IsWindow(m_pWnd->GetSafeHwnd()); }
    // While the user drags a border that moves the top-left corner, every size step repaints
    // the whole window; this tells whether such a guard runs now.
    BOOL IsSizingGuardActive() const { return m_bGuardActive; }

    UINT m_nLayoutFlags;
    int m_nFreedom;
    CSize m_szInitial{0, 0};
    CSize m_szMin{0, 0};
    CSize m_szMax{0, 0};        // a component of 0 or less: no limit
    bool m_bUseScrollPos = false;

protected:
    // The child's rectangle in its parent's client coordinates (its normal position).
    static BOOL ChildRect(HWND hwnd, RECT& rect);

    CWnd* m_pWnd = nullptr;
    cdxCSizeIconCtrl* m_pSizeIcon = nullptr;
    int m_iDisabled = 0;        // above 0: the handlers do nothing
    UINT_PTR m_idTimer = 0;
    BOOL m_bGuardActive = FALSE;
    BOOL m_bGuardRedrawAll = FALSE;
    std::map<HWND, ControlEntry> m_controls;
};

class DynamicLayoutBase : public cdxCDynamicWnd {
public:
    DynamicLayoutBase(int nFreedom, UINT nFlags) : cdxCDynamicWnd(nFreedom, nFlags) {}

    void OnWindowInitialized() override { AutoRestorePosition(); }
    void OnWindowDestroying() override { AutoStorePosition(); }

    void AutoRestorePosition();
    void AutoStorePosition();
    BOOL StoreWindowPosition(LPCTSTR lpszProfileSection);
    // what: 1 the show state, 2 the visibility.
    BOOL RestoreWindowPosition(LPCTSTR lpszProfileSection, UINT what = 1 | 2);
    BOOL GrowWindow(CSize szDelta);
    BOOL GrowWindow(int nPercent);

    // The profile section of the position name ("" when the name is empty).
    CString PositionSection() const;

    CString m_strClassName;  // the position name; empty: no position kept
};
