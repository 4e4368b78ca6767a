// Property sheets: a dialog with a tab per page, OK/Cancel/Apply/Help buttons, modal (DoModal)
// or modeless (Create). A page's window is made when its tab is first shown (the start page
// during the sheet's OnInitDialog); leaving a page runs its data exchange, and OK/Apply reach
// only the pages whose windows exist.
#pragma once

#include "platform/ui/dialogs/Dlg.h"

#include <memory>
#include <vector>

// ---- sheet and page flags ----
constexpr DWORD PSH_DEFAULT = 0x0000;
constexpr DWORD PSH_PROPTITLE = 0x0001;
constexpr DWORD PSH_USEHICON = 0x0002;
constexpr DWORD PSH_PROPSHEETPAGE = 0x0008;
constexpr DWORD PSH_USEPSTARTPAGE = 0x0040;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_HASHELP = 0x0200;
constexpr DWORD PSH_MODELESS = 0x0400;

constexpr DWORD PSP_DEFAULT = 0x0000;
constexpr DWORD PSP_DLGINDIRECT = 0x0001;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSP_HASHELP = 0x0020;

// ---- notifications to pages (WM_NOTIFY with PSHNOTIFY) ----
constexpr UINT PSN_FIRST = 0u - 200u;
constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
constexpr UINT PSN_APPLY = PSN_FIRST - 2;
constexpr UINT PSN_RESET = PSN_FIRST - 3;
constexpr UINT PSN_HELP = PSN_FIRST - 5;
constexpr UINT PSN_QUERYCANCEL = PSN_FIRST - 9;
constexpr LRESULT PSNRET_NOERROR = 0;
constexpr LRESULT PSNRET_INVALID = 1;
constexpr LRESULT PSNRET_INVALID_NOCHANGEPAGE = 2;

struct PSHNOTIFY {
    NMHDR hdr;
    LPARAM lParam;
};

// ---- sheet messages ----
constexpr UINT PSM_SETCURSEL = WM_USER + 101;
constexpr UINT PSM_REMOVEPAGE = WM_USER + 102;
constexpr UINT PSM_ADDPAGE = WM_USER + 103;
constexpr UINT PSM_CHANGED = WM_USER + 104;
constexpr UINT PSM_CANCELTOCLOSE = WM_USER + 107;
constexpr UINT PSM_QUERYSIBLINGS = WM_USER + 108;
constexpr UINT PSM_UNCHANGED = WM_USER + 109;
constexpr UINT PSM_APPLY = WM_USER + 110;
constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;
constexpr int PSBTN_OK = 1;
constexpr int PSBTN_CANCEL = 5;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_HELP = 6;

// Button and tab ids of a sheet.
constexpr int ID_APPLY_NOW = 0x3021;
constexpr int AFX_IDC_TAB_CONTROL = 0x3020;

struct PROPSHEETPAGE {
    DWORD dwSize = sizeof(PROPSHEETPAGE);
    DWORD dwFlags = PSP_DEFAULT;
    UINT pszTemplate = 0;                       // template id
    const DialogTemplate* pResource = nullptr;  // with PSP_DLGINDIRECT
    LPCWSTR pszTitle = nullptr;                 // with PSP_USETITLE
    LPARAM lParam = 0;
};

struct PROPSHEETHEADER {
    DWORD dwSize = sizeof(PROPSHEETHEADER);
    DWORD dwFlags = PSH_DEFAULT;
    HWND hwndParent = nullptr;
    LPCWSTR pszCaption = nullptr;
    UINT nPages = 0;
    UINT nStartPage = 0;
};

