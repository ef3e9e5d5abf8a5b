// Hot reload end to end with the real content tool: the monitor on a temporary copy of content/
// as the development content, and the game itself started with its configuration pointing at one.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "GameProcess.h"
#include "SceneFixture.h"
#include "TempContent.h"
#include "assets/ImageDevice.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "assets/TextureManager.h"
#include "editor/DevelopmentContent.h"
#include "editor/EdHotReloadMonitorBhv.h"
#include "platform/ChildProcess.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long a test waits for a reload before it counts as lost. A reload takes a few hundred
// milliseconds (the report line says how long); the wait is generous because a sanitizer build of
// the content tool on a loaded machine is many times slower, and a timed test must not flake.
constexpr auto ReloadWait = 30s;

// Keeps the pixels of every image it makes, as a graphics device holds them.
class PixelKeepingDevice final : public ImageDevice {
public:
    struct Image final : TextureImage {
        Image(int width, int height, const uint8_t* rgba)
            : TextureImage(width, height), Pixels(rgba, rgba + static_cast<size_t>(width) * height * 4) {}
        std::vector<uint8_t> Pixels;
    };
    std::unique_ptr<TextureImage> CreateImage(int width, int height, const uint8_t* rgba) override {
        return std::make_unique<Image>(width, height, rgba);
    }
};

const std::vector<uint8_t>& PixelsOf(const Texture& texture) {
    return static_cast<const PixelKeepingDevice::Image&>(*texture.Image).Pixels;
}

// Sends one of this process's output streams to a file while it lives; what arrived can be read
// at any time.
class OutputCapture {
public:
    explicit OutputCapture(int stream)
        : stream_(stream), path_(fs::temp_directory_path() / ("kelvane-output-" + std::to_string(getpid()))) {
        std::fflush(nullptr);
        saved_ = dup(stream_);
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, stream_);
        close(file);
    }
    ~OutputCapture() {
        std::fflush(nullptr);
        dup2(saved_, stream_);
        close(saved_);
        fs::remove(path_);
    }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    std::string Text() const {
        std::fflush(nullptr);
        return ReadFile(path_);
    }

private:
    int stream_;
    fs::path path_;
    int saved_ = -1;
};

