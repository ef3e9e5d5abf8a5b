// The editor's undo history on the shipped prefabs: random commands of every kind undone to the
// shipped files and the tree as it was, and redone to their result; the keys, the palette's lines,
// runs of nudges, dirty marks that follow what the files hold, and steps whose object the game
// destroyed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include <unistd.h>

#include "EditorRig.h"
#include "SceneFixture.h"
#include "components/SpriteComponent.h"
#include "core/Pos2dComponent.h"
#include "editor/EdFind.h"
#include "editor/history/EdHistory.h"
#include "editor/history/LiveRecord.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalHistoryBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"

namespace {

namespace fs = std::filesystem;

using EditorHistoryTest = SceneFixture;

const fs::path Shipped = fs::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every file of the folder by name, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
}

std::map<std::string, std::string> PrefabTexts(const PrefabManager& prefabs) {
    std::map<std::string, std::string> texts;
    for (const auto& [name, prefab] : prefabs.Prefabs) {
        texts[name] = prefabs.WritePrefab(*prefab);
    }
    return texts;
}

// A scratch prefab folder holding a copy of the shipped files, removed at the end.
struct PrefabFolderCopy {
    PrefabFolderCopy() {
        fs::remove_all(Folder);
        fs::create_directories(Folder.parent_path());
        fs::copy(Shipped, Folder);
    }
    ~PrefabFolderCopy() { fs::remove_all(Folder.parent_path()); }
    const fs::path Folder =
        fs::temp_directory_path() / ("kelvane-history-" + std::to_string(::getpid())) / "Prefabs";
};

// The editor's palettes, reached as the buttons reach them.
struct Palettes {
    explicit Palettes(EditorRig& rig)
        : edit(rig.Palette("PalObjectEdit")->GetComponentOfType<EdPalObjectEditBhv>()),
          objects(rig.Palette("PalObjectList")->GetComponentOfType<EdPalObjectListBhv>()),
          prefabs(rig.Palette("PalPrefabList")->GetComponentOfType<EdPalPrefabListBhv>()),
          entries(rig.Palette("PalAutoCreateList")->GetComponentOfType<EdPalAutoCreateListBhv>()),
          history(rig.Palette("PalHistory")) {}
    EdPalObjectEditBhv* edit;
    EdPalObjectListBhv* objects;
    EdPalPrefabListBhv* prefabs;
    EdPalAutoCreateListBhv* entries;
    GameObject* history;
};

// Objects the random commands may build live: their classes need nothing the rig lacks.
const std::vector<std::string> LivePrefabs = {"HudQuickslotFrame", "EdTitleBar", "EdButton", "EdListItem",
                                              "EdSpacer"};
const std::vector<std::string> SafeClasses = {"TintComponent", "Pos2dComponent", "SpriteComponent",
                                              "DebugRectComponent"};

void Collect(GameObject& object, std::vector<GameObject*>& out) {
    for (GameObject* child : object.Children) {
        out.push_back(child);
        Collect(*child, out);
    }
}

