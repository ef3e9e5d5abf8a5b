#include "editor/palettes/EdPalAutoCreateListBhv.h"

#include <cstdio>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
#include "editor/PrefabEditor.h"
#include "editor/history/PrefabDataStep.h"
#include "editor/palettes/PrefabSync.h"
#include "editor/tools/EdDlgPrefabPickerBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"

namespace {

std::unique_ptr<PrefabComponent> CopyOf(const PrefabComponent& source) {
    auto copy = std::make_unique<PrefabComponent>();
    copy->ClassName = source.ClassName;
    copy->Type = source.Type;
    for (const auto& [key, registration] : source.Properties) {
        auto holder = registration->CreateHolder();
        registration->CopyValueTo(*holder);
        copy->Properties.emplace(key, std::move(holder));
    }
    return copy;
}

} // namespace

void EdPalAutoCreateListBhv::Start() {
    EdScrollListBhv::Start();
    rows_ = CollectRows([this](EdListItemBhv& item, size_t row) {
        item.ClickHandler = [this, row] {
            Prefab* prefab = FocusPrefab();
            const size_t index = static_cast<size_t>(Offset) + row;
            if (prefab && index < prefab->AutoCreates.size()) {
                Service<EditorState>::Get().SelectAutoCreate(prefab->AutoCreates[index].get());
            }
        };
    });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnAdd"), [this] { AddEntry(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnRemove"), [this] { RemoveEntry(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ButtonRow1", "BtnDuplicate"),
            [this] { DuplicateEntry(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveUp"), [this] { MoveEntry(-1); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveDown"), [this] { MoveEntry(1); });
}

Prefab* EdPalAutoCreateListBhv::FocusPrefab() const {
    return Service<PrefabManager>::Get().Find(Service<EditorState>::Get().SelectedPrefabName);
}

int EdPalAutoCreateListBhv::EntryCount() const {
    const Prefab* prefab = FocusPrefab();
    return prefab ? static_cast<int>(prefab->AutoCreates.size()) : 0;
}

int EdPalAutoCreateListBhv::SelectedIndex() const {
    const Prefab* prefab = FocusPrefab();
    const AutoCreate* selected = Service<EditorState>::Get().SelectedAutoCreate;
    if (!prefab || !selected) {
        return -1;
    }
    for (size_t i = 0; i < prefab->AutoCreates.size(); ++i) {
        if (prefab->AutoCreates[i].get() == selected) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void EdPalAutoCreateListBhv::AddEntry() {
    EdDlgPrefabPickerBhv* picker = WellKnown<EdDlgPrefabPickerBhv>::Get();
    if (!picker || !FocusPrefab()) {
        return;
    }
    picker->Open([this](const std::string& name) { AddEntryNamed(name); });
}

void EdPalAutoCreateListBhv::AddEntryNamed(const std::string& name) {
    EditorState& editor = Service<EditorState>::Get();
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    Prefab* owner = FocusPrefab();
    const Prefab* chosen = prefabs.Find(name);
    if (!owner || !chosen) {
        return;
    }
    if (PrefabReaches(prefabs, chosen->Name, owner->Name)) {
        std::printf("editor: \"%s\" cannot build \"%s\": it would build itself without end\n",
                    owner->Name.c_str(), chosen->Name.c_str());
        std::fflush(stdout);
        return;
    }
    auto entry = std::make_unique<AutoCreate>();
    entry->Owner = owner;
    entry->PrefabName = chosen->Name;
    for (const auto& component : chosen->Components) {
        auto empty = std::make_unique<PrefabComponent>();
        empty->ClassName = component->ClassName;
        empty->Type = component->Type;
        entry->InstanceProperties.push_back(std::move(empty));
    }
    AutoCreate* added = entry.get();
    PrefabChange change;
    change.Watch(owner);
    owner->AutoCreates.push_back(std::move(entry));
    change.Commit("Add child " + chosen->Name + " to " + owner->Name);
    editor.SelectAutoCreate(added);
}

void EdPalAutoCreateListBhv::RemoveEntry() {
    Prefab* prefab = FocusPrefab();
    const int index = SelectedIndex();
    if (!prefab || index < 0) {
        return;
    }
    auto& entries = prefab->AutoCreates;
    const std::string removed = entries[static_cast<size_t>(index)]->PrefabName;
    PrefabChange change;
    change.Watch(prefab);
    entries.erase(entries.begin() + index);
    change.Commit("Remove child " + removed + " from " + prefab->Name);
    EditorState& editor = Service<EditorState>::Get();
    if (index < static_cast<int>(entries.size())) {
        editor.SelectAutoCreate(entries[static_cast<size_t>(index)].get());
    } else if (index > 0) {
        editor.SelectAutoCreate(entries[static_cast<size_t>(index - 1)].get());
    } else {
        editor.SelectAutoCreate(nullptr);
    }
}

void EdPalAutoCreateListBhv::DuplicateEntry() {
    Prefab* prefab = FocusPrefab();
    const int index = SelectedIndex();
    if (!prefab || index < 0) {
        return;
    }
    const AutoCreate& source = *prefab->AutoCreates[static_cast<size_t>(index)];
    auto copy = std::make_unique<AutoCreate>();
    copy->Owner = prefab;
    copy->Name = source.Name;
    copy->PrefabName = source.PrefabName;
    for (const auto& component : source.InstanceProperties) {
        copy->InstanceProperties.push_back(CopyOf(*component));
    }
    AutoCreate* added = copy.get();
    PrefabChange change;
    change.Watch(prefab);
    prefab->AutoCreates.insert(prefab->AutoCreates.begin() + index + 1, std::move(copy));
    change.Commit("Duplicate child " + added->PrefabName + " in " + prefab->Name);
    Service<EditorState>::Get().SelectAutoCreate(added);
}

void EdPalAutoCreateListBhv::MoveEntry(int offset) {
    if (SelectedIndex() >= 0) {
        AutoCreate* entry = Service<EditorState>::Get().SelectedAutoCreate;
        PrefabChange change;
        change.Watch(entry->Owner);
        PrefabEditor::MoveAutoCreate(entry, offset);
        change.Commit("Move child " + entry->PrefabName + (offset < 0 ? " up in " : " down in ") +
                      entry->Owner->Name);
    }
}

void EdPalAutoCreateListBhv::HandleInput() {
    if (Service<EditorState>::Get().SelectedAutoCreate &&
        Service<InputManager>::Get().IsKeyPressed(Key::Insert)) {
        AddEntry();
    }
}

void EdPalAutoCreateListBhv::Update() {
    EdScrollListBhv::Update();
    const Prefab* prefab = FocusPrefab();
    const AutoCreate* selected = Service<EditorState>::Get().SelectedAutoCreate;
    const size_t count = prefab ? prefab->AutoCreates.size() : 0;
    for (size_t row = 0; row < rows_.size(); ++row) {
        EdListItemBhv* item = rows_[row];
        const size_t index = static_cast<size_t>(Offset) + row;
        if (index < count) {
            const AutoCreate& entry = *prefab->AutoCreates[index];
            item->Label.assign(entry.Name);
            item->Label += "  (";
            item->Label += entry.PrefabName;
            item->Label += ")";
            item->IsSelected = &entry == selected;
        } else {
            item->Label.clear();
            item->IsSelected = false;
        }
    }
}
