#include "prefabs/PrefabManager.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include <boost/property_tree/ptree.hpp>

#include "core/Component.h"
#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "core/ContentLayers.h"
#include "core/ContentText.h"
#include "core/GameObject.h"
#include "core/JsonTree.h"
#include "prefabs/PrefabName.h"

namespace pt = boost::property_tree;

namespace {

// The first member named key (duplicate keys keep the first, as a path lookup does).
const pt::ptree* FindMember(const pt::ptree& tree, const std::string& key) {
    auto it = tree.find(key);
    return it == tree.not_found() ? nullptr : &it->second;
}

pt::ptree WriteComponents(const PrefabManager::PrefabList& components) {
    pt::ptree list;
    for (const auto& component : components) {
        pt::ptree properties;
        for (const auto& [key, reg] : component->Properties) {
            int subCount = SubPropertyCount(reg->Type);
            if (subCount == 1) {
                properties.push_back({key, pt::ptree(reg->GetSubProperty(key, 0).GetText())});
                continue;
            }
            pt::ptree compound;
            for (int i = 0; i < subCount; ++i) {
                SubProperty sub = reg->GetSubProperty(key, i);
                compound.push_back({sub.SubName, pt::ptree(sub.GetText())});
            }
            properties.push_back({key, std::move(compound)});
        }
        list.push_back({component->ClassName, std::move(properties)});
    }
    return list;
}

} // namespace

PrefabManager::~PrefabManager() {
    Registry.ClearPrototypes();
    Prefabs.clear();
}

void RegisterPrefabClasses(ComponentRegistry& registry) {
    // Its ClassName field names the class it describes, so it is registered by name.
    registry.Register<PrefabComponent>("PrefabComponent");
}

void PrefabManager::RegisterAll(const std::function<void(ComponentRegistry&)>& registerClasses,
                                const std::filesystem::path& folder, const std::filesystem::path& overlay) {
    if (registerClasses)
        registerClasses(Registry);
    RegisterPrefabClasses(Registry);
    Registry.BuildPrototypes();
    Load(folder, overlay);
}

void PrefabManager::Load(const std::filesystem::path& folder, const std::filesystem::path& overlay) {
    std::map<std::string, std::unique_ptr<Prefab>> loaded;
    std::map<std::string, std::string> files;
    auto readFiles = [&](const std::vector<std::filesystem::path>& paths) {
        for (const std::filesystem::path& path : paths) {
            if (!IsPrefabFile(path))
                continue;
            const std::string file = path.string();
            // Within the cap every content text has: a prefab of megabytes is no prefab.
            std::istringstream in(ReadContentFile(file));
            std::string name = path.stem().string();
            loaded[name] = ReadPrefab(name, in, file);
            files[name] = file;
        }
    };
    readFiles(ListContentFiles(folder));
    const bool hasOverlay = !overlay.empty();
    // The player's overlay never stops the game: what cannot be read there leaves the shipped prefab.
    if (hasOverlay)
        readFiles(ListOverlayFiles(overlay));
    CheckAutoCreates(loaded, files);
    Prefabs = std::move(loaded);
    Folder = hasOverlay ? overlay : folder;
    ShippedFolder = hasOverlay ? folder : std::filesystem::path();
}

void PrefabManager::CheckAutoCreates(const std::map<std::string, std::unique_ptr<Prefab>>& prefabs,
                                     const std::map<std::string, std::string>& files) const {
    auto fileOf = [&](const std::string& name) {
        auto it = files.find(name);
        return it != files.end() ? it->second : FileOf(name).string();
    };
    for (const auto& [name, prefab] : prefabs) {
        for (const auto& entry : prefab->AutoCreates) {
            if (!prefabs.count(entry->PrefabName))
                throw ContentError(fileOf(name),
                                   "\"AutoCreate\" names no prefab " + Quoted(entry->PrefabName));
        }
    }
    // Depth-first over the AutoCreate graph, without recursion: a prefab met again while it is
    // still on the path would be built inside itself without end.
    enum class Mark { New, OnPath, Done };
    std::map<std::string, Mark> marks;
    for (const auto& [start, startPrefab] : prefabs) {
        if (marks[start] != Mark::New)
            continue;
        // Each frame: a prefab on the path and the index of its next entry to follow.
        std::vector<std::pair<const Prefab*, size_t>> path{{startPrefab.get(), 0}};
        marks[start] = Mark::OnPath;
        while (!path.empty()) {
            auto& [prefab, next] = path.back();
            if (next == prefab->AutoCreates.size()) {
                marks[prefab->Name] = Mark::Done;
                path.pop_back();
                continue;
            }
            const std::string& childName = prefab->AutoCreates[next++]->PrefabName;
            Mark& mark = marks[childName];
            if (mark == Mark::OnPath) {
                std::string chain;
                bool inCycle = false;
                for (const auto& [onPath, unused] : path) {
                    inCycle = inCycle || onPath->Name == childName;
                    if (inCycle)
                        chain += Quoted(onPath->Name) + " -> ";
                }
                chain += Quoted(childName);
                throw ContentError(fileOf(childName),
                                   "prefab creates itself through \"AutoCreate\": " + chain);
            }
            if (mark == Mark::New) {
                mark = Mark::OnPath;
                path.emplace_back(prefabs.at(childName).get(), 0);
            }
        }
    }
}

