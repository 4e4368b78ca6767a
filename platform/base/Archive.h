// CArchive: the binary archive of program files, undo snapshots and the clipboard.
//
// Byte layout (little-endian, no padding, no type tags):
//   BYTE/char 1, WORD/short/wchar_t 2, int/LONG/DWORD/UINT/float 4, double 8.
//   wchar_t is written as one UTF-16 code unit, as the files were made where it is 16 bits.
//   A C++ bool has no operator and goes out as an int (4 bytes), as it always did.
//   There is deliberately no operator for `long` (64 bits here, 32 where the files come from):
//   archiving one does not compile, so no field silently changes size.
//   Strings (CString): byte 0xFF, word 0xFFFE (the Unicode mark), then the length in UTF-16
//     units: a byte below 255; else 0xFF and a word below 0xFFFE; else 0xFF, 0xFFFF and a dword;
//     then the UTF-16LE units. Loading also takes strings without the mark: bytes counted the
//     same way, ASCII as is and other bytes decoded as code page 936, the code page of the
//     systems such files come from.
//   Counts (WriteCount): a word below 0xFFFF, else word 0xFFFF and a dword.
//   Objects: word 0 = null; word 0xFFFF = a class met for the first time (word schema, word
//     name length, the name's bytes), then the object; word 0x8000|i = an object of the class
//     with index i, then the object; word i = the object with index i, stored before. Indices
//     at or above 0x7FFF take word 0x7FFF and a dword (bit 31 set for a class). One index
//     counter per archive, from 1, numbers classes and objects in order of first appearance.
//
// Damaged input never crashes, hangs or allocates without bound; it throws CArchiveException*:
//   endOfFile  - the data ends early, including raw Read calls that cannot be fully satisfied,
//                and counts or lengths larger than the bytes left in the file;
//   badClass   - unknown or over-long class name, a class that cannot be created, an object not
//                of the class asked for;
//   badIndex   - a tag naming no class or object stored before;
//   badSchema  - a schema other than the class's own for a class without VERSIONABLE_SCHEMA;
//   genericException - objects nested inside each other deeper than any real file nests them
//                (1000 levels), which would otherwise exhaust the stack.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"

