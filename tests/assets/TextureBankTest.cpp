#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TempContent.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "assets/TextureManager.h"
#include "core/ContentError.h"
#include "core/Service.h"
#include "reflection/ResourceLookup.h"

namespace {

std::string Atlas(const std::string& image, const std::string& sprites) {
    return "<?xml version=\"1.0\"?>\n<TextureAtlas imagePath=\"" + image + "\">\n" + sprites +
           "</TextureAtlas>\n";
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

class TextureBankTest : public ::testing::Test {
protected:
    TempContent content;
    TextureManager manager{content.Str()};
    Service<TextureLookup>::Scoped managerLookup{manager};
};

TEST_F(TextureBankTest, EveryXmlDescriptorOfTheFolderIsATextureWhateverTheExtensionCase) {
    content.Write("Textures/Main/Main.xml", Atlas("Main.png", ""));
    content.Write("Textures/Main/main.XML", Atlas("main.png", ""));
    content.Write("Textures/Main/Readme.txt", "not an atlas");
    manager.LoadTextureBank("Main");
    ASSERT_EQ(manager.Banks.count("Main"), 1u);
    const auto& textures = manager.Banks.at("Main")->Textures;
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures.at("Main")->Name, "Main");
    EXPECT_EQ(textures.at("main")->Name, "main");
    EXPECT_EQ(manager.FindTexture("Main"), textures.at("Main").get());
    EXPECT_EQ(manager.FindTexture("MAIN"), nullptr);
}

TEST_F(TextureBankTest, LookupTakesTheFirstBankInNameOrder) {
    content.Write("Textures/Main/Editor.xml", Atlas("Editor.png", ""));
    content.Write("Textures/Editor/Editor.xml", Atlas("Editor.png", ""));
    manager.LoadTextureBank("Main");
    manager.LoadTextureBank("Editor");
    EXPECT_EQ(manager.FindTexture("Editor"), manager.Banks.at("Editor")->Textures.at("Editor").get());
}

TEST_F(TextureBankTest, LoadingALoadedBankAgainChangesNothing) {
    content.Write("Textures/Main/A.xml", Atlas("A.png", ""));
    manager.LoadTextureBank("Main");
    Texture* first = manager.FindTexture("A");
    content.Write("Textures/Main/B.xml", Atlas("B.png", ""));
    manager.LoadTextureBank("Main");
    EXPECT_EQ(manager.FindTexture("A"), first);
    EXPECT_EQ(manager.FindTexture("B"), nullptr);
    manager.UnloadTextureBank("Main");
    EXPECT_EQ(manager.FindTexture("A"), nullptr);
    manager.UnloadTextureBank("Main"); // not loaded: nothing
}

TEST_F(TextureBankTest, UvRectanglesAreFractionsOfTheImageAndTheImageIsTheSheetFile) {
    content.WriteImage("Textures/Main/Tiles.sheet", 256, 128);
    content.Write("Textures/Main/Tiles.xml",
                  Atlas("Tiles.png", "<sprite n=\"Rock\" x=\"64\" y=\"32\" w=\"64\" h=\"32\"/>\n"));
    manager.LoadTextureBank("Main");
    const Texture* t = manager.FindTexture("Tiles");
    ASSERT_NE(t, nullptr);
    ASSERT_NE(t->Image, nullptr);
    EXPECT_EQ(t->PixelWidth, 256.0f);
    EXPECT_EQ(t->PixelHeight, 128.0f);
    ASSERT_EQ(t->SpriteCount(), 1);
    EXPECT_EQ(t->UvRects[0], Rect(0.25f, 0.25f, 0.25f, 0.25f));
    EXPECT_EQ(t->TrimRects[0], Rect(0, 0, 1, 1)); // untrimmed
}

TEST_F(TextureBankTest, TrimRectanglePlacesThePackedImageInsideItsFrame) {
    content.WriteImage("Textures/Main/T.sheet", 64, 64);
    content.Write(
        "Textures/Main/T.xml",
        Atlas("T",
              "<sprite n=\"S\" x=\"0\" y=\"0\" w=\"32\" h=\"16\" oX=\"8\" oY=\"0\" oW=\"48\" oH=\"32\"/>\n"));
    manager.LoadTextureBank("Main");
    const Rect trim = manager.FindTexture("T")->TrimRects[0];
    EXPECT_NEAR(trim.x, 0.1667f, 1e-4f);
    EXPECT_EQ(trim.y, 0.0f);
    EXPECT_NEAR(trim.width, 0.6667f, 1e-4f);
    EXPECT_EQ(trim.height, 0.5f);
}

TEST_F(TextureBankTest, RepeatedSpriteNamesIndexTheLastButKeepBothEntries) {
    content.Write("Textures/Main/T.xml", Atlas("T.png", "<sprite n=\"A\" x=\"0\" y=\"0\" w=\"1\" h=\"1\"/>"
                                                        "<other n=\"skip\"/>"
                                                        "<sprite n=\"A\" x=\"1\" y=\"0\" w=\"1\" h=\"1\"/>"));
    manager.LoadTextureBank("Main");
    const Texture* t = manager.FindTexture("T");
    ASSERT_EQ(t->SpriteCount(), 2);
    EXPECT_EQ(t->SpriteIndex.at("A"), 1);
}

TEST_F(TextureBankTest, AnOptionalAttributeThatIsNotAnIntegerTakesItsDefault) {
    content.Write("Textures/Main/T.xml",
                  Atlas("T.png", "<sprite n=\"A\" x=\"0\" y=\"0\" w=\"4\" h=\"2\" oX=\"x\" oW=\"1.5\"/>"));
    manager.LoadTextureBank("Main");
    EXPECT_EQ(manager.FindTexture("T")->TrimRects[0], Rect(0, 0, 1, 1));
}

TEST_F(TextureBankTest, AMissingImageLeavesTheTextureWithoutImageAndSizeZero) {
    content.Write("Textures/Main/T.xml", Atlas("T.png", "<sprite n=\"A\" x=\"0\" y=\"0\" w=\"4\" h=\"2\"/>"));
    testing::internal::CaptureStderr();
    manager.LoadTextureBank("Main");
    const std::string warning = testing::internal::GetCapturedStderr();
    const Texture* t = manager.FindTexture("T");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Image, nullptr);
    EXPECT_EQ(t->PixelWidth, 0.0f);
    EXPECT_FALSE(std::isfinite(t->UvRects[0].width));
    EXPECT_NE(warning.find("T.sheet"), std::string::npos);
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);
}

