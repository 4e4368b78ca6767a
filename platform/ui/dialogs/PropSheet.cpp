// CPropertySheet: layout (tab strip, page area, button row), page activation, OK, Cancel and
// Apply, and the messages pages send to their sheet.
#include "platform/ui/dialogs/PropSheet.h"

#include "platform/ui/controls/CtlViewClasses.h"
#include "platform/ui/dialogs/DlgInternal.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/AppIds.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
    ON_MESSAGE(PSM_QUERYSIBLINGS, HandleQuerySiblings)
    ON_MESSAGE(PSM_CHANGED, HandleChanged)
    ON_MESSAGE(PSM_UNCHANGED, HandleUnchanged)
    ON_MESSAGE(PSM_SETCURSEL, HandleSetCurSel)
    ON_MESSAGE(PSM_PRESSBUTTON, HandlePressButton)
    ON_MESSAGE(PSM_GETCURRENTPAGEHWND, HandleGetCurrentPage)
    ON_MESSAGE(PSM_GETTABCONTROL, HandleGetTabControl)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTcmInsertItemW = 0x1300 + 62;
constexpr UINT kTcmDeleteItem = 0x1300 + 8;
constexpr UINT kTcmSetCurSel = 0x1300 + 12;
constexpr UINT kTcmGetCurSel = 0x1300 + 11;
constexpr UINT kTcnSelChange = 0u - 551u;
constexpr UINT kTcnSelChanging = 0u - 552u;

struct TabItem {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};

// Layout in dialog units of the sheet font.
constexpr int kMargin = 7;
constexpr int kTabRow = 14;   // tab height above the page
constexpr int kBorder = 4;    // frame between tab strip and page
constexpr int kButtonW = 50;
constexpr int kButtonH = 14;
constexpr int kButtonGap = 4;
const int kButtons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};

void InsertTab(HWND tabs, int index, const CString& text)
{
    TabItem item{};
    item.mask = 1;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    ::SendMessageW(tabs, kTcmInsertItemW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

// ---- construction ----

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption.GetString(), pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    // Pages are often members of a derived sheet and gone by now: they are not touched.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption ? pszCaption : L"";
    m_pParentWnd = pParentWnd;
    m_nStartPage = iSelectPage;
    m_psh.nStartPage = iSelectPage;
}

// ---- pages ----

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || std::find(m_pages.begin(), m_pages.end(), pPage) != m_pages.end())
        return;
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd)
        InsertTab(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL), int(m_pages.size()) - 1, pPage->GetTabTitle());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= int(m_pages.size()))
        return;
    CPropertyPage* page = m_pages[size_t(nPage)];
    bool wasActive = m_hWnd && nPage == m_nCurPage;
    if (m_hWnd) {
        ::SendMessageW(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL), kTcmDeleteItem, WPARAM(nPage), 0);
        if (page->m_hWnd)
            page->DestroyWindow();
    }
    m_pages.erase(m_pages.begin() + nPage);
    page->m_pSheet = nullptr;
    page->m_bFirstSetActive = TRUE;
    if (!m_hWnd)
        return;
    if (wasActive) {
        m_nCurPage = -1;
        if (!m_pages.empty())
            ActivatePage(std::min(nPage, int(m_pages.size()) - 1), FALSE);
    } else if (m_nCurPage > nPage) {
        --m_nCurPage;
    }
    UpdateApply();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < int(m_pages.size()) ? m_pages[size_t(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : int(it - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd && m_nCurPage >= 0)
        return m_nCurPage;
    return m_nStartPage < m_pages.size() ? int(m_nStartPage) : 0;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= int(m_pages.size()))
        return FALSE;
    if (!m_hWnd) {
        m_nStartPage = UINT(nPage);
        m_psh.nStartPage = UINT(nPage);
        return TRUE;
    }
    return ActivatePage(nPage, TRUE);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (!m_hWnd)
        return nullptr;
    HWND tabs = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    if (!m_tabCtrl)
        m_tabCtrl = std::make_unique<CTabCtrl>();
    if (tabs && !m_tabCtrl->m_hWnd)
        m_tabCtrl->SubclassWindow(tabs);
    return m_tabCtrl->m_hWnd ? m_tabCtrl.get() : nullptr;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText ? lpszText : L"";
    if (nStyle & PSH_PROPTITLE)
        m_psh.dwFlags |= PSH_PROPTITLE;
    else
        m_psh.dwFlags &= ~PSH_PROPTITLE;
    if (m_hWnd) {
        CString text = m_strCaption;
        if (m_psh.dwFlags & PSH_PROPTITLE)
            text = CString(L"Properties for ") + m_strCaption;
        SetWindowText(text.GetString());
    }
}

