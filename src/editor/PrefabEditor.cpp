#include "editor/PrefabEditor.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <vector>

#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "core/ContentText.h"
#include "platform/AtomicFile.h"
#include "prefabs/PrefabManager.h"
#include "prefabs/PrefabName.h"

namespace {

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

bool PrefabEditor::Save(Prefab& prefab) const {
    const std::string text = prefabs_.WritePrefab(prefab);
    if (!prefabs_.ShippedFolder.empty()) {
        // The player's overlay is made on its first save.
        std::error_code made;
        std::filesystem::create_directories(prefabs_.Folder, made);
    }
    const std::filesystem::path target = prefabs_.Folder / (prefab.Name + ".json");
    // Replaced whole or not at all, so a failed or interrupted save leaves the old file as it was.
    std::string fault;
    if (!WriteFileAtomically(target, text, fault, AtomicFileOptions{.CreateFolder = false})) {
        return false;
    }
    prefab.Dirty = false;
    return true;
}

bool PrefabEditor::HasOverlayCopy(const Prefab& prefab) const {
    if (prefabs_.ShippedFolder.empty())
        return false;
    std::error_code ec;
    const std::string file = prefab.Name + ".json";
    return std::filesystem::is_regular_file(prefabs_.Folder / file, ec) &&
           std::filesystem::is_regular_file(prefabs_.ShippedFolder / file, ec);
}

bool PrefabEditor::RevertToShipped(Prefab& prefab) const {
    if (!HasOverlayCopy(prefab))
        return false;
    const std::filesystem::path shipped = prefabs_.ShippedFolder / (prefab.Name + ".json");
    std::unique_ptr<Prefab> fresh;
    try {
        std::istringstream in(ReadContentFile(shipped.string()));
        fresh = prefabs_.ReadPrefab(prefab.Name, in, shipped.string());
        // The editor may have removed a prefab the shipped file builds as a child: building it
        // would then fail, so the overlay copy stays.
        for (const auto& entry : fresh->AutoCreates) {
            if (!prefabs_.Contains(entry->PrefabName))
                return false;
        }
    } catch (const ContentError&) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::remove(prefabs_.Folder / (prefab.Name + ".json"), ec) || ec)
        return false;
    prefab.Components = std::move(fresh->Components);
    prefab.AutoCreates = std::move(fresh->AutoCreates);
    for (auto& entry : prefab.AutoCreates)
        entry->Owner = &prefab;
    prefab.Dirty = false;
    return true;
}

bool PrefabEditor::SaveAll() const {
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
            if (Prefab* child = prefabs_.Find(entry->PrefabName); child && child != &prefab && child->Dirty)
                named = saveAfterNamed(*child) && named;
        }
        const bool ok = named && (!prefab.Dirty || Save(prefab));
        state[&prefab] = ok ? 2 : 3;
        return ok;
    };
    bool saved = true;
    for (auto& [name, prefab] : prefabs_.Prefabs) {
        if (prefab->Dirty && !saveAfterNamed(*prefab))
            saved = false;
    }
    if (!saved)
        return false;
    std::vector<std::filesystem::path> files;
    std::vector<std::string> unreadable; // entries the editor never wrote: not its to delete
    try {
        files = ListContentFiles(prefabs_.Folder, &unreadable);
    } catch (const ContentError&) {
        // A folder that cannot be listed has no orphans to delete.
    }
    std::error_code ec;
    for (const auto& path : files) {
        if (IsPrefabFile(path) && !prefabs_.Contains(path.stem().string()))
            std::filesystem::remove(path, ec);
    }
    return true;
}

bool PrefabEditor::Rename(Prefab& prefab, const std::string& newName) const {
    if (newName == prefab.Name || !IsPrefabName(newName))
        return false;
    std::string name = FirstFreeName(prefabs_.Prefabs, newName);
    if (name.empty())
        return false;
    auto node = prefabs_.Prefabs.extract(prefab.Name);
    if (node.empty() || node.mapped().get() != &prefab) {
        // Not registered under its name: nothing to move.
        if (!node.empty())
            prefabs_.Prefabs.insert(std::move(node));
        return false;
    }
    prefab.Name = name;
    node.key() = name;
    prefabs_.Prefabs.insert(std::move(node));
    return true;
}

Prefab* PrefabEditor::Add(const std::string& name) const {
    std::string free = FirstFreeName(prefabs_.Prefabs, name);
    if (free.empty())
        return nullptr;
    auto prefab = std::make_unique<Prefab>();
    prefab->Name = free;
    Prefab* result = prefab.get();
    prefabs_.Prefabs[free] = std::move(prefab);
    return result;
}

Prefab* PrefabEditor::Duplicate(const Prefab& prefab) const {
    static const std::regex NumberedSuffix(R"(^(.+?)(\.[0-9]{3})?$)");
    std::smatch match;
    std::string base = std::regex_match(prefab.Name, match, NumberedSuffix) ? match[1].str() : prefab.Name;
    std::string name = FirstFreeName(prefabs_.Prefabs, base);
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
    prefabs_.Prefabs[name] = std::move(copy);
    return result;
}

bool PrefabEditor::MoveComponent(Prefab& prefab, PrefabComponent* component, int offset) {
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

void PrefabEditor::MoveAutoCreate(AutoCreate* entry, int offset) {
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

std::string PrefabEditor::GetClassName(const IEditable& editable) const {
    if (auto* component = dynamic_cast<const PrefabComponent*>(&editable))
        return component->ClassName;
    return editable.Type ? prefabs_.Registry.FindName(*editable.Type) : std::string();
}
