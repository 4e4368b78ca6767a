// CModbusPropPage: the data type list follows the command's kind; hexadecimal data texts are
// held to hexadecimal digits however they arrive, and OK always has a data type to add.
#include "pages/ModbusPropPage.h"
#include "pages/HexText.h"

#include "document/TavixDoc.h"
#include "elements/BlockModbus.h"
#include "pages/SetCoilStateDlg.h"
#include "pages/TimeReference.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

namespace {

constexpr UINT kCommand = 1179, kDataType = 1182, kCount = 1084, kDataAddress = 1085, kLow = 1087, kHigh = 1086;
constexpr UINT kAuto = 1180, kManual = 1181, kConfig = 1183;

BOOL IsCoilKind(int nType, int nCommand) { return nType == 813 ? nCommand <= 1 : (nCommand == 0 || nCommand == 2); }

// Highest data address and device base of a data type position by kind.
struct DataType {
    const wchar_t* name;
    int max, base;
};
constexpr DataType kCoilTypes[] = {{L"M", 511, 384}, {L"Q", 127, 256}, {L"I", 255, 0}};
constexpr DataType kRegisterTypes[] = {{L"AM", 511, 596}, {L"AQ", 31, 564}, {L"AI", 63, 500}};

}  // namespace

int ParseHexWord(const CString& text) { return ParseHexDigits(text, 4); }

BEGIN_MESSAGE_MAP(CModbusPropPage, CBlockPage)
ON_CONTROL(EN_CHANGE, 1307, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1082, OnParamChanged)
ON_CONTROL(EN_CHANGE, 1083, OnParamChanged)
ON_CONTROL_RANGE(EN_CHANGE, 1086, 1087, OnHexChanged)
ON_CONTROL(CBN_SELCHANGE, 1178, OnParamChanged)
ON_CONTROL(CBN_SELCHANGE, 1179, OnCommandChange)
ON_CONTROL(CBN_SELCHANGE, 1182, OnDataTypeChanged)
ON_CONTROL(EN_UPDATE, 1084, ClampCount)
ON_CONTROL(EN_UPDATE, 1085, ClampDataAddress)
ON_CONTROL(BN_CLICKED, 1180, OnAuto)
ON_CONTROL(BN_CLICKED, 1181, OnManual)
ON_CONTROL(BN_CLICKED, 1183, OnConfig)
END_MESSAGE_MAP()

CModbusPropPage::CModbusPropPage() : CBlockPage(IDD_MODBUS) {}

int CModbusPropPage::Selection(UINT nID) const
{
    return int(const_cast<CModbusPropPage*>(this)->SendDlgItemMessage(int(nID), CB_GETCURSEL, 0, 0));
}

void CModbusPropPage::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate && SendDlgItemMessage(1178, CB_GETCOUNT, 0, 0) == 0) {
        for (const wchar_t* item : {L"COM0(RS232)", L"COM1(RS485)", L"COM2(RS485)"})
            SendDlgItemMessage(1178, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        // The opened block's function code decides the command.
        switch (m_nFunctionCode) {
        case 1: case 5: m_nCommand = 0; break;
        case 2: case 6: m_nCommand = 1; break;
        case 3: case 15: m_nCommand = 2; break;
        case 4: case 16: m_nCommand = 3; break;
        default: break;
        }
        for (UINT id = m_nBlockType == 813 ? IDS_MODBUS_READ_COILS : IDS_MODBUS_WRITE_COIL, k = 0; k < 4; ++k) {
            CString item;
            item.LoadString(id + k);
            SendDlgItemMessage(kCommand, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
        }
    }
    CBlockPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1307, m_nCycle);
    DDV_MinMaxInt(pDX, m_nCycle, 0, 9999);
    DDX_Text(pDX, 1082, m_nSlaveAddress);
    DDV_MinMaxInt(pDX, m_nSlaveAddress, 0, 255);
    DDX_CBIndex(pDX, 1178, m_nPort);
    DDX_CBIndex(pDX, kCommand, m_nCommand);
    DDX_Text(pDX, 1083, m_nRegister);
    DDV_MinMaxInt(pDX, m_nRegister, 0, 65535);
    DDX_Text(pDX, kCount, m_nCount);
    DDX_CBIndex(pDX, kDataType, m_nDataType);
    DDX_Text(pDX, kDataAddress, m_nDataAddress);
    DDX_Text(pDX, kLow, m_strDataLow);
    DDV_MaxChars(pDX, m_strDataLow, 4);
    DDX_Text(pDX, kHigh, m_strDataHigh);
    DDV_MaxChars(pDX, m_strDataHigh, 4);
    DDX_Radio(pDX, kAuto, m_nWriteMode);
    if (pDX->m_bSaveAndValidate) {
        if (m_nDataType < 0)
            m_nDataType = 0;
        m_nCount = std::clamp(m_nCount, 1, CountMaximum());
        m_nDataAddress = std::clamp(m_nDataAddress, 0, DataAddressMaximum());
    }
}

