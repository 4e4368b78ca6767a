// CAnalogComparator: the sensor scaling of the analog blocks (gain and offset derived from the
// measuring range and back), the level values per block type and machine, and references of
// the level values to other blocks.
#include "pages/AnalogComparator.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "pages/RefBlockList.h"
#include "pages/SensorScaling.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"


namespace {

enum : UINT {
    IDC_SENSOR = 1082, IDC_RANGE_GROUP = 1083, IDC_PARAM_GROUP = 1084, IDC_UNIT_GROUP = 1085,
    IDC_RESOLUTION_GROUP = 1086, IDC_CELSIUS = 1087, IDC_FAHRENHEIT = 1088, IDC_RES_1 = 1089, IDC_RES_01 = 1090,
    IDC_THRESHOLD_GROUP = 1091, IDC_MIN = 1092, IDC_MAX = 1093, IDC_MIN_SPIN = 1094, IDC_MAX_SPIN = 1095,
    IDC_DECIMALS = 1096, IDC_DECIMALS_SPIN = 1097, IDC_DECIMALS_SAMPLE = 1098, IDC_MIN_LABEL = 1104,
    IDC_MAX_LABEL = 1105, IDC_GAIN_LABEL = 1106, IDC_OFFSET_LABEL = 1107, IDC_VALUE1_LABEL = 1108,
    IDC_VALUE2_LABEL = 1109, IDC_GAIN = 1021, IDC_GAIN_SPIN = 1022, IDC_VALUE1 = 1023, IDC_VALUE2 = 1026,
    IDC_VALUE2_SPIN = 1027, IDC_GAIN100 = 1028, IDC_OFFSET = 1039, IDC_OFFSET_SPIN = 1040, IDC_VALUE1_SPIN = 1370,
    IDC_REF1_BUTTON = 1080, IDC_REF2_BUTTON = 1014, IDC_REF1_COMBO = 105, IDC_REF2_COMBO = 106,
};

// A label text of the string table in the interface language.
CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

constexpr int kRangeLo = -10000, kRangeHi = 20000, kOffsetLo = -10000, kOffsetHi = 10000;
constexpr int kValueHi = 20000;

// The controls of the range and parameter groups that "No sensor" rearranges.
constexpr UINT kLayoutControls[] = {IDC_RANGE_GROUP, IDC_MIN_LABEL, IDC_MIN, IDC_MIN_SPIN, IDC_MAX_LABEL,
                                    IDC_MAX, IDC_MAX_SPIN, IDC_PARAM_GROUP, IDC_GAIN_LABEL, IDC_GAIN,
                                    IDC_GAIN_SPIN, IDC_OFFSET_LABEL, IDC_OFFSET, IDC_OFFSET_SPIN};

const UINT kValueEdit[2] = {IDC_VALUE1, IDC_VALUE2};
const UINT kValueLabel[2] = {IDC_VALUE1_LABEL, IDC_VALUE2_LABEL};
const UINT kValueSpin[2] = {IDC_VALUE1_SPIN, IDC_VALUE2_SPIN};
const UINT kRefButton[2] = {IDC_REF1_BUTTON, IDC_REF2_BUTTON};
const UINT kRefCombo[2] = {IDC_REF1_COMBO, IDC_REF2_COMBO};

}  // namespace

BEGIN_MESSAGE_MAP(CAnalogComparator, CBlockPage)
ON_WM_VSCROLL()
ON_CONTROL(CBN_SELCHANGE, IDC_SENSOR, OnSelchangeSensor)
ON_CONTROL_RANGE(BN_CLICKED, IDC_CELSIUS, IDC_RES_01, OnUnit)
ON_CONTROL(EN_CHANGE, IDC_GAIN, OnChangeGain)
ON_CONTROL(EN_CHANGE, IDC_OFFSET, OnChangeOffset)
ON_CONTROL(EN_CHANGE, IDC_MIN, OnChangeMin)
ON_CONTROL(EN_CHANGE, IDC_MAX, OnChangeMax)
ON_CONTROL(EN_CHANGE, IDC_VALUE1, OnChangeValue1)
ON_CONTROL(EN_CHANGE, IDC_VALUE2, OnChangeValue2)
ON_CONTROL(EN_CHANGE, IDC_DECIMALS, OnChangeDecimals)
ON_CONTROL(BN_CLICKED, IDC_REF1_BUTTON, OnReference1)
ON_CONTROL(BN_CLICKED, IDC_REF2_BUTTON, OnReference2)
ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_REF1_COMBO, IDC_REF2_COMBO, OnSelchangeReference)
END_MESSAGE_MAP()

