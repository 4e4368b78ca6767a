// CDialogBar: a control bar built from a dialog template.
#include "platform/ui/framework/DialogBar.h"

#include "platform/ui/framework/CmdRouting.h"
#include "platform/ui/dialogs/DlgManager.h"
#include "platform/ui/framework/Frame.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar()
{
    // The template gives the whole layout: no extra borders inside the bar.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    const ResourceFinder& finder = AfxGetResourceFinder();
    const DialogTemplate* pTemplate = finder.findDialog ? finder.findDialog(nIDTemplate) : nullptr;
    if (pTemplate == nullptr)
        return FALSE;
    return CreateIndirect(pParentWnd, pTemplate, nStyle, nID);
}

BOOL CDialogBar::CreateIndirect(CWnd* pParentWnd, const DialogTemplate* pTemplate, UINT nStyle, UINT nID)
{
    if (pTemplate == nullptr || pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr || m_hWnd)
        return FALSE;
    m_dwStyle = nStyle & CBRS_ALL;

    // A child window of the dialog class: captions and frames of the template do not apply.
    DialogTemplate geom = *pTemplate;
    geom.items.clear();
    geom.style = (pTemplate->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME |
                                       WS_BORDER | WS_DLGFRAME | WS_VISIBLE)) |
                 WS_CHILD | (nStyle & ~CBRS_ALL & ~WS_VISIBLE);
    geom.exStyle = pTemplate->exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE);
    ::DlgRegisterClass();
    const RECT r = ::DlgWindowRect(geom, pParentWnd->GetSafeHwnd());
    m_sizeDefault = CSize(r.right - r.left, r.bottom - r.top);
    if (!CWnd::CreateEx(geom.exStyle | WS_EX_CONTROLPARENT, WC_DIALOG, nullptr, geom.style, CRect(CPoint(0, 0), m_sizeDefault),
                        pParentWnd, nID))
        return FALSE;
    ::DlgSetTemplateFont(m_hWnd, *pTemplate);
    if (!::DlgCreateControls(m_hWnd, *pTemplate)) {
        DestroyWindow();
        return FALSE;
    }
    // The controls get their first values; a bar does not take the focus when it is made.
    SendMessage(WM_INITDIALOG, 0, 0);
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNA);
    return m_hWnd != nullptr;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    ::AfxUpdateDialogControls(this, pTarget, bDisableIfNoHndler);
}
