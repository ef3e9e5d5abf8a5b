#include <gtest/gtest.h>

#include "core/Camera2d.h"
#include "core/GraphicsManager.h"

namespace {

TEST(CameraTest, DefaultWorldCameraShowsSixtyByFortyFiveUnitsLeftOfTheHud) {
    GraphicsManager graphics;
    const Camera2d& world = graphics.WorldCamera;
    EXPECT_EQ(world.Size, Vector2(60.0f, 45.0f));
    EXPECT_EQ(world.Position, Vector2(30.0f, -22.5f));
    EXPECT_EQ(world.Viewport, Rect(0, 0, 960, 720));
    EXPECT_EQ(world.ScreenToWorld({0, 0}), Vector2(0.0f, 0.0f));
    EXPECT_EQ(world.ScreenToWorld({960, 720}), Vector2(60.0f, -45.0f));
    EXPECT_EQ(world.ScreenToWorld({480, 360}), Vector2(30.0f, -22.5f));
    EXPECT_EQ(world.ScreenToWorld({16, 32}), Vector2(1.0f, -2.0f));
}

TEST(CameraTest, DefaultScreenCameraIsTheIdentityOnPixels) {
    GraphicsManager graphics;
    const Camera2d& screen = graphics.ScreenCamera;
    EXPECT_EQ(screen.Size, Vector2(1280.0f, -720.0f));
    for (Vector2 p : {Vector2(0, 0), Vector2(1279, 719), Vector2(100.5f, 20.25f)}) {
        EXPECT_EQ(screen.ScreenToWorld(p), p);
    }
}

TEST(CameraTest, ScreenToWorldUndoesTheCameraRotation) {
    Camera2d camera;
    camera.Size = {20.0f, 20.0f};
    camera.Rotation = 3.14159265f / 2;
    // The pixel right of the centre shows what lies above the camera position.
    const Vector2 p = camera.ScreenToWorld({640 + 64, 360}, 1280, 720);
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 1.0f, 1e-5f);
}

} // namespace
