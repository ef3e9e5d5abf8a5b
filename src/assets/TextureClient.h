#pragma once

class Texture;

// Something in the object tree that shows a sprite of a texture by name. A texture reload asks each
// one to remember its sprite name, refills the texture, then has it select that name again.
class TextureClient {
public:
    virtual ~TextureClient() = default;
    virtual Texture* ClientTexture() const = 0;
    virtual void StashImageName() = 0;
    virtual void RestoreImageName() = 0;
};
