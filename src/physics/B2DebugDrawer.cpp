#include "physics/B2DebugDrawer.h"

#include <cstdint>

#include <box2d/b2_world.h>

#include "core/GraphicsManager.h"
#include "core/Service.h"

namespace {

// Unit vectors at 0, 45, ... 315 degrees.
constexpr float Diagonal = 0.7071068f;
const b2Vec2 CircleDirections[8] = {{1.0f, 0.0f},          {Diagonal, Diagonal}, {0.0f, 1.0f},
                                    {-Diagonal, Diagonal}, {-1.0f, 0.0f},        {-Diagonal, -Diagonal},
                                    {0.0f, -1.0f},         {Diagonal, -Diagonal}};

} // namespace

Color B2DebugDrawer::ToColor(const b2Color& color) {
    return {static_cast<uint8_t>(color.r * 255.0f), static_cast<uint8_t>(color.g * 255.0f),
            static_cast<uint8_t>(color.b * 255.0f), 255};
}

float B2DebugDrawer::PointHalfSize() {
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (!graphics) {
        return 1.5f * 60.0f / 1280.0f;
    }
    return 1.5f * graphics->WorldCamera.Size.x / static_cast<float>(graphics->Width);
}

void B2DebugDrawer::Output(const b2Vec2* vertices, int count, const b2Color& color, bool closed) {
    if (!LineStripOutput || count < 2) {
        return;
    }
    points_.clear();
    for (int i = 0; i < count; ++i) {
        points_.emplace_back(vertices[i].x, vertices[i].y);
    }
    LineStripOutput(points_.data(), count, ToColor(color), closed);
}

void B2DebugDrawer::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    Output(vertices, vertexCount, color, true);
}

void B2DebugDrawer::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) {
    Output(vertices, vertexCount, color, true);
}

void B2DebugDrawer::DrawCircle(const b2Vec2& center, float radius, const b2Color& color) {
    b2Vec2 outline[8];
    for (int i = 0; i < 8; ++i) {
        outline[i] = center + radius * CircleDirections[i];
    }
    Output(outline, 8, color, true);
}

void B2DebugDrawer::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& /*axis*/,
                                    const b2Color& color) {
    DrawCircle(center, radius, color);
}

void B2DebugDrawer::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) {
    const b2Vec2 segment[2] = {p1, p2};
    Output(segment, 2, color, false);
}

void B2DebugDrawer::DrawTransform(const b2Transform& /*xf*/) {}

void B2DebugDrawer::DrawPoint(const b2Vec2& p, float /*size*/, const b2Color& color) {
    const float h = PointHalfSize();
    const b2Vec2 square[4] = {{p.x - h, p.y - h}, {p.x + h, p.y - h}, {p.x + h, p.y + h}, {p.x - h, p.y + h}};
    DrawPolygon(square, 4, color);
}

void B2DebugDrawer::DrawMarkers() {
    const b2Color white(1.0f, 1.0f, 1.0f);
    const b2Color red(1.0f, 0.0f, 0.0f);
    const b2Color green(0.0f, 1.0f, 0.0f);
    for (size_t i = 0; i < Markers.size(); ++i) {
        const int index = static_cast<int>(i);
        const b2Color& color = index == SelectedMarker ? red : index == 0 ? green : white;
        DrawPoint(b2Vec2(Markers[i].x, Markers[i].y), 0.0f, color);
    }
}

void B2DebugDrawer::DrawOverlay(b2World& world) {
    AppendFlags(e_shapeBit);
    world.DebugDraw();
    DrawMarkers();
}
