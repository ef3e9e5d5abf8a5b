// The palettes on the shipped prefabs: pausing the game under a working editor, the object list's
// removal, the prefab list's filter, new names and scrolling, the prefab picker's "(None)", and
// the object edit palette committing to live objects and prefab data, which write back to files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "EditorRig.h"
#include "SceneFixture.h"
#include "TestFolder.h"
#include "components/SpriteComponent.h"
#include "core/Behavior.h"
#include "core/Pos2dComponent.h"
#include "core/WellKnown.h"
#include "editor/EdFind.h"
#include "editor/PrefabEditor.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/palettes/PrefabSync.h"
#include "editor/tools/EdDlgPrefabPickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "player/items/InventoryBhv.h"
#include "reflection/IEditable.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

using EditorPalettesTest = SceneFixture;

struct Counter : Behavior {
    void HandleInput() override { ++inputs; }
    void Update() override { ++updates; }
    int inputs = 0;
    int updates = 0;
};

// The labels of the palette's list rows, empty ones left out.
std::vector<std::string> RowLabels(GameObject* palette) {
    std::vector<std::string> labels;
    for (GameObject* child : palette->Children) {
        if (child->Name == "EdListItem" && !child->GetComponentOfType<EdListItemBhv>()->Label.empty()) {
            labels.push_back(child->GetComponentOfType<EdListItemBhv>()->Label);
        }
    }
    return labels;
}

EdListItemBhv* Row(GameObject* palette, size_t index) {
    for (GameObject* child : palette->Children) {
        if (child->Name == "EdListItem" && index-- == 0) {
            return child->GetComponentOfType<EdListItemBhv>();
        }
    }
    return nullptr;
}

TEST_F(EditorPalettesTest, PauseStopsTheWorldWhileTheEditorKeepsWorking) {
    EditorRig rig(*this);
    auto* counter = new Counter;
    auto* mover = new GameObject;
    root.AppendChild(mover);
    mover->AddComponent(counter);
    auto* body = new B2BodyComponent;
    mover->AddComponent(body);
    body->SetPropertyText("Type", 0, "2"); // dynamic: gravity pulls it
    body->SetPosition(0.0f, 0.0f);
    auto* fixture = new B2FixtureComponent;
    mover->AddComponent(fixture);
    fixture->SetShapeText("Box 0.5 0.5");
    rig.Tap(Key::F11);
    rig.Tap(Key::Pause);
    auto* pause = FindNestedComponent<EdToggleBhv>(rig.Palette("PalMain"), "ButtonRow1", "ChkPauseGame");
    ASSERT_TRUE(pause->Value);
    const int inputs = counter->inputs;
    const int updates = counter->updates;
    const Vector2 position = body->BodyPosition();
    rig.Frames(30);
    EXPECT_EQ(counter->inputs, inputs);
    EXPECT_EQ(counter->updates, updates);
    EXPECT_EQ(body->BodyPosition(), position);
    // The editor still answers: the object list selects the paused object.
    GameObject* list = rig.Palette("PalObjectList");
    rig.ClickOn(*Row(list, 0));
    EXPECT_EQ(rig.editor.SelectedObject, mover);

    rig.ClickOn(*pause); // off again: the world moves on
    rig.Frames(5);
    EXPECT_GT(counter->updates, updates);
    EXPECT_LT(body->BodyPosition().y, position.y);
}

TEST_F(EditorPalettesTest, RemovingTheSelectedObjectSelectsItsNextSibling) {
    EditorRig rig(*this);
    for (const char* name : {"A", "B", "C"}) {
        auto* object = new GameObject;
        object->Name = name;
        root.AppendChild(object);
    }
    rig.Tap(Key::F11);
    GameObject* list = rig.Palette("PalObjectList");
    EXPECT_EQ(RowLabels(list), (std::vector<std::string>{"A", "B", "C"}));
    rig.ClickOn(*Row(list, 1));
    EXPECT_EQ(rig.editor.SelectedObject, root.Children[1]);
    EXPECT_TRUE(Row(list, 1)->IsSelected);
    rig.ClickOn(*FindNestedComponent<EdButtonBhv>(list, "ListButtons", "BtnRemove"));
    ASSERT_EQ(root.Children.size(), 2u);
    EXPECT_EQ(rig.editor.SelectedObject, root.Children[1]);
    EXPECT_EQ(root.Children[1]->Name, "C");

    // The gameplay root itself and the editor's own objects are not removed.
    rig.editor.SelectObject(&root);
    rig.ClickOn(*FindNestedComponent<EdButtonBhv>(list, "ListButtons", "BtnRemove"));
    rig.editor.SelectObject(rig.Palette("PalMain"));
    rig.ClickOn(*FindNestedComponent<EdButtonBhv>(list, "ListButtons", "BtnRemove"));
    rig.Frame();
    EXPECT_FALSE(root.PendingDestroy);
    EXPECT_NE(rig.Palette("PalMain"), nullptr);
}

