// Program files: every layout loads, a loaded file saves back byte for byte, damaged files are
// refused with an error and leave the document as it was, saving never destroys the old file.
#include "DocTestSupport.h"

#include "elements/BlockComment.h"
#include "elements/BlockMSGTEXT.h"
#include "elements/BlockDataLog.h"
#include "elements/ConnectLineObj.h"
#include "msgtext/Widget.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CBlockObj* Block(CTavixDoc& doc, int number)
{
    return doc.FindBlockByNumber(number);
}

bool Open(CTavixDoc& doc, const std::string& path)
{
    return doc.OnOpenDocument(Wide(path)) != FALSE;
}

// Position of the first occurrence of text in bytes, or npos.
size_t FindText(const Bytes& bytes, const char* text)
{
    const size_t n = std::strlen(text);
    auto it = std::search(bytes.begin(), bytes.end(), text, text + n);
    return it == bytes.end() ? std::string::npos : size_t(it - bytes.begin());
}

} // namespace

TEST(ProgramFile, NewModelFilesSaveBackByteForByte)
{
    for (const char* name : {"program_fbd.yfb", "program_ladder.yld", "program_msgtext_datalog.yfb"}) {
        SCOPED_TRACE(name);
        ScratchFolder folder;
        CTavixDoc doc;
        ASSERT_TRUE(Open(doc, FixturePath(name))) << doc.GetLastError().GetString();
        EXPECT_EQ(doc.GetLoadWarnings().GetSize(), 0);
        EXPECT_FALSE(doc.IsModified());
        const Bytes original = ReadBytes(FixturePath(name));
        const Bytes saved = SaveToBytes(doc, folder);
        ASSERT_FALSE(saved.empty()) << doc.GetLastError().GetString();
        EXPECT_TRUE(SameBytes(saved, original));
    }
}

TEST(ProgramFile, ByteComparisonNamesTheFirstDifferenceAndItsRecord)
{
    const Bytes original = ReadBytes(FixturePath("program_fbd.yfb"));
    const size_t record = FindText(original, "CBlockDPR");
    ASSERT_NE(record, std::string::npos);
    Bytes changed = original;
    changed[record + 20] ^= 0x01;
    const std::string message = SameBytes(changed, original).message();
    EXPECT_NE(message.find("offset " + std::to_string(record + 20) + " "), std::string::npos) << message;
    EXPECT_NE(message.find("26 bytes into the CBlockDPR record"), std::string::npos) << message;
    changed.resize(record);
    EXPECT_NE(std::string(SameBytes(changed, original).message()).find("[end]"), std::string::npos);
    EXPECT_TRUE(SameBytes(original, original));
}

TEST(ProgramFile, FunctionBlockDiagramContents)
{
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));
    EXPECT_EQ(doc.m_nDocKind, CTavixDoc::kindFbd);
    EXPECT_EQ(doc.m_nHardwareCode, 0x5188);
    EXPECT_EQ(doc.m_blocks.GetCount(), 5);
    EXPECT_EQ(doc.m_wires.GetCount(), 3);
    EXPECT_EQ(doc.m_comments.GetCount(), 1);
    EXPECT_EQ(doc.m_strProgramName, L"PUMP");
    EXPECT_EQ(doc.m_strComment, L"Program comment \u4e2d\u6587");
    EXPECT_FLOAT_EQ(doc.m_fZoom, 1.5f);
    EXPECT_EQ(doc.m_nAIRange1, 4);
    ASSERT_TRUE(doc.m_bLogoPresent);
    ASSERT_NE(doc.m_pLogo, nullptr);
    EXPECT_EQ(doc.m_pLogo[959], BYTE((959 * 7) & 0xFF));
    EXPECT_EQ(doc.m_markers[3], 1);  // the spare marker bytes are kept as read

    // The on-delay's first reference names the counter and becomes a pointer to it.
    CBlockObj* pTimer = Block(doc, 9001);
    ASSERT_NE(pTimer, nullptr);
    EXPECT_TRUE(pTimer->m_bRef[0]);
    EXPECT_EQ(pTimer->m_pRefBlock[0], Block(doc, 9002));
    EXPECT_EQ(pTimer->m_pRefBlock[1], nullptr);

    auto* pWire = static_cast<CConnectLineObj*>(doc.m_wires.GetHead());
    EXPECT_EQ(pWire->m_pStartBlock, Block(doc, 100));
    EXPECT_EQ(pWire->m_pEndBlock, Block(doc, 9000));
    EXPECT_EQ(doc.GetBlockLabel(Block(doc, 100)), L"I000");
}

