#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Color.h"
#include "core/Handle.h"
#include "core/Vector2.h"
#include "world/TileGrid.h"

class B2FixtureComponent;
class CueLoopedBhv;
class GameObject;
class TileTypeBhv;

// The drill: an arm from the submarine towards the pointer, stopped by the first solid tile on its way,
// whose spinning head hurts creatures and wears tiles down at its tip, a few hits a second; the tile
// at the tip is outlined, with a crack that grows as it wears. A tile left alone for 4 s after its first hit
// recovers.
class DrillBhv : public Behavior {
public:
    static constexpr const char* ClassName = "DrillBhv";
    static constexpr float RecoveryTime = 4.0f;
    static constexpr float EnemyReach = 0.25f;

    struct DamagedTile {
        int Cell = 0; // row * 150 + column
        int Resistance = 0;
        float FirstHit = 0.0f;
    };

    DrillBhv();
    // Lets the grind play out and stops the spin.
    ~DrillBhv() override;

    void HandleInput() override;
    void Update() override;

    // One blow at the tip: creatures first (a creature harder than the drill blocks the whole
    // blow), then the tile.
    void Hit();
    // The error sound, and once in a row a HUD line naming this drill.
    void TooHard();

    float MinLength = 1.0f;
    float MaxLength = 3.0f;
    Color DrillTint = Color::White();
    int DamageAmount = 3;
    float DamageFrequency = 3.0f;
    int Hardness = 10;

    bool Active = false;
    Vector2 Target;
    Vector2 Tip;
    std::vector<DamagedTile> DamagedTiles;

private:
    CoCommand SpinStep(int step);
    CoCommand HitStep(int step);
    void Drive(GameObject& display);
    void Idle(GameObject& display);
    // Outlines the solid tile at the tip with its crack, or hides the outline when there is none.
    void ShowTarget(const TileTypeBhv* type, TileGrid::Cell cell);
    void EndGrind();
    void ExpireDamagedTiles();

    Handle<GameObject> display_;
    bool showing_ = false; // this drill switched the display on
    Handle<CueLoopedBhv> spin_;
    Handle<CueLoopedBhv> grind_;
    std::vector<B2FixtureComponent*> hits_; // reused by every blow
    bool toldTooHard_ = false;              // the HUD said so since the drill last met softer ground
};
