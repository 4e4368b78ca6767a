// CPropPageLadIO: contacts read inputs, keys, signals, shift register bits, the outputs and flags
// that coils drive and function blocks; coils drive the outputs, flags and open connectors that
// no other element holds.
#include "pages/PropPageLadIO.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "resources/resource.h"

#include "platform/ui/core/MessageMap.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr UINT kList = 1230, kFind = 1040;

CString TypeName(int nType)
{
    CString name;
    g_mapBlockTypeNames.Lookup(nType, name);
    return name;
}

CString Entry(const wchar_t* format, int a, int b, int nType)
{
    CString text;
    text.Format(format, a, b, TypeName(nType).GetString());
    return text;
}

int Digits(const CString& text, int nSkip, int nCount)
{
    if (text.GetLength() <= nSkip)
        return 0;
    return int(std::wcstol(CString(text.Mid(nSkip, nCount)).GetString(), nullptr, 10));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPropPageLadIO, CPropertyPage)
ON_CONTROL(LBN_DBLCLK, 1230, OnOperandDblClk)
ON_CONTROL(LBN_SELCHANGE, 1230, OnSelChange)
ON_CONTROL(EN_CHANGE, 1040, OnFindTextChanged)
END_MESSAGE_MAP()

CPropPageLadIO::CPropPageLadIO() : CPropertyPage(IDD_LADDER_OPERAND) { m_psp.dwFlags |= PSP_HASHELP; }

void CPropPageLadIO::AddSorted(std::multimap<int, CString>& entries) const
{
    auto* self = const_cast<CPropPageLadIO*>(this);
    for (const auto& [key, text] : entries)
        self->SendDlgItemMessage(kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    entries.clear();
}

void CPropPageLadIO::FillList()
{
    auto add = [this](const CString& text) { SendDlgItemMessage(kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString())); };
    const BOOL bNew = m_pDoc->IsNewModel();
    std::multimap<int, CString> sorted;
    auto each = [this](auto fn) {
        for (POSITION pos = m_pDoc->m_blocks.GetHeadPosition(); pos;)
            fn(*static_cast<CBlockObj*>(m_pDoc->m_blocks.GetNext(pos)));
    };
    if (m_nBlockType == 700 || m_nBlockType == 701) {
        for (int i = 0; i < 256; ++i)
            if (i % 32 < 16)
                add(Entry(L"I%d%02d%s", i / 32, i % 32, 600));
        if (bNew)
            for (int k = 0; k < 5; ++k) {
                CString t;
                t.Format(L"F%d%s", k, TypeName(611).GetString());
                add(t);
            }
        add(L"High" + TypeName(604));
        add(L"Low" + TypeName(603));
        for (int i = 0; i < (bNew ? 64 : 16); ++i)
            add(Entry(L"S%d.%d%s", i / 16, i % 16, 602));
        each([&](const CBlockObj& b) {
            const BOOL coil = b.m_nType == 703 || b.m_nType == 704;
            CString t;
            if (coil && b.m_nOperand >= 1316 && b.m_nOperand <= 1827) {
                t.Format(L"M%d%s", b.m_nOperand - 1316, TypeName(607).GetString());
                sorted.emplace(b.m_nOperand, t);
            } else if (coil && b.m_nOperand >= 600 && b.m_nOperand <= 727) {
                sorted.emplace(b.m_nOperand, Entry(L"Q%d%02d%s", (b.m_nOperand - 600) / 16, (b.m_nOperand - 600) % 16, 605));
            } else if (CTavixDoc::GetBlockKind(b.m_nType) == 2 && !(b.m_byOptions & 0x20)) {
                t.Format(L"B%d%s", b.m_nNumber - 9000, TypeName(b.m_nType).GetString());
                sorted.emplace(b.m_nNumber, t);
            }
        });
        AddSorted(sorted);
    } else if (m_nBlockType == 702) {
        for (int i = 0; i < 64; ++i)
            add(Entry(L"AI%d%02d%s", i / 8, i % 8, 608));
        each([&](const CBlockObj& b) {
            CString t;
            if (b.m_nType == 705 && b.m_nOperand >= 4288 && b.m_nOperand <= 4799)
                t.Format(L"AM%d%s", b.m_nOperand - 4288, TypeName(610).GetString()), sorted.emplace(b.m_nOperand, t);
            else if (b.m_nType == 705 && b.m_nOperand >= 4230 && b.m_nOperand <= 4261)
                sorted.emplace(b.m_nOperand, Entry(L"AQ%d%02d%s", (b.m_nOperand - 4230) / 4, (b.m_nOperand - 4230) % 4, 609));
            else if (CTavixDoc::GetBlockKind(b.m_nType) == 2 && (b.m_byOptions & 0x20))
                t.Format(L"B%d%s", b.m_nNumber - 9000, TypeName(b.m_nType).GetString()), sorted.emplace(b.m_nNumber, t);
        });
        AddSorted(sorted);
    } else {
        // Coils: the operands no other element holds (the element's own stays offered).
        auto state = [&](int operand) {
            int s = 0;
            each([&](const CBlockObj& b) {
                if (b.m_nOperand == operand)
                    s = operand == m_nOperand ? 2 : (s == 2 ? 2 : 1);
            });
            return s;
        };
        CString t;
        if (m_nBlockType == 705) {
            for (int i = 0; i < 512; ++i)
                if (state(4288 + i) != 1)
                    t.Format(L"AM%d%s", i, TypeName(610).GetString()), add(t);
            for (int i = 0; i < 32; ++i)
                if (state(4230 + i) != 1)
                    add(Entry(L"AQ%d%02d%s", i / 4, i % 4, 705));
            return;
        }
        for (int i = 0; i < 512; ++i)
            if (state(1316 + i) != 1)
                t.Format(L"M%d%s", i, TypeName(607).GetString()), add(t);
        for (int i = 0; i < 128; ++i)
            if (i % 16 < 8 && state(600 + i) != 1)
                add(Entry(L"Q%d%02d%s", i / 16, i % 16, 605));
        BOOL bRead = FALSE;
        each([&](const CBlockObj& b) {
            if ((b.m_nType == 700 || b.m_nType == 701) && m_nElementNumber != 0 && b.m_nOperand == m_nElementNumber)
                bRead = TRUE;
        });
        if (!bRead)
            for (int i = 0; i < 128; ++i)
                if (state(4800 + i) != 1)
                    t.Format(L"X%d%s", i, TypeName(606).GetString()), add(t);
    }
}

