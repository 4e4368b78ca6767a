// The view's editing commands that are not mouse handling: the edit-mode switches and the
// palette tool, select all, align, go to an element or a connector's partner, zoom steps, Save
// All, the colours, PC->Device, the context menu, the keyboard, and the update handlers that
// enable them.
#include "view/TavixView.h"

#include "comm/DeviceDispatcher.h"
#include "comm/HColorDialog.h"
#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/ConnectLineObj.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Menu.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "view/InfoTip.h"

#include <cmath>

namespace {

bool IsConnectorType(const CBlockObj* p) { return p && (p->m_nType == TYPE_MALE || p->m_nType == TYPE_FEMALE); }

} // namespace

BOOL CTavixView::IsEditLocked() const
{
    CTavixDoc* pDoc = GetDocument();
    return !pDoc || pDoc->m_bSimulating || m_nEditMode == modeSimulate;
}

void CTavixView::LeaveSimulationForEdit()
{
    if (m_nEditMode != modeSimulate)
        return;
    m_bSimCheckUpdate = TRUE;
    if (m_hWnd)
        SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOLS_SIMULATION, 0), 0);
    if (m_nEditMode == modeSimulate) {
        // Nobody handled the command: leave the mode here.
        m_nEditMode = modeSelect;
        if (CTavixDoc* pDoc = GetDocument())
            pDoc->m_bSimulating = FALSE;
    }
}

// ---- palette tool and modes ----

void CTavixView::SelectPaletteTool(int nTool, int nType)
{
    LeaveSimulationForEdit();
    m_nEditMode = nTool;
    if (nTool == modeInsert) {
        m_nPaletteType = nType;
        if (m_nWireStage > 0) {
            m_nWireStage = 0;
            InvalidateAll();
        }
    }
}

void CTavixView::OnPaletteTool()
{
    if (auto* pMain = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        SelectPaletteTool(pMain->m_nCurrentTool, pMain->m_nPaletteType);
}

void CTavixView::OnModeConnect()
{
    if (m_nEditMode == modeConnect) {
        CancelWiring();
        m_nEditMode = modeSelect;
    } else {
        if (m_nWireStage > 0 || m_bWireFromInsert)
            CancelWiring();
        if (m_nEditMode == modeSimulate) {
            LeaveSimulationForEdit();
        } else {
            ClearSelection(0);
            m_pCurBlock = nullptr;
            m_pCurWire = nullptr;
            m_pCurComment = nullptr;
        }
        m_nEditMode = modeConnect;
    }
    ShowModeCursor(ChooseModeCursor(m_ptLast));
    InvalidateAll();
}

void CTavixView::OnContextSelection()
{
    if (m_nEditMode == modeConnect || m_nWireStage > 0 || m_bWireFromInsert)
        CancelWiring();
    else if (m_nEditMode == modeSimulate)
        LeaveSimulationForEdit();
    m_nEditMode = modeSelect;
    ShowModeCursor(nullptr);
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CTavixView::OnModeSelect()
{
    OnContextSelection();
    InvalidateAll();
}

void CTavixView::OnModeCutJoin()
{
    if (m_nEditMode == modeCutJoin) {
        m_nEditMode = modeSelect;
    } else {
        LeaveSimulationForEdit();
        if (m_nWireStage > 0 || m_bWireFromInsert)
            CancelWiring();
        m_nEditMode = modeCutJoin;
    }
    ShowModeCursor(ChooseModeCursor(m_ptLast));
    InvalidateAll();
}

void CTavixView::OnModeInsertComment()
{
    if (m_nEditMode == modeInsertComment) {
        m_nEditMode = modeSelect;
    } else {
        LeaveSimulationForEdit();
        if (m_nWireStage > 0 || m_bWireFromInsert)
            CancelWiring();
        m_nEditMode = modeInsertComment;
    }
    ShowModeCursor(ChooseModeCursor(m_ptLast));
}

// ---- selection commands ----

void CTavixView::OnEditSelectAll()
{
    CTavixDoc* pDoc = GetDocument();
    if (IsEditLocked())
        return;
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    ClearSelection(0);
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        b->m_bSelected = TRUE;
        m_selBlocks.AddTail(b);
    }
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        w->m_bSelected = TRUE;
        m_selWires.AddTail(w);
    }
    for (POSITION pos = pDoc->m_comments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(pDoc->m_comments.GetNext(pos));
        c->m_bSelected = TRUE;
        m_selComments.AddTail(c);
    }
    InvalidateAll();
}

