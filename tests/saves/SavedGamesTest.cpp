#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <numeric>
#include <random>
#include <sys/stat.h>

#include <box2d/b2_body.h>

#include "GameScene.h"
#include "HudMessageRecorder.h"
#include "enemies/boss/BossGateBhv.h"
#include "events/BossEvents.h"
#include "flow/boss/WorldEventsBhv.h"
#include "physics/B2BodyComponent.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/items/ItemUnlockComponent.h"
#include "player/sub/SubBhv.h"
#include "saves/GameSnapshot.h"
#include "saves/SaveFormat.h"
#include "saves/SavedGames.h"
#include "saves/SlotFiles.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The real gameplay scene with its slot files in a folder of the build, HUD messages recorded.
class SavedGamesTest : public ::testing::Test, public GameScene {
protected:
    SavedGamesTest() {
        folder = fs::path(KELVANE_BIN_DIR) / ".." / "test-saves" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
        slotFolder.Folder = folder;
        inventory = WellKnown<InventoryBhv>::Get();
        things = WellKnown<ThingRootBhv>::Get();
        worldEvents = WellKnown<WorldEventsBhv>::Get();
    }

    // The whole saveable state of the running game, as the bytes a save would write.
    std::vector<uint8_t> State() {
        SavedGame game;
        std::string fault;
        EXPECT_TRUE(CaptureGame(game, fault)) << fault;
        return EncodeSavedGame(game);
    }
    fs::path Slot(int k) const { return folder / ("SavedGame" + std::to_string(k) + ".sav"); }
    int Count(const std::string& prefab) const {
        int n = 0;
        for (ThingGridCellBhv* cell : things->Cells()) {
            for (GameObject* child : cell->Owner->Children) {
                n += child->PrefabName == prefab && !child->PendingDestroy ? 1 : 0;
            }
        }
        return n;
    }
    GameObject* FirstThing(const std::string& prefab) const {
        for (ThingGridCellBhv* cell : things->Cells()) {
            for (GameObject* child : cell->Owner->Children) {
                if (child->PrefabName == prefab && !child->PendingDestroy) {
                    return child;
                }
            }
        }
        return nullptr;
    }
    b2Body* SubBody() const { return Submarine()->Body()->GetBody(); }

    // A game worth saving: money, items, a dropped pickup of 7 copper, unlock progress, the boss
    // beaten, the submarine deep down and tilted.
    void Play() {
        inventory->Money = 1250;
        inventory->Health = 3;
        addItem(25, "Item_DirtBlock");
        addItem(1, "Item_ShrimpZapper");
        addItem(4, "Item_Gold");
        things->SpawnItemPickup(7, "Item_Copper", {40.5f, -12.25f});
        if (ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get()) {
            forSale->UnlockedBits = 3;
            if (auto* unlock = forSale->Owner->GetComponentOfType<ItemUnlockComponent>()) {
                unlock->QuantityCurrent = 17;
            }
        }
        worldEvents->bossDefeated = true;
        SubBody()->SetTransform(b2Vec2(60.25f, -211.6f), 0.3f);
        Submarine()->GetComponentOfType<SubBhv>()->MovementForce = 37.0f;
    }

    fs::path folder;
    std::vector<std::string> hud;
    HudMessageRecorder recorder{[this](const std::string& text) {
        hud.push_back(text);
    }};
    SlotFolderOverride slotFolder;
    Service<SlotFolderOverride>::Scoped slotFolderScope{slotFolder};
    InventoryBhv* inventory = nullptr;
    ThingRootBhv* things = nullptr;
    WorldEventsBhv* worldEvents = nullptr;
};

