// The candidate lists of the block pages: blocks a parameter may take its value from, and
// blocks whose value a memory block or the data log can store. Each entry is "B" plus the
// block's position in the function-block range plus the type's bracketed name.
#include "document/TavixDoc.h"

#include "elements/BlockLogic.h"
#include "elements/BlockObj.h"
#include "platform/ui/controls/CtlStd.h"
#include "platform/ui/core/Wnd.h"
#include "shell/MainFrame.h"

namespace {

CString EntryText(const CBlockObj* pBlock)
{
    CString name;
    g_mapBlockTypeName.Lookup(pBlock->m_nType, name);
    CString text;
    text.Format(L"B%d%s", pBlock->m_nNumber - NUM_FUNCTION, name.GetString());
    return text;
}

// Adds each entry to a combo box (CB_ADDSTRING) or list box (LB_ADDSTRING); nothing is cleared.
void AddEntries(CWnd* pControl, UINT nAddMessage, const CStringArray& entries)
{
    if (pControl == nullptr)
        return;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        pControl->SendMessage(nAddMessage, 0, reinterpret_cast<LPARAM>(entries[i].GetString()));
}

bool IsPlainFunctionBlock(const CBlockObj* pBlock)
{
    return CTavixDoc::GetBlockKind(pBlock->m_nType) == KIND_FUNCTION &&
           !pBlock->IsKindOf(RUNTIME_CLASS(CBlockLogic));
}

} // namespace

void CTavixDoc::GetBlockReferenceEntries(int nSkipNumber, CStringArray& entries) const
{
    const bool newModel = IsNewModel();
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber == nSkipNumber)
            continue;
        bool offered;
        if (newModel) {
            offered = IsPlainFunctionBlock(pBlock) && (pBlock->m_byOptions & OPT_REFERABLE);
        } else {
            const int type = pBlock->m_nType;
            offered = type == 800 || type == 803 || type == 804 || type == 805;
        }
        if (offered)
            entries.Add(EntryText(pBlock));
    }
}

void CTavixDoc::GetStorableBlockEntries(int nSkipNumber, CStringArray& entries) const
{
    for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;) {
        const CBlockObj* pBlock = static_cast<const CBlockObj*>(m_blocks.GetNext(pos));
        if (pBlock->m_nNumber != nSkipNumber && IsPlainFunctionBlock(pBlock) &&
            (pBlock->m_byOptions & OPT_STORABLE))
            entries.Add(EntryText(pBlock));
    }
}

void CTavixDoc::FillBlockComboBox(int nSkipNumber, CWnd* pCombo) const
{
    CStringArray entries;
    GetBlockReferenceEntries(nSkipNumber, entries);
    AddEntries(pCombo, CB_ADDSTRING, entries);
}

void CTavixDoc::FillMemBlockComboBox(int nSkipNumber, CWnd* pCombo) const
{
    CStringArray entries;
    GetStorableBlockEntries(nSkipNumber, entries);
    AddEntries(pCombo, CB_ADDSTRING, entries);
}

void CTavixDoc::FillDataLogBlockComboBox(int nSkipNumber, CWnd* pList) const
{
    CStringArray entries;
    GetStorableBlockEntries(nSkipNumber, entries);
    AddEntries(pList, LB_ADDSTRING, entries);
}
