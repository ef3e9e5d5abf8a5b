// Objects removed in the editor are kept whole by its history until the game quits. Quitting then
// tears everything down in one order: the kept objects go before the services they use and nothing
// reads them on the way. On the sanitizer build any stray read ends the run with a report.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "FastClock.h"
#include "app/Application.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/EditorState.h"
#include "editor/history/EdHistory.h"
#include "editor/palettes/EdPalObjectListBhv.h"

namespace {

using Path = std::vector<const char*>;

GameObject* Find(Path path) {
    GameObject* object = Service<SceneRoots>::Get().GameplayRoot;
    for (const char* name : path) {
        object = object ? object->FindChild(name) : nullptr;
    }
    return object;
}

template <class T> T* FindComponent(GameObject& object) {
    if (T* found = object.GetComponentOfType<T>()) {
        return found;
    }
    for (GameObject* child : object.Children) {
        if (T* found = FindComponent<T>(*child)) {
            return found;
        }
    }
    return nullptr;
}

// A step that changes nothing, to fill the history up to its bound.
class FillerStep final : public EdStep {
public:
    FillerStep() : EdStep("Nothing") {}
    bool Undo() override { return true; }
    bool Redo() override { return true; }
    size_t Bytes() const override { return sizeof(*this); }
};

// Runs the game headless for a few frames; at the second the editor's object list removes the
// objects at removed (under "GameplayRoot"), then, with overflow, the history is filled past its
// bound (which drops those steps and deletes their objects) and the objects at keptToExit are
// removed. Returns the run's status.
int RunRemoving(const std::vector<Path>& removed, bool overflow, const std::vector<Path>& keptToExit) {
    AppOptions options;
    options.Headless = true;
    options.FixedStep = true;
    options.Frames = 4;
    options.Seed = 1;
    FastClock clock;
    Application game(options, clock);
    size_t found = 0;
    game.SetFrameObserver([&](int64_t frame) {
        if (frame != 2) {
            return;
        }
        EditorState& editor = Service<EditorState>::Get();
        auto* list = FindComponent<EdPalObjectListBhv>(*Service<SceneRoots>::Get().Root);
        ASSERT_NE(list, nullptr);
        auto remove = [&](const std::vector<Path>& paths) {
            for (const Path& path : paths) {
                GameObject* object = Find(path);
                found += object ? 1 : 0;
                editor.SelectObject(object);
                list->Remove();
            }
        };
        remove(removed);
        if (overflow) {
            for (size_t i = 0; i < EdHistory::MaxSteps; ++i) {
                editor.History.Push(std::make_unique<FillerStep>());
            }
            remove(keptToExit);
        }
    });
    const int status = game.Run();
    EXPECT_EQ(found, removed.size() + (overflow ? keptToExit.size() : 0));
    return status;
}

const Path Text{"GameplayScreen", "Hud", "HudStats", "Money"};
const Path Body{"GameplayScreen", "SceneryCollision"};
const Path Sprite{"GameplayScreen", "Hud", "QuickslotFrame1"};
const Path Label{"GameplayScreen", "Hud", "HudStats", "Health"};

TEST(EditorTeardownTest, ARemovedTextBodyOrSpriteGoesQuietlyWhenTheGameQuits) {
    EXPECT_EQ(RunRemoving({Text}, false, {}), 0);
    EXPECT_EQ(RunRemoving({Body}, false, {}), 0);
    EXPECT_EQ(RunRemoving({Sprite}, false, {}), 0);
}

TEST(EditorTeardownTest, StepsDroppedAtTheBoundAndThoseLeftGoQuietly) {
    EXPECT_EQ(RunRemoving({Text, Body, Sprite}, true, {Label}), 0);
}

} // namespace
