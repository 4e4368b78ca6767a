#include "fw_demo_app.h"

#include "platform/base/Exceptions.h"
#include "platform/base/ResourceTables.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DC.h"
#include "platform/ui/core/MessageMap.h"

namespace fwdemo {

namespace {

MenuItem Item(const wchar_t* text, UINT id, UINT flags = 0) { return MenuItem{text, id, flags, 0, {}}; }
MenuItem Separator() { return MenuItem{L"", 0, kMenuSeparator, 0, {}}; }
MenuItem Popup(const wchar_t* text, std::vector<MenuItem> children) { return MenuItem{text, 0, kMenuPopup, 0, std::move(children)}; }

MenuItem FileMenu(bool document)
{
    std::vector<MenuItem> items{Item(L"&New\tCtrl+N", ID_FILE_NEW), Item(L"&Open...", ID_FILE_OPEN)};
    if (document) {
        items.push_back(Item(L"&Close", ID_FILE_CLOSE));
        items.push_back(Item(L"&Save\tCtrl+S", ID_FILE_SAVE));
        items.push_back(Item(L"Save &As...", ID_FILE_SAVE_AS));
        items.push_back(Separator());
        items.push_back(Item(L"&Print...", ID_FILE_PRINT));
        items.push_back(Item(L"Print Pre&view", ID_FILE_PRINT_PREVIEW));
    }
    items.push_back(Separator());
    items.push_back(Item(L"Recent File", ID_FILE_MRU_FILE1, kMenuGrayed));
    items.push_back(Separator());
    items.push_back(Item(L"E&xit", ID_APP_EXIT));
    return Popup(L"&File", items);
}

const ResourceSet& Resources()
{
    static ResourceSet set = [] {
        ResourceSet s;
        s.menus.push_back(MenuTemplate{IDR_MAINFRAME, kLangIdEnglish, false,
                                       {FileMenu(false), Popup(L"&Help", {Item(L"&About", ID_APP_ABOUT)})}});
        std::vector<MenuItem> docMenu{
            FileMenu(true),
            Popup(L"&Edit", {Item(L"&Increment\tCtrl+I", ID_DEMO_INCREMENT), Item(L"&Mark", ID_DEMO_MARK),
                             Item(L"&Child command", ID_DEMO_CHILDCMD), Item(L"&Toggle", ID_DEMO_TOGGLE),
                             Item(L"&App command", ID_DEMO_APPCMD), Item(L"S&hared", ID_DEMO_SHARED),
                             Item(L"&Nobody", 32850)}),
            Popup(L"&Window", {Item(L"&Cascade", ID_WINDOW_CASCADE), Item(L"&Tile", ID_WINDOW_TILE_HORZ)}),
            Popup(L"&Help", {Item(L"&About", ID_APP_ABOUT)})};
        s.menus.push_back(MenuTemplate{IDR_TEXTTYPE, kLangIdEnglish, false, docMenu});
        s.menus.push_back(MenuTemplate{IDR_SKETCHTYPE, kLangIdEnglish, false, docMenu});
        AcceleratorTable main{IDR_MAINFRAME, kLangIdEnglish, {{kAccelVirtKey | kAccelControl, 'N', ID_FILE_NEW}}};
        s.accelerators.push_back(main);
        for (UINT id : {UINT(IDR_TEXTTYPE), UINT(IDR_SKETCHTYPE)})
            s.accelerators.push_back(AcceleratorTable{id, kLangIdEnglish,
                                                      {{kAccelVirtKey | kAccelControl, 'N', ID_FILE_NEW},
                                                       {kAccelVirtKey | kAccelControl, 'I', ID_DEMO_INCREMENT},
                                                       {kAccelVirtKey | kAccelControl, 'S', ID_FILE_SAVE},
                                                       {kAccelVirtKey, VK_F7, ID_DEMO_MARK}}});
        s.strings = {
            {IDR_MAINFRAME, kLangIdEnglish, L"Demo"},
            {IDR_TEXTTYPE, kLangIdEnglish, L"\nText\nText\nText Files (*.dtx)\n.dtx\n"},
            {IDR_SKETCHTYPE, kLangIdEnglish, L"\nSketch\nSketch\nSketch Files (*.dsk)\n.dsk\n"},
            {ID_DEMO_INCREMENT, kLangIdEnglish, L"Increment the counter\nIncrement"},
            {ID_DEMO_TOGGLE, kLangIdEnglish, L"Toggle the flag\nToggle"},
            {ID_FILE_NEW, kLangIdEnglish, L"Create a new document\nNew"},
            {ID_INDICATOR_COUNT, kLangIdEnglish, L"Count: 00"},
            {ID_INDICATOR_CAPS, kLangIdEnglish, L"CAP"},
            {AFX_IDS_IDLEMESSAGE, kLangIdEnglish, L"Ready"},
        };
        s.toolbars.push_back(ToolbarTemplate{IDR_MAINFRAME, kLangIdEnglish, 16, 15,
                                             {ID_FILE_NEW, 0, ID_DEMO_INCREMENT, ID_DEMO_TOGGLE, ID_DEMO_HIDDEN}});
        return s;
    }();
    return set;
}

template <typename T>
const T* FindIn(const std::vector<T>& v, std::uint32_t id)
{
    for (const T& t : v)
        if (t.id == id)
            return &t;
    return nullptr;
}

// The toolbar's images: four 16 x 15 pictures side by side, each a dark square on grey.
bool ToolbarBitmap(UINT id, std::vector<BYTE>& bytes)
{
    if (id != IDR_MAINFRAME)
        return false;
    const int w = 64, h = 15, row = (w * 3 + 3) / 4 * 4;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(BYTE(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
        bytes.push_back(BYTE(v));
        bytes.push_back(BYTE(v >> 8));
    };
    bytes.clear();
    bytes.push_back('B');
    bytes.push_back('M');
    put32(std::uint32_t(54 + row * h));
    put32(0);
    put32(54);
    put32(40);
    put32(w);
    put32(h);
    put16(1);
    put16(24);
    for (int i = 0; i < 6; ++i)
        put32(0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool dark = (x % 16) >= 4 && (x % 16) < 12 && y >= 4 && y < 11;
            BYTE v = dark ? 0 : 192;
            bytes.push_back(v);
            bytes.push_back(v);
            bytes.push_back(dark ? BYTE(128) : v);
        }
        for (int p = w * 3; p < row; ++p)
            bytes.push_back(0);
    }
    return true;
}

}  // namespace

void InstallResources()
{
    SetBitmapResourceLoader(&ToolbarBitmap);
    ResourceFinder f;
    f.findString = [](std::uint32_t id) { return FindIn(Resources().strings, id); };
    f.findMenu = [](std::uint32_t id) { return FindIn(Resources().menus, id); };
    f.findAccelerators = [](std::uint32_t id) { return FindIn(Resources().accelerators, id); };
    f.findToolbar = [](std::uint32_t id) { return FindIn(Resources().toolbars, id); };
    AfxSetResourceFinder(f);
    AfxSetStringLoader([](UINT id, CString& out) -> bool {
        const ResString* s = FindIn(Resources().strings, id);
        if (!s)
            return false;
        out = s->text.c_str();
        return true;
    });
}

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

// ---- document ----

IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)
bool CDemoDoc::s_failStore = false;

