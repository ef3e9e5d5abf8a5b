#pragma once

#include <string>
#include <vector>

#include "editor/palettes/EdScrollListBhv.h"

class EdListItemBhv;
class Prefab;

// The AutoCreate list: the child entries of the prefab in focus (SelectedPrefabName); adds them
// from a chosen prefab, removes, duplicates and reorders them.
class EdPalAutoCreateListBhv : public EdScrollListBhv {
public:
    static constexpr const char* ClassName = "EdPalAutoCreateListBhv";

    // Finds the rows and buttons and connects them.
    void Start() override;
    // Insert while an entry is selected.
    void HandleInput() override;
    void Update() override;

    // AddEntry opens the prefab picker; AddEntryNamed adds an entry building its choice to the
    // prefab in focus. Each change is one step of the history.
    void AddEntry();
    void AddEntryNamed(const std::string& name);
    void RemoveEntry();
    void DuplicateEntry();
    void MoveEntry(int offset);

protected:
    int EntryCount() const override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    Prefab* FocusPrefab() const;
    // The index of the selected entry in the prefab in focus, or -1.
    int SelectedIndex() const;

    std::vector<EdListItemBhv*> rows_;
};
