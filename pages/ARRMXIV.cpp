// CARRMXIV: the layout of each of the seven types, the per-type clamps while typing, the speed,
// frequency and step-time texts, and the two reference slots.
#include "pages/ARRMXIV.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/RefBlockList.h"
#include "pages/TimeReference.h"
#include "pages/TimerFields.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

enum : UINT {
    IDC_MODE_LABEL = 1324, IDC_MODE = 1317, IDC_REF1 = 1546, IDC_ADDRESS_LABEL = 1321, IDC_AREA = 1319,
    IDC_ADDRESS = 1318, IDC_COUNT_LABEL = 1322, IDC_COUNT = 1320, IDC_REF2 = 1547, IDC_STEPS_LABEL = 1325,
    IDC_STEPS = 1323, IDC_RATE = 1326, IDC_STEP_TIME = 1327, IDC_RATE_PLACE = 1328, IDC_REF1_LIST = 104,
    IDC_REF2_LIST = 125,
};

constexpr int kStepsMax = 99999999;
const UINT kRefButton[2] = {IDC_REF1, IDC_REF2};
const UINT kRefList[2] = {IDC_REF1_LIST, IDC_REF2_LIST};

CString Load(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CARRMXIV, CBlockPage)
ON_CONTROL(EN_CHANGE, IDC_ADDRESS, OnParamChanged)
ON_CONTROL(EN_CHANGE, IDC_STEPS, OnParamChanged)
ON_CONTROL(EN_UPDATE, IDC_ADDRESS, OnUpdateAddress)
ON_CONTROL(CBN_SELCHANGE, IDC_AREA, OnUpdateAddress)
ON_CONTROL(EN_UPDATE, IDC_COUNT, OnUpdateCount)
ON_CONTROL(EN_UPDATE, IDC_STEPS, OnUpdateSteps)
ON_CONTROL(EN_CHANGE, IDC_COUNT, OnChangeCount)
ON_CONTROL(CBN_SELCHANGE, IDC_MODE, OnSelchangeMode)
ON_CONTROL(BN_CLICKED, IDC_REF1, OnReference1)
ON_CONTROL(BN_CLICKED, IDC_REF2, OnReference2)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_REF1_LIST, IDC_REF2_LIST, OnSelchangeRefBlock)
END_MESSAGE_MAP()

CARRMXIV::CARRMXIV() : CBlockPage(IDD_ARRMXIV) {}

BOOL CARRMXIV::CountBounds(int nType, int* pLo, int* pHi)
{
    if (nType == 844)
        *pLo = 1, *pHi = 32;
    else if (nType >= 849 && nType <= 852)
        *pLo = 0, *pHi = kStepsMax;
    else if (nType == 856)
        *pLo = 1, *pHi = 128;
    else
        return FALSE;
    return TRUE;
}

int CARRMXIV::AddressLimit(int nArea) { return nArea == 1 ? 31 : nArea == 2 ? 63 : 511; }

int CARRMXIV::CountPlaceholder(int nType)
{
    if (nType == 849 || nType == 850)
        return 100;
    return nType == 851 || nType == 852 ? 0 : 1;
}

CString CARRMXIV::RateText(int nType, int nCount)
{
    CString text;
    const BOOL bMotor = nType == 849 || nType == 850;
    // A zero speed or pulse width has a fixed text: there is nothing to divide by.
    if (nCount == 0)
        return Load(bMotor ? IDS_ARR_RPM_ZERO : IDS_ARR_HZ_ZERO);
    text.Format(Load(bMotor ? IDS_ARR_RPM : IDS_ARR_HZ).GetString(), (bMotor ? 30000.0 : 100000.0) / nCount);
    return text;
}

UINT CARRMXIV::SlotLiteral(int k) const
{
    if (k == 1)
        return IDC_COUNT;
    return SlotOneIsSteps() ? IDC_STEPS : IDC_MODE;
}

