// The main frame's window: creation of its bars, the status-bar pane controls, activation, the
// New drop-down, the owner-drawn edit items of the diagram's context menu, and destruction.
#include "shell/MainFrame.h"

#include "controls/PaintedStatic.h"
#include "document/TavixDoc.h"
#include "platform/gdi/DC.h"
#include "platform/ui/controls/CtlStdClasses.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Menu.h"
#include "platform/ui/framework/View.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/ChineseTexts.h"
#include "shell/CityTable.h"
#include "shell/PaletteItems.h"
#include "shell/WorkspaceView.h"
#include "view/TavixView.h"

#include <cwchar>
#include <iterator>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_NCLBUTTONUP()
    ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnToolbarDropDown)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    {WM_DRAWITEM, 0, 0, 0, nullptr, TVX_THUNK_(
        self->OnDrawItem(int(c.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE; return TRUE;)},
    ON_MESSAGE(WM_PALETTE_TOOL, OnPaletteTool)
    ON_MESSAGE(WM_DEVICE_OPERATION, OnDeviceOperation)
    ON_COMMAND(57600, OnFileNewFbd)
    ON_COMMAND(ID_FILE_NEW_LAD, OnFileNewLad)
    ON_COMMAND_RANGE(ID_TRANSFER_RUN_STOP, ID_TRANSFER_RUN_STOP, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_CLOCK, ID_TRANSFER_CLOCK, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_DEVICE_TO_PC, ID_TRANSFER_DEVICE_TO_PC, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_SUMMER_WINTER, ID_TRANSFER_SUMMER_WINTER, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_CLEAR, ID_TRANSFER_CLEAR, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_IO_STATUS, ID_TRANSFER_IO_STATUS, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_WIFI_SETUP, ID_TRANSFER_WIFI_SETUP, OnDeviceCommand)
    ON_COMMAND_RANGE(ID_TRANSFER_REMOTE_WIFI_SETUP, ID_TRANSFER_REMOTE_WIFI_SETUP, OnDeviceCommand)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_RUN_STOP, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_CLOCK, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_DEVICE_TO_PC, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_SUMMER_WINTER, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_CLEAR, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_IO_STATUS, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_WIFI_SETUP, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_TRANSFER_REMOTE_WIFI_SETUP, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_COM_CONFIGURATION, OnComConfiguration)
    ON_UPDATE_COMMAND_UI(ID_COM_CONFIGURATION, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_OPTIONS_LANGUAGE, OnLanguage)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_LANGUAGE, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_OPTIONS_FRAME_COLOR, OnFrameColor)
    ON_COMMAND(ID_FILE_PROPERTIES, OnFileProperties)
    ON_UPDATE_COMMAND_UI(ID_FILE_PROPERTIES, OnUpdateNeedsDiagram)
    ON_COMMAND(ID_FILE_SELECT_HARDWARE, OnFileSelectHardware)
    ON_UPDATE_COMMAND_UI(ID_FILE_SELECT_HARDWARE, OnUpdateNeedsDiagram)
    ON_COMMAND(ID_FILE_CONVERT_TO_FBD, OnConvertToFbd)
    ON_UPDATE_COMMAND_UI(ID_FILE_CONVERT_TO_FBD, OnUpdateConvertToFbd)
    ON_COMMAND(ID_MESSAGE_TEXT_SETTINGS, OnMessageTextSettings)
    ON_UPDATE_COMMAND_UI(ID_MESSAGE_TEXT_SETTINGS, OnUpdateMessageTextSettings)
    ON_COMMAND_RANGE(ID_VIEW_OUTPUTS_BAR, ID_VIEW_INPUTS_BAR, OnToggleSimulationBar)
    ON_COMMAND_RANGE(ID_VIEW_SIMULATION_BAR, ID_VIEW_SIMULATION_BAR, OnToggleSimulationBar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_OUTPUTS_BAR, ID_VIEW_INPUTS_BAR, OnUpdateSimulationBars)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SIMULATION_BAR, OnUpdateSimulationBars)
    ON_COMMAND(ID_VIEW_INFO_WINDOW, OnViewInfoWindow)
    ON_UPDATE_COMMAND_UI(ID_VIEW_INFO_WINDOW, OnUpdateViewInfoWindow)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(IDC_STATUS_BUTTON, OnStatusControl)
    ON_COMMAND(IDC_SERIES_LABEL, OnStatusControl)
    ON_UPDATE_COMMAND_UI(ID_PLC_MONITOR, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_IN, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_OUT, OnUpdateAlwaysDisabled)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    BuildBlockNameMap();
    BuildPaletteArrays();
    CString message;
    LoadCityTable(&message);
    if (!message.IsEmpty())
        m_strStartupMessage = message;
    m_nLanguageIndex = g_nLanguage;
}

