#pragma once

#include <functional>
#include <string>

class Texture;
class BitmapFont;

// How texture and font references are named in text. The texture and font stores install these
// when they are created and clear them when destroyed; while a function is empty, a name finds
// nothing and a reference has the empty name.
struct ResourceLookup {
    static inline std::function<Texture*(const std::string&)> FindTexture;
    static inline std::function<std::string(const Texture*)> TextureName;
    static inline std::function<BitmapFont*(const std::string&)> FindFont;
    static inline std::function<std::string(const BitmapFont*)> FontName;
};
