#include <gtest/gtest.h>

#include "components/DebugRectsBhv.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"

namespace {

class DebugRectsBhvTest : public ::testing::Test {
protected:
    DebugRectsBhvTest() {
        roots.GameplayRoot = &gameplay;
        holder.AddComponent(bhv);
        bhv->Start();
    }
    GameObject* AddRect() {
        auto* child = new GameObject;
        holder.AppendChild(child);
        return child;
    }

    DestroyQueues queues;
    Service<DestroyQueues>::Scoped queueScope{queues};
    SceneRoots roots;
    Service<SceneRoots>::Scoped rootScope{roots};
    GameObject gameplay;
    GameObject holder;
    DebugRectsBhv* bhv = new DebugRectsBhv;
};

TEST_F(DebugRectsBhvTest, ChildrenLastOneFrameWhileGameplayRuns) {
    AddRect();
    AddRect();
    EXPECT_EQ(WellKnown<DebugRectsBhv>::Get(), bhv);
    bhv->HandleInput();
    queues.Flush();
    EXPECT_TRUE(holder.Children.empty());
}

TEST_F(DebugRectsBhvTest, ChildrenStayWhileGameplayIsPaused) {
    AddRect();
    gameplay.UpdateEnabled = false;
    bhv->HandleInput();
    queues.Flush();
    EXPECT_EQ(holder.Children.size(), 1u);
}

TEST_F(DebugRectsBhvTest, AChildAlreadyQueuedIsNotQueuedTwice) {
    GameObject* child = AddRect();
    child->DestroyLater();
    bhv->HandleInput();
    queues.Flush(); // a double entry would delete it twice
    EXPECT_TRUE(holder.Children.empty());
}

TEST_F(DebugRectsBhvTest, TheCurrentInstanceClearsOnlyItself) {
    auto* other = new DebugRectsBhv;
    holder.AddComponent(other);
    other->Start();
    holder.RemoveComponent(bhv);
    delete bhv;
    EXPECT_EQ(WellKnown<DebugRectsBhv>::Get(), other);
    holder.RemoveComponent(other);
    delete other;
    EXPECT_EQ(WellKnown<DebugRectsBhv>::Get(), nullptr);
}

} // namespace
