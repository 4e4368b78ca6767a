// CFile (a file on disk, on a POSIX file descriptor) and CMemFile (a growable file in memory).
//
// Paths: the editor builds paths with backslashes ("%s\\Temp%s"); every path handed to these
// classes may use '\\' or '/' as separator, and '\\' is mapped to '/' before the file system sees
// it. Doubled separators are harmless. Names are passed to the file system as UTF-8.
//
// Errors throw CFileException* (see Exceptions.h) except where a function says it returns FALSE.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/WinTypes.h"

#include <ctime>

struct CFileStatus {
    std::time_t m_ctime = 0;     // creation (status change on Linux)
    std::time_t m_mtime = 0;     // last modification
    std::time_t m_atime = 0;     // last access
    ULONGLONG m_size = 0;        // bytes
    BYTE m_attribute = 0;        // CFile::Attribute bits
    wchar_t m_szFullName[MAX_PATH] = {};  // absolute path, '/'-separated
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };
    static constexpr int hFileNull = -1;

    CFile();
    // Opens the file; throws CFileException* on failure.
    CFile(LPCTSTR fileName, UINT openFlags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file. On failure returns FALSE and, when `error` is given, fills it in.
    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);

    // Reads up to `count` bytes; returns the number read (0 at the end of the file).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all `count` bytes or throws (a full disk is diskFull).
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    // Pushes written data to the disk (fsync), so a following rename keeps the data.
    virtual void Flush();
    // Closes the file; throws when the close reports an error (data may not be written).
    virtual void Close();
    // Closes the file and ignores any error.
    virtual void Abort();

    CString GetFilePath() const { return m_strFileName; }
    // The name after the last separator.
    CString GetFileName() const;
    // The name without its extension.
    CString GetFileTitle() const;
    BOOL GetStatus(CFileStatus& status) const;
    bool IsOpen() const { return m_hFile != hFileNull; }

    // Renames a file. Fails (throws) when the target exists, as MoveFile does on Windows.
    static void Rename(LPCTSTR oldName, LPCTSTR newName);
    // Deletes a file; throws on failure.
    static void Remove(LPCTSTR fileName);
    static BOOL GetStatus(LPCTSTR fileName, CFileStatus& status);

    int m_hFile = hFileNull;

protected:
    CString m_strFileName;
};

// A file in memory. The buffer grows by `growBytes` steps (0 = fixed size: writing past the end
// throws CMemoryException*). Buffers it allocates come from malloc; a buffer returned by Detach
// must be freed with free() unless it is the caller's own attached buffer.
class CMemFile : public CFile {
public:
    explicit CMemFile(UINT growBytes = 1024);
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    // Uses `buffer` (size bytes) as the file. With growBytes == 0 its bytes are the content;
    // otherwise the file starts empty and may grow, moving into memory of its own when the
    // buffer is full. The caller keeps ownership of `buffer`.
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Returns the buffer and leaves the file empty; the caller owns the buffer.
    BYTE* Detach();

    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG newLength) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

    // Direct access to the content (GetLength() bytes).
    const BYTE* GetData() const { return m_lpBuffer; }

private:
    void GrowFile(ULONGLONG newSize);
    void FreeBuffer();

    UINT m_nGrowBytes;
    ULONGLONG m_nPosition = 0;
    ULONGLONG m_nBufferSize = 0;
    ULONGLONG m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    bool m_bAutoDelete = true;
};

// The POSIX form of a path the editor built: '\\' becomes '/', encoded as UTF-8.
std::string ToNativePath(LPCTSTR path);
