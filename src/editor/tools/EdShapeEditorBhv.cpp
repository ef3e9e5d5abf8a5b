#include "editor/tools/EdShapeEditorBhv.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <regex>
#include <sstream>

#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdScene.h"
#include "editor/EditorState.h"
#include "editor/history/LiveRecord.h"
#include "editor/history/LiveValueStep.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "input/InputManager.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureComponent.h"

namespace {

bool Contains(const GameObject& object, const Component* component) {
    for (const Component* c : object.Components) {
        if (c == component) {
            return true;
        }
    }
    for (const GameObject* child : object.Children) {
        if (Contains(*child, component)) {
            return true;
        }
    }
    return false;
}

Vector2 MouseInWorld() {
    const InputManager& input = Service<InputManager>::Get();
    if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        return graphics->WorldCamera.ScreenToWorld(input.MousePosition, graphics->Width, graphics->Height);
    }
    return Camera2d::DefaultWorld(1280, 720).ScreenToWorld(input.MousePosition);
}

} // namespace

EdShapeEditorBhv::~EdShapeEditorBhv() {
    WellKnown<EdShapeEditorBhv>::ClearIf(this);
}

void EdShapeEditorBhv::Start() {
    WellKnown<EdShapeEditorBhv>::Register(this);
    camera_ = Owner ? Owner->GetComponentOfType<EdCameraMoverBhv>() : nullptr;
    Owner->SetPassesEnabled(false);
}

std::vector<Vector2> EdShapeEditorBhv::LocalHandles(const std::string& text, std::string& kind) {
    static const std::regex KindAndRest(R"(^(\w+)\s+(.+)$)");
    static const std::regex Number(R"(([-0-9.eE]+)\s*)");
    std::vector<Vector2> handles;
    std::smatch match;
    kind.clear();
    if (!std::regex_match(text, match, KindAndRest)) {
        return handles;
    }
    kind = match[1].str();
    const std::string rest = match[2].str();
    std::vector<float> numbers;
    for (auto it = std::sregex_iterator(rest.begin(), rest.end(), Number); it != std::sregex_iterator();
         ++it) {
        // A token such as "-" or "e" reads as 0, as a lenient reader would take it.
        numbers.push_back(std::strtof((*it)[1].str().c_str(), nullptr));
    }
    if (kind == "Polygon") {
        for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
            handles.push_back({numbers[i], numbers[i + 1]});
        }
    } else if (kind == "Box" && numbers.size() >= 2) {
        handles.push_back({numbers[0], 0.0f});
        handles.push_back({0.0f, numbers[1]});
    } else if (kind == "Circle" && !numbers.empty()) {
        handles.push_back({numbers[0], 0.0f});
    }
    return handles;
}

std::string EdShapeEditorBhv::FormatShape(const std::string& kind, const std::vector<Vector2>& local) {
    std::ostringstream out;
    out << kind;
    if (kind == "Polygon") {
        for (const Vector2& p : local) {
            out << ' ' << p.x << ' ' << p.y;
        }
    } else if (kind == "Box" && local.size() >= 2) {
        out << ' ' << local[0].x << ' ' << local[1].y;
    } else if (kind == "Circle" && !local.empty()) {
        out << ' ' << std::sqrt(local[0].x * local[0].x + local[0].y * local[0].y);
    }
    return out.str();
}

Vector2 EdShapeEditorBhv::ToWorld(Vector2 p) const {
    return bodyPosition_ + Vector2{p.x * bodyCos_ - p.y * bodySin_, p.x * bodySin_ + p.y * bodyCos_};
}

Vector2 EdShapeEditorBhv::ToLocal(Vector2 w) const {
    const Vector2 d = w - bodyPosition_;
    return {d.x * bodyCos_ + d.y * bodySin_, -d.x * bodySin_ + d.y * bodyCos_};
}

void EdShapeEditorBhv::Open(B2FixtureComponent* fixture) {
    if (!fixture || open_) {
        return;
    }
    fixture_ = fixture;
    open_ = true;
    const Component* body = fixture->Owner ? fixture->Owner->GetSlot(ShortcutSlot::Body) : nullptr;
    bodyPosition_ =
        body ? body->BodyPosition() : (fixture->Owner ? fixture->Owner->GetPosition() : Vector2{});
    const float angle = body ? body->BodyAngle() : 0.0f;
    bodyCos_ = std::cos(angle);
    bodySin_ = std::sin(angle);
    restoreText_ = fixture->GetPropertyText("Shape");
    lastText_ = restoreText_;
    stepsMade_ = 0;
    dragging_ = false;
    Handles.clear();
    Selected = -1;
    Owner->SetPassesEnabled(true);
    Service<EditorState>::Get().ModalOpen = true;
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        showPhysicsBefore_ = graphics->ShowPhysics;
        graphics->ShowPhysics = true;
    }
    if (camera_) {
        camera_->Begin();
    }
}

