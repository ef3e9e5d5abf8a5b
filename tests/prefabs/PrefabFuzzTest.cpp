// Randomly mutated prefab files: the reader either loads them or throws ContentError; it never
// crashes, hangs or leaks (the sanitizer build checks the last two).
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "PrefabFixture.h"
#include "core/ContentError.h"
#include "core/GameObject.h"

namespace {

const char* const Seeds[] = {
    R"({"Components": {"Pos2dComponent": {"IsRelative": "true", "Pos": {"X": "0", "Y": "-1.5"}},
        "ProbeBhv": {"Speed": "inf", "Label": "x\\ny", "Tint": {"A": "0.5", "Rgb": "ABCDEF"},
        "Area": {"X": "1", "Y": "2", "Width": "3", "Height": "4"}}},
        "AutoCreate": [{"Name": "n", "Prefab": "Seed", "InstanceProperties": {"OtherBhv": {"Count": "-3"}}}]})",
    "{\n    \"Components\": \"\",\n    \"AutoCreate\": \"\"\n}\n",
};

const char* const Tokens[] = {"{",
                              "}",
                              "[",
                              "]",
                              "\"",
                              ",",
                              ":",
                              "\\",
                              "\\u00",
                              "\"Components\"",
                              "\"AutoCreate\"",
                              "\"Prefab\"",
                              "\"X\"",
                              "\"A\"",
                              "\"Rgb\"",
                              "\"ProbeBhv\"",
                              "1e999",
                              "-",
                              "\n",
                              "\0"};

std::string Mutate(std::string text, std::mt19937& rng) {
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < edits; ++i) {
        size_t at = text.empty() ? 0 : rng() % text.size();
        switch (rng() % 4) {
        case 0: // flip a byte
            if (!text.empty())
                text[at] = static_cast<char>(rng());
            break;
        case 1: // delete a run
            text.erase(at, rng() % 8);
            break;
        case 2: // insert a token
            text.insert(at, Tokens[rng() % std::size(Tokens)]);
            break;
        default: // duplicate a slice
            text.insert(at, text.substr(rng() % (text.size() + 1), rng() % 16));
            break;
        }
    }
    return text;
}

TEST_F(PrefabTest, MutatedFilesLoadOrFailCleanly) {
    manager.RegisterAll(RegisterTestClasses, folder);
    std::mt19937 rng(20240611);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = Mutate(Seeds[round % std::size(Seeds)], rng);
        std::istringstream in(text);
        try {
            auto prefab = manager.ReadPrefab("Seed", in, "Seed.json");
            ++loaded;
            // Whatever loaded must also save and build.
            manager.WritePrefab(*prefab);
            std::string name = prefab->Name;
            manager.Prefabs[name] = std::move(prefab);
            for (auto& entry : manager.Prefabs[name]->AutoCreates)
                entry->PrefabName = "Leaf"; // keep children finite
            manager.Prefabs["Leaf"] = std::make_unique<Prefab>();
            GameObject object(name);
        } catch (const ContentError& e) {
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    }
    EXPECT_GT(loaded, 0);
}

} // namespace
