// The shipped cue prefabs: one per cue name the game raises, each naming a sound of the content.
#include "audio/CueComponent.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueOneShotBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "prefabs/PrefabManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "CueFixture.h"

namespace {

namespace fs = std::filesystem;

const fs::path contentDir = fs::path(KELVANE_SOURCE_DIR) / "content";

const std::vector<std::string> cueNames = {
    "SubDamage",      "Death",         "RocketBoost",  "RocketBoostEnd", "DrillSpin",       "DrillGrind",
    "DrillDamage",    "DrillTooHard",  "BlockPlaced",  "BombBlast",      "BombBeep",        "NukeBeep",
    "MoneyPickup",    "HealthRestore", "Upgrade",      "ItemPickup",     "ItemsUnlocked",   "ItemSold",
    "ErrorBuzz",      "Fanfare",       "EnemyDamage",  "EnemyDie",       "DamageDeflected", "ChestOpen",
    "EnemyPreCharge", "EnemyCharge",   "MantisWindup", "MantisShot",     "BossGateOpen",    "BossGateClose"};

const std::set<std::string> loopedCues = {"DrillSpin", "DrillGrind"};

class ShippedCues : public testing::Test {
protected:
    ShippedCues() {
        RegisterAudioClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
    }

    std::unique_ptr<Prefab> read(const std::string& cue) {
        const fs::path file = contentDir / "Prefabs" / ("Cue_" + cue + ".json");
        std::ifstream in(file);
        if (!in) {
            return nullptr;
        }
        return prefabs.ReadPrefab("Cue_" + cue, in, file.string());
    }

    PrefabManager prefabs;
};

TEST_F(ShippedCues, EveryCueHasAPrefabPlayingItsOwnSound) {
    for (const std::string& cue : cueNames) {
        std::unique_ptr<Prefab> prefab = read(cue);
        ASSERT_TRUE(prefab) << cue;
        ASSERT_EQ(prefab->Components.size(), 2u) << cue;
        EXPECT_EQ(prefab->Components[0]->ClassName, "CueComponent") << cue;
        const PrefabComponent& behaviour = *prefab->Components[1];
        EXPECT_EQ(behaviour.ClassName, loopedCues.count(cue) ? "CueLoopedBhv" : "CueOneShotBhv") << cue;
        EXPECT_EQ(behaviour.GetPropertyText("SoundName"), cue);
        EXPECT_TRUE(fs::exists(contentDir / "Sounds" / "Main" / "Recipes" / (cue + ".json"))) << cue;
        const std::string volume = behaviour.GetPropertyText("Volume");
        if (!volume.empty()) {
            EXPECT_GT(std::stof(volume), 0.0f) << cue;
            EXPECT_LE(std::stof(volume), 1.0f) << cue;
        }
    }
}

// With the generated sounds laid out beside the executable, every shipped cue plays and ends.
class ShippedCuesPlaying : public CueFixture {};

TEST_F(ShippedCuesPlaying, EveryCueIsHeardAndGoesAway) {
    const fs::path sounds = fs::path(KELVANE_BIN_DIR) / "Content" / "Sounds" / "Main";
    if (!fs::exists(sounds / "Fanfare.wav")) {
        GTEST_SKIP() << "content not built";
    }
    fs::create_directories(folder / "Sounds" / "Main");
    fs::create_directories(folder / "Prefabs");
    fs::copy(sounds, folder / "Sounds" / "Main", fs::copy_options::recursive);
    for (const std::string& cue : cueNames) {
        fs::copy_file(contentDir / "Prefabs" / ("Cue_" + cue + ".json"),
                      folder / "Prefabs" / ("Cue_" + cue + ".json"));
    }
    Start();
    for (const std::string& cue : cueNames) {
        if (loopedCues.count(cue)) {
            CueLoopedBhv* handle = playLoopedCue(cue);
            ASSERT_TRUE(handle) << cue;
            RunFrame();
            endLoopedCue(handle);
        } else {
            playCue(cue);
        }
        ASSERT_EQ(cueRoot->Children.size(), 1u) << cue;
        EXPECT_TRUE(cueRoot->Children[0]->GetComponentOfType<CueBhvBase>()->Channel.IsPlaying()) << cue;
        EXPECT_LT(FramesUntilNoCues(), 600) << cue; // every effect is shorter than ten seconds
    }
}

} // namespace
