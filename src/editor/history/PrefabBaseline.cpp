#include "editor/history/PrefabBaseline.h"

#include "prefabs/Prefab.h"

void PrefabBaseline::Touch(const Prefab& prefab, const std::string& text) {
    if (!prefab.Dirty) {
        texts_.emplace(prefab.Name, text);
    }
}

void PrefabBaseline::Refresh(Prefab& prefab, const std::string& text) const {
    auto it = texts_.find(prefab.Name);
    prefab.Dirty = it == texts_.end() || it->second != text;
}
