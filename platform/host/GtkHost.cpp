// The GTK display host.
#include "platform/host/GtkHost.h"

#include "platform/host/SelectionGtk.h"
#include "platform/host/WindowImagesGtk.h"

#include "platform/base/CodePage.h"
#include "platform/gdi/detail/DcImpl.h"
#include "platform/ui/framework/App.h"
#include "platform/ui/framework/Frame.h"
#include "platform/ui/core/detail/WndData.h"

#include <cairo.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct CGtkHost::Window {
    CGtkHost* host = nullptr;
    HWND hwnd = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* area = nullptr;
    GtkIMContext* im = nullptr;
    bool popup = false;         // placed by us, outside the window manager's control
    bool framed = false;        // the window manager draws frame and caption
    bool lost = false;          // another program destroyed the display's window
    RECT shown{0, 0, 0, 0};     // the geometry the display last reported
    bool haveShown = false;
    bool mapped = false;        // the display has mapped the window (its map event came)
    RECT asked{0, 0, 0, 0};     // the geometry last requested, while its answer is awaited
    guint askTimer = 0;
    bool middlePasted = false;  // the middle button's press pasted PRIMARY: its release is not the program's
    bool drawn = false;         // the draw handler has run since the last present
    bool inKey = false;         // commits during a key press belong to that key
    bool composing = false;     // the input method shows a pre-edit text
    bool awaitsOwner = false;   // to be shown once the window it belongs to is on the screen
    std::u32string pending;     // committed while a key was filtered
    double scrollAccum = 0;
};

namespace {

using Win = CGtkHost::Window;

std::string Utf8(const std::wstring& w)
{
    std::string out;
    for (wchar_t c : w) {
        char buf[8];
        int n = g_unichar_to_utf8(gunichar(c), buf);
        out.append(buf, size_t(n));
    }
    return out;
}

POINT ScreenPoint(Win* w, double x, double y)
{
    RECT r{0, 0, 0, 0};
    GetWindowRect(w->hwnd, &r);
    return POINT{r.left + LONG(x), r.top + LONG(y)};
}

void Post(Win* w, ui::RawInput in)
{
    in.top = in.top ? in.top : w->hwnd;
    in.time = AfxGetHost()->NowMs();
    ui::PostInput(w->hwnd, in);
}

int ButtonOf(guint b) { return b == 3 ? 1 : b == 2 ? 2 : 0; }

// The modifier keys the window layer has been told are held. A release can go elsewhere: to a
// GTK dialog holding the keyboard while the program asks something, or to another program. The
// window layer would then keep Ctrl held until it is pressed again (letters acting as Ctrl
// shortcuts, Alt+letter menus dead), so every event that carries the keyboard's modifier state
// lets go of what the keyboard no longer holds.
struct HeldModifier {
    guint mask;
    UINT vk;
    bool down;
};
HeldModifier g_held[] = {{GDK_CONTROL_MASK, VK_CONTROL, false}, {GDK_SHIFT_MASK, VK_SHIFT, false},
                         {GDK_MOD1_MASK, VK_MENU, false}};

void NoteModifier(UINT vk, bool down)
{
    for (HeldModifier& m : g_held)
        if (m.vk == vk)
            m.down = down;
}

void FollowModifiers(Win* w, guint state)
{
    for (HeldModifier& m : g_held) {
        if (!m.down || (state & m.mask))
            continue;
        m.down = false;
        ui::RawInput in;
        in.kind = ui::RawInput::KeyUp;
        in.vk = m.vk;
        Post(w, in);
    }
}

// The modifiers held now, as the display last reported them.
guint KeyboardModifiers()
{
    GdkDisplay* display = gdk_display_get_default();
    return display ? gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(display)) : 0;
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    if (w->lost)
        return TRUE;  // the display's window is gone: there is nothing to draw on
    ui::Wnd* wnd = ui::Find(w->hwnd);
    // Another program may destroy the window while this draws on it: the error trap held since
    // Open takes what then fails.
    const int width = gtk_widget_get_allocated_width(w->area), height = gtk_widget_get_allocated_height(w->area);
    // The window itself draws no background (see TopLevelCreated): what the image does not
    // cover yet gets the theme's.
    if (!wnd || !wnd->surface || wnd->surface->Width() < width || wnd->surface->Height() < height)
        gtk_render_background(gtk_widget_get_style_context(w->window), cr, 0, 0, width, height);
    if (wnd && wnd->surface) {
        wnd->surface->BeginAccess();
        cairo_set_source_surface(cr, wnd->surface->Cairo(), 0, 0);
        cairo_paint(cr);
        wnd->surface->EndAccess();
    }
    w->drawn = true;
    return TRUE;
}

gboolean OnButton(GtkWidget*, GdkEventButton* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE)
        return TRUE;  // the window layer finds double clicks itself
    if (e->button > 3)
        return TRUE;
    FollowModifiers(w, e->state);
    if (e->button == 2) {
        // The middle button pastes the PRIMARY selection into an edit, as on the whole desktop.
        if (e->type == GDK_BUTTON_PRESS)
            w->middlePasted = GtkPastePrimaryAt(ScreenPoint(w, e->x, e->y));
        else if (w->middlePasted) {
            w->middlePasted = false;
            return TRUE;
        }
        if (w->middlePasted)
            return TRUE;
    }
    ui::RawInput in;
    in.kind = e->type == GDK_BUTTON_PRESS ? ui::RawInput::ButtonDown : ui::RawInput::ButtonUp;
    in.screen = ScreenPoint(w, e->x, e->y);
    in.button = ButtonOf(e->button);
    Post(w, in);
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    FollowModifiers(w, e->state);
    ui::RawInput in;
    in.kind = ui::RawInput::MouseMove;
    in.screen = ScreenPoint(w, e->x, e->y);
    Post(w, in);
    return TRUE;
}

gboolean OnLeave(GtkWidget*, GdkEventCrossing* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    if (e->mode != GDK_CROSSING_NORMAL || (e->state & (GDK_BUTTON1_MASK | GDK_BUTTON3_MASK)))
        return FALSE;
    ui::RawInput in;
    in.kind = ui::RawInput::MouseMove;
    in.screen = POINT{-32000, -32000};  // off every window: tracked windows hear WM_MOUSELEAVE
    Post(w, in);
    return FALSE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    int delta = 0;
    if (e->direction == GDK_SCROLL_UP)
        delta = WHEEL_DELTA;
    else if (e->direction == GDK_SCROLL_DOWN)
        delta = -WHEEL_DELTA;
    else if (e->direction == GDK_SCROLL_SMOOTH) {
        w->scrollAccum -= e->delta_y * WHEEL_DELTA;
        delta = int(w->scrollAccum);
        w->scrollAccum -= delta;
    }
    if (delta) {
        ui::RawInput in;
        in.kind = ui::RawInput::Wheel;
        in.screen = ScreenPoint(w, e->x, e->y);
        in.wheel = delta;
        Post(w, in);
    }
    return TRUE;
}