void CARRMXIV::FillLists()
{
    auto fill = [this](UINT nID, std::initializer_list<CString> items) {
        SendDlgItemMessage(int(nID), CB_RESETCONTENT);
        for (const CString& item : items)
            SendDlgItemMessage(int(nID), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    };
    const int t = m_nBlockType;
    if (IsMotor())
        fill(IDC_MODE, {Load(IDS_ARR_HALF_STEP), Load(IDS_ARR_FULL_STEP)});
    else if (t == 856)
        fill(IDC_MODE, {CString(L"CRC16")});
    else
        fill(IDC_MODE, {Load(IDS_ARR_MAXIMUM), Load(IDS_ARR_MINIMUM), Load(IDS_ARR_AVERAGE)});
    if (IsMotor())
        fill(IDC_AREA, {Load(IDS_ARR_OUTPUTS_LOW), Load(IDS_ARR_OUTPUTS_HIGH)});
    else if (t == 851 || t == 852)
        fill(IDC_AREA, {CString(L"Q0"), CString(L"Q1"), CString(L"Q2"), CString(L"Q3")});
    else if (t == 856)
        fill(IDC_AREA, {CString(L"AM")});
    else
        fill(IDC_AREA, {CString(L"AM"), CString(L"AQ"), CString(L"AI")});
    // A stored position the list does not have falls back to the first item.
    const int modes = int(SendDlgItemMessage(IDC_MODE, CB_GETCOUNT));
    const int areas = int(SendDlgItemMessage(IDC_AREA, CB_GETCOUNT));
    if (m_nMode < 0 || m_nMode >= modes)
        m_nMode = 0;
    if (m_nArea < 0 || m_nArea >= areas)
        m_nArea = 0;
}

BOOL CARRMXIV::OnInitDialog()
{
    AttachControl(m_cbMode, IDC_MODE);
    AttachControl(m_cbArea, IDC_AREA);
    FillLists();
    return CBlockPage::OnInitDialog();
}

void CARRMXIV::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_MODE, m_nMode);
    DDX_CBIndex(pDX, IDC_AREA, m_nArea);
    DDX_Text(pDX, IDC_ADDRESS, m_nAddress);
    DDV_MinMaxInt(pDX, m_nAddress, 0, AddressLimit(m_nArea));
    int lo = 0, hi = 0;
    // The count of 845 is not shown; it passes through as it came.
    if (CountBounds(m_nBlockType, &lo, &hi)) {
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, lo, hi);
    }
    DDX_Text(pDX, IDC_STEPS, m_nSteps);
    DDV_MinMaxInt(pDX, m_nSteps, 0, kStepsMax);
}

void CARRMXIV::InitPage()
{
    ArrangeForType();
    if (m_nBlockType != 856) {
        CreateReferenceLists();
        for (int k = 0; k < 2; ++k)
            if (m_cbRefBlock[k].GetSafeHwnd()) {
                m_cbRefBlock[k].ResetContent();
                if (const CTavixDoc* pDoc = GetDocument())
                    pDoc->FillBlockComboBox(m_nBlockNumber, &m_cbRefBlock[k]);
                SelectBlockEntry(m_cbRefBlock[k], m_pRefBlock[k]);
            }
        ApplyNameRule();
    }
    ShowSlots();
    UpdateRateText();
    UpdateStepTimeText();
    SetTabOrder();
}

