// Class records: the registry, creation by name and the class hierarchy.
#include "tests/platform/base_archive_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(RuntimeClass, RegistryFindsAndCreatesByName)
{
    struct Case {
        const char* name;
        bool found;
        bool creatable;
    } cases[] = {
        {"CArcItem", true, true},
        {"CArcItemEx", true, true},
        {"CObList", true, false},     // collections: registered, not created by name
        {"CByteArray", true, false},
        {"CArcAbstract", true, false},  // has a schema, but is abstract
        {"CArcDynamic", true, true},
        {"CPtrList", true, false},    // DECLARE_DYNAMIC only
        {"CObject", true, false},
        {"CNoSuchClass", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRuntimeClass* rc = CRuntimeClass::FromName(c.name);
        EXPECT_EQ(rc != nullptr, c.found);
        std::unique_ptr<CObject> created(CRuntimeClass::CreateObject(c.name));
        EXPECT_EQ(created != nullptr, c.creatable);
        if (created) {
            EXPECT_EQ(created->GetRuntimeClass(), rc);
        }
    }
    EXPECT_EQ(CRuntimeClass::FromName(L"CArcItem"), RUNTIME_CLASS(CArcItem));
    EXPECT_EQ(CRuntimeClass::FromName(L"CArc\x4E2D"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);

    // Registering again changes nothing.
    AfxRegisterClass(RUNTIME_CLASS(CArcItem));
    EXPECT_EQ(CRuntimeClass::FromName("CArcItem"), RUNTIME_CLASS(CArcItem));
}

TEST(RuntimeClass, HierarchyAndSchema)
{
    CArcItemEx derived;
    CArcFixed fixed;
    CArcDynamic dynamic;
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CArcItemEx)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CArcItem)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(derived.IsKindOf(RUNTIME_CLASS(CArcFixed)));
    EXPECT_FALSE(RUNTIME_CLASS(CArcItem)->IsDerivedFrom(RUNTIME_CLASS(CArcItemEx)));

    EXPECT_STREQ(RUNTIME_CLASS(CArcItemEx)->m_lpszClassName, "CArcItemEx");
    EXPECT_EQ(RUNTIME_CLASS(CArcItemEx)->m_pBaseClass, RUNTIME_CLASS(CArcItem));
    EXPECT_EQ(RUNTIME_CLASS(CArcItem)->m_wSchema, VERSIONABLE_SCHEMA | 1);
    EXPECT_EQ(RUNTIME_CLASS(CArcFixed)->m_wSchema, 0u);
    EXPECT_EQ(RUNTIME_CLASS(CArcFixed)->m_nObjectSize, int(sizeof(CArcFixed)));
    EXPECT_TRUE(derived.IsSerializable());
    EXPECT_TRUE(fixed.IsSerializable());
    EXPECT_FALSE(dynamic.IsSerializable());
}

}  // namespace
