// CWinApp: the application object, its message loop and idle processing, documents and
// file commands.
#include "platform/ui/framework/App.h"

#include "platform/base/Profile.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_app = nullptr;
AfxFileDialogHook g_fileDialogHook = nullptr;

BOOL AppPreTranslate(MSG* pMsg)
{
    if (g_app)
        return g_app->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}
}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    {WM_COMMAND, UINT(CN_COMMAND), ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, nullptr,
     TVX_THUNK_(return self->OnOpenRecentFile(c.nID);)},
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : L""; }
void AfxSetFileDialogHook(AfxFileDialogHook hook) { g_fileDialogHook = hook; }

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName)
        m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
    g_app = this;
    AfxSetPreTranslateHook(&AppPreTranslate);
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
    delete m_pRecentFileList;
    if (g_app == this) {
        g_app = nullptr;
        AfxSetPreTranslateHook(nullptr);
    }
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return int(m_msgCur.wParam);
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg) { return AfxIsIdleMessage(pMsg); }

int CWinApp::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        MSG peek;
        while (idle && !::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!::GetMessageW(&m_msgCur, nullptr, 0, 0))
                return ExitInstance();
            if (!PreTranslateMessage(&m_msgCur)) {
                ::TranslateMessage(&m_msgCur);
                ::DispatchMessageW(&m_msgCur);
            }
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        if (CWnd* main = m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
            // The frame first (title, layout), then every bar and dialog bar below it.
            if (main->IsWindowVisible())
                main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1) {
        CWnd::DeleteTempMap();
        CMenu::DeleteTempMap();
        CDC::DeleteTempMap();
    }
    return lCount < 1;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE;
    CWnd* main = m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd) ? m_pMainWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, pMsg))
        return TRUE;
    // Windows outside the main window (modeless dialogs, floating bars) still get the main
    // window's keys.
    if (main) {
        HWND top = pMsg->hwnd;
        while (HWND p = ::GetParent(top))
            top = p;
        HWND ownerTop = top;
        while (HWND o = ::GetWindow(ownerTop, GW_OWNER))
            ownerTop = o;
        if (top != main->m_hWnd && ownerTop == main->m_hWnd)
            return main->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (HWND active = ::GetActiveWindow())
        owner = active;
    return ::MessageBoxW(owner, lpszPrompt, m_pszAppName, nType);
}

