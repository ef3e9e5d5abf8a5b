#pragma once

#include <filesystem>
#include <string>

// The one setting a developer's machine may override: where the source copy of the content lives.
// Absent on a player's machine; the setting then stays empty.
class GameConfig {
public:
    GameConfig() = default;
    virtual ~GameConfig() = default;

    static constexpr const char* DefaultFile = "Content/Config/GameConfig.json";

    // Reads "DevelopmentContentPath" from file when the file exists; a missing file leaves the
    // setting empty. A file that is not JSON, or lacks the key, throws ContentError.
    void Load(const std::filesystem::path& file = DefaultFile);

    // "Prefabs" of the Content folder, unless DevelopmentContentPath is set and holds a "Prefabs"
    // folder: then that folder, for loading and saving alike.
    std::filesystem::path GetPrefabFolder(const std::filesystem::path& contentFolder = "Content") const;

    const std::string& DevelopmentContentPath() const { return developmentContentPath_; }
    void SetDevelopmentContentPath(std::string path) { developmentContentPath_ = std::move(path); }

private:
    std::string developmentContentPath_;
};
