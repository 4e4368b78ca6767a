#include "base_archive_support.h"

#include <cctype>
#include <cstdio>
#include <set>

Bytes Hex(const char* text)
{
    Bytes out;
    int high = -1;
    for (const char* p = text; *p != 0; ++p) {
        if (std::isspace(static_cast<unsigned char>(*p)))
            continue;
        const int v = std::isdigit(static_cast<unsigned char>(*p)) ? *p - '0'
                                                                   : std::tolower(*p) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(BYTE(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

std::string ToHex(const Bytes& bytes)
{
    std::string out;
    char buf[4];
    for (BYTE b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes StoreBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), UINT(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    load(ar);
    ar.Close();
}

namespace {

// Adds the object and everything it refers to through CArcLink records.
void Collect(CObject* o, std::set<CObject*>& seen)
{
    while (o != nullptr && seen.insert(o).second) {
        auto* link = dynamic_cast<CArcLink*>(o);
        o = link != nullptr ? link->m_pOther : nullptr;
    }
}

}  // namespace

void DeleteAll(CObList& list)
{
    std::set<CObject*> seen;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        Collect(list.GetNext(pos), seen);
    for (CObject* o : seen)
        delete o;
    list.RemoveAll();
}

void DeleteAll(CObArray& array)
{
    std::set<CObject*> seen;
    for (int i = 0; i < array.GetSize(); ++i)
        Collect(array[i], seen);
    for (CObject* o : seen)
        delete o;
    array.RemoveAll();
}

IMPLEMENT_SERIAL(CArcItem, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CArcItemEx, CArcItem, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CArcFixed, CObject, 0)
IMPLEMENT_SERIAL(CArcLink, CObject, 0)
IMPLEMENT_SERIAL(CBlockComment, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CArcAbstract, CObject, 0)
IMPLEMENT_DYNCREATE(CArcDynamic, CObject)

void CArcItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nNumber << m_strText;
        return;
    }
    ar >> m_nNumber;
    m_nSchemaRead = ar.GetObjectSchema();
    if (m_nSchemaRead >= 1)
        ar >> m_strText;
}

void CArcItemEx::Serialize(CArchive& ar)
{
    CArcItem::Serialize(ar);
    if (ar.IsStoring())
        ar << m_wExtra;
    else
        ar >> m_wExtra;
}

void CArcFixed::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_wValue;
    else
        ar >> m_wValue;
}

void CArcLink::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nId << m_pOther;
    else
        ar >> m_nId >> m_pOther;
}

void CBlockComment::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nLines;
    else
        ar >> m_nLines;
}
