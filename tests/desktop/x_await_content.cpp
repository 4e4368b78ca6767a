// Waits until the X server shows a program's window with content in it (a window at least
// 400x300 pixels whose picture, read back from the server, has 16 colours or more: not a blank
// or black one), then prints the wall-clock time of that moment in nanoseconds since the epoch.
// The start-up benchmark times the editor's start with it from outside the editor.
//   x_await_content [TIMEOUT_SECONDS]    (60 by default; exits 1 when nothing showed by then)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <thread>
#include <vector>

namespace {

// The windows a user sees as programs' windows: the window manager's list when there is one,
// the screen's top-level windows otherwise.
std::vector<Window> ClientWindows(Display* display)
{
    std::vector<Window> out;
    const Window root = DefaultRootWindow(display);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False), 0, 1024, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        out.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    if (!out.empty())
        return out;
    Window parent = 0, *children = nullptr;
    unsigned int n = 0;
    Window r = 0;
    if (XQueryTree(display, root, &r, &parent, &children, &n) && children) {
        out.assign(children, children + n);
        XFree(children);
    }
    return out;
}

bool ShowsContent(Display* display, Window window)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable || a.width < 400 || a.height < 300)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::set<unsigned long> colours;
    for (int y = 0; y < a.height && colours.size() < 16; y += 3)
        for (int x = 0; x < a.width && colours.size() < 16; x += 3)
            colours.insert(XGetPixel(image, x, y));
    XDestroyImage(image);
    return colours.size() >= 16;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // a window may go while it is read

}  // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_await_content: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(argc > 1 ? std::atoi(argv[1]) : 60);
    while (std::chrono::steady_clock::now() < until) {
        for (Window w : ClientWindows(display)) {
            if (ShowsContent(display, w)) {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n", (long long)std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
                XCloseDisplay(display);
                return 0;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));  // a poll, not a wait for an answer
    }
    std::fprintf(stderr, "x_await_content: no window with content showed\n");
    XCloseDisplay(display);
    return 1;
}
