#include "assets/TextureManager.h"

#include <filesystem>
#include <vector>

#include "assets/TextureClient.h"
#include "assets/TextureImage.h"
#include "core/Component.h"
#include "core/GameObject.h"
#include "core/Service.h"

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return ext;
}

void CollectClients(GameObject& object, const Texture& texture, std::vector<TextureClient*>& out) {
    for (Component* component : object.Components) {
        if (auto* client = dynamic_cast<TextureClient*>(component);
            client && client->ClientTexture() == &texture) {
            out.push_back(client);
        }
    }
    for (GameObject* child : object.Children) {
        CollectClients(*child, texture, out);
    }
}

} // namespace

TextureManager::TextureManager(std::string contentRoot) : contentRoot_(std::move(contentRoot)) {
    layers_.Shipped = contentRoot_;
}

TextureManager::~TextureManager() = default;

std::string TextureManager::TextureName(const Texture& texture) const {
    return texture.Name;
}

void TextureManager::LoadTextureBank(const std::string& bank) {
    if (Banks.count(bank)) {
        return;
    }
    auto loaded = std::make_unique<TextureBank>();
    for (const fs::path& file : layers_.ListFiles(fs::path("Textures") / bank)) {
        if (LowerExtension(file) != ".xml") {
            continue;
        }
        auto texture = std::make_unique<Texture>();
        LoadAtlas(*texture, file.string());
        texture->Name = file.stem().string();
        loaded->Textures[texture->Name] = std::move(texture);
    }
    Banks[bank] = std::move(loaded);
}

void TextureManager::UnloadTextureBank(const std::string& bank) {
    Banks.erase(bank);
}

Texture* TextureManager::FindTexture(const std::string& name) const {
    for (const auto& [bankName, bank] : Banks) {
        if (auto it = bank->Textures.find(name); it != bank->Textures.end()) {
            return it->second.get();
        }
    }
    return nullptr;
}

bool TextureManager::ReloadTexture(Texture& texture, GameObject* root) {
    std::string bankName;
    for (const auto& [name, bank] : Banks) {
        if (bank->Textures.count(texture.Name)) {
            bankName = name;
            break;
        }
    }
    if (bankName.empty()) {
        return false;
    }
    // A half-written or broken atlas must not replace one that draws.
    Texture fresh;
    LoadAtlas(fresh, layers_.Find(fs::path("Textures") / bankName / (texture.Name + ".xml")).string());
    if (!fresh.Image) {
        return false;
    }
    std::vector<TextureClient*> clients;
    if (root) {
        CollectClients(*root, texture, clients);
    }
    for (TextureClient* client : clients) {
        client->StashImageName();
    }
    texture.Clear();
    texture.Image = std::move(fresh.Image);
    texture.PixelWidth = fresh.PixelWidth;
    texture.PixelHeight = fresh.PixelHeight;
    texture.UvRects = std::move(fresh.UvRects);
    texture.TrimRects = std::move(fresh.TrimRects);
    texture.SpriteNames = std::move(fresh.SpriteNames);
    texture.SpriteIndex = std::move(fresh.SpriteIndex);
    for (TextureClient* client : clients) {
        client->RestoreImageName();
    }
    return true;
}
