// CSizingControlBarCF: a gripper bar whose band is a caption with the bar's title, in the
// active caption colours while the keyboard focus is inside the bar.
#pragma once

#include "controls/SizingControlBarG.h"

class CSizingControlBarCF : public CSizingControlBarG {
    DECLARE_DYNAMIC(CSizingControlBarCF)
public:
    CSizingControlBarCF();

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    BOOL IsCaptionActive() const { return m_bActive; }
    const CString& CaptionFontFace() const { return m_sFontFace; }

protected:
    void PaintGripper(CDC* pDC, CRect rcClient) override;

    BOOL m_bActive = FALSE;   // the focus is inside the bar
    CString m_sFontFace;      // "Tahoma" when installed, else "Arial"

    LRESULT OnSetTextCF(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
