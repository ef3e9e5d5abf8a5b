#include "player/tools/DrillBhv.h"

#include <cmath>

#include "audio/CueLoopedBhv.h"
#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "physics/B2FixtureComponent.h"
#include "player/EnemyLink.h"
#include "player/HudMessage.h"
#include "player/items/ItemComponent.h"
#include "player/tools/DrillTargetBhv.h"
#include "player/tools/ToolSupport.h"
#include "world/TileGrid.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/FirstSolidCell.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

float Now() {
    const GameTime* time = Service<GameTime>::TryGet();
    return time ? time->TotalTime : 0.0f;
}

// The tile type of the solid tile at a point, or null.
TileTypeBhv* SolidTypeAt(Vector2 point, TileGrid::Cell& cell) {
    const TileGrid* grid = Service<TileGrid>::TryGet();
    if (!grid) {
        return nullptr;
    }
    cell = TileGrid::CellAt(point.x, point.y);
    const uint8_t code = grid->Get(cell.Column, cell.Row);
    TileTypeBhv* type = code == 0 ? nullptr : GetTileType(code);
    return type && type->IsSolid ? type : nullptr;
}

// The arm ends just inside the first solid tile on its way out, however far the pointer lies beyond:
// it never reaches through ground to dig the tile behind.
Vector2 StopAtGround(Vector2 s, Vector2 v) {
    const TileGrid* grid = Service<TileGrid>::TryGet();
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (!grid || !(length > 0.0f)) {
        return v;
    }
    const SolidHit hit = FirstSolidCell(*grid, s, s + v);
    if (!hit.Found) {
        return v;
    }
    // A little past the border, so that the tip lies in the cell hit.
    constexpr float InsideTile = 0.05f;
    return v * std::min(1.0f, hit.Along + InsideTile / length);
}

void FlipHeight(GameObject* object) {
    if (SpriteComponent* sprite = object ? object->Sprite() : nullptr) {
        sprite->Size.y = -sprite->Size.y;
    }
}

} // namespace

DrillBhv::DrillBhv() {
    RegisterProperty("MinLength", &MinLength);
    RegisterProperty("MaxLength", &MaxLength);
    RegisterProperty("DrillTint", &DrillTint);
    RegisterProperty("DamageAmount", &DamageAmount);
    RegisterProperty("DamageFrequency", &DamageFrequency);
    RegisterProperty("Hardness", &Hardness);
}

DrillBhv::~DrillBhv() {
    // At shutdown the cue manager and its cue objects may have gone first; then so have the sounds.
    if (WellKnown<CueManagerBhv>::Get()) {
        EndGrind();
        stopLoopedCue(spin_.Get());
    }
}

void DrillBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    Active = input && input->IsActionDown(Action::MainWeapon) && AimOverPlayArea();
    Target = Active ? AimWorldPosition(MaxLength) : Vector2{};
}

void DrillBhv::Update() {
    // Looked up every frame: the display goes with the sub root, and the spin routine reads it.
    display_ = FindOrCreateDisplay(SubBackLayer, "DrillDisplay");
    if (!display_) {
        StopCoroutine<&DrillBhv::SpinStep>();
        StopCoroutine<&DrillBhv::HitStep>();
    } else {
        if (!Owner || !IsSelectedTool(*Owner)) {
            Active = false;
        }
        if (Active) {
            Drive(*display_.Get());
        } else {
            Idle(*display_.Get());
        }
    }
    ExpireDamagedTiles();
}

void DrillBhv::Drive(GameObject& display) {
    Vector2 s;
    if (!SubPosition(s)) {
        return;
    }
    display.SetPassesEnabled(true);
    showing_ = true;
    if (TintComponent* tint = display.Tint()) {
        tint->Tint = DrillTint;
    }
    if (!spin_) {
        spin_ = playLoopedCue("DrillSpin");
    }
    const Vector2 v = StopAtGround(s, ClampReach(Target - s, MinLength, MaxLength));
    Tip = s + v;
    if (GameObject* stem = display.FindChild("DrillStemSprite")) {
        StretchBetween(*stem, s, Tip);
    }
    if (GameObject* head = display.FindChild("DrillHeadSprite")) {
        if (Pos2dComponent* pos = head->Pos2d()) {
            pos->Pos = Tip;
            pos->Rotation = std::atan2(v.y, v.x);
        }
    }
    StartCoroutine<&DrillBhv::SpinStep>();
    StartCoroutine<&DrillBhv::HitStep>();

    TileGrid::Cell cell;
    const TileTypeBhv* type = SolidTypeAt(Tip, cell);
    if (type && type->Hardness <= Hardness) {
        if (!grind_) {
            grind_ = playLoopedCue("DrillGrind");
        }
    } else {
        EndGrind();
    }
    ShowTarget(type, cell);
}

