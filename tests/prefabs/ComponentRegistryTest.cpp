// The registry: byte-ordered names, factories setting the class identity, prototypes.
#include <gtest/gtest.h>

#include "PrefabFixture.h"

namespace {

TEST(ComponentRegistry, NamesInByteOrder) {
    ComponentRegistry registry;
    // Upper case < "_" < lower case: the order the editor lists classes in.
    registry.Register<OtherBhv>("EnemyComponent");
    registry.Register<ProbeBhv>("En_MantisShrimpBhv");
    registry.Register<Pos2dComponent>("EnStandardDamageBhv");
    EXPECT_EQ(registry.GetNames(),
              (std::vector<std::string>{"EnStandardDamageBhv", "En_MantisShrimpBhv", "EnemyComponent"}));
}

TEST(ComponentRegistry, PrototypesCarryTheRegisteredIdentity) {
    ComponentRegistry registry;
    RegisterTestClasses(registry);
    RegisterPrefabClasses(registry);
    registry.BuildPrototypes();
    for (const std::string& name : registry.GetNames()) {
        IEditable& prototype = registry.GetPrototype(name);
        ASSERT_NE(prototype.Type, nullptr) << name;
        EXPECT_EQ(*prototype.Type, *registry.GetClassIdentity(name)) << name;
        EXPECT_EQ(typeid(prototype), *registry.GetClassIdentity(name)) << name;
    }
    EXPECT_EQ(registry.GetPrototype("ProbeBhv").GetPropertyText("Speed"), "1");
}

TEST(ComponentRegistry, CreateMakesDetachedDefaults) {
    ComponentRegistry registry;
    RegisterTestClasses(registry);
    auto made = registry.Create("Pos2dComponent");
    auto* pos = dynamic_cast<Pos2dComponent*>(made.get());
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->Owner, nullptr);
    EXPECT_EQ(*made->Type, typeid(Pos2dComponent));
    EXPECT_NE(made.get(), registry.Create("Pos2dComponent").get());
}

TEST(ComponentRegistry, UnregisteredNamesThrow) {
    ComponentRegistry registry;
    RegisterTestClasses(registry);
    registry.BuildPrototypes();
    EXPECT_THROW(registry.Create("NoSuchBhv"), UnregisteredClassError);
    EXPECT_THROW(registry.GetClassIdentity("NoSuchBhv"), UnregisteredClassError);
    EXPECT_THROW(registry.GetPrototype("pos2dcomponent"), UnregisteredClassError);
}

} // namespace
