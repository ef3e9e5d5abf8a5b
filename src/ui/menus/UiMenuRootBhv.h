#pragma once

#include <array>
#include <string_view>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Handle.h"
#include "flow/stations/SupplyStoreOpener.h"

class GameObject;

// The parent of the menu background and the eight menus, each found among its children by name.
// Opening a menu pauses the game; the menus keep running because they are not under the paused
// objects. Reached as WellKnown<UiMenuRootBhv>; it also opens the store for the supply stations.
class UiMenuRootBhv : public Behavior, public SupplyStoreOpener {
public:
    static constexpr const char* ClassName = "UiMenuRootBhv";
    // Child names, in the order of the lookups below.
    static constexpr std::array<const char*, 8> ChildNames{
        "UiMenuBg",         "UiMainMenu",      "UiLoadMenu",       "UiSaveMenu",
        "UiSupplyMainMenu", "UiSupplyBuyMenu", "UiSupplySellMenu", "UiSupplyLoadoutMenu"};

    // Clears the registrations if they are still this root's.
    ~UiMenuRootBhv() override;

    // Finds its children (ContentError naming the first one missing), registers itself and
    // switches the background and every menu off.
    void Start() override;
    // With no menu open or on its way and no message box waiting for an answer, "MenuCancel" opens
    // the main menu.
    void HandleInput() override;
    // While a menu or message box holds the game, runs the HUD's update pass so it stays true.
    void Update() override;

    // Shows menu (null: none) one frame from now, so the key that asked for it does not also act on
    // it; a second request before then replaces the first. The caller switches off the menu it leaves.
    void openMenu(GameObject* menu);
    void closeMenus() { openMenu(nullptr); }
    void openMainMenu() { openMenu(MainMenu()); }
    void openLoadMenu() { openMenu(LoadMenu()); }
    void openSaveMenu() { openMenu(SaveMenu()); }
    void openSupplyMainMenu() { openMenu(SupplyMainMenu()); }
    void openSupplyBuyMenu() { openMenu(SupplyBuyMenu()); }
    void openSupplySellMenu() { openMenu(SupplySellMenu()); }
    void openSupplyLoadoutMenu() { openMenu(SupplyLoadoutMenu()); }
    // The options menu is optional: a root without a "UiOptionsMenu" child offers none.
    void openOptionsMenu() {
        if (GameObject* options = OptionsMenu()) {
            openMenu(options);
        }
    }

    // So is the controls page, a "UiControlsMenu" child.
    void openControlsMenu() {
        if (GameObject* controls = ControlsMenu()) {
            openMenu(controls);
        }
    }

    void OpenSupplyStore() override { openSupplyMainMenu(); }

    GameObject* MenuBackground() const { return Child(0); }
    GameObject* MainMenu() const { return Child(1); }
    GameObject* LoadMenu() const { return Child(2); }
    GameObject* SaveMenu() const { return Child(3); }
    GameObject* SupplyMainMenu() const { return Child(4); }
    GameObject* SupplyBuyMenu() const { return Child(5); }
    GameObject* SupplySellMenu() const { return Child(6); }
    GameObject* SupplyLoadoutMenu() const { return Child(7); }
    GameObject* OptionsMenu() const;
    GameObject* ControlsMenu() const;

    // A menu is showing: the background is running, or the loadout menu (which has none) is on.
    bool IsMenuOpen() const;
    // A message box under this root waits for an answer.
    bool IsMessageBoxShowing() const;
    // A switch is waiting for its frame.
    bool IsSwitching() { return IsCoroutineRunning<&UiMenuRootBhv::SwitchStep>(); }
    // The menu a switch will show on its frame; null when none is coming.
    GameObject* PendingMenu() const { return pending_.Get(); }

private:
    CoCommand SwitchStep(int step);
    // Child i of ChildNames, looked for again when the editor removed or rebuilt it; null without.
    GameObject* Child(size_t i) const;

    mutable std::array<Handle<GameObject>, 8> children_{};
    Handle<GameObject> pending_;
    mutable Handle<GameObject> options_;
    mutable Handle<GameObject> controls_;
};
