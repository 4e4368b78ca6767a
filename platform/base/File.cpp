#include "platform/base/File.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ToNativePath(LPCTSTR path)
{
    if (path == nullptr)
        return std::string();
    CString p(path);
    p.Replace(L'\\', L'/');
    return ToUtf8(p);
}

namespace {

int FileNamePos(const CString& path)
{
    int slash = std::max(path.ReverseFind(L'/'), path.ReverseFind(L'\\'));
    return slash + 1;
}

void FillStatus(const struct stat& st, const std::string& native, CFileStatus& status)
{
    status.m_ctime = st.st_ctime;
    status.m_mtime = st.st_mtime;
    status.m_atime = st.st_atime;
    status.m_size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
    BYTE attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= CFile::directory;
    if ((st.st_mode & S_IWUSR) == 0)
        attr |= CFile::readOnly;
    std::size_t slash = native.find_last_of('/');
    std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attr |= CFile::hidden;
    status.m_attribute = attr;

    std::string full;
    if (char* real = realpath(native.c_str(), nullptr)) {
        full = real;
        std::free(real);
    } else {
        full = native;
    }
    CString wide = FromUtf8(full);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(wide.GetLength()), MAX_PATH - 1);
    std::wmemcpy(status.m_szFullName, wide.GetString(), n);
    status.m_szFullName[n] = L'\0';
}

}  // namespace

// ---- CFile ---------------------------------------------------------------------------------

CFile::CFile() = default;

