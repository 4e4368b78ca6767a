#include "msgtext/MsgTextLists.h"

#include "document/NameTables.h"
#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "msgtext/MsgTextParamTable.h"
#include "shell/MainFrame.h"

namespace msgtext {

CString BracketedTypeName(int nType)
{
    CString name;
    if (g_mapBlockTypeName.IsEmpty())
        CMainFrame::BuildBlockNameMap();
    if (!g_mapBlockTypeName.Lookup(nType, name))
        name = GetBlockTypeName(nType);
    return name;
}

CString BlockEntry(const CBlockObj* pBlock)
{
    CString entry;
    if (pBlock)
        entry.Format(L"B%d%s", pBlock->m_nNumber - 9000, BracketedTypeName(pBlock->m_nType).GetString());
    return entry;
}

int BlockNumberOfEntry(const CString& entry)
{
    long long n = 0;
    int digits = 0;
    for (int i = 1; i < entry.GetLength() && entry[i] >= L'0' && entry[i] <= L'9' && digits < 9; ++i, ++digits)
        n = n * 10 + (entry[i] - L'0');
    return digits == 0 ? -1 : int(n) + 9000;
}

std::vector<CBlockObj*> ActualValueBlocks(const CTavixDoc* pDoc)
{
    std::vector<CBlockObj*> blocks;
    if (!pDoc)
        return blocks;
    for (POSITION pos = pDoc->m_blocks.GetHeadPosition(); pos;) {
        auto* p = static_cast<CBlockObj*>(pDoc->m_blocks.GetNext(pos));
        if (p->m_byOptions & OPT_ACTUAL_VALUE)
            blocks.push_back(p);
    }
    return blocks;
}

CString ParamName(int nItem)
{
    if (g_astrParamNames.GetSize() < kParamNameCount)
        InitParamNameTable();
    return nItem >= 0 && nItem < g_astrParamNames.GetSize() ? g_astrParamNames[nItem] : CString();
}

std::vector<CString> AnalogValueNames(int nType)
{
    std::vector<CString> names;
    for (int item : GetAnalogValueItems(nType))
        names.push_back(ParamName(item));
    return names;
}

CString Res(UINT nId)
{
    CString s;
    s.LoadString(nId);
    return s;
}

} // namespace msgtext