CString CPropPageLadIO::OperandName() const
{
    int operand = m_nOperand;
    CString name;
    if (operand >= 21000 && m_pDoc) {
        // A contact on a coil or analog output element is named by what that element drives.
        if (const CBlockObj* p = m_pDoc->FindBlockByNumber(operand))
            operand = p->m_nOperand;
    }
    auto modular = [&](const wchar_t* prefix, int base, int per) {
        name.Format(L"%s%d%02d", prefix, (operand - base) / per, (operand - base) % per);
    };
    if (operand >= 9000)
        name.Format(L"B%d", operand - 9000);
    else if (operand >= 4800)
        name.Format(L"X%d", operand - 4800);
    else if (operand >= 4288)
        name.Format(L"AM%d", operand - 4288);
    else if (operand >= 4230)
        modular(L"AQ", 4230, 4);
    else if (operand >= 4000)
        modular(L"AI", 4000, 8);
    else if (operand >= 2900)
        name = L"High";
    else if (operand >= 1870)
        name = L"Low";
    else if (operand >= 1316)
        name.Format(L"M%d", operand - 1316);
    else if (operand >= 1300 && operand <= 1304)
        name.Format(L"F%d", operand - 1300);
    else if (operand >= 1000)
        name.Format(L"S%d.%d", (operand - 1000) / 16, (operand - 1000) % 16);
    else if (operand >= 600)
        modular(L"Q", 600, 16);
    else if (operand >= 100)
        modular(L"I", 100, 32);
    return name;
}

