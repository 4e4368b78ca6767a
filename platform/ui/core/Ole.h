// Data transfer in the shapes of the OLE classes the editor uses: a data source that caches
// global-memory blocks by format and puts them on the clipboard or drags them, a data object
// that reads them (from the clipboard or from a drag), drop targets registered on windows, a
// modal drag loop, and CSharedFile, a memory file whose content ends up in a global block.
#pragma once

#include "platform/base/File.h"
#include "platform/ui/core/Clipboard.h"
#include "platform/ui/core/Wnd.h"

#include <map>
#include <memory>

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;

// Nothing to set up on this platform; kept for the callers' start-up and shut-down code.
BOOL AfxOleInit();
HRESULT OleInitialize(LPVOID reserved);
void OleUninitialize();

class COleDataSource;

// The formats and blocks of one transfer, shared by a source and the data objects reading it.
struct OleDataCache {
    std::map<CLIPFORMAT, HGLOBAL> blocks;  // owned
    ~OleDataCache();
};

class COleDataSource {
public:
    COleDataSource();
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes ownership of hGlobal (a block of the same format cached before is freed).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    void Empty();
    // Places the cached formats on the clipboard. The clipboard takes over the caller's
    // reference: the object must come from new and is released here.
    void SetClipboard();
    // Runs the drag loop (see OleDoDragDrop) over the cached data. lpRectStartDrag (screen
    // coordinates): the drag starts only once the pointer leaves it; releasing the button
    // inside ends it with DROPEFFECT_NONE.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr);

    // Reference counting in the OLE style: a new object holds one reference.
    DWORD InternalAddRef() { return ++m_dwRef; }
    DWORD InternalRelease();
    const std::shared_ptr<OleDataCache>& Cache() const { return m_cache; }

private:
    std::shared_ptr<OleDataCache> m_cache;
    DWORD m_dwRef = 1;
};

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }

    // Reads the clipboard (its content at the time of the call).
    BOOL AttachClipboard();
    void Attach(std::shared_ptr<OleDataCache> cache);
    void Release();
    BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
    // A copy of the data in a new block the caller frees with GlobalFree; null when absent.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;
    // A file over a copy of the data, positioned at its start; the caller deletes it. Null
    // when absent.
    CFile* GetFileData(CLIPFORMAT cfFormat) const;
    // Formats present, for enumeration.
    std::vector<CLIPFORMAT> GetFormats() const;

private:
    std::shared_ptr<OleDataCache> m_cache;
};

// Receives drags over a window it is registered on (and the window's children that have no
// target of their own).
class COleDropTarget {
public:
    COleDropTarget() = default;
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    BOOL Register(CWnd* pWnd);
    void Revoke();
    CWnd* GetRegisteredWindow() const { return m_pWnd; }

    // point: client coordinates of the registered window; dwKeyState: MK_ flags.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The target registered on hwnd or its nearest ancestor; null for none.
    static COleDropTarget* FindTarget(HWND hwnd);

private:
    CWnd* m_pWnd = nullptr;
    HWND m_hWnd = nullptr;
};

// The drag loop: follows the pointer (with the capture) over the windows, tells the targets
// it meets, and drops on button release. Ctrl held asks for a copy, else a move when allowed.
// Escape or losing the capture cancels. Returns the effect the target performed.
DROPEFFECT OleDoDragDrop(std::shared_ptr<OleDataCache> cache, DWORD dwEffects, LPCRECT lpRectStartDrag);

HRESULT OleFlushClipboard();
HRESULT OleIsCurrentClipboard(COleDataSource* pSource);

// A memory file whose content can be taken as a global block (Detach) or read from one
// (SetHandle).
class CSharedFile : public CMemFile {
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The content as a new block; the file is empty afterwards.
    HGLOBAL Detach();
    // Replaces the content with a copy of the block's bytes (the caller keeps the block).
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

private:
    UINT m_nAllocFlags;
};
