#include "window/x_screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// A window may vanish between listing and asking about it: not an error here.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XScreen::XScreen(const std::string& display_name) : name_(display_name) { Reopen(); }

bool XScreen::Reopen() {
    Close();
    display_ = XOpenDisplay(name_.empty() ? nullptr : name_.c_str());
    if (display_) XSetErrorHandler(IgnoreXErrors);
    return display_ != nullptr;
}

XScreen::~XScreen() { Close(); }

void XScreen::Close() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
}

XScreen::Image XScreen::Root() {
    Image out;
    if (!display_) return out;
    const ::Window root = DefaultRootWindow(display_);
    XWindowAttributes attr{};
    if (!XGetWindowAttributes(display_, root, &attr)) return out;
    XImage* img = XGetImage(display_, root, 0, 0, attr.width, attr.height, AllPlanes, ZPixmap);
    if (!img) return out;
    out.w = attr.width;
    out.h = attr.height;
    out.px.resize(static_cast<std::size_t>(out.w) * out.h);
    const bool plain = img->bits_per_pixel == 32 && img->red_mask == 0xFF0000 && img->green_mask == 0xFF00 &&
                       img->blue_mask == 0xFF && img->byte_order == LSBFirst;
    for (int y = 0; y < out.h; ++y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(img->data + static_cast<std::ptrdiff_t>(y) * img->bytes_per_line);
        for (int x = 0; x < out.w; ++x)
            out.px[static_cast<std::size_t>(y) * out.w + x] =
                (plain ? row[x] : static_cast<std::uint32_t>(XGetPixel(img, x, y))) & 0xFFFFFF;
    }
    XDestroyImage(img);
    return out;
}

std::vector<XScreen::Window> XScreen::WindowsOf(pid_t pid) {
    std::vector<Window> out;
    if (!display_) return out;
    const ::Window root = DefaultRootWindow(display_);
    const Atom pid_atom = XInternAtom(display_, "_NET_WM_PID", False);
    ::Window root_back = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, root, &root_back, &parent, &children, &count)) return out;
    for (unsigned int i = 0; i < count; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, children[i], pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data) != Success)
            continue;
        const bool ours = data && items == 1 && format == 32 && *reinterpret_cast<unsigned long*>(data) == static_cast<unsigned long>(pid);
        if (data) XFree(data);
        XWindowAttributes attr{};
        if (!ours || !XGetWindowAttributes(display_, children[i], &attr) || attr.map_state != IsViewable) continue;
        int x = 0, y = 0;
        ::Window child = 0;
        XTranslateCoordinates(display_, children[i], root, 0, 0, &x, &y, &child);
        out.push_back({children[i], x, y, attr.width, attr.height});
    }
    if (children) XFree(children);
    return out;
}

void XScreen::Click(int x, int y) {
    if (!display_) return;
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void XScreen::Key(const char* keysym) {
    if (!display_) return;
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    if (!code) return;
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XSync(display_, False);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}
