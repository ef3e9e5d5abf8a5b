// Building objects from prefabs: components, children, names, Start order, overrides, Reinstantiate.
#include <gtest/gtest.h>

#include "PrefabFixture.h"
#include "core/ContentError.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"

namespace {

class InstantiateTest : public PrefabTest {
protected:
    void SetUp() override {
        PrefabTest::SetUp();
        Write("Leaf.json", R"({"Components": {"ProbeBhv": {"Speed": "2"}}, "AutoCreate": ""})");
        Write("Twin.json", R"({"Components": {"OtherBhv": {"Count": "1"}, "OtherBhv": {"Count": "2"}},
            "AutoCreate": ""})");
        Write("Parent.json", R"({
            "Components": {"Pos2dComponent": {"IsRelative": "true", "Pos": {"X": "3", "Y": "4"}},
                           "ProbeBhv": {"Label": "a\\nb"}},
            "AutoCreate": [
                {"Name": "First", "Prefab": "Leaf"},
                {"Prefab": "Leaf", "InstanceProperties": {"ProbeBhv": {"Speed": "7"}, "OtherBhv": {"Count": "5"}}},
                {"Name": "T", "Prefab": "Twin", "InstanceProperties": {"OtherBhv": {"Count": "9"}}}
            ]})");
        LoadAll();
    }
};

TEST_F(InstantiateTest, ComponentsInOrderWithRecordedValuesAndDefaults) {
    GameObject object("Parent");
    EXPECT_EQ(object.PrefabName, "Parent");
    EXPECT_EQ(object.Name, "Parent");
    ASSERT_EQ(object.Components.size(), 2u);
    auto* pos = dynamic_cast<Pos2dComponent*>(object.Components[0]);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->Pos, Vector2(3, 4));
    EXPECT_TRUE(pos->IsRelative);
    EXPECT_EQ(pos->Rotation, 0.0f);
    auto* probe = object.GetComponentOfType<ProbeBhv>();
    EXPECT_EQ(probe->Label, "a\nb");
    EXPECT_EQ(probe->Speed, 1.0f); // not in the file: the class default
    EXPECT_EQ(probe->Owner, &object);
    EXPECT_EQ(object.Behaviors.size(), 1u);
}

TEST_F(InstantiateTest, ChildrenNamedAttachedAndOverridden) {
    GameObject object("Parent");
    ASSERT_EQ(object.Children.size(), 3u);
    EXPECT_EQ(object.Children[0]->Name, "First");
    EXPECT_EQ(object.Children[1]->Name, "Leaf"); // unnamed entry: named after its prefab
    EXPECT_EQ(object.Children[1]->Parent, &object);
    EXPECT_EQ(object.Children[0]->GetComponentOfType<ProbeBhv>()->Speed, 2.0f);
    EXPECT_EQ(object.Children[1]->GetComponentOfType<ProbeBhv>()->Speed, 7.0f);
}

TEST_F(InstantiateTest, OverrideForAMissingClassAddsAComponentWithoutStart) {
    GameObject object("Parent");
    GameObject* leaf = object.Children[1];
    ASSERT_EQ(leaf->Components.size(), 2u);
    auto* added = leaf->GetComponentOfType<OtherBhv>();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Count, 5);
    EXPECT_EQ(added->Starts, 0);
    EXPECT_EQ(leaf->GetComponentOfType<ProbeBhv>()->Starts, 1);
}

TEST_F(InstantiateTest, OverrideGoesToTheFirstOfTwoSameClassComponents) {
    GameObject object("Parent");
    GameObject* twin = object.FindChild("T");
    ASSERT_EQ(twin->Components.size(), 2u);
    EXPECT_EQ(twin->GetComponentOfType<OtherBhv>(0)->Count, 9);
    EXPECT_EQ(twin->GetComponentOfType<OtherBhv>(1)->Count, 2);
}

TEST_F(InstantiateTest, ChildrenStartBeforeTheirParent) {
    GameObject object("Parent");
    EXPECT_EQ(ProbeBhv::StartLog, (std::vector<std::string>{"Leaf", "Leaf", "Parent"}));
    EXPECT_EQ(object.GetComponentOfType<ProbeBhv>()->Starts, 1);
}

TEST_F(InstantiateTest, ReinstantiateReplacesInPlaceAndQueuesTheOld) {
    DestroyQueues queues;
    Service<DestroyQueues>::Scoped installedQueues(queues);
    GameObject root;
    auto* old = new GameObject("Parent");
    auto* after = new GameObject("Leaf");
    root.AppendChild(old);
    root.AppendChild(after);
    old->Name = "Renamed";
    old->GetComponentOfType<ProbeBhv>()->Speed = 99.0f;
    GameObject* fresh = old->Reinstantiate();
    ASSERT_EQ(root.Children.size(), 3u);
    EXPECT_EQ(root.Children[0], fresh);
    EXPECT_EQ(root.Children[1], old);
    EXPECT_EQ(fresh->Parent, &root);
    EXPECT_EQ(fresh->Name, "Parent");
    EXPECT_EQ(fresh->GetComponentOfType<ProbeBhv>()->Speed, 1.0f);
    EXPECT_TRUE(old->PendingDestroy);
    queues.Flush();
    EXPECT_EQ(root.Children, (std::vector<GameObject*>{fresh, after}));
}

TEST_F(InstantiateTest, AMissingPrefabIsAContentErrorNamingIt) {
    try {
        GameObject object("Nope");
        ADD_FAILURE() << "built from a missing prefab";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.Problem(), "no prefab named \"Nope\"");
    }
}

} // namespace
