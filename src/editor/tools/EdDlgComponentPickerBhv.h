#pragma once

#include "editor/tools/EdDlgNamePickerBhv.h"

// The component picker: every registered class name.
class EdDlgComponentPickerBhv : public EdDlgNamePickerBhv {
public:
    static constexpr const char* ClassName = "EdDlgComponentPickerBhv";

    ~EdDlgComponentPickerBhv() override;
    // Registers in the editor state.
    void Start() override;

protected:
    std::vector<std::string> AllNames() const override;
};
