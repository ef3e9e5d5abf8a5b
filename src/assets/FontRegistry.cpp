#include "assets/FontRegistry.h"

#include <filesystem>

#include "core/ContentFolder.h"

namespace fs = std::filesystem;

FontRegistry::FontRegistry(std::string contentRoot) : contentRoot_(std::move(contentRoot)) {}

FontRegistry::~FontRegistry() = default;

std::string FontRegistry::FontName(const BitmapFont& font) const {
    return font.Name;
}

void FontRegistry::LoadFontBank(const std::string& bank) {
    if (Banks.count(bank)) {
        return;
    }
    const fs::path folder = fs::path(contentRoot_) / "Fonts" / bank;
    std::map<std::string, std::unique_ptr<BitmapFont>> fonts;
    for (const fs::path& file : ListContentFiles(folder)) {
        std::string ext = file.extension().string();
        for (char& c : ext) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        if (ext != ".fnt") {
            continue;
        }
        std::unique_ptr<BitmapFont> font = LoadBitmapFont(file.string());
        font->Name = file.stem().string();
        fonts[font->Name] = std::move(font);
    }
    Banks[bank] = std::move(fonts);
}

void FontRegistry::UnloadFontBank(const std::string& bank) {
    Banks.erase(bank);
}

BitmapFont* FontRegistry::FindFont(const std::string& name) const {
    for (const auto& [bankName, fonts] : Banks) {
        if (auto it = fonts.find(name); it != fonts.end()) {
            return it->second.get();
        }
    }
    return nullptr;
}
