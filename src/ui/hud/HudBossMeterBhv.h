#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/Handle.h"

// The boss health bar. It shows while a boss is about and shrinks towards its left end as the
// bosses lose health; "EmptyTeasePercent" of their total is left when it reads empty, so the last
// blows land on an empty bar.
class HudBossMeterBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudBossMeterBhv";

    HudBossMeterBhv();
    // Unsubscribes from the boss and game events.
    ~HudBossMeterBhv() override;

    // Remembers the bar's x and width, subscribes, hides the meter.
    void Start() override;
    // Sizes the bar to the bosses' remaining share of health.
    void Update() override;

    // What the events do.
    void OnBossAppeared(GameObject* boss);
    void OnBossGone(GameObject* boss);
    void Reset();

    // The bar's fill, 0 (empty) to 1 (full), from the listed bosses' health.
    float Fill() const;

    float EmptyTeasePercent = 10.0f;

private:
    Handle<GameObject> bar_; // looked for again when the editor removes or rebuilds it
    float baseX_ = 0.0f;
    float baseWidth_ = 0.0f;
    std::vector<Handle<GameObject>> bosses_; // a boss the editor removes leaves without an event
    int total_ = 0;
};