TEST_F(SavedGamesTest, AGameComesBackWholeAndSavesAgainToTheSameBytes) {
    ASSERT_TRUE(inventory && things && worldEvents && Submarine());
    Play();
    saveGame("SavedGame2");
    // The HUD says where the game went.
    EXPECT_EQ(hud, std::vector<std::string>{"Saved to slot 2"});
    hud.clear();
    const std::vector<uint8_t> saved = ReadBytes(Slot(2));
    ASSERT_GT(saved.size(), 64561u);
    const std::array<uint8_t, TileGrid::Columns* TileGrid::Rows> tiles = grid.Codes();

    // Another world, another player.
    WellKnown<WorldMakerBhv>::Get()->Generate();
    clearInventory();
    inventory->Money = 5;
    worldEvents->bossDefeated = false;
    SubBody()->SetTransform(b2Vec2(10.0f, -5.0f), -0.2f);
    RunFrames(2);
    ASSERT_NE(grid.Codes(), tiles);
    const float angle = SubBody()->GetAngle();

    loadGame("SavedGame2");
    EXPECT_TRUE(hud.empty());
    EXPECT_EQ(grid.Codes(), tiles);
    EXPECT_EQ(inventory->Money, 1250);
    EXPECT_EQ(inventory->Health, 3);
    EXPECT_EQ(inventory->StorageUsed, 1 + 25 + 1 + 4); // the starting drill and what was added
    ASSERT_NE(findItem("Item_DirtBlock"), nullptr);
    EXPECT_EQ(findItem("Item_DirtBlock")->Quantity, 25);
    EXPECT_EQ(weaponInSlot(1), findItem("Item_ShrimpZapper"));
    EXPECT_EQ(SubBody()->GetPosition(), b2Vec2(60.25f, -211.6f));
    EXPECT_EQ(SubBody()->GetAngle(), angle); // moved, not turned
    EXPECT_EQ(Submarine()->GetComponentOfType<SubBhv>()->MovementForce, 37.0f);
    EXPECT_TRUE(worldEvents->bossDefeated);
    EXPECT_EQ(WellKnown<ForSaleItemsBhv>::Get()->UnlockedBits, 3);
    // The dropped copper: 7 units where it lay, at rest.
    GameObject* pickup = FirstThing("Pkup_Item");
    ASSERT_NE(pickup, nullptr);
    ASSERT_NE(pickup->FindChild("Item"), nullptr);
    EXPECT_EQ(pickup->FindChild("Item")->PrefabName, "Item_Copper");
    EXPECT_EQ(ItemOf(*pickup->FindChild("Item"))->Quantity, 7);
    EXPECT_EQ(pickup->Thing()->Pos, (Vector2{40.5f, -12.25f}));
    EXPECT_EQ(pickup->Body()->GetBody()->GetPosition(), b2Vec2(40.5f, -12.25f));
    EXPECT_EQ(pickup->Body()->GetBody()->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));

    // Saving straight away writes the same file.
    saveGame("SavedGame3");
    EXPECT_TRUE(ReadBytes(Slot(3)) == saved);

    // A frame later the old world's things are gone: two gates, both open for a beaten boss.
    RunFrame();
    EXPECT_EQ(Count("BossGate"), 2);
    EXPECT_EQ(Count("Pkup_Item"), 1);
    EXPECT_TRUE(worldEvents->upperGate && worldEvents->upperGate->isOpen);
    EXPECT_TRUE(worldEvents->lowerGate && worldEvents->lowerGate->isOpen);
    EXPECT_NE(worldEvents->SecondStation(), nullptr);
    // Loading again does not pile gates up.
    loadGame("SavedGame2");
    RunFrame();
    EXPECT_EQ(Count("BossGate"), 2);
}

