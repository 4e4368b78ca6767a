// Checked reads shared by the program file's parts: counts bounded by what is left to read, and
// objects that each list may take only once.
#pragma once

#include "platform/base/Afx.h"

#include <memory>
#include <unordered_set>
#include <vector>

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

// The objects one load has taken from its archive so far. A tag that names one of them again
// would put one object in two places, to be deleted twice. Objects that were read but have no
// place in the document (the spare field entries of old message texts) are kept here until the
// load ends: the archive's object table still names them, so a later tag may refer back to
// them, and a freed one's address could come back as a new object's.
class SeenObjects {
public:
    // FALSE when the object was taken before.
    bool Insert(const CObject* pObject) { return m_seen.insert(pObject).second; }
    // Deletes the object when this record goes, at the end of the load.
    void KeepUntilLoadEnds(CObject* pObject) { m_unplaced.emplace_back(pObject); }

private:
    std::unordered_set<const CObject*> m_seen;
    std::vector<std::unique_ptr<CObject>> m_unplaced;
};

inline CObject* ReadOwnedObject(CArchive& ar, const CRuntimeClass* pClass, SeenObjects& seen)
{
    CObject* pObject = ar.ReadObject(pClass);
    if (pObject != nullptr && !seen.Insert(pObject))
        AfxThrowArchiveException(CArchiveException::badIndex);
    return pObject;
}

} // namespace docfile
