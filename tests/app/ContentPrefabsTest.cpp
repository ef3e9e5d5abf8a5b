// The shipped prefabs against the full class list the game registers: every file loads, names only
// registered classes and known property keys, and saves back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/RegisterAllClasses.h"
#include "prefabs/Prefab.h"
#include "prefabs/PrefabManager.h"
#include "reflection/ComponentRegistry.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ContentPrefabsTest, EveryShippedPrefabLoadsWithTheGamesClassesAndSavesBackIdentically) {
    const std::filesystem::path folder = std::filesystem::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";
    PrefabManager manager;
    manager.RegisterAll(RegisterAllClasses, folder); // throws on any unregistered class or bad file
    ASSERT_TRUE(manager.Contains("GameplayRoot"));
    int checked = 0;
    for (const auto& [name, prefab] : manager.Prefabs) {
        const std::string original = ReadFile(folder / (name + ".json"));
        EXPECT_EQ(manager.WritePrefab(*prefab), original) << name;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator())));
}

TEST(ContentPrefabsTest, EveryClassTheGameRegistersHasAWorkingPrototype) {
    ComponentRegistry registry;
    RegisterAllClasses(registry);
    registry.BuildPrototypes();
    for (const std::string& name : registry.GetNames()) {
        const IEditable& prototype = registry.GetPrototype(name);
        EXPECT_EQ(prototype.Type, registry.GetClassIdentity(name)) << name;
    }
}

} // namespace
