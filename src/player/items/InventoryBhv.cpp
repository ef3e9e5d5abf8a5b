#include "player/items/InventoryBhv.h"

#include <cmath>
#include <cstdio>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/SaturatingMath.h"
#include "core/ScheduleCoroutine.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "physics/B2BodyComponent.h"
#include "player/items/AllItemsBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "prefabs/PrefabManager.h"
#include "world/TileGrid.h"
#include "world/things/ThingRootBhv.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Maps a submarine class (1, 2 or 3) to its value; any other class keeps the current one.
template <class T> T ByClass(int subClass, T current, T first, T second, T third) {
    switch (subClass) {
    case 1:
        return first;
    case 2:
        return second;
    case 3:
        return third;
    default:
        return current;
    }
}

bool HasPrefab(const std::string& name) {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    return prefabs && prefabs->Contains(name);
}

void SetClearColor(Color color) {
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->ClearColor = color;
    }
}

// Buying a submarine: the inventory takes its classes and a new hull of that kind takes the old
// one's place (its Start hook retires the old one).
void addSubmarine(InventoryBhv& inventory, const std::string& name) {
    const ItemComponent* item = catalogueItem(name);
    const std::string prefabName = name.substr(5);
    if (!item || !HasPrefab(prefabName)) {
        std::fprintf(stderr, "kelvane: submarine \"%s\" is not in the catalogue; nothing bought\n",
                     name.c_str());
        return;
    }
    inventory.StorageMax = ByClass(item->SubStorage, inventory.StorageMax, 50, 80, 120);
    inventory.HealthMax = ByClass(item->SubHealth, inventory.HealthMax, 6, 10, 16);

    GameObject* old = Submarine();
    const Vector2 position = old ? old->GetPosition() : SubBhv::SpawnPoint();
    auto* sub = new GameObject(prefabName);
    if (old && old->Parent) {
        old->Parent->AppendChild(sub);
    }
    if (B2BodyComponent* body = sub->Body()) {
        body->SetPosition(position.x, position.y);
    }
    inventory.OwnedSubs |= item->SubOwnedBit;
    if (SubBhv* bhv = sub->GetComponentOfType<SubBhv>()) {
        bhv->MovementForce = ByClass(item->SubSpeed, bhv->MovementForce, 23.0f, 37.0f, 55.0f);
    }
    if (!sub->Parent) {
        // No submarine to take the place of: the new one has nowhere to live.
        sub->DestroyLater();
    }
}

} // namespace

InventoryBhv::InventoryBhv() {
    RegisterProperty("Money", &Money);
    RegisterProperty("Health", &Health);
    RegisterProperty("HealthMax", &HealthMax);
    RegisterProperty("QuickslotCount", &QuickslotCount);
    RegisterProperty("StorageUsed", &StorageUsed);
    RegisterProperty("StorageMax", &StorageMax);
    RegisterProperty("OwnedSubs", &OwnedSubs);
}

InventoryBhv::~InventoryBhv() {
    WellKnown<InventoryBhv>::ClearIf(this);
}

void InventoryBhv::Start() {
    WellKnown<InventoryBhv>::Register(this);
    if (!Owner) {
        return;
    }
    int weapons = 0;
    for (GameObject* child : Owner->Children) {
        ItemComponent* item = ItemOf(*child);
        if (!item) {
            continue;
        }
        if (item->IsWeapon) {
            item->QuickslotIndex = weapons++;
        }
        if (!CurrentBlock && item->IsBlock) {
            CurrentBlock = item;
        }
        StorageUsed = SaturatingAdd(StorageUsed, item->Quantity);
    }
}

void InventoryBhv::Update() {
    for (GameObject* child : Owner->Children) {
        const ItemComponent* item = ItemOf(*child);
        child->InputEnabled = item && item->IsWeapon && item->QuickslotIndex == SelectedQuickslot;
    }
}

