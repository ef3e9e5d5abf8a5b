#pragma once

#include "core/Behavior.h"
#include "world/tiles/TileTypeTable.h"

// The parent of every tile type and the owner of the tile-type table: at start it publishes the
// table and builds one child from each "Tile_" prefab, in the prefab manager's name order.
class TileTypesRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "TileTypesRootBhv";

    ~TileTypesRootBhv() override;
    void Start() override;

    TileTypeTable Table;
};
