// Prefab files: which files load, what they hold, the exact saved layout, and fatal bad input.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "PrefabFixture.h"
#include "core/ContentError.h"
#include "editor/PrefabEditor.h"

namespace {

const char* const ExampleText = R"({
    "Components": {
        "Pos2dComponent": {
            "IsRelative": "true",
            "Pos": {
                "X": "0",
                "Y": "0"
            }
        },
        "ProbeBhv": {
            "Area": {
                "X": "1",
                "Y": "2",
                "Width": "3.5",
                "Height": "0.100000001"
            },
            "Label": "two\\nlines",
            "Speed": "4",
            "Tint": {
                "A": "1",
                "Rgb": "ff8000"
            }
        },
        "ProbeBhv": ""
    },
    "AutoCreate": [
        {
            "Name": "N",
            "Prefab": "P"
        },
        {
            "InstanceProperties": {
                "OtherBhv": {
                    "Count": "3"
                }
            },
            "Prefab": "Q.001"
        }
    ]
}
)";

const char* const EmptyText = "{\n    \"Components\": \"\",\n    \"AutoCreate\": \"\"\n}\n";

// A prefab whose component nests an array 30,000 levels deep.
const std::string DeepText = R"({"Components": {"ProbeBhv": {"Label": )" + std::string(30000, '[') +
                             std::string(30000, ']') + R"(}}, "AutoCreate": ""})";

TEST_F(PrefabTest, LoadsJsonFilesByLowerCasedExtensionOnly) {
    Write("Foo.JSON", EmptyText);
    Write("Foo.json.bak", EmptyText);
    Write("Bar.txt", EmptyText);
    std::filesystem::create_directory(folder / "Sub.json");
    LoadAll();
    ASSERT_EQ(manager.Prefabs.size(), 1u);
    Prefab* foo = manager.Find("Foo");
    ASSERT_NE(foo, nullptr);
    EXPECT_EQ(foo->Name, "Foo");
    EXPECT_FALSE(foo->Dirty);
    EXPECT_EQ(manager.Find("foo"), nullptr);
}

TEST_F(PrefabTest, ReadsComponentsInFileOrderWithDuplicates) {
    Write("Example.json", ExampleText);
    Write("P.json", EmptyText);
    Write("Q.001.json", EmptyText);
    LoadAll();
    Prefab& p = *manager.Find("Example");
    ASSERT_EQ(p.Components.size(), 3u);
    EXPECT_EQ(p.Components[0]->ClassName, "Pos2dComponent");
    EXPECT_EQ(*p.Components[0]->Type, typeid(Pos2dComponent));
    EXPECT_EQ(p.Components[1]->ClassName, "ProbeBhv");
    EXPECT_EQ(p.Components[2]->ClassName, "ProbeBhv");
    EXPECT_TRUE(p.Components[2]->Properties.empty());
    // Only the keys the file names get holders; "Rotation" keeps the class default.
    EXPECT_EQ(p.Components[0]->Properties.count("Rotation"), 0u);
    EXPECT_EQ(p.Components[1]->GetPropertyText("Area", 3), "0.100000001");
    EXPECT_EQ(p.Components[1]->GetPropertyText("Tint", 1), "ff8000");
    ASSERT_EQ(p.AutoCreates.size(), 2u);
    EXPECT_EQ(p.AutoCreates[0]->Name, "N");
    EXPECT_EQ(p.AutoCreates[0]->PrefabName, "P");
    EXPECT_EQ(p.AutoCreates[0]->Owner, &p);
    EXPECT_EQ(p.AutoCreates[1]->Name, "");
    EXPECT_EQ(p.AutoCreates[1]->PrefabName, "Q.001");
    ASSERT_EQ(p.AutoCreates[1]->InstanceProperties.size(), 1u);
    EXPECT_EQ(p.AutoCreates[1]->InstanceProperties[0]->GetPropertyText("Count"), "3");
}

TEST_F(PrefabTest, SaveWritesTheExactLayoutAndRoundTrips) {
    Write("Example.json", ExampleText);
    Write("P.json", EmptyText);
    Write("Q.001.json", EmptyText);
    LoadAll();
    Prefab& p = *manager.Find("Example");
    p.Dirty = true;
    PrefabEditor(manager).Save(p);
    EXPECT_FALSE(p.Dirty);
    EXPECT_EQ(Read("Example.json"), ExampleText);
}

TEST_F(PrefabTest, UnknownKeysAreDroppedSilently) {
    Write("Old.json", R"({"Components": {"ProbeBhv": {"Speed": "2", "Retired": "x"}}, "AutoCreate": ""})");
    LoadAll();
    Prefab& p = *manager.Find("Old");
    EXPECT_EQ(p.Components[0]->Properties.size(), 1u);
    PrefabEditor(manager).Save(p);
    EXPECT_EQ(Read("Old.json").find("Retired"), std::string::npos);
}

TEST_F(PrefabTest, EmptyPrefabSavesAsTwoEmptyStrings) {
    Write("Empty.json", "{\"Components\": {}, \"AutoCreate\": []}");
    LoadAll();
    Prefab& p = *manager.Find("Empty");
    EXPECT_TRUE(p.Components.empty());
    EXPECT_TRUE(p.AutoCreates.empty());
    PrefabEditor(manager).Save(p);
    EXPECT_EQ(Read("Empty.json"), EmptyText);
    LoadAll();
    EXPECT_TRUE(manager.Find("Empty")->Components.empty());
    EXPECT_TRUE(manager.Find("Empty")->AutoCreates.empty());
}

