#include "platform/ClipboardBackend.h"

namespace {

class HeadlessClipboard final : public ClipboardBackend {
public:
    std::string GetText() override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

} // namespace

std::unique_ptr<ClipboardBackend> ClipboardBackend::CreateHeadless() {
    return std::make_unique<HeadlessClipboard>();
}
