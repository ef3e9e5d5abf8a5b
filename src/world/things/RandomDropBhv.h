#pragma once

#include <string>

#include "core/Behavior.h"
#include "core/Vector2.h"

// What an enemy or a tile leaves behind: one weighted choice among nothing and three named drops.
// A drop name is an item ("Item_" anywhere in it), "Heart", "Upgrade", "Money_<a>to<b>" (a to b
// coins) or the prefab of a thing.
class RandomDropBhv : public Behavior {
public:
    static constexpr const char* ClassName = "RandomDropBhv";

    RandomDropBhv();

    // Chooses and spawns the drop at the position through the thing root.
    void Drop(Vector2 position);

    float NoDropWeight = 1.0f;
    std::string Drop1Name;
    std::string Drop2Name;
    std::string Drop3Name;
    float Drop1Weight = 0.0f;
    float Drop2Weight = 0.0f;
    float Drop3Weight = 0.0f;
};
