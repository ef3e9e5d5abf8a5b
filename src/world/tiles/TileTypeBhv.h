#pragma once

#include <string>

#include "core/Behavior.h"

// One tile type: what a tile code looks like, whether it blocks, how hard it is to drill and what it
// drops. Takes the slot of its "TileIndex" in the tile-type table when it starts.
class TileTypeBhv : public Behavior {
public:
    static constexpr const char* ClassName = "TileTypeBhv";

    TileTypeBhv();
    // Empties its table slot if the slot still names it.
    ~TileTypeBhv() override;

    // Takes the slot of TileIndex (-1 takes none). A tile type already there whose object is not
    // being destroyed is destroyed: the newer type replaces it.
    void Start() override;

    // Breaks the tile at the cell: the cell becomes water, the scenery around it is rebuilt, and
    // the tile's item and random drop appear at the cell centre.
    void DestroyTile(int column, int row);

    // The "TileImageName" text: the atlas name of ImageIndex, or "" for -1.
    std::string GetImageName() const;
    // Looks the name up in the "Game" atlas; "" (or a name the atlas lacks) stores -1.
    void SetImageName(const std::string& name);

    int TileIndex = -1;
    int ImageIndex = -1; // sprite index in the "Game" atlas, -1 for none
    bool IsSolid = true;
    int Hardness = 0;
    int DrillResistance = 0;
    std::string CorrespondingItem;

private:
    std::string unresolvedName_; // a name written while the atlas was absent, kept for saving
};
