#include "XWindowSearch.h"

#include <X11/Xutil.h>

#include <cstring>

Window FindXWindowNamed(Display* display, Window under, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, under, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match) {
            return under;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) {
            found = FindXWindowNamed(display, children[i], title);
        }
        if (children) {
            XFree(children);
        }
    }
    return found;
}
