// Editing prefabs in the editor: rename and duplicate numbering, reordering, SaveAll, class names.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "PrefabFixture.h"
#include "core/ContentError.h"
#include "editor/PrefabEditor.h"

namespace {

const char* const EmptyText = "{\n    \"Components\": \"\",\n    \"AutoCreate\": \"\"\n}\n";

class PrefabEditTest : public PrefabTest {
protected:
    void Load(std::initializer_list<const char*> names) {
        for (const char* name : names)
            Write(std::string(name) + ".json", EmptyText);
        LoadAll();
    }
};

TEST_F(PrefabEditTest, RenameToOwnNameDoesNothing) {
    Load({"A"});
    EXPECT_FALSE(PrefabEditor(manager).Rename(*manager.Find("A"), "A"));
    EXPECT_NE(manager.Find("A"), nullptr);
}

TEST_F(PrefabEditTest, RenameOntoATakenNameNumbers) {
    Load({"A", "B", "B.001"});
    Prefab* a = manager.Find("A");
    EXPECT_TRUE(PrefabEditor(manager).Rename(*a, "B"));
    EXPECT_EQ(a->Name, "B.002");
    EXPECT_EQ(manager.Find("B.002"), a);
    EXPECT_EQ(manager.Find("A"), nullptr);
    EXPECT_TRUE(PrefabEditor(manager).Rename(*a, "C"));
    EXPECT_EQ(manager.Find("C"), a);
}

TEST_F(PrefabEditTest, DuplicateStripsTheNumberAndTakesTheFirstFree) {
    Load({"Foo", "Foo.001", "Shrimp.12"});
    Prefab* copy = PrefabEditor(manager).Duplicate(*manager.Find("Foo"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Name, "Foo.002");
    EXPECT_FALSE(copy->Dirty);
    Prefab* again = PrefabEditor(manager).Duplicate(*copy);
    EXPECT_EQ(again->Name, "Foo.003");
    // Only a three-digit suffix counts as a number.
    EXPECT_EQ(PrefabEditor(manager).Duplicate(*manager.Find("Shrimp.12"))->Name, "Shrimp.12.001");
    EXPECT_EQ(manager.Find("Foo_temp"), nullptr);
}

TEST_F(PrefabEditTest, DuplicateCopiesComponentsEntriesAndValues) {
    Write("Src.json", R"({"Components": {"ProbeBhv": {"Speed": "9", "Tint": {"A": "1", "Rgb": "102030"}}},
        "AutoCreate": [{"Name": "kid", "Prefab": "Kid", "InstanceProperties": {"OtherBhv": {"Count": "2"}}}]})");
    Write("Kid.json", EmptyText);
    LoadAll();
    Prefab* src = manager.Find("Src");
    Prefab* copy = PrefabEditor(manager).Duplicate(*src);
    ASSERT_EQ(copy->Name, "Src.001");
    ASSERT_EQ(copy->Components.size(), 1u);
    EXPECT_NE(copy->Components[0].get(), src->Components[0].get());
    EXPECT_EQ(copy->Components[0]->GetPropertyText("Speed"), "9");
    EXPECT_EQ(copy->Components[0]->GetPropertyText("Tint", 1), "102030");
    EXPECT_EQ(manager.WritePrefab(*copy), manager.WritePrefab(*src));
    // The copy's holders are its own.
    src->Components[0]->SetPropertyText("Speed", 0, "1");
    EXPECT_EQ(copy->Components[0]->GetPropertyText("Speed"), "9");
    ASSERT_EQ(copy->AutoCreates.size(), 1u);
    EXPECT_EQ(copy->AutoCreates[0]->Owner, copy);
    EXPECT_EQ(copy->AutoCreates[0]->Name, "kid");
    EXPECT_EQ(copy->AutoCreates[0]->InstanceProperties[0]->GetPropertyText("Count"), "2");
}

TEST_F(PrefabEditTest, SaveAllDeletesOrphansAndSavesDirty) {
    Load({"Keep", "Gone"});
    Write("notes.txt", "x");
    PrefabEditor(manager).Rename(*manager.Find("Gone"), "Renamed");
    manager.Find("Renamed")->Dirty = true;
    Write("Keep.json", "stale but not dirty");
    PrefabEditor(manager).SaveAll();
    EXPECT_FALSE(std::filesystem::exists(folder / "Gone.json"));
    EXPECT_EQ(Read("Renamed.json"), EmptyText);
    EXPECT_EQ(Read("Keep.json"), "stale but not dirty");
    EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt"));
    EXPECT_FALSE(manager.Find("Renamed")->Dirty);
}

TEST_F(PrefabEditTest, MoveComponentClamps) {
    Write("M.json",
          R"({"Components": {"Pos2dComponent": "", "ProbeBhv": "", "OtherBhv": ""}, "AutoCreate": ""})");
    LoadAll();
    Prefab& p = *manager.Find("M");
    PrefabComponent* first = p.Components[0].get();
    PrefabComponent* second = p.Components[1].get();
    EXPECT_FALSE(PrefabEditor::MoveComponent(p, first, -1));
    EXPECT_TRUE(PrefabEditor::MoveComponent(p, second, 5));
    EXPECT_EQ(p.Components[2].get(), second);
    EXPECT_EQ(p.Components[0].get(), first);
}

TEST_F(PrefabEditTest, MoveAutoCreateSwapsWithinRangeOnly) {
    Write("E.json",
          R"({"Components": "", "AutoCreate": [{"Prefab": "a"}, {"Prefab": "b"}, {"Prefab": "c"}]})");
    Load({"a", "b", "c"});
    Prefab& p = *manager.Find("E");
    AutoCreate* last = p.AutoCreates[2].get();
    PrefabEditor::MoveAutoCreate(last, 1);
    EXPECT_FALSE(p.Dirty);
    EXPECT_EQ(p.AutoCreates[2].get(), last);
    PrefabEditor::MoveAutoCreate(last, -2);
    EXPECT_TRUE(p.Dirty);
    EXPECT_EQ(p.AutoCreates[0].get(), last);
    EXPECT_EQ(p.AutoCreates[2]->PrefabName, "a");
}

TEST_F(PrefabEditTest, ClassNamesOfPrefabComponentsAndLiveComponents) {
    Write("C.json", R"({"Components": {"ProbeBhv": ""}, "AutoCreate": ""})");
    LoadAll();
    EXPECT_EQ(PrefabEditor(manager).GetClassName(*manager.Find("C")->Components[0]), "ProbeBhv");
    auto made = manager.Registry.Create("OtherBhv");
    EXPECT_EQ(PrefabEditor(manager).GetClassName(*made), "OtherBhv");
    ProbeBhv unregisteredInstance; // not made by a factory: no Type
    EXPECT_EQ(PrefabEditor(manager).GetClassName(unregisteredInstance), "");
    EXPECT_EQ(PrefabEditor(manager).GetClassName(*manager.Registry.Create("PrefabComponent")), "");
}

// An installed game's prefabs: the player's overlay lies over the shipped folder, takes every save
// and can be dropped again for one prefab; a broken overlay file is named like any broken content.
TEST_F(PrefabEditTest, AnOverlayLiesOverTheShippedPrefabsTakesTheSavesAndRevertsOnePrefab) {
    const std::filesystem::path overlay = folder / "overlay";
    Write("A.json", R"({"Components": {"ProbeBhv": {"Speed": "1"}}, "AutoCreate": ""})");
    Write("B.json", EmptyText);
    std::filesystem::create_directories(overlay);
    std::ofstream(overlay / "A.json") << R"({"Components": {"ProbeBhv": {"Speed": "5"}}, "AutoCreate": ""})";
    std::ofstream(overlay / "C.json") << R"({"Components": "", "AutoCreate": [{"Prefab": "A"}]})";
    LoadAll();
    manager.Load(folder, overlay);
    EXPECT_EQ(manager.Folder, overlay);
    EXPECT_EQ(manager.ShippedFolder, folder);
    Prefab* a = manager.Find("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Components[0]->GetPropertyText("Speed"), "5");
    ASSERT_NE(manager.Find("C"), nullptr);
    EXPECT_TRUE(PrefabEditor(manager).HasOverlayCopy(*a));
    EXPECT_FALSE(PrefabEditor(manager).HasOverlayCopy(*manager.Find("B")));
    EXPECT_FALSE(PrefabEditor(manager).HasOverlayCopy(*manager.Find("C"))); // nothing shipped to go back to
    EXPECT_FALSE(PrefabEditor(manager).RevertToShipped(*manager.Find("C")));

    Prefab* b = manager.Find("B");
    b->Dirty = true;
    ASSERT_TRUE(PrefabEditor(manager).SaveAll());
    EXPECT_TRUE(std::filesystem::exists(overlay / "B.json"));
    EXPECT_EQ(Read("B.json"), EmptyText);
    EXPECT_TRUE(PrefabEditor(manager).HasOverlayCopy(*b));

    a->Dirty = true;
    ASSERT_TRUE(PrefabEditor(manager).RevertToShipped(*a));
    EXPECT_EQ(manager.Find("A"), a);
    EXPECT_FALSE(a->Dirty);
    EXPECT_EQ(a->Components[0]->GetPropertyText("Speed"), "1");
    EXPECT_FALSE(std::filesystem::exists(overlay / "A.json"));
    EXPECT_FALSE(PrefabEditor(manager).RevertToShipped(*a));

    std::ofstream(overlay / "D.json") << "{ \"Components\": ";
    try {
        manager.Load(folder, overlay);
        ADD_FAILURE() << "a broken overlay file loaded";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), (overlay / "D.json").string());
    }
    EXPECT_EQ(manager.Find("A"), a); // nothing changed
}

} // namespace
