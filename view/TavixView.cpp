#include "view/TavixView.h"

#include "document/TavixDoc.h"
#include "elements/BlockComment.h"
#include "elements/BlockFactory.h"
#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/core/WndDC.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Frame.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "view/InfoTip.h"
#include "view/AnalogSliderDlg.h"
#include "view/SimClock.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CTavixView, CScrollView)

BEGIN_MESSAGE_MAP(CTavixView, CScrollView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIM_TICK, OnSimTick)
    ON_MESSAGE(WM_CLOSE_VALUE_POPUP, OnCloseValuePopup)
    ON_MESSAGE(WM_APPLY_BLOCK_PARAMS, ApplySheetParams)
    ON_COMMAND(ID_TOOLS_SIMULATION, ToggleSimulation)
    ON_UPDATE_COMMAND_UI(ID_TOOLS_SIMULATION, OnUpdateToolsSimulation)
    ON_WM_SYSKEYDOWN()
    ON_WM_NCLBUTTONUP()
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    // ---- editing (view/ViewMouse.cpp, ViewCommands.cpp, ViewDelete.cpp, ViewConnectors.cpp) ----
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_PALETTE_TOOL, OnPaletteTool)
    ON_COMMAND(ID_MODE_CONNECT, OnModeConnect)
    ON_UPDATE_COMMAND_UI(ID_MODE_CONNECT, OnUpdateModeConnect)
    ON_COMMAND(ID_MODE_SELECT, OnModeSelect)
    ON_UPDATE_COMMAND_UI(ID_MODE_SELECT, OnUpdateModeSelect)
    ON_COMMAND(ID_CONTEXT_SELECTION, OnContextSelection)
    ON_COMMAND(ID_MODE_CUT_JOIN, OnModeCutJoin)
    ON_UPDATE_COMMAND_UI(ID_MODE_CUT_JOIN, OnUpdateModeCutJoin)
    ON_COMMAND(ID_MODE_INSERT_COMMENT, OnModeInsertComment)
    ON_UPDATE_COMMAND_UI(ID_MODE_INSERT_COMMENT, OnUpdateModeInsertComment)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_ALIGN_VERTICAL, OnAlignVertical)
    ON_COMMAND(ID_EDIT_ALIGN_HORIZONTAL, OnAlignHorizontal)
    ON_UPDATE_COMMAND_UI(ID_EDIT_ALIGN_VERTICAL, OnUpdateAlign)
    ON_UPDATE_COMMAND_UI(ID_EDIT_ALIGN_HORIZONTAL, OnUpdateAlign)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateSelectAll)
    ON_COMMAND(ID_EDIT_GOTO_PARTNER, OnGoToPartner)
    ON_COMMAND(ID_EDIT_GOTO_BLOCK, OnGoToBlock)
    ON_COMMAND(ID_EDIT_SEPARATE, OnEditSeparate)
    ON_COMMAND(ID_EDIT_JOIN, JoinConnectors)
    ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_IN, OnUpdateZoomIn)
    ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_OUT, OnUpdateZoomOut)
    ON_COMMAND(ID_FILE_SAVE_ALL, OnFileSaveAll)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_ALL, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_OPTIONS_WIRE_COLOR, OnWireColor)
    ON_COMMAND(ID_OPTIONS_BACKGROUND_COLOR, OnBackgroundColor)
    ON_COMMAND(ID_TRANSFER_PC_TO_DEVICE, OnTransferPcToDevice)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_PC_TO_DEVICE, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditDelete)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditDelete)
    ON_COMMAND(ID_EDIT_BLOCK_PROPERTIES, OnEditBlockProperties)
    ON_UPDATE_COMMAND_UI(ID_EDIT_BLOCK_PROPERTIES, OnUpdateEditBlockProperties)
    // ---- printing and the page layout (view/ViewPrint.cpp, ViewPageLayout.cpp) ----
    ON_COMMAND(ID_FILE_PRINT, OnFilePrintDiagram)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreviewDiagram)
    ON_COMMAND(ID_VIEW_PAGE_LAYOUT, OnViewPageLayout)
    ON_UPDATE_COMMAND_UI(ID_VIEW_PAGE_LAYOUT, OnUpdateNotLocked)
END_MESSAGE_MAP()

