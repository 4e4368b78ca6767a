// Data sources and data objects over cached global blocks, and CSharedFile.
#include "platform/ui/core/Ole.h"

#include <cstdlib>
#include <cstring>

BOOL AfxOleInit() { return TRUE; }
HRESULT OleInitialize(LPVOID) { return S_OK; }
void OleUninitialize() {}

OleDataCache::~OleDataCache()
{
    for (auto& kv : blocks)
        GlobalFree(kv.second);
}

// ---- source ----

COleDataSource::COleDataSource() : m_cache(std::make_shared<OleDataCache>()) {}

COleDataSource::~COleDataSource() = default;

DWORD COleDataSource::InternalRelease()
{
    if (m_dwRef == 0)
        return 0;
    DWORD r = --m_dwRef;
    if (r == 0)
        delete this;
    return r;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    if (!cfFormat || !hGlobal)
        return;
    auto& blocks = m_cache->blocks;
    auto it = blocks.find(cfFormat);
    if (it != blocks.end() && it->second != hGlobal)
        GlobalFree(it->second);
    blocks[cfFormat] = hGlobal;
}

void COleDataSource::Empty()
{
    // Readers holding the old cache keep it; new data goes to a fresh one.
    m_cache = std::make_shared<OleDataCache>();
}

namespace {
DWORD g_lastSetSequence = 0;
}

void COleDataSource::SetClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        for (auto& kv : m_cache->blocks)
            if (HGLOBAL copy = GlobalDuplicate(kv.second))
                if (!::SetClipboardData(kv.first, copy))
                    GlobalFree(copy);
        ::CloseClipboard();
        g_lastSetSequence = ::GetClipboardSequenceNumber();
    }
    InternalRelease();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag)
{
    return OleDoDragDrop(m_cache, dwEffects, lpRectStartDrag);
}

HRESULT OleFlushClipboard() { return S_OK; }

HRESULT OleIsCurrentClipboard(COleDataSource* pSource)
{
    // The data was copied to the clipboard when it was set: the source is current while
    // nothing else has been placed there since.
    return pSource && g_lastSetSequence == ::GetClipboardSequenceNumber() ? S_OK : S_FALSE;
}

// ---- data object ----

BOOL COleDataObject::AttachClipboard()
{
    Release();
    if (!::OpenClipboard(nullptr))
        return FALSE;
    auto cache = std::make_shared<OleDataCache>();
    for (UINT f = ::EnumClipboardFormats(0); f; f = ::EnumClipboardFormats(f))
        if (HGLOBAL copy = GlobalDuplicate(static_cast<HGLOBAL>(::GetClipboardData(f))))
            cache->blocks[CLIPFORMAT(f)] = copy;
    ::CloseClipboard();
    m_cache = std::move(cache);
    return TRUE;
}

void COleDataObject::Attach(std::shared_ptr<OleDataCache> cache) { m_cache = std::move(cache); }

void COleDataObject::Release() { m_cache.reset(); }

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const
{
    return m_cache && m_cache->blocks.count(cfFormat) ? TRUE : FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) const
{
    if (!m_cache)
        return nullptr;
    auto it = m_cache->blocks.find(cfFormat);
    return it == m_cache->blocks.end() ? nullptr : GlobalDuplicate(it->second);
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat) const
{
    HGLOBAL h = GetGlobalData(cfFormat);
    if (!h)
        return nullptr;
    auto* file = new CSharedFile();
    file->SetHandle(h, FALSE);
    GlobalFree(h);
    return file;
}

std::vector<CLIPFORMAT> COleDataObject::GetFormats() const
{
    std::vector<CLIPFORMAT> out;
    if (m_cache)
        for (auto& kv : m_cache->blocks)
            out.push_back(kv.first);
    return out;
}

// ---- shared file ----

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes ? nGrowBytes : 4096), m_nAllocFlags(nAllocFlags) {}

CSharedFile::~CSharedFile() = default;

HGLOBAL CSharedFile::Detach()
{
    ULONGLONG len = GetLength();
    if (len > kGlobalMaxBytes)
        return nullptr;
    HGLOBAL h = GlobalAlloc(m_nAllocFlags, SIZE_T(len));
    if (!h)
        return nullptr;
    if (len)
        std::memcpy(GlobalLock(h), GetData(), SIZE_T(len));
    GlobalUnlock(h);
    BYTE* buffer = CMemFile::Detach();
    std::free(buffer);
    return h;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL)
{
    SetLength(0);
    SeekToBegin();
    SIZE_T n = GlobalSize(hGlobalMemory);
    if (const void* p = GlobalLock(hGlobalMemory)) {
        if (n)
            Write(p, UINT(n));
        GlobalUnlock(hGlobalMemory);
    }
    SeekToBegin();
}
