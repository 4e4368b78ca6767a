// CAstroClock: built-in cities are read-only, user cities editable; a name that does not fit
// the city file is refused, never cut.
#include "pages/AstroClock.h"

#include "elements/BlockObj.h"
#include "pages/ParamRecords.h"
#include "resources/resource.h"
#include "shell/CityTable.h"

#include "platform/ui/controls/CommCtrlUpDown.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr UINT kCityList = 1565, kName = 1006, kNameLabel = 1275, kSave = 1268, kRemove = 1267;
constexpr UINT kEastWest = 1557, kNorthSouth = 1564, kTimeZone = 1270;
constexpr UINT kLonDeg = 1271, kLonMin = 1272, kLonSec = 1555, kLatDeg = 1558, kLatMin = 1560, kLatSec = 1562;
constexpr UINT kCoordinates[] = {kEastWest, kLonDeg, kLonMin, kLonSec, kNorthSouth, kLatDeg, kLatMin, kLatSec, kTimeZone};

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAstroClock, CBlockPage)
ON_CONTROL(CBN_SELCHANGE, 1565, OnCitySelected)
ON_CONTROL(BN_CLICKED, 1268, OnSaveClicked)
ON_CONTROL(BN_CLICKED, 1267, OnRemoveClicked)
ON_CONTROL(BN_CLICKED, 1269, OnAstroChanged)
ON_CONTROL(EN_CHANGE, 1006, OnAstroChanged)
ON_CONTROL(EN_CHANGE, 1271, OnAstroChanged)
ON_CONTROL(EN_CHANGE, 1558, OnAstroChanged)
ON_CONTROL(CBN_SELCHANGE, 1557, OnAstroChanged)
ON_CONTROL(CBN_SELCHANGE, 1564, OnAstroChanged)
ON_CONTROL(CBN_SELCHANGE, 1270, OnAstroChanged)
ON_CONTROL(EN_CHANGE, 1272, OnModified)
ON_CONTROL(EN_CHANGE, 1555, OnModified)
ON_CONTROL(EN_CHANGE, 1560, OnModified)
ON_CONTROL(EN_CHANGE, 1562, OnModified)
END_MESSAGE_MAP()

CAstroClock::CAstroClock() : CBlockPage(IDD_ASTRO_CLOCK) {}

int CAstroClock::ListPosition(UINT nID) const
{
    return int(const_cast<CAstroClock*>(this)->SendDlgItemMessage(int(nID), CB_GETCURSEL, 0, 0));
}

