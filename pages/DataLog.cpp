// CDataLog: rows are added from the "Block" list (and the "Parameter" list for a function
// block); OK and Apply turn the row texts into operand numbers.
#include "pages/DataLog.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockDataLog.h"
#include "msgtext/MsgTextParamTable.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/Ddx.h"

#include <cwchar>

namespace {

constexpr UINT kBlockList = 1120, kParamList = 1122, kAdd = 1121;

int NumberAfter(const CString& text, int nSkip)
{
    return text.GetLength() > nSkip ? int(std::wcstol(text.GetString() + nSkip, nullptr, 10)) : 0;
}

CString TypeName(int nType)
{
    CString name;
    g_mapBlockTypeNames.Lookup(nType, name);
    return name;
}

// The names of the parameters a block type can log, in table order.
std::vector<CString> LoggableNames(int nType)
{
    std::vector<CString> names;
    for (int code : GetAddressableItems(nType))
        if (code >= 0 && code < int(g_astrParamNames.GetSize()))
            names.push_back(g_astrParamNames[code]);
    return names;
}

}  // namespace

int DataLogOperandOf(const CString& text)
{
    if (text.Left(2) == L"AI") {
        const int e = NumberAfter(text, 2);
        return 4000 + 8 * (e / 100) + e % 100;
    }
    if (text.Left(2) == L"AM")
        return 4288 + NumberAfter(text, 2);
    if (text.Left(2) == L"AQ") {
        const int e = NumberAfter(text, 2);
        return 4230 + 4 * (e / 100) + e % 100;
    }
    switch (text.IsEmpty() ? L'\0' : text[0]) {
    case L'B': return 9000 + NumberAfter(text, 1);
    case L'I': {
        const int e = NumberAfter(text, 1);
        return 100 + 32 * (e / 100) + e % 100;
    }
    case L'M': return 1316 + NumberAfter(text, 1);
    case L'Q': {
        const int e = NumberAfter(text, 1);
        return 600 + 16 * (e / 100) + e % 100;
    }
    default: return -1;
    }
}

void WriteDataLogItems(CBlockDataLog& block, const CTavixDoc* pDoc, const std::vector<std::pair<CString, CString>>& rows)
{
    block.m_aItems.RemoveAll();
    for (const auto& [blockText, paramText] : rows) {
        CDataLogItem item;
        item.m_strOperand = blockText;
        item.m_strParam = paramText;
        item.m_nOperand = DataLogOperandOf(blockText);
        if (!blockText.IsEmpty() && blockText[0] == L'B' && pDoc) {
            item.m_pBlock = pDoc->FindBlockByNumber(item.m_nOperand);
            if (item.m_pBlock) {
                const std::vector<CString> names = LoggableNames(item.m_pBlock->m_nType);
                for (size_t k = 0; k < names.size(); ++k)
                    if (names[k] == paramText) {
                        item.m_nParamIndex = int(k);
                        break;
                    }
            }
        }
        block.m_aItems.Add(item);
    }
    block.m_nTime1High = int(rows.size());
}

BEGIN_MESSAGE_MAP(CDataLog, CBlockPage)
ON_CONTROL(LBN_SELCHANGE, 1120, OnBlockSelected)
ON_CONTROL(LBN_SELCHANGE, 1122, OnParameterSelected)
ON_CONTROL(LBN_DBLCLK, 1122, OnAdd)
ON_CONTROL(BN_CLICKED, 1121, OnAdd)
ON_CONTROL(BN_CLICKED, 1123, OnRemove)
END_MESSAGE_MAP()

CDataLog::CDataLog() : CBlockPage(IDD_DATA_LOG) {}

void CDataLog::DoDataExchange(CDataExchange* pDX)
{
    CBlockPage::DoDataExchange(pDX);
    DDX_Control(pDX, 1000, m_listItems);
}

void CDataLog::EnableAdd(BOOL bEnable)
{
    m_bAddEnabled = bEnable;
    if (CWnd* p = GetDlgItem(kAdd))
        p->EnableWindow(bEnable);
}

