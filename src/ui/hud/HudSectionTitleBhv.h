#pragma once

#include <string>

#include "core/Behavior.h"

// A caption over a section of the HUD panel. Its "TitleText" property is the text of the child
// "TitleText", so a prefab instance names its section without a text override of its own.
class HudSectionTitleBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudSectionTitleBhv";

    HudSectionTitleBhv();

    // "" without the child.
    std::string GetTitleText() const;
    // Nothing without the child.
    void SetTitleText(const std::string& text);
};