class CPropertySheet;
class CTabCtrl;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);

    // Marks the page changed (enables the sheet's Apply) or unchanged.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }
    // Offers (wParam, lParam) to the sheet and then to every page whose window exists, in
    // order, until one answers non-zero; returns that answer.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    CPropertySheet* GetSheet() const { return m_pSheet; }
    // The tab text: the title given with PSP_USETITLE, else the caption id's string, else the
    // template's caption.
    CString GetTabTitle() const;

    // ---- overridables ----
    // Showing the page. The base refills the controls (UpdateData(FALSE)) except on the first
    // activation, where OnInitDialog did it. FALSE refuses the page.
    virtual BOOL OnSetActive();
    // Leaving the page (other tab, OK, Apply): the base runs UpdateData(TRUE). FALSE keeps the
    // user on the page.
    virtual BOOL OnKillActive();
    void OnOK() override;
    void OnCancel() override;
    // Apply or OK: the base calls OnOK and clears the modified mark. FALSE keeps the sheet open.
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETPAGE m_psp;
    CString m_strCaption;

protected:
    friend class CPropertySheet;
    // Makes the page's window as a child of the sheet at `rect` (hidden).
    BOOL CreatePage(CPropertySheet* pSheet, const RECT& rect);
    const DialogTemplate* PageTemplate() const;

    CPropertySheet* m_pSheet = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bFirstSetActive = TRUE;
};

class CPropertySheet : public CDialog {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // ---- pages (the caller keeps ownership) ----
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Before the window exists: the start page. Afterwards: leaves the active page (its data
    // exchange must succeed) and shows the other one. FALSE when refused.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    // The tab strip (it answers the tab control messages of CTabCtrl); null before the window.
    CTabCtrl* GetTabControl() const;
    // Presses a sheet button from code (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, PSBTN_HELP).
    void PressButton(int nButton);
    void EndDialog(int nEndID);

    // ---- modal and modeless ----
    INT_PTR DoModal() override;
    using CDialog::Create;
    // Modeless: dwStyle (DWORD)-1 means the standard popup style. The button row is hidden
    // and disabled and the window cut above it.
    BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETHEADER m_psh;
    CString m_strCaption;
    BOOL m_bModeless = FALSE;

    // ---- what the sheet does for its buttons (OnCommand calls these) ----
    // Leaves the active page, applies every created page; TRUE when all accepted.
    BOOL ApplyAll(BOOL bClosing);
    void OnSheetOK();
    void OnSheetCancel();

protected:
    void BuildTemplate(DWORD style, DWORD exStyle);
    // The page area in the sheet's client coordinates.
    RECT PageRect() const;
    BOOL ActivatePage(int nPage, BOOL bCheckLeave);
    LRESULT SendPageNotify(CPropertyPage* pPage, UINT code, LPARAM lParam = 0);
    void UpdateApply();
    void LayoutButtons();

    LRESULT HandleQuerySiblings(WPARAM wParam, LPARAM lParam);
    LRESULT HandleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT HandleUnchanged(WPARAM wParam, LPARAM lParam);
    LRESULT HandleSetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT HandlePressButton(WPARAM wParam, LPARAM lParam);
    LRESULT HandleGetCurrentPage(WPARAM wParam, LPARAM lParam);
    LRESULT HandleGetTabControl(WPARAM wParam, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    int m_nCurPage = -1;
    UINT m_nStartPage = 0;
    DialogTemplate m_sheetTemplate;
    mutable std::unique_ptr<CTabCtrl> m_tabCtrl;

    DECLARE_MESSAGE_MAP()
};

// The class of the sheets' own tab strip (TCM_INSERTITEMW, TCM_SETITEMW, TCM_DELETEITEM,
// TCM_DELETEALLITEMS, TCM_GETITEMRECT, TCM_GETCURSEL, TCM_SETCURSEL, TCM_GETITEMCOUNT,
// TCM_ADJUSTRECT; TCN_SELCHANGING/TCN_SELCHANGE to the parent). It leaves the area of the
// windows below it in z-order (the page) to them.
#define WC_DLGSHEETTABS L"DlgSheetTabs"
void DlgRegisterSheetTabs();
// The class of the sheet buttons: "Button" when registered, else a plain push button of our own.
LPCWSTR DlgSheetButtonClass();
