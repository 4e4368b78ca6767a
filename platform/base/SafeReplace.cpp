// Writing a file through a temporary file renamed over it, keeping what the old file had.
#include "platform/base/SafeReplace.h"

#include "platform/base/Exceptions.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A CFile on a descriptor opened here; errors it reports name the file being replaced, not the
// temporary one the user never sees.
class TempFile : public CFile {
public:
    TempFile(int fd, LPCTSTR shownName)
    {
        m_hFile = fd;
        m_strFileName = shownName;
    }
};

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the file they finally name (which need not exist yet).
std::string FollowLinks(std::string path, LPCTSTR shownName)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            CFileException::ThrowErrno(errno, shownName);
        target.resize(static_cast<std::size_t>(n));
        path = target[0] == '/' ? target : FolderOf(path) + "/" + target;
    }
    CFileException::ThrowErrno(ELOOP, shownName);
}

// Creates a new, unique file next to `target`; the kernel applies the umask to `mode`.
int CreateTemp(const std::string& target, mode_t mode, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    std::size_t slash = target.find_last_of('/');
    std::string prefix = slash == std::string::npos ? "." + target : target.substr(0, slash + 1) + "." + target.substr(slash + 1);
    auto seed = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(seed % 1000000) + "-" +
                   std::to_string(++counter);
        int fd;
        do {
            fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void SyncFolder(const std::string& folder)
{
    // The rename has happened; a folder that cannot be synced (some file systems refuse) only
    // loses the guarantee that the new name outlives a crash, so this is not an error.
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void AfxWriteFileReplacing(LPCTSTR path, const std::function<void(CFile& file)>& write, unsigned newFileMode,
                           bool syncToDisk)
{
    if (path == nullptr || *path == L'\0')
        CFileException::ThrowErrno(ENOENT, path);
    const std::string target = FollowLinks(ToNativePath(path), path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            CFileException::ThrowErrno(EISDIR, path);
        if (!S_ISREG(old.st_mode))
            CFileException::ThrowErrno(EACCES, path);  // a device or pipe is not replaced by a file
        // Read-only for everyone (even for a user the system would let write it), or not
        // writable by this user: the file stays as it is.
        if ((old.st_mode & 0222) == 0)
            throw new CFileException(CFileException::accessDenied, EROFS, path);
        if (::access(target.c_str(), W_OK) != 0)
            throw new CFileException(CFileException::accessDenied, errno, path);
    }

    std::string temp;
    int fd = CreateTemp(target, exists ? 0600 : static_cast<mode_t>(newFileMode & 07777), temp);
    if (fd < 0) {
        int err = errno;
        CFileException::ThrowErrno(err == ENOENT ? ENOTDIR : err, path);  // ENOTDIR: a missing folder
    }
    TempFile file(fd, path);
    try {
        write(file);
        if (exists) {
            // Owner and group first (changing them clears set-user-ID bits), then the mode. A
            // user who may not give the file away keeps it; the permissions still apply.
            if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
                ::fchown(fd, old.st_uid, old.st_gid) != 0)
                (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
            if (::fchmod(fd, old.st_mode & 07777) != 0)
                CFileException::ThrowErrno(errno, path);
        }
        if (syncToDisk)
            file.Flush();
        file.Close();
        if (::rename(temp.c_str(), target.c_str()) != 0)
            CFileException::ThrowErrno(errno, path);
    } catch (...) {
        file.Abort();
        ::unlink(temp.c_str());
        throw;
    }
    if (syncToDisk)
        SyncFolder(FolderOf(target));
}
