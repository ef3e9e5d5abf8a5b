#include "SceneFixture.h"
#include "core/Behavior.h"
#include "core/GameObject.h"

namespace {

// Counts its own destruction, so a double delete (or a missed one) shows.
class CountedBhv : public Behavior {
public:
    explicit CountedBhv(int& deaths) : deaths_(deaths) {}
    ~CountedBhv() override { ++deaths_; }

private:
    int& deaths_;
};

using DestroyQueuesTest = SceneFixture;

TEST_F(DestroyQueuesTest, DestroyLaterTwiceQueuesOnceAndTheObjectLivesUntilTheFlush) {
    GameObject root;
    auto* victim = new GameObject;
    int deaths = 0;
    victim->AddComponent(new CountedBhv(deaths));
    root.AppendChild(victim);

    victim->DestroyLater();
    victim->DestroyLater();
    EXPECT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(deaths, 0);

    queues.Flush();
    EXPECT_TRUE(root.Children.empty());
    EXPECT_EQ(deaths, 1);
}

TEST_F(DestroyQueuesTest, ObjectAndItsDescendantAndComponentQueuedTogetherDieOnce) {
    int deaths = 0;
    for (int order = 0; order < 2; ++order) {
        GameObject root;
        auto* parent = new GameObject;
        auto* child = new GameObject;
        auto* grandchild = new GameObject;
        root.AppendChild(parent);
        parent->AppendChild(child);
        child->AppendChild(grandchild);
        auto* parentBhv = new CountedBhv(deaths);
        auto* grandchildBhv = new CountedBhv(deaths);
        parent->AddComponent(parentBhv);
        grandchild->AddComponent(grandchildBhv);

        deaths = 0;
        if (order == 0) {
            parent->DestroyLater();
            grandchild->DestroyLater();
            grandchildBhv->DestroyLater();
            parentBhv->DestroyLater();
        } else {
            grandchildBhv->DestroyLater();
            grandchild->DestroyLater();
            parent->DestroyLater();
        }
        queues.Flush();
        EXPECT_EQ(deaths, 2) << "queue order " << order;
        EXPECT_TRUE(root.Children.empty());
    }
}

TEST_F(DestroyQueuesTest, QueuedEntriesDeletedWithTheirTreeBeforeTheFlushAreNotDeletedAgain) {
    int deaths = 0;
    auto* tree = new GameObject;
    auto* thing = new GameObject;
    tree->AppendChild(thing);
    auto* bhv = new CountedBhv(deaths);
    auto* other = new GameObject;
    tree->AppendChild(other);
    other->AddComponent(bhv);
    thing->DestroyLater();
    bhv->DestroyLater();
    delete tree; // a failed start-up drops the half-built tree at once
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(queues.Empty());
    queues.Flush();
    EXPECT_EQ(deaths, 1);
}

TEST_F(DestroyQueuesTest, QueuedComponentOfALiveObjectIsDetachedAndDeleted) {
    GameObject object;
    int deaths = 0;
    auto* a = new CountedBhv(deaths);
    auto* b = new CountedBhv(deaths);
    object.AddComponent(a);
    object.AddComponent(b);
    a->DestroyLater();
    queues.Flush();
    EXPECT_EQ(deaths, 1);
    ASSERT_EQ(object.Behaviors.size(), 1u);
    EXPECT_EQ(object.Behaviors[0], b);
}

TEST_F(DestroyQueuesTest, ManySiblingsAreDeletedInLinearTime) {
    // Quadratic removal would take seconds here; the test would time out rather than fail.
    GameObject root;
    for (int i = 0; i < 200'000; ++i) {
        root.AppendChild(new GameObject);
    }
    GameObject* doomed = new GameObject;
    root.AppendChild(doomed);
    doomed->DestroyLater();
    queues.Flush();
    EXPECT_EQ(root.Children.size(), 200'000u);
}

} // namespace
