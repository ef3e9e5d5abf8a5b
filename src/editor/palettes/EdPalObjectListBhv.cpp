#include "editor/palettes/EdPalObjectListBhv.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/ContentError.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdFind.h"
#include "editor/EdScene.h"
#include "editor/EditorState.h"
#include "editor/history/LiveObjectStep.h"
#include "editor/history/PrefabDataStep.h"
#include "editor/palettes/ObjectLabel.h"
#include "editor/palettes/PrefabSync.h"
#include "editor/tools/EdDlgPrefabPickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"

void EdPalObjectListBhv::Start() {
    EdScrollListBhv::Start();
    EditorState& editor = Service<EditorState>::Get();
    rows_ = CollectRows([this, &editor](EdListItemBhv& item, size_t row) {
        item.ClickHandler = [this, row, &editor] {
            const size_t index = static_cast<size_t>(Offset) + row;
            if (editor.ListedParent && index < editor.ListedParent->Children.size()) {
                editor.SelectObject(editor.ListedParent->Children[index]);
            }
        };
        item.SecondaryClickHandler = [this, row, &editor] {
            const size_t index = static_cast<size_t>(Offset) + row;
            if (editor.ListedParent && index < editor.ListedParent->Children.size()) {
                editor.ListedParent = editor.ListedParent->Children[index];
                Offset = 0;
            }
        };
    });
    parentItem_ = FindChildComponent<EdListItemBhv>(Owner, "ParentItem");
    if (parentItem_) {
        parentItem_->ClickHandler = [&editor] {
            if (editor.ListedParent) {
                editor.SelectObject(editor.ListedParent);
            }
        };
        parentItem_->SecondaryClickHandler = [this, &editor] {
            if (editor.ListedParent && editor.ListedParent->Parent) {
                editor.ListedParent = editor.ListedParent->Parent;
                Offset = 0;
            }
        };
    }
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnAdd"), [this] { Add(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnRemove"), [this] { Remove(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ButtonRow1", "BtnUpdatePrefab"),
            [this] { WriteToPrefab(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ButtonRow1", "BtnReload"), [this] { Reload(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveUp"), [this] { Move(-1); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveDown"), [this] { Move(1); });
}

int EdPalObjectListBhv::EntryCount() const {
    const EditorState& editor = Service<EditorState>::Get();
    return editor.ListedParent ? static_cast<int>(editor.ListedParent->Children.size()) : 0;
}

bool EdPalObjectListBhv::IsProtected(const GameObject* object) const {
    if (!object || !object->Parent || object == GameplayRoot()) {
        return true;
    }
    // The editor's own tree: this palette's ancestor just below the root.
    const GameObject* editorRoot = Owner;
    while (editorRoot && editorRoot->Parent && editorRoot->Parent->Parent) {
        editorRoot = editorRoot->Parent;
    }
    for (const GameObject* o = object; o; o = o->Parent) {
        if (o == editorRoot) {
            return true;
        }
    }
    return false;
}

void EdPalObjectListBhv::Add() {
    EdDlgPrefabPickerBhv* picker = WellKnown<EdDlgPrefabPickerBhv>::Get();
    if (!picker || !Service<EditorState>::Get().ListedParent) {
        return;
    }
    picker->Open([this](const std::string& name) { AddNamed(name); });
}

void EdPalObjectListBhv::AddNamed(const std::string& name) {
    EditorState& editor = Service<EditorState>::Get();
    GameObject* parent = editor.ListedParent;
    if (!parent) {
        return;
    }
    GameObject* made = nullptr;
    if (name.empty()) {
        made = new GameObject();
        made->Name = "NewObject";
    } else if (Service<PrefabManager>::Get().Contains(name)) {
        made = new GameObject(name);
    }
    if (!made) {
        return;
    }
    parent->AppendChild(made);
    auto step = std::make_unique<LiveObjectStep>("Add object " + made->Name + " to " + Label(*parent));
    step->After(*made, *parent, parent->Children.size() - 1);
    editor.History.Push(std::move(step));
    editor.SelectObject(made);
}

void EdPalObjectListBhv::Remove() {
    EditorState& editor = Service<EditorState>::Get();
    GameObject* object = editor.SelectedObject;
    if (IsProtected(object)) {
        return;
    }
    // Taken out, not destroyed: the history keeps it to put it back exactly.
    GameObject& parent = *object->Parent;
    auto step =
        std::make_unique<LiveObjectStep>("Remove object " + Label(*object) + " from " + Label(parent));
    step->Before(*object, parent, IndexOf(*object));
    LiveObjectStep::TakeOut(*object);
    editor.History.Push(std::move(step));
}

void EdPalObjectListBhv::Reload() {
    EditorState& editor = Service<EditorState>::Get();
    GameObject* object = editor.SelectedObject;
    // A prefab removed in the editor cannot be built again; building it would be fatal.
    if (IsProtected(object) || object->PrefabName.empty() ||
        !Service<PrefabManager>::Get().Contains(object->PrefabName)) {
        return;
    }
    GameObject& parent = *object->Parent;
    const size_t index = IndexOf(*object);
    const std::vector<void*> bindings = wellknown::Bindings();
    GameObject* fresh = nullptr;
    try {
        fresh = new GameObject(object->PrefabName);
    } catch (const ContentError& error) {
        // What the half-built object registered as well known points back at the old one.
        for (size_t i = 0; i < wellknown::Slots().size(); ++i) {
            wellknown::Slots()[i].Write(i < bindings.size() ? bindings[i] : nullptr);
        }
        // A prefab it builds by name is gone (renamed, removed): the object stays as it was.
        std::printf("editor: rebuild of %s stopped: %s\n", Quoted(Label(*object)).c_str(),
                    error.Problem().c_str());
        std::fflush(stdout);
        return;
    }
    fresh->Name = object->Name;
    auto step = std::make_unique<LiveObjectStep>("Rebuild object " + Label(*object));
    step->Before(*object, parent, index);
    step->After(*fresh, parent, index);
    step->KeepWellKnown(bindings);
    LiveObjectStep::TakeOut(*object);
    LiveObjectStep::PutIn(*fresh, parent, index);
    editor.History.Push(std::move(step));
    editor.SelectObject(fresh);
}

void EdPalObjectListBhv::Move(int offset) {
    EditorState& editor = Service<EditorState>::Get();
    GameObject* object = editor.SelectedObject;
    if (!object || !object->Parent) {
        return;
    }
    GameObject& parent = *object->Parent;
    const size_t from = IndexOf(*object);
    object->MoveAmongSiblings(offset);
    const size_t to = IndexOf(*object);
    if (to == from) {
        return;
    }
    // The sibling it swapped with moves too.
    GameObject& other = *parent.Children[from];
    auto step = std::make_unique<LiveObjectStep>(std::string("Move object ") + Label(*object) +
                                                 (offset < 0 ? " up" : " down"));
    step->Before(*object, parent, from);
    step->Before(other, parent, to);
    step->After(*object, parent, to);
    step->After(other, parent, from);
    editor.History.Push(std::move(step));
}

void EdPalObjectListBhv::WriteToPrefab() {
    EditorState& editor = Service<EditorState>::Get();
    GameObject* object = editor.SelectedObject;
    if (!object) {
        return;
    }
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    PrefabChange change;
    change.Watch(object->PrefabName);
    if (object->Parent) {
        change.Watch(object->Parent->PrefabName);
    }
    WriteObjectToPrefabs(*object, prefabs);
    change.Commit("Write " + Label(*object) + " to prefab " + object->PrefabName);
}

std::string EdPalObjectListBhv::Label(const GameObject& object) {
    std::string label;
    WriteObjectLabel(object, false, label);
    return label;
}

size_t EdPalObjectListBhv::IndexOf(const GameObject& object) {
    const auto& siblings = object.Parent->Children;
    return static_cast<size_t>(std::find(siblings.begin(), siblings.end(), &object) - siblings.begin());
}

void EdPalObjectListBhv::HandleInput() {
    EditorState& editor = Service<EditorState>::Get();
    const InputManager& input = Service<InputManager>::Get();
    if (!editor.SelectedObject) {
        return;
    }
    if (input.IsKeyPressed(Key::Insert)) {
        Add();
    } else if (input.IsKeyDown(Key::Alt) && input.IsKeyPressed(Key::S)) {
        WriteToPrefab();
    } else if (input.IsKeyDown(Key::Ctrl) && input.IsKeyPressed(Key::P)) {
        PrefabManager& prefabs = Service<PrefabManager>::Get();
        if (Prefab* prefab = prefabs.Find(editor.SelectedObject->PrefabName)) {
            editor.SelectPrefab(prefab);
        }
    }
}

void EdPalObjectListBhv::Update() {
    EditorState& editor = Service<EditorState>::Get();
    if (!editor.ListedParent) {
        editor.ListedParent = GameplayRoot();
    }
    EdScrollListBhv::Update();
    GameObject* parent = editor.ListedParent;
    if (parentItem_) {
        if (parent) {
            WriteObjectLabel(*parent, false, parentItem_->Label);
        } else {
            parentItem_->Label.clear();
        }
        parentItem_->IsSelected = parent && parent == editor.SelectedObject;
    }
    const size_t count = parent ? parent->Children.size() : 0;
    for (size_t row = 0; row < rows_.size(); ++row) {
        EdListItemBhv* item = rows_[row];
        const size_t index = static_cast<size_t>(Offset) + row;
        if (index < count) {
            GameObject* child = parent->Children[index];
            WriteObjectLabel(*child, true, item->Label);
            item->IsSelected = child == editor.SelectedObject;
        } else {
            item->Label.clear();
            item->IsSelected = false;
        }
    }
}
