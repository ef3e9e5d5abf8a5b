#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

#include "saves/SaveFormat.h"

namespace {

// The file written out by hand, field by field, as the layout describes it.
struct Bytes {
    std::vector<uint8_t> data;
    void Int(uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            data.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    }
    void Float(float v) { Int(std::bit_cast<uint32_t>(v)); }
    void Str(const char* s) { data.insert(data.end(), s, s + std::strlen(s) + 1); }
};

SavedGame Sample() {
    SavedGame game;
    game.Tiles[0] = 1;             // row 0, column 0
    game.Tiles[149] = 2;           // row 0, last column
    game.Tiles[150 * 429 + 3] = 3; // last row, column 3
    game.Groups = {{"En_Chest", {{10.5f, -20.25f, 0}}},
                   {"Item_Copper", {{1.0f, -2.0f, 7}, {3.0f, -4.0f, 1}}}};
    game.UnlockedBits = 5;
    game.UnlockCounts = {12, -3};
    game.SubX = 75.5f;
    game.SubY = -211.6f;
    game.MovementForce = 37.0f;
    game.Health = 4;
    game.HealthMax = 10;
    game.Money = 1250;
    game.StorageMax = 80;
    game.QuickslotCount = 3;
    game.OwnedSubs = 2;
    game.BossDefeated = true;
    game.Items = {{"Item_PlasticDrill", 1}, {"Item_DirtBlock", 25}};
    return game;
}

TEST(SaveFormatTest, TheFileIsTheLayoutByteForByteAndReadsBackAsWritten) {
    const SavedGame game = Sample();
    Bytes b;
    const uint32_t things = (8 + 5 + 12) + (11 + 5 + 24);
    b.Int(12);
    b.Int(64520);
    b.Int(64520 + things);
    b.Int(64528 + things + 4 * 2);
    b.Int(150);
    b.Int(430);
    b.data.insert(b.data.end(), game.Tiles.begin(), game.Tiles.end());
    b.Str("En_Chest");
    b.Int(1);
    b.Float(10.5f);
    b.Float(-20.25f);
    b.Int(0);
    b.Str("Item_Copper");
    b.Int(2);
    b.Float(1.0f);
    b.Float(-2.0f);
    b.Int(7);
    b.Float(3.0f);
    b.Float(-4.0f);
    b.Int(1);
    b.Int(5);
    b.Int(2);
    b.Int(12);
    b.Int(static_cast<uint32_t>(-3));
    b.Float(75.5f);
    b.Float(-211.6f);
    b.Float(37.0f);
    for (uint32_t v : {4u, 10u, 1250u, 80u, 3u, 2u}) {
        b.Int(v);
    }
    b.data.push_back(1);
    b.Str("Item_PlasticDrill");
    b.Int(1);
    b.Str("Item_DirtBlock");
    b.Int(25);

    const std::vector<uint8_t> written = EncodeSavedGame(game);
    ASSERT_EQ(written.size(), b.data.size());
    EXPECT_TRUE(written == b.data);
    // The player section starts where its offset says.
    EXPECT_EQ(std::bit_cast<float>(written[4 + 64528 + things + 8] | written[4 + 64528 + things + 9] << 8 |
                                   written[4 + 64528 + things + 10] << 16 |
                                   static_cast<uint32_t>(written[4 + 64528 + things + 11]) << 24),
              75.5f);

    SavedGame read;
    std::string fault;
    ASSERT_TRUE(DecodeSavedGame(written, read, fault)) << fault;
    EXPECT_TRUE(EncodeSavedGame(read) == written);
    EXPECT_EQ(read.Items[1].Name, "Item_DirtBlock");
    EXPECT_EQ(read.Groups[1].Things[0].Quantity, 7);
    EXPECT_TRUE(read.BossDefeated);

    // No things: T = 0.
    SavedGame empty;
    empty.UnlockCounts = {1, 2, 3};
    const std::vector<uint8_t> bare = EncodeSavedGame(empty);
    Bytes header;
    for (uint32_t v : {12u, 64520u, 64520u, 64528u + 4 * 3}) {
        header.Int(v);
    }
    EXPECT_TRUE(std::equal(header.data.begin(), header.data.end(), bare.begin()));
    EXPECT_EQ(bare.size(), 16u + 8 + 64500 + 8 + 12 + 37);
    ASSERT_TRUE(DecodeSavedGame(bare, read, fault)) << fault;
    EXPECT_TRUE(read.Groups.empty() && read.Items.empty());
}

TEST(SaveFormatTest, TheReaderRefusesWhatNoWriterProducesAndSaysWhere) {
    const std::vector<uint8_t> good = EncodeSavedGame(Sample());
    const size_t things = 4 + 64520;
    const size_t unlock = things + (8 + 5 + 12) + (11 + 5 + 24);
    const size_t player = unlock + 16;
    const size_t items = player + 37;
    const auto refused = [](std::vector<uint8_t> bytes, const char* section) {
        SavedGame game;
        std::string fault;
        const bool ok = DecodeSavedGame(bytes, game, fault);
        return !ok && fault.rfind(section, 0) == 0 ? ::testing::AssertionSuccess()
                                                   : ::testing::AssertionFailure() << "fault: " << fault;
    };
    const auto with = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        return bytes;
    };
    const auto cut = [&](size_t size) {
        return std::vector<uint8_t>(good.begin(), good.begin() + size);
    };

