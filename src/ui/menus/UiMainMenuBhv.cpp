#include "ui/menus/UiMainMenuBhv.h"

#include "core/GameExit.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "flow/boss/WorldEventsBhv.h"
#include "input/InputManager.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/sub/GameplayScreenBhv.h"
#include "player/sub/SubBhv.h"
#include "ui/autosave/AutosaveBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiLoadSaveMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/menus/UiMessageBoxBhv.h"
#include "world/generation/WorldMakerBhv.h"

void UiMainMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    menu_ = ClaimTextMenu(*Owner, [this](int index) { ItemChosen(index); });
}

void UiMainMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (input && input->IsActionPressed(Action::MenuCancel)) {
        Leave(true);
    }
}

void UiMainMenuBhv::ItemChosen(int index) {
    UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get();
    switch (index) {
    case 0:
        Leave(true); // back to the game
        break;
    case 1:
        // A slip of Esc and Enter must not wipe a game: ask first, over the menu's background.
        Leave(false);
        if (!askQuestion(
                "Start a new game? Progress not saved is lost.",
                [this] {
                    StartNewGame();
                    Leave(true);
                },
                [] {
                    if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
                        menus->openMainMenu();
                    }
                })) {
            StartNewGame(); // no box to ask with
            Leave(true);
        }
        break;
    case 2:
        Leave(false);
        if (root) {
            root->openLoadMenu();
        }
        break;
    case 3:
        Leave(false);
        if (root) {
            root->openSaveMenu();
        }
        break;
    case 4:
        if (root && root->OptionsMenu()) {
            Leave(false);
            root->openOptionsMenu();
        }
        break;
    case 5:
        Quit();
        break;
    default:
        break;
    }
}

void UiMainMenuBhv::Quit() {
    const AutosaveBhv* autosave = WellKnown<AutosaveBhv>::Get();
    if (!autosave || !autosave->HasUnsavedProgress()) {
        ExitGame();
        return;
    }
    // Yes: choose a slot, and the game ends once it is saved (Esc there goes back to the main menu
    // and the game goes on). No: the game ends, its progress kept in the autosave as it closes.
    Leave(false);
    GameObject* box = askQuestion(
        "Save first?",
        [] {
            UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
            UiLoadSaveMenuBhv* save = menus && menus->SaveMenu()
                                          ? menus->SaveMenu()->GetComponentOfType<UiLoadSaveMenuBhv>()
                                          : nullptr;
            if (!save) {
                ExitGame();
                return;
            }
            save->QuitAfterSaving = true;
            menus->openSaveMenu();
        },
        [] { ExitGame(); });
    if (!box) {
        ExitGame(); // no box to ask with: the autosave keeps the progress
        return;
    }
    setQuestionHint(*box, "{MenuConfirm}: save to a slot     {MenuCancel}: quit, kept in the Autosave");
}

void UiMainMenuBhv::ExitGame() {
    if (GameExit* exit = Service<GameExit>::TryGet()) {
        exit->RequestExit();
    }
}

void UiMainMenuBhv::StartNewGame() {
    if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get(); inventory && inventory->IsDying()) {
        // The death flash goes with the old inventory: put back the colour it flashes over (before
        // the reward's colour, if any, is taken back below).
        GameplayScreenBhv::SetBackgroundColor(inventory->SavedClearColor);
    }
    // What a fresh start gives: the boss unbeaten (so the generation below shuts the gates and takes
    // the second station away), the reward to be earned again, no sales or unlocks.
    if (WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get()) {
        worldEvents->StartNewGame();
    }
    if (ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get();
        forSale && forSale->Owner && !forSale->Owner->PrefabName.empty()) {
        // The fresh catalogue registers itself as it starts.
        forSale->Owner->Reinstantiate();
    }
    if (WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get()) {
        maker->Generate();
    }
    if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get(); inventory && inventory->Owner) {
        // The fresh inventory registers itself as it starts, so addItem reaches it.
        inventory->Owner->Reinstantiate();
        addItem(1, StartingSub);
    }
    if (SubBhv* sub = WellKnown<SubBhv>::Get()) {
        sub->respawn();
    }
    if (AutosaveBhv* autosave = WellKnown<AutosaveBhv>::Get()) {
        autosave->GameStarted();
    }
}

void UiMainMenuBhv::Leave(bool closeAll) {
    if (menu_) {
        menu_->ResetSelection();
    }
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (closeAll) {
        if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get(); root && root->MenuBackground()) {
            root->MenuBackground()->SetPassesEnabled(false);
        }
        ResumeGame();
    }
}
