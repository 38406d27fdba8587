#pragma once

// Xlib defines macros such as None, Bool and True that break other headers
// (GoogleTest among them): include this header last.
#include <X11/Xlib.h>

namespace ox::test {

// What a window manager sends when the user clicks a window's close button.
inline void sendCloseRequest(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Talks to the X server the way a window manager would, for end-to-end tests
// (there is no window manager on the virtual display).
class X11Client {
public:
    X11Client()
        : display(XOpenDisplay(nullptr)) {}
    ~X11Client() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
    X11Client(const X11Client&) = delete;
    X11Client& operator=(const X11Client&) = delete;

    bool isOpen() const { return display != nullptr; }

    // Asks the window to close, as a window manager's close button does.
    void requestClose(unsigned long window) { sendCloseRequest(display, window); }

private:
    Display* display;
};

} // namespace ox::test
