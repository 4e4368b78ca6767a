// The main frame's commands: device operations posted to the transfer engine, the palette
// choice handed to the active view, the special keys routed to the view, the bar toggles, the
// Language and frame-colour commands, help, and the Information Window's log.
#include "shell/MainFrame.h"

#include "comm/DeviceDispatcher.h"
#include "comm/HColorDialog.h"
#include "controls/DynamicBar.h"
#include "document/TavixDoc.h"
#include "msgtext/MsgTextSettingDlg.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/CmdRouting.h"
#include "platform/ui/framework/View.h"
#include "resources/resource.h"
#include "shell/ChildFrame.h"
#include "shell/EditorApp.h"
#include "shell/LanguageDlg.h"
#include "shell/ProgramPropsSheet.h"
#include "shell/SettingsFile.h"
#include "view/TavixView.h"

namespace {

// Operation codes of the device commands of the menus.
int DeviceOperationOf(UINT nID)
{
    switch (nID) {
    case ID_TRANSFER_DEVICE_TO_PC: return 6;
    case ID_TRANSFER_CLOCK: return 18;
    case ID_TRANSFER_SUMMER_WINTER: return 19;
    case ID_TRANSFER_WIFI_SETUP: return 14;
    case ID_TRANSFER_REMOTE_WIFI_SETUP: return 26;
    case ID_TRANSFER_CLEAR: return 12;
    case ID_TRANSFER_IO_STATUS: return 13;
    case ID_TRANSFER_RUN_STOP: return 3;
    default: return 0;
    }
}

CEditorApp* EditorApp()
{
    return dynamic_cast<CEditorApp*>(AfxGetApp());
}

} // namespace

void CMainFrame::OnFileNewFbd()
{
    if (CEditorApp* app = EditorApp())
        app->OnFileNewFbd();
}

void CMainFrame::OnFileNewLad()
{
    if (CEditorApp* app = EditorApp())
        app->OnFileNewLad();
}

void CMainFrame::SendFileNew()
{
    SendMessage(WM_COMMAND, MAKEWPARAM(57600, 0), 0);
}

void CMainFrame::OnDeviceCommand(UINT nID)
{
    if (const int op = DeviceOperationOf(nID))
        PostMessage(WM_DEVICE_OPERATION, WPARAM(op), 0);
}

LRESULT CMainFrame::OnDeviceOperation(WPARAM wParam, LPARAM lParam)
{
    // Recorded in order, then run by the device dispatcher.
    m_pendingDeviceOps.push_back(int(wParam));
    return DeviceDispatcher().OnDeviceOperation(wParam, lParam);
}

int CMainFrame::TakeDeviceOperation()
{
    if (m_pendingDeviceOps.empty())
        return 0;
    const int op = m_pendingDeviceOps.front();
    m_pendingDeviceOps.pop_front();
    return op;
}

