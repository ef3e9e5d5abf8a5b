#include "app/Settings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include <boost/property_tree/ptree.hpp>

#include "core/ContentText.h"
#include "core/JsonTree.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/UserFolder.h"

namespace pt = boost::property_tree;

namespace {

void Warn(const std::filesystem::path& path, const std::string& problem) {
    std::fprintf(stderr, "kelvane: %s: %s; using the default settings\n", path.c_str(), problem.c_str());
}

// The shortest text that reads back as the same float: a volume of 0.9 is written "0.9", not
// "0.900000036", for the player who opens the file.
std::string ShortestText(float value) {
    if (!std::isfinite(value)) {
        value = 1.0f; // JSON has no text for these; the load would refuse the whole file
    }
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::to_string(value);
}

} // namespace

std::filesystem::path GetSettingsPath() {
    return UserFolder("XDG_CONFIG_HOME", ".config") / "Kelvane" / "settings.json";
}

Settings LoadSettings(const std::filesystem::path& path, bool* whole) {
    Settings settings;
    if (whole) {
        *whole = false;
    }
    // A real file is a few hundred bytes; anything near this is not one the game wrote.
    constexpr size_t maxSize = 64 * 1024;
    std::string text;
    std::string fault;
    switch (ReadWholeFile(path, maxSize, text, fault)) {
    case ReadStatus::Missing:
        Warn(path, "no settings file yet");
        return settings;
    case ReadStatus::Failed:
        Warn(path, fault);
        return settings;
    case ReadStatus::Read:
        break;
    }
    if (!LooksLikeJson(text)) {
        Warn(path, "not JSON: it holds binary bytes");
        return settings;
    }
    // The parser recurses once per level: a file nested thousands deep would overflow the stack.
    if (JsonNestingDepth(text) > MaxContentNesting) {
        Warn(path, "nested deeper than " + std::to_string(MaxContentNesting) + " levels");
        return settings;
    }
    pt::ptree root;
    try {
        std::istringstream in(text);
        ReadJsonTree(in, root);
    } catch (const pt::json_parser::json_parser_error& e) {
        Warn(path, (e.line() > 0 ? "line " + std::to_string(e.line()) + ": " : std::string()) + e.message());
        return settings;
    }
    // An array reads as members without names, a lone value as data without members.
    if (root.empty() ? !root.data().empty() : root.front().first.empty()) {
        Warn(path, "the top level is not a JSON object");
        return settings;
    }

    std::string problem; // the first one found: one line for the whole file
    auto note = [&](const std::string& key, const char* what) {
        if (problem.empty()) {
            problem = "\"" + key + "\" " + what;
        }
    };
    auto readBool = [&](const char* key, bool& value) {
        if (const auto node = root.get_child_optional(key)) {
            const std::string text = node->data();
            if (!node->empty() || (text != "true" && text != "false")) {
                note(key, "is not true or false");
            } else {
                value = text == "true";
            }
        }
    };
    auto readNumber = [&](const char* key, auto& value, double low, double high) {
        if (const auto node = root.get_child_optional(key)) {
            std::optional<double> number;
            if (node->empty()) {
                if (const boost::optional<double> read = node->get_value_optional<double>()) {
                    number = *read;
                }
            }
            if (!number || !(*number >= low && *number <= high)) {
                note(key, "is not a number in range");
            } else {
                value = static_cast<std::remove_reference_t<decltype(value)>>(*number);
            }
        }
    };
    readBool("Fullscreen", settings.Fullscreen);
    readNumber("WindowWidth", settings.WindowWidth, Settings::MinWindowWidth, Settings::MaxWindowSide);
    readNumber("WindowHeight", settings.WindowHeight, Settings::MinWindowHeight, Settings::MaxWindowSide);
    readNumber("MasterVolume", settings.MasterVolume, 0.0, 1.0);
    readNumber("MusicVolume", settings.MusicVolume, 0.0, 1.0);
    readNumber("EffectsVolume", settings.EffectsVolume, 0.0, 1.0);
    readBool("FirstRunHintDismissed", settings.FirstRunHintDismissed);
    if (!problem.empty()) {
        Warn(path, problem);
    } else if (whole) {
        *whole = true;
    }
    return settings;
}

bool SaveSettings(const Settings& settings, const std::filesystem::path& path, std::string* fault) {
    // Written by hand rather than through the property tree, whose writer quotes every value: the
    // file keeps JSON booleans and numbers, as a player editing it would write them.
    auto line = [](const char* key, const std::string& value, bool last = false) {
        return std::string("    \"") + key + "\": " + value + (last ? "\n" : ",\n");
    };
    std::string text = "{\n";
    text += line("Fullscreen", settings.Fullscreen ? "true" : "false");
    text += line("WindowWidth", std::to_string(settings.WindowWidth));
    text += line("WindowHeight", std::to_string(settings.WindowHeight));
    text += line("MasterVolume", ShortestText(settings.MasterVolume));
    text += line("MusicVolume", ShortestText(settings.MusicVolume));
    text += line("EffectsVolume", ShortestText(settings.EffectsVolume));
    text += line("FirstRunHintDismissed", settings.FirstRunHintDismissed ? "true" : "false", true);
    text += "}\n";
    return SaveConfigFile(text, path, "settings", fault);
}

bool SaveConfigFile(const std::string& text, const std::filesystem::path& path, const char* what,
                    std::string* fault) {
    std::string why;
    if (!WriteFileAtomically(path, text, why, AtomicFileOptions{.SharedFile = true})) {
        if (fault) {
            *fault = why;
        } else {
            std::fprintf(stderr, "kelvane: %s: %s not saved (%s)\n", path.c_str(), what, why.c_str());
        }
        return false;
    }
    return true;
}
