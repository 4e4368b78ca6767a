// The common-dialog handler, the test script and the file dialogs.
#include "platform/ui/dialogs/CommonDlg.h"

#include "platform/base/File.h"

#include <algorithm>

namespace {

CommonDlgHandler& Handler()
{
    static auto* h = new CommonDlgHandler;
    return *h;
}

// "*.yfb; *.yld" -> "*.yfb;*.yld": the blanks a filter puts after a ';' belong to no pattern,
// and a host matching " *.yld" literally would never show a ladder file.
std::wstring TrimPatterns(const std::wstring& patterns)
{
    std::wstring out;
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t semi = patterns.find(L';', start);
        std::wstring p = patterns.substr(start, semi == std::wstring::npos ? std::wstring::npos : semi - start);
        const size_t first = p.find_first_not_of(L" \t");
        p = first == std::wstring::npos ? std::wstring() : p.substr(first, p.find_last_not_of(L" \t") - first + 1);
        if (!p.empty())
            out += (out.empty() ? L"" : L";") + p;
        if (semi == std::wstring::npos)
            break;
        start = semi + 1;
    }
    return out;
}

// "Text|*.a;*.b|Other|*.c||" -> (description, patterns) pairs.
std::vector<std::pair<std::wstring, std::wstring>> ParseFilter(const CString& filter)
{
    std::vector<std::pair<std::wstring, std::wstring>> out;
    std::wstring s = filter.GetString();
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= s.size()) {
        size_t bar = s.find(L'|', start);
        if (bar == std::wstring::npos) {
            if (start < s.size())
                parts.push_back(s.substr(start));
            break;
        }
        parts.push_back(s.substr(start, bar - start));
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break;
        out.emplace_back(parts[i], TrimPatterns(parts[i + 1]));
    }
    return out;
}

std::wstring NamePart(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool Exists(const CString& path)
{
    CFileStatus st;
    return CFile::GetStatus(path.GetString(), st) != FALSE;
}

}  // namespace

CommonDlgHandler AfxSetCommonDlgHandler(CommonDlgHandler handler)
{
    CommonDlgHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

bool AfxRunCommonDialog(CommonDlgQuery& query)
{
    CommonDlgHandler h = Handler();
    if (!h)
        return false;
    // While the dialog is up the owner's window takes no input.
    HWND top = query.owner ? ::GetAncestor(query.owner, GA_ROOT) : nullptr;
    bool disabled = top && ::IsWindowEnabled(top);
    if (disabled)
        ::EnableWindow(top, FALSE);
    bool ok = h(query);
    if (disabled && ::IsWindow(top))
        ::EnableWindow(top, TRUE);
    return ok;
}

bool CCommonDialog::RunQuery(CommonDlgQuery& query)
{
    DialogTemplate t;
    t.caption = query.title;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = t.cy = 10;
    if (CreateDlgIndirect(&t, m_pParentWnd)) {
        CString caption;
        GetWindowText(caption);
        query.title = caption.GetString();
        DestroyWindow();
    }
    return AfxRunCommonDialog(query);
}

// ---- script ----

CCommonDlgScript::CCommonDlgScript()
{
    m_previous = AfxSetCommonDlgHandler([this](CommonDlgQuery& q) {
        m_queries.push_back(q);
        if (m_answers.empty())
            return false;
        CommonDlgHandler a = std::move(m_answers.front());
        m_answers.pop_front();
        return a(q);
    });
}

CCommonDlgScript::~CCommonDlgScript() { AfxSetCommonDlgHandler(std::move(m_previous)); }

void CCommonDlgScript::QueueFiles(std::vector<std::wstring> paths)
{
    Queue([paths](CommonDlgQuery& q) {
        q.paths = paths;
        return true;
    });
}

void CCommonDlgScript::QueueColor(COLORREF color)
{
    Queue([color](CommonDlgQuery& q) {
        q.color = color;
        return true;
    });
}

void CCommonDlgScript::QueueCancel()
{
    Queue([](CommonDlgQuery&) { return false; });
}

// ---- file dialogs ----

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
                         CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_strDefExt = lpszDefExt ? lpszDefExt : L"";
    m_strFileName = lpszFileName ? lpszFileName : L"";
    m_strFilter = lpszFilter ? lpszFilter : L"";
}

