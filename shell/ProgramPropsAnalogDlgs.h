// The two dialogs of the Parameter page for the 32 analog outputs (AQ0-AQ3 of the main module
// and of the extension modules 1-7; entry = module * 4 + output): the value range type of each
// output, and the fixed value each output holds in STOP mode. Both edit a table the caller
// owns and write it only when closed with OK.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

class CAnalogRangeDlg : public CDialog
{
public:
    enum { count = 32 };
    // pTypes: 32 entries, 0 "0-20 mA / 0-10V", 1 "4-20 mA".
    CAnalogRangeDlg(BYTE* pTypes, CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    BYTE* m_pTypes;
};

class CAnalogValueDlg : public CDialog
{
public:
    enum { count = 32 };
    static constexpr double minValue = 0.0;
    static constexpr double maxValue = 10.0;
    // pValues: 32 entries in volts.
    CAnalogValueDlg(double* pValues, CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    double* m_pValues;
    double m_adEdited[count] = {};
};
