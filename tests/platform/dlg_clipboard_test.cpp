// Global memory, clipboard formats and content, the system clipboard bridge, OLE-shaped data
// transfer and a drag and drop between two windows.
#include "dlg_support.h"

#include "platform/base/Archive.h"
#include "platform/base/CodePage.h"
#include "platform/ui/controls/CtlClipboard.h"
#include "platform/ui/core/Ole.h"

#include <cstring>

using namespace dlgtest;

namespace {

HGLOBAL BlockOf(const std::string& s)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, s.size());
    std::memcpy(GlobalLock(h), s.data(), s.size());
    GlobalUnlock(h);
    return h;
}

std::string BytesOf(HGLOBAL h)
{
    auto* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? std::string(p, GlobalSize(h)) : std::string();
    GlobalUnlock(h);
    return s;
}

// Leaves the process clipboard empty and without a bridge after each test.
class ClipboardTest : public DlgTest {
protected:
    ~ClipboardTest() override
    {
        AfxSetClipboardBridge({});
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
};

TEST(GlobalMemory, BlocksGrowKeepTheirHandleAndUnknownHandlesAreRefused)
{
    HGLOBAL h = GlobalAlloc(GHND, 4);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 4u);
    std::memcpy(GlobalLock(h), "abcd", 4);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalReAlloc(h, 6, GMEM_MOVEABLE), h);
    EXPECT_EQ(BytesOf(h), std::string("abcd\0\0", 6));
    EXPECT_EQ(GlobalFree(h), nullptr);
    // Freed and made-up handles and oversized requests fail without touching memory.
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_EQ(GlobalLock(reinterpret_cast<HGLOBAL>(0x1234)), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, kGlobalMaxBytes + 1), nullptr);
}

TEST_F(ClipboardTest, FormatsRoundTripAndTheClipboardOwnsWhatItIsGiven)
{
    UINT mine = RegisterClipboardFormatW(L"NorvettFABLogic");
    UINT widget = RegisterClipboardFormatW(L"Widget");
    EXPECT_GE(mine, 0xC000u);
    EXPECT_NE(mine, widget);
    EXPECT_EQ(RegisterClipboardFormatW(L"norvettfablogic"), mine);
    EXPECT_EQ(RegisterClipboardFormatW(L""), 0u);
    wchar_t name[32];
    EXPECT_EQ(GetClipboardFormatNameW(mine, name, 32), 15);
    EXPECT_STREQ(name, L"NorvettFABLogic");

    EXPECT_EQ(SetClipboardData(mine, BlockOf("x")), nullptr);  // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));  // already open
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_NE(SetClipboardData(mine, BlockOf("elements")), nullptr);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, BlockOf(std::string("h\0i\0\0\0", 6))), nullptr);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(mine));
    EXPECT_FALSE(IsClipboardFormatAvailable(widget));
    EXPECT_EQ(CountClipboardFormats(), 4);  // with the ANSI and OEM texts made from the Unicode one
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(BytesOf(static_cast<HGLOBAL>(GetClipboardData(mine))), "elements");
    std::vector<UINT> formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats.push_back(f);
    EXPECT_EQ(formats, (std::vector<UINT>{CF_UNICODETEXT, mine, CF_TEXT, CF_OEMTEXT}));
    HGLOBAL held = static_cast<HGLOBAL>(GetClipboardData(mine));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(held), 0u);  // freed with the old content
    CloseClipboard();
}

TEST_F(ClipboardTest, TheBridgePublishesNamedFormatsAndTakesInAnotherInstancesData)
{
    std::vector<ClipboardItem> published;
    std::vector<ClipboardItem> incoming;
    ClipboardBridge bridge;
    bridge.publish = [&](const std::vector<ClipboardItem>& items) { published = items; };
    bridge.fetch = [&](std::vector<ClipboardItem>& items) {
        if (incoming.empty())
            return false;
        items = incoming;
        incoming.clear();
        return true;
    };
    AfxSetClipboardBridge(bridge);
    UINT mine = RegisterClipboardFormatW(L"Widget");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(mine, BlockOf("field"));
    CloseClipboard();
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published[0].name, L"Widget");
    EXPECT_EQ(std::string(published[0].bytes.begin(), published[0].bytes.end()), "field");

    // Another instance registered the same name under whatever id: it arrives by name.
    ClipboardItem other;
    other.name = L"WIDGET";
    other.bytes = {'x', 'y'};
    incoming = {other};
    EXPECT_TRUE(IsClipboardFormatAvailable(mine));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(BytesOf(static_cast<HGLOBAL>(GetClipboardData(mine))), "xy");
    CloseClipboard();
}

