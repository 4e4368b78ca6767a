// The application's file commands: new function block and ladder diagrams, opening program files,
// the save dialog of Save As, saving at exit through the Close All dialog, page setup and About.
#include "shell/EditorApp.h"

#include "document/TavixDoc.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/dialogs/Dlg.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Menu.h"
#include "platform/ui/framework/View.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"
#include "shell/CloseAllDlg.h"
#include "shell/MainFrame.h"

#include <cwchar>
#include <iterator>
#include <vector>

namespace {

class CAboutDlg : public CDialog
{
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        const CString title = AfxLoadString(IDR_MAINFRAME);
        CString caption;
        caption.Format(AfxLoadString(IDS_ABOUT_CAPTION), LPCTSTR(title));
        SetWindowText(caption);
        CString line;
        line.Format(L"%s   %s", LPCTSTR(title), L"V3.6.0");
        SetDlgItemText(IDC_ABOUT_TITLE, line);
        return TRUE;
    }
};

// The documents of a template in its order.
std::vector<CDocument*> DocumentsOf(CDocTemplate* pTemplate)
{
    std::vector<CDocument*> docs;
    if (!pTemplate)
        return docs;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;)
        docs.push_back(pTemplate->GetNextDoc(pos));
    return docs;
}

} // namespace

void CEditorApp::RelabelDocumentMenu()
{
    HMENU menu = m_pMainWnd ? ::GetMenu(m_pMainWnd->m_hWnd) : nullptr;
    if (!menu)
        return;
    for (UINT id : {UINT(ID_TRANSFER_PC_TO_DEVICE), UINT(ID_TRANSFER_DEVICE_TO_PC)})
        ::ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING, id, AfxLoadString(id));
    const CString clock = g_nLanguage == 1 ? ChineseTextOr(ID_TRANSFER_CLOCK, AfxLoadString(ID_TRANSFER_CLOCK))
                                           : AfxLoadString(ID_TRANSFER_CLOCK);
    ::ModifyMenuW(menu, ID_TRANSFER_CLOCK, MF_BYCOMMAND | MF_STRING, ID_TRANSFER_CLOCK, clock);
    ::DeleteMenu(menu, ID_FILE_SELECT_HARDWARE, MF_BYCOMMAND);
    ::DrawMenuBar(m_pMainWnd->m_hWnd);
}

void CEditorApp::OnFileNewFbd()
{
    g_wHardwareCode = 0x5188;
    if (!m_pFbdTemplate || !m_pFbdTemplate->OpenDocumentFile(nullptr)) {
        CMainFrame::SetPendingDocKind(1);
        return;
    }
    RelabelDocumentMenu();
    if (g_nLanguage == 1 && !m_bDocMenuTranslated) {
        TranslateMenus(1, 1);
        m_bDocMenuTranslated = 1;
    }
    if (g_bShowPropertiesAtNew && m_pMainWnd)
        m_pMainWnd->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PROPERTIES, 0), 0);
}

void CEditorApp::OnFileNewLad()
{
    CMainFrame::SetPendingDocKind(2);
    OnFileNewFbd();
}

void CEditorApp::OnFileOpen()
{
    CString fbdName, ladName;
    if (m_pFbdTemplate)
        m_pFbdTemplate->GetDocString(fbdName, CDocTemplate::fileNewName);
    if (m_pLadTemplate)
        m_pLadTemplate->GetDocString(ladName, CDocTemplate::fileNewName);
    const CString title = AfxLoadString(IDR_MAINFRAME);
    CString filter;
    filter.Format(AfxLoadString(IDS_OPEN_FILTER), LPCTSTR(title), LPCTSTR(fbdName), LPCTSTR(ladName));
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter,
                    m_pMainWnd);
    if (dlg.DoModal() != IDOK)
        return;
    int opened = 0;
    try {
        for (POSITION pos = dlg.GetStartPosition(); pos;) {
            const CString path = dlg.GetNextPathName(pos);
            const CString ext = path.Right(4);
            if (ext.CompareNoCase(L".yfb") != 0 && ext.CompareNoCase(L".yld") != 0) {
                CString text;
                text.Format(AfxLoadString(IDS_CANNOT_LOAD_FILE_TYPE), LPCTSTR(title), LPCTSTR(ext));
                AfxMessageBox(text, MB_ICONINFORMATION);
                continue;
            }
            if (OpenDocumentFile(path))
                ++opened;
        }
        if (opened > 0)
            RelabelDocumentMenu();
    } catch (CException* e) {
        e->Delete();
        AfxMessageBox(AfxLoadString(IDS_OPEN_FILE_ERROR), MB_ICONERROR);
    }
}

