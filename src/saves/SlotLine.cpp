#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <vector>

#include "saves/SaveFormat.h"
#include "saves/SavedGames.h"
#include "saves/SlotFiles.h"

namespace {

// "$1,250"; "-$40" below zero.
std::string MoneyText(int32_t money) {
    const int64_t wide = money;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<size_t>(i), ",");
    }
    return (money < 0 ? "-$" : "$") + digits;
}

// One metre per world unit below the surface (y = 0), rounded; 0 above it.
std::string DepthText(float y) {
    const float depth = std::round(-y);
    const long metres = depth > 0.0f ? static_cast<long>(std::min(depth, 1e9f)) : 0;
    return std::to_string(metres) + " m deep";
}

// "7 Dec 14:02" in local time, in English whatever the locale.
std::string TimeText(std::time_t time) {
    static constexpr const char* Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (!localtime_r(&time, &local)) {
        return "?";
    }
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", local.tm_hour, local.tm_min);
    return std::to_string(local.tm_mday) + " " + Months[local.tm_mon % 12] + " " + clock;
}

// The line of the slot's file, opened by prefix.
std::string LineText(const std::string& prefix, const std::string& slotName) {
    const std::filesystem::path path = SlotPath(slotName);
    std::vector<uint8_t> bytes;
    std::string fault;
    switch (ReadWholeFile(path, saveformat::MaxFileSize, bytes, fault)) {
    case ReadStatus::Missing:
        return prefix + "Empty";
    case ReadStatus::Failed:
        return prefix + "Damaged";
    case ReadStatus::Read:
        break;
    }
    SavedGame game;
    struct stat status {};
    if (!DecodeSavedGame(bytes, game, fault) || ::stat(path.c_str(), &status) != 0) {
        return prefix + "Damaged";
    }
    return prefix + MoneyText(game.Money) + "  " + DepthText(game.SubY) + "  " + TimeText(status.st_mtime);
}

} // namespace

std::string slotLineText(int slot) {
    return LineText(std::to_string(slot) + "  ", "SavedGame" + std::to_string(slot));
}

std::string autosaveLineText() {
    return LineText(std::string(AutosaveSlot) + "  ", AutosaveSlot);
}