TEST_F(SavedGamesTest, ANeverSavedSlotChangesNothingAndASecondSaveReplacesTheFirst) {
    Play();
    const std::vector<uint8_t> before = State();
    loadGame("SavedGame5");
    EXPECT_TRUE(State() == before);
    EXPECT_TRUE(hud.empty());
    EXPECT_FALSE(fs::exists(Slot(5)));
    EXPECT_EQ(slotLineText(5), "5  Empty");

    saveGame("SavedGame1");
    inventory->Money = 99;
    saveGame("SavedGame1");
    inventory->Money = 1;
    loadGame("SavedGame1");
    EXPECT_EQ(inventory->Money, 99);
    // The first save is kept as the backup; no scratch file is left.
    SavedGame backup;
    std::string fault;
    ASSERT_TRUE(DecodeSavedGame(ReadBytes(folder / "SavedGame1.sav.bak"), backup, fault)) << fault;
    EXPECT_EQ(backup.Money, 1250);
    EXPECT_FALSE(fs::exists(folder / "SavedGame1.sav.tmp"));

    // The slot line: money, depth in metres (211.6 units down), the file's time.
    inventory->Money = 1250;
    saveGame("SavedGame1");
    const std::string line = slotLineText(1);
    EXPECT_EQ(line.rfind("1  $1,250  212 m deep  ", 0), 0u) << line;
    struct stat status {};
    ASSERT_EQ(::stat(Slot(1).c_str(), &status), 0);
    std::tm local{};
    localtime_r(&status.st_mtime, &local);
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", local.tm_hour, local.tm_min);
    EXPECT_EQ(line.substr(line.size() - 5), clock);
    WriteBytes(Slot(4), {1, 2, 3});
    EXPECT_EQ(slotLineText(4), "4  Damaged");

    // Names that are no slot touch no file.
    saveGame("../SavedGame1");
    loadGame("SavedGame1/../x");
    EXPECT_EQ(inventory->Money, 1250);
}

TEST_F(SavedGamesTest, AWriteFailingAtAnyByteLeavesTheOldSlotLoadable) {
    Play();
    saveGame("SavedGame1");
    const std::vector<uint8_t> old = ReadBytes(Slot(1));
    inventory->Money = 7;
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(CaptureGame(game, fault));
    const std::vector<uint8_t> next = EncodeSavedGame(game);

    // Writes that take at most 4096 bytes a call and stop after `budget` bytes with the disk full
    // (only the last call's bytes reach the scratch file: its contents never matter, its fate does).
    size_t budget = 0;
    SlotFileCalls calls = SlotFileCalls::System();
    calls.Write = [&](int fd, const void* data, size_t size) -> ssize_t {
        if (budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t n = std::min({size, budget, size_t{4096}});
        budget -= n;
        return budget == 0 ? ::write(fd, data, n) : static_cast<ssize_t>(n);
    };
    calls.Sync = [](int) {
        return 0;
    };
    int kept = 0;
    for (size_t stop = 0; stop < next.size(); ++stop) {
        budget = stop;
        kept += !ReplaceFile(Slot(1), next, fault, calls) && fault.find("write") == 0 ? 1 : 0;
    }
    EXPECT_EQ(kept, static_cast<int>(next.size()));
    EXPECT_TRUE(ReadBytes(Slot(1)) == old);
    EXPECT_FALSE(fs::exists(folder / "SavedGame1.sav.tmp"));

    // A failing sync or rename keeps the old slot too.
    calls = SlotFileCalls::System();
    calls.Sync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_FALSE(ReplaceFile(Slot(1), next, fault, calls));
    calls = SlotFileCalls::System();
    calls.Rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    EXPECT_FALSE(ReplaceFile(Slot(1), next, fault, calls));
    EXPECT_TRUE(ReadBytes(Slot(1)) == old);
    EXPECT_FALSE(fs::exists(folder / "SavedGame1.sav.tmp"));

    // A save folder that cannot be made: one HUD message, one stderr line naming the file.
    hud.clear();
    slotFolder.Folder = folder / "SavedGame1.sav" / "inside";
    ::testing::internal::CaptureStderr();
    saveGame("SavedGame1");
    const std::string err = ::testing::internal::GetCapturedStderr();
    slotFolder.Folder = folder;
    EXPECT_EQ(hud, std::vector<std::string>{"Save failed"});
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("SavedGame1.sav"), std::string::npos) << err;

    loadGame("SavedGame1");
    EXPECT_EQ(inventory->Money, 1250);
}