CMainFrame::~CMainFrame()
{
    CString message;
    if (!SaveCityTable(&message) && !message.IsEmpty())
        AfxMessageBox(message, MB_ICONEXCLAMATION);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | FWS_ADDTOTITLE;
    return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_ZOOM, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 5))
        return -1;

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.SetExtendedStyle(m_wndToolBar.GetExtendedStyle() | TBSTYLE_EX_DRAWDDARROWS);
    const int newButton = m_wndToolBar.CommandToIndex(57600);
    if (newButton >= 0)
        m_wndToolBar.SetButtonStyle(newButton, m_wndToolBar.GetButtonStyle(newButton) | TBSTYLE_DROPDOWN);
    m_wndToolBar.GetToolBarCtrl().HideButton(ID_TRANSFER_RUN_STOP);

    if (!m_wndInfoWindow.Create(AfxLoadString(IDS_INFO_WINDOW_TITLE), this, IDW_INFO_WINDOW, 0x50002800))
        return -1;
    m_wndInfoWindow.SetBarStyle(m_wndInfoWindow.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndInfoWindow.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndInfoWindow, AFX_IDW_DOCKBAR_BOTTOM);
    ShowControlBar(&m_wndInfoWindow, FALSE, FALSE);
    m_bInfoWindowShown = FALSE;

    m_imgTabs.Create(IDB_WORKBOX_TABS, 13, 0, RGB(0, 255, 0));
    m_imgViews.Create(IDB_WORKBOX_VIEWS, 16, 0, RGB(0, 255, 0));
    if (!m_wndWorkBox.Create(this, IDW_WORKBOX_BAR, AfxLoadString(IDS_WORKBOX_TITLE), CSize(160, 200), 0x50002800))
        return -1;
    m_wndWorkBox.SetTabImageList(&m_imgTabs);
    static const wchar_t* const tabs[groupCount] = {L"BSC", L"TMR", L"I/O", L"Misc", L"Aux", L"Math", L"Profile"};
    const int tabCount = ((g_wHardwareCode >> 8) & 0xFF) > 0x50 ? groupCount : 4;
    for (int i = 0; i < tabCount; ++i)
        if (!m_wndWorkBox.AddView(tabs[i], RUNTIME_CLASS(CWorkspaceView)))
            return -1;
    m_wndWorkBox.SetBarStyle(m_wndWorkBox.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndWorkBox.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndWorkBox, AFX_IDW_DOCKBAR_LEFT);
    // The palette views get their captions now (the framework's initial update of a frame's
    // descendants).
    for (int i = 0; i < m_wndWorkBox.GetViewCount(); ++i)
        if (CView* v = m_wndWorkBox.GetView(i))
            v->OnInitialUpdate();
    RecalcLayout();
    return 0;
}