struct KeyMap {
    guint keyval;
    UINT vk;
    bool extended;
};

const KeyMap kKeys[] = {
    {GDK_KEY_Return, VK_RETURN, false}, {GDK_KEY_KP_Enter, VK_RETURN, true}, {GDK_KEY_Escape, VK_ESCAPE, false},
    {GDK_KEY_BackSpace, VK_BACK, false}, {GDK_KEY_Tab, VK_TAB, false}, {GDK_KEY_ISO_Left_Tab, VK_TAB, false},
    {GDK_KEY_space, VK_SPACE, false}, {GDK_KEY_Left, VK_LEFT, true}, {GDK_KEY_Up, VK_UP, true},
    {GDK_KEY_Right, VK_RIGHT, true}, {GDK_KEY_Down, VK_DOWN, true}, {GDK_KEY_Home, VK_HOME, true},
    {GDK_KEY_End, VK_END, true}, {GDK_KEY_Page_Up, VK_PRIOR, true}, {GDK_KEY_Page_Down, VK_NEXT, true},
    {GDK_KEY_Insert, VK_INSERT, true}, {GDK_KEY_Delete, VK_DELETE, true}, {GDK_KEY_KP_Home, VK_HOME, false},
    {GDK_KEY_KP_End, VK_END, false}, {GDK_KEY_KP_Up, VK_UP, false}, {GDK_KEY_KP_Down, VK_DOWN, false},
    {GDK_KEY_KP_Left, VK_LEFT, false}, {GDK_KEY_KP_Right, VK_RIGHT, false}, {GDK_KEY_KP_Page_Up, VK_PRIOR, false},
    {GDK_KEY_KP_Page_Down, VK_NEXT, false}, {GDK_KEY_KP_Insert, VK_INSERT, false},
    {GDK_KEY_KP_Delete, VK_DELETE, false}, {GDK_KEY_KP_Begin, VK_CLEAR, false},
    {GDK_KEY_KP_Multiply, VK_MULTIPLY, false}, {GDK_KEY_KP_Add, VK_ADD, false},
    {GDK_KEY_KP_Subtract, VK_SUBTRACT, false}, {GDK_KEY_KP_Decimal, VK_DECIMAL, false},
    {GDK_KEY_KP_Divide, VK_DIVIDE, true}, {GDK_KEY_Shift_L, VK_SHIFT, false}, {GDK_KEY_Shift_R, VK_SHIFT, false},
    {GDK_KEY_Control_L, VK_CONTROL, false}, {GDK_KEY_Control_R, VK_CONTROL, true}, {GDK_KEY_Alt_L, VK_MENU, false},
    {GDK_KEY_Alt_R, VK_MENU, true}, {GDK_KEY_Caps_Lock, VK_CAPITAL, false}, {GDK_KEY_Num_Lock, VK_NUMLOCK, false},
    {GDK_KEY_Pause, VK_PAUSE, false}, {GDK_KEY_Menu, VK_APPS, true}, {GDK_KEY_semicolon, VK_OEM_1, false},
    {GDK_KEY_equal, VK_OEM_PLUS, false}, {GDK_KEY_comma, VK_OEM_COMMA, false}, {GDK_KEY_minus, VK_OEM_MINUS, false},
    {GDK_KEY_period, VK_OEM_PERIOD, false}, {GDK_KEY_slash, VK_OEM_2, false}, {GDK_KEY_grave, VK_OEM_3, false},
    {GDK_KEY_bracketleft, VK_OEM_4, false}, {GDK_KEY_backslash, VK_OEM_5, false},
    {GDK_KEY_bracketright, VK_OEM_6, false}, {GDK_KEY_apostrophe, VK_OEM_7, false},
};

bool MapKey(guint keyval, UINT* vk, bool* ext)
{
    for (const KeyMap& k : kKeys)
        if (k.keyval == keyval) {
            *vk = k.vk;
            *ext = k.extended;
            return true;
        }
    *ext = false;
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) { *vk = UINT('A' + keyval - GDK_KEY_a); return true; }
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) { *vk = UINT('A' + keyval - GDK_KEY_A); return true; }
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) { *vk = UINT('0' + keyval - GDK_KEY_0); return true; }
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) { *vk = UINT(VK_NUMPAD0 + keyval - GDK_KEY_KP_0); return true; }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) { *vk = UINT(VK_F1 + keyval - GDK_KEY_F1); return true; }
    return false;
}

// The virtual key of a key event: the key's own symbol, else the symbol without modifiers
// (so Shift+1 is the '1' key, as Win32 reports it).
bool KeyOf(GdkEventKey* e, UINT* vk, bool* ext)
{
    if (MapKey(e->keyval, vk, ext))
        return true;
    guint base = 0;
    GdkKeymap* km = gdk_keymap_get_for_display(gdk_display_get_default());
    if (gdk_keymap_translate_keyboard_state(km, e->hardware_keycode, GdkModifierType(0), e->group, &base, nullptr,
                                            nullptr, nullptr))
        return MapKey(base, vk, ext);
    return false;
}

void PostChars(Win* w, const std::u32string& text, bool ime)
{
    for (char32_t c : text) {
        ui::RawInput in;
        in.kind = ime ? ui::RawInput::ImeChar : ui::RawInput::Char;
        in.ch = wchar_t(c);
        Post(w, in);
    }
}

gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    bool press = e->type == GDK_KEY_PRESS;
    FollowModifiers(w, e->state);  // the state before this key
    w->inKey = true;
    w->pending.clear();
    bool filtered = w->im && gtk_im_context_filter_keypress(w->im, e);
    w->inKey = false;
    UINT vk = 0;
    bool ext = false;
    bool known = KeyOf(e, &vk, &ext);
    gunichar uc = gdk_keyval_to_unicode(e->keyval);
    ui::RawInput in;
    in.kind = press ? ui::RawInput::KeyDown : ui::RawInput::KeyUp;
    in.extended = ext;
    if (filtered && press) {
        // A plain key the input method passed straight through types its own character.
        bool plain = !w->composing && w->pending.size() == 1 && w->pending[0] == char32_t(uc) && known;
        in.vk = plain ? vk : UINT(VK_PROCESSKEY);
        in.ch = plain ? wchar_t(uc) : 0;
        NoteModifier(in.vk, press);
        Post(w, in);
        if (!plain)
            PostChars(w, w->pending, true);
        return TRUE;
    }
    if (!known)
        return TRUE;
    in.vk = vk;
    in.ch = press && uc >= 0x20 && uc != 0x7F ? wchar_t(uc) : 0;
    NoteModifier(in.vk, press);
    Post(w, in);
    return TRUE;
}

