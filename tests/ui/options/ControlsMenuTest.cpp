// The controls page in the menu scene: bind by pressing, clashes swapped or cancelled, lifelines
// kept, removal, the pad's column, reset; every change acts at once and reaches the store.
#include <gtest/gtest.h>

#include "MenuSceneFixture.h"
#include "components/TextComponent.h"
#include "ui/options/ControlsStore.h"
#include "ui/options/UiControlsMenuBhv.h"

namespace {

// The application's side, as the page sees it: the shipped mappings and what was kept last.
class RecordingControls final : public ControlsStore {
public:
    const ActionMappings& ShippedMappings() const override { return shipped; }
    void KeepMappings(const ActionMappings& mappings) override {
        kept = mappings;
        ++writes;
    }
    ActionMappings shipped;
    ActionMappings kept;
    int writes = 0;
};

class ControlsMenuTest : public MenuSceneFixture {
protected:
    ControlsMenuTest() {
        AddPrefab("Cue_ErrorBuzz",
                  R"({"Components": {"CueComponent": "", "CueCounterBhv": ""}, "AutoCreate": ""})");
        Bind(Action::MoveDown, Key::Down);
        Bind(Action::MenuClear, Key::Delete);
        Bind(Action::MenuConfirm, Key::PadA);
        Bind(Action::MenuCancel, Key::PadB);
        controls.shipped = input.Mappings;
    }
    ~ControlsMenuTest() override { ClearTree(); }

    GameObject* Page() const { return menus->ControlsMenu(); }
    UiControlsMenuBhv* Bhv() const { return Page()->GetComponentOfType<UiControlsMenuBhv>(); }
    std::string Cell(int line, int cell) const {
        const TextComponent* text = Bhv()->LineTexts(line)[static_cast<size_t>(cell)];
        return text ? text->Text : "(none)";
    }
    std::string Hint() const { return Page()->FindChild("Hint")->Text()->Text; }
    std::vector<Key> Keys(Action action, KeyDevice device = KeyDevice::Keyboard) const {
        return BoundKeys(input.Mappings, action, device);
    }
    void OpenPage() {
        Press(Key::Esc);
        for (int i = 0; i < 4; ++i) {
            Press(Key::S);
        }
        Press(Key::OemEnter);
        for (int i = 0; i < 4; ++i) {
            Press(Key::S);
        }
        Press(Key::OemEnter);
        Step();
    }

