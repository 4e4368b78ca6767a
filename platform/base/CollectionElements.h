// Element helpers shared by the collection templates: how elements are archived, compared and
// hashed.
//
// SerializeElements<T> archives `count` elements. The general form copies the bytes of trivially
// copyable types as they lie in memory (CPoint = 8 bytes, double = 8, a struct of five ints = 20);
// CString elements go through the archive's string form. Other element types need an explicit
// specialisation, declared before the collection is used:
//     template <> void SerializeElements<CMyItem>(CArchive& ar, CMyItem* items, INT_PTR count);
// Without one, serializing such a collection throws CNotSupportedException.
#pragma once

#include "platform/base/Archive.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/WinTypes.h"

#include <algorithm>
#include <type_traits>

template <typename TYPE>
void SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count)
{
    if constexpr (std::is_trivially_copyable_v<TYPE>) {
        // Pieces small enough for the archive's UINT byte counts.
        constexpr INT_PTR kStep = INT_PTR((1u << 30) / sizeof(TYPE)) > 0
                                      ? INT_PTR((1u << 30) / sizeof(TYPE))
                                      : 1;
        for (INT_PTR done = 0; done < count;) {
            const INT_PTR n = std::min(count - done, kStep);
            if (ar.IsStoring())
                ar.Write(static_cast<const void*>(elements + done), UINT(n * sizeof(TYPE)));
            else
                ar.Read(static_cast<void*>(elements + done), UINT(n * sizeof(TYPE)));
            done += n;
        }
    } else {
        (void)ar;
        (void)elements;
        if (count > 0)
            AfxThrowNotSupportedException();
    }
}

template <>
void SerializeElements<CString>(CArchive& ar, CString* elements, INT_PTR count);

// The fewest bytes one archived element can take; loaders check counts against the bytes left
// with it before allocating.
template <typename TYPE>
constexpr ULONGLONG ArchivedElementMinSize()
{
    if constexpr (std::is_trivially_copyable_v<TYPE>)
        return sizeof(TYPE);
    else
        return 1;  // a CString takes at least its length byte
}

template <typename TYPE, typename ARG_TYPE>
BOOL CompareElements(const TYPE* element1, const ARG_TYPE* element2)
{
    return *element1 == *element2 ? TRUE : FALSE;
}

// Hash of a map key; the bucket is HashKey(key) % table size. Integers (and enumerations) hash
// as their 32-bit value shifted right by 4, pointers likewise, strings as
// hash = hash * 33 + character from 0.
template <typename ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    if constexpr (std::is_pointer_v<K>)
        return UINT(reinterpret_cast<DWORD_PTR>(key) >> 4);
    else
        return UINT(DWORD(key) >> 4);
}

UINT HashString(const wchar_t* key);

template <>
inline UINT HashKey<LPCTSTR>(LPCTSTR key)
{
    return HashString(key);
}
template <>
inline UINT HashKey<LPTSTR>(LPTSTR key)
{
    return HashString(key);
}
template <>
inline UINT HashKey<const CString&>(const CString& key)
{
    return HashString(key.GetString());
}
template <>
inline UINT HashKey<CString>(CString key)
{
    return HashString(key.GetString());
}
