#include <gtest/gtest.h>

#include "MenuSceneFixture.h"
#include "audio/SoundManager.h"
#include "ui/focus/FocusPauseBhv.h"

namespace {

class FocusPauseTest : public MenuSceneFixture {
protected:
    FocusPauseTest() {
        AddPrefab("FocusPause",
                  R"({"Components": {"FocusPauseBhv": {"DuckLevel": "0.25"}}, "AutoCreate": ""})");
        focusObject = new GameObject("FocusPause");
        root.AppendChild(focusObject);
        focus = focusObject->GetComponentOfType<FocusPauseBhv>();
    }
    ~FocusPauseTest() override { ClearTree(); }

    // The window goes to the background or comes back; the game sees it at its next frame.
    void SetFocus(bool focused) {
        graphics.HasFocus = focused;
        Step();
    }
    float Duck() { return sounds.System().DuckLevel(); }

    SoundManager sounds{AudioSystem::Device::Silent};
    Service<SoundManager>::Scoped soundsScope{sounds};
    GameObject* focusObject = nullptr;
    FocusPauseBhv* focus = nullptr;
};

TEST_F(FocusPauseTest, TheBackgroundPausesAndDucksUntilTheFocusReturnsButAMenuKeepsTheGamePaused) {
    ASSERT_NE(focus, nullptr);
    Step();
    EXPECT_TRUE(IsRunning());
    SetFocus(false);
    EXPECT_TRUE(IsPaused());
    EXPECT_FLOAT_EQ(Duck(), 0.25f);
    EXPECT_FLOAT_EQ(sounds.System().ListenerGain(), 0.25f);
    Step();
    EXPECT_TRUE(IsPaused());
    SetFocus(true);
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(Duck(), 1.0f);

    // A menu opened in the background keeps the game paused when the focus comes back.
    SetFocus(false);
    menus->openMainMenu();
    Step();
    ASSERT_TRUE(menus->IsMenuOpen());
    SetFocus(true);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(Duck(), 1.0f);
    menus->closeMenus();
    menus->MainMenu()->SetPassesEnabled(false);
    Step();
    EXPECT_TRUE(IsRunning());

    // A menu already open when the focus went is no business of the focus: it stays paused after.
    menus->openMainMenu();
    Step();
    SetFocus(false);
    SetFocus(true);
    EXPECT_TRUE(IsPaused());
    EXPECT_TRUE(menus->IsMenuOpen());
    menus->closeMenus();
    menus->MainMenu()->SetPassesEnabled(false);
    Step();
    EXPECT_TRUE(IsRunning());

    // A menu closed in the background resumes the game, and the background pauses it again.
    SetFocus(false);
    menus->openMainMenu();
    Step();
    menus->closeMenus();
    menus->MainMenu()->SetPassesEnabled(false);
    Step();
    Step();
    EXPECT_TRUE(IsPaused());
    SetFocus(true);
    EXPECT_TRUE(IsRunning());

    // Gone while ducked, it leaves the sound as the player set it.
    SetFocus(false);
    focusObject->DestroyLater();
    Step();
    EXPECT_EQ(Duck(), 1.0f);
}

} // namespace
