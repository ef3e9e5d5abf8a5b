#include "AtlasPacker.h"

#include "AtomicFile.h"
#include "RectPacker.h"
#include "ToolError.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace kelvane::assetwright {

namespace {
constexpr int Extrude = 1;

struct TrimBox {
    int x = 0, y = 0, w = 0, h = 0;
};

// The smallest box holding every pixel with non-zero alpha; a fully transparent image keeps one
// transparent pixel so the sprite still exists and still has a frame.
TrimBox findTrim(const Image& image) {
    int minX = image.width, minY = image.height, maxX = -1, maxY = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y)[3] != 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    if (maxX < 0) {
        return TrimBox{0, 0, 1, 1};
    }
    return TrimBox{minX, minY, maxX - minX + 1, maxY - minY + 1};
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void escapeXml(std::ostringstream& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
        case '&':
            out << "&amp;";
            break;
        case '<':
            out << "&lt;";
            break;
        case '>':
            out << "&gt;";
            break;
        case '"':
            out << "&quot;";
            break;
        default:
            out << c;
        }
    }
}
} // namespace

PackedAtlas packAtlas(std::vector<std::pair<std::string, Image>> images, const AtlasOptions& options) {
    if (images.empty()) {
        throw ToolError("no sprites to pack");
    }
    std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<TrimBox> trims;
    std::vector<PackSize> sizes;
    trims.reserve(images.size());
    sizes.reserve(images.size());
    for (const auto& [name, image] : images) {
        if (image.width <= 0 || image.height <= 0) {
            throw ToolError("sprite '" + name + "' has no pixels");
        }
        TrimBox trim = findTrim(image);
        trims.push_back(trim);
        if (trim.w + 2 * Extrude > options.maxSheetSide || trim.h + 2 * Extrude > options.maxSheetSide) {
            throw ToolError("sprite '" + name + "' (" + std::to_string(trim.w) + "x" +
                            std::to_string(trim.h) +
                            " after trimming) is too large for the maximum sheet of " +
                            std::to_string(options.maxSheetSide) + " pixels");
        }
        sizes.push_back(PackSize{trim.w + 2 * Extrude, trim.h + 2 * Extrude});
    }

    PackResult packed;
    if (!packRects(sizes, options.maxSheetSide, false, packed)) {
        throw ToolError(std::to_string(images.size()) + " sprites do not fit one sheet of " +
                        std::to_string(options.maxSheetSide) + "x" + std::to_string(options.maxSheetSide));
    }

    PackedAtlas atlas;
    atlas.sheet = Image(packed.sheetWidth, packed.sheetHeight);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& source = images[i].second;
        const TrimBox& trim = trims[i];
        const PackPlacement& place = packed.placements[i];
        // Copy the trimmed pixels plus a ring clamped to their edge: the ring repeats the edge pixel.
        for (int dy = -Extrude; dy < trim.h + Extrude; ++dy) {
            int sy = trim.y + std::clamp(dy, 0, trim.h - 1);
            for (int dx = -Extrude; dx < trim.w + Extrude; ++dx) {
                int sx = trim.x + std::clamp(dx, 0, trim.w - 1);
                std::memcpy(atlas.sheet.at(place.x + Extrude + dx, place.y + Extrude + dy), source.at(sx, sy),
                            4);
            }
        }
        PackedSprite sprite;
        sprite.name = images[i].first;
        sprite.x = place.x + Extrude;
        sprite.y = place.y + Extrude;
        sprite.w = trim.w;
        sprite.h = trim.h;
        sprite.oX = trim.x;
        sprite.oY = trim.y;
        sprite.oW = source.width;
        sprite.oH = source.height;
        atlas.sprites.push_back(sprite);
    }
    return atlas;
}

PackedAtlas packAtlasFolder(const std::filesystem::path& folder, const AtlasOptions& options) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw ToolError("sprite folder '" + folder.string() + "' does not exist");
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file() && lowerCase(entry.path().extension().string()) == ".png") {
            files.push_back(entry.path());
        }
    }
    if (files.empty()) {
        throw ToolError("sprite folder '" + folder.string() + "' holds no .png files");
    }
    std::vector<std::pair<std::string, Image>> images;
    images.reserve(files.size());
    for (const auto& file : files) {
        images.emplace_back(file.stem().string(), loadPng(file));
    }
    std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < images.size(); ++i) {
        if (images[i].first == images[i - 1].first) {
            throw ToolError("two images give the sprite name '" + images[i].first + "' in '" +
                            folder.string() + "'");
        }
    }
    return packAtlas(std::move(images), options);
}

std::string atlasDescriptor(const PackedAtlas& atlas, const std::string& imagePath) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<!-- Written by assetwright from the sprite folder of the same name; edit the sprites. -->\n";
    out << "<TextureAtlas imagePath=\"";
    escapeXml(out, imagePath);
    out << "\" width=\"" << atlas.sheet.width << "\" height=\"" << atlas.sheet.height << "\">\n";
    for (const PackedSprite& s : atlas.sprites) {
        out << "    <sprite n=\"";
        escapeXml(out, s.name);
        out << "\" x=\"" << s.x << "\" y=\"" << s.y << "\" w=\"" << s.w << "\" h=\"" << s.h << "\" oX=\""
            << s.oX << "\" oY=\"" << s.oY << "\" oW=\"" << s.oW << "\" oH=\"" << s.oH << "\"/>\n";
    }
    out << "</TextureAtlas>\n";
    return out.str();
}

void writeAtlas(const PackedAtlas& atlas, const std::filesystem::path& descriptorPath) {
    std::filesystem::path sheetPath = descriptorPath;
    sheetPath.replace_extension(".sheet");
    // The sheet goes first: a descriptor is never newer than the image it names.
    savePng(atlas.sheet, sheetPath);
    writeFileAtomically(descriptorPath, atlasDescriptor(atlas, sheetPath.filename().string()));
}

} // namespace kelvane::assetwright