int CModbusPropPage::CountMaximum() const
{
    const int command = m_nCommand;
    if (m_nBlockType == 813)
        return command <= 1 ? 128 : 32;
    switch (command) {
    case 2: return 32;
    case 3: return 2;
    default: return 1;
    }
}

int CModbusPropPage::DataAddressMaximum() const
{
    const int type = std::max(0, m_nDataType);
    const DataType* types = IsCoilKind(m_nBlockType, m_nCommand) ? kCoilTypes : kRegisterTypes;
    const int count = m_nBlockType == 813 ? 2 : 3;
    return type < count ? types[type].max : 1;
}

void CModbusPropPage::InitPage()
{
    SendDlgItemMessage(1082, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessage(1083, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessage(kCount, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessage(kDataAddress, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessage(kLow, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessage(kHigh, EM_LIMITTEXT, 4, 0);
    const int previous = m_nCommand;
    m_nCommand = -1;  // the data type list is built for the command whatever it was
    SendDlgItemMessage(kCommand, CB_SETCURSEL, WPARAM(previous), 0);
    const int type = m_nDataType;
    OnCommandChange();
    SendDlgItemMessage(kDataType, CB_SETCURSEL, WPARAM(std::max(0, type)), 0);
    m_nDataType = std::max(0, Selection(kDataType));
    ApplyWriteMode();
    if (m_nBlockType == 813)
        for (UINT id : {kAuto, kManual, kConfig})
            if (CWnd* p = GetDlgItem(int(id)))
                p->EnableWindow(FALSE);
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc && !pDoc->IsNewModel())
        for (UINT id : {1326u, 1307u, 1327u})
            if (CWnd* p = GetDlgItem(int(id)))
                p->ShowWindow(SW_HIDE);
    SetModified(FALSE);
}

void CModbusPropPage::AddTips()
{
    AddRangeTip(1307, 0, 9999);
    AddRangeTip(1082, 0, 255);
    AddRangeTip(1083, 0, 65535);
    CString hex;
    hex.LoadString(IDS_MODBUS_HEX_RANGE);
    for (UINT id : {kLow, kHigh})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, hex);
    for (UINT id : {kCount, kDataAddress})
        if (CWnd* p = GetDlgItem(int(id)))
            m_toolTip.AddTool(p, CToolTipWnd::TextFromParent);
}

BOOL CModbusPropPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT id = RangeTipRequestId(lParam);
    if (id == kCount)
        AnswerRangeTip(lParam, nullptr, 1, CountMaximum());
    else if (id == kDataAddress)
        AnswerRangeTip(lParam, nullptr, 0, DataAddressMaximum());
    return CBlockPage::OnNotify(wParam, lParam, pResult);
}

void CModbusPropPage::OnCommandChange()
{
    const int command = Selection(kCommand);
    if (command < 0 || command > 3)
        return;
    const int keep = std::max(0, Selection(kDataType));
    const BOOL coil = IsCoilKind(m_nBlockType, command);
    const BOOL kindChanged = m_nCommand < 0 || coil != IsCoilKind(m_nBlockType, m_nCommand);
    SendDlgItemMessage(kDataType, CB_RESETCONTENT, 0, 0);
    const DataType* types = coil ? kCoilTypes : kRegisterTypes;
    for (int k = 0; k < (m_nBlockType == 813 ? 2 : 3); ++k)
        SendDlgItemMessage(kDataType, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(types[k].name));
    SendDlgItemMessage(kDataType, CB_SETCURSEL, WPARAM(kindChanged ? 0 : keep), 0);
    m_nDataType = kindChanged ? 0 : keep;
    m_nCommand = command;
    if (m_nBlockType == 814) {
        const BOOL single = command == 0 || command == 1;
        if (single)
            SetDlgItemInt(kCount, 1, FALSE);
        if (CWnd* p = GetDlgItem(kCount))
            p->EnableWindow(!single);
        if (CWnd* p = GetDlgItem(kConfig))
            p->EnableWindow(coil && IsDlgButtonChecked(kManual));
    }
    ClampCount();
    ClampDataAddress();
    SetModified(TRUE);
}

void CModbusPropPage::ClampCount()
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(kCount, &bOk, TRUE));
    if (bOk && value > CountMaximum())
        SetDlgItemInt(kCount, UINT(CountMaximum()), FALSE);
    else if (bOk && value <= 0)
        SetDlgItemInt(kCount, 1, FALSE);
    SetModified(TRUE);
}

void CModbusPropPage::ClampDataAddress()
{
    BOOL bOk = FALSE;
    const int value = int(GetDlgItemInt(kDataAddress, &bOk, FALSE));
    if (bOk && Selection(kDataType) >= 0 && value > DataAddressMaximum())
        SetDlgItemInt(kDataAddress, UINT(DataAddressMaximum()), FALSE);
    SetModified(TRUE);
}

void CModbusPropPage::OnDataTypeChanged()
{
    m_nDataType = std::max(0, Selection(kDataType));
    ClampDataAddress();
}

void CModbusPropPage::ApplyWriteMode()
{
    const BOOL manual = IsDlgButtonChecked(kManual) == BST_CHECKED;
    for (UINT id : {kDataType, kDataAddress})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(!manual);
    for (UINT id : {kLow, kHigh})
        if (CWnd* p = GetDlgItem(int(id)))
            p->EnableWindow(manual);
    if (CWnd* p = GetDlgItem(kConfig))
        p->EnableWindow(manual && m_nBlockType == 814 && (m_nCommand == 0 || m_nCommand == 2));
}

void CModbusPropPage::OnAuto()
{
    m_nWriteMode = 0;
    CheckRadioButton(kAuto, kManual, kAuto);
    ApplyWriteMode();
    ClampCount();
}

void CModbusPropPage::OnManual()
{
    m_nWriteMode = 1;
    CheckRadioButton(kAuto, kManual, kManual);
    ApplyWriteMode();
    ClampCount();
}

void CModbusPropPage::OnHexChanged(UINT nID)
{
    if (KeepHexDigits(*this, nID, 4))
        OnParamChanged();
}

void CModbusPropPage::OnConfig()
{
    CSetCoilStateDlg dlg(this);
    dlg.m_nCommand = m_nCommand;
    BOOL bOk = FALSE;
    dlg.m_nCount = int(GetDlgItemInt(kCount, &bOk, FALSE));
    GetDlgItemText(kLow, dlg.m_strFirst);
    GetDlgItemText(kHigh, dlg.m_strSecond);
    if (dlg.DoModal() != IDOK)
        return;
    SetDlgItemText(kLow, dlg.m_strFirst);
    SetDlgItemText(kHigh, dlg.m_strSecond);
}

void CModbusPropPage::ComputeFunctionCode()
{
    static constexpr int kWriteCodes[4] = {5, 6, 15, 16};
    if (m_nCommand < 0 || m_nCommand > 3)
        return;
    m_nFunctionCode = m_nBlockType == 813 ? m_nCommand + 1 : kWriteCodes[m_nCommand];
}

