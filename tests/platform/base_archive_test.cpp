// The archive's byte layout, case by case, and round trips through the collections.
#include "tests/platform/base_archive_support.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

Bytes Ascii(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

// `count` UTF-16LE units of character `ch`.
Bytes Units(size_t count, wchar_t ch)
{
    Bytes out;
    for (size_t i = 0; i < count; ++i) {
        out.push_back(BYTE(ch));
        out.push_back(BYTE(ch >> 8));
    }
    return out;
}

// The tag and record of a class met for the first time: word 0xFFFF, word schema, name.
Bytes NewClass(WORD schema, const char* name)
{
    const WORD length = WORD(std::strlen(name));
    return Concat({Hex("FF FF"), {BYTE(schema), BYTE(schema >> 8)},
                   {BYTE(length), BYTE(length >> 8)}, Ascii(name)});
}

struct ByteCase {
    const char* name;
    std::function<void(CArchive&)> store;
    Bytes expected;
    std::function<void(CArchive&)> load;  // reads the bytes back and checks the values
};

struct SimRecord {
    int autoRange, current, minimum, maximum, kind;
    bool operator==(const SimRecord& o) const
    {
        return std::memcmp(this, &o, sizeof o) == 0;
    }
};

std::vector<ByteCase> ByteCases()
{
    return {
        {"BYTE", [](CArchive& ar) { ar << BYTE(0xAB); }, Hex("AB"),
         [](CArchive& ar) { BYTE v = 0; ar >> v; EXPECT_EQ(v, 0xAB); }},
        {"char", [](CArchive& ar) { ar << 'A'; }, Hex("41"),
         [](CArchive& ar) { char v = 0; ar >> v; EXPECT_EQ(v, 'A'); }},
        {"WORD", [](CArchive& ar) { ar << WORD(0x1234); }, Hex("34 12"),
         [](CArchive& ar) { WORD v = 0; ar >> v; EXPECT_EQ(v, 0x1234); }},
        {"short", [](CArchive& ar) { ar << short(-2); }, Hex("FE FF"),
         [](CArchive& ar) { short v = 0; ar >> v; EXPECT_EQ(v, -2); }},
        {"wchar_t is one UTF-16 unit", [](CArchive& ar) { ar << L'\x4E2D'; }, Hex("2D 4E"),
         [](CArchive& ar) { wchar_t v = 0; ar >> v; EXPECT_EQ(v, L'\x4E2D'); }},
        {"int", [](CArchive& ar) { ar << -1; }, Hex("FF FF FF FF"),
         [](CArchive& ar) { int v = 0; ar >> v; EXPECT_EQ(v, -1); }},
        {"LONG", [](CArchive& ar) { ar << LONG(0x12345678); }, Hex("78 56 34 12"),
         [](CArchive& ar) { LONG v = 0; ar >> v; EXPECT_EQ(v, 0x12345678); }},
        {"DWORD", [](CArchive& ar) { ar << DWORD(0xA1B2C3D4); }, Hex("D4 C3 B2 A1"),
         [](CArchive& ar) { DWORD v = 0; ar >> v; EXPECT_EQ(v, 0xA1B2C3D4u); }},
        {"BOOL and bool go out as int", [](CArchive& ar) { ar << BOOL(TRUE) << true; },
         Hex("01 00 00 00 01 00 00 00"),
         [](CArchive& ar) { BOOL a = 0, b = 0; ar >> a >> b; EXPECT_EQ(a + b, 2); }},
        {"float", [](CArchive& ar) { ar << 1.5f; }, Hex("00 00 C0 3F"),
         [](CArchive& ar) { float v = 0; ar >> v; EXPECT_EQ(v, 1.5f); }},
        {"double", [](CArchive& ar) { ar << -2.0; }, Hex("00 00 00 00 00 00 00 C0"),
         [](CArchive& ar) { double v = 0; ar >> v; EXPECT_EQ(v, -2.0); }},
        {"raw point", [](CArchive& ar) { CPoint p(1, -1); ar.Write(&p, sizeof p); },
         Hex("01 00 00 00 FF FF FF FF"),
         [](CArchive& ar) {
             CPoint p;
             EXPECT_EQ(ar.Read(&p, sizeof p), sizeof p);
             EXPECT_EQ(p, CPoint(1, -1));
         }},

        // Strings: the Unicode mark FF FE FF, then the length in one of three forms.
        {"empty string", [](CArchive& ar) { ar << CString(); }, Hex("FF FE FF 00"),
         [](CArchive& ar) { CString s(L"x"); ar >> s; EXPECT_TRUE(s.IsEmpty()); }},
        {"short string", [](CArchive& ar) { ar << CString(L"Ab\x4E2D"); },
         Hex("FF FE FF 03 41 00 62 00 2D 4E"),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, L"Ab\x4E2D"); }},
        {"string of 254", [](CArchive& ar) { ar << CString(L'a', 254); },
         Concat({Hex("FF FE FF FE"), Units(254, L'a')}),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, CString(L'a', 254)); }},
        {"string of 255 takes a word", [](CArchive& ar) { ar << CString(L'b', 255); },
         Concat({Hex("FF FE FF FF FF 00"), Units(255, L'b')}),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, CString(L'b', 255)); }},
        {"string of 0xFFFD", [](CArchive& ar) { ar << CString(L'c', 0xFFFD); },
         Concat({Hex("FF FE FF FF FD FF"), Units(0xFFFD, L'c')}),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, CString(L'c', 0xFFFD)); }},
        {"string of 0xFFFE takes a dword", [](CArchive& ar) { ar << CString(L'd', 0xFFFE); },
         Concat({Hex("FF FE FF FF FF FF FE FF 00 00"), Units(0xFFFE, L'd')}),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, CString(L'd', 0xFFFE)); }},
        {"character beyond U+FFFF is a surrogate pair",
         [](CArchive& ar) { ar << CString(L"\U0001F600"); }, Hex("FF FE FF 02 3D D8 00 DE"),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, L"\U0001F600"); }},
        {"unpaired surrogate survives", [](CArchive& ar) { ar << CString(L"\xD800x"); },
         Hex("FF FE FF 02 00 D8 78 00"),
         [](CArchive& ar) { CString s; ar >> s; EXPECT_EQ(s, L"\xD800x"); }},

        // Counts: a word below 0xFFFF, else 0xFFFF and a dword.
        {"counts", [](CArchive& ar) {
             ar.WriteCount(0);
             ar.WriteCount(0xFFFE);
             ar.WriteCount(0xFFFF);
             ar.WriteCount(0x12345);
         },
         Hex("00 00 FE FF FF FF FF FF 00 00 FF FF 45 23 01 00"),
         [](CArchive& ar) {
             EXPECT_EQ(ar.ReadCount(), 0u);
             EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
             EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
             EXPECT_EQ(ar.ReadCount(), 0x12345u);
         }},

        // Objects: null, new class, known class, back reference; one counter for both.
        {"null object", [](CArchive& ar) { ar << static_cast<CObject*>(nullptr); }, Hex("00 00"),
         [](CArchive& ar) {
             CArcFixed old;
             CObject* o = &old;
             ar >> o;
             EXPECT_EQ(o, nullptr);
         }},
        {"new class, same class, same object",
         [](CArchive& ar) {
             CArcItem a(7, L"A"), b(8, L"");
             ar << &a << &b << &a;
         },
         Concat({NewClass(1, "CArcItem"), Hex("07 00 00 00 FF FE FF 01 41 00"),  // class 1, a = 2
                 Hex("01 80 08 00 00 00 FF FE FF 00"),                           // b = 3
                 Hex("02 00")}),
         [](CArchive& ar) {
             CObject *a = nullptr, *b = nullptr, *c = nullptr;
             ar >> a >> b >> c;
             ASSERT_TRUE(a && b && a->IsKindOf(RUNTIME_CLASS(CArcItem)));
             EXPECT_EQ(static_cast<CArcItem*>(a)->m_strText, L"A");
             EXPECT_EQ(static_cast<CArcItem*>(a)->m_nSchemaRead, 1u);
             EXPECT_EQ(static_cast<CArcItem*>(b)->m_nNumber, 8);
             EXPECT_EQ(c, a);
             delete a;
             delete b;
         }},
        {"non-versionable class and a derived class",
         [](CArchive& ar) {
             CArcFixed f;
             f.m_wValue = 0x0102;
             CArcItemEx x;
             x.m_nNumber = 1;
             x.m_wExtra = 3;
             ar << &f << &x;
         },
         Concat({NewClass(0, "CArcFixed"), Hex("02 01"),
                 NewClass(1, "CArcItemEx"), Hex("01 00 00 00 FF FE FF 00 03 00")}),
         [](CArchive& ar) {
             CArcFixed* f = nullptr;
             CArcItemEx* x = nullptr;
             ar >> f >> x;  // typed extraction checks the class
             ASSERT_TRUE(f && x);
             EXPECT_EQ(f->m_wValue, 0x0102);
             EXPECT_EQ(x->m_wExtra, 3);
             delete f;
             delete x;
         }},
        {"worked example: first object of CBlockComment is class 1, object 2",
         [](CArchive& ar) {
             CObList comments, elements;
             CBlockComment c1, c2;
             comments.AddTail(&c1);
             elements.AddTail(&c2);
             comments.Serialize(ar);
             elements.Serialize(ar);  // the class is known: short tag 0x8001
         },
         Concat({Hex("01 00"), NewClass(1, "CBlockComment"), Hex("01 00 00 00"),
                 Hex("01 00 01 80 01 00 00 00")}),
         [](CArchive& ar) {
             CObList comments, elements;
             comments.Serialize(ar);
             elements.Serialize(ar);
             EXPECT_EQ(comments.GetCount(), 1);
             EXPECT_EQ(elements.GetCount(), 1);
             EXPECT_NE(comments.GetHead(), elements.GetHead());
             DeleteAll(comments);
             DeleteAll(elements);
         }},

        // Collections.
        {"CByteArray: count and raw bytes",
         [](CArchive& ar) {
             CByteArray a;
             a.Add(1);
             a.Add(0xFF);
             a.Serialize(ar);
         },
         Hex("02 00 01 FF"),
         [](CArchive& ar) {
             CByteArray a;
             a.Serialize(ar);
             ASSERT_EQ(a.GetSize(), 2);
             EXPECT_EQ(a[1], 0xFF);
         }},
        {"CArray<CPoint>: 8 bytes a point",
         [](CArchive& ar) {
             CArray<CPoint, CPoint> a;
             a.Add(CPoint(1, 2));
             a.Add(CPoint(-9999, -9999));
             a.Serialize(ar);
         },
         Hex("02 00 01 00 00 00 02 00 00 00 F1 D8 FF FF F1 D8 FF FF"),
         [](CArchive& ar) {
             CArray<CPoint, CPoint> a;
             a.Serialize(ar);
             ASSERT_EQ(a.GetSize(), 2);
             EXPECT_EQ(a[0], CPoint(1, 2));
             EXPECT_EQ(a[1], CPoint(-9999, -9999));
         }},
        {"CArray<double>",
         [](CArchive& ar) {
             CArray<double, double> a;
             a.Add(0.5);
             a.Serialize(ar);
         },
         Hex("01 00 00 00 00 00 00 00 E0 3F"),
         [](CArchive& ar) {
             CArray<double, double> a;
             a.Serialize(ar);
             ASSERT_EQ(a.GetSize(), 1);
             EXPECT_EQ(a[0], 0.5);
         }},
        {"CStringArray",
         [](CArchive& ar) {
             CStringArray a;
             a.Add(L"x");
             a.Add(L"");
             a.Serialize(ar);
         },
         Hex("02 00 FF FE FF 01 78 00 FF FE FF 00"),
         [](CArchive& ar) {
             CStringArray a;
             a.Serialize(ar);
             ASSERT_EQ(a.GetSize(), 2);
             EXPECT_EQ(a[0], L"x");
             EXPECT_TRUE(a[1].IsEmpty());
         }},
        {"CObArray with a null entry",
         [](CArchive& ar) {
             CObArray a;
             CArcFixed f;
             a.Add(nullptr);
             a.Add(&f);
             a.Serialize(ar);
         },
         Concat({Hex("02 00 00 00"), NewClass(0, "CArcFixed"), Hex("00 00")}),
         [](CArchive& ar) {
             CObArray a;
             a.Serialize(ar);
             ASSERT_EQ(a.GetSize(), 2);
             EXPECT_EQ(a[0], nullptr);
             EXPECT_TRUE(a[1]->IsKindOf(RUNTIME_CLASS(CArcFixed)));
             DeleteAll(a);
         }},
        {"CMap<int, CString>: raw key, archived string, bucket order",
         [](CArchive& ar) {
             CMap<int, int, CString, LPCTSTR> m;
             m.SetAt(0x20, L"b");  // bucket 2
             m.SetAt(0x10, L"a");  // bucket 1
             m.SetAt(0x11, L"c");  // bucket 1, newer: first in its bucket
             m.Serialize(ar);
         },
         Hex("03 00 11 00 00 00 FF FE FF 01 63 00 10 00 00 00 FF FE FF 01 61 00"
             " 20 00 00 00 FF FE FF 01 62 00"),
         [](CArchive& ar) {
             CMap<int, int, CString, LPCTSTR> m;
             m.Serialize(ar);
             CString v;
             EXPECT_EQ(m.GetCount(), 3);
             EXPECT_TRUE(m.Lookup(0x11, v));
             EXPECT_EQ(v, L"c");
         }},
        {"CMap<int, record>: 20 raw bytes a value",
         [](CArchive& ar) {
             CMap<int, int, SimRecord, const SimRecord&> m;
             m.SetAt(5, SimRecord{1, 2, 3, 4, 5});
             m.Serialize(ar);
         },
         Hex("01 00 05 00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 05 00 00 00"),
         [](CArchive& ar) {
             CMap<int, int, SimRecord, const SimRecord&> m;
             m.Serialize(ar);
             SimRecord r{};
             EXPECT_TRUE(m.Lookup(5, r));
             EXPECT_EQ(r, (SimRecord{1, 2, 3, 4, 5}));
         }},
    };
}

