#include "reflection/ComponentRegistry.h"

void ComponentRegistry::BuildPrototypes() {
    prototypes_.clear();
    for (const auto& [name, entry] : entries_)
        prototypes_[name] = entry.Create();
}

std::unique_ptr<IEditable> ComponentRegistry::Create(const std::string& name) const {
    auto it = entries_.find(name);
    if (it == entries_.end())
        throw UnregisteredClassError(name);
    return it->second.Create();
}

const std::type_info* ComponentRegistry::GetClassIdentity(const std::string& name) const {
    auto it = entries_.find(name);
    if (it == entries_.end())
        throw UnregisteredClassError(name);
    return it->second.Identity;
}

const ComponentRegistry::Entry& ComponentRegistry::GetEntry(const std::string& name) const {
    auto it = entries_.find(name);
    if (it == entries_.end())
        throw UnregisteredClassError(name);
    return it->second;
}

IEditable& ComponentRegistry::GetPrototype(const std::string& name) const {
    auto it = prototypes_.find(name);
    if (it == prototypes_.end())
        throw UnregisteredClassError(name);
    return *it->second;
}

std::string ComponentRegistry::FindName(const std::type_info& type) const {
    for (const auto& [name, entry] : entries_)
        if (*entry.Identity == type)
            return name;
    return {};
}

std::vector<std::string> ComponentRegistry::GetNames() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const auto& [name, entry] : entries_)
        names.push_back(name);
    return names;
}
