#include "platform/base/Archive.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
constexpr UINT kMaxLoadDepth = 1000;

// When the file cannot tell its length, a count may still ask for this many bytes.
constexpr ULONGLONG kUnknownLengthLimit = 64ull << 20;

// Largest piece handed to CFile::Read/Write at once.
constexpr size_t kMaxFileChunk = 1u << 30;

// UTF-16 units of a string. Characters beyond U+FFFF become surrogate pairs; values that are no
// character at all become U+FFFD. Unpaired surrogates are kept, so such text reads back as it was.
void AppendUtf16(const CString& text, std::u16string& units)
{
    const wchar_t* p = text.GetString();
    const int n = text.GetLength();
    units.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<std::uint32_t>(p[i]);
        if (c <= 0xFFFF) {
            units.push_back(char16_t(c));
        } else if (c <= 0x10FFFF) {
            units.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(u'\xFFFD');
        }
    }
}

// The text of `count` UTF-16LE units: pairs joined, unpaired surrogates kept as they are.
std::wstring DecodeUtf16(const BYTE* bytes, size_t count)
{
    std::wstring out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const wchar_t unit = wchar_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const wchar_t low = wchar_t(bytes[2 * i + 2] | (bytes[2 * i + 3] << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(wchar_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                ++i;
                continue;
            }
        }
        out.push_back(unit);
    }
    return out;
}

