// CAnalogSliderDlg: the value popup of an analog input or analog contact during simulation: a
// trackbar from the element's minimum to its maximum between "Min" and "Max" labels. Moving it
// writes the element's current value and repaints the diagram; Enter, Alt and Esc close it
// through the view.
#pragma once

#include "platform/ui/controls/CtlBarClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CBlockObj;
class CTavixView;

class CAnalogSliderDlg : public CDialog
{
    DECLARE_DYNAMIC(CAnalogSliderDlg)
public:
    CAnalogSliderDlg(CTavixView* pView, CBlockObj* pBlock, int nValue, int nMin, int nMax);

    // Creates the modeless popup with its top-left corner at the screen point (x, y).
    BOOL CreateAt(int x, int y);
    // The trackbar moved to nPos: the element takes the value.
    void TakePosition(int nPos);
    int GetMin() const { return m_nMin; }
    int GetMax() const { return m_nMax; }

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    CTavixView* m_pView;
    CBlockObj* m_pBlock;
    int m_nValue, m_nMin, m_nMax;
    int m_nX = 0, m_nY = 0;
    CSliderCtrl m_slider;
};
