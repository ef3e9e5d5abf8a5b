#include "editor/palettes/PrefabSelection.h"

#include <cstdio>

#include "core/Service.h"
#include "editor/EditorState.h"
#include "editor/history/PrefabDataStep.h"
#include "prefabs/PrefabManager.h"
#include "prefabs/PrefabName.h"

Prefab* PrefabSelection::DataPrefab() const {
    return Service<EditorState>::Get().SelectedPrefab;
}

const std::string& PrefabSelection::Name() const {
    return DataPrefab()->Name;
}

std::vector<std::unique_ptr<PrefabComponent>>& PrefabSelection::List() const {
    return DataPrefab()->Components;
}

void PrefabSelection::CommitName(const std::string& text) {
    EditorState& editor = Service<EditorState>::Get();
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    Prefab* prefab = DataPrefab();
    if (text == prefab->Name) {
        return;
    }
    if (!IsPrefabName(text)) {
        std::printf("editor: \"%s\" is not renamed: a prefab name is not empty, \".\" or \"..\" and holds no "
                    "\"/\", \"\\\" or control characters\n",
                    prefab->Name.c_str());
        std::fflush(stdout);
        return;
    }
    const std::string oldName = prefab->Name;
    PrefabChange change;
    change.Watch(prefab);
    // Entries that build the prefab follow the new name; left behind they would name nothing.
    for (auto& [name, other] : prefabs.Prefabs) {
        for (auto& entry : other->AutoCreates) {
            if (entry->PrefabName == oldName) {
                change.Watch(other.get());
            }
        }
    }
    if (!prefabs.Rename(*prefab, text)) {
        return;
    }
    editor.SelectedPrefabName = prefab->Name;
    for (auto& [name, other] : prefabs.Prefabs) {
        for (auto& entry : other->AutoCreates) {
            if (entry->PrefabName == oldName) {
                entry->PrefabName = prefab->Name;
            }
        }
    }
    change.Commit("Rename prefab " + oldName + " to " + prefab->Name);
}
