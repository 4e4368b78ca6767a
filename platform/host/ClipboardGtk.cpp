// The system clipboard through GTK. Text (CF_UNICODETEXT, wide characters with a terminating
// zero) is offered as UTF-8; each registered format under "application/x-tavix-<name>", so
// another running instance finds it by name.
#include "platform/host/DlgGtk.h"

#include "platform/ui/core/Clipboard.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kPrivatePrefix = "application/x-tavix-";
constexpr guint kText = 1;
constexpr guint kPrivate = 2;

struct Offer {
    std::vector<ClipboardItem> items;
};

GObject* g_owner = nullptr;   // marks content this process placed
bool g_changed = true;        // the system clipboard changed since we last read it

GtkClipboard* Board() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }

// How long a paste waits for the owner of the clipboard in all: an owner that does not answer
// (stopped, hung) costs this much once, then the paste fails quietly.
constexpr gint64 kPasteWaitUs = 1500 * 1000;

// One request to the owner of a selection. When the wait ends first, GTK still answers later
// (it gives up on the owner itself): the request stays here until then.
struct Request {
    bool done = false;
    GtkSelectionData* data = nullptr;
};
std::vector<std::unique_ptr<Request>> g_abandoned;

void OnContents(GtkClipboard*, GtkSelectionData* data, gpointer p)
{
    auto* r = static_cast<Request*>(p);
    auto it = std::find_if(g_abandoned.begin(), g_abandoned.end(), [r](const auto& a) { return a.get() == r; });
    if (it != g_abandoned.end()) {
        g_abandoned.erase(it);
        return;
    }
    r->done = true;
    r->data = data ? gtk_selection_data_copy(data) : nullptr;
}

gboolean OnWaitTick(gpointer fired)
{
    *static_cast<bool*>(fired) = true;
    return G_SOURCE_REMOVE;
}

// The selection's data under `target`, or null when the owner has none or does not answer
// before `deadline` (monotonic microseconds). The caller frees what it gets.
GtkSelectionData* Contents(GtkClipboard* cb, GdkAtom target, gint64 deadline)
{
    auto r = std::make_unique<Request>();
    gtk_clipboard_request_contents(cb, target, OnContents, r.get());
    while (!r->done) {
        const gint64 left = deadline - g_get_monotonic_time();
        if (left <= 0) {
            g_abandoned.push_back(std::move(r));
            return nullptr;
        }
        bool fired = false;
        guint tick = g_timeout_add(guint(std::min<gint64>(left / 1000 + 1, 50)), OnWaitTick, &fired);
        g_main_context_iteration(nullptr, TRUE);
        if (!fired)
            g_source_remove(tick);
    }
    GtkSelectionData* d = r->data;
    if (d && gtk_selection_data_get_length(d) < 0) {
        gtk_selection_data_free(d);
        d = nullptr;
    }
    return d;
}

// The selection's text, if its owner offers text and answers in time.
bool SelectionText(GtkClipboard* cb, const std::vector<std::string>& targets, gint64 deadline, std::wstring& out)
{
    static const char* const kTextTargets[] = {"UTF8_STRING", "text/plain;charset=utf-8", "COMPOUND_TEXT", "TEXT",
                                               "STRING", "text/plain"};
    for (const char* t : kTextTargets) {
        if (std::find(targets.begin(), targets.end(), t) == targets.end())
            continue;
        GtkSelectionData* data = Contents(cb, gdk_atom_intern(t, FALSE), deadline);
        if (!data)
            return false;
        guchar* text = gtk_selection_data_get_text(data);
        gtk_selection_data_free(data);
        if (!text)
            continue;
        glong wn = 0;
        gunichar* u = g_utf8_to_ucs4(reinterpret_cast<const gchar*>(text), -1, nullptr, &wn, nullptr);
        g_free(text);
        if (!u)
            continue;
        out.assign(reinterpret_cast<const wchar_t*>(u), size_t(wn));
        g_free(u);
        return true;
    }
    return false;
}

// The targets the selection's owner offers (empty when there is no owner or it does not answer).
std::vector<std::string> TargetsOf(GtkClipboard* cb, gint64 deadline)
{
    std::vector<std::string> names;
    GtkSelectionData* data = Contents(cb, gdk_atom_intern_static_string("TARGETS"), deadline);
    if (!data)
        return names;
    GdkAtom* atoms = nullptr;
    gint n = 0;
    if (gtk_selection_data_get_targets(data, &atoms, &n)) {
        for (gint i = 0; i < n; ++i) {
            gchar* name = gdk_atom_name(atoms[i]);
            names.emplace_back(name ? name : "");
            g_free(name);
        }
        g_free(atoms);
    }
    gtk_selection_data_free(data);
    return names;
}

std::string Utf8(const std::wstring& w)
{
    gchar* s = g_ucs4_to_utf8(reinterpret_cast<const gunichar*>(w.c_str()), glong(w.size()), nullptr, nullptr, nullptr);
    std::string r = s ? s : "";
    g_free(s);
    return r;
}

