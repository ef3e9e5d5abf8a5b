#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Rect.h"

class TextureImage;

// One atlas: an image and its named sprites. Components hold plain pointers to it; a reload
// refills the same object so those pointers stay valid.
class Texture {
public:
    Texture();
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    std::unique_ptr<TextureImage> Image; // none when the image could not be loaded
    std::string Name;                    // descriptor file name without folder and extension
    float PixelWidth = 0.0f;
    float PixelHeight = 0.0f;
    // Per sprite, in descriptor order; the four lists always have equal length.
    std::vector<Rect> UvRects;   // texture coordinates of the packed sub-image
    std::vector<Rect> TrimRects; // where the packed sub-image lies in the full frame, as fractions
    std::vector<std::string> SpriteNames;
    std::map<std::string, int> SpriteIndex; // a repeated name maps to its last occurrence

    int SpriteCount() const { return static_cast<int>(SpriteNames.size()); }

    // Loads the image file into Image and sets the pixel sizes. A missing or undecodable file
    // leaves the texture without image and with sizes 0, and prints one warning line.
    void LoadImage(const std::string& path);
    // Drops the image and every sprite.
    void Clear();
};

// Fills the texture from the atlas descriptor at path (generic XML: "TextureAtlas" with
// "imagePath" and "sprite" children). The image is imagePath with its extension replaced by
// ".sheet", beside the descriptor. Throws ContentError for a descriptor that cannot be used.
void LoadAtlas(Texture& texture, const std::string& descriptorPath);
// The same from descriptor text already read; descriptorPath places the image and names the file in
// errors.
void ReadAtlas(Texture& texture, const std::string& xml, const std::string& descriptorPath);
