// Field drawing: a contact sheet of every field kind, in description and in value mode, with
// English and Chinese texts, compared pixel for pixel with the reviewed picture in
// tests/fixtures/msgtext. TAVIX_UPDATE_MSGTEXT_REFERENCES=1 writes the picture instead (review it
// against what the fields should look like before committing it).
#include "MsgTextTestSupport.h"

#include "elements/BlockObj.h"
#include "msgtext/Widget.h"
#include "platform/gdi/DC.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"

#include <cstdlib>
#include <memory>
#include <vector>

using namespace mttest;

namespace {

constexpr int kCellW = 22;
constexpr int kRowH = 40;

// A popup that paints its fields: each row of the sheet once described, once as the device
// shows it.
class CSheetWnd : public CWnd {
public:
    std::vector<std::unique_ptr<CWidget>> fields;
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(255, 255, 224));
        for (auto& f : fields)
            f->Draw(nullptr, &dc, f->m_bSelected ? FALSE : TRUE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSheetWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

std::string Reference() { return std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/msgtext/fields.png"; }

class FieldDrawingTest : public MsgTextTest {};

} // namespace

TEST_F(FieldDrawingTest, LabelsOfOperandsAndBlocks)
{
    auto doc = NewDocument();
    CBlockObj* counter = Add(*doc, 800);
    struct Case {
        int number;
        const wchar_t* label;
    } cases[] = {{133, L"I101"}, {618, L"Q102"}, {1021, L"S1.5"}, {1320, L"M4"},
                 {1302, L"F2"},  {4010, L"AI102"}, {4300, L"AM12"}, {50, L""}};
    for (const Case& c : cases) {
        CWidget w;
        w.m_nNumber = c.number;
        EXPECT_EQ(std::wstring(w.GetLabel().GetString()), c.label) << c.number;
    }
    CWidget block;
    block.m_pBlock = counter;
    block.m_nNumber = 9012;
    block.m_strText = L"Counter";
    EXPECT_EQ(std::wstring(block.GetLabel().GetString()), L"B12 - Counter");
    CWidget graph;
    graph.m_nType = widgetGraph;
    EXPECT_EQ(std::wstring(graph.GetLabel().GetString()), L"[Graph]");
    EXPECT_EQ(std::wstring(graph.GetCaption(nullptr).GetString()), L"Graph 12 X 4");
    EXPECT_TRUE(graph.GetValueText(nullptr).IsEmpty());
}

TEST_F(FieldDrawingTest, ContactSheetOfEveryKind)
{
    auto doc = NewDocument();
    CBlockObj* onDelay = Add(*doc, 400);
    CBlockObj* amplifier = Add(*doc, 805);
    CBlockObj* counter = Add(*doc, 800);
    CBlockObj* modulo = Add(*doc, 862);
    CSheetWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"sheet", WS_POPUP | WS_VISIBLE, CRect(0, 0, 2 * 26 * kCellW, 12 * kRowH),
                             nullptr, 0));
    // One field a row: kind, columns wide, rows high, block, item, text; the right half of the
    // sheet shows the same fields as the device does.
    struct Spec {
        int kind, width, rows;
        CBlockObj* block;
        int number, item;
        const wchar_t* text;
        int setting;
    } specs[] = {
        {0, 7, 1, onDelay, 0, 4, L"On-Delay", 0},
        {1, 7, 1, modulo, 0, 122, L"\x57FA\x6570", 0},   // Chinese text of the parameter
        {0, 6, 1, nullptr, 4003, 131, L"", 0},           // AI operand of a ladder program
        {widgetBar, 5, 1, amplifier, 0, 28, L"Ax,Amplified", 5},
        {widgetScaleTime, 11, 1, counter, 0, 16, L"Counter", 2},
        {widgetOnOff, 8, 1, counter, 0, 16, L"[Up/Down Counter]", 0},
        {widgetOnOff, 8, 1, nullptr, 133, 0, L"", 0},
        {widgetScope, 12, 3, amplifier, 0, 28, L"Ax,Amplified", 5},
    };
    int y = 0;
    for (const Spec& s : specs) {
        for (int mode = 0; mode < 2; ++mode) {
            auto w = std::make_unique<CWidget>(mode * 26 * kCellW + kCellW, y, s.width * kCellW, s.rows * kRowH,
                                               s.kind == widgetOnOff ? RGB(192, 192, 192)
                                               : s.kind >= 0        ? RGB(128, 128, 128)
                                               : s.kind == widgetScaleTime ? RGB(128, 192, 192)
                                                                          : RGB(128, 128, 255));
            w->m_nType = s.kind;
            w->m_nWidth = s.width;
            w->m_pBlock = s.block;
            w->m_nNumber = s.block ? s.block->m_nNumber : s.number;
            w->m_nItem = s.item;
            w->m_strText = s.text;
            w->m_nSetting = s.setting;
            w->m_pDoc = doc.get();
            if (s.kind == widgetOnOff) {
                const wchar_t* off = s.block ? L"OFF" : L"\x5173";
                const wchar_t* on = s.block ? L"ON" : L"\x5F00";
                for (int i = 0; off[i]; ++i)
                    w->m_strStatusName[9 + 1 + i] = CString(off[i]);
                for (int i = 0; on[i]; ++i)
                    w->m_strStatusName[18 + 1 + i] = CString(on[i]);
            }
            w->m_bSelected = mode == 1;  // the sheet draws these in value mode
            wnd.fields.push_back(std::move(w));
        }
        y += s.rows * kRowH + 2;
    }
    {
        auto graph = std::make_unique<CWidget>(kCellW, y, 12 * kCellW, 4 * kRowH - 40, RGB(128, 128, 255));
        graph->m_nType = widgetGraph;
        graph->m_nWidth = 12;
        graph->m_nNumber = -1;
        wnd.fields.push_back(std::move(graph));
    }
    wnd.Invalidate(TRUE);
    m_drv.Pump();

    CRect client;
    wnd.GetClientRect(&client);
    const Picture shot = Capture(m_drv, wnd.m_hWnd, client.Width(), client.Height());
    if (UpdatingReferences()) {
        EXPECT_TRUE(SavePng(shot, Reference()));
        wnd.DestroyWindow();
        return;
    }
    const Picture ref = LoadPng(Reference());
    ASSERT_FALSE(ref.pixels.empty()) << "missing reference " << Reference();
    ASSERT_EQ(ref.width, client.Width());
    ASSERT_EQ(ref.height, client.Height());
    size_t first = 0;
    EXPECT_EQ(CountDifferences(ref, shot, &first), 0)
        << "first difference at (" << first % size_t(ref.width) << ", " << first / size_t(ref.width) << ")";
    wnd.DestroyWindow();
}
