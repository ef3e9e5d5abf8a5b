#include "app/Clipboard.h"

#include "core/Service.h"
#include "platform/ClipboardBackend.h"

namespace {
constexpr size_t MaxClipboardBytes = 1024;
}

std::string GetClipboardText() {
    ClipboardBackend* backend = Service<ClipboardBackend>::TryGet();
    if (!backend)
        return {};
    std::string text = backend->GetText();
    if (size_t zero = text.find('\0'); zero != std::string::npos)
        text.resize(zero);
    if (text.size() > MaxClipboardBytes)
        text.resize(MaxClipboardBytes);
    return text;
}

void SetClipboardText(const std::string& text) {
    if (ClipboardBackend* backend = Service<ClipboardBackend>::TryGet())
        backend->SetText(text);
}
