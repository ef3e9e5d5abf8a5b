#include "editor/widgets/EdPropertyRowBhv.h"

#include "editor/EdFind.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"

EdPropertyRowBhv::EdPropertyRowBhv() {
    RegisterProperty("Label", &Label);
    RegisterProperty("Height", &Height);
    RegisterProperty("IsEditable", &IsEditable);
}

void EdPropertyRowBhv::Start() {
    item_ = FindChildComponent<EdListItemBhv>(Owner, "Label");
    field_ = FindChildComponent<EdFieldBhv>(Owner, "Value");
    if (field_) {
        field_->ChangeHandler = [this](const std::string& text) {
            if (ChangeHandler) {
                ChangeHandler(text);
            }
        };
    }
}

void EdPropertyRowBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    if (item_) {
        if (item_->Label != Label) {
            item_->Label.assign(Label);
        }
        item_->SetBounds(x, y, width, height);
    }
    if (field_) {
        field_->IsEditable = IsEditable;
        if (!field_->IsEditing) {
            field_->SetText(ValueText);
        }
        field_->SetBounds(x + width * 0.5f, y, width * 0.5f, height);
    }
}
