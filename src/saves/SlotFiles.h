#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

// Where slot files live and how they are written and read.

// Where the slot files go instead of the platform's save folder (a test's or a benchmark's folder):
// installed as Service<SlotFolderOverride>; an empty Folder counts as none.
struct SlotFolderOverride {
    std::filesystem::path Folder;
};

// The folder of the slot files: the platform's save folder unless an override is installed.
std::filesystem::path SlotFolder();

// A slot name is "SavedGame" and a number; anything else could name a path elsewhere.
bool IsSlotName(const std::string& slotName);
// SlotFolder() / (slotName + ".sav").
std::filesystem::path SlotPath(const std::string& slotName);

// The system calls the writer makes, replaceable so a test can make them fail part-way.
struct SlotFileCalls {
    std::function<ssize_t(int fd, const void* data, size_t size)> Write;
    std::function<int(int fd)> Sync;
    std::function<int(const char* from, const char* to)> Rename;

    static SlotFileCalls System();
};

// Replaces the file whole or not at all: writes "<file>.tmp" beside it, syncs it, keeps the
// current file as "<file>.bak" and renames the new one over it. Creates the folder first. On
// failure the file is as it was, the scratch file is gone, and fault says what failed.
bool ReplaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes, std::string& fault,
                 const SlotFileCalls& calls = SlotFileCalls::System());

enum class ReadStatus { Read, Missing, Failed };
// Reads a whole file of at most maxSize bytes; Missing when there is no such file.
ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::vector<uint8_t>& bytes,
                         std::string& fault);
