// Doubly linked lists: CList<TYPE, ARG_TYPE>, CObList (CObject pointers, archived with their
// class tags), CPtrList and CTypedPtrList.
//
// A POSITION names one node and stays valid until that node is removed. Iteration:
//     for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
//         CObject* item = list.GetNext(pos);
//         ...
//     }
// Asking an empty list for its head or tail, or using a null POSITION where a node is needed,
// throws CInvalidArgException instead of reading freed or missing memory.
#pragma once

#include "platform/base/CollectionElements.h"
#include "platform/base/Object.h"

#include <type_traits>
#include <utility>

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        Node* next;
        Node* prev;
        TYPE data;
    };

public:
    explicit CList(int blockSize = 10) {}
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NodeOf(m_pHead)->data; }
    const TYPE& GetHead() const { return NodeOf(m_pHead)->data; }
    TYPE& GetTail() { return NodeOf(m_pTail)->data; }
    const TYPE& GetTail() const { return NodeOf(m_pTail)->data; }

    TYPE RemoveHead()
    {
        Node* node = NodeOf(m_pHead);
        TYPE value = node->data;
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        Node* node = NodeOf(m_pTail);
        TYPE value = node->data;
        Unlink(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    // Adds copies of another list's elements, keeping their order. The count is taken first,
    // so adding a list to itself doubles it instead of running on forever.
    void AddHead(const CList* other)
    {
        POSITION pos = other->GetTailPosition();
        for (int n = other->GetCount(); n > 0; --n)
            AddHead(other->GetPrev(pos));
    }
    void AddTail(const CList* other)
    {
        POSITION pos = other->GetHeadPosition();
        for (int n = other->GetCount(); n > 0; --n)
            AddTail(other->GetNext(pos));
    }

    void RemoveAll()
    {
        Node* node = m_pHead;
        while (node != nullptr) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPos(m_pHead); }
    POSITION GetTailPosition() const { return ToPos(m_pTail); }
    // The element at `pos`; `pos` moves to the next (previous) node, null after the last.
    TYPE& GetNext(POSITION& pos)
    {
        Node* node = NodeOf(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* node = NodeOf(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* node = NodeOf(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* node = NodeOf(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }

    TYPE& GetAt(POSITION pos) { return NodeOf(FromPos(pos))->data; }
    const TYPE& GetAt(POSITION pos) const { return NodeOf(FromPos(pos))->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeOf(FromPos(pos))->data = newElement; }
    void RemoveAt(POSITION pos) { Unlink(NodeOf(FromPos(pos))); }

    // A null `pos` inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_TYPE newElement)
    {
        Node* before = FromPos(pos);
        Node* node = before != nullptr ? new Node{before, before->prev, newElement}
                                       : new Node{m_pHead, nullptr, newElement};
        Link(node);
        return ToPos(node);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE newElement)
    {
        Node* after = FromPos(pos);
        Node* node = after != nullptr ? new Node{after->next, after, newElement}
                                      : new Node{nullptr, m_pTail, newElement};
        Link(node);
        return ToPos(node);
    }

    // The first node holding `value` after `startAfter` (from the head when null), or null.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        Node* node = startAfter != nullptr ? NodeOf(FromPos(startAfter))->next : m_pHead;
        for (; node != nullptr; node = node->next) {
            if (CompareElements<TYPE, TYPE>(&node->data, &value))
                return ToPos(node);
        }
        return nullptr;
    }
    // The node at a 0-based index, or null when there is none.
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_nCount)
            return nullptr;
        Node* node = m_pHead;
        while (index-- > 0)
            node = node->next;
        return ToPos(node);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(DWORD(m_nCount));
            for (Node* node = m_pHead; node != nullptr; node = node->next)
                SerializeElements<TYPE>(ar, &node->data, 1);
        } else {
            const DWORD count = ar.ReadCount();
            ar.EnsureAvailable(ULONGLONG(count) * ArchivedElementMinSize<TYPE>());
            for (DWORD i = 0; i < count; ++i) {
                TYPE value{};
                SerializeElements<TYPE>(ar, &value, 1);
                AddTail(value);
            }
        }
    }

private:
    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPos(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static Node* NodeOf(Node* node)
    {
        if (node == nullptr)
            AfxThrowInvalidArgException();
        return node;
    }
    // Puts a node whose next/prev are set into the chain.
    void Link(Node* node)
    {
        if (node->prev != nullptr)
            node->prev->next = node;
        else
            m_pHead = node;
        if (node->next != nullptr)
            node->next->prev = node;
        else
            m_pTail = node;
        ++m_nCount;
    }
    void Unlink(Node* node)
    {
        if (node->prev != nullptr)
            node->prev->next = node->next;
        else
            m_pHead = node->next;
        if (node->next != nullptr)
            node->next->prev = node->prev;
        else
            m_pTail = node->prev;
        --m_nCount;
        delete node;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
};

// A list of CObject pointers. It does not own them: whoever fills it deletes the objects.
// Serialize writes the count and each object with its class tag; loading appends in file order.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(int blockSize = 10) : CList(blockSize) {}
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(int blockSize = 10) : CList(blockSize) {}
};

// A CObList or CPtrList whose accessors give TYPE (a pointer type) instead of the base pointer.
template <typename BASE_CLASS, typename TYPE>
class CTypedPtrList : public BASE_CLASS {
    // CObject* or void*: passing that type picks the element overloads, never the list ones.
    using Element = std::remove_reference_t<decltype(std::declval<BASE_CLASS&>().GetHead())>;

public:
    explicit CTypedPtrList(int blockSize = 10) : BASE_CLASS(blockSize) {}

    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    TYPE GetNext(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetNext(pos)); }
    TYPE GetPrev(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(pos)); }
    TYPE GetAt(POSITION pos) const { return static_cast<TYPE>(BASE_CLASS::GetAt(pos)); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(Element(newElement)); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(Element(newElement)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, Element(newElement)); }
};
