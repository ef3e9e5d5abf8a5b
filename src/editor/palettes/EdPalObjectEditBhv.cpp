#include "editor/palettes/EdPalObjectEditBhv.h"

#include <algorithm>
#include <typeinfo>

#include "components/SpriteComponent.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/EdFind.h"
#include "editor/EditorState.h"
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

// The class prototype that answers for a prefab component's properties, or null.
IEditable* PrototypeOf(const PrefabComponent& component) {
    const ComponentRegistry& registry = Service<PrefabManager>::Get().Registry;
    return registry.Contains(component.ClassName) ? &registry.GetPrototype(component.ClassName) : nullptr;
}

// The registered class name; a component made by new rather than by the registry recorded no type,
// and its dynamic type names it.
std::string ClassNameOf(const IEditable& editable) {
    const PrefabManager& prefabs = Service<PrefabManager>::Get();
    std::string name = prefabs.GetClassName(editable);
    return name.empty() ? prefabs.Registry.FindName(typeid(editable)) : name;
}

} // namespace

EdPalObjectEditBhv::~EdPalObjectEditBhv() {
    if (EditorState* editor = Service<EditorState>::TryGet(); editor && editor->ObjectEditPalette == this) {
        editor->ObjectEditPalette = nullptr;
    }
}

void EdPalObjectEditBhv::Start() {
    EdScrollListBhv::Start();
    Service<EditorState>::Get().ObjectEditPalette = this;
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
    inputFlag_ = FindChildComponent<EdToggleBhv>(flagRow_, "ChkInputEnabled");
    updateFlag_ = FindChildComponent<EdToggleBhv>(flagRow_, "ChkUpdateEnabled");
    drawFlag_ = FindChildComponent<EdToggleBhv>(flagRow_, "ChkDrawEnabled");
    EditorState& editor = Service<EditorState>::Get();
    const auto flagSetter = [&editor](bool GameObject::*flag) {
        return [&editor, flag](bool value) {
            if (editor.SelectedObject) {
                editor.SelectedObject->*flag = value;
            }
        };
    };
    if (inputFlag_) {
        inputFlag_->ChangeHandler = flagSetter(&GameObject::InputEnabled);
    }
    if (updateFlag_) {
        updateFlag_->ChangeHandler = flagSetter(&GameObject::UpdateEnabled);
    }
    if (drawFlag_) {
        drawFlag_->ChangeHandler = flagSetter(&GameObject::DrawEnabled);
    }
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnAdd"), [this, &editor] {
        if (SelectedKind() != Kind::None && editor.ComponentPicker) {
            editor.ComponentPicker->Open([this](const std::string& name) { AddComponent(name); });
        }
    });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "ListButtons", "BtnRemove"),
            [this] { RemoveComponent(); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveUp"),
            [this] { MoveComponent(-1); });
    Connect(FindNestedComponent<EdButtonBhv>(Owner, "MoveButtons", "BtnMoveDown"),
            [this] { MoveComponent(1); });
}

EdPalObjectEditBhv::Kind EdPalObjectEditBhv::SelectedKind() const {
    const EditorState& editor = Service<EditorState>::Get();
    if (editor.SelectedAutoCreate) {
        return Kind::Entry;
    }
    if (editor.SelectedObject) {
        return Kind::Object;
    }
    if (editor.SelectedPrefab) {
        return Kind::Prefab;
    }
    return Kind::None;
}

void EdPalObjectEditBhv::CollectEditables(std::vector<IEditable*>& out) const {
    out.clear();
    const EditorState& editor = Service<EditorState>::Get();
    switch (SelectedKind()) {
    case Kind::Object:
        for (Component* c : editor.SelectedObject->Components) {
            if (auto* editable = dynamic_cast<IEditable*>(c)) {
                out.push_back(editable);
            }
        }
        break;
    case Kind::Prefab:
        for (const auto& c : editor.SelectedPrefab->Components) {
            out.push_back(c.get());
        }
        break;
    case Kind::Entry:
        for (const auto& c : editor.SelectedAutoCreate->InstanceProperties) {
            out.push_back(c.get());
        }
        break;
    case Kind::None:
        break;
    }
}

Prefab* EdPalObjectEditBhv::DataPrefab() const {
    const EditorState& editor = Service<EditorState>::Get();
    switch (SelectedKind()) {
    case Kind::Prefab:
        return editor.SelectedPrefab;
    case Kind::Entry:
        return editor.SelectedAutoCreate->Owner;
    default:
        return nullptr;
    }
}