namespace {

bool IsOpenWater(const TileGrid& grid, Vector2 point) {
    // CellAt clamps into the grid: a point beyond its edges or above the surface is no place for cargo.
    if (!(point.x >= 0.0f && point.x < TileGrid::Columns && point.y <= 0.0f && point.y > -TileGrid::Rows)) {
        return false;
    }
    const TileGrid::Cell cell = TileGrid::CellAt(point.x, point.y);
    return TileGrid::Contains(cell.Column, cell.Row) && grid.Get(cell.Column, cell.Row) == 0;
}

// Open water all the way from the wreck, a unit at a time: cargo behind a wall could not be reached.
bool IsOpenPath(const TileGrid& grid, Vector2 from, Vector2 to, float length) {
    const int steps = static_cast<int>(std::ceil(length));
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        if (!IsOpenWater(grid, from + (to - from) * t)) {
            return false;
        }
    }
    return true;
}

} // namespace

Vector2 CargoDropPoint(Vector2 wreck, const SubBhv* sub) {
    const TileGrid* grid = Service<TileGrid>::TryGet();
    if (!sub || !sub->HasHurtFrom || !grid) {
        return wreck;
    }
    const Vector2 killer = sub->LastHurtFrom;
    Vector2 away = wreck - killer;
    const float length = std::sqrt(away.x * away.x + away.y * away.y);
    away = length > 0.001f ? away * (1.0f / length) : Vector2{0.0f, 1.0f};
    // Straight away from the killer first, then turning further aside, nearer before farther.
    constexpr float Turns[] = {0.0f, 0.6f, -0.6f, 1.2f, -1.2f, 1.8f, -1.8f, 2.4f, -2.4f};
    constexpr float Reaches[] = {CargoClearance + 1.0f, CargoClearance, CargoClearance - 0.5f};
    for (const float reach : Reaches) {
        for (const float turn : Turns) {
            const float c = std::cos(turn);
            const float s = std::sin(turn);
            const Vector2 direction{away.x * c - away.y * s, away.x * s + away.y * c};
            const Vector2 point = wreck + direction * reach;
            const Vector2 gap = point - killer;
            if (gap.x * gap.x + gap.y * gap.y >= MinCargoGap * MinCargoGap &&
                IsOpenPath(*grid, wreck, point, reach)) {
                return point;
            }
        }
    }
    return wreck;
}

void InventoryBhv::ScheduleDeath() {
    ScheduleCoroutine<&InventoryBhv::DeathStep>(*this);
}

CoCommand InventoryBhv::DeathStep(int step) {
    GameObject* sub = Submarine();
    switch (step) {
    case 0: {
        playCue("Death");
        const Vector2 wreck = sub ? sub->GetPosition() : Vector2{};
        const Vector2 cargo = CargoDropPoint(wreck, sub ? sub->GetComponentOfType<SubBhv>() : nullptr);
        ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
        for (GameObject* child : Owner->Children) {
            ItemComponent* item = ItemOf(*child);
            if (!item || child->PendingDestroy) {
                continue;
            }
            if (child->Name != StartingDrill && things) {
                things->SpawnItemPickup(item->Quantity, child->PrefabName,
                                        cargo + ThingRootBhv::RandomDirection(0.5f));
            }
        }
        for (GameObject* child : Owner->Children) {
            ItemComponent* item = ItemOf(*child);
            if (!item || child->PendingDestroy) {
                continue;
            }
            StorageUsed = SaturatingSub(StorageUsed, item->Quantity);
            item->Quantity = 0;
            if (CurrentBlock.Get() == item) {
                CurrentBlock = nullptr;
            }
            child->DestroyLater();
        }
        // Off in the same step as the drop: a live hull would collect the cargo at the next physics
        // step, and dying would cost nothing.
        if (sub) {
            sub->SetPassesEnabled(false);
        }
        if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
            SavedClearColor = graphics->ClearColor;
        }
        StartCoroutine<&InventoryBhv::DeathFlashStep>();
        return CoWaitSeconds(DeathDuration);
    }
    default:
        StopCoroutine<&InventoryBhv::DeathFlashStep>();
        SetClearColor(SavedClearColor);
        if (sub) {
            sub->SetPassesEnabled(true);
            if (SubBhv* bhv = sub->GetComponentOfType<SubBhv>()) {
                bhv->respawn();
            }
        }
        addItem(1, StartingDrill);
        Health = HealthMax;
        return CoEnd();
    }
}