void CAstroClock::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(kTimeZone, CB_GETCOUNT, 0, 0) == 0) {
        auto add = [this](UINT id, const CString& text) {
            SendDlgItemMessage(int(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        };
        add(kEastWest, L"E"), add(kEastWest, L"W"), add(kNorthSouth, L"N"), add(kNorthSouth, L"S");
        for (int k = 0; k < 24; ++k) {
            CString zone;
            zone.Format(L"GMT(%+d)", k <= 12 ? k : 12 - k);
            add(kTimeZone, zone);
        }
        FillCityList();
    }
    CBlockPage::DoDataExchange(pDX);
    // Minutes and seconds are 0 at 180 degrees of longitude and at 90 of latitude.
    DDX_Text(pDX, kLonDeg, m_nLonDeg);
    DDV_MinMaxInt(pDX, m_nLonDeg, 0, 180);
    const int lonMax = m_nLonDeg < 180 ? 59 : 0;
    DDX_Text(pDX, kLonMin, m_nLonMin);
    DDV_MinMaxInt(pDX, m_nLonMin, 0, lonMax);
    DDX_Text(pDX, kLonSec, m_nLonSec);
    DDV_MinMaxInt(pDX, m_nLonSec, 0, lonMax);
    DDX_Text(pDX, kLatDeg, m_nLatDeg);
    DDV_MinMaxInt(pDX, m_nLatDeg, 0, 90);
    const int latMax = m_nLatDeg < 90 ? 59 : 0;
    DDX_Text(pDX, kLatMin, m_nLatMin);
    DDV_MinMaxInt(pDX, m_nLatMin, 0, latMax);
    DDX_Text(pDX, kLatSec, m_nLatSec);
    DDV_MinMaxInt(pDX, m_nLatSec, 0, latMax);
    DDX_CBIndex(pDX, kCityList, m_nCity);
    DDX_CBIndex(pDX, kEastWest, m_nEastWest);
    DDX_CBIndex(pDX, kNorthSouth, m_nNorthSouth);
    DDX_Text(pDX, kName, m_strCityName);
    DDV_MaxChars(pDX, m_strCityName, kMaxCityName);
    DDX_CBIndex(pDX, kTimeZone, m_nTimeZone);
    DDX_Check(pDX, 1269, m_bProtection);
}

void CAstroClock::InitPage()
{
    SendDlgItemMessage(1273, UDM_SETRANGE32, 0, 180);
    SendDlgItemMessage(1559, UDM_SETRANGE32, 0, 90);
    for (UINT spin : {1274u, 1556u, 1561u, 1563u})
        SendDlgItemMessage(int(spin), UDM_SETRANGE32, 0, 59);
    CString degree;
    degree.Format(L"%c", 176);
    SetDlgItemText(1184, degree);
    SetDlgItemText(1188, degree);
    SetDlgItemText(1189, L"\"");
    SetDlgItemText(1190, L"\"");
    SendDlgItemMessage(kLonDeg, EM_LIMITTEXT, 3, 0);
    for (UINT id : {kLonMin, kLonSec, kLatDeg, kLatMin, kLatSec})
        SendDlgItemMessage(int(id), EM_LIMITTEXT, 2, 0);
    ApplyCityState(FALSE);
}

void CAstroClock::FillCityList()
{
    if (g_arrAstroCities.GetSize() < kBuiltInCities)
        ResetCityTable(g_arrAstroCities);
    SendDlgItemMessage(kCityList, CB_RESETCONTENT, 0, 0);
    m_nCity = 0;
    for (int i = 0; i < int(g_arrAstroCities.GetSize()); ++i) {
        const CString& name = g_arrAstroCities[i].m_strName;
        SendDlgItemMessage(kCityList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
        if (name == m_strCityName)
            m_nCity = i;
    }
    SendDlgItemMessage(kCityList, CB_SETCURSEL, WPARAM(m_nCity), 0);
}

void CAstroClock::ApplyCityState(BOOL bLoad)
{
    const int p = ListPosition(kCityList);
    auto show = [this](UINT id, BOOL b) {
        if (CWnd* w = GetDlgItem(int(id)))
            w->ShowWindow(b ? SW_SHOW : SW_HIDE);
    };
    const BOOL bUser = p >= kBuiltInCities, bBuiltIn = p >= 1 && p < kBuiltInCities;
    show(kRemove, bUser);
    show(kNameLabel, p == 0);
    show(kName, p == 0);
    show(kSave, !bBuiltIn);
    SetDlgItemText(kSave, LoadText(bUser ? IDS_ASTRO_UPDATE : IDS_ASTRO_SAVE));
    for (UINT id : kCoordinates)
        if (CWnd* w = GetDlgItem(int(id)))
            w->EnableWindow(!bBuiltIn);
    if (!bLoad || p < 0 || p >= int(g_arrAstroCities.GetSize()))
        return;
    const CCityRecord& r = g_arrAstroCities[p];
    if (p > 0)
        SetDlgItemText(kName, r.m_strName);
    SendDlgItemMessage(kEastWest, CB_SETCURSEL, WPARAM(r.m_nEastWest), 0);
    SetDlgItemInt(kLonDeg, UINT(r.m_nLongDeg), FALSE);
    SetDlgItemInt(kLonMin, UINT(r.m_nLongMin), FALSE);
    SetDlgItemInt(kLonSec, UINT(r.m_nLongSec), FALSE);
    SendDlgItemMessage(kNorthSouth, CB_SETCURSEL, WPARAM(r.m_nNorthSouth), 0);
    SetDlgItemInt(kLatDeg, UINT(r.m_nLatDeg), FALSE);
    SetDlgItemInt(kLatMin, UINT(r.m_nLatMin), FALSE);
    SetDlgItemInt(kLatSec, UINT(r.m_nLatSec), FALSE);
    SendDlgItemMessage(kTimeZone, CB_SETCURSEL, WPARAM(r.m_nTimeZone), 0);
}

void CAstroClock::OnCitySelected()
{
    ApplyCityState(TRUE);
    SetModified(TRUE);
}

void CAstroClock::ClampAngle(UINT nDeg, int nMax, UINT nMin, UINT nSec)
{
    BOOL bOk = FALSE;
    const int deg = int(GetDlgItemInt(int(nDeg), &bOk, FALSE));
    if (bOk && deg < nMax) {
        for (UINT id : {nMin, nSec}) {
            const int v = int(GetDlgItemInt(int(id), &bOk, FALSE));
            if (bOk && v >= 60)
                SetDlgItemInt(int(id), 59, FALSE);
        }
        return;
    }
    SetDlgItemInt(int(nDeg), UINT(nMax), FALSE);
    SetDlgItemInt(int(nMin), 0, FALSE);
    SetDlgItemInt(int(nSec), 0, FALSE);
}

void CAstroClock::OnSaveClicked()
{
    CString name;
    GetDlgItemText(kName, name);
    name.TrimRight(L' ');
    SetDlgItemText(kName, name);
    if (name.IsEmpty()) {
        AfxMessageBox(LoadText(IDS_ASTRO_ENTER_LOCATION), MB_ICONHAND);
        return;
    }
    CString button;
    GetDlgItemText(kSave, button);
    const BOOL bSave = button == LoadText(IDS_ASTRO_SAVE);
    if (bSave) {
        // The city file keeps 25 characters of a name: a longer one is refused, not cut.
        if (name.GetLength() > kMaxCityName) {
            AfxMessageBox(LoadText(IDS_ASTRO_NAME_TOO_LONG), MB_ICONHAND);
            return;
        }
        for (int i = 0; i < int(g_arrAstroCities.GetSize()); ++i)
            if (g_arrAstroCities[i].m_strName.CompareNoCase(name) == 0) {
                AfxMessageBox(LoadText(i == 0 ? IDS_ASTRO_ENTER_LOCATION : IDS_ASTRO_CITY_EXISTS), MB_ICONHAND);
                return;
            }
    }
    ClampAngle(kLonDeg, 180, kLonMin, kLonSec);
    ClampAngle(kLatDeg, 90, kLatMin, kLatSec);
    BOOL bOk = FALSE;
    auto value = [&](UINT id) { return int(GetDlgItemInt(int(id), &bOk, FALSE)); };
    auto fill = [&](CCityRecord& r) {
        r.m_nEastWest = std::max(0, ListPosition(kEastWest));
        r.m_nLongDeg = value(kLonDeg), r.m_nLongMin = value(kLonMin), r.m_nLongSec = value(kLonSec);
        r.m_nNorthSouth = std::max(0, ListPosition(kNorthSouth));
        r.m_nLatDeg = value(kLatDeg), r.m_nLatMin = value(kLatMin), r.m_nLatSec = value(kLatSec);
        r.m_nTimeZone = std::max(0, ListPosition(kTimeZone));
    };
    if (bSave) {
        CCityRecord r;
        r.m_strName = name;
        fill(r);
        g_arrAstroCities.Add(r);
        const int pos = int(SendDlgItemMessage(kCityList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString())));
        SendDlgItemMessage(kCityList, CB_SETCURSEL, WPARAM(pos), 0);
        AfxMessageBox(LoadText(IDS_ASTRO_SAVED));
        ApplyCityState(FALSE);
    } else {
        const int p = ListPosition(kCityList);
        if (p >= kBuiltInCities && p < int(g_arrAstroCities.GetSize()))
            fill(g_arrAstroCities[p]);  // the record keeps its name
        AfxMessageBox(LoadText(IDS_ASTRO_SAVED));
    }
    SetModified(TRUE);
}

void CAstroClock::OnRemoveClicked()
{
    const int p = ListPosition(kCityList);
    if (p < kBuiltInCities || p >= int(g_arrAstroCities.GetSize()))
        return;
    g_arrAstroCities.RemoveAt(p);
    SendDlgItemMessage(kCityList, CB_DELETESTRING, WPARAM(p), 0);
    // The entry shown next is loaded too, so the page never shows one city's name with another's
    // place.
    const int last = int(g_arrAstroCities.GetSize()) - 1;
    SendDlgItemMessage(kCityList, CB_SETCURSEL, WPARAM(last), 0);
    ApplyCityState(TRUE);
    SetModified(TRUE);
}

void CAstroClock::OnAstroChanged()
{
    CWnd* pFocus = GetFocus();
    const int focus = pFocus ? pFocus->GetDlgCtrlID() : 0;
    BOOL bOk = FALSE;
    if (focus == int(kLonDeg) || focus == int(kLatDeg)) {
        const BOOL bLon = focus == int(kLonDeg);
        const int deg = int(GetDlgItemInt(focus, &bOk, FALSE));
        const UINT minId = bLon ? kLonMin : kLatMin, secId = bLon ? kLonSec : kLatSec;
        if (bOk && deg == (bLon ? 180 : 90) &&
            (GetDlgItemInt(int(minId), nullptr, FALSE) != 0 || GetDlgItemInt(int(secId), nullptr, FALSE) != 0)) {
            SetDlgItemInt(int(minId), 0, FALSE);
            SetDlgItemInt(int(secId), 0, FALSE);
            SetModified(TRUE);
            return;
        }
    }
    OnParamChanged();
}

void CAstroClock::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_nCity = block.m_nTime1Base;
    m_strCityName = block.m_strParam;
    m_nEastWest = block.m_nTime1High, m_nNorthSouth = block.m_nTime1Low;
    m_nLonDeg = block.m_nTime2High, m_nLatDeg = block.m_nTime2Low;
    m_nLonMin = block.m_nPreWarn[1], m_nLatMin = block.m_nPreWarn[0];
    m_nLonSec = block.m_nPreWarn[3], m_nLatSec = block.m_nPreWarn[2];
    m_nTimeZone = block.m_nTime2Base;
}


void CAstroClock::FillTimeRecord(CTimeParamRecord& record) const
{
    record.bProtection = m_bProtection;
    record.strParam = m_strCityName;
    record.nTime1Base = m_nCity;
    record.nTime1High = m_nEastWest, record.nTime1Low = m_nNorthSouth;
    record.nTime2High = m_nLonDeg, record.nTime2Low = m_nLatDeg, record.nTime2Base = m_nTimeZone;
    record.nExtra[0] = m_nLatMin, record.nExtra[1] = m_nLonMin, record.nExtra[2] = m_nLatSec, record.nExtra[3] = m_nLonSec;
}
