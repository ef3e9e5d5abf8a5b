#include "player/HudMessage.h"

#include "core/WellKnown.h"

void showHudMessage(const std::string& text) {
    if (HudMessageSink* sink = WellKnown<HudMessageSink>::Get()) {
        sink->ShowHudMessage(text);
    }
}

void showHudMessage(const std::string& text, float seconds) {
    if (HudMessageSink* sink = WellKnown<HudMessageSink>::Get()) {
        sink->ShowHudMessageFor(text, seconds);
    }
}
