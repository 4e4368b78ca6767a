// CUDC: the character edits hold hexadecimal digits only, however the text arrives; a character
// that is not 00..FF is refused, never cut into a byte.
#include "pages/Udc.h"
#include "pages/HexText.h"

#include "elements/BlockObj.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

// Start and end checks with their character edits.
constexpr UINT kChecks[] = {1232, 1233, 1235, 1234};
constexpr UINT kEdits[] = {1308, 1088, 1311, 1089};

int TxAddressMax(int nArea) { return nArea == 1 ? 31 : (nArea == 2 ? 63 : 511); }

}  // namespace

int ParseHexByte(const CString& text) { return ParseHexDigits(text, 2); }

BEGIN_MESSAGE_MAP(CUDC, CBlockPage)
ON_CONTROL_RANGE(BN_CLICKED, 1232, 1235, OnCheckClicked)
ON_CONTROL_RANGE(EN_CHANGE, 1308, 1308, OnCharChanged)
ON_CONTROL_RANGE(EN_CHANGE, 1088, 1089, OnCharChanged)
ON_CONTROL_RANGE(EN_CHANGE, 1311, 1311, OnCharChanged)
ON_CONTROL(EN_CHANGE, 1307, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1309, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1313, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1178, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1312, OnParamChanged)
ON_CONTROL(EN_UPDATE, 1314, OnTxAddressUpdate)
ON_CONTROL(CBN_SELCHANGE, 1310, OnTxAddressUpdate)
ON_CONTROL(EN_UPDATE, 1315, OnRxAddressUpdate)
END_MESSAGE_MAP()

CUDC::CUDC() : CBlockPage(IDD_UDC) {}

void CUDC::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1178, CB_GETCOUNT, 0, 0) == 0) {
        for (const wchar_t* item : {L"COM0(RS232)", L"COM1(RS485)", L"COM2(RS485)"})
            SendDlgItemMessage(1178, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        for (const wchar_t* item : {L"AM", L"AQ", L"AI"})
            SendDlgItemMessage(1310, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendDlgItemMessage(1312, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"AM"));
    }
    DDX_CBIndex(pDX, 1178, m_nPort);
    DDX_Text(pDX, 1307, m_nCycle);
    DDV_MinMaxInt(pDX, m_nCycle, 0, 9999);
    CBlockPage::DoDataExchange(pDX);
    DDX_Check(pDX, 1232, m_bTxStartChar);
    DDX_Check(pDX, 1233, m_bTxEndChar);
    DDX_Check(pDX, 1235, m_bRxStartChar);
    DDX_Check(pDX, 1234, m_bRxEndChar);
    DDX_CBIndex(pDX, 1312, m_nRxArea);
    DDX_CBIndex(pDX, 1310, m_nTxArea);
    DDX_Text(pDX, 1309, m_nTxCount);
    DDV_MinMaxInt(pDX, m_nTxCount, 1, 127);
    DDX_Text(pDX, 1313, m_nRxCount);
    DDV_MinMaxInt(pDX, m_nRxCount, 1, 127);
    CString* texts[4] = {&m_strTxStartChar, &m_strTxEndChar, &m_strRxStartChar, &m_strRxEndChar};
    for (int k = 0; k < 4; ++k) {
        DDX_Text(pDX, int(kEdits[k]), *texts[k]);
        DDV_MaxChars(pDX, *texts[k], 2);
        if (!pDX->m_bSaveAndValidate)
            continue;
        const int value = ParseHexByte(*texts[k]);
        if (value < 0) {
            CString message;
            message.LoadString(IDS_UDC_HEX_RANGE);
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            pDX->PrepareEditCtrl(int(kEdits[k]));
            pDX->Fail();
        }
        m_abyChars[k] = BYTE(value);
    }
    DDX_Text(pDX, 1314, m_nTxAddress);
    DDV_MinMaxInt(pDX, m_nTxAddress, 0, TxAddressMax(m_nTxArea));
    DDX_Text(pDX, 1315, m_nRxAddress);
    DDV_MinMaxInt(pDX, m_nRxAddress, 0, 511);
}

