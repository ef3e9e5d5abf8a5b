#include "world/scenery/SceneryCollisionManagerBhv.h"

#include <cmath>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "physics/B2BodyComponent.h"
#include "prefabs/PrefabManager.h"
#include "world/WorldCamera.h"
#include "world/scenery/SceneryCollisionBlockBhv.h"

namespace {

float BlockKey(int cell) {
    return static_cast<float>(SceneryCollisionManagerBhv::BlockCells *
                              static_cast<int>(std::floor(static_cast<float>(cell) / 10.0f)));
}

} // namespace

SceneryCollisionManagerBhv::~SceneryCollisionManagerBhv() {
    WellKnown<SceneryCollisionManagerBhv>::ClearIf(this);
}

void SceneryCollisionManagerBhv::Start() {
    const Camera2d camera = CurrentWorldCamera();
    columns_ = static_cast<int>(std::ceil(std::fabs(camera.Size.x) / BlockCells)) + 2 * Margin;
    rows_ = static_cast<int>(std::ceil(std::fabs(camera.Size.y) / BlockCells)) + 2 * Margin;
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs) {
        return;
    }
    prefabs->Require("SceneryCollisionBlock");
    blocks_.clear();
    for (int i = 0; i < columns_ * rows_; ++i) {
        auto* object = new GameObject("SceneryCollisionBlock");
        auto* block = object->GetComponentOfType<SceneryCollisionBlockBhv>();
        if (!block) {
            block = new SceneryCollisionBlockBhv();
            object->AddComponent(block);
        }
        if (Owner) {
            Owner->AppendChild(object);
        } else {
            object->DestroyLater();
        }
        blocks_.push_back(block);
    }
    WellKnown<SceneryCollisionManagerBhv>::Register(this);
    body_ = Body() ? Body()->GetBody() : nullptr;
}

void SceneryCollisionManagerBhv::Update() {
    const Camera2d camera = CurrentWorldCamera();
    const float left = std::floor(camera.Position.x - std::fabs(camera.Size.x) / 2);
    const float top = std::ceil(camera.Position.y + std::fabs(camera.Size.y) / 2);
    const float x0 = (std::floor(left / BlockCells) - Margin) * BlockCells;
    const float y0 = (std::ceil(top / BlockCells) + Margin) * BlockCells;
    const float width = static_cast<float>(columns_ * BlockCells);
    const float height = static_cast<float>(rows_ * BlockCells);

    free_.clear();
    rebuild_.clear();
    covered_.assign(static_cast<size_t>(columns_) * rows_, false);
    for (SceneryCollisionBlockBhv* block : blocks_) {
        const bool inside =
            block->KeyX >= x0 && block->KeyX < x0 + width && block->KeyY <= y0 && block->KeyY > y0 - height;
        if (!inside) {
            block->Dirty = false;
            free_.push_back(block);
            continue;
        }
        const size_t i = static_cast<size_t>((block->KeyX - x0) / BlockCells);
        const size_t j = static_cast<size_t>((y0 - block->KeyY) / BlockCells);
        const size_t slot = j * columns_ + i;
        if (covered_[slot]) {
            // Two blocks on one key: the second is spare.
            block->Dirty = false;
            free_.push_back(block);
            continue;
        }
        covered_[slot] = true;
        if (block->Dirty) {
            rebuild_.push_back(block);
        }
    }
    size_t nextFree = 0;
    for (int j = 0; j < rows_; ++j) {
        for (int i = 0; i < columns_; ++i) {
            if (covered_[static_cast<size_t>(j) * columns_ + i] || nextFree == free_.size()) {
                continue;
            }
            SceneryCollisionBlockBhv* block = free_[nextFree++];
            block->KeyX = x0 + static_cast<float>(i * BlockCells);
            block->KeyY = y0 - static_cast<float>(j * BlockCells);
            rebuild_.push_back(block);
        }
    }
    // Every old fixture goes before any new one is made: Box2D looks for a destroyed proxy in the
    // list of proxies moved since the last step, so interleaving the two would cost the square of
    // the number of fixtures rebuilt in one frame.
    for (SceneryCollisionBlockBhv* block : rebuild_) {
        block->DestroyFixtures(body_);
    }
    for (SceneryCollisionBlockBhv* block : rebuild_) {
        block->Dirty = false;
        block->BuildFixtures(body_);
    }
}

void SceneryCollisionManagerBhv::MarkSceneryDirty(int column, int row) {
    const int cells[5][2] = {
        {column, row}, {column + 1, row}, {column, row - 1}, {column - 1, row}, {column, row + 1}};
    for (const auto& cell : cells) {
        const float keyX = BlockKey(cell[0]);
        const float keyY = -BlockKey(cell[1]);
        for (SceneryCollisionBlockBhv* block : blocks_) {
            if (block->KeyX == keyX && block->KeyY == keyY) {
                block->Dirty = true;
            }
        }
    }
}

void SceneryCollisionManagerBhv::MarkAllSceneryDirty() {
    for (SceneryCollisionBlockBhv* block : blocks_) {
        block->Dirty = true;
    }
}
