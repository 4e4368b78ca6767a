// CSimulation: how an input is driven while the diagram is simulated: as a switch, a push button
// (make or break) or a number within a range; for analog inputs the value and its range.
#pragma once

#include "controls/NumericEdit.h"
#include "controls/ToolTipWnd.h"
#include "platform/ui/dialogs/PropSheet.h"

class CTavixView;

class CSimulation : public CPropertyPage {
public:
    CSimulation();

    int m_nBlockType = 0;
    int m_nBlockNumber = -1;
    int m_bAutoRange = 1;
    int m_nCurrent = 0;
    int m_nMin = 0;
    int m_nMax = 9999;
    int m_nBehaviour = 3;     // 0 Switch, 1 push button (make), 2 push button (break), 3 Frequency

    void SetView(CTavixView* pView) { m_pView = pView; }
    // Puts the values in order before they are stored: a frequency with automatic range runs
    // 0..9999, a reversed range is swapped, the current value is moved into the range; an open
    // page shows the corrected values.
    void SettleRange();
    BOOL IsAnalog() const { return m_nBlockType == 608 || m_nBlockType == 702; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void UpdateBehaviourControls();
    void UpdateRangeControls(int nAuto);
    void OnBehaviour(UINT nID);
    void OnAutoRangeClicked();
    void OnValueChanged() { SetModified(TRUE); }
    void OnAnalogValueUpdate(UINT nID);
    DECLARE_MESSAGE_MAP()

    CTavixView* m_pView = nullptr;
    CIntegerEdit m_editCurrent{9};
    CIntegerEdit m_editMin{9};
    CIntegerEdit m_editMax{9};
    CToolTipWnd m_toolTip;
};
