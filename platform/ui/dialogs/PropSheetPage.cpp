// CPropertyPage: a child dialog of a sheet, made when its tab is first shown, told of the
// sheet's actions through PSN_ notifications.
#include "platform/ui/dialogs/PropSheet.h"

#include "platform/ui/core/MessageMap.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() = default;

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    m_nIDTemplate = nIDTemplate;
    m_nIDHelp = nIDTemplate;
    m_psp.pszTemplate = nIDTemplate;
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
}

const DialogTemplate* CPropertyPage::PageTemplate() const
{
    if ((m_psp.dwFlags & PSP_DLGINDIRECT) && m_psp.pResource)
        return m_psp.pResource;
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    auto find = AfxGetResourceFinder().findDialog;
    return find ? find(m_psp.pszTemplate ? m_psp.pszTemplate : m_nIDTemplate) : nullptr;
}

CString CPropertyPage::GetTabTitle() const
{
    if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle)
        return CString(m_psp.pszTitle);
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    const DialogTemplate* t = PageTemplate();
    return t ? CString(t->caption.c_str()) : CString();
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet, const RECT& rect)
{
    const DialogTemplate* t = PageTemplate();
    if (!t || !pSheet || !pSheet->m_hWnd)
        return FALSE;
    m_pSheet = pSheet;
    DialogTemplate child = *t;
    // Page templates are usually disabled (they are not meant to be run as dialogs of their
    // own); inside the sheet the page takes the mouse like any child.
    child.style = (t->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED |
                                DS_MODALFRAME)) |
                  WS_CHILD | DS_CONTROL;
    child.exStyle &= ~WS_EX_DLGMODALFRAME;
    child.x = child.y = 0;
    if (!CreateDlgIndirect(&child, pSheet))
        return FALSE;
    // Right after the tab strip in z-order: the tab order runs tabs, page, buttons.
    HWND tabs = ::GetDlgItem(pSheet->m_hWnd, AFX_IDC_TAB_CONTROL);
    ::SetWindowPos(m_hWnd, tabs, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | (tabs ? 0 : SWP_NOZORDER));
    if (m_bModified)
        pSheet->SendMessage(PSM_CHANGED, reinterpret_cast<WPARAM>(m_hWnd));
    return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_hWnd && m_pSheet && m_pSheet->m_hWnd)
        m_pSheet->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    // Only while the page's window (a child of the sheet's) exists is the sheet known alive.
    if (!m_hWnd || !m_pSheet || !m_pSheet->m_hWnd)
        return 0;
    return m_pSheet->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    m_bModified = FALSE;
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr && m_pSheet && hdr->hwndFrom == m_pSheet->m_hWnd) {
        switch (hdr->code) {
        case PSN_SETACTIVE: *pResult = OnSetActive() ? 0 : -1; return TRUE;
        case PSN_KILLACTIVE: *pResult = OnKillActive() ? FALSE : TRUE; return TRUE;
        case PSN_APPLY: *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; return TRUE;
        case PSN_RESET: OnReset(); *pResult = 0; return TRUE;
        case PSN_QUERYCANCEL: *pResult = OnQueryCancel() ? FALSE : TRUE; return TRUE;
        default: break;
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}
