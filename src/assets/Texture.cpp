#include "assets/Texture.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include <boost/property_tree/ptree.hpp>

#include "assets/ImageDevice.h"
#include "assets/TextureImage.h"
#include "assets/XmlContent.h"
#include "core/ContentError.h"
#include "core/ContentText.h"
#include "core/Service.h"
#include "platform/Image.h"

namespace pt = boost::property_tree;

Texture::Texture() = default;
Texture::~Texture() = default;

void Texture::LoadImage(const std::string& path) {
    Image.reset();
    PixelWidth = PixelHeight = 0.0f;
    std::string error;
    const DecodedImage decoded = DecodeImageFile(path, &error);
    // Over the caps it is no picture the game could have been given, nor one to draw without it.
    if (decoded.Empty() && error.starts_with("too large")) {
        throw ContentError(path, error);
    }
    if (decoded.Empty()) {
        std::fprintf(stderr, "kelvane: warning: %s: cannot read image (%s)\n", EscapeControls(path).c_str(),
                     EscapeControls(error).c_str());
        return;
    }
    if (ImageDevice* device = Service<ImageDevice>::TryGet()) {
        Image = device->CreateImage(decoded.Width, decoded.Height, decoded.Pixels.data());
    } else {
        Image = std::make_unique<TextureImage>(decoded.Width, decoded.Height);
    }
    PixelWidth = static_cast<float>(decoded.Width);
    PixelHeight = static_cast<float>(decoded.Height);
}

void Texture::Clear() {
    Image.reset();
    PixelWidth = PixelHeight = 0.0f;
    UvRects.clear();
    TrimRects.clear();
    SpriteNames.clear();
    SpriteIndex.clear();
}

namespace {

// Optional integer attributes that are absent or not integers take their default.
int OptionalInt(const pt::ptree& attributes, const char* key, int fallback) {
    return attributes.get_optional<int>(key).value_or(fallback);
}

} // namespace

void LoadAtlas(Texture& texture, const std::string& descriptorPath) {
    ReadAtlas(texture, ReadContentFile(descriptorPath), descriptorPath);
}

void ReadAtlas(Texture& texture, const std::string& xml, const std::string& descriptorPath) {
    const std::filesystem::path descriptor(descriptorPath);
    try {
        const pt::ptree tree = ReadXmlContent(xml, descriptorPath);
        std::filesystem::path image =
            descriptor.parent_path() / tree.get<std::string>("TextureAtlas.<xmlattr>.imagePath");
        image.replace_extension(".sheet");
        texture.LoadImage(image.string());

        int count = 0;
        for (const auto& [name, child] : tree.get_child("TextureAtlas")) {
            if (name != "sprite") {
                continue;
            }
            const pt::ptree& a = XmlAttributes(child);
            const std::string spriteName = a.get<std::string>("n");
            const int x = a.get<int>("x");
            const int y = a.get<int>("y");
            const int w = a.get<int>("w");
            const int h = a.get<int>("h");
            const float oX = static_cast<float>(OptionalInt(a, "oX", 0));
            const float oY = static_cast<float>(OptionalInt(a, "oY", 0));
            const float oW = static_cast<float>(OptionalInt(a, "oW", w));
            const float oH = static_cast<float>(OptionalInt(a, "oH", h));
            // The trim rectangle is a fraction of the full frame: a frame without area has none.
            if (!(oW > 0.0f && oH > 0.0f)) {
                throw ContentError(descriptorPath, "sprite " + Quoted(spriteName) + " has a frame of " +
                                                       std::to_string(static_cast<int>(oW)) + " x " +
                                                       std::to_string(static_cast<int>(oH)) + " pixels");
            }
            // Without an image the sizes are 0 and these are not finite, as the data model allows.
            const float pw = texture.PixelWidth;
            const float ph = texture.PixelHeight;
            texture.UvRects.emplace_back(static_cast<float>(x) / pw, static_cast<float>(y) / ph,
                                         static_cast<float>(w) / pw, static_cast<float>(h) / ph);
            texture.TrimRects.emplace_back(oX / oW, oY / oH, static_cast<float>(w) / oW,
                                           static_cast<float>(h) / oH);
            texture.SpriteNames.push_back(spriteName);
            texture.SpriteIndex[spriteName] = count;
            ++count;
        }
    } catch (const pt::ptree_bad_path& e) {
        throw ContentError(descriptorPath, "missing " + Quoted(e.path<pt::ptree::path_type>().dump()));
    } catch (const pt::ptree_bad_data& e) {
        throw ContentError(descriptorPath, "not an integer: " + Quoted(e.data<std::string>()));
    }
}
