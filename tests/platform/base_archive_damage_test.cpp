// Damaged archives: each must fail with its archive exception cause, allocate nothing
// unbounded and leak nothing (the sanitizer build checks the last part).
#include "tests/platform/base_archive_support.h"
#include "tests/platform/base_test_print.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Loader = std::function<void(CArchive&, CObList& sink)>;

void LoadList(CArchive& ar, CObList& sink) { sink.Serialize(ar); }

void LoadObArray(CArchive& ar, CObList& sink)
{
    CObArray a;
    try {
        a.Serialize(ar);
    } catch (...) {
        for (int i = 0; i < a.GetSize(); ++i)
            sink.AddTail(a[i]);
        throw;
    }
    for (int i = 0; i < a.GetSize(); ++i)
        sink.AddTail(a[i]);
}

void LoadString(CArchive& ar, CObList&)
{
    CString s;
    ar >> s;
}

template <typename COLLECTION>
void LoadCollection(CArchive& ar, CObList&)
{
    COLLECTION c;
    c.Serialize(ar);
}

// `ar >> CArcFixed*`: asks for a class.
void LoadFixed(CArchive& ar, CObList& sink)
{
    CArcFixed* f = nullptr;
    ar >> f;
    sink.AddTail(f);
}

// A CArcItem, then a second object requested as CArcFixed.
void LoadItemThenFixed(CArchive& ar, CObList& sink)
{
    CObject* o = nullptr;
    ar >> o;
    sink.AddTail(o);
    LoadFixed(ar, sink);
}

// The versionable item stored with another schema loads and reports the file's schema, for the
// first object of the class and for later ones tagged with the class index.
void LoadItemsWithOldSchema(CArchive& ar, CObList& sink)
{
    sink.Serialize(ar);
    ASSERT_EQ(sink.GetCount(), 2);
    auto* first = static_cast<CArcItem*>(sink.GetHead());
    auto* second = static_cast<CArcItem*>(sink.GetTail());
    EXPECT_EQ(first->m_nSchemaRead, 0u);
    EXPECT_EQ(first->m_nNumber, 9);
    EXPECT_TRUE(first->m_strText.IsEmpty());
    EXPECT_EQ(second->m_nSchemaRead, 0u);
    EXPECT_EQ(second->m_nNumber, 10);
}

void ReadRaw(CArchive& ar, CObList&)
{
    BYTE buf[8];
    ar.Read(buf, sizeof buf);
}