TEST(ArchiveLayout, EveryRuleByteForByte)
{
    for (const ByteCase& c : ByteCases()) {
        SCOPED_TRACE(c.name);
        const Bytes written = StoreBytes(c.store);
        if (written.size() < 64) {
            EXPECT_EQ(ToHex(written), ToHex(c.expected));
        } else {
            EXPECT_TRUE(written == c.expected) << "size " << written.size() << " expected "
                                               << c.expected.size();
        }
        LoadBytes(c.expected, c.load);
    }
}

TEST(ArchiveLayout, EightBitStringsReadAsAsciiAndCodePage936)
{
    struct Case {
        const char* bytes;
        const wchar_t* text;
    } cases[] = {
        {"00", L""},
        {"03 41 62 63", L"Abc"},
        {"02 D6 D0", L"\x4E2D"},           // GBK for U+4E2D
        {"FF 03 00 41 42 43", L"ABC"},     // word length without the mark
        {"FF FF FF 01 00 00 00 7A", L"z"}, // dword length without the mark
        {"01 FF", L"\xFFFD"},              // no character in the code page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        LoadBytes(Hex(c.bytes), [&](CArchive& ar) {
            CString s(L"old");
            ar >> s;
            EXPECT_EQ(s, c.text);
        });
    }
}

