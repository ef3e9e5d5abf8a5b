#include "assets/BitmapFont.h"

#include <cmath>
#include <filesystem>

#include <boost/property_tree/ptree.hpp>

#include "assets/Texture.h"
#include "assets/XmlContent.h"
#include "core/ContentError.h"
#include "core/ContentText.h"

namespace pt = boost::property_tree;

namespace {

// The page size divides every glyph measure: it must be a positive number.
float PageSize(const pt::ptree& tree, const char* key, const std::string& path) {
    const float size = tree.get<float>(std::string("font.common.<xmlattr>.") + key);
    if (!(size > 0.0f) || !std::isfinite(size)) {
        throw ContentError(path, std::string(key) + " must be a positive number of pixels");
    }
    return size;
}

} // namespace

BitmapFont::BitmapFont() = default;
BitmapFont::~BitmapFont() = default;

float BitmapFont::GetKerning(int first, int second) const {
    auto [begin, end] = Kernings.equal_range(first);
    for (auto it = begin; it != end; ++it) {
        if (it->second.first == second) {
            return it->second.second;
        }
    }
    return 0.0f;
}

void BitmapFont::BuildByteTables() {
    byteGlyphs_.fill(Glyph{});
    byteKernings_.fill(0.0f);
    for (const auto& [id, glyph] : Glyphs) {
        if (id >= 0 && id < 128) {
            byteGlyphs_[static_cast<size_t>(id)] = glyph;
        }
    }
    for (int first = 0; first < 128; ++first) {
        auto [begin, end] = Kernings.equal_range(first);
        // Walk backwards so the first entry of a repeated pair is the one left in the table.
        for (auto it = end; it != begin;) {
            --it;
            const int second = it->second.first;
            if (second >= 0 && second < 128) {
                byteKernings_[static_cast<size_t>(first) * 128 + static_cast<size_t>(second)] =
                    it->second.second;
            }
        }
    }
}

std::unique_ptr<BitmapFont> LoadBitmapFont(const std::string& path) {
    return ReadBitmapFont(ReadContentFile(path), path);
}

std::unique_ptr<BitmapFont> ReadBitmapFont(const std::string& xml, const std::string& path) {
    auto font = std::make_unique<BitmapFont>();
    try {
        const pt::ptree tree = ReadXmlContent(xml, path);
        const float invW = 1.0f / PageSize(tree, "scaleW", path);
        const float invH = 1.0f / PageSize(tree, "scaleH", path);
        font->LineHeight = tree.get<float>("font.common.<xmlattr>.lineHeight");
        font->LineHeightNorm = font->LineHeight * invH;

        const std::string pageFile = tree.get<std::string>("font.pages.page.<xmlattr>.file");
        font->Page = std::make_unique<Texture>();
        font->Page->LoadImage((std::filesystem::path(path).parent_path() / pageFile).string());

        for (const auto& [name, child] : tree.get_child("font.chars")) {
            if (name != "char") {
                continue;
            }
            const pt::ptree& a = XmlAttributes(child);
            Glyph g;
            g.id = a.get<int>("id");
            g.x = a.get<float>("x") * invW;
            g.y = a.get<float>("y") * invH;
            g.width = a.get<float>("width") * invW;
            g.height = a.get<float>("height") * invH;
            g.xoffset = a.get<float>("xoffset") * invW;
            g.yoffset = a.get<float>("yoffset") * invH;
            g.xadvance = a.get<float>("xadvance") * invW;
            font->Glyphs[g.id] = g;
        }
        if (auto kernings = tree.get_child_optional("font.kernings")) {
            for (const auto& [name, child] : *kernings) {
                if (name != "kerning") {
                    continue;
                }
                const pt::ptree& a = XmlAttributes(child);
                const int first = a.get<int>("first");
                const int second = a.get<int>("second");
                font->Kernings.emplace(first, std::make_pair(second, a.get<float>("amount") * invW));
            }
        }
    } catch (const pt::ptree_bad_path& e) {
        throw ContentError(path, "missing " + Quoted(e.path<pt::ptree::path_type>().dump()));
    } catch (const pt::ptree_bad_data& e) {
        throw ContentError(path, "not a number: " + Quoted(e.data<std::string>()));
    }
    font->BuildByteTables();
    return font;
}
