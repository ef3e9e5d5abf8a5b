#pragma once

#include "core/Behavior.h"
#include "player/items/IUseable.h"

// A repair kit: restores hull points, never beyond the maximum, and is used up one at a time.
class HealthItemBhv : public Behavior, public IUseable {
public:
    static constexpr const char* ClassName = "HealthItemBhv";

    HealthItemBhv();

    // While the hull is below its maximum.
    bool canUse() override;
    void use() override;

    int HealthToRestore = 1;
};
