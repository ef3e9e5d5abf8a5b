#pragma once

#include <limits>
#include <vector>

#include "core/Behavior.h"
#include "world/scenery/SceneryOutline.h"

class b2Body;
class b2Fixture;

// One pooled block of scenery collision: the chains of a 10 x 10 cell area, as fixtures on the
// shared scenery body. Its key is the world position of its top-left corner.
class SceneryCollisionBlockBhv : public Behavior {
public:
    static constexpr const char* ClassName = "SceneryCollisionBlockBhv";
    static constexpr float Unassigned = std::numeric_limits<float>::max();

    // Removes the fixtures it made (leaves them to the body when the body is gone).
    void DestroyFixtures(b2Body* body);
    // Builds this block's outline from the tile grid and one chain fixture per polyline.
    void BuildFixtures(b2Body* body);
    void Rebuild(b2Body* body) {
        DestroyFixtures(body);
        BuildFixtures(body);
    }

    bool IsAssigned() const { return KeyX != Unassigned; }
    const SceneryOutline& Outline() const { return outline_; }

    float KeyX = Unassigned;
    float KeyY = Unassigned;
    bool Dirty = false;
    std::vector<b2Fixture*> Fixtures;

private:
    SceneryOutline outline_;
};