CTavixView::CTavixView(CTavixDoc* pDoc, CChildFrame* pFrame) : m_pTavixDoc(pDoc), m_pFrame(pFrame)
{
    m_pMemDC = std::make_unique<CDC>();
    m_pMemBitmap = std::make_unique<CBitmap>();
}

CTavixView::~CTavixView()
{
    StopSimClock();
    DetachSimulation();
}

CTavixDoc* CTavixView::GetDocument() const
{
    if (m_pTavixDoc)
        return m_pTavixDoc;
    return dynamic_cast<CTavixDoc*>(static_cast<CObject*>(m_pDocument));
}

CChildFrame* CTavixView::GetParentFrame() const
{
    if (m_pFrame)
        return m_pFrame;
    return m_hWnd ? dynamic_cast<CChildFrame*>(static_cast<CObject*>(CScrollView::GetParentFrame())) : nullptr;
}

CBlockObj* CTavixView::CreateBlockByType(int nType)
{
    CBlockObj* pBlock = NewBlockOfType(nType);
    if (!pBlock)
        return nullptr;
    if (nType == TYPE_MSGTEXT) {
        for (int k = 0; k < kMessageTextSlots; ++k) {
            if (!m_bMsgTextSlotUsed[k]) {
                m_bMsgTextSlotUsed[k] = TRUE;
                pBlock->m_nCount = k;
                break;
            }
        }
    }
    pBlock->m_nWidth = 25;
    pBlock->m_nHeight = pBlock->m_nInputs == 4 ? 40 : 36;
    pBlock->StampStartTimes(this);
    if (GetDocument() && GetDocument()->IsLadder())
        pBlock->ClearLadderOutputPins();
    return pBlock;
}

void CTavixView::InvalidateAll()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    else
        ++m_nRepaintRequests;
}

// ---- window life ----

int CTavixView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CScrollView::OnCreate(lpcs) == -1)
        return -1;
    m_pInfoTip = std::make_unique<CInfoTip>();
    m_pInfoTip->Create(this);
    m_pTipFont = std::make_unique<CFont>();
    m_pTipFont->CreateFont(12, 6, 0, 0, FW_DONTCARE, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH,
                           g_strTipFaceName);
    m_pInfoTip->SetTipFont(m_pTipFont.get());
    m_hTipIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDI_INFO_TIP));
    m_pInfoTip->SetIcon(m_hTipIcon);
    return 0;
}

void CTavixView::OnDestroy()
{
    StopSimClock();
    CloseValuePopup();
    CloseOpenSheets();
    if (m_pInfoTip) {
        m_pInfoTip->SetIcon(nullptr);
        m_pInfoTip->DestroyWindow();
    }
    if (m_hTipIcon) {
        ::DestroyIcon(m_hTipIcon);
        m_hTipIcon = nullptr;
    }
    CScrollView::OnDestroy();
}

void CTavixView::PostNcDestroy()
{
    // The clock is stopped synchronously before the view goes, so no tick can reach it.
    StopSimClock();
    DetachSimulation();
    m_nEditMode = modeSelect;
    CScrollView::PostNcDestroy();
}

BOOL CTavixView::PreTranslateMessage(MSG* pMsg)
{
    if (m_pInfoTip)
        m_pInfoTip->RelayEvent(pMsg);
    return CScrollView::PreTranslateMessage(pMsg);
}

void CTavixView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    UpdateScrollSizes();
    InitPinLabels();
    RebuildMessageTextSlots();
    m_bMemDCReady = TRUE;
    if (!m_pMemDC->GetSafeHdc()) {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        m_pMemDC->CreateCompatibleDC(&dc);
        CreateMemBitmap();
        if (GetZoom() != 1.0f)
            PrepareZoomDC(m_pMemDC.get());
    }
}

void CTavixView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && pActivateView == this)
        InvalidateAll();
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

LRESULT CTavixView::OnSimTick(WPARAM, LPARAM)
{
    // The clock advances here, on the user-interface thread, where painting reads it. A tick
    // still queued when the clock was stopped changes nothing.
    if (!IsSimClockRunning())
        return 0;
    const int ticks = m_pSimClock ? std::max(1, m_pSimClock->TakeTicks()) : 1;
    if (CChildFrame* pFrame = GetParentFrame())
        for (int k = 0; k < ticks; ++k)
            pFrame->SimClockTick();
    InvalidateAll();
    return 0;
}

LRESULT CTavixView::OnCloseValuePopup(WPARAM, LPARAM)
{
    CloseValuePopup();
    return 0;
}

