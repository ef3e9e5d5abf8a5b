#pragma once

#include "editor/palettes/PrefabDataSelection.h"

// The AutoCreate entry selected in the list of the prefab in focus: its per-instance values and
// the child's name, stored in the entry's owner.
class EntrySelection : public PrefabDataSelection {
public:
    bool Exists() const override;
    const void* Identity() const override;
    const char* Title() const override { return "Edit AutoCreate"; }
    const std::string& Name() const override;
    const std::string& PrefabName() const override;
    std::string Subject() const override;
    void CommitName(const std::string& text) override;

protected:
    std::vector<std::unique_ptr<PrefabComponent>>& List() const override;
    Prefab* DataPrefab() const override;
};
