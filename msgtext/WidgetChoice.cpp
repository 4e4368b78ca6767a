#include "msgtext/WidgetChoice.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"
#include "msgtext/MsgTextLists.h"
#include "msgtext/MsgTextParamTable.h"
#include "msgtext/Widget.h"
#include "resources/resource.h"

#include <cwchar>

void CWidgetChoice::FillBlocks(const CTavixDoc* pDoc, CComboBox& blocks, const CBlockObj* pSelect)
{
    blocks.ResetContent();
    for (CBlockObj* p : msgtext::ActualValueBlocks(pDoc)) {
        const int index = blocks.AddString(msgtext::BlockEntry(p));
        if (p == pSelect)
            blocks.SetCurSel(index);
    }
}

void CWidgetChoice::FillValues(const CBlockObj* pBlock, CComboBox& values)
{
    values.ResetContent();
    if (!pBlock)
        return;
    for (const CString& name : msgtext::AnalogValueNames(pBlock->m_nType))
        values.AddString(name);
}

CBlockObj* CWidgetChoice::SelectedBlock(const CTavixDoc* pDoc, const CComboBox& blocks, int* pNumber)
{
    *pNumber = -1;
    const int sel = blocks.GetCurSel();
    if (sel < 0)
        return nullptr;
    CString entry;
    blocks.GetLBText(sel, entry);
    *pNumber = msgtext::BlockNumberOfEntry(entry);
    return pDoc && *pNumber >= 0 ? pDoc->FindBlockByNumber(*pNumber) : nullptr;
}

void CWidgetChoice::FillChoice(const CTavixDoc* pDoc, CComboBox& blocks, CComboBox& values, const CWidget* pField,
                               int nValueIndex)
{
    FillBlocks(pDoc, blocks, pField ? pField->m_pBlock : nullptr);
    values.ResetContent();
    if (pField)
        FillValues(pField->m_pBlock, values);
    values.SetCurSel(nValueIndex);
}

BOOL CWidgetChoice::TakeChoice(CWnd* pDlg, const CTavixDoc* pDoc, const CComboBox& blocks, CComboBox& values,
                               CBlockObj** ppBlock, int* pNumber)
{
    *ppBlock = SelectedBlock(pDoc, blocks, pNumber);
    // A block without analog values to show is no choice either.
    if (*pNumber < 0 || values.GetCount() == 0) {
        pDlg->MessageBox(msgtext::Res(IDS_MT_SELECT_BLOCK), nullptr, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    if (values.GetCurSel() < 0)
        values.SetCurSel(0);
    return TRUE;
}

void CWidgetChoice::OnBlockChanged(const CTavixDoc* pDoc, CComboBox& blocks, CComboBox& values)
{
    values.ResetContent();
    int number = -1;
    if (CBlockObj* p = SelectedBlock(pDoc, blocks, &number)) {
        FillValues(p, values);
        if (values.GetCurSel() < 0 && values.GetCount() > 0)
            values.SetCurSel(0);
    }
}

void CWidgetChoice::PointField(CWidget* pField, CBlockObj* pBlock, int nNumber, int nValueIndex)
{
    pField->m_nNumber = nNumber;
    pField->m_pBlock = pBlock;
    if (!pBlock)
        return;
    const std::vector<int> items = GetAnalogValueItems(pBlock->m_nType);
    if (nValueIndex >= 0 && nValueIndex < int(items.size()))
        pField->m_nItem = items[size_t(nValueIndex)];
}

void CWidgetChoice::ClampEdit(CWnd* pDlg, int nId)
{
    CString text;
    pDlg->GetDlgItemText(nId, text);
    if (text.IsEmpty() || text == L"-")
        return;
    const long long v = std::wcstoll(text.GetString(), nullptr, 10);
    if (v < -32768)
        pDlg->SetDlgItemText(nId, L"-32768");
    else if (v > 32767)
        pDlg->SetDlgItemText(nId, L"32767");
}
