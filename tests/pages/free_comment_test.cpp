// The sheet of a free comment of the diagram, opened by a double-click or Block Properties: OK
// stores the text with its measured size, font and colour as one undo step and grows the pages
// when the comment reaches past them; an emptied text deletes the comment; Cancel, Escape and a
// font chosen before them change nothing.
#include "PagesTestSupport.h"

#include "elements/BlockComment.h"
#include "pages/Comment.h"
#include "pages/InsCommentsPropSh.h"
#include "resources/resource.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/dialogs/CommonDlg.h"

#include <algorithm>

namespace pagestest {
namespace {

using Step = std::function<void(CInsCommentsPropSh&)>;

class FreeCommentTest : public PagesTest {
protected:
    // A comment inserted as the Insert Comment mode does it (one undo step); the document then
    // counts as saved.
    CBlockComment* AddComment(Program& p, CPoint at)
    {
        CBlockComment* c = p.view->CreateComment(at);
        EXPECT_NE(c, nullptr);
        if (c) {
            p.doc->AddComment(c);
            p.view->TakeSnapshot();
        }
        p.doc->SetModifiedFlag(FALSE);
        return c;
    }

    static CInsCommentsPropSh* ActiveCommentSheet()
    {
        CWnd* pWnd = CWnd::GetActiveWindow();
        return pWnd ? dynamic_cast<CInsCommentsPropSh*>(CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) : nullptr;
    }

    // The steps run one after the other while the sheet waits (`*pOpened` set when one ran).
    void QueueSteps(std::vector<Step> steps, bool* pOpened = nullptr)
    {
        for (auto& step : steps)
            drv.Host().QueueIdleStep([step, pOpened] {
                CInsCommentsPropSh* pSheet = ActiveCommentSheet();
                ASSERT_NE(pSheet, nullptr);
                if (pOpened)
                    *pOpened = true;
                step(*pSheet);
            });
    }

    // Block Properties on a comment.
    void RunCommentSheet(Program& p, CBlockComment* c, std::vector<Step> steps)
    {
        QueueSteps(std::move(steps));
        p.view->m_pCurComment = c;
        p.view->SendMessage(WM_COMMAND, ID_EDIT_BLOCK_PROPERTIES);
        drv.Pump();
    }

    static void SetText(CInsCommentsPropSh& sheet, const CString& text)
    {
        sheet.m_pagComments.SetDlgItemText(IDC_COMMENT_TEXT, text.GetString());
    }

    static void PressButton(CInsCommentsPropSh& sheet, int nID)
    {
        CWnd* pButton = sheet.GetDlgItem(nID);
        ASSERT_NE(pButton, nullptr) << nID;
        sheet.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
    }

    static void PressFont(CInsCommentsPropSh& sheet)
    {
        sheet.m_pagComments.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INS_COMMENTS_FONT, BN_CLICKED), 0);
    }

    static CRect ButtonRect(CWnd& sheet, int nID)
    {
        CRect rc;
        if (CWnd* pButton = sheet.GetDlgItem(nID))
            pButton->GetWindowRect(&rc);
        return rc;
    }

    // A text's extent on the screen in a font.
    static CSize Extent(Program& p, const LOGFONTW& lf, const CString& text)
    {
        CClientDC dc(p.frame);
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* pOld = dc.SelectObject(&font);
        const CSize size = dc.GetTextExtent(text);
        dc.SelectObject(pOld);
        return size;
    }

    CCommonDlgScript dialogs;
};

TEST_F(FreeCommentTest, DoubleClickTwoTypedLinesAndOkSizeTheCommentInOneUndoStep)
{
    Program& p = Open();
    CBlockComment* c = AddComment(p, CPoint(100, 100));
    ASSERT_NE(c, nullptr);
    const int undo = p.doc->m_undo.GetCurrent();
    p.view->ScrollToPosition(CPoint(0, 0));
    drv.Pump();
    const float zoom = p.view->GetZoom();
    CPoint at(int((c->m_ptOrigin.x + c->m_nWidth / 2) * zoom), int((c->m_ptOrigin.y + c->m_nHeight / 2) * zoom));
    p.view->ClientToScreen(&at);
    bool opened = false;
    QueueSteps({[&](CInsCommentsPropSh& sheet) {
                   EXPECT_EQ(Text(&sheet.m_pagComments, IDC_COMMENT_TEXT), CString(L"Comment"));
                   CString caption;
                   sheet.GetWindowText(caption);
                   EXPECT_EQ(caption, CString(L"Property"));
                   // Apply is hidden, OK and Cancel close its gap and stay left of Help.
                   EXPECT_FALSE(Shown(&sheet, ID_APPLY_NOW));
                   EXPECT_TRUE(Enabled(&sheet, IDHELP));
                   const CRect ok = ButtonRect(sheet, IDOK), cancel = ButtonRect(sheet, IDCANCEL),
                               help = ButtonRect(sheet, IDHELP);
                   EXPECT_LT(ok.right, cancel.left);
                   EXPECT_LE(cancel.right, help.left);
                   EXPECT_EQ(Text(&sheet, IDOK), CString(L"OK"));
                   // Help has nothing to show: the sheet stays.
                   PressButton(sheet, IDHELP);
                   CWnd* pEdit = sheet.m_pagComments.GetDlgItem(IDC_COMMENT_TEXT);
                   pEdit->SetFocus();
                   pEdit->SendMessage(EM_SETSEL, 0, -1);
                   drv.Type(L"Pump 1");
                   drv.Key(VK_RETURN, L'\r');
                   drv.Type(L"Starts at dawn, stops at dusk");
               },
               [&](CInsCommentsPropSh& sheet) { PressButton(sheet, IDOK); }},
               &opened);
    drv.DoubleClick(at);
    drv.Pump();
    ASSERT_TRUE(opened);
    EXPECT_EQ(c->m_strText, CString(L"Pump 1\r\nStarts at dawn, stops at dusk"));
    EXPECT_EQ(c->m_nLines, 2);
    const CSize longer = Extent(p, c->m_logFont, L"Starts at dawn, stops at dusk");
    EXPECT_EQ(c->m_nWidth, longer.cx);
    EXPECT_EQ(c->m_nHeight, 2 * longer.cy);
    EXPECT_EQ(p.doc->m_undo.GetCurrent(), undo + 1);
    EXPECT_TRUE(p.doc->IsModified());
}

