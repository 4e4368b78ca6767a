// The menu tracker: a modal loop that runs while a popup menu or the menu bar is open.
#pragma once

#include "platform/ui/framework/MenuTypes.h"

#include <string>
#include <vector>

namespace ui {

HFONT MenuFont();
SIZE MeasureMenuText(HDC dc, const std::wstring& text);
// Item rectangles of a menu bar window (client coordinates); -1 when no item is at the point.
RECT BarItemRect(HWND bar, int index);
int BarItemAt(HWND bar, POINT client);

class MenuTracker {
public:
    MenuTracker(HWND owner, UINT flags);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    static MenuTracker* Active();

    // Tracks the menu bar of a frame (bar window, menu); the bar item `index` is selected,
    // its popup opened when `open`.
    void AttachBar(HWND bar, HMENU menu) { m_bar = bar, m_barMenu = menu; }
    void OpenBarItem(int index, bool openPopup, bool selectFirst);
    void OpenLevel(HMENU menu, POINT at, const RECT* exclude, bool fromBar);
    // Runs the loop; the chosen command, 0 for none.
    UINT Run();
    void Cancel() { m_cancel = true; }
    HWND ResultSystemWindow() const { return m_resultSystem; }
    int BarSelection() const { return m_barSel; }
    bool BarPopupOpen() const { return m_barPopupOpen; }

    void PaintPopup(HWND wnd, HDC dc);

private:
    struct Level {
        HMENU menu = nullptr;
        HWND wnd = nullptr;
        int sel = -1;
        std::vector<RECT> rects;
        SIZE size{0, 0};
    };
    void MeasureLevel(Level& lv);
    void PaintLevel(Level& lv, HDC dc);
    void CloseLevels(size_t keep);
    void Select(size_t level, int sel);
    void OpenSelectedSubmenu(size_t level, bool selectFirst);
    void MoveSelection(int dir);
    void MoveBar(int dir);
    void Choose(size_t level);
    void OnKey(const MSG& msg);
    void OnMouse(const MSG& msg);
    int FindMnemonic(HMENU menu, wchar_t upper, int after) const;
    bool HitLevel(POINT screen, size_t* level, int* item) const;
    int HitBar(POINT screen) const;

    HWND m_owner;
    UINT m_flags;
    HWND m_bar = nullptr;
    HMENU m_barMenu = nullptr;
    int m_barSel = -1;
    bool m_barPopupOpen = false;
    bool m_keyboard = false;
    std::vector<Level> m_levels;
    bool m_done = false;
    bool m_cancel = false;
    UINT m_result = 0;
    HWND m_resultSystem = nullptr;
};

}  // namespace ui

namespace ui {
// Opens the menu bar of `frame` at item `index` and tracks it until it closes.
void TrackMenuBar(HWND frame, int index, bool openPopup, bool keyboard);
// The keyboard ways into the menu bar (Alt alone, F10, Alt+mnemonic); true when the message
// opened the menu.
bool MenuBarKey(HWND frame, const MSG* msg);
}  // namespace ui
