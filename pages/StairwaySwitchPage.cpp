// CStairwaySwitchPage: T, T! and T!L (and TL on the multiple function switch); the standard values of
// the pre-warning follow T's base on the stairway lighting switch.
#include "pages/StairwaySwitchPage.h"

#include "document/TavixDoc.h"
#include "elements/BlockTime.h"
#include "pages/AllPropertySheet.h"
#include "pages/ParamRecords.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr TimeControlIds kIdsT{1017, 1018, 1186, 1019, 1020, 1016, 1547, 126, 125};
constexpr TimeControlIds kIdsTL{1550, 1552, 1184, 1549, 1551, 1548, 1546, 102, 104};
constexpr TimeControlIds kIdsTW{1023, 1027, 1185, 1028, 1029, 0, 1553, 0, 127};
constexpr TimeControlIds kIdsTWL{1033, 1034, 1187, 1035, 1036, 0, 1554, 0, 129};
constexpr UINT kStandardCheck = 1026;
constexpr UINT kPrewarnControls[] = {1023, 1027, 1028, 1029, 1033, 1034, 1035, 1036};

// Reference index of each time in the block: T reference 2, TL 1, T! 3, T!L 4.
constexpr int kRefT = 1, kRefTL = 0, kRefTW = 2, kRefTWL = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CStairwaySwitchPage, CBlockPage)
ON_CONTROL(EN_CHANGE, 1019, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1017, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1028, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1023, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1035, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1033, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1549, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1550, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1016, OnBaseT)
ON_CONTROL(CBN_SELCHANGE, 126, OnUnitT)
ON_CONTROL(CBN_SELCHANGE, 1548, OnBaseTL)
ON_CONTROL(CBN_SELCHANGE, 102, OnUnitTL)
ON_CONTROL(EN_UPDATE, 1019, OnLowT)
ON_CONTROL(EN_UPDATE, 1028, OnLowT)
ON_CONTROL(EN_UPDATE, 1035, OnLowT)
ON_CONTROL(EN_UPDATE, 1549, OnLowTL)
ON_CONTROL(BN_CLICKED, 1026, OnStandardClicked)
ON_CONTROL(BN_CLICKED, 1547, OnReferenceT)
ON_CONTROL(BN_CLICKED, 1546, OnReferenceTL)
ON_CONTROL(BN_CLICKED, 1553, OnReferenceTW)
ON_CONTROL(BN_CLICKED, 1554, OnReferenceTWL)
ON_CONTROL(CBN_SELCHANGE, 125, OnBlockT)
ON_CONTROL(CBN_SELCHANGE, 104, OnBlockTL)
ON_CONTROL(CBN_SELCHANGE, 127, OnBlockTW)
ON_CONTROL(CBN_SELCHANGE, 129, OnBlockTWL)
END_MESSAGE_MAP()

CStairwaySwitchPage::CStairwaySwitchPage() : CStairwaySwitchPage(IDD_SPECIAL_PAR3, FALSE) {}

CStairwaySwitchPage::CStairwaySwitchPage(UINT nIDTemplate, BOOL bPermanentLight)
    : CBlockPage(nIDTemplate), m_bPermanentLight(bPermanentLight), m_refT(*this, kIdsT, m_t), m_refTL(*this, kIdsTL, m_tl),
      m_refTW(*this, kIdsTW, m_tw), m_refTWL(*this, kIdsTWL, m_twl)
{
}

std::vector<CTimeReference*> CStairwaySwitchPage::Times()
{
    if (m_bPermanentLight)
        return {&m_refT, &m_refTL, &m_refTW, &m_refTWL};
    return {&m_refT, &m_refTW, &m_refTWL};
}

