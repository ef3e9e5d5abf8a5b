// The "Shape" text: what each kind builds, how it reads back, and the texts that build nothing.
#include <string>
#include <vector>

#include "PhysicsFixture.h"

namespace {

class ShapeTextTest : public PhysicsTest {
protected:
    // Writes the text through the property, as prefabs and the editor do, and reads it back.
    std::string RoundTrip(const std::string& text) {
        EXPECT_TRUE(fixture.SetPropertyText("Shape", 0, text));
        return fixture.GetPropertyText("Shape");
    }

    const b2PolygonShape& Polygon() const {
        EXPECT_NE(fixture.definition.shape, nullptr);
        EXPECT_EQ(fixture.definition.shape->GetType(), b2Shape::e_polygon);
        return static_cast<const b2PolygonShape&>(*fixture.definition.shape);
    }

    B2FixtureComponent fixture; // detached: the definition holds the shape, nothing is built
};

TEST_F(ShapeTextTest, BoxIsATwoByOneRectangleAroundTheOriginAndReadsBackUnchanged) {
    EXPECT_EQ(RoundTrip("Box 1 0.5"), "Box 1 0.5");
    EXPECT_TRUE(fixture.isBox);
    EXPECT_EQ(fixture.boxHalfWidth, 1.0f);
    EXPECT_EQ(fixture.boxHalfHeight, 0.5f);
    const b2PolygonShape& box = Polygon();
    ASSERT_EQ(box.m_count, 4);
    EXPECT_EQ(box.m_vertices[0], b2Vec2(-1.0f, -0.5f));
    EXPECT_EQ(box.m_vertices[2], b2Vec2(1.0f, 0.5f));
}

TEST_F(ShapeTextTest, ExtraBlanksAreReadAndWrittenAsSingleBlanks) {
    EXPECT_EQ(RoundTrip("Box  1   0.5 "), "Box 1 0.5");
    EXPECT_EQ(RoundTrip("Circle\t2\n"), "Circle 2");
}

TEST_F(ShapeTextTest, NumbersAreWrittenInThePropertyFloatForm) {
    EXPECT_EQ(RoundTrip("Box 0.1 2e1"), "Box 0.100000001 20");
    EXPECT_EQ(RoundTrip("Circle .5"), "Circle 0.5");
}

TEST_F(ShapeTextTest, PolygonKeepsItsVerticesInTheGivenOrder) {
    EXPECT_EQ(RoundTrip("Polygon 0 0 1 0 0 1"), "Polygon 0 0 1 0 0 1");
    EXPECT_FALSE(fixture.isBox);
    const b2PolygonShape& triangle = Polygon();
    ASSERT_EQ(triangle.m_count, 3);
    EXPECT_NEAR(triangle.m_centroid.x, 1.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(triangle.m_centroid.y, 1.0f / 3.0f, 1e-6f);
    // Outward normals of the counter-clockwise edges.
    EXPECT_EQ(triangle.m_normals[0], b2Vec2(0.0f, -1.0f));
    EXPECT_EQ(triangle.m_normals[2], b2Vec2(-1.0f, 0.0f));
}

TEST_F(ShapeTextTest, OddTrailingNumberOfAPolygonIsIgnored) {
    EXPECT_EQ(RoundTrip("Polygon 0 0 1 0 0 1 5"), "Polygon 0 0 1 0 0 1");
}

TEST_F(ShapeTextTest, EightVerticesAreTheMostAPolygonHolds) {
    // A convex octagon, counter-clockwise; then nine vertices.
    EXPECT_EQ(RoundTrip("Polygon 2 0 1.5 1 0 2 -1.5 1 -2 0 -1.5 -1 0 -2 1.5 -1"),
              "Polygon 2 0 1.5 1 0 2 -1.5 1 -2 0 -1.5 -1 0 -2 1.5 -1");
    EXPECT_EQ(RoundTrip("Polygon 3 0 2 1 1 2 0 3 -1 2 -2 1 -3 0 -2 -1 0 -3"), "");
    EXPECT_EQ(fixture.definition.shape, nullptr);
}

TEST_F(ShapeTextTest, CircleIsCentredAndIgnoresFurtherNumbers) {
    EXPECT_EQ(RoundTrip("Circle 2"), "Circle 2");
    EXPECT_EQ(RoundTrip("Circle 2 7 8"), "Circle 2");
    ASSERT_NE(fixture.definition.shape, nullptr);
    EXPECT_EQ(fixture.definition.shape->GetType(), b2Shape::e_circle);
    EXPECT_EQ(static_cast<const b2CircleShape*>(fixture.definition.shape)->m_p, b2Vec2(0.0f, 0.0f));
}

TEST_F(ShapeTextTest, TextsOutsideTheGrammarLeaveNoShape) {
    for (const char* text : {"circle 2", "Box", "Box ", "Circle +2", "Box 1 x", " Box 1 1", "Sphere 1", ""}) {
        EXPECT_EQ(RoundTrip("Box 1 1"), "Box 1 1");
        EXPECT_EQ(RoundTrip(text), "") << text;
        EXPECT_EQ(fixture.definition.shape, nullptr) << text;
    }
}

TEST_F(ShapeTextTest, NumbersTheConversionRejectsLeaveNoShapeWithoutThrowing) {
    // The long runs end in a character the grammar refuses: a backtracking matcher could spend
    // forever splitting the run before it gives up.
    std::string spacedRun = "Polygon";
    for (int i = 0; i < 20000; ++i)
        spacedRun += " 1";
    const std::vector<std::string> texts = {"Box 1e 1",
                                            "Box 1-2 1",
                                            "Circle .",
                                            "Polygon 0 0 1 0 0 1-",
                                            "Box 1111111111111111x",
                                            "Box " + std::string(100000, '1') + "x",
                                            spacedRun + "x"};
    for (const std::string& text : texts) {
        EXPECT_EQ(RoundTrip("Circle 3"), "Circle 3");
        EXPECT_NO_THROW(fixture.SetShapeText(text)) << text.substr(0, 40);
        EXPECT_EQ(fixture.GetShapeText(), "") << text.substr(0, 40);
    }
}

TEST_F(ShapeTextTest, ShapesABodyCannotHoldLeaveNoShape) {
    const char* rejected[] = {
        "Box 1",                         // one number
        "Box 0 1",                       // degenerate
        "Box -1 1",                      // clockwise
        "Polygon 0 0 1 0",               // two vertices
        "Polygon 0 0 0 1 1 0",           // clockwise
        "Polygon 0 0 2 0 1 0.5 2 2 0 2", // not convex
        "Polygon 0 0 1 1 2 2",           // no area
        "Polygon 0 0 0 0 0 1",           // a repeated vertex
        "Circle 0",
        "Circle -1",
    };
    for (const char* text : rejected) {
        EXPECT_EQ(RoundTrip(text), "") << text;
        EXPECT_FALSE(fixture.isBox) << text;
    }
}

TEST_F(ShapeTextTest, EdgeAndChainAreReadButBuildNothing) {
    EXPECT_EQ(RoundTrip("Edge 0 0 1 0"), "");
    EXPECT_EQ(RoundTrip("Chain 0 0 1 0 2 1 3 1"), "");
    EXPECT_EQ(fixture.definition.shape, nullptr);
}

} // namespace
