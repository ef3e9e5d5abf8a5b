#pragma once

#include <functional>
#include <string>
#include <utility>

#include "core/WellKnown.h"
#include "player/HudMessage.h"

// Hands every HUD message the game shows to record, registered as the HUD's message sink for its
// lifetime (the one registered before comes back after).
class HudMessageRecorder : public HudMessageSink {
public:
    explicit HudMessageRecorder(std::function<void(const std::string&)> record)
        : record_(std::move(record)) {}
    void ShowHudMessage(const std::string& text) override { record_(text); }

private:
    std::function<void(const std::string&)> record_;
    WellKnown<HudMessageSink>::Override registration_{this};
};