void OnCommit(GtkIMContext*, gchar* str, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    std::u32string text;
    for (const gchar* p = str; p && *p; p = g_utf8_next_char(p))
        text.push_back(char32_t(g_utf8_get_char(p)));
    if (w->inKey)
        w->pending += text;
    else
        PostChars(w, text, true);
}

void OnPreeditStart(GtkIMContext*, gpointer data) { static_cast<Win*>(data)->composing = true; }
void OnPreeditEnd(GtkIMContext*, gpointer data) { static_cast<Win*>(data)->composing = false; }

gboolean OnFocus(GtkWidget*, GdkEventFocus* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    if (e->in) {
        // Keys released while another window had the keyboard.
        FollowModifiers(w, KeyboardModifiers());
        // A window waiting for its modal dialog passes the focus on to the dialog, so that
        // the keyboard (Escape, Enter) keeps reaching it.
        if (!IsWindowEnabled(w->hwnd))
            if (Win* front = w->host->ModalFront(w->hwnd)) {
                gtk_window_present(GTK_WINDOW(front->window));
                return FALSE;
            }
    }
    if (w->im) {
        if (e->in)
            gtk_im_context_focus_in(w->im);
        else
            gtk_im_context_focus_out(w->im);
    }
    ui::RawInput in;
    in.kind = ui::RawInput::Activate;
    in.activate = e->in != 0;
    Post(w, in);
    return FALSE;
}

// How long a requested geometry is awaited before the display's own one counts.
constexpr guint kAskMs = 1000;

// Tells the window layer the geometry the display gave the window, unless it has it already.
// The layer takes it as the user's move or resize; it never comes back here as a request.
void Report(Win* w)
{
    RECT r{0, 0, 0, 0};
    if (!w->haveShown || !gtk_widget_get_mapped(w->window) || !GetWindowRect(w->hwnd, &r) ||
        EqualRect(&r, &w->shown))
        return;  // a hidden window keeps the geometry the program gives it
    ui::RawInput in;
    in.kind = ui::RawInput::Resize;
    in.newRect = w->shown;
    Post(w, in);
}

gboolean OnAskTimeout(gpointer data)
{
    auto* w = static_cast<Win*>(data);
    w->askTimer = 0;
    Report(w);  // the window manager kept a geometry of its own
    return G_SOURCE_REMOVE;
}

void EndAsk(Win* w)
{
    if (w->askTimer)
        g_source_remove(w->askTimer);
    w->askTimer = 0;
}