// Runs count random editor commands of every kind on the rig's editor from seed.
void RunRandomCommands(EditorRig& rig, Palettes& p, unsigned seed, int count) {
    std::mt19937 random(seed);
    const auto pick = [&random](size_t n) {
        return static_cast<size_t>(random() % n);
    };
    PrefabManager& prefabs = rig.scene.prefabs;
    EditorState& editor = rig.editor;
    const auto randomPrefab = [&]() -> Prefab* {
        auto it = prefabs.Prefabs.begin();
        std::advance(it, static_cast<long>(pick(prefabs.Prefabs.size())));
        return it->second.get();
    };
    const auto randomLive = [&]() -> GameObject* {
        std::vector<GameObject*> all;
        Collect(rig.scene.root, all);
        return all.empty() ? nullptr : all[pick(all.size())];
    };
    // Some value for the row: a nudge of a number, the other boolean, a plain text, or empty.
    const auto valueFor = [&](const std::string& current) -> std::pair<std::string, bool> {
        switch (pick(5)) {
        case 0:
        case 1:
            if (auto nudged = EdFieldBhv::Nudge(current.empty() ? "0" : current, pick(2) ? 1.0 : -10.0)) {
                return {*nudged, true};
            }
            return {current == "true" ? "false" : "true", false};
        case 2:
            return {std::to_string(static_cast<int>(pick(200)) - 50), false};
        case 3:
            return {"", false};
        default:
            return {"x" + std::to_string(pick(10)), false};
        }
    };
    const auto commitRandomRow = [&] {
        p.edit->Update();
        const auto& rows = p.edit->Rows();
        std::vector<size_t> valueRows;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].Key) {
                valueRows.push_back(i);
            }
        }
        if (valueRows.empty()) {
            return;
        }
        const size_t index = valueRows[pick(valueRows.size())];
        p.edit->Offset = static_cast<int>(index); // the row shows first, as scrolling there would
        p.edit->Update();
        EdFieldBhv* field = FindChildComponent<EdPropertyRowBhv>(p.edit->Owner, "EdPropertyRow")->Field();
        const std::string current = p.edit->Rows()[index].Editable->GetPropertyText(
            *p.edit->Rows()[index].Key, p.edit->Rows()[index].SubIndex);
        auto [text, nudge] = valueFor(current);
        field->IsNudging = nudge;
        p.edit->CommitProperty(index, text);
        field->IsNudging = false;
        p.edit->Offset = 0;
    };
    const auto pickComponent = [&] {
        p.edit->Update();
        std::vector<IEditable*> editables;
        for (const auto& row : p.edit->Rows()) {
            if (!row.Key) {
                editables.push_back(row.Editable);
            }
        }
        p.edit->SetCurrentComponent(editables.empty() ? nullptr : editables[pick(editables.size())]);
    };
    const auto selectEntry = [&] {
        Prefab* prefab = randomPrefab();
        editor.SelectPrefab(prefab);
        if (!prefab->AutoCreates.empty()) {
            editor.SelectAutoCreate(prefab->AutoCreates[pick(prefab->AutoCreates.size())].get());
        }
        return !prefab->AutoCreates.empty();
    };
    const std::vector<std::string> names = {"Renamed", "../../esc", "/srv/abs",  "Sub/Foo",           "..",
                                            ".",       "",          "Tab\tName", "HudQuickslotFrame", "Copy"};

    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("command " + std::to_string(i));
        GameObject* live = randomLive();
        switch (pick(24)) {
        case 0: // a live value, typed or nudged
        case 1:
            if (live) {
                editor.SelectObject(live);
                commitRandomRow();
            }
            break;
        case 2: // a live name
            if (live) {
                editor.SelectObject(live);
                p.edit->Update();
                p.edit->CommitName("Obj" + std::to_string(pick(5)));
            }
            break;
        case 3: // a flag
            if (live) {
                editor.SelectObject(live);
                p.edit->Update();
                const char* flags[] = {"ChkInputEnabled", "ChkUpdateEnabled", "ChkDrawEnabled"};
                auto* toggle = FindNestedComponent<EdToggleBhv>(p.edit->Owner, "FlagToggles", flags[pick(3)]);
                toggle->ChangeHandler(!toggle->Value);
            }
            break;
        case 4: // add, remove, move a live component
            if (live) {
                editor.SelectObject(live);
                p.edit->Update();
                p.edit->AddComponent(SafeClasses[pick(SafeClasses.size())]);
            }
            break;
        case 5:
            if (live) {
                editor.SelectObject(live);
                pickComponent();
                if (pick(2)) {
                    p.edit->RemoveComponent();
                } else {
                    p.edit->MoveComponent(pick(2) ? 1 : -1);
                }
            }
            break;
        case 6: // objects: add, remove, rebuild, reorder, write back
            editor.ListedParent = live && pick(2) ? live : &rig.scene.root;
            p.objects->AddNamed(pick(4) ? LivePrefabs[pick(LivePrefabs.size())] : std::string());
            break;
        case 7:
            if (live) {
                editor.SelectObject(live);
                p.objects->Remove();
            }
            break;
        case 8:
            if (live) {
                editor.SelectObject(live);
                p.objects->Reload();
            }
            break;
        case 9:
            if (live) {
                editor.SelectObject(live);
                p.objects->Move(pick(2) ? 1 : -1);
            }
            break;
        case 10:
            if (live) {
                editor.SelectObject(live);
                p.objects->WriteToPrefab();
            }
            break;
        case 11: // prefab data values, nudged or typed
        case 12:
            editor.SelectPrefab(randomPrefab());
            commitRandomRow();
            break;
        case 13: // prefab components
            editor.SelectPrefab(randomPrefab());
            p.edit->Update();
            if (pick(2)) {
                p.edit->AddComponent(SafeClasses[pick(SafeClasses.size())]);
            } else {
                pickComponent();
                if (pick(2)) {
                    p.edit->RemoveComponent();
                } else {
                    p.edit->MoveComponent(pick(2) ? 1 : -1);
                }
            }
            break;
        case 14: // prefabs: rename (good names and bad), add, remove, duplicate, update instances
            editor.SelectPrefab(randomPrefab());
            p.edit->Update();
            p.edit->CommitName(names[pick(names.size())]);
            break;
        case 15:
            p.prefabs->AddPrefab();
            break;
        case 16:
            editor.SelectPrefab(randomPrefab());
            p.prefabs->RemovePrefab();
            break;
        case 17:
            editor.SelectPrefab(randomPrefab());
            p.prefabs->DuplicatePrefab();
            break;
        case 18:
            if (live && prefabs.Contains(live->PrefabName)) {
                editor.SelectPrefab(prefabs.Find(live->PrefabName));
                p.prefabs->UpdateInstances();
            }
            break;
        case 19: // AutoCreate entries: values, names, add, remove, duplicate, move
            if (selectEntry()) {
                commitRandomRow();
            }
            break;
        case 20:
            if (selectEntry()) {
                p.edit->Update();
                p.edit->CommitName(pick(2) ? "Child" : "");
            }
            break;
        case 21:
            if (Prefab* owner = prefabs.Find(LivePrefabs[pick(LivePrefabs.size())])) {
                editor.SelectPrefab(owner);
            } else {
                editor.SelectPrefab(randomPrefab());
            }
            p.entries->AddEntryNamed(LivePrefabs[pick(LivePrefabs.size())]);
            break;
        case 22:
            if (selectEntry()) {
                if (pick(2)) {
                    p.entries->RemoveEntry();
                } else {
                    p.entries->DuplicateEntry();
                }
            }
            break;
        default:
            if (selectEntry()) {
                p.entries->MoveEntry(pick(2) ? 1 : -1);
            }
            break;
        }
        rig.scene.queues.Flush();
    }
}

