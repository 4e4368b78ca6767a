// Text and field drag data that another program offers the message-text grid. The first byte
// picks what the rest is: cell text pasted at a cell chosen by the second byte (after which no
// double-width character may be cut and no mark may stand alone), or a "Widget" drag block.
#include "controls/GridClipText.h"
#include "controls/GridCtrl.h"
#include "platform/host/HeadlessHost.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

class CFuzzOwner : public CGridFieldOwner {
public:
    int GetMachineType() const override { return 0x51; }
    int GetAcceptedCharClass() const override { return 1; }
    int GetCharClass(wchar_t ch) const override
    {
        const unsigned c = unsigned(ch);
        return (c >= 0x4E00 && c <= 0x9FA5) ? 1 : (c >= 0xA0 && c <= 0x17F) ? 2 : 0;
    }
};

struct Fixture {
    CHeadlessDriver drv;
    CWnd host;
    CGridCtrl grid;
    CFuzzOwner owner;
    Fixture()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 540, 180), nullptr, 0);
        grid.Create(CRect(0, 0, 504, 144), &host, 1123, WS_CHILD | WS_VISIBLE);
        grid.SetFieldOwner(&owner);
        grid.SetRowCount(5);
        grid.SetColumnCount(25);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
    }
};

// A wide character always fills two neighbouring cells of one row.
void CheckPairs(CGridCtrl& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            const UINT state = grid.GetItemState(row, col);
            if ((state & GRIDSTATE_LEFTHALF) && (state & GRIDSTATE_RIGHTHALF))
                std::abort();
            if ((state & GRIDSTATE_LEFTHALF) && !(grid.GetItemState(row, col + 1) & GRIDSTATE_RIGHTHALF))
                std::abort();
            if ((state & GRIDSTATE_RIGHTHALF) && (col == 0 || !(grid.GetItemState(row, col - 1) & GRIDSTATE_LEFTHALF)))
                std::abort();
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static Fixture* f = new Fixture;
    const std::uint8_t mode = data[0];
    const std::uint8_t at = data[1];
    data += 2;
    size -= 2;

    if (mode & 1) {
        // A drag block of any size under the "Widget" format.
        auto cache = std::make_shared<OleDataCache>();
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
        if (!h)
            return 0;
        if (size)
            std::memcpy(GlobalLock(h), data, size);
        GlobalUnlock(h);
        cache->blocks[CGridCtrl::FieldDragFormat()] = h;
        COleDataObject object;
        object.Attach(cache);
        CPoint grab;
        COLORREF color = 0;
        CGridCtrl::ReadFieldDragData(&object, &grab, &color);
        return 0;
    }

    // Text: 16-bit units widened to characters (any value, unpaired surrogates included).
    std::vector<wchar_t> text(size / 2);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = wchar_t(data[2 * i] | data[2 * i + 1] << 8);
    ParseGridClipText(text.data(), text.size());

    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!h)
        return 0;
    auto* p = static_cast<wchar_t*>(GlobalLock(h));
    if (!text.empty())
        std::memcpy(p, text.data(), text.size() * sizeof(wchar_t));
    p[text.size()] = 0;
    GlobalUnlock(h);
    auto cache = std::make_shared<OleDataCache>();
    cache->blocks[CF_UNICODETEXT] = h;
    COleDataObject object;
    object.Attach(cache);
    f->grid.PasteTextToGrid(CCellID(1 + at % 4, 1 + (at / 4) % 24), &object, (mode & 2) != 0);
    CheckPairs(f->grid);
    if (mode & 4) {
        for (int row = 1; row < 5; ++row)
            for (int col = 1; col < 25; ++col) {
                f->grid.SetItemText(row, col, L"");
                f->grid.SetItemState(row, col, 0);
            }
    }
    return 0;
}
