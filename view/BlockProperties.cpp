// CTavixView: Block Properties. The view is the one place that moves values between a block and
// the pages of its sheet: out before the sheet shows, back after OK of the modal sheet through
// the same record Apply sends (one undo step, and the document counts as changed). While simulating, the sheet is modeless (one per
// block or ladder element) and its Apply sends the values back itself.
#include "view/TavixView.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "pages/AllPropertySheet.h"
#include "pages/BlockExchange.h"
#include "pages/InsCommentsPropSh.h"
#include "pages/PropShLadIO.h"
#include "resources/resource.h"
#include "view/InfoTip.h"

#include "platform/ui/framework/App.h"
#include "platform/ui/framework/CmdRouting.h"

#include <algorithm>

namespace {

// Types whose sheet holds the comment page alone.
bool IsCommentOnly(int nType) { return nType == 603 || nType == 604; }

// Contacts and coils of a ladder diagram: they have their own sheet (operand, comment of the
// operand, simulation of an input operand).
bool IsLadderElement(int nType) { return nType >= 700 && nType <= 705; }

}  // namespace

CString CTavixView::MakeSheetCaption(const CBlockObj* pBlock) const
{
    CString name;
    g_mapBlockTypeNames.Lookup(pBlock->m_nType, name);
    return GetDocument()->GetBlockLabel(pBlock) + L" " + name;
}

CAllPropertySheet* CTavixView::FindOpenSheet(int nNumber) const
{
    for (CAllPropertySheet* pSheet : m_sheets)
        if (pSheet->m_nBlockNumber == nNumber)
            return pSheet;
    return nullptr;
}

void CTavixView::RemoveOpenSheet(CAllPropertySheet* pSheet)
{
    m_sheets.erase(std::remove(m_sheets.begin(), m_sheets.end(), pSheet), m_sheets.end());
}

CPropShLadIO* CTavixView::FindOpenLadderSheet(const CBlockObj* pElement) const
{
    for (CPropShLadIO* pSheet : m_ladderSheets)
        if (pSheet->m_pElement == pElement)
            return pSheet;
    return nullptr;
}

void CTavixView::RemoveOpenLadderSheet(CPropShLadIO* pSheet)
{
    m_ladderSheets.erase(std::remove(m_ladderSheets.begin(), m_ladderSheets.end(), pSheet), m_ladderSheets.end());
}

void CTavixView::CloseOpenSheets()
{
    // Each sheet leaves its list and deletes itself as its window goes.
    while (!m_sheets.empty()) {
        CAllPropertySheet* pSheet = m_sheets.back();
        if (pSheet->GetSafeHwnd())
            pSheet->DestroyWindow();
        else
            RemoveOpenSheet(pSheet);
    }
    while (!m_ladderSheets.empty()) {
        CPropShLadIO* pSheet = m_ladderSheets.back();
        if (pSheet->GetSafeHwnd())
            pSheet->DestroyWindow();
        else
            RemoveOpenLadderSheet(pSheet);
    }
}

void CTavixView::OnUpdateEditBlockProperties(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pCurBlock != nullptr || m_pCurComment != nullptr);
}

