#include "msgtext/MsgTextSettingDlg.h"

#include "document/TavixDoc.h"
#include "elements/BlockMSGTEXT.h"
#include "msgtext/MsgTextLists.h"
#include "platform/ui/controls/CtlCommCtrl.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"

#include <cwchar>

namespace {
constexpr int kIdSet1 = 1339;
constexpr int kIdSet2 = 1340;
constexpr int kIdDefault1 = 1380;
constexpr int kIdDesc1 = 1382;
constexpr int kIdDesc2 = 1383;
constexpr int kIdCharTicker = 1336;
constexpr int kIdCharSpin = 1337;
constexpr int kIdLineTicker = 1551;
constexpr int kIdScope = 1338;
constexpr int kIdFilter = 1283;
constexpr int kIdFilterSpin = 1285;
const wchar_t* const kCharSetNames[3] = {L"SC", L"TC", L"Others"};
const wchar_t* const kScopeTimes[5] = {L"100", L"200", L"400", L"800", L"1000"};
} // namespace

BEGIN_MESSAGE_MAP(CMsgTextSettingDlg, CDialog)
    ON_CONTROL(EN_CHANGE, kIdCharTicker, OnCharTickerChange)
    ON_CONTROL_RANGE(CBN_SELCHANGE, kIdSet1, kIdSet2, OnCharSetChange)
    ON_NOTIFY(UDN_DELTAPOS, kIdCharSpin, OnCharSpin)
END_MESSAGE_MAP()

CMsgTextSettingDlg::CMsgTextSettingDlg(CTavixDoc* pDoc, CWnd* pParent)
    : CDialog(IDD_MT_SETTINGS, pParent), m_pDoc(pDoc)
{
}

void CMsgTextSettingDlg::LoadFromDocument()
{
    if (!m_pDoc)
        return;
    m_nCharSet1 = m_nOpenCharSet1 = m_pDoc->m_nTextSet1;
    m_nCharSet2 = m_nOpenCharSet2 = m_pDoc->m_nTextSet2;
    m_nDefaultSet = m_pDoc->m_nTextSetting;
    m_nCharTicker = UINT(m_pDoc->m_nTextTime1);
    m_nLineTicker = UINT(m_pDoc->m_nTextTime2);
    m_nScopeIndex = m_pDoc->m_nScanTime;
    m_nFilter = m_pDoc->m_nAnalogFilter;
}

void CMsgTextSettingDlg::StoreToDocument() const
{
    if (!m_pDoc)
        return;
    m_pDoc->m_nTextSet1 = m_nCharSet1;
    m_pDoc->m_nTextSet2 = m_nCharSet2;
    m_pDoc->m_nTextSetting = m_nDefaultSet;
    m_pDoc->m_nTextTime1 = int(m_nCharTicker);
    m_pDoc->m_nTextTime2 = int(m_nLineTicker);
    m_pDoc->m_nScanTime = m_nScopeIndex;
    m_pDoc->m_nAnalogFilter = m_nFilter;
}

int CMsgTextSettingDlg::LineTickerOf(int v)
{
    const long long line = 10LL * (v - v % 100);
    if (line < 999)
        return 1000;
    if (line > 99998 && line != 100000)
        return 100000;
    return int(line);
}

void CMsgTextSettingDlg::StripWideCharacters(CTavixDoc* pDoc, int nSet)
{
    if (!pDoc)
        return;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = dynamic_cast<CBlockMSGTEXT*>(pDoc->m_blocks.GetNext(pos));
        if (!p)
            continue;
        CString* cells = nSet == 0 ? p->m_astrCells1 : p->m_astrCells2;
        for (int r = 1; r < CBlockMSGTEXT::kRows; ++r)
            for (int c = 1; c < CBlockMSGTEXT::kColumns; ++c) {
                CString& cell = cells[CBlockMSGTEXT::CellIndex(r, c)];
                if (!cell.IsEmpty() && cell[0] >= 0x80)
                    cell.Empty();
            }
    }
}

void CMsgTextSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, kIdSet1, m_nCharSet1);
    DDX_CBIndex(pDX, kIdSet2, m_nCharSet2);
    DDX_Radio(pDX, kIdDefault1, m_nDefaultSet);
    DDX_CBIndex(pDX, kIdScope, m_nScopeIndex);
    DDX_Text(pDX, kIdFilter, m_nFilter);
    DDV_MinMaxInt(pDX, m_nFilter, 5, 50000);
    DDX_Text(pDX, kIdCharTicker, m_nCharTicker);
    DDV_MinMaxUInt(pDX, m_nCharTicker, 100, 10000);
    if (pDX->m_bSaveAndValidate && m_nCharTicker % 100 != 0) {
        MessageBox(msgtext::Res(IDS_MT_TICKER_INTERVAL), nullptr, MB_OK | MB_ICONWARNING);
        pDX->PrepareEditCtrl(kIdCharTicker);
        pDX->Fail();
    }
    DDX_Text(pDX, kIdLineTicker, m_nLineTicker);
    DDV_MinMaxUInt(pDX, m_nLineTicker, 1000, 100000);
}

