// Start-up of the editor: the language of the run, the templates, the main frame, the command
// line; idle processing of the zoom pane; the printer helpers of the view's printing.
#include "shell/EditorApp.h"

#include "controls/SizingControlBarG.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "platform/base/FileSystem.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"
#include "platform/ui/core/Clipboard.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/View.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/SettingsFile.h"
#include "view/TavixView.h"

#include <clocale>
#include <cmath>

WORD g_cfNorvettFAB = WORD(::RegisterClipboardFormatW(L"NorvettFAB"));
WORD g_cfNorvettFABLogic = WORD(::RegisterClipboardFormatW(L"NorvettFABLogic"));

BEGIN_MESSAGE_MAP(CEditorApp, CWinApp)
    ON_COMMAND(57600, OnFileNewFbd)
    ON_COMMAND(ID_FILE_NEW_LAD, OnFileNewLad)
    ON_COMMAND(57601, OnFileOpen)
    ON_COMMAND(57605, OnFilePageSetup)
    ON_COMMAND(57664, OnAppAbout)
END_MESSAGE_MAP()

namespace {

// Bitmaps (toolbar, image lists, menu pictures) come from the program's compiled resources.
bool LoadCompiledBitmap(UINT id, std::vector<BYTE>& bytes)
{
    const ResBinary* bitmap = FindBitmap(id);
    if (!bitmap)
        return false;
    bytes.assign(bitmap->bytes.begin(), bitmap->bytes.end());
    return true;
}

// Program files name the element classes; the block factory brings every one of them into the
// program (a reference the compiler cannot drop).
CBlockObj* (*volatile g_pfnBlockFactory)(int) = nullptr;

} // namespace

CEditorApp::CEditorApp() : CWinApp(nullptr)
{
    InitResources();
    g_pfnBlockFactory = &NewBlockOfType;
    SetBitmapResourceLoader(&LoadCompiledBitmap);
    m_strLastFolder.Empty();
    // The language of the run comes from the settings file, before any window exists.
    std::vector<std::uint8_t> bytes;
    CString error;
    const CString path = GetSettingsFilePath();
    bool damaged = false;
    if (ReadWholeFile(path, bytes, &error))
        g_nLanguage = ParseLanguageSetting(bytes, &damaged);
    else
        damaged = !error.IsEmpty();
    if (g_nLanguage == 1)
        m_bDocMenuTranslated = 0;
    SetResourceLanguage(g_nLanguage == 1 ? kLangIdChinese : kLangIdEnglish);
    // A file that names Chinese without its key still starts in Chinese: the message says the
    // language the editor really starts in, in that language.
    if (damaged)
        m_strStartupMessage.Format(AfxLoadString(g_nLanguage == 1 ? IDS_SETTINGS_DAMAGED_CHINESE : IDS_SETTINGS_DAMAGED),
                                   LPCTSTR(path));
}

CEditorApp::~CEditorApp()
{
    SetSimulationRunningQuery(nullptr);
    if (m_hBlockCursor)
        ::DestroyCursor(m_hBlockCursor);
}

HCURSOR CEditorApp::MakeBlockCursor()
{
    // A white arrow with a small box of four fields below it.
    constexpr int kSize = 32;
    DWORD pixels[kSize * kSize] = {};
    const DWORD black = 0xFF000000, white = 0xFFFFFFFF;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= y / 2 + (y < 12 ? y / 2 : 0) && x < 12; ++x) {
            const bool edge = x == 0 || x == (y / 2 + (y < 12 ? y / 2 : 0)) || x == 11 || y == 15;
            pixels[y * kSize + x] = edge ? black : white;
        }
    for (int y = 17; y < 29; ++y)
        for (int x = 4; x < 20; ++x) {
            const bool edge = y == 17 || y == 28 || x == 4 || x == 19 || x == 12 || y == 23;
            pixels[y * kSize + x] = edge ? black : white;
        }
    return ::CreateCursorFromArgb(pixels, kSize, kSize, 0, 0);
}

