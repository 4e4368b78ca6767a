// The undo store: snapshots in a private folder, thirty steps back, failures change nothing.
#include "DocTestSupport.h"

#include "document/UndoCompound.h"
#include "elements/ConnectLineObj.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string Folder(CTavixDoc& doc)
{
    return ToNativePath(doc.m_undo.GetFolder());
}

// A change that shows which snapshot the document holds.
void Change(CTavixDoc& doc, int step)
{
    doc.m_nInfo = step;
    AddNew(doc, 304);
}

} // namespace

TEST(UndoStore, NothingToUndoBeforeTheFirstSnapshot)
{
    CTavixDoc doc;
    EXPECT_FALSE(doc.m_undo.CanUndo());
    EXPECT_FALSE(doc.m_undo.CanRedo());
    EXPECT_FALSE(doc.m_undo.Undo());
    EXPECT_FALSE(doc.m_undo.Redo());
    EXPECT_EQ(doc.m_undo.GetCurrent(), -1);
}

TEST(UndoStore, UndoAndRedoRestoreTheWholeProgram)
{
    CTavixDoc doc;
    doc.OnNewDocument();
    EXPECT_FALSE(doc.m_undo.CanUndo());
    doc.m_strProgramName = L"FIRST";
    Change(doc, 1);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    doc.m_strProgramName = L"SECOND";
    Change(doc, 2);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    doc.SetModifiedFlag(FALSE);

    ASSERT_TRUE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 1);
    EXPECT_EQ(doc.m_strProgramName, L"FIRST");
    ASSERT_TRUE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 0);  // the new, empty program
    EXPECT_FALSE(doc.m_undo.CanUndo());
    EXPECT_FALSE(doc.m_undo.Undo());
    ASSERT_TRUE(doc.m_undo.Redo());
    ASSERT_TRUE(doc.m_undo.Redo());
    EXPECT_EQ(doc.m_strProgramName, L"SECOND");
    EXPECT_EQ(doc.m_blocks.GetCount(), 2);
    EXPECT_FALSE(doc.m_undo.CanRedo());
    EXPECT_FALSE(doc.IsModified());  // undo and redo leave the modified flag alone
}

TEST(UndoStore, KeepsThirtyStepsBack)
{
    CTavixDoc doc;
    for (int step = 1; step <= 32; ++step) {
        doc.m_nInfo = step;
        ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
        if (step == 31) {
            EXPECT_EQ(doc.m_undo.GetCurrent(), 30);
            EXPECT_EQ(doc.m_undo.GetLast(), 30);
        }
    }
    EXPECT_EQ(doc.m_undo.GetCurrent(), 30);
    int undone = 0;
    while (doc.m_undo.CanUndo()) {
        ASSERT_TRUE(doc.m_undo.Undo());
        ++undone;
    }
    EXPECT_EQ(undone, 30);
    EXPECT_EQ(doc.m_nInfo, 2);  // the oldest kept snapshot
    // Only the kept snapshots stay on disk.
    const auto files = std::distance(fs::directory_iterator(Folder(doc)), fs::directory_iterator());
    EXPECT_EQ(files, 31);
}

TEST(UndoStore, AChangeAfterUndoDropsTheRedoSteps)
{
    CTavixDoc doc;
    for (int step = 1; step <= 3; ++step) {
        doc.m_nInfo = step;
        doc.m_undo.PushSnapshot(&doc);
    }
    ASSERT_TRUE(doc.m_undo.Undo());
    ASSERT_TRUE(doc.m_undo.Undo());
    EXPECT_TRUE(doc.m_undo.CanRedo());
    doc.m_nInfo = 9;
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    EXPECT_FALSE(doc.m_undo.CanRedo());
    ASSERT_TRUE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_nInfo, 1);
    ASSERT_TRUE(doc.m_undo.Redo());
    EXPECT_EQ(doc.m_nInfo, 9);
}

TEST(UndoStore, FailedSnapshotChangesNothing)
{
    CTavixDoc doc;
    Change(doc, 1);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    Change(doc, 2);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));

    // The folder vanishes: no snapshot can be written or read any more.
    fs::remove_all(Folder(doc));
    Change(doc, 3);
    EXPECT_FALSE(doc.m_undo.PushSnapshot(&doc));
    EXPECT_FALSE(doc.m_undo.GetLastError().IsEmpty());
    EXPECT_EQ(doc.m_undo.GetCurrent(), 1);
    EXPECT_FALSE(doc.m_undo.CanRedo());

    // Undo cannot load its snapshot: the diagram stays as it is.
    EXPECT_TRUE(doc.m_undo.CanUndo());
    EXPECT_FALSE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 3);
    EXPECT_EQ(doc.m_nInfo, 3);
    EXPECT_EQ(doc.m_undo.GetCurrent(), 1);
}

