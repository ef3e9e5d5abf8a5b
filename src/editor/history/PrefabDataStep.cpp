#include "editor/history/PrefabDataStep.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

#include "core/ContentError.h"
#include "core/Service.h"
#include "editor/EditorState.h"
#include "prefabs/PrefabManager.h"

namespace {

// Whether the prefab object is one the manager holds; by address only, as it may be deleted.
bool Registered(const PrefabManager& prefabs, const Prefab* prefab) {
    return prefab && std::any_of(prefabs.Prefabs.begin(), prefabs.Prefabs.end(),
                                 [prefab](const auto& entry) { return entry.second.get() == prefab; });
}

// Gives target the data of text, keeping the target object itself.
void Load(PrefabManager& prefabs, Prefab& target, const std::string& name, const std::string& text) {
    std::istringstream in(text);
    std::unique_ptr<Prefab> fresh;
    try {
        fresh = prefabs.ReadPrefab(name, in, name + ".json");
    } catch (const ContentError& error) {
        // The text was written by the prefab writer; reading it back cannot fail unless the
        // registry changed under the editor.
        std::printf("editor: could not restore \"%s\": %s\n", name.c_str(), error.what());
        std::fflush(stdout);
        return;
    }
    target.Name = name;
    target.Components = std::move(fresh->Components);
    target.AutoCreates = std::move(fresh->AutoCreates);
    for (auto& entry : target.AutoCreates) {
        entry->Owner = &target;
    }
}

} // namespace

size_t PrefabDataStep::Bytes() const {
    size_t bytes = sizeof(*this) + Text.capacity() + other_.capacity() * sizeof(Slot);
    for (const Slot& slot : other_) {
        bytes += slot.Name.capacity() + slot.Text.capacity();
    }
    return bytes;
}

bool PrefabDataStep::Absorb(EdStep& next) {
    auto* other = dynamic_cast<PrefabDataStep*>(&next);
    if (!other || other->other_.size() != other_.size()) {
        return false;
    }
    for (size_t i = 0; i < other_.size(); ++i) {
        if (other->other_[i].Name != other_[i].Name || !other->other_[i].Present || !other_[i].Present) {
            return false;
        }
    }
    TakeEnd(next);
    return true;
}

bool PrefabDataStep::Swap() {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    EditorState& editor = Service<EditorState>::Get();
    // The selection, by what survives a reload: the prefab object, an entry by owner and place.
    Prefab* selectedPrefab = editor.SelectedPrefab;
    Prefab* entryOwner = editor.SelectedAutoCreate ? editor.SelectedAutoCreate->Owner : nullptr;
    long entryIndex = -1;
    if (entryOwner) {
        auto& list = entryOwner->AutoCreates;
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const auto& e) { return e.get() == editor.SelectedAutoCreate; });
        entryIndex = it == list.end() ? -1 : it - list.begin();
    }
    Prefab* focus = prefabs.Find(editor.SelectedPrefabName);

    std::vector<Slot> now;
    now.reserve(other_.size());
    for (const Slot& slot : other_) {
        const Prefab* prefab = prefabs.Find(slot.Name);
        now.push_back({slot.Name, prefab != nullptr, prefab ? prefabs.WritePrefab(*prefab) : std::string()});
    }
    // Out first, into a pool whose objects come back under the names that appear: a rename keeps
    // its prefab object.
    std::vector<std::unique_ptr<Prefab>> pool;
    for (const Slot& slot : other_) {
        if (!slot.Present) {
            if (auto node = prefabs.Prefabs.extract(slot.Name); !node.empty()) {
                pool.push_back(std::move(node.mapped()));
            }
        }
    }
    for (const Slot& slot : other_) {
        if (!slot.Present) {
            continue;
        }
        Prefab* target = prefabs.Find(slot.Name);
        if (!target) {
            std::unique_ptr<Prefab> made;
            if (!pool.empty()) {
                made = std::move(pool.back());
                pool.pop_back();
            } else {
                made = std::make_unique<Prefab>();
            }
            target = made.get();
            prefabs.Prefabs[slot.Name] = std::move(made);
        }
        Load(prefabs, *target, slot.Name, slot.Text);
        editor.History.Baseline.Refresh(*target, slot.Text);
    }
    other_ = std::move(now);

    // The selection follows its objects; what went away is no longer selected.
    if (!Registered(prefabs, selectedPrefab)) {
        selectedPrefab = nullptr;
    }
    editor.SelectedPrefab = selectedPrefab;
    if (editor.SelectedAutoCreate) {
        editor.SelectedAutoCreate = nullptr;
        if (Registered(prefabs, entryOwner) && entryIndex >= 0 &&
            entryIndex < static_cast<long>(entryOwner->AutoCreates.size())) {
            editor.SelectedAutoCreate = entryOwner->AutoCreates[static_cast<size_t>(entryIndex)].get();
        }
    }
    if (Registered(prefabs, focus)) {
        editor.SelectedPrefabName = focus->Name;
    } else if (selectedPrefab) {
        editor.SelectedPrefabName = selectedPrefab->Name;
    }
    return true;
}

void PrefabChange::Watch(const std::string& name) {
    const PrefabManager& prefabs = Service<PrefabManager>::Get();
    Watch(prefabs.Find(name));
    if (!prefabs.Contains(name) &&
        std::none_of(watched_.begin(), watched_.end(), [&](const Watched& w) { return w.Name == name; })) {
        watched_.push_back({name, nullptr, false, {}});
    }
}

void PrefabChange::Watch(const Prefab* prefab) {
    if (!prefab ||
        std::any_of(watched_.begin(), watched_.end(), [&](const Watched& w) { return w.Object == prefab; })) {
        return;
    }
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    Watched watched{prefab->Name, prefab, true, prefabs.WritePrefab(*prefab)};
    Service<EditorState>::Get().History.Baseline.Touch(*prefab, watched.Text);
    watched_.push_back(std::move(watched));
}

bool PrefabChange::Commit(std::string text, const std::string& runKey) {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    EditorState& editor = Service<EditorState>::Get();
    // Every name involved: the watched ones and the names watched prefabs carry now.
    std::map<std::string, const Watched*> names;
    for (const Watched& w : watched_) {
        names.emplace(w.Name, &w);
    }
    for (const Watched& w : watched_) {
        if (w.Object && Registered(prefabs, w.Object)) {
            names.emplace(w.Object->Name, nullptr);
        }
    }
    std::vector<PrefabDataStep::Slot> before;
    for (const auto& [name, w] : names) {
        Prefab* prefab = prefabs.Find(name);
        const bool present = w && w->Present;
        std::string after = prefab ? prefabs.WritePrefab(*prefab) : std::string();
        if (prefab) {
            // Also when nothing changed: some edits mark a prefab without changing it.
            editor.History.Baseline.Refresh(*prefab, after);
        }
        if (present == (prefab != nullptr) && (!present || w->Text == after)) {
            continue;
        }
        before.push_back({name, present, present ? w->Text : std::string()});
    }
    watched_.clear();
    if (before.empty()) {
        return false;
    }
    auto step = std::make_unique<PrefabDataStep>(std::move(text), std::move(before));
    step->RunKey = runKey;
    editor.History.Push(std::move(step), !runKey.empty(), editor.Now());
    return true;
}
