// Win32-shaped file system calls on POSIX, and the folders the editor keeps its files in.
//
// Paths may use '\\' or '/' as separator (see ToNativePath in File.h). Failures set the calling
// thread's last error to the Win32 code that matches the errno value.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// Win32 error codes reported through GetLastError. Macros as in Win32, guarded because other
// parts of the platform layer define some of the same names.
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0u
#endif
#ifndef ERROR_INVALID_FUNCTION
#define ERROR_INVALID_FUNCTION 1u
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2u
#endif
#ifndef ERROR_PATH_NOT_FOUND
#define ERROR_PATH_NOT_FOUND 3u
#endif
#ifndef ERROR_TOO_MANY_OPEN_FILES
#define ERROR_TOO_MANY_OPEN_FILES 4u
#endif
#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5u
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6u
#endif
#ifndef ERROR_NOT_ENOUGH_MEMORY
#define ERROR_NOT_ENOUGH_MEMORY 8u
#endif
#ifndef ERROR_CURRENT_DIRECTORY
#define ERROR_CURRENT_DIRECTORY 16u
#endif
#ifndef ERROR_NOT_SAME_DEVICE
#define ERROR_NOT_SAME_DEVICE 17u
#endif
#ifndef ERROR_NO_MORE_FILES
#define ERROR_NO_MORE_FILES 18u
#endif
#ifndef ERROR_WRITE_PROTECT
#define ERROR_WRITE_PROTECT 19u
#endif
#ifndef ERROR_SHARING_VIOLATION
#define ERROR_SHARING_VIOLATION 32u
#endif
#ifndef ERROR_LOCK_VIOLATION
#define ERROR_LOCK_VIOLATION 33u
#endif
#ifndef ERROR_HANDLE_EOF
#define ERROR_HANDLE_EOF 38u
#endif
#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50u
#endif
#ifndef ERROR_FILE_EXISTS
#define ERROR_FILE_EXISTS 80u
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87u
#endif
#ifndef ERROR_BROKEN_PIPE
#define ERROR_BROKEN_PIPE 109u
#endif
#ifndef ERROR_DISK_FULL
#define ERROR_DISK_FULL 112u
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122u
#endif
#ifndef ERROR_INVALID_NAME
#define ERROR_INVALID_NAME 123u
#endif
#ifndef ERROR_DIR_NOT_EMPTY
#define ERROR_DIR_NOT_EMPTY 145u
#endif
#ifndef ERROR_BUSY
#define ERROR_BUSY 170u
#endif
#ifndef ERROR_ALREADY_EXISTS
#define ERROR_ALREADY_EXISTS 183u
#endif
#ifndef ERROR_FILENAME_EXCED_RANGE
#define ERROR_FILENAME_EXCED_RANGE 206u
#endif
#ifndef ERROR_DIRECTORY
#define ERROR_DIRECTORY 267u
#endif
#ifndef ERROR_NO_UNICODE_TRANSLATION
#define ERROR_NO_UNICODE_TRANSLATION 1113u
#endif
#ifndef ERROR_IO_DEVICE
#define ERROR_IO_DEVICE 1117u
#endif

DWORD GetLastError();
void SetLastError(DWORD error);
// The Win32 error code for an errno value.
DWORD Win32ErrorFromErrno(int err);

#ifndef FILE_ATTRIBUTE_READONLY
#define FILE_ATTRIBUTE_READONLY 0x01u
#endif
#ifndef FILE_ATTRIBUTE_HIDDEN
#define FILE_ATTRIBUTE_HIDDEN 0x02u
#endif
#ifndef FILE_ATTRIBUTE_SYSTEM
#define FILE_ATTRIBUTE_SYSTEM 0x04u
#endif
#ifndef FILE_ATTRIBUTE_DIRECTORY
#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#endif
#ifndef FILE_ATTRIBUTE_ARCHIVE
#define FILE_ATTRIBUTE_ARCHIVE 0x20u
#endif
#ifndef FILE_ATTRIBUTE_NORMAL
#define FILE_ATTRIBUTE_NORMAL 0x80u
#endif
#ifndef INVALID_FILE_ATTRIBUTES
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#endif

// Writes the temporary folder ($TMPDIR, else /tmp) with a trailing '/' into `buffer`; returns
// its length, or the size needed (with the terminator) when the buffer is too small.
DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer);
CString GetTempFolder();

BOOL CreateDirectoryW(LPCWSTR path, void* securityAttributes = nullptr);
BOOL RemoveDirectoryW(LPCWSTR path);
BOOL DeleteFileW(LPCWSTR path);
// Fails with ERROR_ALREADY_EXISTS when the target exists, as on Windows.
BOOL MoveFileW(LPCWSTR from, LPCWSTR to);
BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
// FILE_ATTRIBUTE_READONLY clears the write permissions, anything else without it restores the
// owner's write permission; the other attribute bits have no POSIX meaning and are accepted.
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL PathFileExistsW(LPCWSTR path);

// Folder listing with '*' and '?' wildcards in the last path component ("*.*" matches every
// name, "." and ".." included, as on Windows).
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    wchar_t cFileName[MAX_PATH];
};
using HANDLE = void*;
#ifndef INVALID_HANDLE_VALUE
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#endif

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);
// Win32 wildcard match of one name. Case-sensitive: on a case-sensitive file system names that
// differ in case are different files, and a pattern must not reach (and delete) the others.
bool MatchWildcard(const wchar_t* pattern, const wchar_t* name);

// Creates a new private folder (mode 0700) under the temporary folder named `prefix` + random
// characters and returns its path with a trailing '/'; empty on failure (last error set).
CString CreateUniqueTempFolder(LPCWSTR prefix);
// The user's configuration folder for the editor: $XDG_CONFIG_HOME (else ~/.config) +
// '/' + appName + '/', created when missing. Empty when no home folder is known.
CString GetUserConfigFolder(LPCWSTR appName);
// The folder of the running program with a trailing '/'.
CString GetProgramFolder();
