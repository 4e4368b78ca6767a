#include "view/PrintSetupDlg.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/Print.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"

namespace {

const int kRadioIds[8] = {IDC_PS_HORIZONTAL, IDC_PS_VERTICAL, IDC_PS_SCALE_PAPER, IDC_PS_SCALE_PAGE,
                          IDC_PS_SCALING, IDC_PS_PAPER_A2, IDC_PS_PAPER_A3, IDC_PS_PAPER_A4};

// The application's printer helpers; a program without the editor's application object (tests
// of the view alone) reads the default printer directly.
CEditorApp* EditorApp() { return dynamic_cast<CEditorApp*>(AfxGetApp()); }

}  // namespace

IMPLEMENT_DYNAMIC(CPrintSetupDlg, CDialog)

BEGIN_MESSAGE_MAP(CPrintSetupDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_PS_SETUP, OnSetup)
    ON_CONTROL(BN_CLICKED, IDC_PS_HORIZONTAL, OnHorizontal)
    ON_CONTROL(BN_CLICKED, IDC_PS_VERTICAL, OnVertical)
    ON_CONTROL(BN_CLICKED, IDC_PS_PAPER_A2, OnPaperA2)
    ON_CONTROL(BN_CLICKED, IDC_PS_PAPER_A3, OnPaperA3)
    ON_CONTROL(BN_CLICKED, IDC_PS_PAPER_A4, OnPaperA4)
    ON_CONTROL(BN_CLICKED, IDC_PS_SCALE_PAPER, OnScaleToPaper)
    ON_CONTROL(BN_CLICKED, IDC_PS_SCALE_PAGE, OnScaleToPage)
    ON_CONTROL(BN_CLICKED, IDC_PS_SCALING, OnScaling)
END_MESSAGE_MAP()

CPrintSetupDlg::CPrintSetupDlg(CWnd* pParent) : CDialog(IDD_PRINT_SETUP, pParent) {}

void CPrintSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PS_PRINT_PARAMS, m_bPrintParams);
    DDX_Text(pDX, IDC_PS_FACTOR, m_dScale);
    DDV_MinMaxDouble(pDX, m_dScale, 0.0, 2.0);
}

BOOL CPrintSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < 8; ++i)
        m_radios[i].SubclassDlgItem(kRadioIds[i], this);
    m_factor.SubclassDlgItem(IDC_PS_FACTOR, this);
    m_printerName.SubclassDlgItem(IDC_PS_PRINTER_NAME, this);
    ReadPrinter();
    m_nPaper = paperA4;
    m_nScaleMode = scaleToPage;
    ShowChoices();
    EnableAtStart();
    ShowPrinter();
    return TRUE;
}

void CPrintSetupDlg::ReadPrinter()
{
    if (CEditorApp* app = EditorApp()) {
        m_nOrientation = app->IsLandscape() ? 1 : 0;
        m_strPaperName = app->GetDefaultPrinterFormName();
        m_strPrinterName = app->GetDefaultPrinterName();
        return;
    }
    DEVMODE dm;
    if (AfxGetDefaultDevMode(&dm)) {
        m_nOrientation = dm.dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0;
        m_strPaperName = dm.dmFormName;
        m_strPrinterName = dm.dmDeviceName;
    }
}

void CPrintSetupDlg::ShowPrinter()
{
    SetDlgItemText(IDC_PS_PAPER_NAME, m_strPaperName);
    SetDlgItemText(IDC_PS_PRINTER_NAME, m_strPrinterName);
    CheckRadioButton(IDC_PS_PAPER_A4, IDC_PS_PAPER_A2,
                     m_nPaper == paperA2 ? IDC_PS_PAPER_A2 : m_nPaper == paperA3 ? IDC_PS_PAPER_A3 : IDC_PS_PAPER_A4);
}

// The radios of the orientation, the scale mode and the paper; what is enabled is left alone.
void CPrintSetupDlg::ShowChoices()
{
    CheckRadioButton(IDC_PS_HORIZONTAL, IDC_PS_VERTICAL, m_nOrientation ? IDC_PS_HORIZONTAL : IDC_PS_VERTICAL);
    CheckRadioButton(IDC_PS_SCALE_PAPER, IDC_PS_SCALING,
                     m_nScaleMode == scaleToPaper ? IDC_PS_SCALE_PAPER
                     : m_nScaleMode == scaleByFactor ? IDC_PS_SCALING
                                                     : IDC_PS_SCALE_PAGE);
    CheckRadioButton(IDC_PS_PAPER_A4, IDC_PS_PAPER_A2,
                     m_nPaper == paperA2 ? IDC_PS_PAPER_A2 : m_nPaper == paperA3 ? IDC_PS_PAPER_A3 : IDC_PS_PAPER_A4);
}

void CPrintSetupDlg::EnableItems(std::initializer_list<int> ids, BOOL bEnable)
{
    for (int id : ids)
        if (CWnd* p = GetDlgItem(id))
            p->EnableWindow(bEnable);
}

// The dialog starts on scaling to the page on A4: the other two scale modes and the A2 and A3
// papers are offered only once the page scale is chosen again, the factor only with "Scaling".
void CPrintSetupDlg::EnableAtStart()
{
    EnableItems({IDC_PS_SCALE_PAPER, IDC_PS_SCALING, IDC_PS_PAPER_A2, IDC_PS_PAPER_A3, IDC_PS_FACTOR}, FALSE);
    EnableItems({IDC_PS_SCALE_PAGE, IDC_PS_PAPER_A4}, TRUE);
}

void CPrintSetupDlg::OnSetup()
{
    UpdateData(TRUE);
    CEditorApp* app = EditorApp();
    if (app)
        app->SetLandscape(m_nOrientation);
    // The application's page setup, as the File menu runs it.
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PAGE_SETUP, 0), 0);
    ReadPrinter();
    ShowChoices();
    ShowPrinter();
}

void CPrintSetupDlg::SetOrientation(int nOrientation)
{
    if (CEditorApp* app = EditorApp())
        app->SetLandscape(nOrientation);
    m_nOrientation = nOrientation;
    ShowChoices();
}

void CPrintSetupDlg::SetPaper(int nPaper)
{
    m_nPaper = nPaper;
    ShowChoices();
}

void CPrintSetupDlg::SetScaleMode(int nMode)
{
    m_nScaleMode = nMode;
    m_nPaper = paperA4;
    ShowChoices();
    // A paper is chosen only when scaling to the page; the factor only when scaling by it.
    EnableItems({IDC_PS_PAPER_A2, IDC_PS_PAPER_A3, IDC_PS_PAPER_A4}, nMode == scaleToPage);
    EnableItems({IDC_PS_FACTOR}, nMode == scaleByFactor);
}
