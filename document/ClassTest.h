// Class tests by runtime class name, so the document can ask "is this a CBlockTime?" of any
// element without including every family's header.
#pragma once

#include "platform/base/Afx.h"

// TRUE when pObject's class or one of its base classes is named pszClassName.
bool IsObjectOfClass(const CObject* pObject, const char* pszClassName);
// TRUE when pObject's own class (not a base class) is named pszClassName.
bool IsObjectExactlyOfClass(const CObject* pObject, const char* pszClassName);