BEGIN_MESSAGE_MAP(CDemoDoc, CDocument)
    ON_COMMAND(ID_DEMO_INCREMENT, OnIncrement)
    ON_UPDATE_COMMAND_UI(ID_DEMO_INCREMENT, OnUpdateIncrement)
    ON_COMMAND(ID_DEMO_SHARED, OnShared)
END_MESSAGE_MAP()

CDemoDoc::CDemoDoc() = default;

void CDemoDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_text << m_count;
        if (s_failStore)
            throw new CFileException(CFileException::diskFull);
    } else {
        ar >> m_text >> m_count;
    }
}

void CDemoDoc::DeleteContents()
{
    m_text.Empty();
    m_count = 0;
}

void CDemoDoc::OnIncrement()
{
    Log().push_back("doc:increment");
    ++m_count;
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

// Enabled while the counter is below 3.
void CDemoDoc::OnUpdateIncrement(CCmdUI* pCmdUI) { pCmdUI->Enable(m_count < 3); }
void CDemoDoc::OnShared() { Log().push_back("doc:shared"); }

// ---- view ----

IMPLEMENT_DYNCREATE(CDemoView, CScrollView)

BEGIN_MESSAGE_MAP(CDemoView, CScrollView)
    ON_WM_CHAR()
    ON_COMMAND(ID_DEMO_MARK, OnMark)
    ON_COMMAND(ID_DEMO_SHARED, OnShared)
    ON_UPDATE_COMMAND_UI(ID_DEMO_SHARED, OnUpdateShared)
END_MESSAGE_MAP()

void CDemoView::OnDraw(CDC* pDC)
{
    CString text;
    text.Format(L"%s %d", LPCTSTR(GetDocument()->m_text), GetDocument()->m_count);
    pDC->TextOut(10, 10, text);
}

void CDemoView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    CScrollView::OnInitialUpdate();
}

BOOL CDemoView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(3);
    return DoPreparePrinting(pInfo);
}

