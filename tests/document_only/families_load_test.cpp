// This program names no element class: the document alone must bring every class it loads.
#include "document/TavixDoc.h"
#include "tests/document/ByteDiff.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(DocumentOnly, LoadsEveryElementFamilyAndSavesItBack)
{
    const std::string fixture = std::string(TAVIX_SOURCE_DIR) + "/tests/fixtures/program_families.yld";
    CTavixDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(FromUtf8(fixture))) << doc.GetLastError().GetString();

    // One element of each of the 118 type codes (110 classes), and the power bus,
    // the wire and the comment.
    std::set<std::string> classes;
    for (POSITION pos = doc.m_blocks.GetHeadPosition(); pos != nullptr;)
        classes.insert(doc.m_blocks.GetNext(pos)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(doc.m_blocks.GetCount(), 118);
    EXPECT_EQ(classes.size(), 110u);
    EXPECT_EQ(doc.m_powerBus.GetCount(), 1);
    EXPECT_EQ(doc.m_wires.GetCount(), 1);
    EXPECT_EQ(doc.m_comments.GetCount(), 1);

    char folder[] = "/tmp/tavix-document-only.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string saved = std::string(folder) + "/families.yld";
    ASSERT_TRUE(doc.OnSaveDocument(FromUtf8(saved))) << doc.GetLastError().GetString();
    EXPECT_TRUE(SameBytes(ReadBytes(saved), ReadBytes(fixture)));
    std::remove(saved.c_str());
    rmdir(folder);
}
