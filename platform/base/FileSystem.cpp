#include "platform/base/FileSystem.h"

#include "platform/base/File.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

DWORD Win32ErrorFromErrno(int err)
{
    switch (err) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EROFS:
        return ERROR_WRITE_PROTECT;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ERROR_DISK_FULL;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EPIPE:
        return ERROR_BROKEN_PIPE;
    case EIO:
        return ERROR_IO_DEVICE;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

namespace {

BOOL FailErrno(int err)
{
    SetLastError(Win32ErrorFromErrno(err));
    return FALSE;
}

BOOL Succeed()
{
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

CString WithTrailingSlash(CString path)
{
    if (path.IsEmpty() || path[path.GetLength() - 1] != L'/')
        path += L'/';
    return path;
}

// Creates every missing folder of `path` (like mkdir -p). Returns false with errno set.
bool MakePath(const std::string& path, mode_t mode)
{
    std::string partial;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        partial = path.substr(0, next);
        if (!partial.empty() && ::mkdir(partial.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        pos = next + 1;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

DWORD AttributesOf(const struct stat& st, const std::string& name)
{
    DWORD attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= FILE_ATTRIBUTE_DIRECTORY;
    if ((st.st_mode & S_IWUSR) == 0)
        attr |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attr |= FILE_ATTRIBUTE_HIDDEN;
    return attr == 0 ? FILE_ATTRIBUTE_NORMAL : attr;
}

std::string LastComponent(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Copies the file contents; `flags` are the open flags of the target.
bool CopyContents(const std::string& from, const std::string& to, int flags)
{
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        ::close(in);
        errno = err;
        return false;
    }
    int out = ::open(to.c_str(), flags | O_WRONLY | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) {
        int err = errno;
        ::close(in);
        errno = err;
        return false;
    }
    std::vector<char> buf(64 * 1024);
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            ssize_t w = ::write(out, buf.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                if (w == 0)
                    errno = ENOSPC;
                ok = false;
            } else {
                done += w;
            }
        }
        if (!ok)
            break;
    }
    int err = errno;
    ::close(in);
    if (::close(out) != 0 && ok) {
        ok = false;
        err = errno;
    }
    errno = err;
    return ok;
}

// ---- Folder listing -----------------------------------------------------------------------

struct FindState {
    std::vector<WIN32_FIND_DATAW> entries;
    std::size_t next = 0;
};

std::mutex& FindMutex()
{
    static std::mutex m;
    return m;
}

std::set<FindState*>& LiveFinds()
{
    static std::set<FindState*> live;
    return live;
}

bool MatchFrom(const wchar_t* p, const wchar_t* n)
{
    // Iterative '*' matching with one backtrack point: linear in practice, no recursion.
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*n != L'\0') {
        if (*p == L'*') {
            star = p++;
            resume = n;
        } else if (*p == L'?' || (*p != L'\0' && *p == *n)) {
            ++p;
            ++n;
        } else if (star != nullptr) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == L'*')
        ++p;
    return *p == L'\0';
}

}  // namespace

bool MatchWildcard(const wchar_t* pattern, const wchar_t* name)
{
    if (pattern == nullptr || name == nullptr)
        return false;
    if (MatchFrom(pattern, name))
        return true;
    // As on Windows, a trailing ".*" also matches a name without an extension ("*.*" = all).
    std::wstring p(pattern);
    if (p.size() >= 2 && p.compare(p.size() - 2, 2, L".*") == 0)
        return MatchFrom(p.substr(0, p.size() - 2).c_str(), name);
    return false;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data)
{
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string native = ToNativePath(pattern);
    std::size_t slash = native.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const CString namePattern = FromUtf8(slash == std::string::npos ? native : native.substr(slash + 1));
    if (namePattern.IsEmpty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto state = std::make_unique<FindState>();
    while (dirent* e = ::readdir(d)) {
        const CString name = FromUtf8(e->d_name);
        if (name.GetLength() >= MAX_PATH || !MatchWildcard(namePattern, name))
            continue;
        WIN32_FIND_DATAW fd{};
        struct stat st {};
        std::string full = dir + (dir.back() == '/' ? "" : "/") + e->d_name;
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0)
            continue;  // vanished meanwhile
        fd.dwFileAttributes = AttributesOf(st, e->d_name);
        ULONGLONG size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
        fd.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        fd.nFileSizeLow = static_cast<DWORD>(size);
        std::wmemcpy(fd.cFileName, name.GetString(), static_cast<std::size_t>(name.GetLength()));
        state->entries.push_back(fd);
    }
    ::closedir(d);
    if (state->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // A stable order: by name, so "." and ".." come first as on Windows.
    std::sort(state->entries.begin(), state->entries.end(),
              [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) { return std::wcscmp(a.cFileName, b.cFileName) < 0; });
    *data = state->entries[0];
    state->next = 1;
    FindState* raw = state.release();
    {
        std::lock_guard<std::mutex> lock(FindMutex());
        LiveFinds().insert(raw);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<HANDLE>(raw);
}

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data)
{
    std::lock_guard<std::mutex> lock(FindMutex());
    auto* state = static_cast<FindState*>(find);
    if (data == nullptr || LiveFinds().count(state) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (state->next >= state->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE find)
{
    std::lock_guard<std::mutex> lock(FindMutex());
    auto* state = static_cast<FindState*>(find);
    if (LiveFinds().erase(state) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete state;
    return TRUE;
}

// ---- Files and folders --------------------------------------------------------------------

DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer)
{
    const CString path = GetTempFolder();
    const DWORD len = static_cast<DWORD>(path.GetLength());
    if (buffer == nullptr || bufferLength <= len)
        return len + 1;
    std::wmemcpy(buffer, path.GetString(), len + 1);
    return len;
}

CString GetTempFolder()
{
    const char* env = std::getenv("TMPDIR");
    std::string dir = env != nullptr && *env != '\0' ? env : "/tmp";
    return WithTrailingSlash(FromUtf8(dir));
}

BOOL CreateDirectoryW(LPCWSTR path, void*)
{
    if (path == nullptr)
        return FailErrno(EINVAL);
    std::string native = ToNativePath(path);
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();
    if (::mkdir(native.c_str(), 0777) != 0) {
        if (errno == ENOENT) {
            SetLastError(ERROR_PATH_NOT_FOUND);  // a parent folder is missing
            return FALSE;
        }
        return FailErrno(errno);
    }
    return Succeed();
}

BOOL RemoveDirectoryW(LPCWSTR path)
{
    if (path == nullptr)
        return FailErrno(EINVAL);
    if (::rmdir(ToNativePath(path).c_str()) != 0)
        return FailErrno(errno == EEXIST ? ENOTEMPTY : errno);
    return Succeed();
}

BOOL DeleteFileW(LPCWSTR path)
{
    if (path == nullptr)
        return FailErrno(EINVAL);
    const std::string native = ToNativePath(path);
    struct stat st {};
    if (::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return FailErrno(EACCES);  // folders are removed with RemoveDirectoryW
    if (::unlink(native.c_str()) != 0)
        return FailErrno(errno);
    return Succeed();
}

BOOL MoveFileW(LPCWSTR from, LPCWSTR to)
{
    if (from == nullptr || to == nullptr)
        return FailErrno(EINVAL);
    const std::string src = ToNativePath(from);
    const std::string dst = ToNativePath(to);
    if (::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0)
        return Succeed();
    int err = errno;
    if (err == EINVAL || err == ENOSYS) {
        // No RENAME_NOREPLACE on this file system: check, then rename.
        struct stat st {};
        if (::lstat(dst.c_str(), &st) == 0)
            return FailErrno(EEXIST);
        if (::rename(src.c_str(), dst.c_str()) == 0)
            return Succeed();
        err = errno;
    }
    if (err == EXDEV) {
        // Another file system: copy a file, then delete the original.
        if (!CopyContents(src, dst, O_CREAT | O_EXCL))
            return FailErrno(errno);
        if (::unlink(src.c_str()) != 0) {
            int e = errno;
            ::unlink(dst.c_str());
            return FailErrno(e);
        }
        return Succeed();
    }
    return FailErrno(err);
}

BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists)
{
    if (from == nullptr || to == nullptr)
        return FailErrno(EINVAL);
    int flags = O_CREAT | (failIfExists ? O_EXCL : O_TRUNC);
    if (!CopyContents(ToNativePath(from), ToNativePath(to), flags)) {
        if (errno == EEXIST) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        return FailErrno(errno);
    }
    return Succeed();
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes)
{
    if (path == nullptr)
        return FailErrno(EINVAL);
    const std::string native = ToNativePath(path);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0)
        return FailErrno(errno);
    mode_t mode = st.st_mode & 07777;
    mode_t wanted = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (wanted != mode && ::chmod(native.c_str(), wanted) != 0)
        return FailErrno(errno);
    return Succeed();
}

DWORD GetFileAttributesW(LPCWSTR path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string native = ToNativePath(path);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0) {
        SetLastError(Win32ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();
    SetLastError(ERROR_SUCCESS);
    return AttributesOf(st, LastComponent(native));
}

BOOL PathFileExistsW(LPCWSTR path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}

// ---- The editor's folders -----------------------------------------------------------------

CString CreateUniqueTempFolder(LPCWSTR prefix)
{
    std::string tmpl = ToNativePath(GetTempFolder()) + ToNativePath(prefix != nullptr ? prefix : L"") + "XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()) == nullptr) {
        FailErrno(errno);
        return CString();
    }
    SetLastError(ERROR_SUCCESS);
    return WithTrailingSlash(FromUtf8(buf.data()));
}

CString GetUserConfigFolder(LPCWSTR appName)
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            if (passwd* pw = ::getpwuid(::getuid()))
                home = pw->pw_dir;
        }
        if (home == nullptr || *home == '\0') {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return CString();
        }
        base = std::string(home) + "/.config";
    }
    std::string folder = base + "/" + ToNativePath(appName != nullptr ? appName : L"");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (!MakePath(folder, 0700)) {
        FailErrno(errno);
        return CString();
    }
    SetLastError(ERROR_SUCCESS);
    return WithTrailingSlash(FromUtf8(folder));
}

CString GetProgramFolder()
{
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0)
        return CString(L"./");
    std::string exe(buf.data(), static_cast<std::size_t>(n));
    std::size_t slash = exe.find_last_of('/');
    return FromUtf8(slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1));
}
