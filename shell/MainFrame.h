// The main frame of the editor: owns the device link and the program-wide bars.
// A plain class until the framework's MDI frame exists; members are added by the code that uses
// them, each group in its own section below.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/base/Afx.h"

class CMainFrame
{
public:
    CMainFrame() = default;
    virtual ~CMainFrame() = default;

    // ---- services used by the diagram elements and the document ----
    // Series text and minimum firmware of a hardware code; returns the model class, or -1 (the
    // outputs untouched) for an unknown model.
    static int GetSeriesName(WORD wHardwareCode, CString* pName, WORD* pMinFirmware);
    // Fills g_mapBlockTypeName with the bracketed names of the function blocks (done once at
    // start-up).
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

    int m_nComPort = 0;          // chosen port number: 0 none, else 1..256
    int m_bPortOpen = 0;         // 1 while the port is open
    int m_bLinkOpen = 0;         // second link flag, set and cleared with m_bPortOpen
    void* m_hComPort = nullptr;  // the open port's HANDLE, null when none is open
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
