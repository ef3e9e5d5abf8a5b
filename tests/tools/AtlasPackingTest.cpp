// Packing sprite folders into atlases: every sprite's pixels survive the trip through the sheet and
// the descriptor, the output is byte-for-byte repeatable, and bad input never clobbers a good atlas.
#include "AtlasPacker.h"
#include "ContentRebuilder.h"
#include "Image.h"
#include "TestFolder.h"
#include "ToolError.h"

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {

// Reads a descriptor the way the game does: "TextureAtlas.<xmlattr>.imagePath", only "sprite"
// children, optional oX/oY/oW/oH defaulting to 0, 0, w, h.
struct LoadedAtlas {
    std::string imagePath;
    std::vector<PackedSprite> sprites;
};

LoadedAtlas readDescriptor(const fs::path& path) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_xml(path.string(), tree);
    LoadedAtlas atlas;
    atlas.imagePath = tree.get<std::string>("TextureAtlas.<xmlattr>.imagePath");
    for (const auto& [key, node] : tree.get_child("TextureAtlas")) {
        if (key != "sprite") {
            continue;
        }
        PackedSprite s;
        s.name = node.get<std::string>("<xmlattr>.n");
        s.x = node.get<int>("<xmlattr>.x");
        s.y = node.get<int>("<xmlattr>.y");
        s.w = node.get<int>("<xmlattr>.w");
        s.h = node.get<int>("<xmlattr>.h");
        s.oX = node.get<int>("<xmlattr>.oX", 0);
        s.oY = node.get<int>("<xmlattr>.oY", 0);
        s.oW = node.get<int>("<xmlattr>.oW", s.w);
        s.oH = node.get<int>("<xmlattr>.oH", s.h);
        atlas.sprites.push_back(s);
    }
    return atlas;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool isPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// A sprite with a transparent margin and a different colour in every pixel, so a misplaced or
// flipped copy cannot pass.
Image patterned(int w, int h, int left, int top, int right, int bottom, std::uint8_t seed) {
    Image image(w, h);
    for (int y = top; y < h - bottom; ++y) {
        for (int x = left; x < w - right; ++x) {
            std::uint8_t* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(x * 7 + seed);
            p[1] = static_cast<std::uint8_t>(y * 13 + seed);
            p[2] = static_cast<std::uint8_t>(seed * 3 + x + y);
            p[3] = static_cast<std::uint8_t>(128 + (x + y) % 128);
        }
    }
    return image;
}

// Checks every pixel of every source against the sheet through the descriptor, the transparent
// pixels outside the trimmed box, and the extruded ring around each packed rectangle.
void expectRoundTrip(const std::map<std::string, Image>& sources, const fs::path& descriptor) {
    LoadedAtlas atlas = readDescriptor(descriptor);
    fs::path sheetPath = descriptor.parent_path() / atlas.imagePath;
    ASSERT_TRUE(fs::exists(sheetPath)) << sheetPath;
    Image sheet = loadPng(sheetPath);
    EXPECT_TRUE(isPowerOfTwo(sheet.width) && isPowerOfTwo(sheet.height))
        << sheet.width << "x" << sheet.height;
    ASSERT_EQ(atlas.sprites.size(), sources.size());
    for (const PackedSprite& s : atlas.sprites) {
        SCOPED_TRACE(s.name);
        const Image& src = sources.at(s.name);
        ASSERT_EQ(s.oW, src.width);
        ASSERT_EQ(s.oH, src.height);
        ASSERT_GE(s.x, 1);
        ASSERT_GE(s.y, 1);
        ASSERT_LE(s.x + s.w + 1, sheet.width);
        ASSERT_LE(s.y + s.h + 1, sheet.height);
        for (int y = 0; y < src.height; ++y) {
            for (int x = 0; x < src.width; ++x) {
                const std::uint8_t* expected = src.at(x, y);
                bool inside = x >= s.oX && x < s.oX + s.w && y >= s.oY && y < s.oY + s.h;
                if (!inside) {
                    ASSERT_EQ(expected[3], 0) << "trimmed away an opaque pixel at " << x << "," << y;
                    continue;
                }
                const std::uint8_t* packed = sheet.at(s.x + x - s.oX, s.y + y - s.oY);
                ASSERT_EQ(0, std::memcmp(expected, packed, 4)) << "pixel " << x << "," << y;
            }
        }
        for (int dy = -1; dy <= s.h; ++dy) {
            for (int dx = -1; dx <= s.w; ++dx) {
                if (dx >= 0 && dy >= 0 && dx < s.w && dy < s.h) {
                    continue;
                }
                const std::uint8_t* ring = sheet.at(s.x + dx, s.y + dy);
                const std::uint8_t* edge =
                    sheet.at(s.x + std::clamp(dx, 0, s.w - 1), s.y + std::clamp(dy, 0, s.h - 1));
                ASSERT_EQ(0, std::memcmp(ring, edge, 4)) << "ring pixel " << dx << "," << dy;
            }
        }
    }
}

class AtlasFolder : public ::testing::Test {
protected:
    void addSprite(const std::string& name, const Image& image) {
        fs::create_directories(temp / "Game");
        savePng(image, temp / "Game" / (name + ".png"));
        sources[name] = image;
    }
    void addTypicalSprites() {
        addSprite("Opaque", patterned(16, 16, 0, 0, 0, 0, 1));
        addSprite("Margins", patterned(32, 24, 5, 3, 2, 7, 2));
        addSprite("OnePixel", patterned(1, 1, 0, 0, 0, 0, 3));
        addSprite("LoneDot", patterned(20, 20, 11, 4, 8, 15, 4));
        addSprite("Invisible", Image(12, 9));
        addSprite("Wide", patterned(100, 6, 0, 1, 0, 0, 5));
    }
    TestFolder temp;
    std::map<std::string, Image> sources;
};

} // namespace

