#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <regex>

#include <sys/stat.h>
#include <unistd.h>

#include "AudioTestFiles.h"
#include "GameProcess.h"
#include "ThirdPartyData.h"
#include "app/SettingsKeeper.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "platform/AudioSystem.h"
#include "platform/Window.h"

namespace {

// Start-up problems with content end the game with one line naming the file, and status 1.
class StartUpErrorTest : public ::testing::Test {
protected:
    void ExpectOneLineError(const std::string& fileMention, const std::string& problemMention) {
        const GameRun run = RunGameIn(content.Folder(), {"--headless", "--frames", "1"});
        EXPECT_EQ(run.ExitCode, 1) << run.Stderr;
        EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
        EXPECT_NE(run.Stderr.find(fileMention), std::string::npos) << run.Stderr;
        EXPECT_NE(run.Stderr.find(problemMention), std::string::npos) << run.Stderr;
    }

    ContentCopy content;
};

TEST_F(StartUpErrorTest, CopiedContentStartsCleanly) {
    const GameRun run = RunGameIn(content.Folder(), {"--headless", "--frames", "1"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
}

TEST_F(StartUpErrorTest, MissingGameplayRootPrefab) {
    content.Remove("Content/Prefabs/GameplayRoot.json");
    ExpectOneLineError("GameplayRoot.json", "missing");
}

TEST_F(StartUpErrorTest, MissingPrefabsOfTheWorldsPools) {
    for (const char* name : {"TileSprite", "ThingGridCell", "SceneryCollisionBlock"}) {
        ContentCopy copy;
        copy.Remove(std::string("Content/Prefabs/") + name + ".json");
        const GameRun run = RunGameIn(copy.Folder(), {"--headless", "--frames", "1"});
        EXPECT_EQ(run.ExitCode, 1) << run.Stderr;
        EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
        EXPECT_NE(run.Stderr.find(std::string(name) + ".json"), std::string::npos) << run.Stderr;
    }
}

TEST_F(StartUpErrorTest, PrefabThatIsNotJsonNamesTheLine) {
    content.Write("Content/Prefabs/Broken.json", "{\n  \"Components\": \"\",\n  oops\n}\n");
    ExpectOneLineError("Broken.json", "line 3");
}

TEST_F(StartUpErrorTest, PrefabNamingAnUnregisteredClass) {
    content.Write("Content/Prefabs/Ghost.json",
                  R"({"Components": {"NoSuchComponent": ""}, "AutoCreate": ""})");
    ExpectOneLineError("Ghost.json", "NoSuchComponent");
}

TEST_F(StartUpErrorTest, AutoCreateEntryNamingAMissingPrefab) {
    content.Remove("Content/Prefabs/EdButton.json"); // built by the editor's palettes
    ExpectOneLineError(".json", "names no prefab \"EdButton\"");
}

TEST_F(StartUpErrorTest, AutoCreateEntriesBuildingAPrefabInsideItself) {
    // A palette button that would build every palette again, button included.
    content.Write("Content/Prefabs/EdButton.json",
                  R"({"Components": "", "AutoCreate": [{"Prefab": "EdPalettesRoot"}]})");
    ExpectOneLineError(".json", "prefab creates itself through \"AutoCreate\": ");
}

TEST_F(StartUpErrorTest, UnparsableGameConfig) {
    content.Write("Content/Config/GameConfig.json", "{ \"DevelopmentContentPath\": ");
    ExpectOneLineError("GameConfig.json", "");
}

TEST_F(StartUpErrorTest, MissingKeyMappings) {
    content.Remove("Content/Config/KeyMappings.json");
    ExpectOneLineError("KeyMappings.json", "");
}

// One broken copy of Content per kind of damage a modder can do (or a player, to the files under
// the copy's own "config" home). The real game either refuses it with one line naming the file
// (status 1), or runs with at most one warning, which names the file (status 0); never a signal or
// a sanitizer report.
struct BrokenContent {
    const char* name;
    std::function<void(const ContentCopy&)> damage;
    int exitCode;
    const char* fileMention;
};

std::string ReadCopied(const ContentCopy& content, const std::string& relativePath) {
    std::ifstream in(content.Folder() + "/" + relativePath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Nested(const std::string& open, const std::string& close, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

// GameplayRoot as shipped, with one more AutoCreate entry first.
void AddToGameplayRoot(const ContentCopy& content, const std::string& prefab) {
    const std::string file = "Content/Prefabs/GameplayRoot.json";
    std::string text = ReadCopied(content, file);
    const std::string list = "\"AutoCreate\": [";
    const size_t at = text.find(list);
    ASSERT_NE(at, std::string::npos) << text;
    text.insert(at + list.size(), "{\"Prefab\": \"" + prefab + "\"}, ");
    content.Write(file, text);
}

class BrokenContentTest : public ::testing::TestWithParam<BrokenContent> {};

TEST_P(BrokenContentTest, IsRefusedInOneLineOrRunsWithOneWarning) {
    ContentCopy content;
    GetParam().damage(content);
    const GameRun run = RunGameIn(content.Folder(), {"--headless", "--frames", "30"},
                                  {"XDG_CONFIG_HOME=" + content.Folder() + "/config"});
    const std::string& err = run.Stderr;
    EXPECT_EQ(run.ExitCode, GetParam().exitCode) << err;
    EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
    const auto lines = std::count(err.begin(), err.end(), '\n');
    if (GetParam().exitCode == 1) {
        EXPECT_EQ(lines, 1) << err;
    } else {
        EXPECT_LE(lines, 1) << err;
    }
    if (lines > 0) {
        EXPECT_NE(err.find(GetParam().fileMention), std::string::npos) << err;
        EXPECT_EQ(err.rfind("kelvane: ", 0), 0u) << err;
    }
}

// A PNG header claiming a picture of width x height pixels, and nothing after it.
std::string PngHeader(uint32_t width, uint32_t height) {
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\x0d", 4) + "IHDR";
    for (const uint32_t side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            png += static_cast<char>((side >> shift) & 0xff);
        }
    }
    png += std::string("\x08\x06\0\0\0", 5) + std::string(4, '\0');
    return png;
}

std::string RandomBytes(size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xff);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, BrokenContentTest,
    ::testing::Values(
        BrokenContent{"AtlasSpriteWithoutAttributes",
                      [](const ContentCopy& c) {
                          c.Write("Content/Textures/Main/Game.xml",
                                  R"(<TextureAtlas imagePath="Game.png"><sprite/></TextureAtlas>)");
                      },
                      1, "Game.xml"},
        BrokenContent{"OggClaimingEndlessFrames",
                      [](const ContentCopy& c) {
                          c.Write("Content/Sounds/Main/Endless.ogg",
                                  OggWithoutLength(ThirdPartyData("audio/ogg/error_005.ogg").string()));
                      },
                      0, "Endless.ogg"},
        BrokenContent{"ShapeTextTheMatcherGivesUpOn",
                      [](const ContentCopy& c) {
                          c.Write("Content/Prefabs/Rock.json",
                                  R"({"Components": {"Pos2dComponent": {"IsRelative": "true"},
                                      "B2BodyComponent": {"Type": "0"},
                                      "B2FixtureComponent": {"Shape": "Box 1111111111111111x"}}, "AutoCreate": ""})");
                          AddToGameplayRoot(c, "Rock");
                      },
                      0, "Rock.json"},
        BrokenContent{
            "PrefabNestedTooDeep",
            [](const ContentCopy& c) { c.Write("Content/Prefabs/Deep.json", Nested("[", "]", 30000)); }, 1,
            "Deep.json"},
        BrokenContent{
            "MusicMetadataNestedTooDeep",
            [](const ContentCopy& c) { c.Write("Content/Music/Depths.json", Nested("{\"a\":", "}", 60000)); },
            0, "Depths.json"},
        BrokenContent{"FontNestedTooDeep",
                      [](const ContentCopy& c) {
                          c.Write("Content/Fonts/Main/Deep.fnt", Nested("<font>", "</font>", 20000));
                      },
                      1, "Deep.fnt"},
        BrokenContent{"PrefabCreatingItself",
                      [](const ContentCopy& c) {
                          c.Write("Content/Prefabs/Loop.json",
                                  R"({"Components": "", "AutoCreate": [{"Prefab": "Loop"}]})");
                      },
                      1, "Loop.json"},
        BrokenContent{"AutoCreateOfAMissingPrefab",
                      [](const ContentCopy& c) { AddToGameplayRoot(c, "Nowhere"); }, 1, "GameplayRoot.json"},
        BrokenContent{"SymbolicLinkLoopInABank",
                      [](const ContentCopy& c) {
                          const std::string loop = c.Folder() + "/Content/Textures/Main/Loop.xml";
                          std::filesystem::create_symlink(loop, loop);
                      },
                      1, "Loop.xml"},
        BrokenContent{"ClassNameWithANewline",
                      [](const ContentCopy& c) {
                          c.Write("Content/Prefabs/Odd.json",
                                  "{\"Components\": {\"Two\\nLines\": \"\"}, \"AutoCreate\": \"\"}");
                      },
                      1, "Odd.json"},
        BrokenContent{
            "KeyMappingsThatAreAnArray",
            [](const ContentCopy& c) { c.Write("Content/Config/KeyMappings.json", R"([{"MoveUp": "W"}])"); },
            1, "KeyMappings.json"},
        BrokenContent{"PlayerKeymapNamingNoKey",
                      [](const ContentCopy& c) {
                          c.Write("config/Kelvane/keymap.json", R"({"MenuCancel": ["Escape"]})");
                      },
                      0, "keymap.json"},
        BrokenContent{
            "PlayerKeymapCutShort",
            [](const ContentCopy& c) { c.Write("config/Kelvane/keymap.json", "{\"MoveDown\": [\"K\""); }, 0,
            "keymap.json"},
        BrokenContent{"FontPageWidthZero",
                      [](const ContentCopy& c) {
                          const std::string font = "Content/Fonts/Main/Small.fnt";
                          c.Write(font, std::regex_replace(ReadCopied(c, font),
                                                           std::regex("scaleW=\"[0-9]+\""), "scaleW=\"0\""));
                      },
                      1, "Small.fnt"},
        BrokenContent{"TileIndexPastEveryTileCode",
                      [](const ContentCopy& c) {
                          const std::string tile = "Content/Prefabs/Tile_Basalt.json";
                          c.Write(tile,
                                  std::regex_replace(ReadCopied(c, tile), std::regex("\"TileIndex\": \"12\""),
                                                     "\"TileIndex\": \"2147483647\""));
                      },
                      1, "Tile_Basalt.json"},
        BrokenContent{"CreatureDartingWithoutBound",
                      [](const ContentCopy& c) {
                          const std::string shrimp = "Content/Prefabs/En_Shrimp.json";
                          c.Write(shrimp, std::regex_replace(ReadCopied(c, shrimp),
                                                             std::regex("\"ImpulseMax\": \"[^\"]*\""),
                                                             "\"ImpulseMax\": \"inf\""));
                      },
                      0, "En_Shrimp.json"},
        // Every input bounded: a file over its kind's cap is named, with the cap.
        BrokenContent{"PrefabOverTheSizeCap",
                      [](const ContentCopy& c) {
                          c.Write("Content/Prefabs/Huge.json",
                                  "{\"Components\": \"\", \"AutoCreate\": \"\", \"Pad\": \"" +
                                      std::string(2 << 20, 'x') + "\"}");
                      },
                      1, "Huge.json: too large: a file of 2097199 bytes, over the 1048576 allowed"},
        BrokenContent{
            "SheetOverTheSideCap",
            [](const ContentCopy& c) {
                c.Write("Content/Textures/Main/Game.sheet", PngHeader(16384, 16384));
            },
            1, "Game.sheet: too large: an image of 16384 x 16384 pixels, over the 4096 x 4096 allowed"},
        BrokenContent{"SoundOverTheSizeCap",
                      [](const ContentCopy& c) {
                          c.Write("Content/Sounds/Main/Huge.wav", "RIFF" + std::string(17 << 20, '\0'));
                      },
                      0, "Huge.wav"},
        BrokenContent{"PrefabOfRandomBytes",
                      [](const ContentCopy& c) { c.Write("Content/Prefabs/Noise.json", RandomBytes(4096)); },
                      1, "Noise.json: not JSON"},
        BrokenContent{"KeyMappingsNamingAnUnknownAction",
                      [](const ContentCopy& c) {
                          const std::string file = "Content/Config/KeyMappings.json";
                          c.Write(file, std::regex_replace(ReadCopied(c, file), std::regex("\\{"),
                                                           "{\"Fly\": \"W\","));
                      },
                      0, "KeyMappings.json: unknown action \"Fly\" skipped"},
        BrokenContent{
            "UndecodableSound",
            [](const ContentCopy& c) { c.Write("Content/Sounds/Main/Noise.wav", "RIFF but not really"); }, 0,
            "Noise.wav"}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever a player leaves in the overlay of a read-only Content (a folder, a named pipe, a link to
// /dev/zero or to itself, a file they cannot read) in Config/, Prefabs/ or Textures/ gets one warning
// naming it, and the shipped file stands: the game starts and plays.
TEST(OverlayTest, EveryFaultyOverlayEntryIsNamedOnceAndTheShippedFileStands) {
    namespace fs = std::filesystem;
    ContentCopy content;
    const fs::path shipped = fs::path(content.Folder()) / "Content";
    const fs::path overlay = fs::path(content.Folder()) / "data" / "Kelvane" / "Content";
    for (const char* folder : {"Config", "Prefabs", "Textures/Main"}) {
        fs::create_directories(overlay / folder);
    }
    std::vector<fs::path> faulty;
    const auto add = [&](const fs::path& relative) {
        faulty.push_back(overlay / relative);
        return overlay / relative;
    };
    fs::create_directory(add("Prefabs/GameplayRoot.json"));
    ASSERT_EQ(mkfifo(add("Prefabs/Pipe.json").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", add("Prefabs/Zero.json"));
    fs::create_symlink(overlay / "Prefabs/Self.json", add("Prefabs/Self.json"));
    fs::create_directory(add("Textures/Main/Game.xml"));
    ASSERT_EQ(mkfifo(add("Textures/Main/Pipe.xml").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", add("Textures/Main/Zero.xml"));
    fs::create_symlink(overlay / "Config/KeyMappings.json", add("Config/KeyMappings.json"));
    if (geteuid() != 0) { // the superuser reads whatever the permissions say
        std::ofstream(add("Prefabs/Secret.json")) << "{}";
        fs::permissions(overlay / "Prefabs/Secret.json", fs::perms::none);
    }
    // Read-only: the game reads the player's overlay over it.
    fs::permissions(shipped, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const GameRun run = RunGameIn(
        content.Folder(), {"--headless", "--frames", "30"},
        {"XDG_DATA_HOME=" + content.Folder() + "/data", "XDG_CONFIG_HOME=" + content.Folder() + "/config"});
    fs::permissions(shipped, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), static_cast<long>(faulty.size()))
        << run.Stderr;
    for (const fs::path& entry : faulty) {
        const size_t at = run.Stderr.find("kelvane: " + entry.string() + ": ");
        ASSERT_NE(at, std::string::npos) << entry << "\n" << run.Stderr;
        const std::string line = run.Stderr.substr(at, run.Stderr.find('\n', at) - at);
        EXPECT_TRUE(line.ends_with("; the shipped file stands")) << line;
    }
}

// A folder in place of the player's settings file is said once, as the game starts; the write that
// then fails for the same reason adds no second line.
TEST(SettingsFileTest, AFolderInPlaceOfTheSettingsIsSaidOnce) {
    namespace fs = std::filesystem;
    const fs::path settings = fs::path(KELVANE_BIN_DIR) / ".." / "test-settings-folder" / "settings.json";
    fs::remove_all(settings.parent_path());
    fs::create_directories(settings);
    const auto window = Window::CreateHeadless(1280, 720);
    AudioSystem audio(AudioSystem::Device::Silent);
    const MusicManager catalogue(KELVANE_BIN_DIR "/Content/Music");
    MusicPlayer music(audio, catalogue);
    testing::internal::CaptureStderr();
    {
        SettingsKeeper keeper(settings, *window, audio, music, SettingsKeeper::Run::Player);
        for (int frame = 0; frame < 2 * SettingsKeeper::SettleFrames; ++frame) {
            keeper.Frame();
        }
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("settings.json: a folder, not a file"), std::string::npos) << err;
    fs::remove_all(settings.parent_path());
}

TEST(ScriptErrorTest, MalformedScriptLineIsReportedWithItsLineAndStatusTwo) {
    ContentCopy content;
    content.Write("bad.script", "# two good lines, then a bad one\n1 key down W\n2 key up W\n3 jump\n");
    const GameRun run =
        RunGameIn(content.Folder(), {"--headless", "--frames", "5", "--script", "bad.script"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Stderr.find("bad.script:4"), std::string::npos) << run.Stderr;
}

} // namespace