void EdShapeEditorBhv::Close(bool restore) {
    if (!open_) {
        return;
    }
    open_ = false;
    if (restore && FixtureStillExists()) {
        fixture_->SetPropertyText("Shape", 0, restoreText_);
        // Esc is no step: the shape is as it was, and so is the history.
        if (EditorState* editor = Service<EditorState>::TryGet()) {
            EdHistory& history = editor->History;
            history.DropFrom(history.Size() - std::min(history.Size(), stepsMade_));
        }
    }
    stepsMade_ = 0;
    fixture_ = nullptr;
    Owner->SetPassesEnabled(false);
    Handles.clear();
    Selected = -1;
    if (B2DebugDrawer* drawer = Service<B2DebugDrawer>::TryGet()) {
        drawer->Markers.clear();
        drawer->SelectedMarker = -1;
    }
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->ModalOpen = false;
    }
    if (camera_) {
        camera_->End();
    }
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->ShowPhysics = showPhysicsBefore_;
    }
}

bool EdShapeEditorBhv::FixtureStillExists() const {
    // The game runs on while the editor is open: the fixture's object may have been deleted. Only
    // addresses are compared, so a stale pointer is never followed.
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    GameObject* top = roots && roots->Root ? roots->Root : nullptr;
    if (!top) {
        for (GameObject* o = Owner; o; o = o->Parent) {
            top = o;
        }
    }
    return top && Contains(*top, fixture_.Get());
}

void EdShapeEditorBhv::HandleInput() {
    if (!open_) {
        return;
    }
    if (!FixtureStillExists()) {
        // Nothing to restore into; the close steps still run (palettes, camera, modal state).
        Close(false);
        return;
    }
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::Esc)) {
        Close(true);
        return;
    }
    if (input.IsKeyPressed(Key::OemEnter)) {
        Close(false);
        return;
    }
    const bool dragging = input.IsKeyDown(Key::LeftMouse) && Selected >= 0;

    std::string text = fixture_->GetPropertyText("Shape");
    if (text.empty()) {
        text = lastText_;
    }
    // One drag is one step, from the shape at its start to the shape at its end.
    if (dragging && !dragging_) {
        dragStartText_ = text;
    } else if (!dragging && dragging_) {
        RecordStep("Drag", dragStartText_, text);
    }
    dragging_ = dragging;
    std::string kind;
    const std::vector<Vector2> local = LocalHandles(text, kind);
    Handles.clear();
    for (const Vector2& p : local) {
        Handles.push_back(ToWorld(p));
    }

    const Vector2 mouse = MouseInWorld();
    if (Selected >= static_cast<int>(Handles.size())) {
        Selected = -1;
    }
    if (dragging && Selected >= 0) {
        Handles[static_cast<size_t>(Selected)] = mouse;
    } else {
        Selected = -1;
        float best = std::numeric_limits<float>::max();
        for (size_t i = 0; i < Handles.size(); ++i) {
            const Vector2 d = Handles[i] - mouse;
            const float distance = d.x * d.x + d.y * d.y;
            if (distance < best) {
                best = distance;
                Selected = static_cast<int>(i);
            }
        }
    }

    const char* pointEdit = nullptr;
    if (kind == "Polygon" && Selected >= 0) {
        if (input.IsKeyPressed(Key::Insert)) {
            Handles.insert(Handles.begin() + Selected + 1, mouse);
            ++Selected;
            pointEdit = "Insert point";
        } else if (input.IsKeyPressed(Key::Delete) && Handles.size() >= 4) {
            Handles.erase(Handles.begin() + Selected);
            Selected = -1;
            pointEdit = "Delete point";
        }
    }

    if (B2DebugDrawer* drawer = Service<B2DebugDrawer>::TryGet()) {
        drawer->Markers = Handles;
        drawer->SelectedMarker = Selected;
    }
    if (kind.empty() || Handles.empty()) {
        return;
    }
    std::vector<Vector2> newLocal;
    newLocal.reserve(Handles.size());
    for (const Vector2& w : Handles) {
        newLocal.push_back(ToLocal(w));
    }
    lastText_ = FormatShape(kind, newLocal);
    fixture_->SetPropertyText("Shape", 0, lastText_);
    if (pointEdit) {
        RecordStep(pointEdit, text, fixture_->GetPropertyText("Shape"));
    }
}

void EdShapeEditorBhv::RecordStep(const char* what, const std::string& before, const std::string& after) {
    GameObject* object = fixture_ ? fixture_->Owner : nullptr;
    if (!object || before == after) {
        return;
    }
    const std::vector<IEditable*> components = EditableComponents(*object);
    const long index = std::find(components.begin(), components.end(), fixture_.Get()) - components.begin();
    auto step = std::make_unique<LiveValueStep>(*object, LiveValueStep::What::Property,
                                                std::string("Shape of ") + object->Name, before, after);
    step->OnProperty(static_cast<int>(index), ClassNameOf(*fixture_.Get()), "Shape", 0);
    step->Text = std::string(what) + ": " + step->Text;
    Service<EditorState>::Get().History.Push(std::move(step));
    ++stepsMade_;
}
