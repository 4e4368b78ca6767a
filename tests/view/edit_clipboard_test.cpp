// Copy and paste through the clipboard's private format: between programs, after the source
// program closed, the checks that refuse content with the reason, and content that another
// process placed under the format name.
#include "EditTestSupport.h"

#include "elements/BlockTypes.h"
#include "platform/ui/core/Clipboard.h"
#include "platform/ui/core/Ole.h"

#include <cstring>
#include <functional>

namespace viewtest {
namespace {

UINT PrivateFormat() { return ::RegisterClipboardFormatW(L"NorvettFABLogic"); }

void PutOnClipboard(const std::string& bytes)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    ::SetClipboardData(PrivateFormat(), h);
    ::CloseClipboard();
}

class ClipboardEdit : public EditTest {
protected:
    void TearDown() override
    {
        target.reset();
        targetDoc.reset();
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        EditTest::TearDown();
    }
    void OpenNew(int kind)
    {
        auto doc = NewDocument(kind);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    // A second program with a view of its own (no window) to paste into.
    CTavixView* NewTarget(int kind, WORD hardware = 0x5188)
    {
        target.reset();
        targetDoc = NewDocument(kind, hardware);
        targetDoc->OnNewDocument();
        target = std::make_unique<CTavixView>(targetDoc.get());
        return target.get();
    }
    // Input, AND gate and a wire between them, all selected and copied.
    void CopyWiredPair(int gateType)
    {
        CBlockObj* in = Insert(gateType == 300 ? 600 : 301, CPoint(100, 100));
        CBlockObj* gate = Insert(gateType, CPoint(200, 100));
        ASSERT_TRUE(in && gate);
        ASSERT_NE(Wire(in, 10, gate, 0), nullptr);
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_COPY);
    }
    std::unique_ptr<CTavixDoc> targetDoc;
    std::unique_ptr<CTavixView> target;
};

TEST_F(ClipboardEdit, ACopySurvivesItsProgramAndPastesWithItsWireAtTheLastClick)
{
    OpenNew(CTavixDoc::kindFbd);
    CopyWiredPair(300);
    // The source program goes away before the paste.
    frame->DestroyWindow();
    frame = nullptr;
    view = nullptr;
    document.reset();
    Pump();

    CTavixView* t = NewTarget(CTavixDoc::kindFbd);
    CPoint gateAt(400, 300);
    CBlockObj* existing = t->InsertBlock(304, &gateAt);
    ASSERT_TRUE(existing && t->AddInsertedBlock(existing));
    t->m_ptDown = CPoint(500, 400);
    const int steps = targetDoc->m_undo.GetCurrent();
    t->OnEditPaste();
    EXPECT_EQ(targetDoc->m_undo.GetCurrent(), steps + 1);
    ASSERT_EQ(targetDoc->m_blocks.GetCount(), 3);
    ASSERT_EQ(targetDoc->m_wires.GetCount(), 1);
    auto* in = static_cast<CBlockObj*>(targetDoc->m_blocks.GetAt(targetDoc->m_blocks.FindIndex(1)));
    auto* gate = static_cast<CBlockObj*>(targetDoc->m_blocks.GetTail());
    EXPECT_EQ(gate->m_nNumber, 9001);  // after the block already there
    EXPECT_EQ(in->m_nType, 600);
    auto* w = static_cast<CConnectLineObj*>(targetDoc->m_wires.GetHead());
    EXPECT_EQ(w->m_pStartBlock, in);
    EXPECT_EQ(w->m_pEndBlock, gate);
    EXPECT_EQ(gate->m_nLink[0], in->m_nNumber);
    EXPECT_EQ(in->m_nLink[10], gate->m_nNumber);
    // The pasted group is selected with its top-left corner at the last click.
    EXPECT_EQ(t->m_selBlocks.GetCount(), 2);
    EXPECT_EQ(t->m_selWires.GetCount(), 1);
    EXPECT_EQ(std::min(in->m_ptOrigin.x, gate->m_ptOrigin.x), 500);
    EXPECT_EQ(std::min(in->m_ptOrigin.y, gate->m_ptOrigin.y), 400);
    EXPECT_FALSE(existing->m_bSelected);
}

// Another running editor: what this one copies goes out to the system clipboard by the
// format's name, and what the other one copied comes in from there, checked by its content
// alone since nothing is known of the program it came from.
TEST_F(ClipboardEdit, CopiesTravelBetweenRunningEditorsThroughTheSystemClipboard)
{
    std::vector<ClipboardItem> published, incoming;
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
    struct Unbridge {
        ~Unbridge() { AfxSetClipboardBridge(ClipboardBridge()); }
    } unbridge;

    OpenNew(CTavixDoc::kindFbd);
    CopyWiredPair(300);
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published[0].name, L"NorvettFABLogic");
    const std::vector<ClipboardItem> copied = published;