CAnalogComparator::CAnalogComparator() : CBlockPage(IDD_ANALOG_COMPARATOR) {}

CAnalogComparator::CAnalogComparator(UINT nIDTemplate) : CBlockPage(nIDTemplate) {}

BOOL CAnalogComparator::IsNewMachine() const
{
    const CTavixDoc* pDoc = GetDocument();
    return pDoc == nullptr || pDoc->GetMachineType() >= 0x51;
}

int CAnalogComparator::SensorIndex() const
{
    return m_cbSensor.GetSafeHwnd() ? m_cbSensor.GetCurSel() : m_nSensor;
}

void CAnalogComparator::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_SENSOR, m_nSensor);
    DDX_Text(pDX, IDC_MIN, m_nMin);
    DDV_MinMaxInt(pDX, m_nMin, kRangeLo, kRangeHi);
    DDX_Text(pDX, IDC_MAX, m_nMax);
    DDV_MinMaxInt(pDX, m_nMax, kRangeLo, kRangeHi);
    DDX_Text(pDX, IDC_GAIN100, m_nGain100);
    DDV_MinMaxInt(pDX, m_nGain100, -1000, 1000);
    DDX_Text(pDX, IDC_GAIN, m_dGain);
    DDV_MinMaxDouble(pDX, m_dGain, LowerGainBound(), 10.0);
    DDX_Text(pDX, IDC_OFFSET, m_nOffset);
    DDV_MinMaxInt(pDX, m_nOffset, kOffsetLo, kOffsetHi);
    int lo = 0, hi = 0;
    ValueBounds(0, &lo, &hi);
    DDX_Text(pDX, IDC_VALUE1, m_nValue1);
    DDV_MinMaxInt(pDX, m_nValue1, lo, hi);
    ValueBounds(1, &lo, &hi);
    DDX_Text(pDX, IDC_VALUE2, m_nValue2);
    DDV_MinMaxInt(pDX, m_nValue2, lo, hi);
    DDX_Text(pDX, IDC_DECIMALS, m_nDecimals);
    DDV_MinMaxInt(pDX, m_nDecimals, 0, 3);
    DDX_Radio(pDX, IDC_CELSIUS, m_nTempUnit);
    DDX_Radio(pDX, IDC_RES_1, m_nResolution);
    DDX_Control(pDX, IDC_GAIN, m_editGain);
    DDX_Control(pDX, IDC_MAX, m_editMax);
    DDX_Control(pDX, IDC_MIN, m_editMin);
    DDX_Control(pDX, IDC_OFFSET, m_editOffset);
    DDX_Control(pDX, IDC_VALUE1, m_editValue1);
    DDX_Control(pDX, IDC_VALUE2, m_editValue2);
}

BOOL CAnalogComparator::OnInitDialog()
{
    // The sensor list is filled before the exchange selects the block's sensor in it.
    if (AttachControl(m_cbSensor, IDC_SENSOR) && m_cbSensor.GetCount() == 0)
        for (UINT id : {UINT(IDS_SENSOR_VOLT_10), UINT(IDS_SENSOR_MA_20), UINT(IDS_SENSOR_MA_4_20),
                        UINT(IsRamp() ? IDS_SENSOR_PT100 : IDS_SENSOR_PT100_PT1000), UINT(IDS_SENSOR_NONE)}) {
            CString item;
            item.LoadString(id);
            m_cbSensor.AddString(item);
        }
    return CBlockPage::OnInitDialog();
}

int CAnalogComparator::EditInt(UINT nID) const { return int(GetDlgItemInt(int(nID), nullptr, TRUE)); }