// A window whose size the user must not change keeps that size in its hints.
void FixSize(Win* w, int cx, int cy)
{
    ui::Wnd* wnd = ui::Find(w->hwnd);
    if (!w->framed || !wnd || (wnd->style & WS_THICKFRAME))
        return;
    GdkGeometry g{};
    g.min_width = g.max_width = cx;
    g.min_height = g.max_height = cy;
    gtk_window_set_geometry_hints(GTK_WINDOW(w->window), nullptr, &g, GdkWindowHints(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

// Sends the window layer's geometry to the display once; the answer comes as a configure
// event (or the display's own geometry stands after kAskMs).
void Ask(Win* w, const RECT& r)
{
    EndAsk(w);
    w->asked = r;
    w->askTimer = g_timeout_add(kAskMs, OnAskTimeout, w);
    GtkWindow* win = GTK_WINDOW(w->window);
    const int cx = std::max(1, int(r.right - r.left)), cy = std::max(1, int(r.bottom - r.top));
    const RECT& s = w->shown;
    if (!w->haveShown || s.left != r.left || s.top != r.top)
        gtk_window_move(win, r.left, r.top);
    if (!w->haveShown || s.right - s.left != cx || s.bottom - s.top != cy) {
        FixSize(w, cx, cy);
        gtk_window_resize(win, cx, cy);
    }
}

gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* e, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    // Where the window's content is on the screen (the window manager's frame lies around it).
    int x = e->x, y = e->y;
    if (GdkWindow* gw = gtk_widget_get_window(widget))
        gdk_window_get_origin(gw, &x, &y);
    w->shown = RECT{x, y, x + e->width, y + e->height};
    w->haveShown = true;
    if (w->askTimer) {
        if (!EqualRect(&w->shown, &w->asked))
            return FALSE;  // an earlier state: the answer to the request is still to come
        EndAsk(w);
    }
    Report(w);
    return FALSE;
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* e, gpointer data)
{
    // Maximised or minimised through the window manager: the window layer keeps the state
    // (the new geometry follows as a configure event).
    auto* w = static_cast<Win*>(data);
    ui::Wnd* wnd = ui::Find(w->hwnd);
    if (!wnd || !w->framed)
        return FALSE;
    const bool max = (e->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    const bool min = (e->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    if (min && !(wnd->style & WS_MINIMIZEBOX)) {
        // A dialog has no minimise (its hints say so); a window manager that offers it anyway
        // would hide a modal dialog with the program waiting behind it: it comes straight back.
        gtk_window_deiconify(GTK_WINDOW(w->window));
        return FALSE;
    }
    if (max && !wnd->maximized)
        wnd->normalRect = wnd->rect;
    wnd->maximized = max;
    wnd->minimized = min;
    wnd->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
    wnd->style |= (max ? WS_MAXIMIZE : 0) | (min ? WS_MINIMIZE : 0);
    return FALSE;
}

gboolean OnMapEvent(GtkWidget*, GdkEvent* e, gpointer data)
{
    static_cast<Win*>(data)->mapped = e->type == GDK_MAP;
    return FALSE;
}

gboolean OnDestroyEvent(GtkWidget*, GdkEvent*, gpointer data)
{
    // Another program destroyed the window: the window layer closes it as the user would
    // (WM_CLOSE); the display's window is made again if it stays.
    auto* w = static_cast<Win*>(data);
    w->lost = true;
    ui::RawInput in;
    in.kind = ui::RawInput::Close;
    Post(w, in);
    return TRUE;
}

// Another program destroyed the window's X window. GDK is not told: it would tear its window
// down under GTK, whose later unrealize then finds no frame clock and prints criticals. The
// window stays GDK's until the window layer closes (or remakes) it, and the errors of requests
// to the dead X window meanwhile go to the error trap held since start-up.
GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    const XEvent* e = static_cast<const XEvent*>(xevent);
    GdkWindow* gw = gtk_widget_get_window(w->window);
    if (e->type != DestroyNotify || !gw || e->xdestroywindow.window != gdk_x11_window_get_xid(gw) || w->lost)
        return GDK_FILTER_CONTINUE;
    OnDestroyEvent(w->window, nullptr, w);
    return GDK_FILTER_REMOVE;
}

void WatchDestroy(GtkWidget* widget, gpointer data)
{
    if (GdkWindow* gw = gtk_widget_get_window(widget); gw && GDK_IS_X11_WINDOW(gw))
        gdk_window_add_filter(gw, OnXEvent, data);
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    if (!IsWindowEnabled(w->hwnd)) {
        // A window waiting for a modal dialog is not closed under it: the dialog comes to the
        // front, as the close request waits for the dialog's answer.
        if (Win* front = w->host->ModalFront(w->hwnd))
            gtk_window_present(GTK_WINDOW(front->window));
        return TRUE;
    }
    ui::RawInput in;
    in.kind = ui::RawInput::Close;
    Post(w, in);
    return TRUE;  // the program decides (WM_CLOSE)
}

// Files dragged here from the desktop's file manager. They are handed to the window under the
// drop point (which passes them up to the nearest window that accepts files) once GTK has
// finished the drop, so that opening them may show dialogs.
struct Dropped {
    HWND hwnd;
    POINT screen;
    std::vector<CString> paths;
};

gboolean DeliverDropped(gpointer data)
{
    std::unique_ptr<Dropped> drop(static_cast<Dropped*>(data));
    if (!::IsWindow(drop->hwnd))
        return G_SOURCE_REMOVE;
    HWND target = ::WindowFromPoint(drop->screen);
    CStringArray paths;
    for (const CString& path : drop->paths)
        paths.Add(path);
    AfxDropFiles(target ? target : drop->hwnd, paths);
    return G_SOURCE_REMOVE;
}

void OnDropData(GtkWidget*, GdkDragContext*, gint x, gint y, GtkSelectionData* data, guint, guint, gpointer user)
{
    auto* w = static_cast<Win*>(user);
    gchar** uris = gtk_selection_data_get_uris(data);
    if (!uris)
        return;
    auto drop = std::make_unique<Dropped>();
    drop->hwnd = w->hwnd;
    drop->screen = ScreenPoint(w, x, y);
    for (gchar** uri = uris; *uri; ++uri) {
        // Only local files: other locations have no path the program could open.
        if (gchar* path = g_filename_from_uri(*uri, nullptr, nullptr)) {
            drop->paths.push_back(FromUtf8(path));
            g_free(path);
        }
    }
    g_strfreev(uris);
    if (!drop->paths.empty())
        g_idle_add(DeliverDropped, drop.release());
}

void OnRealize(GtkWidget* widget, gpointer data)
{
    auto* w = static_cast<Win*>(data);
    GdkWindow* gw = gtk_widget_get_window(widget);
    if (w->im)
        gtk_im_context_set_client_window(w->im, gw);
    ui::Wnd* wnd = ui::Find(w->hwnd);
    if (!w->framed || !wnd)
        return;
    // The window manager's buttons and borders as the window's styles say.
    const DWORD s = wnd->style;
    int decor = GDK_DECOR_BORDER | GDK_DECOR_TITLE;
    int funcs = GDK_FUNC_MOVE;
    if (s & WS_THICKFRAME) {
        decor |= GDK_DECOR_RESIZEH;
        funcs |= GDK_FUNC_RESIZE;
    }
    if (s & WS_SYSMENU) {
        decor |= GDK_DECOR_MENU;
        funcs |= GDK_FUNC_CLOSE;
    }
    if (s & WS_MINIMIZEBOX) {
        decor |= GDK_DECOR_MINIMIZE;
        funcs |= GDK_FUNC_MINIMIZE;
    }
    if ((s & WS_MAXIMIZEBOX) && (s & WS_THICKFRAME)) {
        decor |= GDK_DECOR_MAXIMIZE;
        funcs |= GDK_FUNC_MAXIMIZE;
    }
    gdk_window_set_decorations(gw, GdkWMDecoration(decor));
    gdk_window_set_functions(gw, GdkWMFunction(funcs));
}

// A message box: moved and closed only.
void OnBoxRealize(GtkWidget* widget, gpointer)
{
    GdkWindow* gw = gtk_widget_get_window(widget);
    gdk_window_set_decorations(gw, GdkWMDecoration(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
    gdk_window_set_functions(gw, GdkWMFunction(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
}

gboolean OnTimeout(gpointer flag)
{
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
}

// Runs GTK until the window has drawn its current image (bounded to about two seconds).
void WaitUntilDrawn(Win* w)
{
    for (int i = 0; i < 100 && (!w->drawn || gtk_events_pending()); ++i) {
        bool fired = false;
        guint source = g_timeout_add(20, OnTimeout, &fired);
        gtk_main_iteration_do(TRUE);
        if (!fired)
            g_source_remove(source);
    }
}

}  // namespace

bool CGtkHost::Open(int* argc, char*** argv)
{
    // Popups are placed at screen positions, which only X11 allows: Wayland sessions go
    // through XWayland.
    if (std::getenv("WAYLAND_DISPLAY") && !std::getenv("GDK_BACKEND"))
        setenv("GDK_BACKEND", "x11", 0);
    // The font map reads the font configuration on a thread of its own once it exists: made
    // first, that reading goes on while the display is opened and the main window is built,
    // rather than when the first text is measured.
    pango_cairo_font_map_get_default();
    if (!gtk_init_check(argc, argv))
        return false;
    // GDK ends the program on any X error nobody expects. Another program may destroy one of
    // our windows at any moment, and requests already on their way to it then fail (a pointer
    // query, a property, a drawing): an error trap that is never popped takes those, so the
    // window is closed as the user would close it and the program lives on with the user's work.
    GdkDisplay* display = gdk_display_get_default();
    if (display && GDK_IS_X11_DISPLAY(display))
        gdk_x11_display_error_trap_push(display);
    GtkListenForWindowImageRequests();
    return true;
}

CGtkHost::CGtkHost()
{
    // Screen device contexts report the real screen's size (at the classic 96 dots per inch:
    // the program lays everything out in those pixels).
    SIZE s = ScreenSize();
    gdi::SetDisplayMetrics(s.cx, s.cy, 96);
}

CGtkHost::~CGtkHost()
{
    for (auto& kv : m_windows) {
        EndAsk(kv.second.get());
        if (kv.second->im)
            g_object_unref(kv.second->im);
        gtk_widget_destroy(kv.second->window);
    }
}

void CGtkHost::TopLevelCreated(HWND h)
{
    ui::Wnd* wnd = ui::Find(h);
    if (!wnd)
        return;
    auto w = std::make_unique<Window>();
    w->host = this;
    w->hwnd = h;
    // Menus, drop-downs and tips (popups without a caption) are placed by us, unmanaged.
    w->popup = (wnd->style & WS_POPUP) && (wnd->style & WS_CAPTION) != WS_CAPTION;
    w->framed = FramesTopLevel(wnd->style, wnd->exStyle);
    w->window = gtk_window_new(w->popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    g_object_set_data(G_OBJECT(w->window), kGtkHwndKey, h);
    GtkWindow* win = GTK_WINDOW(w->window);
    // Without the window manager's frame, the window layer draws frame and caption.
    gtk_window_set_decorated(win, w->framed);
    // The window's own image covers it whole: GTK does not draw the theme's background under
    // it. GTK's own buffering stays: the image is drawn by a child of the window, and a window
    // without the buffer lets nothing of its children's drawing reach the display.
    gtk_widget_set_app_paintable(w->window, TRUE);
    // Positions are those of the content, whatever frame the window manager puts around it.
    gtk_window_set_gravity(win, GDK_GRAVITY_STATIC);
    if (!w->popup)
        gtk_window_set_type_hint(win, (wnd->exStyle & WS_EX_TOOLWINDOW) ? GDK_WINDOW_TYPE_HINT_UTILITY
                                      : (wnd->owner && (wnd->style & WS_POPUP)) ? GDK_WINDOW_TYPE_HINT_DIALOG
                                                                                 : GDK_WINDOW_TYPE_HINT_NORMAL);
    gtk_window_set_title(win, Utf8(wnd->text).c_str());
    gtk_window_set_default_size(win, std::max(1, wnd->Width()), std::max(1, wnd->Height()));
    gtk_window_move(win, wnd->rect.left, wnd->rect.top);
    if (wnd->owner)
        if (auto it = m_windows.find(wnd->owner); it != m_windows.end())
            gtk_window_set_transient_for(GTK_WINDOW(w->window), GTK_WINDOW(it->second->window));
    w->area = gtk_drawing_area_new();
    gtk_widget_set_size_request(w->area, 1, 1);
    gtk_widget_set_can_focus(w->area, TRUE);
    gtk_widget_add_events(w->area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                       GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK | GDK_KEY_PRESS_MASK |
                                       GDK_KEY_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK);
    gtk_container_add(GTK_CONTAINER(w->window), w->area);
    Window* raw = w.get();
    g_signal_connect(w->area, "draw", G_CALLBACK(OnDraw), raw);
    g_signal_connect(w->area, "button-press-event", G_CALLBACK(OnButton), raw);
    g_signal_connect(w->area, "button-release-event", G_CALLBACK(OnButton), raw);
    g_signal_connect(w->area, "motion-notify-event", G_CALLBACK(OnMotion), raw);
    g_signal_connect(w->area, "leave-notify-event", G_CALLBACK(OnLeave), raw);
    g_signal_connect(w->area, "scroll-event", G_CALLBACK(OnScroll), raw);
    if (!w->popup) {
        static GtkTargetEntry files[] = {{const_cast<gchar*>("text/uri-list"), 0, 0}};
        gtk_drag_dest_set(w->area, GTK_DEST_DEFAULT_ALL, files, 1, GDK_ACTION_COPY);
        g_signal_connect(w->area, "drag-data-received", G_CALLBACK(OnDropData), raw);
    }
    g_signal_connect(w->window, "key-press-event", G_CALLBACK(OnKey), raw);
    g_signal_connect(w->window, "key-release-event", G_CALLBACK(OnKey), raw);
    g_signal_connect(w->window, "focus-in-event", G_CALLBACK(OnFocus), raw);
    g_signal_connect(w->window, "focus-out-event", G_CALLBACK(OnFocus), raw);
    g_signal_connect(w->window, "configure-event", G_CALLBACK(OnConfigure), raw);
    g_signal_connect(w->window, "delete-event", G_CALLBACK(OnDelete), raw);
    g_signal_connect(w->window, "destroy-event", G_CALLBACK(OnDestroyEvent), raw);
    g_signal_connect(w->window, "realize", G_CALLBACK(WatchDestroy), raw);
    g_signal_connect(w->window, "window-state-event", G_CALLBACK(OnWindowState), raw);
    g_signal_connect(w->window, "map-event", G_CALLBACK(OnMapEvent), raw);
    g_signal_connect(w->window, "unmap-event", G_CALLBACK(OnMapEvent), raw);
    g_signal_connect(w->window, "realize", G_CALLBACK(OnRealize), raw);
    if (!w->popup) {
        w->im = gtk_im_multicontext_new();
        g_signal_connect(w->im, "commit", G_CALLBACK(OnCommit), raw);
        g_signal_connect(w->im, "preedit-start", G_CALLBACK(OnPreeditStart), raw);
        g_signal_connect(w->im, "preedit-end", G_CALLBACK(OnPreeditEnd), raw);
    }
    m_windows[h] = std::move(w);
}

CGtkHost::Window* CGtkHost::ModalFront(HWND top)
{
    // Follows the chain of owned windows down to the enabled one on the screen (a message box
    // opened from a modal dialog waits in front of both).
    for (int depth = 0; top && depth < 16; ++depth) {
        Window* found = nullptr;
        for (auto& kv : m_windows) {
            ui::Wnd* wnd = ui::Find(kv.first);
            if (wnd && wnd->owner == top && !kv.second->popup && gtk_widget_get_visible(kv.second->window))
                found = kv.second.get();
        }
        if (!found)
            return nullptr;
        if (IsWindowEnabled(found->hwnd))
            return found;
        top = found->hwnd;
    }
    return nullptr;
}

GtkWidget* CGtkHost::ParentFor(HWND owner)
{
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : GetActiveWindow();
    auto it = m_windows.find(top);
    if (it == m_windows.end())
        return nullptr;
    // The owner waits for a dialog of its own: what is asked now belongs in front of that.
    if (!IsWindowEnabled(top))
        if (Window* front = ModalFront(top))
            return front->window;
    return it->second->window;
}

void CGtkHost::TopLevelDestroyed(HWND h)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end())
        return;
    if (it->second->lost)
        m_closedFromOutside = true;
    EndAsk(it->second.get());
    if (it->second->im)
        g_object_unref(it->second->im);
    gtk_widget_destroy(it->second->window);
    m_windows.erase(it);
}

void CGtkHost::TopLevelShown(HWND h, bool visible)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end())
        return;
    Window* w = it->second.get();
    w->awaitsOwner = false;
    if (visible) {
        // A window that belongs to another (a floating bar to its frame) comes on the screen
        // after it: mapped first, the owner would cover it, and a window manager would not yet
        // keep it in front of its owner.
        ui::Wnd* wnd = ui::Find(h);
        if (wnd && wnd->owner && !w->popup)
            if (auto o = m_windows.find(wnd->owner); o != m_windows.end() && !gtk_widget_get_visible(o->second->window)) {
                w->awaitsOwner = true;
                return;
            }
        // The title is there from the moment the window is mapped.
        TopLevelTextChanged(h);
        RECT r;
        GetWindowRect(h, &r);
        if (!gtk_widget_get_mapped(w->window))
            w->haveShown = false;  // where it goes is asked for again
        Ask(w, r);
        gtk_widget_show_all(w->window);
        for (auto& kv : m_windows) {
            ui::Wnd* owned = ui::Find(kv.first);
            if (kv.second->awaitsOwner && owned && owned->owner == h && IsWindowVisible(kv.first))
                TopLevelShown(kv.first, true);
        }
    } else {
        EndAsk(w);
        gtk_widget_hide(w->window);
    }
}

bool CGtkHost::AwaitMaximisedGeometry(HWND h, RECT* screenRect)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end() || !it->second->framed || it->second->popup)
        return false;
    // Only a window manager that maximises windows answers.
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display) ||
        !gdk_x11_screen_supports_net_wm_hint(gdk_display_get_default_screen(display),
                                             gdk_atom_intern_static_string("_NET_WM_STATE_MAXIMIZED_VERT")))
        return false;
    Window* w = it->second.get();
    auto placed = [w] {
        GdkWindow* gw = gtk_widget_get_window(w->window);
        const GdkWindowState state = gw ? gdk_window_get_state(gw) : GdkWindowState(0);
        return w->mapped && w->haveShown && (state & GDK_WINDOW_STATE_MAXIMIZED);
    };
    // Nothing is drawn meanwhile: the window's image still has its earlier size, and the
    // display gets it once it is laid out at the new one (drawing the old one only costs time).
    struct Frozen {
        GdkWindow* gw;
        explicit Frozen(GdkWindow* g) : gw(g) { if (gw) gdk_window_freeze_updates(gw); }
        ~Frozen() { if (gw) gdk_window_thaw_updates(gw); }
    } frozen(gtk_widget_get_window(w->window));
    // Bounded like a requested geometry: a window manager that does not answer leaves the
    // window as it is.
    const gint64 until = g_get_monotonic_time() + gint64(kAskMs) * 1000;
    while (!placed() && g_get_monotonic_time() < until) {
        bool fired = false;
        guint source = g_timeout_add(20, OnTimeout, &fired);
        gtk_main_iteration_do(TRUE);
        if (!fired)
            g_source_remove(source);
    }
    if (!placed())
        return false;
    // The window manager places a window before it maps it: the geometry it gave is in the
    // events the display has sent by now.
    gdk_display_sync(display);
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
    EndAsk(w);
    *screenRect = w->shown;
    return true;
}

