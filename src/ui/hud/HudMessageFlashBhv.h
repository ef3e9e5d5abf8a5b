#pragma once

#include <string>

#include "core/Behavior.h"
#include "core/Handle.h"

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

    // Shows the text at full strength for "FadeTime" seconds.
    void Show(const std::string& text);

    float FadeTime = 2.0f;
    float TimeLeft = 0.0f;

private:
    GameObject* Line(); // "HudText", looked for again when the editor removed or rebuilt it

    Handle<GameObject> line_;
    bool installed_ = false;
};