void CDemoView::OnBeginPrinting(CDC*, CPrintInfo*) { ++m_beginCount; }
void CDemoView::OnEndPrinting(CDC*, CPrintInfo*) { ++m_endCount; }

void CDemoView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printedPages.push_back(pInfo->m_nCurPage);
    CString text;
    text.Format(L"Page %u", pInfo->m_nCurPage);
    pDC->Rectangle(pInfo->m_rectDraw.left + 50, pInfo->m_rectDraw.top + 50, pInfo->m_rectDraw.left + 400,
                   pInfo->m_rectDraw.top + 200);
    pDC->TextOut(pInfo->m_rectDraw.left + 60, pInfo->m_rectDraw.top + 60, text);
}

void CDemoView::OnMark() { Log().push_back("view:mark"); }
void CDemoView::OnChar(UINT nChar, UINT, UINT) { Log().push_back("view:char:" + std::to_string(nChar)); }
void CDemoView::OnShared() { Log().push_back("view:shared"); }
void CDemoView::OnUpdateShared(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

// ---- child frame ----

IMPLEMENT_DYNCREATE(CDemoChild, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDemoChild, CMDIChildWnd)
    ON_COMMAND(ID_DEMO_CHILDCMD, OnChildCmd)
END_MESSAGE_MAP()

void CDemoChild::OnChildCmd() { Log().push_back("child:cmd"); }

// ---- main frame ----

IMPLEMENT_DYNCREATE(CDemoMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDemoMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_DEMO_TOGGLE, OnToggle)
    ON_UPDATE_COMMAND_UI(ID_DEMO_TOGGLE, OnUpdateToggle)
    ON_COMMAND(ID_DEMO_SHARED, OnShared)
    ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnToolbarDropDown)
    {WM_MEASUREITEM, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnMeasureItem(int(c.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE;)},
    {WM_DRAWITEM, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnDrawItem(int(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE;)},
END_MESSAGE_MAP()

int CDemoMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    m_wndToolBar.SetButtonStyle(0, m_wndToolBar.GetButtonStyle(0) | TBSTYLE_DROPDOWN);
    m_wndToolBar.GetToolBarCtrl().HideButton(ID_DEMO_HIDDEN);
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_COUNT, ID_INDICATOR_CAPS};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 3))
        return -1;
    RecalcLayout();
    return 0;
}

void CDemoMainFrame::OnToggle()
{
    Log().push_back("main:toggle");
    m_toggled = !m_toggled;
}

void CDemoMainFrame::OnUpdateToggle(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_toggled); }
void CDemoMainFrame::OnShared() { Log().push_back("main:shared"); }

void CDemoMainFrame::OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_dropDowns.push_back(UINT(reinterpret_cast<NMTOOLBAR*>(pNMHDR)->iItem));
    *pResult = TBDDRET_DEFAULT;
}

void CDemoMainFrame::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpmis)
{
    if (lpmis->CtlType == ODT_MENU) {
        ++m_measured;
        lpmis->itemWidth = 120;
        lpmis->itemHeight = 24;
    }
}

void CDemoMainFrame::OnDrawItem(int, LPDRAWITEMSTRUCT lpdis)
{
    if (lpdis->CtlType == ODT_MENU)
        m_drawnItems.emplace_back(lpdis->itemID, lpdis->itemState);
}

// ---- application ----

BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
    ON_COMMAND(ID_DEMO_APPCMD, OnAppCmd)
    ON_UPDATE_COMMAND_UI(ID_DEMO_APPCMD, OnUpdateAppCmd)
    ON_COMMAND(ID_DEMO_SHARED, OnAppCmd)
END_MESSAGE_MAP()

BOOL CDemoApp::InitInstance()
{
    LoadStdProfileSettings(4);
    m_pTextTemplate = new CMultiDocTemplate(IDR_TEXTTYPE, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CDemoChild),
                                            RUNTIME_CLASS(CDemoView));
    AddDocTemplate(m_pTextTemplate);
    m_pSketchTemplate = new CMultiDocTemplate(IDR_SKETCHTYPE, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CDemoChild),
                                              RUNTIME_CLASS(CDemoView));
    AddDocTemplate(m_pSketchTemplate);
    auto* frame = new CDemoMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME))
        return FALSE;  // a frame whose window failed has deleted itself
    m_pMainWnd = frame;
    ::DragAcceptFiles(frame->m_hWnd, TRUE);
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (info.m_nShellCommand == CCommandLineInfo::FileNew)
        info.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(info))
        return FALSE;
    frame->MoveWindow(0, 0, 800, 600);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return TRUE;
}

void CDemoApp::OnAppCmd()
{
    ++m_appCommands;
    Log().push_back("app:cmd");
}

void CDemoApp::OnUpdateAppCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

}  // namespace fwdemo
