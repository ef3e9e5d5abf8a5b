// The prefab-dependent part of GameObject: construction from a prefab and Reinstantiate.
#include "core/GameObject.h"

#include <algorithm>

#include "core/Behavior.h"
#include "core/ContentError.h"
#include "core/Service.h"
#include "prefabs/PrefabManager.h"

GameObject::GameObject(const std::string& prefabName) : GameObject() {
    PrefabManager& manager = Service<PrefabManager>::Get();
    const Prefab* prefab = manager.Find(prefabName);
    if (!prefab) {
        // Game code checks before building from a computed name, so only content reaches here: a
        // prefab naming a missing one, or one the editor renamed. The object built so far goes.
        throw ContentError("Prefabs/" + prefabName + ".json", "no prefab named " + Quoted(prefabName));
    }
    PrefabName = prefab->Name;
    manager.ApplyComponents(*this, prefab->Components, false);
    for (const auto& entry : prefab->AutoCreates) {
        auto* child = new GameObject(entry->PrefabName);
        child->Name = entry->Name.empty() ? entry->PrefabName : entry->Name;
        // After the child's own Start hooks: a behaviour added here gets no Start.
        manager.ApplyComponents(*child, entry->InstanceProperties, true);
        AppendChild(child);
    }
    for (size_t i = 0; i < Behaviors.size(); ++i)
        Behaviors[i]->Start();
    if (Name.empty())
        Name = PrefabName;
}

GameObject* GameObject::Reinstantiate() {
    auto* fresh = new GameObject(PrefabName);
    if (Parent) {
        auto& siblings = Parent->Children;
        auto it = std::find(siblings.begin(), siblings.end(), this);
        siblings.insert(it, fresh);
        fresh->Parent = Parent;
    }
    DestroyLater();
    return fresh;
}
