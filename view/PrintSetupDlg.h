// CPrintSetupDlg: the print setup the print and print-preview commands show before printing:
// orientation (kept in the application's printer settings), paper, scale mode and factor, and
// whether the block parameters follow the program. It always opens on "Scale to page size"
// and A4, with the other scale modes and papers disabled until the page scale is chosen again.
#pragma once

#include <initializer_list>

#include "controls/LabelWnd.h"
#include "controls/NoEnterControls.h"
#include "platform/ui/dialogs/Dlg.h"

class CPrintSetupDlg : public CDialog
{
    DECLARE_DYNAMIC(CPrintSetupDlg)
public:
    enum { paperA2 = 2, paperA3 = 3, paperA4 = 4 };
    enum { scaleToPaper = 1, scaleToPage = 2, scaleByFactor = 3 };

    explicit CPrintSetupDlg(CWnd* pParent = nullptr);

    int m_nOrientation = 1;  // 1 horizontal (landscape), 0 vertical (portrait)
    int m_nPaper = paperA4;
    int m_nScaleMode = scaleToPage;
    int m_bPrintParams = 0;
    double m_dScale = 1.0;
    CString m_strPrinterName;
    CString m_strPaperName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSetup();
    void OnHorizontal() { SetOrientation(1); }
    void OnVertical() { SetOrientation(0); }
    void OnPaperA2() { SetPaper(paperA2); }
    void OnPaperA3() { SetPaper(paperA3); }
    void OnPaperA4() { SetPaper(paperA4); }
    void OnScaleToPaper() { SetScaleMode(scaleToPaper); }
    void OnScaleToPage() { SetScaleMode(scaleToPage); }
    void OnScaling() { SetScaleMode(scaleByFactor); }
    DECLARE_MESSAGE_MAP()

private:
    void SetOrientation(int nOrientation);
    void SetPaper(int nPaper);
    // A scale mode shows A4: the paper becomes A4 with it, so that what shows is what is chosen.
    void SetScaleMode(int nMode);
    void ReadPrinter();
    void ShowPrinter();
    void ShowChoices();
    void EnableItems(std::initializer_list<int> ids, BOOL bEnable);
    void EnableAtStart();

    CLabelWnd m_printerName{DT_VCENTER | DT_NOPREFIX};
    CNoEnterEdit m_factor;
    CNoEnterButton m_radios[8];
};
