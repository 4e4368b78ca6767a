// Saves what the X server shows of a window (the whole screen without one) as a PNG file:
// the desktop checks take their pictures with it from outside the program under test.
//   x_window_shot OUT.png [WINDOW_ID]
#include <X11/Xlib.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: x_window_shot OUT.png [WINDOW_ID]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_window_shot: no X display\n");
        return 1;
    }
    Window window = argc > 2 ? Window(std::strtoul(argv[2], nullptr, 0)) : DefaultRootWindow(display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) {
        std::fprintf(stderr, "x_window_shot: no window %s\n", argv[2]);
        XCloseDisplay(display);
        return 1;
    }
    cairo_surface_t* source =
        cairo_xlib_surface_create(display, window, attributes.visual, attributes.width, attributes.height);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, attributes.width, attributes.height);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(image, argv[1]);
    cairo_surface_destroy(image);
    cairo_surface_destroy(source);
    XCloseDisplay(display);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "x_window_shot: %s\n", cairo_status_to_string(status));
        return 1;
    }
    return 0;
}
