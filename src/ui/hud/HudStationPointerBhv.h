#pragma once

#include <array>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "core/Vector2.h"
#include "ui/hud/CachedNumberText.h"

// An arrow at the edge of the world view pointing towards the nearest supply station while that
// station is off screen, with its distance beside it ("Station 40 m"); hidden while the station is
// in view. The stations are looked for among the thing grid's things now and then, not every frame.
class HudStationPointerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudStationPointerBhv";
    // Pixels between the arrow and the world view's edges.
    static constexpr float EdgeInset = 26.0f;
    // Pixels from the arrow to the middle of its label, towards the view's centre.
    static constexpr float LabelOffset = 32.0f;
    static constexpr float LabelHalfWidth = 48.0f;
    // Updates between two searches for stations (a station appears only when the boss falls, and a
    // search walks every thing of the world).
    static constexpr int SearchPeriod = 600;
    // World units a station may stand beyond the view's edge and still count as seen.
    static constexpr float SeenMargin = 1.0f;
    // The prefab every supply station is made from.
    static constexpr const char* StationPrefab = "SupplyStation";

    // Finds its "Label" child.
    void Start() override;
    // Points at the nearest station out of view, or hides itself.
    void Update() override;

    // The arrow's place and angle for a target at screen point target seen from the view's centre:
    // on the line towards it, inside the world view by EdgeInset. Rotation turns the up-pointing
    // arrow clockwise on screen.
    struct Placement {
        Vector2 Arrow;
        float Rotation = 0.0f;
        Vector2 Label;
    };
    static Placement Place(Vector2 target);

    // The stations found at the last search (at most two kinds of place hold them: the first near
    // the surface, the second below the boss).
    int StationCount() const { return stationCount_; }

private:
    void FindStations();
    void Hide();

    Handle<GameObject> label_;
    std::array<Handle<GameObject>, 4> stations_{};
    int stationCount_ = 0;
    int untilSearch_ = 0;
    CachedNumberText distance_;
};
