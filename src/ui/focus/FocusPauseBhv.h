#pragma once

#include "core/Behavior.h"

// Pauses the game while its window is not in front, as an open menu would, and ducks its sound;
// both come back with the focus. A menu opened meanwhile keeps the game paused, and a game that was
// already paused (a menu, a message box, the editor) is left as it was. It sits outside the paused
// objects, so it keeps watching while the game stands still.
class FocusPauseBhv : public Behavior {
public:
    static constexpr const char* ClassName = "FocusPauseBhv";

    FocusPauseBhv();
    ~FocusPauseBhv() override;

    void Update() override;

    // The share of the player's volume heard while the window is in the background.
    float DuckLevel = 0.25f;

private:
    void Lose();
    void Regain();
    void Duck(bool on);

    bool focused_ = true;
    bool pausedByFocus_ = false; // the game ran when the focus went, and this paused it
    bool ducked_ = false;
};