TEST(ProgramFile, LadderDiagramContents)
{
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_ladder.yld")));
    EXPECT_TRUE(doc.IsLadder());
    ASSERT_EQ(doc.m_powerBus.GetCount(), 1);
    EXPECT_EQ(doc.FindBlockByNumber(-1), doc.m_powerBus.GetHead());
    CString text;
    ASSERT_TRUE(doc.m_operandComments.Lookup(100, text));
    EXPECT_EQ(text, L"Start button");
    SimSettingRecord record;
    ASSERT_TRUE(doc.m_simSettings.Lookup(100, record));
    EXPECT_EQ(record.m_nMax, 9999);
    EXPECT_EQ(record.m_nKind, 1);
    auto* pWire = static_cast<CConnectLineObj*>(doc.m_wires.GetHead());
    EXPECT_EQ(pWire->m_pStartBlock, doc.m_powerBus.GetHead());
    EXPECT_EQ(doc.GetBlockLabel(Block(doc, 12000)), L"I000");
    EXPECT_EQ(doc.GetBlockLabel(Block(doc, 21000)), L"Q000");
}

TEST(ProgramFile, LadderMapsOfManyOperandsSurviveSaving)
{
    // Pair order within the maps may change; the pairs themselves must not.
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_ladder.yld")));
    for (int key = 100; key < 140; ++key) {
        CString text;
        text.Format(L"operand %d", key);
        doc.m_operandComments.SetAt(key, text);
        SimSettingRecord record;
        record.m_nValue = key;
        doc.m_simSettings.SetAt(key, record);
    }
    ASSERT_TRUE(doc.OnSaveDocument(Wide(folder.File("many.yld"))));
    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("many.yld")));
    ASSERT_EQ(again.m_operandComments.GetCount(), 40);
    for (int key = 100; key < 140; ++key) {
        CString text;
        ASSERT_TRUE(again.m_operandComments.Lookup(key, text));
        CString expected;
        expected.Format(L"operand %d", key);
        EXPECT_EQ(text, expected);
        SimSettingRecord record;
        ASSERT_TRUE(again.m_simSettings.Lookup(key, record));
        EXPECT_EQ(record.m_nValue, key);
    }
}

TEST(ProgramFile, MessageTextFieldsAndDataLog)
{
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_msgtext_datalog.yfb")));
    auto* pText = static_cast<CBlockMSGTEXT*>(Block(doc, 9001));
    ASSERT_NE(pText, nullptr);
    ASSERT_EQ(pText->m_aLines1[0].GetSize(), 1);
    EXPECT_EQ(pText->m_aLines1[3].GetSize(), 1);
    EXPECT_EQ(pText->m_aLines2[1].GetSize(), 1);
    auto* pField = static_cast<CWidget*>(pText->m_aLines1[0][0]);
    EXPECT_EQ(pField->m_pBlock, Block(doc, 9000));
    EXPECT_EQ(pField->m_pDoc, &doc);
    EXPECT_EQ(pField->m_strStatusName[10], L"O");

    auto* pLog = static_cast<CBlockDataLog*>(Block(doc, 8950));
    ASSERT_NE(pLog, nullptr);
    ASSERT_EQ(pLog->m_aItems.GetSize(), 2);
    EXPECT_EQ(pLog->m_aItems[0].m_pBlock, Block(doc, 9000));
    EXPECT_EQ(pLog->m_aItems[1].m_pBlock, nullptr);
}

