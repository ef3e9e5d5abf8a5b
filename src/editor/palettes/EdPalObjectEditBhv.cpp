#include "editor/palettes/EdPalObjectEditBhv.h"

#include <algorithm>
#include <typeinfo>

#include "components/SpriteComponent.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
#include "editor/history/LiveRecord.h"
#include "editor/history/LiveValueStep.h"
#include "editor/tools/EdDlgComponentPickerBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "input/InputManager.h"
#include "physics/B2FixtureComponent.h"
#include "prefabs/PrefabManager.h"
#include "reflection/PropertyText.h"

namespace {

void SetShown(GameObject* object, bool shown) {
    if (object) {
        object->SetPassesEnabled(shown);
    }
}

} // namespace

EdPalObjectEditBhv::~EdPalObjectEditBhv() {
    WellKnown<EdPalObjectEditBhv>::ClearIf(this);
}

void EdPalObjectEditBhv::Start() {
    EdScrollListBhv::Start();
    WellKnown<EdPalObjectEditBhv>::Register(this);
    rows_.clear();
    for (GameObject* child : Owner->Children) {
        if (child->Name != "EdPropertyRow") {
            continue;
        }
        if (auto* row = child->GetComponentOfType<EdPropertyRowBhv>()) {
            const size_t r = rows_.size();
            row->ChangeHandler = [this, r](const std::string& text) {
                CommitProperty(static_cast<size_t>(Offset) + r, text);
            };
            // Wired once the row has found its pieces.
            if (EdListItemBhv* item = row->Item()) {
                item->ClickHandler = [this, r] {
                    const size_t index = static_cast<size_t>(Offset) + r;
                    if (index < model_.size() && StillSelected(model_[index].Editable)) {
                        current_ = model_[index].Editable;
                    }
                };
            }
            rows_.push_back(row);
        }
    }
    titleBar_ = FindChildComponent<EdTitleBarBhv>(Owner, "TitleBar");
    nameRow_ = FindChildComponent<EdPropertyRowBhv>(Owner, "NameProperty");
    prefabNameRow_ = FindChildComponent<EdPropertyRowBhv>(Owner, "PrefabNameProperty");
    if (nameRow_) {
        nameRow_->ChangeHandler = [this](const std::string& text) {
            CommitName(text);
        };
    }
    if (prefabNameRow_) {
        prefabNameRow_->IsEditable = false;
    }
    flagRow_ = Owner->FindChild("FlagToggles");
    inputFlag_ = FindChildComponent<EdToggleBhv>(flagRow_.Get(), "ChkInputEnabled");
    updateFlag_ = FindChildComponent<EdToggleBhv>(flagRow_.Get(), "ChkUpdateEnabled");
    drawFlag_ = FindChildComponent<EdToggleBhv>(flagRow_.Get(), "ChkDrawEnabled");
    EditorState& editor = Service<EditorState>::Get();
    const auto flagSetter = [&editor](bool GameObject::*flag, LiveValueStep::What what, const char* name) {
        return [&editor, flag, what, name](bool value) {
            GameObject* object = editor.SelectedObject;
            if (!object || object->*flag == value) {
                return;
            }
            object->*flag = value;
            editor.History.Push(
                std::make_unique<LiveValueStep>(*object, what, std::string(name) + " of " + object->Name,
                                                value ? "false" : "true", value ? "true" : "false"));
        };
    };
    if (inputFlag_) {
        inputFlag_->ChangeHandler =
            flagSetter(&GameObject::InputEnabled, LiveValueStep::What::InputFlag, "Input");
    }
    if (updateFlag_) {
        updateFlag_->ChangeHandler =
            flagSetter(&GameObject::UpdateEnabled, LiveValueStep::What::UpdateFlag, "Update");
    }
    if (drawFlag_) {
        drawFlag_->ChangeHandler =
            flagSetter(&GameObject::DrawEnabled, LiveValueStep::What::DrawFlag, "Draw");
    }
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnAdd"), [this] {
        EdDlgComponentPickerBhv* picker = WellKnown<EdDlgComponentPickerBhv>::Get();
        if (Selection() && picker) {
            picker->Open([this](const std::string& name) { AddComponent(name); });
        }
    });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnRemove"),
            [this] { RemoveComponent(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveUp"),
            [this] { MoveComponent(-1); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveDown"),
            [this] { MoveComponent(1); });
}

EditSelection* EdPalObjectEditBhv::Selection() {
    for (EditSelection* selection : std::initializer_list<EditSelection*>{&entry_, &object_, &prefab_}) {
        if (selection->Exists()) {
            return selection;
        }
    }
    return nullptr;
}

void EdPalObjectEditBhv::CollectEditables(std::vector<IEditable*>& out) const {
    out.clear();
    if (const EditSelection* selection = Selection()) {
        selection->CollectEditables(out);
    }
}

void EdPalObjectEditBhv::RebuildModel() {
    model_.clear();
    const EditSelection* selection = Selection();
    for (IEditable* editable : editables_) {
        const IEditable* source = selection ? selection->PropertySource(*editable) : nullptr;
        Row header;
        header.Editable = editable;
        header.Label = ClassNameOf(*editable);
        if (source && !source->Properties.empty()) {
            header.Label += ":";
        }
        model_.push_back(std::move(header));
        if (!source) {
            continue;
        }
        for (const auto& [key, registration] : source->Properties) {
            const int subCount = SubPropertyCount(registration->Type);
            for (int sub = 0; sub < subCount; ++sub) {
                Row row;
                row.Editable = editable;
                row.Key = &key;
                row.SubIndex = sub;
                row.Label = "  " + key;
                if (subCount > 1) {
                    row.Label += "." + registration->GetSubProperty(key, sub).SubName;
                }
                model_.push_back(std::move(row));
            }
        }
    }
    // A new list: text being typed belonged to the old one.
    for (EdPropertyRowBhv* row : rows_) {
        if (EdFieldBhv* field = row->Field()) {
            field->IsEditing = false;
        }
    }
}

std::string EdPalObjectEditBhv::ValueText(const Row& row) const {
    const EditSelection* selection = Selection();
    return row.Key && selection ? selection->ValueText(*row.Editable, *row.Key, row.SubIndex) : std::string();
}

bool EdPalObjectEditBhv::StillSelected(const IEditable* editable) {
    // The model is rebuilt in Update; a commit or a key in the input pass before it may name a
    // component deleted at the last flush. Only addresses are compared.
    CollectEditables(scratch_);
    return editable && std::find(scratch_.begin(), scratch_.end(), editable) != scratch_.end();
}

void EdPalObjectEditBhv::CommitProperty(size_t index, const std::string& text) {
    EditSelection* selection = Selection();
    if (!selection || index >= model_.size() || !model_[index].Key ||
        !StillSelected(model_[index].Editable)) {
        return;
    }
    const Row& row = model_[index];
    current_ = row.Editable;
    // A nudge arrives through the row's field; its run of nudges becomes one step.
    const size_t shown = index - static_cast<size_t>(Offset);
    const EdFieldBhv* field = shown < rows_.size() ? rows_[shown]->Field() : nullptr;
    const std::string key = *row.Key;
    const size_t start = row.Label.find_first_not_of(' ');
    selection->CommitProperty(*row.Editable, key, row.SubIndex, text,
                              row.Label.substr(start == std::string::npos ? 0 : start),
                              field && field->IsNudging);
}

void EdPalObjectEditBhv::CommitName(const std::string& text) {
    if (EditSelection* selection = Selection()) {
        selection->CommitName(text);
    }
}

void EdPalObjectEditBhv::AddComponent(const std::string& className) {
    EditSelection* selection = Selection();
    if (selection && Service<PrefabManager>::Get().Registry.Contains(className)) {
        if (IEditable* added = selection->AddComponent(className)) {
            current_ = added;
        }
    }
}

void EdPalObjectEditBhv::RemoveComponent() {
    EditSelection* selection = Selection();
    if (selection && StillSelected(current_)) {
        selection->RemoveComponent(*current_);
    }
    current_ = nullptr;
}

void EdPalObjectEditBhv::MoveComponent(int offset) {
    EditSelection* selection = Selection();
    if (!selection || !StillSelected(current_)) {
        current_ = nullptr;
        return;
    }
    selection->MoveComponent(*current_, offset);
}

void EdPalObjectEditBhv::CentreSprite() {
    if (!StillSelected(current_) || ClassNameOf(*current_) != "SpriteComponent" ||
        !current_->FindProperty("Size") || !current_->FindProperty("Origin")) {
        return;
    }
    IEditable* sprite = current_;
    Selection()->Change("Centre sprite of " + Selection()->Subject(), [sprite] {
        for (int axis = 0; axis < 2; ++axis) {
            const std::optional<float> size = PropertyText::ParseFloat(sprite->GetPropertyText("Size", axis));
            if (size) {
                sprite->SetPropertyText("Origin", axis, PropertyText::FormatFloat(*size * -0.5f));
            }
        }
    });
}

void EdPalObjectEditBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (!current_ || !input.IsKeyDown(Key::Ctrl)) {
        return;
    }
    if (!StillSelected(current_)) {
        current_ = nullptr;
        return;
    }
    if (input.IsKeyPressed(Key::E) && Selection() == &object_) {
        EdShapeEditorBhv* shapes = WellKnown<EdShapeEditorBhv>::Get();
        if (auto* fixture = dynamic_cast<B2FixtureComponent*>(current_); fixture && shapes) {
            shapes->Open(fixture);
        }
    } else if (input.IsKeyPressed(Key::L)) {
        CentreSprite();
    }
}