void CARRMXIV::ArrangeForType()
{
    const int t = m_nBlockType;
    auto show = [this](std::initializer_list<UINT> ids, BOOL bShow) {
        for (UINT id : ids)
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    };
    auto rectOf = [this](UINT id) {
        CRect rc;
        if (CWnd* p = GetDlgItem(int(id))) {
            p->GetWindowRect(&rc);
            ScreenToClient(&rc);
        }
        return rc;
    };
    auto moveTo = [this](UINT id, const CRect& rc) {
        if (CWnd* p = GetDlgItem(int(id)))
            p->MoveWindow(&rc);
    };
    show({IDC_RATE, IDC_STEP_TIME, IDC_RATE_PLACE}, FALSE);
    if (t != 850 && t != 852)
        show({IDC_STEPS_LABEL, IDC_STEPS}, FALSE);
    if (t == 845) {
        show({IDC_ADDRESS_LABEL, IDC_AREA, IDC_ADDRESS, IDC_COUNT_LABEL, IDC_COUNT, IDC_REF2}, FALSE);
    } else if (t == 856) {
        SetDlgItemText(IDC_MODE_LABEL, Load(IDS_ARR_TYPE));
        show({IDC_REF1, IDC_REF2}, FALSE);
    } else if (IsMotorOrPulse()) {
        SetDlgItemText(IDC_ADDRESS_LABEL, Load(IDS_ARR_PIN));
        SetDlgItemText(IDC_COUNT_LABEL, Load(IsMotor() ? IDS_ARR_SPEED : IDS_ARR_PULSE_WIDTH));
        if (t == 850 || t == 852)
            SetDlgItemText(IDC_STEPS_LABEL, Load(t == 850 ? IDS_ARR_STEPS : IDS_ARR_NUMBER));
        show({IDC_ADDRESS}, FALSE);
        // The output list takes the room of the hidden address.
        CRect rcArea = rectOf(IDC_AREA);
        const CRect rcMode = rectOf(IDC_MODE);
        rcArea.right = rcMode.right;
        moveTo(IDC_AREA, rcArea);
        if (t == 849 || t == 851)
            show({IDC_REF1}, FALSE);
        if (t == 851 || t == 852)
            show({IDC_MODE_LABEL, IDC_MODE}, FALSE);
        if (SlotOneIsSteps()) {
            // Slot 1's button stands beside the steps.
            CRect rcButton = rectOf(IDC_REF1);
            const CRect rcSteps = rectOf(IDC_STEPS);
            rcButton.OffsetRect(0, rcSteps.top - rcButton.top);
            moveTo(IDC_REF1, rcButton);
        }
        if (IsMotor()) {
            CRect rc = rcMode;
            rc.right = rc.left + rc.Width() * 4 / 3;
            moveTo(IDC_MODE, rc);
            const CRect rcRate = rectOf(IDC_RATE);
            moveTo(IDC_STEP_TIME, rcRate);
            moveTo(IDC_RATE, rectOf(IDC_RATE_PLACE));
        }
    }
}

void CARRMXIV::CreateReferenceLists()
{
    const int t = m_nBlockType;
    for (int k = 0; k < 2; ++k) {
        const BOOL bSlot = k == 0 ? (t == 844 || t == 845 || t == 850 || t == 852) : (t != 845);
        CWnd* pLiteral = GetDlgItem(int(SlotLiteral(k)));
        CWnd* pButton = GetDlgItem(int(kRefButton[k]));
        if (!bSlot || !pLiteral || !pButton || m_cbRefBlock[k].GetSafeHwnd())
            continue;
        CRect rc, rcButton;
        pLiteral->GetWindowRect(&rc);
        pButton->GetWindowRect(&rcButton);
        ScreenToClient(&rc);
        ScreenToClient(&rcButton);
        rc.right = rcButton.left - 2;
        rc.bottom = rc.top + 200;
        CreateBlockList(m_cbRefBlock[k], this, rc, kRefList[k], FALSE);
    }
}

