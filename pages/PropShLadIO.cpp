// CPropShLadIO: the operand page, the comment page and, for simulated inputs, the simulation
// page of one ladder element.
#include "pages/PropShLadIO.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "view/TavixView.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>

BOOL IsSimulatedOperand(int nOperand)
{
    return (nOperand >= 100 && nOperand <= 355) || (nOperand >= 1300 && nOperand <= 1304) || (nOperand >= 4000 && nOperand <= 4127);
}

CPropShLadIO::CPropShLadIO(CBlockObj* pElement, LPCTSTR lpszCaption, CTavixView* pView, UINT iSelectPage)
    : CPropertySheet(lpszCaption, pView, iSelectPage), m_pView(pView), m_pElement(pElement)
{
    m_psh.dwFlags |= PSH_HASHELP;
    if (!IsSimulating())
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_pOperandPage = new CPropPageLadIO;
    AddPage(m_pOperandPage);
    AddPage(&m_pagComment);
    if (pElement && IsSimulatedOperand(pElement->m_nOperand)) {
        m_pSimPage = new CSimulation;
        m_pSimPage->SetView(pView);
        AddPage(m_pSimPage);
    }
}

CPropShLadIO::~CPropShLadIO()
{
    delete m_pOperandPage;
    delete m_pSimPage;
}

BOOL CPropShLadIO::IsSimulating() const { return m_pView && m_pView->IsSimulating(); }

int CPropShLadIO::CommentOperand(int nOperand) const
{
    if (nOperand >= 21000 && m_pView)
        if (const CBlockObj* p = m_pView->GetDocument()->FindBlockByNumber(nOperand))
            return p->m_nOperand;
    return nOperand;
}

void CPropShLadIO::FillFromElement()
{
    if (m_pElement == nullptr || m_pView == nullptr)
        return;
    CTavixDoc* pDoc = m_pView->GetDocument();
    m_pOperandPage->SetDocument(pDoc);
    m_pOperandPage->m_nOperand = m_pElement->m_nOperand;
    m_pOperandPage->m_nBlockType = m_pElement->m_nType;
    if (!IsSimulating() && (m_pElement->m_nType == 703 || m_pElement->m_nType == 704))
        m_pOperandPage->m_nElementNumber = m_pElement->m_nNumber;
    CString comment;
    if (pDoc->m_operandComments.Lookup(CommentOperand(m_pElement->m_nOperand), comment))
        m_pagComment.m_strComment = comment;
    if (m_pSimPage) {
        const int operand = m_pElement->m_nOperand;
        const BOOL analog = operand >= 4000 && operand <= 4127;
        m_pSimPage->m_nBlockType = m_pElement->m_nType;
        m_pSimPage->m_nBlockNumber = m_pElement->m_nNumber;
        SimSettingRecord sim;
        if (pDoc->m_simSettings.Lookup(operand, sim)) {
            m_pSimPage->m_bAutoRange = sim.m_bAutoRange;
            m_pSimPage->m_nCurrent = sim.m_nValue;
            m_pSimPage->m_nMin = sim.m_nMin;
            m_pSimPage->m_nMax = sim.m_nMax;
            m_pSimPage->m_nBehaviour = analog ? 3 : sim.m_nKind;
        } else {
            m_pSimPage->m_bAutoRange = 1;
            m_pSimPage->m_nCurrent = 0;
            m_pSimPage->m_nMin = 0;
            m_pSimPage->m_nMax = m_pElement->m_nType == 702 ? 1000 : 9999;
            m_pSimPage->m_nBehaviour = analog ? 3 : 0;
        }
    }
}

void CPropShLadIO::CorrectSimulation()
{
    if (m_pSimPage == nullptr || m_pElement == nullptr)
        return;
    CSimulation& sim = *m_pSimPage;
    const int operand = m_pElement->m_nOperand;
    if (operand >= 4000 && operand <= 4127) {
        if (sim.m_nMax < sim.m_nMin)
            std::swap(sim.m_nMin, sim.m_nMax);
        int lo = -32767, hi = 32767;
        if (m_pView)
            m_pView->GetAnalogRange(m_pElement, &lo, &hi);
        if (sim.m_bAutoRange) {
            if (lo == -32767 && hi == 32767)
                lo = 0, hi = 1000;
            sim.m_nMin = lo, sim.m_nMax = hi;
        } else {
            sim.m_nMin = std::max(sim.m_nMin, lo);
            sim.m_nMax = std::min(sim.m_nMax, hi);
            if (sim.m_nMax < sim.m_nMin)
                sim.m_nMax = sim.m_nMin;
        }
    } else {
        if (sim.m_bAutoRange && sim.m_nBehaviour == 3)
            sim.m_nMin = 0, sim.m_nMax = 9999;
        if (sim.m_nMax < sim.m_nMin)
            std::swap(sim.m_nMin, sim.m_nMax);
    }
    sim.m_nCurrent = std::clamp(sim.m_nCurrent, sim.m_nMin, sim.m_nMax);
}

