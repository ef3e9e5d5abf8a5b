#pragma once

#include <memory>
#include <string>
#include <string_view>

class b2Shape;
class b2PolygonShape;
struct b2Vec2;

// The text form of a fixture's shape: "Box hx hy", "Polygon x1 y1 x2 y2 ...", "Circle r", and the
// vertex lists "Edge ..." and "Chain ..." that are read but build nothing. Lengths are world units in
// the body's frame.
namespace ShapeText {

struct Parsed {
    // False when the text does not match the grammar or a number does not convert: the caller then
    // keeps its live fixture untouched.
    bool Accepted = false;
    // The built shape, or null for Edge and Chain and for shapes a body cannot hold (a polygon of
    // fewer than 3 or more than 8 vertices, clockwise or not convex; a Box short of two positive
    // numbers; a circle without a positive radius).
    std::unique_ptr<b2Shape> Shape;
    bool IsBox = false;
    float BoxHalfWidth = 0.0f;
    float BoxHalfHeight = 0.0f;
};

// Never throws: bad number tokens such as "1e" or "1-2", and texts the matcher cannot decide, give a
// result that is not Accepted.
Parsed Parse(std::string_view text);

// The written form of a shape: "" for none and for kinds without a text form; a box by its two
// half sizes when isBox is set. Numbers in the property float form.
std::string Format(const b2Shape* shape, bool isBox, float boxHalfWidth, float boxHalfHeight);

// Fills polygon with the vertices kept in the given order (3 to 8, counter-clockwise, convex),
// computing normals and centroid; unlike b2PolygonShape::Set it neither reorders nor welds them.
void SetPolygonInOrder(b2PolygonShape& polygon, const b2Vec2* vertices, int count);

// The same polygon reflected about the body's y axis: vertices last to first with x negated, so
// the winding stays counter-clockwise.
void SetMirroredPolygon(b2PolygonShape& mirrored, const b2PolygonShape& source);

} // namespace ShapeText
