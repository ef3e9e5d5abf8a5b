// The editor's widgets and containers as the shipped prefabs build them: dragging a palette, the
// button's press-and-release rule, the row container's columns, the text field's editing and number
// nudging, and the palette closing the gap of a hidden row.
#include <gtest/gtest.h>

#include "EditorRig.h"
#include "SceneFixture.h"
#include "editor/EdFind.h"
#include "editor/EdPaletteBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdRowMultiContainerBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "platform/ClipboardBackend.h"

namespace {

using EditorWidgetsTest = SceneFixture;

// Points at from, holds the left button there, moves to to over one frame, releases.
void Drag(EditorRig& rig, Vector2 from, Vector2 to) {
    rig.Frame([=](InputManager& in) { in.SetMousePosition(from.x, from.y); });
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, true); });
    rig.Frame([=](InputManager& in) { in.SetMousePosition(to.x, to.y); });
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, false); });
}

TEST_F(EditorWidgetsTest, F11ShowsTheEditorAndADraggedPaletteKeepsATenPixelStripOnScreen) {
    EditorRig rig(*this);
    GameObject* palettes = rig.editorRoot->FindChild("EdPalettesRoot");
    rig.Frame();
    EXPECT_FALSE(palettes->DrawEnabled);
    rig.Tap(Key::F11);
    EXPECT_TRUE(rig.editor.Active);
    EXPECT_TRUE(palettes->DrawEnabled && palettes->InputEnabled);

    GameObject* main = rig.Palette("PalMain");
    auto* palette = main->GetComponentOfType<EdPaletteBhv>();
    const Vector2 start = palette->TopLeft;
    Drag(rig, start + Vector2{20, 10}, start + Vector2{-5000, 10});
    EXPECT_EQ(palette->TopLeft.x, 10.0f - palette->Width);
    EXPECT_EQ(palette->TopLeft.y, start.y);
    // The title bar went along: what is left on screen can still be grabbed and dragged back.
    const Rect bar = FindChildComponent<EdTitleBarBhv>(main, "TitleBar")->Bounds;
    EXPECT_EQ(bar.x + bar.width, 10.0f);
    Drag(rig, {5, bar.y + 5}, {9000, 9000});
    EXPECT_EQ(palette->TopLeft.x, 1280.0f - 10.0f);
    EXPECT_EQ(palette->TopLeft.y, 720.0f - 10.0f);
    Drag(rig, {1275, 715}, {-9000, -9000});
    EXPECT_EQ(palette->TopLeft.y, -10.0f);

    rig.Tap(Key::F11);
    EXPECT_FALSE(palettes->DrawEnabled || palettes->InputEnabled || palettes->UpdateEnabled);
}

TEST_F(EditorWidgetsTest, AButtonClicksOnlyWhenPressedAndReleasedInside) {
    EditorRig rig(*this);
    auto* object = new GameObject("EdButton");
    rig.top.AppendChild(object);
    auto* button = object->GetComponentOfType<EdButtonBhv>();
    int clicks = 0;
    button->ClickHandler = [&] {
        ++clicks;
    };
    button->SetBounds(100, 100, 50, 20);
    const auto press = [&](Vector2 down, Vector2 up) {
        rig.Frame([=](InputManager& in) {
            in.SetMousePosition(down.x, down.y);
            in.SetKeyState(Key::LeftMouse, true);
        });
        rig.Frame([=](InputManager& in) { in.SetMousePosition(up.x, up.y); });
        rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, false); });
    };
    press({110, 110}, {300, 300});
    EXPECT_EQ(clicks, 0);
    press({300, 300}, {110, 110});
    EXPECT_EQ(clicks, 0);
    button->IsGrayedOut = true; // only a look
    press({110, 110}, {149, 119});
    EXPECT_EQ(clicks, 1);
    press({150, 110}, {150, 110}); // the right edge is outside
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditorWidgetsTest, ARowContainerSharesItsWidthInWholePixelColumnsAndAPaletteSkipsHiddenRows) {
    EditorRig rig(*this);
    auto* row = new GameObject();
    rig.top.AppendChild(row);
    auto* container = new EdRowMultiContainerBhv;
    row->AddComponent(container);
    for (int i = 0; i < 3; ++i) {
        row->AppendChild(new GameObject("EdButton"));
    }
    container->SetBounds(7, 9, 100, 20);
    for (int i = 0; i < 3; ++i) {
        const Rect bounds = row->Children[static_cast<size_t>(i)]->GetComponentOfType<EdButtonBhv>()->Bounds;
        EXPECT_EQ(bounds, Rect(7.0f + 33.0f * static_cast<float>(i), 9.0f, 33.0f, 20.0f)) << i;
    }

    rig.Tap(Key::F11);
    GameObject* list = rig.Palette("PalObjectList");
    const float titleBottom = FindChildComponent<EdTitleBarBhv>(list, "TitleBar")->Bounds.y + 20.0f;
    auto* buttons = FindChildComponent<EdRowMultiContainerBhv>(list, "ListButtons");
    EXPECT_EQ(buttons->Bounds.y, titleBottom + 20.0f);
    list->FindChild("ParentItem")->DrawEnabled = false;
    rig.Frame();
    EXPECT_EQ(buttons->Bounds.y, titleBottom);
}

