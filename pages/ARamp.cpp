// CARAMP: the ramp values with their clamps while typing; everything else is the analog
// comparator page's, which knows the ramp's bounds by its type.
#include "pages/ARamp.h"

#include "elements/BlockObj.h"
#include "resources/resource.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

enum : UINT { IDC_SPEED = 1029, IDC_SPEED_SPIN = 1030, IDC_LARGEST = 1031, IDC_LARGEST_SPIN = 1032,
              IDC_START_STOP = 1033, IDC_START_STOP_SPIN = 1034 };

constexpr int kSpeedLo = 1, kSpeedHi = 10000, kLargestLo = -10000, kLargestHi = 20000, kOffsetLo = 0,
              kOffsetHi = 20000;

}  // namespace

BEGIN_MESSAGE_MAP(CARAMP, CAnalogComparator)
ON_CONTROL(EN_CHANGE, IDC_SPEED, OnUpdateSpeed)
ON_CONTROL(EN_CHANGE, IDC_LARGEST, OnUpdateLargestOutput)
ON_CONTROL(EN_CHANGE, IDC_START_STOP, OnUpdateStartStopOffset)
END_MESSAGE_MAP()

CARAMP::CARAMP() : CAnalogComparator(IDD_ARAMP) {}

void CARAMP::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_nSpeed = block.m_nTime1High;
    m_nLargestOutput = block.m_nTime2High;
    m_nStartStopOffset = block.m_nPreWarn[1];
}


void CARAMP::FillAnalogRecord(CAnalogParamRecord& record) const
{
    record.nXYZ[0] = m_nSpeed;
    record.nXYZ[1] = m_nLargestOutput;
    record.nXYZ[2] = m_nStartStopOffset;
}

void CARAMP::DoDataExchange(CDataExchange* pDX)
{
    CAnalogComparator::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPEED, m_nSpeed);
    DDV_MinMaxInt(pDX, m_nSpeed, kSpeedLo, kSpeedHi);
    DDX_Text(pDX, IDC_LARGEST, m_nLargestOutput);
    DDV_MinMaxInt(pDX, m_nLargestOutput, kLargestLo, kLargestHi);
    DDX_Text(pDX, IDC_START_STOP, m_nStartStopOffset);
    DDV_MinMaxInt(pDX, m_nStartStopOffset, kOffsetLo, kOffsetHi);
    DDX_Control(pDX, IDC_SPEED, m_editSpeed);
    DDX_Control(pDX, IDC_LARGEST, m_editLargestOutput);
    DDX_Control(pDX, IDC_START_STOP, m_editStartStopOffset);
}

void CARAMP::InitPage()
{
    CAnalogComparator::InitPage();
    m_editGain.ModifyFlags(CEditBehavior::NoNegative, 0);
    m_editSpeed.SetMaxWholeDigits(5);
    m_editLargestOutput.SetMaxWholeDigits(5);
    m_editStartStopOffset.SetMaxWholeDigits(5);
    m_editSpeed.ModifyFlags(CEditBehavior::NoNegative, 0);
    m_editStartStopOffset.ModifyFlags(CEditBehavior::NoNegative, 0);
    auto spin = [this](UINT nID, int lo, int hi) { SendDlgItemMessage(int(nID), UDM_SETRANGE32, WPARAM(lo), LPARAM(hi)); };
    spin(IDC_SPEED_SPIN, kSpeedLo, kSpeedHi);
    spin(IDC_LARGEST_SPIN, kLargestLo, kLargestHi);
    spin(IDC_START_STOP_SPIN, kOffsetLo, kOffsetHi);
}

void CARAMP::AddTips()
{
    CAnalogComparator::AddTips();
    AddRangeTip(IDC_LARGEST, kLargestLo, kLargestHi);
    AddRangeTip(IDC_SPEED, kSpeedLo, kSpeedHi);
    AddRangeTip(IDC_START_STOP, kOffsetLo, kOffsetHi);
}

void CARAMP::OnUpdateSpeed()
{
    ClampEdit(IDC_SPEED, kSpeedLo, kSpeedHi);
    SetModified(TRUE);
}

void CARAMP::OnUpdateLargestOutput()
{
    ClampEdit(IDC_LARGEST, kLargestLo, kLargestHi);
    SetModified(TRUE);
}

void CARAMP::OnUpdateStartStopOffset()
{
    ClampEdit(IDC_START_STOP, kOffsetLo, kOffsetHi);
    SetModified(TRUE);
}
