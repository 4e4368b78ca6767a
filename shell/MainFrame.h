// CMainFrame: the editor's one MDI main frame. It owns the toolbar, the status bar with the zoom
// pane and its two pane controls, the Information Window (the log), the WorkBox block palette and
// the device link; it routes the main frame's commands and the special keys, hands palette
// choices to the active diagram view and queues device operations for the transfer engine.
#pragma once

#include "controls/CJTabCtrlBar.h"
#include "controls/PaneControlStatusBar.h"
#include "platform/base/Afx.h"
#include "platform/base/WinTypes.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/StatusBar.h"
#include "platform/ui/framework/ToolBar.h"
#include "platform/ui/controls/CtlImageList.h"
#include "shell/InfoWindowBar.h"

#include <deque>
#include <memory>

class CDeviceDispatcher;
class CTavixView;
class CTavixDoc;

// Messages of the program's own windows to the main frame (the palette's WM_PALETTE_TOOL comes
// with the tab bar).
constexpr UINT WM_DEVICE_OPERATION = WM_USER + 53;  // wParam: the operation code; posted

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // ---- services used by the diagram elements and the document ----
    // Series text and minimum firmware of a hardware code; returns the model class, or -1 (the
    // outputs untouched) for an unknown model.
    static int GetSeriesName(WORD wHardwareCode, CString* pName, WORD* pMinFirmware);
    // Fills g_mapBlockTypeName with the bracketed names of the function blocks.
    static void BuildBlockNameMap();
    // Document kind (1 function block diagram, 2 ladder) the next document takes; taking it
    // resets it to 1.
    static int TakePendingDocKind();
    static void SetPendingDocKind(int nKind);
    // Open documents: counted up by each document's construction, down by its destruction.
    static void DocumentOpened();
    static void DocumentClosed();
    static int GetOpenDocumentCount();
    // The model's series text shown in the status pane.
    static void SetSeriesText(const CString& text);
    static CString GetSeriesText();
    // Palette choice: the tool (the view's new edit mode) and the block type of insert mode 1.
    int m_nCurrentTool = 0;
    int m_nPaletteType = 0;

    // ---- windows ----
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Appends a printf-style formatted text to the Information Window ("\n" ends a line).
    template <typename... Args>
    void Log(LPCTSTR pszFormat, const Args&... args)
    {
        CString text;
        text.Format(pszFormat, args...);
        AppendLog(text);
    }
    void AppendLog(const CString& text);
    // Shows the Information Window when hidden, hides it when shown.
    void ToggleInfoWindow();
    // Sends File New (57600) to the main window.
    void SendFileNew();
    // Device dialogs by kind for the transfer engine (see the table in MainFrameCommands.cpp).
    int ShowDeviceDialog(int nKind, int* pFlag, BYTE* pBuffer);
    // Status-bar pane controls: kind m_nNewPaneKind (4 the bitmap button, 6 the series label)
    // at pane index m_nNewPaneIndex; 0 on success.
    int CreateStatusControls();
    // Removes the bitmap button (1) or the series label (2) and its pane.
    void RemoveStatusControl(int nWhich);
    // The status bar's series label shows the series of a program's model (the label is made
    // when missing); without a program it keeps its text.
    void ShowSeriesOf(const CTavixDoc* pDoc);
    // Another program window became active (or the last one closed): the series label and the
    // palette lists follow it at once.
    void OnProgramActivated();

    // The active diagram view of the active child frame, or null.
    CTavixView* GetActiveDiagramView() const;
    // Its document, or null.
    CTavixDoc* GetActiveDiagramDocument() const;

    // Device operations posted to the frame, kept in order until the transfer engine takes them.
    const std::deque<int>& PendingDeviceOperations() const { return m_pendingDeviceOps; }
    int TakeDeviceOperation();

    CInfoWindowBar& InfoWindow() { return m_wndInfoWindow; }
    CCJTabCtrlBar& WorkBox() { return m_wndWorkBox; }
    CPaneControlStatusBar& StatusBar() { return m_wndStatusBar; }
    CToolBar& ToolBar() { return m_wndToolBar; }

    // ---- state (in the order the frame keeps it) ----
    CPaneControlStatusBar m_wndStatusBar;
    int m_nPropertiesStartPage = 0;    // 1 hardware page, 2 parameter page
    int m_nNewPaneIndex = 0;
    int m_nNewPaneKind = 0;
    CWnd* m_pStatusButton = nullptr;    // the status bar's bitmap button
    CWnd* m_pSeriesLabel = nullptr;     // the embossed series label
    int m_nTransferState = 0;
    BOOL m_bInfoWindowShown = FALSE;
    CInfoWindowBar m_wndInfoWindow;
    int m_nLanguageIndex = 0;           // g_nLanguage at construction; Language compares with it
    COLORREF m_crFrameBackground = RGB(255, 255, 255);  // the palette's background
    int m_nPaletteTool = 0;             // last WM_PALETTE_TOOL arguments
    int m_nPaletteBlockType = 0;
    CCJTabCtrlBar m_wndWorkBox;
    CImageList m_imgTabs;
    CImageList m_imgViews;
    CToolBar m_wndToolBar;
    // A message about the city file for the user, shown once the main window is up.
    CString m_strStartupMessage;

    // ---- serial port operations (implemented in comm/) ----
    // Opens the chosen port (m_nComPort) with these line settings (parity and stop bits as
    // system codes, 0 = none / one); shows why on failure. 1 opened, 0 failed.
    int OpenPort(int nBaudRate, BYTE byDataBits, BYTE byParity, BYTE byStopBits);
    // Closes the open port (DTR lowered); nothing when none is open.
    void ClosePort();
    // Opens the chosen port at 115200 baud, 8 data bits, no parity, one stop bit and sets both
    // link flags; returns the port-open flag (unchanged when no port is chosen).
    int OpenDevicePort();
    // Closes the port and clears both link flags; returns 0.
    int CloseDevicePort();
    // Writes one request frame after dropping whatever is still queued. 1 written; 0 with the
    // system error code in *pLinkError.
    int WritePort(const BYTE* pFrame, WORD wLength, UINT* pLinkError);
    // Reads one answer of *pExpected bytes within nDeadlineMs; a 17-byte start answer may lower
    // *pExpected from 19 to 17. 1 complete; 0 with *pLinkError set: 9000 time-out, 9011
    // exception answer, other values system error codes.
    int ReadAnswer(BYTE* pAnswer, WORD* pExpected, UINT* pLinkError, int nDeadlineMs);

    // Where the port operations report: a line for the information window, a message box, the
    // transfer progress (kind, value) and a monotonic millisecond clock. Overridable so that a
    // frame without windows (and tests) can take them.
    virtual void PortLog(LPCTSTR pszLine);
    virtual int PortMessageBox(LPCTSTR pszText, UINT nType);
    virtual void PortProgress(int nKind, int nValue);
    virtual LONGLONG PortClockMs();

    // The device operations' dispatcher with the transfer engine and the device dialogs
    // (comm/), made on first use.
    CDeviceDispatcher& DeviceDispatcher();

    int m_nComPort = 0;          // chosen port number: 0 none, else 1..256
    int m_nBaudRate = 9600;
    int m_bPortOpen = 0;         // 1 while the port is open
    int m_bLinkOpen = 0;         // second link flag, set and cleared with m_bPortOpen
    void* m_hComPort = nullptr;  // the open port's HANDLE, null when none is open

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpdis);
    void OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnPaletteTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceOperation(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    // Commands (MainFrameCommands.cpp)
    void OnFileNewFbd();
    void OnFileNewLad();
    void OnDeviceCommand(UINT nID);
    void OnComConfiguration();
    void OnLanguage();
    void OnFrameColor();
    void OnFileProperties();
    void OnFileSelectHardware();
    void OnUpdateNeedsDiagram(CCmdUI* pCmdUI);
    void OnConvertToFbd();
    void OnUpdateConvertToFbd(CCmdUI* pCmdUI);
    void OnMessageTextSettings();
    void OnUpdateMessageTextSettings(CCmdUI* pCmdUI);
    void OnToggleSimulationBar(UINT nID);
    void OnUpdateSimulationBars(CCmdUI* pCmdUI);
    void OnViewInfoWindow();
    void OnUpdateViewInfoWindow(CCmdUI* pCmdUI);
    void OnHelpContents();
    void OnStatusControl();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnUpdateAlwaysDisabled(CCmdUI* pCmdUI);

public:
    // Runs the Simulation bar's power action when the active view simulates and its Power
    // button is held (a mouse release anywhere completes the power cycle).
    void ReleaseHeldPower();

private:
    // Invalidates the BSC and I/O palette views, whose lists depend on the active document.
    void InvalidatePaletteViews();

    std::deque<int> m_pendingDeviceOps;
    struct DeviceDispatcherDeleter {
        void operator()(CDeviceDispatcher* p) const;
    };
    std::unique_ptr<CDeviceDispatcher, DeviceDispatcherDeleter> m_pDeviceDispatcher;
    int m_nLastLogLines = 0;

    DECLARE_MESSAGE_MAP()
};

// ---- program-wide values used by the diagram elements and the document ----
// Hardware code of the current document (its high byte is the machine type); 0x5188 at start.
extern WORD g_wHardwareCode;
// 1 when the user interface runs in Simplified Chinese, 0 for English.
extern int g_nLanguage;
// Bracketed block names ("[On Delay]", ...) by type code, filled by the main frame.
extern CMap<int, int, CString, LPCTSTR> g_mapBlockTypeName;
// Names of the eight extension modules: "Main", "Ext.1" ... "Ext.7".
extern CString g_astrModuleNames[8];
// Face name of the view's info-tip font; empty by default.
extern CString g_strTipFaceName;
// The "Show at new file" setting of the program properties; every new document copies it.
extern BOOL g_bShowPropertiesAtNew;