    EXPECT_TRUE(refused({}, "header"));
    EXPECT_TRUE(refused(cut(15), "header"));
    EXPECT_TRUE(refused(with(0, 13), "header"));
    EXPECT_TRUE(refused(with(4, 64521), "header"));
    EXPECT_TRUE(refused(with(8, 64519), "header"));
    EXPECT_TRUE(refused(with(12, 0x7fffffff), "header"));
    EXPECT_TRUE(refused(with(12, 0x80000000), "header"));
    EXPECT_TRUE(refused(with(16, 151), "grid"));
    EXPECT_TRUE(refused(with(20, 0), "grid"));
    // Things: a count past the section, a negative one, a section ending mid-record, names out of
    // order, a NaN position, a negative quantity.
    EXPECT_TRUE(refused(with(things + 9, 0x7fffffff), "things"));
    EXPECT_TRUE(refused(with(things + 9, 0xffffffff), "things"));
    EXPECT_TRUE(refused(with(8, static_cast<uint32_t>(unlock - 4 - 4)), "things"));
    std::vector<uint8_t> swapped = good;
    swapped[things] = 'J'; // "Jn_Chest" sorts after "Item_Copper"
    EXPECT_TRUE(refused(swapped, "things"));
    EXPECT_TRUE(refused(with(things + 13, 0x7fc00000), "things"));
    EXPECT_TRUE(refused(with(things + 25 + 16 + 8, 0xffffffff), "things"));
    std::vector<uint8_t> unnamed = good;
    unnamed[things] = 0;
    EXPECT_TRUE(refused(unnamed, "things"));
    // Unlock: a count that does not reach the player offset exactly.
    EXPECT_TRUE(refused(with(unlock + 4, 3), "unlock"));
    EXPECT_TRUE(refused(with(unlock + 4, 0x40000001), "unlock"));
    EXPECT_TRUE(refused(with(unlock + 4, 0xffffffff), "unlock"));
    // Player: an infinite position, a boss byte that is no boolean.
    EXPECT_TRUE(refused(with(player + 4, 0x7f800000), "player"));
    std::vector<uint8_t> boss = good;
    boss[items - 1] = 2;
    EXPECT_TRUE(refused(boss, "player"));
    // Items: cut inside a name or a quantity, an unterminated or overlong name, an empty name.
    for (size_t size : {items + 3, items + 18, items + 20, good.size() - 1}) {
        EXPECT_TRUE(refused(cut(size), "items")) << size;
    }
    std::vector<uint8_t> overlong = good;
    overlong.insert(overlong.begin() + static_cast<std::ptrdiff_t>(items), 300, 'x');
    EXPECT_TRUE(refused(overlong, "items"));
    std::vector<uint8_t> empty = cut(items);
    empty.insert(empty.end(), {0, 1, 0, 0, 0});
    EXPECT_TRUE(refused(empty, "items"));
    // Every cut before the items is refused: the header's offsets fix the size of all that.
    for (size_t size = 0; size < items; size += 997) {
        EXPECT_TRUE(refused(cut(size), "")) << size;
    }
    for (size_t size : {things, unlock, unlock + 4, player, items - 1}) {
        EXPECT_TRUE(refused(cut(size), "")) << size;
    }
    // A file of a foreign kind.
    const std::string text = "{\"Money\": 1000000}";
    EXPECT_TRUE(refused(std::vector<uint8_t>(text.begin(), text.end()), "header"));
}

// The fuzz seeds were written by a separate little script from the layout alone.
TEST(SaveFormatTest, FilesOfAnIndependentWriterReadBackAndWriteOutUnchanged) {
    const std::string folder = std::string(KELVANE_SOURCE_DIR) + "/tests/fuzz/seeds/save_file/";
    for (const char* name : {"played.sav", "fresh.sav"}) {
        std::ifstream in(folder + name, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
        SavedGame game;
        std::string fault;
        ASSERT_TRUE(DecodeSavedGame(bytes, game, fault)) << name << ": " << fault;
        EXPECT_TRUE(EncodeSavedGame(game) == bytes) << name;
    }
    std::ifstream in(folder + "played.sav", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SavedGame game;
    std::string fault;
    ASSERT_TRUE(DecodeSavedGame(bytes, game, fault));
    EXPECT_EQ(game.Money, 1250);
    EXPECT_EQ(game.Groups.size(), 3u);
    EXPECT_EQ(game.Groups[2].Things[0].Quantity, 7);
    EXPECT_EQ(game.UnlockCounts, (std::vector<int32_t>{17, 0, 4}));
    EXPECT_EQ(game.Items.back().Name, "Item_ShrimpZapper");
}

} // namespace