TEST(ProgramFile, OldModelFileLoadsWithDefaultsAndSavesInTheNewLayout)
{
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_old_model.yfb"))) << doc.GetLastError().GetString();
    EXPECT_EQ(doc.m_nHardwareCode, 0x1188);
    EXPECT_EQ(doc.m_nAIRange0, 0);
    EXPECT_EQ(doc.m_nAnalogFilter, 5);
    EXPECT_EQ(doc.m_markers[0], 0x55);
    EXPECT_EQ(doc.m_markers[1], 0x55);
    EXPECT_EQ(doc.m_markers[2], 0x55);

    // A file from before the pin-kind table gets the table's pin kinds.
    EXPECT_EQ(Block(doc, 9000)->m_nPinKind[3], PIN_PARAM);
    EXPECT_EQ(Block(doc, 9000)->m_nPinKind[10], PIN_BIT);

    // Old models resolve the counter's references.
    EXPECT_EQ(Block(doc, 9001)->m_pRefBlock[0], Block(doc, 9000));

    // The single field array: entry 0 is the field of line 1, entry 1 is empty, entry 2 line 3.
    auto* pText = static_cast<CBlockMSGTEXT*>(Block(doc, 9002));
    ASSERT_NE(pText, nullptr);
    ASSERT_EQ(pText->m_aLines1[0].GetSize(), 1);
    EXPECT_EQ(pText->m_aLines1[1].GetSize(), 0);
    ASSERT_EQ(pText->m_aLines1[2].GetSize(), 1);
    auto* pField = static_cast<CWidget*>(pText->m_aLines1[0][0]);
    EXPECT_EQ(pField->m_pBlock, Block(doc, 9001));
    EXPECT_EQ(pField->m_strStatusName[10], L" ");  // an old field has the default names

    const Bytes first = SaveToBytes(doc, folder, "first.yfb");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0], 0x55);
    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("first.yfb"))) << again.GetLastError().GetString();
    EXPECT_EQ(again.m_nHardwareCode, 0x1188);
    EXPECT_EQ(Block(again, 9001)->m_pRefBlock[0], Block(again, 9000));
    EXPECT_TRUE(SameBytes(SaveToBytes(again, folder, "second.yfb"), first));
}

TEST(ProgramFile, OldMessageTextSpareFieldEntries)
{
    // Six field entries in the first old message text: lines 1-4 and two spares, which have no
    // place. The second text's fields load beside them.
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_old_spare_fields.yfb")))
        << doc.GetLastError().GetString();
    auto* pFirst = static_cast<CBlockMSGTEXT*>(Block(doc, 9001));
    auto* pSecond = static_cast<CBlockMSGTEXT*>(Block(doc, 9002));
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    for (int line = 0; line < 4; ++line) {
        ASSERT_EQ(pFirst->m_aLines1[line].GetSize(), 1) << line;
        EXPECT_EQ(static_cast<CWidget*>(pFirst->m_aLines1[line][0])->m_pBlock, Block(doc, 9000));
    }
    ASSERT_EQ(pSecond->m_aLines1[0].GetSize(), 1);
    ASSERT_EQ(pSecond->m_aLines1[1].GetSize(), 1);
    EXPECT_EQ(static_cast<CWidget*>(pSecond->m_aLines1[1][0])->m_pBlock, nullptr);

    // The same file whose second text names the last spare again instead of a field of its
    // own: one object in two places is refused, and the spare is still alive to be asked.
    CTavixDoc again;
    EXPECT_FALSE(Open(again, FixturePath("program_old_spare_field_named_again.yfb")));
    EXPECT_FALSE(again.GetLastError().IsEmpty());
    EXPECT_EQ(again.m_blocks.GetCount(), 0);
}

TEST(ProgramFile, NewDocumentRoundTrip)
{
    ScratchFolder folder;
    CTavixDoc doc;
    EXPECT_EQ(doc.m_markers[0], 0x55);
    EXPECT_EQ(doc.m_markers[3], 0xAA);
    AddNew(doc, 600);
    AddNew(doc, 300);
    const Bytes first = SaveToBytes(doc, folder, "new.yfb");
    ASSERT_FALSE(first.empty());
    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("new.yfb")));
    EXPECT_EQ(again.m_blocks.GetCount(), 2);
    EXPECT_TRUE(SameBytes(SaveToBytes(again, folder, "again.yfb"), first));
}

TEST(ProgramFile, EveryTruncationIsRefusedAndLeavesTheDocumentAlone)
{
    ScratchFolder folder;
    const Bytes original = ReadBytes(FixturePath("program_msgtext_datalog.yfb"));
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));
    const std::string path = folder.File("cut.yfb");
    for (size_t length = 0; length < original.size(); length += 3) {
        WriteBytes(path, Bytes(original.begin(), original.begin() + long(length)));
        ASSERT_FALSE(Open(doc, path)) << "length " << length;
        EXPECT_FALSE(doc.GetLastError().IsEmpty());
    }
    EXPECT_EQ(doc.m_blocks.GetCount(), 5);
    EXPECT_EQ(doc.m_strProgramName, L"PUMP");
    EXPECT_EQ(doc.GetPathName(), Wide(FixturePath("program_fbd.yfb")));
}

