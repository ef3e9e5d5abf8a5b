#include "prefabs/PrefabManager.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include <boost/property_tree/ptree.hpp>

#include "core/Component.h"
#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "core/ContentLayers.h"
#include "core/ContentText.h"
#include "core/GameObject.h"
#include "core/JsonTree.h"
#include "platform/AtomicFile.h"
#include "prefabs/PrefabName.h"

namespace pt = boost::property_tree;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsPrefabFile(const std::filesystem::path& path) {
    return Lower(path.extension().string()) == ".json";
}

// The first member named key (duplicate keys keep the first, as a path lookup does).
const pt::ptree* FindMember(const pt::ptree& tree, const std::string& key) {
    auto it = tree.find(key);
    return it == tree.not_found() ? nullptr : &it->second;
}

std::unique_ptr<PrefabComponent> CopyComponent(const PrefabComponent& source) {
    auto copy = std::make_unique<PrefabComponent>();
    copy->ClassName = source.ClassName;
    copy->Type = source.Type;
    for (const auto& [key, reg] : source.Properties) {
        auto holder = reg->CreateHolder();
        reg->CopyValueTo(*holder);
        copy->Properties.emplace(key, std::move(holder));
    }
    return copy;
}

pt::ptree WriteComponents(const PrefabManager::PrefabList& components) {
    pt::ptree list;
    for (const auto& component : components) {
        pt::ptree properties;
        for (const auto& [key, reg] : component->Properties) {
            int parts = PartCount(reg->Type);
            if (parts == 1) {
                properties.push_back({key, pt::ptree(reg->GetSubProperty(key, 0).GetText())});
                continue;
            }
            pt::ptree compound;
            for (int i = 0; i < parts; ++i) {
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
                    const pt::ptree* part = FindMember(first, sub.SubName);
                    if (!part)
                        throw ContentError(file, "property " + Quoted(key) + " of " + Quoted(className) +
                                                     " lacks " + Quoted(sub.SubName));
                    sub.SetText(part->data());
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

bool PrefabManager::Save(Prefab& prefab) {
    const std::string text = WritePrefab(prefab);
    if (!ShippedFolder.empty()) {
        // The player's overlay is made on its first save.
        std::error_code made;
        std::filesystem::create_directories(Folder, made);
    }
    const std::filesystem::path target = Folder / (prefab.Name + ".json");
    // Replaced whole or not at all, so a failed or interrupted save leaves the old file as it was.
    std::string fault;
    if (!WriteFileAtomically(target, text, fault, AtomicFileOptions{.CreateFolder = false})) {
        return false;
    }
    prefab.Dirty = false;
    return true;
}

std::filesystem::path PrefabManager::FileOf(const std::string& name) const {
    const std::filesystem::path mine = Folder / (name + ".json");
    std::error_code ec;
    if (ShippedFolder.empty() || std::filesystem::exists(mine, ec))
        return mine;
    return ShippedFolder / (name + ".json");
}

bool PrefabManager::HasOverlayCopy(const Prefab& prefab) const {
    if (ShippedFolder.empty())
        return false;
    std::error_code ec;
    const std::string file = prefab.Name + ".json";
    return std::filesystem::is_regular_file(Folder / file, ec) &&
           std::filesystem::is_regular_file(ShippedFolder / file, ec);
}

bool PrefabManager::RevertToShipped(Prefab& prefab) {
    if (!HasOverlayCopy(prefab))
        return false;
    const std::filesystem::path shipped = ShippedFolder / (prefab.Name + ".json");
    std::unique_ptr<Prefab> fresh;
    try {
        std::istringstream in(ReadContentFile(shipped.string()));
        fresh = ReadPrefab(prefab.Name, in, shipped.string());
        // The editor may have removed a prefab the shipped file builds as a child: building it
        // would then fail, so the overlay copy stays.
        for (const auto& entry : fresh->AutoCreates) {
            if (!Contains(entry->PrefabName))
                return false;
        }
    } catch (const ContentError&) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::remove(Folder / (prefab.Name + ".json"), ec) || ec)
        return false;
    prefab.Components = std::move(fresh->Components);
    prefab.AutoCreates = std::move(fresh->AutoCreates);
    for (auto& entry : prefab.AutoCreates)
        entry->Owner = &prefab;
    prefab.Dirty = false;
    return true;
}

bool PrefabManager::SaveAll() {
    // A prefab is written only after the dirty prefabs its entries name: one whose file could not
    // be written (a rename's new file) leaves the prefabs naming it unwritten too, so no file on
    // disk names a prefab that has none. Old files go only once everything is written.
    std::map<const Prefab*, int> state; // 1 being saved, 2 saved or clean, 3 failed
    std::function<bool(Prefab&)> saveAfterNamed = [&](Prefab& prefab) {
        int& s = state[&prefab];
        if (s != 0)
            return s != 3;
        s = 1;
        bool named = true;
        for (const auto& entry : prefab.AutoCreates) {
            if (Prefab* child = Find(entry->PrefabName); child && child != &prefab && child->Dirty)
                named = saveAfterNamed(*child) && named;
        }
        const bool ok = named && (!prefab.Dirty || Save(prefab));
        state[&prefab] = ok ? 2 : 3;
        return ok;
    };
    bool saved = true;
    for (auto& [name, prefab] : Prefabs) {
        if (prefab->Dirty && !saveAfterNamed(*prefab))
            saved = false;
    }
    if (!saved)
        return false;
    std::vector<std::filesystem::path> files;
    std::vector<std::string> unreadable; // entries the editor never wrote: not its to delete
    try {
        files = ListContentFiles(Folder, &unreadable);
    } catch (const ContentError&) {
        // A folder that cannot be listed has no orphans to delete.
    }
    std::error_code ec;
    for (const auto& path : files) {
        if (IsPrefabFile(path) && !Contains(path.stem().string()))
            std::filesystem::remove(path, ec);
    }
    return true;
}

namespace {
// newName itself, then newName.001 ... newName.999; "" when all are taken.
std::string FirstFreeName(const std::map<std::string, std::unique_ptr<Prefab>>& prefabs,
                          const std::string& base) {
    if (!prefabs.count(base))
        return base;
    char suffix[8];
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(suffix, sizeof suffix, ".%03d", n);
        if (!prefabs.count(base + suffix))
            return base + suffix;
    }
    return {};
}
} // namespace

bool PrefabManager::Rename(Prefab& prefab, const std::string& newName) {
    if (newName == prefab.Name || !IsPrefabName(newName))
        return false;
    std::string name = FirstFreeName(Prefabs, newName);
    if (name.empty())
        return false;
    auto node = Prefabs.extract(prefab.Name);
    if (node.empty() || node.mapped().get() != &prefab) {
        // Not registered under its name: nothing to move.
        if (!node.empty())
            Prefabs.insert(std::move(node));
        return false;
    }
    prefab.Name = name;
    node.key() = name;
    Prefabs.insert(std::move(node));
    return true;
}

Prefab* PrefabManager::Add(const std::string& name) {
    std::string free = FirstFreeName(Prefabs, name);
    if (free.empty())
        return nullptr;
    auto prefab = std::make_unique<Prefab>();
    prefab->Name = free;
    Prefab* result = prefab.get();
    Prefabs[free] = std::move(prefab);
    return result;
}

Prefab* PrefabManager::Duplicate(const Prefab& prefab) {
    static const std::regex NumberedSuffix(R"(^(.+?)(\.[0-9]{3})?$)");
    std::smatch match;
    std::string base = std::regex_match(prefab.Name, match, NumberedSuffix) ? match[1].str() : prefab.Name;
    std::string name = FirstFreeName(Prefabs, base);
    if (name.empty())
        return nullptr;
    auto copy = std::make_unique<Prefab>();
    copy->Name = name;
    for (const auto& component : prefab.Components)
        copy->Components.push_back(CopyComponent(*component));
    for (const auto& entry : prefab.AutoCreates) {
        auto entryCopy = std::make_unique<AutoCreate>();
        entryCopy->Owner = copy.get();
        entryCopy->Name = entry->Name;
        entryCopy->PrefabName = entry->PrefabName;
        for (const auto& component : entry->InstanceProperties)
            entryCopy->InstanceProperties.push_back(CopyComponent(*component));
        copy->AutoCreates.push_back(std::move(entryCopy));
    }
    Prefab* result = copy.get();
    Prefabs[name] = std::move(copy);
    return result;
}

bool PrefabManager::MoveComponent(Prefab& prefab, PrefabComponent* component, int offset) {
    auto& list = prefab.Components;
    auto it =
        std::find_if(list.begin(), list.end(), [component](const auto& c) { return c.get() == component; });
    if (it == list.end())
        return false;
    const int n = static_cast<int>(list.size());
    const int from = static_cast<int>(it - list.begin());
    const int to = std::clamp(from + offset, 0, n - 1);
    if (to == from)
        return false;
    auto moved = std::move(*it);
    list.erase(it);
    list.insert(list.begin() + to, std::move(moved));
    return true;
}

void PrefabManager::MoveAutoCreate(AutoCreate* entry, int offset) {
    if (!entry || !entry->Owner)
        return;
    auto& list = entry->Owner->AutoCreates;
    auto it = std::find_if(list.begin(), list.end(), [entry](const auto& e) { return e.get() == entry; });
    if (it == list.end())
        return;
    const long to = (it - list.begin()) + offset;
    if (to < 0 || to >= static_cast<long>(list.size()))
        return;
    std::swap(*it, list[static_cast<size_t>(to)]);
    entry->Owner->Dirty = true;
}

std::string PrefabManager::GetClassName(const IEditable& editable) const {
    if (auto* component = dynamic_cast<const PrefabComponent*>(&editable))
        return component->ClassName;
    return editable.Type ? Registry.FindName(*editable.Type) : std::string();
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