// ---- window ----

void CPropertySheet::BuildTemplate(DWORD style, DWORD exStyle)
{
    DlgRegisterSheetTabs();
    DialogTemplate& t = m_sheetTemplate;
    t = DialogTemplate();
    // The sheet uses its first page's font, so page and sheet units agree.
    int pageCx = 100, pageCy = 60;
    bool first = true;
    for (CPropertyPage* p : m_pages) {
        const DialogTemplate* pt = p->PageTemplate();
        if (!pt)
            continue;
        if (first) {
            t.fontFace = pt->fontFace;
            t.fontSize = pt->fontSize;
            t.fontWeight = pt->fontWeight;
            t.fontItalic = pt->fontItalic;
            pageCx = pageCy = 0;
            first = false;
        }
        pageCx = std::max(pageCx, pt->cx);
        pageCy = std::max(pageCy, pt->cy);
    }
    CString caption = m_strCaption;
    if (m_psh.dwFlags & PSH_PROPTITLE)
        caption = CString(L"Properties for ") + m_strCaption;
    t.caption = caption.GetString();
    t.style = style | DS_SETFONT;
    t.exStyle = exStyle | WS_EX_CONTROLPARENT;
    int tabW = pageCx + 2 * kBorder;
    int tabH = pageCy + kTabRow + kBorder;
    t.cx = kMargin + tabW + kMargin;
    t.cy = kMargin + tabH + kMargin + kButtonH + kMargin;
    DialogItem tabs;
    tabs.className = WC_DLGSHEETTABS;
    tabs.id = AFX_IDC_TAB_CONTROL;
    tabs.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS;
    tabs.x = kMargin;
    tabs.y = kMargin;
    tabs.cx = tabW;
    tabs.cy = tabH;
    t.items.push_back(tabs);
    // The program's string table gives the button texts in the interface language.
    const CString texts[] = {AfxLoadStringOr(AFX_IDS_SHEET_OK, L"OK"), AfxLoadStringOr(AFX_IDS_SHEET_CANCEL, L"Cancel"),
                             AfxLoadStringOr(AFX_IDS_SHEET_APPLY, L"&Apply"), AfxLoadStringOr(AFX_IDS_SHEET_HELP, L"Help")};
    for (int i = 0; i < 4; ++i) {
        DialogItem b;
        b.className = DlgSheetButtonClass();
        b.text = texts[i].GetString();
        b.id = std::uint32_t(kButtons[i]);
        b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? (dlgi::kBsDefPushButton | WS_GROUP) : dlgi::kBsPushButton);
        b.y = kMargin + tabH + kMargin;
        b.cx = kButtonW;
        b.cy = kButtonH;
        t.items.push_back(b);
    }
    LayoutButtons();
}

void CPropertySheet::LayoutButtons()
{
    // Right-aligned under the tab strip; Apply and Help take no place when absent.
    bool apply = !(m_psh.dwFlags & PSH_NOAPPLYNOW);
    bool help = (m_psh.dwFlags & PSH_HASHELP) != 0;
    for (CPropertyPage* p : m_pages)
        if (p->m_psp.dwFlags & PSP_HASHELP)
            help = true;
    int right = m_sheetTemplate.cx - kMargin;
    for (int i = 3; i >= 0; --i) {
        DialogItem& b = m_sheetTemplate.items[size_t(1 + i)];
        bool shown = (i != 2 || apply) && (i != 3 || help);
        if (shown) {
            b.x = right - kButtonW;
            right = b.x - kButtonGap;
            b.style |= WS_VISIBLE;
        } else {
            b.x = m_sheetTemplate.cx - kMargin - kButtonW;
            b.style &= ~WS_VISIBLE;
        }
    }
}

RECT CPropertySheet::PageRect() const
{
    RECT r{kMargin + kBorder, kMargin + kTabRow, 0, 0};
    HWND tabs = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    RECT tr{0, 0, 0, 0};
    if (tabs) {
        ::GetWindowRect(tabs, &tr);
        ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&tr));
        ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&tr) + 1);
    }
    ::MapDialogRect(m_hWnd, &r);
    RECT out{tr.left + 2, r.top, tr.right - 2, tr.bottom - 2};
    return out;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    m_bModeless = FALSE;
    BuildTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_3DLOOK, 0);
    m_lpDialogTemplate = &m_sheetTemplate;
    return CDialog::DoModal();
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd)
        return FALSE;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (dwStyle == DWORD(-1))
        dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | WS_VISIBLE;
    m_bModeless = TRUE;
    m_psh.dwFlags |= PSH_MODELESS;
    BuildTemplate(dwStyle | DS_CENTER, dwExStyle);
    m_lpDialogTemplate = &m_sheetTemplate;
    return CreateIndirect(&m_sheetTemplate, m_pParentWnd);
}

