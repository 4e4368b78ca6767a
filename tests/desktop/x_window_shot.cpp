// Saves what the X server shows of a window (the whole screen without one) as a PNG file:
// the desktop checks take their pictures with it from outside the program under test. It prints
// "colours N", the number of colours in the picture (up to 256): a blank or black picture has one.
// With --lamp=X,Y it also prints "lamp N", the number of lit-lamp pixels (bright yellow) within 12
// pixels of that point of the picture.
//   x_window_shot OUT.png [WINDOW_ID] [--lamp=X,Y]
#include <X11/Xlib.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

uint32_t Pixel(cairo_surface_t* s, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFFu;
}

bool LitLamp(uint32_t p) { return (p >> 16) >= 0xC0 && ((p >> 8) & 0xFF) >= 0xC0 && (p & 0xFF) <= 0x40; }

}  // namespace

int main(int argc, char** argv)
{
    int lampX = -1, lampY = -1;
    if (argc > 2 && std::strncmp(argv[argc - 1], "--lamp=", 7) == 0) {
        if (std::sscanf(argv[argc - 1] + 7, "%d,%d", &lampX, &lampY) != 2)
            lampX = lampY = -1;
        --argc;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: x_window_shot OUT.png [WINDOW_ID] [--lamp=X,Y]\n");
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
    cairo_surface_flush(image);
    std::set<uint32_t> colours;
    for (int y = 0; y < attributes.height && colours.size() < 256; ++y)
        for (int x = 0; x < attributes.width && colours.size() < 256; ++x)
            colours.insert(Pixel(image, x, y));
    std::printf("colours %zu\n", colours.size());
    if (lampX >= 0) {
        int lit = 0;
        for (int y = lampY - 12; y <= lampY + 12; ++y)
            for (int x = lampX - 12; x <= lampX + 12; ++x)
                if (x >= 0 && y >= 0 && x < attributes.width && y < attributes.height && LitLamp(Pixel(image, x, y)))
                    ++lit;
        std::printf("lamp %d\n", lit);
    }
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