    RecordingControls controls;
    Service<ControlsStore>::Scoped controlsScope{controls};
};

TEST_F(ControlsMenuTest, BindingByPressingActsAtOnceAndClashesAreSwappedOrCancelled) {
    OpenPage();
    ASSERT_TRUE(Page()->UpdateEnabled);
    EXPECT_FALSE(menus->OptionsMenu()->UpdateEnabled);
    EXPECT_EQ(Cell(1, 0), "Steer down");
    EXPECT_EQ(Cell(1, 1), "S");
    EXPECT_EQ(Cell(1, 2), "Down");
    EXPECT_EQ(Cell(1, 3), "-");
    EXPECT_EQ(Cell(Bhv()->LineCount() - 2, 0), "Reset to defaults");
    EXPECT_EQ(Hint(), "Enter: bind    Esc: back");

    // "Steer down", first key: Enter waits, K binds; S does nothing from then on.
    Press(Key::S);
    Press(Key::OemEnter);
    EXPECT_EQ(Bhv()->CurrentMode(), UiControlsMenuBhv::Mode::Capture);
    EXPECT_NE(Hint().find("Steer down"), std::string::npos) << Hint();
    Press(Key::K);
    EXPECT_EQ(Bhv()->SelectedLine(), 1) << "the key taken does not also move through the page";
    EXPECT_EQ(Keys(Action::MoveDown), (std::vector<Key>{Key::K, Key::Down}));
    EXPECT_EQ(controls.writes, 1);
    EXPECT_EQ(controls.kept, input.Mappings);
    Step();
    EXPECT_EQ(Cell(1, 1), "K");
    Hold(Key::K);
    Step();
    EXPECT_TRUE(input.IsActionDown(Action::MoveDown));
    Hold(Key::K, false);
    Hold(Key::S);
    Step();
    EXPECT_FALSE(input.IsActionDown(Action::MoveDown));
    Hold(Key::S, false);
    Step();
    Press(Key::W); // K moved the page down a line: back up
    ASSERT_EQ(Bhv()->SelectedLine(), 1);

    // W steers up: binding it here asks first; Esc leaves both as they were.
    Press(Key::OemEnter);
    Press(Key::W);
    EXPECT_EQ(Bhv()->CurrentMode(), UiControlsMenuBhv::Mode::Conflict);
    Step();
    EXPECT_NE(Hint().find("Steer up"), std::string::npos) << Hint();
    Press(Key::Esc);
    EXPECT_TRUE(Page()->UpdateEnabled) << "Esc answered the question, it did not leave the page";
    EXPECT_EQ(Keys(Action::MoveDown), (std::vector<Key>{Key::K, Key::Down}));
    EXPECT_EQ(Keys(Action::MoveUp), (std::vector<Key>{Key::W}));
    EXPECT_EQ(controls.writes, 1);
    // Confirming swaps: steering up takes the key it replaced.
    Press(Key::OemEnter);
    Press(Key::W);
    Press(Key::OemEnter);
    EXPECT_EQ(Keys(Action::MoveDown), (std::vector<Key>{Key::W, Key::Down}));
    EXPECT_EQ(Keys(Action::MoveUp), (std::vector<Key>{Key::K}));
    EXPECT_EQ(controls.writes, 2);

    // Steering up keeps its last key: the menu could not be reached without it.
    Press(Key::K);
    ASSERT_EQ(Bhv()->SelectedLine(), 0);
    Press(Key::Delete);
    EXPECT_EQ(Keys(Action::MoveUp), (std::vector<Key>{Key::K}));
    EXPECT_EQ(Played("ErrorBuzz"), 1);
    // Steering left may lose its key.
    Press(Key::W);
    Press(Key::W);
    Press(Key::Delete);
    EXPECT_TRUE(Keys(Action::MoveLeft).empty());
    EXPECT_EQ(controls.writes, 3);

    // The pad drives the page too, and its input goes to the pad's column whichever slot was chosen.
    Press(Key::PadA);
    Press(Key::PadX);
    EXPECT_EQ(Keys(Action::MoveLeft, KeyDevice::Pad), std::vector<Key>{Key::PadX});
    EXPECT_TRUE(Keys(Action::MoveLeft).empty());
    EXPECT_EQ(controls.writes, 4);
    Step();
    EXPECT_EQ(Cell(2, 3), "X");
    EXPECT_EQ(Hint(), "A: bind    B: back") << "the pad was used last";

    // Esc cancels a wait, and so does time.
    Press(Key::OemEnter);
    Press(Key::Esc);
    EXPECT_EQ(Bhv()->CurrentMode(), UiControlsMenuBhv::Mode::Browse);
    EXPECT_TRUE(Page()->UpdateEnabled);
    Press(Key::OemEnter);
    for (int frame = 0; frame < 6 * 60; ++frame) {
        Step();
    }
    EXPECT_EQ(Bhv()->CurrentMode(), UiControlsMenuBhv::Mode::Browse);
    EXPECT_EQ(Hint(), "Enter: bind    Esc: back");

    // "Reset to defaults", two lines above the first by wrapping.
    for (int i = 0; i < 4; ++i) {
        Press(Key::K);
    }
    ASSERT_EQ(Cell(Bhv()->SelectedLine(), 0), "Reset to defaults");
    Press(Key::OemEnter);
    EXPECT_EQ(input.Mappings, controls.shipped);
    EXPECT_EQ(controls.kept, controls.shipped);
    EXPECT_EQ(controls.writes, 5);

    Press(Key::Esc);
    EXPECT_FALSE(Page()->UpdateEnabled);
    EXPECT_TRUE(menus->OptionsMenu()->UpdateEnabled);
    EXPECT_TRUE(IsPaused());
}

TEST(ControlsBindingTest, KeysMoveWithinAnActionAndSwapsGiveTheReplacedKeyToTheFirstClash) {
    ActionMappings mappings{{Action::MoveUp, Key::W},          {Action::MoveUp, Key::Up},
                            {Action::MoveDown, Key::S},        {Action::MainWeapon, Key::Space},
                            {Action::MenuConfirm, Key::Space}, {Action::MenuConfirm, Key::PadA},
                            {Action::MenuClear, Key::Delete}};
    // Already bound elsewhere on the same action: the two change places, nobody else is touched.
    UiControlsMenuBhv::Binding moved = UiControlsMenuBhv::Bind(mappings, Action::MoveUp, 0, Key::Up);
    EXPECT_TRUE(moved.Clashes.empty());
    EXPECT_EQ(BoundKeys(moved.Mappings, Action::MoveUp, KeyDevice::Keyboard),
              (std::vector<Key>{Key::Up, Key::W}));
    // Space: confirming clashes with removing (both act in menus), tool use does not; it keeps Space.
    UiControlsMenuBhv::Binding swap = UiControlsMenuBhv::Bind(mappings, Action::MenuClear, 0, Key::Space);
    EXPECT_EQ(swap.Clashes, std::vector<Action>{Action::MenuConfirm});
    EXPECT_EQ(BoundKeys(swap.Mappings, Action::MenuConfirm, KeyDevice::Keyboard),
              std::vector<Key>{Key::Delete});
    EXPECT_EQ(BoundKeys(swap.Mappings, Action::MainWeapon, KeyDevice::Keyboard),
              std::vector<Key>{Key::Space});
    // Into an empty slot nothing is replaced: the clashes only lose the key, and may be stranded.
    UiControlsMenuBhv::Binding taken = UiControlsMenuBhv::Bind(mappings, Action::MoveDown, 1, Key::Space);
    EXPECT_EQ(taken.Clashes, (std::vector<Action>{Action::MainWeapon, Action::MenuConfirm}));
    EXPECT_EQ(BoundKeys(taken.Mappings, Action::MoveDown, KeyDevice::Keyboard),
              (std::vector<Key>{Key::S, Key::Space}));
    EXPECT_TRUE(BoundKeys(taken.Mappings, Action::MenuConfirm, KeyDevice::Keyboard).empty());
    EXPECT_EQ(UiControlsMenuBhv::StrandedLifeline(taken.Mappings), Action::MenuConfirm);
    EXPECT_EQ(UiControlsMenuBhv::StrandedLifeline(mappings), Action::MenuCancel);
}

} // namespace
