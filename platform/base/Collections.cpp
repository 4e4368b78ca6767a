#include "platform/base/Collections.h"

// The collections serialize their contents, but are never stored as objects themselves: their
// class records carry no schema, so no file can make the loader create one.

IMPLEMENT_DYNAMIC(CObList, CObject)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CObArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNAMIC(CByteArray, CObject)
IMPLEMENT_DYNAMIC(CWordArray, CObject)
IMPLEMENT_DYNAMIC(CDWordArray, CObject)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CStringArray, CObject)
IMPLEMENT_DYNAMIC(CMapWordToString, CObject)
IMPLEMENT_DYNAMIC(CMapStringToString, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)

template <>
void SerializeElements<CString>(CArchive& ar, CString* elements, INT_PTR count)
{
    for (INT_PTR i = 0; i < count; ++i) {
        if (ar.IsStoring())
            ar << elements[i];
        else
            ar >> elements[i];
    }
}

UINT HashString(const wchar_t* key)
{
    UINT hash = 0;
    if (key != nullptr) {
        for (; *key != 0; ++key)
            hash = (hash << 5) + hash + UINT(*key);
    }
    return hash;
}

// Each object costs at least its two-byte tag, so a count is checked against the bytes left
// before anything is read or allocated.
void CObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
    } else {
        const DWORD count = ar.ReadCount();
        ar.EnsureAvailable(ULONGLONG(count) * 2);
        for (DWORD i = 0; i < count; ++i) {
            CObject* object = nullptr;
            ar >> object;
            AddTail(object);
        }
    }
}

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD(GetSize()));
        for (int i = 0; i < GetSize(); ++i)
            ar << GetAt(i);
    } else {
        const DWORD count = ar.ReadCount();
        ar.EnsureAvailable(ULONGLONG(count) * 2);
        SetSize(int(count));
        for (int i = 0; i < int(count); ++i)
            ar >> ElementAt(i);
    }
}
