// CAVGVAL: the page of the average value block (822): how often it samples (a time and its unit)
// and over how many samples it averages.
#pragma once

#include "pages/BlockPage.h"

constexpr UINT IDC_AVGVAL_TIME = 1283;
constexpr UINT IDC_AVGVAL_SAMPLES = 1284;
constexpr UINT IDC_AVGVAL_TIME_SPIN = 1285;
constexpr UINT IDC_AVGVAL_SAMPLES_SPIN = 1286;
constexpr UINT IDC_AVGVAL_REFERENCE = 1287;
constexpr UINT IDC_AVGVAL_UNIT = 1288;
constexpr UINT IDC_AVGVAL_RETENTIVITY = 1276;
constexpr UINT IDC_AVGVAL_PROTECTION = 1269;

// Units of the sampling time, in the order of the list.
enum AvgValUnit { kAvgDays = 0, kAvgHours, kAvgMinutes, kAvgSeconds };

// The largest sampling time of a unit.
int AvgValMaxTime(int nUnit);
// The most samples a sampling time allows: never more than one per 10 ms of the time, never
// more than 32767.
int AvgValMaxSamples(int nUnit, int nTime);

class CAVGVAL : public CBlockPage {
public:
    CAVGVAL();

    int m_nSamples = 1;
    int m_nSamplingTime = 1;
    int m_nTimeUnit = 0;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;

    int CurrentUnit() const;
    // Limits and clamps both values for the unit chosen in the list.
    void ApplyUnit();
    // Holds the number of samples within what sampling time t allows.
    void ClampSamples(int t);
    void OnUnitSelected();
    void OnTimeUpdate();
    void OnSamplesUpdate();
    void OnChanged() { OnParamChanged(); }
    DECLARE_MESSAGE_MAP()

    CComboBox m_cbUnit;
};
