// CSimClockDlg: the modeless "Set Clock" dialog of the Simulation bar's clock button. It shows
// a child frame's simulated clock and sets a new date and time on Apply or OK, or at every
// change of a picker while "Apply values immediately" is ticked. Setting the clock does not
// disturb running timers: the frame marks the jump and the view shifts their start stamps.
#pragma once

#include "platform/ui/controls/CtlMiscClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CChildFrame;

class CSimClockDlg : public CDialog
{
    DECLARE_DYNAMIC(CSimClockDlg)
public:
    CSimClockDlg(CChildFrame* pFrame, CWnd* pParent);

    // Creates the modeless dialog; pOwnerButton is unchecked when it closes, *pApplyFlag keeps
    // the check box's state between openings.
    BOOL Create(CWnd* pOwnerButton, int* pApplyFlag);
    using CDialog::Create;

    // Date of the date picker with the time of day of the time picker.
    SYSTEMTIME CombinePickers() const;

    void OnApply();
    void OnOK() override;
    void OnCancel() override;

    SYSTEMTIME m_stTime{};
    BOOL m_bApplyImmediately = FALSE;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDateChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTimeChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnApplyImmediatelyClicked();
    void ShowClockText();
    void ApplyPicker(const CDateTimeCtrl& picker);
    void ReleaseOwnerButton();

    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pOwnerButton = nullptr;
    int* m_pApplyFlag = nullptr;
    CChildFrame* m_pFrame;
    CDateTimeCtrl m_dtTime;
    CDateTimeCtrl m_dtDate;
};
