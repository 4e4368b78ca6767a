// Helpers of the element tests: write a record body to bytes and read it back.
#pragma once

#include "platform/base/Afx.h"

#include <cstring>
#include <vector>

// Bytes of obj.Serialize on a storing archive (no class tag).
inline std::vector<BYTE> StoreBody(CObject& obj)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        obj.Serialize(ar);
        ar.Close();
    }
    const BYTE* p = file.GetData();
    return std::vector<BYTE>(p, p + file.GetLength());
}

// Reads a record body into obj as an object of the given schema; returns the bytes left over.
inline ULONGLONG LoadBody(CObject& obj, const std::vector<BYTE>& bytes, UINT schema,
                          void* pDocument = nullptr)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), UINT(copy.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = pDocument;
    ar.SetObjectSchema(schema);
    obj.Serialize(ar);
    return ar.GetBytesLeft();
}

inline int IntAt(const std::vector<BYTE>& bytes, size_t offset)
{
    int v = 0;
    if (offset + 4 <= bytes.size())
        std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

inline int WordAt(const std::vector<BYTE>& bytes, size_t offset)
{
    WORD v = 0;
    if (offset + 2 <= bytes.size())
        std::memcpy(&v, bytes.data() + offset, 2);
    return v;
}

inline void PutInt(std::vector<BYTE>& bytes, size_t offset, int v)
{
    std::memcpy(bytes.data() + offset, &v, 4);
}