TEST_F(AtlasFolder, EverySpriteReadsBackFromTheSheetThroughItsDescriptor) {
    addTypicalSprites();
    writeAtlas(packAtlasFolder(temp / "Game"), temp / "Game.xml");
    expectRoundTrip(sources, temp / "Game.xml");
}

TEST_F(AtlasFolder, TrimmingRecordsTheBoxInsideTheFullFrame) {
    addTypicalSprites();
    PackedAtlas atlas = packAtlasFolder(temp / "Game");
    std::map<std::string, PackedSprite> byName;
    for (const PackedSprite& s : atlas.sprites) {
        byName[s.name] = s;
    }
    const PackedSprite& m = byName.at("Margins");
    EXPECT_EQ((std::vector<int>{m.oX, m.oY, m.w, m.h, m.oW, m.oH}), (std::vector<int>{5, 3, 25, 14, 32, 24}));
    const PackedSprite& dot = byName.at("LoneDot");
    EXPECT_EQ((std::vector<int>{dot.oX, dot.oY, dot.w, dot.h}), (std::vector<int>{11, 4, 1, 1}));
    // A fully transparent sprite still exists, as one clear pixel of its frame.
    const PackedSprite& clear = byName.at("Invisible");
    EXPECT_EQ((std::vector<int>{clear.w, clear.h, clear.oW, clear.oH}), (std::vector<int>{1, 1, 12, 9}));
}

