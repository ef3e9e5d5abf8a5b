#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/Vector2.h"

class B2FixtureComponent;

// The block placer: an arm towards the pointer that fills the empty cell under the pointer with
// the current block item, when that cell is within reach and nothing stands in it. Places one block
// a frame while the button is held.
class BlockPlacerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "BlockPlacerBhv";
    static constexpr float ClearanceHalfSize = 0.3f;

    BlockPlacerBhv();

    void HandleInput() override;
    void Update() override;

    float MinLength = 1.0f;
    float MaxLength = 3.5f;
    bool Active = false;

private:
    void TryPlace(Vector2 tip, Vector2 pointer);

    std::vector<B2FixtureComponent*> hits_;
    bool showing_ = false; // this placer switched the display on
};
