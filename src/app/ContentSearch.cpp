#include "app/ContentSearch.h"

#include <system_error>

#include "core/ContentError.h"
#include "platform/ExecutableFolder.h"
#include "platform/SaveFolder.h"
#include "platform/WritableFolder.h"

namespace fs = std::filesystem;

namespace {

fs::path Absolute(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal();
}

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

ContentLayers Layers(const fs::path& shipped, bool installed, const fs::path& userData) {
    ContentLayers layers;
    layers.Shipped = shipped;
    if (installed || !IsWritableFolder(shipped)) {
        layers.Overlay = Absolute(userData / "Content");
    }
    return layers;
}

} // namespace

ContentLayers FindContent(const std::string& given, const fs::path& executableFolder,
                          const fs::path& userData) {
    if (!given.empty()) {
        if (!IsFolder(given)) {
            throw ContentError(given, "no such folder (named with --content)");
        }
        return Layers(Absolute(given), false, userData);
    }
    const fs::path beside = Absolute(executableFolder / "Content");
    if (IsFolder(beside)) {
        return Layers(beside, false, userData);
    }
    // A prefix install keeps the game in bin/ and its Content in share/kelvane; Debian keeps games in
    // games/ and their data in share/games.
    const fs::path installed = Absolute(executableFolder / ".." / "share" / "kelvane" / "Content");
    if (IsFolder(installed)) {
        return Layers(installed, true, userData);
    }
    const fs::path games = Absolute(executableFolder / ".." / "share" / "games" / "kelvane" / "Content");
    if (IsFolder(games)) {
        return Layers(games, true, userData);
    }
    throw ContentError("Content", "no such folder beside the game (" + beside.string() +
                                      ") or in its install tree (" + installed.string() + " or " +
                                      games.string() + "); name one with --content DIR");
}

ContentLayers FindContent(const std::string& given) {
    return FindContent(given, ExecutableFolder(), GetSaveFolder());
}
