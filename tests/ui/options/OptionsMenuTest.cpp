#include <gtest/gtest.h>

#include "MenuSceneFixture.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "ui/hud/HudFirstRunHintBhv.h"
#include "ui/options/OptionsStore.h"
#include "ui/options/UiOptionsMenuBhv.h"

namespace {

// The application's side, as the menu sees it: what was set last, and how often.
class RecordingStore final : public OptionsStore {
public:
    OptionValues Options() const override { return values; }
    void SetOptions(const OptionValues& changed) override {
        values = changed;
        ++writes;
    }
    OptionValues values;
    int writes = 0;
};

class OptionsMenuTest : public MenuSceneFixture {
protected:
    ~OptionsMenuTest() override { ClearTree(); }

    GameObject* Options() const { return menus->OptionsMenu(); }
    std::string LineText(int line) const {
        return Options()->GetComponentOfType<TextMenuBhv>()->Items()[static_cast<size_t>(line)]->Text()->Text;
    }

    RecordingStore store;
    Service<OptionsStore>::Scoped storeScope{store};
};

TEST_F(OptionsMenuTest, TheMainMenusFifthLineOpensOptionsWhoseStepsReachTheStoreAndCancelGoesBack) {
    ASSERT_NE(Options(), nullptr);
    EXPECT_FALSE(Options()->UpdateEnabled);
    Press(Key::Esc);
    ASSERT_TRUE(menus->MainMenu()->UpdateEnabled);
    for (int i = 0; i < 4; ++i) {
        Press(Key::S);
    }
    Press(Key::OemEnter);
    EXPECT_FALSE(menus->MainMenu()->UpdateEnabled);
    ASSERT_TRUE(Options()->UpdateEnabled);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(LineText(0), "Master  100%");
    EXPECT_EQ(LineText(3), "Fullscreen  Off");
    EXPECT_EQ(LineText(4), "Controls");
    EXPECT_EQ(LineText(5), "Back");

    // Tenths both ways, never past the ends, and no drift after many steps.
    Press(Key::A);
    EXPECT_FLOAT_EQ(store.values.MasterVolume, 0.9f);
    for (int i = 0; i < 12; ++i) {
        Press(Key::A);
    }
    EXPECT_EQ(store.values.MasterVolume, 0.0f);
    Press(Key::D);
    Press(Key::D);
    Press(Key::D);
    EXPECT_FLOAT_EQ(store.values.MasterVolume, 0.3f);
    EXPECT_EQ(LineText(0), "Master  30%");
    EXPECT_EQ(store.values.MusicVolume, 1.0f);
    Press(Key::S);
    Press(Key::D); // already full: the value stays
    EXPECT_EQ(store.values.MusicVolume, 1.0f);
    Press(Key::S);
    Press(Key::A);
    EXPECT_FLOAT_EQ(store.values.EffectsVolume, 0.9f);

    // Fullscreen flips with confirm and with either direction; the store's own change shows too.
    Press(Key::S);
    Press(Key::OemEnter);
    EXPECT_TRUE(store.values.Fullscreen);
    EXPECT_EQ(LineText(3), "Fullscreen  On");
    Press(Key::A);
    EXPECT_FALSE(store.values.Fullscreen);
    store.values.Fullscreen = true; // Alt+Enter behind the menu's back
    Step();
    EXPECT_EQ(LineText(3), "Fullscreen  On");

    // Back to the main menu, which opens at its top; the options open again at theirs.
    const int writes = store.writes;
    Press(Key::Esc);
    EXPECT_FALSE(Options()->UpdateEnabled);
    EXPECT_TRUE(menus->MainMenu()->UpdateEnabled);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(Options()->GetComponentOfType<TextMenuBhv>()->SelectedIndex(), 0);
    EXPECT_EQ(store.writes, writes);
    // The back line does the same.
    for (int i = 0; i < 4; ++i) {
        Press(Key::S);
    }
    Press(Key::OemEnter);
    ASSERT_TRUE(Options()->UpdateEnabled);
    Press(Key::W); // from the first line up to the last: back
    Press(Key::OemEnter);
    EXPECT_FALSE(Options()->UpdateEnabled);
    EXPECT_TRUE(menus->MainMenu()->UpdateEnabled);
    EXPECT_EQ(store.writes, writes);
}

TEST(OptionsValuesTest, StepsStayOnWholeTenthsWithinZeroAndOne) {
    EXPECT_FLOAT_EQ(UiOptionsMenuBhv::SteppedVolume(0.74f, -1), 0.6f);
    EXPECT_FLOAT_EQ(UiOptionsMenuBhv::SteppedVolume(0.96f, 1), 1.0f);
    EXPECT_EQ(UiOptionsMenuBhv::SteppedVolume(0.04f, -1), 0.0f);
    OptionValues values{0.25f, 0.0f, 1.0f, false};
    EXPECT_EQ(UiOptionsMenuBhv::ValueText(UiOptionsMenuBhv::MasterLine, values), "25%");
    EXPECT_EQ(UiOptionsMenuBhv::ValueText(UiOptionsMenuBhv::MusicLine, values), "0%");
    EXPECT_EQ(UiOptionsMenuBhv::ValueText(UiOptionsMenuBhv::BackLine, values), "");
}

// The first start's hint shows for its time, fades, and once gone the settings remember it: the next
// start (a new HUD) never shows it, and neither does one without a settings keeper.
TEST_F(OptionsMenuTest, TheFirstRunHintGoesAwayByItselfAndNeverComesBack) {
    auto* hint = new HudFirstRunHintBhv();
    hint->ShowTime = 0.5f;
    hint->FadeTime = 0.5f;
    GameObject* hintObject = Add("FirstRunHint", hint);
    auto* line = new GameObject();
    line->Name = "HudText";
    line->AddComponent(new TintComponent());
    hintObject->AppendChild(line);
    EXPECT_TRUE(hint->IsShowing());
    EXPECT_TRUE(hintObject->DrawEnabled);
    RunFrames(45);
    EXPECT_TRUE(hint->IsShowing());
    EXPECT_LT(line->Tint()->Tint.a, 255);
    EXPECT_FALSE(store.values.FirstRunHintDismissed);
    RunFrames(20);
    EXPECT_FALSE(hint->IsShowing());
    EXPECT_FALSE(hintObject->DrawEnabled);
    EXPECT_TRUE(store.values.FirstRunHintDismissed);
    EXPECT_EQ(store.writes, 1);

    auto* again = new HudFirstRunHintBhv();
    GameObject* againObject = Add("FirstRunHintAgain", again);
    EXPECT_FALSE(again->IsShowing());
    EXPECT_FALSE(againObject->DrawEnabled);
    RunFrames(2);
    EXPECT_EQ(store.writes, 1);
    Service<OptionsStore>::Set(nullptr);
    store.values.FirstRunHintDismissed = false;
    auto* unkept = new HudFirstRunHintBhv();
    Add("FirstRunHintUnkept", unkept);
    EXPECT_FALSE(unkept->IsShowing());
    Service<OptionsStore>::Set(&store);
}

} // namespace