TEST_F(PrefabTest, EveryContentPrefabRoundTripsByteForByte) {
    // Classes outside this test binary are not registered here: files naming them are left to the
    // game-level round trip.
    std::filesystem::path content = std::filesystem::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";
    manager.Registry.Register<Pos2dComponent>();
    RegisterPrefabClasses(manager.Registry);
    manager.Registry.BuildPrototypes();
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(content)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream original;
        original << in.rdbuf();
        std::unique_ptr<Prefab> prefab;
        try {
            prefab = manager.ReadPrefab(entry.path().stem().string(), original, entry.path().string());
        } catch (const ContentError& e) {
            if (e.Problem().find("unregistered class") != std::string::npos)
                continue;
            throw;
        }
        EXPECT_EQ(manager.WritePrefab(*prefab), original.str()) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 1); // GameplayRoot at least
}

TEST_F(PrefabTest, GameplayRootIsRequired) {
    Write("Other.json", EmptyText);
    LoadAll();
    try {
        manager.Require("GameplayRoot");
        FAIL();
    } catch (const ContentError& e) {
        EXPECT_NE(e.File().find("GameplayRoot.json"), std::string::npos);
        EXPECT_EQ(e.Problem(), "missing prefab \"GameplayRoot\"");
    }
}

// Each bad file stops the whole load with one line naming the file, and nothing stays loaded.
struct BadFile {
    const char* text;
    const char* problem;
};

class BadPrefabTest : public PrefabTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadPrefabTest, FatalOneLineErrorAndNoPartialLoad) {
    Write("Good.json", EmptyText);
    Write("Bad.json", GetParam().text);
    try {
        LoadAll();
        FAIL() << "no error for " << GetParam().text;
    } catch (const ContentError& e) {
        std::string message = e.what();
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        EXPECT_NE(e.File().find("Bad.json"), std::string::npos);
        EXPECT_NE(e.Problem().find(GetParam().problem), std::string::npos) << e.Problem();
    }
    EXPECT_TRUE(manager.Prefabs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Load, BadPrefabTest,
    ::testing::Values(
        BadFile{"{\n  \"Components\": \"\",\n  \"AutoCreate\": \"\"\n  oops\n}", "line 4"},
        BadFile{"", "line 1"}, BadFile{R"({"AutoCreate": ""})", "missing \"Components\""},
        BadFile{R"({"Components": ""})", "missing \"AutoCreate\""},
        BadFile{R"({"Components": "", "AutoCreate": [{"Name": "x"}]})", "lacks \"Prefab\""},
        BadFile{R"({"Components": {"Pos2dComponent": {"Pos": {"X": "1"}}}, "AutoCreate": ""})",
                "\"Pos\" of \"Pos2dComponent\" lacks \"Y\""},
        BadFile{R"({"Components": {"ProbeBhv": {"Tint": "ff"}}, "AutoCreate": ""})", "lacks \"A\""},
        BadFile{R"({"Components": {"NoSuchBhv": ""}, "AutoCreate": ""})", "unregistered class \"NoSuchBhv\""},
        BadFile{"{\"Components\": {\"No\\nSuchBhv\": \"\"}, \"AutoCreate\": \"\"}",
                "unregistered class \"No\\nSuchBhv\""},
        BadFile{DeepText.c_str(), "nested deeper than 64 levels"},
        BadFile{R"({"Components": "", "AutoCreate": [{"Prefab": "P", "InstanceProperties":
                                 {"Ghost": ""}}]})",
                "unregistered class \"Ghost\""}));

// A prefab that builds itself, directly or through others, or builds a prefab that does not exist,
// is refused at load with the file and the chain or the name.
TEST_F(PrefabTest, AutoCreatesMustNameLoadedPrefabsWithoutCycles) {
    Write("Leaf.json", EmptyText);
    LoadAll();
    auto expectRefused = [&](const std::string& file, const std::string& problem) {
        try {
            manager.Load(folder);
            FAIL() << "loaded";
        } catch (const ContentError& e) {
            EXPECT_NE(e.File().find(file), std::string::npos) << e.what();
            EXPECT_EQ(e.Problem(), problem);
        }
        EXPECT_EQ(manager.Prefabs.size(), 1u); // what loaded before stays, nothing of the new files
    };
    auto entries = [](const std::string& prefabs) {
        return R"({"Components": "", "AutoCreate": [)" + prefabs + "]}";
    };
    Write("Self.json", entries(R"({"Prefab": "Leaf"}, {"Prefab": "Self"})"));
    expectRefused("Self.json", "prefab creates itself through \"AutoCreate\": \"Self\" -> \"Self\"");

    Write("Self.json", entries(R"({"Prefab": "Leaf"}, {"Prefab": "B"})"));
    Write("B.json", entries(R"({"Prefab": "C"})"));
    Write("C.json", entries(R"({"Prefab": "Self"})"));
    expectRefused("B.json",
                  "prefab creates itself through \"AutoCreate\": \"B\" -> \"C\" -> \"Self\" -> \"B\"");

    Write("C.json", entries(R"({"Prefab": "Leaf"}, {"Prefab": "Gone"})"));
    expectRefused("C.json", "\"AutoCreate\" names no prefab \"Gone\"");

    Write("C.json", entries(R"({"Prefab": "Leaf"}, {"Prefab": "Leaf"})"));
    manager.Load(folder);
    EXPECT_EQ(manager.Prefabs.size(), 4u);
}

TEST_F(PrefabTest, MissingFolderIsAContentError) {
    manager.Registry.Register<Pos2dComponent>();
    EXPECT_THROW(manager.RegisterAll(nullptr, folder / "nope"), ContentError);
}

} // namespace
