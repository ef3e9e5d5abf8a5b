#pragma once

#include "core/Behavior.h"
#include "core/Color.h"

// Marks the gameplay screen, which menus pause and resume, and publishes the window's background
// colour as "BackgroundColor" (stored by the graphics manager, not here). Reached as
// WellKnown<GameplayScreenBhv>.
class GameplayScreenBhv : public Behavior {
public:
    static constexpr const char* ClassName = "GameplayScreenBhv";

    GameplayScreenBhv();
    // Clears the registration if it is still this screen's: a replacement that started first keeps it.
    ~GameplayScreenBhv() override;
    void Start() override;

    // The graphics manager's clear colour; opaque black without one.
    static Color GetBackgroundColor();
    static void SetBackgroundColor(Color color);
};
