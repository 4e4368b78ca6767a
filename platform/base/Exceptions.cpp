#include "platform/base/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <mutex>

namespace {

std::mutex& HookMutex()
{
    static std::mutex m;
    return m;
}

std::function<int(const CString&, UINT)>& ReportHook()
{
    static std::function<int(const CString&, UINT)> hook;
    return hook;
}

BOOL CopyMessage(const CString& text, LPTSTR error, UINT maxChars, PUINT helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    if (error == nullptr || maxChars == 0)
        return FALSE;
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), maxChars - 1);
    std::wmemcpy(error, text.GetString(), n);
    error[n] = L'\0';
    return TRUE;
}

// <what> "<file>".
CString WithFile(const wchar_t* what, const CString& file)
{
    return CString(what) + L" \"" + file + L"\".";
}

}  // namespace

BOOL CException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    if (helpContext != nullptr)
        *helpContext = 0;
    if (error != nullptr && maxChars > 0)
        error[0] = L'\0';
    return FALSE;
}

CString CException::GetErrorMessage() const
{
    wchar_t buf[1024];
    if (!GetErrorMessage(buf, 1024, nullptr))
        return CString();
    return CString(buf);
}

int CException::ReportError(UINT type, UINT messageId) const
{
    CString message = GetErrorMessage();
    if (message.IsEmpty() && messageId != 0)
        message.LoadString(messageId);
    if (message.IsEmpty())
        message = L"An unsupported operation was attempted.";
    std::function<int(const CString&, UINT)> hook;
    {
        std::lock_guard<std::mutex> lock(HookMutex());
        hook = ReportHook();
    }
    if (hook)
        return hook(message, type);
    std::fprintf(stderr, "%s\n", ToUtf8(message).c_str());
    return 1;
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    return CopyMessage(L"Out of memory.", error, maxChars, helpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    return CopyMessage(L"An unsupported operation was attempted.", error, maxChars, helpContext);
}

BOOL CResourceException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    return CopyMessage(L"A required resource was unavailable.", error, maxChars, helpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    return CopyMessage(L"Invalid argument.", error, maxChars, helpContext);
}

CFileException::CFileException(int cause, LONG osError, LPCTSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    const wchar_t* what;
    switch (m_cause) {
    case none:
        what = L"No error occurred with";
        break;
    case fileNotFound:
        what = L"File not found:";
        break;
    case badPath:
        what = L"The path is invalid or a folder does not exist:";
        break;
    case tooManyOpenFiles:
        what = L"Too many open files; cannot open";
        break;
    case accessDenied:
        // EROFS: the file (or its file system) is read-only, which says more than a bare denial.
        what = m_lOsError == EROFS ? L"The file is read-only:" : L"Access denied:";
        break;
    case invalidFile:
        what = L"Invalid file handle for";
        break;
    case removeCurrentDir:
        what = L"The current folder cannot be removed:";
        break;
    case directoryFull:
        what = L"The folder is full; cannot create";
        break;
    case badSeek:
        what = L"Cannot set the file position in";
        break;
    case hardIO:
        what = L"A hardware I/O error occurred with";
        break;
    case sharingViolation:
        what = L"Sharing violation:";
        break;
    case lockViolation:
        what = L"Lock violation:";
        break;
    case diskFull:
        what = L"The disk is full; cannot write";
        break;
    case endOfFile:
        what = L"Unexpected end of file in";
        break;
    default:
        what = L"An unexpected error occurred with";
        break;
    }
    CString text = m_strFileName.IsEmpty() ? CString(what) + L" an unnamed file." : WithFile(what, m_strFileName);
    return CopyMessage(text, error, maxChars, helpContext);
}

int CFileException::ErrnoToException(int err)
{
    switch (err) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
    case ETXTBSY:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case ESPIPE:
    case EINVAL:
        return badSeek;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

void CFileException::ThrowErrno(int err, LPCTSTR fileName)
{
    throw new CFileException(ErrnoToException(err), static_cast<LONG>(err), fileName);
}

CArchiveException::CArchiveException(int cause, LPCTSTR fileName) : m_cause(cause), m_strFileName(fileName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext) const
{
    const wchar_t* text;
    switch (m_cause) {
    case none:
        text = L"No error occurred.";
        break;
    case readOnly:
        text = L"Tried to write to an archive opened for loading.";
        break;
    case endOfFile:
        text = L"Unexpected end of file.";
        break;
    case writeOnly:
        text = L"Tried to read from an archive opened for storing.";
        break;
    case badIndex:
        text = L"Invalid file format: an object reference is out of range.";
        break;
    case badClass:
        text = L"Invalid file format: unknown or unexpected object class.";
        break;
    case badSchema:
        text = L"The file was written by an incompatible version of the program.";
        break;
    default:
        text = L"The file is damaged or in an unexpected format.";
        break;
    }
    CString message(text);
    if (!m_strFileName.IsEmpty())
        message += L" (" + m_strFileName + L")";
    return CopyMessage(message, error, maxChars, helpContext);
}

void AfxSetExceptionReportHook(std::function<int(const CString&, UINT)> hook)
{
    std::lock_guard<std::mutex> lock(HookMutex());
    ReportHook() = std::move(hook);
}

void AfxThrowMemoryException()
{
    // One preallocated object: allocating when memory has run out could fail again.
    // It is not deleted by Delete().
    static CMemoryException outOfMemory(FALSE);
    throw &outOfMemory;
}
void AfxThrowNotSupportedException() { throw new CNotSupportedException(); }
void AfxThrowResourceException() { throw new CResourceException(); }
void AfxThrowInvalidArgException() { throw new CInvalidArgException(); }

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR fileName)
{
    throw new CArchiveException(cause, fileName);
}
