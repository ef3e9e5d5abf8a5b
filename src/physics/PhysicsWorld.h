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

// Called before destroying a body or fixture. Box2D searches its list of proxies moved since the last
// step once for every proxy it destroys, so tearing down thousands of bodies made or moved in the same
// frame (a load replacing every thing) would grow with their square. During a large flush of the
// destroy queues this first lets Box2D pair up those proxies, as the next step would, which empties
// the list; otherwise it does nothing.
void BeforeProxyTeardown(b2World& world);
