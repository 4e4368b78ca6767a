// Compares what the X server shows inside a window with the program's own image of it (a PNG
// the program wrote), as a user would see the difference: the two must be equal but for a few
// pixels near the edges, and what the server shows must not be blank (one flat colour, black
// included). Saves the server's picture for a look afterwards.
//   x_window_compare WINDOW_ID EXPECTED.png SHOWN.png [X Y WIDTH HEIGHT]
// With a rectangle (window coordinates) only that part is compared. The X server keeps nothing
// of a window's parts that other windows cover, so those parts are left out. Prints what it
// found and exits 0 when they agree, 1 when they do not, 2 on wrong use.
#include <X11/Xlib.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Pixels this close to the compared area's edges may differ: a window manager's frame or a
// rounding of the window's size may touch them.
constexpr int kEdge = 3;

uint32_t Pixel(cairo_surface_t* s, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFFu;
}

// Equal to the eye: GTK's own drawing may round a shade one step apart on the server.
bool Same(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2)
            return false;
    return true;
}

struct Box {
    int x0, y0, x1, y1;
    bool Has(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// The parts of the window that other windows cover, in the window's coordinates: every mapped
// window stacked above the window's own top-level one (its window manager frame, if it has one).
std::vector<Box> Covered(Display* display, Window window)
{
    std::vector<Box> covered;
    const Window rootWindow = DefaultRootWindow(display);
    Window top = window, root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    while (XQueryTree(display, top, &root, &parent, &children, &count)) {
        if (children)
            XFree(children);
        if (parent == rootWindow || parent == 0)
            break;
        top = parent;
    }
    int ox = 0, oy = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, rootWindow, 0, 0, &ox, &oy, &child);
    if (!XQueryTree(display, rootWindow, &root, &parent, &children, &count))
        return covered;
    bool above = false;  // the list runs from the bottom of the stack to its top
    for (unsigned int i = 0; i < count; ++i) {
        if (children[i] == top) {
            above = true;
            continue;
        }
        XWindowAttributes a{};
        if (!above || !XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable ||
            a.c_class == InputOnly)
            continue;
        covered.push_back(Box{a.x - ox, a.y - oy, a.x + a.width + 2 * a.border_width - ox,
                              a.y + a.height + 2 * a.border_width - oy});
    }
    if (children)
        XFree(children);
    return covered;
}

cairo_surface_t* ShownImage(Display* display, Window window, int* width, int* height)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return nullptr;
    *width = attributes.width;
    *height = attributes.height;
    cairo_surface_t* source = cairo_xlib_surface_create(display, window, attributes.visual, *width, *height);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, *width, *height);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(source);
    cairo_surface_flush(image);
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 8) {
        std::fprintf(stderr, "usage: x_window_compare WINDOW_ID EXPECTED.png SHOWN.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_window_compare: no X display\n");
        return 2;
    }
    int width = 0, height = 0;
    const Window window = Window(std::strtoul(argv[1], nullptr, 0));
    cairo_surface_t* shown = ShownImage(display, window, &width, &height);
    const std::vector<Box> covered = shown ? Covered(display, window) : std::vector<Box>();
    XCloseDisplay(display);
    if (!shown) {
        std::printf("no window %s on the X server\n", argv[1]);
        return 1;
    }
    cairo_surface_write_to_png(shown, argv[3]);
    cairo_surface_t* expected = cairo_image_surface_create_from_png(argv[2]);
    if (cairo_surface_status(expected) != CAIRO_STATUS_SUCCESS) {
        std::printf("the program's image %s cannot be read\n", argv[2]);
        return 1;
    }
    cairo_surface_flush(expected);
    const int ew = cairo_image_surface_get_width(expected), eh = cairo_image_surface_get_height(expected);
    int x0 = 0, y0 = 0, cx = width, cy = height;
    if (argc == 8) {
        x0 = std::atoi(argv[4]);
        y0 = std::atoi(argv[5]);
        cx = std::atoi(argv[6]);
        cy = std::atoi(argv[7]);
    }
    int failed = 0;
    if (std::abs(ew - width) > kEdge || std::abs(eh - height) > kEdge) {
        std::printf("the X server's window is %dx%d, the program's image %dx%d\n", width, height, ew, eh);
        failed = 1;
    }
    const int x1 = std::min({x0 + cx, width, ew}), y1 = std::min({y0 + cy, height, eh});
    if (x1 - x0 <= 2 * kEdge || y1 - y0 <= 2 * kEdge) {
        std::printf("nothing to compare in %d,%d %dx%d\n", x0, y0, cx, cy);
        return 1;
    }
    std::set<uint32_t> colours;
    long differing = 0, inner = 0;
    int fx = -1, fy = -1;
    for (int y = y0 + kEdge; y < y1 - kEdge; ++y) {
        for (int x = x0 + kEdge; x < x1 - kEdge; ++x) {
            if (std::any_of(covered.begin(), covered.end(), [x, y](const Box& b) { return b.Has(x, y); }))
                continue;
            const uint32_t s = Pixel(shown, x, y);
            if (colours.size() < 16)
                colours.insert(s);
            ++inner;
            if (!Same(s, Pixel(expected, x, y)) && differing++ == 0) {
                fx = x;
                fy = y;
            }
        }
    }
    // A text caret that blinks between the two pictures differs in a line of some 20 pixels.
    const long allowed = 64;
    std::printf("%s: %ld of %ld pixels in sight differ, %zu%s colours shown\n", argv[1], differing, inner, colours.size(),
                colours.size() >= 16 ? " or more" : "");
    if (inner < 16) {
        std::printf("nothing of the window is in sight\n");
        failed = 1;
    } else if (colours.size() < 2) {
        std::printf("the X server shows a blank window (one colour: %06x)\n", unsigned(*colours.begin()));
        failed = 1;
    }
    if (differing > allowed) {
        std::printf("the X server does not show the program's image: first difference at %d,%d (shown %06x, image %06x)\n",
                    fx, fy, unsigned(Pixel(shown, fx, fy)), unsigned(Pixel(expected, fx, fy)));
        failed = 1;
    }
    cairo_surface_destroy(expected);
    cairo_surface_destroy(shown);
    return failed;
}