void CGtkHost::TopLevelMoved(HWND h, const RECT& r)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end())
        return;
    Window* w = it->second.get();
    // The geometry the display reported, coming back from the window layer, or one already
    // asked for, is not sent again: the window manager would answer it, and so on forever.
    if (w->askTimer ? EqualRect(&r, &w->asked) : (w->haveShown && EqualRect(&r, &w->shown)))
        return;
    Ask(w, r);
}

bool CGtkHost::DisplayedGeometry(HWND h, RECT* screenRect) const
{
    auto it = m_windows.find(h);
    // While a requested geometry is awaited, the display's current one is not settled.
    if (it == m_windows.end() || !it->second->haveShown || it->second->askTimer)
        return false;
    *screenRect = it->second->shown;
    return true;
}

bool CGtkHost::FramesTopLevel(DWORD style, DWORD exStyle) const
{
    // Main windows, dialogs and message boxes; tool windows (floating bars) keep the drawn
    // caption, as do windows without one.
    return (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD) && !(exStyle & WS_EX_TOOLWINDOW);
}

bool CGtkHost::SetTopLevelState(HWND h, int cmd)
{
    auto it = m_windows.find(h);
    ui::Wnd* wnd = ui::Find(h);
    if (it == m_windows.end() || !wnd || !it->second->framed)
        return false;
    GtkWindow* win = GTK_WINDOW(it->second->window);
    switch (cmd) {
    case SW_MAXIMIZE:
        gtk_window_deiconify(win);
        gtk_window_maximize(win);
        return true;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        gtk_window_iconify(win);
        return true;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (wnd->minimized)
            gtk_window_deiconify(win);
        if (wnd->maximized)
            gtk_window_unmaximize(win);
        return true;
    default:
        return false;
    }
}

