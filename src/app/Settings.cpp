#include "app/Settings.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>

#include <boost/property_tree/ptree.hpp>

#include "core/JsonTree.h"

namespace pt = boost::property_tree;

namespace {

void Warn(const std::filesystem::path& path, const std::string& problem) {
    std::fprintf(stderr, "kelvane: %s: %s; using the default settings\n", path.c_str(), problem.c_str());
}

// The shortest text that reads back as the same float: a volume of 0.9 is written "0.9", not
// "0.900000036", for the player who opens the file.
std::string ShortestText(float value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::to_string(value);
}

} // namespace

std::filesystem::path GetSettingsPath() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "") / ".config";
    }
    return base / "Kelvane" / "settings.json";
}

Settings LoadSettings(const std::filesystem::path& path, bool* whole) {
    Settings settings;
    if (whole) {
        *whole = false;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        Warn(path, "no settings file yet");
        return settings;
    }
    pt::ptree root;
    try {
        ReadJsonFile(path.string(), root);
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

bool SaveSettings(const Settings& settings, const std::filesystem::path& path) {
    pt::ptree root;
    root.put("Fullscreen", settings.Fullscreen);
    root.put("WindowWidth", settings.WindowWidth);
    root.put("WindowHeight", settings.WindowHeight);
    root.put("MasterVolume", ShortestText(settings.MasterVolume));
    root.put("MusicVolume", ShortestText(settings.MusicVolume));
    root.put("EffectsVolume", ShortestText(settings.EffectsVolume));
    root.put("FirstRunHintDismissed", settings.FirstRunHintDismissed);

    std::ostringstream text;
    WriteJsonTree(text, root);
    return SaveConfigFile(text.str(), path, "settings");
}

bool SaveConfigFile(const std::string& text, const std::filesystem::path& path, const char* what) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    // Beside the file, so the rename stays within one file system; the process id keeps two games
    // from writing the same temporary file.
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(::getpid());
    try {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) {
            throw std::runtime_error("cannot write " + temporary.string());
        }
        out << text;
        out.flush();
        if (!out) {
            throw std::runtime_error("cannot write " + temporary.string());
        }
    } catch (const std::exception& e) {
        std::filesystem::remove(temporary, error);
        std::fprintf(stderr, "kelvane: %s: %s not saved (%s)\n", path.c_str(), what, e.what());
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        std::fprintf(stderr, "kelvane: %s: %s not saved (%s)\n", path.c_str(), what, error.message().c_str());
        return false;
    }
    return true;
}