// The path of names from below `top` down to the object.
std::vector<std::string> PathOf(const GameObject* object, const GameObject* top) {
    std::vector<std::string> path;
    for (; object && object != top; object = object->Parent) {
        path.insert(path.begin(), object->Name);
    }
    return path;
}

GameObject* AtPath(GameObject* top, const std::vector<std::string>& path) {
    for (const std::string& name : path) {
        top = top ? top->FindChild(name) : nullptr;
    }
    return top;
}

void CollectDescendants(GameObject* object, const GameObject* top,
                        std::vector<std::vector<std::string>>& out) {
    for (GameObject* child : object->Children) {
        out.push_back(PathOf(child, top));
        CollectDescendants(child, top, out);
    }
}

// Every piece of the shipped HUD, menus and store, taken away in turn through the editor's own
// commands (the object list's Remove and Reload, the edit palette's removal of a component) while
// its menu is open, and the game runs on. Under the sanitizers a behaviour still holding the piece
// would read freed memory.
TEST_F(EditorPalettesTest, TakingAnyPieceOfTheHudMenusOrStoreAwayLeavesTheGameRunning) {
    EditorRig rig(*this);
    auto build = [&] {
        for (const char* name : {"Inventory", "AllItems", "ForSale", "Hud", "Menus"}) {
            root.AppendChild(new GameObject(name));
        }
        addItem(3, "Item_Copper");
        addItem(12, "Item_DirtBlock");
        addItem(1, "Item_BlockPlacer");
        if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
            inventory->Money = 500;
        }
    };
    auto tearDown = [&] {
        for (GameObject* child : root.Children) {
            child->DestroyLater();
        }
        rig.Frame();
    };
    build();
    rig.Frames(2);
    std::vector<std::vector<std::string>> paths;
    for (const char* name : {"Hud", "Menus"}) {
        CollectDescendants(root.FindChild(name), &root, paths);
    }
    ASSERT_GT(paths.size(), 50u);
    tearDown();
    rig.Tap(Key::F11);
    auto* list = rig.Palette("PalObjectList")->GetComponentOfType<EdPalObjectListBhv>();
    auto* edit = rig.Palette("PalObjectEdit")->GetComponentOfType<EdPalObjectEditBhv>();
    ASSERT_TRUE(list && edit);
    rig.Tap(Key::F11);

    // The menu a path lies in, opened before its piece goes, so that the menu's behaviours run.
    auto openMenuOf = [&](const std::vector<std::string>& path) {
        UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
        GameObject* menu =
            path.size() > 1 && path[0] == "Menus" ? root.FindChild("Menus")->FindChild(path[1]) : nullptr;
        if (menus && menu && menu->GetComponentOfType<UiMenuRootBhv>() == nullptr) {
            menus->openMenu(menu);
        }
    };
    int taken = 0;
    for (const std::vector<std::string>& path : paths) {
        for (int way = 0; way < 3; ++way) {
            build();
            rig.Frame();
            openMenuOf(path);
            rig.Frames(2);
            GameObject* piece = AtPath(&root, path);
            if (!piece) {
                tearDown();
                continue;
            }
            rig.editor.SelectObject(piece);
            if (way == 0) {
                list->Remove();
            } else if (way == 1) {
                list->Reload();
            } else {
                // Its components, last first, as the edit palette's Remove would one by one.
                for (auto it = piece->Components.rbegin(); it != piece->Components.rend(); ++it) {
                    if (auto* editable = dynamic_cast<IEditable*>(*it)) {
                        edit->SetCurrentComponent(editable);
                        edit->RemoveComponent();
                    }
                }
            }
            ++taken;
            rig.Frame(); // the piece goes at this frame's end
            // What the pieces show changes, so every readout is written again.
            if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
                inventory->Money += 7;
                inventory->Health -= 1;
            }
            addItem(2, "Item_Copper");
            rig.Frames(2);
            openMenuOf(path);
            rig.Frames(3);
            tearDown();
        }
    }
    EXPECT_GT(taken, 150);
}

