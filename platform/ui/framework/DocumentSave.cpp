// Writing a file without risking the old one: a temporary file in the same folder, flushed and
// renamed over the target.
#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/ui/framework/Document.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

void AfxWriteFileReplacing(LPCTSTR path, void (*write)(CFile& file, void* context), void* context)
{
    if (!path || !*path)
        CFileException::ThrowErrno(ENOENT, path);
    std::string target = ToNativePath(path);
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        CFileException::ThrowErrno(EISDIR, path);
    // A file the user may not write stays as it is, as writing it in place would fail too.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        CFileException::ThrowErrno(errno, path);

    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    static unsigned counter = 0;
    std::string temp = folder + "/." + base + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    CString tempName(temp.c_str());

    CFile file;
    CFileException fe;
    if (!file.Open(tempName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &fe))
        throw new CFileException(fe.m_cause, fe.m_lOsError, path);
    try {
        write(file, context);
        file.Flush();
        if (exists)
            ::fchmod(file.m_hFile, old.st_mode & 07777);  // the new file keeps the old one's permissions
        file.Close();
        if (::rename(temp.c_str(), target.c_str()) != 0)
            CFileException::ThrowErrno(errno, path);
    } catch (...) {
        file.Abort();
        ::unlink(temp.c_str());
        throw;
    }
}
