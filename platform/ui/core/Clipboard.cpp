// Global memory blocks and the clipboard store.
#include "platform/ui/core/Clipboard.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

struct Block {
    std::vector<BYTE> bytes;
    int locks = 0;
};

std::mutex& GlobalMutex()
{
    static std::mutex m;
    return m;
}

std::set<Block*>& Live()
{
    static auto* s = new std::set<Block*>;
    return *s;
}

Block* Find(HGLOBAL h)
{
    auto* b = reinterpret_cast<Block*>(h);
    return b && Live().count(b) ? b : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    (void)flags;  // blocks are always zero-filled and movable in place of their handle
    if (bytes > kGlobalMaxBytes)
        return nullptr;
    auto* b = new (std::nothrow) Block;
    if (!b)
        return nullptr;
    try {
        b->bytes.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        delete b;
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Live().insert(b);
    return reinterpret_cast<HGLOBAL>(b);
}

HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT)
{
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Block* b = Find(h);
    if (!b || bytes > kGlobalMaxBytes)
        return nullptr;
    try {
        b->bytes.resize(bytes, 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return h;
}

LPVOID GlobalLock(HGLOBAL h)
{
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Block* b = Find(h);
    if (!b)
        return nullptr;
    ++b->locks;
    // A zero-byte block still gives a pointer that is not null.
    static BYTE empty[1];
    return b->bytes.empty() ? static_cast<LPVOID>(empty) : static_cast<LPVOID>(b->bytes.data());
}

BOOL GlobalUnlock(HGLOBAL h)
{
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Block* b = Find(h);
    if (!b || b->locks <= 0)
        return FALSE;
    return --b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL h)
{
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Block* b = Find(h);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL h)
{
    std::lock_guard<std::mutex> lock(GlobalMutex());
    Block* b = Find(h);
    if (!b)
        return h;
    Live().erase(b);
    delete b;
    return nullptr;
}

HGLOBAL GlobalDuplicate(HGLOBAL h)
{
    std::vector<BYTE> copy;
    {
        std::lock_guard<std::mutex> lock(GlobalMutex());
        Block* b = Find(h);
        if (!b)
            return nullptr;
        copy = b->bytes;
    }
    HGLOBAL d = GlobalAlloc(GMEM_MOVEABLE, copy.size());
    if (d && !copy.empty())
        std::memcpy(GlobalLock(d), copy.data(), copy.size());
    if (d)
        GlobalUnlock(d);
    return d;
}

// ---- clipboard ----

namespace {

struct ClipState {
    std::map<std::wstring, UINT> idsByName;  // lower-case name -> id
    std::map<UINT, std::wstring> names;      // id -> name as registered
    UINT nextId = 0xC000;
    std::map<UINT, HGLOBAL> data;            // owned handles, by format
    std::map<UINT, HGLOBAL> made;            // text formats made from another one on request
    bool open = false;
    bool changed = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    DWORD sequence = 1;
    ClipboardBridge bridge;
};

ClipState& Clip()
{
    static auto* s = new ClipState;
    return *s;
}

std::wstring Lower(const std::wstring& s)
{
    std::wstring r = s;
    for (wchar_t& c : r)
        c = wchar_t(std::towlower(c));
    return r;
}

void ForgetMade(ClipState& s)
{
    for (auto& kv : s.made)
        GlobalFree(kv.second);
    s.made.clear();
}

void ClearData(ClipState& s)
{
    for (auto& kv : s.data)
        GlobalFree(kv.second);
    s.data.clear();
    ForgetMade(s);
}

// ---- the text formats Win32 synthesises from one another ----

bool IsTextFormat(UINT f) { return f == CF_TEXT || f == CF_OEMTEXT || f == CF_UNICODETEXT; }

// The text format a missing one is made from: Unicode first, then the ANSI, then the OEM text.
UINT TextSource(const ClipState& s, UINT wanted)
{
    if (!IsTextFormat(wanted) || s.data.count(wanted))
        return 0;
    for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT})
        if (f != wanted && s.data.count(f))
            return f;
    return 0;
}

HGLOBAL BlockOf(const void* p, size_t bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (h && bytes)
        std::memcpy(GlobalLock(h), p, bytes);
    if (h)
        GlobalUnlock(h);
    return h;
}

// Converts the text of `from` into format `to`; null when it cannot be read.
HGLOBAL ConvertText(HGLOBAL from, UINT fromFormat, UINT to)
{
    SIZE_T size = GlobalSize(from);
    const auto* p = static_cast<const char*>(GlobalLock(from));
    if (!p)
        return nullptr;
    std::wstring wide;
    if (fromFormat == CF_UNICODETEXT) {
        // up to the terminating zero, never past the block
        const auto* w = reinterpret_cast<const wchar_t*>(p);
        size_t n = size / sizeof(wchar_t), len = 0;
        while (len < n && w[len])
            ++len;
        wide.assign(w, len);
    } else {
        size_t len = 0;
        while (len < size && p[len])
            ++len;
        UINT cp = fromFormat == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
        int n = len ? MultiByteToWideChar(cp, 0, p, int(len), nullptr, 0) : 0;
        wide.assign(size_t(std::max(0, n)), L'\0');
        if (n > 0)
            MultiByteToWideChar(cp, 0, p, int(len), wide.data(), n);
    }
    GlobalUnlock(from);
    if (to == CF_UNICODETEXT)
        return BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    UINT cp = to == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
    int n = wide.empty() ? 0 : WideCharToMultiByte(cp, 0, wide.c_str(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(std::max(0, n)), '\0');
    if (n > 0)
        WideCharToMultiByte(cp, 0, wide.c_str(), int(wide.size()), bytes.data(), n, nullptr, nullptr);
    return BlockOf(bytes.c_str(), bytes.size() + 1);
}

// Every format a reader may ask for: those placed, then the text formats made from them.
std::vector<UINT> Formats(const ClipState& s)
{
    std::vector<UINT> out;
    for (auto& kv : s.data)
        out.push_back(kv.first);
    for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT})
        if (TextSource(s, f))
            out.push_back(f);
    return out;
}