TEST_F(ClipboardTest, TextGoesThroughTheClipboardAndTheEditsUseIt)
{
    ASSERT_TRUE(AfxSetClipboardText(L"B001 \u4e2d\u6587"));
    std::wstring t;
    ASSERT_TRUE(AfxGetClipboardText(t));
    EXPECT_EQ(t, L"B001 \u4e2d\u6587");
    // A block without its terminating zero is read up to its end, not beyond.
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 2 * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(h));
    p[0] = L'a';
    p[1] = L'b';
    GlobalUnlock(h);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, h);
    CloseClipboard();
    ASSERT_TRUE(AfxGetClipboardText(t));
    EXPECT_EQ(t, L"ab");

    AfxConnectEditClipboard();
    EXPECT_TRUE(ctl::ClipboardSetText(L"copied in an edit"));
    ASSERT_TRUE(AfxGetClipboardText(t));
    EXPECT_EQ(t, L"copied in an edit");
    AfxSetClipboardText(L"pasted into an edit");
    EXPECT_TRUE(ctl::ClipboardGetText(t));
    EXPECT_EQ(t, L"pasted into an edit");
    CtlSetClipboardHandlers(nullptr, nullptr);
}

std::wstring WideOf(HGLOBAL h)
{
    auto* p = static_cast<const wchar_t*>(GlobalLock(h));
    std::wstring s = p ? std::wstring(p) : std::wstring();
    GlobalUnlock(h);
    return s;
}

TEST_F(ClipboardTest, TextFormatsAreMadeFromOneAnother)
{
    UINT oldAcp = GetACP();
    SetACP(936);
    const std::string gbk = "x\xD6\xD0";  // "x" and U+4E2D in the ANSI code page 936
    struct Case {
        UINT placed;
        std::string bytes;  // of the block placed (a wide text for CF_UNICODETEXT)
        UINT asked;
        std::string expected;  // bytes of a narrow answer, or UTF-8 of a wide one
    };
    const std::string wideIn = "wide";
    const Case cases[] = {
        {CF_TEXT, gbk + '\0', CF_UNICODETEXT, "x\u4E2D"},
        {CF_TEXT, gbk, CF_UNICODETEXT, "x\u4E2D"},  // no terminating zero: read to the block's end
        {CF_OEMTEXT, gbk + '\0', CF_TEXT, gbk + '\0'},
        {CF_UNICODETEXT, wideIn, CF_TEXT, gbk + '\0'},
        {CF_TEXT, gbk + '\0', CF_TEXT, gbk + '\0'},  // as placed
    };
    for (const Case& c : cases) {
        HGLOBAL h;
        if (c.placed == CF_UNICODETEXT) {
            std::wstring w = L"x\u4E2D";
            h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
            std::memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(h);
        } else {
            h = BlockOf(c.bytes);
        }
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(c.placed, h);
        CloseClipboard();
        EXPECT_TRUE(IsClipboardFormatAvailable(c.asked));
        ASSERT_TRUE(OpenClipboard(nullptr));
        auto got = static_cast<HGLOBAL>(GetClipboardData(c.asked));
        ASSERT_NE(got, nullptr) << c.placed << "->" << c.asked;
        if (c.asked == CF_UNICODETEXT)
            EXPECT_EQ(WideOf(got), L"x\u4E2D") << c.placed;
        else
            EXPECT_EQ(BytesOf(got), c.expected) << c.placed << "->" << c.asked;
        CloseClipboard();
    }
    // the formats made are listed after the one placed, and follow a replacement
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), CF_UNICODETEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), CF_OEMTEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_OEMTEXT), 0u);
    SetClipboardData(CF_TEXT, BlockOf(std::string("new", 4)));
    EXPECT_EQ(WideOf(static_cast<HGLOBAL>(GetClipboardData(CF_UNICODETEXT))), L"new");
    CloseClipboard();
    SetACP(oldAcp);
}

TEST_F(ClipboardTest, DataSourceOnTheClipboardIsReadBackAsAFile)
{
    UINT fmt = RegisterClipboardFormatW(L"NorvettFABLogic");
    CSharedFile out;
    {
        CArchive ar(&out, CArchive::store);
        ar << int(3) << CString(L"B001");
        ar.Close();
    }
    auto* src = new COleDataSource;
    src->CacheGlobalData(CLIPFORMAT(fmt), out.Detach());
    EXPECT_EQ(out.GetLength(), 0u);
    src->SetClipboard();  // the clipboard takes the source over

    COleDataObject obj;
    ASSERT_TRUE(obj.AttachClipboard());
    EXPECT_TRUE(obj.IsDataAvailable(CLIPFORMAT(fmt)));
    EXPECT_FALSE(obj.IsDataAvailable(CF_UNICODETEXT));
    EXPECT_EQ(obj.GetFileData(CF_UNICODETEXT), nullptr);
    std::unique_ptr<CFile> file(obj.GetFileData(CLIPFORMAT(fmt)));
    ASSERT_NE(file, nullptr);
    CArchive ar(file.get(), CArchive::load);
    int n = 0;
    CString s;
    ar >> n >> s;
    EXPECT_EQ(n, 3);
    EXPECT_EQ(s, CString(L"B001"));
}

