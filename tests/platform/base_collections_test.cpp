// Lists, arrays and maps: order, growth and the map's iteration order.
#include "platform/base/Afx.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// How many of the calls fail with an invalid-argument exception.
int CountInvalidArg(const std::vector<std::function<void()>>& calls)
{
    int failures = 0;
    for (const auto& call : calls) {
        try {
            call();
        } catch (CInvalidArgException* e) {
            ++failures;
            e->Delete();
        }
    }
    return failures;
}

std::vector<int> Items(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        out.push_back(list.GetNext(pos));
    return out;
}

std::vector<int> ItemsBackwards(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        out.push_back(list.GetPrev(pos));
    return out;
}

TEST(Lists, OrderOfInsertionAndRemoval)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddHead(1);
    POSITION three = list.AddTail(3);
    list.InsertAfter(three, 4);
    list.InsertBefore(nullptr, 0);  // null: at the head
    list.InsertAfter(nullptr, 5);   // null: at the tail
    EXPECT_EQ(Items(list), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ItemsBackwards(list), (std::vector<int>{5, 4, 3, 2, 1, 0}));

    EXPECT_EQ(list.RemoveHead(), 0);
    EXPECT_EQ(list.RemoveTail(), 5);
    list.RemoveAt(three);
    list.SetAt(list.FindIndex(0), 10);
    EXPECT_EQ(Items(list), (std::vector<int>{10, 2, 4}));
    EXPECT_EQ(list.GetHead(), 10);
    EXPECT_EQ(list.GetTail(), 4);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    // Whole lists, also a list added to itself.
    CList<int, int> other;
    other.AddTail(7);
    other.AddTail(8);
    list.AddHead(&other);
    list.AddTail(&list);
    EXPECT_EQ(Items(list), (std::vector<int>{7, 8, 10, 2, 4, 7, 8, 10, 2, 4}));
    other.AddHead(&other);
    EXPECT_EQ(Items(other), (std::vector<int>{7, 8, 7, 8}));

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

// Inserting before the first larger number keeps equal numbers in insertion order.
TEST(Lists, InsertBeforeFirstLargerIsStable)
{
    struct Entry {
        int number;
        char tag;
    };
    CList<Entry*, Entry*> list;
    Entry entries[] = {{5, 'a'}, {3, 'b'}, {5, 'c'}, {1, 'd'}, {3, 'e'}, {9, 'f'}};
    for (Entry& e : entries) {
        POSITION pos = list.GetHeadPosition();
        while (pos != nullptr && list.GetAt(pos)->number <= e.number)
            list.GetNext(pos);
        if (pos != nullptr)
            list.InsertBefore(pos, &e);
        else
            list.AddTail(&e);
    }
    std::string order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        order += list.GetNext(pos)->tag;
    EXPECT_EQ(order, "dbeacf");
}

TEST(Lists, FindAndTypedAccess)
{
    CObject* a = new CObList;
    CObject* b = new CObList;
    CTypedPtrList<CObList, CObList*> list;
    list.AddTail(static_cast<CObList*>(a));
    list.AddTail(static_cast<CObList*>(b));
    list.AddTail(static_cast<CObList*>(a));
    POSITION first = list.Find(a);
    ASSERT_NE(first, nullptr);
    POSITION second = list.Find(a, first);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(list.Find(a, second), nullptr);
    EXPECT_EQ(list.GetHead(), a);
    EXPECT_TRUE(list.GetTail()->IsKindOf(RUNTIME_CLASS(CObList)));
    delete a;
    delete b;
}

TEST(Lists, EmptyListAccessIsAnErrorNotACrash)
{
    CObList list;
    const std::vector<std::function<void()>> calls = {
        [&] { list.GetHead(); },
        [&] { list.GetTail(); },
        [&] { list.RemoveHead(); },
        [&] { list.RemoveTail(); },
        [&] { list.RemoveAt(nullptr); },
        [&] {
            POSITION pos = nullptr;
            list.GetNext(pos);
        },
    };
    EXPECT_EQ(CountInvalidArg(calls), int(calls.size()));
}

TEST(Arrays, GrowthFillsWithZero)
{
    CArray<CPoint, CPoint> points;
    points.SetSize(2);
    points[0] = CPoint(1, 1);
    points.SetAtGrow(4, CPoint(5, 5));
    ASSERT_EQ(points.GetSize(), 5);
    EXPECT_EQ(points.GetUpperBound(), 4);
    EXPECT_EQ(points[3], CPoint(0, 0));

    // A record without a constructor starts all zero, also after shrinking and growing again.
    struct Record {
        int a, b;
        double c;
    };
    CArray<Record, const Record&> records;
    records.SetSize(3);
    records[2] = Record{7, 8, 9.0};
    records.SetSize(1);
    records.SetSize(3);
    EXPECT_EQ(records[2].a, 0);
    EXPECT_EQ(records[2].c, 0.0);

    CObArray objects;
    objects.SetAtGrow(3, &objects);
    EXPECT_EQ(objects.GetSize(), 4);
    EXPECT_EQ(objects[0], nullptr);
    EXPECT_EQ(objects[3], &objects);

    CStringArray names;
    names.SetSize(145);
    EXPECT_TRUE(names[144].IsEmpty());
}

