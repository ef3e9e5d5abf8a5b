#include "ui/autosave/AutosaveBhv.h"

#include <string>

#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "saves/GameSnapshot.h"
#include "saves/SaveFormat.h"
#include "saves/SavedGames.h"
#include "saves/SlotFiles.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

// ProgressOf the running game; empty when there is no game to capture.
std::vector<uint8_t> RunningProgress() {
    SavedGame game;
    std::string fault;
    return CaptureGame(game, fault) ? ProgressOf(game) : std::vector<uint8_t>();
}

} // namespace

AutosaveBhv::~AutosaveBhv() {
    WellKnown<AutosaveBhv>::ClearIf(this);
    WellKnown<ProgressKeeper>::ClearIf(this);
}

void AutosaveBhv::Start() {
    WellKnown<AutosaveBhv>::Register(this);
    WellKnown<ProgressKeeper>::Register(this);
}

void AutosaveBhv::Update() {
    if (remeasureIn_ > 0 && --remeasureIn_ == 0) {
        kept_ = RunningProgress();
    }
    const bool storeOpen = StoreOpen();
    const UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    // Between two pages of the store a switch is on its way; the store is left once every menu is
    // closed and none is coming.
    if (storeWasOpen_ && !storeOpen && menus && (menus->IsMenuOpen() || menus->PendingMenu())) {
        return;
    }
    if (storeWasOpen_ && !storeOpen) {
        SaveOnLeaving();
    }
    storeWasOpen_ = storeOpen;
}

bool AutosaveBhv::StoreOpen() const {
    const UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    if (!menus) {
        return false;
    }
    for (const GameObject* page : {menus->SupplyMainMenu(), menus->SupplyBuyMenu(), menus->SupplySellMenu(),
                                   menus->SupplyLoadoutMenu()}) {
        if (page && page->UpdateEnabled) {
            return true;
        }
    }
    return false;
}

void AutosaveBhv::GameSaved(const SavedGame& game) {
    kept_ = ProgressOf(game);
    remeasureIn_ = 0;
}

bool AutosaveBhv::HasUnsavedProgress() const {
    const std::vector<uint8_t> now = RunningProgress();
    return !now.empty() && now != kept_;
}

bool AutosaveBhv::SaveOnLeaving() {
    if (!HasUnsavedProgress()) {
        return false;
    }
    saveGame(AutosaveSlot);
    // A save that failed said so and left the progress unsaved.
    return !HasUnsavedProgress();
}
