#include "tests/journeys/JourneyTest.h"

#include "comm/DeviceDispatcher.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Profile.h"
#include "platform/ui/framework/MenuTypes.h"
#include "resources/Resources.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/PaletteItems.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace journey {

std::vector<BYTE> ReadBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    if (FILE* f = std::fopen(ToNativePath(path).c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(BYTE(c));
        std::fclose(f);
    }
    return bytes;
}

bool WriteBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    FILE* f = std::fopen(ToNativePath(path).c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

CString Fixture(const char* name)
{
    return CString(TAVIX_SOURCE_DIR) + L"/tests/fixtures/" + CString(name);
}

void JourneyTest::SetUp()
{
    char tmpl[] = "/tmp/journeyXXXXXX";
    dir = ::mkdtemp(tmpl);
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    AfxGetProfileStore().SetPath(CString((dir + "/profile.ini").c_str()));
    g_nLanguage = 0;
    g_wHardwareCode = 0x5188;
    g_bShowPropertiesAtNew = 0;
    // A laptop's screen: the main window opens maximized on it.
    drv.Host().SetScreenSize(SIZE{1280, 800});
    device.ExportAs(kPort);
}

void JourneyTest::TearDown()
{
    Stop();
    g_nLanguage = 0;
    g_bShowPropertiesAtNew = 1;
    SetResourceLanguage(kLangIdEnglish);
    const std::string cmd = "chmod -R u+w '" + dir + "' && rm -rf '" + dir + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

void JourneyTest::Start(const std::vector<CString>& args)
{
    app = std::make_unique<CEditorApp>();
    app->SetCommandLineArgs(args);
    ASSERT_TRUE(app->InitInstance());
    drv.Pump();
    // The transfer's pauses for the device are not waited out.
    Frame()->DeviceDispatcher().Engine().m_wait = [](int) {};
    compileTime.wYear = 2026;
    compileTime.wMonth = 12;
    compileTime.wDay = 10;
    compileTime.wHour = 21;
    Frame()->DeviceDispatcher().Engine().m_pCompileTime = &compileTime;
}

void JourneyTest::Stop()
{
    if (!app)
        return;
    if (CWnd* main = app->m_pMainWnd; main && ::IsWindow(main->m_hWnd)) {
        app->CloseAllDocuments(TRUE);
        main->DestroyWindow();
    }
    drv.Pump();
    app.reset();
}

CMainFrame* JourneyTest::Frame() const
{
    return app ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
}

CTavixView* JourneyTest::View() const { return Frame()->GetActiveDiagramView(); }
CTavixDoc* JourneyTest::Doc() const { return Frame()->GetActiveDiagramDocument(); }
int JourneyTest::Documents() const { return app->GetOpenDocumentCount(); }

CPoint JourneyTest::Centre(const CBlockObj* block)
{
    return CPoint(block->m_ptOrigin.x + block->m_nWidth / 2, block->m_ptOrigin.y + block->m_nHeight / 2);
}

HWND JourneyTest::PageWith(HWND sheet, int id)
{
    HWND page = ::GetWindow(sheet, GW_CHILD);
    while (page && !::GetDlgItem(page, id))
        page = ::GetWindow(page, GW_HWNDNEXT);
    return page;
}

CTavixView* JourneyTest::StartSimulation(std::initializer_list<const wchar_t*> menu)
{
    Choose(menu);
    CTavixView* view = View();
    if (view == nullptr || !view->IsSimulating())
        return nullptr;
    view->StopSimClock();
    return view;
}

void JourneyTest::Tick(CTavixView* view, int n)
{
    CChildFrame* frame = view->GetParentFrame();
    for (int k = 0; k < n; ++k) {
        frame->SimClockTick();
        view->InvalidateAll();
        drv.Pump();
    }
}

namespace {

std::wstring PlainCaption(const wchar_t* text)
{
    std::wstring out;
    for (const wchar_t* p = text; *p && *p != L'\t'; ++p)
        if (*p != L'&')
            out += *p;
    return out;
}

}  // namespace

UINT JourneyTest::MenuCommand(std::initializer_list<const wchar_t*> path) const
{
    HMENU menu = ::GetMenu(Frame()->m_hWnd);
    for (auto it = path.begin(); it != path.end() && menu; ++it) {
        const std::wstring wanted = PlainCaption(*it);
        HMENU next = nullptr;
        UINT id = 0;
        for (int pos = 0; pos < ::GetMenuItemCount(menu); ++pos) {
            wchar_t caption[128] = {};
            ::GetMenuStringW(menu, UINT(pos), caption, 127, MF_BYPOSITION);
            if (PlainCaption(caption) != wanted)
                continue;
            next = ::GetSubMenu(menu, pos);
            id = ::GetMenuItemID(menu, pos);
            break;
        }
        if (it + 1 == path.end())
            return next ? 0 : id;
        menu = next;
    }
    return 0;
}

void JourneyTest::Choose(std::initializer_list<const wchar_t*> path)
{
    const UINT id = MenuCommand(path);
    std::wstring joined;
    for (const wchar_t* p : path)
        joined += std::wstring(p) + L" > ";
    ASSERT_NE(id, 0u) << "no menu item " << ::testing::PrintToString(joined);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
    drv.Pump();
}

void JourneyTest::Keys(const std::wstring& keys, bool ctrl)
{
    if (CTavixView* view = View())
        view->SetFocus();
    if (ctrl)
        drv.KeyDown(VK_CONTROL);
    for (wchar_t k : keys)
        drv.Key(UINT(k));
    if (ctrl)
        drv.KeyUp(VK_CONTROL);
    drv.Pump();
}

void JourneyTest::OnDialog(std::function<void(HWND)> step)
{
    drv.Host().QueueIdleStep([step] {
        HWND active = ::GetActiveWindow();
        step(active);
        // The step pumps messages itself, which may take the wake-up of a modal loop it ended.
        ::PostMessageW(active, WM_NULL, 0, 0);
    });
}

void JourneyTest::Press(HWND dlg, int id)
{
    HWND control = ::GetDlgItem(dlg, id);
    ASSERT_NE(control, nullptr) << "control " << id;
    RECT rc{};
    ::GetClientRect(control, &rc);
    drv.Click(CHeadlessDriver::At(control, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}));
    drv.Pump();
}

void JourneyTest::Type(HWND dlg, int id, const std::wstring& text)
{
    HWND control = ::GetDlgItem(dlg, id);
    ASSERT_NE(control, nullptr) << "control " << id;
    Press(dlg, id);
    ::SendMessageW(control, EM_SETSEL, 0, -1);
    drv.Type(text);
    drv.Pump();
}

void JourneyTest::Pick(HWND dlg, int id, const std::wstring& entry)
{
    HWND control = ::GetDlgItem(dlg, id);
    ASSERT_NE(control, nullptr) << "control " << id;
    ASSERT_GE(int(::SendMessageW(control, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str()))), 0)
        << ::testing::PrintToString(entry);
    for (UINT code : {UINT(CBN_SELCHANGE), UINT(CBN_SELENDOK)})
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    drv.Pump();
}

