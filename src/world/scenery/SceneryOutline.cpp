#include "world/scenery/SceneryOutline.h"

#include <cstring>

void SceneryOutline::Build(int firstColumn, int firstRow, const SolidTest& isSolid) {
    firstColumn_ = firstColumn;
    firstRow_ = firstRow;
    for (int j = 0; j < BlockSize; ++j) {
        for (int i = 0; i < BlockSize; ++i) {
            mask_[j * BlockSize + i] = isSolid(firstColumn + i, firstRow + j) ? 1 : 0;
        }
    }
    Label();

    segments_.clear();
    std::memset(outCount_, 0, sizeof(outCount_));
    std::memset(inCount_, 0, sizeof(inCount_));
    auto solid = [&](int i, int j) {
        if (i >= 0 && i < BlockSize && j >= 0 && j < BlockSize) {
            return mask_[j * BlockSize + i] != 0;
        }
        return isSolid(firstColumn + i, firstRow + j);
    };

    // Rows: runs of exposed top sides run right to left, bottom sides left to right (solid on the
    // left of the direction of travel, with y up).
    for (int j = 0; j < BlockSize; ++j) {
        for (int side = 0; side < 2; ++side) {
            const int dj = side == 0 ? -1 : 1;
            for (int i = 0; i < BlockSize;) {
                if (!mask_[j * BlockSize + i] || solid(i, j + dj)) {
                    ++i;
                    continue;
                }
                const int start = i;
                while (i < BlockSize && mask_[j * BlockSize + i] && !solid(i, j + dj)) {
                    ++i;
                }
                const int region = region_[j * BlockSize + start];
                if (side == 0) {
                    AddSegment(i, j, start, j, region);
                } else {
                    AddSegment(start, j + 1, i, j + 1, region);
                }
            }
        }
    }
    // Columns: left sides run down, right sides run up.
    for (int i = 0; i < BlockSize; ++i) {
        for (int side = 0; side < 2; ++side) {
            const int di = side == 0 ? -1 : 1;
            for (int j = 0; j < BlockSize;) {
                if (!mask_[j * BlockSize + i] || solid(i + di, j)) {
                    ++j;
                    continue;
                }
                const int start = j;
                while (j < BlockSize && mask_[j * BlockSize + i] && !solid(i + di, j)) {
                    ++j;
                }
                const int region = region_[start * BlockSize + i];
                if (side == 0) {
                    AddSegment(i, start, i, j, region);
                } else {
                    AddSegment(i + 1, j, i + 1, start, region);
                }
            }
        }
    }

    chainCount_ = 0;
    // Open chains start where nothing of their region arrives: on the block border.
    for (size_t s = 0; s < segments_.size(); ++s) {
        const Segment& segment = segments_[s];
        if (segment.Used) {
            continue;
        }
        bool arrives = false;
        for (int k = 0; k < inCount_[segment.From]; ++k) {
            arrives = arrives || segments_[in_[segment.From][k]].Region == segment.Region;
        }
        if (!arrives) {
            Chain& chain = NextChain();
            chain.Closed = false;
            Follow(static_cast<int>(s), chain);
        }
    }
    // Everything left closes on itself.
    for (size_t s = 0; s < segments_.size(); ++s) {
        if (!segments_[s].Used) {
            Chain& chain = NextChain();
            chain.Closed = true;
            Follow(static_cast<int>(s), chain);
            // The walk ends back on its first vertex; a loop names it once.
            if (chain.Vertices.size() > 1) {
                chain.Vertices.pop_back();
            }
        }
    }
}

void SceneryOutline::Label() {
    int16_t stack[BlockSize * BlockSize];
    int16_t next = 0;
    for (int cell = 0; cell < BlockSize * BlockSize; ++cell) {
        region_[cell] = -1;
    }
    for (int seed = 0; seed < BlockSize * BlockSize; ++seed) {
        if (!mask_[seed] || region_[seed] >= 0) {
            continue;
        }
        int top = 0;
        stack[top++] = static_cast<int16_t>(seed);
        region_[seed] = next;
        while (top > 0) {
            const int cell = stack[--top];
            const int i = cell % BlockSize;
            const int j = cell / BlockSize;
            const int neighbours[4][2] = {{i + 1, j}, {i, j + 1}, {i - 1, j}, {i, j - 1}};
            for (const auto& n : neighbours) {
                if (n[0] < 0 || n[0] >= BlockSize || n[1] < 0 || n[1] >= BlockSize) {
                    continue;
                }
                const int other = n[1] * BlockSize + n[0];
                if (mask_[other] && region_[other] < 0) {
                    region_[other] = next;
                    stack[top++] = static_cast<int16_t>(other);
                }
            }
        }
        ++next;
    }
}

void SceneryOutline::AddSegment(int fromX, int fromY, int toX, int toY, int region) {
    const int16_t from = static_cast<int16_t>(fromX + Lattice * fromY);
    const int16_t to = static_cast<int16_t>(toX + Lattice * toY);
    const int16_t index = static_cast<int16_t>(segments_.size());
    segments_.push_back({from, to, static_cast<int16_t>(region), false});
    if (outCount_[from] < 4) {
        out_[from][outCount_[from]++] = index;
    }
    if (inCount_[to] < 4) {
        in_[to][inCount_[to]++] = index;
    }
}

SceneryOutline::Chain& SceneryOutline::NextChain() {
    if (chainCount_ == static_cast<int>(chains_.size())) {
        chains_.emplace_back();
    }
    Chain& chain = chains_[chainCount_++];
    chain.Vertices.clear();
    return chain;
}

void SceneryOutline::Follow(int first, Chain& chain) {
    auto world = [&](int vertex) {
        const int x = vertex % Lattice;
        const int y = vertex / Lattice;
        return Vector2{static_cast<float>(firstColumn_ + x), -static_cast<float>(firstRow_ + y)};
    };
    const int start = segments_[first].From;
    chain.Vertices.push_back(world(start));
    int current = first;
    while (current >= 0) {
        Segment& segment = segments_[current];
        segment.Used = true;
        chain.Vertices.push_back(world(segment.To));
        if (chain.Closed && segment.To == start) {
            break;
        }
        int next = -1;
        for (int k = 0; k < outCount_[segment.To]; ++k) {
            const Segment& candidate = segments_[out_[segment.To][k]];
            if (!candidate.Used && candidate.Region == segment.Region) {
                next = out_[segment.To][k];
                break;
            }
        }
        current = next;
    }
}
