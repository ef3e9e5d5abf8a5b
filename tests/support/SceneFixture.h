#pragma once

#include <gtest/gtest.h>

#include "Scene.h"

// A test with its own scene (Scene.h): every service installed, a "GameplayRoot" to build under.
class SceneFixture : public ::testing::Test, public Scene {};
