// Helpers of the timer, clock, counter, I/O and communication page tests: working a page's
// controls the way a user does (a list choice, a click) and reading what it shows.
#pragma once

#include "PagesTestSupport.h"

#include <string>

namespace pagestest {

// Picks entry `pos` of a list on a page and tells the page, as a user's choice does.
inline void Pick(CWnd* pPage, UINT nID, int pos)
{
    CWnd* pList = pPage->GetDlgItem(int(nID));
    ASSERT_NE(pList, nullptr) << nID;
    pList->SendMessage(CB_SETCURSEL, WPARAM(pos), 0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pList->GetSafeHwnd()));
}

// Clicks a button or check box of a page (a check box changes its state first).
inline void Click(CWnd* pPage, UINT nID)
{
    CWnd* pButton = pPage->GetDlgItem(int(nID));
    ASSERT_NE(pButton, nullptr) << nID;
    const LRESULT style = pButton->GetStyle() & 0x0F;
    if (style == BS_AUTOCHECKBOX)
        pButton->SendMessage(BM_SETCHECK, pButton->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    if (style == BS_AUTORADIOBUTTON)
        pButton->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pButton->GetSafeHwnd()));
}

inline int Selection(CWnd* pPage, UINT nID)
{
    CWnd* p = pPage->GetDlgItem(int(nID));
    return p ? int(p->SendMessage(CB_GETCURSEL, 0, 0)) : -1;
}

inline int Count(CWnd* pPage, UINT nID)
{
    CWnd* p = pPage->GetDlgItem(int(nID));
    return p ? int(p->SendMessage(CB_GETCOUNT, 0, 0)) : -1;
}

inline std::wstring Entry(CWnd* pPage, UINT nID, int pos)
{
    CWnd* pList = pPage->GetDlgItem(int(nID));
    if (pList == nullptr)
        return L"";
    const int len = int(pList->SendMessage(CB_GETLBTEXTLEN, WPARAM(pos), 0));
    if (len < 0)
        return L"";
    std::wstring text(size_t(len) + 1, L'\0');
    pList->SendMessage(CB_GETLBTEXT, WPARAM(pos), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(len));
    return text;
}

inline bool Checked(CWnd* pPage, UINT nID)
{
    CWnd* p = pPage->GetDlgItem(int(nID));
    return p && p->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace pagestest
