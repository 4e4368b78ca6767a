// CSelectBlockDlg: list texts and sort keys per element kind (zero-padded keys, so B2 comes
// before B10), the search by the start of a name and the jump of the view to the element.
#include "pages/SelectBlockDlg.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "resources/resource.h"
#include "view/TavixView.h"

#include "platform/ui/core/MessageMap.h"

#include <algorithm>

namespace {

// The operand prefix, base and group size of a ladder contact or coil.
struct LadderOperand {
    const wchar_t* prefix;
    int base;
    int group;  // > 0 module and position, 0 a plain number, -1 no number
    int operand;
};

LadderOperand DescribeLadderOperand(const CTavixDoc& doc, const CBlockObj& block)
{
    const int t = block.m_nType;
    LadderOperand r{L"I", 100, 0, block.m_nOperand};
    if (t == 702)
        r = {L"AI", 4000, 0, block.m_nOperand};
    else if (t == 703 || t == 704)
        r = {L"Q", 600, 0, block.m_nOperand};
    else if (t == 705)
        r = {L"AQ", 4230, 0, block.m_nOperand};
    int j = block.m_nOperand;
    auto is = [t](std::initializer_list<int> types) { return std::find(types.begin(), types.end(), t) != types.end(); };
    // A contact on a coil's number reads the coil's operand.
    if (j >= 22000 && is({702})) {
        const CBlockObj* pCoil = doc.FindBlockByNumber(j);
        j = pCoil ? pCoil->m_nOperand : 0;
        if (j >= 4288)
            return {L"AM", 4288, 0, j};
        if (j >= 4230)
            return {L"AQ", 4230, 4, j};
        return {r.prefix, r.base, 0, j};
    }
    if (j >= 21000 && is({700, 701})) {
        const CBlockObj* pCoil = doc.FindBlockByNumber(j);
        j = pCoil ? pCoil->m_nOperand : 0;
        if (j >= 1316)
            return {L"M", 1316, 0, j};
        if (j >= 600)
            return {L"Q", 600, 16, j};
        return {r.prefix, r.base, 0, j};
    }
    struct Row {
        int from;
        const wchar_t* prefix;
        int base;
        int group;
        std::initializer_list<int> types;
    };
    static const Row rows[] = {
        {9000, L"B", 9000, 0, {700, 701, 702}},     {4800, L"X", 4800, 0, {703}},
        {4288, L"AM", 4288, 0, {702, 705}},         {4230, L"AQ", 4230, 4, {702, 705}},
        {4000, L"AI", 4000, 8, {702}},              {2900, L"High", 0, -1, {700, 701}},
        {1870, L"Low", 0, -1, {700, 701}},          {1316, L"M", 1316, 0, {700, 701, 703, 704}},
        {1300, L"F", 1300, 0, {700, 701, 703, 704}}, {1000, L"S", 1000, 16, {700, 701}},
        {600, L"Q", 600, 16, {700, 701, 703, 704}}, {100, L"I", 100, 32, {700, 701, 703}},
    };
    for (const Row& row : rows)
        if (j >= row.from && std::find(row.types.begin(), row.types.end(), t) != row.types.end())
            return {row.prefix, row.base, row.group, j};
    return {r.prefix, r.base, 0, j};
}

}  // namespace

BEGIN_MESSAGE_MAP(CSelectBlockDlg, CDialog)
ON_CONTROL(EN_CHANGE, IDC_SELECT_SEARCH, OnSearchChanged)
ON_CONTROL(LBN_SELCHANGE, IDC_SELECT_LIST, OnSelChange)
ON_CONTROL(LBN_DBLCLK, IDC_SELECT_LIST, OnDblClk)
END_MESSAGE_MAP()

CSelectBlockDlg::CSelectBlockDlg(CTavixView* pView, CWnd* pParent) : CDialog(IDD_SELECT_BLOCK, pParent), m_pView(pView) {}

