#include "app/GameWindowIdentity.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "core/ContentLayers.h"
#include "platform/Image.h"

WindowIdentity GameWindowIdentity(const ContentLayers& content) {
    WindowIdentity identity;
    identity.Title = "Kelvane";
    identity.AppId = GameAppId;
    const std::filesystem::path iconFile =
        content.Find(std::filesystem::path("Icons") / (std::string(GameAppId) + ".png"));
    std::error_code error;
    if (std::filesystem::is_regular_file(iconFile, error)) {
        DecodedImage icon = DecodeImageFile(iconFile.string());
        identity.IconWidth = icon.Width;
        identity.IconHeight = icon.Height;
        identity.IconRgba = std::move(icon.Pixels);
    }
    return identity;
}
