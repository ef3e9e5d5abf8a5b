#include "editor/palettes/PrefabDataSelection.h"

#include <algorithm>

#include "core/Service.h"
#include "editor/history/PrefabDataStep.h"
#include "prefabs/PrefabManager.h"

namespace {

// The class prototype that answers for a prefab component's properties, or null.
IEditable* PrototypeOf(const PrefabComponent& component) {
    const ComponentRegistry& registry = Service<PrefabManager>::Get().Registry;
    return registry.Contains(component.ClassName) ? &registry.GetPrototype(component.ClassName) : nullptr;
}

// Stores text in the component's sub-property subIndex of key; false when the text does not read (nothing is
// stored).
bool Store(PrefabComponent& component, const std::string& key, int subIndex, const std::string& text) {
    auto& stored = component.Properties;
    if (text.empty()) {
        return stored.erase(key) != 0; // the class default applies again
    }
    if (auto it = stored.find(key); it != stored.end()) {
        return it->second->GetSubProperty(key, subIndex).SetText(text);
    }
    // The other sub-properties' defaults come from a fresh instance, not the shared prototype: reading some
    // values builds what they describe (a body's position makes its body in the world), and the
    // prototype must never own such a thing.
    const ComponentRegistry& registry = Service<PrefabManager>::Get().Registry;
    if (!PrototypeOf(component) || !PrototypeOf(component)->FindProperty(key)) {
        return false;
    }
    std::unique_ptr<IEditable> fresh = registry.Create(component.ClassName);
    PropertyRegistration* model = fresh ? fresh->FindProperty(key) : nullptr;
    if (!model) {
        return false;
    }
    std::unique_ptr<PropertyRegistration> holder = model->CreateHolder();
    model->CopyValueTo(*holder);
    // Only a value that reads is stored: rejected text must not leave the default behind.
    if (!holder->GetSubProperty(key, subIndex).SetText(text)) {
        return false;
    }
    stored.emplace(key, std::move(holder));
    return true;
}

} // namespace

void PrefabDataSelection::CollectEditables(std::vector<IEditable*>& out) const {
    out.clear();
    for (const auto& c : List()) {
        out.push_back(c.get());
    }
}

const IEditable* PrefabDataSelection::PropertySource(const IEditable& editable) const {
    return PrototypeOf(static_cast<const PrefabComponent&>(editable));
}

std::string PrefabDataSelection::ValueText(const IEditable& editable, const std::string& key,
                                           int subIndex) const {
    const auto& stored = editable.Properties;
    auto it = stored.find(key);
    return it == stored.end() ? std::string() : it->second->GetSubProperty(key, subIndex).GetText();
}

void PrefabDataSelection::CommitProperty(IEditable& editable, const std::string& key, int subIndex,
                                         const std::string& text, const std::string& label, bool nudge) {
    Prefab* prefab = DataPrefab();
    if (!prefab) {
        return;
    }
    const std::string before = ValueText(editable, key, subIndex);
    PrefabChange change;
    change.Watch(prefab);
    Store(static_cast<PrefabComponent&>(editable), key, subIndex, text);
    const std::string after = ValueText(editable, key, subIndex);
    change.Commit("Set " + label + " of " + Subject() + ": " + (before.empty() ? "(default)" : before) +
                      " -> " + (after.empty() ? "(default)" : after),
                  nudge ? prefab->Name + "/" + label : std::string());
}

IEditable* PrefabDataSelection::AddComponent(const std::string& className) {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    auto component = std::make_unique<PrefabComponent>();
    component->ClassName = className;
    component->Type = prefabs.Registry.GetClassIdentity(className);
    IEditable* added = component.get();
    PrefabChange change;
    change.Watch(DataPrefab());
    List().push_back(std::move(component));
    change.Commit("Add component " + className + " to " + Subject());
    return added;
}

void PrefabDataSelection::RemoveComponent(IEditable& editable) {
    auto& list = List();
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &editable; });
    if (it == list.end()) {
        return;
    }
    const std::string className = (*it)->ClassName;
    PrefabChange change;
    change.Watch(DataPrefab());
    list.erase(it);
    change.Commit("Remove component " + className + " from " + Subject());
}

void PrefabDataSelection::MoveComponent(IEditable& editable, int offset) {
    auto& list = List();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() != &editable) {
            continue;
        }
        const long target = std::clamp(static_cast<long>(i) + offset, 0L, static_cast<long>(list.size()) - 1);
        if (target != static_cast<long>(i)) {
            const std::string className = list[i]->ClassName;
            PrefabChange change;
            change.Watch(DataPrefab());
            auto moving = std::move(list[i]);
            list.erase(list.begin() + static_cast<long>(i));
            list.insert(list.begin() + target, std::move(moving));
            change.Commit("Move component " + className + (offset < 0 ? " up in " : " down in ") + Subject());
        }
        return;
    }
}

void PrefabDataSelection::Change(const std::string& text, const std::function<void()>& change) {
    PrefabChange recorder;
    recorder.Watch(DataPrefab());
    change();
    recorder.Commit(text);
}
