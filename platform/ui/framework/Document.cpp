// CDocument: views, modified flag, titles, opening and closing.
#include "platform/ui/framework/Document.h"

#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/MessageMap.h"
#include "platform/ui/framework/View.h"

#include <new>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views still attached lose their document (they are being destroyed with it).
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    // The frames show the new title at the next idle pass; update them at once as well.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = static_cast<CView*>(m_viewList.GetNext(pos));
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName;
    CString title = m_strPathName;
    int slash = std::max(title.ReverseFind(L'/'), title.ReverseFind(L'\\'));
    if (slash >= 0)
        title = title.Mid(slash + 1);
    SetTitle(title);
    if (bAddToMRU)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    // The last view gone: the document goes too.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // dirty while loading: a failure leaves a document nobody should save silently
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    try {
        AfxWriteFileReplacing(lpszPathName, [this](CFile& file) {
            CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
            ar.m_pDocument = this;
            Serialize(ar);
            ar.Close();
        });
    } catch (CException* e) {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        CMemoryException memory(FALSE);
        ReportSaveLoadException(lpszPathName, &memory, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    CString reason = e ? e->GetErrorMessage() : CString();
    // A reason that names the file already says where; the path is not shown twice.
    const BOOL reasonNamesPath = lpszPathName && *lpszPathName && reason.Find(lpszPathName) >= 0;
    CString prompt;
    if (bSaving)
        prompt.Format(L"%s\n\n%s", LPCTSTR(AfxLoadStringOr(nIDPDefault, L"Failed to save document.")),
                      reasonNamesPath ? LPCTSTR(reason) : lpszPathName);
    else
        prompt.Format(L"%s\n\n%s", LPCTSTR(AfxLoadStringOr(nIDPDefault, L"Failed to open document.")),
                      reasonNamesPath ? LPCTSTR(reason) : lpszPathName);
    if (!reason.IsEmpty() && !reasonNamesPath)
        prompt += L"\n" + reason;
    if (CWinApp* app = AfxGetApp())
        app->DoMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
    else
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; keep the document alive until all are gone.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (frame) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == view)
            RemoveView(view);  // a view that did not leave on its own
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame still showing this document: closing this one loses nothing.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;) {
        CView* view = GetNextView(pos);
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        name = AfxLoadStringOr(AFX_IDS_UNTITLED, L"Untitled");
    CString format = AfxLoadStringOr(AFX_IDP_ASK_TO_SAVE, L"Save changes to %1?");
    CString prompt = format;
    prompt.Replace(L"%1", name);
    CWinApp* app = AfxGetApp();
    int answer = app ? app->DoMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)
                     : AfxMessageBox(prompt, MB_YESNOCANCEL);
    switch (answer) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    // A document without a file, or whose file is read-only, asks for a name.
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    CFileStatus status;
    if (CFile::GetStatus(m_strPathName, status) && (status.m_attribute & CFile::readOnly))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? CString(lpszPathName) : CString();
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            // Characters that cannot stand in a file name end the proposed name.
            int cut = newName.FindOneOf(L" #%;/\\");
            if (cut >= 0)
                newName = newName.Left(cut);
            CString ext;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : 0xF004, 0, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;  // reported; the old file and the modified flag are as they were
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Then the document's template.
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }
