#pragma once

#include <string>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "player/HudMessage.h"

// A line of text ("Health Up") that appears at full strength and fades out over "FadeTime"
// seconds. Reached as WellKnown<HudMessageFlashBhv>, and as WellKnown<HudMessageSink> while it lives,
// so showHudMessage writes to it.
class HudMessageFlashBhv : public Behavior, public HudMessageSink {
public:
    static constexpr const char* ClassName = "HudMessageFlashBhv";

    HudMessageFlashBhv();
    // Clears its registrations where they are still its own.
    ~HudMessageFlashBhv() override;

    // Finds "HudText" and registers itself, also as the sink of showHudMessage.
    void Start() override;
    // Fades the text while time is left; hidden otherwise.
    void Update() override;

    // Shows the text at full strength at once; it fades over "FadeTime" seconds of updates.
    void Show(const std::string& text);
    void ShowHudMessage(const std::string& text) override;

    float FadeTime = 2.0f;
    float TimeLeft = 0.0f;

private:
    GameObject* Line(); // "HudText", looked for again when the editor removed or rebuilt it

    Handle<GameObject> line_;
    bool installed_ = false;
};
