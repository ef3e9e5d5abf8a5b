#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

enum class MouseButton { Left, Middle, Right };

// Receives the keyboard as Windows virtual-key codes, and the mouse buttons, while events are pumped:
// every change in the order it happened, so that a click shorter than a frame still arrives.
class KeyEventSink {
public:
    virtual ~KeyEventSink() = default;
    virtual void KeyDown(int virtualKey) = 0;
    virtual void KeyUp(int virtualKey) = 0;
    virtual void MouseButtonChanged(MouseButton /*button*/, bool /*down*/) {}
};

// Mouse position in logical screen pixels (the window's picture mapped back, whatever the window's size)
// and the logical buttons (already swapped when the system swaps).
struct MouseState {
    float X = 0.0f;
    float Y = 0.0f;
    bool Left = false;
    bool Middle = false;
    bool Right = false;
};

// Could not open a window (no display, no OpenGL 3.3).
class WindowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the desktop knows a window: its title, the id launchers and docks tie it to their entry by
// (WM_CLASS under X11, the app id under Wayland; the desktop entry's StartupWMClass), unless the
// environment names one (SDL_VIDEO_X11_WMCLASS, SDL_VIDEO_WAYLAND_WMCLASS), and its icon.
struct WindowIdentity {
    std::string Title;
    std::string AppId; // empty: SDL's default (the executable's name)
    int IconWidth = 0; // no icon when 0
    int IconHeight = 0;
    std::vector<uint8_t> IconRgba; // IconWidth x IconHeight RGBA8 pixels, rows top to bottom
};

// The game's one window with its OpenGL 3.3 core context, or a headless stand-in with neither.
class Window {
public:
    virtual ~Window() = default;

    // Drains pending events, delivering keys to the sink. Returns false once the window was closed:
    // the frame stops there.
    virtual bool PumpEvents(KeyEventSink& sink) = 0;
    virtual MouseState Mouse() const = 0;
    // The window has keyboard focus.
    virtual bool HasFocus() const = 0;
    // Whether an OpenGL context is current on this thread for the renderer.
    virtual bool HasGl() const = 0;
    // Shows the frame drawn into the back buffer.
    virtual void Present() = 0;
    // Asks the window to close as if the user had closed it; the next pump returns false.
    virtual void RequestClose() = 0;

    // Desktop fullscreen (the desktop's own resolution, no mode change). Alt+Enter toggles it while
    // events are pumped; the key presses that did so do not reach the sink.
    virtual void SetFullscreen(bool fullscreen) = 0;
    virtual bool IsFullscreen() const = 0;
    // The client area's size when not fullscreen, in window pixels; a change is the player's resize.
    virtual void SetClientSize(int width, int height) = 0;
    virtual void ClientSize(int& width, int& height) const = 0;
    // The drawable's size in pixels now (fullscreen included): what the picture is scaled into.
    virtual void DrawableSize(int& width, int& height) const = 0;

    // A real, resizable window titled `title` showing a width x height logical screen, opened at
    // that client size; the picture is scaled to whatever size the window takes (Letterbox).
    static std::unique_ptr<Window> CreateDesktop(const std::string& title, int width, int height);
    static std::unique_ptr<Window> CreateDesktop(const WindowIdentity& identity, int width, int height);
    static std::unique_ptr<Window> CreateHeadless(int width, int height);
};
