// Storing and loading 10 000 small serializable objects through a memory file.
#include "platform/base/Afx.h"

#include <benchmark/benchmark.h>

class CBenchItem : public CObject {
    DECLARE_SERIAL(CBenchItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_nType;
            ar.Write(&m_ptOrigin, sizeof m_ptOrigin);
            ar << m_nWidth << m_nHeight << m_wFlag << m_strName << m_dValue;
        } else {
            ar >> m_nType;
            ar.Read(&m_ptOrigin, sizeof m_ptOrigin);
            ar >> m_nWidth >> m_nHeight >> m_wFlag >> m_strName >> m_dValue;
        }
    }
    int m_nType = 0;
    CPoint m_ptOrigin;
    int m_nWidth = 25;
    int m_nHeight = 40;
    WORD m_wFlag = 1;
    CString m_strName;
    double m_dValue = 0.5;
};
IMPLEMENT_SERIAL(CBenchItem, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kObjects = 10000;

void Fill(CObList& list)
{
    for (int i = 0; i < kObjects; ++i) {
        auto* item = new CBenchItem;
        item->m_nType = i % 900;
        item->m_ptOrigin = CPoint(i, -i);
        item->m_strName = L"B123";
        list.AddTail(item);
    }
}

void Clear(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

void BM_StoreObjects(benchmark::State& state)
{
    CObList list;
    Fill(list);
    for (auto _ : state) {
        CMemFile file(1 << 20);
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Close();
        benchmark::DoNotOptimize(file.GetLength());
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
    Clear(list);
}
BENCHMARK(BM_StoreObjects);

void BM_LoadObjects(benchmark::State& state)
{
    CObList list;
    Fill(list);
    CMemFile file(1 << 20);
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
    }
    Clear(list);
    for (auto _ : state) {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CObList loaded;
        loaded.Serialize(ar);
        benchmark::DoNotOptimize(loaded.GetCount());
        Clear(loaded);
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_LoadObjects);

}  // namespace
