#pragma once

#include <map>
#include <memory>
#include <string>

#include "assets/Texture.h"

// The textures of one folder under "Content/Textures", by name. Deleting the bank deletes them.
class TextureBank {
public:
    virtual ~TextureBank() = default;
    std::map<std::string, std::unique_ptr<Texture>> Textures;
};
