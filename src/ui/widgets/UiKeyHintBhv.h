#pragma once

#include <string>

#include "core/Behavior.h"

// A line of text that names keys, kept true to the current bindings: every frame its object's text
// is "Template" with each "{ActionName}" replaced by the key bound to that action, the pad's input
// when the pad was used last ("{MenuConfirm}: choose" reads "Enter: choose" or "A: choose"). An
// empty template leaves the text alone.
class UiKeyHintBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiKeyHintBhv";

    UiKeyHintBhv();

    // Fills the text at once, so the first frame drawn already shows it.
    void Start() override { Refresh(); }
    void Update() override { Refresh(); }

    // Writes the text when it changed; the caller may call it after changing the template.
    void Refresh();

    std::string Template;
};
