#include "platform/base/Profile.h"

#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/SafeReplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger files are not profiles written by us: refuse them rather than read them whole.
constexpr off_t kMaxProfileBytes = 4 * 1024 * 1024;

bool SameName(LPCTSTR a, LPCTSTR b)
{
    return CString(a).CompareNoCase(b) == 0;
}

CString Escape(const CString& value)
{
    CString out;
    for (int i = 0; i < value.GetLength(); ++i) {
        wchar_t c = value[i];
        if (c == L'\\')
            out += L"\\\\";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\r')
            out += L"\\r";
        else
            out += c;
    }
    return out;
}

CString Unescape(const CString& text)
{
    CString out;
    for (int i = 0; i < text.GetLength(); ++i) {
        wchar_t c = text[i];
        if (c == L'\\' && i + 1 < text.GetLength()) {
            wchar_t n = text[++i];
            out += n == L'n' ? L'\n' : n == L'r' ? L'\r' : n;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Values are trimmed when read, as Windows does; a value that starts or ends with a blank, or
// starts with a quote, is written inside quotes so that it reads back unchanged.
CString Quote(const CString& value)
{
    int n = value.GetLength();
    if (n > 0 && (IsBlank(value[0]) || IsBlank(value[n - 1]) || value[0] == L'"'))
        return L"\"" + value + L"\"";
    return value;
}

CString Unquote(CString text)
{
    text.Trim(L" \t");
    int n = text.GetLength();
    if (n >= 2 && text[0] == L'"' && text[n - 1] == L'"')
        return text.Mid(1, n - 2);
    return text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, bool& missing)
{
    missing = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxProfileBytes) {
        ::close(fd);
        return false;
    }
    bytes.clear();
    char buf[8192];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
        if (bytes.size() > static_cast<std::size_t>(kMaxProfileBytes)) {
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    return true;
}

}  // namespace

void CProfileStore::SetPath(const CString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
    m_loaded = false;
    m_loadFailed = false;
    m_sections.clear();
}

CString CProfileStore::GetPath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_path;
}

bool CProfileStore::EnsureLoaded()
{
    if (m_loaded)
        return !m_loadFailed;
    m_loaded = true;
    m_loadFailed = false;
    m_sections.assign(1, Section{});
    if (m_path.IsEmpty()) {
        m_loadFailed = true;
        return false;
    }
    std::string bytes;
    bool missing = false;
    if (!ReadWholeFile(ToNativePath(m_path), bytes, missing)) {
        m_loadFailed = !missing;  // a missing file is an empty profile
        return !m_loadFailed;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);  // a byte-order mark from a hand edit
    const CString text = FromUtf8(bytes);
    int start = 0;
    while (start < text.GetLength()) {
        int end = text.Find(L'\n', start);
        if (end < 0)
            end = text.GetLength();
        CString line = text.Mid(start, end - start);
        start = end + 1;
        line.TrimRight(L'\r');
        CString trimmed = line;
        trimmed.Trim();
        if (trimmed.GetLength() >= 2 && trimmed[0] == L'[' && trimmed[trimmed.GetLength() - 1] == L']') {
            CString name = trimmed.Mid(1, trimmed.GetLength() - 2);
            name.Trim();
            Section* existing = FindSection(name);
            if (existing == nullptr) {
                m_sections.push_back(Section{name, {}});
            } else if (existing != &m_sections.back()) {
                // A repeated section continues the first one: move it to the end for appending.
                Section moved = std::move(*existing);
                m_sections.erase(m_sections.begin() + (existing - m_sections.data()));
                m_sections.push_back(std::move(moved));
            }
            continue;
        }
        int eq = line.Find(L'=');
        CString key = eq > 0 ? line.Left(eq) : CString();
        key.Trim();
        if (eq <= 0 || key.IsEmpty() || trimmed[0] == L';' || trimmed[0] == L'#') {
            m_sections.back().lines.push_back(Line{CString(), line});
            continue;
        }
        CString value = Unescape(Unquote(line.Mid(eq + 1)));
        if (Line* found = FindLine(m_sections.back(), key))
            found->value = value;  // the last of repeated entries wins
        else
            m_sections.back().lines.push_back(Line{key, value});
    }
    return true;
}

bool CProfileStore::Save() const
{
    std::string out;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const Section& s = m_sections[i];
        if (i > 0) {
            if (!out.empty())
                out += '\n';
            out += "[" + ToUtf8(s.name) + "]\n";
        }
        for (const Line& l : s.lines) {
            if (l.key.IsEmpty())
                out += ToUtf8(l.value);
            else
                out += ToUtf8(l.key) + "=" + ToUtf8(Quote(Escape(l.value)));
            out += '\n';
        }
    }

    // Settings may hold private entries: a new file is the user's alone (0600); an existing
    // one keeps the permissions it was given.
    try {
        AfxWriteFileReplacing(
            m_path, [&](CFile& file) { file.Write(out.data(), static_cast<UINT>(out.size())); }, 0600);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

CProfileStore::Section* CProfileStore::FindSection(LPCTSTR name)
{
    for (std::size_t i = 1; i < m_sections.size(); ++i)
        if (SameName(m_sections[i].name, name))
            return &m_sections[i];
    return nullptr;
}

CProfileStore::Line* CProfileStore::FindLine(Section& section, LPCTSTR key)
{
    for (Line& l : section.lines)
        if (!l.key.IsEmpty() && SameName(l.key, key))
            return &l;
    return nullptr;
}

UINT CProfileStore::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (section == nullptr || entry == nullptr || !EnsureLoaded())
        return static_cast<UINT>(defaultValue);
    Section* s = FindSection(section);
    Line* l = s != nullptr ? FindLine(*s, entry) : nullptr;
    if (l == nullptr)
        return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(_wtoi(l->value));
}

CString CProfileStore::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (section == nullptr || entry == nullptr || !EnsureLoaded())
        return CString(defaultValue);
    Section* s = FindSection(section);
    Line* l = s != nullptr ? FindLine(*s, entry) : nullptr;
    return l != nullptr ? l->value : CString(defaultValue);
}