void CAnalogComparator::SetEditInt(UINT nID, int value) { SetDlgItemInt(int(nID), UINT(value), TRUE); }

void CAnalogComparator::WriteGain(double gain) { m_editGain.SetDouble(gain, TRUE); }

void CAnalogComparator::SetHiddenGain(int hundredths) { SetEditInt(IDC_GAIN100, hundredths); }

void CAnalogComparator::InitPage()
{
    m_nCalcMax = m_nCalcMin = m_nGainRoundDigit = m_nCalcOffset = 0;
    m_dCalcGain = 0.0;
    CreateReferenceCombos();
    FillReferenceCombos();
    // Edit limits: gain 2 + 2 digits, the others five digits with a sign; a digit typed into a
    // full whole part starts the decimals.
    m_editGain.SetMaxWholeDigits(2);
    m_editGain.SetMaxDecimalPlaces(2);
    for (CIntegerEdit* pEdit : {&m_editMax, &m_editMin, &m_editOffset, &m_editValue1, &m_editValue2})
        pEdit->SetMaxWholeDigits(5);
    for (CValidatingEdit* pEdit : std::initializer_list<CValidatingEdit*>{&m_editGain, &m_editMax, &m_editMin,
                                                                          &m_editOffset, &m_editValue1, &m_editValue2})
        dynamic_cast<CEditBehavior*>(pEdit)->ModifyFlags(CEditBehavior::DecimalAfterWholeDigits, 0);
    PlaceRetentivity();
    // Machine and type decide the Reference buttons.
    const BOOL bNew = IsNewMachine();
    for (int k = 0; k < 2; ++k)
        if (CWnd* pButton = GetDlgItem(int(kRefButton[k]))) {
            pButton->ShowWindow(bNew && m_nBlockType != 805 && m_nBlockType != 807 ? SW_SHOW : SW_HIDE);
            pButton->EnableWindow(m_bRefAllowed);
        }
    UpdateDecimalsSample();
    auto spin = [this](UINT nID, int lo, int hi) { SendDlgItemMessage(int(nID), UDM_SETRANGE32, WPARAM(lo), LPARAM(hi)); };
    spin(IDC_MIN_SPIN, kRangeLo, kRangeHi);
    spin(IDC_MAX_SPIN, kRangeLo, kRangeHi);
    spin(IDC_GAIN_SPIN, -1000, 1000);
    spin(IDC_OFFSET_SPIN, kOffsetLo, kOffsetHi);
    for (int k = 0; k < 2; ++k) {
        int lo = 0, hi = 0;
        ValueBounds(k, &lo, &hi);
        spin(kValueSpin[k], lo, hi);
    }
    spin(IDC_DECIMALS_SPIN, 0, 3);
    SendDlgItemMessage(IDC_GAIN_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(IDC_GAIN100)->GetSafeHwnd()));
    SendDlgItemMessage(IDC_DECIMALS, EM_LIMITTEXT, 1);
    SetHiddenGain(int(m_dGain * 100));
    SaveSensorLayout();
    ShowScalingControls(m_nSensor);
    if (m_nSensor == scaling::Pt100) {
        SetSensorDefaults();
    } else {
        CString text;
        text.Format(L"%5.2f", m_dGain);
        m_editGain.SetWindowText(text);
    }
    UpdateTypeLabels();
    UpdateTabOrder();
}

void CAnalogComparator::ValueBounds(int, int* pLo, int* pHi) const
{
    *pLo = LowerValueBound();
    *pHi = kValueHi;
}

BOOL CAnalogComparator::FillsReferenceLists() const
{
    // The ramp's lists are filled on every machine; its buttons only show on the newer ones.
    return IsRamp() || (IsNewMachine() && (m_nBlockType == 803 || m_nBlockType == 804 || m_nBlockType == 806));
}

void CAnalogComparator::PlaceRetentivity()
{
    // Only the newer machines keep the watchdog's values over a power failure.
    if (!(IsNewMachine() && m_nBlockType == 806))
        HideRetentivity();
}

