#pragma once

#include "editor/palettes/PrefabDataSelection.h"

// The prefab selected in the prefab list: its components' stored values, its name.
class PrefabSelection : public PrefabDataSelection {
public:
    bool Exists() const override { return DataPrefab() != nullptr; }
    const void* Identity() const override { return DataPrefab(); }
    const char* Title() const override { return "Edit Prefab"; }
    const std::string& Name() const override;
    const std::string& PrefabName() const override { return Name(); }
    std::string Subject() const override { return Name(); }
    // A rename takes the AutoCreate entries naming the prefab along. Names that are not plain
    // file names are refused with one line.
    void CommitName(const std::string& text) override;

protected:
    std::vector<std::unique_ptr<PrefabComponent>>& List() const override;
    Prefab* DataPrefab() const override;
};
