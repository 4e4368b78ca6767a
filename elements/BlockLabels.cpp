// Element labels and comment texts as painting shows them.
#include "elements/BlockLabels.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/ElementTextCache.h"

namespace {

struct Entry {
    const wchar_t* prefix;
    int base;
    int divisor;  // 0: none
};

// I/O elements 600-611: prefix, base and divisor of the number.
const Entry kIoEntries[12] = {
    {L"I", 100, 32},   {L"C", 1280, 0},  {L"S", 1000, 16}, {L"lo", 1870, 0},
    {L"hi", 2900, 0},  {L"Q", 600, 16},  {L"X", 4800, 0},  {L"M", 1316, 0},
    {L"AI", 4000, 8},  {L"AQ", 4230, 4}, {L"AM", 4288, 0}, {L"F", 1300, 0},
};

CString NameSuffix(const CBlockObj& b)
{
    return b.m_strName.IsEmpty() ? CString() : CString(L" ") + b.m_strName;
}

// The operand of the element numbered n, when the document holds it.
bool OperandOf(const CTavixDoc* pDoc, int n, int* pOperand)
{
    const CBlockObj* pTarget = pDoc ? pDoc->FindBlockByNumber(n) : nullptr;
    if (!pTarget)
        return false;
    *pOperand = pTarget->m_nOperand;
    return true;
}

CString LadderLabel(const CBlockObj& b, const CTavixDoc* pDoc)
{
    // Entries of the six ladder types 700-705, replaced by what the operand names.
    Entry e[6] = {{L"I", 100, 0}, {L"I", 100, 0}, {L"AI", 4000, 0},
                  {L"Q", 600, 0}, {L"Q", 600, 0}, {L"AQ", 4230, 0}};
    auto set = [&](std::initializer_list<int> types, Entry entry) {
        for (int t : types)
            e[t - TYPE_MAKE] = entry;
    };
    int divisor = 0;
    int u = b.m_nOperand;
    int v = 0;
    if (u >= NUM_AOUT_LAD) {
        if (OperandOf(pDoc, u, &v)) {
            u = v;
            if (v >= 4288 && v <= 4799) {
                set({702}, {L"AM", 4288, 0});
            } else if (v >= 4230 && v <= 4261) {
                set({702}, {L"AQ", 4230, 0});
                divisor = 4;
            }
        }
    } else if (u >= NUM_COIL) {
        if (OperandOf(pDoc, u, &v)) {
            u = v;
            if (v >= 1316 && v <= 1827) {
                set({700, 701}, {L"M", 1316, 0});
            } else if (v >= 600 && v <= 727) {
                set({700, 701}, {L"Q", 600, 0});
                divisor = 16;
            }
        }
    } else {
        struct Row {
            int from;
            int types[4];  // ladder types whose entry is replaced; 0 ends the list
            Entry entry;  // a null prefix keeps the base and changes the prefix only
            const wchar_t* prefixOnly;
            int divisor;
        };
        static const Row rows[] = {
            {9000, {700, 701, 702}, {L"B", 9000, 0}, nullptr, 0},
            {4800, {703, 704}, {L"X", 4800, 0}, nullptr, 0},
            {4288, {705, 702}, {L"AM", 4288, 0}, nullptr, 0},
            {4230, {705, 702}, {L"AQ", 4230, 0}, nullptr, 4},
            {4000, {702}, {L"AI", 4000, 0}, nullptr, 8},
            {2900, {700, 701}, {nullptr, 0, 0}, L"High", 0},
            {1870, {700, 701}, {nullptr, 0, 0}, L"Low", 0},
            {1316, {700, 701, 703, 704}, {L"M", 1316, 0}, nullptr, 0},
            {1300, {700, 701}, {L"F", 1300, 0}, nullptr, 0},
            {1000, {700, 701}, {L"S", 1000, 0}, nullptr, 16},
            {600, {700, 701, 703, 704}, {L"Q", 600, 0}, nullptr, 16},
            {100, {700, 701}, {L"I", 100, 0}, nullptr, 32},
        };
        for (const Row& row : rows) {
            if (u < row.from)
                continue;
            for (int t : row.types) {
                if (t == 0)
                    break;
                if (row.prefixOnly)
                    e[t - TYPE_MAKE].prefix = row.prefixOnly;
                else
                    e[t - TYPE_MAKE] = row.entry;
            }
            divisor = row.divisor;
            break;
        }
    }
    const Entry& own = e[b.m_nType - TYPE_MAKE];
    CString label;
    if (divisor != 0) {
        const int rel = u - own.base;
        if (u >= 1000 && u <= 1063)
            label.Format(L"%s%d.%d", own.prefix, rel / divisor, rel % divisor);
        else
            label.Format(L"%s%d%02d", own.prefix, rel / divisor, rel % divisor);
    } else if (u >= 1870 && u <= 3899) {
        label = own.prefix;
    } else {
        label.Format(L"%s%d", own.prefix, u - own.base);
    }
    return label;
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

CString OperandComment(const CTavixDoc* pDoc, int operand)
{
    CString text;
    if (pDoc)
        pDoc->m_operandComments.Lookup(operand, text);
    return text;
}

CString BlockComment(const CTavixDoc* pDoc, int number)
{
    const CBlockObj* pBlock = pDoc ? pDoc->FindBlockByNumber(number) : nullptr;
    return pBlock ? pBlock->m_strComment : CString();
}

}  // namespace

CString BuildElementLabel(const CBlockObj& b, const CTavixDoc* pDoc)
{
    const int t = b.m_nType;
    CString label;
    if ((t >= 300 && t <= 599) || (t >= 800 && t <= 910)) {
        label.Format(L"B%d%s", b.m_nNumber - NUM_FUNCTION, NameSuffix(b).GetString());
    } else if (t >= 911 && t <= 999) {
        label.Format(L"L%d%s", b.m_nNumber - NUM_DATALOG, NameSuffix(b).GetString());
    } else if (t >= TYPE_INPUT && t <= TYPE_FKEY) {
        const Entry& e = kIoEntries[t - TYPE_INPUT];
        const int rel = b.m_nNumber - e.base;
        if (t == TYPE_SHIFT_BIT)
            label.Format(L"%s%d.%d", e.prefix, rel / 16, rel % 16);
        else if (e.divisor != 0)
            label.Format(L"%s%d%02d", e.prefix, rel / e.divisor, rel % e.divisor);
        else
            label.Format(L"%s%d", e.prefix, rel);
    } else if (t >= TYPE_MAKE && t <= TYPE_AOUT_LAD) {
        label = LadderLabel(b, pDoc);
    }
    return label;
}

const CString& CachedElementLabel(const CBlockObj& b, const CTavixDoc* pDoc)
{
    ElementTextCache& cache = b.TextCache();
    const bool own = !(b.m_nType >= TYPE_MAKE && b.m_nType <= TYPE_AOUT_LAD);
    if (!own || !cache.labelSet || cache.labelType != b.m_nType || cache.labelNumber != b.m_nNumber ||
        cache.labelName != b.m_strName) {
        cache.label = BuildElementLabel(b, pDoc);
        cache.labelSet = own;
        cache.labelType = b.m_nType;
        cache.labelNumber = b.m_nNumber;
        cache.labelName = b.m_strName;
    }
    return cache.label;
}

CString GetElementCommentText(const CBlockObj& b, const CTavixDoc* pDoc)
{
    const int u = b.m_nOperand;
    switch (b.m_nType) {
    case TYPE_MAKE:
    case TYPE_BREAK:
        if (InRange(u, 100, 355) || InRange(u, 1300, 1304) || InRange(u, 1000, 1063) || InRange(u, 1870, 2869) ||
            InRange(u, 2900, 3899))
            return OperandComment(pDoc, u);
        if (InRange(u, 21000, 21767)) {
            int v = 0;
            return OperandOf(pDoc, u, &v) ? OperandComment(pDoc, v) : CString();
        }
        if (InRange(u, 9000, 10999))
            return BlockComment(pDoc, u);
        return CString();
    case TYPE_ACONTACT:
        if (InRange(u, 4000, 4127))
            return OperandComment(pDoc, u);
        if (InRange(u, 22000, 22543)) {
            int v = 0;
            return OperandOf(pDoc, u, &v) ? OperandComment(pDoc, v) : CString();
        }
        if (InRange(u, 9000, 10999))
            return BlockComment(pDoc, u);
        return CString();
    case TYPE_COIL:
    case TYPE_INV_OUT:
    case TYPE_AOUT_LAD: return OperandComment(pDoc, u);
    default: return b.m_strComment;
    }
}
