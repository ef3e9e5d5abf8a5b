#include "world/tiles/TileDisplayManagerBhv.h"

#include <cmath>

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "prefabs/PrefabManager.h"
#include "world/TileGrid.h"
#include "world/WorldCamera.h"
#include "world/tiles/TileSpriteBhv.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

void TileDisplayManagerBhv::Start() {
    int width = 1280;
    int height = 720;
    if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        width = graphics->Width;
        height = graphics->Height;
    }
    columns_ = (width - 320) / 16 + 2;
    rows_ = height / 16 + 2;
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!Owner || !prefabs) {
        columns_ = rows_ = 0;
        return;
    }
    // The pool is content the game cannot draw the world without.
    prefabs->Require("TileSprite");
    pool_.reserve(static_cast<size_t>(columns_) * rows_);
    for (int i = 0; i < columns_ * rows_; ++i) {
        auto* object = new GameObject("TileSprite");
        Owner->AppendChild(object);
        // A prefab without the marker still takes its place, so the pool stays row-major.
        pool_.push_back(object->GetComponentOfType<TileSpriteBhv>());
    }
}

void TileDisplayManagerBhv::Update() {
    const Camera2d camera = CurrentWorldCamera();
    const int left = static_cast<int>(std::floor(camera.Position.x - camera.Size.x * 0.5f));
    const int top = static_cast<int>(std::ceil(camera.Position.y + camera.Size.y * 0.5f));
    const TileGrid* grid = Service<TileGrid>::TryGet();
    for (int j = 0; j < rows_; ++j) {
        const int row = j - top;
        for (int i = 0; i < columns_; ++i) {
            TileSpriteBhv* entry = pool_[static_cast<size_t>(j) * columns_ + i];
            if (!entry || !entry->Owner) {
                continue;
            }
            GameObject& object = *entry->Owner;
            const int column = left + i;
            const int code = grid ? grid->Get(column, row) : 0;
            if (Pos2dComponent* pos = entry->Pos2d()) {
                pos->Pos = {static_cast<float>(column) + 0.5f, static_cast<float>(top - j) - 0.5f};
            }
            const TileTypeBhv* type = GetTileType(code);
            const int image = type ? type->ImageIndex : -1;
            if (image < 0) {
                object.DrawEnabled = false;
                continue;
            }
            object.DrawEnabled = true;
            if (entry->ShownImage != image) {
                if (SpriteComponent* sprite = entry->Sprite()) {
                    sprite->SelectSprite(image);
                }
                entry->ShownImage = image;
            }
        }
    }
}
