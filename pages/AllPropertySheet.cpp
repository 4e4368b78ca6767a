// CAllPropertySheet: page order (parameter page, comment, simulation), the buttons and the
// value room of the modeless sheet, Apply, and the sheet's way out.
#include "pages/AllPropertySheet.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/AnalogComparator.h"
#include "pages/BlockHelp.h"
#include "pages/SheetCompanions.h"
#include "pages/BlockPage.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"
#include "view/TavixView.h"

#include "platform/ui/core/MessageMap.h"

namespace {

constexpr int kButtonRoom = 29;   // the button row of a modeless sheet
constexpr int kValueRoom = 30;    // the live value box below the parameter page

}  // namespace

CAllPropertySheet::CAllPropertySheet(int nType, LPCTSTR lpszCaption, CTavixView* pView, UINT iSelectPage)
    : CPropertySheet(lpszCaption, pView, iSelectPage), m_pView(pView), m_nBlockType(nType)
{
    m_psh.dwFlags |= PSH_HASHELP;
    if (!IsSimulating())
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
    // The sheet's own program decides, not the last program opened: with programs of two device
    // families open each sheet gets the page of its block's device.
    CTavixDoc* pDoc = pView ? pView->GetDocument() : nullptr;
    m_pPage = CreateBlockPage(nType, pDoc ? pDoc->IsNewModel() : g_wHardwareCode >= 0x5100);
    if (m_pPage) {
        m_pPage->SetView(pView);
        m_pPage->m_nBlockType = nType;
        AddPage(m_pPage);
    }
    auto* pCompanions = dynamic_cast<ISheetCompanions*>(m_pPage);
    if (pCompanions)
        pCompanions->AddPagesBeforeComment(*this);
    AddPage(&m_pagComment);
    if (pCompanions)
        pCompanions->AddPagesAfterComment(*this);
}

CAllPropertySheet::~CAllPropertySheet()
{
    delete m_pPage;
    delete m_pSimPage;
}

BOOL CAllPropertySheet::IsSimulating() const { return m_pView && m_pView->IsSimulating(); }

BOOL CAllPropertySheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    if (m_pPage && m_pPage->GetSafeHwnd()) {
        CRect rcPage;
        m_pPage->GetWindowRect(&rcPage);
        m_pagComment.m_rcFit = rcPage;
    }
    if (!IsSimulating())
        return TRUE;
    // The modeless sheet keeps working OK, Cancel, Apply and Help buttons below its pages, and
    // room for the live value box where the page shows one.
    const int nValue = (m_pPage && HasCurrentValueBox(m_nBlockType)) ? (m_nBlockType == 408 || m_nBlockType == 409 ? 50 : kValueRoom) : 0;
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height() + kButtonRoom + nValue, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto grow = [&](CWnd* pWnd) {
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            return;
        CRect r;
        pWnd->GetWindowRect(&r);
        pWnd->SetWindowPos(nullptr, 0, 0, r.Width(), r.Height() + nValue, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (nValue) {
        grow(GetTabControl());
        grow(m_pPage);
    }
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        CWnd* pButton = GetDlgItem(id);
        if (pButton == nullptr)
            continue;
        CRect r;
        pButton->GetWindowRect(&r);
        ScreenToClient(&r);
        pButton->SetWindowPos(nullptr, r.left, r.top + nValue, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pButton->ShowWindow(SW_SHOW);
        pButton->EnableWindow(TRUE);
    }
    return TRUE;
}

BOOL CAllPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDHELP) {
        OnHelp();
        return TRUE;
    }
    if (!m_bModeless || HIWORD(wParam) != BN_CLICKED)
        return CPropertySheet::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDOK:
        // A refused value keeps the sheet open with the focus on it: nothing typed is lost.
        if (OnApply())
            DestroyWindow();
        return TRUE;
    case IDCANCEL:
        DestroyWindow();
        return TRUE;
    case ID_APPLY_NOW:
        OnApply();
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

