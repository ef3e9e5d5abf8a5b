#include "player/tools/BlockPlacerBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/tools/ToolSupport.h"
#include "world/TileGrid.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

// The tile type a block item is placed as: the one naming it as its item.
const TileTypeBhv* TypeForBlock(const std::string& itemName) {
    const TileTypeTable* table = WellKnown<TileTypeTable>::Get();
    if (!table) {
        return nullptr;
    }
    for (int code = 1; code < table->Size(); ++code) {
        const TileTypeBhv* type = table->Get(code);
        if (type && type->CorrespondingItem == itemName) {
            return type;
        }
    }
    return nullptr;
}

} // namespace

BlockPlacerBhv::BlockPlacerBhv() {
    RegisterProperty("MinLength", &MinLength);
    RegisterProperty("MaxLength", &MaxLength);
}

void BlockPlacerBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    Active = input && input->IsActionDown(Action::MainWeapon) && AimOverPlayArea();
}

void BlockPlacerBhv::Update() {
    GameObject* display = FindOrCreateDisplay(SubBackLayer, "BlockPlacerDisplay");
    if (!display) {
        return;
    }
    if (!Owner || !IsSelectedTool(*Owner)) {
        Active = false;
    }
    Vector2 s;
    if (!Active || !SubPosition(s)) {
        // Only the placer that showed the shared display hides it.
        if (showing_) {
            display->SetPassesEnabled(false);
            showing_ = false;
        }
        return;
    }
    display->SetPassesEnabled(true);
    showing_ = true;
    const Vector2 pointer = AimWorldPosition(MaxLength);
    const Vector2 tip = s + ClampReach(pointer - s, MinLength, MaxLength);
    StretchBetween(*display, s, tip);
    TryPlace(tip, pointer);
}

void BlockPlacerBhv::TryPlace(Vector2 tip, Vector2 pointer) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    TileGrid* grid = Service<TileGrid>::TryGet();
    if (!inventory || !inventory->CurrentBlock || !grid) {
        return;
    }
    ItemComponent* block = inventory->CurrentBlock.Get();
    const TileGrid::Cell cell = TileGrid::CellAt(tip.x, tip.y);
    const TileGrid::Cell pointed = TileGrid::CellAt(pointer.x, pointer.y);
    if (cell.Column != pointed.Column || cell.Row != pointed.Row || grid->Get(cell.Column, cell.Row) != 0) {
        return;
    }
    hits_.clear();
    ThingRootBhv::QueryFixturesInSquare(TileGrid::CellCentre(cell.Column, cell.Row), ClearanceHalfSize,
                                        hits_);
    if (!hits_.empty()) {
        return;
    }
    const TileTypeBhv* type = TypeForBlock(block->ItemName());
    if (!type || type->TileIndex <= 0 || type->TileIndex > 255) {
        return;
    }
    grid->Set(cell.Column, cell.Row, static_cast<uint8_t>(type->TileIndex));
    playCue("BlockPlaced");
    removeItem(block, 1);
    if (SceneryCollisionManagerBhv* scenery = WellKnown<SceneryCollisionManagerBhv>::Get()) {
        scenery->MarkSceneryDirty(cell.Column, cell.Row);
    }
}