void CGtkHost::TopLevelPresent(HWND h, const RECT& dirty)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end())
        return;
    it->second->drawn = false;
    gtk_widget_queue_draw_area(it->second->area, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top);
}

void CGtkHost::TopLevelTextChanged(HWND h)
{
    auto it = m_windows.find(h);
    ui::Wnd* wnd = ui::Find(h);
    if (it != m_windows.end() && wnd)
        gtk_window_set_title(GTK_WINDOW(it->second->window), Utf8(wnd->text).c_str());
}

void CGtkHost::TopLevelShapeChanged(HWND h)
{
    auto it = m_windows.find(h);
    ui::Wnd* wnd = ui::Find(h);
    if (it == m_windows.end() || !wnd)
        return;
    if (!wnd->hasRgn) {
        gtk_widget_shape_combine_region(it->second->window, nullptr);
        return;
    }
    cairo_region_t* region = cairo_region_create();
    for (const RECT& r : wnd->rgn.Rects()) {
        cairo_rectangle_int_t ri{r.left, r.top, r.right - r.left, r.bottom - r.top};
        cairo_region_union_rectangle(region, &ri);
    }
    gtk_widget_shape_combine_region(it->second->window, region);
    cairo_region_destroy(region);
}

void CGtkHost::CaretMoved(HWND top, const RECT& rect)
{
    auto it = m_windows.find(top);
    if (it == m_windows.end() || !it->second->im)
        return;
    GdkRectangle r{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    gtk_im_context_set_cursor_location(it->second->im, &r);
}

void CGtkHost::TopLevelActivate(HWND h)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end() || it->second->popup)
        return;
    if (!gtk_window_is_active(GTK_WINDOW(it->second->window)) && gtk_widget_get_visible(it->second->window)) {
        gtk_window_present(GTK_WINDOW(it->second->window));
        // The windows that belong to it (floating bars, modeless dialogs) stay in front of it,
        // also without a window manager to keep them there.
        for (auto& kv : m_windows) {
            ui::Wnd* owned = ui::Find(kv.first);
            GdkWindow* gw = gtk_widget_get_window(kv.second->window);
            if (owned && owned->owner == h && !kv.second->popup && gw && gtk_widget_get_visible(kv.second->window))
                gdk_window_raise(gw);
        }
    }
}