LRESULT CMainFrame::OnPaletteTool(WPARAM wParam, LPARAM lParam)
{
    m_nPaletteBlockType = int(lParam);
    m_nPaletteTool = int(wParam);
    m_nPaletteType = m_nPaletteBlockType;
    m_nCurrentTool = m_nPaletteTool;
    return SendMessage(WM_COMMAND, MAKEWPARAM(ID_PALETTE_TOOL, 0), 0);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    CView* view = nullptr;
    if (CFrameWnd* child = GetActiveFrame(); child && child != this)
        view = child->GetActiveView();
    if (view && view->m_hWnd) {
        const UINT msg = pMsg->message;
        const bool key = msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
        const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const UINT vk = UINT(pMsg->wParam);
        bool toView = false;
        if (key && (vk == VK_ESCAPE || vk == VK_F3 || vk == VK_F5 || vk == VK_F9 || vk == VK_F11))
            toView = true;
        else if (key && vk == VK_F4 && ctrl)
            toView = true;
        else if (msg == WM_CHAR && ctrl && (vk == 4 || vk == 14 || vk == 15 || vk == 21))
            toView = true;
        if (toView) {
            view->SendMessage(msg, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        if (msg == WM_KEYDOWN && vk == VK_F1 && !ctrl && !(::GetKeyState(VK_SHIFT) & 0x8000) &&
            !(::GetKeyState(VK_MENU) & 0x8000))
            return TRUE;
        if (msg == WM_LBUTTONUP)
            ReleaseHeldPower();
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CMainFrame::OnComConfiguration()
{
    DeviceDispatcher().OnComConfiguration();
}

void CMainFrame::OnLanguage()
{
    CLanguageDlg dlg(this);
    dlg.m_nMode = 2;
    dlg.m_nIndex = m_nLanguageIndex;
    dlg.m_nCurrent = m_nLanguageIndex;
    if (dlg.DoModal() != IDOK || dlg.m_nIndex == m_nLanguageIndex)
        return;
    const CString path = GetSettingsFilePath();
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(path, bytes);
    CString error;
    if (!WriteWholeFile(path, UpdateLanguageSetting(bytes, dlg.m_nIndex), &error)) {
        CString text;
        text.Format(AfxLoadString(IDS_SETTINGS_NOT_SAVED), LPCTSTR(path), LPCTSTR(error));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    m_nLanguageIndex = dlg.m_nIndex;
}

void CMainFrame::OnFrameColor()
{
    CHColorDialog dlg(AfxLoadString(IDS_FRAME_COLOR_TITLE), m_crFrameBackground, 0, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_crFrameBackground = dlg.GetColor();
    for (int i = 0; i < m_wndWorkBox.GetViewCount(); ++i)
        if (CView* v = m_wndWorkBox.GetView(i))
            v->Invalidate(FALSE);
}

void CMainFrame::OnFileProperties()
{
    // The start page request is used once.
    const int start = m_nPropertiesStartPage;
    m_nPropertiesStartPage = 0;
    CTavixDoc* doc = GetActiveDiagramDocument();
    const WORD modelBefore = doc ? doc->m_nHardwareCode : 0;
    if (RunProgramProperties(doc, this, start) != IDOK)
        return;
    InvalidatePaletteViews();
    if (doc == nullptr || doc->m_nHardwareCode == modelBefore)
        return;
    // Another model offers other block types: the tab in view lists them anew, and the view
    // drops a tool the palette may no longer offer.
    if (CView* shown = m_wndWorkBox.GetActiveView(); shown && shown->m_hWnd)
        shown->Invalidate(FALSE);
    if (CTavixView* view = GetActiveDiagramView(); view && view->m_hWnd)
        view->SendMessage(WM_COMMAND, ID_MODE_SELECT);
}

void CMainFrame::OnFileSelectHardware()
{
    m_nPropertiesStartPage = 1;
    OnFileProperties();
}

void CMainFrame::OnUpdateNeedsDiagram(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetActiveDiagramView() != nullptr || GetActiveDiagramDocument() != nullptr);
}

void CMainFrame::OnConvertToFbd()
{
    CTavixDoc* ladder = GetActiveDiagramDocument();
    if (!ladder || !ladder->IsLadder())
        return;
    // The new function block diagram opens without the properties sheet.
    g_wHardwareCode = ladder->m_nHardwareCode;
    g_bShowPropertiesAtNew = FALSE;
    SendFileNew();
    g_bShowPropertiesAtNew = ladder->m_bShowPropertiesAtNew;
    CTavixView* view = GetActiveDiagramView();
    CTavixDoc* converted = view ? view->GetDocument() : nullptr;
    if (!converted || converted == ladder || converted->IsLadder())
        return;
    CString error;
    if (!view->ConvertLadderToFbd(ladder, &error)) {
        // Nothing half-converted stays open.
        converted->SetModifiedFlag(FALSE);
        converted->OnCloseDocument();
        if (!error.IsEmpty())
            AfxMessageBox(error, MB_ICONEXCLAMATION);
        return;
    }
    g_wHardwareCode = converted->m_nHardwareCode;
    InvalidatePaletteViews();
}

void CMainFrame::OnUpdateConvertToFbd(CCmdUI* pCmdUI)
{
    CTavixDoc* doc = GetActiveDiagramDocument();
    pCmdUI->Enable(doc && doc->IsLadder() && GetActiveDiagramView() != nullptr);
}

void CMainFrame::OnMessageTextSettings()
{
    RunMessageTextSettings(GetActiveDiagramDocument(), this);
}

void CMainFrame::OnUpdateMessageTextSettings(CCmdUI* pCmdUI)
{
    CTavixView* view = GetActiveDiagramView();
    pCmdUI->Enable(view && g_wHardwareCode >= 0x5188 && !view->IsSimulating());
}

namespace {

// The docking bar of a View > Simulation Bar, Outputs or Inputs command in a child frame.
CControlBar* SimulationBarOf(CChildFrame* frame, UINT nID)
{
    if (!frame)
        return nullptr;
    switch (nID) {
    case ID_VIEW_SIMULATION_BAR: return frame->m_pSimulationBar;
    case ID_VIEW_OUTPUTS_BAR: return frame->m_pOutputsBar;
    case ID_VIEW_INPUTS_BAR: return frame->m_pInputsBar;
    default: return nullptr;
    }
}

// The child frame of the active view while that view simulates, else null.
CChildFrame* SimulatingFrameOf(CTavixView* view)
{
    return view && view->IsSimulating() ? view->GetParentFrame() : nullptr;
}

} // namespace

void CMainFrame::OnToggleSimulationBar(UINT nID)
{
    // The bars of the active program window exist while it simulates; a bar its user closed
    // comes back here, and a shown one goes.
    CChildFrame* frame = SimulatingFrameOf(GetActiveDiagramView());
    CControlBar* bar = SimulationBarOf(frame, nID);
    if (!bar || !bar->m_hWnd)
        return;
    const BOOL show = !bar->IsVisible();
    frame->ShowControlBar(bar, show, FALSE);
    if (!show) {
        frame->m_bBarsRedrawn = FALSE;
        return;
    }
    for (CWnd* inner : {static_cast<CWnd*>(&frame->m_wndSimBar), static_cast<CWnd*>(&frame->m_wndOutputsBar),
                        static_cast<CWnd*>(&frame->m_wndInputsBar)})
        if (inner->m_hWnd)
            inner->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainFrame::OnUpdateSimulationBars(CCmdUI* pCmdUI)
{
    CControlBar* bar = SimulationBarOf(SimulatingFrameOf(GetActiveDiagramView()), pCmdUI->m_nID);
    pCmdUI->Enable(bar && bar->m_hWnd);
    pCmdUI->SetCheck(bar && bar->m_hWnd && bar->IsVisible());
}

void CMainFrame::ToggleInfoWindow()
{
    const BOOL show = !m_wndInfoWindow.IsVisible();
    ShowControlBar(&m_wndInfoWindow, show, FALSE);
    m_bInfoWindowShown = show;
}

void CMainFrame::OnViewInfoWindow()
{
    ToggleInfoWindow();
}

void CMainFrame::OnUpdateViewInfoWindow(CCmdUI* pCmdUI)
{
    CFrameWnd* child = GetActiveFrame();
    pCmdUI->Enable(child && child != this && child->GetActiveView() != nullptr);
    pCmdUI->SetCheck(m_wndInfoWindow.IsVisible());
}

void CMainFrame::OnHelpContents()
{
    if (CEditorApp* app = EditorApp())
        app->ShowBlockHelp(1052);
}

void CMainFrame::OnStatusControl()
{
    CTavixView* view = GetActiveDiagramView();
    CTavixDoc* doc = GetActiveDiagramDocument();
    if ((view && view->IsSimulating()) || !doc || doc->GetMachineType() != 0x51)
        return;
    m_nPropertiesStartPage = 1;
    SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_PROPERTIES, 0), 0);
}

void CMainFrame::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CMainFrame::OnUpdateAlwaysDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CMainFrame::AppendLog(const CString& text)
{
    m_wndInfoWindow.AppendLog(text);
}

int CMainFrame::ShowDeviceDialog(int nKind, int* pFlag, BYTE*)
{
    switch (nKind) {
    case 13:
        if (pFlag)
            *pFlag = 1;
        return 1;
    case 1:
    case 3:
    case 9:
    case 10:
    case 12:
    case 14:
        return 1;
    default:
        // The password, clock, summer/winter time, progress and WiFi dialogs come with the
        // device link.
        return -1;
    }
}
