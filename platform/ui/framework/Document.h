// CDocument: the data of one open file, shown by one or more views.
//
// Saving goes through AfxWriteFileReplacing (platform/base/SafeReplace.h); a failed save leaves
// the old file as it was, reports why and keeps the document marked modified.
#pragma once

#include "platform/base/Archive.h"
#include "platform/base/CString.h"
#include "platform/base/List.h"
#include "platform/base/SafeReplace.h"
#include "platform/ui/core/CmdTarget.h"

class CDocTemplate;
class CView;
class CFrameWnd;
class CException;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the full path; the title becomes the file name. bAddToMRU adds it to the recent files.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // ---- views ----
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();

    // ---- life cycle ----
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);

    // ---- closing and saving ----
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks "Save changes to ...?" when modified: Yes saves (FALSE when that fails), No goes on,
    // Cancel returns FALSE.
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd*) {}
    // Saves under lpszPathName, or asks for a name when it is null (Save As); bReplace makes
    // the new name the document's path.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    void Serialize(CArchive& ar) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Command handlers (ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS).
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

    DECLARE_MESSAGE_MAP()
};
