#pragma once

#include "editor/tools/EdDlgNamePickerBhv.h"

// The prefab picker: every prefab name, "(None)" first while the filter is empty (chosen, it gives
// the empty name).
class EdDlgPrefabPickerBhv : public EdDlgNamePickerBhv {
public:
    static constexpr const char* ClassName = "EdDlgPrefabPickerBhv";

    ~EdDlgPrefabPickerBhv() override;
    // Registers in the editor state.
    void Start() override;

protected:
    std::vector<std::string> AllNames() const override;
    bool OffersNone() const override { return true; }
};