void CAnalogComparator::AddTips()
{
    AddRangeTip(IDC_DECIMALS, 0, 3);
    for (int k = 0; k < 2; ++k) {
        int lo = 0, hi = 0;
        ValueBounds(k, &lo, &hi);
        AddRangeTip(kValueEdit[k], lo, hi);
    }
    UpdateSensorLayout();
}

void CAnalogComparator::ShowScalingControls(int nSensor)
{
    const BOOL bPt100 = nSensor == scaling::Pt100;
    for (UINT id : {IDC_MIN_LABEL, IDC_MIN, IDC_MIN_SPIN, IDC_MAX_LABEL, IDC_MAX, IDC_MAX_SPIN, IDC_GAIN_LABEL, IDC_GAIN,
                    IDC_GAIN_SPIN, IDC_OFFSET_LABEL, IDC_OFFSET, IDC_OFFSET_SPIN})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!bPt100);
    for (UINT id = IDC_UNIT_GROUP; id <= IDC_RES_01; ++id)
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bPt100 ? SW_SHOW : SW_HIDE);
}

void CAnalogComparator::SetSensorDefaults()
{
    const scaling::Pt100Row row = scaling::Pt100Scaling(m_nTempUnit, m_nResolution);
    SetEditInt(IDC_MIN, row.min);
    SetEditInt(IDC_MAX, row.max);
    WriteGain(row.gain);
    SetHiddenGain(row.hundredths);
    SetEditInt(IDC_OFFSET, row.offset);
}

void CAnalogComparator::SaveSensorLayout()
{
    for (UINT id : kLayoutControls)
        if (CWnd* p = GetDlgItem(int(id))) {
            CRect rc;
            p->GetWindowRect(&rc);
            ScreenToClient(&rc);
            m_layout[id] = rc;
        }
}

void CAnalogComparator::UpdateSensorLayout()
{
    auto place = [this](UINT id, UINT at) {
        if (CWnd* p = GetDlgItem(int(id)); p && m_layout.count(at))
            p->MoveWindow(&m_layout[at]);
    };
    auto tip = [this](UINT id, int lo, int hi) {
        if (CWnd* p = GetDlgItem(int(id))) {
            m_toolTip.DelTool(p);
            AddRangeTip(id, lo, hi);
        }
    };
    const BOOL bNone = SensorIndex() == scaling::NoSensor;
    for (UINT id : {IDC_RANGE_GROUP, IDC_MIN_LABEL, IDC_MIN, IDC_MIN_SPIN, IDC_MAX_LABEL, IDC_MAX, IDC_MAX_SPIN})
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bNone ? SW_HIDE : SW_SHOW);
    if (bNone) {
        // Gain and offset take the place of the measuring range.
        place(IDC_PARAM_GROUP, IDC_RANGE_GROUP);
        place(IDC_GAIN_LABEL, IDC_MIN_LABEL);
        place(IDC_GAIN, IDC_MIN);
        place(IDC_GAIN_SPIN, IDC_MIN_SPIN);
        place(IDC_OFFSET_LABEL, IDC_MAX_LABEL);
        place(IDC_OFFSET, IDC_MAX);
        place(IDC_OFFSET_SPIN, IDC_MAX_SPIN);
        if (m_bRangeTips) {
            m_toolTip.DelTool(GetDlgItem(IDC_MIN));
            m_toolTip.DelTool(GetDlgItem(IDC_MAX));
            m_bRangeTips = FALSE;
        }
    } else {
        for (UINT id : kLayoutControls)
            place(id, id);
        if (!m_bRangeTips) {
            AddRangeTip(IDC_MIN, kRangeLo, kRangeHi);
            AddRangeTip(IDC_MAX, kRangeLo, kRangeHi);
            m_bRangeTips = TRUE;
        }
    }
    tip(IDC_OFFSET, kOffsetLo, kOffsetHi);
    if (CWnd* p = GetDlgItem(IDC_GAIN)) {
        m_toolTip.DelTool(p);
        AddRangeTip(IDC_GAIN, LowerGainBound(), 10.0);
    }
}

