#pragma once

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Color.h"

// Makes a pickup blink: its colours for 0.45 s, then at half strength and clear for a twentieth of a second
// each.
class PickupFlashBhv : public Behavior {
public:
    static constexpr const char* ClassName = "PickupFlashBhv";

    // Takes the object's tint as the base colour and starts flashing.
    void Start() override;

    Color BaseColour = Color::White();

private:
    CoCommand FlashStep(int step);
};
