#include "StandInWindowManager.h"
#include "XWindowSearch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

namespace {

bool redirectRefused = false;

int NoteRefusal(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) {
        redirectRefused = true;
    }
    return 0;
}

} // namespace

struct StandInWindowManager::State {
    Display* display = nullptr;
    Window root = 0;
    Atom wmState = 0;
    Atom fullscreen = 0;
    bool active = false;
};

StandInWindowManager::StandInWindowManager() : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.display = XOpenDisplay(nullptr);
    if (!s.display) {
        return;
    }
    s.root = DefaultRootWindow(s.display);
    s.wmState = XInternAtom(s.display, "_NET_WM_STATE", False);
    s.fullscreen = XInternAtom(s.display, "_NET_WM_STATE_FULLSCREEN", False);
    // Only one client may redirect the root's children: a real window manager, if any, wins.
    redirectRefused = false;
    XErrorHandler previous = XSetErrorHandler(NoteRefusal);
    XSelectInput(s.display, s.root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(s.display, False);
    XSetErrorHandler(previous);
    s.active = !redirectRefused;
}

StandInWindowManager::~StandInWindowManager() {
    if (state_->display) {
        XCloseDisplay(state_->display);
    }
}

bool StandInWindowManager::Active() const {
    return state_->active;
}

void StandInWindowManager::Serve() {
    State& s = *state_;
    if (!s.active) {
        return;
    }
    while (XPending(s.display) > 0) {
        XEvent event{};
        XNextEvent(s.display, &event);
        if (event.type == MapRequest) {
            XMapWindow(s.display, event.xmaprequest.window);
        } else if (event.type == ConfigureRequest) {
            const XConfigureRequestEvent& r = event.xconfigurerequest;
            XWindowChanges changes{};
            changes.x = r.x;
            changes.y = r.y;
            changes.width = r.width;
            changes.height = r.height;
            changes.border_width = r.border_width;
            changes.sibling = r.above;
            changes.stack_mode = r.detail;
            XConfigureWindow(s.display, r.window, static_cast<unsigned>(r.value_mask), &changes);
        } else if (event.type == ClientMessage && event.xclient.message_type == s.wmState &&
                   static_cast<Atom>(event.xclient.data.l[1]) == s.fullscreen) {
            const Window window = event.xclient.window;
            if (event.xclient.data.l[0] == 1) { // _NET_WM_STATE_ADD
                XChangeProperty(s.display, window, s.wmState, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(&s.fullscreen), 1);
                XMoveResizeWindow(s.display, window, 0, 0, static_cast<unsigned>(ScreenWidth()),
                                  static_cast<unsigned>(ScreenHeight()));
            } else {
                XDeleteProperty(s.display, window, s.wmState);
            }
        }
    }
    XFlush(s.display);
}

int StandInWindowManager::ScreenWidth() const {
    return state_->display ? DisplayWidth(state_->display, DefaultScreen(state_->display)) : 0;
}

int StandInWindowManager::ScreenHeight() const {
    return state_->display ? DisplayHeight(state_->display, DefaultScreen(state_->display)) : 0;
}

void StandInWindowManager::WindowSize(const char* title, int& width, int& height) const {
    width = 0;
    height = 0;
    if (!state_->display) {
        return;
    }
    if (const Window window = FindXWindowNamed(state_->display, state_->root, title)) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(state_->display, window, &attributes);
        width = attributes.width;
        height = attributes.height;
    }
}
