#pragma once

#include "core/Behavior.h"
#include "core/Camera2d.h"

// The free camera: flies a copy of the world camera with W/A/S/D and zooms with Equals and
// OemMinus; ending it puts the original camera back. Standalone it is switched by Ctrl+F and Esc
// while the editor is shown; otherwise its owner (the shape editor) switches it.
class EdCameraMoverBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdCameraMoverBhv";

    EdCameraMoverBhv();
    // A camera still flown is given back.
    ~EdCameraMoverBhv() override;

    void HandleInput() override;
    // Copies the flown camera into the renderer's world camera.
    void Update() override;

    // Remembers the world camera and starts flying a copy of it; nothing when already flying.
    void Begin();
    // Restores the remembered camera; nothing when not flying.
    void End();
    bool IsFlying() const { return flying_; }

    float MoveIncrement = 2.0f;
    float ZoomFactor = 1.25f;
    bool IsStandalone = true;

private:
    bool flying_ = false;
    Camera2d saved_;
    Camera2d flown_;
};
