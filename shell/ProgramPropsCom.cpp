#include "shell/ProgramPropsCom.h"

#include "document/DocTypes.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ProgramPropsFields.h"

#include <algorithm>
#include <cwchar>

namespace {

const wchar_t* const kBauds[] = {L"1200",  L"2400",  L"4800",   L"9600",   L"14400",  L"19200", L"28800",
                                 L"38400", L"57600", L"115200", L"230400", L"460800", L"921600"};
const wchar_t* const kParityRtu[] = {L"None,8,1", L"None,8,2", L"Odd,8,1", L"Odd,8,2", L"Even,8,1", L"Even,8,2"};
const wchar_t* const kParityAsc[] = {L"None,8,1", L"None,8,2", L"Odd,7,1", L"Odd,7,2", L"Odd,8,1",
                                     L"Odd,8,2",  L"Even,7,1", L"Even,7,2", L"Even,8,1", L"Even,8,2"};

// Labels and fields of the page other than the mode and the footnote.
const int kPortFields[] = {IDC_PP_COM_ADDRESS_LABEL, IDC_PP_COM_ADDRESS,    IDC_PP_COM_ADDRESS_NOTE,
                           1204,                     IDC_PP_COM_PROTOCOL,   1205,
                           IDC_PP_COM_BAUD,          1206,                  1207,
                           IDC_PP_COM_PARITY,        IDC_PP_COM_TIMEOUT_LABEL, IDC_PP_COM_TIMEOUT,
                           1212,                     IDC_PP_COM_POLL_DELAY_LABEL, IDC_PP_COM_POLL_DELAY,
                           1215,                     IDC_PP_COM_REGISTER_LABEL, IDC_PP_COM_REGISTER_INDEX};

} // namespace

BEGIN_MESSAGE_MAP(CComSetting, CPropertyPage)
    ON_CONTROL(CBN_SELCHANGE, IDC_PP_COM_MODE, OnSelChangeMode)
    ON_CONTROL(CBN_SELCHANGE, IDC_PP_COM_PROTOCOL, OnSelChangeProtocol)
    ON_CONTROL(CBN_SELENDOK, IDC_PP_COM_PARITY, OnSelEndOkParity)
    ON_CONTROL(EN_UPDATE, IDC_PP_COM_ADDRESS, OnUpdateAddress)
    ON_CONTROL(EN_UPDATE, IDC_PP_COM_POLL_DELAY, OnUpdatePollDelay)
END_MESSAGE_MAP()

CComSetting::CComSetting() : CPropertyPage(IDD_PROPS_COM)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CComSetting::FromRecord(const PortSettings& rec)
{
    m_nMode = rec[0];
    m_nProtocol = rec[1];
    m_nAddress = rec[2];
    m_nBaud = rec[3];
    m_nParityEntry = rec[4];
    m_nParity = rec[5];
    m_nDataBits = rec[6];
    m_nStopBits = rec[7];
    m_nTimeout = rec[8];
    m_nPollDelay = rec[9];
    m_nRegisterIndex = rec[10];
}

void CComSetting::ToRecord(PortSettings& rec) const
{
    const int values[] = {m_nMode,     m_nProtocol, m_nAddress, m_nBaud,       m_nParityEntry, m_nParity,
                          m_nDataBits, m_nStopBits, m_nTimeout, m_nPollDelay, m_nRegisterIndex};
    for (int i = 0; i < 11; ++i)
        rec[i] = values[i];
}

void CComSetting::ParseParity(const CString& text, int* pParity, int* pDataBits, int* pStopBits)
{
    const wchar_t* parities[] = {L"None", L"Odd", L"Even"};
    for (int i = 0; i < 3; ++i)
        if (text.Find(parities[i]) >= 0) {
            *pParity = i;
            break;
        }
    if (text.Find(L'7') >= 0)
        *pDataBits = 0;
    else if (text.Find(L'8') >= 0)
        *pDataBits = 1;
    if (text.Find(L'1') >= 0)
        *pStopBits = 0;
    else if (text.Find(L'2') >= 0)
        *pStopBits = 1;
}