    // The other editor's copy arrives in a function block diagram with its wire.
    incoming = copied;
    CTavixView* t = NewTarget(CTavixDoc::kindFbd);
    const int steps = targetDoc->m_undo.GetCurrent();
    t->OnEditPaste();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(targetDoc->m_undo.GetCurrent(), steps + 1);
    ASSERT_EQ(targetDoc->m_blocks.GetCount(), 2);
    ASSERT_EQ(targetDoc->m_wires.GetCount(), 1);
    auto* w = static_cast<CConnectLineObj*>(targetDoc->m_wires.GetHead());
    EXPECT_EQ(w->m_pStartBlock, targetDoc->m_blocks.GetHead());
    EXPECT_EQ(w->m_pEndBlock, targetDoc->m_blocks.GetTail());

    // Into a ladder its wires are a function block diagram's, told by the blocks it holds.
    incoming = copied;
    t = NewTarget(CTavixDoc::kindLadder);
    drv.Host().QueueMessageBoxAnswer(IDNO);
    t->OnEditPaste();
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{
        L"Cannot transfer connections from FBD to LAD.\nPaste the clipboard content without connections?"});
    EXPECT_EQ(targetDoc->m_blocks.GetCount(), 0);
}

TEST_F(ClipboardEdit, FunctionBlockWiresIntoALadderAskFirstAndNoPastesNothing)
{
    OpenNew(CTavixDoc::kindFbd);
    CopyWiredPair(303);
    CTavixView* t = NewTarget(CTavixDoc::kindLadder);
    drv.Host().QueueMessageBoxAnswer(IDNO);
    t->OnEditPaste();
    auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);  // the question, and no second box after No
    EXPECT_EQ(boxes[0], L"Cannot transfer connections from FBD to LAD.\nPaste the clipboard content without connections?");
    EXPECT_EQ(targetDoc->m_blocks.GetCount(), 0);

    drv.Host().QueueMessageBoxAnswer(IDYES);
    t->OnEditPaste();
    Boxes();
    EXPECT_EQ(targetDoc->m_blocks.GetCount(), 2);
    EXPECT_EQ(targetDoc->m_wires.GetCount(), 0);
    for (POSITION pos = targetDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(targetDoc->m_blocks.GetNext(pos));
        EXPECT_EQ(b->m_nLink[10], LINK_NONE);
        EXPECT_EQ(b->m_nLink[0], LINK_OPEN);
    }
}

TEST_F(ClipboardEdit, ContentTheTargetCannotHoldIsRefusedWithTheListOfBlocks)
{
    OpenNew(CTavixDoc::kindFbd);
    ASSERT_NE(Insert(600, CPoint(100, 100)), nullptr);
    ASSERT_NE(Insert(300, CPoint(200, 100)), nullptr);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_COPY);
    CTavixView* t = NewTarget(CTavixDoc::kindLadder);
    t->OnEditPaste();
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring header =
        L"Insertion is not allowed.\nThe following Blocks are not available in the current programming language:\n";
    EXPECT_EQ(boxes[0].substr(0, header.size()), header);
    EXPECT_NE(boxes[0].find(L"\n-"), std::wstring::npos);
    EXPECT_EQ(targetDoc->m_blocks.GetCount(), 0);
}