BOOL CSelectBlockDlg::DescribeElement(const CTavixDoc& doc, const CBlockObj& block, CString* pText, CString* pKey)
{
    const int t = block.m_nType;
    const int n = block.m_nNumber;
    if (t >= 900)
        return FALSE;
    CString name;
    g_mapBlockTypeNames.Lookup(t, name);
    const wchar_t* s = name.GetString();
    if ((t >= 300 && t <= 599) || (t >= 800 && t <= 899)) {
        pText->Format(L"B%d%s", n - 9000, s), pKey->Format(L"B%04d%s", n - 9000, s);
    } else if (t >= 700 && t <= 705) {
        const LadderOperand o = DescribeLadderOperand(doc, block);
        const int k = o.operand - o.base;
        if (o.group > 0) {
            pText->Format(o.base == 1000 ? L"%s%d.%02d%s" : L"%s%d%02d%s", o.prefix, k / o.group, k % o.group, s);
            pKey->Format(L"%s%d%02d%s%05d", o.prefix, k / o.group, k % o.group, s, n);
        } else if (o.group < 0) {
            pText->Format(L"%s%s", o.prefix, s), pKey->Format(L"%s%s%05d", o.prefix, s, n);
        } else {
            pText->Format(L"%s%d%s", o.prefix, k, s), pKey->Format(L"%s%04d%s%05d", o.prefix, k, s, n);
        }
    } else {
        struct Io {
            int type;
            const wchar_t* prefix;
            int base;
            int group;  // > 0 module and position, 0 a plain number
        };
        static const Io io[] = {{600, L"I", 100, 32},   {602, L"S", 1000, 16}, {603, L"Low", 1870, 0},
                                {604, L"High", 2900, 0}, {605, L"Q", 600, 16},  {606, L"X", 4800, 0},
                                {607, L"M", 1316, 0},   {608, L"AI", 4000, 8}, {609, L"AQ", 4230, 4},
                                {610, L"AM", 4288, 0},  {611, L"F", 1300, 0}};
        const Io* p = std::find_if(std::begin(io), std::end(io), [t](const Io& e) { return e.type == t; });
        if (p == std::end(io)) {
            // Elements without a letter of their own (the cursor keys and the like) show their
            // type and number, and sort after the lettered ones.
            pText->Format(L"%s %d", s, n), pKey->Format(L"~%s%05d", s, n);
            return TRUE;
        }
        const int k = n - p->base;
        if (p->group > 0)
            pText->Format(t == 602 ? L"%s%d.%d%s" : L"%s%d%02d%s", p->prefix, k / p->group, k % p->group, s);
        else
            pText->Format(L"%s%d%s", p->prefix, k, s);
        pKey->Format(t == 611 ? L"%s%d%s" : L"%s%04d%s", p->prefix, k, s);
    }
    return TRUE;
}

BOOL CSelectBlockDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_SELECT_LIST, this);
    m_list.ResetContent();
    m_numbers.clear();
    const CTavixDoc* pDoc = m_pView ? m_pView->GetDocument() : nullptr;
    if (pDoc == nullptr)
        return TRUE;
    struct Entry {
        CString key;
        int number;
        CString text;
    };
    std::vector<Entry> entries;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos != nullptr;) {
        const auto* pBlock = static_cast<const CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        Entry e{CString(), pBlock->m_nNumber, CString()};
        if (DescribeElement(*pDoc, *pBlock, &e.text, &e.key))
            entries.push_back(e);
    }
    // Ordinal order of the keys; equal keys keep the document's order.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return wcscmp(a.key.GetString(), b.key.GetString()) < 0; });
    for (const Entry& e : entries) {
        m_list.AddString(e.text);
        m_numbers.push_back(e.number);
    }
    return TRUE;
}

void CSelectBlockDlg::GoTo(int index)
{
    if (m_pView && index >= 0 && index < int(m_numbers.size()) && m_numbers[size_t(index)] != -1)
        m_pView->GoToBlock(m_numbers[size_t(index)]);
}

void CSelectBlockDlg::OnSearchChanged()
{
    CString text;
    GetDlgItemText(IDC_SELECT_SEARCH, text);
    text.MakeUpper();
    const int index = m_list.FindString(-1, text);
    if (index < 0)
        return;
    m_list.SetCurSel(index);
    GoTo(index);
}

void CSelectBlockDlg::OnSelChange() { GoTo(m_list.GetCurSel()); }

void CSelectBlockDlg::OnDblClk()
{
    GoTo(m_list.GetCurSel());
    EndDialog(IDOK);
}
