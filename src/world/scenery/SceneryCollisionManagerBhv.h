#pragma once

#include <vector>

#include "core/Behavior.h"

class b2Body;
class SceneryCollisionBlockBhv;

// Terrain collision around the camera: a pool of 10 x 10-cell blocks, each turning the outline of
// its solid cells into chains on one static body (this object's), kept on the blocks within six
// blocks of the view and rebuilt when tiles in or next to them change.
class SceneryCollisionManagerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "SceneryCollisionManagerBhv";
    static constexpr int BlockCells = 10;
    static constexpr int Margin = 6;

    ~SceneryCollisionManagerBhv() override;

    // Sizes and builds the pool from the view ("SceneryCollisionBlock" prefabs; ContentError without
    // the prefab), publishes itself and the scenery body.
    void Start() override;
    // Releases blocks that left the needed region, rebuilds dirty ones and assigns free blocks to
    // uncovered keys.
    void Update() override;

    // The blocks holding the cell or one of its four neighbours are rebuilt on the next update.
    void MarkSceneryDirty(int column, int row);
    void MarkAllSceneryDirty();

    // The shared static body of every scenery fixture; null without a body component.
    b2Body* SceneryBody() const { return body_; }
    const std::vector<SceneryCollisionBlockBhv*>& Blocks() const { return blocks_; }
    int BlockRows() const { return rows_; }

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<SceneryCollisionBlockBhv*> blocks_;
    b2Body* body_ = nullptr;
    // Scratch lists of the update, kept to avoid allocating each frame.
    std::vector<SceneryCollisionBlockBhv*> free_;
    std::vector<SceneryCollisionBlockBhv*> rebuild_;
    std::vector<bool> covered_;
};