TEST(ProgramFile, HostileFilesAreRefused)
{
    const Bytes fbd = ReadBytes(FixturePath("program_fbd.yfb"));
    const Bytes texts = ReadBytes(FixturePath("program_msgtext_datalog.yfb"));
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    {
        Bytes b = fbd;  // a class the program does not know
        const size_t at = FindText(b, "CBlockLogic");
        b[at + 10] = 'X';
        cases.push_back({"unknown class", b});
    }
    {
        Bytes b = fbd;  // an element count of two thousand million
        const size_t at = FindText(b, "CBlockIn") - 6 - 2;
        const unsigned char count[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
        b.erase(b.begin() + long(at), b.begin() + long(at) + 2);
        b.insert(b.begin() + long(at), count, count + 6);
        cases.push_back({"absurd element count", b});
    }
    {
        Bytes b = fbd;  // a program name of two thousand million characters
        const unsigned char name[] = {0xFF, 0xFE, 0xFF, 0x04, 'P', 0};
        auto it = std::search(b.begin(), b.end(), name, name + 6);
        const size_t at = size_t(it - b.begin()) + 3;
        const unsigned char length[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
        b.erase(b.begin() + long(at));
        b.insert(b.begin() + long(at), length, length + 7);
        cases.push_back({"absurd string length", b});
    }
    {
        Bytes b = texts;  // the last field array claims two thousand million fields
        b.resize(b.size() - 2);
        const unsigned char count[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
        b.insert(b.end(), count, count + 6);
        cases.push_back({"absurd field count", b});
    }
    {
        Bytes b = fbd;  // the comment's class where the first element belongs
        const size_t at = FindText(b, "CBlockIn") - 6;
        b.erase(b.begin() + long(at), b.begin() + long(at) + 14);
        const unsigned char commentClass[] = {0x01, 0x80};
        b.insert(b.begin() + long(at), commentClass, commentClass + 2);
        cases.push_back({"comment in the element list", b});
    }
    {
        Bytes b = fbd;  // the comment list names its one comment twice
        const size_t name = FindText(b, "CBlockComment");
        b[name - 8] = 2;
        const size_t end = name + 13 + 164;
        const unsigned char again[] = {0x02, 0x00};
        b.insert(b.begin() + long(end), again, again + 2);
        cases.push_back({"one comment twice", b});
    }
    {
        Bytes b = fbd;  // trailing garbage is not a program
        b.resize(40);
        cases.push_back({"only a header", b});
    }

    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(folder.File("bad.yfb"), c.bytes);
        CTavixDoc doc;
        EXPECT_FALSE(Open(doc, folder.File("bad.yfb")));
        EXPECT_FALSE(doc.GetLastError().IsEmpty());
        EXPECT_EQ(doc.m_blocks.GetCount(), 0);
    }
}

TEST(ProgramFile, BrokenReferencesAreClearedAtLoad)
{
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));
    // Point the timer at a block and a wire at a number the file will not hold.
    CBlockObj ghost(300, 4);
    ghost.m_nNumber = 9999;
    Block(doc, 9001)->m_pRefBlock[0] = &ghost;
    static_cast<CConnectLineObj*>(doc.m_wires.GetTail())->m_nEndNumber = 7777;
    ASSERT_TRUE(doc.OnSaveDocument(Wide(folder.File("broken.yfb"))));
    Block(doc, 9001)->m_pRefBlock[0] = nullptr;

    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("broken.yfb")));
    CBlockObj* pTimer = Block(again, 9001);
    EXPECT_EQ(pTimer->m_pRefBlock[0], nullptr);
    EXPECT_TRUE(pTimer->m_bRef[0]);  // the reference stands, with no block behind it
    EXPECT_EQ(again.m_wires.GetCount(), 2);  // the wire to nowhere is dropped
    EXPECT_EQ(again.GetLoadWarnings().GetSize(), 2);
}

TEST(ProgramFile, ReferenceToAMissingBlockSavesBackByteForByte)
{
    // The timer's reference names block 9999, which the file does not hold; loading and saving
    // it twice gives the same file each time.
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));
    CBlockObj ghost(300, 4);
    ghost.m_nNumber = 9999;
    Block(doc, 9001)->m_pRefBlock[0] = &ghost;
    const Bytes written = SaveToBytes(doc, folder, "missing.yfb");
    Block(doc, 9001)->m_pRefBlock[0] = nullptr;
    ASSERT_FALSE(written.empty());

    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("missing.yfb")));
    EXPECT_TRUE(Block(again, 9001)->m_bRef[0]);
    EXPECT_EQ(Block(again, 9001)->m_nRefNumber[0], 9999);
    EXPECT_EQ(again.GetLoadWarnings().GetSize(), 1);
    const Bytes first = SaveToBytes(again, folder, "first.yfb");
    EXPECT_TRUE(SameBytes(first, written));
    CTavixDoc third;
    ASSERT_TRUE(Open(third, folder.File("first.yfb")));
    EXPECT_TRUE(SameBytes(SaveToBytes(third, folder, "second.yfb"), written));
}

