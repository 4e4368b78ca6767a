// CTwoTimeTimerPage: two times, each literal or referenced; switching a reference off while the
// view simulates resets that time of the running block at once.
#include "pages/TwoTimeTimerPage.h"

#include "document/TavixDoc.h"
#include "elements/BlockTime.h"
#include "pages/AllPropertySheet.h"
#include "pages/ParamRecords.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr TimeControlIds kIdsTH{1550, 1552, 1184, 1549, 1551, 1548, 1546, 102, 104};
constexpr TimeControlIds kIdsTL{1017, 1018, 1185, 1019, 1020, 1016, 1547, 126, 125};

void MoveBy(CWnd* pPage, UINT nID, int dy)
{
    if (CWnd* p = pPage->GetDlgItem(int(nID))) {
        CRect rc;
        p->GetWindowRect(&rc);
        pPage->ScreenToClient(&rc);
        rc.OffsetRect(0, dy);
        p->MoveWindow(&rc);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CTwoTimeTimerPage, CBlockPage)
ON_CONTROL(EN_CHANGE, 1549, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1550, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1019, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1017, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1013, OnParamChanged)
ON_CONTROL(EN_UPDATE, 1549, OnLowTH)
ON_CONTROL(EN_UPDATE, 1019, OnLowTL)
ON_CONTROL(CBN_SELCHANGE, 1548, OnBaseTH)
ON_CONTROL(CBN_SELCHANGE, 1016, OnBaseTL)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceTH)
ON_CONTROL(BN_CLICKED, 1547, OnReferenceTL)
ON_CONTROL(CBN_SELCHANGE, 102, OnUnitChanged)
ON_CONTROL(CBN_SELCHANGE, 126, OnUnitChanged)
ON_CONTROL(CBN_SELCHANGE, 104, OnBlockTH)
ON_CONTROL(CBN_SELCHANGE, 125, OnBlockTL)
END_MESSAGE_MAP()

CTwoTimeTimerPage::CTwoTimeTimerPage()
    : CBlockPage(IDD_SPECIAL_FUN_PAR2), m_refTH(*this, kIdsTH, m_th), m_refTL(*this, kIdsTL, m_tl)
{
}

void CTwoTimeTimerPage::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1548, CB_GETCOUNT, 0, 0) == 0) {
        m_refTH.FillBaseList();
        m_refTL.FillBaseList();
    }
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1013, CB_GETCOUNT, 0, 0) == 0)
        for (int n = 1; n <= 9; ++n) {
            CString text;
            text.Format(L"%d", n);
            SendDlgItemMessage(1013, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        }
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, 1548, m_th.nBase);
    DDX_Text(pDX, 1549, m_th.nLow);
    DDX_Text(pDX, 1550, m_th.nHigh);
    DDX_CBIndex(pDX, 1016, m_tl.nBase);
    DDX_Text(pDX, 1019, m_tl.nLow);
    DDX_Text(pDX, 1017, m_tl.nHigh);
    DDX_CBIndex(pDX, 1013, m_nPulseCycles);
}

void CTwoTimeTimerPage::ApplyTypeLayout()
{
    UINT th = IDS_TIMER_PULSE_WIDTH_TH, tl = IDS_TIMER_INTERPULSE_TL;
    if (m_nBlockType == 402)
        th = IDS_TIMER_ON_TIME_TH, tl = IDS_TIMER_OFF_TIME_TL;
    else if (m_nBlockType == 407)
        th = IDS_TIMER_MAX_ON_DELAY_TH, tl = IDS_TIMER_MAX_OFF_DELAY_TL;
    CString text;
    text.LoadString(th);
    SetDlgItemText(1007, text);
    text.LoadString(tl);
    SetDlgItemText(1015, text);
    const BOOL bCycles = m_nBlockType == 405;
    for (UINT id : {1200u, 1013u})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bCycles ? SW_SHOW : SW_HIDE);
    if (m_nBlockType == 402 || m_nBlockType == 406) {
        MoveBy(this, IDC_RETENTIVITY, -15);
        MoveBy(this, IDC_PROTECTION, -15);
    } else if (m_nBlockType == 407) {
        // The random generator keeps no state over a power failure.
        HideRetentivity();
    }
}

