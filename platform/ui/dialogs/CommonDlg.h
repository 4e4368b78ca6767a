// The common dialogs: file open/save, colour, font, print and page setup. The dialogs
// themselves are the display host's (the GTK host shows GTK's own); this layer turns the
// program's requests into one query record, hands it to the installed handler and reads the
// answer back. Without a handler every dialog is cancelled; tests install a script
// (CCommonDlgScript) that answers and records the queries.
#pragma once

#include "platform/base/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/dialogs/Dlg.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CDC;

// ---- file dialog flags ----
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_ENABLESIZING = 0x00800000;
// ---- colour dialog flags ----
constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SHOWHELP = 0x00000008;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;
// ---- font dialog flags ----
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_NOVECTORFONTS = 0x00000800;
constexpr DWORD CF_TTONLY = 0x00040000;
// ---- print dialog flags ----
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
// ---- page setup flags ----
constexpr DWORD PSD_DEFAULTMINMARGINS = 0x00000000;
constexpr DWORD PSD_MINMARGINS = 0x00000001;
constexpr DWORD PSD_MARGINS = 0x00000002;
constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x00000004;
constexpr DWORD PSD_INHUNDREDTHSOFMILLIMETERS = 0x00000008;
constexpr DWORD PSD_DISABLEMARGINS = 0x00000010;
constexpr DWORD PSD_DISABLEPRINTER = 0x00000020;
constexpr DWORD PSD_NOWARNING = 0x00000080;
constexpr DWORD PSD_DISABLEORIENTATION = 0x00000100;
constexpr DWORD PSD_DISABLEPAPER = 0x00000200;
constexpr DWORD PSD_INWININIINTLMEASURE = 0x00000000;
constexpr DWORD PSD_SHOWHELP = 0x00000800;

// What a common dialog is asked and answers. The handler fills the answer fields and
// returns true for OK, false for Cancel.
struct CommonDlgQuery {
    enum Kind { FileOpen, FileSave, Color, Font, Print, PageSetup } kind = FileOpen;
    HWND owner = nullptr;
    std::wstring title;
    DWORD flags = 0;

    // Files. filters: (description, patterns separated by ';'); filterIndex from 1.
    std::wstring initialDir;
    std::wstring fileName;
    std::wstring defExt;
    std::vector<std::pair<std::wstring, std::wstring>> filters;
    int filterIndex = 1;
    std::vector<std::wstring> paths;  // answer: full paths (several with multi-selection)
    bool overwriteConfirmed = false;  // answer: the dialog asked about replacing already
    bool readOnly = false;            // answer: the read-only box

    // Colour (in and out) and the 16 custom colours.
    COLORREF color = 0;
    COLORREF customColors[16] = {};

    // Font (in and out); pointSize in tenths of a point.
    LOGFONTW font{};
    int pointSize = 0;

    // Printer (in and out).
    std::wstring deviceName;
    short orientation = 1;  // 1 portrait, 2 landscape
    short paperSize = 9;    // A4
    int copies = 1;
    int fromPage = 0, toPage = 0, minPage = 1, maxPage = 0xFFFF;
    bool printToFile = false;
    std::wstring outputFile;

    // Page setup (in and out): paper size and margins in the flags' unit.
    SIZE paper{0, 0};
    RECT margins{0, 0, 0, 0};
    RECT minMargins{0, 0, 0, 0};
};

using CommonDlgHandler = std::function<bool(CommonDlgQuery&)>;
// Installs the handler (the GTK host's dialogs, a script); returns the previous one.
CommonDlgHandler AfxSetCommonDlgHandler(CommonDlgHandler handler);
// Asks the installed handler, with the owner's windows disabled meanwhile.
bool AfxRunCommonDialog(CommonDlgQuery& query);

// A script for tests: answers queries in order (an answer may fill the query and return
// true, or return false for Cancel; no answer left means Cancel) and keeps every query.
class CCommonDlgScript {
public:
    CCommonDlgScript();
    ~CCommonDlgScript();
    CCommonDlgScript(const CCommonDlgScript&) = delete;
    CCommonDlgScript& operator=(const CCommonDlgScript&) = delete;