BOOL CProfileStore::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    CString text;
    text.Format(L"%d", value);
    return WriteProfileString(section, entry, text);
}

BOOL CProfileStore::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (section == nullptr || *section == L'\0' || !EnsureLoaded())
        return FALSE;
    // Names that would not read back as the same section or entry are refused.
    CString name(section);
    if (name.FindOneOf(L"[]\r\n") >= 0 || name.Trim().IsEmpty())
        return FALSE;
    CString key(entry);
    if (entry != nullptr &&
        (key.FindOneOf(L"=\r\n") >= 0 || key.Trim().IsEmpty() || key[0] == L';' || key[0] == L'#'))
        return FALSE;

    // A write that cannot be saved leaves the profile as it was.
    std::vector<Section> before = m_sections;

    Section* s = FindSection(name);
    if (entry == nullptr) {
        if (s != nullptr)
            m_sections.erase(m_sections.begin() + (s - m_sections.data()));
    } else if (value == nullptr) {
        if (s != nullptr) {
            Line* l = FindLine(*s, key);
            if (l != nullptr)
                s->lines.erase(s->lines.begin() + (l - s->lines.data()));
        }
    } else {
        if (s == nullptr) {
            m_sections.push_back(Section{name, {}});
            s = &m_sections.back();
        }
        if (Line* l = FindLine(*s, key))
            l->value = value;
        else
            s->lines.push_back(Line{key, CString(value)});
    }
    if (!Save()) {
        m_sections.swap(before);
        return FALSE;
    }
    return TRUE;
}

CProfileStore& AfxGetProfileStore()
{
    static CProfileStore store;
    static std::once_flag once;
    std::call_once(once, [] {
        if (store.GetPath().IsEmpty()) {
            CString folder = GetUserConfigFolder(L"tavix");
            if (!folder.IsEmpty())
                store.SetPath(folder + L"profile.ini");
        }
    });
    return store;
}
