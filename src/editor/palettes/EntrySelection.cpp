#include "editor/palettes/EntrySelection.h"

#include "core/Service.h"
#include "editor/EditorState.h"
#include "editor/history/PrefabDataStep.h"
#include "prefabs/Prefab.h"

namespace {

AutoCreate* Entry() {
    return Service<EditorState>::Get().SelectedAutoCreate;
}

} // namespace

bool EntrySelection::Exists() const {
    return Entry() != nullptr;
}

const void* EntrySelection::Identity() const {
    return Entry();
}

const std::string& EntrySelection::Name() const {
    return Entry()->Name;
}

const std::string& EntrySelection::PrefabName() const {
    return Entry()->PrefabName;
}

std::string EntrySelection::Subject() const {
    const AutoCreate* entry = Entry();
    return entry->Owner->Name + "/" + (entry->Name.empty() ? entry->PrefabName : entry->Name);
}

Prefab* EntrySelection::DataPrefab() const {
    return Entry()->Owner;
}

std::vector<std::unique_ptr<PrefabComponent>>& EntrySelection::List() const {
    return Entry()->InstanceProperties;
}

void EntrySelection::CommitName(const std::string& text) {
    AutoCreate* entry = Entry();
    if (entry->Name == text) {
        return;
    }
    const std::string before = Subject();
    PrefabChange change;
    change.Watch(entry->Owner);
    entry->Name = text;
    change.Commit("Rename entry " + before + " to " + text);
}