void CTavixView::AlignSelection(BOOL bVertical)
{
    CTavixDoc* pDoc = GetDocument();
    if (IsEditLocked() || m_selBlocks.IsEmpty())
        return;
    auto* ref = static_cast<CBlockObj*>(m_selBlocks.GetHead());
    const int target = bVertical ? ref->m_ptOrigin.x : ref->m_ptOrigin.y;
    // Each object moves alone (its wire ends follow), so the lists are set aside for the time.
    CObList blocks, wires, comments;
    blocks.AddTail(&m_selBlocks);
    wires.AddTail(&m_selWires);
    comments.AddTail(&m_selComments);
    ClearSelection(0);
    bool moved = false;
    for (POSITION pos = blocks.GetHeadPosition(); pos;) {
        auto* b = static_cast<CBlockObj*>(blocks.GetNext(pos));
        const int d = target - (bVertical ? b->m_ptOrigin.x : b->m_ptOrigin.y);
        if (d == 0)
            continue;
        b->m_bSelected = TRUE;
        m_selBlocks.AddTail(b);
        MoveSelection(bVertical ? d : 0, bVertical ? 0 : d);
        m_selBlocks.RemoveAll();
        b->m_bSelected = FALSE;
        moved = true;
    }
    for (POSITION pos = comments.GetHeadPosition(); pos;) {
        auto* c = static_cast<CBlockComment*>(comments.GetNext(pos));
        const int d = target - (bVertical ? c->m_ptOrigin.x : c->m_ptOrigin.y);
        if (d == 0)
            continue;
        m_selComments.AddTail(c);
        MoveSelection(bVertical ? d : 0, bVertical ? 0 : d);
        m_selComments.RemoveAll();
        moved = true;
    }
    for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;) {
        auto* w = static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos));
        if (w->m_bMoved) {
            NormalizeRoute(w);
            RefreshJunctionsOf(w);
            w->m_bMoved = 0;
        }
    }
    auto reselect = [](CObList& from, CObList& to, auto setFlag) {
        for (POSITION pos = from.GetHeadPosition(); pos;) {
            CObject* o = from.GetNext(pos);
            setFlag(o);
            to.AddTail(o);
        }
    };
    reselect(blocks, m_selBlocks, [](CObject* o) { static_cast<CBlockObj*>(o)->m_bSelected = TRUE; });
    reselect(wires, m_selWires, [](CObject* o) { static_cast<CConnectLineObj*>(o)->m_bSelected = TRUE; });
    reselect(comments, m_selComments, [](CObject* o) { static_cast<CBlockComment*>(o)->m_bSelected = TRUE; });
    if (moved) {
        InvalidateAll();
        TakeSnapshot();
    }
}

BOOL CTavixView::GoToBlock(int nNumber)
{
    CBlockObj* b = FindBlock(nNumber);
    if (!b) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (m_hWnd) {
        CRect client;
        GetClientRect(&client);
        const float zoom = GetZoom();
        CPoint pos(ScaleToDevice(float(b->m_ptOrigin.x) * zoom) - client.Width() / 2,
                   ScaleToDevice(float(b->m_ptOrigin.y) * zoom) - client.Height() / 2);
        const CSize total = GetTotalSize();
        pos.x = std::max(0, std::min<int>(pos.x, total.cx - client.Width()));
        pos.y = std::max(0, std::min<int>(pos.y, total.cy - client.Height()));
        ScrollToPosition(pos);
    }
    ClearSelection(0);
    b->m_bSelected = TRUE;
    m_selBlocks.AddTail(b);
    m_pCurBlock = b;
    InvalidateAll();
    return TRUE;
}

// ---- zoom ----

void CTavixView::OnZoomIn()
{
    const float zoom = GetZoom();
    ZoomTo(zoom >= 1.0f ? zoom + 0.5f : zoom + 0.25f);
}

void CTavixView::OnZoomOut()
{
    const float zoom = GetZoom();
    ZoomTo(zoom > 1.0f ? zoom - 0.5f : zoom - 0.25f);
}

// ---- Save All ----