std::unique_ptr<Prefab> PrefabManager::ReadPrefab(const std::string& name, std::istream& json,
                                                  const std::string& file) const {
    const std::string text{std::istreambuf_iterator<char>(json), std::istreambuf_iterator<char>()};
    CheckJsonNesting(text, file);
    pt::ptree tree;
    try {
        std::istringstream in(text);
        ReadJsonTree(in, tree);
    } catch (const pt::json_parser::json_parser_error& e) {
        throw ContentError(file, "line " + std::to_string(e.line()) + ": " + e.message());
    }
    auto prefab = std::make_unique<Prefab>();
    prefab->Name = name;
    const pt::ptree* components = FindMember(tree, "Components");
    if (!components)
        throw ContentError(file, "missing \"Components\"");
    const pt::ptree* autoCreate = FindMember(tree, "AutoCreate");
    if (!autoCreate)
        throw ContentError(file, "missing \"AutoCreate\"");
    ReadComponents(*components, prefab->Components, file);
    for (const auto& [key, element] : *autoCreate) {
        auto entry = std::make_unique<AutoCreate>();
        entry->Owner = prefab.get();
        if (const pt::ptree* entryName = FindMember(element, "Name"))
            entry->Name = entryName->data();
        const pt::ptree* prefabName = FindMember(element, "Prefab");
        if (!prefabName)
            throw ContentError(file, "an \"AutoCreate\" entry lacks \"Prefab\"");
        entry->PrefabName = prefabName->data();
        if (const pt::ptree* overrides = FindMember(element, "InstanceProperties"))
            ReadComponents(*overrides, entry->InstanceProperties, file);
        prefab->AutoCreates.push_back(std::move(entry));
    }
    return prefab;
}

void PrefabManager::ReadComponents(const pt::ptree& tree, PrefabList& into, const std::string& file) const {
    for (const auto& [className, properties] : tree) {
        if (!Registry.Contains(className))
            throw ContentError(file, "unregistered class " + Quoted(className));
        IEditable& prototype = Registry.GetPrototype(className);
        auto component = std::make_unique<PrefabComponent>();
        component->ClassName = className;
        component->Type = prototype.Type;
        for (const auto& [key, value] : properties) {
            PropertyRegistration* model = prototype.FindProperty(key);
            if (!model)
                continue; // a key the class no longer has: dropped silently
            auto& holder = component->Properties[key];
            if (!holder)
                holder = model->CreateHolder();
            const pt::ptree& first = *FindMember(properties, key);
            for (int i = 0;; ++i) {
                SubProperty sub = holder->GetSubProperty(key, i);
                if (sub.SubName.empty()) {
                    sub.SetText(first.data());
                } else {
                    const pt::ptree* member = FindMember(first, sub.SubName);
                    if (!member)
                        throw ContentError(file, "property " + Quoted(key) + " of " + Quoted(className) +
                                                     " lacks " + Quoted(sub.SubName));
                    sub.SetText(member->data());
                }
                if (sub.IsLast)
                    break;
            }
        }
        into.push_back(std::move(component));
    }
}

std::string PrefabManager::WritePrefab(const Prefab& prefab) const {
    pt::ptree tree;
    tree.push_back({"Components", WriteComponents(prefab.Components)});
    pt::ptree entries;
    for (const auto& entry : prefab.AutoCreates) {
        pt::ptree element;
        if (!entry->Name.empty())
            element.push_back({"Name", pt::ptree(entry->Name)});
        if (!entry->InstanceProperties.empty())
            element.push_back({"InstanceProperties", WriteComponents(entry->InstanceProperties)});
        element.push_back({"Prefab", pt::ptree(entry->PrefabName)});
        entries.push_back({"", std::move(element)});
    }
    tree.push_back({"AutoCreate", std::move(entries)});
    std::ostringstream out;
    WriteJsonTree(out, tree);
    return out.str();
}

Prefab* PrefabManager::Find(const std::string& name) const {
    auto it = Prefabs.find(name);
    return it == Prefabs.end() ? nullptr : it->second.get();
}

void PrefabManager::Require(const std::string& name) const {
    if (!Contains(name))
        throw ContentError(FileOf(name).string(), "missing prefab " + Quoted(name));
}

std::filesystem::path PrefabManager::FileOf(const std::string& name) const {
    const std::filesystem::path mine = Folder / (name + ".json");
    std::error_code ec;
    if (ShippedFolder.empty() || std::filesystem::exists(mine, ec))
        return mine;
    return ShippedFolder / (name + ".json");
}

void PrefabManager::ApplyComponents(GameObject& object, const PrefabList& components, bool overrides) const {
    for (const auto& recorded : components) {
        if (!recorded->Prepared || !recorded->Prepared->Matches(*recorded))
            recorded->Prepared = std::make_unique<PreparedComponent>(Registry, *recorded);
        const PreparedComponent& prepared = *recorded->Prepared;
        IEditable* target = nullptr;
        if (overrides) {
            const std::type_info* identity = prepared.Class().Identity;
            for (Component* existing : object.Components) {
                auto* editable = dynamic_cast<IEditable*>(existing);
                if (editable && typeid(*editable) == *identity) {
                    target = editable;
                    break;
                }
            }
        }
        if (!target) {
            Component* component = nullptr;
            target = prepared.Create(component);
            if (!target)
                continue; // "PrefabComponent" describes components; it is never attached
            object.AddComponent(component);
        }
        prepared.Apply(*target);
    }
}
