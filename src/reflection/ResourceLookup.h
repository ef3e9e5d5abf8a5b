#pragma once

#include <string>

class Texture;
class BitmapFont;

// How texture references are named in text. The texture store implements it and is reached as
// Service<TextureLookup> while it lives; without one, a name finds nothing and a reference has the
// empty name.
class TextureLookup {
public:
    // The texture called name, or null.
    virtual Texture* FindTexture(const std::string& name) const = 0;
    virtual std::string TextureName(const Texture& texture) const = 0;

protected:
    ~TextureLookup() = default;
};

// The same for font references: the font store, reached as Service<FontLookup>.
class FontLookup {
public:
    // The font called name, or null.
    virtual BitmapFont* FindFont(const std::string& name) const = 0;
    virtual std::string FontName(const BitmapFont& font) const = 0;

protected:
    ~FontLookup() = default;
};
