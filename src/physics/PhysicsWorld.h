#pragma once

#include <memory>

class b2World;
class B2DebugDrawer;
class B2MainContactListener;

// The one physics world (reached as Service<b2World>): gravity (0, -10) in world units, with the
// contact listener and the debug drawer attached; both must outlive it. Sleeping, warm starting
// and continuous collision keep Box2D's defaults.
std::unique_ptr<b2World> CreatePhysicsWorld(B2MainContactListener& listener, B2DebugDrawer& drawer);

// The frame's one step: min(frameDelta, 2 / framesPerSecond) seconds, so a stalled frame never
// moves bodies further than two periods would; 8 velocity and 3 position iterations. Contact
// handlers run inside it.
void StepPhysics(b2World& world, float frameDelta, int framesPerSecond);