bool CGtkHost::BeginMoveResize(HWND h, int hit, POINT screen)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end())
        return false;
    GtkWindow* win = GTK_WINDOW(it->second->window);
    guint32 t = gtk_get_current_event_time();
    if (hit == HTCAPTION) {
        gtk_window_begin_move_drag(win, 1, screen.x, screen.y, t);
        return true;
    }
    GdkWindowEdge edge;
    switch (hit) {
    case HTLEFT: edge = GDK_WINDOW_EDGE_WEST; break;
    case HTRIGHT: edge = GDK_WINDOW_EDGE_EAST; break;
    case HTTOP: edge = GDK_WINDOW_EDGE_NORTH; break;
    case HTBOTTOM: edge = GDK_WINDOW_EDGE_SOUTH; break;
    case HTTOPLEFT: edge = GDK_WINDOW_EDGE_NORTH_WEST; break;
    case HTTOPRIGHT: edge = GDK_WINDOW_EDGE_NORTH_EAST; break;
    case HTBOTTOMLEFT: edge = GDK_WINDOW_EDGE_SOUTH_WEST; break;
    case HTBOTTOMRIGHT: edge = GDK_WINDOW_EDGE_SOUTH_EAST; break;
    default: return false;
    }
    gtk_window_begin_resize_drag(win, edge, 1, screen.x, screen.y, t);
    return true;
}

void CGtkHost::SetCursorShape(HCURSOR cursor)
{
    const char* name = "default";
    switch (GetStandardCursorId(cursor)) {
    case 32513: name = "text"; break;
    case 32514: name = "wait"; break;
    case 32515: name = "crosshair"; break;
    case 32642: name = "nwse-resize"; break;
    case 32643: name = "nesw-resize"; break;
    case 32644: name = "ew-resize"; break;
    case 32645: name = "ns-resize"; break;
    case 32646: name = "move"; break;
    case 32648: name = "not-allowed"; break;
    case 32649: name = "pointer"; break;
    case 32650: name = "progress"; break;
    case 32651: name = "help"; break;
    default: break;
    }
    GdkDisplay* display = gdk_display_get_default();
    GdkCursor* c = nullptr;
    if (cursor && !cursor->argb.empty()) {
        // An image cursor: RGBA bytes with straight alpha for the pixbuf.
        GdkPixbuf* pb = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, cursor->width, cursor->height);
        guchar* px = gdk_pixbuf_get_pixels(pb);
        int stride = gdk_pixbuf_get_rowstride(pb);
        for (int y = 0; y < cursor->height; ++y)
            for (int x = 0; x < cursor->width; ++x) {
                DWORD v = cursor->argb[size_t(y) * size_t(cursor->width) + size_t(x)];
                guchar* p = px + y * stride + x * 4;
                p[0] = guchar(v >> 16);
                p[1] = guchar(v >> 8);
                p[2] = guchar(v);
                p[3] = guchar(v >> 24);
            }
        c = gdk_cursor_new_from_pixbuf(display, pb, cursor->hotSpot.x, cursor->hotSpot.y);
        g_object_unref(pb);
    } else {
        c = gdk_cursor_new_from_name(display, name);
    }
    for (auto& kv : m_windows)
        if (GdkWindow* gw = gtk_widget_get_window(kv.second->area))
            gdk_window_set_cursor(gw, c);
    if (c)
        g_object_unref(c);
}

void CGtkHost::GrabPointer(HWND top, bool grab)
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    if (!seat)
        return;
    if (!grab) {
        gdk_seat_ungrab(seat);
        return;
    }
    auto it = m_windows.find(top);
    GdkWindow* gw = it == m_windows.end() ? nullptr : gtk_widget_get_window(it->second->area);
    // With the capture, clicks outside every window of the program come to the capturing one.
    if (gw)
        gdk_seat_grab(seat, gw, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr, nullptr, nullptr);
}

void CGtkHost::MovePointer(POINT screen)
{
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = gdk_display_get_default_seat(display);
    if (GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr)
        gdk_device_warp(pointer, gdk_display_get_default_screen(display), screen.x, screen.y);
}

SIZE CGtkHost::ScreenSize() const
{
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* m = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!m && display)
        m = gdk_display_get_monitor(display, 0);
    if (!m)
        return SIZE{1920, 1080};
    GdkRectangle r;
    gdk_monitor_get_geometry(m, &r);
    return SIZE{r.width, r.height};
}

DWORD CGtkHost::NowMs() { return DWORD(g_get_monotonic_time() / 1000); }

void CGtkHost::ReviveLost()
{
    bool any = false;
    for (auto& kv : m_windows) {
        Window* w = kv.second.get();
        if (!w->lost)
            continue;
        // The window outlived its close: it gets a new window on the display.
        w->lost = false;
        EndAsk(w);
        w->haveShown = false;
        gtk_widget_hide(w->window);
        gtk_widget_unrealize(w->window);
        if (IsWindowVisible(kv.first))
            TopLevelShown(kv.first, true);
    }
    if (!m_closedFromOutside)
        return;
    m_closedFromOutside = false;
    for (auto& kv : m_windows)
        if (!kv.second->popup && IsWindowVisible(kv.first))
            any = true;
    if (!any)
        PostQuitMessage(0);  // the last window is gone: so is the program
}

void CGtkHost::WaitForEvents(int timeoutMs)
{
    ReviveLost();
    GtkOfferSelection();
    bool fired = false;
    guint source = 0;
    if (timeoutMs >= 0)
        source = g_timeout_add(guint(timeoutMs), OnTimeout, &fired);
    g_main_context_iteration(nullptr, TRUE);
    if (source && !fired)
        g_source_remove(source);
}

void CGtkHost::Wake() { g_main_context_wakeup(nullptr); }

