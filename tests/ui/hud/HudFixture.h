#pragma once

#include <string>

#include "../../player/PlayerFixture.h"
#include "components/TextComponent.h"
#include "events/Events.h"
#include "ui/RegisterUiClasses.h"
#include "ui/hud/HudInventoryBhv.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/widgets/UiButtonBhv.h"

// The player's scene with a small HUD under the gameplay screen: the readouts, three quick-slot frames, an
// inventory list of six rows at x 980 from y 150, 30 pixels apart, with its scroll buttons and
// storage line, the message flash and the boss meter (a 200-pixel bar centred at x 1100). Sprites
// have no texture; what is checked is what the HUD writes.
class HudFixture : public PlayerFixture {
protected:
    static constexpr int Rows = 6;

    HudFixture() {
        RegisterUiClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        for (const char* cue : {"ErrorBuzz", "BlockPlaced", "HealthRestore"}) {
            AddPrefab(std::string("Cue_") + cue,
                      R"({"Components": {"CueComponent": "", "CueCounterBhv": ""}, "AutoCreate": ""})");
        }
        AddPrefab("TestPart", R"({"Components": {"Pos2dComponent": {"IsRelative": "true"},
            "SpriteComponent": "", "TintComponent": ""}, "AutoCreate": ""})");
        AddPrefab("TestText", R"({"Components": {"Pos2dComponent": {"IsRelative": "true"},
            "TextComponent": "", "TintComponent": ""}, "AutoCreate": ""})");
        AddPrefab("TestSlot",
                  R"({"Components": {"Pos2dComponent": "", "HudWeaponSlotBhv": ""}, "AutoCreate": [
            {"Name": "Icon", "Prefab": "TestPart"}, {"Name": "PlacerBlock", "Prefab": "TestPart"},
            {"Name": "Border", "Prefab": "TestPart"}]})");
        AddPrefab("TestRow", R"({"Components": {"Pos2dComponent": {"Pos": {"X": "980", "Y": "150"}},
            "HudItemListingBhv": {"Size": {"X": "280", "Y": "28"}}}, "AutoCreate": [
            {"Name": "Background", "Prefab": "TestPart"}, {"Name": "Icon", "Prefab": "TestPart"},
            {"Name": "NameText", "Prefab": "TestText"}, {"Name": "QuantityText", "Prefab": "TestText"}]})");
        AddPrefab("TestButton", R"({"Components": {"Pos2dComponent": "",
            "SpriteComponent": {"Size": {"X": "20", "Y": "20"}}, "TintComponent": "", "UiButtonBhv": ""},
            "AutoCreate": ""})");
        AddPrefab("TestStats", R"({"Components": "", "AutoCreate": [
            {"Name": "Money", "Prefab": "TestText"}, {"Name": "Health", "Prefab": "TestText"}]})");
        AddPrefab("TestInventory",
                  R"({"Components": {"HudInventoryBhv": {"ListItemSpacing": "30"}}, "AutoCreate": [
            {"Prefab": "TestRow"}, {"Prefab": "TestRow"}, {"Prefab": "TestRow"},
            {"Prefab": "TestRow"}, {"Prefab": "TestRow"}, {"Prefab": "TestRow"},
            {"Name": "StorageText", "Prefab": "TestText"},
            {"Name": "BtnScrollUp", "Prefab": "TestButton",
             "InstanceProperties": {"Pos2dComponent": {"Pos": {"X": "1260", "Y": "150"}}}},
            {"Name": "BtnScrollDown", "Prefab": "TestButton",
             "InstanceProperties": {"Pos2dComponent": {"Pos": {"X": "1260", "Y": "300"}}}}]})");
        AddPrefab("TestFlash", R"({"Components": {"HudMessageFlashBhv": ""}, "AutoCreate": [
            {"Name": "HudText", "Prefab": "TestText"}]})");
        AddPrefab("TestBar", R"({"Components": {"Pos2dComponent": {"Pos": {"X": "1100", "Y": "650"}},
            "SpriteComponent": {"Size": {"X": "200", "Y": "10"}}}, "AutoCreate": ""})");
        AddPrefab("TestBossMeter", R"({"Components": {"HudBossMeterBhv": ""}, "AutoCreate": [
            {"Name": "Bar", "Prefab": "TestBar"}]})");
        AddPrefab("TestHud", R"({"Components": {"HudRootBhv": ""}, "AutoCreate": [
            {"Name": "HudStats", "Prefab": "TestStats"},
            {"Name": "Slot1", "Prefab": "TestSlot", "InstanceProperties": {"HudWeaponSlotBhv": {"SlotIndex": "0"}}},
            {"Name": "Slot2", "Prefab": "TestSlot", "InstanceProperties": {"HudWeaponSlotBhv": {"SlotIndex": "1"}}},
            {"Name": "Slot3", "Prefab": "TestSlot", "InstanceProperties": {"HudWeaponSlotBhv": {"SlotIndex": "2"}}},
            {"Name": "List", "Prefab": "TestInventory"},
            {"Name": "Flash", "Prefab": "TestFlash"},
            {"Name": "BossMeter", "Prefab": "TestBossMeter"}]})");

        AddItem("Item_Gun", R"("IsWeapon": "true", "DisplayName": "Gun", "IconImageName": "IconGun")");
        AddItem("Item_Rifle", R"("IsWeapon": "true", "DisplayName": "Rifle", "IconImageName": "IconRifle")");
        AddItem("Item_Kit", R"("IsUseable": "true", "DisplayName": "Kit")",
                R"("HealthItemBhv": {"HealthToRestore": "3"})");
        AddItem("Item_DirtBlock", R"("IsBlock": "true", "DisplayName": "Dirt", "IconImageName": "IconDirt")");
        for (char c = 'A'; c <= 'J'; ++c) {
            AddItem(std::string("Item_Ore") + c, R"("DisplayName": "Ore")");
        }
        Bind(Action::Quickslot1, Key::Oem1);
        Bind(Action::Quickslot2, Key::Oem2);
        Bind(Action::Quickslot3, Key::Oem3);

        Bind(Action::MenuCancel, Key::Esc);

        screen = new GameObject();
        screen->Name = "GameplayScreen";
        root.AppendChild(screen);
        hud = new GameObject("TestHud");
        screen->AppendChild(hud);
        hudRoot = hud->GetComponentOfType<HudRootBhv>();
        list = hud->FindChild("List")->GetComponentOfType<HudInventoryBhv>();
    }

    ~HudFixture() override {
        queues.Flush();
        ClearTree();
    }

    GameObject* Part(std::initializer_list<const char*> path) const {
        GameObject* object = hud;
        for (const char* name : path) {
            object = object ? object->FindChild(name) : nullptr;
        }
        return object;
    }
    std::string TextOf(std::initializer_list<const char*> path) const { return Part(path)->Text()->Text; }
    GameObject* Row(int j) const { return list->Owner->Children[static_cast<size_t>(j)]; }
    std::string RowName(int j) const { return Row(j)->FindChild("NameText")->Text()->Text; }
    UiButtonBhv* Button(const char* name) const {
        return Part({"List", name})->GetComponentOfType<UiButtonBhv>();
    }

    // One frame with the pointer at p and the left button as given.
    void Mouse(Vector2 p, bool down) {
        input.SetMousePosition(p.x, p.y);
        Hold(Key::LeftMouse, down);
        RunFrame();
        SettleInput();
    }
    // Presses and releases the left button at p over two frames.
    void Click(Vector2 p) {
        Mouse(p, true);
        Mouse(p, false);
    }
    // Presses the key for one frame and lets it go.
    void Tap(Key key) {
        Hold(key);
        RunFrame();
        SettleInput();
        Hold(key, false);
        RunFrame();
        SettleInput();
    }

    Events events;
    Service<Events>::Scoped eventsScope{events};
    GameObject* screen = nullptr; // what the menus pause
    GameObject* hud = nullptr;
    HudRootBhv* hudRoot = nullptr;
    HudInventoryBhv* list = nullptr;
};