void EdPalObjectEditBhv::RebuildModel() {
    model_.clear();
    const bool live = SelectedKind() == Kind::Object;
    for (IEditable* editable : editables_) {
        const IEditable* source = editable;
        if (!live) {
            source = PrototypeOf(*static_cast<PrefabComponent*>(editable));
        }
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
            const int subCount = PartCount(registration->Type);
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
    if (!row.Key) {
        return {};
    }
    if (SelectedKind() == Kind::Object) {
        return row.Editable->GetPropertyText(*row.Key, row.SubIndex);
    }
    // Prefab data: only what the prefab stores; the class default shows as empty.
    const auto& stored = row.Editable->Properties;
    auto it = stored.find(*row.Key);
    return it == stored.end() ? std::string() : it->second->GetSubProperty(*row.Key, row.SubIndex).GetText();
}

bool EdPalObjectEditBhv::StillSelected(const IEditable* editable) {
    // The model is rebuilt in Update; a commit or a key in the input pass before it may name a
    // component deleted at the last flush. Only addresses are compared.
    CollectEditables(scratch_);
    return editable && std::find(scratch_.begin(), scratch_.end(), editable) != scratch_.end();
}

void EdPalObjectEditBhv::CommitProperty(size_t index, const std::string& text) {
    if (index >= model_.size() || !model_[index].Key || !StillSelected(model_[index].Editable)) {
        return;
    }
    const Row& row = model_[index];
    const std::string& key = *row.Key;
    current_ = row.Editable;
    if (SelectedKind() == Kind::Object) {
        // Text the property cannot read is refused by it; the row shows the value it kept.
        row.Editable->SetPropertyText(key, row.SubIndex, text);
        return;
    }
    Prefab* prefab = DataPrefab();
    auto* component = static_cast<PrefabComponent*>(row.Editable);
    if (!prefab) {
        return;
    }
    auto& stored = component->Properties;
    if (text.empty()) {
        if (stored.erase(key) != 0) {
            prefab->Dirty = true; // the class default applies again
        }
        return;
    }
    if (auto it = stored.find(key); it != stored.end()) {
        if (it->second->GetSubProperty(key, row.SubIndex).SetText(text)) {
            prefab->Dirty = true;
        }
        return;
    }
    IEditable* prototype = PrototypeOf(*component);
    PropertyRegistration* model = prototype ? prototype->FindProperty(key) : nullptr;
    if (!model) {
        return;
    }
    std::unique_ptr<PropertyRegistration> holder = model->CreateHolder();
    model->CopyValueTo(*holder);
    // Only a value that reads is stored: rejected text must not leave the default behind.
    if (holder->GetSubProperty(key, row.SubIndex).SetText(text)) {
        stored.emplace(key, std::move(holder));
        prefab->Dirty = true;
    }
}

void EdPalObjectEditBhv::CommitName(const std::string& text) {
    EditorState& editor = Service<EditorState>::Get();
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    switch (SelectedKind()) {
    case Kind::Object:
        editor.SelectedObject->Name = text;
        break;
    case Kind::Entry:
        editor.SelectedAutoCreate->Name = text;
        editor.SelectedAutoCreate->Owner->Dirty = true;
        break;
    case Kind::Prefab: {
        Prefab* prefab = editor.SelectedPrefab;
        const std::string oldName = prefab->Name;
        if (text.empty() || !prefabs.Rename(*prefab, text)) {
            break;
        }
        prefab->Dirty = true;
        editor.SelectedPrefabName = prefab->Name;
        // Entries that build the prefab follow the new name; left behind they would name nothing.
        for (auto& [name, other] : prefabs.Prefabs) {
            for (auto& entry : other->AutoCreates) {
                if (entry->PrefabName == oldName) {
                    entry->PrefabName = prefab->Name;
                    other->Dirty = true;
                }
            }
        }
        break;
    }
    case Kind::None:
        break;
    }
}

void EdPalObjectEditBhv::AddComponent(const std::string& className) {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    EditorState& editor = Service<EditorState>::Get();
    if (!prefabs.Registry.Contains(className)) {
        return;
    }
    switch (SelectedKind()) {
    case Kind::Object: {
        std::unique_ptr<IEditable> made = prefabs.Registry.Create(className);
        auto* component = dynamic_cast<Component*>(made.get());
        if (!component) {
            return; // describes components, is not one
        }
        made.release();
        editor.SelectedObject->AddComponent(component);
        if (Behavior* behavior = component->AsBehavior()) {
            behavior->Start();
        }
        current_ = dynamic_cast<IEditable*>(component);
        break;
    }
    case Kind::Prefab:
    case Kind::Entry: {
        auto component = std::make_unique<PrefabComponent>();
        component->ClassName = className;
        component->Type = prefabs.Registry.GetClassIdentity(className);
        current_ = component.get();
        auto& list = SelectedKind() == Kind::Prefab ? editor.SelectedPrefab->Components
                                                    : editor.SelectedAutoCreate->InstanceProperties;
        list.push_back(std::move(component));
        DataPrefab()->Dirty = true;
        break;
    }
    case Kind::None:
        break;
    }
}

void EdPalObjectEditBhv::RemoveComponent() {
    if (!StillSelected(current_)) {
        current_ = nullptr;
        return;
    }
    EditorState& editor = Service<EditorState>::Get();
    switch (SelectedKind()) {
    case Kind::Object:
        if (auto* component = dynamic_cast<Component*>(current_)) {
            component->DestroyLater();
        }
        break;
    case Kind::Prefab:
    case Kind::Entry: {
        auto& list = SelectedKind() == Kind::Prefab ? editor.SelectedPrefab->Components
                                                    : editor.SelectedAutoCreate->InstanceProperties;
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->get() == current_) {
                list.erase(it);
                DataPrefab()->Dirty = true;
                break;
            }
        }
        break;
    }
    case Kind::None:
        break;
    }
    current_ = nullptr;
}