// From a newer device family into an older one: what the older family cannot do is refused
// with every reason found, one a line; what it can do passes.
TEST_F(ClipboardEdit, NewerFamilyContentIntoAnOlderFamilyProgram)
{
    struct Block {
        int type;
        std::function<void(CBlockObj*)> set;
    };
    struct Case {
        const char* name;
        std::vector<Block> blocks;
        std::wstring refusal;  // empty: pasted
    };
    const auto yearly = [](int from, int to, int yearlyMode, int pulse) {
        return [=](CBlockObj* b) {
            b->m_nYearStart = from;
            b->m_nYearEnd = to;
            b->m_nYearly = yearlyMode;
            b->m_nPulse = pulse;
        };
    };
    const std::wstring noResources = L"Insufficient Resources to paste the blocks.\n";
    const Case cases[] = {
        {"yearly timer over the whole century", {{411, yearly(2000, 2099, 1, 0)}}, L""},
        {"yearly timer over other years", {{411, yearly(2001, 2099, 1, 0)}},
         noResources + L"B0:Year range function is not available. On year must be  2000 and Off year must be 2099."},
        {"yearly timer not in yearly mode", {{411, yearly(2000, 2099, 0, 0)}},
         noResources + L"B0 : Yearly mode must be selected."},
        {"two findings", {{410, [](CBlockObj* b) { b->m_nPulse = 1; }}, {411, yearly(2000, 2099, 1, 1)}},
         noResources + L"B0 : The pulse function is not available\nB1 : The pulse function is not available"},
        {"a type the older family lacks", {{815, nullptr}},
         L"Insertion is not allowed.\nThe following Blocks are not available in the current programming language:\n\n-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenNew(CTavixDoc::kindFbd);
        CPoint at(100, 100);
        for (const Block& b : c.blocks) {
            CBlockObj* block = Insert(b.type, at);
            ASSERT_NE(block, nullptr);
            if (b.set)
                b.set(block);
            at.x += 150;
        }
        Command(ID_EDIT_SELECT_ALL);
        Command(ID_EDIT_COPY);
        CTavixView* t = NewTarget(CTavixDoc::kindFbd, 0x2188);
        ASSERT_LT(targetDoc->m_nMinFirmware, document->m_nMinFirmware);
        t->OnEditPaste();
        const auto boxes = Boxes();
        if (c.refusal.empty()) {
            EXPECT_TRUE(boxes.empty()) << ::testing::PrintToString(boxes);
            EXPECT_EQ(targetDoc->m_blocks.GetCount(), INT_PTR(c.blocks.size()));
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].substr(0, c.refusal.size()), c.refusal);
            EXPECT_EQ(targetDoc->m_blocks.GetCount(), 0);
        }
        frame->DestroyWindow();
        frame = nullptr;
        view = nullptr;
        document.reset();
        Pump();
    }
}

TEST_F(ClipboardEdit, DamagedOrHostileClipboardContentIsRefusedWhole)
{
    OpenNew(CTavixDoc::kindFbd);
    ASSERT_NE(Insert(300, CPoint(200, 100)), nullptr);
    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_COPY);
    // The genuine content, cut short at every tenth byte, and a count far beyond the content.
    std::string genuine;
    {
        COleDataObject data;
        ASSERT_TRUE(data.AttachClipboard());
        std::unique_ptr<CFile> file(data.GetFileData(CLIPFORMAT(PrivateFormat())));
        ASSERT_TRUE(file);
        genuine.resize(size_t(file->GetLength()));
        file->Read(genuine.data(), UINT(genuine.size()));
    }
    CTavixView* t = NewTarget(CTavixDoc::kindFbd);
    std::vector<std::string> bad;
    for (size_t n = 1; n < genuine.size(); n += 10)
        bad.push_back(genuine.substr(0, n));
    bad.push_back(std::string("\xFF\xFF\xFF\xFF\x7F", 5));
    bad.push_back(std::string("\x01\x00\xFF\xFF\x01\x00\x09\x00" "CWidgetX", 16));
    for (const std::string& bytes : bad) {
        PutOnClipboard(bytes);
        t->OnEditPaste();
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"The clipboard content is damaged and cannot be pasted."})
            << bytes.size();
        EXPECT_EQ(targetDoc->m_blocks.GetCount(), 0);
        EXPECT_TRUE(t->m_selBlocks.IsEmpty());
    }
    // The genuine content still pastes.
    PutOnClipboard(genuine);
    t->OnEditPaste();
    EXPECT_EQ(targetDoc->m_blocks.GetCount(), 1);
}

}  // namespace
}  // namespace viewtest
