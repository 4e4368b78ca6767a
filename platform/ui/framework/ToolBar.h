// CToolBar: a row of command buttons (with separators) from a toolbar resource and the bitmap
// of the same id. Buttons can be check boxes, hidden, disabled or drop-downs (TBN_DROPDOWN to
// the owner); hovering shows the command's prompt in the status bar and its tip in a tooltip.
#pragma once

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/framework/ControlBar.h"

#include <vector>

// Button styles and states (the common toolbar's values).
constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
constexpr BYTE BTNS_WHOLEDROPDOWN = 0x80;
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;
constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x00000001;
constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;

// The button styles of CToolBar::GetButtonStyle: style in the low word, state bits above
// (TBBS_DISABLED is the inverse of TBSTATE_ENABLED).
constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON;
constexpr UINT TBBS_SEPARATOR = TBSTYLE_SEP;
constexpr UINT TBBS_CHECKBOX = TBSTYLE_CHECK;
constexpr UINT TBBS_GROUP = TBSTYLE_GROUP;
constexpr UINT TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP;
constexpr UINT TBBS_DROPDOWN = TBSTYLE_DROPDOWN;
constexpr UINT TBBS_CHECKED = UINT(TBSTATE_CHECKED) << 16;
constexpr UINT TBBS_PRESSED = UINT(TBSTATE_PRESSED) << 16;
constexpr UINT TBBS_DISABLED = UINT(TBSTATE_ENABLED) << 16;
constexpr UINT TBBS_HIDDEN = UINT(TBSTATE_HIDDEN) << 16;
constexpr UINT TBBS_INDETERMINATE = UINT(TBSTATE_INDETERMINATE) << 16;
constexpr UINT TBBS_WRAPPED = UINT(TBSTATE_WRAP) << 16;

// Notifications
constexpr UINT TBN_FIRST = UINT(-700);
constexpr UINT TBN_DROPDOWN = TBN_FIRST - 10;
constexpr LRESULT TBDDRET_DEFAULT = 0;

struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;
    BYTE fsStyle;
    DWORD_PTR dwData;
    INT_PTR iString;
};

struct NMTOOLBARW {
    NMHDR hdr;
    int iItem;
    TBBUTTON tbButton;
    int cchText;
    LPWSTR pszText;
    RECT rcButton;
};
using NMTOOLBAR = NMTOOLBARW;
using LPNMTOOLBAR = NMTOOLBARW*;

class CToolBar;

// The button operations the common toolbar control offers, on a CToolBar's buttons.
class CToolBarButtons {
public:
    explicit CToolBarButtons(CToolBar* bar) : m_bar(bar) {}
    BOOL IsButtonEnabled(int nID) const;
    BOOL IsButtonChecked(int nID) const;
    BOOL IsButtonHidden(int nID) const;
    BOOL IsButtonPressed(int nID) const;
    BOOL EnableButton(int nID, BOOL bEnable = TRUE);
    BOOL CheckButton(int nID, BOOL bCheck = TRUE);
    BOOL HideButton(int nID, BOOL bHide = TRUE);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetButtonCount() const;
    DWORD SetExtendedStyle(DWORD dwExStyle);
    DWORD GetExtendedStyle() const;

private:
    CToolBar* m_bar;
};

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    // Buttons and images from the toolbar resource and the bitmap of the same id.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadBitmap(UINT nIDResource);
    // Command ids of the buttons (ID_SEPARATOR makes a separator); images in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight) { m_cyForced = cyHeight; }

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    CToolBarButtons& GetToolBarCtrl() { return m_buttons; }
    DWORD GetExtendedStyle() const { return m_dwExStyle; }
    DWORD SetExtendedStyle(DWORD dwExStyle);
    // The tip of a command: the owner's answer to TTN_NEEDTEXT, else the text after the first
    // line feed of its string resource (at most 79 characters).
    CString GetTipText(UINT nID);
    // The tooltip window shown now (null when none) and its text.
    HWND GetToolTipWindow() const { return m_hWndTip; }
    CString GetShownTip() const { return m_strTip; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    int HitTestItem(CPoint point) const override;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR nIDEvent);
    void OnCaptureChanged(CWnd* pWnd);
    void OnDestroy();

    struct Button {
        UINT nID = 0;
        BYTE fsStyle = TBSTYLE_BUTTON;
        BYTE fsState = TBSTATE_ENABLED;
        int iImage = -1;
    };

protected:
    int IndexAt(CPoint point) const;
    bool IsVertical() const;
    void ShowTip(int index);
    void HideTip();
    void InvalidateButton(int index);
    void Notify(UINT code, int index);

    std::vector<Button> m_items;
    CBitmap m_bitmap;
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    DWORD m_dwCtrlStyle = TBSTYLE_FLAT;
    DWORD m_dwExStyle = 0;
    int m_cyForced = 0;
    int m_iPressed = -1;
    int m_iHot = -1;
    int m_iTipPending = -1;
    HWND m_hWndTip = nullptr;
    CString m_strTip;
    CToolBarButtons m_buttons{this};
    bool m_tracking = false;

    DECLARE_MESSAGE_MAP()
};
