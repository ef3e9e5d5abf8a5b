#include "editor/palettes/PrefabSync.h"

#include <set>
#include <vector>

#include "core/Component.h"
#include "core/GameObject.h"
#include "editor/PrefabEditor.h"
#include "prefabs/PrefabManager.h"

namespace {

// The count-th component of the list with the class name, or null.
PrefabComponent* NthOfClass(const PrefabManager::PrefabList& list, const std::string& className, int count) {
    for (const auto& component : list) {
        if (component->ClassName == className && count-- == 0) {
            return component.get();
        }
    }
    return nullptr;
}

// The AutoCreate entry of the parent's prefab that built this object, or null.
AutoCreate* EntryFor(const GameObject& object, const PrefabManager& manager) {
    if (!object.Parent || object.PrefabName.empty()) {
        return nullptr;
    }
    const Prefab* parentPrefab = manager.Find(object.Parent->PrefabName);
    if (!parentPrefab) {
        return nullptr;
    }
    int position = 0;
    for (const GameObject* sibling : object.Parent->Children) {
        if (sibling == &object) {
            break;
        }
        if (sibling->PrefabName == object.PrefabName) {
            ++position;
        }
    }
    for (const auto& entry : parentPrefab->AutoCreates) {
        if (entry->PrefabName == object.PrefabName && position-- == 0) {
            return entry.get();
        }
    }
    return nullptr;
}

void ApplyRecursively(const Prefab& prefab, GameObject& object, const PrefabManager& manager, int& count) {
    if (object.PrefabName == prefab.Name) {
        manager.ApplyComponents(object, prefab.Components, true);
        ++count;
    }
    // By index: applying never adds children, but stay safe against a changing list.
    for (size_t i = 0; i < object.Children.size(); ++i) {
        ApplyRecursively(prefab, *object.Children[i], manager, count);
    }
}

bool Reaches(const PrefabManager& manager, const std::string& from, const std::string& target,
             std::set<std::string>& seen) {
    if (from == target) {
        return true;
    }
    if (!seen.insert(from).second) {
        return false;
    }
    const Prefab* prefab = manager.Find(from);
    if (!prefab) {
        return false;
    }
    for (const auto& entry : prefab->AutoCreates) {
        if (Reaches(manager, entry->PrefabName, target, seen)) {
            return true;
        }
    }
    return false;
}

} // namespace

void WriteObjectToPrefabs(const GameObject& object, PrefabManager& manager) {
    AutoCreate* entry = EntryFor(object, manager);
    Prefab* prefab = manager.Find(object.PrefabName);
    std::vector<std::string> seenClasses;
    for (Component* component : object.Components) {
        auto* live = dynamic_cast<IEditable*>(component);
        if (!live) {
            continue;
        }
        const std::string className = PrefabEditor(manager).GetClassName(*live);
        int count = 0;
        for (const std::string& earlier : seenClasses) {
            count += earlier == className ? 1 : 0;
        }
        seenClasses.push_back(className);
        PrefabComponent* inEntry = entry ? NthOfClass(entry->InstanceProperties, className, count) : nullptr;
        PrefabComponent* inPrefab = prefab ? NthOfClass(prefab->Components, className, count) : nullptr;
        for (const auto& [key, registration] : live->Properties) {
            if (inEntry) {
                if (auto it = inEntry->Properties.find(key); it != inEntry->Properties.end()) {
                    registration->CopyValueTo(*it->second);
                    entry->Owner->Dirty = true;
                    continue;
                }
            }
            if (inPrefab) {
                if (auto it = inPrefab->Properties.find(key); it != inPrefab->Properties.end()) {
                    registration->CopyValueTo(*it->second);
                    prefab->Dirty = true;
                }
            }
        }
    }
}

int ApplyPrefabToInstances(const Prefab& prefab, GameObject& root, const PrefabManager& manager) {
    int count = 0;
    ApplyRecursively(prefab, root, manager, count);
    return count;
}

bool PrefabReaches(const PrefabManager& manager, const std::string& from, const std::string& target) {
    std::set<std::string> seen;
    return Reaches(manager, from, target, seen);
}
