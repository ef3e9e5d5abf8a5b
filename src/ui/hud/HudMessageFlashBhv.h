#pragma once

#include <string>

#include "core/Behavior.h"

// A line of text ("Health Up") that appears at full strength and fades out over "FadeTime"
// seconds. Reached as WellKnown<HudMessageFlashBhv>; while it lives, showHudMessage writes to it.
class HudMessageFlashBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudMessageFlashBhv";

    HudMessageFlashBhv();
    // Uninstalls itself as the message sink if it still is the one, and clears its registration.
    ~HudMessageFlashBhv() override;

    // Finds "HudText", registers itself and becomes the sink of showHudMessage.
    void Start() override;
    // Fades the text while time is left; hidden otherwise.
    void Update() override;

    // Shows the text at full strength at once; it fades over "FadeTime" seconds of updates.
    void Show(const std::string& text);

    float FadeTime = 2.0f;
    float TimeLeft = 0.0f;

private:
    GameObject* line_ = nullptr; // "HudText"
    bool installed_ = false;
};