POINT JourneyTest::Screen(CPoint diagram) const
{
    CTavixView* view = View();
    const CPoint scroll = view->GetDeviceScrollPosition();
    const float zoom = view->GetZoom();
    const CPoint client(int(float(diagram.x) * zoom) - scroll.x, int(float(diagram.y) * zoom) - scroll.y);
    return CHeadlessDriver::At(view->GetSafeHwnd(), client);
}

void JourneyTest::Click(CPoint diagram)
{
    const POINT at = Screen(diagram);
    drv.MouseMove(at);
    drv.Click(at);
    drv.Pump();
}

void JourneyTest::DoubleClick(CPoint diagram)
{
    drv.DoubleClick(Screen(diagram));
    drv.Pump();
}

CBlockObj* JourneyTest::Place(int tab, int paletteType, CPoint at)
{
    CTabCtrl& tabs = Frame()->WorkBox().GetTabCtrl();
    CRect tabRect;
    if (!tabs.GetItemRect(tab, &tabRect))
        return nullptr;
    // The tabs that do not fit the WorkBox are scrolled into view with the arrows at the right
    // end of the row, each half as wide as the tabs are high.
    CRect row;
    tabs.GetClientRect(&row);
    const int arrow = std::max(8, tabRect.Height() / 2);
    for (int k = 0; k < 10 && (tabRect.right > row.right - 2 * arrow || tabRect.left < 0); ++k) {
        const int x = tabRect.left < 0 ? row.right - arrow * 3 / 2 : row.right - arrow / 2;
        drv.Click(CHeadlessDriver::At(tabs.m_hWnd, POINT{x, tabRect.CenterPoint().y}));
        drv.Pump();
        tabs.GetItemRect(tab, &tabRect);
    }
    drv.Click(CHeadlessDriver::At(tabs.m_hWnd, tabRect.CenterPoint()));
    drv.Pump();
    auto* palette = dynamic_cast<CScrollView*>(Frame()->WorkBox().GetView(tab));
    if (!palette)
        return nullptr;
    const std::vector<UINT> items = PaletteGroupItems(tab, Doc()->m_nDocKind, Doc()->GetMachineType());
    const auto found = std::find(items.begin(), items.end(), UINT(paletteType));
    if (found == items.end())
        return nullptr;
    const int i = int(found - items.begin());
    // The cells of the palette stand 46 units apart; the palette scrolls to show the cell.
    CRect cell(10, 15 + 46 * i, 35, 51 + 46 * i);
    CRect client;
    palette->GetClientRect(&client);
    if (cell.bottom > client.Height()) {
        palette->ScrollToPosition(CPoint(0, cell.top - 10));
        drv.Pump();
    }
    cell.OffsetRect(-palette->GetScrollPosition());
    drv.Click(CHeadlessDriver::At(palette->m_hWnd, cell.CenterPoint()));
    drv.Pump();
    if (Frame()->m_nPaletteBlockType != paletteType)
        return nullptr;
    const INT_PTR before = Doc()->m_blocks.GetCount();
    Click(at);
    if (Doc()->m_blocks.GetCount() == before)
        return nullptr;
    return static_cast<CBlockObj*>(Doc()->m_blocks.GetTail());
}

