// Opening and saving program files: a load replaces the contents only when it succeeds; saving
// is the framework's, which replaces the old file only once the new one is completely written.
#include "document/TavixDoc.h"

#include "elements/BlockObj.h"
#include "platform/ui/core/WinUser.h"
#include "platform/ui/dialogs/CommonDlg.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/DocTemplate.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"

#include <new>

namespace {

CString ExceptionText(CException* e, const wchar_t* fallback)
{
    CString text = e->GetErrorMessage();
    return text.IsEmpty() ? CString(fallback) : text;
}

// Title of the save dialog when a copy is saved (the document keeps its name).
constexpr UINT kSaveCopyTitle = 0xF004;

} // namespace

void CTavixDoc::SerializeAndClose(CArchive& ar)
{
    ar.m_pDocument = this;
    try {
        Serialize(ar);
        ar.Close();
    } catch (...) {
        ar.Abort();
        throw;
    }
}

BOOL CTavixDoc::LoadFrom(CFile& file, const CString& name, CException** ppFailure)
{
    // The current contents wait in a detached document; the file is read into this one, so
    // every loaded object refers to this document. A failed load puts the old contents back.
    CTavixDoc saved{DetachedTag{}};
    SwapContents(saved);
    m_loadWarnings.RemoveAll();
    try {
        CArchive ar(&file, CArchive::load);
        SerializeAndClose(ar);
        return TRUE;
    } catch (CException* e) {
        m_strLastError.Format(L"%s: %s", name.GetString(),
                              ExceptionText(e, L"the file is damaged").GetString());
        if (ppFailure != nullptr)
            *ppFailure = e;
        else
            e->Delete();
    } catch (const std::bad_alloc&) {
        m_strLastError.Format(L"%s: not enough memory to load the file", name.GetString());
        if (ppFailure != nullptr)
            *ppFailure = new CMemoryException;
    }
    DeleteContents();
    FreeLogo();
    SwapContents(saved);
    return FALSE;
}

BOOL CTavixDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    // The failure is shown only once the old contents are back, so nothing half-loaded is
    // painted while the message is open.
    CException* failure = nullptr;
    if (!LoadFrom(file, lpszPathName, &failure)) {
        file.Abort();
        ReportSaveLoadException(lpszPathName, failure, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        if (failure != nullptr)
            failure->Delete();
        return FALSE;
    }
    file.Abort();

    g_wHardwareCode = m_nHardwareCode;
    CMainFrame::GetSeriesName(m_nHardwareCode, &m_strHardwareName, &m_nMinFirmware);
    CMainFrame::SetSeriesText(m_strHardwareName);

    m_markers[0] = m_markers[1] = 0x55;
    if (m_markers[2] != 0x55) {
        // Files from before the pin-kind table get the pin kinds of the table.
        m_markers[2] = 0x55;
        for (POSITION pos = m_blocks.GetHeadPosition(); pos != nullptr;)
            static_cast<CBlockObj*>(m_blocks.GetNext(pos))->ResetPinKinds(this);
    }
    // The template sets the path again (and adds it to the recent files); a document opened
    // directly has it too.
    SetPathName(lpszPathName, FALSE);
    SetModifiedFlag(FALSE);
    m_undo.PushSnapshot(this);
    return TRUE;
}

void CTavixDoc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    const wchar_t* fallback = bSaving ? L"the file could not be written" : L"the file is damaged";
    m_strLastError.Format(L"%s: %s", lpszPathName, (e != nullptr ? ExceptionText(e, fallback) : CString(fallback)).GetString());
    CDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

CString CTavixDoc::GetProposedFileName() const
{
    CString name = GetTitle();
    const int cut = name.FindOneOf(L" #%;/\\");
    if (cut >= 0)
        name = name.Left(cut);
    CString ext;
    if (IsLadder())
        ext = AfxLoadStringOr(IDS_LADDER_EXTENSION, L".yld");
    else if (GetDocTemplate() == nullptr || !GetDocTemplate()->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty())
        ext = L".yfb";
    return name + ext;
}

BOOL CTavixDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString name = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (name.IsEmpty()) {
        name = GetPathName();
        if (name.IsEmpty() && bReplace)
            name = GetProposedFileName();
        CWinApp* app = AfxGetApp();
        if (app == nullptr) {
            m_strLastError = L"No file name to save the program under";
            return FALSE;
        }
        if (!app->DoPromptFileName(name, bReplace ? AFX_IDS_SAVEFILE : kSaveCopyTitle,
                                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, GetDocTemplate()))
            return FALSE;
    }
    // The old file stays whole when the save fails (the safe-replace routine), so there is no
    // half-written file to clean up here.
    AfxDoWaitCursor(1);
    const BOOL saved = OnSaveDocument(name);
    AfxDoWaitCursor(-1);
    if (!saved)
        return FALSE;
    if (bReplace)
        SetPathName(name);
    return TRUE;
}