void CDataLog::InitPage()
{
    EnableAdd(FALSE);
    SendDlgItemMessage(kBlockList, LB_RESETCONTENT, 0, 0);
    const CTavixDoc* pDoc = GetDocument();
    if (pDoc) {
        InitParamNameTable();
        auto add = [this](const CString& text) {
            SendDlgItemMessage(kBlockList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
        };
        CString text;
        for (int i = 0; i < 64; ++i)
            text.Format(L"AI%d%02d%s", i / 8, i % 8, TypeName(608).GetString()), add(text);
        for (int i = 0; i < 512; ++i)
            text.Format(L"AM%d%s", i, TypeName(610).GetString()), add(text);
        for (int i = 0; i < 32; ++i)
            text.Format(L"AQ%d%02d%s", i / 4, i % 4, TypeName(609).GetString()), add(text);
        for (int i = 0; i < 32; ++i)
            text.Format(L"I%d%02d-I%d%02d", i / 4, 8 * (i % 4), i / 4, 8 * (i % 4) + 7), add(text);
        for (int k = 0; k < 64; ++k)
            text.Format(L"M%d-M%d", 8 * k, 8 * k + 7), add(text);
        for (int i = 0; i < 16; ++i)
            text.Format(L"Q%d%02d-Q%d%02d", i / 2, 8 * (i % 2), i / 2, 8 * (i % 2) + 7), add(text);
        pDoc->FillDataLogBlockComboBox(m_nBlockNumber, GetDlgItem(kBlockList));
    }
    m_listItems.SetExtendedStyle(m_listItems.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    CRect rc;
    m_listItems.GetWindowRect(&rc);
    const int first = (rc.Width() - 2) * 28 / 64;
    CString heading;
    heading.LoadString(IDS_DATALOG_BLOCK);
    m_listItems.InsertColumn(0, heading, LVCFMT_LEFT, first);
    heading.LoadString(IDS_DATALOG_PARAMETER);
    m_listItems.InsertColumn(1, heading, LVCFMT_LEFT, rc.Width() - first - 4);
    if (pDoc)
        if (const auto* pBlock = dynamic_cast<const CBlockDataLog*>(pDoc->FindBlockByNumber(m_nBlockNumber)))
            for (int i = 0; i < int(pBlock->m_aItems.GetSize()); ++i) {
                const int row = m_listItems.InsertItem(m_listItems.GetItemCount(), pBlock->m_aItems[i].m_strOperand);
                m_listItems.SetItemText(row, 1, pBlock->m_aItems[i].m_strParam);
            }
}

std::vector<std::pair<CString, CString>> CDataLog::Rows() const
{
    std::vector<std::pair<CString, CString>> rows;
    if (m_listItems.GetSafeHwnd() == nullptr)
        return m_rows;
    for (int i = 0; i < m_listItems.GetItemCount(); ++i)
        rows.emplace_back(m_listItems.GetItemText(i, 0), m_listItems.GetItemText(i, 1));
    return rows;
}

BOOL CDataLog::IsLogged(const CString& block, const CString& param) const
{
    for (const auto& [b, p] : Rows())
        if (b == block && p == param)
            return TRUE;
    return FALSE;
}

CString CDataLog::SelectedBlockText() const
{
    auto* self = const_cast<CDataLog*>(this);
    const int sel = int(self->SendDlgItemMessage(kBlockList, LB_GETCURSEL, 0, 0));
    if (sel < 0)
        return CString();
    const int len = int(self->SendDlgItemMessage(kBlockList, LB_GETTEXTLEN, WPARAM(sel), 0));
    std::vector<wchar_t> text(size_t(std::max(len, 0)) + 1, L'\0');
    self->SendDlgItemMessage(kBlockList, LB_GETTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(text.data()));
    return CString(text.data());
}

void CDataLog::FillParameters()
{
    SendDlgItemMessage(kParamList, LB_RESETCONTENT, 0, 0);
    const CString block = SelectedBlockText();
    const CTavixDoc* pDoc = GetDocument();
    if (block.IsEmpty() || block[0] != L'B' || pDoc == nullptr)
        return;
    const CBlockObj* pBlock = pDoc->FindBlockByNumber(DataLogOperandOf(block));
    if (pBlock == nullptr)
        return;
    for (const CString& name : LoggableNames(pBlock->m_nType))
        if (!IsLogged(block, name))
            SendDlgItemMessage(kParamList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
}

void CDataLog::OnBlockSelected()
{
    const CString block = SelectedBlockText();
    EnableAdd(!block.IsEmpty() && block[0] != L'B' && !IsLogged(block, L""));
    FillParameters();
}

void CDataLog::OnParameterSelected() { EnableAdd(TRUE); }

void CDataLog::OnAdd()
{
    if (m_listItems.GetItemCount() >= kMaxDataLogItems) {
        CString text;
        text.LoadString(IDS_DATA_LOG_FULL);
        AfxMessageBox(text, MB_ICONINFORMATION);
        return;
    }
    const CString block = SelectedBlockText();
    if (block.IsEmpty())
        return;
    const int param = int(SendDlgItemMessage(kParamList, LB_GETCURSEL, 0, 0));
    if (block[0] == L'B') {
        if (param < 0)
            return;
        wchar_t name[128] = {};
        if (SendDlgItemMessage(kParamList, LB_GETTEXTLEN, WPARAM(param), 0) >= 127)
            return;
        SendDlgItemMessage(kParamList, LB_GETTEXT, WPARAM(param), reinterpret_cast<LPARAM>(name));
        const int row = m_listItems.InsertItem(m_listItems.GetItemCount(), block);
        m_listItems.SetItemText(row, 1, name);
        SendDlgItemMessage(kParamList, LB_DELETESTRING, WPARAM(param), 0);
        EnableAdd(SendDlgItemMessage(kParamList, LB_GETCURSEL, 0, 0) >= 0);
    } else {
        if (IsLogged(block, L""))
            return;
        const int row = m_listItems.InsertItem(m_listItems.GetItemCount(), block);
        m_listItems.SetItemText(row, 1, L"");
        EnableAdd(FALSE);
    }
    SetModified(TRUE);
}

void CDataLog::OnRemove()
{
    std::vector<int> selected;
    for (int i = m_listItems.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_listItems.GetNextItem(i, LVNI_SELECTED))
        selected.push_back(i);
    if (selected.empty())
        return;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        m_listItems.DeleteItem(*it);
    if (m_listItems.GetItemCount() > 0)
        m_listItems.SetCurSel(std::min(selected.front(), m_listItems.GetItemCount() - 1));
    FillParameters();
    SetModified(TRUE);
}

void CDataLog::OnOK()
{
    m_rows = Rows();
    CBlockPage::OnOK();
}


void CDataLog::FillTimeRecord(CTimeParamRecord& record) const
{
    // Apply writes the item list into the block itself, as OK does.
    record.bProtection = m_bProtection;
    const auto rows = Rows();
    record.nTime1High = int(rows.size());
    if (const CTavixDoc* pDoc = GetDocument())
        if (auto* pLog = dynamic_cast<CBlockDataLog*>(pDoc->FindBlockByNumber(m_nBlockNumber)))
            WriteDataLogItems(*pLog, pDoc, rows);
}