void CTavixView::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_MENU && (nFlags & 0x2000))
        CloseValuePopup();
    CScrollView::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CTavixView::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    // A release anywhere ends a press of the Simulation bar's Power button.
    if (CChildFrame* pFrame = GetParentFrame(); pFrame && IsSimulating() && pFrame->m_wndSimBar.m_bPower)
        pFrame->m_wndSimBar.PowerCycle();
    CScrollView::OnNcLButtonUp(nHitTest, point);
}

void CTavixView::StartSimClock()
{
    if (!m_pSimClock)
        m_pSimClock = std::make_unique<CSimClock>();
    m_pSimClock->Start(m_hWnd);
}

void CTavixView::StopSimClock()
{
    if (m_pSimClock)
        m_pSimClock->Stop();
}

BOOL CTavixView::IsSimClockRunning() const
{
    return m_pSimClock && m_pSimClock->IsRunning();
}

// ---- selection ----

void CTavixView::ClearSelection(int kind)
{
    CTavixDoc* pDoc = GetDocument();
    if (kind == 0 || kind == 1) {
        if (pDoc)
            for (POSITION pos = pDoc->m_wires.GetHeadPosition(); pos;)
                static_cast<CConnectLineObj*>(pDoc->m_wires.GetNext(pos))->m_bSelected = FALSE;
        m_selWires.RemoveAll();
    }
    if (kind == 0 || kind == 2) {
        if (pDoc)
            for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;)
                static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos))->m_bSelected = FALSE;
        m_selBlocks.RemoveAll();
    }
    if (kind == 0 || kind == 3) {
        if (pDoc)
            for (POSITION pos = pDoc->m_comments.GetHeadPosition(); pos;)
                static_cast<CBlockComment*>(pDoc->m_comments.GetNext(pos))->m_bSelected = FALSE;
        m_selComments.RemoveAll();
    }
}

void CTavixView::ForgetSelection()
{
    m_selBlocks.RemoveAll();
    m_selWires.RemoveAll();
    m_selComments.RemoveAll();
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    InvalidateAll();
}

BOOL CTavixView::IsBlockSelected(CBlockObj* pBlock, BOOL bByNumber) const
{
    for (POSITION pos = m_selBlocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(m_selBlocks.GetNext(pos));
        if (p == pBlock || (bByNumber && pBlock && p->m_nNumber == pBlock->m_nNumber))
            return TRUE;
    }
    return FALSE;
}

BOOL CTavixView::IsWireSelected(CConnectLineObj* pWire) const
{
    return m_selWires.Find(pWire) != nullptr;
}

BOOL CTavixView::IsCommentSelected(CBlockComment* pComment) const
{
    return m_selComments.Find(pComment) != nullptr;
}

CBlockObj* CTavixView::FindBlock(int nNumber) const
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return nullptr;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (p->m_nNumber == nNumber)
            return p;
    }
    return nullptr;
}

// ---- undo ----

void CTavixView::RebuildMessageTextSlots()
{
    for (BOOL& used : m_bMsgTextSlotUsed)
        used = FALSE;
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (p->m_nType == TYPE_MSGTEXT && p->m_nCount >= 0 && p->m_nCount < kMessageTextSlots)
            m_bMsgTextSlotUsed[p->m_nCount] = TRUE;
    }
}

void CTavixView::OnEditUndo()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pDoc->m_undo.CanUndo() || pDoc->m_bSimulating)
        return;
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    ClearSelection(0);
    pDoc->m_undo.Undo();
    RebuildMessageTextSlots();
    UpdateScrollSizes();
    InvalidateAll();
    // The snapshot may hold another model: the status bar's series label follows it.
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ShowSeriesOf(pDoc);
}

void CTavixView::OnEditRedo()
{
    CTavixDoc* pDoc = GetDocument();
    if (!pDoc || !pDoc->m_undo.CanRedo() || pDoc->m_bSimulating)
        return;
    m_pCurBlock = nullptr;
    m_pCurWire = nullptr;
    m_pCurComment = nullptr;
    ClearSelection(0);
    pDoc->m_undo.Redo();
    RebuildMessageTextSlots();
    UpdateScrollSizes();
    InvalidateAll();
    // The snapshot may hold another model: the status bar's series label follows it.
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ShowSeriesOf(pDoc);
}
