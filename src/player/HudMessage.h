#pragma once

#include <string>

// Whoever shows short texts on the HUD (the HUD's message flash), reached as
// WellKnown<HudMessageSink>. The player's side only calls showHudMessage.
class HudMessageSink {
public:
    virtual void ShowHudMessage(const std::string& text) = 0;

protected:
    ~HudMessageSink() = default;
};

// Flashes a short text on the HUD ("Health Up"). Until a HUD registers its flash, nothing is shown.
void showHudMessage(const std::string& text);