TEST_F(FreeCommentTest, TheWidestLineOrTheWordCommentSetsTheWidth)
{
    struct Case {
        const wchar_t* text;
        int lfHeight;
        int lines;
        const wchar_t* widest;
    } cases[] = {
        {L"A", 8, 1, L"Comment"},
        {L"A", 30, 1, L"Comment"},
        {L"Short\r\nThe longest line of the three\r\nmiddle", 16, 3, L"The longest line of the three"},
        {L"Valve\r\nopen", 16, 2, L"Comment"},
    };
    Program& p = Open();
    for (const Case& k : cases) {
        CBlockComment* c = AddComment(p, CPoint(100, 100));
        ASSERT_NE(c, nullptr);
        c->m_logFont.lfHeight = k.lfHeight;
        RunCommentSheet(p, c, {[&](CInsCommentsPropSh& sheet) {
                                   SetText(sheet, k.text);
                                   PressButton(sheet, IDOK);
                               }});
        const CSize widest = Extent(p, c->m_logFont, k.widest);
        EXPECT_EQ(c->m_nLines, k.lines) << k.text;
        EXPECT_EQ(c->m_nWidth, widest.cx) << k.text;
        EXPECT_EQ(c->m_nHeight, k.lines * widest.cy) << k.text;
        EXPECT_EQ(c->m_logFont.lfHeight, k.lfHeight) << k.text;
    }
}

TEST_F(FreeCommentTest, ACommentReachingPastThePageGrowsThePages)
{
    Program& p = Open();
    const int pw = p.doc->m_nPageWidth;
    ASSERT_EQ(p.doc->m_nPageLayout[0], 1);
    CBlockComment* c = AddComment(p, CPoint(pw - 60, 100));
    ASSERT_NE(c, nullptr);
    const CSize scroll = p.view->m_sizeTotal;
    RunCommentSheet(p, c, {[&](CInsCommentsPropSh& sheet) {
                               SetText(sheet, L"A comment long enough to run past the right edge of the page");
                               PressButton(sheet, IDOK);
                           }});
    const int right = c->m_ptOrigin.x + c->m_nWidth;
    ASSERT_GT(right, pw);
    EXPECT_EQ(p.doc->m_nPageLayout[0], right / pw + 1);
    EXPECT_EQ(p.doc->m_nPageLayout[1], 1);
    EXPECT_EQ(p.doc->m_rcExtent.right, pw * p.doc->m_nPageLayout[0]);
    EXPECT_GT(p.view->m_sizeTotal.cx, scroll.cx);
    EXPECT_EQ(p.view->m_sizeTotal.cy, scroll.cy);
}

TEST_F(FreeCommentTest, AnEmptiedTextDeletesTheCommentAndUndoBringsItBack)
{
    for (const bool simulating : {false, true}) {
        Program& p = Open();
        CBlockComment* c = AddComment(p, CPoint(100, 100));
        ASSERT_NE(c, nullptr);
        c->m_bSelected = TRUE;
        p.view->m_selComments.AddTail(c);
        if (simulating) {
            p.view->ToggleSimulation();
            ASSERT_TRUE(p.view->IsSimulating());
        }
        const int undo = p.doc->m_undo.GetCurrent();
        RunCommentSheet(p, c, {[&](CInsCommentsPropSh& sheet) {
                                   SetText(sheet, L"");
                                   PressButton(sheet, IDOK);
                               }});
        EXPECT_TRUE(p.doc->m_comments.IsEmpty());
        EXPECT_TRUE(p.view->m_selComments.IsEmpty());
        EXPECT_EQ(p.view->m_pCurComment, nullptr);
        // With nothing left to run, simulation ends.
        EXPECT_FALSE(p.view->IsSimulating()) << simulating;
        EXPECT_EQ(p.view->m_bSimCheckUpdate, simulating ? TRUE : FALSE);
        EXPECT_TRUE(p.doc->IsModified());
        ASSERT_EQ(p.doc->m_undo.GetCurrent(), undo + 1);
        p.view->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
        ASSERT_EQ(p.doc->m_comments.GetCount(), 1);
        EXPECT_EQ(static_cast<CBlockComment*>(p.doc->m_comments.GetHead())->m_strText, CString(L"Comment"));
    }
}

