// Real inotify on temporary folders: which folders hot reload watches, what sets a folder's flag,
// and how fast the watcher threads end.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "TempContent.h"
#include "editor/EdHotReloadMonitorBhv.h"
#include "platform/FolderWatcher.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Whether the folder's flag comes up within the time (taking it).
bool FlagWithin(FolderWatcher& watcher, std::size_t index, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (watcher.TakeChanged(index)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

int ThreadCount() {
    return static_cast<int>(
        std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

TEST(FolderWatcherTest, OnlyFoldersTwoLevelsBelowTexturesAreWatchedAndAFileThereSetsTheirFlag) {
    TempContent content;
    content.Write("Textures/A/B/keep.png", "x");
    content.Write("Textures/A/B/C/deeper.png", "x");
    content.Write("Textures/A/beside.png", "x");
    const auto folders = EdHotReloadMonitorBhv::FoldersToWatch(content.Root);
    ASSERT_EQ(folders, std::vector<std::string>{fs::canonical(content.Root / "Textures/A/B").string()});

    FolderWatcher watcher(folders);
    content.Write("Textures/A/beside.png", "changed");
    content.Write("Textures/A/B/C/deeper.png", "changed");
    EXPECT_FALSE(FlagWithin(watcher, 0, std::chrono::milliseconds(300)));

    content.Write("Textures/A/B/new.png", "x");
    EXPECT_TRUE(FlagWithin(watcher, 0, std::chrono::milliseconds(1000)));
    EXPECT_FALSE(watcher.TakeChanged(0)); // taking the flag cleared it
}

TEST(FolderWatcherTest, RemovingAndRenamingCountAndABurstOfSavesRaisesTheFlagOnce) {
    TempContent content;
    content.Write("Sprites/a.png", "x");
    FolderWatcher watcher({(content.Root / "Sprites").string()});

    fs::rename(content.Root / "Sprites/a.png", content.Root / "Sprites/b.png");
    EXPECT_TRUE(FlagWithin(watcher, 0, std::chrono::milliseconds(1000)));
    fs::remove(content.Root / "Sprites/b.png");
    EXPECT_TRUE(FlagWithin(watcher, 0, std::chrono::milliseconds(1000)));

    // Saves in quick succession (one after another with no pause) raise the flag once.
    for (int i = 0; i < 5; ++i) {
        content.Write("Sprites/c.png", std::string(1000 * (i + 1), 'x'));
    }
    EXPECT_TRUE(FlagWithin(watcher, 0, std::chrono::milliseconds(1000)));
    EXPECT_FALSE(FlagWithin(watcher, 0, std::chrono::milliseconds(200)));
}

TEST(FolderWatcherTest, EveryThreadHasEndedWhenTheDestructorReturns) {
    TempContent content;
    std::vector<std::string> folders;
    for (int i = 0; i < 8; ++i) {
        folders.push_back(content.Write("F" + std::to_string(i) + "/x", "x").parent_path().string());
    }
    folders.push_back((content.Root / "missing").string()); // not watchable: its thread just ends
    const int before = ThreadCount();
    auto watcher = std::make_unique<FolderWatcher>(folders);
    // The thread of the missing folder ends by itself; on a busy machine that can take a while.
    for (int i = 0; i < 500 && ThreadCount() != before + 8; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(ThreadCount(), before + 8);

    watcher.reset();
    EXPECT_EQ(ThreadCount(), before);
}

} // namespace