TEST(ArchiveLayout, BigIndexFormsFromIndex0x7FFF)
{
    // Class CArcFixed takes index 1 and its objects 2 .. 0x7FFF; then CArcItem is class 0x8000
    // and its first object 0x8001.
    constexpr int kFixed = 0x7FFE;
    std::vector<CArcFixed> fixed(kFixed);
    CArcItem first(1, L""), second(2, L"");
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (CArcFixed& f : fixed)
            ar << &f;
        ar << &first << &second;                  // second: big class tag
        ar << &fixed[kFixed - 2] << &fixed[kFixed - 1] << &first;  // 0x7FFE, 0x7FFF, 0x8001
    });
    const Bytes itemBody = Hex("01 00 00 00 FF FE FF 00");
    const Bytes tail = Concat({NewClass(1, "CArcItem"), itemBody,
                               Hex("FF 7F 00 80 00 80 02 00 00 00 FF FE FF 00"),
                               Hex("FE 7F"), Hex("FF 7F FF 7F 00 00"), Hex("FF 7F 01 80 00 00")});
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(ToHex(Bytes(bytes.end() - tail.size(), bytes.end())), ToHex(tail));

    LoadBytes(bytes, [&](CArchive& ar) {
        std::vector<CObject*> loaded(kFixed + 5);
        for (CObject*& o : loaded)
            ar >> o;
        EXPECT_EQ(loaded[kFixed + 2], loaded[kFixed - 2]);
        EXPECT_EQ(loaded[kFixed + 3], loaded[kFixed - 1]);
        EXPECT_EQ(loaded[kFixed + 4], loaded[kFixed]);
        ASSERT_TRUE(loaded[kFixed + 1]->IsKindOf(RUNTIME_CLASS(CArcItem)));
        EXPECT_EQ(static_cast<CArcItem*>(loaded[kFixed + 1])->m_nNumber, 2);
        for (int i = 0; i < kFixed + 2; ++i)
            delete loaded[i];
    });
}

