// Checked reads shared by the program file's parts: counts bounded by what is left to read, and
// objects that each list may take only once.
#pragma once

#include "platform/base/Afx.h"

#include <unordered_set>

namespace docfile {

// A count read from the file must stay below a limit and fit in what is left of the file at
// minBytes per entry, before anything is allocated for it.
inline DWORD_PTR ReadCheckedCount(CArchive& ar, UINT minBytes, DWORD_PTR limit)
{
    const DWORD_PTR count = ar.ReadCount();
    if (count > limit)
        AfxThrowArchiveException(CArchiveException::genericException);
    ar.EnsureAvailable(ULONGLONG(count) * minBytes);
    return count;
}

// Objects taken from one archive so far: a tag that names one of them again would put one
// object in two places, to be deleted twice.
using SeenObjects = std::unordered_set<const CObject*>;

inline CObject* ReadOwnedObject(CArchive& ar, const CRuntimeClass* pClass, SeenObjects& seen)
{
    CObject* pObject = ar.ReadObject(pClass);
    if (pObject != nullptr && !seen.insert(pObject).second)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return pObject;
}

} // namespace docfile
