// A loaded element must carry a type code of its own class: the painters, texts and simulation
// of a class index tables by those codes. Program files, undo snapshots and clipboard content
// with any other code are refused whole, and the refusal names the block.
#include "document/ClipboardFormat.h"
#include "document/TavixDoc.h"
#include "elements/BlockFactory.h"
#include "elements/BlockMath.h"
#include "elements/BlockObj.h"
#include "elements/ElementClasses.h"

#include "ArchiveHelpers.h"
#include "DiagramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// The bytes of objects written with their class tags.
std::vector<BYTE> WithTags(std::initializer_list<CObject*> objects)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        for (CObject* o : objects)
            ar << o;
        ar.Close();
    }
    return std::vector<BYTE>(file.GetData(), file.GetData() + file.GetLength());
}

// Offset of the first record body of the named class: its type code comes first.
size_t BodyOf(const std::vector<BYTE>& bytes, const char* className)
{
    const size_t n = std::strlen(className);
    auto it = std::search(bytes.begin(), bytes.end(), className, className + n);
    EXPECT_NE(it, bytes.end()) << className;
    return size_t(it - bytes.begin()) + n;
}

// Reads one tagged object; the archive exception's message, or "" when it loaded.
std::string ReadBack(std::vector<BYTE> bytes, std::unique_ptr<CObject>* pLoaded = nullptr)
{
    RegisterElementClasses();
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CObject* o = nullptr;
    try {
        ar >> o;
    } catch (CException* e) {
        const std::string text = ToUtf8(e->GetErrorMessage());
        e->Delete();
        return text.empty() ? "(no message)" : text;
    }
    std::unique_ptr<CObject> owned(o);
    if (pLoaded)
        *pLoaded = std::move(owned);
    return "";
}

} // namespace

// Every code 300-999 the factory gives a class of its own goes through a record; the same record
// with a code its class does not have is refused.
TEST(ElementTypeCodes, EveryClassReadsItsOwnCodesAndNoOther)
{
    int classes = 0;
    for (int type = 300; type <= 999; ++type) {
        std::unique_ptr<CBlockObj> b(NewBlockOfType(type));
        ASSERT_NE(b, nullptr);
        if (b->GetRuntimeClass() == RUNTIME_CLASS(CBlockObj))
            continue;
        ++classes;
        b->m_nNumber = 9001;
        const std::vector<BYTE> good = WithTags({b.get()});
        std::unique_ptr<CObject> loaded;
        EXPECT_EQ(ReadBack(good, &loaded), "") << type;
        ASSERT_NE(loaded, nullptr) << type;
        EXPECT_EQ(static_cast<CBlockObj*>(loaded.get())->m_nType, type);

        const size_t at = BodyOf(good, b->GetRuntimeClass()->m_lpszClassName);
        // The codes without a class in the math range, the plain element's, one far off, and
        // the neighbour of another class.
        for (int wrong : {857, 858, 859, 811, 0, -1, 100000, type == 300 ? 400 : 300}) {
            if (IsTypeOfClass(wrong, b->GetRuntimeClass()))
                continue; // 300-307 share a class
            std::vector<BYTE> bad = good;
            PutInt(bad, at, wrong);
            const std::string message = ReadBack(bad);
            EXPECT_NE(message.find("B1 "), std::string::npos) << type << " as " << wrong << ": " << message;
            EXPECT_NE(message.find(std::to_string(wrong)), std::string::npos) << message;
        }
    }
    EXPECT_GT(classes, 100); // every family took part
}

TEST(ElementTypeCodes, PlainElementsConnectorsAndThePowerBusKeepTheirCodes)
{
    const struct { const char* className; int type; bool ok; } cases[] = {
        {"CBlockObj", 601, true},     {"CBlockObj", 811, true},     {"CBlockObj", 857, false},
        {"CBlockObj", 300, false},    {"CBlockObj", 900, true},     {"CBlockObj", 951, true},    {"CBlockMale", 900, true},    {"CBlockMale", 901, false},
        {"CBlockFemale", 901, true},  {"CBlockFemale", 900, false}, {"CPowerBusObj", 951, true},
        {"CPowerBusObj", 604, false}, {"CBlockHigh", 604, true},    {"CBlockHigh", 951, false},
    };
    for (const auto& c : cases) {
        CRuntimeClass* cls = CRuntimeClass::FromName(c.className);
        ASSERT_NE(cls, nullptr) << c.className;
        EXPECT_EQ(IsTypeOfClass(c.type, cls), c.ok) << c.className << " " << c.type;
    }
}

// A program file whose square root block carries 857 (a code of no class): the load fails with
// a message naming the block, and the document keeps what it showed. Undo snapshots are read by
// the same load.
TEST(ElementTypeCodes, ADamagedProgramIsRefusedAndTheOpenOneKept)
{
    CTavixDoc source;
    source.m_nHardwareCode = 0x5188;
    auto* sqrt = new CBlockSQRT(865);
    sqrt->m_nNumber = 9003;
    source.m_blocks.AddTail(sqrt);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.SerializeAndClose(ar);
    }
    std::vector<BYTE> bytes(file.GetData(), file.GetData() + file.GetLength());
    PutInt(bytes, BodyOf(bytes, "CBlockSQRT"), 857);

    char path[] = "/tmp/tavix-damaged-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    close(fd);

    Diagram d;
    d.Add(NewBlockOfType(300), 9001);
    d.Add(NewBlockOfType(301), 9002);
    const BOOL opened = d.doc.OnOpenDocument(CString(path));
    unlink(path);
    EXPECT_FALSE(opened);
    const std::string message = ToUtf8(d.doc.GetLastError());
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find("B3 "), std::string::npos) << message;
    EXPECT_NE(message.find("857"), std::string::npos) << message;
    ASSERT_EQ(d.doc.m_blocks.GetCount(), 2);
    EXPECT_EQ(static_cast<CBlockObj*>(d.doc.m_blocks.GetHead())->m_nNumber, 9001);
}

TEST(ElementTypeCodes, DamagedClipboardContentIsNotPasted)
{
    CBlockODD odd(860);
    odd.m_nNumber = 9002;
    CObList blocks, wires, comments;
    blocks.AddTail(&odd);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        clipformat::WriteLists(ar, blocks, wires, comments);
        ar.Close();
    }
    std::vector<BYTE> bytes(file.GetData(), file.GetData() + file.GetLength());
    for (int code : {860, 859}) {
        std::vector<BYTE> content = bytes;
        PutInt(content, BodyOf(content, "CBlockODD"), code);
        CMemFile in(content.data(), UINT(content.size()));
        CObList b, w, c;
        EXPECT_EQ(clipformat::ReadLists(in, b, w, c), code == 860 ? TRUE : FALSE) << code;
        EXPECT_EQ(b.GetCount(), code == 860 ? 1 : 0) << code;
        while (!b.IsEmpty())
            delete b.RemoveHead();
    }
}