void CStairwaySwitchPage::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1016, CB_GETCOUNT, 0, 0) == 0) {
        m_refT.FillBaseList();
        if (m_bPermanentLight)
            m_refTL.FillBaseList();
    }
    DDX_Check(pDX, kStandardCheck, m_bUseStandard);
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, 1016, m_t.nBase);
    DDX_Text(pDX, 1019, m_t.nLow);
    DDX_Text(pDX, 1017, m_t.nHigh);
    if (m_bPermanentLight) {
        DDX_CBIndex(pDX, 1548, m_tl.nBase);
        DDX_Text(pDX, 1549, m_tl.nLow);
        DDX_Text(pDX, 1550, m_tl.nHigh);
    }
    DDX_Text(pDX, 1028, m_tw.nLow);
    DDX_Text(pDX, 1023, m_tw.nHigh);
    DDX_Text(pDX, 1035, m_twl.nLow);
    DDX_Text(pDX, 1033, m_twl.nHigh);
}

void CStairwaySwitchPage::InitPage()
{
    m_refT.CreateLists(nullptr);
    if (m_bPermanentLight)
        m_refTL.CreateLists(nullptr);
    CComboBox* pLastUnit = m_bPermanentLight ? &m_refTL.UnitList() : &m_refT.UnitList();
    m_refTW.CreateLists(pLastUnit);
    m_refTWL.CreateLists(pLastUnit);

    const CTavixDoc* pDoc = GetDocument();
    const BOOL bOld = pDoc && !pDoc->IsNewModel();
    for (CTimeReference* pRef : Times()) {
        pRef->Value().bRef = pRef->Value().pRefBlock != nullptr;
        pRef->LimitParts();
        if (CWnd* p = GetDlgItem(int(pRef->Ids().reference)))
            p->EnableWindow(pRef->Value().bRefAllowed);
    }
    OnUseStandardValues();
    for (CTimeReference* pRef : Times()) {
        if (bOld) {
            pRef->Value().bRef = 0;
            pRef->HideReference();
        } else {
            pRef->ShowReferenced(pRef->Value().bRef);
            pRef->FillBlockList(pDoc, m_nBlockNumber);
        }
    }
    ApplyNameRule();
    UpdatePrewarnUnitLabels();
    SetTabOrder();
    SetModified(FALSE);
}

void CStairwaySwitchPage::AddTips()
{
    for (UINT id : {1017u, 1023u, 1033u})
        AddRangeTip(id, 0, kTimePartLimit);
    for (UINT id : {1019u, 1028u, 1035u})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
    if (m_bPermanentLight) {
        AddRangeTip(1550, 0, kTimePartLimit);
        if (CWnd* p = GetDlgItem(1549))
            m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
    }
}

BOOL CStairwaySwitchPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT id = RangeTipRequestId(lParam);
    if (id == 1019 || id == 1028 || id == 1035)
        AnswerRangeTip(lParam, nullptr, 0, m_refT.LowMaximum());
    else if (id == 1549)
        AnswerRangeTip(lParam, nullptr, 0, m_refTL.LowMaximum());
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

int CStairwaySwitchPage::TPosition()
{
    if (m_t.bRef)
        return m_refT.UnitPosition();
    return m_refT.BasePosition();
}

void CStairwaySwitchPage::UpdatePrewarnUnitLabels()
{
    const int p = TPosition();
    if (p < 0 || p > 2)
        return;
    SetDlgItemText(1237, m_tw.bRef ? TimeUnitName(p) : TimeBaseName(p));
    SetDlgItemText(1238, m_twl.bRef ? TimeUnitName(p) : TimeBaseName(p));
}

void CStairwaySwitchPage::ClampLowParts(int nPosition)
{
    // T!, T!L and T share T's base: their low parts are minutes or seconds below base 2.
    m_refT.ClampLow(nPosition);
    m_refTW.ClampLow(nPosition);
    m_refTWL.ClampLow(nPosition);
}

