// Editor commands in the running game, headless: the editor opened and its history keys pressed by
// a script (F11, Ctrl+Z), the palettes' commands given as their buttons give them.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "FastClock.h"
#include "TestFolder.h"
#include "app/Application.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/ObjectSelection.h"
#include "editor/palettes/PrefabSelection.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "prefabs/PrefabManager.h"

namespace {

// F11 opens the editor at frame 2; Ctrl+Z at frame 20 undoes the last step.
constexpr const char* OpenThenUndo = R"(2 key down F11
3 key up F11
20 key down Ctrl
21 key down Z
22 key up Z
23 key up Ctrl
)";

GameObject* Find(GameObject* from, std::initializer_list<const char*> path) {
    for (const char* name : path) {
        from = from ? from->FindChild(name) : nullptr;
    }
    return from;
}

EdPalObjectListBhv* ObjectList() {
    GameObject* palettes = Find(Service<SceneRoots>::Get().Root, {"EditorRoot", "EdPalettesRoot"});
    for (GameObject* palette : palettes ? palettes->Children : std::vector<GameObject*>{}) {
        if (auto* list = palette->GetComponentOfType<EdPalObjectListBhv>()) {
            return list;
        }
    }
    return nullptr;
}

struct EditorRun {
    int Status = -1;
    int64_t Frames = 0;
    std::string Stdout;
};

// Runs 40 frames of the game with the script above; at each frame named in actions, that action.
EditorRun RunWithEditor(const std::map<int64_t, std::function<void()>>& actions) {
    TestFolder folder;
    std::ofstream(folder / "editor.script") << OpenThenUndo;
    AppOptions options;
    options.Headless = true;
    options.FixedStep = true;
    options.Frames = 40;
    options.Seed = 1;
    options.ScriptPath = (folder / "editor.script").string();
    FastClock clock;
    Application game(options, clock);
    game.SetFrameObserver([&](int64_t frame) {
        if (auto it = actions.find(frame); it != actions.end()) {
            it->second();
        }
    });
    EditorRun run;
    ::testing::internal::CaptureStdout();
    run.Status = game.Run();
    run.Stdout = ::testing::internal::GetCapturedStdout();
    run.Frames = game.FramesRun();
    return run;
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(EditorCommandsTest, UndoingTheRemovalOfTheInventorysBehaviourKeepsTheStorageCount) {
    int before = -1;
    int removed = -1;
    int after = -1;
    const EditorRun run = RunWithEditor({
        {5,
         [&] {
             InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
             ASSERT_NE(inventory, nullptr);
             before = inventory->StorageUsed;
             Service<EditorState>::Get().SelectObject(inventory->Owner);
             ObjectSelection().RemoveComponent(*inventory);
         }},
        {10,
         [&] {
             removed = WellKnown<InventoryBhv>::Get() ? 1 : 0;
         }},
        {30,
         [&] {
             after = WellKnown<InventoryBhv>::Get() ? WellKnown<InventoryBhv>::Get()->StorageUsed : -1;
         }},
    });
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(before, 1); // the starting drill
    EXPECT_EQ(removed, 0);
    EXPECT_EQ(after, before);
}

TEST(EditorCommandsTest, RebuildingWhatBuildsARenamedPrefabByNameSaysSoOnceAndTheGameRunsOn) {
    bool forSaleKnown = false;
    const EditorRun run = RunWithEditor({
        {5,
         [&] {
             EditorState& editor = Service<EditorState>::Get();
             editor.SelectPrefab(Service<PrefabManager>::Get().Find("Item_ShrimpZapper"));
             PrefabSelection().CommitName("Item_ShrimpZapperRenamed");
             editor.SelectObject(Find(Service<SceneRoots>::Get().GameplayRoot, {"ForSale"}));
             ObjectList()->Reload();
         }},
        {10,
         [&] {
             const ForSaleItemsBhv* known = WellKnown<ForSaleItemsBhv>::Get();
             forSaleKnown =
                 known && known->Owner == Find(Service<SceneRoots>::Get().GameplayRoot, {"ForSale"});
         }},
    });
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Frames, 40);
    EXPECT_TRUE(forSaleKnown) << "the store's goods stay the well-known ones";
    EXPECT_EQ(CountOf(run.Stdout, "editor: warning:"), 1) << run.Stdout;
    EXPECT_NE(run.Stdout.find("built from \"Item_ShrimpZapper\" by name"), std::string::npos) << run.Stdout;
    EXPECT_EQ(
        CountOf(run.Stdout, "editor: rebuild of \"ForSale\" stopped: no prefab named \"Item_ShrimpZapper\""),
        1)
        << run.Stdout;
}

TEST(EditorCommandsTest, UndoingARebuildOfAWellKnownObjectLeavesItTheOneInTheTree) {
    GameObject* old = nullptr;
    GameObject* rebuilt = nullptr;
    GameObject* known = nullptr;
    bool knownInTree = false;
    const EditorRun run = RunWithEditor({
        {5,
         [&] {
             old = WellKnown<InventoryBhv>::Get()->Owner;
             Service<EditorState>::Get().SelectObject(old);
             ObjectList()->Reload();
             rebuilt = WellKnown<InventoryBhv>::Get()->Owner;
         }},
        {30,
         [&] {
             InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
             known = inventory ? inventory->Owner : nullptr;
             knownInTree = known && known->Parent == Service<SceneRoots>::Get().GameplayRoot;
         }},
    });
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(rebuilt, old);
    EXPECT_EQ(known, old);
    EXPECT_TRUE(knownInTree);
}

TEST(EditorCommandsTest, TheEditorsOwnComponentsCannotBeRemovedAndItsKeysStillWork) {
    bool rootKept = false;
    bool moneyOut = false;
    bool moneyBack = false;
    const EditorRun run = RunWithEditor({
        {5,
         [&] {
             EditorState& editor = Service<EditorState>::Get();
             GameObject* editorRoot = Find(Service<SceneRoots>::Get().Root, {"EditorRoot"});
             editor.SelectObject(editorRoot);
             ObjectSelection().RemoveComponent(*editorRoot->GetComponentOfType<EdRootBhv>());
             // A step for Ctrl+Z to undo.
             editor.SelectObject(Find(Service<SceneRoots>::Get().GameplayRoot,
                                      {"GameplayScreen", "Hud", "HudStats", "Money"}));
             ObjectList()->Remove();
         }},
        {10,
         [&] {
             GameObject* root = Service<SceneRoots>::Get().Root;
             rootKept = Find(root, {"EditorRoot"})->GetComponentOfType<EdRootBhv>() != nullptr;
             moneyOut = !Find(Service<SceneRoots>::Get().GameplayRoot,
                              {"GameplayScreen", "Hud", "HudStats", "Money"});
         }},
        {30,
         [&] {
             moneyBack = Find(Service<SceneRoots>::Get().GameplayRoot,
                              {"GameplayScreen", "Hud", "HudStats", "Money"}) != nullptr;
         }},
    });
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(rootKept);
    EXPECT_TRUE(moneyOut);
    EXPECT_TRUE(moneyBack);
    EXPECT_EQ(CountOf(run.Stdout, "editor: EdRootBhv stays: the editor's own components cannot be removed"),
              1)
        << run.Stdout;
}

} // namespace
