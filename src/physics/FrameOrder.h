#pragma once

#include <functional>

class DestroyQueues;
class GameObject;
class b2World;
struct GameTime;

// What one frame walks and steps.
struct FrameScene {
    GameTime& Time;
    GameObject& Root;         // the input and update passes start here
    GameObject& GameplayRoot; // bodies under it are active as far as it and their own objects update
    b2World& World;
    DestroyQueues& Queues;
    int FramesPerSecond = 60;
};

// One frame of the game, in the one order the game and its tests share: game time advances by
// `delta` (FrameDelta becomes it), `readInput` runs (the game's input update, sound update and message
// pump; returning false ends the frame there, as a closed window does), then the input pass, body
// activity, the physics step, the update pass and the flush of the destroy queues. Drawing is the
// caller's, after. Returns what readInput returned (true without one).
bool RunFrameOrder(const FrameScene& scene, float delta, const std::function<bool()>& readInput = {});
