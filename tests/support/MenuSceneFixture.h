#pragma once

#include <string>

#include "PlayerFixture.h"
#include "core/GraphicsManager.h"
#include "core/WellKnown.h"
#include "player/sub/GameplayScreenBhv.h"
#include "ui/focus/RegisterFocusClasses.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/RegisterMenusClasses.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/options/RegisterOptionsClasses.h"
#include "ui/widgets/RegisterWidgetsClasses.h"

// The player's scene with a gameplay screen and the menu root built from small prefabs: a main menu
// of four lines, an options menu of six (each line a "UiTextMenuItem" with a text), a controls page
// (rows of five texts, a hint naming keys), the other menus empty. A graphics manager says whether
// the window has the focus.
class MenuSceneFixture : public PlayerFixture {
protected:
    MenuSceneFixture() {
        RegisterMenusClasses(prefabs.Registry);
        RegisterOptionsClasses(prefabs.Registry);
        RegisterFocusClasses(prefabs.Registry);
        RegisterWidgetsClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        Bind(Action::MenuConfirm, Key::OemEnter);
        Bind(Action::MenuCancel, Key::Esc);

        AddPrefab("Empty", R"({"Components": "", "AutoCreate": ""})");
        AddPrefab("UiTextMenuItem", R"({"Components": {"TextComponent": "", "TintComponent": ""},
            "AutoCreate": ""})");
        AddPrefab("UiMainMenu",
                  R"({"Components": {"TextMenuBhv": "", "UiMainMenuBhv": ""}, "AutoCreate": [)" +
                      Lines({"Resume", "New Game", "Load Game", "Save Game", "Options", "Quit"}) + "]}");
        AddPrefab("UiOptionsMenu",
                  R"({"Components": {"TextMenuBhv": "", "UiOptionsMenuBhv": ""}, "AutoCreate": [)" +
                      Lines({"Master", "Music", "Effects", "Fullscreen", "Controls", "Back"}) + "]}");
        AddPrefab("UiControlsCell",
                  R"({"Components": {"TextComponent": "", "TintComponent": ""}, "AutoCreate": ""})");
        std::string cells;
        for (const char* cell : {"Label", "Key1", "Key2", "Pad1", "Pad2"}) {
            cells += std::string(cells.empty() ? "" : ", ") + R"({"Name": ")" + cell +
                     R"(", "Prefab": "UiControlsCell"})";
        }
        AddPrefab("UiControlsRow", R"({"Components": "", "AutoCreate": [)" + cells + "]}");
        AddPrefab("UiKeyHint", R"({"Components": {"TextComponent": "",
            "UiKeyHintBhv": {"Template": "{MenuConfirm}: bind    {MenuCancel}: back"}}, "AutoCreate": ""})");
        AddPrefab("UiControlsMenu", R"({"Components": {"UiControlsMenuBhv": ""},
            "AutoCreate": [{"Name": "Hint", "Prefab": "UiKeyHint"}]})");
        std::string children = R"({"Name": "UiOptionsMenu", "Prefab": "UiOptionsMenu"}, )"
                               R"({"Name": "UiControlsMenu", "Prefab": "UiControlsMenu"})";
        for (const char* name : UiMenuRootBhv::ChildNames) {
            const std::string n = name;
            children +=
                R"(, {"Name": ")" + n + R"(", "Prefab": ")" + (n == "UiMainMenu" ? n : "Empty") + "\"}";
        }
        AddPrefab("Menus", R"({"Components": {"UiMenuRootBhv": ""}, "AutoCreate": [)" + children + "]}");

        screenObject = Add("GameplayScreen", new GameplayScreenBhv());
        menusObject = new GameObject("Menus");
        root.AppendChild(menusObject);
        menus = menusObject->GetComponentOfType<UiMenuRootBhv>();
    }

    static std::string Lines(std::initializer_list<const char*> texts) {
        std::string out;
        for (const char* text : texts) {
            out += std::string(out.empty() ? "" : ", ") + R"({"Name": "Line", "Prefab": "UiTextMenuItem",
                "InstanceProperties": {"TextComponent": {"Text": ")" +
                   text + R"("}}})";
        }
        return out;
    }

    bool IsRunning() const {
        return screenObject->UpdateEnabled && inventoryObject->UpdateEnabled && screenObject->InputEnabled &&
               inventoryObject->InputEnabled;
    }
    bool IsPaused() const {
        return !screenObject->UpdateEnabled && !inventoryObject->UpdateEnabled &&
               !screenObject->InputEnabled && !inventoryObject->InputEnabled;
    }

    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope{graphics};
    GameObject* screenObject = nullptr;
    GameObject* menusObject = nullptr;
    UiMenuRootBhv* menus = nullptr;
};