BOOL CComSetting::OnInitDialog()
{
    auto fill = [this](int nID, const wchar_t* const* entries, size_t n) {
        SendDlgItemMessage(nID, CB_RESETCONTENT);
        for (size_t i = 0; i < n; ++i)
            SendDlgItemMessage(nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i]));
    };
    const wchar_t* const modes[] = {L"Slave", L"Master", L"ATP"};
    const wchar_t* const registers[] = {L"High Low", L"Low High"};
    fill(IDC_PP_COM_MODE, modes, 3);
    fill(IDC_PP_COM_REGISTER_INDEX, registers, 2);
    fill(IDC_PP_COM_BAUD, kBauds, IsNewFamily() ? std::size(kBauds) : size_t(firstNewBaud));
    FillProtocols(IsNewFamily());
    if (m_nBaud < 0 || m_nBaud >= int(SendDlgItemMessage(IDC_PP_COM_BAUD, CB_GETCOUNT)))
        m_nBaud = baud9600;
    CPropertyPage::OnInitDialog();

    CString parity;
    parity.Format(L"%s,%s,%s", m_nParity == 1 ? L"Odd" : m_nParity == 2 ? L"Even" : L"None",
                  m_nDataBits == 0 ? L"7" : L"8", m_nStopBits == 1 ? L"2" : L"1");
    m_strParity = parity;
    OnSelChangeProtocol();
    OnSelChangeMode();
    return TRUE;
}

void CComSetting::FillProtocols(bool bWithUdc)
{
    const LRESULT sel = SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_GETCURSEL);
    SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_RESETCONTENT);
    for (const wchar_t* p : {L"RTU", L"ASC", L"UDC"}) {
        if (!bWithUdc && std::wcscmp(p, L"UDC") == 0)
            break;
        SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    }
    const LRESULT count = SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_GETCOUNT);
    SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_SETCURSEL, WPARAM(sel >= 0 && sel < count ? sel : 0));
}

void CComSetting::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_ListIndex(pDX, IDC_PP_COM_MODE, m_nMode);
    DDX_ListIndex(pDX, IDC_PP_COM_PROTOCOL, m_nProtocol);
    DDX_FieldInt(pDX, IDC_PP_COM_ADDRESS, IDC_PP_COM_ADDRESS_LABEL, m_nAddress, 0, 255);
    DDX_ListIndex(pDX, IDC_PP_COM_BAUD, m_nBaud);
    DDX_ListIndex(pDX, IDC_PP_COM_PARITY, m_nParityEntry);
    DDX_FieldInt(pDX, IDC_PP_COM_TIMEOUT, IDC_PP_COM_TIMEOUT_LABEL, m_nTimeout, 200, 65535);
    DDX_FieldInt(pDX, IDC_PP_COM_POLL_DELAY, IDC_PP_COM_POLL_DELAY_LABEL, m_nPollDelay, 0, 65535);
    DDX_ListIndex(pDX, IDC_PP_COM_REGISTER_INDEX, m_nRegisterIndex);
    if (pDX->m_bSaveAndValidate)
        TakeParitySelection();
}

