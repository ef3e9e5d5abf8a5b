// Mouse picking: the query marks the listener of every object whose fixture's bounding box lies
// under the pointer; the listener's own input hook turns the mark into isMouseOver.
#include "PhysicsFixture.h"

#include "core/GraphicsManager.h"
#include "core/ObjectPasses.h"
#include "input/InputManager.h"
#include "physics/FixtureMouseListenerBhv.h"
#include "physics/FixtureMouseManagerBhv.h"

namespace {

class PickingTest : public PhysicsTest {
protected:
    std::unique_ptr<GameObject> MakePickable(float x, float y, const std::string& shape) {
        auto object = MakeBodyObject(b2_staticBody, x, y, shape);
        object->AddComponent(new FixtureMouseListenerBhv);
        return object;
    }
    static FixtureMouseListenerBhv* Listener(GameObject& o) {
        return o.GetComponentOfType<FixtureMouseListenerBhv>();
    }
};

TEST_F(PickingTest, BothOverlappingListenersReportTheMouse) {
    auto a = MakePickable(0, 0, "Box 1 1");
    auto b = MakePickable(1.5f, 0, "Circle 1");
    auto far = MakePickable(10, 10, "Box 1 1");
    FixtureMouseManagerBhv::QueryAt({0.8f, 0.2f});
    for (GameObject* o : {a.get(), b.get(), far.get()}) {
        Listener(*o)->HandleInput();
    }
    EXPECT_TRUE(Listener(*a)->isMouseOver);
    EXPECT_TRUE(Listener(*b)->isMouseOver);
    EXPECT_FALSE(Listener(*far)->isMouseOver);
    EXPECT_FALSE(Listener(*a)->hitThisFrame); // consumed
}

TEST_F(PickingTest, TestIsAgainstBoundingBoxesAndTheSmallSquare) {
    auto diamond = MakePickable(0, 0, "Polygon 1 0 0 1 -1 0 0 -1");
    // Outside the diamond but inside its bounding box.
    FixtureMouseManagerBhv::QueryAt({0.9f, 0.9f});
    EXPECT_TRUE(Listener(*diamond)->hitThisFrame);
    Listener(*diamond)->HandleInput();
    // Just beyond the box, within the square's half size of 0.0625.
    FixtureMouseManagerBhv::QueryAt({1.05f, 0.0f});
    EXPECT_TRUE(Listener(*diamond)->hitThisFrame);
    Listener(*diamond)->HandleInput();
    FixtureMouseManagerBhv::QueryAt({1.2f, 0.0f});
    Listener(*diamond)->HandleInput();
    EXPECT_FALSE(Listener(*diamond)->isMouseOver);
}

TEST_F(PickingTest, ObjectWithoutAListenerIsIgnoredAndTheFirstListenerIsMarked) {
    auto plain = MakeBodyObject(b2_staticBody, 0, 0, "Box 1 1");
    auto twice = MakePickable(0, 0, "Box 1 1");
    auto* second = new FixtureMouseListenerBhv;
    twice->AddComponent(second);
    EXPECT_NO_FATAL_FAILURE(FixtureMouseManagerBhv::QueryAt({0, 0}));
    EXPECT_TRUE(Listener(*twice)->hitThisFrame);
    EXPECT_FALSE(second->hitThisFrame);
}

TEST_F(PickingTest, ListenerReflectsTheLatestQueryBeforeItsHook) {
    GraphicsManager graphics;
    InputManager input;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    Service<InputManager>::Scoped inputScope(input);
    // The default World camera maps window pixel (480, 360) to world (30, -22.5).
    GameObject root;
    auto* scene = new GameObject;
    scene->AddComponent(new FixtureMouseManagerBhv);
    root.AppendChild(scene);
    auto target = MakePickable(30, -22.5f, "Box 0.5 0.5");
    root.AppendChild(target.release());
    GameObject* picked = root.Children[1];

    input.SetMousePosition(480, 360);
    InputPass(root); // the manager comes first in the tree: this frame's query
    EXPECT_TRUE(Listener(*picked)->isMouseOver);
    input.SetMousePosition(0, 0);
    InputPass(root);
    EXPECT_FALSE(Listener(*picked)->isMouseOver);
}

} // namespace