BOOL CPropertySheet::OnInitDialog()
{
    HWND tabs = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    for (size_t i = 0; i < m_pages.size(); ++i)
        InsertTab(tabs, int(i), m_pages[i]->GetTabTitle());
    for (int id : kButtons)
        if (HWND b = ::GetDlgItem(m_hWnd, id))
            if (!(::GetWindowLongPtrW(b, GWL_STYLE) & WS_VISIBLE))
                ::EnableWindow(b, FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), FALSE);
    if (m_bModeless) {
        // A modeless sheet comes without its button row.
        RECT cut{0, 0, 0, kMargin + kButtonH};
        ::MapDialogRect(m_hWnd, &cut);
        for (int id : kButtons)
            if (HWND b = ::GetDlgItem(m_hWnd, id)) {
                ::ShowWindow(b, SW_HIDE);
                ::EnableWindow(b, FALSE);
            }
        RECT wr;
        GetWindowRect(&wr);
        SetWindowPos(nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - cut.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The start page exists when the sheet's own initialisation returns.
    int start = m_nStartPage < m_pages.size() ? int(m_nStartPage) : 0;
    if (!m_pages.empty())
        ActivatePage(start, FALSE);
    return TRUE;
}

LRESULT CPropertySheet::SendPageNotify(CPropertyPage* pPage, UINT code, LPARAM lParam)
{
    if (!pPage || !pPage->m_hWnd)
        return 0;
    PSHNOTIFY n{};
    n.hdr.hwndFrom = m_hWnd;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    n.lParam = lParam;
    return pPage->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

BOOL CPropertySheet::ActivatePage(int nPage, BOOL bCheckLeave)
{
    if (nPage < 0 || nPage >= int(m_pages.size()))
        return FALSE;
    CPropertyPage* oldPage = GetPage(m_nCurPage);
    if (nPage == m_nCurPage && oldPage && oldPage->m_hWnd)
        return TRUE;
    if (bCheckLeave && oldPage && oldPage->m_hWnd && SendPageNotify(oldPage, PSN_KILLACTIVE))
        return FALSE;  // the page refused to be left (its exchange failed)
    CPropertyPage* page = m_pages[size_t(nPage)];
    HWND focus = ::GetFocus();
    bool focusInPage = !focus || (oldPage && oldPage->m_hWnd && ::IsChild(oldPage->m_hWnd, focus)) || focus == m_hWnd;
    if (!page->m_hWnd) {
        if (!page->CreatePage(this, PageRect()))
            return FALSE;
    }
    if (SendPageNotify(page, PSN_SETACTIVE) == -1)
        return FALSE;
    m_nCurPage = nPage;
    ::SendMessageW(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL), kTcmSetCurSel, WPARAM(nPage), 0);
    page->ShowWindow(SW_SHOW);
    if (oldPage && oldPage != page && oldPage->m_hWnd)
        oldPage->ShowWindow(SW_HIDE);
    if (focusInPage && ::IsWindowVisible(m_hWnd)) {
        if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE))
            ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    } else if (focusInPage) {
        if (dlgi::DlgState* s = dlgi::State(m_hWnd))
            s->savedFocus = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE);
    }
    return TRUE;
}

void CPropertySheet::UpdateApply()
{
    HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (!apply || !(::GetWindowLongPtrW(apply, GWL_STYLE) & WS_VISIBLE))
        return;
    bool any = false;
    for (CPropertyPage* p : m_pages)
        any = any || (p->m_hWnd && p->m_bModified);
    ::EnableWindow(apply, any ? TRUE : FALSE);
}

BOOL CPropertySheet::ApplyAll(BOOL bClosing)
{
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && SendPageNotify(active, PSN_KILLACTIVE))
        return FALSE;
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* p = m_pages[i];
        if (!p->m_hWnd)
            continue;  // never shown: keeps what it was given
        LRESULT r = SendPageNotify(p, PSN_APPLY, bClosing);
        if (r == PSNRET_INVALID_NOCHANGEPAGE || r == PSNRET_INVALID) {
            if (r == PSNRET_INVALID)
                ActivatePage(int(i), FALSE);
            return FALSE;
        }
        if (!::IsWindow(m_hWnd))
            return FALSE;
    }
    UpdateApply();
    return TRUE;
}

