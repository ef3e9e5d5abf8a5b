#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Reading a file the player (or anyone) may have replaced by something else: a folder, a device, a
// named pipe that would block the game for ever. Only a regular file (reached through links or not)
// is read; anything else is a fault, found before the file is opened, and the open itself never
// blocks.

enum class ReadStatus { Read, Missing, Failed };

// Reads a whole regular file of at most maxSize bytes; Missing when there is no such file, Failed
// (with fault saying why) when it is not a regular file, is larger or cannot be read.
ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::vector<uint8_t>& bytes,
                         std::string& fault);
ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::string& text,
                         std::string& fault);

// "too large: a file of <size> bytes, over the <maxSize> allowed": how every reader refuses a file
// over its cap.
std::string TooLargeFile(uintmax_t size, uintmax_t maxSize);
