// CWIFI: each mode shows its own lists; leaving a mode and coming back starts from the first
// entry of each list.
#include "pages/Wifi.h"

#include "elements/BlockWifi.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr UINT kStation = 1433, kMemory = 1434, kDiagnostic = 1112;
constexpr UINT kIdLabel = 1436, kIdList = 1435, kTypeLabel = 1372, kTypeList = 1319, kNumberLabel = 1373, kNumberList = 1550;

}  // namespace

BEGIN_MESSAGE_MAP(CWIFI, CBlockPage)
ON_CONTROL_RANGE(BN_CLICKED, 1433, 1434, OnMode)
ON_CONTROL_RANGE(BN_CLICKED, 1112, 1112, OnMode)
ON_CONTROL(CBN_SELCHANGE, 1319, OnTypeChanged)
ON_CONTROL(CBN_SELCHANGE, 1435, OnListChanged)
ON_CONTROL(CBN_SELCHANGE, 1550, OnListChanged)
END_MESSAGE_MAP()

CWIFI::CWIFI() : CBlockPage(IDD_WIFI) {}

void CWIFI::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate) {
        // Hidden lists keep their position 0; an empty list gives no -1.
        auto pos = [this](UINT id) { return std::max(0, int(SendDlgItemMessage(int(id), CB_GETCURSEL, 0, 0))); };
        m_nWifiId = pos(kIdList);
        m_nTypeIndex = pos(kTypeList);
        m_nNumberIndex = pos(kNumberList);
    }
}