TEST_F(EditorPalettesTest, PrefabListFiltersWithoutCaseNumbersNewPrefabsAndScrollsWhileHeld) {
    EditorRig rig(*this);
    PrefabEditor(prefabs).Add("MantisShrimp");
    PrefabEditor(prefabs).Add("ShrubA");
    rig.Tap(Key::F11);
    GameObject* list = rig.Palette("PalPrefabList");
    auto* filterRow = FindChildComponent<EdPropertyRowBhv>(list, "FilterRow");
    rig.ClickOn(*filterRow->Field());
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::Shift, true); });
    rig.Type({Key::S, Key::H, Key::R});
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::Shift, false); });
    EXPECT_EQ(filterRow->Field()->Text, "SHR");
    std::vector<std::string> expected;
    for (const auto& [name, prefab] : prefabs.Prefabs) {
        std::string lower = name;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (lower.find("shr") != std::string::npos) {
            expected.push_back(name);
        }
    }
    EXPECT_EQ(RowLabels(list), expected);
    EXPECT_GE(expected.size(), 2u);

    auto* add = FindNestedComponent<EdButtonBhv>(list, "ListButtons", "BtnAdd");
    rig.ClickOn(*add);
    rig.ClickOn(*add);
    EXPECT_TRUE(prefabs.Contains("NewPrefab"));
    EXPECT_TRUE(prefabs.Contains("NewPrefab.001"));
    EXPECT_EQ(rig.editor.SelectedPrefabName, "NewPrefab.001");
    EXPECT_TRUE(prefabs.Find("NewPrefab.001")->Dirty);

    // Empty filter: every prefab, far more than the rows. Holding "v" moves one row at once, then
    // one every 0.05 s (three frames at 60 a second).
    rig.ClickOn(*filterRow->Field(), Key::RightMouse);
    rig.Tap(Key::OemEnter);
    auto* scroller = list->GetComponentOfType<EdPalPrefabListBhv>();
    auto* down = FindChildComponent<EdButtonBhv>(list, "BtnScrollDown");
    auto* up = FindChildComponent<EdButtonBhv>(list, "BtnScrollUp");
    EXPECT_EQ(scroller->Offset, 0);
    EXPECT_TRUE(up->IsGrayedOut);
    EXPECT_FALSE(down->IsGrayedOut);
    const Rect r = down->Bounds;
    rig.Frame([&](InputManager& in) { in.SetMousePosition(r.x + 5, r.y + 5); });
    std::vector<int> offsets;
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, true); });
    offsets.push_back(scroller->Offset);
    for (int i = 0; i < 9; ++i) {
        rig.Frame();
        offsets.push_back(scroller->Offset);
    }
    // The wait counts the frame it began in, as every coroutine wait does: the first repeat comes
    // two frames after the press, the rest three frames apart.
    EXPECT_EQ(offsets, (std::vector<int>{1, 1, 2, 2, 2, 3, 3, 3, 4, 4}));
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, false); });
    rig.Frames(10);
    EXPECT_EQ(scroller->Offset, 4);
    // Held long enough, it stops once the last row is empty.
    rig.Frame([](InputManager& in) { in.SetKeyState(Key::LeftMouse, true); });
    rig.Frames(600);
    const int rows = static_cast<int>(std::count_if(list->Children.begin(), list->Children.end(),
                                                    [](GameObject* c) { return c->Name == "EdListItem"; }));
    EXPECT_EQ(scroller->Offset + rows, static_cast<int>(prefabs.Prefabs.size()) + 1);
    EXPECT_TRUE(down->IsGrayedOut);
}