TEST(UndoStore, DamagedSnapshotIsRefusedAndTheDiagramKept)
{
    CTavixDoc doc;
    Change(doc, 1);
    doc.m_undo.PushSnapshot(&doc);
    Change(doc, 2);
    doc.m_undo.PushSnapshot(&doc);
    for (const auto& entry : fs::directory_iterator(Folder(doc))) {
        Bytes bytes = ReadBytes(entry.path().string());
        bytes.resize(bytes.size() / 2);
        WriteBytes(entry.path().string(), bytes);
    }
    EXPECT_FALSE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 2);
    EXPECT_EQ(doc.m_nInfo, 2);
    EXPECT_EQ(doc.m_undo.GetCurrent(), 1);
}

TEST(UndoStore, EachDocumentHasItsOwnFolder)
{
    std::string kept;
    auto first = std::make_unique<CTavixDoc>();
    CTavixDoc second;
    first->m_undo.PushSnapshot(first.get());
    second.m_undo.PushSnapshot(&second);
    const std::string gone = Folder(*first);
    kept = Folder(second);
    EXPECT_NE(gone, kept);
    EXPECT_TRUE(fs::is_directory(gone));
    first.reset();
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_TRUE(fs::is_directory(kept));
    EXPECT_EQ(second.GetPrivateTempFolder(), second.m_undo.GetFolder());
}

TEST(UndoStore, OpeningAProgramTakesTheFirstSnapshot)
{
    CTavixDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Wide(FixturePath("program_fbd.yfb"))));
    EXPECT_EQ(doc.m_undo.GetCurrent(), 0);
    EXPECT_FALSE(doc.m_undo.CanUndo());  // nothing before the opened program
}

TEST(UndoStore, LadderKeepsOnePowerBus)
{
    CTavixDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Wide(FixturePath("program_ladder.yld"))));
    AddNew(doc, 700);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(doc.m_undo.Undo());
        EXPECT_EQ(doc.m_powerBus.GetCount(), 1);
        EXPECT_EQ(doc.m_blocks.GetCount(), 2);
        ASSERT_TRUE(doc.m_undo.Redo());
        EXPECT_EQ(doc.m_powerBus.GetCount(), 1);
        EXPECT_EQ(doc.m_blocks.GetCount(), 3);
    }
    // The wires of the reloaded program hold the reloaded elements.
    auto* pWire = static_cast<CConnectLineObj*>(doc.m_wires.GetHead());
    EXPECT_EQ(pWire->m_pStartBlock, doc.m_powerBus.GetHead());
    EXPECT_EQ(pWire->m_pDoc, &doc);
}

TEST(UndoStore, ACompoundOperationIsOneStep)
{
    CTavixDoc doc;
    doc.OnNewDocument();
    {
        CUndoCompound outer(&doc);
        for (int step = 1; step <= 3; ++step) {
            Change(doc, step);
            ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
            EXPECT_EQ(doc.m_undo.GetCurrent(), 0);  // only noted while the operation runs
        }
        CUndoCompound inner(&doc);
        Change(doc, 4);
        ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    }
    EXPECT_EQ(doc.m_undo.GetCurrent(), 1);
    EXPECT_EQ(doc.m_undo.GetLast(), 1);
    ASSERT_TRUE(doc.m_undo.Undo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 0);  // the whole operation went at once
    ASSERT_TRUE(doc.m_undo.Redo());
    EXPECT_EQ(doc.m_blocks.GetCount(), 4);
    EXPECT_EQ(doc.m_nInfo, 4);

    // An operation that changed nothing takes no step; single pushes count again afterwards.
    { CUndoCompound idle(&doc); }
    EXPECT_EQ(doc.m_undo.GetLast(), 1);
    Change(doc, 5);
    ASSERT_TRUE(doc.m_undo.PushSnapshot(&doc));
    EXPECT_EQ(doc.m_undo.GetCurrent(), 2);
}
