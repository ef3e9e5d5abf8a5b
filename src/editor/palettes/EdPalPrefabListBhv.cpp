#include "editor/palettes/EdPalPrefabListBhv.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/DevelopmentContent.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
#include "editor/NameFilter.h"
#include "editor/PrefabEditor.h"
#include "editor/history/LiveComponentsStep.h"
#include "editor/history/PrefabDataStep.h"
#include "editor/palettes/PrefabSync.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"

namespace {

// One line saying where prefabs went: the development content folder, the player's own overlay
// (the shipped Content cannot be written) or the Content folder beside the game.
void ReportSave(const PrefabManager& prefabs, const char* what, bool saved) {
    const DevelopmentContent* development = Service<DevelopmentContent>::TryGet();
    const char* where =
        !prefabs.ShippedFolder.empty() ? "your own content, read on top of the shipped Content"
        : development && !development->Folder.empty() && prefabs.Folder == development->Folder / "Prefabs"
            ? "the development content folder"
            : "the Content folder beside the game";
    std::printf("editor: %s %s %s (%s)\n", saved ? "saved" : "could not save", what,
                prefabs.Folder.string().c_str(), where);
    std::fflush(stdout);
}

// Whether another prefab builds this one as an AutoCreate child: removing it would leave that
// entry naming nothing, and building such a prefab is fatal.
const Prefab* UserOf(const PrefabManager& prefabs, const std::string& name) {
    for (const auto& [key, prefab] : prefabs.Prefabs) {
        for (const auto& entry : prefab->AutoCreates) {
            if (entry->PrefabName == name && prefab->Name != name) {
                return prefab.get();
            }
        }
    }
    return nullptr;
}

} // namespace

void EdPalPrefabListBhv::Start() {
    EdScrollListBhv::Start();
    EditorState& editor = Service<EditorState>::Get();
    rows_ = CollectRows([this, &editor](EdListItemBhv& item, size_t row) {
        item.ClickHandler = [this, row, &editor] {
            const size_t index = static_cast<size_t>(Offset) + row;
            if (index < listed_.size()) {
                editor.SelectPrefab(Service<PrefabManager>::Get().Find(*listed_[index]));
            }
        };
    });
    // The filter applies as it is typed; committing it only stops editing.
    filterRow_ = FindChildComponent<EdPropertyRowBhv>(Owner, "FilterRow");
    filter_ = filterRow_ ? filterRow_->Field() : nullptr;
    saveCurrent_ = FindNestedComponent<EdButtonBhv>(Owner, "SaveButtons", "BtnSaveCurrent");
    Connect(saveCurrent_.Get(), [this] { SaveCurrent(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "SaveButtons", "BtnSaveAll"), [this] { SaveAll(); });
    revert_ = FindNestedComponent<EdButtonBhv>(Owner, "SaveButtons", "BtnRevert");
    Connect(revert_.Get(), [this] { RevertToShipped(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnAdd"), [this] { AddPrefab(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnRemove"), [this] { RemovePrefab(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "InstanceButtons", "BtnDuplicate"),
            [this] { DuplicatePrefab(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "InstanceButtons", "BtnUpdateAll"),
            [this] { UpdateInstances(); });
}

Prefab* EdPalPrefabListBhv::FocusPrefab() const {
    return Service<PrefabManager>::Get().Find(Service<EditorState>::Get().SelectedPrefabName);
}

void EdPalPrefabListBhv::AddPrefab() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    if (Prefab* made = PrefabEditor(prefabs).Add(NewPrefabName)) {
        PrefabChange change;
        change.WatchNew(made->Name);
        change.Commit("Add prefab " + made->Name);
        Service<EditorState>::Get().SelectPrefab(made);
    }
}

void EdPalPrefabListBhv::RemovePrefab() {
    EditorState& editor = Service<EditorState>::Get();
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    auto it = prefabs.Prefabs.find(editor.SelectedPrefabName);
    if (it == prefabs.Prefabs.end()) {
        return;
    }
    Prefab* doomed = it->second.get();
    if (doomed->Name == "GameplayRoot" || doomed->Name == "EditorRoot") {
        std::printf("editor: \"%s\" is not removed: the game builds it at start-up\n", doomed->Name.c_str());
        std::fflush(stdout);
        return;
    }
    if (const Prefab* user = UserOf(prefabs, doomed->Name)) {
        std::printf("editor: \"%s\" is not removed: \"%s\" builds it as a child\n", doomed->Name.c_str(),
                    user->Name.c_str());
        std::fflush(stdout);
        return;
    }
    auto next = std::next(it);
    Prefab* following = next == prefabs.Prefabs.end() ? nullptr : next->second.get();
    if (editor.SelectedAutoCreate && editor.SelectedAutoCreate->Owner == doomed) {
        editor.SelectedAutoCreate = nullptr;
    }
    if (editor.SelectedPrefab == doomed) {
        editor.SelectedPrefab = nullptr;
    }
    const std::string name = doomed->Name;
    PrefabChange change;
    change.Watch(doomed);
    prefabs.Prefabs.erase(it);
    change.Commit("Remove prefab " + name);
    if (following) {
        editor.SelectPrefab(following);
    } else {
        editor.SelectPrefab(nullptr);
        editor.SelectedPrefabName.clear();
    }
}

void EdPalPrefabListBhv::DuplicatePrefab() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    if (const Prefab* source = FocusPrefab()) {
        if (Prefab* copy = PrefabEditor(prefabs).Duplicate(*source)) {
            // A copy nobody has saved yet: it differs from every file, so Save All writes it.
            PrefabChange change;
            change.WatchNew(copy->Name);
            change.Commit("Duplicate prefab " + source->Name + " as " + copy->Name);
            Service<EditorState>::Get().SelectPrefab(copy);
        }
    }
}

void EdPalPrefabListBhv::SaveCurrent() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    Prefab* prefab = FocusPrefab();
    if (!prefab || !prefab->Dirty) {
        return;
    }
    const std::string what = "\"" + prefab->Name + "\" to";
    const std::string text = prefabs.WritePrefab(*prefab);
    const bool saved = PrefabEditor(prefabs).Save(*prefab);
    if (saved) {
        Service<EditorState>::Get().History.Baseline.Saved(prefab->Name, text);
    }
    ReportSave(prefabs, what.c_str(), saved);
}

void EdPalPrefabListBhv::SaveAll() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    // Saving is not a step; it moves what the files hold, which the dirty marks compare with.
    std::vector<std::pair<std::string, std::string>> written;
    for (const auto& [name, prefab] : prefabs.Prefabs) {
        if (prefab->Dirty) {
            written.emplace_back(name, prefabs.WritePrefab(*prefab));
        }
    }
    const bool saved = PrefabEditor(prefabs).SaveAll();
    PrefabBaseline& baseline = Service<EditorState>::Get().History.Baseline;
    for (const auto& [name, text] : written) {
        const Prefab* prefab = prefabs.Find(name);
        if (prefab && !prefab->Dirty) {
            baseline.Saved(name, text);
        }
    }
    if (saved) {
        baseline.KeepOnly(prefabs.Prefabs); // the files of the others were deleted
    }
    ReportSave(prefabs, "all changed prefabs to", saved);
}

