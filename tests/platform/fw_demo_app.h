// A small MDI program on the application framework: two document kinds ("Text" and "Sketch")
// in MDI children, a main frame with toolbar and status bar, commands handled at each level of
// the routing with update handlers, a scroll view that prints three pages, and hand-made
// resources installed through the resource finder. The framework tests drive it headless.
#pragma once

#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/framework/StatusBar.h"
#include "platform/ui/framework/ToolBar.h"
#include "platform/ui/framework/View.h"

#include <string>
#include <vector>

namespace fwdemo {

// Resource and command ids of the demo.
enum : UINT {
    IDR_MAINFRAME = 200,
    IDR_TEXTTYPE = 201,
    IDR_SKETCHTYPE = 202,
    ID_DEMO_INCREMENT = 32800,  // the document's
    ID_DEMO_MARK = 32801,       // the view's
    ID_DEMO_CHILDCMD = 32802,   // the child frame's
    ID_DEMO_TOGGLE = 32803,     // the main frame's
    ID_DEMO_APPCMD = 32804,     // the application's
    ID_DEMO_HIDDEN = 32805,     // a hidden toolbar button
    ID_DEMO_SHARED = 32806,     // handled by the view and the main frame: the view wins
    ID_INDICATOR_COUNT = 32900,
};

// Installs the demo's menus, accelerators, strings and toolbar through the resource finder.
void InstallResources();

// Who handled what, in order ("doc:32800", "main:32806" ...).
std::vector<std::string>& Log();

class CDemoDoc : public CDocument {
    DECLARE_DYNCREATE(CDemoDoc)
public:
    CDemoDoc();
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;

    CString m_text;
    int m_count = 0;
    // Makes Serialize throw while storing (a failing save).
    static bool s_failStore;

    void OnIncrement();
    void OnUpdateIncrement(CCmdUI* pCmdUI);
    void OnShared();
    DECLARE_MESSAGE_MAP()
};

class CDemoView : public CScrollView {
    DECLARE_DYNCREATE(CDemoView)
public:
    CDemoDoc* GetDocument() const { return static_cast<CDemoDoc*>(m_pDocument); }
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    std::vector<UINT> m_printedPages;
    int m_beginCount = 0;
    int m_endCount = 0;

    void OnMark();
    void OnShared();
    void OnUpdateShared(CCmdUI* pCmdUI);
    // Characters typed into the view are logged as "view:char:<code>".
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

class CDemoChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CDemoChild)
public:
    void OnChildCmd();
    DECLARE_MESSAGE_MAP()
};

class CDemoMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CDemoMainFrame)
public:
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    BOOL m_toggled = FALSE;
    std::vector<UINT> m_dropDowns;
    std::vector<std::pair<UINT, UINT>> m_drawnItems;  // owner-drawn menu items: id, state
    int m_measured = 0;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnToggle();
    void OnUpdateToggle(CCmdUI* pCmdUI);
    void OnShared();
    void OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpmis);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpdis);
    DECLARE_MESSAGE_MAP()
};

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Demo") {}
    BOOL InitInstance() override;
    CMultiDocTemplate* m_pTextTemplate = nullptr;
    CMultiDocTemplate* m_pSketchTemplate = nullptr;
    int m_appCommands = 0;
    void OnAppCmd();
    void OnUpdateAppCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

}  // namespace fwdemo