void CPropShLadIO::StoreIntoElement()
{
    if (m_pElement == nullptr || m_pView == nullptr)
        return;
    CTavixDoc* pDoc = m_pView->GetDocument();
    const int oldOperand = m_pElement->m_nOperand;
    if (m_pagComment.m_strComment.IsEmpty())
        pDoc->m_operandComments.RemoveKey(CommentOperand(oldOperand));
    else
        pDoc->m_operandComments.SetAt(CommentOperand(oldOperand), m_pagComment.m_strComment);
    if (m_pSimPage) {
        CorrectSimulation();
        SimSettingRecord sim;
        sim.m_bAutoRange = m_pSimPage->m_bAutoRange;
        sim.m_nValue = m_pSimPage->m_nCurrent;
        sim.m_nMin = m_pSimPage->m_nMin;
        sim.m_nMax = m_pSimPage->m_nMax;
        sim.m_nKind = m_pSimPage->m_nBehaviour;
        pDoc->m_simSettings.SetAt(oldOperand, sim);
    }
    m_pElement->m_nOperand = m_pOperandPage->m_nOperand;
}

void CPropShLadIO::FillRecord(CIOParamRecord& record)
{
    // Every field is set whatever the element's number, so the view never reads a stale one.
    record.nBlockNumber = m_pElement ? m_pElement->m_nNumber : -1;
    record.strComment = m_pagComment.m_strComment;
    if (m_pSimPage) {
        CorrectSimulation();
        if (m_pSimPage->GetSafeHwnd() && GetActivePage() == m_pSimPage) {
            m_pSimPage->SetDlgItemInt(1553, UINT(m_pSimPage->m_nCurrent), TRUE);
            m_pSimPage->SetDlgItemInt(1133, UINT(m_pSimPage->m_nMin), TRUE);
            m_pSimPage->SetDlgItemInt(1135, UINT(m_pSimPage->m_nMax), TRUE);
        }
        record.bAutoRange = m_pSimPage->m_bAutoRange;
        record.nValue = m_pSimPage->m_nCurrent;
        record.nMin = m_pSimPage->m_nMin;
        record.nMax = m_pSimPage->m_nMax;
        record.nBehaviour = m_pSimPage->m_nBehaviour;
        if (m_pElement && m_pElement->m_nOperand >= 4000 && m_pElement->m_nOperand <= 4127 && m_pView) {
            SimSettingRecord sim{record.bAutoRange, record.nValue, record.nMin, record.nMax, record.nBehaviour};
            m_pView->GetDocument()->m_simSettings.SetAt(m_pElement->m_nOperand, sim);
        }
    }
    m_pOperandPage->GetSelectedOperand();
    record.nOperand = m_pOperandPage->m_nOperand;
}

BOOL CPropShLadIO::OnApply()
{
    CPropertyPage* pActive = GetActivePage();
    if (pActive && pActive->GetSafeHwnd() && !pActive->UpdateData(TRUE))
        return FALSE;
    if (m_pView == nullptr)
        return FALSE;
    CIOParamRecord record;
    FillRecord(record);
    m_pView->SendMessage(WM_APPLY_BLOCK_PARAMS, WPARAM(m_pElement ? m_pElement->m_nType : 0), reinterpret_cast<LPARAM>(&record));
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->SetModified(FALSE);
    if (pActive && pActive->GetSafeHwnd())
        pActive->SetFocus();
    if (CTavixDoc* pDoc = m_pView->GetDocument())
        pDoc->m_undo.PushSnapshot(pDoc);
    return TRUE;
}

BOOL CPropShLadIO::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    if (m_pOperandPage->GetSafeHwnd()) {
        CRect rc;
        m_pOperandPage->GetWindowRect(&rc);
        m_pagComment.m_rcFit = rc;
    }
    if (!IsSimulating())
        return TRUE;
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height() + 29, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
        if (CWnd* pButton = GetDlgItem(id)) {
            pButton->ShowWindow(SW_SHOW);
            pButton->EnableWindow(TRUE);
        }
    return TRUE;
}

BOOL CPropShLadIO::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!m_bModeless || HIWORD(wParam) != BN_CLICKED)
        return CPropertySheet::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDOK:
        if (OnApply())
            DestroyWindow();
        return TRUE;
    case IDCANCEL:
        DestroyWindow();
        return TRUE;
    case ID_APPLY_NOW:
        OnApply();
        return TRUE;
    case IDHELP:
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

void CPropShLadIO::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    if (!m_bModeless)
        return;
    if (m_pView)
        m_pView->RemoveOpenLadderSheet(this);
    delete this;
}
