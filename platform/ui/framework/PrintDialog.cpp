// The standard print dialogs behind the print protocol and the Print Setup command, when the
// program installed no print-dialog hook of its own.
#include "platform/ui/framework/App.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/Print.h"

#include <algorithm>

namespace {
void CopyName(wchar_t (&dst)[32], const CString& src)
{
    int n = std::min(31, src.GetLength());
    std::copy(LPCTSTR(src), LPCTSTR(src) + n, dst);
    dst[n] = 0;
}

// What the dialog chose for the printer goes into the application's settings.
void KeepSettings(const CPrintDialog& dlg)
{
    CWinApp* app = AfxGetApp();
    DEVMODE* dm = app ? app->GetDevMode() : nullptr;
    if (!dm)
        return;
    if (!dlg.m_strDevice.IsEmpty())
        CopyName(dm->dmDeviceName, dlg.m_strDevice);
    dm->dmOrientation = dlg.m_nOrientation == DMORIENT_LANDSCAPE ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    dm->dmPaperSize = dlg.m_nPaperSize;
    dm->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
}

void PrepareFromSettings(CPrintDialog& dlg)
{
    CWinApp* app = AfxGetApp();
    DEVMODE* dm = app ? app->GetDevMode() : nullptr;
    if (!dm)
        return;
    dlg.m_strDevice = dm->dmDeviceName;
    dlg.m_nOrientation = dm->dmOrientation;
    dlg.m_nPaperSize = dm->dmPaperSize;
}
}  // namespace

BOOL AfxRunPrintDialog(HWND, CPrintInfo* info)
{
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION, AfxGetMainWnd());
    dlg.m_pd.nMinPage = WORD(std::min<UINT>(info->GetMinPage(), 0xFFFF));
    dlg.m_pd.nMaxPage = WORD(std::min<UINT>(info->GetMaxPage(), 0xFFFF));
    dlg.m_pd.nFromPage = dlg.m_pd.nMinPage;
    dlg.m_pd.nToPage = dlg.m_pd.nMaxPage;
    PrepareFromSettings(dlg);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    KeepSettings(dlg);
    if (dlg.PrintRange()) {
        info->m_nFromPage = UINT(std::max(dlg.GetFromPage(), 1));
        info->m_nToPage = UINT(std::max(dlg.GetToPage(), dlg.GetFromPage()));
    }
    if (!dlg.m_strOutputFile.IsEmpty())
        info->m_strOutput = dlg.m_strOutputFile;
    return TRUE;
}

void CWinApp::OnFilePrintSetup()
{
    if (!GetPrinterDeviceDefaults())
        return;
    CPrintDialog dlg(TRUE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_NOSELECTION, AfxGetMainWnd());
    PrepareFromSettings(dlg);
    if (dlg.DoModal() == IDOK)
        KeepSettings(dlg);
}