void CMainFrame::OnDestroy()
{
    // The pane controls are the frame's objects: out of their panes, then gone.
    const std::pair<CWnd**, UINT> controls[] = {{&m_pStatusButton, ID_PANE_STATUS_BUTTON},
                                                {&m_pSeriesLabel, ID_PANE_SERIES}};
    for (const auto& [control, pane] : controls) {
        if (!*control)
            continue;
        m_wndStatusBar.RemovePane(pane);
        (*control)->DestroyWindow();
        delete *control;
        *control = nullptr;
    }
    CMDIFrameWnd::OnDestroy();
    ClosePort();
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* view = nullptr;
    if (CFrameWnd* child = GetActiveFrame(); child && child != this)
        view = child->GetActiveView();
    if (CTavixView* diagram = dynamic_cast<CTavixView*>(view); diagram && diagram->IsSimulating() && view)
        view->SendMessage(WM_ACTIVATE, MAKEWPARAM(WORD(nState), WORD(bMinimized)),
                          reinterpret_cast<LPARAM>(pWndOther ? pWndOther->m_hWnd : nullptr));
}

void CMainFrame::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    ReleaseHeldPower();
    CMDIFrameWnd::OnNcLButtonUp(nHitTest, point);
}

void CMainFrame::ReleaseHeldPower()
{
    CTavixView* view = GetActiveDiagramView();
    if (!view || !view->IsSimulating())
        return;
    // A held Power button of the Simulation bar is released here too.
    if (CChildFrame* frame = view->GetParentFrame(); frame && frame->m_wndSimBar.m_bPower)
        frame->m_wndSimBar.PowerCycle();
}

CTavixView* CMainFrame::GetActiveDiagramView() const
{
    auto* self = const_cast<CMainFrame*>(this);
    CFrameWnd* child = self->GetActiveFrame();
    if (!child || child == self)
        return nullptr;
    return dynamic_cast<CTavixView*>(child->GetActiveView());
}

CTavixDoc* CMainFrame::GetActiveDiagramDocument() const
{
    auto* self = const_cast<CMainFrame*>(this);
    CFrameWnd* child = self->GetActiveFrame();
    if (!child || child == self)
        return nullptr;
    CView* view = child->GetActiveView();
    return view ? dynamic_cast<CTavixDoc*>(view->GetDocument()) : nullptr;
}

void CMainFrame::OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
    const UINT clicked = UINT(info->iItem);
    CMenu popup;
    popup.CreatePopupMenu();
    const bool chinese = g_nLanguage == 1;
    popup.AppendMenu(MF_STRING, clicked,
                     chinese ? ChineseTextOr(57600, L"Function block diagram(FBD)") : CString(L"Function block diagram(FBD)"));
    popup.AppendMenu(MF_STRING, ID_FILE_NEW_LAD,
                     chinese ? ChineseTextOr(ID_FILE_NEW_LAD, L"Ladder diagram(LAD)") : CString(L"Ladder diagram(LAD)"));
    CRect rc;
    m_wndToolBar.GetItemRect(m_wndToolBar.CommandToIndex(clicked), &rc);
    m_wndToolBar.ClientToScreen(&rc);
    const UINT chosen = UINT(::TrackPopupMenu(popup.GetSafeHmenu(), TPM_LEFTALIGN | TPM_RETURNCMD, rc.left,
                                              rc.bottom, 0, m_hWnd, nullptr));
    if (chosen)
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(chosen), 0), 0);
    *pResult = TBDDRET_DEFAULT;
}

