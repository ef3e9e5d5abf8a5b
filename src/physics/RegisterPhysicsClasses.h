#pragma once

class ComponentRegistry;

// Registers "B2BodyComponent", "B2FixtureComponent", "FixtureMouseListenerBhv" and
// "FixtureMouseManagerBhv".
void RegisterPhysicsClasses(ComponentRegistry& registry);
