// Growable arrays: CArray<TYPE, ARG_TYPE>, CObArray (CObject pointers, archived with their class
// tags), CPtrArray, CByteArray, CWordArray, CDWordArray, CUIntArray, CStringArray and
// CTypedPtrArray.
//
// New elements (SetSize, SetAtGrow, InsertAt past the end) of plain data types start as zero
// bytes and then get their default constructor, so a CPoint or a record of ints is all zero
// unless its constructor says otherwise; pointers start null and strings empty.
// An index outside the array throws CInvalidArgException instead of touching foreign memory.
#pragma once

#include "platform/base/CollectionElements.h"
#include "platform/base/Object.h"

#include <climits>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& other) : CObject(), m_data(other.m_data) {}
    CArray& operator=(const CArray& other)
    {
        m_data = other.m_data;
        return *this;
    }

    int GetSize() const { return int(m_data.size()); }
    int GetCount() const { return int(m_data.size()); }
    int GetUpperBound() const { return int(m_data.size()) - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }

    // `growBy` is accepted for compatibility; growth is left to the storage.
    void SetSize(int newSize, int growBy = -1)
    {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        const size_t oldSize = m_data.size();
        m_data.resize(size_t(newSize));
        ConstructNew(oldSize);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(int index) const { return m_data[Checked(index)]; }
    TYPE& GetAt(int index) { return m_data[Checked(index)]; }
    void SetAt(int index, ARG_TYPE newElement) { m_data[Checked(index)] = newElement; }
    TYPE& ElementAt(int index) { return m_data[Checked(index)]; }
    const TYPE& ElementAt(int index) const { return m_data[Checked(index)]; }
    const TYPE& operator[](int index) const { return m_data[Checked(index)]; }
    TYPE& operator[](int index) { return m_data[Checked(index)]; }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // Stores at `index`, growing the array when it is beyond the end.
    void SetAtGrow(int index, ARG_TYPE newElement)
    {
        if (index < 0)
            AfxThrowInvalidArgException();
        if (size_t(index) >= m_data.size()) {
            TYPE copy(newElement);  // newElement may live in this array
            SetSize(index + 1);
            m_data[size_t(index)] = copy;
            return;
        }
        m_data[size_t(index)] = newElement;
    }
    int Add(ARG_TYPE newElement)
    {
        const int index = GetSize();
        SetAtGrow(index, newElement);
        return index;
    }
    // Appends the other array's elements; returns the index of the first one.
    int Append(const CArray& src)
    {
        const int oldSize = GetSize();
        if (&src == this) {
            std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return oldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserts `count` copies at `index`; an index beyond the end grows the array first.
    void InsertAt(int index, ARG_TYPE newElement, int count = 1)
    {
        if (index < 0 || count < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (size_t(index) > m_data.size())
            SetSize(index);
        m_data.insert(m_data.begin() + index, size_t(count), copy);
    }
    void InsertAt(int startIndex, const CArray* newArray)
    {
        if (newArray == nullptr || startIndex < 0)
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy(newArray->m_data);
        if (size_t(startIndex) > m_data.size())
            SetSize(startIndex);
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || count < 0 || size_t(index) + size_t(count) > m_data.size())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

    // Count, then the elements (see SerializeElements).
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(DWORD(m_data.size()));
        } else {
            const DWORD count = ar.ReadCount();
            ar.EnsureAvailable(ULONGLONG(count) * ArchivedElementMinSize<TYPE>());
            if (count > DWORD(INT_MAX))
                AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
            SetSize(int(count));
        }
        SerializeElements<TYPE>(ar, m_data.data(), INT_PTR(m_data.size()));
    }

private:
    size_t Checked(int index) const
    {
        if (index < 0 || size_t(index) >= m_data.size())
            AfxThrowInvalidArgException();
        return size_t(index);
    }
    void ConstructNew(size_t from)
    {
        if constexpr (std::is_trivially_copyable_v<TYPE> && std::is_trivially_destructible_v<TYPE>) {
            if (from >= m_data.size())
                return;
            TYPE* p = m_data.data() + from;
            const size_t n = m_data.size() - from;
            std::memset(static_cast<void*>(p), 0, n * sizeof(TYPE));
            for (size_t i = 0; i < n; ++i)
                ::new (static_cast<void*>(p + i)) TYPE;
        }
    }

    std::vector<TYPE> m_data;
};

// An array of CObject pointers. It does not own them. Serialize writes the count and each
// entry with its class tag (null entries as the null tag); loading sizes the array and fills it.
class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
};

// A CObArray or CPtrArray whose accessors give TYPE (a pointer type) instead of the base pointer.
template <typename BASE_CLASS, typename TYPE>
class CTypedPtrArray : public BASE_CLASS {
    // CObject* or void*: passing that type picks the element overloads, never the array ones.
    using Element = std::decay_t<decltype(std::declval<BASE_CLASS&>().GetAt(0))>;

public:
    TYPE GetAt(int index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
    TYPE& ElementAt(int index) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index)); }
    TYPE operator[](int index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
    TYPE& operator[](int index) { return ElementAt(index); }
    void SetAt(int index, TYPE newElement) { BASE_CLASS::SetAt(index, Element(newElement)); }
    void SetAtGrow(int index, TYPE newElement)
    {
        BASE_CLASS::SetAtGrow(index, Element(newElement));
    }
    int Add(TYPE newElement) { return BASE_CLASS::Add(Element(newElement)); }
    void InsertAt(int index, TYPE newElement, int count = 1)
    {
        BASE_CLASS::InsertAt(index, Element(newElement), count);
    }
};