#include <cstring>
#include <unordered_map>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the archive copies numbers as they lie in memory; a little-endian host is assumed");

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // The archive works on `file`, which must stay open while the archive is used. `buffer` is
    // accepted for compatibility and not used: the archive always keeps its own buffer.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    // Closes the archive (flushing a storing one) unless it was closed, aborted or built with
    // bNoFlushOnDelete. Errors at this point are swallowed: call Close to see them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_readCur == m_readEnd; }
    CFile* GetFile() const { return m_pFile; }

    // Writes buffered bytes to the file (storing), or hands unread buffered bytes back to the
    // file by seeking back (loading), so the file position is where the archive stands.
    void Flush();
    // Flushes and detaches from the file (the file stays open).
    void Close();
    // Detaches without flushing and without errors.
    void Abort();

    // Raw bytes. Read throws endOfFile when fewer than `count` bytes are left (the bytes there
    // were are consumed); it returns `count`.
    UINT Read(void* data, UINT count);
    void Write(const void* data, UINT count);

    // Text lines of UTF-16LE units. WriteString writes the text as it is (no terminator);
    // ReadString reads up to and without "\n" (a "\r" before it is dropped too) and returns
    // FALSE only when nothing at all was left.
    void WriteString(LPCTSTR text);
    BOOL ReadString(CString& text);

    // Counts of collections (see the layout above).
    void WriteCount(DWORD count);
    DWORD ReadCount();

    // Objects and classes with their tags (see the layout above).
    void WriteObject(const CObject* object);
    CObject* ReadObject(const CRuntimeClass* requested);
    void WriteClass(const CRuntimeClass* runtimeClass);
    // Reads a class tag. With `objectTag` given, a tag that refers to an object stored before is
    // returned there (with a null result) instead of failing; `schema` receives the schema of
    // the class in this archive.
    CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, UINT* schema = nullptr,
                             DWORD* objectTag = nullptr);

    // The schema of the object being loaded: the file's schema for a versionable class, the
    // class's own otherwise. Answered once per object; later calls give (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

    // Bytes left to load: buffered plus the rest of the file. (ULONGLONG)-1 when the file cannot
    // tell its length.
    ULONGLONG GetBytesLeft() const;
    // Throws endOfFile unless at least `count` bytes are left to load. Loaders call it before
    // allocating for a count read from the data.
    void EnsureAvailable(ULONGLONG count);

    CArchive& operator<<(BYTE v) { return Put(v); }
    CArchive& operator<<(char v) { return Put(v); }
    CArchive& operator<<(WORD v) { return Put(v); }
    CArchive& operator<<(short v) { return Put(v); }
    CArchive& operator<<(wchar_t v) { return Put(WORD(v)); }
    CArchive& operator<<(int v) { return Put(v); }
    CArchive& operator<<(UINT v) { return Put(v); }
    CArchive& operator<<(float v) { return Put(v); }
    CArchive& operator<<(double v) { return Put(v); }

    CArchive& operator>>(BYTE& v) { return Get(v); }
    CArchive& operator>>(char& v) { return Get(v); }
    CArchive& operator>>(WORD& v) { return Get(v); }
    CArchive& operator>>(short& v) { return Get(v); }
    CArchive& operator>>(wchar_t& v)
    {
        WORD unit = 0;
        Get(unit);
        v = wchar_t(unit);
        return *this;
    }
    CArchive& operator>>(int& v) { return Get(v); }
    CArchive& operator>>(UINT& v) { return Get(v); }
    CArchive& operator>>(float& v) { return Get(v); }
    CArchive& operator>>(double& v) { return Get(v); }

    CArchive& operator<<(const CString& text);
    CArchive& operator>>(CString& text);

    // Set by whoever builds the archive for a document (open, save, undo, clipboard); loaders
    // cast it back to their document class.
    void* m_pDocument = nullptr;
    CString m_strFileName;

private:
    template <typename T>
    CArchive& Put(T v)
    {
        if (size_t(m_writeEnd - m_writeCur) >= sizeof(T)) {
            std::memcpy(m_writeCur, &v, sizeof(T));
            m_writeCur += sizeof(T);
        } else {
            WriteSlow(&v, sizeof(T));
        }
        return *this;
    }
    template <typename T>
    CArchive& Get(T& v)
    {
        if (size_t(m_readEnd - m_readCur) >= sizeof(T)) {
            std::memcpy(&v, m_readCur, sizeof(T));
            m_readCur += sizeof(T);
        } else {
            ReadSlow(&v, sizeof(T));
        }
        return *this;
    }

    void WriteSlow(const void* data, size_t count);
    void ReadSlow(void* data, size_t count);
    void FlushWriteBuffer();
    [[noreturn]] void Throw(int cause) const;
    void ReadStringBody(CString& text, ULONGLONG length, bool wide);
    DWORD NextIndex();

    // One entry of the load table: a class or an object, in order of first appearance.
    struct LoadEntry {
        void* pointer;
        bool isClass;
    };

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema = UINT(-1);
    UINT m_nLoadDepth = 0;  // objects being loaded inside each other
    std::vector<BYTE> m_buffer;
    // Only the pair of the archive's direction is ever non-empty, so a read on a storing
    // archive (or a write on a loading one) always reaches the slow path that reports it.
    BYTE* m_writeCur = nullptr;
    BYTE* m_writeEnd = nullptr;
    BYTE* m_readCur = nullptr;
    BYTE* m_readEnd = nullptr;

    DWORD m_nMapCount = 1;  // next index to hand out
    std::unordered_map<const void*, DWORD> m_storeMap;  // classes and objects written so far
    std::vector<LoadEntry> m_loadArray;                  // index -> class or object loaded
    std::unordered_map<const CRuntimeClass*, UINT> m_fileSchemas;  // versionable classes
};

// Objects through their tags.
CArchive& operator<<(CArchive& ar, const CObject* object);
CArchive& operator>>(CArchive& ar, CObject*& object);
CArchive& operator>>(CArchive& ar, const CObject*& object);
