#include "world/tiles/WaterShadeBhv.h"

#include <algorithm>
#include <cmath>

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "world/TileGrid.h"
#include "world/WorldCamera.h"

WaterShadeBhv::WaterShadeBhv() {
    RegisterProperty("SurfaceColor", &SurfaceColor);
    RegisterProperty("DeepColor", &DeepColor);
}

Color WaterShadeBhv::ShadeAt(float row) const {
    const float t = std::clamp(row / static_cast<float>(TileGrid::Rows), 0.0f, 1.0f);
    // Light fades quickly in the first rows, then slowly: a square root spreads the dark end out.
    const float k = std::sqrt(t);
    auto mix = [k](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(static_cast<float>(a) + (static_cast<float>(b) - a) * k));
    };
    return {mix(SurfaceColor.r, DeepColor.r), mix(SurfaceColor.g, DeepColor.g),
            mix(SurfaceColor.b, DeepColor.b), 255};
}

bool WaterShadeBhv::IsWaterShade(Color color) const {
    // The fraction of the way from the surface colour to the deep one, channel by channel; the
    // channels of a shade agree to within a step of rounding.
    const int from[3] = {SurfaceColor.r, SurfaceColor.g, SurfaceColor.b};
    const int to[3] = {DeepColor.r, DeepColor.g, DeepColor.b};
    const int at[3] = {color.r, color.g, color.b};
    float lowest = 0.0f, highest = 1.0f;
    for (int c = 0; c < 3; ++c) {
        const int span = to[c] - from[c];
        if (span == 0) {
            if (std::abs(at[c] - from[c]) > 1) {
                return false;
            }
            continue;
        }
        const float a = (static_cast<float>(at[c] - from[c]) - 0.6f) / static_cast<float>(span);
        const float b = (static_cast<float>(at[c] - from[c]) + 0.6f) / static_cast<float>(span);
        lowest = std::max(lowest, std::min(a, b));
        highest = std::min(highest, std::max(a, b));
    }
    return lowest <= highest;
}

void WaterShadeBhv::Update() {
    GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (!graphics) {
        return;
    }
    const Color current = graphics->ClearColor;
    if (current != Color{0, 0, 0, 255} && !IsWaterShade(current)) {
        return; // someone else's colour is showing
    }
    graphics->ClearColor = ShadeAt(-CurrentWorldCamera().Position.y);
}
