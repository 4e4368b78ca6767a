// Dropped files: the WM_DROPFILES handle and the frame's handling (open each file).
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Frame.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {
std::map<HDROP, std::vector<CString>>& Drops()
{
    static auto* d = new std::map<HDROP, std::vector<CString>>;
    return *d;
}
std::map<HWND, bool>& Acceptors()
{
    static auto* a = new std::map<HWND, bool>;
    return *a;
}
}  // namespace

UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch)
{
    auto it = Drops().find(hDrop);
    if (it == Drops().end())
        return 0;
    if (iFile == 0xFFFFFFFFu)
        return UINT(it->second.size());
    if (iFile >= it->second.size())
        return 0;
    const CString& path = it->second[iFile];
    if (!lpszFile || cch == 0)
        return UINT(path.GetLength());
    UINT n = std::min<UINT>(UINT(path.GetLength()), cch - 1);
    std::copy(LPCTSTR(path), LPCTSTR(path) + n, lpszFile);
    lpszFile[n] = 0;
    return n;
}

void DragFinish(HDROP hDrop) { Drops().erase(hDrop); }

void DragAcceptFiles(HWND hWnd, BOOL fAccept)
{
    if (fAccept)
        Acceptors()[hWnd] = true;
    else
        Acceptors().erase(hWnd);
}

void AfxDropFiles(HWND hWnd, const CStringArray& paths)
{
    // Only windows that accept files get them (the window or its nearest accepting ancestor).
    HWND target = hWnd;
    while (target && !Acceptors().count(target))
        target = ::GetParent(target);
    if (!target || !::IsWindow(target) || paths.GetSize() == 0)
        return;
    static UINT_PTR next = 0x30000;
    HDROP h = reinterpret_cast<HDROP>(next += 4);
    std::vector<CString> list;
    for (int i = 0; i < paths.GetSize(); ++i)
        list.push_back(paths[i]);
    Drops()[h] = std::move(list);
    ::SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(h), 0);
    Drops().erase(h);  // the receiver may have finished it already
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFFu, nullptr, 0);
    CWinApp* app = AfxGetApp();
    for (UINT i = 0; i < count && app; ++i) {
        UINT len = ::DragQueryFileW(hDropInfo, i, nullptr, 0);
        std::vector<wchar_t> buf(len + 1);
        ::DragQueryFileW(hDropInfo, i, buf.data(), len + 1);
        app->OpenDocumentFile(buf.data());
    }
    ::DragFinish(hDropInfo);
}
