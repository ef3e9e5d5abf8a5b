#include "editor/palettes/PrefabSelection.h"

#include <cstdio>

#include "core/ContentError.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/EditorState.h"
#include "editor/PrefabEditor.h"
#include "editor/history/PrefabDataStep.h"
#include "prefabs/AutoCreate.h"
#include "prefabs/Prefab.h"
#include "prefabs/PrefabManager.h"
#include "prefabs/PrefabName.h"

namespace {

// Live objects built from the prefab that no AutoCreate entry made: something builds them by name
// (a catalogue, a store), and will not find the prefab under its new name.
int BuiltByName(const GameObject& object, const std::string& name, bool fromEntry) {
    int count = object.PrefabName == name && !fromEntry ? 1 : 0;
    const Prefab* prefab = Service<PrefabManager>::Get().Find(object.PrefabName);
    for (const GameObject* child : object.Children) {
        bool entry = false;
        if (prefab) {
            for (const auto& e : prefab->AutoCreates) {
                entry = entry || (e->PrefabName == child->PrefabName);
            }
        }
        count += BuiltByName(*child, name, entry);
    }
    return count;
}

void WarnOfBuildsByName(const std::string& oldName, const std::string& newName) {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    const int count = roots && roots->Root ? BuiltByName(*roots->Root, oldName, true) : 0;
    if (count > 0) {
        std::printf("editor: warning: %d live object%s %s built from %s by name; renamed to %s, what builds "
                    "%s will not find it\n",
                    count, count == 1 ? "" : "s", count == 1 ? "was" : "were", Quoted(oldName).c_str(),
                    Quoted(newName).c_str(), count == 1 ? "it" : "them");
        std::fflush(stdout);
    }
}

} // namespace

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
    WarnOfBuildsByName(oldName, text);
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
    if (!PrefabEditor(prefabs).Rename(*prefab, text)) {
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
