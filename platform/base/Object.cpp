#include "platform/base/Object.h"

#include "platform/base/Archive.h"
#include "platform/base/Exceptions.h"

#include <cstring>
#include <string>

namespace {

// Head of the registry chain. A plain pointer is constant-initialised, so records that register
// during static construction in any order find it ready.
CRuntimeClass* g_firstClass = nullptr;

// Longest class name a file may carry: the name must fit a 64-byte buffer with its terminator.
constexpr WORD kMaxClassNameLength = 63;

}  // namespace

CRuntimeClass::CRuntimeClass(LPCSTR className, int objectSize, UINT schema, CreateFn create,
                             CRuntimeClass* baseClass)
    : m_lpszClassName(className),
      m_nObjectSize(objectSize),
      m_wSchema(schema),
      m_pfnCreateObject(create),
      m_pBaseClass(baseClass)
{
    AfxRegisterClass(this);
}

void AfxRegisterClass(CRuntimeClass* runtimeClass)
{
    if (runtimeClass == nullptr)
        return;
    for (CRuntimeClass* c = g_firstClass; c != nullptr; c = c->m_pNextClass) {
        if (c == runtimeClass)
            return;
    }
    runtimeClass->m_pNextClass = g_firstClass;
    g_firstClass = runtimeClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == baseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR className)
{
    if (className == nullptr)
        return nullptr;
    // The chain holds the most recently registered class first; the first registration of a
    // name wins, so walk to the end and keep the last match.
    CRuntimeClass* found = nullptr;
    for (CRuntimeClass* c = g_firstClass; c != nullptr; c = c->m_pNextClass) {
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            found = c;
    }
    return found;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR className)
{
    if (className == nullptr)
        return nullptr;
    // Class names are ASCII; a name with any other character matches nothing.
    std::string narrow;
    for (const wchar_t* p = className; *p != 0; ++p) {
        if (*p < 1 || *p > 0x7F)
            return nullptr;
        narrow += char(*p);
    }
    return FromName(narrow.c_str());
}

CObject* CRuntimeClass::CreateObject(LPCSTR className)
{
    CRuntimeClass* c = FromName(className);
    return c != nullptr ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR className)
{
    CRuntimeClass* c = FromName(className);
    return c != nullptr ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD length = WORD(std::strlen(m_lpszClassName));
    ar << WORD(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* schema)
{
    WORD fileSchema = 0;
    WORD length = 0;
    ar >> fileSchema >> length;
    if (schema != nullptr)
        *schema = fileSchema;
    if (length > kMaxClassNameLength)
        return nullptr;
    char name[kMaxClassNameLength + 1] = {};
    ar.Read(name, length);
    // A name with an embedded null byte is not a name any class has.
    if (std::strlen(name) != length)
        return nullptr;
    return FromName(name);
}

CRuntimeClass CObject::classCObject("CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}