INT_PTR CFileDialog::DoModal()
{
    CommonDlgQuery q;
    q.kind = m_bOpenFileDialog ? CommonDlgQuery::FileOpen : CommonDlgQuery::FileSave;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    q.owner = owner;
    q.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : m_strTitle.GetString();
    q.flags = m_ofn.Flags;
    q.initialDir = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : L"";
    q.fileName = (m_ofn.lpstrFile && *m_ofn.lpstrFile) ? m_ofn.lpstrFile : m_strFileName.GetString();
    q.defExt = m_strDefExt.GetString();
    q.filters = ParseFilter(m_strFilter);
    q.filterIndex = int(m_ofn.nFilterIndex ? m_ofn.nFilterIndex : 1);
    // A bounded number of rounds: the user may refuse to replace a file and choose again.
    for (int round = 0; round < 100; ++round) {
        CommonDlgQuery ask = q;
        if (!(round == 0 ? RunQuery(ask) : AfxRunCommonDialog(ask)) || ask.paths.empty())
            return IDCANCEL;
        m_paths.clear();
        for (const std::wstring& p : ask.paths) {
            CString path = p.c_str();
            std::wstring name = NamePart(p);
            if (!m_strDefExt.IsEmpty() && name.find(L'.') == std::wstring::npos)
                path += CString(L".") + m_strDefExt;
            m_paths.push_back(path);
        }
        m_bReadOnly = ask.readOnly ? TRUE : FALSE;
        m_ofn.nFilterIndex = DWORD(ask.filterIndex);
        if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && !ask.overwriteConfirmed && Exists(m_paths[0])) {
            CString text = m_paths[0] + L" already exists.\nDo you want to replace it?";
            CString caption = ask.title.empty() ? CString(L"Save As") : CString(ask.title.c_str());
            if (::MessageBoxW(owner, text.GetString(), caption.GetString(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
                q.fileName = NamePart(m_paths[0].GetString());
                continue;
            }
        }
        // The caller's buffer gets the first path when it fits; all paths stay available.
        if (m_ofn.lpstrFile && m_ofn.nMaxFile > DWORD(m_paths[0].GetLength())) {
            std::copy_n(m_paths[0].GetString(), m_paths[0].GetLength(), m_ofn.lpstrFile);
            m_ofn.lpstrFile[m_paths[0].GetLength()] = 0;
        }
        return IDOK;
    }
    return IDCANCEL;
}

CString CFileDialog::GetPathName() const { return m_paths.empty() ? CString() : m_paths.front(); }

CString CFileDialog::GetFileName() const { return CString(NamePart(GetPathName().GetString()).c_str()); }

CString CFileDialog::GetFileExt() const
{
    std::wstring n = NamePart(GetPathName().GetString());
    size_t dot = n.rfind(L'.');
    return dot == std::wstring::npos ? CString() : CString(n.substr(dot + 1).c_str());
}

CString CFileDialog::GetFileTitle() const
{
    std::wstring n = NamePart(GetPathName().GetString());
    size_t dot = n.rfind(L'.');
    return CString((dot == std::wstring::npos ? n : n.substr(0, dot)).c_str());
}

CString CFileDialog::GetFolderPath() const
{
    std::wstring p = GetPathName().GetString();
    size_t slash = p.find_last_of(L"/\\");
    return slash == std::wstring::npos ? CString() : CString(p.substr(0, slash).c_str());
}

// Positions are 1-based indexes into the chosen paths.
POSITION CFileDialog::GetStartPosition() const
{
    return m_paths.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    auto i = reinterpret_cast<UINT_PTR>(pos);
    if (i == 0 || i > m_paths.size()) {
        pos = nullptr;
        return CString();
    }
    pos = i < m_paths.size() ? reinterpret_cast<POSITION>(i + 1) : nullptr;
    return m_paths[i - 1];
}
