#include "msgtext/MsgTxtDisplay.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockMSGTEXT.h"
#include "msgtext/CellParamEditDlg.h"
#include "msgtext/MsgTextGrid.h"
#include "msgtext/Widget.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/framework/AppIds.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include <algorithm>

int g_bMsgTextDetails = 1;

namespace {
constexpr int kIdDetails = 1322;
constexpr int kIdGrid = 1123;
} // namespace

BEGIN_MESSAGE_MAP(CMsgTxtDisplay, CPropertyPage)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_CONTROL(BN_CLICKED, kIdDetails, OnDetails)
    ON_NOTIFY(GVN_BEGINLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_NOTIFY(GVN_ENDLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
END_MESSAGE_MAP()

CMsgTxtDisplay::CMsgTxtDisplay() : CPropertyPage(IDD_MSGTEXT_DISPLAY) {}

void CMsgTxtDisplay::TakeBlock(const CBlockMSGTEXT& block, CTavixView* pView)
{
    m_nBlockNumber = block.m_nNumber;
    m_pView = pView;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            m_strCells[r * kCols + c] = block.m_astrCells1[CBlockMSGTEXT::CellIndex(r, c)];
    // Priorities outside the titles' table are written as they are.
    m_strTitle.Format(L"%d", const_cast<CBlockMSGTEXT&>(block).Priority());
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strTitle.GetString();
}

void CMsgTxtDisplay::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdGrid, m_grid);
}

BOOL CMsgTxtDisplay::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_nWidth = client.Width();
    m_nHeight = client.Height();
    m_grid.SetFieldOwner(this);
    m_grid.GetDefaultCell(FALSE, FALSE)->SetBackColour(RGB(255, 255, 224));
    m_grid.SetVirtualMode(FALSE);
    m_grid.m_bEditingAllowed = FALSE;
    CMsgTextGrid::Load(m_grid, kRows, kCols, m_strCells, kCols, RGB(255, 0, 0), FALSE);
    m_grid.m_nAutoSizeStyle = GRIDSIZE_BOTH;
    m_grid.AutoSize();
    m_grid.SetFocusCell(1, 1);
    m_grid.SetSelectedRange(1, 1, 1, 1);
    CMsgTextGrid::HideHeaders(m_grid);

    CTavixDoc* pDoc = m_pView ? m_pView->GetDocument() : nullptr;
    auto* pBlock = pDoc ? dynamic_cast<CBlockMSGTEXT*>(pDoc->FindBlockByNumber(m_nBlockNumber)) : nullptr;
    if (pBlock) {
        if (g_astrParamNames.GetSize() < kParamNameCount)
            InitParamNameTable();
        for (int line = 0; line < CBlockMSGTEXT::kLines; ++line)
            for (INT_PTR i = 0; i < pBlock->m_aLines1[line].GetSize(); ++i) {
                auto* pField = static_cast<CWidget*>(pBlock->m_aLines1[line][i]);
                // The display's twelve columns show no field that starts beyond them.
                if (!pField || pField->m_nCol < 1 || pField->m_nCol >= kCols)
                    continue;
                for (CGridFieldLine* group : {&m_grid.m_arSet1Fields[line + 1], &m_grid.m_arShownFields[line + 1]}) {
                    auto* pCopy = new CWidget;
                    pField->CopyTo(pCopy);
                    pCopy->m_bSelected = FALSE;
                    // The stored rectangle is the editor's; the field lies over this grid's cells.
                    const int last = std::min(pField->m_nCol + pField->m_nWidth - 1, kCols - 1);
                    const int bottom = std::min(pField->m_nRow + CGridField::RowsOfKind(pField->m_nType) - 1, kRows - 1);
                    CRect cells;
                    if (m_grid.GetCellRangeRect(CCellRange(pField->m_nRow, pField->m_nCol, bottom, last), &cells))
                        pCopy->m_rect = CRect(cells.left, cells.top, cells.right + 1, cells.bottom + 1);
                    group->push_back(pCopy);
                }
            }
        SetTimer(kTimer, kPeriodMs);
    }
    m_grid.m_bRunMode = TRUE;
    return TRUE;
}

void CMsgTxtDisplay::DrawGridField(CGridCtrl*, CDC* pDC, CGridField* pField, BOOL bFramed)
{
    auto* pWidget = dynamic_cast<CWidget*>(pField);
    if (!pWidget)
        return;
    if (bFramed)
        pWidget->DrawWithFrame(m_pView, pDC, g_bMsgTextDetails);
    else
        pWidget->Draw(m_pView, pDC, g_bMsgTextDetails);
}

BOOL CMsgTxtDisplay::CanEditLive(CGridField* pField) const
{
    auto* pWidget = dynamic_cast<CWidget*>(pField);
    return pWidget && CCellParamEditDlg::CanEdit(pWidget->m_pBlock, pWidget->m_nItem);
}

void CMsgTxtDisplay::OpenLiveEditor(CGridCtrl* pGrid, CGridField* pField)
{
    if (m_pEditor)
        return;
    m_pEditor = CCellParamEditDlg::Open(pGrid, dynamic_cast<CWidget*>(pField), m_pView);
    // Nothing opened: the grid must not wait for an editor to close.
    if (!m_pEditor && pGrid)
        pGrid->ClosePopupEdit(FALSE);
}

void CMsgTxtDisplay::CloseLiveEditor(CGridCtrl*, BOOL bApply)
{
    CCellParamEditDlg* pEditor = m_pEditor;
    m_pEditor = nullptr;
    if (!pEditor)
        return;
    pEditor->EndEdit(bApply);
    if (::IsWindow(pEditor->GetSafeHwnd()))
        pEditor->DestroyWindow();
    else
        delete pEditor;
}

void CMsgTxtDisplay::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimer && m_grid.m_hWnd)
        m_grid.Invalidate(TRUE);
}

void CMsgTxtDisplay::OnDestroy()
{
    KillTimer(kTimer);
    if (m_grid.m_hWnd)
        m_grid.ClosePopupEdit(FALSE);
    CPropertyPage::OnDestroy();
}

void CMsgTxtDisplay::OnDetails()
{
    if (m_grid.IsPopupEditOpen())
        m_grid.ClosePopupEdit(FALSE);
    else
        g_bMsgTextDetails = !g_bMsgTextDetails;
    m_grid.Invalidate(TRUE);
}

void CMsgTxtDisplay::OnSize(UINT nType, int cx, int cy)
{
    CPropertyPage::OnSize(nType, cx, cy);
    if (cx < 2 || cy < 2 || m_nWidth < 0)
        return;
    const int dx = cx - m_nWidth;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CRect r;
        ::GetWindowRect(child, &r);
        ScreenToClient(&r);
        ::SetWindowPos(child, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_nWidth = cx;
    m_nHeight = cy;
}

BOOL CMsgTxtDisplay::PreTranslateMessage(MSG* pMsg)
{
    // Enter moves on like Tab and never closes the sheet.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        pMsg->wParam = VK_TAB;
    return CPropertyPage::PreTranslateMessage(pMsg);
}