CPoint JourneyTest::Pin(CBlockObj* block, int pin) const
{
    CRect rc;
    EXPECT_TRUE(Doc()->GetPinPosition(&rc, block, pin)) << block->m_nType << " pin " << pin;
    return rc.CenterPoint();
}

bool JourneyTest::Wire(CBlockObj* from, int fromPin, CBlockObj* to, int toPin)
{
    const INT_PTR before = Doc()->m_wires.GetCount();
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_CONNECT, 0), 0);
    drv.Pump();
    Click(Pin(from, fromPin));
    Click(Pin(to, toPin));
    if (View()->m_nEditMode == CTavixView::modeConnect) {
        Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_CONNECT, 0), 0);
        drv.Pump();
    }
    return Doc()->m_wires.GetCount() == before + 1;
}

JourneyTest::Drawn JourneyTest::DrawTimedGate()
{
    Drawn d;
    d.i1 = Place(groupIo, TYPE_INPUT, CPoint(100, 100));
    d.i2 = Place(groupIo, TYPE_INPUT, CPoint(100, 200));
    d.gate = Place(groupBsc, TYPE_AND, CPoint(250, 140));
    d.timer = Place(groupTmr, 400, CPoint(400, 140));
    d.q = Place(groupIo, TYPE_OUTPUT, CPoint(550, 140));
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODE_SELECT, 0), 0);
    drv.Pump();
    EXPECT_TRUE(d.i1 && d.i2 && d.gate && d.timer && d.q) << "a block was not placed";
    if (!(d.i1 && d.i2 && d.gate && d.timer && d.q))
        return Drawn{};
    EXPECT_TRUE(Wire(d.i1, kOutputPin, d.gate, 0));
    EXPECT_TRUE(Wire(d.i2, kOutputPin, d.gate, 1));
    EXPECT_TRUE(Wire(d.gate, kOutputPin, d.timer, 0));
    EXPECT_TRUE(Wire(d.timer, kOutputPin, d.q, 0));
    return d;
}

void JourneyTest::Shot(const std::string& name, HWND top)
{
    const char* folder = std::getenv("TAVIX_JOURNEY_SHOTS");
    if (!folder || !*folder)
        return;
    drv.Pump();
    EXPECT_TRUE(drv.SaveScreenshot(top ? top : Frame()->m_hWnd, std::string(folder) + "/" + name + ".png")) << name;
}

std::vector<std::wstring> JourneyTest::TakeBoxes()
{
    std::vector<std::wstring> texts;
    for (const auto& b : drv.Host().MessageBoxes())
        texts.push_back(b.text);
    drv.Host().ClearMessageBoxes();
    return texts;
}

std::wstring JourneyTest::Log() const
{
    return std::wstring(LPCTSTR(Frame()->InfoWindow().GetLogText()));
}

std::wstring JourneyTest::Text(UINT id)
{
    CString s;
    s.LoadString(id);
    s.TrimRight(L"\n");
    return std::wstring(LPCTSTR(s));
}

CString JourneyTest::Temp(const char* name) const { return CString((dir + "/" + name).c_str()); }

bool JourneyTest::PortReleased() const
{
    return Frame()->m_hComPort == nullptr && !Frame()->m_bPortOpen;
}

}  // namespace journey