TEST_F(EditorHistoryTest, RandomCommandsUndoneLeaveTheShippedFilesAndTheTreeAndRedoneTheirResult) {
    EditorRig rig(*this);
    PrefabFolderCopy copy;
    prefabs.Folder = copy.Folder;
    Palettes p(rig);
    // A live tree to work on: things built from shipped prefabs, and a body with a fixture.
    for (const std::string& name : LivePrefabs) {
        root.AppendChild(new GameObject(name));
    }
    auto* mover = new GameObject;
    mover->Name = "Mover";
    root.AppendChild(mover);
    mover->AddComponent(new B2BodyComponent);
    auto* fixture = new B2FixtureComponent;
    mover->AddComponent(fixture);
    fixture->SetShapeText("Box 0.5 0.5");
    root.Children[0]->AppendChild(new GameObject("EdButton"));

    const std::string treeBefore = LiveTreeText(root);
    const std::map<std::string, std::string> prefabsBefore = PrefabTexts(prefabs);
    RunRandomCommands(rig, p, 20261207u, 300);
    const std::string treeAfter = LiveTreeText(root);
    const std::map<std::string, std::string> prefabsAfter = PrefabTexts(prefabs);
    const size_t steps = rig.editor.History.Size();
    ASSERT_GT(steps, 150u) << "most commands change something";
    ASSERT_NE(treeAfter, treeBefore);
    ASSERT_NE(prefabsAfter, prefabsBefore);

    while (rig.editor.History.Undo()) {
        queues.Flush();
    }
    EXPECT_EQ(LiveTreeText(root), treeBefore);
    EXPECT_EQ(PrefabTexts(prefabs), prefabsBefore);
    for (const auto& [name, prefab] : prefabs.Prefabs) {
        EXPECT_FALSE(prefab->Dirty) << name;
    }
    p.prefabs->SaveAll();
    EXPECT_EQ(Files(copy.Folder), Files(Shipped));

    while (rig.editor.History.Redo()) {
        queues.Flush();
    }
    EXPECT_EQ(rig.editor.History.Cursor(), steps);
    EXPECT_EQ(LiveTreeText(root), treeAfter);
    EXPECT_EQ(PrefabTexts(prefabs), prefabsAfter);
    ClearTree();
}

