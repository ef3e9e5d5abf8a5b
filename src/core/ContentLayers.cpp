#include "core/ContentLayers.h"

#include <map>
#include <system_error>

#include "core/ContentFolder.h"

namespace fs = std::filesystem;

fs::path ContentLayers::Find(const fs::path& relative) const {
    if (!Overlay.empty()) {
        const fs::path mine = Overlay / relative;
        std::error_code ec;
        if (fs::exists(mine, ec)) {
            return mine;
        }
    }
    return Shipped / relative;
}

std::vector<fs::path> ContentLayers::ListFiles(const fs::path& relative,
                                               std::vector<std::string>* skipped) const {
    std::vector<fs::path> files = ListContentFiles(Shipped / relative, skipped);
    if (Overlay.empty()) {
        return files;
    }
    const fs::path overlayFolder = Overlay / relative;
    std::error_code ec;
    if (!fs::is_directory(overlayFolder, ec)) {
        return files;
    }
    std::map<fs::path, size_t> byName;
    for (size_t i = 0; i < files.size(); ++i) {
        byName[files[i].filename()] = i;
    }
    for (const fs::path& mine : ListContentFiles(overlayFolder, skipped)) {
        auto it = byName.find(mine.filename());
        if (it != byName.end()) {
            files[it->second] = mine;
        } else {
            files.push_back(mine);
        }
    }
    return files;
}
