#include "physics/FixtureMouseListenerBhv.h"

void FixtureMouseListenerBhv::HandleInput() {
    isMouseOver = hitThisFrame;
    hitThisFrame = false;
}