// Takes in what another program placed on the system clipboard.
void FetchFromSystem(ClipState& s)
{
    if (!s.bridge.fetch)
        return;
    std::vector<ClipboardItem> items;
    if (!s.bridge.fetch(items))
        return;
    ClearData(s);
    for (ClipboardItem& it : items) {
        UINT format = it.name.empty() ? it.format : RegisterClipboardFormatW(it.name.c_str());
        if (!format)
            continue;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, it.bytes.size());
        if (!h)
            continue;
        if (!it.bytes.empty())
            std::memcpy(GlobalLock(h), it.bytes.data(), it.bytes.size());
        GlobalUnlock(h);
        s.data[format] = h;
    }
    s.owner = nullptr;
    ++s.sequence;
}

}  // namespace

UINT RegisterClipboardFormatW(LPCWSTR name)
{
    if (!name || !*name)
        return 0;
    ClipState& s = Clip();
    std::wstring key = Lower(name);
    auto it = s.idsByName.find(key);
    if (it != s.idsByName.end())
        return it->second;
    if (s.nextId > 0xFFFF)
        return 0;
    UINT id = s.nextId++;
    s.idsByName[key] = id;
    s.names[id] = name;
    return id;
}

int GetClipboardFormatNameW(UINT format, LPWSTR buf, int max)
{
    auto it = Clip().names.find(format);
    if (it == Clip().names.end() || !buf || max <= 0)
        return 0;
    int n = std::min(int(it->second.size()), max - 1);
    std::copy_n(it->second.c_str(), n, buf);
    buf[n] = 0;
    return n;
}

BOOL OpenClipboard(HWND owner)
{
    ClipState& s = Clip();
    if (s.open)
        return FALSE;
    s.open = true;
    s.changed = false;
    s.opener = owner;
    FetchFromSystem(s);
    return TRUE;
}

BOOL CloseClipboard()
{
    ClipState& s = Clip();
    if (!s.open)
        return FALSE;
    s.open = false;
    if (s.changed && s.bridge.publish) {
        std::vector<ClipboardItem> items;
        for (auto& kv : s.data) {
            ClipboardItem it;
            it.format = kv.first;
            auto n = s.names.find(kv.first);
            if (n != s.names.end())
                it.name = n->second;
            SIZE_T size = GlobalSize(kv.second);
            const BYTE* p = static_cast<const BYTE*>(GlobalLock(kv.second));
            if (p)
                it.bytes.assign(p, p + size);
            GlobalUnlock(kv.second);
            items.push_back(std::move(it));
        }
        s.bridge.publish(items);
    }
    s.changed = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    ClipState& s = Clip();
    if (!s.open)
        return FALSE;
    ClearData(s);
    s.owner = s.opener;
    s.changed = true;
    ++s.sequence;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    ClipState& s = Clip();
    auto h = static_cast<HGLOBAL>(data);
    if (!s.open || !format || !Find(h))
        return nullptr;
    auto it = s.data.find(format);
    if (it != s.data.end() && it->second != h)
        GlobalFree(it->second);
    s.data[format] = h;
    ForgetMade(s);  // a text made from the old content is stale now
    s.changed = true;
    ++s.sequence;
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    ClipState& s = Clip();
    if (!s.open)
        return nullptr;
    auto it = s.data.find(format);
    if (it != s.data.end())
        return it->second;
    // a text format that was not placed is made from one that was, as Win32 does
    UINT from = TextSource(s, format);
    if (!from)
        return nullptr;
    auto made = s.made.find(format);
    if (made != s.made.end())
        return made->second;
    HGLOBAL h = ConvertText(s.data[from], from, format);
    if (h)
        s.made[format] = h;
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    ClipState& s = Clip();
    if (!s.open)
        FetchFromSystem(s);
    return s.data.count(format) || TextSource(s, format) ? TRUE : FALSE;
}

int CountClipboardFormats() { return int(Formats(Clip()).size()); }

UINT EnumClipboardFormats(UINT format)
{
    std::vector<UINT> all = Formats(Clip());
    auto it = format ? std::find(all.begin(), all.end(), format) : all.begin();
    if (format && it != all.end())
        ++it;
    return it == all.end() ? 0 : *it;
}

HWND GetClipboardOwner() { return ::IsWindow(Clip().owner) ? Clip().owner : nullptr; }
HWND GetOpenClipboardWindow() { return Clip().open ? Clip().opener : nullptr; }
DWORD GetClipboardSequenceNumber() { return Clip().sequence; }

void AfxSetClipboardBridge(ClipboardBridge bridge) { Clip().bridge = std::move(bridge); }
