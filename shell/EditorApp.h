// CEditorApp: the editor's application object. It fixes the interface language for the run from
// the settings file, registers the clipboard format "Widget" and the two document templates,
// creates the main frame, opens the files of the command line and shows the main window
// maximized; its commands create, open and save programs and close them at exit.
#pragma once

#include "platform/ui/framework/App.h"

class CMultiDocTemplate;
class CDocument;

class CEditorApp : public CWinApp
{
public:
    CEditorApp();
    ~CEditorApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
    BOOL SaveAllModified() override;
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate) override;
    // The save dialog of the document's Save As: TRUE when the user confirmed a name.
    BOOL PromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate);

    UINT GetWidgetClipFormat() const { return m_cfWidget; }
    // TRUE while the active view of the active child frame simulates, that frame's Simulation
    // bar exists and the simulated device has power. The docking bars ask it before they offer
    // their close button.
    BOOL IsSimulationRunning() const;

    // ---- printer ----
    BOOL HasDefaultPrinter();
    BOOL IsLandscape();
    void SetLandscape(BOOL bLandscape);
    CString GetDefaultPrinterName();
    CString GetDefaultPrinterFormName();

    // ---- language (ChineseTexts.cpp) ----
    // Fills the caption map and the id map of the Chinese texts.
    void BuildChineseTexts();
    // Replaces the texts of the main window's current menu: mode 0 the menu without documents,
    // mode 1 the document menu; nFirst the position of the first caption.
    void TranslateMenus(int nMode, int nFirst);

    // ---- help (HelpTopics.cpp) ----
    void BuildHelpTopicMap();
    // Opens the topic page of a help id in the desktop's browser.
    void ShowBlockHelp(UINT nHelpId);
    // The help folder in use (by language) and the page of a help id.
    CString GetHelpFolder() const;

    // ---- file commands (EditorAppFiles.cpp) ----
    void OnFileNewFbd();
    void OnFileNewLad();
    void OnFileOpen();
    void OnFilePageSetup();
    void OnAppAbout();

    CMultiDocTemplate* m_pFbdTemplate = nullptr;
    CMultiDocTemplate* m_pLadTemplate = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
    HCURSOR m_hBlockCursor = nullptr;
    CString m_strProgramFolder;
    int m_bDocMenuTranslated = 0;
    UINT m_cfWidget = 0;
    CString m_strLastFolder;
    int m_bLandscape = 0;
    // Set when the settings file could not be read; shown once the main window exists.
    CString m_strStartupMessage;

private:
    // Steps of New and Open that relabel the transfer commands and drop "Select hardware".
    void RelabelDocumentMenu();
    HCURSOR MakeBlockCursor();

    DECLARE_MESSAGE_MAP()
};

// Clipboard formats registered before the application object is built.
extern WORD g_cfNorvettFAB;
extern WORD g_cfNorvettFABLogic;