void CTwoTimeTimerPage::InitPage()
{
    m_refTH.CreateLists(nullptr);
    m_refTL.CreateLists(nullptr);
    ApplyTypeLayout();
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bOld = pDoc && !pDoc->IsNewModel();
    for (CTimeReference* pRef : {&m_refTH, &m_refTL}) {
        pRef->LimitParts();
        if (CWnd* p = GetDlgItem(int(pRef->Ids().reference)))
            p->EnableWindow(pRef->Value().bRefAllowed);
        if (bOld) {
            // The older devices take no time from another block.
            pRef->Value().bRef = 0;
            pRef->Value().pRefBlock = nullptr;
            pRef->HideReference();
        } else {
            pRef->ShowReferenced(pRef->Value().pRefBlock != nullptr);
            pRef->FillBlockList(pDoc, m_nBlockNumber);
        }
    }
    ApplyNameRule();
    SetTabOrder();
}

void CTwoTimeTimerPage::AddTips()
{
    AddRangeTip(1550, 0, kTimePartLimit);
    AddRangeTip(1017, 0, kTimePartLimit);
    for (UINT id : {1549u, 1019u})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
}

BOOL CTwoTimeTimerPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT id = RangeTipRequestId(lParam);
    if (id == 1549)
        AnswerRangeTip(lParam, nullptr, 0, m_refTH.LowMaximum());
    else if (id == 1019)
        AnswerRangeTip(lParam, nullptr, 0, m_refTL.LowMaximum());
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

void CTwoTimeTimerPage::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    m_refTH.ChainTabOrder(pAfter);
    m_refTL.ChainTabOrder(pAfter);
}

void CTwoTimeTimerPage::OnReference(CTimeReference& ref, int k)
{
    const BOOL bOn = ref.Toggle(GetDocument());
    if (!bOn && IsSimulating())
        if (CTavixDoc* pDoc = GetDocument())
            if (CBlockObj* pBlock = pDoc->FindBlockByNumber(m_nBlockNumber)) {
                // The running timer drops the referenced time at once, before any Apply.
                pBlock->m_dElapsed = 0;
                (k == 0 ? pBlock->m_nTime1Low : pBlock->m_nTime2Low) = 0;
                (k == 0 ? pBlock->m_nTime1High : pBlock->m_nTime2High) = 0;
                if (auto* pTime = dynamic_cast<CBlockTime*>(pBlock))
                    pTime->m_nRun = 0;
                StoreReference(*pBlock, k, 0, nullptr);
                (k == 0 ? pBlock->m_nRefUnit1 : pBlock->m_nRefUnit2) = ref.UnitPosition();
                (k == 0 ? pBlock->m_nTime1Base : pBlock->m_nTime2Base) = ref.Value().nBase;
            }
    SetTabOrder();
    SetModified(TRUE);
}

void CTwoTimeTimerPage::OnBlockTH()
{
    m_refTH.TakeSelectedBlock(GetDocument());
    SetModified(TRUE);
}

void CTwoTimeTimerPage::OnBlockTL()
{
    m_refTL.TakeSelectedBlock(GetDocument());
    SetModified(TRUE);
}

void CTwoTimeTimerPage::OnBase(CTimeReference& ref)
{
    ref.TakeBase();
    SetModified(TRUE);
}

void CTwoTimeTimerPage::OnOK()
{
    m_refTH.SettleForOk();
    m_refTL.SettleForOk();
    CBlockPage::OnOK();
}

void CTwoTimeTimerPage::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    if (block.m_nType != 407)
        m_bRetentivity = block.m_bRetentive;
    LoadTime(m_th, block, 0);
    LoadTime(m_tl, block, 1);
    m_th.bRefAllowed = m_tl.bRefAllowed = m_bRefAllowed;
    if (block.m_nType == 405)
        m_nPulseCycles = block.m_nCount >= 0 && block.m_nCount <= 8 ? block.m_nCount : 0;
}


void CTwoTimeTimerPage::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
    record.nTime1Low = m_th.nLow, record.nTime1High = m_th.nHigh, record.nTime1Base = m_th.nBase;
    record.nTime2Low = m_tl.nLow, record.nTime2High = m_tl.nHigh, record.nTime2Base = m_tl.nBase;
    record.nPulseCount = m_nPulseCycles;
    const CTimeReference* refs[2] = {&m_refTH, &m_refTL};
    for (int k = 0; k < 2; ++k) {
        const TimeParam& t = refs[k]->Value();
        record.ref[k].nUnit = t.nUnit;
        record.ref[k].bFlag = t.bRef && t.pRefBlock;
        record.ref[k].pBlock = record.ref[k].bFlag ? t.pRefBlock : nullptr;
    }
}
