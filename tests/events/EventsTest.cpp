#include <algorithm>
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "core/Service.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "events/PlayerEvents.h"

namespace {

class EventHub : public ::testing::Test {
protected:
    Events events;
    Service<Events>::Scoped service{events};
    std::array<int, 4> subscribers{}; // stand-ins for behaviours: only their addresses matter
    std::vector<const void*> calls;

    auto Recorder(const void* subscriber) {
        return [this, subscriber](auto*) {
            calls.push_back(subscriber);
        };
    }
};

TEST_F(EventHub, HandlersRunInAscendingSubscriberOrderNotSubscriptionOrder) {
    Event<void>& event = Service<Events>::Get().Game->WorldGenerated;
    for (int i : {2, 0, 3, 1})
        event.Subscribe(&subscribers[i], Recorder(&subscribers[i]));
    event.Raise();
    std::vector<const void*> expected{&subscribers[0], &subscribers[1], &subscribers[2], &subscribers[3]};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(calls, expected);
}

TEST_F(EventHub, SubscribingTwiceLeavesTheLaterHandler) {
    int first = 0, second = 0;
    Event<void>& event = events.Player->PlayerEnteredBossArea;
    event.Subscribe(&subscribers[0], [&](void*) { ++first; });
    event.Subscribe(&subscribers[0], [&](void*) { ++second; });
    event.Raise();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(event.SubscriberCount(), 1u);
}

TEST_F(EventHub, UnsubscribedHandlersAreNotCalled) {
    Event<BossEventArgs>& event = events.Boss->BossDefeated;
    event.Subscribe(&subscribers[0], Recorder(&subscribers[0]));
    event.Subscribe(&subscribers[1], Recorder(&subscribers[1]));
    event.Unsubscribe(&subscribers[0]);
    event.Unsubscribe(&subscribers[0]); // not subscribed any more: nothing
    event.Unsubscribe(&subscribers[3]); // never subscribed: nothing
    event.Raise(nullptr);
    EXPECT_EQ(calls, (std::vector<const void*>{&subscribers[1]}));
}

TEST_F(EventHub, RaisingWithoutSubscribersDoesNothing) {
    events.Boss->BossAppeared.Raise(nullptr);
    events.Game->WorldLoaded.Raise();
    EXPECT_TRUE(calls.empty());
}

TEST_F(EventHub, BossHandlersReceiveTheRaisersArgument) {
    GameObject* const boss = reinterpret_cast<GameObject*>(&subscribers[3]); // never dereferenced
    GameObject* seen = nullptr;
    events.Boss->BossAppeared.Subscribe(&subscribers[0], [&](BossEventArgs* args) { seen = args->Boss; });
    BossEventArgs args{boss};
    events.Boss->BossAppeared.Raise(&args);
    EXPECT_EQ(seen, boss);
}

TEST_F(EventHub, EachEventKeepsItsOwnSubscribers) {
    events.Boss->BossDefeated.Subscribe(&subscribers[0], Recorder(&subscribers[0]));
    events.Boss->BossAppeared.Raise(nullptr);
    events.Boss->BossRemoved.Raise(nullptr);
    events.Player->PlayerLeftBossArea.Raise();
    EXPECT_TRUE(calls.empty());
    events.Boss->BossDefeated.Raise(nullptr);
    EXPECT_EQ(calls.size(), 1u);
}

// The boss's "player left" handler announces the removal from inside the raise.
TEST_F(EventHub, AHandlerMayRaiseAnotherEvent) {
    BossEventArgs args{};
    events.Player->PlayerLeftBossArea.Subscribe(&subscribers[0], [&](void*) {
        calls.push_back(&subscribers[0]);
        events.Boss->BossRemoved.Raise(&args);
    });
    events.Boss->BossRemoved.Subscribe(&subscribers[1], Recorder(&subscribers[1]));
    events.Player->PlayerLeftBossArea.Raise();
    EXPECT_EQ(calls, (std::vector<const void*>{&subscribers[0], &subscribers[1]}));
}

// Not expected of handlers, but a slip must not crash the walk or call a removed handler.
TEST_F(EventHub, AHandlerUnsubscribingDuringARaiseDoesNotBreakTheWalk) {
    Event<void>& event = events.Game->WorldLoaded;
    std::array<const void*, 3> ids{&subscribers[0], &subscribers[1], &subscribers[2]};
    std::sort(ids.begin(), ids.end());
    event.Subscribe(ids[0], [&](void*) {
        calls.push_back(ids[0]);
        event.Unsubscribe(ids[0]); // itself: its function object must outlive the call
        event.Unsubscribe(ids[1]);
    });
    event.Subscribe(ids[1], Recorder(ids[1]));
    event.Subscribe(ids[2], Recorder(ids[2]));
    event.Raise();
    EXPECT_EQ(calls, (std::vector<const void*>{ids[0], ids[2]}));
    EXPECT_EQ(event.SubscriberCount(), 1u);
}

// What the boss meter does with these events: defeated and removed bosses both leave it, and the
// last one leaving hides it.
TEST_F(EventHub, DefeatedAndRemovedBossesBothLeaveAMeterThatListensToBoth) {
    std::vector<GameObject*> meter;
    auto add = [&](BossEventArgs* a) {
        meter.push_back(a->Boss);
    };
    auto remove = [&](BossEventArgs* a) {
        std::erase(meter, a->Boss);
    };
    const void* hud = &subscribers[0];
    events.Boss->BossAppeared.Subscribe(hud, add);
    events.Boss->BossDefeated.Subscribe(hud, remove);
    events.Boss->BossRemoved.Subscribe(hud, remove);

    BossEventArgs first{reinterpret_cast<GameObject*>(&subscribers[1])};
    BossEventArgs second{reinterpret_cast<GameObject*>(&subscribers[2])};
    events.Boss->BossAppeared.Raise(&first);
    events.Boss->BossAppeared.Raise(&second);
    EXPECT_EQ(meter.size(), 2u);
    events.Boss->BossDefeated.Raise(&first);
    EXPECT_EQ(meter, (std::vector<GameObject*>{second.Boss}));
    events.Boss->BossRemoved.Raise(&second);
    EXPECT_TRUE(meter.empty());
}

} // namespace
