// Hash maps: CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> and the named maps built on it
// (CMapWordToString, CMapStringToString, CMapStringToPtr, CMapPtrToPtr, CMapWordToPtr).
//
// The iteration order is part of the file format (maps are stored in it), so it is fixed: the
// table has 17 buckets unless InitHashTable chose another size before the first entry; an entry
// lives in bucket HashKey(key) % size, at the front of its bucket (newest first); GetNextAssoc
// walks the buckets in ascending order. Loading re-inserts the pairs in file order with SetAt.
#pragma once

#include "platform/base/CollectionElements.h"
#include "platform/base/Object.h"

#include <vector>

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap : public CObject {
    struct Assoc {
        Assoc* next;
        UINT bucket;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(int blockSize = 10) {}
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Chooses the table size. Entries already in the map are placed again, in iteration order.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE)
    {
        if (hashSize == 0)
            hashSize = 1;
        std::vector<Assoc*> entries;
        for (Assoc* bucket : m_table) {
            for (Assoc* a = bucket; a != nullptr; a = a->next)
                entries.push_back(a);
        }
        m_nHashTableSize = hashSize;
        m_table.assign(allocNow || !entries.empty() ? hashSize : 0, nullptr);
        for (Assoc* a : entries) {
            a->bucket = HashKey<ARG_KEY>(a->key) % m_nHashTableSize;
            a->next = m_table[a->bucket];
            m_table[a->bucket] = a;
        }
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const Assoc* a = Find(key);
        if (a == nullptr)
            return FALSE;
        value = a->value;
        return TRUE;
    }
    // The value of `key`, created (empty, zero) when the key is new.
    VALUE& operator[](ARG_KEY key)
    {
        Assoc* a = Find(key);
        if (a == nullptr)
            a = NewAssoc(key);
        return a->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        const UINT bucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        for (Assoc** link = &m_table[bucket]; *link != nullptr; link = &(*link)->next) {
            if (CompareElements(&(*link)->key, &key)) {
                Assoc* found = *link;
                *link = found->next;
                delete found;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (Assoc*& bucket : m_table) {
            while (bucket != nullptr) {
                Assoc* next = bucket->next;
                delete bucket;
                bucket = next;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    // Iteration: pos = GetStartPosition(); while (pos) GetNextAssoc(pos, key, value);
    POSITION GetStartPosition() const { return ToPos(First(0)); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        const Assoc* a = reinterpret_cast<const Assoc*>(pos);
        if (a == nullptr)
            AfxThrowInvalidArgException();
        key = a->key;
        value = a->value;
        pos = ToPos(a->next != nullptr ? a->next : First(a->bucket + 1));
    }

    // Count, then each pair (key, value) in iteration order.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(DWORD(m_nCount));
            for (Assoc* bucket : m_table) {
                for (Assoc* a = bucket; a != nullptr; a = a->next) {
                    SerializeElements<KEY>(ar, &a->key, 1);
                    SerializeElements<VALUE>(ar, &a->value, 1);
                }
            }
        } else {
            const DWORD count = ar.ReadCount();
            ar.EnsureAvailable(ULONGLONG(count) *
                               (ArchivedElementMinSize<KEY>() + ArchivedElementMinSize<VALUE>()));
            for (DWORD i = 0; i < count; ++i) {
                KEY key{};
                VALUE value{};
                SerializeElements<KEY>(ar, &key, 1);
                SerializeElements<VALUE>(ar, &value, 1);
                SetAt(key, value);
            }
        }
    }

private:
    static POSITION ToPos(const Assoc* a)
    {
        return reinterpret_cast<POSITION>(const_cast<Assoc*>(a));
    }
    Assoc* First(UINT fromBucket) const
    {
        for (UINT b = fromBucket; b < m_table.size(); ++b) {
            if (m_table[b] != nullptr)
                return m_table[b];
        }
        return nullptr;
    }
    Assoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return nullptr;
        const UINT bucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        for (Assoc* a = m_table[bucket]; a != nullptr; a = a->next) {
            if (CompareElements(&a->key, &key))
                return a;
        }
        return nullptr;
    }
    Assoc* NewAssoc(ARG_KEY key)
    {
        if (m_table.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        const UINT bucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        Assoc* a = new Assoc{m_table[bucket], bucket, KEY(key), VALUE()};
        m_table[bucket] = a;
        ++m_nCount;
        return a;
    }

    std::vector<Assoc*> m_table;  // empty until the first entry
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
};

class CMapWordToString : public CMap<WORD, WORD, CString, LPCTSTR> {
    DECLARE_DYNAMIC(CMapWordToString)
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_DYNAMIC(CMapStringToString)
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
};
