#pragma once

#include <string>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Color.h"
#include "core/Handle.h"
#include "core/Vector2.h"
#include "player/items/ItemComponent.h"

class SubBhv;

// Everything the player owns: the items (the child objects of its object), money, hull points and
// storage. Reached as WellKnown<InventoryBhv>; a new game's fresh inventory replaces the
// registration when it starts. It also runs the death sequence, which outlives the submarine's
// own hooks.
class InventoryBhv : public Behavior {
public:
    static constexpr const char* ClassName = "InventoryBhv";
    static constexpr const char* StartingDrill = "Item_PlasticDrill";
    static constexpr float DeathDuration = 4.5f;

    InventoryBhv();
    // Clears the registration if it is still this inventory's.
    ~InventoryBhv() override;

    // Registers itself, gives the weapons it starts with consecutive quick slots, picks the first
    // block as the current block and counts the storage they use.
    void Start() override;
    // Enables input on the item in the selected quick slot only: that makes it the active tool.
    void Update() override;

    // Starts the death sequence at the next coroutine update unless it runs already.
    void ScheduleDeath();
    bool IsDying() { return IsCoroutineRunning<&InventoryBhv::DeathStep>(); }

    int Money = 0;
    int Health = 6;
    int HealthMax = 6;
    int QuickslotCount = 2;
    int StorageUsed = 0;
    int StorageMax = 50;
    int OwnedSubs = 0;

    int SelectedQuickslot = 0;
    // The block the placer lays: one of the held items, which the editor may remove at any frame.
    Handle<ItemComponent> CurrentBlock;
    Color SavedClearColor{0, 0, 0, 255};

private:
    CoCommand DeathStep(int step);
    CoCommand DeathFlashStep(int step);
};

// Operations on the registered inventory; each does nothing (or finds nothing) without one.

// Adds count of the named item: quick-slot expansions raise the slot count, submarines replace the
// current one, held items grow, new items become children (weapons take the lowest free slot). A
// name without a prefab (or a submarine missing from the catalogue) adds nothing and warns once
// per call. Storage limits are the caller's to check.
void addItem(int count, const std::string& name);
// Takes count from the item; an item used up is destroyed at the end of the frame.
void removeItem(ItemComponent* item, int count);
// The first held item of that name that is not on its way out, or null.
ItemComponent* findItem(const std::string& name);
// The first held weapon in quick slot i, or null.
ItemComponent* weaponInSlot(int slot);
// Destroys every held item (end of frame) and detaches it now; storage drops to 0.
void clearInventory();
// Takes hull points, plays "SubDamage", and at 0 or less schedules the death sequence.
void applyDamage(int amount);

// How far from the wreck a lost submarine's cargo is laid, and the least distance it keeps from
// what killed it (world units).
constexpr float CargoClearance = 2.5f;
constexpr float MinCargoGap = 2.0f;
// Where the cargo of a submarine lost at the wreck is laid: away from what last hurt it, in open
// water reached from the wreck in a straight line, so the player can come back for it without
// meeting the killer again; the wreck itself when nothing hurt it or no such water is near.
Vector2 CargoDropPoint(Vector2 wreck, const SubBhv* sub);