TEST_F(EditorWidgetsTest, AFieldEditsCommitsCancelsPastesAndNudgesNumbers) {
    EXPECT_EQ(EdFieldBhv::Nudge("7", 10.0), "17");
    EXPECT_EQ(EdFieldBhv::Nudge(" -3 ", -1.0), "-4");
    EXPECT_EQ(EdFieldBhv::Nudge("12", 0.1), "12"); // a tenth step is no step for an integer
    EXPECT_EQ(EdFieldBhv::Nudge("0.5", 0.1), "0.59999999999999998");
    EXPECT_EQ(EdFieldBhv::Nudge(".25", -1.0), "-0.75");
    EXPECT_EQ(EdFieldBhv::Nudge("1e5", 1.0), std::nullopt);
    EXPECT_EQ(EdFieldBhv::Nudge("abc", 1.0), std::nullopt);
    EXPECT_EQ(EdFieldBhv::Nudge("99999999999999999999", 1.0), std::nullopt); // beyond any integer

    EditorRig rig(*this);
    auto clipboard = ClipboardBackend::CreateHeadless();
    Service<ClipboardBackend>::Scoped clipboardScope(*clipboard);
    auto* object = new GameObject("EdPropertyRow");
    rig.top.AppendChild(object);
    auto* row = object->GetComponentOfType<EdPropertyRowBhv>();
    std::vector<std::string> commits;
    row->ChangeHandler = [&](const std::string& text) {
        commits.push_back(text);
    };
    row->ValueText = "7";
    row->SetBounds(0, 0, 200, 20);
    EdFieldBhv* field = row->Field();
    EXPECT_EQ(field->Bounds, Rect(100, 0, 100, 20));

    rig.Click(150, 10);
    ASSERT_TRUE(field->IsEditing);
    EXPECT_EQ(field->Caret, 1);
    rig.Chord(Key::Shift, Key::Up);
    EXPECT_EQ(commits, std::vector<std::string>{"17"});
    EXPECT_TRUE(field->IsEditing);

    rig.Type({Key::Backspace, Key::Backspace, Key::Oem4, Key::Left, Key::Oem2});
    EXPECT_EQ(field->Text, "24");
    rig.Tap(Key::Esc); // stops without committing; the typed text stays until the next layout
    EXPECT_FALSE(field->IsEditing);
    EXPECT_EQ(commits.size(), 1u);

    clipboard->SetText("3.5\nignored-line-break");
    rig.Click(150, 10, Key::RightMouse); // a right click clears the text and edits
    EXPECT_EQ(field->Text, "");
    rig.Chord(Key::Ctrl, Key::V);
    EXPECT_EQ(field->Text, "3.5ignored-line-break");
    rig.Chord(Key::Ctrl, Key::A); // Ctrl keeps letters out of the text
    rig.Tap(Key::OemEnter);
    EXPECT_EQ(commits.back(), "3.5ignored-line-break");
    EXPECT_FALSE(field->IsEditing);

    rig.Click(150, 10);
    rig.Click(500, 500); // a click elsewhere commits an edit
    EXPECT_EQ(commits.size(), 3u);
}

} // namespace
