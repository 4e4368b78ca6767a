// The recent-file list, kept in the profile store.
#include "platform/ui/framework/AppRecentFiles.h"

#include "platform/base/Profile.h"
#include "platform/ui/core/CmdTarget.h"
#include "platform/ui/framework/MenuTypes.h"

#include <algorithm>
#include <cwchar>
#include <unistd.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(size_t(nSize > 0 ? (nSize > 16 ? 16 : nSize) : 1))
{
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return;
    CString path(lpszPathName);
    // A name relative to the working folder is kept whole: the list is read again after the
    // program starts elsewhere, and shows folders alike for every entry.
    if (path[0] != L'/') {
        char cwd[4096];
        if (::getcwd(cwd, sizeof cwd))
            path = CString(cwd) + (cwd[1] ? L"/" : L"") + path;
    }
    size_t at = m_arrNames.size() - 1;  // the last slot falls out when the path is new
    // File names differ by case on this system: A.yfb and a.yfb are two files.
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        if (m_arrNames[i].Compare(path) == 0) {
            at = i;
            break;
        }
    for (size_t i = at; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || size_t(nIndex) >= m_arrNames.size())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.push_back(CString());
}

void CRecentFileList::ReadList()
{
    CProfileStore& store = AfxGetProfileStore();
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, int(i + 1));
        m_arrNames[i] = store.GetProfileString(m_strSectionName, entry, L"");
    }
}

void CRecentFileList::WriteList()
{
    CProfileStore& store = AfxGetProfileStore();
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, int(i + 1));
        store.WriteProfileString(m_strSectionName, entry, m_arrNames[i].IsEmpty() ? nullptr : LPCTSTR(m_arrNames[i]));
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir, BOOL) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_arrNames.size() || m_arrNames[size_t(nIndex)].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[size_t(nIndex)];
    int slash = std::max(path.ReverseFind(L'/'), path.ReverseFind(L'\\'));
    if (lpszCurDir && nCurDir > 0 && slash + 1 == nCurDir && wcsncmp(path, lpszCurDir, size_t(nCurDir)) == 0) {
        strName = path.Mid(slash + 1);
        return TRUE;
    }
    strName = path;
    if (m_nMaxDisplayLength > 3 && strName.GetLength() > m_nMaxDisplayLength) {
        // Keep the file name and the leading folders that fit: "/home/u/.../name". The cut
        // falls after a whole folder, and the separator is the system's.
        CString name = path.Mid(slash + 1);
        int front = m_nMaxDisplayLength - name.GetLength() - 4;
        CString head = front > 0 ? path.Left(front) : CString();
        const int lastSlash = head.ReverseFind(L'/');
        strName = lastSlash >= 0 ? head.Left(lastSlash + 1) + L".../" + name : name;
    }
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    HMENU menu = static_cast<HMENU>(pCmdUI->m_pMenu);
    if (!menu)
        return;
    if (m_strOriginal.IsEmpty()) {
        wchar_t buf[256];
        if (GetMenuStringW(menu, pCmdUI->m_nID, buf, 256, MF_BYCOMMAND) > 0)
            m_strOriginal = buf;
    }
    // Remove the old entries (and the placeholder), then insert the current ones in its place.
    int position = -1;
    for (UINT i = 0; i < m_arrNames.size(); ++i) {
        int count = GetMenuItemCount(menu);
        for (int p = 0; p < count; ++p)
            if (GetMenuItemID(menu, p) == m_nStart + i) {
                if (position < 0 || p < position)
                    position = p;
                DeleteMenu(menu, UINT(p), MF_BYPOSITION);
                break;
            }
    }
    if (position < 0)
        return;
    int shown = 0;
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        CString name;
        if (!GetDisplayName(name, int(i), nullptr, 0))
            continue;
        name.Replace(L"&", L"&&");
        CString text;
        text.Format(L"&%d %s", int(i + 1), LPCTSTR(name));
        InsertMenuW(menu, UINT(position + shown), MF_BYPOSITION | MF_STRING, m_nStart + UINT(i), text);
        ++shown;
    }
    if (shown == 0) {
        InsertMenuW(menu, UINT(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nStart,
                    m_strOriginal.IsEmpty() ? L"Recent File" : LPCTSTR(m_strOriginal));
    }
    pCmdUI->m_nIndexMax = UINT(GetMenuItemCount(menu));
    pCmdUI->m_bEnableChanged = TRUE;
}
