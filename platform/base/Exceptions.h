// The exception classes of the platform layer.
//
// Convention: exceptions are allocated with new and thrown as POINTERS, and the handler that
// catches one deletes it with Delete():
//
//     try { ar >> value; }
//     catch (CArchiveException* e) { e->ReportError(); e->Delete(); }
//
// The AfxThrow* helpers do the `throw new ...`; AfxThrowMemoryException throws one preallocated
// object instead, since allocating may fail once memory has run out. Delete() frees only objects
// created with autoDelete = TRUE (the default), so it is right to call it on every caught
// exception. The classes are not CObjects: catch them by C++ type, not with IsKindOf.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#include <functional>

class CException {
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    virtual ~CException() = default;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;

    // Copies a readable message (truncated to maxChars - 1 characters, always terminated) into
    // `error`. Returns FALSE when there is no message. `helpContext` is set to 0 when given.
    virtual BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const;
    // The message as a string (empty when there is none).
    CString GetErrorMessage() const;
    // Shows the message through the report hook (a message box once the UI sets it; stderr by
    // default). Returns the hook's answer (IDOK-like, 1 by default).
    virtual int ReportError(UINT type = 0, UINT messageId = 0) const;
    // Deletes the object when it was created with new for throwing.
    void Delete();

protected:
    BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
public:
    using CException::CException;
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CNotSupportedException : public CException {
public:
    using CException::CException;
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CResourceException : public CException {
public:
    using CException::CException;
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CInvalidArgException : public CException {
public:
    using CException::CException;
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr);
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;

    // The cause that matches an errno value.
    static int ErrnoToException(int err);
    // Throws a CFileException for an errno value.
    [[noreturn]] static void ThrowErrno(int err, LPCTSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause = none, LPCTSTR fileName = nullptr);
    BOOL GetErrorMessage(LPTSTR error, UINT maxChars, PUINT helpContext = nullptr) const override;
    using CException::GetErrorMessage;

    int m_cause;
    CString m_strFileName;
};

// Replaces the function ReportError calls. The hook gets the message and the message-box style;
// passing an empty function restores the default (write the message to stderr, return 1).
void AfxSetExceptionReportHook(std::function<int(const CString& message, UINT type)> hook);

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR fileName = nullptr);