TEST(ProgramFile, DataLogWhoseCountDisagreesWithItsItemsIsRefused)
{
    // The data log's item count is its first time parameter's high word: offset 166 of its
    // element record. The file holds two items.
    const Bytes original = ReadBytes(FixturePath("program_msgtext_datalog.yfb"));
    const size_t record = FindText(original, "CBlockDataLog") + std::strlen("CBlockDataLog");
    ScratchFolder folder;
    for (int count : {3, 5, -1, 100000, 0x7FFFFFFF}) {
        SCOPED_TRACE(count);
        Bytes b = original;
        std::memcpy(&b[record + 166], &count, 4);
        WriteBytes(folder.File("log.yfb"), b);
        CTavixDoc doc;
        EXPECT_FALSE(Open(doc, folder.File("log.yfb")));
        EXPECT_FALSE(doc.GetLastError().IsEmpty());
    }
}

TEST(ProgramFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));

    // The target is a folder: the final rename fails after the data was written.
    const std::string target = folder.File("target.yfb");
    ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
    EXPECT_FALSE(doc.OnSaveDocument(Wide(target)));
    EXPECT_FALSE(doc.GetLastError().IsEmpty());
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));

    // Into a folder that does not exist.
    EXPECT_FALSE(doc.OnSaveDocument(Wide(folder.File("missing/x.yfb"))));

    // Replacing an existing file works and leaves only that file.
    const std::string file = folder.File("prog.yfb");
    WriteBytes(file, Bytes{1, 2, 3});
    ASSERT_TRUE(doc.DoSave(Wide(file), TRUE));
    EXPECT_EQ(doc.GetPathName(), Wide(file));
    EXPECT_TRUE(SameBytes(ReadBytes(file), ReadBytes(FixturePath("program_fbd.yfb"))));
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 2);  // the folder named target.yfb and prog.yfb
}

TEST(ProgramFile, SaveKeepsTheFilesPermissionsAndLinksAndRefusesReadOnlyFiles)
{
    ScratchFolder folder;
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, FixturePath("program_fbd.yfb")));
    const Bytes program = ReadBytes(FixturePath("program_fbd.yfb"));
    auto mode = [](const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };

    const std::string shared = folder.File("shared.yfb");
    WriteBytes(shared, Bytes{1});
    ASSERT_EQ(chmod(shared.c_str(), 0644), 0);
    ASSERT_TRUE(doc.OnSaveDocument(Wide(shared))) << doc.GetLastError().GetString();
    EXPECT_EQ(mode(shared), 0644u);
    EXPECT_TRUE(SameBytes(ReadBytes(shared), program));

    // Saved through a link: the program it points at changes, the link stays.
    const std::string link = folder.File("link.yfb");
    ASSERT_EQ(symlink("shared.yfb", link.c_str()), 0);
    WriteBytes(shared, Bytes{2});
    ASSERT_TRUE(doc.OnSaveDocument(Wide(link))) << doc.GetLastError().GetString();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(SameBytes(ReadBytes(shared), program));

    // A read-only program is not replaced, and the save says so.
    const std::string locked = folder.File("locked.yfb");
    WriteBytes(locked, Bytes{3});
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    doc.SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc.OnSaveDocument(Wide(locked)));
    EXPECT_NE(doc.GetLastError().Find(L"read-only"), -1) << doc.GetLastError().GetString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(ReadBytes(locked) == Bytes{3});
    EXPECT_EQ(mode(locked), 0444u);
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 3);  // no temporary file
}

TEST(ProgramFile, ProposedFileNameCutsTheTitle)
{
    CTavixDoc doc;
    doc.SetTitle(L"Plant #2");
    EXPECT_EQ(doc.GetProposedFileName(), L"Plant.yfb");
    doc.m_nDocKind = CTavixDoc::kindLadder;
    doc.SetTitle(L"Plant");
    EXPECT_EQ(doc.GetProposedFileName(), L"Plant.yld");
}

