#pragma once

#include <X11/Xlib.h>

// The first window titled `title` in the tree under `under` (depth first), or 0.
Window FindXWindowNamed(Display* display, Window under, const char* title);