void DrillBhv::ShowTarget(const TileTypeBhv* type, TileGrid::Cell cell) {
    GameObject* display = FindOrCreateDisplay(SubFrontLayer, "DrillTargetDisplay");
    DrillTargetBhv* target = display ? display->GetComponentOfType<DrillTargetBhv>() : nullptr;
    if (!target) {
        return;
    }
    display->SetPassesEnabled(type != nullptr);
    if (!type) {
        return;
    }
    float worn = 0.0f;
    const int index = cell.Row * TileGrid::Columns + cell.Column;
    for (const DamagedTile& tile : DamagedTiles) {
        if (tile.Cell == index) {
            worn = type->DrillResistance > 0 ? 1.0f - static_cast<float>(tile.Resistance) /
                                                          static_cast<float>(type->DrillResistance)
                                             : 1.0f;
        }
    }
    target->Show(cell, worn, type->Hardness > Hardness);
}

void DrillBhv::Idle(GameObject& display) {
    // Every drill shares the one display: only the drill that showed it hides it, so an idle drill
    // in another slot never hides the selected one's arm.
    if (showing_) {
        display.SetPassesEnabled(false);
        if (GameObject* target = FindOrCreateDisplay(SubFrontLayer, "DrillTargetDisplay")) {
            target->SetPassesEnabled(false);
        }
        showing_ = false;
    }
    StopCoroutine<&DrillBhv::SpinStep>();
    StopCoroutine<&DrillBhv::HitStep>();
    stopLoopedCue(spin_.Get());
    spin_ = nullptr;
    EndGrind();
}

void DrillBhv::EndGrind() {
    endLoopedCue(grind_.Get());
    grind_ = nullptr;
}

void DrillBhv::ExpireDamagedTiles() {
    const float now = Now();
    for (size_t i = DamagedTiles.size(); i-- > 0;) {
        if (now - DamagedTiles[i].FirstHit > RecoveryTime) {
            DamagedTiles.erase(DamagedTiles.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

CoCommand DrillBhv::SpinStep(int step) {
    if (step == 0) {
        if (display_) {
            FlipHeight(display_->FindChild("DrillStemSprite"));
            FlipHeight(display_->FindChild("DrillHeadSprite"));
        }
        return CoWaitSeconds(0.05f);
    }
    return CoRestart();
}

CoCommand DrillBhv::HitStep(int step) {
    // A drill without a positive rate never strikes; it only keeps looking each frame.
    const bool strikes = DamageFrequency > 0.0f;
    if (step == 0) {
        return strikes ? CoWaitSeconds(1.0f / DamageFrequency) : CoWaitFrames(1);
    }
    if (strikes) {
        Hit();
    }
    return CoRestart();
}

void DrillBhv::TooHard() {
    playCue("DrillTooHard");
    // The sound repeats with every blow; the line is said once while the drill stays on hard ground.
    if (!toldTooHard_) {
        toldTooHard_ = true;
        const ItemComponent* item = Owner ? ItemOf(*Owner) : nullptr;
        showHudMessage("Too hard for the " +
                       (item && !item->DisplayName.empty() ? item->DisplayName : "drill") +
                       ": needs a better drill");
    }
}

void DrillBhv::Hit() {
    hits_.clear();
    ThingRootBhv::QueryFixturesInSquare(Tip, EnemyReach, hits_);
    for (B2FixtureComponent* fixture : hits_) {
        Component* enemy = fixture->Owner ? FindEnemy(*fixture->Owner) : nullptr;
        if (!enemy) {
            continue;
        }
        if (ReadEnemyValues(*enemy).Hardness > Hardness) {
            TooHard();
            return;
        }
        DamageEnemy(*enemy, DamageAmount, fixture);
    }

    TileGrid::Cell cell;
    TileTypeBhv* type = SolidTypeAt(Tip, cell);
    if (!type) {
        toldTooHard_ = false;
        return;
    }
    if (type->Hardness > Hardness) {
        TooHard();
        return;
    }
    toldTooHard_ = false;
    const int index = cell.Row * TileGrid::Columns + cell.Column;
    DamagedTile* entry = nullptr;
    for (DamagedTile& tile : DamagedTiles) {
        if (tile.Cell == index) {
            entry = &tile;
            break;
        }
    }
    if (!entry) {
        DamagedTiles.push_back({index, type->DrillResistance, Now()});
        entry = &DamagedTiles.back();
    }
    entry->Resistance -= DamageAmount;
    playCue("DrillDamage");
    if (entry->Resistance <= 0) {
        type->DestroyTile(cell.Column, cell.Row);
    }
}