TEST_F(EditorPalettesTest, ThePrefabPickerOffersNoneFirstAndConfirmingItGivesTheEmptyName) {
    EditorRig rig(*this);
    PrefabEditor(prefabs).Add("EdButtonWide");
    rig.Tap(Key::F11);
    std::vector<std::string> chosen;
    WellKnown<EdDlgPrefabPickerBhv>::Get()->Open([&](const std::string& name) { chosen.push_back(name); });
    rig.Frame();
    EXPECT_TRUE(rig.editor.ModalOpen);
    EXPECT_EQ(WellKnown<EdDlgPrefabPickerBhv>::Get()->Entries().front(), "(None)");
    EXPECT_EQ(WellKnown<EdDlgPrefabPickerBhv>::Get()->Entries()[1], prefabs.Prefabs.begin()->first);
    rig.Tap(Key::OemEnter);
    EXPECT_EQ(chosen, std::vector<std::string>{""});
    EXPECT_FALSE(rig.editor.ModalOpen);

    // Typed filter: no "(None)"; Down moves the highlight; Esc chooses nothing.
    WellKnown<EdDlgPrefabPickerBhv>::Get()->Open([&](const std::string& name) { chosen.push_back(name); });
    rig.Type({Key::E, Key::D, Key::B});
    EXPECT_EQ(WellKnown<EdDlgPrefabPickerBhv>::Get()->Entries().front(), "EdButton");
    rig.Tap(Key::Down);
    EXPECT_EQ(WellKnown<EdDlgPrefabPickerBhv>::Get()->Highlighted, 1);
    rig.Tap(Key::Esc);
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(EditorPalettesTest, AnAutoCreateEntryThatWouldBuildItsOwnerIsRefused) {
    EditorRig rig(*this);
    Prefab* owner = PrefabEditor(prefabs).Add("Holder");
    auto* inner = PrefabEditor(prefabs).Add("Inner");
    auto entry = std::make_unique<AutoCreate>();
    entry->Owner = inner;
    entry->PrefabName = "Holder";
    inner->AutoCreates.push_back(std::move(entry)); // Inner builds Holder
    rig.Tap(Key::F11);
    rig.editor.SelectPrefab(owner);
    GameObject* list = rig.Palette("PalAutoCreateList");
    auto* add = FindNestedComponent<EdButtonBhv>(list, "ListButtons", "BtnAdd");
    const auto choose = [&](std::initializer_list<Key> filter) {
        rig.ClickOn(*add);
        ASSERT_TRUE(WellKnown<EdDlgPrefabPickerBhv>::Get()->IsOpen());
        rig.Frame([](InputManager& in) { in.SetKeyState(Key::Shift, true); });
        rig.Type(filter);
        rig.Frame([](InputManager& in) { in.SetKeyState(Key::Shift, false); });
        rig.Tap(Key::OemEnter);
    };
    choose({Key::I, Key::N, Key::N, Key::E, Key::R}); // "INNER": Inner would build Holder again
    EXPECT_TRUE(owner->AutoCreates.empty());
    EXPECT_FALSE(owner->Dirty);
    choose({Key::E, Key::D, Key::S, Key::P, Key::A, Key::C, Key::E, Key::R});
    ASSERT_EQ(owner->AutoCreates.size(), 1u);
    const AutoCreate& added = *owner->AutoCreates.front();
    EXPECT_EQ(added.PrefabName, "EdSpacer");
    ASSERT_EQ(added.InstanceProperties.size(), prefabs.Find("EdSpacer")->Components.size());
    EXPECT_TRUE(added.InstanceProperties.front()->Properties.empty());
    EXPECT_EQ(rig.editor.SelectedAutoCreate, &added);
    EXPECT_TRUE(owner->Dirty);
    EXPECT_EQ(RowLabels(list), std::vector<std::string>{"  (EdSpacer)"});
}

// The property row whose label is label, among the object edit palette's shown rows.
EdPropertyRowBhv* PropertyRow(GameObject* palette, const std::string& label) {
    for (GameObject* child : palette->Children) {
        auto* row = child->GetComponentOfType<EdPropertyRowBhv>();
        if (child->Name == "EdPropertyRow" && child->DrawEnabled && row->Label == label) {
            return row;
        }
    }
    return nullptr;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(EditorPalettesTest, PropertyRowsCommitToLiveObjectsAndPrefabDataAndRejectWhatDoesNotRead) {
    EditorRig rig(*this);
    rig.Tap(Key::F11);
    GameObject* edit = rig.Palette("PalObjectEdit");
    auto* palette = edit->GetComponentOfType<EdPalObjectEditBhv>();
    const auto commit = [&](const std::string& label, const std::string& text) {
        EdPropertyRowBhv* row = PropertyRow(edit, label);
        ASSERT_NE(row, nullptr) << label;
        row->ChangeHandler(text);
        rig.Frame();
    };

    // A live object: the component's own text rule decides.
    auto* object = new GameObject;
    root.AppendChild(object);
    auto* pos = new Pos2dComponent;
    object->AddComponent(pos);
    rig.editor.SelectObject(object);
    rig.Frame();
    EXPECT_NE(PropertyRow(edit, "Pos2dComponent:"), nullptr);
    commit("  Pos.X", "2.5");
    EXPECT_EQ(pos->Pos.x, 2.5f);
    commit("  Pos.X", "two");
    EXPECT_EQ(pos->Pos.x, 2.5f);
    EXPECT_EQ(PropertyRow(edit, "  Pos.X")->ValueText, "2.5");
    // Ctrl+L centres the current sprite on its object.
    auto* sprite = new SpriteComponent;
    sprite->Size = {6, 4};
    object->AddComponent(sprite);
    rig.Frame();
    palette->SetCurrentComponent(sprite);
    rig.Chord(Key::Ctrl, Key::L);
    EXPECT_EQ(sprite->Origin, (Vector2{-3, -2}));

    // Prefab data: a value it did not store gets a holder first; rejected text stores nothing;
    // empty text removes the stored value.
    Prefab* prefab = prefabs.Find("EdButton");
    rig.editor.SelectPrefab(prefab);
    rig.Frame();
    PrefabComponent* button = prefab->Components.front().get();
    EXPECT_EQ(PropertyRow(edit, "  IsGrayedOut")->ValueText, "");
    commit("  IsGrayedOut", "true");
    ASSERT_TRUE(button->Properties.count("IsGrayedOut"));
    EXPECT_EQ(button->GetPropertyText("IsGrayedOut"), "true");
    EXPECT_TRUE(prefab->Dirty);
    const size_t steps = rig.editor.History.Size();
    commit("  Height", "tall");
    EXPECT_EQ(button->GetPropertyText("Height"), "20");
    EXPECT_EQ(rig.editor.History.Size(), steps) << "rejected text changes nothing";
    commit("  IsGrayedOut", "");
    EXPECT_FALSE(button->Properties.count("IsGrayedOut"));
    EXPECT_FALSE(prefab->Dirty) << "back to what the file holds";
    EXPECT_EQ(palette->Rows().front().Label, "EdButtonBhv:");
}

TEST_F(EditorPalettesTest, AnObjectWrittenBackAndSavedChangesExactlyThatValueInItsFile) {
    EditorRig rig(*this);
    const TestFolder scratch;
    const std::filesystem::path folder = scratch.Path();
    prefabs.Folder = folder;
    Prefab* prefab = prefabs.Find("EdTitleBar");
    ASSERT_TRUE(PrefabEditor(prefabs).Save(*prefab));
    const std::string before = ReadFile(folder / "EdTitleBar.json");

    auto* object = new GameObject("EdTitleBar");
    root.AppendChild(object);
    object->Behaviors.front()->SetPropertyText("Height", 0, "24");
    object->Behaviors.front()->SetPropertyText("Title", 0, "not stored, not written");
    WriteObjectToPrefabs(*object, prefabs);
    EXPECT_TRUE(prefab->Dirty);
    ASSERT_TRUE(PrefabEditor(prefabs).SaveAll());
    std::string expected = before;
    const std::string height = "\"Height\": \"20\"";
    expected.replace(expected.find(height), height.size(), "\"Height\": \"24\"");
    EXPECT_EQ(ReadFile(folder / "EdTitleBar.json"), expected);
    EXPECT_FALSE(std::filesystem::exists(folder / "EdTitleBar.json.saving"));

    // And back: a value changed in the prefab reaches every live object built from it.
    prefab->Components.front()->SetPropertyText("Height", 0, "30");
    auto* other = new GameObject("EdTitleBar");
    root.AppendChild(other);
    EXPECT_EQ(ApplyPrefabToInstances(*prefab, root, prefabs), 2);
    EXPECT_EQ(object->Behaviors.front()->GetPropertyText("Height"), "30");
    EXPECT_EQ(other->Behaviors.front()->GetPropertyText("Height"), "30");

    // A folder that cannot be written keeps the prefab dirty and reports the failure.
    prefabs.Folder = folder / "missing";
    prefab->Dirty = true;
    EXPECT_FALSE(PrefabEditor(prefabs).Save(*prefab));
    EXPECT_TRUE(prefab->Dirty);
    std::filesystem::remove_all(folder);
}

// An installed game keeps the player's prefab edits in an overlay: "Revert to shipped" is offered
// only for a prefab in focus with an overlay copy, and drops that copy for the shipped file.
TEST_F(EditorPalettesTest, RevertToShippedDropsTheOverlayCopyOfThePrefabInFocus) {
    EditorRig rig(*this);
    const TestFolder scratch;
    const std::filesystem::path folder = scratch.Path();
    std::filesystem::create_directories(folder / "shipped");
    Prefab* prefab = prefabs.Find("EdTitleBar");
    prefabs.Folder = folder / "shipped";
    ASSERT_TRUE(PrefabEditor(prefabs).Save(*prefab));
    prefabs.ShippedFolder = folder / "shipped";
    prefabs.Folder = folder / "overlay";
    prefab->Components.front()->SetPropertyText("Height", 0, "31");
    ASSERT_TRUE(PrefabEditor(prefabs).Save(*prefab)); // the overlay folder is made on the first save
    ASSERT_TRUE(std::filesystem::exists(folder / "overlay" / "EdTitleBar.json"));

    rig.Tap(Key::F11);
    GameObject* list = rig.Palette("PalPrefabList");
    auto* revert = FindNestedComponent<EdButtonBhv>(list, "SaveButtons", "BtnRevert");
    ASSERT_NE(revert, nullptr);
    rig.editor.SelectPrefab(prefabs.Find("EdButton"));
    rig.Frame();
    EXPECT_TRUE(revert->IsGrayedOut);
    rig.editor.SelectPrefab(prefab);
    rig.Frame();
    EXPECT_FALSE(revert->IsGrayedOut);
    rig.ClickOn(*revert);
    EXPECT_FALSE(std::filesystem::exists(folder / "overlay" / "EdTitleBar.json"));
    EXPECT_EQ(prefabs.Find("EdTitleBar"), prefab);
    EXPECT_EQ(prefab->Components.front()->GetPropertyText("Height"), "20");
    rig.Frame();
    EXPECT_TRUE(revert->IsGrayedOut);
    std::filesystem::remove_all(folder);
}

TEST_F(EditorPalettesTest, PrefabNamesAreNamesNotPathsAndSaveAllKeepsAnOldFileUntilItsReplacementIsWritten) {
    EditorRig rig(*this);
    const TestFolder scratch;
    const std::filesystem::path folder = scratch.Path();
    prefabs.Folder = folder;
    Prefab* prefab = prefabs.Find("EdTitleBar");
    ASSERT_TRUE(PrefabEditor(prefabs).Save(*prefab));
    rig.Tap(Key::F11);
    auto* palette = rig.Palette("PalObjectEdit")->GetComponentOfType<EdPalObjectEditBhv>();
    rig.editor.SelectPrefab(prefab);
    rig.Frame();

    // Each is refused with one line, the prefab left as it was.
    for (const std::string name :
         {"../../esc", "/srv/esc", "Sub/Foo", "Back\\slash", "..", ".", "", "Tab\tName"}) {
        testing::internal::CaptureStdout();
        palette->CommitName(name);
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << name << ": " << said;
        EXPECT_EQ(prefab->Name, "EdTitleBar") << name;
        EXPECT_EQ(prefabs.Find("EdTitleBar"), prefab) << name;
        EXPECT_FALSE(prefab->Dirty) << name;
    }
    EXPECT_EQ(rig.editor.History.Size(), 0u);

    // A renamed prefab whose new file cannot be written: the old file stays.
    palette->CommitName("TitleBar2");
    ASSERT_EQ(prefab->Name, "TitleBar2");
    std::filesystem::create_directory(folder / "TitleBar2.json");
    EXPECT_FALSE(PrefabEditor(prefabs).SaveAll());
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "EdTitleBar.json"));
    EXPECT_FALSE(std::filesystem::exists(folder / "PalMain.json"))
        << "it names the prefab whose file is missing";
    std::filesystem::remove(folder / "TitleBar2.json");
    EXPECT_TRUE(PrefabEditor(prefabs).SaveAll());
    EXPECT_FALSE(std::filesystem::exists(folder / "EdTitleBar.json"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "TitleBar2.json"));
    std::filesystem::remove_all(folder);
}

} // namespace