TEST_F(SavedGamesTest, PlantedLinksAndPipesNeitherRedirectASaveNorBlockALoad) {
    Play();
    // A link where the scratch file goes: the save writes a file of its own, the link's target is
    // untouched and the slot is a regular file.
    const fs::path target = folder / "elsewhere";
    WriteBytes(target, {'k', 'e', 'e', 'p'});
    fs::create_symlink(target, folder / "SavedGame1.sav.tmp");
    saveGame("SavedGame1");
    EXPECT_EQ(hud, std::vector<std::string>{"Saved to slot 1"});
    EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Slot(1))));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "SavedGame1.sav.tmp")));

    // A slot that is a named pipe or a folder is refused at once, with the game as it was.
    const std::vector<uint8_t> before = State();
    ASSERT_EQ(::mkfifo(Slot(2).c_str(), 0644), 0) << std::strerror(errno);
    fs::create_directory(Slot(3));
    ::testing::internal::CaptureStderr();
    for (const char* slot : {"SavedGame2", "SavedGame3"}) {
        hud.clear();
        loadGame(slot);
        EXPECT_EQ(hud, std::vector<std::string>{"Load failed"}) << slot;
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_TRUE(State() == before);
    EXPECT_EQ(slotLineText(2), "2  Damaged");
}