TEST(Arrays, InsertRemoveAppendCopy)
{
    CUIntArray a;
    for (UINT v : {1u, 2u, 3u})
        a.Add(v);
    a.InsertAt(1, 9, 2);  // 1 9 9 2 3
    a.RemoveAt(3);        // 1 9 9 3
    a.InsertAt(6, 7);     // past the end: grows with zeros, 1 9 9 3 0 0 7
    CUIntArray b;
    b.Copy(a);
    EXPECT_EQ(b.Append(a), 7);
    b.InsertAt(0, &a);
    std::vector<UINT> got(b.GetData(), b.GetData() + b.GetSize());
    const std::vector<UINT> once = {1, 9, 9, 3, 0, 0, 7};
    std::vector<UINT> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(got, expected);

    a.Append(a);  // appending itself doubles it
    EXPECT_EQ(a.GetSize(), 14);
    a.FreeExtra();
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Arrays, IndexOutsideIsAnErrorNotACrash)
{
    CByteArray a;
    a.SetSize(2);
    const std::vector<std::function<void()>> calls = {
        [&] { a.GetAt(2); },
        [&] { a[-1]; },
        [&] { a.SetAt(5, 1); },
        [&] { a.RemoveAt(1, 2); },
        [&] { a.SetSize(-1); },
        [&] { a.SetAtGrow(-1, 0); },
    };
    EXPECT_EQ(CountInvalidArg(calls), int(calls.size()));
    EXPECT_EQ(a.GetSize(), 2);
}

std::vector<int> IntKeys(const CMap<int, int, CString, LPCTSTR>& map)
{
    std::vector<int> out;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        int key = 0;
        CString value;
        map.GetNextAssoc(pos, key, value);
        out.push_back(key);
    }
    return out;
}

TEST(Maps, IterationOrderFollowsBucketsNewestFirst)
{
    // 17 buckets, bucket = (key >> 4) % 17: 0x00-0x0F in bucket 0, 0x110 also in bucket 0,
    // 0x10 in 1, -1 (0x0FFFFFFF after the shift) in 15.
    CMap<int, int, CString, LPCTSTR> map;
    for (int key : {0x10, 3, -1, 0x110, 5})
        map[key] = L"v";
    EXPECT_EQ(IntKeys(map), (std::vector<int>{5, 0x110, 3, 0x10, -1}));
    EXPECT_EQ(map.GetHashTableSize(), 17u);

    // Replacing a value keeps the entry where it is; removing takes it out of the walk.
    map.SetAt(3, L"w");
    EXPECT_TRUE(map.RemoveKey(0x110));
    EXPECT_FALSE(map.RemoveKey(0x110));
    EXPECT_EQ(IntKeys(map), (std::vector<int>{5, 3, 0x10, -1}));

    // Another table size places the same keys again.
    CMap<int, int, CString, LPCTSTR> small;
    small.InitHashTable(3);
    for (int key : {0x00, 0x10, 0x20, 0x30})
        small[key] = L"v";
    EXPECT_EQ(IntKeys(small), (std::vector<int>{0x30, 0x00, 0x10, 0x20}));
}

TEST(Maps, LookupCreateAndStringKeys)
{
    CMap<int, int, CString, LPCTSTR> names;
    CString text(L"kept");
    EXPECT_FALSE(names.Lookup(7, text));
    EXPECT_EQ(text, L"kept");  // a failed lookup leaves the value alone
    EXPECT_TRUE(names[7].IsEmpty());  // operator[] creates the entry
    EXPECT_EQ(names.GetCount(), 1);

    // String keys: hash = hash * 33 + character; "a" = 97 and "b" = 98 fall in buckets 12 and 13.
    CMapStringToString strings;
    strings.SetAt(L"b", L"2");
    strings.SetAt(L"a", L"1");
    strings.SetAt(CString(L"a"), L"one");
    EXPECT_EQ(strings.GetCount(), 2);
    POSITION pos = strings.GetStartPosition();
    CString key, value;
    strings.GetNextAssoc(pos, key, value);
    EXPECT_EQ(key, L"a");
    EXPECT_EQ(value, L"one");
    EXPECT_EQ(HashString(L"ab"), 97u * 33 + 98);

    CMapWordToPtr pointers;
    pointers[WORD(3)] = &names;
    void* p = nullptr;
    EXPECT_TRUE(pointers.Lookup(3, p));
    EXPECT_EQ(p, &names);
    pointers.RemoveAll();
    EXPECT_TRUE(pointers.IsEmpty());
    EXPECT_EQ(pointers.GetStartPosition(), nullptr);
}

}  // namespace