TEST_F(AtlasFolder, DescriptorListsSpritesByNameAndNamesTheSheet) {
    addTypicalSprites();
    writeAtlas(packAtlasFolder(temp / "Game"), temp / "Game.xml");
    LoadedAtlas atlas = readDescriptor(temp / "Game.xml");
    EXPECT_EQ(atlas.imagePath, "Game.sheet");
    std::vector<std::string> names;
    for (const PackedSprite& s : atlas.sprites) {
        names.push_back(s.name);
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(AtlasFolder, PackedRectanglesWithTheirRingsNeverOverlap) {
    for (int i = 0; i < 60; ++i) {
        addSprite("S" + std::to_string(i),
                  patterned(3 + i % 17, 2 + (i * 7) % 23, 0, 0, 0, 0, static_cast<std::uint8_t>(i)));
    }
    PackedAtlas atlas = packAtlasFolder(temp / "Game");
    for (std::size_t a = 0; a < atlas.sprites.size(); ++a) {
        for (std::size_t b = a + 1; b < atlas.sprites.size(); ++b) {
            const PackedSprite& p = atlas.sprites[a];
            const PackedSprite& q = atlas.sprites[b];
            bool apart = p.x + p.w + 1 <= q.x - 1 || q.x + q.w + 1 <= p.x - 1 || p.y + p.h + 1 <= q.y - 1 ||
                         q.y + q.h + 1 <= p.y - 1;
            ASSERT_TRUE(apart) << p.name << " and " << q.name;
        }
    }
}

TEST_F(AtlasFolder, PackingTwiceGivesIdenticalBytes) {
    addTypicalSprites();
    writeAtlas(packAtlasFolder(temp / "Game"), temp / "First.xml");
    writeAtlas(packAtlasFolder(temp / "Game"), temp / "Second.xml");
    EXPECT_EQ(readBytes(temp / "First.sheet"), readBytes(temp / "Second.sheet"));
    // Only the sheet's own name differs between the two descriptors.
    std::string first = readBytes(temp / "First.xml");
    std::string second = readBytes(temp / "Second.xml");
    first.replace(first.find("First.sheet"), 11, "Second.sheet");
    EXPECT_EQ(first, second);
}

TEST_F(AtlasFolder, InputOrderDoesNotChangeTheOutput) {
    addTypicalSprites();
    std::vector<std::pair<std::string, Image>> forward(sources.begin(), sources.end());
    std::vector<std::pair<std::string, Image>> backward(sources.rbegin(), sources.rend());
    PackedAtlas a = packAtlas(forward);
    PackedAtlas b = packAtlas(backward);
    EXPECT_EQ(encodePng(a.sheet), encodePng(b.sheet));
    EXPECT_EQ(atlasDescriptor(a, "X.sheet"), atlasDescriptor(b, "X.sheet"));
}

TEST_F(AtlasFolder, NamesNeedingEscapesSurviveTheXml) {
    addSprite("Rock & \"Roll\" <1>", patterned(4, 4, 0, 0, 0, 0, 9));
    writeAtlas(packAtlasFolder(temp / "Game"), temp / "Game.xml");
    expectRoundTrip(sources, temp / "Game.xml");
}

TEST_F(AtlasFolder, OtherFilesAndSubfoldersAreIgnored) {
    addSprite("Only", patterned(4, 4, 0, 0, 0, 0, 9));
    std::ofstream(temp / "Game" / "notes.txt") << "not a sprite";
    fs::create_directories(temp / "Game" / "Old");
    savePng(patterned(4, 4, 0, 0, 0, 0, 1), temp / "Game" / "Old" / "Stale.png");
    EXPECT_EQ(packAtlasFolder(temp / "Game").sprites.size(), 1u);
}

TEST_F(AtlasFolder, UppercaseExtensionCountsAsPng) {
    fs::create_directories(temp / "Game");
    savePng(patterned(4, 4, 0, 0, 0, 0, 9), temp / "Game" / "Shout.PNG");
    PackedAtlas atlas = packAtlasFolder(temp / "Game");
    ASSERT_EQ(atlas.sprites.size(), 1u);
    EXPECT_EQ(atlas.sprites[0].name, "Shout");
}

// Bad input ---------------------------------------------------------------------------------------

TEST_F(AtlasFolder, UnreadableImageIsNamedInTheError) {
    addSprite("Good", patterned(4, 4, 0, 0, 0, 0, 1));
    std::ofstream(temp / "Game" / "Broken.png") << "this is not a png";
    try {
        packAtlasFolder(temp / "Game");
        FAIL() << "expected an error";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find("Broken.png"), std::string::npos) << e.what();
    }
}

TEST_F(AtlasFolder, MissingOrEmptyFolderIsAnError) {
    EXPECT_THROW(packAtlasFolder(temp / "Nowhere"), ToolError);
    fs::create_directories(temp / "Empty");
    EXPECT_THROW(packAtlasFolder(temp / "Empty"), ToolError);
}

TEST_F(AtlasFolder, SpriteLargerThanTheMaximumSheetIsAnError) {
    addSprite("Huge", patterned(70, 10, 0, 0, 0, 0, 1));
    AtlasOptions small;
    small.maxSheetSide = 64;
    try {
        packAtlasFolder(temp / "Game", small);
        FAIL() << "expected an error";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find("Huge"), std::string::npos) << e.what();
    }
}

TEST_F(AtlasFolder, TrimmedSpriteFitsWhereItsFrameWouldNot) {
    addSprite("MostlyAir", patterned(200, 200, 90, 90, 90, 90, 1));
    AtlasOptions small;
    small.maxSheetSide = 64;
    EXPECT_NO_THROW(packAtlasFolder(temp / "Game", small));
}

TEST_F(AtlasFolder, TooManySpritesForOneSheetIsAnError) {
    for (int i = 0; i < 5; ++i) {
        addSprite("Block" + std::to_string(i), patterned(30, 30, 0, 0, 0, 0, 1));
    }
    AtlasOptions small;
    small.maxSheetSide = 64;
    EXPECT_THROW(packAtlasFolder(temp / "Game", small), ToolError);
}