CoCommand InventoryBhv::DeathFlashStep(int step) {
    switch (step) {
    case 0:
        SetClearColor({255, 0, 0, 255});
        return CoWaitFrames(2);
    case 1:
        SetClearColor({255, 255, 0, 255});
        return CoWaitFrames(2);
    case 2:
        SetClearColor({0, 0, 0, 255});
        return CoWaitFrames(2);
    default:
        return CoRestart();
    }
}

void addItem(int count, const std::string& name) {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return;
    }
    if (StartsWith(name, "Item_Quickslot")) {
        inventory->QuickslotCount = SaturatingAdd(inventory->QuickslotCount, 1);
        return;
    }
    if (StartsWith(name, "Item_Sub_")) {
        addSubmarine(*inventory, name);
        return;
    }
    if (!HasPrefab(name)) {
        std::fprintf(stderr, "kelvane: no prefab for item \"%s\"; nothing added\n", name.c_str());
        return;
    }
    inventory->StorageUsed = SaturatingAdd(inventory->StorageUsed, count);
    if (ItemComponent* held = findItem(name)) {
        held->Quantity = SaturatingAdd(held->Quantity, count);
        return;
    }
    auto* object = new GameObject(name);
    ItemComponent* item = ItemOf(*object);
    if (!item) {
        // Not an item after all: it would count towards storage but never show.
        std::fprintf(stderr, "kelvane: prefab \"%s\" has no ItemComponent; nothing added\n", name.c_str());
        inventory->StorageUsed = SaturatingSub(inventory->StorageUsed, count);
        delete object;
        return;
    }
    item->Quantity = count;
    inventory->Owner->AppendChild(object);
    if (item->IsWeapon) {
        for (int slot = 0; slot < inventory->QuickslotCount; ++slot) {
            if (!weaponInSlot(slot) || weaponInSlot(slot) == item) {
                item->QuickslotIndex = slot;
                break;
            }
        }
    }
    if (!inventory->CurrentBlock && item->IsBlock) {
        inventory->CurrentBlock = item;
    }
}

void removeItem(ItemComponent* item, int count) {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !item) {
        return;
    }
    item->Quantity = SaturatingSub(item->Quantity, count);
    inventory->StorageUsed = SaturatingSub(inventory->StorageUsed, count);
    if (item->Quantity <= 0) {
        if (inventory->CurrentBlock.Get() == item) {
            inventory->CurrentBlock = nullptr;
        }
        if (item->Owner) {
            item->Owner->DestroyLater();
        }
    }
}

ItemComponent* findItem(const std::string& name) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return nullptr;
    }
    for (GameObject* child : inventory->Owner->Children) {
        if (child->PendingDestroy || child->PrefabName != name) {
            continue;
        }
        if (ItemComponent* item = ItemOf(*child)) {
            return item;
        }
    }
    return nullptr;
}

ItemComponent* weaponInSlot(int slot) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return nullptr;
    }
    for (GameObject* child : inventory->Owner->Children) {
        ItemComponent* item = child->PendingDestroy ? nullptr : ItemOf(*child);
        if (item && item->IsWeapon && item->QuickslotIndex == slot) {
            return item;
        }
    }
    return nullptr;
}

void clearInventory() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return;
    }
    GameObject& owner = *inventory->Owner;
    while (!owner.Children.empty()) {
        GameObject* child = owner.Children.back();
        child->DestroyLater();
        owner.RemoveChild(child);
    }
    inventory->CurrentBlock = nullptr;
    inventory->StorageUsed = 0;
}

void applyDamage(int amount) {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    inventory->Health = SaturatingSub(inventory->Health, amount);
    playCue("SubDamage");
    if (inventory->Health <= 0) {
        inventory->ScheduleDeath();
    }
}
