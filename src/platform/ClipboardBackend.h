#pragma once

#include <memory>
#include <string>

// The system clipboard's text, or an in-process stand-in when the game runs headless.
class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    // The whole text as the system hands it over; empty when the clipboard holds no text.
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;

    // The desktop clipboard (SDL); needs the SDL video subsystem, which the window starts.
    static std::unique_ptr<ClipboardBackend> CreateDesktop();
    // A clipboard living in this process only.
    static std::unique_ptr<ClipboardBackend> CreateHeadless();
};
