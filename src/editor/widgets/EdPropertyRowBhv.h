#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "editor/IEdUiElement.h"

class EdFieldBhv;
class EdListItemBhv;

// A labelled value: the "Label" list item spans the row, the "Value" field takes its right half.
// A committed field text goes to ChangeHandler.
class EdPropertyRowBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdPropertyRowBhv";

    EdPropertyRowBhv();

    // Finds the two pieces and routes the field's commits to ChangeHandler.
    void Start() override;
    void SetBounds(float x, float y, float width, float height) override;

    EdListItemBhv* Item() const { return item_.Get(); }
    EdFieldBhv* Field() const { return field_.Get(); }

    std::string Label;
    bool IsEditable = true;
    std::string ValueText; // shown in the field unless it is being edited
    std::function<void(const std::string& text)> ChangeHandler;

private:
    Handle<EdListItemBhv> item_;
    Handle<EdFieldBhv> field_;
};
