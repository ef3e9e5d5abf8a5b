#pragma once

#include <map>
#include <memory>
#include <string>

#include "assets/BitmapFont.h"
#include "reflection/ResourceLookup.h"

// The loaded font banks: bank name -> font name -> font. While it exists, font-valued properties
// resolve names through it (it is the Service<FontLookup>).
class FontRegistry : public FontLookup {
public:
    // contentRoot is the folder holding "Fonts" (normally "Content").
    explicit FontRegistry(std::string contentRoot = "Content");
    virtual ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    std::map<std::string, std::map<std::string, std::unique_ptr<BitmapFont>>> Banks;

    // Loads every ".fnt" file (extension in any case) of <root>/Fonts/<bank>; nothing when loaded.
    // Throws ContentError for a missing folder or an unusable descriptor.
    void LoadFontBank(const std::string& bank);
    // Deletes the bank's fonts with their pages; nothing when it is not loaded.
    void UnloadFontBank(const std::string& bank);
    // The font of that exact name in the first bank, in bank-name order, that has one.
    BitmapFont* FindFont(const std::string& name) const override;
    std::string FontName(const BitmapFont& font) const override;

private:
    std::string contentRoot_;
};