TEST(ArchiveLayout, ObjectGraphWithBackReferences)
{
    // item <- link1 <- link2, and link2 also listed again: references resolve to the same
    // objects after loading.
    CArcItem item(5, L"five");
    CArcLink link1, link2;
    link1.m_nId = 1;
    link1.m_pOther = &item;
    link2.m_nId = 2;
    link2.m_pOther = &link1;
    CObList list;
    list.AddTail(&item);
    list.AddTail(&link2);  // writes link1 inside link2's record
    list.AddTail(&link1);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    list.RemoveAll();

    const Bytes expected = Concat({Hex("03 00"), NewClass(1, "CArcItem"),
                                   Hex("05 00 00 00 FF FE FF 04 66 00 69 00 76 00 65 00"),
                                   NewClass(0, "CArcLink"), Hex("02 00 00 00"),  // link2 = 4
                                   Hex("03 80 01 00 00 00 02 00"),  // link1 = 5, -> item
                                   Hex("05 00")});                  // link1 again
    EXPECT_EQ(ToHex(bytes), ToHex(expected));

    LoadBytes(bytes, [](CArchive& ar) {
        CObList loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(loaded.GetCount(), 3);
        POSITION pos = loaded.GetHeadPosition();
        auto* i = static_cast<CArcItem*>(loaded.GetNext(pos));
        auto* l2 = static_cast<CArcLink*>(loaded.GetNext(pos));
        auto* l1 = static_cast<CArcLink*>(loaded.GetNext(pos));
        EXPECT_EQ(l2->m_pOther, l1);
        EXPECT_EQ(l1->m_pOther, i);
        EXPECT_EQ(i->m_strText, L"five");
        DeleteAll(loaded);
    });
}