TEST_F(SavedGamesTest, AWorldFullOfThingsLoadsAndOneBeyondTheLimitsIsRefused) {
    Play();
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(CaptureGame(game, fault)) << fault;
    game.Groups.erase(
        std::remove_if(game.Groups.begin(), game.Groups.end(),
                       [](const SavedThingGroup& group) { return group.Name == "Pkup_Money1"; }),
        game.Groups.end());
    // Coins up to the most every cell of the thing grid may hold: a world full of things.
    std::vector<int> perCell(saveformat::ThingCellColumns * saveformat::ThingCellRows, 0);
    for (const SavedThingGroup& group : game.Groups) {
        for (const SavedThing& thing : group.Things) {
            const int column = std::clamp(static_cast<int>(thing.X), 0, SavedGame::Columns - 1);
            const int row = std::clamp(static_cast<int>(-thing.Y), 0, SavedGame::Rows - 1);
            ++perCell[row / saveformat::ThingCellSize * saveformat::ThingCellColumns +
                      column / saveformat::ThingCellSize];
        }
    }
    SavedThingGroup coins{"Pkup_Money1", {}};
    for (int row = 0; row < SavedGame::Rows; row += 2) {
        for (int column = 0; column < SavedGame::Columns; column += 2) {
            int& n = perCell[row / saveformat::ThingCellSize * saveformat::ThingCellColumns +
                             column / saveformat::ThingCellSize];
            if (n < saveformat::MaxThingsPerCell) {
                ++n;
                coins.Things.push_back(
                    {static_cast<float>(column) + 0.5f, -static_cast<float>(row) - 0.5f, 0});
            }
        }
    }
    const auto withCoins = [&](const SavedThingGroup& group) {
        SavedGame with = game;
        with.Groups.push_back(group);
        std::sort(with.Groups.begin(), with.Groups.end(),
                  [](const auto& a, const auto& b) { return a.Name < b.Name; });
        return EncodeSavedGame(with);
    };
    WriteBytes(Slot(1), withCoins(coins));
    const auto start = std::chrono::steady_clock::now();
    loadGame("SavedGame1");
    EXPECT_TRUE(hud.empty()) << hud.front();
    EXPECT_EQ(Count("Pkup_Money1"), static_cast<int>(coins.Things.size()));
    RunFrame();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("a world of %d things loaded in %.3f s\n", std::accumulate(perCell.begin(), perCell.end(), 0),
                seconds);

    // One more thing in a full cell, or one pile too high on a single tile, is refused with one line.
    const std::vector<uint8_t> before = State();
    SavedThingGroup more = coins;
    more.Things.push_back({11.5f, -11.5f, 0});
    SavedThingGroup pile{"Pkup_Money1",
                         std::vector<SavedThing>(saveformat::MaxThingsPerTile + 1, {3.25f, -4.75f, 0})};
    ::testing::internal::CaptureStderr();
    for (const SavedThingGroup& group : {more, pile}) {
        WriteBytes(Slot(1), withCoins(group));
        hud.clear();
        loadGame("SavedGame1");
        EXPECT_EQ(hud, std::vector<std::string>{"Load failed"});
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_NE(err.find("column 3, row 4"), std::string::npos) << err;
    EXPECT_TRUE(State() == before);
}

TEST_F(SavedGamesTest, CountsAtTheEndOfTheirRangeLoadSaveAndGrowNoFurther) {
    Play();
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(CaptureGame(game, fault)) << fault;
    constexpr int32_t most = std::numeric_limits<int32_t>::max();
    game.Money = most;
    game.Health = game.HealthMax = game.StorageMax = most;
    game.MovementForce = 3e38f;
    for (SavedItem& item : game.Items) {
        item.Quantity = item.Name == "Item_Gold" ? most : item.Quantity;
    }
    WriteBytes(Slot(1), EncodeSavedGame(game));
    loadGame("SavedGame1");
    ASSERT_TRUE(hud.empty()) << hud.front();
    EXPECT_EQ(inventory->Money, most);
    EXPECT_EQ(inventory->StorageUsed, most); // more than the hold can count

    // More of what is already at the top stays at the top.
    addItem(5, "Item_Gold");
    EXPECT_EQ(findItem("Item_Gold")->Quantity, most);
    things->SpawnThing("Pkup_Money1", Submarine()->GetPosition() + Vector2{1.0f, 0.0f});
    things->SpawnThing("Pkup_HealthUp", Submarine()->GetPosition() + Vector2{-1.0f, 0.0f});
    RunFrames(30);
    EXPECT_EQ(inventory->Money, most);
    EXPECT_EQ(inventory->HealthMax, most);
    applyDamage(1);
    EXPECT_EQ(inventory->Health, most - 1);

    // What the game holds is written as it is and reads back the same.
    saveGame("SavedGame2");
    SavedGame again;
    ASSERT_TRUE(DecodeSavedGame(ReadBytes(Slot(2)), again, fault)) << fault;
    EXPECT_EQ(again.Money, most);
    EXPECT_EQ(again.MovementForce, 3e38f);
}

TEST_F(SavedGamesTest, DamagedFilesAreRefusedAndTheGameIsLeftExactlyAsItWas) {
    Play();
    saveGame("SavedGame1");
    hud.clear();
    const std::vector<uint8_t> good = ReadBytes(Slot(1));
    SavedGame parsed;
    std::string fault;
    ASSERT_TRUE(DecodeSavedGame(good, parsed, fault)) << fault;
    // Another state to be left alone.
    inventory->Money = 3;
    addItem(2, "Item_Silver");
    things->SpawnThing("En_Chest", {20.5f, -30.5f});
    const std::vector<uint8_t> before = State();

    // Where sections and records begin and end.
    const auto offset = [&](int i) {
        return 4 + static_cast<size_t>(good[4 * i] | good[4 * i + 1] << 8 | good[4 * i + 2] << 16);
    };
    const size_t itemsStart = offset(3) + 37;
    std::vector<size_t> cuts = {0,
                                4,
                                8,
                                15,
                                16,
                                20,
                                24,
                                64524,
                                offset(2) - 1,
                                offset(2),
                                offset(2) + 4,
                                offset(3) - 1,
                                offset(3),
                                itemsStart - 1};
    std::vector<size_t> recordEnds; // the ends of item records: a file cut there is whole
    for (size_t at = itemsStart; at < good.size();) {
        at += std::strlen(reinterpret_cast<const char*>(good.data() + at)) + 1;
        cuts.push_back(at - 1);
        cuts.push_back(at + 2);
        at += 4;
        recordEnds.push_back(at);
    }
    std::mt19937 random(11);
    while (cuts.size() < 150) {
        const size_t at = random() % good.size();
        if (std::find(recordEnds.begin(), recordEnds.end(), at) == recordEnds.end() && at != itemsStart) {
            cuts.push_back(at);
        }
    }
    std::vector<std::vector<uint8_t>> damaged;
    for (size_t size : cuts) {
        damaged.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    }
    const auto set = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        damaged.push_back(bytes);
    };
    // Flipped bytes in every header offset and in the grid size.
    for (size_t at = 0; at < 24; ++at) {
        damaged.push_back(good);
        damaged.back()[at] ^= 0x5a;
    }
    // Oversized counts: the first group's, the unlock count, and offsets far past the file.
    const size_t firstCount =
        offset(1) + std::strlen(reinterpret_cast<const char*>(good.data() + offset(1))) + 1;
    for (uint32_t huge : {0x7fffffffu, 0x80000000u, 0xffffffffu, 0x00100000u}) {
        set(firstCount, huge);
        set(offset(2) + 4, huge);
        set(12, huge);
    }
    // A file of another kind.
    damaged.emplace_back(std::vector<uint8_t>(70000, 0x41));

    ::testing::internal::CaptureStderr();
    int refused = 0;
    for (const std::vector<uint8_t>& bytes : damaged) {
        WriteBytes(Slot(1), bytes);
        hud.clear();
        loadGame("SavedGame1");
        refused += hud == std::vector<std::string>{"Load failed"} ? 1 : 0;
        ASSERT_TRUE(State() == before) << "a damaged file of " << bytes.size() << " bytes changed the game";
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(refused, static_cast<int>(damaged.size()));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), static_cast<long>(damaged.size()));
    RunFrame();
    EXPECT_EQ(Count("En_Chest") > 0, true);

    // Item records carry no count: a cut between two is a whole file holding fewer items.
    std::vector<uint8_t> shorter(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(recordEnds[0]));
    ASSERT_TRUE(DecodeSavedGame(shorter, parsed, fault)) << fault;
    EXPECT_EQ(parsed.Items.size(), 1u);
}

