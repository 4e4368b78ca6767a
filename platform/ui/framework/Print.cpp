// Printing: the default printer, the system profile's printer entry, and the view's print
// protocol (prepare, begin, one OnPrint per page, end) writing the pages to a PDF file that
// replaces no file unasked and never lands in the current folder.
#include "platform/ui/framework/Print.h"

#include "platform/base/FileSystem.h"
#include "platform/gdi/DC.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/View.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {
std::optional<CString>& PrinterOverride()
{
    static std::optional<CString> name;
    return name;
}
AfxPrintDialogHook g_printHook = nullptr;

void CopyName(wchar_t (&dst)[32], const CString& src)
{
    int n = std::min(31, src.GetLength());
    std::copy(LPCTSTR(src), LPCTSTR(src) + n, dst);
    dst[n] = 0;
}
}  // namespace

CString AfxGetDefaultPrinterName()
{
    if (PrinterOverride())
        return *PrinterOverride();
    if (const char* env = std::getenv("TAVIX_PRINTER"))
        return CString(env);
    return CString(L"PDF");
}

void AfxSetDefaultPrinterName(LPCTSTR name)
{
    if (name)
        PrinterOverride() = CString(name);
    else
        PrinterOverride().reset();
}

BOOL AfxGetDefaultDevMode(DEVMODE* dm)
{
    CString name = AfxGetDefaultPrinterName();
    name.Trim();
    if (name.IsEmpty() || !dm)
        return FALSE;
    *dm = DEVMODE{};
    CopyName(dm->dmDeviceName, name);
    dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_FORMNAME;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmPaperSize = DMPAPER_A4;
    dm->dmCopies = 1;
    CopyName(dm->dmFormName, CString(L"A4"));
    return TRUE;
}

CSize AfxPrinterPageSize(const DEVMODE& dm)
{
    // Paper sizes in tenths of a millimetre, at 300 dots per inch.
    int w = 2100, h = 2970;  // A4
    switch (dm.dmPaperSize) {
    case DMPAPER_A2: w = 4200, h = 5940; break;
    case DMPAPER_A3: w = 2970, h = 4200; break;
    case DMPAPER_LETTER: w = 2159, h = 2794; break;
    default: break;
    }
    if (dm.dmOrientation == DMORIENT_LANDSCAPE)
        std::swap(w, h);
    return CSize(w * kPrinterDpi / 254, h * kPrinterDpi / 254);
}

DWORD GetProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR def, LPWSTR buf, DWORD size)
{
    CString value = def ? def : L"";
    if (section && key && CString(section).CompareNoCase(L"windows") == 0 && CString(key).CompareNoCase(L"device") == 0) {
        CString name = AfxGetDefaultPrinterName();
        name.Trim();
        if (!name.IsEmpty())
            value = name + L",pdf,FILE:";
    }
    if (!buf || size == 0)
        return 0;
    DWORD n = std::min<DWORD>(DWORD(value.GetLength()), size - 1);
    std::copy(LPCTSTR(value), LPCTSTR(value) + n, buf);
    buf[n] = 0;
    return n;
}

void AfxSetPrintDialogHook(AfxPrintDialogHook hook) { g_printHook = hook; }
AfxPrintDialogHook AfxGetPrintDialogHook() { return g_printHook; }

