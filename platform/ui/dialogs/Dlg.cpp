// CDialog: creation from templates, the modal loop, OK/Cancel and data exchange.
#include "platform/ui/dialogs/Dlg.h"

#include "platform/ui/dialogs/Ddx.h"
#include "platform/ui/dialogs/DlgInternal.h"
#include "platform/ui/core/MessageMap.h"

#include <cstdio>
#include <cwchar>

namespace {
constexpr LONG_PTR kEsMultiLine = 0x0004;
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, HandleOK)
    ON_COMMAND(IDCANCEL, HandleCancel)
END_MESSAGE_MAP()

void AfxThrowUserException() { throw new CUserException(); }

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    // A modeless dialog whose object goes first takes its window with it.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

const DialogTemplate* CDialog::FindTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    auto find = AfxGetResourceFinder().findDialog;
    const DialogTemplate* t = find ? find(m_nIDTemplate) : nullptr;
    if (!t)
        std::fprintf(stderr, "dialog template %u not found\n", m_nIDTemplate);
    return t;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (!m_nIDHelp)
        m_nIDHelp = nIDTemplate;
    m_lpDialogTemplate = nullptr;
    m_pParentWnd = pParentWnd;
    const DialogTemplate* t = FindTemplate();
    return t ? CreateIndirect(t, pParentWnd) : FALSE;
}

BOOL CDialog::CreateIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd)
{
    if (!CreateDlgIndirect(pTemplate, pParentWnd))
        return FALSE;
    if (pTemplate->style & WS_VISIBLE) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    return TRUE;
}

BOOL CDialog::CreateDlgIndirect(const DialogTemplate* t, CWnd* pParentWnd)
{
    if (!t || m_hWnd)
        return FALSE;
    if (!m_nIDTemplate)
        m_nIDTemplate = t->id;  // the template's initial data is found by this id
    DlgRegisterClass();
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    DWORD style = t->style & ~WS_VISIBLE;
    DWORD exStyle = t->exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        // A dialog inside another dialog (a page): its controls join the outer tab order.
        style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if ((style & WS_CHILD) && !parent)
        return FALSE;
    DialogTemplate adjusted;
    const DialogTemplate* geom = t;
    if (style != t->style) {
        adjusted = *t;
        adjusted.style = style;
        adjusted.items.clear();
        geom = &adjusted;
    }
    RECT r = DlgWindowRect(*geom, parent);
    LPCWSTR cls = t->className.empty() ? WC_DIALOG : t->className.c_str();
    if (!CreateEx(exStyle, cls, t->caption.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                  nullptr, nullptr))
        return FALSE;
    HWND self = m_hWnd;
    DlgSetTemplateFont(self, *t);
    if (!DlgCreateControls(self, *t)) {
        if (::IsWindow(self))
            DestroyWindow();
        return FALSE;
    }
    if (LRESULT f = ::SendMessageW(self, WM_GETFONT, 0, 0))
        OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(f)));
    RECT before;
    ::GetWindowRect(self, &before);
    DlgSendInitDialog(self, 0);
    if (!::IsWindow(self))
        return FALSE;
    // A popup that initialisation neither showed nor moved, and whose owner is disabled (a
    // modal dialog) or absent, is centred over its owner.
    RECT after;
    ::GetWindowRect(self, &after);
    HWND owner = ::GetWindow(self, GW_OWNER);
    if (!(style & WS_CHILD) && !(t->style & WS_VISIBLE) && !::IsWindowVisible(self) && ::EqualRect(&before, &after) &&
        (!owner || !::IsWindowEnabled(owner)))
        CenterWindow();
    return TRUE;
}

BOOL CDialog::InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = pTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return pTemplate != nullptr;
}

HWND CDialog::PreModal()
{
    HWND h = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    if (h && ::IsWindow(h))
        h = ::GetAncestor(h, GA_ROOT);
    else
        h = nullptr;
    return h;
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* t = FindTemplate();
    if (!t || m_hWnd)
        return -1;
    HWND owner = PreModal();
    bool enableOwner = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }
    if (HWND cap = ::GetCapture())
        (void)cap, ::ReleaseCapture();
    // The dialog counts as modal from its creation on, so that EndDialog in OnInitDialog works.
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    m_nModalResult = -1;
    CWnd* ownerWnd = owner ? CWnd::FromHandle(owner) : nullptr;
    DialogTemplate popup;
    const DialogTemplate* use = t;
    if (t->style & WS_CHILD) {
        popup = *t;
        popup.style = (t->style & ~WS_CHILD) | WS_POPUP;
        use = &popup;
    }
    INT_PTR result = -1;
    if (CreateDlgIndirect(use, ownerWnd)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD flags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
        result = m_nModalResult;
        if (m_hWnd && ::IsWindow(m_hWnd))
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    // The owner takes input again before the dialog goes, so activation returns to it.
    if (enableOwner && ::IsWindow(owner))
        ::EnableWindow(owner, TRUE);
    if (owner && ::IsWindow(owner) && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::EndDialog(m_hWnd, nResult);
    else if (m_nFlags & WF_MODALLOOP)
        EndModalLoop(nResult);
}

BOOL CDialog::OnInitDialog()
{
    // The template's list items first, so that the first exchange can select among them.
    DlgExecuteInit(m_hWnd, m_lpDialogTemplate ? m_lpDialogTemplate->id : m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND self = m_hWnd;
    LRESULT r = CWnd::WindowProc(message, wParam, lParam);
    // Dialogs of a class of their own do not reach DefDlgProc's clean-up.
    if (message == WM_NCDESTROY)
        dlgi::DropState(self);
    return r;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input)
        return FALSE;
    // A dialog inside another dialog leaves the keyboard interface to the outer one.
    HWND parent = ::GetParent(m_hWnd);
    if ((GetStyle() & WS_CHILD) && parent && DlgIsDialog(parent))
        return FALSE;
    // A multi-line edit keeps Escape for itself; the dialog is cancelled all the same unless
    // its Cancel button is disabled.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        ::IsChild(m_hWnd, pMsg->hwnd) && (::GetWindowLongPtrW(pMsg->hwnd, GWL_STYLE) & kEsMultiLine)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(pMsg->hwnd, cls, 16);
        HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (::wcscasecmp(cls, L"Edit") == 0 && (!cancel || ::IsWindowEnabled(cancel))) {
            SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(cancel));
            return TRUE;
        }
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

// ---- controls ----

void CDialog::NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return DWORD(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
void CDialog::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CDialog::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        int id = ::GetDlgCtrlID(h);
        if (id >= nIDFirstButton && id <= nIDLastButton && ::SendMessageW(h, dlgi::kBmGetCheck, 0, 0))
            return id;
    }
    return 0;
}

LRESULT CDialog::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}