TEST_F(AtlasFolder, FailedRebuildLeavesTheGoodAtlasUntouched) {
    fs::create_directories(temp / "Textures" / "Main" / "Game");
    savePng(patterned(8, 8, 0, 0, 0, 0, 1), temp / "Textures" / "Main" / "Game" / "Good.png");
    rebuildAtlases(temp.Path(), true, std::cout);
    const fs::path xml = temp / "Textures" / "Main" / "Game.xml";
    const fs::path sheet = temp / "Textures" / "Main" / "Game.sheet";
    const std::string goodXml = readBytes(xml);
    const std::string goodSheet = readBytes(sheet);
    std::ofstream(temp / "Textures" / "Main" / "Game" / "Bad.png") << "garbage";
    EXPECT_THROW(rebuildAtlases(temp.Path(), true, std::cout), ToolError);
    EXPECT_EQ(readBytes(xml), goodXml);
    EXPECT_EQ(readBytes(sheet), goodSheet);
    for (const auto& entry : fs::directory_iterator(temp / "Textures" / "Main")) {
        EXPECT_NE(entry.path().extension(), ".tmp") << "left a temporary file behind";
    }
}

// Rebuilding a content tree -------------------------------------------------------------------------

class ContentTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* texture : {"Game", "Editor"}) {
            fs::create_directories(temp / "Textures" / "Main" / texture);
            savePng(patterned(8, 8, 0, 0, 0, 0, 1), temp / "Textures" / "Main" / texture / "A.png");
        }
        savePng(patterned(8, 8, 0, 0, 0, 0, 1), temp / "Textures" / "Main" / "Loose.png");
    }
    TestFolder temp;
};

TEST_F(ContentTree, FindsExactlyTheFoldersTwoLevelsBelowTextures) {
    fs::create_directories(temp / "Textures" / "Main" / "Game" / "Deeper");
    std::vector<AtlasSource> sources = findAtlasSources(temp.Path());
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].descriptor, temp / "Textures" / "Main" / "Editor.xml");
    EXPECT_EQ(sources[1].descriptor, temp / "Textures" / "Main" / "Game.xml");
}

TEST_F(ContentTree, OnlyChangedAtlasesAreRebuilt) {
    EXPECT_EQ(rebuildAtlases(temp.Path(), false, std::cout), 2);
    EXPECT_EQ(rebuildAtlases(temp.Path(), false, std::cout), 0);
    // File times have a coarse grain on some file systems: age the outputs, then edit a sprite.
    const fs::path main = temp / "Textures" / "Main";
    const auto now = fs::file_time_type::clock::now();
    for (const char* output : {"Game.xml", "Game.sheet", "Editor.xml", "Editor.sheet"}) {
        fs::last_write_time(main / output, now - std::chrono::seconds(20));
    }
    fs::last_write_time(main / "Game", now - std::chrono::seconds(30));
    fs::last_write_time(main / "Editor", now - std::chrono::seconds(30));
    fs::last_write_time(main / "Editor" / "A.png", now - std::chrono::seconds(30));
    fs::last_write_time(main / "Game" / "A.png", now - std::chrono::seconds(10));
    EXPECT_EQ(rebuildAtlases(temp.Path(), false, std::cout), 1);
    EXPECT_FALSE(isAtlasStale(findAtlasSources(temp.Path())[1]));
}

TEST_F(ContentTree, MissingSheetMakesAnAtlasStale) {
    rebuildAtlases(temp.Path(), false, std::cout);
    fs::remove(temp / "Textures" / "Main" / "Editor.sheet");
    EXPECT_TRUE(isAtlasStale(findAtlasSources(temp.Path())[0]));
}

TEST_F(ContentTree, RemovedSpriteMakesItsAtlasStale) {
    savePng(patterned(8, 8, 0, 0, 0, 0, 1), temp / "Textures" / "Main" / "Game" / "B.png");
    rebuildAtlases(temp.Path(), false, std::cout);
    fs::remove(temp / "Textures" / "Main" / "Game" / "B.png");
    fs::last_write_time(temp / "Textures" / "Main" / "Game",
                        fs::last_write_time(temp / "Textures" / "Main" / "Game.xml") +
                            std::chrono::seconds(2));
    EXPECT_TRUE(isAtlasStale(findAtlasSources(temp.Path())[1]));
}
