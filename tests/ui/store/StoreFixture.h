#pragma once

#include <string>

#include "PlayerFixture.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "player/items/AllItemsBhv.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/sub/GameplayScreenBhv.h"
#include "ui/RegisterUiClasses.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/store/UiNeedsSectionBhv.h"
#include "ui/store/UiSupplyBuyMenuBhv.h"
#include "ui/store/UiSupplySellMenuBhv.h"

// The player's scene with a store: a gameplay screen, the item catalogue and the for-sale catalogue
// built from the test's item prefabs, a menu root with the store's menus (a front page of three
// lines, buy and sell lists of three rows each, the rest empty stand-ins) and a needs section, all
// built by MakeStore once the items are in. The needs section is shown; the menus are off until a
// test opens one, through the menu root or directly (OpenBuy, OpenSell).
// Step() runs one frame of the loop's input protocol: the input update follows the passes, so a
// key held before a frame is "pressed" in it and "fired" in the next.
class StoreFixture : public PlayerFixture {
protected:
    StoreFixture() {
        RegisterUiClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        for (const char* cue : {"ItemSold", "ErrorBuzz"}) {
            AddPrefab(std::string("Cue_") + cue,
                      R"({"Components": {"CueComponent": "", "CueCounterBhv": ""}, "AutoCreate": ""})");
        }
        Bind(Action::MenuConfirm, Key::OemEnter);
        Bind(Action::MenuCancel, Key::Esc);
        Bind(Action::MenuSellAll, Key::B);

        const std::string field = R"({"Components": {"TextComponent": ""}, "AutoCreate": ""})";
        AddPrefab("RowText", field);
        AddPrefab("RowTint", R"({"Components": {"TintComponent": {"Tint": {"Rgb": "102030", "A": "1"}}},
                                 "AutoCreate": ""})");
        AddPrefab("RowIcon",
                  R"({"Components": {"SpriteComponent": "", "TintComponent": ""}, "AutoCreate": ""})");
        AddPrefab("Arrow", R"({"Components": "", "AutoCreate": ""})");
        AddPrefab("UiBuyMenuItem", Row({"Background:RowTint", "Icon:RowIcon", "Title:RowText",
                                        "Description:RowText", "Price:RowText"}));
        AddPrefab("UiSellMenuItem", Row({"Background:RowTint", "Icon:RowIcon", "Title:RowText",
                                         "Price:RowText", "QuantityLeft:RowText"}));
        AddPrefab("UiNeedMenuItem", Row({"Icon:RowIcon", "Title:RowText", "Quantity:RowText"}));
        AddPrefab("UiSupplyBuyMenu", List("UiSupplyBuyMenuBhv", "UiBuyMenuItem", true));
        AddPrefab("UiSupplySellMenu", List("UiSupplySellMenuBhv", "UiSellMenuItem", true));
        AddPrefab("UiNeeds", List("UiNeedsSectionBhv", "UiNeedMenuItem", false));
        AddPrefab("UiTextMenuItem",
                  R"({"Components": {"TextComponent": "", "TintComponent": ""}, "AutoCreate": ""})");
        AddPrefab("UiSupplyMainMenu",
                  R"({"Components": {"TextMenuBhv": "", "UiSupplyMainMenuBhv": ""}, "AutoCreate": [
            {"Name": "Buy", "Prefab": "UiTextMenuItem"}, {"Name": "Sell", "Prefab": "UiTextMenuItem"},
            {"Name": "Loadout", "Prefab": "UiTextMenuItem"}]})");
        AddPrefab("Empty", R"({"Components": "", "AutoCreate": ""})");
        std::string menus = R"({"Components": {"UiMenuRootBhv": ""}, "AutoCreate": [)";
        for (const char* name : UiMenuRootBhv::ChildNames) {
            const std::string prefab =
                std::string(name).starts_with("UiSupply") && std::string(name) != "UiSupplyLoadoutMenu"
                    ? name
                    : "Empty";
            menus += std::string(name == UiMenuRootBhv::ChildNames[0] ? "" : ", ") + R"({"Name": ")" + name +
                     R"(", "Prefab": ")" + prefab + R"("})";
        }
        AddPrefab("Menus", menus + "]}");
    }

    // The catalogues, the menus and the needs section, once the item prefabs are in.
    void MakeStore(const std::string& unlocks = "") {
        AddPrefab("ForSale",
                  R"({"Components": {"ForSaleItemsBhv": "")" + unlocks + R"(}, "AutoCreate": ""})");
        Add("AllItems", new AllItemsBhv());
        forSaleObject = new GameObject("ForSale");
        root.AppendChild(forSaleObject);
        forSale = forSaleObject->GetComponentOfType<ForSaleItemsBhv>();
        screenObject = Add("GameplayScreen", new GameplayScreenBhv());
        menusObject = Build("Menus");
        menus = menusObject->GetComponentOfType<UiMenuRootBhv>();
        buyObject = menus->SupplyBuyMenu();
        buy = buyObject->GetComponentOfType<UiSupplyBuyMenuBhv>();
        sellObject = menus->SupplySellMenu();
        sell = sellObject->GetComponentOfType<UiSupplySellMenuBhv>();
        needsObject = Build("UiNeeds");
        needs = needsObject->GetComponentOfType<UiNeedsSectionBhv>();
    }
    // Switches one menu on and the other off, as the menu root would.
    void OpenBuy() { Show(buyObject, true), Show(sellObject, false); }
    void OpenSell() { Show(buyObject, false), Show(sellObject, true); }

    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            Step();
        }
    }
    void Tap(Key key) {
        Hold(key);
        Step();
        Hold(key, false);
        Step();
    }

    static std::string Field(const GameObject& row, const char* child) {
        return row.FindChild(child)->Text()->Text;
    }
    static Color Tint(const GameObject& row, const char* child) { return row.FindChild(child)->Tint()->Tint; }
    static bool Shown(const GameObject* object) { return object && object->DrawEnabled; }
    GameObject* RowOf(GameObject* menu, int i) const {
        int n = 0;
        for (GameObject* child : menu->Children) {
            if (child->PrefabName.ends_with("MenuItem") && n++ == i) {
                return child;
            }
        }
        return nullptr;
    }

    GameObject* screenObject = nullptr;
    GameObject* menusObject = nullptr;
    UiMenuRootBhv* menus = nullptr;
    GameObject* forSaleObject = nullptr;
    ForSaleItemsBhv* forSale = nullptr;
    GameObject* buyObject = nullptr;
    UiSupplyBuyMenuBhv* buy = nullptr;
    GameObject* sellObject = nullptr;
    UiSupplySellMenuBhv* sell = nullptr;
    GameObject* needsObject = nullptr;
    UiNeedsSectionBhv* needs = nullptr;

