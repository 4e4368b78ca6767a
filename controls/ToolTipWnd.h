// CToolTipWnd: a small pop-up that shows a help text beside the pointer when it rests on a
// control of a dialog. It finds the control under the pointer itself (disabled controls and
// static texts included), runs its own show and poll timers and paints itself; the owner
// registers its controls as tools and relays every message from its PreTranslateMessage.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

#include <vector>

// One registered tool.
class CToolTipItem : public CObject {
public:
    HWND hWndCtrl = nullptr;     // the control
    UINT nId = 0;                // with the control, identifies the tool
    RECT rect{};                 // sensitive area, parent's client coordinates, fixed when added
    int nTextSource = 0;         // -1: the text is asked of the parent each time
    CString strText;             // copied when added
    int nWrapWidth = 0;          // 0: the natural width of the text
    COLORREF crText = 0xFF000000;        // 0xFF000000: the system's info colours
    COLORREF crBackground = 0xFF000000;
    int nUser = 0;
};

class CToolTipWnd : public CWnd {
public:
    // Text source of AddTool that makes the tip ask the parent (TTN_NEEDTEXTW) for its text.
    static inline const LPCTSTR TextFromParent = reinterpret_cast<LPCTSTR>(INT_PTR(-1));

    CToolTipWnd();
    ~CToolTipWnd() override;

    BOOL Create(CWnd* pParent);
    // lpRect: client coordinates of the control; null: the control's whole window.
    BOOL AddTool(CWnd* pCtrl, LPCTSTR lpszText, const RECT* lpRect = nullptr, UINT nId = 0);
    void DelTool(CWnd* pCtrl, UINT nId = 0);
    void RelayEvent(MSG* pMsg);

    void EnableTips(BOOL bEnable) { m_bEnabled = bEnable; }
    // Timings in milliseconds.
    UINT GetShowDelay() const { return m_nShowDelay; }
    UINT GetPollInterval() const { return m_nPollInterval; }
    UINT GetAutoHideTime() const { return m_nAutoHide; }
    const CToolTipItem* GetCurrentTool() const { return m_pCurrent; }
    BOOL IsCancelled() const { return m_bCancelled; }
    BOOL ShowsSecondPart() const { return m_bSecondPart; }
    int GetToolCount() const { return int(m_tools.size()); }

protected:
    virtual void PositionTip(CPoint point, const CToolTipItem* pTool, CRect& rect);
    virtual CRect CalcTipSize(const CString& text, int nWidth);

    // The tool under a point of the parent's client area, null for none.
    CToolTipItem* ToolAt(CPoint point) const;
    CToolTipItem* HitTest(HWND hWnd, CPoint point) const;
    HWND WindowAt(CPoint point) const;
    bool PointerOnTool(const CToolTipItem* pTool) const;
    bool PointerInTip() const;
    // The text to show now (the part asked for, when it has two).
    CString TipText();
    void ShowAt(CPoint point, BOOL bSecondPart);
    void Hide();
    void TakeSystemFont(BOOL bRedraw);
    void SetTipFont(const LOGFONTW& lf, BOOL bRedraw);

    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFontMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pParent = nullptr;
    CRect m_rcMargins{2, 2, 3, 3};   // between the frame and the text
    int m_nWrapWidth = 0;
    CPoint m_ptOffset{0, 20};        // from the pointer to the tip
    CFont m_font;
    LOGFONTW m_lf{};
    UINT m_nFormat = 0xA50;          // DT_WORDBREAK | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX
    BOOL m_bSystemFont = TRUE;
    CToolTipItem* m_pCurrent = nullptr;
    UINT m_nPollInterval = 500;
    UINT m_nAutoHide = 5000;
    UINT m_nTimeShown = 0;
    UINT m_nShowDelay = 500;
    BOOL m_bEnabled = TRUE;
    BOOL m_bCancelled = FALSE;
    BOOL m_bTwoParts = FALSE;
    BOOL m_bSecondPart = FALSE;
    COLORREF m_crBackground = 0xFF000000;
    COLORREF m_crText = 0xFF000000;
    HWND m_hPrevFocus = nullptr;
    std::vector<CToolTipItem*> m_tools;  // owned
};