void EdPalObjectEditBhv::Update() {
    const EditorState& editor = Service<EditorState>::Get();
    const EditSelection* selection = Selection();
    CollectEditables(scratch_);
    const void* identity = selection ? selection->Identity() : nullptr;
    // An undo or redo may rebuild components at the addresses of the old ones: rebuild then too.
    const unsigned generation = editor.History.Generation();
    if (identity != builtFor_ || scratch_ != editables_ || generation != builtAt_) {
        if (identity != builtFor_) {
            Offset = 0;
        }
        builtFor_ = identity;
        builtAt_ = generation;
        editables_.swap(scratch_);
        RebuildModel();
    }
    // The current component must still be one of the selection's.
    if (current_ && std::find(editables_.begin(), editables_.end(), current_) == editables_.end()) {
        current_ = nullptr;
    }
    EdScrollListBhv::Update();

    if (titleBar_) {
        titleBar_->Title = selection ? selection->Title() : "Edit";
    }
    // Assigned in place: the rows keep their storage, and a frame allocates nothing here.
    static const std::string Nothing;
    if (nameRow_) {
        nameRow_->ValueText.assign(selection ? selection->Name() : Nothing);
        nameRow_->IsEditable = selection != nullptr;
    }
    if (prefabNameRow_) {
        prefabNameRow_->ValueText.assign(selection ? selection->PrefabName() : Nothing);
    }
    const bool live = selection && selection->IsLive();
    SetShown(flagRow_.Get(), live);
    if (live) {
        if (inputFlag_) {
            inputFlag_->Value = editor.SelectedObject->InputEnabled;
        }
        if (updateFlag_) {
            updateFlag_->Value = editor.SelectedObject->UpdateEnabled;
        }
        if (drawFlag_) {
            drawFlag_->Value = editor.SelectedObject->DrawEnabled;
        }
    }
    ShowRows();
}

void EdPalObjectEditBhv::ShowRows() {
    for (size_t r = 0; r < rows_.size(); ++r) {
        EdPropertyRowBhv* row = rows_[r];
        const size_t index = static_cast<size_t>(Offset) + r;
        const bool used = index < model_.size();
        // Unused rows are hidden, so the palette closes up below the last property.
        SetShown(row->Owner, used);
        if (!used) {
            continue;
        }
        const Row& model = model_[index];
        row->Label = model.Label;
        row->IsEditable = model.Key != nullptr;
        row->ValueText = ValueText(model);
        if (EdListItemBhv* item = row->Item()) {
            item->IsHighlighted = !model.Key && model.Editable == current_;
        }
    }
}