int CGtkHost::MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // In front of the window that asks (a box asked while another is open, in front of that).
    static std::vector<GtkWidget*> open;
    GtkWindow* parent = open.empty() ? nullptr : GTK_WINDOW(open.back());
    if (!parent)
        if (GtkWidget* p = ParentFor(owner))
            parent = GTK_WINDOW(p);
    GtkMessageType icon = GTK_MESSAGE_OTHER;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: icon = GTK_MESSAGE_ERROR; break;
    case MB_ICONQUESTION: icon = GTK_MESSAGE_QUESTION; break;
    case MB_ICONEXCLAMATION: icon = GTK_MESSAGE_WARNING; break;
    case MB_ICONASTERISK: icon = GTK_MESSAGE_INFO; break;
    default: break;
    }
    GtkWidget* dlg = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, icon, GTK_BUTTONS_NONE, "%s",
                                            Utf8(text ? text : L"").c_str());
    // Its caption names the program (task bars and window lists read it), and the window
    // manager offers neither minimise nor maximise: the box is answered, not put away.
    std::wstring title = caption && *caption ? caption : std::wstring(AfxGetAppName() ? AfxGetAppName() : L"");
    gtk_window_set_title(GTK_WINDOW(dlg), Utf8(title).c_str());
    gtk_window_set_resizable(GTK_WINDOW(dlg), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(dlg), parent != nullptr);
    g_signal_connect(dlg, "realize", G_CALLBACK(OnBoxRealize), nullptr);
    struct Button { const char* label; int id; };
    static const Button kOk[] = {{"OK", IDOK}};
    static const Button kOkCancel[] = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    static const Button kAbort[] = {{"Abort", IDABORT}, {"Retry", IDRETRY}, {"Ignore", IDIGNORE}};
    static const Button kYesNoCancel[] = {{"Yes", IDYES}, {"No", IDNO}, {"Cancel", IDCANCEL}};
    static const Button kYesNo[] = {{"Yes", IDYES}, {"No", IDNO}};
    static const Button kRetryCancel[] = {{"Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    const Button* buttons = kOk;
    size_t count = 1;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = kOkCancel; count = 2; break;
    case MB_ABORTRETRYIGNORE: buttons = kAbort; count = 3; break;
    case MB_YESNOCANCEL: buttons = kYesNoCancel; count = 3; break;
    case MB_YESNO: buttons = kYesNo; count = 2; break;
    case MB_RETRYCANCEL: buttons = kRetryCancel; count = 2; break;
    default: break;
    }
    for (size_t i = 0; i < count; ++i)
        gtk_dialog_add_button(GTK_DIALOG(dlg), buttons[i].label, buttons[i].id);
    size_t def = std::min<size_t>((type & MB_DEFMASK) >> 8, count - 1);
    gtk_dialog_set_default_response(GTK_DIALOG(dlg), buttons[def].id);
    open.push_back(dlg);
    int r = gtk_dialog_run(GTK_DIALOG(dlg));
    open.pop_back();
    gtk_widget_destroy(dlg);
    if (r < 0) {
        // Closed without a button: Cancel where there is one, else the only button.
        bool hasCancel = std::any_of(buttons, buttons + count, [](const Button& b) { return b.id == IDCANCEL; });
        r = hasCancel ? IDCANCEL : buttons[count - 1].id;
    }
    return r;
}

void CGtkHost::Beep(UINT) { gdk_display_beep(gdk_display_get_default()); }

bool CGtkHost::SimulateClick(HWND top, POINT windowPoint)
{
    auto it = m_windows.find(top);
    if (it == m_windows.end())
        return false;
    // The window must be on the screen first.
    Window* w = it->second.get();
    WaitUntilDrawn(w);
    // The top-level's own (native) window: the display server delivers to it.
    GdkWindow* gw = gtk_widget_get_window(w->window);
    if (!gw || !gdk_window_is_viewable(gw))
        return false;
    bool ok = gdk_test_simulate_button(gw, windowPoint.x, windowPoint.y, 1, GdkModifierType(0), GDK_BUTTON_PRESS) &&
              gdk_test_simulate_button(gw, windowPoint.x, windowPoint.y, 1, GdkModifierType(0), GDK_BUTTON_RELEASE);
    gdk_display_flush(gdk_display_get_default());
    return ok;
}

bool CGtkHost::SimulateTyping(HWND top, const std::wstring& text)
{
    auto it = m_windows.find(top);
    if (it == m_windows.end())
        return false;
    Window* w = it->second.get();
    WaitUntilDrawn(w);
    GdkWindow* gw = gtk_widget_get_window(w->window);
    if (!gw || !gdk_window_is_viewable(gw))
        return false;
    bool ok = true;
    for (wchar_t c : text) {
        guint keyval = gdk_unicode_to_keyval(guint32(c));
        ok = gdk_test_simulate_key(gw, -1, -1, keyval, GdkModifierType(0), GDK_KEY_PRESS) &&
             gdk_test_simulate_key(gw, -1, -1, keyval, GdkModifierType(0), GDK_KEY_RELEASE) && ok;
    }
    gdk_display_flush(gdk_display_get_default());
    return ok;
}

bool CGtkHost::WaitUntilOnDisplay(HWND top)
{
    auto it = m_windows.find(top);
    if (it == m_windows.end())
        return false;
    Window* w = it->second.get();
    if (!gtk_widget_get_visible(w->window))
        return false;
    // GTK draws the window's current image (once it is mapped), and the display server has
    // carried out everything sent to it.
    w->drawn = false;
    gtk_widget_queue_draw(w->area);
    WaitUntilDrawn(w);
    gdk_display_sync(gdk_display_get_default());
    // A geometry the display gave that the window layer has still to take: the image shown is
    // not the window's yet.
    RECT r{0, 0, 0, 0};
    const bool current = !w->haveShown || (GetWindowRect(top, &r) && EqualRect(&r, &w->shown));
    return w->drawn && gtk_widget_get_mapped(w->window) && current;
}

bool CGtkHost::Screenshot(HWND top, const std::string& pngPath)
{
    auto it = m_windows.find(top);
    if (it == m_windows.end())
        return CUiHost::Screenshot(top, pngPath);
    Window* w = it->second.get();
    GdkWindow* gw = gtk_widget_get_window(w->area);
    if (!gw || !gtk_widget_get_visible(w->window))
        return false;
    // Let GTK draw the window's current image, then read the display's pixels back.
    WaitUntilOnDisplay(top);
    int width = gdk_window_get_width(gw);
    int height = gdk_window_get_height(gw);
    GdkPixbuf* pb = gdk_pixbuf_get_from_window(gw, 0, 0, width, height);
    if (!pb)
        return false;
    gboolean ok = gdk_pixbuf_save(pb, pngPath.c_str(), "png", nullptr, nullptr);
    g_object_unref(pb);
    return ok;
}