private:
    // A prefab of named children: each entry is "Name:Prefab".
    static std::string Row(std::initializer_list<const char*> children) {
        std::string json = R"({"Components": "", "AutoCreate": [)";
        bool first = true;
        for (std::string entry : children) {
            const auto colon = entry.find(':');
            json += (first ? "" : ", ") + std::string(R"({"Name": ")") + entry.substr(0, colon) +
                    R"(", "Prefab": ")" + entry.substr(colon + 1) + R"("})";
            first = false;
        }
        return json + "]}";
    }
    static std::string List(const char* behaviour, const char* rowPrefab, bool arrows) {
        std::string json = std::string(R"({"Components": {")") + behaviour + R"(": ""}, "AutoCreate": [)";
        for (int i = 0; i < 3; ++i) {
            json += std::string(i ? ", " : "") + R"({"Name": "Row)" + std::to_string(i) +
                    R"(", "Prefab": ")" + rowPrefab + R"("})";
        }
        if (arrows) {
            json +=
                R"(, {"Name": "ScrollUpArrow", "Prefab": "Arrow"}, {"Name": "ScrollDownArrow", "Prefab": "Arrow"})";
        }
        return json + "]}";
    }
    GameObject* Build(const std::string& prefab) {
        auto* object = new GameObject(prefab);
        root.AppendChild(object);
        return object;
    }
    static void Show(GameObject* object, bool on) {
        object->InputEnabled = object->UpdateEnabled = object->DrawEnabled = on;
    }
};
