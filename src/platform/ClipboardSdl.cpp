#include "platform/ClipboardBackend.h"

#include <SDL.h>

namespace {

class SdlClipboard final : public ClipboardBackend {
public:
    std::string GetText() override {
        if (!SDL_HasClipboardText())
            return {};
        char* text = SDL_GetClipboardText();
        if (!text)
            return {};
        std::string result(text);
        SDL_free(text);
        return result;
    }
    void SetText(const std::string& text) override { SDL_SetClipboardText(text.c_str()); }
};

} // namespace

std::unique_ptr<ClipboardBackend> ClipboardBackend::CreateDesktop() {
    return std::make_unique<SdlClipboard>();
}
