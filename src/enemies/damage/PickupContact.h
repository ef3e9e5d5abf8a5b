#pragma once

#include <string>

class b2Fixture;

// The prefab name of the object behind a fixture, or null for terrain and other bare fixtures.
const std::string* FixturePrefabName(b2Fixture* fixture);
// Whether the fixture belongs to a pickup: its object's prefab name holds "Pkup_" anywhere.
bool IsPickupFixture(b2Fixture* fixture);
