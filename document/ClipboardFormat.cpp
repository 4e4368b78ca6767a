#include "document/ClipboardFormat.h"

#include "document/FileReads.h"
#include "elements/BlockComment.h"
#include "elements/BlockObj.h"
#include "elements/BlockTypes.h"
#include "elements/ConnectLineObj.h"
#include "elements/ElementClasses.h"
#include "elements/PowerBus.h"

#include <cstring>
#include <memory>
#include <vector>

namespace clipformat {
namespace {

void WriteList(CArchive& ar, const CObList& list)
{
    ar.WriteCount(DWORD(list.GetCount()));
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ar.WriteObject(list.GetNext(pos));
}

template <class T>
void ReadList(CArchive& ar, const CRuntimeClass* pClass, DWORD_PTR limit, docfile::SeenObjects& seen,
              std::vector<std::unique_ptr<T>>& out)
{
    const DWORD_PTR count = docfile::ReadCheckedCount(ar, 2, limit);
    for (DWORD_PTR i = 0; i < count; ++i) {
        CObject* p = docfile::ReadOwnedObject(ar, pClass, seen);
        if (!p)
            AfxThrowArchiveException(CArchiveException::badClass);
        out.emplace_back(static_cast<T*>(p));
    }
}

// An element whose class is the one its type code is made of, with pins that fit the slots.
bool PlausibleElement(const CBlockObj& b)
{
    if (b.IsKindOf(RUNTIME_CLASS(CPowerBusObj)))
        return false;
    const BlockTypeInfo* info = FindBlockTypeInfo(b.m_nType);
    if (!info || !info->pszClass || std::strcmp(info->pszClass, b.GetRuntimeClass()->m_lpszClassName) != 0)
        return false;
    if (b.m_nInputs < 0 || b.m_nInputs > kFirstOutputPin || b.m_nOutputs < 0 || b.m_nOutputs > kFirstOutputPin)
        return false;
    if (b.m_nWidth < 0 || b.m_nHeight < 0 || b.m_nWidth > 10000 || b.m_nHeight > 10000)
        return false;
    return b.m_ptOrigin.x > -1000000 && b.m_ptOrigin.x < 1000000 && b.m_ptOrigin.y > -1000000 &&
           b.m_ptOrigin.y < 1000000;
}

bool PlausibleWire(const CConnectLineObj& w)
{
    auto pinOk = [](int pin) { return pin >= 0 && pin < kPinCount; };
    if (!pinOk(w.m_nStartPin) || !pinOk(w.m_nEndPin) || w.m_points.GetSize() > 4096)
        return false;
    for (INT_PTR i = 0; i < w.m_points.GetSize(); ++i)
        if (std::abs(w.m_points[i].x) > 1000000 || std::abs(w.m_points[i].y) > 1000000)
            return false;
    return true;
}

} // namespace

void WriteLists(CArchive& ar, const CObList& blocks, const CObList& wires, const CObList& comments)
{
    WriteList(ar, blocks);
    WriteList(ar, wires);
    WriteList(ar, comments);
}

BOOL ReadLists(CFile& file, CObList& blocks, CObList& wires, CObList& comments)
{
    RegisterElementClasses();
    std::vector<std::unique_ptr<CBlockObj>> b;
    std::vector<std::unique_ptr<CConnectLineObj>> w;
    std::vector<std::unique_ptr<CBlockComment>> c;
    docfile::SeenObjects seen;
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = nullptr;
        try {
            ReadList(ar, RUNTIME_CLASS(CBlockObj), kMaxElements, seen, b);
            ReadList(ar, RUNTIME_CLASS(CConnectLineObj), kMaxWires, seen, w);
            ReadList(ar, RUNTIME_CLASS(CBlockComment), kMaxComments, seen, c);
        } catch (...) {
            ar.Abort();
            throw;
        }
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    } catch (...) {
        return FALSE;
    }
    for (const auto& p : b)
        if (!PlausibleElement(*p))
            return FALSE;
    for (const auto& p : w)
        if (!PlausibleWire(*p))
            return FALSE;
    for (const auto& p : c)
        if (p->m_nWidth < 0 || p->m_nHeight < 0 || p->m_nWidth > 100000 || p->m_nHeight > 100000)
            return FALSE;
    for (auto& p : b)
        blocks.AddTail(p.release());
    for (auto& p : w)
        wires.AddTail(p.release());
    for (auto& p : c)
        comments.AddTail(p.release());
    return TRUE;
}

} // namespace clipformat
