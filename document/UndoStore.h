// CUndoStore: the editing history of one document as whole snapshots on disk.
// Each snapshot is the document written exactly as a program file. The snapshots live in a
// private folder made with a unique name for this store alone (created on the first snapshot,
// removed with the store). A snapshot counts only once it is completely written; Undo and Redo
// load into a fresh document and replace the contents only when the load succeeded; a failure
// of any of them is shown to the user.
#pragma once

#include "platform/base/Afx.h"

#include <deque>

class CTavixDoc;

class CUndoStore {
public:
    // At most this many snapshots are kept (the newest and 30 steps back).
    enum { maxSnapshots = 31 };

    CUndoStore();
    ~CUndoStore();
    CUndoStore(const CUndoStore&) = delete;
    CUndoStore& operator=(const CUndoStore&) = delete;

    // Writes the document as the newest snapshot; every snapshot above the current one is
    // dropped. FALSE (history unchanged) when the snapshot could not be written.
    // Inside a compound operation (BeginCompound .. EndCompound) a push only notes that the
    // operation changed the document and returns TRUE; the outermost EndCompound then takes that
    // one snapshot, so an operation made of many edits is one undo step.
    BOOL PushSnapshot(CTavixDoc* pDocument);
    // Writes the document over the current snapshot when that is still the newest one and the
    // snapshot `expected` names (a path GetCurrentFile gave); otherwise pushes a new one. A run of
    // small edits (a held arrow key's nudges) so stays one undo step.
    BOOL ReplaceSnapshot(CTavixDoc* pDocument, const CString& expected);
    // The file of the current snapshot; empty before any.
    CString GetCurrentFile() const { return m_nCurrent >= 0 ? m_files[size_t(m_nCurrent)] : CString(); }
    void BeginCompound() { ++m_nCompoundDepth; }
    // Ends one level; at the outermost level takes the snapshot its steps asked for. TRUE when
    // none was due or it was written.
    BOOL EndCompound(CTavixDoc* pDocument);
    BOOL InCompound() const { return m_nCompoundDepth > 0; }
    // Loads the previous snapshot into the document. FALSE (document unchanged) before any
    // snapshot, at the oldest one, or when the load failed.
    BOOL Undo();
    // Loads the next snapshot. FALSE (document unchanged) when there is none or it failed.
    BOOL Redo();
    BOOL CanUndo() const;
    BOOL CanRedo() const;

    // Position of the snapshot matching the document (0 = oldest kept; -1 before any).
    int GetCurrent() const { return m_nCurrent; }
    // Position of the newest snapshot that Redo can reach (-1 before any).
    int GetLast() const { return m_nLast; }
    // The private folder (created when missing); empty when it cannot be made.
    CString GetFolder();
    // Why the last push, undo or redo failed. Every failure is also shown in a message box and
    // kept as the document's last error.
    const CString& GetLastError() const { return m_strLastError; }

private:
    BOOL EnsureFolder();
    BOOL LoadPosition(int nPosition);
    void RemoveFile(const CString& path);
    void ReportFailure(CTavixDoc* pDocument, UINT nID, LPCTSTR fallback);

    int m_nCurrent = -1;
    CString m_strPath;                 // file being written or read
    CTavixDoc* m_pDocument = nullptr;  // recorded by every push
    CString m_strFolder;               // private folder, empty until made
    int m_nLast = -1;
    unsigned m_nSequence = 0;          // makes every snapshot file name unique
    std::deque<CString> m_files;       // snapshot file of each position, oldest first
    CString m_strLastError;
    int m_nCompoundDepth = 0;
    bool m_bSnapshotDue = false;  // a step of the open compound operation asked for a snapshot
};
