// The recent-file list: the last files opened or saved, newest first, kept in the profile
// ("[Recent File List]", entries File1..FileN) and shown in the File menu in place of the
// ID_FILE_MRU_FILE1 item.
#pragma once

#include "platform/base/CString.h"

#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return int(m_arrNames.size()); }
    // Entry nIndex; empty when the slot is free.
    CString& operator[](int nIndex) { return m_arrNames[size_t(nIndex)]; }
    // Puts the path first (moving it when present; paths compare without regard to case).
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Shows the entries as "&1 name" ... in the menu of pCmdUI (the MRU placeholder item).
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    // The text shown for entry nIndex: the file name when it is in the current folder, else the
    // path shortened to the display length.
    BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir, BOOL bAtLeastName = TRUE) const;

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the placeholder's text when the list is empty

private:
    std::vector<CString> m_arrNames;
};
