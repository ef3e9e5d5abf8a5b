#pragma once

#include <string>
#include <vector>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "core/Vector2.h"

class B2FixtureComponent;
class EdCameraMoverBhv;

// Reshapes a fixture by dragging handles on its points: one per polygon vertex, two for a box
// (its half width and half height), one for a circle (its radius). Insert and Delete add and remove
// polygon points; Enter keeps the new shape, Esc puts the old one back. Each drag and each inserted
// or deleted point is a step of the editor's history; Esc forgets them again. The free camera on the
// same object flies while it is open.
class EdShapeEditorBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdShapeEditorBhv";

    ~EdShapeEditorBhv() override;
    // Registers in the editor state and hides its object.
    void Start() override;
    void HandleInput() override;

    // Opens on the fixture: remembers its body's place and its shape text, shows the physics
    // overlay, starts the free camera and marks the editor modal.
    void Open(B2FixtureComponent* fixture);
    // Closes, putting the remembered shape text back when restore is set.
    void Close(bool restore);
    bool IsOpen() const { return open_; }

    // The handles of the shape text in local coordinates, and the kind; no handles for kinds other
    // than Polygon, Box and Circle or a text without numbers.
    static std::vector<Vector2> LocalHandles(const std::string& text, std::string& kind);
    // The shape text of the handles: numbers with six significant digits, single spaces.
    static std::string FormatShape(const std::string& kind, const std::vector<Vector2>& local);

    std::vector<Vector2> Handles; // world units
    int Selected = -1;

private:
    Vector2 ToWorld(Vector2 local) const;
    Vector2 ToLocal(Vector2 world) const;
    bool FixtureStillExists() const;
    // One drag, inserted or deleted point as a step of the editor's history.
    void RecordStep(const char* what, const std::string& before, const std::string& after);

    Handle<B2FixtureComponent> fixture_; // null once the game deletes it while open
    bool open_ = false;
    Handle<EdCameraMoverBhv> camera_;
    Vector2 bodyPosition_;
    float bodyCos_ = 1.0f;
    float bodySin_ = 0.0f;
    std::string restoreText_;
    std::string lastText_; // the last text written: a shape the fixture refused leaves it empty
    bool showPhysicsBefore_ = false;
    std::string dragStartText_;
    bool dragging_ = false;
    size_t stepsMade_ = 0; // steps of this opening, forgotten again by Esc
};
