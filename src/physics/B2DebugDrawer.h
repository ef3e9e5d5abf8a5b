#pragma once

#include <functional>
#include <vector>

#include <box2d/b2_draw.h>

#include "core/Color.h"
#include "core/Vector2.h"

class b2World;

// Draws the physics world's debug data as line strips, plus the editor's shape markers. Every
// drawing operation ends in LineStripOutput, which the renderer connects to its line-strip drawing
// (world units, the World camera in force). Filled shapes are drawn as outlines.
class B2DebugDrawer : public b2Draw {
public:
    // (points, count, colour, closed); count is at least 2 and the points are valid for the call.
    using LineStripFunction =
        std::function<void(const Vector2* points, int count, Color colour, bool closed)>;

    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    // An 8-point outline: the centre plus radius times the unit vectors at 0, 45, ... 315 degrees.
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis,
                         const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    void DrawTransform(const b2Transform& xf) override;
    // A square 3 pixels wide around the point, whatever size Box2D asks for.
    void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;
    // Each marker as a point: white, the first one green, the selected one red.
    void DrawMarkers();

    // The whole overlay: the shapes of every fixture in the world, then the markers.
    void DrawOverlay(b2World& world);

    // Box2D's float colour as bytes: each channel times 255, truncated; opaque.
    static Color ToColor(const b2Color& color);

    // Half the side of a drawn point, world units: 1.5 window pixels as the World camera shows them
    // (its view width over the window width; the default camera's 60 units over 1280 pixels when
    // there is no graphics manager).
    static float PointHalfSize();

    LineStripFunction LineStripOutput; // nothing is drawn while empty
    // Marker points in world units and the selected one (-1 for none); written by the editor.
    std::vector<Vector2> Markers;
    int SelectedMarker = -1;

private:
    void Output(const b2Vec2* vertices, int count, const b2Color& color, bool closed);

    std::vector<Vector2> points_; // reused between calls
};
