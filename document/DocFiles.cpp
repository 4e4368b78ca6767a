// Opening and saving program files: a load replaces the contents only when it succeeds, a save
// replaces the old file only once the new one is completely written.
#include "document/TavixDoc.h"

#include "elements/BlockObj.h"
#include "platform/base/SafeReplace.h"
#include "shell/MainFrame.h"

#include <new>

namespace {

CString ExceptionText(CException* e, const wchar_t* fallback)
{
    CString text = e->GetErrorMessage();
    return text.IsEmpty() ? CString(fallback) : text;
}

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

BOOL CTavixDoc::LoadFrom(CFile& file, const CString& name)
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
        e->Delete();
    } catch (const std::bad_alloc&) {
        m_strLastError.Format(L"%s: not enough memory to load the file", name.GetString());
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
        m_strLastError.Format(L"%s: %s", lpszPathName,
                              ExceptionText(&error, L"the file cannot be opened").GetString());
        return FALSE;
    }
    if (!LoadFrom(file, lpszPathName))
        return FALSE;
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
    SetPathName(lpszPathName);
    SetModifiedFlag(FALSE);
    m_undo.PushSnapshot(this);
    return TRUE;
}

BOOL CTavixDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    try {
        AfxWriteFileReplacing(lpszPathName, [this](CFile& file) {
            CArchive ar(&file, CArchive::store);
            SerializeAndClose(ar);
        });
    } catch (CException* e) {
        m_strLastError.Format(L"%s: %s", lpszPathName,
                              ExceptionText(e, L"the file could not be written").GetString());
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        m_strLastError.Format(L"%s: not enough memory to save the file", lpszPathName);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

CString CTavixDoc::GetProposedFileName() const
{
    CString name = m_strTitle;
    const int cut = name.FindOneOf(L" #%;/\\");
    if (cut >= 0)
        name = name.Left(cut);
    name += IsLadder() ? L".yld" : L".yfb";
    return name;
}

BOOL CTavixDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString name = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (name.IsEmpty())
        name = m_strPathName;
    if (name.IsEmpty()) {
        // Asking for a name is the file dialog's job, which the framework adds.
        m_strLastError = L"No file name to save the program under";
        return FALSE;
    }
    if (!OnSaveDocument(name))
        return FALSE;
    if (bReplace)
        SetPathName(name);
    return TRUE;
}