TEST_F(EditorHistoryTest, KeysAndThePalettesLinesMoveThroughTheHistoryAndDirtyMarksFollowTheFiles) {
    EditorRig rig(*this);
    PrefabFolderCopy copy;
    prefabs.Folder = copy.Folder;
    Palettes p(rig);
    auto* object = new GameObject;
    object->Name = "Money";
    root.AppendChild(object);
    auto* pos = new Pos2dComponent;
    object->AddComponent(pos);
    rig.Tap(Key::F11);

    // A live value, then a run of nudges on one prefab field within a second: two steps.
    rig.editor.SelectObject(object);
    rig.Frame();
    p.edit->CommitProperty(2, "55"); // header, IsRelative, Pos.X
    rig.Frame();
    ASSERT_EQ(rig.editor.History.Size(), 1u);
    EXPECT_EQ(rig.editor.History.At(0).Text, "Set Pos.X of Money: 0 -> 55");
    Prefab* frame = prefabs.Find("HudQuickslotFrame");
    rig.editor.SelectPrefab(frame);
    rig.Frame();
    EdPropertyRowBhv* sizeX = nullptr;
    for (GameObject* child : p.edit->Owner->Children) {
        auto* row = child->GetComponentOfType<EdPropertyRowBhv>();
        if (row && row->Label == "  Size.X") {
            sizeX = row;
        }
    }
    ASSERT_NE(sizeX, nullptr);
    rig.ClickOn(*sizeX->Field());
    for (int i = 0; i < 5; ++i) {
        rig.Tap(Key::Up);
    }
    EXPECT_EQ(frame->Components[1]->GetPropertyText("Size", 0), "60");
    EXPECT_TRUE(frame->Dirty);
    ASSERT_EQ(rig.editor.History.Size(), 2u);
    EXPECT_EQ(rig.editor.History.At(1).Text, "Set Size.X of HudQuickslotFrame: 55 -> 60");
    rig.Tap(Key::Esc); // the field stops editing: the keys are the editor's again

    // Inside a field Ctrl+Z is the field's; outside it undoes, Ctrl+Y and Ctrl+Shift+Z redo.
    rig.ClickOn(*sizeX->Field());
    rig.Chord(Key::Ctrl, Key::Z);
    EXPECT_EQ(rig.editor.History.Cursor(), 2u);
    rig.Tap(Key::Esc);
    rig.Chord(Key::Ctrl, Key::Z);
    EXPECT_EQ(rig.editor.History.Cursor(), 1u);
    EXPECT_EQ(frame->Components[1]->GetPropertyText("Size", 0), "55");
    EXPECT_FALSE(frame->Dirty) << "back to what the file holds";
    rig.Chord(Key::Ctrl, Key::Y);
    EXPECT_EQ(frame->Components[1]->GetPropertyText("Size", 0), "60");
    EXPECT_TRUE(frame->Dirty);

    // Save All writes only what differs, and saving is no step.
    p.prefabs->SaveAll();
    EXPECT_FALSE(frame->Dirty);
    EXPECT_EQ(rig.editor.History.Size(), 2u);
    std::map<std::string, std::string> expected = Files(Shipped);
    expected["HudQuickslotFrame.json"] = prefabs.WritePrefab(*frame);
    EXPECT_EQ(Files(copy.Folder), expected);
    rig.Frame([](InputManager& in) {
        in.SetKeyState(Key::Ctrl, true);
        in.SetKeyState(Key::Shift, true);
        in.SetKeyState(Key::Z, true);
    });
    rig.Frame([](InputManager& in) {
        in.SetKeyState(Key::Ctrl, false);
        in.SetKeyState(Key::Shift, false);
        in.SetKeyState(Key::Z, false);
    });
    EXPECT_EQ(rig.editor.History.Cursor(), 2u) << "nothing left to redo";

    // The palette: a line before every step, then one per step, the current one marked; a click
    // on a line goes there.
    rig.Frame();
    std::vector<EdListItemBhv*> lines;
    for (GameObject* child : p.history->Children) {
        if (child->Name == "EdListItem") {
            lines.push_back(child->GetComponentOfType<EdListItemBhv>());
        }
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0]->Label, EdPalHistoryBhv::StartLine);
    EXPECT_EQ(lines[1]->Label, "Set Pos.X of Money: 0 -> 55");
    EXPECT_TRUE(lines[2]->IsSelected);
    rig.ClickOn(*lines[0]);
    EXPECT_EQ(rig.editor.History.Cursor(), 0u);
    EXPECT_EQ(pos->Pos.x, 0.0f);
    EXPECT_TRUE(frame->Dirty) << "the file holds 60 now";
    rig.Frame();
    EXPECT_TRUE(lines[0]->IsSelected);

    // A new change after undo drops the redo steps.
    rig.editor.SelectObject(object);
    rig.Frame();
    p.edit->CommitProperty(2, "7");
    EXPECT_EQ(rig.editor.History.Size(), 1u);
    EXPECT_EQ(rig.editor.History.Cursor(), 1u);
    ClearTree();
}

