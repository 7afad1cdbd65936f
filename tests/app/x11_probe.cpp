// SPDX-License-Identifier: GPL-3.0-or-later
// x11-probe: looks at a real X display the way a user would, for the program's smoke tests.
//   x11-probe wait TITLE SECONDS   prints the id of the mapped top-level window called TITLE
//   x11-probe lit WINDOW           succeeds when the window shows a drawn spiral: plenty of
//                                  black picture and some cells in the first cycle colour
//   x11-probe close WINDOW         asks the window to close, as a window manager's close box
//   x11-probe type WINDOW KEYS...  gives the window the keyboard, as a window manager does,
//                                  and types: each argument a key name as X knows it
//                                  ("1", "BackSpace", "Return")
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string NameOf(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) && plain != nullptr) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

Window FindMapped(Display* display, Window parent, const std::string& title, int depth) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
        if (attributes.map_state == IsViewable && NameOf(display, children[i]) == title) {
            found = children[i];
        } else if (depth < 2) {
            found = FindMapped(display, children[i], title, depth + 1);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

int Wait(Display* display, const std::string& title, int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        if (const Window window = FindMapped(display, DefaultRootWindow(display), title, 0)) {
            std::printf("%lu\n", window);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "x11-probe: no window '%s' within %d s\n", title.c_str(), seconds);
    return 1;
}

int Lit(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 2;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return 2;
    long black = 0, lightBlue = 0;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y) & 0xFFFFFF;
            black += pixel == 0x000000;
            lightBlue += pixel == 0x0000FF;
        }
    }
    XDestroyImage(image);
    std::printf("black=%ld light_blue=%ld\n", black, lightBlue);
    return black > 100000 && lightBlue > 100 ? 0 : 1;
}

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return 0;
}

int Type(Display* display, Window window, int count, char* keys[]) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (int i = 0; i < count; ++i) {
        const KeySym symbol = XStringToKeysym(keys[i]);
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
        if (code == 0) {
            std::fprintf(stderr, "x11-probe: no key '%s'\n", keys[i]);
            return 2;
        }
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x11-probe: cannot open the display\n");
        return 2;
    }
    int status = 2;
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "wait" && argc == 4) {
        status = Wait(display, argv[2], std::atoi(argv[3]));
    } else if (verb == "lit" && argc == 3) {
        status = Lit(display, std::strtoul(argv[2], nullptr, 10));
    } else if (verb == "close" && argc == 3) {
        status = Close(display, std::strtoul(argv[2], nullptr, 10));
    } else if (verb == "type" && argc >= 4) {
        status = Type(display, std::strtoul(argv[2], nullptr, 10), argc - 3, argv + 3);
    } else {
        std::fprintf(stderr,
                     "usage: x11-probe wait TITLE SECONDS | lit WINDOW | close WINDOW | type "
                     "WINDOW KEY...\n");
    }
    XCloseDisplay(display);
    return status;
}