void CAnalogComparator::UpdateTypeLabels()
{
    const BOOL bNew = IsNewMachine();
    auto show = [this](UINT id, BOOL bShow) {
        if (CWnd* p = GetDlgItem(int(id)))
            p->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    };
    auto row = [&](int k, BOOL bShown, BOOL bReferable) {
        const BOOL bRef = bShown && bReferable && m_bRef[k];
        show(kValueLabel[k], bShown && !bRef);
        show(kValueEdit[k], bShown && !bRef);
        show(kValueSpin[k], bShown && !bRef);
        if (m_comboRef[k].GetSafeHwnd())
            m_comboRef[k].ShowWindow(bRef ? SW_SHOW : SW_HIDE);
    };
    switch (m_nBlockType) {
    case 805:
        show(IDC_THRESHOLD_GROUP, FALSE);
        row(0, FALSE, FALSE);
        row(1, FALSE, FALSE);
        show(IDC_REF1_BUTTON, FALSE);
        show(IDC_REF2_BUTTON, FALSE);
        break;
    case 806:
        show(IDC_THRESHOLD_GROUP, FALSE);
        if (!bNew) {
            row(0, FALSE, FALSE);
            SetDlgItemText(IDC_VALUE2_LABEL, LoadText(IDS_LEVEL_THRESHOLD_DIFF));
            row(1, TRUE, FALSE);
        } else {
            SetDlgItemText(IDC_VALUE1_LABEL, LoadText(IDS_LEVEL_THRESHOLD_UPPER));
            SetDlgItemText(IDC_VALUE2_LABEL, LoadText(IDS_LEVEL_THRESHOLD_LOWER));
            row(0, TRUE, TRUE);
            row(1, TRUE, TRUE);
        }
        break;
    case 807:
        show(IDC_THRESHOLD_GROUP, FALSE);
        SetDlgItemText(IDC_VALUE2_LABEL, LoadText(IDS_LEVEL_DIFFERENTIAL));
        row(0, TRUE, FALSE);
        row(1, TRUE, FALSE);
        break;
    default:
        row(0, TRUE, bNew);
        row(1, TRUE, bNew);
        break;
    }
}

void CAnalogComparator::UpdateDecimalsSample()
{
    static const wchar_t* const samples[] = {L"+12345", L"+1234.5", L"+123.45", L"+12.345"};
    BOOL bOk = FALSE;
    const int n = int(GetDlgItemInt(IDC_DECIMALS, &bOk, FALSE));
    SetDlgItemText(IDC_DECIMALS_SAMPLE, bOk && n >= 0 && n <= 3 ? samples[n] : L"");
}

void CAnalogComparator::CreateReferenceCombos()
{
    for (int k = 0; k < 2; ++k) {
        // The list starts at the row's label, or at its edit where the row has no label.
        CWnd* pLabel = GetDlgItem(int(kValueLabel[k])) ? GetDlgItem(int(kValueLabel[k])) : GetDlgItem(int(kValueEdit[k]));
        CWnd* pSpin = GetDlgItem(int(kValueSpin[k]));
        CWnd* pButton = GetDlgItem(int(kRefButton[k]));
        if (!pLabel || !pSpin || !pButton || m_comboRef[k].GetSafeHwnd())
            continue;
        CRect rcLabel, rcSpin, rcButton;
        pLabel->GetWindowRect(&rcLabel);
        pSpin->GetWindowRect(&rcSpin);
        pButton->GetWindowRect(&rcButton);
        ScreenToClient(&rcLabel);
        ScreenToClient(&rcSpin);
        ScreenToClient(&rcButton);
        const CRect rc(rcLabel.left, rcButton.top, rcSpin.right + rcSpin.Width() * 3 / 2, rcLabel.top + 100);
        CreateBlockList(m_comboRef[k], this, rc, kRefCombo[k], FALSE);
    }
}

void CAnalogComparator::FillReferenceCombos()
{
    const CTavixDoc* pDoc = GetDocument();
    const BOOL bFill = pDoc && FillsReferenceLists();
    for (int k = 0; k < 2; ++k) {
        if (!m_comboRef[k].GetSafeHwnd())
            continue;
        m_comboRef[k].ResetContent();
        if (!bFill)
            continue;
        // A block without an item keeps the first item selected, so a later toggle reads a block.
        FillBlockList(m_comboRef[k], pDoc, m_nBlockNumber, m_pRefBlock[k]);
        if (m_pRefBlock[k] == nullptr)
            m_bRef[k] = 0;
    }
}

