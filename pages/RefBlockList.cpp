// Block list entries and the run-time lists that hold them.
#include "pages/RefBlockList.h"

#include "document/TavixDoc.h"
#include "elements/BlockObj.h"

#include <cwchar>

int BlockNumberOfEntry(const CString& text)
{
    if (text.GetLength() < 2)
        return -1;
    const wchar_t* digits = text.GetString() + 1;
    if (*digits < L'0' || *digits > L'9')
        return -1;
    return 9000 + int(wcstol(digits, nullptr, 10));
}

int SelectBlockEntry(CComboBox& combo, const CBlockObj* pBlock)
{
    if (combo.GetSafeHwnd() == nullptr)
        return -1;
    int sel = combo.GetCount() > 0 ? 0 : -1;
    for (int i = 0; pBlock && i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        if (BlockNumberOfEntry(text) == pBlock->m_nNumber) {
            sel = i;
            break;
        }
    }
    combo.SetCurSel(sel);
    return sel;
}

CBlockObj* SelectedBlock(CComboBox& combo, const CTavixDoc* pDoc)
{
    if (pDoc == nullptr || combo.GetSafeHwnd() == nullptr)
        return nullptr;
    const int sel = combo.GetCurSel();
    if (sel < 0)
        return nullptr;
    CString text;
    combo.GetLBText(sel, text);
    const int number = BlockNumberOfEntry(text);
    return number < 0 ? nullptr : pDoc->FindBlockByNumber(number);
}

void CreateBlockList(CComboBox& combo, CWnd* pParent, const CRect& rc, UINT nID, BOOL bVisible)
{
    combo.Create(WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | (bVisible ? WS_VISIBLE : 0), rc, pParent, nID);
    combo.SetFont(pParent->GetFont());
}

void CreateBlockListOver(CComboBox& combo, CWnd* pPage, UINT nFirst, UINT nLast, UINT nID)
{
    CWnd* pFirst = pPage->GetDlgItem(int(nFirst));
    CWnd* pLast = pPage->GetDlgItem(int(nLast));
    if (pFirst == nullptr || pLast == nullptr)
        return;
    CRect rc, rcEnd;
    pFirst->GetWindowRect(&rc);
    pLast->GetWindowRect(&rcEnd);
    rc.right = rcEnd.right;
    pPage->ScreenToClient(&rc);
    rc.bottom = rc.top + 200;
    CreateBlockList(combo, pPage, rc, nID, FALSE);
}

void FillBlockList(CComboBox& combo, const CTavixDoc* pDoc, int nBlockNumber, const CBlockObj* pSelect)
{
    if (combo.GetSafeHwnd() == nullptr)
        return;
    combo.ResetContent();
    if (pDoc)
        pDoc->FillBlockComboBox(nBlockNumber, &combo);
    SelectBlockEntry(combo, pSelect);
}

void ShowLiteralOrList(CWnd& page, std::initializer_list<UINT> literal, CComboBox& combo, BOOL bRef)
{
    for (UINT id : literal)
        if (CWnd* p = page.GetDlgItem(int(id)))
            p->ShowWindow(bRef ? SW_HIDE : SW_SHOW);
    if (combo.GetSafeHwnd())
        combo.ShowWindow(bRef ? SW_SHOW : SW_HIDE);
}

void ToggleReference(int& bRef, CBlockObj*& pBlock, CComboBox& combo, const CTavixDoc* pDoc)
{
    bRef = !bRef;
    pBlock = bRef ? SelectedBlock(combo, pDoc) : nullptr;
}