void CWIFI::Show(UINT nID, BOOL bShow)
{
    if (CWnd* p = GetDlgItem(int(nID)))
        p->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CWIFI::Fill(UINT nID, const wchar_t* prefix, int nFirst, int nCount, int nSelect)
{
    SendDlgItemMessage(int(nID), CB_RESETCONTENT, 0, 0);
    for (int k = 0; k < nCount; ++k) {
        CString text;
        text.Format(L"%s%d", prefix, nFirst + k);
        SendDlgItemMessage(int(nID), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    }
    SendDlgItemMessage(int(nID), CB_SETCURSEL, WPARAM(nSelect), 0);
}

void CWIFI::FillNumbers(int nTypeIndex, int nSelect)
{
    const BOOL bRead = m_nBlockType == 824 || m_nBlockType == 826;
    const BOOL bAnalog = m_nBlockType == 826 || m_nBlockType == 827;
    const int type = bRead ? nTypeIndex : 1;
    if (type == 0)
        Fill(kNumberList, bAnalog ? L"AI" : L"I", 0, bAnalog ? 8 : 32, nSelect);
    else if (type == 1)
        Fill(kNumberList, bAnalog ? L"AQ" : L"Q", 0, bAnalog ? 4 : 16, nSelect);
    else
        Fill(kNumberList, L"", 0, 0, -1);
}

void CWIFI::InitPage()
{
    const BOOL bWrite = m_nBlockType == 825 || m_nBlockType == 827;
    const BOOL bAnalog = m_nBlockType == 826 || m_nBlockType == 827;
    CString text;
    if (bWrite) {
        text.LoadString(IDS_WIFI_WRITE_TO);
        SetDlgItemText(1437, text);
    }
    if (bAnalog)
        SetDlgItemText(kMemory, L"VAM");
    if (m_nBlockType != 824)
        Show(kDiagnostic, FALSE);
    if (m_nMode == 2 && m_nBlockType != 824) {
        // Only the digital read block watches a station's status.
        m_nMode = 0;
        m_nWifiId = m_nTypeIndex = m_nNumberIndex = 0;
    }
    const UINT radio = m_nMode == 1 ? kMemory : (m_nMode == 2 ? kDiagnostic : kStation);
    OnMode(radio);
    SetModified(FALSE);
}

void CWIFI::OnMode(UINT nID)
{
    const int mode = nID == kStation ? 0 : (nID == kMemory ? 1 : 2);
    if (mode != m_nMode)
        m_nWifiId = m_nTypeIndex = m_nNumberIndex = 0;
    m_nMode = mode;
    CheckDlgButton(kStation, mode == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kMemory, mode == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kDiagnostic, mode == 2 ? BST_CHECKED : BST_UNCHECKED);
    const BOOL bRead = m_nBlockType == 824 || m_nBlockType == 826;
    const BOOL bAnalog = m_nBlockType == 826 || m_nBlockType == 827;
    CString label;
    label.LoadString(mode == 2 ? IDS_WIFI_DIAGNOSTIC_TYPE : IDS_WIFI_BLOCK_TYPE);
    SetDlgItemText(kTypeLabel, label);
    if (mode == 0) {
        for (UINT id : {kIdLabel, kIdList, kTypeLabel, kTypeList, kNumberLabel, kNumberList})
            Show(id, TRUE);
        Fill(kIdList, L"", 1, 7, m_nWifiId);
        SendDlgItemMessage(kTypeList, CB_RESETCONTENT, 0, 0);
        std::vector<UINT> types;
        if (bRead)
            types = {bAnalog ? UINT(IDS_WIFI_ANALOG_INPUT) : UINT(IDS_WIFI_INPUT), bAnalog ? UINT(IDS_WIFI_ANALOG_OUTPUT) : UINT(IDS_WIFI_OUTPUT)};
        else
            types = {bAnalog ? UINT(IDS_WIFI_ANALOG_OUTPUT) : UINT(IDS_WIFI_OUTPUT)};
        for (UINT id : types) {
            CString item;
            item.LoadString(id);
            SendDlgItemMessage(kTypeList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
        }
        SendDlgItemMessage(kTypeList, CB_SETCURSEL, WPARAM(m_nTypeIndex), 0);
        FillNumbers(m_nTypeIndex, m_nNumberIndex);
    } else if (mode == 1) {
        Show(kTypeLabel, FALSE), Show(kTypeList, FALSE), Show(kNumberLabel, TRUE), Show(kNumberList, TRUE);
        Show(kIdLabel, bRead), Show(kIdList, bRead);
        if (bRead)
            Fill(kIdList, L"", 0, 8, m_nWifiId);
        Fill(kNumberList, bAnalog ? L"VAM" : L"VM", 0, 32, m_nNumberIndex);
    } else {
        Show(kIdLabel, FALSE), Show(kIdList, FALSE), Show(kNumberLabel, FALSE), Show(kNumberList, FALSE);
        Show(kTypeLabel, TRUE), Show(kTypeList, TRUE);
        CString format;
        format.LoadString(IDS_WIFI_STATUS);
        SendDlgItemMessage(kTypeList, CB_RESETCONTENT, 0, 0);
        for (int k = 1; k <= 7; ++k) {
            CString item;
            item.Format(format.GetString(), k);
            SendDlgItemMessage(kTypeList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
        }
        SendDlgItemMessage(kTypeList, CB_SETCURSEL, WPARAM(m_nTypeIndex), 0);
    }
    SetModified(TRUE);
}

void CWIFI::OnTypeChanged()
{
    const int pos = int(SendDlgItemMessage(kTypeList, CB_GETCURSEL, 0, 0));
    if (m_nMode == 0 && pos != m_nTypeIndex) {
        FillNumbers(pos, 0);
        m_nTypeIndex = pos;
    } else if (m_nMode == 2) {
        m_nTypeIndex = pos;
    }
    SetModified(TRUE);
}

void CWIFI::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    if (const auto* p = dynamic_cast<const CBlockWIFI*>(&block)) {
        m_nMode = p->m_nWifiSource >= 0 && p->m_nWifiSource <= 2 ? p->m_nWifiSource : 0;
        m_nWifiId = std::max(0, p->m_nWifiId);
        m_nTypeIndex = std::max(0, p->m_nWifiBlockType);
        m_nNumberIndex = std::max(0, p->m_nWifiBlockNumber);
    }
}


void CWIFI::FillMiscRecord(CMiscParamRecord& record) const
{
    record.nMisc2 = m_nMode;
    record.nWifi[0] = m_nWifiId;
    record.nWifi[1] = m_nTypeIndex;
    record.nWifi[2] = m_nNumberIndex;
}