Bytes Ascii(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Word(unsigned v)
{
    return {BYTE(v), BYTE(v >> 8)};
}

// A list of one object: count 1, new class tag, schema, name.
Bytes ListHead(WORD schema, const std::string& name)
{
    return Concat({Hex("01 00 FF FF"), Word(schema), Word(unsigned(name.size())), Ascii(name)});
}

// A list of one CArcItem (class 1, object 2), and the same object without the list's count.
const Bytes kItem = Concat({ListHead(1, "CArcItem"), Hex("07 00 00 00 FF FE FF 01 41 00")});
const Bytes kItemObject(kItem.begin() + 2, kItem.end());

Bytes Cut(const Bytes& bytes, size_t dropped)
{
    return Bytes(bytes.begin(), bytes.end() - long(dropped));
}

// A list of one CArcLink whose record holds a new CArcLink, and so on `depth` times deep; the
// innermost refers to nothing.
Bytes NestedLinks(int depth)
{
    Bytes out = Concat({ListHead(0, "CArcLink"), Hex("00 00 00 00")});
    for (int i = 1; i < depth; ++i)
        out = Concat({out, Hex("01 80 00 00 00 00")});
    return Concat({out, Hex("00 00")});
}

struct DamageCase {
    const char* name;
    Bytes bytes;
    Loader load;
    int cause;  // CArchiveException cause; none = loads fine
};

std::vector<DamageCase> DamageCases()
{
    using E = CArchiveException;
    return {
        // Truncated in each place.
        {"no data at all", {}, LoadList, E::endOfFile},
        {"half a count", Hex("01"), LoadList, E::endOfFile},
        {"half a tag", Hex("01 00 FF"), LoadList, E::endOfFile},
        {"in the schema", Hex("01 00 FF FF 01"), LoadList, E::endOfFile},
        {"in the name length", Hex("01 00 FF FF 01 00 08"), LoadList, E::endOfFile},
        {"in the name", Cut(ListHead(1, "CArcItem"), 3), LoadList, E::endOfFile},
        {"in the object body", Cut(kItem, 8), LoadList, E::endOfFile},
        {"in a string's units", Cut(kItem, 1), LoadList, E::endOfFile},
        {"in a string's length", Hex("FF FE FF FF 01"), LoadString, E::endOfFile},
        {"in the second object", Concat({Hex("02 00"), kItemObject, Hex("01 80 07")}), LoadList,
         E::endOfFile},
        {"raw read", Hex("01 02 03"), ReadRaw, E::endOfFile},

        // Classes.
        {"unknown class", ListHead(0, "CNoSuchClass"), LoadList, E::badClass},
        {"name of 64 characters", ListHead(0, std::string(64, 'C')), LoadList, E::badClass},
        {"name length 0xFFFF and no name", Hex("01 00 FF FF 00 00 FF FF"), LoadList, E::badClass},
        {"name with a null byte", ListHead(0, std::string("CArcFixed\0", 10)), LoadList,
         E::badClass},
        {"abstract class", Concat({ListHead(0, "CArcAbstract"), Hex("00 00")}), LoadList,
         E::badClass},
        {"class that is not serializable", ListHead(0xFFFF, "CArcDynamic"), LoadList,
         E::badClass},
        {"collection class from a file", Concat({ListHead(0, "CObList"), Hex("00 00")}),
         LoadList, E::badClass},
        {"objects nested without end", NestedLinks(1200), LoadList, E::genericException},
        {"objects nested deep but within bounds", NestedLinks(900), LoadList, E::none},
        {"object not of the class asked for", kItemObject, LoadFixed,
         E::badClass},
        {"back reference of the wrong class",
Concat({kItemObject, Hex("02 00")}),
         LoadItemThenFixed, E::badClass},

        // Tags and indices.
        {"class index 0", Hex("01 00 00 80"), LoadList, E::badIndex},
        {"class index not stored", Hex("01 00 05 80"), LoadList, E::badIndex},
        {"big class index not stored", Hex("01 00 FF 7F 00 00 01 80"), LoadList, E::badIndex},
        {"object index not stored", Hex("01 00 07 00"), LoadList, E::badIndex},
        {"big object index not stored", Hex("01 00 FF 7F 00 00 01 00"), LoadList, E::badIndex},
        {"object reference naming a class",
         Concat({Hex("02 00"), kItemObject, Hex("01 00")}), LoadList,
         E::badIndex},
        {"class reference naming an object",
         Concat({Hex("02 00"), kItemObject, Hex("02 80")}), LoadList,
         E::badIndex},

        // Schemas.
        {"other schema of a non-versionable class", Concat({ListHead(3, "CArcFixed"), Hex("00 00")}),
         LoadList, E::badSchema},
        {"other schema of a versionable class is kept",
         Concat({Hex("02 00 FF FF 00 00 08 00"), Ascii("CArcItem"),
                 Hex("09 00 00 00 01 80 0A 00 00 00")}),
         LoadItemsWithOldSchema, E::none},

        // Counts and lengths beyond the data: refused before anything is allocated.
        {"list count beyond the data", Hex("FF FF FF FF FF FF 00 00"), LoadList, E::endOfFile},
        {"array count beyond the data", Hex("FF FF FF FF FF 7F 00 00"), LoadObArray, E::endOfFile},
        {"point array count beyond the data", Hex("00 01 01 00 00 00 02 00 00 00"),
         LoadCollection<CArray<CPoint, CPoint>>, E::endOfFile},
        {"byte array count beyond the data", Hex("FF FF 00 00 00 40 01 02"),
         LoadCollection<CByteArray>, E::endOfFile},
        {"string array count beyond the data", Hex("FF FF FF FF FF FF 00"),
         LoadCollection<CStringArray>, E::endOfFile},
        {"map count beyond the data", Hex("FF FF FF FF FF FF 01 00 00 00 00"),
         LoadCollection<CMap<int, int, CString, LPCTSTR>>, E::endOfFile},
        {"string length beyond the data", Hex("FF FE FF FF FF FF FF FF FF FF 41 00"), LoadString,
         E::endOfFile},
        {"8-bit string length beyond the data", Hex("FF 00 10 41"), LoadString, E::endOfFile},
    };
}

TEST(ArchiveDamage, EachDamageRaisesItsCause)
{
    for (const DamageCase& c : DamageCases()) {
        SCOPED_TRACE(c.name);
        CObList sink;
        int cause = CArchiveException::none;
        try {
            LoadBytes(c.bytes, [&](CArchive& ar) { c.load(ar, sink); });
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, c.cause);
        DeleteAll(sink);
    }
}

TEST(ArchiveDamage, CountsAreCheckedAgainstAFileOnDisk)
{
    const std::string path = ::testing::TempDir() + "archive_damage_count.bin";
    const CString name(path.c_str());
    {
        CFile file(name, CFile::modeCreate | CFile::modeWrite);
        const Bytes bytes = Hex("FF FF 00 00 01 00 01 02 03 04");  // 65536 bytes announced
        file.Write(bytes.data(), UINT(bytes.size()));
    }
    CFile file(name, CFile::modeRead);
    int cause = CArchiveException::none;
    try {
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(ar.GetBytesLeft(), 10u);
        CByteArray bytes;
        bytes.Serialize(ar);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    file.Close();
    CFile::Remove(name);
}

TEST(ArchiveDamage, WrongDirectionIsRefused)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        int v = 0;
        try {
            ar >> v;
            ADD_FAILURE() << "read on a storing archive";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
            e->Delete();
        }
    }
    file.Write("abcd", 4);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    try {
        ar << 1;
        ADD_FAILURE() << "write on a loading archive";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }
}

}  // namespace
