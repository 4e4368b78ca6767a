// CWidgetSettingDlg: the block, analog value and scale of a bar, scope or pointer field. The
// caller fills the public members before DoModal and reads them after IDOK; with a field
// given, OK also points the field at the chosen block and value, once every check passed.
#pragma once

#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/dialogs/Dlg.h"

class CTavixDoc;
class CWidget;

class CWidgetSettingDlg : public CDialog
{
public:
    explicit CWidgetSettingDlg(CTavixDoc* pDoc, CWnd* pParent = nullptr);

    int m_nBlockNumber = -1;     // out: 9000 + n of the chosen block
    int m_nType = -99;           // in: -99 bar, -102 scope, -103 pointer
    CWidget* m_pWidget = nullptr;  // in: the field edited; null when a new one is placed
    int m_nMaxValue = 1000;
    int m_nMinValue = 0;
    int m_nWidthOrTime = 2;      // bar width in cells 2..12, scope sampling time 5..50000 (10 ms)
    int m_nValueIndex = -1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnBlockSelChange();
    void OnMinUpdate();
    void OnMaxUpdate();
    DECLARE_MESSAGE_MAP()

private:
    CTavixDoc* m_pDoc;
    CComboBox m_cbBlock;
    CComboBox m_cbValue;
};