void CComSetting::OnSelChangeMode()
{
    const int mode = int(SendDlgItemMessage(IDC_PP_COM_MODE, CB_GETCURSEL));
    if (mode == modeAtp) {
        // The device's own link: fixed settings, nothing to edit.
        FillProtocols(false);
        SetDlgItemInt(IDC_PP_COM_ADDRESS, 0, FALSE);
        SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_SETCURSEL, protoRtu);
        SendDlgItemMessage(IDC_PP_COM_BAUD, CB_SETCURSEL, baud115200);
        m_strParity = L"None,8,1";
        OnSelChangeProtocol();
        SetDlgItemInt(IDC_PP_COM_TIMEOUT, 200, FALSE);
        SetDlgItemInt(IDC_PP_COM_POLL_DELAY, 0, FALSE);
        SendDlgItemMessage(IDC_PP_COM_REGISTER_INDEX, CB_SETCURSEL, 0);
        for (int nID : kPortFields)
            if (CWnd* w = GetDlgItem(nID))
                w->ShowWindow(SW_HIDE);
        return;
    }
    BOOL ok = FALSE;
    if (GetDlgItemInt(IDC_PP_COM_ADDRESS, &ok, FALSE) == 0 && ok)
        SetDlgItemInt(IDC_PP_COM_ADDRESS, 1, FALSE);
    FillProtocols(mode == modeMaster && IsNewFamily());
    for (int nID : kPortFields)
        if (CWnd* w = GetDlgItem(nID))
            w->ShowWindow(SW_SHOW);
    if (mode == modeMaster)
        for (int nID : {IDC_PP_COM_ADDRESS_LABEL, IDC_PP_COM_ADDRESS, IDC_PP_COM_ADDRESS_NOTE})
            GetDlgItem(nID)->ShowWindow(SW_HIDE);
    OnSelChangeProtocol();
}

void CComSetting::OnSelChangeProtocol()
{
    const int protocol = int(SendDlgItemMessage(IDC_PP_COM_PROTOCOL, CB_GETCURSEL));
    const bool asc = protocol == protoAsc;
    SendDlgItemMessage(IDC_PP_COM_PARITY, CB_RESETCONTENT);
    const wchar_t* const* list = asc ? kParityAsc : kParityRtu;
    const size_t n = asc ? std::size(kParityAsc) : std::size(kParityRtu);
    int select = 0;
    for (size_t i = 0; i < n; ++i) {
        SendDlgItemMessage(IDC_PP_COM_PARITY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list[i]));
        if (m_strParity == list[i])
            select = int(i);
    }
    SendDlgItemMessage(IDC_PP_COM_PARITY, CB_SETCURSEL, WPARAM(select));
    const int mode = int(SendDlgItemMessage(IDC_PP_COM_MODE, CB_GETCURSEL));
    const int show = protocol == protoUdc || mode == modeAtp ? SW_HIDE : SW_SHOW;
    for (int nID : {IDC_PP_COM_REGISTER_INDEX, IDC_PP_COM_REGISTER_LABEL})
        GetDlgItem(nID)->ShowWindow(show);
    TakeParitySelection();
}

void CComSetting::OnSelEndOkParity()
{
    TakeParitySelection();
}

void CComSetting::TakeParitySelection()
{
    const LRESULT sel = SendDlgItemMessage(IDC_PP_COM_PARITY, CB_GETCURSEL);
    if (sel < 0)
        return;
    wchar_t text[32] = {};
    SendDlgItemMessage(IDC_PP_COM_PARITY, CB_GETLBTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(text));
    m_strParity = text;
    ParseParity(m_strParity, &m_nParity, &m_nDataBits, &m_nStopBits);
}

void CComSetting::ClampEdit(int nID, int nMin, int nMax)
{
    CString text;
    GetDlgItemText(nID, text);
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(text.GetString(), &end, 10);
    if (end == text.GetString())
        return;
    if (v > nMax)
        SetDlgItemInt(nID, UINT(nMax), TRUE);
    else if (v < nMin)
        SetDlgItemInt(nID, UINT(nMin), TRUE);
}

void CComSetting::OnUpdateAddress()
{
    const int mode = int(SendDlgItemMessage(IDC_PP_COM_MODE, CB_GETCURSEL));
    ClampEdit(IDC_PP_COM_ADDRESS, mode == modeAtp ? 0 : 1, 255);
}

void CComSetting::OnUpdatePollDelay()
{
    ClampEdit(IDC_PP_COM_POLL_DELAY, 0, 65535);
}