TEST(ArchiveBehaviour, ObjectSchemaIsAnsweredOncePerObject)
{
    CArcItem item(1, L"x");
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &item; });
    LoadBytes(bytes, [](CArchive& ar) {
        CObject* o = nullptr;
        ar >> o;
        EXPECT_EQ(static_cast<CArcItem*>(o)->m_nSchemaRead, 1u);
        EXPECT_EQ(ar.GetObjectSchema(), UINT(-1));  // already answered, and restored after
        delete o;
        ar.SetObjectSchema(4);
        EXPECT_EQ(ar.GetObjectSchema(), 4u);
        EXPECT_EQ(ar.GetObjectSchema(), UINT(-1));
    });
}

TEST(ArchiveBehaviour, BufferingAcrossTheFileAndFlushingBack)
{
    // More than one buffer of data, in small and large pieces, comes back whole.
    Bytes big(10000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = BYTE(i * 7);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << i;
        ar.Write(big.data(), UINT(big.size()));
        ar << 1.25;
    });
    ASSERT_EQ(bytes.size(), 3000 * 4 + big.size() + 8);

    CMemFile file;
    file.Write(bytes.data(), UINT(bytes.size()));
    file.Write("tail", 4);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        for (int i = 0; i < 3000; ++i) {
            int v = -1;
            ar >> v;
            ASSERT_EQ(v, i);
        }
        Bytes back(big.size());
        ar.Read(back.data(), UINT(back.size()));
        EXPECT_TRUE(back == big);
        double d = 0;
        ar >> d;
        EXPECT_EQ(d, 1.25);
        ar.Close();  // unread buffered bytes go back to the file
    }
    EXPECT_EQ(file.GetPosition(), bytes.size());
}