// ---- command line ----

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        CString p(pszParam);
        if (p.CompareNoCase(L"Embedding") == 0)
            m_bRunEmbedded = TRUE, m_nShellCommand = FileNothing;
        else if (p.CompareNoCase(L"Automation") == 0)
            m_bRunAutomated = TRUE, m_nShellCommand = FileNothing;
        else if (p.CompareNoCase(L"p") == 0)
            m_nShellCommand = FilePrint;
        else if (p.CompareNoCase(L"nologo") == 0)
            m_bShowSplash = FALSE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (size_t i = 0; i < m_args.size(); ++i) {
        CString a = m_args[i];
        BOOL flag = a.GetLength() > 1 && (a[0] == L'-' || a[0] == L'/') && a.Find(L'/', 1) < 0;
        if (flag)
            a = a.Mid(1);
        rCmdInfo.ParseParam(a, flag, i + 1 == m_args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

// ---- documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CWinApp::GetOpenDocumentCount() const
{
    int n = 0;
    for (POSITION t = GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* tpl = GetNextDocTemplate(t);
        for (POSITION d = tpl->GetFirstDocPosition(); d; tpl->GetNextDoc(d))
            ++n;
    }
    return n;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    CDocTemplate* best = nullptr;
    CDocument* open = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* tpl = GetNextDocTemplate(pos);
        CDocument* match = nullptr;
        CDocTemplate::Confidence c = tpl->MatchDocType(lpszFileName, match);
        if (c > bestMatch) {
            bestMatch = c;
            best = tpl;
            open = match;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (open) {
        // Already open: bring its frame forward.
        POSITION v = open->GetFirstViewPosition();
        if (v) {
            CView* view = open->GetNextView(v);
            if (CFrameWnd* frame = view->GetParentFrame())
                frame->ActivateFrame();
        }
        return open;
    }
    if (!best)
        return nullptr;
    return best->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString title = AfxLoadStringOr(nIDSTitle, bOpenFileDialog ? L"Open" : L"Save As");
    CString filter, ext;
    auto addFilter = [&filter](CDocTemplate* t, CString* defExt) {
        CString name, e;
        if (t->GetDocString(name, CDocTemplate::filterName) && t->GetDocString(e, CDocTemplate::filterExt) &&
            !name.IsEmpty() && !e.IsEmpty()) {
            filter += name + L"|*" + e + L"|";
            if (defExt && defExt->IsEmpty())
                *defExt = e;
        }
    };
    if (pTemplate) {
        addFilter(pTemplate, &ext);
    } else {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
            addFilter(GetNextDocTemplate(pos), &ext);
    }
    filter += AfxLoadStringOr(AFX_IDS_ALLFILTER, L"All Files (*.*)") + L"|*.*||";
    if (g_fileDialogHook)
        return g_fileDialogHook(fileName, title, lFlags, bOpenFileDialog, filter, ext);
    return AfxRunFileDialog(fileName, title, lFlags, bOpenFileDialog, filter, ext);
}

// ---- commands ----

void CWinApp::OnFileNew()
{
    // The first template makes new documents.
    POSITION pos = GetFirstDocTemplatePosition();
    if (!pos)
        return;
    GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, 0, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = int(nID) - ID_FILE_MRU_FILE1;
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return FALSE;
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd))
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- profile ----

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, L"Recent File List", L"File%d", int(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

UINT CWinApp::GetProfileInt(LPCTSTR s, LPCTSTR e, int d) { return AfxGetProfileStore().GetProfileInt(s, e, d); }
CString CWinApp::GetProfileString(LPCTSTR s, LPCTSTR e, LPCTSTR d) { return AfxGetProfileStore().GetProfileString(s, e, d); }
BOOL CWinApp::WriteProfileInt(LPCTSTR s, LPCTSTR e, int v) { return AfxGetProfileStore().WriteProfileInt(s, e, v); }
BOOL CWinApp::WriteProfileString(LPCTSTR s, LPCTSTR e, LPCTSTR v) { return AfxGetProfileStore().WriteProfileString(s, e, v); }

// ---- resources ----

HCURSOR CWinApp::LoadCursor(UINT nID) const { return ::LoadCursorW(AfxGetInstanceHandle(), MAKEINTRESOURCE(nID)); }
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR name) const { return ::LoadCursorW(nullptr, name); }
HICON CWinApp::LoadIcon(UINT nID) const { return ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCE(nID)); }
HICON CWinApp::LoadStandardIcon(LPCTSTR name) const { return ::LoadIconW(nullptr, name); }

// ---- printer ----

BOOL CWinApp::GetPrinterDeviceDefaults(DEVMODE* pDevMode)
{
    if (!m_devMode) {
        auto dm = std::make_unique<DEVMODE>();
        if (!AfxGetDefaultDevMode(dm.get()))
            return FALSE;
        m_devMode = std::move(dm);
        m_strPrinterName = m_devMode->dmDeviceName;
    }
    if (pDevMode)
        *pDevMode = *m_devMode;
    return TRUE;
}

// ---- start-up ----

void CWinApp::SetProgramPath(LPCTSTR path)
{
    CString full(path);
    int slash = std::max(full.ReverseFind(L'/'), full.ReverseFind(L'\\'));
    CString name = full.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    m_strExeName = dot > 0 ? name.Left(dot) : name;
    m_pszExeName = m_strExeName;
    // The help file sits beside the program, named after it.
    m_strHelpPath = full.Left(slash + 1) + m_strExeName + L".HLP";
    m_pszHelpFilePath = m_strHelpPath;
    if (m_strAppName.IsEmpty()) {
        m_strAppName = AfxLoadStringOr(AFX_IDS_APP_TITLE, m_strExeName);
        m_pszAppName = m_strAppName;
    }
}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    std::vector<CString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(CString(argv[i]));
    app->SetCommandLineArgs(args);
    if (argc > 0 && argv[0])
        app->SetProgramPath(CString(argv[0]));
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
