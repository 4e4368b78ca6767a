#include "document/ClassTest.h"

#include <cstring>

bool IsObjectOfClass(const CObject* pObject, const char* pszClassName)
{
    if (pObject == nullptr)
        return false;
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr;
         pClass = pClass->m_pBaseClass) {
        if (std::strcmp(pClass->m_lpszClassName, pszClassName) == 0)
            return true;
    }
    return false;
}

bool IsObjectExactlyOfClass(const CObject* pObject, const char* pszClassName)
{
    return pObject != nullptr &&
           std::strcmp(pObject->GetRuntimeClass()->m_lpszClassName, pszClassName) == 0;
}
