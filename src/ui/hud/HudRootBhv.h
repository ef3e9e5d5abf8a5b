#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"
#include "ui/hud/CachedNumberText.h"

// The HUD's top object, reached as WellKnown<HudRootBhv>: the money and hull readouts of
// "HudStats", the quick-slot keys, and the loadout mode the store's loadout menu switches on
// (rows of the inventory list are then dragged onto the quick slots instead of used).
class HudRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudRootBhv";

    // Clears the registration if it is still this HUD's.
    ~HudRootBhv() override;

    // Finds "HudStats"/"Money" and "HudStats"/"Health" and registers itself.
    void Start() override;
    // Rewrites a readout only when its numbers changed; a readout the editor removed or rebuilt is
    // looked for again, and one without a text is skipped.
    void Update() override;
    // "Quickslot1".."Quickslot5" select the slot when the inventory has that many; later keys win.
    // "QuickslotPrevious" and "QuickslotNext" step through the slots it has, wrapping.
    void HandleInput() override;

    void SetLoadoutMode(bool on) { loadoutMode_ = on; }
    bool IsLoadoutMode() const { return loadoutMode_; }

    // The money the world events reward the player at, shown beside the money.
    static constexpr int MoneyGoal = 2816;

private:
    bool loadoutMode_ = false;
    void FindReadouts();

    Handle<GameObject> moneyReadout_;
    Handle<GameObject> healthReadout_;
    CachedNumberText money_;
    CachedNumberText health_;
};
