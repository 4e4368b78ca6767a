// The explicit element class list holds every class this folder defines, and every class the
// type table's rows create.
#include "elements/BlockTypes.h"
#include "elements/ElementClasses.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace {

std::set<std::string> ListedClassNames()
{
    int count = 0;
    CRuntimeClass* const* classes = GetElementClasses(&count);
    std::set<std::string> names;
    for (int i = 0; i < count; ++i)
        names.insert(classes[i]->m_lpszClassName);
    EXPECT_EQ(names.size(), size_t(count)) << "a class is listed twice";
    return names;
}

} // namespace

TEST(ElementClasses, ListHoldsEveryClassTheFolderDefines)
{
    const std::regex implement(R"(IMPLEMENT_(SERIAL|DYNCREATE|DYNAMIC)\(\s*(\w+))");
    std::set<std::string> defined;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TAVIX_SOURCE_DIR) + "/elements")) {
        if (entry.path().extension() != ".cpp")
            continue;
        std::ifstream in(entry.path());
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (std::sregex_iterator it(text.begin(), text.end(), implement), end; it != end; ++it)
            defined.insert((*it)[2]);
    }
    ASSERT_GE(defined.size(), 116u);
    EXPECT_EQ(ListedClassNames(), defined);
}

TEST(ElementClasses, EveryTypeTableClassIsListed)
{
    const std::set<std::string> listed = ListedClassNames();
    const BlockTypeInfo* rows = GetBlockTypeTable();
    for (int i = 0; i < kTypeRowCount; ++i) {
        if (rows[i].pszClass != nullptr) {
            EXPECT_EQ(listed.count(rows[i].pszClass), 1u) << rows[i].nType;
        }
    }
}
