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

// Owns the component registry, its prototypes and every prefab, read from one folder at start-up.
// The game only reads them; changing and writing them back is the editor's, on this public state.
// Main thread only; reached as Service<PrefabManager>.
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
    // The JSON text of the prefab's file.
    std::string WritePrefab(const Prefab& prefab) const;

    // The prefab named name, or null. Missing prefabs are normal during play: callers skip.
    Prefab* Find(const std::string& name) const;
    bool Contains(const std::string& name) const { return Prefabs.count(name) != 0; }
    // Start-up check for a prefab the game cannot run without ("GameplayRoot"): throws
    // ContentError naming the file that should hold it, or the file of an AutoCreate entry below it
    // that names a missing prefab or would build a prefab inside itself.
    void Require(const std::string& name) const;

    // The file a prefab of that name is read from: its overlay copy when there is one, else the
    // file in the shipped folder (or in Folder, without an overlay), whether or not it exists.
    std::filesystem::path FileOf(const std::string& name) const;

    // Creates one component per entry (or, with overrides, reuses the object's first component of
    // that class when there is one) and copies the recorded property values into it.
    void ApplyComponents(GameObject& object, const PrefabList& components, bool overrides) const;

private:
    void ReadComponents(const boost::property_tree::ptree& tree, PrefabList& into,
                        const std::string& file) const;
};

// Fills in "PrefabComponent".
void RegisterPrefabClasses(ComponentRegistry& registry);
