#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Behavior.h"

// The first start's hint over the top of the world view (its children: a backdrop and "HudText"
// with the words, from the prefab): shown for "ShowTime" seconds of play, then faded out over
// "FadeTime". Once it has faded, the player's settings remember it and it never shows again; it
// never shows without a settings keeper (Service<OptionsStore>), nor when the settings say it has
// been seen. Its words name keys as "{Action}" (MoveUp, MenuCancel, ...): they show the keys bound
// now, so a player who rebinds reads their own keys.
class HudFirstRunHintBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudFirstRunHintBhv";

    HudFirstRunHintBhv();

    // Hides itself for good when the hint was dismissed before.
    void Start() override;
    // Counts down, fades, and at the end records the dismissal.
    void Update() override;

    bool IsShowing() const { return showing_; }

    float ShowTime = 12.0f;
    float FadeTime = 1.5f;

private:
    void Dismiss();
    void ShowBoundKeys();

    bool showing_ = false;
    float elapsed_ = 0.0f;
    std::vector<std::pair<std::string, std::string>> templates_; // child name, its words as built
};
