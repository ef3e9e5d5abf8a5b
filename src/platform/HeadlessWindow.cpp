#include "platform/Window.h"

namespace {

// No display, no GL: the mouse rests at the origin, focus is always held, closing is only asked; the
// size and fullscreen flag are only remembered.
class HeadlessWindow final : public Window {
public:
    HeadlessWindow(int width, int height) : width_(width), height_(height) {}

    bool PumpEvents(KeyEventSink&) override { return !closing_; }
    MouseState Mouse() const override { return {}; }
    bool HasFocus() const override { return true; }
    bool HasGl() const override { return false; }
    void Present() override {}
    void RequestClose() override { closing_ = true; }
    void SetFullscreen(bool fullscreen) override { fullscreen_ = fullscreen; }
    bool IsFullscreen() const override { return fullscreen_; }
    void SetClientSize(int width, int height) override {
        width_ = width;
        height_ = height;
    }
    void ClientSize(int& width, int& height) const override {
        width = width_;
        height = height_;
    }
    void DrawableSize(int& width, int& height) const override { ClientSize(width, height); }

private:
    bool closing_ = false;
    bool fullscreen_ = false;
    int width_;
    int height_;
};

} // namespace

std::unique_ptr<Window> Window::CreateHeadless(int width, int height) {
    return std::make_unique<HeadlessWindow>(width, height);
}