    void Queue(CommonDlgHandler answer) { m_answers.push_back(std::move(answer)); }
    void QueueFiles(std::vector<std::wstring> paths);
    void QueueColor(COLORREF color);
    void QueueCancel();
    const std::vector<CommonDlgQuery>& Queries() const { return m_queries; }

private:
    std::deque<CommonDlgHandler> m_answers;
    std::vector<CommonDlgQuery> m_queries;
    CommonDlgHandler m_previous;
};

// Base of the common dialog classes.
class CCommonDialog : public CDialog {
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(0, pParentWnd) {}
    CString m_strTitle;  // the dialog's title; empty for the standard one

protected:
    // The host shows the dialog itself; a hidden stand-in window lets OnInitDialog of a
    // derived class set the dialog up (its caption becomes the query's title), then runs the
    // query. True for OK.
    bool RunQuery(CommonDlgQuery& query);
};

class CFileDialog : public CCommonDialog {
public:
    // lpszFilter: "Text|patterns|Text|patterns||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return m_bReadOnly; }
    // Iterates the chosen paths (all of them, however many were chosen).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    struct OPENFILENAME_ {
        DWORD Flags = 0;
        LPCWSTR lpstrTitle = nullptr;
        LPCWSTR lpstrInitialDir = nullptr;
        DWORD nFilterIndex = 1;
        // The caller's buffer for the chosen name(s), optional. Results that do not fit are
        // still available through GetNextPathName.
        LPWSTR lpstrFile = nullptr;
        DWORD nMaxFile = 0;
    } m_ofn;

private:
    BOOL m_bOpenFileDialog;
    BOOL m_bReadOnly = FALSE;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    std::vector<CString> m_paths;
};

class CColorDialog : public CCommonDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* GetSavedCustomColors();

    struct CHOOSECOLOR_ {
        DWORD Flags = 0;
        COLORREF rgbResult = 0;
        COLORREF* lpCustColors = nullptr;
    } m_cc;
};

class CFontDialog : public CCommonDialog {
public:
    explicit CFontDialog(const LOGFONTW* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LOGFONTW* lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return int(m_lf.lfWeight); }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD ? TRUE : FALSE; }
    BOOL IsItalic() const { return m_lf.lfItalic ? TRUE : FALSE; }
    BOOL IsUnderline() const { return m_lf.lfUnderline ? TRUE : FALSE; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut ? TRUE : FALSE; }

    struct CHOOSEFONT_ {
        DWORD Flags = 0;
        LOGFONTW* lpLogFont = nullptr;
        int iPointSize = 0;
        COLORREF rgbColors = 0;
    } m_cf;
    LOGFONTW m_lf{};
};

class CPrintDialog : public CCommonDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    CString GetDeviceName() const { return m_strDevice; }
    int GetCopies() const { return m_pd.nCopies; }
    BOOL PrintAll() const { return !(m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) ? TRUE : FALSE; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) ? TRUE : FALSE; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) ? TRUE : FALSE; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

    struct PRINTDLG_ {
        DWORD Flags = 0;
        WORD nFromPage = 0, nToPage = 0, nMinPage = 1, nMaxPage = 0xFFFF, nCopies = 1;
    } m_pd;
    BOOL m_bPrintSetupOnly;
    CString m_strDevice;
    short m_nOrientation = 1;
    short m_nPaperSize = 9;
    CString m_strOutputFile;
};

class CPageSetupDialog : public CCommonDialog {
public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
    CString GetDeviceName() const { return m_strDevice; }

    struct PAGESETUPDLG_ {
        DWORD Flags = 0;
        POINT ptPaperSize{0, 0};
        RECT rtMinMargin{0, 0, 0, 0};
        RECT rtMargin{0, 0, 0, 0};
    } m_psd;
    CString m_strDevice;
    short m_nOrientation = 1;
    short m_nPaperSize = 9;
};
