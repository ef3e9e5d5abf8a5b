#pragma once

#include <vector>

class TileTypeBhv;

// The tile types by tile code: a growable list with empty slots, owned by the tile-types root and
// reached as WellKnown<TileTypeTable>. It holds no tile type: each takes and empties its own slot.
class TileTypeTable {
public:
    // The type of a code, or null for a code without entry (negative, empty slot, past the end).
    TileTypeBhv* Get(int code) const {
        return code >= 0 && code < static_cast<int>(slots_.size()) ? slots_[code] : nullptr;
    }
    // A tile code is one byte in the grid and in a saved game: no index beyond this names a tile.
    static constexpr int MaxCode = 255;

    // Grows the list with empty slots up to index when needed and puts type there; false, changing
    // nothing, for an index that is no tile code.
    bool Put(int index, TileTypeBhv* type) {
        if (index < 0 || index > MaxCode) {
            return false;
        }
        if (index >= static_cast<int>(slots_.size())) {
            slots_.resize(static_cast<size_t>(index) + 1, nullptr);
        }
        slots_[static_cast<size_t>(index)] = type;
        return true;
    }
    // Empties the slot if it still names type.
    void Release(int index, const TileTypeBhv* type) {
        if (index >= 0 && index < static_cast<int>(slots_.size()) && slots_[index] == type) {
            slots_[index] = nullptr;
        }
    }
    int Size() const { return static_cast<int>(slots_.size()); }

private:
    std::vector<TileTypeBhv*> slots_;
};

// The tile type of a code through the well-known table; null when there is no table or entry.
TileTypeBhv* GetTileType(int code);
// Whether a code has a tile type that blocks movement.
bool IsSolidCode(int code);
