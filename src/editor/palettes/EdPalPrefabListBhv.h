#pragma once

#include <string>
#include <vector>

#include "core/Handle.h"
#include "editor/palettes/EdScrollListBhv.h"

class EdButtonBhv;
class GameObject;
class EdFieldBhv;
class EdListItemBhv;
class EdPropertyRowBhv;
class Prefab;

// The prefab list: the prefabs whose names pass the filter; creates, removes, duplicates and
// saves them, reverts one to its shipped file and applies one to its live instances.
class EdPalPrefabListBhv : public EdScrollListBhv {
public:
    static constexpr const char* ClassName = "EdPalPrefabListBhv";
    static constexpr const char* NewPrefabName = "NewPrefab";

    // Finds the rows, buttons and filter and connects them.
    void Start() override;
    // Ctrl+S, Ctrl+Shift+S, and Insert while a prefab is selected.
    void HandleInput() override;
    void Update() override;

    void AddPrefab();
    void RemovePrefab();
    void DuplicatePrefab();
    void SaveCurrent();
    void SaveAll();
    // Drops the player's overlay copy of the prefab in focus and reads the shipped one back.
    void RevertToShipped();
    void UpdateInstances();

protected:
    int EntryCount() const override { return static_cast<int>(listed_.size()); }
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    // The prefab named SelectedPrefabName, or null.
    Prefab* FocusPrefab() const;
    static void CollectInstances(const std::string& name, GameObject& object, std::vector<GameObject*>& out);
    // The names passing the filter, in name order (pointers into the manager's keys).
    void ListNames();

    std::vector<EdListItemBhv*> rows_;
    std::vector<const std::string*> listed_;
    Handle<EdPropertyRowBhv> filterRow_;
    Handle<EdFieldBhv> filter_;
    std::string appliedFilter_; // a different filter text starts the list from its top
    Handle<EdButtonBhv> saveCurrent_;
    Handle<EdButtonBhv> revert_; // grayed out unless the prefab in focus has an overlay copy
};
