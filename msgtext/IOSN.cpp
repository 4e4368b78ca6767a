#include "msgtext/IOSN.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "msgtext/MsgTextGrid.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/MsgTextParamTable.h"
#include "msgtext/Widget.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/dialogs/Ddx.h"
#include "resources/resource.h"
#include "shell/ChineseTexts.h"

namespace {

constexpr int kIdType = 1400;
constexpr int kIdNumber = 1401;
constexpr int kIdGrid = 1123;
constexpr int kFunctionBlock = 9000;

struct OperandRange {
    int type, first, last;
};
// Operands that ladder contacts and coils name, by the type code they stand for.
constexpr OperandRange kLadderRanges[] = {
    {600, 100, 355}, {605, 600, 727}, {607, 1316, 1827}, {611, 1300, 1304}, {602, 1000, 1063},
};

// The decimal number at text[from..] (reading stops at the first non-digit); -1 without digits.
int ReadNumber(const CString& text, int from)
{
    long long n = 0;
    int digits = 0;
    for (int i = from; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9' && digits < 9; ++i, ++digits)
        n = n * 10 + (text[i] - L'0');
    return digits ? int(n) : -1;
}

} // namespace

const int CIOSN::kTypeCodes[6] = {600, 605, 607, 611, 602, kFunctionBlock};

BEGIN_MESSAGE_MAP(CIOSN, CDialog)
    ON_CONTROL(CBN_SELCHANGE, kIdType, OnTypeSelChange)
    ON_NOTIFY(GVN_BEGINLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_NOTIFY(GVN_ENDLABELEDIT, kIdGrid, OnGridLabelEdit)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
END_MESSAGE_MAP()

CIOSN::CIOSN(CTavixDoc* pDoc, CWnd* pParent) : CDialog(IDD_MT_IOSN, pParent), m_pDoc(pDoc) {}

int CIOSN::GetMachineType() const
{
    return m_pDoc ? m_pDoc->GetMachineType() : 0;
}

int CIOSN::GetAcceptedCharClass() const
{
    const int charset = m_pDoc ? (m_nSet == 1 ? m_pDoc->m_nTextSet2 : m_pDoc->m_nTextSet1) : 2;
    return charset == 0 || charset == 1 ? 1 : 2;
}

int CIOSN::GetCharClass(wchar_t ch) const
{
    return ::GetCharClass(ch);
}

int CIOSN::TypeOfOperand(int nNumber)
{
    for (const OperandRange& r : kLadderRanges)
        if (nNumber >= r.first && nNumber <= r.last)
            return r.type;
    return 0;
}

CString CIOSN::EntryOfNumber(int n, int nType, int nBlockType)
{
    CString s;
    switch (nType) {
    case 600: s.Format(L"I%d%02d", (n - 100) / 32, (n - 100) % 32); break;
    case 605: s.Format(L"Q%d%02d", (n - 600) / 16, (n - 600) % 16); break;
    case 607: s.Format(L"M%03d", n - 1316); break;
    case 611: s.Format(L"F%d", n - 1300); break;
    case 602: s.Format(L"S%d.%d", (n - 1000) / 16, (n - 1000) % 16); break;
    default: s.Format(L"B%04d%s", n - 9000, GetBlockTypeName(nBlockType).GetString()); break;
    }
    return s;
}

int CIOSN::NumberOfEntry(const CString& entry, int nType, BOOL bLadder)
{
    if (entry.IsEmpty())
        return -1;
    if (bLadder) {
        switch (entry[0]) {
        case L'I': nType = 600; break;
        case L'Q': nType = 605; break;
        case L'M': nType = 607; break;
        case L'F': nType = 611; break;
        case L'S': nType = 602; break;
        case L'B': nType = kFunctionBlock; break;
        default: return -1;
        }
    }
    const int d = ReadNumber(entry, 1);
    if (d < 0)
        return -1;
    switch (nType) {
    case 600: return (d / 100) * 32 + d % 100 + 100;
    case 605: return (d / 100) * 16 + d % 100 + 600;
    case 607: return d + 1316;
    case 611: return d + 1300;
    case 602: {
        const int dot = entry.Find(L'.');
        const int bit = dot > 0 ? ReadNumber(entry, dot + 1) : -1;
        return bit < 0 ? -1 : bit + 16 * d + 1000;
    }
    default: return d + 9000;
    }
}

void CIOSN::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdType, m_cbType);
    DDX_Control(pDX, kIdNumber, m_cbNumber);
    DDX_Control(pDX, kIdGrid, m_grid);
    DDX_CBIndex(pDX, kIdType, m_nTypeIndex);
    DDX_CBIndex(pDX, kIdNumber, m_nNumberIndex);
}