void CAnalogComparator::UpdateTabOrder()
{
    CWnd* pAfter = GetDlgItem(IDC_RES_01);
    for (int k = 0; k < 2; ++k) {
        CWnd* pValue = m_bRef[k] && m_comboRef[k].GetSafeHwnd() ? static_cast<CWnd*>(&m_comboRef[k])
                                                                 : GetDlgItem(int(kValueEdit[k]));
        ChainTabOrder(pAfter, {pValue, GetDlgItem(int(kRefButton[k]))});
    }
}

BOOL CAnalogComparator::ClampEdit(UINT nID, int nMin, int nMax)
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, TRUE));
    if (!bOk)
        return FALSE;
    if (value > nMax) {
        SetEditInt(nID, nMax);
        return TRUE;
    }
    if (value < nMin) {
        SetEditInt(nID, nMin);
        return TRUE;
    }
    return FALSE;
}

void CAnalogComparator::OnChangeGain()
{
    const double gain = m_editGain.GetDouble();
    if (gain > 10) {
        m_editGain.SetWindowText(L"10");
        SetHiddenGain(1000);
    } else if (gain < LowerGainBound()) {
        m_editGain.SetWindowText(IsRamp() ? L"0" : L"-10");
        SetHiddenGain(int(LowerGainBound() * 100));
    }
    CWnd* pFocus = GetFocus();
    if (pFocus != &m_editGain && pFocus != GetDlgItem(IDC_GAIN100))
        return;
    const double g = m_editGain.GetDouble();
    if (RangeFromGain(g, EditInt(IDC_OFFSET)))
        SetHiddenGain(scaling::GainHundredths(g));
    SetModified(TRUE);
}

void CAnalogComparator::OnChangeOffset()
{
    ClampEdit(IDC_OFFSET, kOffsetLo, kOffsetHi);
    if (GetFocus() != &m_editOffset)
        return;
    if (RangeFromGain(m_editGain.GetDouble(), EditInt(IDC_OFFSET)))
        SetModified(TRUE);
}

BOOL CAnalogComparator::RangeFromGain(double g, int offset)
{
    const int index = SensorIndex();
    const int max = scaling::RoundWhole(offset + 1000 * g);
    int min = offset;
    if (index == 0 || index == 1 || index == scaling::NoSensor) {
        SetEditInt(IDC_MIN, min);
        SetEditInt(IDC_MAX, max);
    } else if (index == 2 && m_nSensor == 2) {
        min = int(max - 800 * g);
        SetEditInt(IDC_MAX, max);
        SetEditInt(IDC_MIN, min);
    } else {
        return FALSE;
    }
    m_nCalcMax = max, m_nCalcMin = min;
    m_dCalcGain = 0, m_nGainRoundDigit = 0, m_nCalcOffset = 0;
    return TRUE;
}

scaling::GainFromRange CAnalogComparator::TakeRangeGain(int range, int sensor)
{
    const scaling::GainFromRange g = scaling::GainOfRange(range, sensor);
    WriteGain(g.gain);
    m_dCalcGain = g.gain, m_nGainRoundDigit = g.dropped;
    return g;
}

void CAnalogComparator::TakeFourToTwentyRange(int max, int min)
{
    const scaling::GainFromRange g = TakeRangeGain(max - min, 2);
    m_nCalcOffset = int(max - 1000 * g.gain);
    SetEditInt(IDC_OFFSET, m_nCalcOffset);
    SetHiddenGain(g.hundredths);
}