BOOL CMainFrame::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT id = UINT(pNMHDR->idFrom);
    if (info->uFlags & TTF_IDISHWND)
        id = UINT(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    const CString full = id ? AfxLoadString(id) : CString();
    if (full.IsEmpty())
        return FALSE;
    CString tip;
    if (id == ID_TRANSFER_PC_TO_DEVICE || id == ID_TRANSFER_DEVICE_TO_PC) {
        // The transfer buttons say everything their string says, in the tip and the status bar.
        tip = full;
        if (m_wndStatusBar.m_hWnd)
            m_wndStatusBar.SetPaneText(0, full);
    } else if (id == ID_TOOLS_SIMULATION && !m_wndToolBar.GetToolBarCtrl().IsButtonEnabled(int(id)) && GetActiveDiagramView() &&
               GetActiveDiagramView()->IsSimulating()) {
        tip = AfxLoadString(IDS_ONE_SIMULATION_ONLY);
    } else {
        const int nl = full.Find(L'\n');
        tip = nl >= 0 ? full.Mid(nl + 1) : CString();
    }
    wcsncpy(info->szText, tip, std::size(info->szText) - 1);
    info->szText[std::size(info->szText) - 1] = L'\0';
    info->lpszText = info->szText;
    *pResult = 0;
    // A tip window of its own stays above the other windows.
    if (::GetWindowLong(pNMHDR->hwndFrom, GWL_STYLE) & WS_POPUP)
        ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
    return TRUE;
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // Commands that change the active document: the palette lists follow it.
    if (id == 57600 || id == ID_FILE_NEW_LAD || id == 57602 || id == 61536 || (id >= 65280 && id <= 65535))
        InvalidatePaletteViews();
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::InvalidatePaletteViews()
{
    for (int tab : {0, 2})
        if (CView* v = m_wndWorkBox.GetView(tab); v && v->m_hWnd)
            v->Invalidate(FALSE);
}

int CMainFrame::CreateStatusControls()
{
    if (m_nNewPaneIndex < 0 || m_nNewPaneIndex > 20 || !m_wndStatusBar.m_hWnd)
        return -1;
    if (m_nNewPaneKind == 4 && !m_pStatusButton) {
        auto* button = new CButton;
        if (!button->Create(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 12, 12), &m_wndStatusBar,
                            IDC_STATUS_BUTTON)) {
            delete button;
            return -1;
        }
        if (!m_wndStatusBar.AddPane(ID_PANE_STATUS_BUTTON, m_nNewPaneIndex)) {
            button->DestroyWindow();
            delete button;
            AfxMessageBox(AfxLoadString(IDS_PANE_NOT_ADDED), MB_ICONERROR);
            return -1;
        }
        const int index = m_wndStatusBar.CommandToIndex(ID_PANE_STATUS_BUTTON);
        m_wndStatusBar.SetPaneInfo(index, ID_PANE_STATUS_BUTTON, SBPS_NORMAL, 12);
        m_wndStatusBar.AddPaneControl(button, ID_PANE_STATUS_BUTTON, FALSE);
        m_pStatusButton = button;
    } else if (m_nNewPaneKind == 6 && !m_pSeriesLabel) {
        CString series;
        GetSeriesName(g_wHardwareCode, &series, nullptr);
        auto* label = new CPaintedStatic;
        if (!label->Create(series, WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_NOTIFY, CRect(0, 0, 120, 16),
                           &m_wndStatusBar, IDC_SERIES_LABEL)) {
            delete label;
            return -1;
        }
        label->SendMessage(WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        if (!m_wndStatusBar.AddPane(ID_PANE_SERIES, m_nNewPaneIndex)) {
            label->DestroyWindow();
            delete label;
            AfxMessageBox(AfxLoadString(IDS_PANE_NOT_ADDED), MB_ICONERROR);
            return -1;
        }
        const int index = m_wndStatusBar.CommandToIndex(ID_PANE_SERIES);
        CPaneInfoEx info;
        m_wndStatusBar.GetPaneInfoEx(index, &info);
        info.cxWidth = 120;
        m_wndStatusBar.SetPaneInfoEx(index, &info);
        // The frame keeps the label object; it takes the window down itself at the end.
        m_wndStatusBar.AddPaneControl(label, ID_PANE_SERIES, FALSE);
        // The embossed text is taller than the bar's own font: the bar grows to show it whole.
        m_wndStatusBar.SetMinControlHeight(label->TextHeight());
        m_pSeriesLabel = label;
    }
    return 0;
}

void CMainFrame::ShowSeriesOf(const CTavixDoc* pDoc)
{
    if (!pDoc || !m_wndStatusBar.m_hWnd)
        return;
    CString series;
    if (GetSeriesName(pDoc->m_nHardwareCode, &series, nullptr) < 0)
        return;
    if (!m_pSeriesLabel) {
        m_nNewPaneIndex = 1;  // after the message pane
        m_nNewPaneKind = 6;
        CreateStatusControls();
    }
    if (!m_pSeriesLabel)
        return;
    CString shown;
    m_pSeriesLabel->GetWindowText(shown);
    if (shown != series)
        m_pSeriesLabel->SetWindowText(series);
    m_pSeriesLabel->Invalidate();
}

void CMainFrame::OnProgramActivated()
{
    ShowSeriesOf(GetActiveDiagramDocument());
    // The palette shows the list of the program now active before the next click reaches it.
    for (int i = 0; i < m_wndWorkBox.GetViewCount(); ++i)
        if (CView* v = m_wndWorkBox.GetView(i); v && v->m_hWnd) {
            v->Invalidate(FALSE);
            v->UpdateWindow();
        }
}

void CMainFrame::RemoveStatusControl(int nWhich)
{
    CWnd*& control = nWhich == 1 ? m_pStatusButton : m_pSeriesLabel;
    const UINT pane = nWhich == 1 ? ID_PANE_STATUS_BUTTON : ID_PANE_SERIES;
    if (nWhich != 1 && nWhich != 2)
        return;
    if (control) {
        control->DestroyWindow();
        delete control;
        control = nullptr;
    }
    if (!m_wndStatusBar.RemovePane(pane)) {
        CString text;
        text.Format(AfxLoadString(IDS_PANE_NOT_FOUND), nWhich);
        AfxMessageBox(text, MB_ICONERROR);
    }
}

void CMainFrame::OnDrawItem(int, LPDRAWITEMSTRUCT lpdis)
{
    if (!lpdis || lpdis->CtlType != ODT_MENU)
        return;
    struct Item { UINT id; UINT bitmap; const wchar_t* text; };
    static const Item items[] = {{57635, IDB_MENU_CUT, L"Cut             Ctrl+X"},
                                 {57634, IDB_MENU_COPY, L"Copy          Ctrl+C"},
                                 {57637, IDB_MENU_PASTE, L"Paste          Ctrl+V"},
                                 {57632, IDB_MENU_DELETE, L"Delete         Delete"}};
    const Item* item = nullptr;
    for (const Item& i : items)
        if (i.id == lpdis->itemID)
            item = &i;
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(lpdis->hDC);
    CTavixDoc* doc = GetActiveDiagramDocument();
    const bool simulating = doc && doc->m_bSimulating;
    UINT state = lpdis->itemState;
    if (simulating)
        state = ODS_GRAYED;
    const bool selected = (state & ODS_SELECTED) != 0;
    const CRect rc(lpdis->rcItem);
    dc->FillSolidRect(rc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    CBitmap bmp;
    int bmpWidth = 0, bmpHeight = 0;
    if (bmp.LoadBitmap(item->bitmap)) {
        BITMAP info{};
        bmp.GetBitmap(&info);
        bmpWidth = info.bmWidth;
        bmpHeight = info.bmHeight;
        CDC mem;
        mem.CreateCompatibleDC(dc);
        CBitmap* old = mem.SelectObject(&bmp);
        dc->BitBlt(rc.left + 4, rc.top + (rc.Height() - bmpHeight) / 2, bmpWidth, bmpHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    const COLORREF oldBk = dc->SetBkColor(::GetSysColor(selected && !simulating ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText = dc->SetTextColor(
        ::GetSysColor(simulating ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc->TextOut(rc.left + bmpWidth + 8, rc.top + std::abs((rc.Height() - bmpHeight) / 2) + 2, CString(item->text));
    dc->SetBkColor(oldBk);
    dc->SetTextColor(oldText);
}
