// The system clipboard through GTK. Text (CF_UNICODETEXT, wide characters with a terminating
// zero) is offered as UTF-8; each registered format under "application/x-tavix-<name>", so
// another running instance finds it by name.
#include "platform/host/DlgGtk.h"

#include "platform/ui/core/Clipboard.h"

#include <gtk/gtk.h>

#include <cstring>

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
    GdkAtom* targets = nullptr;
    gint n = 0;
    if (gtk_clipboard_wait_for_targets(cb, &targets, &n)) {
        for (gint i = 0; i < n; ++i) {
            gchar* name = gdk_atom_name(targets[i]);
            std::string t = name ? name : "";
            g_free(name);
            if (t.rfind(kPrivatePrefix, 0) != 0)
                continue;
            GtkSelectionData* data = gtk_clipboard_wait_for_contents(cb, targets[i]);
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
        g_free(targets);
    }
    if (gchar* text = gtk_clipboard_wait_for_text(cb)) {
        glong wn = 0;
        gunichar* u = g_utf8_to_ucs4(text, -1, nullptr, &wn, nullptr);
        if (u) {
            ClipboardItem it;
            it.format = CF_UNICODETEXT;
            it.bytes.resize((size_t(wn) + 1) * sizeof(wchar_t), 0);
            std::memcpy(it.bytes.data(), u, size_t(wn) * sizeof(wchar_t));
            items.push_back(std::move(it));
        }
        g_free(u);
        g_free(text);
    }
    return true;
}

}  // namespace

void AfxInstallGtkClipboard()
{
    g_signal_connect(Board(), "owner-change", G_CALLBACK(+[](GtkClipboard*, GdkEvent*, gpointer) { g_changed = true; }), nullptr);
    ClipboardBridge b;
    b.publish = Publish;
    b.fetch = Fetch;
    AfxSetClipboardBridge(std::move(b));
}