void CAnalogComparator::OnChangeMin()
{
    ClampEdit(IDC_MIN, kRangeLo, kRangeHi);
    if (GetFocus() != &m_editMin)
        return;
    const int min = EditInt(IDC_MIN), max = EditInt(IDC_MAX);
    if (m_nSensor == 0 || m_nSensor == 1) {
        SetEditInt(IDC_OFFSET, min);
        m_nCalcOffset = min;
        SetHiddenGain(TakeRangeGain(max - min, m_nSensor).hundredths);
    } else if (m_nSensor == 2) {
        TakeFourToTwentyRange(max, min);
    } else {
        return;
    }
    m_nCalcMax = m_nCalcMin = 0;
    SetModified(TRUE);
}

void CAnalogComparator::OnChangeMax()
{
    ClampEdit(IDC_MAX, kRangeLo, kRangeHi);
    if (GetFocus() != &m_editMax)
        return;
    const int index = SensorIndex();
    const int max = EditInt(IDC_MAX), min = EditInt(IDC_MIN), offset = EditInt(IDC_OFFSET);
    if (index == 0 || index == 1) {
        const scaling::GainFromRange g = TakeRangeGain(max - offset, index);
        m_nCalcOffset = offset;
        SetHiddenGain(g.hundredths);
    } else if (m_nSensor == 2) {
        TakeFourToTwentyRange(max, min);
    } else {
        return;
    }
    m_nCalcMax = m_nCalcMin = 0;
    SetModified(TRUE);
}

void CAnalogComparator::OnChangeValue(UINT nID)
{
    int lo = 0, hi = 0;
    ValueBounds(nID == IDC_VALUE1 ? 0 : 1, &lo, &hi);
    ClampEdit(nID, lo, hi);
    OnParamChanged();
}

void CAnalogComparator::OnChangeDecimals()
{
    ClampEdit(IDC_DECIMALS, 0, 3);
    if (GetFocus() == GetDlgItem(IDC_DECIMALS))
        UpdateDecimalsSample();
    SetModified(TRUE);
}

void CAnalogComparator::OnUnit(UINT nID)
{
    if (nID == IDC_CELSIUS || nID == IDC_FAHRENHEIT)
        m_nTempUnit = nID == IDC_FAHRENHEIT ? 1 : 0;
    else
        m_nResolution = nID == IDC_RES_01 ? 1 : 0;
    SetSensorDefaults();
    SetModified(TRUE);
}

void CAnalogComparator::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == int(IDC_GAIN_SPIN)) {
        CString text;
        text.Format(L"%5.2f", EditInt(IDC_GAIN100) * 0.01);
        m_editGain.SetWindowText(text);
    }
    CBlockPage::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CAnalogComparator::OnSelchangeSensor()
{
    const int old = m_nSensor;
    const int now = SensorIndex();
    m_nSensor = now;
    if (old == now)
        return;
    ShowScalingControls(now);
    if (now == scaling::Pt100)
        SetSensorDefaults();
    UpdateSensorLayout();
    if (old < 4)
        NormalizeScaling();
    const double gain = m_editGain.GetDouble();
    const int max = EditInt(IDC_MAX), min = EditInt(IDC_MIN), offset = EditInt(IDC_OFFSET);
    if (old == 2 && (now == 0 || now == 1)) {
        int dropped = 0;
        const int t = scaling::RoundTens(int(gain * 0.8 * 1000), &dropped);
        m_nGainRoundDigit = dropped;
        const double g = t / 1000.0;
        WriteGain(g);
        m_nCalcOffset = int(max - 1000 * g);
        SetEditInt(IDC_MIN, m_nCalcOffset);
        SetEditInt(IDC_OFFSET, m_nCalcOffset);
        SetHiddenGain(t / 10);
        NormalizeScaling();
    } else if (old == 4 && (now == 0 || now == 1)) {
        SetEditInt(IDC_MIN, offset);
    } else if ((old == 0 || old == 1) && now == 2) {
        const int t = scaling::RoundTens(int(gain * 1.25 * 1000));
        const double g = t / 1000.0;
        SetEditInt(IDC_MIN, int(max - 800 * g));
        SetEditInt(IDC_OFFSET, int(max - 1000 * g));
        m_dCalcGain = g;
        m_nCalcMax = 0;
        const double limited = ClampGain(g);
        WriteGain(limited);
        SetHiddenGain(int(limited * 1000) / 10);
        NormalizeScaling();
    } else if (old == 3 && now == 2) {
        double g = gain * 1.25;
        g = ClampGain(g);
        const int t = scaling::RoundTens(int(g * 1000));
        g = t / 1000.0;
        WriteGain(g);
        SetEditInt(IDC_OFFSET, int(min - 200 * g));
        SetEditInt(IDC_MAX, int(min + 800 * g));
        SetHiddenGain(t / 10);
    } else if (old == 4 && now == 2) {
        SetEditInt(IDC_MIN, int(max - 800 * gain));
    }
    SetModified(TRUE);
}

