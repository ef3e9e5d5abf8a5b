#pragma once

#include "core/Behavior.h"

// Shows the player's money ("$ 120") in its child "UiText".
class UiMoneyDisplayBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiMoneyDisplayBhv";

    void Update() override;

private:
    // The amount the text shows, so the text is rebuilt only when the money changes.
    int shown_ = 0;
    bool hasShown_ = false;
};
