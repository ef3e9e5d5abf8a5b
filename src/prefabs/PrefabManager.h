#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <boost/property_tree/ptree_fwd.hpp>

#include "prefabs/Prefab.h"
#include "reflection/ComponentRegistry.h"

class GameObject;

// Owns the component registry, its prototypes and every prefab, read from one folder at start-up
// and written back by the editor. Main thread only; reached as Service<PrefabManager>.
class PrefabManager {
public:
    using PrefabList = std::vector<std::unique_ptr<PrefabComponent>>;

    PrefabManager() = default;
    PrefabManager(const PrefabManager&) = delete;
    PrefabManager& operator=(const PrefabManager&) = delete;
    // Deletes the prototypes, then the prefabs, then the registry.
    virtual ~PrefabManager();

    ComponentRegistry Registry;
    std::map<std::string, std::unique_ptr<Prefab>> Prefabs; // by name, byte order
    std::filesystem::path Folder;                           // where prefabs are read and written
    // With an overlay, the shipped folder Folder's files lie over (read, never written); else empty.
    std::filesystem::path ShippedFolder;

    // Start-up: registerClasses fills the registry (the application passes a function calling every
    // subsystem's Register...Classes, so this library depends on none of them), "PrefabComponent" is
    // added, the prototypes are built, and every prefab in folder (and overlay) is loaded (Load).
    // Throws ContentError on bad content; nothing is kept loaded then.
    void RegisterAll(const std::function<void(ComponentRegistry&)>& registerClasses,
                     const std::filesystem::path& folder, const std::filesystem::path& overlay = {});

    // Loads every regular file of folder (not recursing) whose extension, lowered, is ".json", as
    // the prefab named by its stem. Replaces Prefabs only when every file loaded and their
    // AutoCreates hold together (CheckAutoCreates); otherwise throws ContentError naming the file and
    // problem (with the line for JSON syntax errors). With an overlay folder (which need not exist
    // yet), its files are read after folder's, each replacing the prefab of its name, and saves go
    // there: Folder becomes overlay and ShippedFolder folder.
    void Load(const std::filesystem::path& folder, const std::filesystem::path& overlay = {});

    // Every AutoCreate of prefabs names a prefab among them, and no prefab builds itself through
    // its AutoCreates (directly or through others); otherwise throws ContentError naming the file of
    // the offending prefab (files maps names to files; others are named Folder / (name + ".json"))
    // and the missing name or the chain. Load runs it over what it read.
    void CheckAutoCreates(const std::map<std::string, std::unique_ptr<Prefab>>& prefabs,
                          const std::map<std::string, std::string>& files = {}) const;

    // Reads one prefab from JSON text into a fresh Prefab named name; file names it in errors.
    std::unique_ptr<Prefab> ReadPrefab(const std::string& name, std::istream& json,
                                       const std::string& file) const;
    // The JSON text Save writes for the prefab.
    std::string WritePrefab(const Prefab& prefab) const;

    // The prefab named name, or null. Missing prefabs are normal during play: callers skip.
    Prefab* Find(const std::string& name) const;
    bool Contains(const std::string& name) const { return Prefabs.count(name) != 0; }
    // Start-up check for a prefab the game cannot run without ("GameplayRoot"): throws
    // ContentError naming the file that should hold it, or the file of an AutoCreate entry below it
    // that names a missing prefab or would build a prefab inside itself.
    void Require(const std::string& name) const;

    // Writes Folder / (Name + ".json") whole (a scratch file renamed over it) and clears Dirty.
    // Returns false, keeping the old file and Dirty, when the file cannot be written.
    bool Save(Prefab& prefab);
    // The file a prefab of that name is read from: its overlay copy when there is one, else the
    // file in the shipped folder (or in Folder, without an overlay), whether or not it exists.
    std::filesystem::path FileOf(const std::string& name) const;
    // Whether the prefab has a file of its own in the overlay that lies over a shipped one.
    bool HasOverlayCopy(const Prefab& prefab) const;
    // Deletes the prefab's overlay file and reads the shipped file back into the same Prefab (its
    // components and entries are new objects) and clears Dirty. Returns false, changing nothing,
    // when it has no overlay copy, the shipped file does not load or the overlay file stays.
    bool RevertToShipped(Prefab& prefab);
    // Saves the dirty prefabs in name order, each after the dirty prefabs its AutoCreates name; a
    // prefab naming one that could not be saved is not written either. Only when every one was
    // written, deletes the ".json" files of the folder that name no prefab (the old files of
    // renamed or removed prefabs). Returns whether every save succeeded.
    bool SaveAll();
    // Adds an empty prefab under the first free name among name, name.001 ... name.999 (null when
    // all are taken); not saved and not dirty.
    Prefab* Add(const std::string& name);
    // Renames to the first free name among newName, newName.001 ... newName.999. Nothing happens
    // when newName is the current name, is not a prefab name (IsPrefabName) or every candidate is
    // taken; returns whether it was renamed.
    // The old file stays until the next SaveAll.
    bool Rename(Prefab& prefab, const std::string& newName);
    // A copy under the first free name derived from prefab's name without its ".NNN" suffix; not
    // saved and not dirty.
    Prefab* Duplicate(const Prefab& prefab);
    // Moves the component to clamp(i + offset) in its list; returns whether it moved.
    bool MoveComponent(Prefab& prefab, PrefabComponent* component, int offset);
    // Swaps the entry with the one offset places away when that index exists, and marks its owner
    // dirty; otherwise does nothing.
    void MoveAutoCreate(AutoCreate* entry, int offset);
    // A PrefabComponent's ClassName, else the registered name of the object's class, else "".
    std::string GetClassName(const IEditable& editable) const;

    // Creates one component per entry (or, with overrides, reuses the object's first component of
    // that class when there is one) and copies the recorded property values into it.
    void ApplyComponents(GameObject& object, const PrefabList& components, bool overrides) const;

private:
    void ReadComponents(const boost::property_tree::ptree& tree, PrefabList& into,
                        const std::string& file) const;
};

// Fills in "PrefabComponent".
void RegisterPrefabClasses(ComponentRegistry& registry);
