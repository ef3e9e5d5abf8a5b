#include "platform/Window.h"

namespace {

// No display, no GL: the mouse rests at the origin, focus is always held, closing is only asked.
class HeadlessWindow final : public Window {
public:
    bool PumpEvents(KeyEventSink&) override { return !closing_; }
    MouseState Mouse() const override { return {}; }
    bool HasFocus() const override { return true; }
    bool HasGl() const override { return false; }
    void Present() override {}
    void RequestClose() override { closing_ = true; }

private:
    bool closing_ = false;
};

} // namespace

std::unique_ptr<Window> Window::CreateHeadless(int, int) { return std::make_unique<HeadlessWindow>(); }
