#pragma once

#include <cstdint>
#include <vector>

#include "core/Behavior.h"
#include "saves/ProgressKeeper.h"

// Keeps the player's progress when they leave: it knows whether the running game holds progress
// that no slot file has (measured from the last save, load or new game, and from the start), and
// writes it to the autosave slot when the player leaves a supply station's store and when the game
// ends by quitting or by closing its window. It sits outside the paused objects, so it sees the store
// close. Reached as WellKnown<AutosaveBhv> and as the saved games' WellKnown<ProgressKeeper>.
class AutosaveBhv : public Behavior, public ProgressKeeper {
public:
    static constexpr const char* ClassName = "AutosaveBhv";

    ~AutosaveBhv() override;

    void Start() override;
    // Takes the starting game as the measure once it stands, and saves when the store has closed.
    void Update() override;

    void GameSaved(const SavedGame& game) override;
    void GameLoaded() override { Remeasure(); }
    // A new game started: nothing of it is unsaved yet.
    void GameStarted() { Remeasure(); }

    // The game differs from the last one saved, loaded or started in more than positions.
    bool HasUnsavedProgress() const;
    // Writes the autosave when there is unsaved progress; true when it wrote one.
    bool SaveOnLeaving();

private:
    // The measure is taken again two updates from now, once a rebuilt game has settled (objects
    // replaced during a frame are gone only after it).
    void Remeasure() { remeasureIn_ = 2; }
    bool StoreOpen() const;

    std::vector<uint8_t> kept_; // ProgressOf the game last saved, loaded or started
    int remeasureIn_ = 1;
    bool storeWasOpen_ = false;
};