void CTavixView::OnFileSaveAll()
{
    // Every modified program is saved; the ones that could not be are named afterwards.
    std::vector<CDocument*> docs;
    if (CWinApp* pApp = AfxGetApp())
        for (POSITION tp = pApp->GetFirstDocTemplatePosition(); tp;) {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(tp);
            for (POSITION dp = pTemplate->GetFirstDocPosition(); dp;)
                docs.push_back(pTemplate->GetNextDoc(dp));
        }
    if (CTavixDoc* pOwn = GetDocument(); std::find(docs.begin(), docs.end(), pOwn) == docs.end())
        docs.push_back(pOwn);
    CString failed;
    for (CDocument* pDoc : docs) {
        if (!pDoc || !pDoc->IsModified())
            continue;
        if (!pDoc->DoFileSave()) {
            failed += L"\n";
            failed += pDoc->GetTitle();
        }
    }
    if (!failed.IsEmpty()) {
        CString format, text;
        format.LoadString(IDS_SAVE_ALL_FAILED);
        text.Format(format, LPCTSTR(failed));
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
    }
}

// ---- colours ----

void CTavixView::OnWireColor()
{
    CString title;
    title.LoadString(IDS_WIRE_COLOR_TITLE);
    CHColorDialog dlg(title, m_crWire, 0, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_crWire = dlg.GetColor();
    InvalidateAll();
}

void CTavixView::OnBackgroundColor()
{
    CString title;
    title.LoadString(IDS_BACKGROUND_COLOR_TITLE);
    CHColorDialog dlg(title, m_crBackground, 0, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_crBackground = dlg.GetColor();
    InvalidateAll();
}

// ---- device ----

void CTavixView::OnTransferPcToDevice()
{
    // The main frame runs device operations one at a time; it downloads the active program.
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd)
        main->PostMessage(WM_DEVICE_OPERATION, WPARAM(DEVICE_OP_DOWNLOAD), 0);
}

// ---- context menu ----

int CTavixView::ChooseContextMenu()
{
    if (!m_bRightOnBlock && !m_bRightOnWire && !m_bRightOnComment)
        return 2;
    if (m_selBlocks.GetCount() + m_selWires.GetCount() + m_selComments.GetCount() >= 2)
        return 1;
    if (m_bRightOnBlock) {
        if (!m_pCurBlock)
            return -1;
        if (IsConnectorType(m_pCurBlock)) {
            ClearSelection(1);
            m_pCurWire = nullptr;
            return 5;
        }
        return 0;
    }
    if (m_bRightOnComment)
        return m_pCurComment ? 0 : -1;
    if (!m_pCurWire)
        return -1;
    if (IsConnectorType(m_pCurWire->m_pEndBlock)) {
        ClearSelection(2);
        m_pCurBlock = nullptr;
        return 4;
    }
    return 3;
}

void CTavixView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    // While simulating the menu shows too: the owner greys its pictured items then, and the
    // commands' own states refuse edits.
    if (m_pInfoTip)
        m_pInfoTip->Show(L"", nullptr);
    const int sub = ChooseContextMenu();
    if (sub < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEW_CONTEXT))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(sub)) {
        // Cut, Copy, Paste and Delete are drawn by the frame that owns the menu, with their
        // pictures; the others keep their text.
        for (UINT id : {UINT(ID_EDIT_CUT), UINT(ID_EDIT_COPY), UINT(ID_EDIT_PASTE), UINT(ID_EDIT_CLEAR)})
            if (pPopup->GetMenuState(id, MF_BYCOMMAND) != UINT(-1))
                pPopup->ModifyMenu(id, MF_BYCOMMAND | MF_OWNERDRAW, id, nullptr);
        CWnd* pOwner = AfxGetMainWnd();
        if (!pOwner)
            pOwner = GetTopLevelParent();
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, pOwner ? pOwner : this);
    }
    menu.DestroyMenu();
}

// ---- keyboard ----

