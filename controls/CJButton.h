// CCJButton: a small owner-drawn icon button (the hide and minimize buttons of a docking bar).
// A flat button shows a raised frame while the pointer is over it and a sunken one while it is
// pressed; a non-flat one always has a two-line bevel.
#pragma once

#include "platform/ui/controls/CtlClasses.h"

class CCJButton : public CButton {
    DECLARE_DYNAMIC(CCJButton)
public:
    CCJButton();
    ~CCJButton() override;

    // Sets the button's icon and records its size.
    virtual void SetIcon(HICON hIcon, int cx, int cy);
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    void SetFlat(BOOL bFlat) { m_bFlat = bFlat ? 1 : 0; }
    BOOL IsFlat() const { return m_bFlat != 0; }
    BOOL IsHot() const { return s_bHot != 0; }

protected:
    // Draws the icon at the icon rectangle.
    void PaintIcon(CDC* pDC);

    int m_cxIcon = 0;
    int m_cyIcon = 0;
    CRect m_rcItem;       // item rectangle of the last drawing
    CRect m_rcIcon;       // where the icon goes
    UINT m_nState = 0;    // item state of the last drawing
    BYTE m_bLBtnDown = 0; // between the left button's press and release
    BYTE m_bFlat = 1;
    // One hot button at a time: the pointer is over it.
    static BYTE s_bHot;

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};
