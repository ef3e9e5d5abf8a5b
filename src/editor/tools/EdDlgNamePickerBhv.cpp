#include "editor/tools/EdDlgNamePickerBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/EdDialogBhv.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
#include "editor/NameFilter.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "input/InputManager.h"

namespace {
constexpr const char* NoneEntry = "(None)";
}

void EdDlgNamePickerBhv::Start() {
    EdScrollListBhv::Start();
    rows_.clear();
    for (GameObject* child : Owner->Children) {
        if (child->Name == "EdListItem") {
            if (auto* item = child->GetComponentOfType<EdListItemBhv>()) {
                const int row = static_cast<int>(rows_.size());
                item->ClickHandler = [this, row] {
                    if (Offset + row < EntryCount()) {
                        Highlighted = Offset + row;
                    }
                };
                rows_.push_back(item);
            }
        }
    }
    filterRow_ = FindChildComponent<EdPropertyRowBhv>(Owner, "Filter");
    filter_ = filterRow_ ? filterRow_->Field() : nullptr;
    if (auto* ok = FindNestedComponent<EdButtonBhv>(Owner, "Buttons", "BtnOk")) {
        ok->ClickHandler = [this] {
            Confirm();
        };
    }
    if (auto* cancel = FindNestedComponent<EdButtonBhv>(Owner, "Buttons", "BtnCancel")) {
        cancel->ClickHandler = [this] {
            Close();
        };
    }
}

bool EdDlgNamePickerBhv::IsOpen() const {
    return Owner && Owner->DrawEnabled;
}

void EdDlgNamePickerBhv::Open(Completion onChosen) {
    completion_ = std::move(onChosen);
    if (EdDialogBhv* dialog = Owner->GetComponentOfType<EdDialogBhv>()) {
        dialog->Show(true);
    }
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->ModalOpen = true;
    }
    Offset = 0;
    Highlighted = 0;
    if (filter_) {
        filter_->SetText("");
        filter_->BeginEditing();
    }
    appliedFilter_.clear();
    Refilter();
}

void EdDlgNamePickerBhv::Close() {
    completion_ = nullptr;
    if (EdDialogBhv* dialog = Owner->GetComponentOfType<EdDialogBhv>()) {
        dialog->Show(false);
    }
    if (filter_) {
        filter_->IsEditing = false;
    }
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->ModalOpen = false;
    }
}

void EdDlgNamePickerBhv::Confirm() {
    if (Highlighted < 0 || Highlighted >= EntryCount()) {
        Close();
        return;
    }
    const std::string& entry = entries_[static_cast<size_t>(Highlighted)];
    const std::string chosen = OffersNone() && entry == NoneEntry ? std::string() : entry;
    // The handler may open another dialog or tool: close first, then hand over.
    Completion completion = std::move(completion_);
    Close();
    if (completion) {
        completion(chosen);
    }
}

void EdDlgNamePickerBhv::Refilter() {
    entries_.clear();
    const std::string& filter = appliedFilter_;
    if (OffersNone() && filter.empty()) {
        entries_.emplace_back(NoneEntry);
    }
    for (std::string& name : AllNames()) {
        if (PassesNameFilter(name, filter)) {
            entries_.push_back(std::move(name));
        }
    }
}

void EdDlgNamePickerBhv::KeepHighlightVisible() {
    const int rows = RowCount();
    if (Highlighted < Offset) {
        Offset = Highlighted;
    } else if (rows > 0 && Highlighted >= Offset + rows) {
        Offset = Highlighted - rows + 1;
    }
}

void EdDlgNamePickerBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::Esc)) {
        Close();
        return;
    }
    if (input.IsKeyPressed(Key::OemEnter)) {
        Confirm();
        return;
    }
    const int count = EntryCount();
    if (input.IsKeyFired(Key::Up) && Highlighted > 0) {
        --Highlighted;
        KeepHighlightVisible();
    }
    if (input.IsKeyFired(Key::Down) && Highlighted + 1 < count) {
        ++Highlighted;
        KeepHighlightVisible();
    }
}

void EdDlgNamePickerBhv::Update() {
    if (filterRow_ && filter_) {
        filterRow_->ValueText.assign(filter_->Text); // the row shows what was typed, committed or not
    }
    const std::string& filter = filter_ ? filter_->Text : appliedFilter_;
    if (filter != appliedFilter_) {
        appliedFilter_ = filter;
        Refilter();
        Offset = 0;
        Highlighted = entries_.empty() ? -1 : 0;
    }
    EdScrollListBhv::Update();
    for (size_t row = 0; row < rows_.size(); ++row) {
        EdListItemBhv* item = rows_[row];
        const int entry = Offset + static_cast<int>(row);
        if (entry < EntryCount()) {
            item->Label.assign(entries_[static_cast<size_t>(entry)]);
        } else {
            item->Label.clear();
        }
        item->IsHighlighted = entry == Highlighted && entry < EntryCount();
    }
}
