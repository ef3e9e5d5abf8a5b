#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/Vector2.h"

// The collision outline of one 10 x 10 block of cells: the exposed sides of its solid cells joined
// into polylines, one set per 4-connected solid region. Every polyline keeps the solid on its left,
// so a one-sided chain built from it collides on the water side. Sides are exposed against the
// grid itself, across the block border too, so neighbouring blocks never wall each other off.
class SceneryOutline {
public:
    static constexpr int BlockSize = 10;

    struct Chain {
        std::vector<Vector2> Vertices; // world units; a loop does not repeat its first vertex
        bool Closed = false;           // a loop; otherwise both ends lie on the block border
    };

    // Whether cell (column, row) blocks; cells outside the grid must read as solid.
    using SolidTest = std::function<bool(int column, int row)>;

    // The outline of the block whose top-left cell is (firstColumn, firstRow). Reuses its buffers,
    // so a kept outline rebuilds without allocating once it has seen its largest block.
    void Build(int firstColumn, int firstRow, const SolidTest& isSolid);

    const std::vector<Chain>& Chains() const { return chains_; }
    int ChainCount() const { return chainCount_; }

private:
    struct Segment {
        int16_t From; // lattice vertex ids, x + 11 * y in block-local units (y down)
        int16_t To;
        int16_t Region;
        bool Used;
    };
    static constexpr int Lattice = BlockSize + 1;

    void Label();
    void AddSegment(int fromX, int fromY, int toX, int toY, int region);
    Chain& NextChain();
    // Follows unused segments of the region from segment first until none continues; appends the
    // vertices to the chain.
    void Follow(int first, Chain& chain);

    uint8_t mask_[BlockSize * BlockSize] = {};
    int16_t region_[BlockSize * BlockSize] = {};
    std::vector<Segment> segments_;
    // Per lattice vertex, the segments leaving and arriving (any region; at most two each).
    int16_t out_[Lattice * Lattice][4] = {};
    int16_t in_[Lattice * Lattice][4] = {};
    uint8_t outCount_[Lattice * Lattice] = {};
    uint8_t inCount_[Lattice * Lattice] = {};
    std::vector<Chain> chains_; // the first chainCount_ are this build's
    int chainCount_ = 0;
    int firstColumn_ = 0;
    int firstRow_ = 0;
};
