// CAstroClock: the page of the astronomical clock 412: the place on earth (longitude and
// latitude in degrees, minutes and seconds, and the time zone), chosen from the city list of
// the shell or typed; the user's own cities are saved, updated and removed here.
#pragma once

#include "pages/BlockPage.h"

// The longest city name: the width of the name field of the city file.
constexpr int kMaxCityName = 25;

class CAstroClock : public CBlockPage {
public:
    CAstroClock();

    int m_nCity = 0;
    CString m_strCityName;
    int m_nEastWest = 0, m_nLonDeg = 0, m_nLonMin = 0, m_nLonSec = 0;
    int m_nNorthSouth = 0, m_nLatDeg = 0, m_nLatMin = 0, m_nLatSec = 0;
    int m_nTimeZone = 0;

    void FillFromBlock(const CBlockObj& block, const CTavixDoc& doc, bool bSimulating) override;
    void FillTimeRecord(CTimeParamRecord& record) const override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void InitPage() override;

    void FillCityList();
    // Shows the controls of the selected entry's kind; with bLoad its values come into them.
    void ApplyCityState(BOOL bLoad);
    void OnCitySelected();
    void OnSaveClicked();
    void OnRemoveClicked();
    void OnAstroChanged();
    void OnModified() { SetModified(TRUE); }
    // Degrees at their maximum take no minutes or seconds; others hold them to 59.
    void ClampAngle(UINT nDeg, int nMax, UINT nMin, UINT nSec);
    int ListPosition(UINT nID) const;
    DECLARE_MESSAGE_MAP()
};
