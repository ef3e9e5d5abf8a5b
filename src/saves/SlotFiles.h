#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

// Where slot files live and how they are written and read.

// Where the slot files go instead of the platform's save folder (a test's or a benchmark's folder):
// installed as Service<SlotFolderOverride>; an empty Folder counts as none.
struct SlotFolderOverride {
    std::filesystem::path Folder;
};

// The folder of the slot files: the platform's save folder unless an override is installed.
std::filesystem::path SlotFolder();

// The slot the game saves to by itself (on leaving a station, on quitting): its own file, so it never
// takes the place of a numbered slot.
inline constexpr const char* AutosaveSlot = "Autosave";

// A slot name is "SavedGame" and a number, or the autosave's; anything else could name a path
// elsewhere.
bool IsSlotName(const std::string& slotName);
// SlotFolder() / (slotName + ".sav").
std::filesystem::path SlotPath(const std::string& slotName);

// The system calls the slot writer makes, replaceable so a test can make them fail part-way.
using SlotFileCalls = FileWriteCalls;

// Replaces the file whole or not at all (WriteFileAtomically), keeping the current file as
// "<file>.bak". On failure the file is as it was, the scratch file is gone, and fault says what failed.
bool ReplaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes, std::string& fault,
                 const SlotFileCalls& calls = SlotFileCalls::System());