BOOL CPropPageLadIO::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SendDlgItemMessage(kList, LB_RESETCONTENT, 0, 0);
    if (m_pDoc) {
        FillList();
        const CString name = OperandName();
        const int pos = name.IsEmpty() ? -1
                                       : int(SendDlgItemMessage(kList, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(name.GetString())));
        if (pos >= 0)
            SendDlgItemMessage(kList, LB_SETTOPINDEX, WPARAM(pos), 0);
        else
            SendDlgItemMessage(kList, LB_SETCURSEL, 0, 0);
    }
    return TRUE;
}

int CPropPageLadIO::OperandOfEntry(const CString& text) const
{
    auto coilOf = [this](int address, std::initializer_list<int> types) {
        for (int type : types)
            if (const CBlockObj* p = m_pDoc ? m_pDoc->FindIOBlock(address, type) : nullptr)
                return p->m_nNumber;
        return -1;
    };
    const BOOL bContact = m_nBlockType >= 700 && m_nBlockType <= 702;
    auto starts = [&](const wchar_t* prefix) { return text.Left(int(std::wcslen(prefix))) == prefix; };
    if (starts(L"AI")) {
        const int v = Digits(text, 2, 3);
        return bContact ? 4000 + (v / 100) * 8 + v % 100 : -1;
    }
    if (starts(L"AQ")) {
        const int v = Digits(text, 2, 3), address = 4230 + (v / 100) * 4 + v % 100;
        return bContact ? coilOf(address, {705}) : address;
    }
    if (starts(L"AM")) {
        const int address = 4288 + Digits(text, 2, 3);
        return bContact ? coilOf(address, {705}) : address;
    }
    if (starts(L"High"))
        return bContact ? 2900 : -1;
    if (starts(L"Low"))
        return bContact ? 1870 : -1;
    if (starts(L"I"))
        return bContact ? [&] { const int v = Digits(text, 1, 3); return 100 + (v / 100) * 32 + v % 100; }() : -1;
    if (starts(L"F"))
        return bContact ? 1300 + Digits(text, 1, 2) : -1;
    if (starts(L"S"))
        return bContact ? 1000 + 16 * Digits(text, 1, 1) + Digits(text, 3, 2) : -1;
    if (starts(L"Q")) {
        const int v = Digits(text, 1, 3), address = 600 + (v / 100) * 16 + v % 100;
        return bContact ? coilOf(address, {703, 704}) : address;
    }
    if (starts(L"M")) {
        const int address = 1316 + Digits(text, 1, 3);
        return bContact ? coilOf(address, {703, 704}) : address;
    }
    if (starts(L"X"))
        return bContact ? -1 : 4800 + Digits(text, 1, 3);
    if (starts(L"B"))
        return bContact ? 9000 + Digits(text, 1, 4) : -1;
    return -1;
}

void CPropPageLadIO::GetSelectedOperand()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int sel = int(SendDlgItemMessage(kList, LB_GETCURSEL, 0, 0));
    if (sel < 0)
        return;
    const int len = int(SendDlgItemMessage(kList, LB_GETTEXTLEN, WPARAM(sel), 0));
    std::vector<wchar_t> buffer(size_t(std::max(len, 0)) + 1, L'\0');
    SendDlgItemMessage(kList, LB_GETTEXT, WPARAM(sel), reinterpret_cast<LPARAM>(buffer.data()));
    const int operand = OperandOfEntry(CString(buffer.data()));
    if (operand >= 0)
        m_nOperand = operand;
}

void CPropPageLadIO::OnOK()
{
    GetSelectedOperand();
    CPropertyPage::OnOK();
}

void CPropPageLadIO::OnOperandDblClk()
{
    if (CWnd* pSheet = GetParent())
        pSheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(pSheet->GetDlgItem(IDOK) ? pSheet->GetDlgItem(IDOK)->GetSafeHwnd() : nullptr));
}

void CPropPageLadIO::OnFindTextChanged()
{
    CString text;
    GetDlgItemText(kFind, text);
    text.MakeUpper();
    if (text.IsEmpty())
        return;
    const int pos = int(SendDlgItemMessage(kList, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(text.GetString())));
    if (pos >= 0)
        SendDlgItemMessage(kList, LB_SETCURSEL, WPARAM(pos), 0);
}