// ---- the view's print protocol ----

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (!pInfo)
        return FALSE;
    CWinApp* app = AfxGetApp();
    DEVMODE dm;
    BOOL havePrinter = app ? app->GetPrinterDeviceDefaults(&dm) : AfxGetDefaultDevMode(&dm);
    if (!havePrinter) {
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_NO_PRINTERS, L"No printers are installed."), MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pInfo->m_bPreview || pInfo->m_bDirect)
        return TRUE;
    HWND owner = GetTopLevelParent() ? GetTopLevelParent()->m_hWnd : m_hWnd;
    if (g_printHook)
        return g_printHook(owner, pInfo);
    return AfxRunPrintDialog(owner, pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

namespace {
bool IsAbsolute(const CString& path) { return !path.IsEmpty() && path[0] == L'/'; }

// Where the pages go. A chosen path (the print dialog's file, else $TAVIX_PRINT_OUTPUT) is
// used as it is, a bare name is placed in the temporary folder: printing never writes into the
// current folder. Without a choice the pages go to "<title>.pdf" in the temporary folder, under
// a name no file has yet. *pChosen tells which it was.
CString OutputPath(CView* view, const CPrintInfo& info, bool* pChosen)
{
    CString chosen = info.m_strOutput;
    if (chosen.IsEmpty())
        if (const char* env = std::getenv("TAVIX_PRINT_OUTPUT"))
            chosen = CString(env);
    *pChosen = !chosen.IsEmpty();
    if (*pChosen)
        return IsAbsolute(chosen) ? chosen : GetTempFolder() + chosen;
    CString title = L"print";
    if (CDocument* doc = view->GetDocument(); doc && !doc->GetTitle().IsEmpty())
        title = doc->GetTitle();
    // Characters a file name must not hold become '_'.
    for (int i = 0; i < title.GetLength(); ++i)
        if (wcschr(L"/\\:*?\"<>|", title[i]))
            title.SetAt(i, L'_');
    CString path = GetTempFolder() + title + L".pdf";
    for (int n = 2; ::PathFileExistsW(path) && n < 10000; ++n)
        path.Format(L"%s%s (%d).pdf", LPCTSTR(GetTempFolder()), LPCTSTR(title), n);
    return path;
}

void ReportNotWritten(const CString& path)
{
    CString text;
    text.Format(LPCTSTR(AfxLoadStringOr(AFX_IDP_PRINT_NOT_WRITTEN, L"The pages could not be written to %s.")),
                LPCTSTR(path));
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

// An existing file is replaced only when the user says so.
bool MayWrite(const CString& path)
{
    if (!::PathFileExistsW(path))
        return true;
    CString text;
    text.Format(LPCTSTR(AfxLoadStringOr(AFX_IDP_ASK_TO_REPLACE, L"%s already exists.\nDo you want to replace it?")),
                LPCTSTR(path));
    return AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}
}  // namespace

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (const MSG* m = GetCurrentMessage(); m && m->message == WM_COMMAND && LOWORD(m->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    DEVMODE dm;
    CWinApp* app = AfxGetApp();
    if (!(app ? app->GetPrinterDeviceDefaults(&dm) : AfxGetDefaultDevMode(&dm)))
        return;
    CSize page = AfxPrinterPageSize(dm);
    bool chosen = false;
    CString output = OutputPath(this, info, &chosen);
    if (chosen && !MayWrite(output))
        return;
    CDC dc;
    if (!dc.CreatePrinterDC(page.cx, page.cy, kPrinterDpi, std::wstring(LPCTSTR(output)))) {
        AfxMessageBox(L"The printer could not be prepared.", MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(&dc, &info);
    CString docName = GetDocument() ? GetDocument()->GetTitle() : CString(L"Document");
    DOCINFO di{int(sizeof(DOCINFO)), docName, output, nullptr, 0};
    if (dc.StartDoc(&di) <= 0) {
        OnEndPrinting(&dc, &info);
        ReportNotWritten(output);
        return;
    }
    UINT first = std::max(info.GetFromPage(), info.GetMinPage());
    UINT last = std::min(info.GetToPage(), info.GetMaxPage());
    // A job without a page count prints until OnPrepareDC says stop (one page by default).
    bool ok = true;
    for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
        info.m_bContinuePrinting = TRUE;
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0) {
            ok = false;
            break;
        }
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        OnPrint(&dc, &info);
        if (dc.EndPage() <= 0) {
            ok = false;
            break;
        }
        if (info.m_nCurPage == 0xFFFFFFFFu)
            break;
    }
    if (!ok) {
        dc.AbortDoc();
        OnEndPrinting(&dc, &info);
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_PRINT_FAILED, L"Printing failed."), MB_ICONEXCLAMATION);
        return;
    }
    const bool written = dc.EndDoc() > 0;
    OnEndPrinting(&dc, &info);
    if (!written)
        ReportNotWritten(output);
}