BOOL CMsgTextSettingDlg::OnInitDialog()
{
    // The lists are filled before the base exchange selects their entries.
    for (int id : {kIdSet1, kIdSet2}) {
        ::SendMessageW(::GetDlgItem(m_hWnd, id), CB_RESETCONTENT, 0, 0);
        for (const wchar_t* name : kCharSetNames)
            ::SendMessageW(::GetDlgItem(m_hWnd, id), CB_ADDSTRING, 0, LPARAM(name));
    }
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdScope), CB_RESETCONTENT, 0, 0);
    for (const wchar_t* t : kScopeTimes)
        ::SendMessageW(::GetDlgItem(m_hWnd, kIdScope), CB_ADDSTRING, 0, LPARAM(t));
    CDialog::OnInitDialog();
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdCharSpin), UDM_SETRANGE32, 100, 10000);
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdCharSpin), UDM_SETPOS32, 0, LPARAM(m_nCharTicker));
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdCharTicker), EM_LIMITTEXT, 5, 0);
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdFilter), EM_LIMITTEXT, 5, 0);
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdFilterSpin), UDM_SETRANGE32, 5, 50000);
    ShowDescription(kIdDesc1, m_nCharSet1);
    ShowDescription(kIdDesc2, m_nCharSet2);
    return TRUE;
}

void CMsgTextSettingDlg::ShowDescription(int nStaticId, int nIndex)
{
    SetDlgItemText(nStaticId, msgtext::Res(IDS_MT_CHARSET_DESC_FIRST + UINT(nIndex == 0 || nIndex == 1 ? nIndex : 2)));
}

void CMsgTextSettingDlg::OnCharTickerChange()
{
    CString text;
    GetDlgItemText(kIdCharTicker, text);
    const long v = std::wcstol(text.GetString(), nullptr, 10);
    CString line;
    line.Format(L"%d", LineTickerOf(int(v < 0 ? 0 : v > 100000 ? 100000 : v)));
    SetDlgItemText(kIdLineTicker, line);
}

void CMsgTextSettingDlg::OnCharSetChange(UINT nId)
{
    const int sel = int(::SendMessageW(::GetDlgItem(m_hWnd, int(nId)), CB_GETCURSEL, 0, 0));
    int& member = nId == kIdSet1 ? m_nCharSet1 : m_nCharSet2;
    if (sel >= 0 && sel != member) {
        member = sel;
        ShowDescription(nId == kIdSet1 ? kIdDesc1 : kIdDesc2, sel);
    }
}

// Steps of 100 from a multiple of 100; an up step from any other value lands on the next one.
void CMsgTextSettingDlg::OnCharSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* ud = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    CString text;
    GetDlgItemText(kIdCharTicker, text);
    const long value = std::wcstol(text.GetString(), nullptr, 10);
    int d = ud->iDelta > 0 ? 1 : ud->iDelta < 0 ? -1 : 0;
    if (value < 100 && d > 0)
        d = 0;
    const int p = ud->iPos;
    int mod = (p + 100 * d) % 100;
    if (mod < 0)
        mod += 100;
    ::SendMessageW(::GetDlgItem(m_hWnd, kIdCharSpin), UDM_SETPOS32, 0, LPARAM(p + 99 * d - mod));
    ud->iDelta = d;
    *pResult = 0;
}

void CMsgTextSettingDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const BOOL changed1 = m_nCharSet1 != m_nOpenCharSet1;
    const BOOL changed2 = m_nCharSet2 != m_nOpenCharSet2;
    if (changed1 || changed2) {
        if (MessageBox(msgtext::Res(IDS_MT_CHARSET_CHANGE), nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        if (changed1)
            StripWideCharacters(m_pDoc, 0);
        if (changed2)
            StripWideCharacters(m_pDoc, 1);
    }
    EndDialog(IDOK);
}

void RunMessageTextSettings(CTavixDoc* pDoc, CWnd* pParent)
{
    if (!pDoc)
        return;
    CMsgTextSettingDlg dlg(pDoc, pParent);
    dlg.LoadFromDocument();
    if (dlg.DoModal() != IDOK)
        return;
    dlg.StoreToDocument();
    pDoc->SetModifiedFlag(TRUE);
    pDoc->m_undo.PushSnapshot(pDoc);
}