// The rectangle a palette's shown widgets cover, on screen.
Rect Covered(const GameObject& palette) {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (const GameObject* child : palette.Children) {
        if (!child->DrawEnabled) {
            continue;
        }
        for (Component* component : child->Components) {
            if (const auto* widget = dynamic_cast<const IEdUiElement*>(component)) {
                const Rect& r = widget->Bounds;
                left = std::min(left, r.x);
                top = std::min(top, r.y);
                right = std::max(right, r.x + r.width);
                bottom = std::max(bottom, r.y + r.height);
            }
        }
    }
    return {left, top, right - left, bottom - top};
}

TEST_F(EditorHistoryTest, TheHistoryPaletteSitsBesideTheOtherPalettesOnTheScreen) {
    EditorRig rig(*this);
    rig.Tap(Key::F11);
    // The edit palette listing an object's values.
    rig.editor.SelectObject(rig.Palette("PalObjectEdit"));
    rig.Frames(2);
    const Rect history = Covered(*rig.Palette("PalHistory"));
    EXPECT_GE(history.x, 0.0f);
    EXPECT_LE(history.x + history.width, 1280.0f);
    EXPECT_LE(history.y + history.height, 720.0f);
    for (const char* name :
         {"PalMain", "PalObjectList", "PalPrefabList", "PalAutoCreateList", "PalObjectEdit"}) {
        const Rect other = Covered(*rig.Palette(name));
        const bool apart = history.x >= other.x + other.width || other.x >= history.x + history.width ||
                           history.y >= other.y + other.height || other.y >= history.y + history.height;
        EXPECT_TRUE(apart) << name;
    }
}

TEST_F(EditorHistoryTest, AStepOnAnObjectTheGameDestroyedIsSkippedWithOneLine) {
    EditorRig rig(*this);
    Palettes p(rig);
    auto* creature = new GameObject;
    creature->Name = "Creature";
    root.AppendChild(creature);
    creature->AddComponent(new Pos2dComponent);
    auto* keeper = new GameObject;
    keeper->Name = "Keeper";
    root.AppendChild(keeper);
    rig.editor.SelectObject(creature);
    p.edit->Update();
    p.edit->CommitProperty(2, "3");
    p.edit->AddComponent("TintComponent");
    // Removed by the editor, the object is kept whole to come back; removed by the game, it is gone.
    rig.editor.SelectObject(keeper);
    p.objects->Remove();
    EXPECT_EQ(root.Children.size(), 1u);
    creature->DestroyLater();
    queues.Flush();

    testing::internal::CaptureStdout();
    while (rig.editor.History.Undo()) {
        queues.Flush();
    }
    const std::string said = testing::internal::GetCapturedStdout();
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0], keeper);
    EXPECT_NE(said.find("editor: undo of \"Add component TintComponent to Creature\" skipped"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("editor: undo of \"Set Pos.X of Creature: 0 -> 3\" skipped"), std::string::npos)
        << said;
    while (rig.editor.History.Redo()) {
        queues.Flush();
    }
    EXPECT_TRUE(root.Children.empty());
    ClearTree();
}

// A step that changes nothing and holds what it says.
struct SizedStep : EdStep {
    explicit SizedStep(size_t bytes) : EdStep("sized"), bytes(bytes) {}
    bool Undo() override { return true; }
    bool Redo() override { return true; }
    size_t Bytes() const override { return bytes; }
    size_t bytes;
};

TEST(EditorHistoryBoundsTest, TheHistoryKeepsAtMostAThousandStepsOr32MegabytesDroppingTheOldest) {
    EdHistory history;
    for (int i = 0; i < 1005; ++i) {
        history.Push(std::make_unique<SizedStep>(100));
    }
    EXPECT_EQ(history.Size(), EdHistory::MaxSteps);
    EXPECT_EQ(history.Cursor(), EdHistory::MaxSteps);
    EXPECT_EQ(history.Bytes(), 100u * EdHistory::MaxSteps);
    for (int i = 0; i < 40; ++i) {
        history.Push(std::make_unique<SizedStep>(1u << 20));
    }
    EXPECT_LE(history.Bytes(), EdHistory::MaxBytes);
    EXPECT_EQ(history.Size(), 32u);
    EXPECT_EQ(history.At(0).Bytes(), 1u << 20) << "the small old steps went first";
}

} // namespace