// A target that accepts the private format and records what happens.
class CRecordingTarget : public COleDropTarget {
public:
    UINT format = 0;
    DROPEFFECT offer = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    std::vector<std::string> events;
    std::string dropped;
    CPoint dropPoint;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* d, DWORD, CPoint) override
    {
        events.push_back("enter");
        return d->IsDataAvailable(CLIPFORMAT(format)) ? offer : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* d, DWORD, CPoint) override
    {
        if (events.empty() || events.back() != "over")
            events.push_back("over");
        return d->IsDataAvailable(CLIPFORMAT(format)) ? offer : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { events.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* d, DROPEFFECT, CPoint pt) override
    {
        events.push_back("drop");
        HGLOBAL h = d->GetGlobalData(CLIPFORMAT(format));
        dropped = BytesOf(h);
        GlobalFree(h);
        dropPoint = pt;
        return TRUE;
    }
};

TEST_F(ClipboardTest, DragAndDropBetweenTwoWindows)
{
    HWND a = ::CreateWindowExW(0, kStatic, L"source", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND b = ::CreateWindowExW(0, kStatic, L"target", WS_POPUP | WS_VISIBLE, 300, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    CWnd wb;
    wb.Attach(b);
    UINT fmt = RegisterClipboardFormatW(L"Widget");
    struct Case {
        const char* what;
        bool ctrl;
        bool escape;
        DROPEFFECT offer;
        DROPEFFECT result;
        std::vector<std::string> events;
    } cases[] = {
        {"move", false, false, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE, {"enter", "over", "drop"}},
        {"ctrl copies", true, false, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY, {"enter", "over", "drop"}},
        {"refused", false, false, DROPEFFECT_NONE, DROPEFFECT_NONE, {"enter", "over", "leave"}},
        {"escape", false, true, DROPEFFECT_MOVE, DROPEFFECT_NONE, {"enter", "over", "leave"}},
    };
    for (const Case& c : cases) {
        CRecordingTarget target;
        target.format = fmt;
        target.offer = c.offer;
        ASSERT_TRUE(target.Register(&wb));
        COleDataSource src;
        src.CacheGlobalData(CLIPFORMAT(fmt), BlockOf("field #7"));
        ::SetCapture(a);
        drv.Host().QueueIdleStep([&] {
            drv.MouseMove(CHeadlessDriver::At(a, POINT{20, 20}));
            drv.MouseMove(CHeadlessDriver::At(b, POINT{40, 50}));
            drv.MouseMove(CHeadlessDriver::At(b, POINT{41, 50}));
            if (c.ctrl)
                drv.KeyDown(VK_CONTROL);
        });
        drv.Host().QueueIdleStep([&] {
            if (c.escape)
                drv.Key(VK_ESCAPE, 27);
            else
                drv.MouseUp(CHeadlessDriver::At(b, POINT{41, 50}));
        });
        EXPECT_EQ(src.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE), c.result) << c.what;
        EXPECT_EQ(target.events, c.events) << c.what;
        if (c.result != DROPEFFECT_NONE) {
            EXPECT_EQ(target.dropped, "field #7") << c.what;
            EXPECT_EQ(target.dropPoint, CPoint(41, 50)) << c.what;
        }
        EXPECT_EQ(::GetCapture(), nullptr) << c.what;
        if (c.ctrl)
            drv.KeyUp(VK_CONTROL);
        drv.Pump();
    }
    wb.Detach();
    ::DestroyWindow(a);
    ::DestroyWindow(b);
}

TEST_F(ClipboardTest, ReleasingTheButtonInsideTheStartRectangleDragsNothing)
{
    HWND a = ::CreateWindowExW(0, kStatic, L"source", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    COleDataSource src;
    src.CacheGlobalData(CF_UNICODETEXT, BlockOf(std::string("a\0\0\0", 4)));
    ::SetCapture(a);
    RECT start{0, 0, 10, 10};
    POINT p0 = CHeadlessDriver::At(a, POINT{5, 5});
    ::OffsetRect(&start, p0.x - 5, p0.y - 5);
    drv.Host().QueueIdleStep([&] {
        drv.MouseMove(CHeadlessDriver::At(a, POINT{6, 6}));
        drv.MouseUp(CHeadlessDriver::At(a, POINT{6, 6}));
    });
    EXPECT_EQ(src.DoDragDrop(DROPEFFECT_COPY, &start), DROPEFFECT_NONE);
    ::DestroyWindow(a);
}

}  // namespace