BOOL CEditorApp::InitInstance()
{
    m_strProgramFolder = GetProgramFolder();
    if (m_strProgramFolder.IsEmpty())
        return FALSE;
    IsLandscape();
    SetLandscape(TRUE);
    std::setlocale(LC_ALL, "");
    m_cfWidget = ::RegisterClipboardFormatW(L"Widget");
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    m_pFbdTemplate = new CMultiDocTemplate(IDR_FBD_TYPE, RUNTIME_CLASS(CTavixDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CTavixView));
    AddDocTemplate(m_pFbdTemplate);
    m_pLadTemplate = new CMultiDocTemplate(IDR_LAD_TYPE, RUNTIME_CLASS(CTavixDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CTavixView));
    AddDocTemplate(m_pLadTemplate);

    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = frame;
    SetSimulationRunningQuery([this] { return IsSimulationRunning(); });
    if (g_nLanguage == 1) {
        BuildChineseTexts();
        TranslateMenus(0, 0);
    }
    ::DragAcceptFiles(frame->m_hWnd, TRUE);

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (info.m_bRunEmbedded || info.m_bRunAutomated)
        return TRUE;
    if (info.m_nShellCommand == CCommandLineInfo::FileNew)
        info.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(info))
        return FALSE;

    m_hArrowCursor = LoadStandardCursor(IDC_ARROW);
    m_hBlockCursor = MakeBlockCursor();
    if (HMENU menu = ::GetMenu(frame->m_hWnd))
        for (UINT id : {UINT(ID_TRANSFER_DEVICE_TO_PC), UINT(ID_TRANSFER_CLOCK)})
            ::ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING, id, AfxLoadString(id));
    BuildHelpTopicMap();
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->UpdateWindow();

    // What could not be read at start is said once the window is there.
    for (const CString& message : {m_strStartupMessage, frame->m_strStartupMessage})
        if (!message.IsEmpty())
            AfxMessageBox(message, MB_ICONEXCLAMATION);
    return TRUE;
}

BOOL CEditorApp::IsSimulationRunning() const
{
    const auto* frame = dynamic_cast<const CMainFrame*>(m_pMainWnd);
    CTavixView* view = frame ? frame->GetActiveDiagramView() : nullptr;
    if (!view || !view->IsSimulating())
        return FALSE;
    const CChildFrame* child = view->GetParentFrame();
    return child && child->m_wndSimBar.m_hWnd && child->m_wndSimBar.m_bPowered;
}

int CEditorApp::ExitInstance()
{
    return CWinApp::ExitInstance();
}

BOOL CEditorApp::OnIdle(LONG lCount)
{
    auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    CStatusBar* bar = frame && frame->m_wndStatusBar.m_hWnd ? &frame->m_wndStatusBar : nullptr;
    if (bar) {
        int percent = 100;
        if (CTavixDoc* doc = frame->GetActiveDiagramDocument())
            percent = int(std::trunc(double(doc->m_fZoom) * 100.0));
        CString text;
        text.Format(AfxLoadString(IDS_ZOOM), percent);
        text += L"%";
        const int index = bar->CommandToIndex(ID_INDICATOR_ZOOM);
        if (index >= 0) {
            CClientDC dc(bar);
            CFont* old = nullptr;
            if (CFont* f = bar->GetFont())
                old = dc.SelectObject(f);
            const int width = dc.GetTextExtent(text).cx;
            if (old)
                dc.SelectObject(old);
            UINT id = 0, style = 0;
            int cx = 0;
            bar->GetPaneInfo(index, id, style, cx);
            if (cx != width)
                bar->SetPaneInfo(index, id, style, width);
            if (bar->GetPaneText(index) != text)
                bar->SetPaneText(index, text);
        }
    }
    return CWinApp::OnIdle(lCount);
}

// ---- printer ----

BOOL CEditorApp::HasDefaultPrinter()
{
    CString device = GetDefaultPrinterName();
    device.Trim();
    return !device.IsEmpty();
}

BOOL CEditorApp::IsLandscape()
{
    if (!GetPrinterDeviceDefaults())
        return FALSE;
    DEVMODE* mode = GetDevMode();
    return mode && mode->dmOrientation == DMORIENT_LANDSCAPE;
}

void CEditorApp::SetLandscape(BOOL bLandscape)
{
    DEVMODE* mode = GetDevMode();
    if (!mode)
        return;
    mode->dmOrientation = bLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode->dmFields |= DM_ORIENTATION;
    m_bLandscape = bLandscape;
}

CString CEditorApp::GetDefaultPrinterName()
{
    if (!GetPrinterDeviceDefaults())
        return CString();
    DEVMODE* mode = GetDevMode();
    return mode ? CString(mode->dmDeviceName) : CString();
}

CString CEditorApp::GetDefaultPrinterFormName()
{
    if (!GetPrinterDeviceDefaults())
        return CString();
    DEVMODE* mode = GetDevMode();
    return mode ? CString(mode->dmFormName) : CString();
}
