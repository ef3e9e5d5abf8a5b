#include "platform/Window.h"

#include <SDL2/SDL.h>

#include "platform/Letterbox.h"
#include "platform/VirtualKeys.h"

#if defined(KELVANE_SANITIZE)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// An SDL2 window with an OpenGL 3.3 core context. The loop paces itself, so the swap interval is 0.
// The player may resize it and toggle desktop fullscreen; the renderer scales the logical screen
// into it, and the pointer is mapped back here.
class SdlWindow final : public Window {
public:
    SdlWindow(const WindowIdentity& identity, int width, int height)
        : logicalWidth_(width), logicalHeight_(height) {
        if (!SDL_getenv("DISPLAY") && !SDL_getenv("WAYLAND_DISPLAY") && !SDL_getenv("SDL_VIDEODRIVER")) {
            throw WindowError("no display found");
        }
        // SDL 2 reads the window class and the Wayland app id from the environment as video starts.
        if (!identity.AppId.empty()) {
            SDL_setenv("SDL_VIDEO_X11_WMCLASS", identity.AppId.c_str(), 0);
            SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", identity.AppId.c_str(), 0);
        }
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            throw WindowError(std::string("cannot open a window (") + SDL_GetError() + ")");
        }
        // Without a display SDL falls back to drivers that show nothing; a window nobody can see is
        // not what the player asked for. Choosing one on purpose (SDL_VIDEODRIVER) is respected.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if ((driver == "offscreen" || driver == "dummy" || driver == "evdev") &&
            !SDL_getenv("SDL_VIDEODRIVER")) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            throw WindowError("no display found");
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window_ =
            SDL_CreateWindow(identity.Title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                             height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
        if (!window_) {
            const std::string error = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            throw WindowError("cannot open a window (" + error + ")");
        }
        // The icon comes first: making the GL context can take a while on a software driver.
        SetIcon(identity);
#if defined(KELVANE_SANITIZE)
        // The software GL driver's shader compiler keeps allocations that the leak checker cannot
        // trace (its generated code has no unwind information), so the checker looks away while a
        // context lives. Headless runs keep full leak checking.
        __lsan_disable();
#endif
        context_ = SDL_GL_CreateContext(window_);
        if (!context_) {
#if defined(KELVANE_SANITIZE)
            __lsan_enable();
#endif
            const std::string error = SDL_GetError();
            SDL_DestroyWindow(window_);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            throw WindowError("cannot create an OpenGL 3.3 core context (" + error + ")");
        }
        SDL_GL_SetSwapInterval(0);
        // A quarter of the logical screen is the smallest picture still worth looking at.
        SDL_SetWindowMinimumSize(window_, width / 4, height / 4);
        SDL_StopTextInput(); // typed text comes from key codes, not from the input method
    }

    ~SdlWindow() override {
        SDL_GL_DeleteContext(context_);
#if defined(KELVANE_SANITIZE)
        __lsan_enable();
#endif
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        // The last SDL user also releases what SDL set up behind the subsystems (its D-Bus link).
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
            SDL_Quit();
        }
    }

    bool PumpEvents(KeyEventSink& sink) override {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            switch (event.type) {
            case SDL_QUIT:
                closing_ = true;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                    closing_ = true;
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                const SDL_Keysym& k = event.key.keysym;
                if (IsAltEnter(k)) {
                    if (event.type == SDL_KEYDOWN && !event.key.repeat) {
                        SetFullscreen(!IsFullscreen());
                    }
                    break; // the toggle's Enter confirms nothing in the game
                }
                const int vk = VirtualKeyFromSdl(k.scancode, k.sym, k.mod);
                if (vk == 0) {
                    break;
                }
                if (event.type == SDL_KEYDOWN) {
                    sink.KeyDown(vk);
                } else {
                    sink.KeyUp(vk);
                }
                break;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const bool down = event.type == SDL_MOUSEBUTTONDOWN;
                if (event.button.button == SDL_BUTTON_LEFT) {
                    sink.MouseButtonChanged(MouseButton::Left, down);
                } else if (event.button.button == SDL_BUTTON_MIDDLE) {
                    sink.MouseButtonChanged(MouseButton::Middle, down);
                } else if (event.button.button == SDL_BUTTON_RIGHT) {
                    sink.MouseButtonChanged(MouseButton::Right, down);
                }
                break;
            }
            default:
                break;
            }
        }
        return !closing_;
    }

    MouseState Mouse() const override {
        int x = 0;
        int y = 0;
        const Uint32 buttons = SDL_GetMouseState(&x, &y);
        int windowWidth = 0;
        int windowHeight = 0;
        SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
        MouseState m;
        Letterbox::Fit(windowWidth, windowHeight, logicalWidth_, logicalHeight_)
            .ToLogical(static_cast<float>(x), static_cast<float>(y), logicalWidth_, logicalHeight_, m.X, m.Y);
        m.Left = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
        m.Middle = (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) != 0;
        m.Right = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
        return m;
    }

    bool HasFocus() const override {
        return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
    }
    bool HasGl() const override {
        return true;
    }
    void Present() override {
        SDL_GL_SwapWindow(window_);
    }

    void RequestClose() override {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }

    void SetFullscreen(bool fullscreen) override {
        if (fullscreen && !IsFullscreen()) {
            SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
        }
        SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }

    bool IsFullscreen() const override {
        return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    }

    void SetClientSize(int width, int height) override {
        if (width > 0 && height > 0) {
            // A fullscreen window takes the size when it leaves fullscreen.
            windowedWidth_ = width;
            windowedHeight_ = height;
            SDL_SetWindowSize(window_, width, height);
        }
    }

    void ClientSize(int& width, int& height) const override {
        if (IsFullscreen()) {
            // The size the window returns to, not the desktop's.
            width = windowedWidth_;
            height = windowedHeight_;
        } else {
            SDL_GetWindowSize(window_, &width, &height);
        }
    }

    void DrawableSize(int& width, int& height) const override {
        SDL_GL_GetDrawableSize(window_, &width, &height);
    }

private:
    void SetIcon(const WindowIdentity& identity) {
        const size_t bytes =
            static_cast<size_t>(identity.IconWidth) * static_cast<size_t>(identity.IconHeight) * 4;
        if (identity.IconWidth <= 0 || identity.IconHeight <= 0 || identity.IconRgba.size() != bytes) {
            return;
        }
        // SDL copies the pixels into the window's icon; the surface only borrows them meanwhile.
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint8_t*>(identity.IconRgba.data()), identity.IconWidth, identity.IconHeight, 32,
            identity.IconWidth * 4, SDL_PIXELFORMAT_RGBA32);
        if (icon) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
    }

    static bool IsAltEnter(const SDL_Keysym& k) {
        return (k.sym == SDLK_RETURN || k.sym == SDLK_KP_ENTER) && (k.mod & KMOD_ALT) != 0;
    }

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool closing_ = false;
    int logicalWidth_;
    int logicalHeight_;
    int windowedWidth_ = logicalWidth_;
    int windowedHeight_ = logicalHeight_;
};

} // namespace

std::unique_ptr<Window> Window::CreateDesktop(const std::string& title, int width, int height) {
    WindowIdentity identity;
    identity.Title = title;
    return CreateDesktop(identity, width, height);
}

std::unique_ptr<Window> Window::CreateDesktop(const WindowIdentity& identity, int width, int height) {
    return std::make_unique<SdlWindow>(identity, width, height);
}
