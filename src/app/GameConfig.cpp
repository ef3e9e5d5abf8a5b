#include "app/GameConfig.h"

#include <sstream>

#include <boost/property_tree/ptree.hpp>

#include "core/ContentError.h"
#include "core/ContentText.h"
#include "core/JsonTree.h"

namespace pt = boost::property_tree;

void GameConfig::Load(const std::filesystem::path& file) {
    std::error_code ec;
    auto status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::exists(status))
        return;
    const std::string text = ReadContentFile(file.string());
    CheckJsonNesting(text, file.string());
    pt::ptree tree;
    try {
        std::istringstream in(text);
        ReadJsonTree(in, tree);
    } catch (const pt::json_parser::json_parser_error& e) {
        throw ContentError(file.string(), "line " + std::to_string(e.line()) + ": " + e.message());
    }
    auto value = tree.get_child_optional("DevelopmentContentPath");
    if (!value)
        throw ContentError(file.string(), "No such node (DevelopmentContentPath)");
    developmentContentPath_ = value->data();
}

std::filesystem::path GameConfig::GetPrefabFolder(const std::filesystem::path& contentFolder) const {
    if (!developmentContentPath_.empty()) {
        std::filesystem::path candidate = std::filesystem::path(developmentContentPath_) / "Prefabs";
        std::error_code ec;
        if (std::filesystem::is_directory(candidate, ec))
            return candidate;
    }
    return contentFolder / "Prefabs";
}
