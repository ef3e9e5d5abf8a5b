#include <string>
#include <vector>

#include "SceneFixture.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"

namespace {

std::vector<std::string> journal;

class LoggingBhv : public Behavior {
public:
    explicit LoggingBhv(std::string tag) : tag_(std::move(tag)) {}
    void HandleInput() override { journal.push_back("input " + tag_); }
    void Update() override { journal.push_back("update " + tag_); }

private:
    std::string tag_;
};

// Adds a sibling behaviour the first time it updates: the pass must reach it in the same frame.
class SpawningBhv : public Behavior {
public:
    void Update() override {
        if (!spawned_) {
            spawned_ = true;
            Owner->AddComponent(new LoggingBhv("late"));
        }
    }

private:
    bool spawned_ = false;
};

// Records body activity as the physics body would.
class FakeBody : public Component {
public:
    ShortcutSlot Slot() const override { return ShortcutSlot::Body; }
    void SetBodyActive(bool active) override { this->active = active; }
    bool active = true;
};

class ObjectPassesTest : public SceneFixture {
protected:
    ObjectPassesTest() { journal.clear(); }
};

TEST_F(ObjectPassesTest, ClearedFlagSkipsTheWholeSubtreeForThatPassOnly) {
    GameObject root;
    root.AddComponent(new LoggingBhv("root"));
    auto* child = new GameObject;
    child->AddComponent(new LoggingBhv("child"));
    root.AppendChild(child);
    auto* grandchild = new GameObject;
    grandchild->AddComponent(new LoggingBhv("grandchild"));
    child->AppendChild(grandchild);

    child->UpdateEnabled = false;
    InputPass(root);
    UpdatePass(root);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"input root", "input child", "input grandchild", "update root"}));
}

TEST_F(ObjectPassesTest, BehaviourAddedDuringThePassIsReachedInTheSamePass) {
    GameObject root;
    root.AddComponent(new SpawningBhv);
    UpdatePass(root);
    EXPECT_EQ(journal, (std::vector<std::string>{"update late"}));
}

TEST_F(ObjectPassesTest, BodiesFollowEveryUpdateFlagUpToTheStartingObject) {
    GameObject gameplay;
    auto* rootBody = new FakeBody;
    gameplay.AddComponent(rootBody);
    auto* middle = new GameObject;
    gameplay.AppendChild(middle);
    auto* leaf = new GameObject;
    auto* leafBody = new FakeBody;
    leaf->AddComponent(leafBody);
    middle->AppendChild(leaf);

    middle->UpdateEnabled = false;
    BodyActivityPass(gameplay, gameplay.UpdateEnabled);
    EXPECT_TRUE(rootBody->active);
    EXPECT_FALSE(leafBody->active);

    middle->UpdateEnabled = true;
    BodyActivityPass(gameplay, gameplay.UpdateEnabled);
    EXPECT_TRUE(leafBody->active);

    gameplay.UpdateEnabled = false;
    BodyActivityPass(gameplay, gameplay.UpdateEnabled);
    EXPECT_FALSE(rootBody->active);
    EXPECT_FALSE(leafBody->active);
}

} // namespace
