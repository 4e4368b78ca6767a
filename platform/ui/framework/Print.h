// Printing: the job record a view's print protocol gets (CPrintInfo), the printer settings the
// application keeps, and the printer itself. Pages go to a PDF file (the print queue of this
// system); print preview shows the same pages in a window.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/ui/core/WinUser.h"

class CDC;

// Printer settings fields (DEVMODE::dmFields).
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_FORMNAME = 0x00010000;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A3 = 8;
constexpr short DMPAPER_A4 = 9;
constexpr short DMPAPER_A2 = 66;

// The settings of a printer: the fields the editor reads and changes.
struct DEVMODEW {
    wchar_t dmDeviceName[32] = {};
    DWORD dmFields = 0;
    short dmOrientation = DMORIENT_PORTRAIT;
    short dmPaperSize = DMPAPER_A4;
    short dmCopies = 1;
    wchar_t dmFormName[32] = {};
};
using DEVMODE = DEVMODEW;

// One print job as the view sees it. Pages are numbered from 1.
class CPrintInfo {
public:
    CPrintInfo() = default;

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range the user chose (the whole document unless a range was given).
    UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }
    UINT GetOffsetPage() const { return 0; }

    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bDocObject = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;

    // What the print dialog chose: a page range (0 = all) and the output file.
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
    CString m_strOutput;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

// ---- the printer ----
// The default printer's name; empty when none is installed. Taken from $TAVIX_PRINTER when
// set (an empty value means "no printer"), else the built-in PDF printer.
CString AfxGetDefaultPrinterName();
void AfxSetDefaultPrinterName(LPCTSTR name);  // tests and start-up
// Fills the default printer's settings; FALSE without a printer.
BOOL AfxGetDefaultDevMode(DEVMODE* dm);
// Page size in device units (300 dpi) of the settings' paper and orientation.
CSize AfxPrinterPageSize(const DEVMODE& dm);
constexpr int kPrinterDpi = 300;

// The system profile's [windows] "device" entry: "<printer>,<driver>,<port>" for the default
// printer, the default text without one. Other entries give the default.
DWORD GetProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR def, LPWSTR buf, DWORD size);

// How print jobs reach the output: the hook (else the standard print dialog) fills the page
// range and the output path. Without a path the job goes to the PDF file named by
// $TAVIX_PRINT_OUTPUT, else "<title>.pdf" in the temporary folder. FALSE cancels the job.
using AfxPrintDialogHook = BOOL (*)(HWND owner, CPrintInfo* info);
void AfxSetPrintDialogHook(AfxPrintDialogHook hook);
// The standard print dialog (CPrintDialog): page range, output file and the printer settings
// it changes; used when no hook is installed.
BOOL AfxRunPrintDialog(HWND owner, CPrintInfo* info);
AfxPrintDialogHook AfxGetPrintDialogHook();