int ThreadCount() {
    return static_cast<int>(
        std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

// A development content folder (a copy of content/ with the content tool beside it, its atlases
// packed) and a game Content folder holding those atlases; the development content is the first.
class HotReloadTest : public SceneFixture {
protected:
    void SetUp() override {
        fs::copy(fs::path(KELVANE_SOURCE_DIR) / "content", DevContent(), fs::copy_options::recursive);
        fs::copy_file(fs::path(KELVANE_SOURCE_DIR) / "assetwright", folder.Root / "assetwright");
        // The repository's tool script runs the content tool of this build.
        setenv("KELVANE_ASSETWRIGHT", KELVANE_BIN_DIR "/assetwright", 1);
        const ChildProcessResult packed =
            RunChildProcess((folder.Root / "assetwright").string(), {}, folder.Str());
        ASSERT_TRUE(packed.Succeeded()) << packed.Output;
        fs::create_directories(GameContent() / "Textures/Main");
        for (const char* file : {"Game.xml", "Game.sheet", "Editor.xml", "Editor.sheet"}) {
            fs::copy_file(DevContent() / "Textures/Main" / file, GameContent() / "Textures/Main" / file);
        }
        development.Folder = DevContent();
        textures.LoadTextureBank("Main");
        game = textures.FindTexture("Game");
        ASSERT_NE(game, nullptr);
        // Later saves must be newer than the packed atlases by the file clock.
        std::this_thread::sleep_for(20ms);
    }

    // The monitor's watcher threads end while the folders they watch still exist.
    void TearDown() override { ClearTree(); }

    fs::path DevContent() const { return folder.Root / "content"; }
    fs::path GameContent() const { return folder.Root / "Content"; }

    // Builds the monitor's object as a prefab does (Start, then into the tree).
    EdHotReloadMonitorBhv* StartMonitor() {
        auto* object = new GameObject;
        auto* monitor = new EdHotReloadMonitorBhv;
        object->AddComponent(monitor);
        monitor->Start();
        root.AppendChild(object);
        return monitor;
    }

    // Runs frames until done() holds or the limit passes; returns the time taken.
    template <class Done> Clock::duration RunFramesUntil(Done done, Clock::duration limit) {
        const auto start = Clock::now();
        while (Clock::now() - start < limit) {
            RunFrame();
            if (done()) {
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        return Clock::now() - start;
    }

    TempContent folder;
    PixelKeepingDevice device;
    Service<ImageDevice>::Scoped deviceScope{device};
    DevelopmentContent development;
    Service<DevelopmentContent>::Scoped developmentScope{development};
    TextureManager textures{(folder.Root / "Content").string()};
    Service<TextureLookup>::Scoped texturesLookup{textures};
    Service<TextureManager>::Scoped texturesScope{textures};
    Texture* game = nullptr;
};

TEST_F(HotReloadTest, ASavedSpriteIsRebuiltCopiedAndReloaded) {
    EdHotReloadMonitorBhv* monitor = StartMonitor();
    EXPECT_EQ(monitor->WatchedFolderCount(), 2u); // Main/Editor and Main/Game
    const std::vector<uint8_t> before = PixelsOf(*game);
    const int sprites = game->SpriteCount();
    const fs::path source = DevContent() / "Textures/Main/Game/Basalt.png";
    const DecodedImage old = DecodeImageFile(source.string());
    ASSERT_FALSE(old.Empty());

    Clock::duration took;
    std::string report;
    {
        OutputCapture out(STDOUT_FILENO);
        folder.WriteImage("content/Textures/Main/Game/Basalt.png", old.Width, old.Height, 0xff00ffffu);
        took = RunFramesUntil([&] { return PixelsOf(*game) != before; }, ReloadWait);
        report = out.Text();
    }
    EXPECT_LT(took, ReloadWait) << report;
    RecordProperty("ReloadMilliseconds",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));

    // The sprite now shows the saved image.
    const Rect uv = game->UvRects[game->SpriteIndex.at("Basalt")];
    const int x = static_cast<int>((uv.x + uv.width / 2) * game->PixelWidth);
    const int y = static_cast<int>((uv.y + uv.height / 2) * game->PixelHeight);
    const uint8_t* centre = &PixelsOf(*game)[(static_cast<size_t>(y) * game->Image->Width + x) * 4];
    EXPECT_EQ(std::vector<int>(centre, centre + 4), (std::vector<int>{255, 0, 255, 255}));
    EXPECT_EQ(game->SpriteCount(), sprites);
    EXPECT_EQ(
        report.rfind("kelvane: reloaded texture \"Game\" (" + std::to_string(sprites) + " sprites) in ", 0),
        0u)
        << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
}

// An installed game's Content is read-only: the rebuilt atlas goes to the player's overlay, the
// texture is reloaded from there, and the shipped atlas stays as it was.
TEST_F(HotReloadTest, WithAnOverlayTheRebuiltAtlasLandsThereAndTheShippedOneStays) {
    const fs::path overlay = folder.Root / "overlay";
    textures.SetOverlayRoot(overlay.string());
    const std::string shippedBefore = ReadFile(GameContent() / "Textures/Main/Game.sheet");
    StartMonitor();
    const std::vector<uint8_t> before = PixelsOf(*game);
    const DecodedImage old = DecodeImageFile((DevContent() / "Textures/Main/Game/Basalt.png").string());
    std::string report;
    {
        OutputCapture out(STDOUT_FILENO);
        folder.WriteImage("content/Textures/Main/Game/Basalt.png", old.Width, old.Height, 0xff00ffffu);
        RunFramesUntil([&] { return PixelsOf(*game) != before; }, ReloadWait);
        report = out.Text();
    }
    EXPECT_NE(PixelsOf(*game), before) << report;
    EXPECT_TRUE(fs::exists(overlay / "Textures/Main/Game.xml")) << report;
    EXPECT_TRUE(fs::exists(overlay / "Textures/Main/Game.sheet")) << report;
    EXPECT_EQ(ReadFile(GameContent() / "Textures/Main/Game.sheet"), shippedBefore);
}

TEST_F(HotReloadTest, ASpriteThatCannotBeDecodedKeepsTheLastGoodTextureAndNamesTheFile) {
    StartMonitor();
    const std::vector<uint8_t> before = PixelsOf(*game);
    const int sprites = game->SpriteCount();

    std::string text;
    {
        OutputCapture errors(STDERR_FILENO);
        folder.Write("content/Textures/Main/Game/Basalt.png", "not a png");
        RunFramesUntil([&] { return errors.Text().find('\n') != std::string::npos; }, ReloadWait);
        RunFrames(10); // nothing more follows
        text = errors.Text();
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("kelvane: hot reload of texture \"Game\" failed: ", 0), 0u) << text;
    EXPECT_NE(text.find("Basalt.png"), std::string::npos) << text;
    EXPECT_NE(text.find("keeping the last good texture"), std::string::npos) << text;
    EXPECT_EQ(PixelsOf(*game), before);
    EXPECT_EQ(game->SpriteCount(), sprites);
}

TEST_F(HotReloadTest, WithoutAUsableDevelopmentContentPathTheMonitorLeavesAndStartsNoThread) {
    for (const std::string& path : {std::string(), (folder.Root / "nowhere").string()}) {
        development.Folder = path;
        const int threads = ThreadCount();
        StartMonitor();
        EXPECT_EQ(ThreadCount(), threads) << path;
        RunFrame();
        EXPECT_TRUE(root.Children.empty()) << path;
    }
}

TEST(HotReloadGameTest, WithoutTheContentToolTheGameSaysSoOnceAndRunsOn) {
    ContentCopy game;
    TempContent development;
    development.WriteImage("content/Textures/Main/Game/Dot.png", 1, 1);
    const fs::path contentPath = development.Root / "content";
    game.Write("Content/Config/GameConfig.json",
               "{\"DevelopmentContentPath\": \"" + contentPath.string() + "\"}");

    const GameRun run = RunGameIn(game.Folder(), {"--headless", "--frames", "3"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_EQ(run.Stderr, "kelvane: hot reload is off: no content tool at " +
                              fs::weakly_canonical(development.Root / "assetwright").string() + "\n");
}

} // namespace
