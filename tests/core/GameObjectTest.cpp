#include <memory>

#include "SceneFixture.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

namespace {

// Fills the Sprite slot without the renderer: only the slot type matters here.
class FakeSprite : public Component {
public:
    ShortcutSlot Slot() const override { return ShortcutSlot::Sprite; }
};

class PlainBhv : public Behavior {};

using GameObjectTest = SceneFixture;

TEST_F(GameObjectTest, FirstComponentOfASlotTypeWinsAndRemovalLeavesTheSlotEmpty) {
    GameObject object;
    auto* behavior = new PlainBhv;
    auto* first = new FakeSprite;
    auto* second = new FakeSprite;
    object.AddComponent(behavior);
    object.AddComponent(first);
    object.AddComponent(second);
    EXPECT_EQ(object.GetSlot(ShortcutSlot::Sprite), first);
    EXPECT_EQ(behavior->GetSlot(ShortcutSlot::Sprite), first);

    object.RemoveComponent(first);
    delete first;
    EXPECT_EQ(object.GetSlot(ShortcutSlot::Sprite), nullptr);
    EXPECT_EQ(behavior->GetSlot(ShortcutSlot::Sprite), nullptr);
    EXPECT_EQ(object.Components.size(), 2u);
}

TEST_F(GameObjectTest, BehaviorSeesPos2dWhetherAddedBeforeOrAfterIt) {
    GameObject object;
    auto* before = new PlainBhv;
    object.AddComponent(before);
    auto* pos = new Pos2dComponent;
    object.AddComponent(pos);
    auto* after = new PlainBhv;
    object.AddComponent(after);
    EXPECT_EQ(before->Pos2d(), pos);
    EXPECT_EQ(after->Pos2d(), pos);
    EXPECT_EQ(object.Pos2d(), pos);
    EXPECT_EQ(object.Behaviors.size(), 2u);
}

TEST_F(GameObjectTest, DeletingABehaviorDetachesItFromBothLists) {
    GameObject object;
    auto* a = new PlainBhv;
    auto* b = new PlainBhv;
    object.AddComponent(a);
    object.AddComponent(b);
    delete a;
    ASSERT_EQ(object.Components.size(), 1u);
    ASSERT_EQ(object.Behaviors.size(), 1u);
    EXPECT_EQ(object.Behaviors[0], b);
}

TEST_F(GameObjectTest, MoveInComponentListClampsAndReportsWhetherItMoved) {
    GameObject object;
    auto* a = new PlainBhv;
    auto* b = new Pos2dComponent;
    auto* c = new PlainBhv;
    object.AddComponent(a);
    object.AddComponent(b);
    object.AddComponent(c);

    EXPECT_FALSE(a->MoveInComponentList(-1));
    EXPECT_EQ(object.Components, (std::vector<Component*>{a, b, c}));

    EXPECT_TRUE(b->MoveInComponentList(+5));
    EXPECT_EQ(object.Components, (std::vector<Component*>{a, c, b}));

    EXPECT_TRUE(a->MoveInComponentList(+1));
    EXPECT_EQ(object.Components, (std::vector<Component*>{c, a, b}));
    EXPECT_EQ(object.Behaviors, (std::vector<Behavior*>{c, a}));
}

TEST_F(GameObjectTest, MoveAmongSiblingsSwapsWithinBoundsOnly) {
    GameObject parent;
    auto* x = new GameObject;
    auto* y = new GameObject;
    parent.AppendChild(x);
    parent.AppendChild(y);
    y->MoveAmongSiblings(+1);
    EXPECT_EQ(parent.Children, (std::vector<GameObject*>{x, y}));
    y->MoveAmongSiblings(-1);
    EXPECT_EQ(parent.Children, (std::vector<GameObject*>{y, x}));
}

TEST_F(GameObjectTest, FindChildReturnsTheEarlierOfTwoSameNamedChildren) {
    GameObject parent;
    auto* first = new GameObject;
    auto* second = new GameObject;
    first->Name = second->Name = "Twin";
    parent.AppendChild(first);
    parent.AppendChild(second);
    EXPECT_EQ(parent.FindChild("Twin"), first);
    EXPECT_EQ(parent.FindChild("twin"), nullptr);
}

TEST_F(GameObjectTest, PositionChainsThroughRelativeAncestors) {
    GameObject grandparent;
    auto* gp = new Pos2dComponent;
    gp->Pos = {100, 100};
    grandparent.AddComponent(gp);

    auto* parent = new GameObject;
    auto* pp = new Pos2dComponent;
    pp->Pos = {10, 10};
    parent->AddComponent(pp);
    grandparent.AppendChild(parent);

    auto* between = new GameObject; // no position: passed through
    parent->AppendChild(between);

    auto* child = new GameObject;
    auto* cp = new Pos2dComponent;
    cp->Pos = {5, 0};
    cp->IsRelative = true;
    child->AddComponent(cp);
    between->AppendChild(child);

    EXPECT_EQ(child->GetPosition(), Vector2(15, 10));
    cp->IsRelative = false;
    EXPECT_EQ(child->GetPosition(), Vector2(5, 0));
    EXPECT_EQ(between->GetPosition(), Vector2(0, 0));
}

TEST_F(GameObjectTest, GetComponentOfTypeCountsOnlyThatType) {
    GameObject object;
    auto* a = new PlainBhv;
    auto* pos = new Pos2dComponent;
    auto* b = new PlainBhv;
    object.AddComponent(a);
    object.AddComponent(pos);
    object.AddComponent(b);
    EXPECT_EQ(object.GetComponentOfType<PlainBhv>(), a);
    EXPECT_EQ(object.GetComponentOfType<PlainBhv>(1), b);
    EXPECT_EQ(object.GetComponentOfType<PlainBhv>(2), nullptr);
    EXPECT_EQ(object.GetComponentOfType<Pos2dComponent>(), pos);
}

} // namespace
