// CInfoTip: a balloon-shaped pop-up with an optional icon and a text whose pointer touches a
// given screen point. It appears half a second after Show and goes away when the pointer moves
// off the point or a mouse button is pressed (RelayEvent). The diagram view shows pin captions
// and wiring refusals in it.
#pragma once

#include "platform/base/Afx.h"
#include "platform/ui/core/Wnd.h"

class CInfoTip : public CWnd {
public:
    enum { kShowTimer = 100, kPollTimer = 101 };

    CInfoTip();
    ~CInfoTip() override;

    // Creates the hidden pop-up owned by the parent and takes the GUI font.
    BOOL Create(CWnd* pParentWnd);
    void SetIcon(HICON hIcon);
    // The font of the text (the GUI font when null); the balloon is redrawn at once.
    void SetTipFont(CFont* pFont);
    // Shows the text at the point (screen coordinates; the pointer position when null) after
    // the delay. An empty text cancels a pending balloon; one on screen stays until
    // RelayEvent hides it.
    void Show(LPCTSTR lpszText, const POINT* pPoint = nullptr);
    // Hides the balloon when the pointer leaves the display point or a button is pressed.
    void RelayEvent(MSG* pMsg);

    // The balloon's size: W x (H + 25), the body W x H and the pointer below it.
    CSize GetBalloonSize() const;
    const CString& GetText() const { return m_strText; }
    CPoint GetDisplayPoint() const { return m_ptDisplay; }
    UINT GetPendingTimer() const { return m_nTimer; }

protected:
    // The body and pointer region of a balloon of W x H, in window coordinates.
    void MakeRegion(CRgn* pRgn, const CSize& body) const;
    CSize MeasureBody() const;
    void Hide();

    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    LPCTSTR m_pszClass;
    UINT m_nDelay = 500;
    CPoint m_ptDisplay{0, 0};
    CString m_strText;
    UINT_PTR m_nTimer = 0;
    HICON m_hIcon = nullptr;
    int m_nIconWidth = 0;
    int m_nIconHeight = 0;
    CFont* m_pFont = nullptr;
};
