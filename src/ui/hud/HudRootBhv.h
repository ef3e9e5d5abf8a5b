#pragma once

#include "core/Behavior.h"
#include "core/Color.h"
#include "core/Handle.h"
#include "core/Vector2.h"
#include "ui/hud/CachedNumberText.h"

// The HUD's top object, reached as WellKnown<HudRootBhv>: the money, hull and depth readouts of
// "HudStats" (the hull readout shakes in red for a moment when a hit lands), the quick-slot keys, and the
// loadout mode the store's loadout menu switches on (rows of the inventory list are then dragged onto the
// quick slots instead of used).
class HudRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudRootBhv";

    // Clears the registration if it is still this HUD's.
    ~HudRootBhv() override;

    // Finds "HudStats"/"Money", "Health" and (optional) "Depth" and registers itself.
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
    // Metres below the surface for a world y: one a tile, rounded, 0 above the water.
    static int DepthMetres(float y);
    // How long the hull readout shows a hit, the colour it turns and how far it shakes (pixels).
    static constexpr float HurtShowTime = 0.75f;
    static constexpr Color HurtTint{255, 40, 40, 255};
    static constexpr float HurtShake = 3.0f;

private:
    bool loadoutMode_ = false;
    void FindReadouts();
    void ShowHurt(GameObject& readout, int health);

    Handle<GameObject> moneyReadout_;
    Handle<GameObject> healthReadout_;
    CachedNumberText money_;
    CachedNumberText health_;
    Handle<GameObject> depthReadout_;
    CachedNumberText depth_;
    int lastHealth_ = -1;
    float hurtTimeLeft_ = 0.0f;
    int hurtFrame_ = 0;
    Color healthTint_{255, 255, 255, 255}; // the readout's own look, back when the hit is over
    Vector2 healthPos_;
};