void CModbusPropPage::ComputeDataAddress()
{
    if (m_nWriteMode == 0) {
        const BOOL coil = IsCoilKind(m_nBlockType, m_nCommand);
        const int type = std::clamp(m_nDataType, 0, m_nBlockType == 813 ? 1 : 2);
        m_wWord1 = WORD(m_nDataAddress + (coil ? kCoilTypes : kRegisterTypes)[type].base);
        m_wWord2 = 0;
        return;
    }
    const unsigned w1 = unsigned(std::max(0, ParseHexWord(m_strDataLow)));
    const unsigned w2 = unsigned(std::max(0, ParseHexWord(m_strDataHigh)));
    const int n = m_nCount;
    switch (m_nFunctionCode) {
    case 5: case 15:
        if (n > 16) {
            m_wWord1 = WORD(w1);
            m_wWord2 = WORD(w2 & ((1u << (n - 16)) - 1u));
        } else {
            m_wWord1 = WORD(n >= 16 ? w1 : (w1 & ((1u << n) - 1u)));
            m_wWord2 = 0;
        }
        break;
    case 16:
        m_wWord1 = WORD(w1);
        m_wWord2 = n < 2 ? 0 : WORD(w2);
        break;
    default:
        m_wWord1 = WORD(w1);
        m_wWord2 = 0;
        break;
    }
}

void CModbusPropPage::OnOK()
{
    ComputeFunctionCode();
    ComputeDataAddress();
    CBlockPage::OnOK();
}

void CModbusPropPage::FillFromBlock(const CBlockObj& block, const CTavixDoc&, bool)
{
    const auto* p = dynamic_cast<const CBlockMR*>(&block);
    if (p == nullptr)
        return;
    m_bProtection = block.m_bProtected;
    m_nCycle = block.m_nTime1Base;
    m_nSlaveAddress = p->m_bySlave;
    m_nPort = p->m_nPort;
    m_nCommand = p->m_byCommand <= 3 ? p->m_byCommand : 0;
    m_nFunctionCode = p->m_byFunction;
    m_nRegister = p->m_wRegister;
    m_nCount = p->m_wCount;
    m_nWriteMode = p->m_byWriteMode ? 1 : 0;
    m_nDataType = p->m_nDataArea;
    m_nDataAddress = p->m_wDataAddress;
    m_strDataLow = p->m_strData1.IsEmpty() ? CString(L"0") : p->m_strData1;
    m_strDataHigh = p->m_strData2.IsEmpty() ? CString(L"0") : p->m_strData2;
    m_wWord1 = p->m_wData1;
    m_wWord2 = p->m_wData2;
}


void CModbusPropPage::FillModbusRecord(CModbusParamRecord& record) const
{
    // The function code and the words as OK would compute them from the members now shown.
    CModbusPropPage copy;
    copy.m_nBlockType = m_nBlockType;
    copy.m_nCommand = m_nCommand, copy.m_nFunctionCode = m_nFunctionCode, copy.m_nWriteMode = m_nWriteMode;
    copy.m_nDataType = m_nDataType, copy.m_nDataAddress = m_nDataAddress, copy.m_nCount = m_nCount;
    copy.m_strDataLow = m_strDataLow, copy.m_strDataHigh = m_strDataHigh;
    copy.ComputeFunctionCode();
    copy.ComputeDataAddress();
    record.byModbus[0] = BYTE(m_nSlaveAddress);
    record.byModbus[1] = BYTE(m_nCommand);
    record.byModbus[2] = BYTE(copy.m_nFunctionCode);
    record.byModbus4[0] = BYTE(m_nWriteMode);
    record.wModbus[0] = WORD(m_nRegister);
    record.wModbus[1] = WORD(m_nCount);
    record.wModbus[2] = copy.m_wWord1;
    record.wModbus4 = copy.m_wWord2;
    record.wModbus5 = WORD(m_nDataAddress);
    record.nModbus1 = m_nPort;
    record.nModbus2 = m_nDataType;
    record.strModbus1 = m_strDataLow;
    record.strModbus2 = m_strDataHigh;
    record.nCycle = m_nCycle;
}