// 8-bit text: ASCII as it is, other bytes as code page 936; undecodable bytes become U+FFFD.
std::wstring Decode8Bit(const BYTE* bytes, size_t count)
{
    if (std::all_of(bytes, bytes + count, [](BYTE b) { return b < 0x80; }))
        return std::wstring(bytes, bytes + count);
    return CodePageToWide(936, std::string(reinterpret_cast<const char*>(bytes), count));
}

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_pFile(file), m_nMode(mode)
{
    if (file == nullptr)
        AfxThrowInvalidArgException();
    m_strFileName = file->GetFilePath();
    m_buffer.resize(size_t(std::max(bufferSize, 128)));
    if (IsStoring()) {
        m_writeCur = m_buffer.data();
        m_writeEnd = m_buffer.data() + m_buffer.size();
    } else {
        m_readCur = m_readEnd = m_buffer.data();
        m_loadArray.push_back({nullptr, false});  // index 0: the null object
    }
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr || (m_nMode & bNoFlushOnDelete) != 0)
        return;
    try {
        Close();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

void CArchive::Throw(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::FlushWriteBuffer()
{
    BYTE* start = m_buffer.data();
    if (m_writeCur != start && m_pFile != nullptr) {
        const BYTE* p = start;
        size_t left = size_t(m_writeCur - start);
        // Mark the buffer empty first: a failing write must not be repeated by a later Close.
        m_writeCur = start;
        while (left > 0) {
            const size_t n = std::min(left, kMaxFileChunk);
            m_pFile->Write(p, UINT(n));
            p += n;
            left -= n;
        }
    }
    m_writeCur = start;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        FlushWriteBuffer();
    } else if (m_readCur != m_readEnd) {
        const LONGLONG unread = LONGLONG(m_readEnd - m_readCur);
        m_readCur = m_readEnd = m_buffer.data();
        m_pFile->Seek(-unread, CFile::current);
    }
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    Flush();
    Abort();
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_writeCur = m_writeEnd = nullptr;
    m_readCur = m_readEnd = nullptr;
}

void CArchive::WriteSlow(const void* data, size_t count)
{
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
    if (!IsStoring())
        Throw(CArchiveException::readOnly);
    const BYTE* src = static_cast<const BYTE*>(data);
    if (size_t(m_writeEnd - m_writeCur) < count) {
        FlushWriteBuffer();
        if (count >= m_buffer.size()) {
            while (count > 0) {
                const size_t n = std::min(count, kMaxFileChunk);
                m_pFile->Write(src, UINT(n));
                src += n;
                count -= n;
            }
            return;
        }
    }
    std::memcpy(m_writeCur, src, count);
    m_writeCur += count;
}

void CArchive::ReadSlow(void* data, size_t count)
{
    if (m_pFile == nullptr)
        Throw(CArchiveException::genericException);
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
    BYTE* dst = static_cast<BYTE*>(data);
    size_t have = size_t(m_readEnd - m_readCur);
    if (have > 0) {
        const size_t n = std::min(have, count);
        std::memcpy(dst, m_readCur, n);
        m_readCur += n;
        dst += n;
        count -= n;
    }
    // Large reads go straight into the caller's memory.
    while (count >= m_buffer.size()) {
        const UINT got = m_pFile->Read(dst, UINT(std::min(count, kMaxFileChunk)));
        if (got == 0)
            Throw(CArchiveException::endOfFile);
        dst += got;
        count -= got;
    }
    while (count > 0) {
        m_readCur = m_buffer.data();
        const UINT got = m_pFile->Read(m_readCur, UINT(m_buffer.size()));
        m_readEnd = m_readCur + got;
        if (got == 0)
            Throw(CArchiveException::endOfFile);
        const size_t n = std::min(size_t(got), count);
        std::memcpy(dst, m_readCur, n);
        m_readCur += n;
        dst += n;
        count -= n;
    }
}

UINT CArchive::Read(void* data, UINT count)
{
    if (count == 0)
        return 0;
    if (size_t(m_readEnd - m_readCur) >= count) {
        std::memcpy(data, m_readCur, count);
        m_readCur += count;
    } else {
        ReadSlow(data, count);
    }
    return count;
}

void CArchive::Write(const void* data, UINT count)
{
    if (count == 0)
        return;
    if (size_t(m_writeEnd - m_writeCur) >= count) {
        std::memcpy(m_writeCur, data, count);
        m_writeCur += count;
    } else {
        WriteSlow(data, count);
    }
}

ULONGLONG CArchive::GetBytesLeft() const
{
    const ULONGLONG buffered = ULONGLONG(m_readEnd - m_readCur);
    if (m_pFile == nullptr || !IsLoading())
        return buffered;
    try {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        return buffered + (length > position ? length - position : 0);
    } catch (CException* e) {
        e->Delete();
        return ULONGLONG(-1);
    }
}

void CArchive::EnsureAvailable(ULONGLONG count)
{
    if (count <= ULONGLONG(m_readEnd - m_readCur))
        return;
    const ULONGLONG left = GetBytesLeft();
    if (left == ULONGLONG(-1)) {
        if (count > kUnknownLengthLimit)
            Throw(CArchiveException::genericException);
    } else if (count > left) {
        Throw(CArchiveException::endOfFile);
    }
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF) {
        *this << WORD(count);
    } else {
        *this << WORD(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount()
{
    WORD word = 0;
    *this >> word;
    if (word != 0xFFFF)
        return word;
    DWORD count = 0;
    *this >> count;
    return count;
}

CArchive& CArchive::operator<<(const CString& text)
{
    std::u16string units;
    AppendUtf16(text, units);
    const size_t length = units.size();
    *this << BYTE(0xFF) << WORD(0xFFFE);  // the Unicode mark
    if (length < 0xFF) {
        *this << BYTE(length);
    } else if (length < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(length);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << DWORD(length);
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(units.data());
    size_t left = length * 2;
    while (left > 0) {
        const size_t n = std::min(left, kMaxFileChunk);
        Write(bytes, UINT(n));
        bytes += n;
        left -= n;
    }
    return *this;
}

CArchive& CArchive::operator>>(CString& text)
{
    bool wide = false;
    BYTE byteLength = 0;
    *this >> byteLength;
    if (byteLength < 0xFF) {
        ReadStringBody(text, byteLength, wide);
        return *this;
    }
    WORD wordLength = 0;
    *this >> wordLength;
    if (wordLength == 0xFFFE) {
        // The Unicode mark; the length follows in the same forms.
        wide = true;
        *this >> byteLength;
        if (byteLength < 0xFF) {
            ReadStringBody(text, byteLength, wide);
            return *this;
        }
        *this >> wordLength;
    }
    if (wordLength < 0xFFFF) {
        ReadStringBody(text, wordLength, wide);
        return *this;
    }
    DWORD length = 0;
    *this >> length;
    ReadStringBody(text, length, wide);
    return *this;
}

void CArchive::ReadStringBody(CString& text, ULONGLONG length, bool wide)
{
    const ULONGLONG bytes = wide ? length * 2 : length;
    EnsureAvailable(bytes);
    // A CString holds at most INT_MAX characters.
    if (length > ULONGLONG(INT_MAX))
        Throw(CArchiveException::genericException);
    std::vector<BYTE> raw(size_t(bytes) + 4);
    BYTE* p = raw.data();
    size_t left = size_t(bytes);
    while (left > 0) {
        const size_t n = std::min(left, kMaxFileChunk);
        Read(p, UINT(n));
        p += n;
        left -= n;
    }
    text = wide ? CString(DecodeUtf16(raw.data(), size_t(length)))
                : CString(Decode8Bit(raw.data(), size_t(length)));
}

void CArchive::WriteString(LPCTSTR text)
{
    if (text == nullptr)
        return;
    std::u16string units;
    AppendUtf16(CString(text), units);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(units.data());
    size_t left = units.size() * 2;
    while (left > 0) {
        const size_t n = std::min(left, kMaxFileChunk);
        Write(bytes, UINT(n));
        bytes += n;
        left -= n;
    }
}

BOOL CArchive::ReadString(CString& text)
{
    std::vector<BYTE> line;
    bool any = false;
    for (;;) {
        // Stop quietly at the end of the data; a lone trailing byte is no unit and is dropped.
        const ULONGLONG left = GetBytesLeft();
        if (left != ULONGLONG(-1) && left < 2)
            break;
        WORD unit = 0;
        try {
            *this >> unit;
        } catch (CArchiveException* e) {
            if (e->m_cause != CArchiveException::endOfFile)
                throw;
            e->Delete();
            break;
        }
        any = true;
        if (unit == L'\n')
            break;
        line.push_back(BYTE(unit));
        line.push_back(BYTE(unit >> 8));
    }
    size_t units = line.size() / 2;
    if (units > 0 && line[2 * units - 2] == '\r' && line[2 * units - 1] == 0)
        --units;
    text = CString(DecodeUtf16(line.data(), units));
    return any ? TRUE : FALSE;
}

DWORD CArchive::NextIndex()
{
    if (m_nMapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass)
{
    if (runtimeClass == nullptr || (runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
        AfxThrowNotSupportedException();  // not a serializable class
    const auto found = m_storeMap.find(runtimeClass);
    if (found != m_storeMap.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag) {
            *this << WORD(kClassTag | index);
        } else {
            *this << kBigObjectTag << DWORD(kBigClassTag | index);
        }
        return;
    }
    *this << kNewClassTag;
    runtimeClass->Store(*this);
    m_storeMap.emplace(runtimeClass, NextIndex());
}

void CArchive::WriteObject(const CObject* object)
{
    if (object == nullptr) {
        *this << kNullTag;
        return;
    }
    const auto found = m_storeMap.find(object);
    if (found != m_storeMap.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag) {
            *this << WORD(index);
        } else {
            *this << kBigObjectTag << index;
        }
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storeMap.emplace(object, NextIndex());
    const_cast<CObject*>(object)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objectTag)
{
    WORD tag = 0;
    *this >> tag;
    DWORD fullTag = 0;
    if (tag == kBigObjectTag) {
        *this >> fullTag;
    } else {
        fullTag = (DWORD(tag & kClassTag) << 16) | (tag & ~kClassTag);
    }
    if ((fullTag & kBigClassTag) == 0) {
        // A reference to an object: only the caller that can resolve it may ask for a class.
        if (objectTag == nullptr)
            Throw(CArchiveException::badIndex);
        *objectTag = fullTag;
        return nullptr;
    }

    CRuntimeClass* runtimeClass = nullptr;
    UINT classSchema = 0;
    if (tag == kNewClassTag) {
        runtimeClass = CRuntimeClass::Load(*this, &classSchema);
        // Only serializable classes may come out of a file.
        if (runtimeClass == nullptr || (runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
            Throw(CArchiveException::badClass);
        if ((runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA) != classSchema) {
            if ((runtimeClass->m_wSchema & VERSIONABLE_SCHEMA) == 0)
                Throw(CArchiveException::badSchema);
            m_fileSchemas[runtimeClass] = classSchema;
        } else {
            m_fileSchemas.erase(runtimeClass);
        }
        NextIndex();
        m_loadArray.push_back({runtimeClass, true});
    } else {
        const DWORD index = fullTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
            Throw(CArchiveException::badIndex);
        runtimeClass = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
        const auto found = m_fileSchemas.find(runtimeClass);
        classSchema = found != m_fileSchemas.end() ? found->second
                                                   : runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA;
    }

    if (requested != nullptr && !runtimeClass->IsDerivedFrom(requested))
        Throw(CArchiveException::badClass);
    if (schema != nullptr)
        *schema = classSchema;
    else
        m_nObjectSchema = classSchema;
    if (objectTag != nullptr)
        *objectTag = fullTag;
    return runtimeClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested)
{
    UINT schema = 0;
    DWORD tag = 0;
    CRuntimeClass* runtimeClass = ReadClass(requested, &schema, &tag);
    if (runtimeClass == nullptr) {
        if (tag >= m_loadArray.size() || m_loadArray[tag].isClass)
            Throw(CArchiveException::badIndex);
        CObject* object = static_cast<CObject*>(m_loadArray[tag].pointer);
        if (object != nullptr && requested != nullptr && !object->IsKindOf(requested))
            Throw(CArchiveException::badClass);
        return object;
    }

    if (m_nLoadDepth >= kMaxLoadDepth)
        Throw(CArchiveException::genericException);
    CObject* object = runtimeClass->CreateObject();
    if (object == nullptr)
        Throw(CArchiveException::badClass);  // abstract, or not creatable
    size_t slot = 0;
    try {
        NextIndex();
        slot = m_loadArray.size();
        m_loadArray.push_back({object, false});
    } catch (...) {
        delete object;
        throw;
    }
    const UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    ++m_nLoadDepth;
    try {
        object->Serialize(*this);
    } catch (...) {
        // Nobody holds the half-read object yet: drop it so a damaged file leaks nothing.
        m_loadArray[slot].pointer = nullptr;
        m_nObjectSchema = savedSchema;
        --m_nLoadDepth;
        delete object;
        throw;
    }
    --m_nLoadDepth;
    m_nObjectSchema = savedSchema;
    return object;
}

UINT CArchive::GetObjectSchema()
{
    const UINT schema = m_nObjectSchema;
    m_nObjectSchema = UINT(-1);
    return schema;
}

CArchive& operator<<(CArchive& ar, const CObject* object)
{
    ar.WriteObject(object);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& object)
{
    object = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& object)
{
    object = ar.ReadObject(nullptr);
    return ar;
}
