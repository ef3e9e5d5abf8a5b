#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Behavior.h"

class FolderWatcher;

// Watches the sprite folders of the development content ("Textures/<bank>/<texture>/") and, when
// one changes, rebuilds its atlas with the content tool, copies the atlas into the Content folder
// the game reads, and reloads that texture in the running game. Without a development content path
// (or one that does not exist) it removes its object; without the content tool or the Content
// folder it says so once and removes its object too. No properties.
class EdHotReloadMonitorBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdHotReloadMonitorBhv";

    EdHotReloadMonitorBhv();
    // Stops the watcher threads and waits for them before their folders and flags go.
    ~EdHotReloadMonitorBhv() override;

    void Start() override;
    // Rebuilds and reloads each changed folder in order; the game waits while the programs run.
    void Update() override;

    // The number of watched folders (0 before Start, or when nothing is watched).
    std::size_t WatchedFolderCount() const;

    // The sprite folders of a content folder: every folder directly inside a folder directly inside
    // its "Textures" folder, canonical, in listing order. Files and deeper folders do not count.
    static std::vector<std::string> FoldersToWatch(const std::filesystem::path& contentPath);

private:
    void Rebuild(std::size_t folder);
    // Prints the one line of a rebuild that left the texture as it was.
    void ReportFailure(const std::string& texture, const std::string& why) const;

    std::filesystem::path tool_;        // the content tool, canonical
    std::filesystem::path contentRoot_; // where rebuilt atlases go (an installed game: the overlay), absolute
    std::unique_ptr<FolderWatcher> watcher_;
};
