#include <gtest/gtest.h>

#include <filesystem>

#include "TempContent.h"
#include "platform/ChildProcess.h"

namespace {

TEST(ChildProcessTest, RunsInItsFolderAndKeepsItsOutputAndExitStatus) {
    TempContent folder;
    const ChildProcessResult run =
        RunChildProcess("sh", {"-c", "pwd; echo broken >&2; exit 3"}, folder.Str());
    ASSERT_TRUE(run.Started) << run.StartError;
    EXPECT_EQ(run.ExitStatus, 3);
    EXPECT_FALSE(run.Succeeded());
    EXPECT_EQ(run.Output, std::filesystem::canonical(folder.Root).string() + "\nbroken\n");
    EXPECT_EQ(run.LastLine(), "broken");
}

TEST(ChildProcessTest, AProgramThatDoesNotExistIsNotStarted) {
    const ChildProcessResult run = RunChildProcess("/nonexistent/assetwright", {}, "/");
    EXPECT_FALSE(run.Started);
    EXPECT_FALSE(run.StartError.empty());
    EXPECT_FALSE(IsProgramOnPath("no-such-program-kelvane"));
    EXPECT_TRUE(IsProgramOnPath("sh"));
}

} // namespace
