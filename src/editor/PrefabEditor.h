#pragma once

#include <string>

class AutoCreate;
class IEditable;
class Prefab;
class PrefabComponent;
class PrefabManager;

// The editor's changes to the prefabs a PrefabManager holds: adding, renaming, copying, reordering,
// writing back and reverting. The game only reads prefabs, so none of this lives in the manager.
// A view over the manager's public state; cheap to make where needed. Main thread only.
class PrefabEditor {
public:
    explicit PrefabEditor(PrefabManager& prefabs) : prefabs_(prefabs) {}

    // Writes Folder / (Name + ".json") whole (a scratch file renamed over it) and clears Dirty.
    // Returns false, keeping the old file and Dirty, when the file cannot be written.
    bool Save(Prefab& prefab) const;
    // Whether the prefab has a file of its own in the overlay that lies over a shipped one.
    bool HasOverlayCopy(const Prefab& prefab) const;
    // Deletes the prefab's overlay file and reads the shipped file back into the same Prefab (its
    // components and entries are new objects) and clears Dirty. Returns false, changing nothing,
    // when it has no overlay copy, the shipped file does not load or the overlay file stays.
    bool RevertToShipped(Prefab& prefab) const;
    // Saves the dirty prefabs in name order, each after the dirty prefabs its AutoCreates name; a
    // prefab naming one that could not be saved is not written either. Only when every one was
    // written, deletes the ".json" files of the folder that name no prefab (the old files of
    // renamed or removed prefabs). Returns whether every save succeeded.
    bool SaveAll() const;
    // Adds an empty prefab under the first free name among name, name.001 ... name.999 (null when
    // all are taken); not saved and not dirty.
    Prefab* Add(const std::string& name) const;
    // Renames to the first free name among newName, newName.001 ... newName.999. Nothing happens
    // when newName is the current name, is not a prefab name (IsPrefabName) or every candidate is
    // taken; returns whether it was renamed.
    // The old file stays until the next SaveAll.
    bool Rename(Prefab& prefab, const std::string& newName) const;
    // A copy under the first free name derived from prefab's name without its ".NNN" suffix; not
    // saved and not dirty.
    Prefab* Duplicate(const Prefab& prefab) const;
    // Moves the component to clamp(i + offset) in its list; returns whether it moved.
    static bool MoveComponent(Prefab& prefab, PrefabComponent* component, int offset);
    // Swaps the entry with the one offset places away when that index exists, and marks its owner
    // dirty; otherwise does nothing.
    static void MoveAutoCreate(AutoCreate* entry, int offset);
    // A PrefabComponent's ClassName, else the registered name of the object's class, else "".
    std::string GetClassName(const IEditable& editable) const;

private:
    PrefabManager& prefabs_;
};