TEST(ProgramFile, LadderFilesAlwaysCarryTheirMapsAndPowerBus)
{
    // The same program as a ladder diagram holds three more counts: two maps and the bus list.
    ScratchFolder folder;
    CTavixDoc doc;
    const Bytes fbd = SaveToBytes(doc, folder, "a.yfb");
    doc.m_nDocKind = CTavixDoc::kindLadder;
    const Bytes ladder = SaveToBytes(doc, folder, "a.yld");
    ASSERT_FALSE(fbd.empty());
    EXPECT_EQ(ladder.size(), fbd.size() + 6);
    CTavixDoc again;
    ASSERT_TRUE(Open(again, folder.File("a.yld")));
    EXPECT_TRUE(again.IsLadder());
}

TEST(ProgramFile, MarkerOneDecidesWhetherTheAnalogRangesAreStored)
{
    // Without marker 1 the file ends its new-model settings at the analog filter.
    Bytes b = ReadBytes(FixturePath("program_fbd.yfb"));
    const int tail[] = {10000, 2, 5, 3, 4};  // text time 2, scan time, filter, AI ranges
    const auto* p = reinterpret_cast<const unsigned char*>(tail);
    auto it = std::search(b.begin(), b.end(), p, p + sizeof(tail));
    ASSERT_NE(it, b.end());
    const long ranges = long(it - b.begin()) + 12;
    b.erase(b.begin() + ranges, b.begin() + ranges + 8);
    b[1] = 0x00;
    ScratchFolder folder;
    WriteBytes(folder.File("no-ranges.yfb"), b);
    CTavixDoc doc;
    ASSERT_TRUE(Open(doc, folder.File("no-ranges.yfb"))) << doc.GetLastError().GetString();
    EXPECT_EQ(doc.m_nAnalogFilter, 5);
    EXPECT_EQ(doc.m_nAIRange0, 0);
    EXPECT_EQ(doc.m_nAIRange1, 0);
    EXPECT_EQ(doc.m_blocks.GetCount(), 5);
    EXPECT_EQ(doc.m_markers[1], 0x55);
}

TEST(ProgramFile, EveryElementTypeSurvivesSavingAndLoading)
{
    // One element of every type the factory makes, in one program: every record must read back
    // exactly what was written, or every element after it would be misread.
    for (WORD hardware : {WORD(0x5188), WORD(0x1188)}) {
        SCOPED_TRACE(hardware);
        ScratchFolder folder;
        CTavixDoc doc;
        doc.m_nHardwareCode = hardware;
        CMainFrame::GetSeriesName(hardware, &doc.m_strHardwareName, &doc.m_nMinFirmware);
        const BlockTypeInfo* pTable = GetBlockTypeTable();
        int number = 20000;
        for (int row = 0; row < kTypeRowCount; ++row) {
            CBlockObj* pBlock = NewBlockOfType(pTable[row].nType);
            ASSERT_NE(pBlock, nullptr);
            pBlock->m_nNumber = number++;  // numbers of their own, clear of every range
            doc.m_blocks.AddTail(pBlock);
        }
        const Bytes first = SaveToBytes(doc, folder, "all.yfb");
        ASSERT_FALSE(first.empty()) << doc.GetLastError().GetString();
        CTavixDoc again;
        ASSERT_TRUE(Open(again, folder.File("all.yfb"))) << again.GetLastError().GetString();
        ASSERT_EQ(again.m_blocks.GetCount(), kTypeRowCount);
        int row = 0;
        for (POSITION pos = again.m_blocks.GetHeadPosition(); pos != nullptr; ++row) {
            const auto* pBlock = static_cast<const CBlockObj*>(again.m_blocks.GetNext(pos));
            EXPECT_EQ(pBlock->m_nType, pTable[row].nType);
        }
        EXPECT_TRUE(SameBytes(SaveToBytes(again, folder, "again.yfb"), first));
    }
}

TEST(ProgramFile, NewDiagramIsOneScreen)
{
    CTavixDoc doc;
    EXPECT_EQ(doc.m_rcExtent.left, 0);
    EXPECT_GT(doc.m_rcExtent.right, 0);
    EXPECT_GT(doc.m_rcExtent.bottom, 0);
    EXPECT_EQ(doc.m_nPageWidth, doc.m_rcExtent.right);
    EXPECT_EQ(doc.m_nPageHeight, doc.m_rcExtent.bottom);
}
