// CComboListWnd: the drop-down of a combo cell of the extended list control. A bordered popup
// with a list box and its own vertical scroll bar; the item under the pointer is preselected
// (every 80 ms), and Return, Escape, navigation keys and the button's release are reported to
// the owning list control with registered messages (wParam and lParam 0). The list control
// takes the chosen string and destroys the popup.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/core/Wnd.h"

extern const UINT WM_XCOMBOLIST_VK_RETURN;
extern const UINT WM_XCOMBOLIST_VK_ESCAPE;
extern const UINT WM_XCOMBOLIST_KEYDOWN;
extern const UINT WM_XCOMBOLIST_LBUTTONUP;

class CComboListWnd : public CWnd {
public:
    explicit CComboListWnd(CWnd* pParent);
    ~CComboListWnd() override;

    // Places the list box and a scroll bar nScrollBarWidth wide, sizes the popup to whole rows
    // the first time, and starts the hover preselection.
    void ShowList(int nScrollBarWidth);
    CListBox& GetListBox() { return m_ListBox; }
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Moves the scroll bar to nPos, kept within its range.
    void SetScrollPosition(int nPos);
    void Report(UINT nMessage);

    CListBox m_ListBox;
    CScrollBar m_wndSBVert;
    CWnd* m_pParent;          // the list control, not owned
    int m_nKillFocusCount = 0;  // the first two losses happen while the popup takes the focus
    int m_bFirstTime = 1;
};
