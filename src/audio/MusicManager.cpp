#include "audio/MusicManager.h"

#include <algorithm>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <cctype>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;
namespace pt = boost::property_tree;

namespace {

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

void warn(const std::string& file, const std::string& problem) {
    std::cerr << "warning: " << file << ": " << problem << "; loop points left at -1\n";
}

} // namespace

MusicManager::MusicManager(const std::string& musicFolder) {
    std::error_code error;
    if (!fs::is_directory(musicFolder, error)) {
        return;
    }
    // Metadata trees by stem, kept until every track is known.
    std::map<std::string, std::pair<std::string, pt::ptree>> metadata;
    for (const fs::directory_entry& entry : fs::directory_iterator(musicFolder)) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const fs::path& path = entry.path();
        const std::string stem = path.stem().string();
        if (lowercase(path.extension().string()) != ".json") {
            tracks_[stem] = MusicMetadata(path.string());
            continue;
        }
        pt::ptree tree;
        try {
            pt::read_json(path.string(), tree);
        } catch (const pt::json_parser_error& e) {
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