void CTavixView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    auto cancel = [&] {
        if (m_nEditMode == modeConnect || m_nWireStage > 0 || m_bWireFromInsert)
            CancelWiring();
    };
    auto postCommand = [&](UINT id, CWnd* pTarget) {
        if (pTarget && pTarget->m_hWnd)
            pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    };
    int dx = 0, dy = 0;
    switch (nChar) {
    case VK_ESCAPE:
        OnModeSelect();
        break;
    case VK_PRIOR:
        SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
        break;
    case VK_NEXT:
        SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        break;
    case VK_HOME:
        if (ctrl)
            SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
        break;
    case VK_END:
        if (ctrl)
            SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
        break;
    case VK_LEFT: dx = -1; break;
    case VK_RIGHT: dx = 1; break;
    case VK_UP: dy = -1; break;
    case VK_DOWN: dy = 1; break;
    case VK_F3:
        cancel();
        postCommand(ID_TOOLS_SIMULATION, this);
        break;
    case VK_F4:
        if (ctrl) {
            cancel();
            postCommand(57602, AfxGetMainWnd());
        }
        break;
    case VK_F5:
        cancel();
        postCommand(ID_MODE_CONNECT, this);
        break;
    case VK_F9:
        cancel();
        postCommand(ID_MODE_INSERT_COMMENT, this);
        break;
    case VK_F11:
        cancel();
        postCommand(ID_MODE_CUT_JOIN, this);
        break;
    default:
        break;
    }
    if ((dx != 0 || dy != 0) && !IsEditLocked() &&
        !(m_selBlocks.IsEmpty() && m_selWires.IsEmpty() && m_selComments.IsEmpty())) {
        m_bVerticalNudge = dy != 0;
        const CPoint from = m_ptAnchor;
        m_nHitOrient = dy != 0 ? 1 : 0;
        MoveSelection(dx, dy, nChar);
        KeepSelectionInside(from.x + dx, from.y + dy);
        m_ptAnchor = from + CPoint(dx, dy);
        CTavixDoc* pDoc = GetDocument();
        for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
            static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos))->m_bMoved = 0;
        // Every nudge is undoable, but a held key's autorepeat is one step: its nudges rewrite
        // the snapshot its first press took, so a long run cannot push the history out.
        const bool held = (nFlags & (KF_REPEAT_BIT >> 16)) != 0;
        pDoc->SetModifiedFlag();
        if (held && !m_strNudgeSnapshot.IsEmpty())
            pDoc->m_undo.ReplaceSnapshot(pDoc, m_strNudgeSnapshot);
        else
            pDoc->m_undo.PushSnapshot(pDoc);
        m_strNudgeSnapshot = pDoc->m_undo.GetCurrentFile();
        InvalidateAll();
    }
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// ---- command states ----

void CTavixView::OnUpdateModeConnect(CCmdUI* pCmdUI)
{
    CTavixDoc* pDoc = GetDocument();
    pCmdUI->Enable(pDoc && !pDoc->m_blocks.IsEmpty());
    pCmdUI->SetCheck(m_nEditMode == modeConnect);
}

void CTavixView::OnUpdateModeSelect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_nEditMode == modeSelect);
}

void CTavixView::OnUpdateModeCutJoin(CCmdUI* pCmdUI)
{
    CTavixDoc* pDoc = GetDocument();
    pCmdUI->Enable(pDoc && !pDoc->m_wires.IsEmpty());
    pCmdUI->SetCheck(m_nEditMode == modeCutJoin);
}

void CTavixView::OnUpdateModeInsertComment(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_nEditMode == modeInsertComment);
}

void CTavixView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    CTavixDoc* pDoc = GetDocument();
    pCmdUI->Enable(pDoc && pDoc->m_undo.CanUndo() && !IsEditLocked());
}

void CTavixView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    CTavixDoc* pDoc = GetDocument();
    pCmdUI->Enable(pDoc && pDoc->m_undo.CanRedo() && !IsEditLocked());
}

void CTavixView::OnUpdateAlign(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selBlocks.GetCount() >= 2 && !IsEditLocked());
}

void CTavixView::OnUpdateSelectAll(CCmdUI* pCmdUI)
{
    CTavixDoc* pDoc = GetDocument();
    pCmdUI->Enable(pDoc && (pDoc->CountBlocks() > 0 || !pDoc->m_comments.IsEmpty()) && !IsEditLocked());
}

void CTavixView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(GetZoom() < 4.0f); }

void CTavixView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(GetZoom() > 0.25f); }

void CTavixView::OnUpdateEditDelete(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!(m_selBlocks.IsEmpty() && m_selWires.IsEmpty() && m_selComments.IsEmpty()) && !IsEditLocked());
}

void CTavixView::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CTavixView::OnUpdateNotLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsEditLocked()); }