CFile::CFile(LPCTSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    if (m_hFile != hFileNull)
        Abort();
    m_strFileName = fileName;
    auto fail = [&](int err) {
        if (error != nullptr) {
            error->m_cause = CFileException::ErrnoToException(err);
            error->m_lOsError = err;
            error->m_strFileName = fileName;
        }
        return FALSE;
    };
    if (fileName == nullptr || *fileName == L'\0')
        return fail(ENOENT);

    int flags = O_CLOEXEC;
    switch (openFlags & 3) {
    case modeWrite:
        flags |= O_WRONLY;
        break;
    case modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (openFlags & modeCreate) {
        flags |= O_CREAT;
        if ((openFlags & modeNoTruncate) == 0)
            flags |= O_TRUNC;
    }
    // Sharing modes are accepted but not enforced: Linux has no mandatory file sharing locks.
    const std::string native = ToNativePath(fileName);
    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        int err = errno;
        // As on Windows, a missing folder on the way is a bad path, not a missing file.
        std::size_t slash = native.find_last_of('/');
        struct stat parent {};
        if (err == ENOENT && slash != std::string::npos && slash > 0 &&
            ::stat(native.substr(0, slash).c_str(), &parent) != 0)
            err = ENOTDIR;
        return fail(err);
    }
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(EACCES);  // a folder is not a file, as on Windows
    }
    m_hFile = fd;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    auto* p = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        ssize_t n = ::read(m_hFile, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(errno, m_strFileName);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const auto* p = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count) {
        ssize_t n = ::write(m_hFile, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            // EBADF on an open descriptor: it was opened for reading only.
            CFileException::ThrowErrno(errno == EBADF ? EACCES : errno, m_strFileName);
        }
        if (n == 0)
            CFileException::ThrowErrno(ENOSPC, m_strFileName);
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    off_t pos = ::lseek(m_hFile, static_cast<off_t>(offset), whence);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    struct stat st {};
    if (fstat(m_hFile, &st) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG newLength)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    if (newLength > static_cast<ULONGLONG>(LLONG_MAX) || ::ftruncate(m_hFile, static_cast<off_t>(newLength)) != 0)
        CFileException::ThrowErrno(newLength > static_cast<ULONGLONG>(LLONG_MAX) ? EFBIG : errno, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    int fd = m_hFile;
    m_hFile = hFileNull;
    // close() may report a delayed write error; the descriptor is released either way.
    if (::close(fd) != 0 && errno != EINTR)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull) {
        ::close(m_hFile);
        m_hFile = hFileNull;
    }
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(FileNamePos(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    if (m_hFile == hFileNull)
        return FALSE;
    struct stat st {};
    if (fstat(m_hFile, &st) != 0)
        return FALSE;
    FillStatus(st, ToNativePath(m_strFileName), status);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR fileName, CFileStatus& status)
{
    if (fileName == nullptr)
        return FALSE;
    const std::string native = ToNativePath(fileName);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0)
        return FALSE;
    FillStatus(st, native, status);
    return TRUE;
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName)
{
    const std::string from = ToNativePath(oldName);
    const std::string to = ToNativePath(newName);
    // Like MoveFile: never replace an existing target. RENAME_NOREPLACE makes the check and the
    // rename one step; file systems without it get a check followed by a plain rename.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS)
        CFileException::ThrowErrno(errno, errno == EEXIST ? newName : oldName);
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        CFileException::ThrowErrno(EEXIST, newName);
    if (::rename(from.c_str(), to.c_str()) != 0)
        CFileException::ThrowErrno(errno, oldName);
}

void CFile::Remove(LPCTSTR fileName)
{
    const std::string native = ToNativePath(fileName);
    struct stat st {};
    if (::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        CFileException::ThrowErrno(EACCES, fileName);
    if (::unlink(native.c_str()) != 0)
        CFileException::ThrowErrno(errno, fileName);
}

// ---- CMemFile ------------------------------------------------------------------------------

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : m_nGrowBytes(growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    FreeBuffer();
}

void CMemFile::FreeBuffer()
{
    if (m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_bAutoDelete = true;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes)
{
    FreeBuffer();
    m_nGrowBytes = growBytes;
    m_lpBuffer = buffer;
    m_nBufferSize = buffer != nullptr ? size : 0;
    m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = false;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_bAutoDelete = true;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    return buffer;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* error)
{
    if (error != nullptr)
        error->m_cause = CFileException::genericException;
    return FALSE;
}

void CMemFile::GrowFile(ULONGLONG newSize)
{
    if (newSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    ULONGLONG size = m_nBufferSize;
    while (size < newSize)
        size += m_nGrowBytes;
    if (size > static_cast<ULONGLONG>(SIZE_MAX / 2))
        AfxThrowMemoryException();
    BYTE* grown;
    if (m_bAutoDelete) {
        grown = static_cast<BYTE*>(std::realloc(m_lpBuffer, static_cast<std::size_t>(size)));
    } else {
        // The attached buffer is the caller's: move the content into memory of our own.
        grown = static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(size)));
        if (grown != nullptr && m_nFileSize > 0)
            std::memcpy(grown, m_lpBuffer, static_cast<std::size_t>(m_nFileSize));
    }
    if (grown == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = grown;
    m_bAutoDelete = true;
    m_nBufferSize = size;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (m_nPosition >= m_nFileSize || count == 0)
        return 0;
    ULONGLONG n = std::min<ULONGLONG>(count, m_nFileSize - m_nPosition);
    std::memcpy(buffer, m_lpBuffer + m_nPosition, static_cast<std::size_t>(n));
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    ULONGLONG endPos = m_nPosition + count;
    GrowFile(endPos);
    // A write after a seek past the end leaves a gap: fill it with zeros, not stale memory.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<std::size_t>(m_nPosition - m_nFileSize));
    std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
    m_nPosition = endPos;
    m_nFileSize = std::max(m_nFileSize, endPos);
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = from == current ? static_cast<LONGLONG>(m_nPosition)
                    : from == end   ? static_cast<LONGLONG>(m_nFileSize)
                                    : 0;
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > LLONG_MAX - base))
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    m_nPosition = static_cast<ULONGLONG>(base + offset);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG newLength)
{
    if (newLength > m_nBufferSize)
        GrowFile(newLength);
    if (newLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<std::size_t>(newLength - m_nFileSize));
    m_nFileSize = newLength;
    if (m_nPosition > newLength)
        m_nPosition = newLength;
}

void CMemFile::Close()
{
    FreeBuffer();
}
