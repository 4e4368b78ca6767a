// The application profile: named values in sections, kept in an INI file (UTF-8) under the
// user's configuration folder. Every write saves the file at once, atomically (a temporary file
// in the same folder, flushed, then renamed over the old one), so a crash never leaves half a
// file. Section and entry names compare without regard to ASCII case, as on Windows.
//
// File format: "[section]" lines and "entry=value" lines; other lines (comments, blank lines)
// are kept as they are. In values, '\\', line feeds and carriage returns are written as "\\\\",
// "\\n" and "\\r" so that every value fits on one line. Values are read trimmed, as Windows reads
// them; values with blanks at either end are written in double quotes to keep them.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <mutex>
#include <vector>

class CProfileStore {
public:
    CProfileStore() = default;
    explicit CProfileStore(const CString& path) : m_path(path) {}
    CProfileStore(const CProfileStore&) = delete;
    CProfileStore& operator=(const CProfileStore&) = delete;

    // The file used. Setting it drops what was read from the previous file.
    void SetPath(const CString& path);
    CString GetPath() const;

    // The value of an entry, or the default when the entry is missing. Integers are read like
    // _wtoi (decimal, optional sign, up to the first other character).
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);

    // Sets an entry and saves. A null value removes the entry; a null entry removes the whole
    // section. Returns FALSE when the file cannot be written (or could not be read: a file that
    // failed to load is never overwritten, so nothing in it is lost).
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);

private:
    struct Line {
        CString key;    // empty for a raw line
        CString value;  // the value, or the raw text of a raw line
    };
    struct Section {
        CString name;
        std::vector<Line> lines;
    };

    bool EnsureLoaded();
    bool Save() const;
    Section* FindSection(LPCTSTR name);
    Line* FindLine(Section& section, LPCTSTR key);

    mutable std::mutex m_mutex;
    CString m_path;
    bool m_loaded = false;
    bool m_loadFailed = false;
    std::vector<Section> m_sections;  // the first one has an empty name: lines before any section
};

// The process-wide profile. Its file is GetUserConfigFolder(L"tavix") + L"profile.ini" unless a
// path was set with SetPath.
CProfileStore& AfxGetProfileStore();
