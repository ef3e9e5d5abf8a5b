#include "ui/focus/FocusPauseBhv.h"

#include "audio/SoundManager.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/sub/GameplayScreenBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

bool MenuOpen() {
    const UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    return menus && menus->IsMenuOpen();
}

// The gameplay screen takes its turns: nothing else has paused it.
bool GameRunning() {
    const GameplayScreenBhv* screen = WellKnown<GameplayScreenBhv>::Get();
    return screen && screen->Owner && screen->Owner->UpdateEnabled;
}

} // namespace

FocusPauseBhv::FocusPauseBhv() {
    RegisterProperty("DuckLevel", &DuckLevel);
}

FocusPauseBhv::~FocusPauseBhv() {
    // Gone while in the background: the sound must not stay low for good.
    Duck(false);
}

void FocusPauseBhv::Update() {
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    const bool focused = !graphics || graphics->HasFocus;
    if (focused != focused_) {
        focused_ = focused;
        if (focused) {
            Regain();
        } else {
            Lose();
        }
    } else if (!focused && pausedByFocus_ && !MenuOpen() && GameRunning()) {
        // A menu closed in the background resumes the game; the background keeps it paused.
        PauseGame();
    }
}

void FocusPauseBhv::Lose() {
    Duck(true);
    pausedByFocus_ = GameRunning() && !MenuOpen();
    if (pausedByFocus_) {
        PauseGame();
    }
}

void FocusPauseBhv::Regain() {
    Duck(false);
    if (pausedByFocus_ && !MenuOpen()) {
        ResumeGame();
    }
    pausedByFocus_ = false;
}

void FocusPauseBhv::Duck(bool on) {
    if (on == ducked_) {
        return;
    }
    ducked_ = on;
    if (SoundManager* sounds = Service<SoundManager>::TryGet()) {
        sounds->System().SetDuck(on ? DuckLevel : 1.0f);
    }
}
