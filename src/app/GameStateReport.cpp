#include "app/GameStateReport.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/WellKnown.h"
#include "flow/boss/WorldEventsBhv.h"
#include "physics/FixtureMouseListenerBhv.h"
#include "platform/AtomicFile.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "ui/hud/HudMessageFlashBhv.h"
#include "world/things/ThingRootBhv.h"

#include <cmath>
#include <cstdio>

namespace {

// Object and item names are content: quote them so any text stays one valid JSON string.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// JSON has no word for infinity or NaN: a broken value is written null, and the file stays JSON.
std::string Number(float value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    return text;
}

void AppendInventory(std::string& out, const InventoryBhv& inventory) {
    out += "  \"money\": " + std::to_string(inventory.Money) + ",\n";
    out += "  \"health\": " + std::to_string(inventory.Health) + ",\n";
    out += "  \"healthMax\": " + std::to_string(inventory.HealthMax) + ",\n";
    out += "  \"storageUsed\": " + std::to_string(inventory.StorageUsed) + ",\n";
    out += "  \"storageMax\": " + std::to_string(inventory.StorageMax) + ",\n";
    out += "  \"quickslotCount\": " + std::to_string(inventory.QuickslotCount) + ",\n";
    out += "  \"selectedQuickslot\": " + std::to_string(inventory.SelectedQuickslot) + ",\n";
    out += "  \"ownedSubs\": " + std::to_string(inventory.OwnedSubs) + ",\n";
    out += "  \"items\": [";
    const char* separator = "";
    for (const GameObject* child : inventory.Owner->Children) {
        const auto* item = child->PendingDestroy ? nullptr : child->GetComponentOfType<ItemComponent>();
        if (item == nullptr) {
            continue;
        }
        out += separator;
        out += "\n    {\"name\": " + Quoted(item->ItemName()) +
               ", \"quantity\": " + std::to_string(item->Quantity) +
               ", \"quickslotIndex\": " + std::to_string(item->QuickslotIndex) + "}";
        separator = ",";
    }
    out += "\n  ],\n";
}

// Every object whose FixtureMouseListenerBhv last heard the pointer over one of its fixtures.
void AppendMouseOver(std::string& out, const GameObject& object, const char*& separator) {
    if (object.PendingDestroy) {
        return;
    }
    if (const auto* listener = object.GetComponentOfType<FixtureMouseListenerBhv>();
        listener && listener->isMouseOver) {
        out += separator + Quoted(object.Name);
        separator = ", ";
    }
    for (const GameObject* child : object.Children) {
        AppendMouseOver(out, *child, separator);
    }
}

// The menus are the children of "Menus" under the gameplay root; an open one is switched on.
void AppendOpenMenus(std::string& out, const GameObject& gameplayRoot) {
    out += "  \"openMenus\": [";
    const char* separator = "";
    if (const GameObject* menus = gameplayRoot.FindChild("Menus")) {
        for (const GameObject* menu : menus->Children) {
            if (menu->DrawEnabled && menu->UpdateEnabled && menu->Name != "UiMenuBg") {
                out += separator + Quoted(menu->Name);
                separator = ", ";
            }
        }
    }
    out += "]\n";
}

// What last hurt the submarine and where it stood, the message line the player reads now, and
// where the dropped items lie: how a death is explained and where its cargo went.
void AppendMessagesAndDrops(std::string& out) {
    if (const SubBhv* sub = WellKnown<SubBhv>::Get(); sub && !sub->LastHurtBy.empty()) {
        out += "  \"lastHurt\": {\"by\": " + Quoted(sub->LastHurtBy) +
               ", \"x\": " + Number(sub->LastHurtFrom.x) + ", \"y\": " + Number(sub->LastHurtFrom.y) + "},\n";
    }
    if (const HudMessageFlashBhv* flash = WellKnown<HudMessageFlashBhv>::Get();
        flash && flash->TimeLeft > 0.0f) {
        const GameObject* line = flash->Owner ? flash->Owner->FindChild("HudText") : nullptr;
        const TextComponent* text = line ? line->Text() : nullptr;
        out += "  \"hudMessage\": " + Quoted(text ? text->Text : std::string()) + ",\n";
    }
    const ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (!things || !things->Owner) {
        return;
    }
    out += "  \"droppedItems\": [";
    const char* separator = "";
    for (const GameObject* holder : things->Owner->Children) {
        for (const GameObject* thing : holder->Children) {
            const GameObject* item = thing->PendingDestroy ? nullptr : thing->FindChild("Item");
            if (!item || thing->PrefabName != "Pkup_Item") {
                continue;
            }
            const Vector2 at = thing->GetPosition();
            out += std::string(separator) + "{\"name\": " + Quoted(item->PrefabName) +
                   ", \"x\": " + Number(at.x) + ", \"y\": " + Number(at.y) + "}";
            separator = ", ";
        }
    }
    out += "],\n";
}

} // namespace

std::string DescribeGameState(const SceneRoots& roots) {
    std::string out = "{\n";
    if (const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
        AppendInventory(out, *inventory);
    }
    if (const SubBhv* sub = WellKnown<SubBhv>::Get()) {
        const Vector2 position = sub->Owner->GetPosition();
        out += "  \"sub\": {\"x\": " + Number(position.x) + ", \"y\": " + Number(position.y) + "},\n";
        out +=
            "  \"subTilt\": {\"now\": " + Number(sub->Tilt) + ", \"peak\": " + Number(sub->PeakTilt) + "},\n";
        out += "  \"damageTaken\": " + std::to_string(sub->DamageTaken) + ",\n";
    }
    AppendMessagesAndDrops(out);
    if (const WorldEventsBhv* events = WellKnown<WorldEventsBhv>::Get()) {
        out += std::string("  \"bossDefeated\": ") + (events->bossDefeated ? "true" : "false") + ",\n";
        out += std::string("  \"rewardGiven\": ") + (events->rewardGiven ? "true" : "false") + ",\n";
    }
    if (const ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get()) {
        out += "  \"unlockedBits\": " + std::to_string(forSale->UnlockedBits) + ",\n";
    }
    if (roots.GameplayRoot != nullptr) {
        out += "  \"mouseOver\": [";
        const char* separator = "";
        AppendMouseOver(out, *roots.GameplayRoot, separator);
        out += "],\n";
        const GameObject* gameplayScreen = roots.GameplayRoot->FindChild("GameplayScreen");
        // Held by a menu (the gameplay screen) or by the editor's pause (the whole gameplay).
        const bool paused = !roots.GameplayRoot->UpdateEnabled ||
                            (gameplayScreen != nullptr && !gameplayScreen->UpdateEnabled);
        out += std::string("  \"paused\": ") + (paused ? "true" : "false") + ",\n";
        AppendOpenMenus(out, *roots.GameplayRoot);
    } else {
        out += "  \"openMenus\": []\n";
    }
    return out + "}\n";
}

bool WriteGameState(const SceneRoots& roots, const std::string& path) {
    std::string fault;
    return WriteFileAtomically(path, DescribeGameState(roots), fault,
                               AtomicFileOptions{.CreateFolder = false});
}
