#pragma once

// A thing a tile holds in place (a creature standing on it): digging the tile away lets it go. The
// tile sees the thing only through this interface, which the thing's own component implements.
class TileHeld {
public:
    virtual ~TileHeld() = default;
    // Whether a tile holds it at all.
    virtual bool HeldByTile() const = 0;
    virtual void ReleaseFromTile() = 0;
};
