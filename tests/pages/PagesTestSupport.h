// Block sheet tests: programs shown in diagram views of frame windows on the headless host, the
// block properties command run through a view, and scripts that work the modal sheet.
#pragma once

#include "document/TavixDoc.h"
#include "pages/AllPropertySheet.h"
#include "pages/ParamRecords.h"
#include "platform/host/HeadlessHost.h"
#include "platform/ui/framework/Frame.h"
#include "shell/ChildFrame.h"
#include "view/TavixView.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pagestest {

// A view that keeps the records its open sheets apply, then applies them as every view does.
class CRecordingView : public CTavixView {
public:
    using CTavixView::CTavixView;
    struct Applied {
        int nType;
        CIOParamRecord io;
        CMiscParamRecord misc;
        CAnalogParamRecord analog;
        CTimeParamRecord time;
    };
    std::vector<Applied> m_applied;
    LRESULT OnApplyBlockParams(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// One program in its own frame and view.
struct Program {
    std::unique_ptr<CTavixDoc> doc;
    CChildFrame childFrame;
    CFrameWnd* frame = nullptr;
    CRecordingView* view = nullptr;
};

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new function block diagram shown in a view, or a program file of tests/fixtures.
    Program& Open(const char* fixture = nullptr);
    // A block of a type added to a program (numbered, placed at a free spot).
    CBlockObj* AddBlock(Program& p, int nType);
    // Runs Block Properties on a block of a program; `steps` run one after the other while the
    // modal sheet waits for input (each gets the sheet).
    void RunSheet(Program& p, CBlockObj* pBlock, std::vector<std::function<void(CAllPropertySheet&)>> steps);
    // Puts the view into simulation and opens Block Properties on a block there: the sheet opens
    // modeless (Apply sends its values to the running block). Null when no sheet opened.
    CAllPropertySheet* OpenModeless(Program& p, CBlockObj* pBlock);
    // The property sheet that is the active window now, null when none.
    static CAllPropertySheet* ActiveSheet();
    // Sets a control's text as if typed (the focus goes there first).
    void Type(CWnd* pDlg, UINT nID, const std::wstring& text);
    // The combo box a page holds as its own control for id; null (and a failure) when the page
    // has no such typed control.
    static CComboBox* ComboOf(CWnd* pPage, UINT nID);
    // Selects an item of a page's combo box and tells the page, as a user's choice does.
    static void Choose(CWnd* pPage, UINT nID, int index);
    // Clicks a button of a sheet (OK, Cancel, Apply) by its id; pumps nothing.
    void Press(CAllPropertySheet& sheet, int nID);
    // Saves a program and loads the file into a new document.
    std::unique_ptr<CTavixDoc> SaveAndReload(Program& p);

    CHeadlessDriver drv;
    std::vector<std::unique_ptr<Program>> programs;
    std::string tempDir;
};

// A control's text; whether it is there and shows; whether it is there and takes input.
CString Text(CWnd* pDlg, UINT nID);
bool Shown(CWnd* pDlg, UINT nID);
bool Enabled(CWnd* pDlg, UINT nID);

}  // namespace pagestest
