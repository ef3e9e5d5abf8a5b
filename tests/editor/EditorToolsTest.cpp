// The modal tools: the object picker's choice among overlapping sprites, the shape editor's
// handles with their refusals and restore, and the free camera.
#include <gtest/gtest.h>

#include "EditorRig.h"
#include "SceneFixture.h"
#include "components/SpriteComponent.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/WellKnown.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"

namespace {

using EditorToolsTest = SceneFixture;

// A screen-layer sprite of the given size at (x, y) under parent.
GameObject* AddSprite(GameObject& parent, const char* name, float x, float y, float size) {
    auto* object = new GameObject;
    object->Name = name;
    auto* pos = new Pos2dComponent;
    pos->Pos = {x, y};
    object->AddComponent(pos);
    auto* sprite = new SpriteComponent;
    sprite->Layer = DrawLayer::Ui;
    sprite->Size = {size, size};
    object->AddComponent(sprite);
    parent.AppendChild(object);
    return object;
}

TEST_F(EditorToolsTest, CtrlGPicksTheLastSpriteHitAndGivesTheGameItsFlagsBack) {
    EditorRig rig(*this);
    GameObject* parent = AddSprite(root, "Parent", 100, 100, 80);
    GameObject* child = AddSprite(*parent, "Child", 100, 100, 20);
    GameObject* later = AddSprite(root, "Later", 130, 130, 20);
    GameObject* hidden = AddSprite(root, "Hidden", 100, 100, 20);
    hidden->DrawEnabled = false;
    EXPECT_EQ(EdSpritePickerBhv::PickAt(root, {100, 100}), child);
    EXPECT_EQ(EdSpritePickerBhv::PickAt(root, {131, 131}), later);
    EXPECT_EQ(EdSpritePickerBhv::PickAt(root, {65, 65}), parent);
    EXPECT_EQ(EdSpritePickerBhv::PickAt(root, {300, 300}), nullptr);

    rig.Tap(Key::F11);
    root.UpdateEnabled = false; // already paused by hand: closing must keep it so
    rig.Chord(Key::Ctrl, Key::G);
    EXPECT_TRUE(rig.editor.ModalOpen);
    EXPECT_FALSE(root.InputEnabled);
    EXPECT_FALSE(WellKnown<EdSpritePickerBhv>::Get()->Owner->GetComponentOfType<EdSpritePickerBhv>() ==
                 nullptr);
    rig.Click(100, 100);
    EXPECT_EQ(rig.editor.SelectedObject, child);
    EXPECT_EQ(rig.editor.ListedParent, child);
    EXPECT_FALSE(rig.editor.ModalOpen);
    EXPECT_TRUE(root.InputEnabled);
    EXPECT_FALSE(root.UpdateEnabled);
}

// An object with a static body at (x, y) and one fixture of the shape.
GameObject* AddBody(GameObject& parent, float x, float y, const std::string& shape) {
    auto* object = new GameObject;
    auto* body = new B2BodyComponent;
    object->AddComponent(body);
    body->SetPosition(x, y);
    auto* fixture = new B2FixtureComponent;
    object->AddComponent(fixture);
    fixture->SetShapeText(shape);
    parent.AppendChild(object);
    return object;
}

TEST_F(EditorToolsTest, TheShapeEditorDragsAndInsertsPointsRefusesATwoPointPolygonAndEscRestores) {
    EditorRig rig(*this);
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    rig.Tap(Key::F11);
    // World (10, -10) lies at pixel (160, 160) of the default world camera, 16 pixels a unit.
    GameObject* object = AddBody(root, 10, -10, "Polygon 0 0 2 0 0 2");
    auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
    EdShapeEditorBhv* shapes = WellKnown<EdShapeEditorBhv>::Get();
    const std::string original = fixture->GetPropertyText("Shape");

    // Through the edit palette, as a person would: select the object, pick the fixture, Ctrl+E.
    rig.editor.SelectObject(object);
    rig.Frame();
    WellKnown<EdPalObjectEditBhv>::Get()->SetCurrentComponent(fixture);
    rig.Chord(Key::Ctrl, Key::E);
    ASSERT_TRUE(shapes->IsOpen());
    EXPECT_TRUE(rig.editor.ModalOpen);
    EXPECT_TRUE(graphics.ShowPhysics);
    EXPECT_EQ(shapes->Handles.size(), 3u);

    // Deleting down to two points is refused.
    rig.Frame([](InputManager& in) { in.SetMousePosition(160, 160); });
    EXPECT_EQ(shapes->Selected, 0);
    rig.Tap(Key::Delete);
    EXPECT_EQ(shapes->Handles.size(), 3u);
    EXPECT_EQ(fixture->GetPropertyText("Shape"), "Polygon 0 0 2 0 0 2");

    // Drag the first point one unit left and down, then insert a point after it.
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, true); });
    rig.Frame([](InputManager& in) { in.SetMousePosition(144, 176); });
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, false); });
    EXPECT_EQ(fixture->GetPropertyText("Shape"), "Polygon -1 -1 2 0 0 2");
    rig.Frame([](InputManager& in) { in.SetMousePosition(168, 184); }); // (0.5, -1.5) local
    rig.Tap(Key::Insert);
    EXPECT_EQ(shapes->Handles.size(), 4u);
    EXPECT_EQ(fixture->GetPropertyText("Shape"), "Polygon -1 -1 0.5 -1.5 2 0 0 2");
    // The drag and the inserted point are a step each; the refused deletion none.
    ASSERT_EQ(rig.editor.History.Size(), 2u);
    EXPECT_EQ(rig.editor.History.At(0).Text.rfind("Drag: Set Shape of ", 0), 0u);
    EXPECT_EQ(rig.editor.History.At(1).Text.rfind("Insert point: Set Shape of ", 0), 0u);

    rig.Tap(Key::Esc);
    EXPECT_FALSE(shapes->IsOpen());
    EXPECT_FALSE(rig.editor.ModalOpen);
    EXPECT_FALSE(graphics.ShowPhysics);
    EXPECT_EQ(fixture->GetPropertyText("Shape"), original);
    EXPECT_EQ(rig.editor.History.Size(), 0u) << "Esc is no step, and takes the session's steps along";

    // The running game destroys the object being reshaped: the editor closes cleanly, the free
    // camera lands and Esc is the game's again.
    rig.Chord(Key::Ctrl, Key::E);
    ASSERT_TRUE(shapes->IsOpen());
    object->DestroyLater();
    rig.Frames(2);
    EXPECT_FALSE(shapes->IsOpen());
    EXPECT_FALSE(rig.editor.ModalOpen);
    EXPECT_FALSE(graphics.ShowPhysics);
    EXPECT_FALSE(rig.editorRoot->GetComponentOfType<EdCameraMoverBhv>()->IsFlying());

    // Box and circle: two handles and one, written back with six significant digits.
    std::string kind;
    EXPECT_EQ(EdShapeEditorBhv::LocalHandles("Box 1.5 0.25", kind),
              (std::vector<Vector2>{{1.5f, 0}, {0, 0.25f}}));
    EXPECT_EQ(kind, "Box");
    EXPECT_EQ(EdShapeEditorBhv::FormatShape("Circle", {{3, 4}}), "Circle 5");
    EXPECT_EQ(EdShapeEditorBhv::FormatShape("Polygon", {{1.0f / 3.0f, 2}}), "Polygon 0.333333 2");
    EXPECT_TRUE(EdShapeEditorBhv::LocalHandles("nonsense", kind).empty());
}

TEST_F(EditorToolsTest, TheFreeCameraFliesACopyAndEscPutsTheCameraBack) {
    EditorRig rig(*this);
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    const Camera2d before = graphics.WorldCamera;
    rig.Chord(Key::Ctrl, Key::F); // the editor is hidden: nothing
    auto* mover = rig.editorRoot->GetComponentOfType<EdCameraMoverBhv>();
    EXPECT_FALSE(mover->IsFlying());
    rig.Tap(Key::F11);
    rig.Chord(Key::Ctrl, Key::F);
    ASSERT_TRUE(mover->IsFlying());
    rig.Tap(Key::W);
    rig.Tap(Key::D);
    rig.Tap(Key::Equals);
    EXPECT_EQ(graphics.WorldCamera.Position, (before.Position + Vector2{2, 2}));
    EXPECT_EQ(graphics.WorldCamera.Size, (Vector2{before.Size.x / 1.25f, before.Size.y / 1.25f}));
    rig.Tap(Key::Esc);
    EXPECT_FALSE(mover->IsFlying());
    EXPECT_EQ(graphics.WorldCamera.Position, before.Position);
    EXPECT_EQ(graphics.WorldCamera.Size, before.Size);
}

} // namespace
