// CWinApp: the application object. It runs the message loop with idle processing, owns the
// document templates and the main window, keeps the recent-file list in the profile, reads
// the command line and holds the printer settings.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/List.h"
#include "platform/ui/framework/AppIds.h"
#include "platform/ui/framework/AppRecentFiles.h"
#include "platform/ui/core/CmdTarget.h"
#include "platform/ui/framework/Print.h"
#include "platform/ui/core/Wnd.h"

#include <memory>
#include <vector>

class CDocTemplate;
class CDocument;

// What the command line asks for.
class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
    ~CCommandLineInfo() override = default;

    // Called for each argument; bFlag when it started with '-' or '/' (which is removed).
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // ---- start-up and the loop ----
    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop: idle processing while the queue is empty, then one message at a time;
    // returns ExitInstance's result when WM_QUIT arrives.
    virtual int Run();
    // One idle pass: FALSE when no more idle work is wanted. Count 0 updates the user interface
    // of the main window's bars and title; count 1 frees temporary objects.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Gives the arguments the program was started with (argv[1..]).
    void SetCommandLineArgs(const std::vector<CString>& args) { m_args = args; }
    const std::vector<CString>& GetCommandLineArgs() const { return m_args; }
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // The program file's path (argv[0]): sets the program name and the help file path
    // ("<folder>/<name>.HLP").
    void SetProgramPath(LPCTSTR path);
    // FileNew: a new document; FileOpen: the named file; FileNothing: nothing. FALSE on failure.
    virtual BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- documents ----
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount() const;
    // Opens a file with the template that matches it best (activating it if it is open).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // Asks every modified document whether to save it; FALSE when the user cancels.
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // The file dialog for Open and Save As (through the installed file-dialog hook).
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // ---- commands ----
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    BOOL OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    void OnAppExit();
    void OnHelp() {}

    // ---- profile ----
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    // ---- resources ----
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

    // ---- printer ----
    // Loads the default printer's settings into m_devMode when none are held; FALSE without
    // a printer.
    BOOL GetPrinterDeviceDefaults(DEVMODE* pDevMode = nullptr);
    // The held printer settings, null before they are loaded or without a printer.
    DEVMODE* GetDevMode() { return m_devMode.get(); }
    CString GetPrinterDeviceName() const { return m_strPrinterName; }

    // ---- shell integration: nothing to register on this system ----
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL = FALSE) {}
    void UnregisterShellFileTypes() {}
    BOOL Enable3dControls() { return TRUE; }
    void EnableHtmlHelp() {}

    CWnd* m_pMainWnd = nullptr;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    HINSTANCE m_hInstance = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    CPtrList m_templateList;
    MSG m_msgCur{};

protected:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpPath;
    CString m_strRegistryKey;
    CString m_strProfileName;
    CString m_strPrinterName;
    std::unique_ptr<DEVMODE> m_devMode;
    std::vector<CString> m_args;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
// The application's main window (null without an application or before it is created).
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
// Runs the application object: InitApplication, InitInstance, then Run (or ExitInstance when
// InitInstance fails). Returns the exit code. argv[0] names the program.
int AfxWinMain(int argc, char** argv);

// The file dialog the framework shows for Open and Save As (installed by the common dialogs or
// by tests). Returns TRUE with the chosen path(s) in fileName.
using AfxFileDialogHook = BOOL (*)(CString& fileName, LPCTSTR title, DWORD flags, BOOL bOpen, LPCTSTR filter,
                                   LPCTSTR defExt);
void AfxSetFileDialogHook(AfxFileDialogHook hook);
// The standard file dialog (CFileDialog) with these arguments; used when no hook is installed.
BOOL AfxRunFileDialog(CString& fileName, LPCTSTR title, DWORD flags, BOOL bOpen, LPCTSTR filter, LPCTSTR defExt);

// ---- resources of the program, through the resource finder ----
// The string resource nID, empty when there is none.
CString AfxLoadString(UINT nID);
// The string resource nID, or `fallback` when the program has none.
CString AfxLoadStringOr(UINT nID, LPCTSTR fallback);
struct DialogTemplate;
const DialogTemplate* AfxFindDialogTemplate(UINT nID);
