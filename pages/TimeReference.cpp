// CTimeReference: switching a time between its literal parts and a referenced block.
#include "pages/TimeReference.h"

#include "document/TavixDoc.h"
#include "pages/BlockPage.h"
#include "pages/RefBlockList.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"

CString TimeBaseName(int nBase)
{
    CString text;
    text.LoadString(UINT(IDS_TIME_BASE_HOURS + nBase));
    return text;
}

CString TimeUnitName(int nUnit)
{
    CString text;
    text.LoadString(UINT(IDS_TIME_UNIT_MINUTES + nUnit));
    return text;
}

CWnd* CTimeReference::Item(UINT nID) const { return nID ? m_page.GetDlgItem(int(nID)) : nullptr; }

void CTimeReference::Show(UINT nID, BOOL bShow) const
{
    if (CWnd* p = Item(nID))
        p->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CTimeReference::CreateLists(CComboBox* pLastUnit)
{
    CRect rcUnit;
    if (m_ids.unitList && Item(m_ids.base)) {
        Item(m_ids.base)->GetWindowRect(&rcUnit);
        m_page.ScreenToClient(&rcUnit);
        rcUnit.left += rcUnit.Width() / 10;
        rcUnit.bottom = rcUnit.top + 100;
        CreateBlockList(m_unitList, &m_page, rcUnit, m_ids.unitList, FALSE);
        for (int k = 0; k < 3; ++k)
            m_unitList.AddString(TimeUnitName(k));
        m_unitList.SetCurSel(m_value.nUnit);
        pLastUnit = &m_unitList;
    }
    CRect rc;
    if (CWnd* pHigh = Item(m_ids.high)) {
        pHigh->GetWindowRect(&rc);
        m_page.ScreenToClient(&rc);
        if (pLastUnit && pLastUnit->GetSafeHwnd()) {
            CRect rcLast;
            pLastUnit->GetWindowRect(&rcLast);
            m_page.ScreenToClient(&rcLast);
            rc.right = rcLast.left - 2;
        } else {
            rc.right = rc.left + 3 * rc.Width();
        }
        rc.bottom = rc.top + 200;
        CreateBlockList(m_blockList, &m_page, rc, m_ids.blockList, FALSE);
    }
}

void CTimeReference::LimitParts()
{
    for (UINT spin : {m_ids.highSpin, m_ids.lowSpin})
        if (spin)
            m_page.SendDlgItemMessage(int(spin), UDM_SETRANGE32, 0, kTimePartLimit);
    for (UINT edit : {m_ids.high, m_ids.low})
        if (edit)
            m_page.SendDlgItemMessage(int(edit), EM_LIMITTEXT, 2, 0);
}

void CTimeReference::FillBaseList()
{
    if (!m_ids.base)
        return;
    m_page.SendDlgItemMessage(int(m_ids.base), CB_RESETCONTENT, 0, 0);
    for (int k = 0; k < 3; ++k) {
        const CString name = TimeBaseName(k);
        m_page.SendDlgItemMessage(int(m_ids.base), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    }
    m_page.SendDlgItemMessage(int(m_ids.base), CB_SETCURSEL, WPARAM(m_value.nBase), 0);
}

void CTimeReference::ShowReferenced(BOOL bReferenced)
{
    for (UINT id : {m_ids.high, m_ids.highSpin, m_ids.colon, m_ids.low, m_ids.lowSpin, m_ids.base})
        Show(id, !bReferenced);
    if (m_unitList.GetSafeHwnd())
        m_unitList.ShowWindow(bReferenced ? SW_SHOW : SW_HIDE);
    if (m_blockList.GetSafeHwnd())
        m_blockList.ShowWindow(bReferenced ? SW_SHOW : SW_HIDE);
    if (!bReferenced) {
        LimitParts();
        FillBaseList();
    }
}

void CTimeReference::HideReference()
{
    Show(m_ids.reference, FALSE);
    ShowReferenced(FALSE);
}

void CTimeReference::FillBlockList(const CTavixDoc* pDoc, int nBlockNumber)
{
    if (m_blockList.GetSafeHwnd() == nullptr)
        return;
    ::FillBlockList(m_blockList, pDoc, nBlockNumber, m_value.pRefBlock);
    if (m_value.pRefBlock == nullptr && m_unitList.GetSafeHwnd()) {
        m_value.nUnit = 0;
        m_unitList.SetCurSel(0);
    }
}

void CTimeReference::TakeSelectedBlock(const CTavixDoc* pDoc)
{
    m_value.pRefBlock = SelectedBlock(m_blockList, pDoc);
}

BOOL CTimeReference::Toggle(const CTavixDoc* pDoc)
{
    m_value.bRef = !m_value.bRef;
    if (m_value.bRef) {
        ShowReferenced(TRUE);
        TakeSelectedBlock(pDoc);
    } else {
        m_value.pRefBlock = nullptr;
        ShowReferenced(FALSE);
    }
    return m_value.bRef;
}

int CTimeReference::BasePosition() const
{
    return m_ids.base ? int(m_page.SendDlgItemMessage(int(m_ids.base), CB_GETCURSEL, 0, 0)) : -1;
}

int CTimeReference::UnitPosition() const
{
    if (m_unitList.GetSafeHwnd() == nullptr)
        return 0;
    const int sel = const_cast<CComboBox&>(m_unitList).GetCurSel();
    return sel < 0 ? 0 : sel;
}

void CTimeReference::ClampLow(int nBasePosition)
{
    if (nBasePosition >= 2 || !m_ids.low)
        return;
    BOOL bOk = FALSE;
    const int value = int(m_page.GetDlgItemInt(int(m_ids.low), &bOk, TRUE));
    if (bOk && value >= 60)
        m_page.SetDlgItemInt(int(m_ids.low), 59, FALSE);
}

void CTimeReference::TakeBase()
{
    const int pos = BasePosition();
    if (pos < 0)
        return;
    if (pos != m_value.nBase)
        ClampLow(pos);
    m_value.nBase = pos;
}

void CTimeReference::SettleForOk()
{
    if (m_value.bRef && m_value.pRefBlock) {
        m_value.nHigh = m_value.nLow = 0;
        m_value.nUnit = UnitPosition();
    } else {
        m_value.bRef = 0;
        m_value.nUnit = 0;
        m_value.pRefBlock = nullptr;
    }
}

void CTimeReference::ChainTabOrder(CWnd*& pAfter)
{
    std::initializer_list<CWnd*> literal = {Item(m_ids.high), Item(m_ids.low), Item(m_ids.base)};
    std::initializer_list<CWnd*> referenced = {&m_blockList, &m_unitList};
    const BOOL bRef = m_blockList.GetSafeHwnd() && m_blockList.IsWindowVisible();
    ::ChainTabOrder(pAfter, bRef ? referenced : literal);
    ::ChainTabOrder(pAfter, {Item(m_ids.reference)});
}

BOOL CTimeReference::OwnsControl(const CWnd* pWnd) const
{
    if (pWnd == nullptr)
        return FALSE;
    const HWND h = pWnd->GetSafeHwnd();
    if (h == m_unitList.GetSafeHwnd() || h == m_blockList.GetSafeHwnd())
        return h != nullptr;
    const int id = pWnd->GetDlgCtrlID();
    for (UINT own : {m_ids.high, m_ids.low, m_ids.base, m_ids.reference})
        if (own && id == int(own) && pWnd->GetParent() == &m_page)
            return TRUE;
    return FALSE;
}

UINT RangeTipRequestId(LPARAM lParam)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    return pHdr && pHdr->code == TTN_NEEDTEXTW ? UINT(pHdr->idFrom) : 0;
}

BOOL AnswerRangeTip(LPARAM lParam, UINT* pCtrlId, int nMin, int nMax)
{
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (pInfo == nullptr || pInfo->hdr.code != TTN_NEEDTEXTW)
        return FALSE;
    if (pCtrlId)
        *pCtrlId = UINT(pInfo->hdr.idFrom);
    CString format, text;
    format.LoadString(IDS_NUMBER_RANGE_INT);
    text.Format(format.GetString(), nMin, nMax);
    wcsncpy(pInfo->szText, text.GetString(), 79);
    pInfo->szText[79] = 0;
    pInfo->lpszText = pInfo->szText;
    return TRUE;
}