BOOL CIOSN::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_grid.SetFieldOwner(this);
    m_grid.m_bDragDropEnabled = TRUE;
    m_grid.GetDefaultCell(FALSE, FALSE)->SetBackColour(RGB(255, 255, 224));
    m_grid.m_bEditingAllowed = TRUE;
    m_grid.SetVirtualMode(FALSE);
    m_grid.m_bRunMode = FALSE;
    CMsgTextGrid::Load(m_grid, kRows, kCols, m_strStatusName, kCols, RGB(0, 0, 0), TRUE);
    m_grid.SetFocusCell(1, 1);
    CMsgTextGrid::HideHeaders(m_grid);

    m_cbType.ResetContent();
    for (UINT i = 0; i < 6; ++i)
        m_cbType.AddString(msgtext::Res(IDS_MT_IO_TYPE_FIRST + i));
    int type = 0;
    if (m_pWidget) {
        if (m_pWidget->m_pBlock)
            type = m_pWidget->m_pBlock->m_nType;
        else if (m_pDoc && m_pDoc->IsLadder())
            type = TypeOfOperand(m_pWidget->m_nNumber);
        int index = 5;
        for (int i = 0; i < 5; ++i)
            if (kTypeCodes[i] == type)
                index = i;
        m_cbType.SetCurSel(index);
    } else {
        m_cbType.SetCurSel(0);
    }
    OnTypeSelChange();
    return TRUE;
}

void CIOSN::OnTypeSelChange()
{
    if (!m_pDoc)
        return;
    m_cbNumber.ResetContent();
    const int sel = m_cbType.GetCurSel();
    const int type = sel >= 0 && sel < 6 ? kTypeCodes[sel] : 600;
    const BOOL ladder = m_pDoc->IsLadder();
    CString own;
    for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos));
        CString entry;
        if (type == kFunctionBlock) {
            if (CTavixDoc::GetBlockKind(p->m_nType) != KIND_FUNCTION || (p->m_byOptions & OPT_WORD_OUTPUT))
                continue;
            entry = EntryOfNumber(p->m_nNumber, type, p->m_nType);
        } else if (!ladder) {
            if (p->m_nType != type)
                continue;
            entry = EntryOfNumber(p->m_nNumber, type, p->m_nType);
        } else {
            if (TypeOfOperand(p->m_nOperand) != type)
                continue;
            entry = EntryOfNumber(p->m_nOperand, type, p->m_nType);
        }
        if (m_cbNumber.FindStringExact(-1, entry) < 0)
            m_cbNumber.AddString(entry);
        if (m_pWidget && m_pWidget->m_pBlock == p)
            own = entry;
    }
    if (!own.IsEmpty())
        m_cbNumber.SetCurSel(m_cbNumber.FindStringExact(-1, own));
    if (m_cbNumber.GetCurSel() < 0 && m_cbNumber.GetCount() > 0)
        m_cbNumber.SetCurSel(0);
}

void CIOSN::OnOK()
{
    const int sel = m_cbNumber.GetCurSel();
    CString entry;
    if (sel >= 0)
        m_cbNumber.GetLBText(sel, entry);
    const int typeSel = m_cbType.GetCurSel();
    const int type = typeSel >= 0 && typeSel < 6 ? kTypeCodes[typeSel] : 600;
    const int number = NumberOfEntry(entry, type, m_pDoc && m_pDoc->IsLadder());
    if (sel < 0 || number < 0) {
        MessageBox(msgtext::Res(IDS_MT_IOSN_INVALID), nullptr, MB_OK | MB_ICONSTOP);
        return;
    }
    if (m_grid.IsCellBeingEdited(m_grid.GetFocusCell().row, m_grid.GetFocusCell().col))
        m_grid.SetFocus();
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c < kCols; ++c) {
            const CString text = m_grid.GetItemText(r, c);
            m_strStatusName[r * kCols + c] = text.IsEmpty() ? CString(L" ") : text.Left(1);
        }
    m_nNumber = number;
    if (m_pWidget) {
        m_pWidget->m_nNumber = number;
        m_pWidget->m_pBlock = m_pDoc ? m_pDoc->FindBlockByNumber(number) : nullptr;
        if (m_pWidget->m_pBlock) {
            const std::vector<int> items = GetShownItems(m_pWidget->m_pBlock->m_nType, 0x51);
            if (!items.empty())
                m_pWidget->m_nItem = items.front();
        }
    }
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
