#include "audio/MusicManager.h"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "core/ContentText.h"
#include "core/JsonTree.h"

namespace fs = std::filesystem;
namespace pt = boost::property_tree;

namespace {

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

void warn(const std::string& file, const std::string& problem) {
    std::cerr << "kelvane: warning: " << EscapeControls(file) << ": " << EscapeControls(problem)
              << "; loop points left at -1\n";
}

} // namespace

// Built while the application itself is being built, before start-up reports content errors: every
// problem here is a warning, never an exception.
MusicManager::MusicManager(const std::string& musicFolder) {
    std::error_code error;
    if (!fs::is_directory(musicFolder, error)) {
        return;
    }
    std::vector<fs::path> files;
    std::vector<std::string> skipped;
    try {
        files = ListContentFiles(musicFolder, &skipped);
    } catch (const ContentError& e) {
        std::cerr << "kelvane: warning: " << e.what() << "; no music catalogued\n";
        return;
    }
    for (const std::string& problem : skipped) {
        std::cerr << "kelvane: warning: " << EscapeControls(problem) << ", skipped\n";
    }
    // Metadata trees by stem, kept until every track is known.
    std::map<std::string, std::pair<std::string, pt::ptree>> metadata;
    for (const fs::path& path : files) {
        const std::string stem = path.stem().string();
        if (lowercase(path.extension().string()) != ".json") {
            tracks_[stem] = MusicMetadata(path.string());
            continue;
        }
        pt::ptree tree;
        try {
            const std::string text = ReadContentFile(path.string());
            CheckJsonNesting(text, path.string());
            std::istringstream in(text);
            ReadJsonTree(in, tree);
        } catch (const ContentError& e) {
            warn(path.string(), e.Problem());
            metadata.erase(stem);
            continue;
        } catch (const pt::json_parser::json_parser_error& e) {
            warn(path.string(), "not valid JSON (" + e.message() + ")");
            metadata.erase(stem);
            continue;
        }
        metadata[stem] = {path.string(), std::move(tree)};
    }

    for (auto& [stem, track] : tracks_) {
        auto it = metadata.find(stem);
        if (it == metadata.end()) {
            continue;
        }
        const auto& [file, tree] = it->second;
        try {
            const int start = tree.get<int>("LoopStartSample");
            const int end = tree.get<int>("LoopEndSample");
            track.LoopStartSample = start;
            track.LoopEndSample = end;
        } catch (const pt::ptree_error& e) {
            warn(file, e.what());
        }
    }
}

const MusicMetadata* MusicManager::FindTrack(const std::string& name) const {
    auto it = tracks_.find(name);
    return it == tracks_.end() ? nullptr : &it->second;
}