TEST_F(TextureBankTest, AReloadRefillsTheSameTextureAndKeepsItWhenTheNewAtlasCannotBeRead) {
    content.WriteImage("Textures/Main/T.sheet", 4, 2);
    content.Write("Textures/Main/T.xml", Atlas("T.png", "<sprite n=\"A\" x=\"0\" y=\"0\" w=\"4\" h=\"2\"/>"));
    manager.LoadTextureBank("Main");
    Texture* texture = manager.FindTexture("T");
    ASSERT_NE(texture, nullptr);

    content.WriteImage("Textures/Main/T.sheet", 8, 8);
    content.Write("Textures/Main/T.xml", Atlas("T.png", "<sprite n=\"B\" x=\"0\" y=\"0\" w=\"8\" h=\"8\"/>"));
    EXPECT_TRUE(manager.ReloadTexture(*texture, nullptr));
    EXPECT_EQ(manager.FindTexture("T"), texture);
    EXPECT_EQ(texture->PixelWidth, 8.0f);
    EXPECT_EQ(texture->SpriteNames, std::vector<std::string>{"B"});

    // Neither an unreadable image nor an unusable descriptor takes away the atlas that draws.
    content.Write("Textures/Main/T.sheet", "not an image");
    content.Write("Textures/Main/T.xml", Atlas("T.png", "<sprite n=\"C\" x=\"0\" y=\"0\" w=\"8\" h=\"8\"/>"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(manager.ReloadTexture(*texture, nullptr));
    testing::internal::GetCapturedStderr();
    content.WriteImage("Textures/Main/T.sheet", 8, 8);
    content.Write("Textures/Main/T.xml", "<TextureAtlas imagePath=");
    EXPECT_THROW(manager.ReloadTexture(*texture, nullptr), ContentError);
    EXPECT_NE(texture->Image, nullptr);
    EXPECT_EQ(texture->PixelWidth, 8.0f);
    EXPECT_EQ(texture->SpriteNames, std::vector<std::string>{"B"});
    EXPECT_EQ(texture->UvRects.size(), 1u);
}

TEST_F(TextureBankTest, TextureReferencesResolveByNameThroughTheManager) {
    content.Write("Textures/Main/Game.xml", Atlas("Game.png", ""));
    manager.LoadTextureBank("Main");
    const TextureLookup* lookup = Service<TextureLookup>::TryGet();
    ASSERT_TRUE(lookup);
    EXPECT_EQ(lookup->FindTexture("Game"), manager.FindTexture("Game"));
    EXPECT_EQ(lookup->TextureName(*manager.FindTexture("Game")), "Game");
}

// Descriptors start-up cannot use end it with one message naming the file.
struct BadAtlas {
    const char* name;
    std::string text;
    const char* problem;
};

class BadAtlasTest : public TextureBankTest, public ::testing::WithParamInterface<BadAtlas> {};

TEST_P(BadAtlasTest, IsAContentErrorNamingTheFile) {
    const auto path = content.Write("Textures/Main/Bad.xml", GetParam().text);
    try {
        manager.LoadTextureBank("Main");
        FAIL() << "loaded";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.File(), path.string());
        EXPECT_NE(e.Problem().find(GetParam().problem), std::string::npos) << e.Problem();
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, BadAtlasTest,
    ::testing::Values(
        BadAtlas{"NotXml", "{ \"TextureAtlas\": 1 }", "XML"},
        BadAtlas{"Unclosed", "<TextureAtlas imagePath=\"a.png\">", "XML"},
        BadAtlas{"NoImagePath", "<TextureAtlas></TextureAtlas>", "imagePath"},
        BadAtlas{"SpriteWithoutX", Atlas("a.png", "<sprite n=\"A\" y=\"0\" w=\"1\" h=\"1\"/>"), "x"},
        BadAtlas{"SpriteWithoutName", Atlas("a.png", "<sprite x=\"0\" y=\"0\" w=\"1\" h=\"1\"/>"), "n"},
        BadAtlas{"NonIntegerWidth", Atlas("a.png", "<sprite n=\"A\" x=\"0\" y=\"0\" w=\"1.5\" h=\"1\"/>"),
                 "1.5"},
        BadAtlas{"SpriteWithoutAttributes", Atlas("a.png", "<sprite/>"), "\"n\""},
        BadAtlas{"FrameWithoutArea",
                 Atlas("a.png", "<sprite n=\"Two&#10;Lines\" x=\"0\" y=\"0\" w=\"0\" h=\"0\"/>"),
                 "\"Two\\nLines\" has a frame of 0 x 0"},
        BadAtlas{"NestedTooDeep", Atlas("a.png", Repeat("<a>", 20000) + Repeat("</a>", 20000)),
                 "nested deeper"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextureBankTest, AMissingBankFolderIsAContentError) {
    EXPECT_THROW(manager.LoadTextureBank("Nowhere"), ContentError);
    EXPECT_EQ(manager.Banks.count("Nowhere"), 0u);
}

TEST_F(TextureBankTest, AnEntryWhoseTypeCannotBeReadIsAContentErrorNamingIt) {
    content.Write("Textures/Main/A.xml", Atlas("A.png", ""));
    const auto loop = content.Root / "Textures/Main/Loop.xml";
    std::filesystem::create_symlink(loop, loop);
    try {
        manager.LoadTextureBank("Main");
        FAIL() << "loaded";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.File(), loop.string());
        EXPECT_NE(e.Problem().find("symbolic links"), std::string::npos) << e.Problem();
    }
    EXPECT_EQ(manager.Banks.count("Main"), 0u);
}

// Real atlases written by a packing tool, with their images renamed to the sheet name.
TEST_F(TextureBankTest, ReadsAPackerAtlasWithRotationFlagsAndPivotComments) {
    content.CopyTestData("atlas/litiengine-gurk-nukem/gurk-nukem-atlas.xml", "Textures/Main/gurk.xml");
    content.CopyTestData("atlas/litiengine-gurk-nukem/gurk-nukem-atlas.png",
                         "Textures/Main/gurk-nukem-atlas.sheet");
    manager.LoadTextureBank("Main");
    const Texture* t = manager.FindTexture("gurk");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->PixelWidth, 123.0f);
    EXPECT_EQ(t->PixelHeight, 122.0f);
    ASSERT_GE(t->SpriteCount(), 5);
    EXPECT_EQ(t->SpriteNames[0], "Dean-idle-left.png");
    EXPECT_EQ(t->UvRects[0], Rect(105.0f / 123, 0, 18.0f / 123, 32.0f / 122));
    EXPECT_EQ(t->SpriteIndex.at("icon.png"), 4);
}

TEST_F(TextureBankTest, ReadsATrimmedPolygonAtlasWithChildElementsAndCrlf) {
    content.CopyTestData("atlas/darmok-warrior/warrior-0.xml", "Textures/Main/warrior.xml");
    content.CopyTestData("atlas/darmok-warrior/warrior-0.png", "Textures/Main/warrior-0.sheet");
    manager.LoadTextureBank("Main");
    const Texture* t = manager.FindTexture("warrior");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->PixelWidth, 1056.0f);
    ASSERT_EQ(t->SpriteCount(), 139);
    EXPECT_EQ(t->SpriteNames[0], "Attack/Warrior_Attack_1.png");
    // x=397 y=96 w=44 h=29 oX=11 oY=0 oW=64 oH=44
    EXPECT_EQ(t->UvRects[0], Rect(397.0f / 1056, 96.0f / 125, 44.0f / 1056, 29.0f / 125));
    EXPECT_EQ(t->TrimRects[0], Rect(11.0f / 64, 0.0f, 44.0f / 64, 29.0f / 44));
}

TEST_F(TextureBankTest, AnAtlasOfAnotherDialectHasNoSprites) {
    content.CopyTestData("atlas/negative-starling-subtexture/atlas.xml", "Textures/Main/atlas.xml");
    manager.LoadTextureBank("Main");
    EXPECT_EQ(manager.FindTexture("atlas")->SpriteCount(), 0);
}

} // namespace
