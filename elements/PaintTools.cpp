// The pens, brushes and fonts the painters keep, and the painters' font.
#include "elements/PaintTools.h"

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

}  // namespace

CPen* KeptPen(int style, int width, COLORREF colour)
{
    static auto* store = new Store<std::tuple<int, int, COLORREF>, CPen>;
    return store->Get(std::make_tuple(style, width, colour),
                      [&](CPen* pPen) { return pPen->CreatePen(style, width, colour) != FALSE; });
}

CBrush* KeptBrush(COLORREF colour)
{
    static auto* store = new Store<COLORREF, CBrush>;
    return store->Get(colour, [&](CBrush* pBrush) { return pBrush->CreateSolidBrush(colour) != FALSE; });
}

CFont* KeptFont(int height, int width, const wchar_t* face, FontKind kind, int weight)
{
    static auto* store = new Store<std::tuple<int, int, std::wstring, int, int>, CFont>;
    return store->Get(std::make_tuple(height, width, std::wstring(face ? face : L""), int(kind), weight),
                      [&](CFont* pFont) {
                          MakeFont(pFont, height, width, face, kind, weight);
                          return pFont->GetSafeHandle() != nullptr;
                      });
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