void CARRMXIV::ShowSlots()
{
    for (int k = 0; k < 2; ++k) {
        if (CWnd* pButton = GetDlgItem(int(kRefButton[k])))
            pButton->EnableWindow(m_bRefAllowed);
        if (!m_cbRefBlock[k].GetSafeHwnd())
            continue;
        const BOOL bRef = m_bRef[k] != 0;
        m_cbRefBlock[k].ShowWindow(bRef ? SW_SHOW : SW_HIDE);
        if (CWnd* p = GetDlgItem(int(SlotLiteral(k))))
            p->ShowWindow(bRef ? SW_HIDE : SW_SHOW);
    }
    // The texts of the count belong to a literal count.
    const BOOL bLiteralCount = !m_bRef[1];
    if (IsMotorOrPulse())
        if (CWnd* p = GetDlgItem(IDC_RATE))
            p->ShowWindow(bLiteralCount ? SW_SHOW : SW_HIDE);
    if (IsMotor())
        if (CWnd* p = GetDlgItem(IDC_STEP_TIME))
            p->ShowWindow(bLiteralCount ? SW_SHOW : SW_HIDE);
}

void CARRMXIV::UpdateRateText()
{
    if (!IsMotorOrPulse())
        return;
    BOOL bOk = FALSE;
    const int count = int(GetDlgItemInt(IDC_COUNT, &bOk, FALSE));
    SetDlgItemText(IDC_RATE, RateText(m_nBlockType, bOk ? count : 0));
}

void CARRMXIV::UpdateStepTimeText()
{
    if (!IsMotor())
        return;
    const int mode = int(SendDlgItemMessage(IDC_MODE, CB_GETCURSEL));
    SetDlgItemText(IDC_STEP_TIME, Load(mode == 1 ? IDS_ARR_FULL_STEP_TIME : IDS_ARR_HALF_STEP_TIME));
}

void CARRMXIV::SetTabOrder()
{
    if (m_nBlockType == 856)
        return;
    auto slot = [this](int k) -> CWnd* {
        if (m_bRef[k] && m_cbRefBlock[k].GetSafeHwnd())
            return &m_cbRefBlock[k];
        return GetDlgItem(int(SlotLiteral(k)));
    };
    std::vector<CWnd*> chain;
    switch (m_nBlockType) {
    case 844: case 849:
        chain = {GetDlgItem(IDC_BLOCK_NAME), slot(0), GetDlgItem(IDC_REF1), GetDlgItem(IDC_AREA), GetDlgItem(IDC_ADDRESS),
                 slot(1), GetDlgItem(IDC_REF2)};
        break;
    case 845: case 851:
        chain = {GetDlgItem(IDC_BLOCK_NAME), m_nBlockType == 845 ? slot(0) : GetDlgItem(IDC_AREA), GetDlgItem(IDC_REF1),
                 slot(1), GetDlgItem(IDC_REF2)};
        break;
    case 850:
        chain = {GetDlgItem(IDC_BLOCK_NAME), GetDlgItem(IDC_MODE), GetDlgItem(IDC_AREA), slot(1), GetDlgItem(IDC_REF2),
                 slot(0), GetDlgItem(IDC_REF1)};
        break;
    case 852:
        chain = {GetDlgItem(IDC_BLOCK_NAME), GetDlgItem(IDC_AREA), slot(1), GetDlgItem(IDC_REF2), slot(0),
                 GetDlgItem(IDC_REF1)};
        break;
    default:
        return;
    }
    CWnd* pAfter = nullptr;
    for (CWnd* p : chain) {
        if (p == nullptr || p->GetSafeHwnd() == nullptr)
            continue;
        if (pAfter)
            p->SetWindowPos(pAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pAfter = p;
    }
}

void CARRMXIV::AddTips()
{
    if (CWnd* p = GetDlgItem(IDC_COUNT))
        m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
    if (SlotOneIsSteps())
        AddRangeTip(IDC_STEPS, 0, kStepsMax);
}

BOOL CARRMXIV::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int lo = 0, hi = 0;
    if (RangeTipRequestId(lParam) == IDC_COUNT) {
        if (CountBounds(m_nBlockType, &lo, &hi)) {
            AnswerRangeTip(lParam, nullptr, lo, hi);
        } else {
            auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            pInfo->szText[0] = 0;
            pInfo->lpszText = pInfo->szText;
        }
    }
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

BOOL CARRMXIV::ClampEdit(UINT nID, int nMin, int nMax)
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, TRUE));
    if (!bOk || (value >= nMin && value <= nMax))
        return FALSE;
    SetDlgItemInt(int(nID), UINT(value > nMax ? nMax : nMin), TRUE);
    return TRUE;
}

