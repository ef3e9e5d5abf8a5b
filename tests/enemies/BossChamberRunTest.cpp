#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <box2d/b2_body.h>

#include "FastClock.h"
#include "TestFolder.h"
#include "app/Application.h"
#include "audio/MusicPlayer.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "enemies/boss/BossGateBhv.h"
#include "flow/boss/WorldEventsBhv.h"
#include "physics/B2BodyComponent.h"
#include "platform/Clock.h"
#include "world/TileGrid.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

void PlaceSubmarine(Vector2 position) {
    b2Body* body = SubmarineObject()->Body()->GetBody();
    body->SetTransform(b2Vec2(position.x, position.y), 0.0f);
    body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    body->SetAwake(true);
}

// Mantis shrimps in the thing grid.
int CountBosses() {
    int bosses = 0;
    for (const ThingGridCellBhv* cell : WellKnown<ThingRootBhv>::Get()->Cells()) {
        for (const GameObject* child : cell->Owner->Children) {
            bosses += child->PrefabName == "En_MantisShrimp" ? 1 : 0;
        }
    }
    return bosses;
}

// The real game, headless with a fixed step: the submarine is put in open water above the chamber
// and steered straight down through the gap of the upper gate, then taken back up. The music goes
// along: the surface's above the chamber, the depths' below its top, the fight's while the boss lives.
TEST(BossChamberRunTest, DivingThroughTheUpperGateClosesItBehindAndBringsTheBossWhichLeavesWithThePlayer) {
    TestFolder folder;
    const std::string script = (folder / "boss.script").string();
    std::ofstream(script) << "# dive\n2 key down S\n";
    AppOptions options;
    options.Headless = true;
    options.FixedStep = true;
    options.Seed = 7;
    options.Frames = 1200;
    options.ScriptPath = script;

    FastClock clock;
    Application game(options, clock);
    int bossStart = 0;
    int64_t closedAt = -1;
    int64_t bossAt = -1;
    int64_t leftAt = -1;
    int64_t goneAt = -1;
    std::string bossPrefab;
    bool reopened = false;
    int bossesLeft = -1;
    std::vector<std::string> tracks; // each track in the order it began
    game.SetFrameObserver([&](int64_t frame) {
        const std::string& track = Service<MusicPlayer>::Get().CurrentTrack();
        if (tracks.empty() || tracks.back() != track) {
            tracks.push_back(track);
        }
        WorldEventsBhv* events = WellKnown<WorldEventsBhv>::Get();
        const WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get();
        if (!events || !maker || !SubmarineObject() || !events->upperGate) {
            return;
        }
        bossStart = maker->B01BossStart;
        if (frame == 1) {
            // Open water over the gap, whatever this seed grew there.
            TileGrid& grid = Service<TileGrid>::Get();
            for (int r = bossStart - 12; r < bossStart; ++r) {
                for (int c = 68; c <= 81; ++c) {
                    grid.Set(c, r, 0);
                }
            }
            WellKnown<SceneryCollisionManagerBhv>::Get()->MarkAllSceneryDirty();
            PlaceSubmarine({75.0f, -static_cast<float>(bossStart) + 7.0f});
            return;
        }
        const float depth = -SubmarineObject()->GetPosition().y;
        if (closedAt < 0 && !events->upperGate->isOpen) {
            closedAt = frame;
            EXPECT_GT(depth, static_cast<float>(bossStart) + 1.5f);
        }
        if (bossAt < 0 && events->CurrentBoss()) {
            bossAt = frame;
            bossPrefab = events->CurrentBoss()->PrefabName;
        }
        if (bossAt > 0 && leftAt < 0 && frame > bossAt + 60) {
            leftAt = frame;
            PlaceSubmarine({75.0f, -static_cast<float>(bossStart) + 7.0f});
        }
        if (leftAt > 0 && goneAt < 0 && !events->CurrentBoss()) {
            goneAt = frame;
            reopened = events->upperGate->isOpen;
            bossesLeft = CountBosses();
        }
    });
    ASSERT_EQ(game.Run(), 0);
    std::remove(script.c_str());

    ASSERT_GT(bossStart, 0);
    ASSERT_GT(closedAt, 0) << "the submarine never got through the gap";
    EXPECT_EQ(bossAt, closedAt); // the gate closes behind it in the frame the boss appears
    EXPECT_EQ(bossPrefab, "En_MantisShrimp");
    ASSERT_GT(leftAt, 0);
    EXPECT_EQ(goneAt, leftAt + 1);
    EXPECT_TRUE(reopened);
    EXPECT_EQ(bossesLeft, 0); // removed by the end of the frame the player left
    // Diving again after being taken back up brings the depths' music back (and maybe the fight's).
    ASSERT_GE(tracks.size(), 5u);
    const std::vector<std::string> first(tracks.begin(), tracks.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string>{"Surface", "Depths", "BossTheme", "Surface", "Depths"}));
}

} // namespace
