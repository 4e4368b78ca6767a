// CARAMP: the page of the analog ramp (817): the sensor scaling group and two level values of
// the analog comparator page (gain without sign, levels from -10000), and the three ramp
// values: speed of change, largest output value and start/stop offset.
#pragma once

#include "pages/AnalogComparator.h"

class CARAMP : public CAnalogComparator {
public:
    CARAMP();

    int m_nSpeed = 10;             // steps per second, 1..10000
    int m_nLargestOutput = 1000;   // -10000..20000
    int m_nStartStopOffset = 0;    // 0..20000, in 100 ms

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillAnalogRecord(CAnalogParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;

    void OnUpdateSpeed();
    void OnUpdateLargestOutput();
    void OnUpdateStartStopOffset();
    DECLARE_MESSAGE_MAP()

    CIntegerEdit m_editSpeed{9}, m_editLargestOutput{9}, m_editStartStopOffset{9};
};
