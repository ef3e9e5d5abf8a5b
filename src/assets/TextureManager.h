#pragma once

#include <map>
#include <memory>
#include <string>

#include "assets/TextureBank.h"
#include "core/ContentLayers.h"
#include "reflection/ResourceLookup.h"

class GameObject;

// The loaded texture banks by name. While it exists, texture-valued properties resolve names
// through it (it is the Service<TextureLookup>).
class TextureManager : public TextureLookup {
public:
    // contentRoot is the folder holding "Textures" (normally "Content").
    explicit TextureManager(std::string contentRoot = "Content");
    virtual ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    std::map<std::string, std::unique_ptr<TextureBank>> Banks;

    // Loads every ".xml" atlas (extension in any case) of <root>/Textures/<bank>, an overlay's atlas
    // replacing the shipped one of the same name; nothing when the bank is loaded. Throws
    // ContentError for a missing folder or an unusable descriptor.
    void LoadTextureBank(const std::string& bank);
    // Deletes the bank and its textures; nothing when it is not loaded.
    void UnloadTextureBank(const std::string& bank);
    // The texture of that exact name in the first bank, in bank-name order, that has one.
    Texture* FindTexture(const std::string& name) const override;
    std::string TextureName(const Texture& texture) const override;
    // Re-reads the atlas from disk into the same object, and re-selects the sprite of every client
    // in the tree under root that shows it. The new atlas is read aside first, so the texture keeps
    // what it had when the descriptor is unusable (ContentError) or its image cannot be read (false).
    // Returns whether the texture now holds the new atlas.
    bool ReloadTexture(Texture& texture, GameObject* root);

    const std::string& ContentRoot() const { return contentRoot_; }
    // The player's own content folder read on top of the content root; empty for none.
    void SetOverlayRoot(const std::string& overlayRoot) { layers_.Overlay = overlayRoot; }
    // Where rebuilt atlases go: the overlay when there is one, else the content root.
    std::string WritableRoot() const { return layers_.Writable().string(); }

private:
    std::string contentRoot_;
    ContentLayers layers_;
};
