// Loads arbitrary bytes as a list of objects of a few serializable classes. Any input must end
// in a clean load or a CException, without leaks, crashes or runaway allocation.
#include "platform/base/Afx.h"

#include <cstddef>
#include <cstdint>
#include <set>

namespace {

// Every fuzz object registers itself, so whatever a load leaves behind (complete, half-read or
// only referenced from another object) is deleted exactly once at the end.
std::set<CObject*>& LiveObjects()
{
    static std::set<CObject*> live;
    return live;
}

}  // namespace

class CFuzzItem : public CObject {
    DECLARE_SERIAL(CFuzzItem)
public:
    CFuzzItem() { LiveObjects().insert(this); }
    ~CFuzzItem() override { LiveObjects().erase(this); }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_nValue << m_strText << m_pOther;
            return;
        }
        ar >> m_nValue;
        if (ar.GetObjectSchema() >= 1)
            ar >> m_strText;
        ar >> m_pOther;
    }
    int m_nValue = 0;
    CString m_strText;
    CObject* m_pOther = nullptr;  // not owned
};
IMPLEMENT_SERIAL(CFuzzItem, CObject, VERSIONABLE_SCHEMA | 1)

class CFuzzShapes : public CObject {
    DECLARE_SERIAL(CFuzzShapes)
public:
    CFuzzShapes() { LiveObjects().insert(this); }
    ~CFuzzShapes() override { LiveObjects().erase(this); }
    void Serialize(CArchive& ar) override
    {
        BYTE marker[4] = {};
        if (ar.IsStoring())
            ar.Write(marker, sizeof marker);
        else
            ar.Read(marker, sizeof marker);
        m_points.Serialize(ar);
        m_bytes.Serialize(ar);
        m_values.Serialize(ar);
        m_names.Serialize(ar);
        m_comments.Serialize(ar);
        m_children.Serialize(ar);  // objects, not owned
    }
    CArray<CPoint, CPoint> m_points;
    CByteArray m_bytes;
    CArray<double, double> m_values;
    CStringArray m_names;
    CMap<int, int, CString, LPCTSTR> m_comments;
    CObArray m_children;
};
IMPLEMENT_SERIAL(CFuzzShapes, CObject, 0)

class CFuzzDerived : public CFuzzItem {
    DECLARE_SERIAL(CFuzzDerived)
public:
    void Serialize(CArchive& ar) override
    {
        CFuzzItem::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_wFlags;
        } else {
            ar >> m_wFlags;
        }
    }
    WORD m_wFlags = 0;
};
IMPLEMENT_SERIAL(CFuzzDerived, CFuzzItem, VERSIONABLE_SCHEMA | 2)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), UINT(size));
    {
        CArchive ar(&file, CArchive::load);
        CObList list;
        try {
            list.Serialize(ar);
            // Whatever loaded must store again.
            CMemFile out;
            CArchive store(&out, CArchive::store);
            list.Serialize(store);
            store.Close();
        } catch (CException* e) {
            e->Delete();
        }
        ar.Abort();
    }
    while (!LiveObjects().empty())
        delete *LiveObjects().begin();
    return 0;
}
