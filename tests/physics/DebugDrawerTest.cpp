// The debug drawer: which line strips each drawing operation produces, colours as bytes, points
// and markers, and the overlay drawn from a live world.
#include "PhysicsFixture.h"

#include <cmath>
#include <vector>

#include "core/GraphicsManager.h"

namespace {

struct Strip {
    std::vector<Vector2> Points;
    Color Colour;
    bool Closed = false;
};

class DebugDrawerTest : public PhysicsTest {
protected:
    DebugDrawerTest() {
        drawer.LineStripOutput = [this](const Vector2* points, int count, Color colour, bool closed) {
            strips.push_back({std::vector<Vector2>(points, points + count), colour, closed});
        };
    }
    std::vector<Strip> strips;
};

TEST_F(DebugDrawerTest, ColoursArriveAsTruncatedBytesOpaque) {
    EXPECT_EQ(B2DebugDrawer::ToColor(b2Color(1.0f, 0.5f, 0.25f, 0.1f)), Color(255, 127, 63, 255));
    EXPECT_EQ(B2DebugDrawer::ToColor(b2Color(0.999f, 0.0f, 0.0f)), Color(254, 0, 0, 255));
}

TEST_F(DebugDrawerTest, PolygonsAreClosedOutlinesFilledOrNot) {
    const b2Vec2 triangle[] = {{0, 0}, {1, 0}, {0, 1}};
    drawer.DrawPolygon(triangle, 3, b2Color(1, 0, 0));
    drawer.DrawSolidPolygon(triangle, 3, b2Color(0, 1, 0));
    ASSERT_EQ(strips.size(), 2u);
    for (const Strip& s : strips) {
        EXPECT_TRUE(s.Closed);
        ASSERT_EQ(s.Points.size(), 3u);
        EXPECT_EQ(s.Points[1], Vector2(1, 0));
    }
    EXPECT_EQ(strips[1].Colour, Color(0, 255, 0, 255));
}

TEST_F(DebugDrawerTest, CircleIsAnEightPointOutlineStartingAtZeroDegrees) {
    drawer.DrawCircle(b2Vec2(1, 2), 2.0f, b2Color(1, 1, 1));
    drawer.DrawSolidCircle(b2Vec2(1, 2), 2.0f, b2Vec2(0, 1), b2Color(1, 1, 1));
    ASSERT_EQ(strips.size(), 2u);
    for (const Strip& s : strips) {
        ASSERT_EQ(s.Points.size(), 8u);
        EXPECT_TRUE(s.Closed);
        EXPECT_EQ(s.Points[0], Vector2(3, 2));
        EXPECT_FLOAT_EQ(s.Points[1].x, 1.0f + 2.0f * 0.7071068f);
        EXPECT_FLOAT_EQ(s.Points[1].y, 2.0f + 2.0f * 0.7071068f);
        EXPECT_EQ(s.Points[2], Vector2(1, 4));
        EXPECT_EQ(s.Points[6], Vector2(1, 0));
    }
}

TEST_F(DebugDrawerTest, SegmentIsOpenAndTransformDrawsNothing) {
    drawer.DrawSegment(b2Vec2(0, 0), b2Vec2(3, 4), b2Color(0, 0, 1));
    drawer.DrawTransform(b2Transform(b2Vec2(1, 1), b2Rot(0.5f)));
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_FALSE(strips[0].Closed);
    EXPECT_EQ(strips[0].Points.size(), 2u);
}

TEST_F(DebugDrawerTest, PointIsAThreePixelSquareAtTheWorldCameraScale) {
    drawer.DrawPoint(b2Vec2(0, 0), 10.0f, b2Color(1, 1, 1));
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].Points.size(), 4u);
    // Default camera: 60 units over 1280 pixels.
    EXPECT_FLOAT_EQ(strips[0].Points[2].x, 1.5f * 60.0f / 1280.0f);
    EXPECT_FLOAT_EQ(strips[0].Points[0].y, -1.5f * 60.0f / 1280.0f);

    GraphicsManager graphics;
    graphics.WorldCamera.Size = {120.0f, 90.0f};
    Service<GraphicsManager>::Scoped scope(graphics);
    drawer.DrawPoint(b2Vec2(0, 0), 10.0f, b2Color(1, 1, 1));
    EXPECT_FLOAT_EQ(strips[1].Points[2].x, 1.5f * 120.0f / 1280.0f);
}

TEST_F(DebugDrawerTest, MarkersAreWhiteTheFirstGreenTheSelectedRed) {
    drawer.Markers = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
    drawer.SelectedMarker = 2;
    drawer.DrawMarkers();
    ASSERT_EQ(strips.size(), 4u);
    EXPECT_EQ(strips[0].Colour, Color(0, 255, 0, 255));
    EXPECT_EQ(strips[1].Colour, Color(255, 255, 255, 255));
    EXPECT_EQ(strips[2].Colour, Color(255, 0, 0, 255));
    EXPECT_EQ(strips[3].Colour, Color(255, 255, 255, 255));
    strips.clear();
    drawer.SelectedMarker = 0;
    drawer.DrawMarkers();
    EXPECT_EQ(strips[0].Colour, Color(255, 0, 0, 255));
}

TEST_F(DebugDrawerTest, OverlayDrawsEveryShapeThenTheMarkers) {
    auto box = MakeBodyObject(b2_staticBody, 5, 5, "Box 1 1");
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 0, "Circle 1");
    drawer.Markers = {{7, 7}};
    drawer.DrawOverlay(*world);
    ASSERT_EQ(strips.size(), 3u);
    size_t boxes = 0;
    size_t circles = 0;
    for (size_t i = 0; i < 2; ++i) {
        boxes += strips[i].Points.size() == 4 && strips[i].Points[0] == Vector2(4, 4);
        circles += strips[i].Points.size() == 8;
    }
    EXPECT_EQ(boxes, 1u);
    EXPECT_EQ(circles, 1u);
    EXPECT_EQ(strips[2].Colour, Color(0, 255, 0, 255));
}

TEST_F(DebugDrawerTest, NothingIsDrawnWithoutAnOutput) {
    B2DebugDrawer unconnected;
    const b2Vec2 line[] = {{0, 0}, {1, 1}};
    EXPECT_NO_FATAL_FAILURE(unconnected.DrawPolygon(line, 2, b2Color(1, 1, 1)));
}

} // namespace