void CAnalogComparator::NormalizeScaling()
{
    const BOOL bWindow = GetSafeHwnd() != nullptr;
    const int index = bWindow ? SensorIndex() : m_nSensor;
    if (index == scaling::Pt100 || !bWindow)
        return;
    auto setGain = [this](double gain) {
        WriteGain(gain);
        m_dGain = gain;
        SetHiddenGain(int(gain * 1000) / 10);
        m_nGain100 = int(gain * 100);
    };
    const int max = EditInt(IDC_MAX), min = EditInt(IDC_MIN), offset = EditInt(IDC_OFFSET);
    if (m_nCalcMax < kRangeLo || m_nCalcMax > kRangeHi || m_nCalcMin < kRangeLo || m_nCalcMin > kRangeHi) {
        if (index == 2) {
            const double gain = (max - min) * 0.00125;
            setGain(gain);
            m_nOffset = int(max - 1000 * gain);
            SetEditInt(IDC_OFFSET, m_nOffset);
        } else {
            setGain((max - offset) * 0.001);
        }
        m_nCalcMax = m_nCalcMin = 0;
    }
    if (m_dCalcGain > 10 || m_dCalcGain < LowerGainBound() || m_nGainRoundDigit != 0 || m_nCalcOffset < kOffsetLo ||
        m_nCalcOffset > kOffsetHi) {
        const double gain = m_editGain.GetDouble();
        setGain(gain);
        const int off = EditInt(IDC_OFFSET);
        // The minimum the edit now shows is the one stored: a member left behind would keep a
        // minimum above the new maximum.
        if (m_nCalcOffset < kOffsetLo || m_nCalcOffset > kOffsetHi) {
            SetEditInt(IDC_MIN, off);
            m_nMin = off;
        }
        m_nMax = scaling::RoundWhole(off + 1000 * gain);
        SetEditInt(IDC_MAX, m_nMax);
        if (index == 2) {
            m_nMin = int(m_nMax - 800 * gain);
            SetEditInt(IDC_MIN, m_nMin);
        }
        m_dCalcGain = 0, m_nGainRoundDigit = 0, m_nCalcOffset = 0;
    }
}

void CAnalogComparator::OnReferenceButton(int k)
{
    m_bRef[k] = !m_bRef[k];
    if (m_bRef[k] && m_comboRef[k].GetSafeHwnd()) {
        const int sel = m_comboRef[k].GetCurSel() >= 0 ? m_comboRef[k].GetCurSel() : 0;
        m_comboRef[k].SetCurSel(sel);
        OnSelchangeReference(kRefCombo[k]);
    }
    UpdateTypeLabels();
    UpdateTabOrder();
    SetModified(TRUE);
}

void CAnalogComparator::OnSelchangeReference(UINT nID)
{
    const int k = nID == IDC_REF1_COMBO ? 0 : 1;
    const CTavixDoc* pDoc = GetDocument();
    if (m_comboRef[k].GetCurSel() < 0 || pDoc == nullptr)
        return;
    m_pRefBlock[k] = SelectedBlock(m_comboRef[k], pDoc);
    SetModified(TRUE);
}

void CAnalogComparator::OnOK()
{
    if (m_nSensor < 4)
        NormalizeScaling();
    for (int k = 0; k < 2; ++k)
        if (!m_bRef[k]) {
            if (m_comboRef[k].GetSafeHwnd() && m_comboRef[k].GetCount() > 0)
                m_comboRef[k].SetCurSel(0);
            m_pRefBlock[k] = nullptr;
        }
    CBlockPage::OnOK();
}
