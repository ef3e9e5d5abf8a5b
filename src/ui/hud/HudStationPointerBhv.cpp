#include "ui/hud/HudStationPointerBhv.h"

#include <algorithm>
#include <cmath>

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "flow/stations/SupplyStationBhv.h"
#include "player/sub/SubBhv.h"
#include "ui/hud/HudShow.h"
#include "world/things/ThingRootBhv.h"

namespace {

// The world view on screen, pixels.
constexpr float ViewWidth = 960.0f;
constexpr float ViewHeight = 720.0f;

} // namespace

void HudStationPointerBhv::Start() {
    label_ = FindChild("Label");
    untilSearch_ = 0;
}

void HudStationPointerBhv::FindStations() {
    stationCount_ = 0;
    const ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (!things || !things->Owner) {
        return;
    }
    // Things sit one level below the grid's cells (or the incoming list): no deeper walk is needed.
    for (GameObject* holder : things->Owner->Children) {
        for (GameObject* thing : holder->Children) {
            // The name first: most things are not stations, and it is cheaper than a component search.
            if (stationCount_ < static_cast<int>(stations_.size()) && !thing->PendingDestroy &&
                thing->PrefabName == StationPrefab && thing->GetComponentOfType<SupplyStationBhv>()) {
                stations_[static_cast<size_t>(stationCount_++)] = thing;
            }
        }
    }
}

void HudStationPointerBhv::Hide() {
    SetShown(Owner, false);
    SetShown(label_.Get(), false);
}

HudStationPointerBhv::Placement HudStationPointerBhv::Place(Vector2 target) {
    const Vector2 centre{ViewWidth / 2, ViewHeight / 2};
    const Vector2 d = target - centre;
    const float halfW = ViewWidth / 2 - EdgeInset;
    const float halfH = ViewHeight / 2 - EdgeInset;
    // The largest step along d that stays inside the inset rectangle.
    const float sx = d.x != 0.0f ? halfW / std::fabs(d.x) : 1e9f;
    const float sy = d.y != 0.0f ? halfH / std::fabs(d.y) : 1e9f;
    const float s = std::min({sx, sy, 1.0f});
    Placement placement;
    placement.Arrow = centre + d * s;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    const Vector2 unit = length > 0.0f ? d * (1.0f / length) : Vector2{0.0f, -1.0f};
    placement.Rotation = std::atan2(unit.x, -unit.y);
    // A one-line label is wide: pointing sideways, it sits further in to clear the arrow.
    placement.Label = placement.Arrow - unit * (LabelOffset + LabelHalfWidth * std::fabs(unit.x));
    return placement;
}

void HudStationPointerBhv::Update() {
    if (--untilSearch_ <= 0) {
        untilSearch_ = SearchPeriod;
        FindStations();
    }
    const GameObject* sub = Submarine();
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (!sub || !graphics || !sub->DrawEnabled) {
        Hide();
        return;
    }
    const Vector2 from = sub->GetPosition();
    const GameObject* nearest = nullptr;
    float best = 0.0f;
    for (int i = 0; i < stationCount_; ++i) {
        const GameObject* station = stations_[static_cast<size_t>(i)].Get();
        if (!station || station->PendingDestroy) {
            untilSearch_ = 0; // one went away: look again next time
            continue;
        }
        const Vector2 d = station->GetPosition() - from;
        const float distance = d.x * d.x + d.y * d.y;
        if (!nearest || distance < best) {
            nearest = station;
            best = distance;
        }
    }
    if (!nearest) {
        Hide();
        return;
    }
    const Camera2d& camera = graphics->WorldCamera;
    const Vector2 at = nearest->GetPosition();
    const float halfW = std::fabs(camera.Size.x) / 2 + SeenMargin;
    const float halfH = std::fabs(camera.Size.y) / 2 + SeenMargin;
    if (std::fabs(at.x - camera.Position.x) <= halfW && std::fabs(at.y - camera.Position.y) <= halfH) {
        Hide();
        return;
    }
    const Placement placement = Place(camera.WorldToScreen(at));
    if (Pos2dComponent* pos = Owner ? Owner->Pos2d() : nullptr) {
        pos->Pos = placement.Arrow;
        pos->Rotation = placement.Rotation;
    }
    SetShown(Owner, true);
    if (GameObject* label = label_.Get()) {
        SetShown(label, true);
        if (Pos2dComponent* pos = label->Pos2d()) {
            pos->Pos = placement.Label;
        }
        if (TextComponent* text = label->Text()) {
            distance_.Write(text->Text, "Station ", static_cast<int>(std::round(std::sqrt(best))), {},
                            CachedNumberText::kNone, " m");
        }
    }
}
