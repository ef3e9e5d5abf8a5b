// Bodies and fixtures built from prefab files: components apply in list order and properties in
// key order, so a fixture is built at instantiation only when a body component with a recorded
// property comes before it, and then with its recorded material.
#include "PhysicsFixture.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "physics/RegisterPhysicsClasses.h"
#include "prefabs/PrefabManager.h"

namespace {

class PrefabBodyTest : public PhysicsTest {
protected:
    PrefabBodyTest() {
        std::random_device rd;
        folder = std::filesystem::temp_directory_path() / ("kelvane-physics-" + std::to_string(rd()));
        std::filesystem::create_directories(folder);
    }
    ~PrefabBodyTest() override { std::filesystem::remove_all(folder); }

    void Write(const std::string& name, const std::string& components) {
        std::ofstream(folder / (name + ".json"))
            << R"({"Components": )" << components << R"(, "AutoCreate": ""})";
    }

    std::filesystem::path folder;
    PrefabManager manager;
    Service<PrefabManager>::Scoped installed{manager};
};

TEST_F(PrefabBodyTest, PhysicsClassesAreRegisteredByName) {
    manager.RegisterAll(RegisterPhysicsClasses, folder);
    for (const char* name :
         {"B2BodyComponent", "B2FixtureComponent", "FixtureMouseListenerBhv", "FixtureMouseManagerBhv"}) {
        EXPECT_TRUE(manager.Registry.Contains(name)) << name;
    }
    EXPECT_EQ(world->GetBodyCount(), 0); // prototypes make no bodies
}

TEST_F(PrefabBodyTest, BodyWithARecordedPropertyBeforeTheFixtureGetsItBuilt) {
    Write("Crate", R"({"B2BodyComponent": {"Type": "2", "Pos": {"X": "3", "Y": "4"}},
                      "B2FixtureComponent": {"Shape": "Box 1 1", "Friction": "0.5", "IsSensor": "true"}})");
    manager.RegisterAll(RegisterPhysicsClasses, folder);
    GameObject crate("Crate");
    auto* fixture = crate.GetComponentOfType<B2FixtureComponent>();
    ASSERT_NE(fixture->fixture, nullptr);
    EXPECT_EQ(fixture->fixture->GetFriction(), 0.5f);
    EXPECT_TRUE(fixture->fixture->IsSensor());
    EXPECT_EQ(crate.Body()->GetBody()->GetType(), b2_dynamicBody);
    EXPECT_EQ(crate.GetPosition(), Vector2(3.0f, 4.0f));
}

TEST_F(PrefabBodyTest, UntouchedOrLaterBodyLeavesTheFixtureUnbuilt) {
    Write("Bare", R"({"B2BodyComponent": {}, "B2FixtureComponent": {"Shape": "Circle 1"}})");
    Write("Late", R"({"B2FixtureComponent": {"Shape": "Circle 1"}, "B2BodyComponent": {"Type": "2"}})");
    manager.RegisterAll(RegisterPhysicsClasses, folder);
    GameObject bare("Bare");
    EXPECT_EQ(bare.GetComponentOfType<B2FixtureComponent>()->fixture, nullptr);
    EXPECT_FALSE(bare.Body()->HasBody());
    GameObject late("Late");
    EXPECT_EQ(late.GetComponentOfType<B2FixtureComponent>()->fixture, nullptr);
    EXPECT_EQ(late.GetComponentOfType<B2FixtureComponent>()->GetShapeText(), "Circle 1");
    late.Body()->SetMirrored(false); // mirroring unchanged: still nothing rebuilt
    EXPECT_EQ(late.GetComponentOfType<B2FixtureComponent>()->fixture, nullptr);
    late.Body()->SetMirrored(true);
    EXPECT_NE(late.GetComponentOfType<B2FixtureComponent>()->fixture, nullptr);
}

TEST_F(PrefabBodyTest, SavedPrefabKeepsTheShapeText) {
    Write("Wedge",
          R"({"B2BodyComponent": {"Type": "1"}, "B2FixtureComponent": {"Shape": "Polygon 0 0 1 0 0 1"}})");
    manager.RegisterAll(RegisterPhysicsClasses, folder);
    const std::string text = manager.WritePrefab(*manager.Find("Wedge"));
    EXPECT_NE(text.find("\"Shape\": \"Polygon 0 0 1 0 0 1\""), std::string::npos) << text;
}

} // namespace
