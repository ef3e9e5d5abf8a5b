#include <gtest/gtest.h>

#include <random>

#include "TempContent.h"
#include "ThirdPartyData.h"
#include "assets/BitmapFont.h"
#include "assets/Texture.h"
#include "core/ContentError.h"

namespace {

// Damaged descriptors either load or end with a ContentError; never anything else.
std::string Mutate(std::string text, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = rng() % text.size();
        switch (rng() % 4) {
        case 0:
            text[at] = static_cast<char>(rng() % 256);
            break;
        case 1:
            text.erase(at, 1 + rng() % 8);
            break;
        case 2:
            text.insert(at, 1, "<>\"=/&0 -"[rng() % 9]);
            break;
        default:
            text.resize(at);
            break;
        }
    }
    return text;
}

template <class Load> void Fuzz(const std::string& sample, const std::string& name, Load load) {
    TempContent content;
    const std::string original = ReadFile(ThirdPartyData(sample));
    std::mt19937 rng(1234);
    int loaded = 0;
    int refused = 0;
    testing::internal::CaptureStderr();
    for (int i = 0; i < 300; ++i) {
        const auto path = content.Write(name, Mutate(original, rng));
        try {
            load(path.string());
            ++loaded;
        } catch (const ContentError&) {
            ++refused;
        }
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(loaded + refused, 300);
    EXPECT_GT(refused, 0);
}

TEST(DescriptorFuzzTest, DamagedAtlasesLoadOrAreRefused) {
    Fuzz("atlas/litiengine-gurk-nukem/gurk-nukem-atlas.xml", "a.xml", [](const std::string& path) {
        Texture texture;
        LoadAtlas(texture, path);
    });
}

TEST(DescriptorFuzzTest, DamagedFontsLoadOrAreRefused) {
    Fuzz("bmfont/edge-cases/test-font-xml.fnt", "f.fnt",
         [](const std::string& path) { LoadBitmapFont(path); });
}

} // namespace
