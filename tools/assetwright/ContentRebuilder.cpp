#include "ContentRebuilder.h"

#include "AtlasPacker.h"
#include "ToolError.h"

#include <algorithm>

namespace kelvane::assetwright {

namespace fs = std::filesystem;

std::vector<AtlasSource> findAtlasSources(const fs::path& contentRoot) {
    const fs::path textures = contentRoot / "Textures";
    std::error_code ec;
    if (!fs::is_directory(textures, ec)) {
        throw ToolError("no folder '" + textures.string() + "'");
    }
    std::vector<AtlasSource> sources;
    for (const auto& bank : fs::directory_iterator(textures)) {
        if (!bank.is_directory()) {
            continue;
        }
        for (const auto& texture : fs::directory_iterator(bank.path())) {
            if (texture.is_directory()) {
                AtlasSource source;
                source.spriteFolder = texture.path();
                source.descriptor = bank.path() / (texture.path().filename().string() + ".xml");
                sources.push_back(source);
            }
        }
    }
    std::sort(sources.begin(), sources.end(),
              [](const AtlasSource& a, const AtlasSource& b) { return a.spriteFolder < b.spriteFolder; });
    return sources;
}

bool isAtlasStale(const AtlasSource& source) {
    std::error_code ec;
    fs::path sheet = source.descriptor;
    sheet.replace_extension(".sheet");
    if (!fs::exists(source.descriptor, ec) || !fs::exists(sheet, ec)) {
        return true;
    }
    const auto built = std::min(fs::last_write_time(source.descriptor), fs::last_write_time(sheet));
    if (fs::last_write_time(source.spriteFolder) > built) {
        return true;
    }
    for (const auto& entry : fs::directory_iterator(source.spriteFolder)) {
        if (entry.is_regular_file() && entry.last_write_time() > built) {
            return true;
        }
    }
    return false;
}

int rebuildAtlases(const fs::path& contentRoot, bool force, std::ostream& log) {
    int rebuilt = 0;
    for (const AtlasSource& source : findAtlasSources(contentRoot)) {
        if (force || isAtlasStale(source)) {
            writeAtlas(packAtlasFolder(source.spriteFolder), source.descriptor);
            log << "packed " << source.descriptor.string() << "\n";
            ++rebuilt;
        }
    }
    return rebuilt;
}

} // namespace kelvane::assetwright