void CPropertySheet::OnSheetOK()
{
    if (!ApplyAll(TRUE))
        return;
    if (m_bModeless)
        DestroyWindow();
    else
        EndDialog(IDOK);
}

void CPropertySheet::OnSheetCancel()
{
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && SendPageNotify(active, PSN_QUERYCANCEL))
        return;
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd)
            SendPageNotify(p, PSN_RESET);
    if (!::IsWindow(m_hWnd))
        return;
    if (m_bModeless)
        DestroyWindow();
    else
        EndDialog(IDCANCEL);
}

void CPropertySheet::EndDialog(int nEndID) { CDialog::EndDialog(nEndID); }

void CPropertySheet::PressButton(int nButton) { SendMessage(PSM_PRESSBUTTON, WPARAM(nButton)); }

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == dlgi::kBnClicked) {
        switch (LOWORD(wParam)) {
        case IDOK: OnSheetOK(); return TRUE;
        case IDCANCEL: OnSheetCancel(); return TRUE;
        case ID_APPLY_NOW: ApplyAll(FALSE); return TRUE;
        case IDHELP:
            if (CPropertyPage* p = GetActivePage())
                SendPageNotify(p, PSN_HELP);
            return TRUE;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    HWND tabs = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    if (hdr && tabs && hdr->hwndFrom == tabs) {
        if (hdr->code == kTcnSelChanging) {
            // Leaving the page runs its exchange; a failure keeps the tab.
            CPropertyPage* active = GetActivePage();
            *pResult = active && active->m_hWnd && SendPageNotify(active, PSN_KILLACTIVE) ? TRUE : FALSE;
            return TRUE;
        }
        if (hdr->code == kTcnSelChange) {
            int sel = int(::SendMessageW(tabs, kTcmGetCurSel, 0, 0));
            if (!ActivatePage(sel, FALSE))
                ::SendMessageW(tabs, kTcmSetCurSel, WPARAM(m_nCurPage), 0);
            *pResult = 0;
            return TRUE;
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+Tab and Ctrl+Page Down / Page Up switch pages.
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) &&
        (pMsg->wParam == VK_TAB || pMsg->wParam == VK_NEXT || pMsg->wParam == VK_PRIOR) && !m_pages.empty()) {
        bool back = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && ::GetKeyState(VK_SHIFT) < 0);
        int n = int(m_pages.size());
        ActivatePage(((m_nCurPage + (back ? -1 : 1)) % n + n) % n, TRUE);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// ---- messages from pages ----

LRESULT CPropertySheet::HandleQuerySiblings(WPARAM wParam, LPARAM lParam)
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* p = m_pages[i];
        if (!p->m_hWnd)
            continue;
        if (LRESULT r = p->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam))
            return r;
    }
    return 0;
}

LRESULT CPropertySheet::HandleChanged(WPARAM wParam, LPARAM)
{
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd == reinterpret_cast<HWND>(wParam))
            p->m_bModified = TRUE;
    UpdateApply();
    return 0;
}

LRESULT CPropertySheet::HandleUnchanged(WPARAM wParam, LPARAM)
{
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd == reinterpret_cast<HWND>(wParam))
            p->m_bModified = FALSE;
    UpdateApply();
    return 0;
}

LRESULT CPropertySheet::HandleSetCurSel(WPARAM wParam, LPARAM lParam)
{
    int index = int(wParam);
    if (lParam)
        for (size_t i = 0; i < m_pages.size(); ++i)
            if (reinterpret_cast<LPARAM>(m_pages[i]->m_hWnd) == lParam)
                index = int(i);
    return ActivatePage(index, TRUE);
}

LRESULT CPropertySheet::HandlePressButton(WPARAM wParam, LPARAM)
{
    int id = 0;
    switch (int(wParam)) {
    case PSBTN_OK: id = IDOK; break;
    case PSBTN_CANCEL: id = IDCANCEL; break;
    case PSBTN_APPLYNOW: id = ID_APPLY_NOW; break;
    case PSBTN_HELP: id = IDHELP; break;
    default: return 0;
    }
    PostMessage(WM_COMMAND, MAKEWPARAM(WORD(id), dlgi::kBnClicked), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
    return 0;
}

LRESULT CPropertySheet::HandleGetCurrentPage(WPARAM, LPARAM)
{
    CPropertyPage* p = GetPage(m_nCurPage);
    return reinterpret_cast<LRESULT>(p ? p->m_hWnd : nullptr);
}

LRESULT CPropertySheet::HandleGetTabControl(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL));
}
