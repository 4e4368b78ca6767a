// CScaleTimeDlg: the block, analog value and time base of a scale-time field. With a field
// given, OK points it at the chosen block and value.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CTavixDoc;
class CWidget;

class CScaleTimeDlg : public CDialog
{
public:
    explicit CScaleTimeDlg(CTavixDoc* pDoc, CWnd* pParent = nullptr);

    int m_nBlockNumber = -1;
    CWidget* m_pWidget = nullptr;
    int m_nValueIndex = -1;
    int m_nTimeBase = 3;  // 0 hours, 1 minutes, 2 seconds, 3 10 milliseconds

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnBlockSelChange();
    DECLARE_MESSAGE_MAP()

private:
    CTavixDoc* m_pDoc;
    CComboBox m_cbBlock;
    CComboBox m_cbValue;
    CComboBox m_cbTimeBase;
};
