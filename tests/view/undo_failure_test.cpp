// A step of the editing history that fails is told to the user: a change whose snapshot cannot be
// written, an Undo or a Redo whose snapshot is gone. The diagram stays as the user sees it.
#include "EditTestSupport.h"

#include <cwchar>
#include <filesystem>
#include <ostream>
#include <string>

namespace viewtest {
namespace {

enum Step { undo, redo, insert };
struct Case {
    int undosBefore;  // Undo commands given before the snapshots vanish
    Step step;
    const wchar_t* message;
    int blocksAfter;
};

const char* StepName(Step step) { return step == undo ? "Undo" : step == redo ? "Redo" : "Change"; }
void PrintTo(const Case& c, std::ostream* os) { *os << StepName(c.step); }

class UndoFailure : public EditTest, public testing::WithParamInterface<Case> {
protected:
    void OpenNew()
    {
        auto doc = NewDocument(CTavixDoc::kindFbd);
        doc->OnNewDocument();
        Open(std::move(doc));
    }
    // The snapshots vanish behind the editor's back (a cleaner of the temporary folder).
    void RemoveSnapshots() { std::filesystem::remove_all(ToNativePath(document->m_undo.GetFolder())); }
};

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }

TEST_P(UndoFailure, IsShownAndTheDiagramStays)
{
    const Case& c = GetParam();
    OpenNew();
    ASSERT_NE(Insert(304, CPoint(100, 100)), nullptr);
    ASSERT_NE(Insert(304, CPoint(300, 100)), nullptr);
    for (int i = 0; i < c.undosBefore; ++i)
        Command(ID_EDIT_UNDO);
    EXPECT_TRUE(Boxes().empty());
    RemoveSnapshots();
    if (c.step == undo)
        Command(ID_EDIT_UNDO);
    else if (c.step == redo)
        Command(ID_EDIT_REDO);
    else
        ASSERT_NE(Insert(304, CPoint(500, 100)), nullptr);
    const std::vector<std::wstring> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(StartsWith(boxes[0], c.message)) << boxes[0];
    // The reason follows and is kept as the document's last error.
    EXPECT_GT(boxes[0].size(), std::wcslen(c.message));
    EXPECT_FALSE(document->GetLastError().IsEmpty());
    EXPECT_EQ(Count(document->m_blocks), c.blocksAfter);
}

INSTANTIATE_TEST_SUITE_P(Steps, UndoFailure,
                         testing::Values(Case{0, undo, L"Undo failed, the program is left as it was:\n", 2},
                                         Case{1, redo, L"Redo failed, the program is left as it was:\n", 1},
                                         Case{0, insert, L"The change is made, but Undo cannot take it back:\n", 3}),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(StepName(info.param.step));
                         });

}  // namespace
}  // namespace viewtest