CDocument* CEditorApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (!m_pFbdTemplate || !lpszFileName || !*lpszFileName)
        return nullptr;
    // A program that is open already comes to the front.
    CDocument* open = nullptr;
    if (m_pFbdTemplate->MatchDocType(lpszFileName, open) == CDocTemplate::yesAlreadyOpen && open) {
        POSITION v = open->GetFirstViewPosition();
        if (CView* view = v ? open->GetNextView(v) : nullptr)
            if (CFrameWnd* frame = view->GetParentFrame())
                frame->ActivateFrame();
        return open;
    }
    CDocument* doc = m_pFbdTemplate->OpenDocumentFile(lpszFileName);
    if (doc && g_nLanguage == 1 && !m_bDocMenuTranslated) {
        TranslateMenus(1, 1);
        m_bDocMenuTranslated = 1;
    }
    return doc;
}

BOOL CEditorApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate)
{
    if (bOpenFileDialog)
        return CWinApp::DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
    return PromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

BOOL CEditorApp::PromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate)
{
    if (!pTemplate)
        return FALSE;
    CString filterName, ext;
    pTemplate->GetDocString(filterName, CDocTemplate::filterName);
    pTemplate->GetDocString(ext, CDocTemplate::filterExt);
    auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    CTavixDoc* active = frame ? frame->GetActiveDiagramDocument() : nullptr;
    if (active && active->IsLadder()) {
        filterName.Replace(L".yfb", AfxLoadString(IDS_LADDER_EXTENSION));
        filterName.Replace(L"Function Block", L"Ladder");
        ext = L".yld";
    }
    CString filter = filterName + L"|*" + ext + L"|" + AfxLoadString(IDS_ALL_FILES_FILTER) + L"|*.*||";
    const CString defExt = ext.Left(1) == L"." ? ext.Mid(1) : ext;
    CFileDialog dlg(bOpenFileDialog, defExt, fileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, filter,
                    m_pMainWnd);
    const CString title = AfxLoadString(nIDSTitle);
    if (!title.IsEmpty())
        dlg.m_ofn.lpstrTitle = title;
    const CString folder = m_strLastFolder.IsEmpty() ? m_strProgramFolder + L"Projects" : m_strLastFolder;
    dlg.m_ofn.lpstrInitialDir = folder;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return !fileName.IsEmpty();
}

BOOL CEditorApp::SaveAllModified()
{
    CCloseAllDlg dlg(m_pMainWnd);
    std::vector<CDocument*> modified;
    for (CDocument* doc : DocumentsOf(m_pFbdTemplate)) {
        if (!doc->IsModified())
            continue;
        if (!dlg.AddDocument(doc->GetTitle())) {
            AfxMessageBox(AfxLoadString(IDS_TOO_MANY_TO_SAVE), MB_ICONERROR);
            return FALSE;
        }
        modified.push_back(doc);
    }
    // Nothing to save: closing goes on (no second close request is posted).
    if (modified.empty())
        return TRUE;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    // The checked programs are asked first. The unchecked ones lose their changes only once
    // every save went through: after a Cancel or a failed save they stay modified, so closing
    // them later still asks.
    for (size_t i = 0; i < modified.size(); ++i)
        if (dlg.GetSaveFlag(int(i)) && modified[i]->IsModified() && !modified[i]->SaveModified())
            return FALSE;
    for (size_t i = 0; i < modified.size(); ++i)
        if (!dlg.GetSaveFlag(int(i)))
            modified[i]->SetModifiedFlag(FALSE);
    return TRUE;
}

void CEditorApp::OnFilePageSetup()
{
    if (!HasDefaultPrinter()) {
        AfxMessageBox(AfxLoadString(IDS_NO_PRINTER), MB_ICONINFORMATION);
        return;
    }
    CPageSetupDialog dlg(PSD_MARGINS, m_pMainWnd);
    DEVMODE* mode = GetDevMode();
    if (mode) {
        dlg.m_strDevice = mode->dmDeviceName;
        dlg.m_nOrientation = mode->dmOrientation;
        dlg.m_nPaperSize = mode->dmPaperSize;
    }
    auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    if (CTavixDoc* active = frame ? frame->GetActiveDiagramDocument() : nullptr)
        dlg.m_psd.rtMargin = active->m_rcPageMargins;
    if (dlg.DoModal() != IDOK)
        return;
    // The printer settings stay with the application; the margins go to every open program.
    if (mode) {
        const CString device = dlg.GetDeviceName();
        if (!device.IsEmpty())
            wcsncpy(mode->dmDeviceName, device, std::size(mode->dmDeviceName) - 1);
        mode->dmOrientation = dlg.m_nOrientation;
        mode->dmPaperSize = dlg.m_nPaperSize;
        mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
        m_bLandscape = dlg.m_nOrientation == DMORIENT_LANDSCAPE;
    }
    CRect margins;
    dlg.GetMargins(&margins, nullptr);
    for (CDocTemplate* pTemplate : {static_cast<CDocTemplate*>(m_pFbdTemplate), static_cast<CDocTemplate*>(m_pLadTemplate)})
        for (CDocument* doc : DocumentsOf(pTemplate))
            if (auto* diagram = dynamic_cast<CTavixDoc*>(doc)) {
                diagram->m_rcPageMargins = margins;
                diagram->m_rcPrintMargins = margins;
            }
}

void CEditorApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}
