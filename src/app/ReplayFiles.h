#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "saves/SlotReadListener.h"

class InputScriptPlayer;
struct InputScriptFile;

// A replay touches nothing of the player's: the settings, keymap and prefabs its session wrote are
// written, as the replay plays it again, into a folder of its own ("replay-files" in the state
// folder, beside "replay-saves"); atlases and development content are not rebuilt at all. What it
// reads of the player's (their settings and overlay prefabs) is copied there first.

// A fresh, empty "replay-files" folder; throws InputScriptError naming the replay when it cannot be
// made.
std::filesystem::path PrepareReplayFiles(const std::string& replayPath);
// The player's settings file copied into `folder` when there is a readable one: the path the replay's
// settings are read from and written to.
std::filesystem::path PlaceReplaySettings(const std::filesystem::path& playerSettings,
                                          const std::filesystem::path& folder);
// The prefab overlay the replay writes: `folder`/Prefabs, holding copies of the player's overlay
// prefabs (the regular files of playerPrefabs, when given).
std::filesystem::path PlaceReplayPrefabs(const std::filesystem::path& playerPrefabs,
                                         const std::filesystem::path& folder);
// The line a replay ends with, naming where what it wrote went.
std::string ReplayFilesLine(const std::filesystem::path& saves, const std::filesystem::path& files);

// The slot files a recording carries, held until the replayed game loads one: only then is the
// file put in the replay's slot folder, as the session found it at that frame.
class ReplaySlots final : public SlotReadListener {
public:
    explicit ReplaySlots(InputScriptPlayer& replay) : replay_(replay) {}

    // Frame `frame` begins: the files its session had read by then become the ones a load finds.
    void Frame(int64_t frame);

    void SlotAboutToLoad(const std::string& slotName) override;
    void SlotRead(const std::string&, const std::span<const uint8_t>*) override {}

private:
    InputScriptPlayer& replay_;
    std::map<std::string, const InputScriptFile*> due_; // by slot name, the latest of each
};
