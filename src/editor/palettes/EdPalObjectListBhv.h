#pragma once

#include <string>
#include <vector>

#include "core/Handle.h"
#include "editor/palettes/EdScrollListBhv.h"

class EdListItemBhv;
class GameObject;

// The object list: browses the live tree one level at a time (the children of ListedParent),
// selects objects, adds them from prefabs, removes, moves and rebuilds them, and writes an
// object's values back into its prefab data.
class EdPalObjectListBhv : public EdScrollListBhv {
public:
    static constexpr const char* ClassName = "EdPalObjectListBhv";

    // Finds the rows and buttons and connects them.
    void Start() override;
    // Insert, Alt+S and Ctrl+P while an object is selected.
    void HandleInput() override;
    // Shows ListedParent (the gameplay root when none) and its children.
    void Update() override;

    // Add opens the prefab picker; AddNamed builds its choice ("" for an empty object) under the
    // listed parent. Each change is one step of the history.
    void Add();
    void AddNamed(const std::string& name);
    void Remove();
    void Reload();
    void Move(int offset);
    void WriteToPrefab();

protected:
    int EntryCount() const override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    // Objects whose removal or rebuilding would pull the game or the editor out from under
    // itself: the root, the gameplay root, and the editor's own tree.
    bool IsProtected(const GameObject* object) const;
    static std::string Label(const GameObject& object);
    // The object's place among its parent's children; it has a parent.
    static size_t IndexOf(const GameObject& object);

    std::vector<EdListItemBhv*> rows_;
    Handle<EdListItemBhv> parentItem_;
};
