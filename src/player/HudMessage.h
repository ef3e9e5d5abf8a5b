#pragma once

#include <string>

// Whoever shows short texts on the HUD (the HUD's message flash), reached as
// WellKnown<HudMessageSink>. The player's side only calls showHudMessage.
class HudMessageSink {
public:
    virtual void ShowHudMessage(const std::string& text) = 0;
    // Held for the given seconds instead of the usual time; a sink without timing shows it as usual.
    virtual void ShowHudMessageFor(const std::string& text, float /*seconds*/) { ShowHudMessage(text); }

protected:
    ~HudMessageSink() = default;
};

// Flashes a short text on the HUD ("Health Up"). Until a HUD registers its flash, nothing is shown.
// A newer message replaces the one showing: one at a time.
void showHudMessage(const std::string& text);
// The same, held for the given seconds (the death line stays until the respawn).
void showHudMessage(const std::string& text, float seconds);