void CTavixView::EditCurrentComment()
{
    CBlockComment* pComment = m_pCurComment;
    CTavixDoc* pDoc = GetDocument();
    if (pComment == nullptr || pDoc == nullptr)
        return;
    const CString caption = AfxLoadString(IDS_INS_COMMENTS_CAPTION);
    CInsCommentsPropSh sheet(caption.GetString(), AfxGetMainWnd());
    CInsComments& page = sheet.m_pagComments;
    page.m_strComment = pComment->m_strText;
    page.m_crTextColor = pComment->m_crText;
    page.m_lfFont = pComment->m_logFont;
    if (sheet.DoModal() != IDOK)
        return;
    if (!page.m_strComment.IsEmpty()) {
        pComment->m_strText = page.m_strComment;
        pComment->m_nWidth = page.m_nTextWidth;
        pComment->m_nHeight = page.m_nTextHeight;
        pComment->m_nLines = page.m_nLineCount;
        pComment->m_crText = page.m_crTextColor;
        pComment->m_logFont = page.m_lfFont;
        // The pages grow to hold a comment that now reaches past them.
        GrowPagesToReach(pComment->m_ptOrigin.x + pComment->m_nWidth, pComment->m_ptOrigin.y + pComment->m_nHeight);
    } else {
        // An emptied comment goes away.
        if (POSITION at = pDoc->m_comments.Find(pComment))
            pDoc->m_comments.RemoveAt(at);
        if (POSITION at = m_selComments.Find(pComment))
            m_selComments.RemoveAt(at);
        m_savedComments.erase(std::remove_if(m_savedComments.begin(), m_savedComments.end(),
                                             [&](const auto& saved) { return saved.first == pComment; }),
                              m_savedComments.end());
        delete pComment;
        m_pCurComment = nullptr;
        if (IsSimulating() && pDoc->m_blocks.IsEmpty() && pDoc->m_comments.IsEmpty()) {
            m_bSimCheckUpdate = TRUE;
            ToggleSimulation();
        }
    }
    // A deletion is an undo step as well: without one, Undo would also take back the edit before
    // it, and closing would not ask to save.
    TakeSnapshot();
    InvalidateAll();
}

void CTavixView::OnEditBlockProperties()
{
    if (m_pInfoTip)
        m_pInfoTip->Show(L"");
    if (m_pCurComment)
        EditCurrentComment();
    CBlockObj* pBlock = m_pCurBlock;
    CTavixDoc* pDoc = GetDocument();
    if (pBlock == nullptr || pDoc == nullptr)
        return;
    if (IsSimulating() && FindOpenSheet(pBlock->m_nNumber))
        return;
    const int nType = pBlock->m_nType;
    const CString caption = MakeSheetCaption(pBlock);
    if (IsLadderElement(nType) && IsSimulating()) {
        if (FindOpenLadderSheet(pBlock))
            return;
        auto* pSheet = new CPropShLadIO(pBlock, caption, this);
        pSheet->FillFromElement();
        if (!pSheet->Create(this)) {
            delete pSheet;
            return;
        }
        m_ladderSheets.push_back(pSheet);
    } else if (IsLadderElement(nType)) {
        CPropShLadIO sheet(pBlock, caption, this);
        sheet.FillFromElement();
        if (sheet.DoModal() != IDOK)
            return;
        sheet.StoreIntoElement();
        pDoc->m_undo.PushSnapshot(pDoc);
        pDoc->SetModifiedFlag(TRUE);
    } else if (IsSimulating()) {
        auto* pSheet = new CAllPropertySheet(nType, caption, this);
        if (pSheet->m_pPage == nullptr && !IsCommentOnly(nType)) {
            delete pSheet;
            return;
        }
        FillSheetFromBlock(*pSheet, *pBlock, *pDoc, true);
        if (!pSheet->Create(this)) {
            delete pSheet;
            return;
        }
        m_sheets.push_back(pSheet);
        UpdateMonitorSheets(pBlock);
    } else {
        CAllPropertySheet sheet(nType, caption, this);
        if (sheet.m_pPage == nullptr && !IsCommentOnly(nType))
            return;
        FillSheetFromBlock(sheet, *pBlock, *pDoc, false);
        if (sheet.DoModal() != IDOK)
            return;
        // The same road as Apply of the modeless sheet: the pages fill the family's record,
        // the view takes it.
        sheet.DeliverRecord([&](LPARAM record) { TakeSheetRecord(*pBlock, nType, record); });
        pDoc->m_undo.PushSnapshot(pDoc);
        // The edit must not be lost on close without a save prompt.
        pDoc->SetModifiedFlag(TRUE);
    }
    if (m_pInfoTip)
        m_pInfoTip->Show(L"");
    InvalidateAll();
}
