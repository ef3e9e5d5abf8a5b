#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/GameObject.h"
#include "core/Handle.h"

// The store's "on its way" panel: one "UiNeedMenuItem" row per unlock the player has started on
// (some of the needed item sold, not yet enough), with how many more are needed. It flashes when
// it first has something to show and is hidden while it has nothing.
class UiNeedsSectionBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiNeedsSectionBhv";
    static constexpr int FlashSteps = 10;

    UiNeedsSectionBhv();

    void Start() override;
    // Fills the rows from the for-sale catalogue's unlocks and starts or ends the flashing.
    void Update() override;

    int RowsInUse() const;

    float UnlockFlashPeriod = 0.1666667f; // seconds per flash step

private:
    struct Row {
        Handle<GameObject> Object; // rows the editor removed or rebuilt are collected again
        bool InUse = false;
    };
    void CollectRows();

    CoCommand FlashStep(int step);

    std::vector<Row> rows_;
    bool flashing_ = false;
};
