#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The bytes of a slot file and the game state they hold, with no game attached: the writer and
// the reader are plain functions so the reader can be checked (and fuzzed) on its own.
//
// Layout (integers int32 and floats IEEE, both little-endian; strings end in one zero byte):
//   header   four offsets counted from byte 4: grid (12), things (64520), unlock (64520 + T),
//            player (64528 + T + 4N)
//   grid     width 150, height 430, then one byte per cell, row 0 first, column 0 first
//   things   groups in name byte order: name, count, then count x (x, y, quantity)
//   unlock   unlocked bits, N, N unlock counts
//   player   sub x, sub y, movement force, health, health max, money, storage max, quick-slot
//            count, owned subs, one byte boss defeated
//   items    to the end of the file: name, quantity
struct SavedThing {
    float X = 0.0f;
    float Y = 0.0f;
    int32_t Quantity = 0;
};

struct SavedThingGroup {
    std::string Name;
    std::vector<SavedThing> Things;
};

struct SavedItem {
    std::string Name;
    int32_t Quantity = 0;
};

struct SavedGame {
    static constexpr int Columns = 150;
    static constexpr int Rows = 430;

    std::vector<uint8_t> Tiles = std::vector<uint8_t>(Columns * Rows); // row-major, row 0 first
    std::vector<SavedThingGroup> Groups;                               // strictly ascending names
    int32_t UnlockedBits = 0;
    std::vector<int32_t> UnlockCounts; // the for-sale catalogue's unlock progress, component order
    float SubX = 0.0f;
    float SubY = 0.0f;
    float MovementForce = 0.0f;
    int32_t Health = 0;
    int32_t HealthMax = 0;
    int32_t Money = 0;
    int32_t StorageMax = 0;
    int32_t QuickslotCount = 0;
    int32_t OwnedSubs = 0;
    bool BossDefeated = false;
    std::vector<SavedItem> Items; // the inventory's child order
};

namespace saveformat {
constexpr int32_t GridOffset = 12;
constexpr int32_t ThingsOffset = 64520;
constexpr size_t OffsetBase = 4;          // the header's offsets count from this byte
constexpr size_t PlayerSize = 9 * 4 + 1;  // the player section's bytes
constexpr size_t MaxNameLength = 255;     // longer names are damage, not prefab names
constexpr size_t MaxFileSize = 16u << 20; // far beyond any real world; bounds what a read takes
// Things take room and time: a world holds at most MaxThingsPerCell in each 30 x 30 cell of the thing
// grid over its 150 x 430 tiles, 15,000 in all (a new world has about one per cell; the limit leaves
// room for a long game's drops and creatures), and a pile on one tile stays small. A save at these
// limits loads in well under half a second; beyond them a file is no game's: building its things
// would take longer, and a heap on one spot would overrun the physics.
constexpr int ThingCellSize = 30;
constexpr int ThingCellColumns = (SavedGame::Columns + ThingCellSize - 1) / ThingCellSize; // 5
constexpr int ThingCellRows = (SavedGame::Rows + ThingCellSize - 1) / ThingCellSize;       // 15
constexpr int MaxThingsPerCell = 200;
constexpr size_t MaxThings = static_cast<size_t>(ThingCellColumns) * ThingCellRows * MaxThingsPerCell;
constexpr int MaxThingsPerTile = 32;
} // namespace saveformat

// Whether a game stays within the limits above (things in any cell of the thing grid and on any one
// tile, positions clamped into the world); false with fault saying which and where. The reader refuses
// such a file and the writer will not write one.
bool CheckSavedGameLimits(const SavedGame& game, std::string& fault);

// The file's bytes.
std::vector<uint8_t> EncodeSavedGame(const SavedGame& game);

// Reads and checks a whole file: the header offsets against each other and the size, the grid
// size, every count and string inside its section, names non-empty and at most MaxNameLength,
// positions finite, counts and quantities not negative, the things within CheckSavedGameLimits,
// the file ending exactly after the last item. On success fills game and returns true; otherwise returns
// false with fault saying where and what (game is then unspecified).
bool DecodeSavedGame(std::span<const uint8_t> bytes, SavedGame& game, std::string& fault);
