#pragma once

#include <string>

#include "core/Behavior.h"
#include "core/Handle.h"

// One quick-slot frame: the icon of the weapon in slot "SlotIndex", the current block beside the
// block placer, and a border that is bright on the selected slot.
class HudWeaponSlotBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudWeaponSlotBhv";

    HudWeaponSlotBhv();

    void Start() override;
    // Pieces the editor removed or rebuilt are looked for again; missing ones are skipped.
    void Update() override;

    int SlotIndex = 0;          // 0-based
    float InactiveAlpha = 0.3f; // border opacity while another slot is selected

private:
    void FindPieces();

    Handle<GameObject> icon_;
    Handle<GameObject> placerBlock_;
    Handle<GameObject> border_;
    std::string shownIcon_;      // what "Icon" shows
    std::string shownBlockIcon_; // what "PlacerBlock" shows
};