TEST(ArchiveBehaviour, DestructionFlushesUnlessToldNotTo)
{
    CMemFile kept, dropped;
    {
        CArchive ar(&kept, CArchive::store);
        ar << 1;
        CArchive noFlush(&dropped, CArchive::store | CArchive::bNoFlushOnDelete);
        noFlush << 1;
    }
    EXPECT_EQ(kept.GetLength(), 4u);
    EXPECT_EQ(dropped.GetLength(), 0u);

    CArchive aborted(&dropped, CArchive::store);
    aborted << 2;
    aborted.Abort();
    EXPECT_EQ(dropped.GetLength(), 0u);
    EXPECT_EQ(aborted.GetFile(), nullptr);
}

TEST(ArchiveBehaviour, TextLines)
{
    const Bytes bytes = StoreBytes([](CArchive& ar) {
        ar.WriteString(L"one\r\n\x4E2D\n");
        ar.WriteString(L"last");
    });
    EXPECT_EQ(bytes.size(), (5 + 2 + 4) * 2u);
    LoadBytes(bytes, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, L"one");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, L"\x4E2D");
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, L"last");
        EXPECT_FALSE(ar.ReadString(line));
    });
}

TEST(ArchiveBehaviour, MapWithSharedBucketReversesOnReloadButKeepsContent)
{
    CMap<int, int, CString, LPCTSTR> m;
    m.SetAt(1, L"one");  // 1 and 2 share bucket 0
    m.SetAt(2, L"two");
    const Bytes once = StoreBytes([&](CArchive& ar) { m.Serialize(ar); });
    CMap<int, int, CString, LPCTSTR> back;
    LoadBytes(once, [&](CArchive& ar) { back.Serialize(ar); });
    const Bytes twice = StoreBytes([&](CArchive& ar) { back.Serialize(ar); });
    EXPECT_NE(once, twice);  // loading inserts with SetAt, newest first
    CString v;
    EXPECT_TRUE(back.Lookup(1, v) && v == L"one");
    EXPECT_TRUE(back.Lookup(2, v) && v == L"two");
}

}  // namespace
