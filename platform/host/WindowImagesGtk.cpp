#include "platform/host/WindowImagesGtk.h"

#include "platform/base/CodePage.h"
#include "platform/base/Exceptions.h"
#include "platform/base/SafeReplace.h"
#include "platform/gdi/detail/GdiSurface.h"
#include "platform/ui/core/Host.h"
#include "platform/ui/core/detail/WndData.h"

#include <cairo.h>
#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

const char* const kGtkHwndKey = "tavix-hwnd";

namespace {

std::string g_folder;

cairo_status_t AppendBytes(void* out, const unsigned char* data, unsigned int length)
{
    auto* bytes = static_cast<std::vector<unsigned char>*>(out);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    try {
        AfxWriteFileReplacing(
            FromUtf8(path.c_str()), [&bytes](CFile& file) { file.Write(bytes.data(), UINT(bytes.size())); }, 0666,
            false);
    } catch (CException* e) {
        e->Delete();
        std::fprintf(stderr, "tavix: %s could not be written\n", path.c_str());
    }
}

// The image of one GTK top-level window as the program draws it.
cairo_surface_t* ImageOf(GtkWidget* top, int width, int height)
{
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(image);
    HWND hwnd = static_cast<HWND>(g_object_get_data(G_OBJECT(top), kGtkHwndKey));
    ui::Wnd* wnd = hwnd ? ui::Find(hwnd) : nullptr;
    if (wnd && wnd->surface) {
        // The window layer's own picture, exactly as it hands it to GTK.
        wnd->surface->BeginAccess();
        cairo_set_source_surface(cr, wnd->surface->Cairo(), 0, 0);
        cairo_paint(cr);
        wnd->surface->EndAccess();
    } else {
        gtk_widget_draw(top, cr);
    }
    cairo_destroy(cr);
    return image;
}

gboolean OnImagesRequested(gpointer)
{
    std::string index;
    GList* tops = gtk_window_list_toplevels();
    // The program's windows are brought onto the display first (which may run GTK a while).
    for (GList* l = tops; l; l = l->next)
        if (HWND hwnd = static_cast<HWND>(g_object_get_data(G_OBJECT(l->data), kGtkHwndKey)))
            if (gtk_widget_get_mapped(GTK_WIDGET(l->data)))
                AfxGetHost()->WaitUntilOnDisplay(hwnd);
    gdk_display_sync(gdk_display_get_default());
    for (GList* l = tops; l; l = l->next) {
        GtkWidget* top = GTK_WIDGET(l->data);
        GdkWindow* gw = gtk_widget_get_window(top);
        if (!gtk_widget_get_mapped(top) || !gw || !GDK_IS_X11_WINDOW(gw))
            continue;
        const int width = gdk_window_get_width(gw), height = gdk_window_get_height(gw);
        const unsigned long xid = gdk_x11_window_get_xid(gw);
        cairo_surface_t* image = ImageOf(top, width, height);
        std::vector<unsigned char> png;
        const bool ok = cairo_surface_write_to_png_stream(image, AppendBytes, &png) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(image);
        if (!ok)
            continue;
        WriteBytes(g_folder + "/" + std::to_string(xid) + ".png", png);
        index += std::to_string(xid) + ' ' + std::to_string(width) + ' ' + std::to_string(height) + '\n';
    }
    g_list_free(tops);
    // The index last: a check that sees it finds every picture it names.
    WriteBytes(g_folder + "/index", std::vector<unsigned char>(index.begin(), index.end()));
    return G_SOURCE_CONTINUE;
}

}  // namespace

void GtkListenForWindowImageRequests()
{
    const char* folder = std::getenv("TAVIX_WINDOW_IMAGES");
    if (!folder || !*folder)
        return;
    g_folder = folder;
    g_unix_signal_add(SIGUSR1, OnImagesRequested, nullptr);
}