std::wstring TextOf(const ClipboardItem& it)
{
    size_t n = it.bytes.size() / sizeof(wchar_t);
    std::wstring s(reinterpret_cast<const wchar_t*>(it.bytes.data()), n);
    size_t zero = s.find(L'\0');
    if (zero != std::wstring::npos)
        s.resize(zero);
    return s;
}

void GetData(GtkClipboard*, GtkSelectionData* sel, guint info, gpointer owner)
{
    auto* offer = static_cast<Offer*>(g_object_get_data(G_OBJECT(owner), "offer"));
    if (!offer)
        return;
    if (info == kText) {
        for (const ClipboardItem& it : offer->items)
            if (it.format == CF_UNICODETEXT) {
                std::string u = Utf8(TextOf(it));
                gtk_selection_data_set_text(sel, u.c_str(), gint(u.size()));
                return;
            }
        return;
    }
    gchar* target = gdk_atom_name(gtk_selection_data_get_target(sel));
    std::string t = target ? target : "";
    g_free(target);
    for (const ClipboardItem& it : offer->items)
        if (!it.name.empty() && t == kPrivatePrefix + Utf8(it.name)) {
            gtk_selection_data_set(sel, gtk_selection_data_get_target(sel), 8, it.bytes.data(), gint(it.bytes.size()));
            return;
        }
}

void ClearData(GtkClipboard*, gpointer) {}

void Publish(const std::vector<ClipboardItem>& items)
{
    GtkTargetList* list = gtk_target_list_new(nullptr, 0);
    bool any = false;
    for (const ClipboardItem& it : items) {
        if (it.format == CF_UNICODETEXT) {
            gtk_target_list_add_text_targets(list, kText);
            any = true;
        } else if (!it.name.empty()) {
            gtk_target_list_add(list, gdk_atom_intern((kPrivatePrefix + Utf8(it.name)).c_str(), FALSE), 0, kPrivate);
            any = true;
        }
    }
    if (g_owner)
        g_object_unref(g_owner);
    g_owner = G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr));
    g_object_set_data_full(g_owner, "offer", new Offer{items}, [](gpointer p) { delete static_cast<Offer*>(p); });
    if (any) {
        gint n = 0;
        GtkTargetEntry* entries = gtk_target_table_new_from_list(list, &n);
        gtk_clipboard_set_with_owner(Board(), entries, guint(n), GetData, ClearData, g_owner);
        gtk_clipboard_set_can_store(Board(), nullptr, 0);
        gtk_target_table_free(entries, n);
    } else {
        gtk_clipboard_clear(Board());
    }
    gtk_target_list_unref(list);
    g_changed = false;
}

bool Fetch(std::vector<ClipboardItem>& items)
{
    GtkClipboard* cb = Board();
    if (!g_changed || (g_owner && gtk_clipboard_get_owner(cb) == g_owner))
        return false;
    g_changed = false;
    const gint64 deadline = g_get_monotonic_time() + kPasteWaitUs;
    const std::vector<std::string> targets = TargetsOf(cb, deadline);
    for (const std::string& t : targets) {
        if (t.rfind(kPrivatePrefix, 0) != 0)
            continue;
        GtkSelectionData* data = Contents(cb, gdk_atom_intern(t.c_str(), FALSE), deadline);
        if (!data)
            continue;
        gint len = 0;
        const guchar* bytes = gtk_selection_data_get_data_with_length(data, &len);
        ClipboardItem it;
        glong wn = 0;
        gunichar* u = g_utf8_to_ucs4(t.c_str() + std::strlen(kPrivatePrefix), -1, nullptr, &wn, nullptr);
        if (u)
            it.name.assign(reinterpret_cast<const wchar_t*>(u), size_t(wn));
        g_free(u);
        if (bytes && len > 0 && SIZE_T(len) <= kGlobalMaxBytes)
            it.bytes.assign(bytes, bytes + len);
        gtk_selection_data_free(data);
        if (!it.name.empty())
            items.push_back(std::move(it));
    }
    std::wstring text;
    if (SelectionText(cb, targets, deadline, text)) {
        ClipboardItem it;
        it.format = CF_UNICODETEXT;
        it.bytes.resize((text.size() + 1) * sizeof(wchar_t), 0);
        std::memcpy(it.bytes.data(), text.data(), text.size() * sizeof(wchar_t));
        items.push_back(std::move(it));
    }
    return true;
}

}  // namespace

bool AfxGtkPrimaryText(std::wstring& text)
{
    GtkClipboard* cb = gtk_clipboard_get(GDK_SELECTION_PRIMARY);
    const gint64 deadline = g_get_monotonic_time() + kPasteWaitUs;
    return SelectionText(cb, TargetsOf(cb, deadline), deadline, text);
}

void AfxGtkSetPrimaryText(const std::wstring& text)
{
    const std::string u = Utf8(text);
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_PRIMARY), u.c_str(), gint(u.size()));
}

void AfxInstallGtkClipboard()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    g_signal_connect(Board(), "owner-change", G_CALLBACK(+[](GtkClipboard*, GdkEvent*, gpointer) { g_changed = true; }), nullptr);
    ClipboardBridge b;
    b.publish = Publish;
    b.fetch = Fetch;
    AfxSetClipboardBridge(std::move(b));
}