TEST_F(SavedGamesTest, ThingsAndItemsWhosePrefabIsGoneAreSkippedWithOneWarningEach) {
    Play();
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(CaptureGame(game, fault));
    game.Groups.insert(game.Groups.begin(), {"Dragon", {{5.5f, -5.5f, 0}, {6.5f, -5.5f, 0}}});
    game.Groups.push_back({"Item_Unobtainium", {{7.5f, -5.5f, 3}}});
    game.Groups.push_back({"Sub_PoBoy", {{8.5f, -5.5f, 0}}}); // a prefab, but no thing
    std::sort(game.Groups.begin(), game.Groups.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    game.Items.push_back({"Item_Unobtainium", 2});
    game.Items.push_back({"GameplayScreen", 1}); // a prefab, but no item
    WriteBytes(Slot(1), EncodeSavedGame(game));

    ::testing::internal::CaptureStderr();
    loadGame("SavedGame1");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 4) << err;
    EXPECT_NE(err.find("\"Dragon\" has no prefab"), std::string::npos) << err;
    EXPECT_NE(err.find("\"Sub_PoBoy\" is a prefab but no thing"), std::string::npos) << err;
    EXPECT_TRUE(hud.empty());
    EXPECT_EQ(inventory->Money, 1250);
    EXPECT_EQ(findItem("Item_Gold")->Quantity, 4);
    RunFrame();
    EXPECT_EQ(Count("Pkup_Item"), 1);
    EXPECT_EQ(Count("Sub_PoBoy"), 0);
}