BOOL CAllPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    // Only the Escape key closes a modeless sheet, not any message that carries the value 27.
    if (m_bModeless && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        DestroyWindow();
        return TRUE;
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

void CAllPropertySheet::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    if (!m_bModeless)
        return;
    if (m_pView) {
        // A time that comes from another block keeps no literal value of its own.
        if (m_nBlockType == 400 || m_nBlockType == 401 || m_nBlockType == 403)
            if (CTavixDoc* pDoc = m_pView->GetDocument())
                if (CBlockObj* pBlock = pDoc->FindBlockByNumber(m_nBlockNumber); pBlock && pBlock->m_bRef[0]) {
                    pBlock->m_nTime1High = 0;
                    pBlock->m_nTime1Low = 0;
                    pBlock->m_nTime1Base = 2;
                }
        m_pView->RemoveOpenSheet(this);
    }
    delete this;
}

void CAllPropertySheet::OnHelp()
{
    if (auto* pApp = dynamic_cast<CEditorApp*>(AfxGetApp()))
        pApp->ShowBlockHelp(BlockHelpId(m_nBlockType));
}

namespace {

template <class Record>
void FillAndTake(const CAllPropertySheet& sheet, const std::function<void(LPARAM)>& take)
{
    // The record lives on this stack for the one call.
    Record record;
    sheet.FillRecord(record);
    take(reinterpret_cast<LPARAM>(&record));
}

}  // namespace

void CAllPropertySheet::DeliverRecord(const std::function<void(LPARAM)>& take)
{
    if (m_pPage)
        m_pPage->SettleBeforeRecord();
    switch (ParamRecordKindOf(m_nBlockType)) {
    case ParamRecordKind::Analog: FillAndTake<CAnalogParamRecord>(*this, take); break;
    case ParamRecordKind::Time: FillAndTake<CTimeParamRecord>(*this, take); break;
    case ParamRecordKind::Misc: FillAndTake<CMiscParamRecord>(*this, take); break;
    case ParamRecordKind::Weekly: FillAndTake<CWeeklyParamRecord>(*this, take); break;
    case ParamRecordKind::Modbus: FillAndTake<CModbusParamRecord>(*this, take); break;
    case ParamRecordKind::MsgText: FillAndTake<CMsgTextParamRecord>(*this, take); break;
    default: FillAndTake<CIOParamRecord>(*this, take); break;
    }
}

BOOL CAllPropertySheet::OnApply()
{
    CPropertyPage* pActive = GetActivePage();
    if (pActive && pActive->GetSafeHwnd() && !pActive->UpdateData(TRUE))
        return FALSE;
    // Every open page settles its values as at OK of the modal sheet (references without the
    // flag dropped, times of referenced blocks cleared, range and gain made to agree, the grid's
    // texts stored), so both roads fill the record from the same members.
    for (int i = 0; i < GetPageCount(); ++i)
        if (CPropertyPage* pPage = GetPage(i); pPage && pPage->GetSafeHwnd())
            pPage->OnOK();
    DeliverRecord([this](LPARAM record) {
        m_pView->SendMessage(WM_APPLY_BLOCK_PARAMS, WPARAM(m_nBlockType), record);
    });
    // A terminal that moved carries its new label in the title (the view has renumbered the
    // sheet already).
    if (m_nBlockType >= 600 && m_nBlockType <= 611 && m_nBlockType != 603 && m_nBlockType != 604)
        if (CTavixDoc* pDoc = m_pView->GetDocument())
            if (const CBlockObj* pBlock = pDoc->FindBlockByNumber(m_nBlockNumber))
                SetWindowText(m_pView->MakeSheetCaption(pBlock));
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->SetModified(FALSE);
    if (pActive && pActive->GetSafeHwnd())
        pActive->SetFocus();
    if (CTavixDoc* pDoc = m_pView->GetDocument()) {
        pDoc->m_undo.PushSnapshot(pDoc);
        pDoc->SetModifiedFlag(TRUE);
    }
    return TRUE;
}
