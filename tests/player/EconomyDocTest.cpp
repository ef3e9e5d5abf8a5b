// docs/economy.md against the shipped prefabs: every mineral's value, every good's price and when
// the store offers it, every drill and every diggable tile appear in the document as the content
// has them, so a change to one without the other fails here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

namespace {

namespace fs = std::filesystem;
using boost::property_tree::ptree;

const fs::path Prefabs = fs::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ptree ReadPrefab(const fs::path& path) {
    ptree tree;
    boost::property_tree::read_json(path.string(), tree);
    return tree;
}

// The prefabs whose names begin with the prefix, by name.
std::map<std::string, ptree> PrefabsNamed(const std::string& prefix) {
    std::map<std::string, ptree> found;
    for (const auto& entry : fs::directory_iterator(Prefabs)) {
        const std::string stem = entry.path().stem().string();
        if (stem.rfind(prefix, 0) == 0 && entry.path().extension() == ".json") {
            found.emplace(stem, ReadPrefab(entry.path()));
        }
    }
    return found;
}

// Each line of the document that is a table row, and the rows the content calls for that it lacks.
class EconomyDoc {
public:
    EconomyDoc() : text_(ReadFile(fs::path(KELVANE_SOURCE_DIR) / "docs" / "economy.md")) {}

    void Expect(const std::string& row) {
        ++checked_;
        if (text_.find("\n" + row + "\n") == std::string::npos) {
            missing_ += "  " + row + "\n";
        }
    }
    const std::string& Missing() const { return missing_; }
    int Checked() const { return checked_; }
    bool Empty() const { return text_.empty(); }

private:
    std::string text_;
    std::string missing_;
    int checked_ = 0;
};

std::string Money(int amount) {
    return "$" + std::to_string(amount);
}

TEST(EconomyDocTest, TheEconomyDocumentShowsTheShippedValuesPricesUnlocksDrillsAndTiles) {
    EconomyDoc doc;
    ASSERT_FALSE(doc.Empty()) << "docs/economy.md is missing";
    const std::map<std::string, ptree> items = PrefabsNamed("Item_");
    const ptree forSale = ReadPrefab(Prefabs / "ForSale.json");

    // What each unlock bit asks for: "after 30 Copper sold".
    std::map<int, std::string> unlockedBy;
    for (const auto& [key, unlock] : forSale.get_child("Components")) {
        if (key != "ItemUnlockComponent") {
            continue;
        }
        const ptree& needed = items.at(unlock.get<std::string>("NeededItemName"));
        unlockedBy[unlock.get<int>("UnlockBit")] =
            "after " + unlock.get<std::string>("QuantityNeeded") + " " +
            needed.get<std::string>("Components.ItemComponent.DisplayName") + " sold";
    }

    for (const auto& [name, prefab] : items) {
        const ptree& item = prefab.get_child("Components.ItemComponent");
        const std::string shown = item.get<std::string>("DisplayName");
        const int price = item.get<int>("Price", 0);
        const int bit = item.get<int>("UnlockBit", 0);
        if (bit == 0 && price > 0) {
            // A mineral: sold for half its price.
            doc.Expect("| " + shown + " | " + Money(price) + " | " + Money(price / 2) + " |");
        } else if (bit != 0) {
            // A good the store offers. The quick-slot expansions come one after another.
            std::string when = bit == 1 ? "from the start" : unlockedBy[bit];
            if (name == "Item_Quickslot4") {
                when = "after Quick Slot 3";
            } else if (name == "Item_Quickslot5") {
                when = "after Quick Slot 4";
            }
            doc.Expect("| " + shown + " | " + Money(price) + " | " + when + " |");
        }
        if (const auto drill = prefab.get_child_optional("Components.DrillBhv")) {
            doc.Expect("| " + shown + " | " + drill->get<std::string>("Hardness") + " | " +
                       drill->get<std::string>("DamageAmount") + " | " +
                       drill->get<std::string>("DamageFrequency") + " |");
        }
    }

    // Every tile that can be dug, with the time the starting drill takes on it.
    const ptree& starting = items.at("Item_PlasticDrill").get_child("Components.DrillBhv");
    const int hardness = starting.get<int>("Hardness");
    const int damage = starting.get<int>("DamageAmount");
    const float rate = starting.get<float>("DamageFrequency");
    for (const auto& [name, prefab] : PrefabsNamed("Tile_")) {
        const ptree& tile = prefab.get_child("Components.TileTypeBhv");
        const int resistance = tile.get<int>("DrillResistance", 0);
        if (tile.get<std::string>("IsSolid", "false") != "true" || resistance <= 0) {
            continue;
        }
        std::string time = "too hard";
        if (tile.get<int>("Hardness") <= hardness) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f s",
                          std::ceil(static_cast<float>(resistance) / damage) / rate);
            time = text;
        }
        doc.Expect("| " + name.substr(5) + " | " + tile.get<std::string>("Hardness") + " | " +
                   std::to_string(resistance) + " | " + time + " |");
    }

    EXPECT_GT(doc.Checked(), 30);
    EXPECT_EQ(doc.Missing(), "") << "docs/economy.md lacks these rows of the shipped content (or shows "
                                    "other numbers in them):\n"
                                 << doc.Missing();
}

} // namespace