void CStairwaySwitchPage::OnUseStandardValues()
{
    m_bUseStandard = IsDlgButtonChecked(kStandardCheck) ? 1 : 0;
    if (m_bUseStandard) {
        for (CTimeReference* pRef : {&m_refTW, &m_refTWL})
            if (pRef->Value().bRef)
                OnReference(*pRef);
        int warn = 0, period = 0;
        if (!m_bPermanentLight) {
            const BOOL bFine = TPosition() >= 2;
            warn = bFine ? 75 : 15;
            period = bFine ? 5 : 1;
        }
        m_tw.nHigh = 0, m_tw.nLow = warn, m_twl.nHigh = 0, m_twl.nLow = period;
        SetDlgItemInt(1023, 0, FALSE);
        SetDlgItemInt(1028, UINT(warn), FALSE);
        SetDlgItemInt(1033, 0, FALSE);
        SetDlgItemInt(1035, UINT(period), FALSE);
    }
    for (UINT id : kPrewarnControls)
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!m_bUseStandard);
    for (CTimeReference* pRef : {&m_refTW, &m_refTWL})
        if (CWnd* p = GetDlgItem(int(pRef->Ids().reference)))
            p->EnableWindow(!m_bUseStandard && pRef->Value().bRefAllowed);
    SetModified(TRUE);
}

void CStairwaySwitchPage::SetTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_BLOCK_NAME);
    m_refT.ChainTabOrder(pAfter);
    if (m_bPermanentLight)
        m_refTL.ChainTabOrder(pAfter);
    ::ChainTabOrder(pAfter, {GetDlgItem(kStandardCheck)});
    m_refTW.ChainTabOrder(pAfter);
    m_refTWL.ChainTabOrder(pAfter);
    ::ChainTabOrder(pAfter, {GetDlgItem(IDC_RETENTIVITY), GetDlgItem(IDC_PROTECTION)});
}

void CStairwaySwitchPage::OnReference(CTimeReference& ref)
{
    const BOOL bOn = ref.Toggle(GetDocument());
    if (!bOn && IsSimulating())
        if (CTavixDoc* pDoc = GetDocument())
            if (CBlockObj* pBlock = pDoc->FindBlockByNumber(m_nBlockNumber)) {
                // The running switch drops the referenced time at once, before any Apply.
                pBlock->m_dElapsed = 0;
                if (auto* pTime = dynamic_cast<CBlockTime*>(pBlock))
                    pTime->m_nRun = 0;
                int k = kRefT;
                if (&ref == &m_refT) {
                    pBlock->m_nTime2Low = pBlock->m_nTime2High = 0;
                    pBlock->m_nRefUnit2 = ref.UnitPosition();
                    pBlock->m_nTime2Base = m_t.nBase;
                } else if (&ref == &m_refTL) {
                    k = kRefTL;
                    pBlock->m_nTime1Low = pBlock->m_nTime1High = 0;
                    pBlock->m_nRefUnit1 = ref.UnitPosition();
                    pBlock->m_nTime1Base = m_tl.nBase;
                } else if (&ref == &m_refTW) {
                    k = kRefTW;
                    pBlock->m_nPreWarn[0] = pBlock->m_nPreWarn[1] = 0;
                } else {
                    k = kRefTWL;
                    pBlock->m_nPreWarn[2] = pBlock->m_nPreWarn[3] = 0;
                }
                StoreReference(*pBlock, k, 0, nullptr);
            }
    UpdatePrewarnUnitLabels();
    const int p = TPosition();
    if (p == 0 || p == 1)
        ClampLowParts(p);
    SetTabOrder();
    if (!m_bPermanentLight && (&ref == &m_refT))
        OnUseStandardValues();
    SetModified(TRUE);
}

void CStairwaySwitchPage::OnBlock(CTimeReference& ref)
{
    ref.TakeSelectedBlock(GetDocument());
    SetModified(TRUE);
}

