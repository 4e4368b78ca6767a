// The pens, brushes and fonts the painters keep, and the painters' font.
#include "elements/PaintTools.h"

#include <cstdlib>
#include <cwchar>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

namespace paint {

namespace {

// Enough for every colour and width the painters use; a runaway caller (colours from data)
// gets objects of its own instead of growing the store.
constexpr size_t kMaxKept = 256;

template <class Key, class Object>
struct Store {
    std::mutex lock;
    // Never freed: selected objects must outlive every device context, to the program's end.
    std::map<Key, std::unique_ptr<Object>>* objects = new std::map<Key, std::unique_ptr<Object>>;

    template <class Make>
    Object* Get(const Key& key, Make make)
    {
        std::lock_guard<std::mutex> guard(lock);
        auto it = objects->find(key);
        if (it != objects->end())
            return it->second.get();
        if (objects->size() >= kMaxKept)
            return nullptr;
        auto object = std::make_unique<Object>();
        if (!make(object.get()))
            return nullptr;
        return objects->emplace(key, std::move(object)).first->second.get();
    }
};

// The last objects a thread was given, looked at before the shared store: a repaint asks for
// the same few pens and fonts thousands of times, and the store's lock and search (and, for
// fonts, making the face name a string) cost more than the answer. Kept objects live to the
// program's end, so a remembered pointer stays good.
template <class Key, class Object, int N = 16>
struct Recent {
    Key keys[N]{};
    Object* objects[N]{};
    int next = 0;
    int hit = 0;  // the entry found last: a painter asks for one object several times in a row

    Object* Find(const Key& key)
    {
        if (objects[hit] && keys[hit] == key)
            return objects[hit];
        for (int i = 0; i < N; ++i)
            if (objects[i] && keys[i] == key) {
                hit = i;
                return objects[i];
            }
        return nullptr;
    }
    void Add(const Key& key, Object* pObject)
    {
        keys[next] = key;
        objects[next] = pObject;
        next = (next + 1) % N;
    }
};

struct FontKey {
    int height = 0, width = 0, kind = 0, weight = 0;
    wchar_t face[32] = {};
    bool operator==(const FontKey& o) const
    {
        return height == o.height && width == o.width && kind == o.kind && weight == o.weight &&
               std::wcscmp(face, o.face) == 0;
    }
};

}  // namespace

CPen* KeptPen(int style, int width, COLORREF colour)
{
    static auto* store = new Store<std::tuple<int, int, COLORREF>, CPen>;
    thread_local Recent<std::tuple<int, int, COLORREF>, CPen> recent;
    const auto key = std::make_tuple(style, width, colour);
    if (CPen* pPen = recent.Find(key))
        return pPen;
    CPen* pPen = store->Get(key, [&](CPen* p) { return p->CreatePen(style, width, colour) != FALSE; });
    if (pPen)
        recent.Add(key, pPen);
    return pPen;
}

CBrush* KeptBrush(COLORREF colour)
{
    static auto* store = new Store<COLORREF, CBrush>;
    thread_local Recent<COLORREF, CBrush> recent;
    if (CBrush* pBrush = recent.Find(colour))
        return pBrush;
    CBrush* pBrush = store->Get(colour, [&](CBrush* p) { return p->CreateSolidBrush(colour) != FALSE; });
    if (pBrush)
        recent.Add(colour, pBrush);
    return pBrush;
}

CFont* KeptFont(int height, int width, const wchar_t* face, FontKind kind, int weight)
{
    static auto* store = new Store<std::tuple<int, int, std::wstring, int, int>, CFont>;
    thread_local Recent<FontKey, CFont> recent;
    if (!face)
        face = L"";
    FontKey key;
    const bool shortFace = std::wcslen(face) < sizeof(key.face) / sizeof(key.face[0]);
    if (shortFace) {
        key.height = height;
        key.width = width;
        key.kind = int(kind);
        key.weight = weight;
        std::wcscpy(key.face, face);
        if (CFont* pFont = recent.Find(key))
            return pFont;
    }
    CFont* pFont = store->Get(std::make_tuple(height, width, std::wstring(face), int(kind), weight), [&](CFont* p) {
        MakeFont(p, height, width, face, kind, weight);
        return p->GetSafeHandle() != nullptr;
    });
    if (pFont && shortFace)
        recent.Add(key, pFont);
    return pFont;
}

namespace {

thread_local const ClipBoxScope* t_pClipScope = nullptr;

}  // namespace

ClipBoxScope::ClipBoxScope(CDC* pDC) : m_pDC(pDC), m_pOuter(t_pClipScope)
{
    CRect box;
    const int kind = pDC->GetClipBox(&box);
    if (kind == ERROR) {
        m_pDC = nullptr;  // the context answers for itself
    } else if (kind == NULLREGION) {
        m_empty = true;
    } else {
        // Two device pixels and a unit of rounding, in logical units at the context's mapping.
        CSize margin(4, 4);
        pDC->DPtoLP(&margin);
        box.InflateRect(std::abs(margin.cx) + 2, std::abs(margin.cy) + 2);
        m_box = box;
    }
    t_pClipScope = this;
}

ClipBoxScope::~ClipBoxScope()
{
    t_pClipScope = m_pOuter;
}

const ClipBoxScope* ClipBoxScope::For(const CDC* pDC)
{
    for (const ClipBoxScope* p = t_pClipScope; p; p = p->m_pOuter)
        if (p->m_pDC == pDC)
            return p;
    return nullptr;
}

bool IsRectOutsideClip(CDC* pDC, const RECT& rect)
{
    if (const ClipBoxScope* pScope = ClipBoxScope::For(pDC))
        return pScope->Misses(rect);
    return !pDC->RectVisible(&rect);
}

void MakeFont(CFont* pFont, int height, int width, const wchar_t* face, FontKind kind, int weight)
{
    if (kind == FontKind::Fixed)
        pFont->CreateFont(height, width, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH,
                          face);
    else
        pFont->CreateFont(height, width, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, face);
}

}  // namespace paint