void CUDC::InitPage()
{
    for (int k = 0; k < 4; ++k) {
        SendDlgItemMessage(int(kEdits[k]), EM_LIMITTEXT, 2, 0);
        if (CWnd* p = GetDlgItem(int(kEdits[k])))
            p->EnableWindow(IsDlgButtonChecked(int(kChecks[k])));
    }
}

void CUDC::AddTips()
{
    AddRangeTip(1307, 0, 9999);
    AddRangeTip(1309, 1, 127);
    AddRangeTip(1313, 1, 127);
    CString hex;
    hex.LoadString(IDS_UDC_HEX_RANGE);
    for (UINT id : kEdits)
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, hex);
}

void CUDC::OnCheckClicked(UINT nID)
{
    for (int k = 0; k < 4; ++k)
        if (kChecks[k] == nID)
            if (CWnd* p = GetDlgItem(int(kEdits[k])))
                p->EnableWindow(IsDlgButtonChecked(int(nID)));
    SetModified(TRUE);
}

void CUDC::OnCharChanged(UINT nID)
{
    if (KeepHexDigits(*this, nID, 2))
        SetModified(TRUE);
}

void CUDC::ClampAddress(UINT nID, int nMax)
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(int(nID), &bOk, FALSE));
    if (bOk && value > nMax)
        SetDlgItemInt(int(nID), UINT(nMax), FALSE);
}

void CUDC::OnTxAddressUpdate()
{
    const int area = int(SendDlgItemMessage(1310, CB_GETCURSEL, 0, 0));
    ClampAddress(1314, TxAddressMax(area));
    SetModified(TRUE);
}

void CUDC::OnRxAddressUpdate()
{
    ClampAddress(1315, 511);
    SetModified(TRUE);
}

void CUDC::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    m_bProtection = block.m_bProtected;
    m_nCycle = block.m_nTime1Base;
    m_nPort = block.m_nTime2Base;
    m_nTxArea = block.m_nPreWarn[1];
    m_nTxAddress = block.m_nYearEnd;
    m_nTxCount = block.m_nPreWarn[3];
    m_nRxArea = 0;
    m_nRxAddress = block.m_nYearStart;
    m_nRxCount = block.m_nPreWarn[2];
    m_bTxStartChar = block.m_nYearly ? 1 : 0;
    m_bTxEndChar = block.m_nMonthly ? 1 : 0;
    m_bRxStartChar = block.m_bStdPreWarning ? 1 : 0;
    m_bRxEndChar = block.m_nPulse ? 1 : 0;
    const int chars[4] = {block.m_nTime1High, block.m_nTime2High, block.m_nTime1Low, block.m_nTime2Low};
    CString* texts[4] = {&m_strTxStartChar, &m_strTxEndChar, &m_strRxStartChar, &m_strRxEndChar};
    for (int k = 0; k < 4; ++k) {
        m_abyChars[k] = BYTE(chars[k] & 0xFF);
        texts[k]->Format(L"%X", unsigned(m_abyChars[k]));
    }
}


void CUDC::FillTimeRecord(CTimeParamRecord& record) const
{
    // The record carries the block's words under the same names the block keeps them in.
    record.bProtection = m_bProtection;
    record.nTime1Base = m_nCycle, record.nTime2Base = m_nPort;
    record.nExtra[0] = m_nRxArea, record.nExtra[1] = m_nTxArea, record.nExtra[2] = m_nRxCount, record.nExtra[3] = m_nTxCount;
    using R = CTimeParamRecord;
    record.nWord[R::kYearEnd] = m_nTxAddress, record.nWord[R::kYearStart] = m_nRxAddress;
    record.nWord[R::kYearly] = m_bTxStartChar, record.nWord[R::kMonthly] = m_bTxEndChar;
    record.nCheck = m_bRxStartChar, record.nWord[R::kPulse] = m_bRxEndChar;
    record.nTime1High = m_abyChars[0], record.nTime2High = m_abyChars[1];
    record.nTime1Low = m_abyChars[2], record.nTime2Low = m_abyChars[3];
}