void CARRMXIV::OnUpdateAddress()
{
    const int area = int(SendDlgItemMessage(IDC_AREA, CB_GETCURSEL));
    ClampEdit(IDC_ADDRESS, 0, AddressLimit(area));
    SetModified(TRUE);
}

void CARRMXIV::OnUpdateCount()
{
    int lo = 0, hi = 0;
    if (CountBounds(m_nBlockType, &lo, &hi))
        ClampEdit(IDC_COUNT, lo, hi);
}

void CARRMXIV::OnUpdateSteps()
{
    if (SlotOneIsSteps())
        ClampEdit(IDC_STEPS, 0, kStepsMax);
}

void CARRMXIV::OnChangeCount()
{
    UpdateRateText();
    ShowSlots();
    SetModified(TRUE);
}

void CARRMXIV::OnSelchangeMode()
{
    UpdateStepTimeText();
    SetModified(TRUE);
}

void CARRMXIV::OnReference(int k)
{
    m_bRef[k] = !m_bRef[k];
    if (m_bRef[k])
        m_pRefBlock[k] = SelectedBlock(m_cbRefBlock[k], GetDocument());
    else
        m_pRefBlock[k] = nullptr;
    ShowSlots();
    SetTabOrder();
    SetModified(TRUE);
}

void CARRMXIV::OnSelchangeRefBlock(UINT nID)
{
    const int k = nID == IDC_REF1_LIST ? 0 : 1;
    m_pRefBlock[k] = SelectedBlock(m_cbRefBlock[k], GetDocument());
    SetModified(TRUE);
}

void CARRMXIV::OnOK()
{
    // A slot counts as referenced only with a block; its literal value is then a placeholder.
    for (int k = 0; k < 2; ++k) {
        m_bRef[k] = m_bRef[k] && m_pRefBlock[k];
        if (!m_bRef[k])
            m_pRefBlock[k] = nullptr;
    }
    if (m_bRef[0] && m_nBlockType != 850)
        m_nMode = 0;
    if (m_bRef[1])
        m_nCount = CountPlaceholder(m_nBlockType);
    CBlockPage::OnOK();
}

void CARRMXIV::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nMode = block.m_nTime1High;
    m_nArea = block.m_nTime1Low;
    m_nAddress = block.m_nTime2Low;
    m_nCount = block.m_nTime2High;
    m_nSteps = block.m_nPreWarn[1];
    m_bProtection = block.m_bProtected;
    for (int k = 0; k < 2; ++k) {
        m_pRefBlock[k] = block.m_pRefBlock[k];
        m_bRef[k] = m_pRefBlock[k] != nullptr;
    }
}


void CARRMXIV::FillTimeRecord(CTimeParamRecord& record) const
{
    // Apply reads the members as OK would leave them.
    bool bRef[2];
    for (int k = 0; k < 2; ++k) {
        bRef[k] = m_bRef[k] && m_pRefBlock[k];
        record.ref[k].bFlag = bRef[k] ? 1 : 0;
        record.ref[k].pBlock = bRef[k] ? m_pRefBlock[k] : nullptr;
    }
    record.nTime1High = bRef[0] && m_nBlockType != 850 ? 0 : m_nMode;
    record.nTime1Low = m_nArea;
    record.nTime2Low = m_nAddress;
    record.nTime2High = bRef[1] ? CountPlaceholder(m_nBlockType) : m_nCount;
    record.nExtra[1] = m_nSteps;
    record.bProtection = m_bProtection;
}