// Whatever the writer lets through, the loader takes: a game the loader would refuse is no save
// (one HUD message, one line, the old slot kept); a grid code without a tile type comes back as
// water with one warning instead of refusing the file.
TEST_F(SavedGamesTest, ASaveTheLoaderWouldRefuseFailsAndAnUnknownTileCodeLoadsAsWater) {
    Play();
    saveGame("SavedGame1");
    const std::vector<uint8_t> old = ReadBytes(Slot(1));
    const std::string longName = "Item_" + std::string(300, 'L');
    Add(longName, R"({"Components": {"ItemComponent": ""}, "AutoCreate": ""})");
    const std::vector<std::function<void()>> spoilers = {
        [&] { FirstThing("Pkup_Item")->Thing()->Pos.x = std::numeric_limits<float>::quiet_NaN(); },
        [&] { findItem("Item_Gold")->Quantity = -3; },
        [&] { addItem(1, longName); },
    };
    for (size_t i = 0; i < spoilers.size(); ++i) {
        loadGame("SavedGame1");
        RunFrame();
        spoilers[i]();
        hud.clear();
        ::testing::internal::CaptureStderr();
        saveGame("SavedGame1");
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(hud, std::vector<std::string>{"Save failed"}) << "spoiler " << i;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_TRUE(ReadBytes(Slot(1)) == old) << "spoiler " << i;
    }

    std::vector<uint8_t> strange = old;
    strange[24 + 150 * 3 + 7] = 250;
    strange[24 + 150 * 9 + 2] = 251;
    WriteBytes(Slot(2), strange);
    hud.clear();
    ::testing::internal::CaptureStderr();
    loadGame("SavedGame2");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(hud.empty());
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("column 7, row 3"), std::string::npos) << err;
    EXPECT_EQ(grid.Get(7, 3), 0);
    EXPECT_EQ(grid.Get(2, 9), 0);
    EXPECT_EQ(inventory->Money, 1250);
    std::vector<uint8_t> asWater = old;
    asWater[24 + 150 * 3 + 7] = 0;
    asWater[24 + 150 * 9 + 2] = 0;
    EXPECT_TRUE(State() == asWater);
}

// Saved in the middle of the boss fight: neither the boss nor its shots go into the file, and an
// older file holding them brings back no orphan: one boss after the load, the world events' own,
// and its death is the defeat.
TEST_F(SavedGamesTest, ABossFightSavedAndLoadedHasOneBossWhoseDeathCounts) {
    Play();
    worldEvents->bossDefeated = false;
    SubBody()->SetTransform(b2Vec2(100.0f, -215.0f), 0.0f);
    RunFrames(2);
    ASSERT_EQ(Count("En_MantisShrimp"), 1);
    things->SpawnThing("En_BallProjectile", {104.5f, -214.5f});
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(CaptureGame(game, fault)) << fault;
    for (const SavedThingGroup& group : game.Groups) {
        EXPECT_NE(group.Name, "En_MantisShrimp");
        EXPECT_NE(group.Name, "En_BallProjectile");
    }

    // A file that holds them all the same.
    game.Groups.push_back({"En_BallProjectile", {{104.5f, -214.5f, 0}}});
    game.Groups.push_back({"En_MantisShrimp", {{108.5f, -215.0f, 0}}});
    std::sort(game.Groups.begin(), game.Groups.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    WriteBytes(Slot(1), EncodeSavedGame(game));
    ::testing::internal::CaptureStderr();
    loadGame("SavedGame1");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    RunFrames(3);
    EXPECT_EQ(Count("En_MantisShrimp"), 1);
    EXPECT_EQ(Count("En_BallProjectile"), 0);
    GameObject* boss = FirstThing("En_MantisShrimp");
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(worldEvents->CurrentBoss(), boss);
    BossEventArgs args{boss};
    events.Boss->BossDefeated.Raise(&args);
    EXPECT_TRUE(worldEvents->bossDefeated);
}

} // namespace
