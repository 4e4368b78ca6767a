// CAnalogComparator: the page of the analog comparator, threshold trigger, amplifier, watchdog
// and differential trigger (803-807): the sensor scaling group (sensor, measuring range, gain,
// offset, PT100 unit and resolution), two level values that may come from other blocks, and the
// decimals of the value in message texts.
#pragma once

#include "controls/NumericEdit.h"
#include "pages/BlockPage.h"
#include "pages/SensorScaling.h"

#include <map>

class CAnalogComparator : public CBlockPage {
public:
    CAnalogComparator();

    // Range, gain and offset made to agree (a rounded gain moves the maximum, a clamped range
    // or gain is recomputed from what the edits hold). Run by OK and by Apply below sensor 4.
    void NormalizeScaling();
    BOOL IsNewMachine() const;

    int m_nSensor = 0;
    int m_nMin = 0;
    int m_nMax = 1000;
    double m_dGain = 1.0;
    int m_nGain100 = 0;
    int m_nOffset = 0;
    int m_nValue1 = 0;
    int m_nValue2 = 0;
    int m_nDecimals = 0;
    int m_nTempUnit = 0;
    int m_nResolution = 1;
    int m_nActualValue = 0;     // the block's running values, carried through the page
    int m_nCapturedValue = 0;
    int m_bRef[2] = {};         // level value k comes from the block below
    CBlockObj* m_pRefBlock[2] = {};

protected:
    // Pages that share the scaling group and the level rows with their own template.
    explicit CAnalogComparator(UINT nIDTemplate);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;
    void AddTips() override;
    void OnOK() override;

    BOOL IsRamp() const { return m_nBlockType == 817; }
    // Bounds of level value k (0 or 1): typing beyond them is cut, the exchange refuses them.
    virtual void ValueBounds(int k, int* pLo, int* pHi) const;
    // Whether the run-time block lists of the level values get the document's blocks.
    virtual BOOL FillsReferenceLists() const;
    // Shows or hides the Retentivity check (the Protection check takes its place when hidden).
    virtual void PlaceRetentivity();
    int LowerValueBound() const { return m_nBlockType == 806 ? 0 : IsRamp() ? -10000 : -20000; }
    // The ramp's gain has no sign.
    double LowerGainBound() const { return IsRamp() ? 0.0 : -10.0; }
    double ClampGain(double g) const { return g > 10 ? 10 : g < LowerGainBound() ? LowerGainBound() : g; }
    int SensorIndex() const;
    int EditInt(UINT nID) const;
    void SetEditInt(UINT nID, int value);
    void WriteGain(double gain);
    void SetHiddenGain(int hundredths);
    void SetSensorDefaults();
    void SaveSensorLayout();
    void UpdateSensorLayout();
    void UpdateTypeLabels();
    void UpdateDecimalsSample();
    void CreateReferenceCombos();
    void FillReferenceCombos();
    void UpdateTabOrder();
    void ShowScalingControls(int nSensor);
    // Clamps the text of an edit into a range; TRUE when it was changed.
    BOOL ClampEdit(UINT nID, int nMin, int nMax);

    void OnSelchangeSensor();
    void OnUnit(UINT nID);
    void OnChangeGain();
    void OnChangeOffset();
    // Minimum and maximum from the gain and offset, where the sensor has them so; FALSE where
    // it has not.
    BOOL RangeFromGain(double g, int offset);
    // The gain a measuring range gives, written into the gain edit as the working gain.
    scaling::GainFromRange TakeRangeGain(int range, int sensor);
    // 4..20 mA: the gain of the range, and the offset that follows from it and the maximum.
    void TakeFourToTwentyRange(int max, int min);
    void OnChangeMin();
    void OnChangeMax();
    void OnChangeValue(UINT nID);
    void OnChangeValue1() { OnChangeValue(1023); }
    void OnChangeValue2() { OnChangeValue(1026); }
    void OnChangeDecimals();
    void OnReference1() { OnReferenceButton(0); }
    void OnReference2() { OnReferenceButton(1); }
    void OnReferenceButton(int k);
    void OnSelchangeReference(UINT nID);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

protected:
    CNumericEdit m_editGain{9, 4};
    CIntegerEdit m_editMax{9}, m_editMin{9}, m_editOffset{9}, m_editValue1{9}, m_editValue2{9};
    CComboBox m_comboRef[2];
    CComboBox m_cbSensor;
    // Working values of the scaling, not stored in the block.
    int m_nCalcMax = 0, m_nCalcMin = 0, m_nGainRoundDigit = 0, m_nCalcOffset = 0;
    double m_dCalcGain = 0.0;
    std::map<UINT, CRect> m_layout;  // recorded rectangles of the range and parameter controls
    BOOL m_bRangeTips = FALSE;
};