void EdPalPrefabListBhv::RevertToShipped() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    Prefab* prefab = FocusPrefab();
    if (!prefab || !PrefabEditor(prefabs).HasOverlayCopy(*prefab)) {
        return;
    }
    const bool reverted = PrefabEditor(prefabs).RevertToShipped(*prefab);
    // Its components and entries are new objects: select it afresh so no palette keeps the old ones.
    Service<EditorState>::Get().SelectPrefab(prefab);
    std::printf("editor: %s \"%s\" to the shipped file %s\n", reverted ? "reverted" : "could not revert",
                prefab->Name.c_str(), (prefabs.ShippedFolder / (prefab->Name + ".json")).string().c_str());
    std::fflush(stdout);
}

void EdPalPrefabListBhv::UpdateInstances() {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    const Prefab* prefab = FocusPrefab();
    if (!prefab || !roots || !roots->Root) {
        return;
    }
    // Every instance's components before and after, so the step can put each back.
    std::vector<GameObject*> instances;
    CollectInstances(prefab->Name, *roots->Root, instances);
    std::vector<std::vector<ComponentRecord>> before;
    for (GameObject* object : instances) {
        before.push_back(RecordComponents(*object));
    }
    ApplyPrefabToInstances(*prefab, *roots->Root, Service<PrefabManager>::Get());
    auto step = std::make_unique<LiveComponentsStep>("Update instances of " + prefab->Name);
    for (size_t i = 0; i < instances.size(); ++i) {
        step->Add(*instances[i], std::move(before[i]), RecordComponents(*instances[i]));
    }
    if (!step->Empty()) {
        Service<EditorState>::Get().History.Push(std::move(step));
    }
}

void EdPalPrefabListBhv::CollectInstances(const std::string& name, GameObject& object,
                                          std::vector<GameObject*>& out) {
    if (object.PrefabName == name) {
        out.push_back(&object);
    }
    for (GameObject* child : object.Children) {
        CollectInstances(name, *child, out);
    }
}

void EdPalPrefabListBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    const bool ctrl = input.IsKeyDown(Key::Ctrl);
    if (ctrl && input.IsKeyPressed(Key::S)) {
        if (input.IsKeyDown(Key::Shift)) {
            SaveAll();
        } else if (saveCurrent_ && !saveCurrent_->IsGrayedOut) {
            SaveCurrent();
        }
    } else if (input.IsKeyPressed(Key::Insert) && Service<EditorState>::Get().SelectedPrefab) {
        AddPrefab();
    }
}

void EdPalPrefabListBhv::ListNames() {
    listed_.clear();
    const std::string_view filter = filter_ ? std::string_view(filter_->Text) : std::string_view();
    if (filter != appliedFilter_) {
        appliedFilter_.assign(filter);
        Offset = 0;
    }
    for (const auto& [name, prefab] : Service<PrefabManager>::Get().Prefabs) {
        if (PassesNameFilter(name, filter)) {
            listed_.push_back(&name);
        }
    }
}

void EdPalPrefabListBhv::Update() {
    if (filterRow_ && filter_) {
        filterRow_->ValueText.assign(filter_->Text); // the row shows what was typed, committed or not
    }
    ListNames();
    EdScrollListBhv::Update();
    const EditorState& editor = Service<EditorState>::Get();
    if (saveCurrent_) {
        const Prefab* focus = FocusPrefab();
        saveCurrent_->IsGrayedOut = !focus || !focus->Dirty;
    }
    if (revert_) {
        const Prefab* focus = FocusPrefab();
        revert_->IsGrayedOut = !focus || !PrefabEditor(Service<PrefabManager>::Get()).HasOverlayCopy(*focus);
    }
    for (size_t row = 0; row < rows_.size(); ++row) {
        EdListItemBhv* item = rows_[row];
        const size_t index = static_cast<size_t>(Offset) + row;
        if (index < listed_.size()) {
            item->Label.assign(*listed_[index]);
            item->IsSelected = *listed_[index] == editor.SelectedPrefabName;
        } else {
            item->Label.clear();
            item->IsSelected = false;
        }
    }
}