void EdPalObjectEditBhv::MoveComponent(int offset) {
    if (!StillSelected(current_)) {
        current_ = nullptr;
        return;
    }
    EditorState& editor = Service<EditorState>::Get();
    switch (SelectedKind()) {
    case Kind::Object:
        if (auto* component = dynamic_cast<Component*>(current_)) {
            component->MoveInComponentList(offset);
        }
        break;
    case Kind::Prefab:
        if (Service<PrefabManager>::Get().MoveComponent(*editor.SelectedPrefab,
                                                        static_cast<PrefabComponent*>(current_), offset)) {
            editor.SelectedPrefab->Dirty = true;
        }
        break;
    case Kind::Entry: {
        // The entry's list has no owner prefab of its own to hand to MoveComponent: move it here.
        auto& list = editor.SelectedAutoCreate->InstanceProperties;
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].get() == current_) {
                const long target =
                    std::clamp(static_cast<long>(i) + offset, 0L, static_cast<long>(list.size()) - 1);
                if (target != static_cast<long>(i)) {
                    auto moving = std::move(list[i]);
                    list.erase(list.begin() + static_cast<long>(i));
                    list.insert(list.begin() + target, std::move(moving));
                    editor.SelectedAutoCreate->Owner->Dirty = true;
                }
                break;
            }
        }
        break;
    }
    case Kind::None:
        break;
    }
}

void EdPalObjectEditBhv::CentreSprite() {
    if (!StillSelected(current_) || ClassNameOf(*current_) != "SpriteComponent" ||
        !current_->FindProperty("Size") || !current_->FindProperty("Origin")) {
        return;
    }
    bool changed = false;
    for (int axis = 0; axis < 2; ++axis) {
        const std::optional<float> size = PropertyText::ParseFloat(current_->GetPropertyText("Size", axis));
        if (size) {
            changed |= current_->SetPropertyText("Origin", axis, PropertyText::FormatFloat(*size * -0.5f));
        }
    }
    if (changed && SelectedKind() != Kind::Object) {
        DataPrefab()->Dirty = true;
    }
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
    if (input.IsKeyPressed(Key::E) && SelectedKind() == Kind::Object) {
        EditorState& editor = Service<EditorState>::Get();
        if (auto* fixture = dynamic_cast<B2FixtureComponent*>(current_); fixture && editor.ShapeEditor) {
            editor.ShapeEditor->Open(fixture);
        }
    } else if (input.IsKeyPressed(Key::L)) {
        CentreSprite();
    }
}

void EdPalObjectEditBhv::Update() {
    const EditorState& editor = Service<EditorState>::Get();
    const Kind kind = SelectedKind();
    CollectEditables(scratch_);
    const void* selection = kind == Kind::Object   ? static_cast<const void*>(editor.SelectedObject)
                            : kind == Kind::Prefab ? static_cast<const void*>(editor.SelectedPrefab)
                            : kind == Kind::Entry  ? static_cast<const void*>(editor.SelectedAutoCreate)
                                                   : nullptr;
    if (selection != builtFor_ || scratch_ != editables_) {
        if (selection != builtFor_) {
            Offset = 0;
        }
        builtFor_ = selection;
        editables_.swap(scratch_);
        RebuildModel();
    }
    // The current component must still be one of the selection's.
    if (current_ && std::find(editables_.begin(), editables_.end(), current_) == editables_.end()) {
        current_ = nullptr;
    }
    EdScrollListBhv::Update();

    if (titleBar_) {
        titleBar_->Title = kind == Kind::Entry    ? "Edit AutoCreate"
                           : kind == Kind::Object ? "Edit Instance"
                           : kind == Kind::Prefab ? "Edit Prefab"
                                                  : "Edit";
    }
    // Assigned in place: the rows keep their storage, and a frame allocates nothing here.
    static const std::string Nothing;
    const std::string& name = kind == Kind::Object   ? editor.SelectedObject->Name
                              : kind == Kind::Prefab ? editor.SelectedPrefab->Name
                              : kind == Kind::Entry  ? editor.SelectedAutoCreate->Name
                                                     : Nothing;
    const std::string& prefabName = kind == Kind::Object   ? editor.SelectedObject->PrefabName
                                    : kind == Kind::Prefab ? editor.SelectedPrefab->Name
                                    : kind == Kind::Entry  ? editor.SelectedAutoCreate->PrefabName
                                                           : Nothing;
    if (nameRow_) {
        nameRow_->ValueText.assign(name);
        nameRow_->IsEditable = kind != Kind::None;
    }
    if (prefabNameRow_) {
        prefabNameRow_->ValueText.assign(prefabName);
    }
    SetShown(flagRow_, kind == Kind::Object);
    if (kind == Kind::Object) {
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