void CStairwaySwitchPage::OnBaseT()
{
    UpdatePrewarnUnitLabels();
    const int pos = m_refT.BasePosition();
    if (pos != m_t.nBase && (pos == 0 || pos == 1))
        ClampLowParts(pos);
    if (pos >= 0)
        m_t.nBase = pos;
    if (!m_bPermanentLight)
        OnUseStandardValues();
    SetModified(TRUE);
}

void CStairwaySwitchPage::OnUnitT()
{
    UpdatePrewarnUnitLabels();
    const int pos = m_refT.UnitPosition();
    if (pos == 0 || pos == 1)
        ClampLowParts(pos);
    if (!m_bPermanentLight)
        OnUseStandardValues();
    SetModified(TRUE);
}

void CStairwaySwitchPage::OnBaseTL()
{
    m_refTL.TakeBase();
    SetModified(TRUE);
}

void CStairwaySwitchPage::OnOK()
{
    for (CTimeReference* pRef : Times())
        pRef->SettleForOk();
    // Values typed by hand that equal the standard ones count as the standard values.
    if (!m_tw.pRefBlock && !m_twl.pRefBlock) {
        BOOL bStandard;
        if (m_bPermanentLight) {
            bStandard = m_tw.nHigh == 0 && m_tw.nLow == 0 && m_twl.nHigh == 0 && m_twl.nLow == 0;
        } else {
            const BOOL bFine = TPosition() >= 2;
            bStandard = m_tw.nHigh == 0 && m_twl.nHigh == 0 &&
                        (bFine ? (m_tw.nLow == 75 && m_twl.nLow == 5) : (m_tw.nLow == 15 && m_twl.nLow == 1));
        }
        if (bStandard) {
            m_bUseStandard = 1;
            CheckDlgButton(kStandardCheck, BST_CHECKED);
        }
    }
    CBlockPage::OnOK();
}

void CStairwaySwitchPage::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bRetentivity = block.m_bRetentive;
    m_bProtection = block.m_bProtected;
    m_bUseStandard = block.m_bStdPreWarning ? 1 : 0;
    LoadTime(m_t, block, 1);
    if (m_bPermanentLight)
        LoadTime(m_tl, block, 0);
    m_tw.nLow = block.m_nPreWarn[0], m_tw.nHigh = block.m_nPreWarn[1];
    m_twl.nLow = block.m_nPreWarn[2], m_twl.nHigh = block.m_nPreWarn[3];
    m_tw.pRefBlock = block.m_pRefBlock[kRefTW];
    m_twl.pRefBlock = block.m_pRefBlock[kRefTWL];
    m_tw.bRef = m_tw.pRefBlock != nullptr;
    m_twl.bRef = m_twl.pRefBlock != nullptr;
    for (TimeParam* t : {&m_t, &m_tl, &m_tw, &m_twl})
        t->bRefAllowed = m_bRefAllowed;
}


void CStairwaySwitchPage::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.bRetentivity = m_bRetentivity;
    record.nTime2Low = m_t.nLow, record.nTime2High = m_t.nHigh, record.nTime2Base = m_t.nBase;
    if (m_bPermanentLight)
        record.nTime1Low = m_tl.nLow, record.nTime1High = m_tl.nHigh, record.nTime1Base = m_tl.nBase;
    record.nCheck = m_bUseStandard;
    record.nExtra[0] = m_tw.nLow, record.nExtra[1] = m_tw.nHigh;
    record.nExtra[2] = m_twl.nLow, record.nExtra[3] = m_twl.nHigh;
    auto put = [&](int k, const CTimeReference& ref) {
        const TimeParam& t = ref.Value();
        record.ref[k].nUnit = t.nUnit;
        record.ref[k].bFlag = t.bRef && t.pRefBlock;
        record.ref[k].pBlock = record.ref[k].bFlag ? t.pRefBlock : nullptr;
    };
    put(kRefT, m_refT);
    if (m_bPermanentLight)
        put(kRefTL, m_refTL);
    put(kRefTW, m_refTW);
    put(kRefTWL, m_refTWL);
}
