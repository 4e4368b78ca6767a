#include "document/UndoStore.h"

#include "document/TavixDoc.h"

#include "platform/base/FileSystem.h"
#include "platform/base/SafeReplace.h"
#include "platform/ui/core/Wnd.h"
#include "platform/ui/framework/App.h"
#include "resources/resource.h"

#include <cwchar>

namespace {
const wchar_t kSnapshotFailed[] = L"The change is made, but Undo cannot take it back:\n%s";
}  // namespace

CUndoStore::CUndoStore() = default;

CUndoStore::~CUndoStore()
{
    m_nCurrent = -1;
    m_nLast = -1;
    m_files.clear();
    if (m_strFolder.IsEmpty())
        return;
    // The folder is this store's alone, so everything in it goes.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(m_strFolder + L"/*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
                DeleteFileW(m_strFolder + L"/" + found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(m_strFolder);
}

BOOL CUndoStore::EnsureFolder()
{
    if (!m_strFolder.IsEmpty())
        return TRUE;
    CString folder = CreateUniqueTempFolder(L"NorvettTemp.");
    if (folder.IsEmpty()) {
        m_strLastError.Format(L"Cannot create the folder for undo snapshots in %s (error %lu)",
                              GetTempFolder().GetString(), static_cast<unsigned long>(::GetLastError()));
        return FALSE;
    }
    folder.TrimRight(L'/');
    m_strFolder = folder;
    return TRUE;
}

// A failed step is told to the user at once: a change that silently cannot be undone, or an
// Undo that silently did nothing, would leave the user believing the history still holds.
void CUndoStore::ReportFailure(CTavixDoc* pDocument, UINT nID, LPCTSTR fallback)
{
    if (pDocument != nullptr)
        pDocument->m_strLastError = m_strLastError;
    CString text;
    text.Format(AfxLoadStringOr(nID, fallback).GetString(), m_strLastError.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

CString CUndoStore::GetFolder()
{
    EnsureFolder();
    return m_strFolder;
}

void CUndoStore::RemoveFile(const CString& path)
{
    DeleteFileW(path);
}

BOOL CUndoStore::PushSnapshot(CTavixDoc* pDocument)
{
    if (pDocument == nullptr)
        return FALSE;
    if (m_nCompoundDepth > 0) {
        m_bSnapshotDue = true;
        return TRUE;
    }
    m_pDocument = pDocument;
    if (!EnsureFolder()) {
        ReportFailure(pDocument, IDS_UNDO_SNAPSHOT_FAILED, kSnapshotFailed);
        return FALSE;
    }

    m_strPath.Format(L"%s/%06u.tmp", m_strFolder.GetString(), ++m_nSequence);
    try {
        AfxWriteFileReplacing(m_strPath, [pDocument](CFile& file) {
            // A snapshot of a large program is megabytes: a large buffer writes it in few calls.
            CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, 256 * 1024);
            pDocument->SerializeAndClose(ar);
        }, 0600, /*syncToDisk=*/false);
    } catch (CException* e) {
        m_strLastError = e->GetErrorMessage();
        if (m_strLastError.IsEmpty())
            m_strLastError = L"The undo snapshot could not be written";
        e->Delete();
        RemoveFile(m_strPath);
        ReportFailure(pDocument, IDS_UNDO_SNAPSHOT_FAILED, kSnapshotFailed);
        return FALSE;
    }

    // The new snapshot replaces every position above the current one.
    while (int(m_files.size()) > m_nCurrent + 1) {
        RemoveFile(m_files.back());
        m_files.pop_back();
    }
    m_files.push_back(m_strPath);
    while (m_files.size() > size_t(maxSnapshots)) {
        RemoveFile(m_files.front());
        m_files.pop_front();
    }
    m_nCurrent = int(m_files.size()) - 1;
    m_nLast = m_nCurrent;
    return TRUE;
}

BOOL CUndoStore::ReplaceSnapshot(CTavixDoc* pDocument, const CString& expected)
{
    if (m_nCurrent < 0 || m_nCurrent != m_nLast || m_nCompoundDepth > 0 || pDocument != m_pDocument ||
        expected.IsEmpty() || m_files.back() != expected)
        return PushSnapshot(pDocument);
    // The newest snapshot steps aside for the push; it comes back when the write fails.
    const CString old = m_files.back();
    m_files.pop_back();
    --m_nCurrent;
    --m_nLast;
    if (PushSnapshot(pDocument)) {
        RemoveFile(old);
        return TRUE;
    }
    m_files.push_back(old);
    ++m_nCurrent;
    ++m_nLast;
    return FALSE;
}

BOOL CUndoStore::EndCompound(CTavixDoc* pDocument)
{
    if (m_nCompoundDepth == 0 || --m_nCompoundDepth > 0 || !m_bSnapshotDue)
        return TRUE;
    m_bSnapshotDue = false;
    return PushSnapshot(pDocument);
}

BOOL CUndoStore::LoadPosition(int nPosition)
{
    m_strPath = m_files[size_t(nPosition)];
    CFile file;
    CFileException error;
    if (!file.Open(m_strPath, CFile::modeRead, &error)) {
        m_strLastError = error.GetErrorMessage();
        if (m_strLastError.IsEmpty())
            m_strLastError = L"The undo snapshot could not be opened";
        return FALSE;
    }
    const BOOL loaded = m_pDocument->LoadFrom(file, m_strPath);
    if (!loaded)
        m_strLastError = m_pDocument->GetLastError();
    file.Abort();
    return loaded;
}

BOOL CUndoStore::CanUndo() const
{
    return m_nCurrent > 0;
}

BOOL CUndoStore::CanRedo() const
{
    return m_nCurrent >= 0 && m_nCurrent < m_nLast;
}

BOOL CUndoStore::Undo()
{
    if (m_pDocument == nullptr || !CanUndo())
        return FALSE;
    if (!LoadPosition(m_nCurrent - 1)) {
        ReportFailure(m_pDocument, IDS_UNDO_FAILED, L"Undo failed, the program is left as it was:\n%s");
        return FALSE;
    }
    --m_nCurrent;
    return TRUE;
}

BOOL CUndoStore::Redo()
{
    if (m_pDocument == nullptr || !CanRedo())
        return FALSE;
    if (!LoadPosition(m_nCurrent + 1)) {
        ReportFailure(m_pDocument, IDS_REDO_FAILED, L"Redo failed, the program is left as it was:\n%s");
        return FALSE;
    }
    ++m_nCurrent;
    return TRUE;
}
