// The saved-game folder from the environment, and the clipboard's caps.
#include <cstdlib>

#include <gtest/gtest.h>

#include "app/Clipboard.h"
#include "core/Service.h"
#include "platform/ClipboardBackend.h"
#include "platform/SaveFolder.h"

namespace {

// Sets an environment variable for one scope and restores it after.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old, hadOld_ = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvGuard() {
        if (hadOld_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(SaveFolder, XdgDataHomeWins) {
    EnvGuard xdg("XDG_DATA_HOME", "/data/me");
    EnvGuard home("HOME", "/home/me");
    EXPECT_EQ(GetSaveFolder().string(), "/data/me/Kelvane/");
}

TEST(SaveFolder, UnsetEmptyOrRelativeXdgFallsBackToHome) {
    EnvGuard home("HOME", "/home/me");
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/dir"}) {
        EnvGuard xdg("XDG_DATA_HOME", value);
        EXPECT_EQ(GetSaveFolder().string(), "/home/me/.local/share/Kelvane/");
    }
}

class ClipboardTest : public ::testing::Test {
protected:
    std::unique_ptr<ClipboardBackend> backend = ClipboardBackend::CreateHeadless();
    Service<ClipboardBackend>::Scoped installed{*backend};
};

TEST_F(ClipboardTest, RoundTripsText) {
    SetClipboardText("hello\nworld");
    EXPECT_EQ(GetClipboardText(), "hello\nworld");
}

TEST_F(ClipboardTest, LongTextIsCappedAt1024Bytes) {
    SetClipboardText(std::string(5000, 'x'));
    EXPECT_EQ(GetClipboardText(), std::string(1024, 'x'));
}

TEST_F(ClipboardTest, StopsAtTheFirstZeroByte) {
    SetClipboardText(std::string("abc\0def", 7));
    EXPECT_EQ(GetClipboardText(), "abc");
}

TEST_F(ClipboardTest, EmptyTextIsEmpty) {
    SetClipboardText("something");
    SetClipboardText("");
    EXPECT_EQ(GetClipboardText(), "");
}

TEST(ClipboardWithoutService, ReadsEmptyAndIgnoresWrites) {
    SetClipboardText("lost");
    EXPECT_EQ(GetClipboardText(), "");
}

} // namespace
