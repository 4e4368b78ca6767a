// CObject, the common base of the editor's serializable and dynamically creatable classes, and
// CRuntimeClass, the per-class record behind IsKindOf, creation by name and the archive's class
// tags.
//
// A class takes part by putting one macro pair around its definition:
//
//     class CBlockIn : public CBlockObj {            // CBlockIn.h
//         DECLARE_SERIAL(CBlockIn)
//         ...
//     };
//     IMPLEMENT_SERIAL(CBlockIn, CBlockObj, VERSIONABLE_SCHEMA | 1)   // CBlockIn.cpp
//
// DECLARE_DYNAMIC/IMPLEMENT_DYNAMIC give IsKindOf only; DECLARE_DYNCREATE/IMPLEMENT_DYNCREATE add
// creation by class record (default constructor); DECLARE_SERIAL/IMPLEMENT_SERIAL add a schema,
// so that the archive can store and load the class, and `ar >> pX` for a pointer to the class.
// The macros leave the class body in its public section.
//
// Registry. Each class record registers itself by name while static objects are constructed.
// The record is defined by the IMPLEMENT_ macro in the .cpp that also holds the class's
// GetRuntimeClass, the first virtual function of the class, so that translation unit is linked
// whenever the class is constructed anywhere. A class that is only ever created by name (for
// example only read from files) and lives in a static library must still be referenced by the
// program — name RUNTIME_CLASS(X) in code that is linked, or call AfxRegisterClass(RUNTIME_CLASS(X))
// at start-up — otherwise the linker drops its object file and CRuntimeClass::FromName cannot
// find it.
#pragma once

#include "platform/base/WinTypes.h"

#include <type_traits>

class CObject;
class CArchive;

// Marks a schema as versionable: loading accepts other schemas of the class and hands them to
// the object through CArchive::GetObjectSchema. The flag lives only in memory; files carry the
// 16-bit schema number.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct CRuntimeClass {
    using CreateFn = CObject* (*)();

    // Registers the record (see the header comment).
    CRuntimeClass(LPCSTR className, int objectSize, UINT schema, CreateFn create,
                  CRuntimeClass* baseClass);
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    // A new object of the class, or null when the class cannot be created (DECLARE_DYNAMIC only,
    // or abstract).
    CObject* CreateObject() const;
    // TRUE when this class is baseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* baseClass) const;

    // The registered class with this name, or null.
    static CRuntimeClass* FromName(LPCSTR className);
    static CRuntimeClass* FromName(LPCWSTR className);
    // A new object of the named class, or null when there is none or it cannot be created.
    static CObject* CreateObject(LPCSTR className);
    static CObject* CreateObject(LPCWSTR className);

    // Archive form of a class reference: word schema, word name length, the name's bytes.
    void Store(CArchive& ar) const;
    // Reads that form and finds the class. Null when the name is unknown or too long (63
    // characters at most); the schema read is returned in *schema.
    static CRuntimeClass* Load(CArchive& ar, UINT* schema);

    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    CreateFn m_pfnCreateObject;
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass = nullptr;  // registry chain
};

// Adds a class record to the registry (no effect when it is there already). Class records
// register themselves; this is for forcing a class of a static library into the program.
void AfxRegisterClass(CRuntimeClass* runtimeClass);

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(void* dumpContext) const {}

    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    // Copying is left to the derived classes; protected so that nothing slices through a base.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// The class records' GetRuntimeClass may or may not carry `override`, matching either style of
// the class around it; clang's consistency warning is silenced for this one declaration.
#if defined(__clang__)
#define TVX_RTC_DECL_BEGIN_ \
    _Pragma("clang diagnostic push") \
    _Pragma("clang diagnostic ignored \"-Winconsistent-missing-override\"")
#define TVX_RTC_DECL_END_ _Pragma("clang diagnostic pop")
#else
#define TVX_RTC_DECL_BEGIN_
#define TVX_RTC_DECL_END_
#endif

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    TVX_RTC_DECL_BEGIN_ \
    virtual CRuntimeClass* GetRuntimeClass() const; \
    TVX_RTC_DECL_END_

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject(); \
    template <typename TvxT_> \
    static CObject* TvxNewInstance_() \
    { \
        if constexpr (std::is_abstract_v<TvxT_>) \
            return nullptr; \
        else \
            return new TvxT_; \
    }

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define TVX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, create) \
    CRuntimeClass class_name::class##class_name(#class_name, int(sizeof(class_name)), \
                                                UINT(schema), create, \
                                                RUNTIME_CLASS(base_class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    TVX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return TvxNewInstance_<class_name>(); } \
    TVX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema) \
    CObject* class_name::CreateObject() { return TvxNewInstance_<class_name>(); } \
    TVX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, class_name::CreateObject) \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); \
        return ar; \
    }
