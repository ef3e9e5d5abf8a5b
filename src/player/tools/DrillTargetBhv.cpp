#include "player/tools/DrillTargetBhv.h"

#include <algorithm>
#include <cmath>

#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "player/tools/ToolSupport.h"

namespace {

struct Stroke {
    Vector2 From;
    Vector2 To;
};

// A branching crack from the tile's middle, in tile units from its centre; strokes appear in order.
constexpr Stroke Crack[DrillTargetBhv::CrackStrokes] = {
    {{0.0f, 0.0f}, {0.2f, 0.1f}},    {{0.0f, 0.0f}, {-0.16f, -0.18f}},
    {{0.2f, 0.1f}, {0.28f, 0.36f}},  {{-0.16f, -0.18f}, {-0.4f, -0.2f}},
    {{0.2f, 0.1f}, {0.42f, 0.02f}},  {{-0.16f, -0.18f}, {-0.1f, -0.42f}},
    {{0.0f, 0.0f}, {-0.12f, 0.28f}}, {{-0.12f, 0.28f}, {-0.36f, 0.38f}},
};

void Line(GameObject& object, Vector2 a, Vector2 b, float width, Color color) {
    StretchBetween(object, a, b);
    if (SpriteComponent* sprite = object.Sprite()) {
        sprite->Size.y = width;
    }
    if (TintComponent* tint = object.Tint()) {
        tint->Tint = color;
    }
}

} // namespace

DrillTargetBhv::DrillTargetBhv() {
    RegisterProperty("OutlineColor", &OutlineColor);
    RegisterProperty("TooHardColor", &TooHardColor);
    RegisterProperty("CrackColor", &CrackColor);
    RegisterProperty("LineWidth", &LineWidth);
}

void DrillTargetBhv::Show(TileGrid::Cell cell, float worn, bool tooHard) {
    if (!Owner) {
        return;
    }
    const Vector2 centre = TileGrid::CellCentre(cell.Column, cell.Row);
    // The outline's corners, anticlockwise; each side runs half a line past them to close the corners.
    const float h = 0.5f;
    const float w = LineWidth * 0.5f;
    const Vector2 ends[4][2] = {{{-h - w, -h}, {h + w, -h}},
                                {{h, -h - w}, {h, h + w}},
                                {{h + w, h}, {-h - w, h}},
                                {{-h, h + w}, {-h, -h - w}}};
    const float share = std::clamp(std::isnan(worn) ? 0.0f : worn, 0.0f, 1.0f);
    CrackShown = tooHard ? 0 : static_cast<int>(std::ceil(share * static_cast<float>(CrackStrokes)));
    int edge = 0;
    int stroke = 0;
    for (GameObject* child : Owner->Children) {
        if (child->Name == "Edge" && edge < 4) {
            const auto& [a, b] = ends[edge++];
            Line(*child, centre + a, centre + b, LineWidth, tooHard ? TooHardColor : OutlineColor);
        } else if (child->Name == "Crack" && stroke < CrackStrokes) {
            const Stroke& s = Crack[stroke];
            const bool shown = stroke++ < CrackShown;
            child->DrawEnabled = shown;
            if (shown) {
                Line(*child, centre + s.From, centre + s.To, LineWidth, CrackColor);
            }
        }
    }
}
