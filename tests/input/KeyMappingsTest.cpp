#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "InputFixture.h"
#include "core/ContentError.h"

namespace {

class KeyMappings : public InputFixture {
protected:
    // Writes `json` to a file of this test and loads it.
    void Load(const std::string& json) {
        std::ofstream(path) << json;
        input.LoadMappings(path.string());
    }

    std::vector<Key> BindingsOf(Action action) const {
        std::vector<Key> keys;
        const auto [first, last] = input.Mappings.equal_range(action);
        for (auto it = first; it != last; ++it)
            keys.push_back(it->second);
        return keys;
    }

    ~KeyMappings() override { std::filesystem::remove(path); }

    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("KeyMappings-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".json");
};

TEST_F(KeyMappings, RepeatedActionsBindSeveralKeysInFileOrder) {
    Load(R"({"MoveUp": "W", "MoveDown": "S", "MoveUp": "Up", "MoveUp": "Keypad8"})");
    EXPECT_EQ(BindingsOf(Action::MoveUp), (std::vector<Key>{Key::W, Key::Up, Key::Keypad8}));
    EXPECT_EQ(BindingsOf(Action::MoveDown), (std::vector<Key>{Key::S}));
    Frame([&] { input.KeyDown(0x68); });
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
}

TEST_F(KeyMappings, ValuesThatAreNotKeyNamesBindNoneWithOneWarningLineEach) {
    ::testing::internal::CaptureStderr();
    Load(
        R"({"MoveUp": "w", "MoveDown": 87, "MoveLeft": {"Key": "A"}, "MoveRight": "", "MainWeapon": ["A"],
            "MenuConfirm": "None"})");
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 5) << warnings;
    EXPECT_NE(warnings.find(path.string()), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("\"MoveDown\""), std::string::npos) << warnings;
    for (Action action :
         {Action::MoveUp, Action::MoveDown, Action::MoveLeft, Action::MoveRight, Action::MainWeapon})
        EXPECT_EQ(BindingsOf(action), (std::vector<Key>{Key::None})) << ActionName(action);
    Frame([&] {
        for (int vk = 0; vk < 256; ++vk)
            input.KeyDown(vk);
    });
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionDown(Action::MoveLeft));
}

TEST_F(KeyMappings, AnUnknownActionIsSkippedWithOneWarningLine) {
    ::testing::internal::CaptureStderr();
    Load(R"({"Jump": "Space", "MoveUp": "W", "moveup": "Up"})");
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 2);
    EXPECT_NE(warnings.find("\"Jump\""), std::string::npos);
    EXPECT_NE(warnings.find(path.string()), std::string::npos);
    // Neither unknown member falls back to MoveUp, the action numbered 0.
    EXPECT_EQ(BindingsOf(Action::MoveUp), (std::vector<Key>{Key::W}));
    EXPECT_EQ(input.Mappings.size(), 1u);
}

TEST_F(KeyMappings, AMissingFileIsAContentErrorNamingIt) {
    try {
        input.LoadMappings("/nonexistent/KeyMappings.json");
        FAIL() << "no error";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.File(), "/nonexistent/KeyMappings.json");
        EXPECT_FALSE(e.Problem().empty());
    }
}

TEST_F(KeyMappings, MalformedJsonIsAContentErrorWithTheLine) {
    try {
        Load("{\n  \"MoveUp\": \"W\",\n  \"MoveDown\" \"S\"\n}\n");
        FAIL() << "no error";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.File(), path.string());
        EXPECT_NE(e.Problem().find("line 3"), std::string::npos) << e.Problem();
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
    }
}

TEST_F(KeyMappings, ATopLevelThatIsNotAnObjectIsAContentError) {
    for (const char* json : {R"(["MoveUp", "W"])", "[]", R"("W")", "42", ""}) {
        try {
            Load(json);
            FAIL() << "accepted " << json;
        } catch (const ContentError& e) {
            EXPECT_EQ(e.File(), path.string());
            EXPECT_EQ(e.Problem(), "the top level is not a JSON object") << json;
        }
    }
    EXPECT_TRUE(input.Mappings.empty());
}

TEST_F(KeyMappings, TheShippedFileBindsEveryAction) {
    input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
    for (int value = 0; value < ActionCount; ++value) {
        const std::vector<Key> keys = BindingsOf(static_cast<Action>(value));
        EXPECT_FALSE(keys.empty()) << ActionName(static_cast<Action>(value));
        for (Key key : keys)
            EXPECT_NE(key, Key::None) << ActionName(static_cast<Action>(value));
    }
    EXPECT_EQ(BindingsOf(Action::MoveLeft),
              (std::vector<Key>{Key::A, Key::Left, Key::PadLeftStickLeft, Key::PadDpadLeft}));
    EXPECT_EQ(BindingsOf(Action::MainWeapon), (std::vector<Key>{Key::LeftMouse, Key::PadRightTrigger}));
    EXPECT_EQ(BindingsOf(Action::Quickslot5), (std::vector<Key>{Key::Oem5}));
    EXPECT_EQ(BindingsOf(Action::QuickslotNext), (std::vector<Key>{Key::PadRightShoulder}));
    EXPECT_EQ(BindingsOf(Action::MenuConfirm), (std::vector<Key>{Key::OemEnter, Key::Space, Key::PadA}));
    EXPECT_EQ(BindingsOf(Action::MenuCancel), (std::vector<Key>{Key::Esc, Key::PadB, Key::PadStart}));
}

} // namespace