TEST_F(FreeCommentTest, CancelOrEscapeKeepsTextFontAndColour)
{
    enum Way { CancelButton, EscapeKey };
    for (const Way way : {CancelButton, EscapeKey}) {
        Program& p = Open();
        CBlockComment* c = AddComment(p, CPoint(100, 100));
        ASSERT_NE(c, nullptr);
        const int width = c->m_nWidth, lfHeight = c->m_logFont.lfHeight;
        const COLORREF colour = c->m_crText;
        const int undo = p.doc->m_undo.GetCurrent();
        dialogs.Queue([](CommonDlgQuery& q) {
            q.pointSize = 240;
            q.color = RGB(200, 0, 0);
            return true;
        });
        bool stayed = false;
        RunCommentSheet(p, c, {[&](CInsCommentsPropSh& sheet) {
                                   SetText(sheet, L"Changed\r\ntwice");
                                   PressFont(sheet);
                                   if (way == CancelButton) {
                                       PressButton(sheet, IDCANCEL);
                                   } else {
                                       // The key down as the message loop hands it out, from the edit up.
                                       CWnd* pEdit = sheet.m_pagComments.GetDlgItem(IDC_COMMENT_TEXT);
                                       pEdit->SetFocus();
                                       MSG msg{pEdit->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
                                       EXPECT_TRUE(AfxPreTranslateMessage(&msg));
                                   }
                                   // Should the sheet still run, Cancel ends it and the test fails.
                                   stayed = (sheet.m_nFlags & WF_CONTINUEMODAL) != 0;
                                   if (stayed)
                                       PressButton(sheet, IDCANCEL);
                               }});
        EXPECT_FALSE(stayed) << way;
        EXPECT_EQ(c->m_strText, CString(L"Comment")) << way;
        EXPECT_EQ(c->m_nLines, 1) << way;
        EXPECT_EQ(c->m_nWidth, width) << way;
        EXPECT_EQ(c->m_logFont.lfHeight, lfHeight) << way;
        EXPECT_EQ(c->m_crText, colour) << way;
        EXPECT_EQ(p.doc->m_undo.GetCurrent(), undo) << way;
        EXPECT_FALSE(p.doc->IsModified()) << way;
    }
}

TEST_F(FreeCommentTest, TheFontDialogStartsFromTheCommentAndItsLastOkCountsAtOk)
{
    Program& p = Open();
    CBlockComment* c = AddComment(p, CPoint(100, 100));
    ASSERT_NE(c, nullptr);
    c->m_crText = RGB(0, 0, 255);
    const LOGFONTW original = c->m_logFont;
    dialogs.Queue([&](CommonDlgQuery& q) {
        EXPECT_EQ(q.kind, CommonDlgQuery::Font);
        EXPECT_TRUE((q.flags & CF_EFFECTS) && (q.flags & CF_SCREENFONTS));
        EXPECT_STREQ(q.font.lfFaceName, original.lfFaceName);
        EXPECT_EQ(q.font.lfHeight, original.lfHeight);
        EXPECT_EQ(q.color, RGB(0, 0, 255));
        q.pointSize = 240;
        q.font.lfWeight = FW_BOLD;
        q.color = RGB(200, 0, 0);
        return true;
    });
    dialogs.QueueCancel();  // the second look keeps the first choice
    RunCommentSheet(p, c, {[&](CInsCommentsPropSh& sheet) {
                               PressFont(sheet);
                               PressFont(sheet);
                               PressButton(sheet, IDOK);
                           }});
    ASSERT_EQ(dialogs.Queries().size(), 2u);
    EXPECT_EQ(dialogs.Queries()[1].color, RGB(200, 0, 0));
    EXPECT_EQ(c->m_logFont.lfHeight, -32);
    EXPECT_EQ(c->m_logFont.lfWeight, FW_BOLD);
    EXPECT_EQ(c->m_crText, RGB(200, 0, 0));
    const CSize size = Extent(p, c->m_logFont, L"Comment");
    EXPECT_GT(size.cx, Extent(p, original, L"Comment").cx);
    EXPECT_EQ(c->m_nWidth, size.cx);
    EXPECT_EQ(c->m_nHeight, size.cy);
}

}  // namespace
}  // namespace pagestest
