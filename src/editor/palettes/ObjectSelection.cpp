#include "editor/palettes/ObjectSelection.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/EdScene.h"
#include "editor/EditorState.h"
#include "editor/history/LiveComponentsStep.h"
#include "editor/history/LiveRecord.h"
#include "editor/history/LiveValueStep.h"
#include "prefabs/PrefabManager.h"

GameObject* ObjectSelection::Object() const {
    return Service<EditorState>::Get().SelectedObject;
}

const std::string& ObjectSelection::Name() const {
    return Object()->Name;
}

const std::string& ObjectSelection::PrefabName() const {
    return Object()->PrefabName;
}

std::string ObjectSelection::Subject() const {
    const GameObject* object = Object();
    return !object->Name.empty()         ? object->Name
           : !object->PrefabName.empty() ? object->PrefabName
                                         : "GameObject";
}

void ObjectSelection::CollectEditables(std::vector<IEditable*>& out) const {
    out.clear();
    for (Component* c : Object()->Components) {
        // A component queued for deletion is gone as far as the editor is concerned.
        if (auto* editable = dynamic_cast<IEditable*>(c); editable && !c->PendingDestroy) {
            out.push_back(editable);
        }
    }
}

std::string ObjectSelection::ValueText(const IEditable& editable, const std::string& key,
                                       int subIndex) const {
    return editable.GetPropertyText(key, subIndex);
}

void ObjectSelection::CommitProperty(IEditable& editable, const std::string& key, int subIndex,
                                     const std::string& text, const std::string& label, bool nudge) {
    GameObject& object = *Object();
    const std::vector<IEditable*> components = EditableComponents(object);
    const long index = std::find(components.begin(), components.end(), &editable) - components.begin();
    const std::string before = editable.GetPropertyText(key, subIndex);
    // Text the property cannot read is refused by it; the row shows the value it kept.
    if (!editable.SetPropertyText(key, subIndex, text)) {
        return;
    }
    const std::string after = editable.GetPropertyText(key, subIndex);
    if (after == before) {
        return;
    }
    auto step = std::make_unique<LiveValueStep>(object, LiveValueStep::What::Property,
                                                label + " of " + Subject(), before, after);
    step->OnProperty(static_cast<int>(index), ClassNameOf(editable), key, subIndex);
    EditorState& editor = Service<EditorState>::Get();
    editor.History.Push(std::move(step), nudge, editor.Now());
}

void ObjectSelection::CommitName(const std::string& text) {
    GameObject& object = *Object();
    if (object.Name == text) {
        return;
    }
    auto step =
        std::make_unique<LiveValueStep>(object, LiveValueStep::What::Name, Subject(), object.Name, text);
    object.Name = text;
    Service<EditorState>::Get().History.Push(std::move(step));
}

IEditable* ObjectSelection::AddComponent(const std::string& className) {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    GameObject& object = *Object();
    std::unique_ptr<IEditable> made = prefabs.Registry.Create(className);
    auto* component = dynamic_cast<Component*>(made.get());
    if (!component) {
        return nullptr; // describes components, is not one
    }
    std::vector<ComponentRecord> before = RecordComponents(object);
    made.release();
    object.AddComponent(component);
    if (Behavior* behavior = component->AsBehavior()) {
        behavior->Start();
    }
    auto step = std::make_unique<LiveComponentsStep>("Add component " + className + " to " + Subject());
    step->Add(object, std::move(before), RecordComponents(object));
    Service<EditorState>::Get().History.Push(std::move(step));
    return dynamic_cast<IEditable*>(component);
}

void ObjectSelection::RemoveComponent(IEditable& editable) {
    auto* component = dynamic_cast<Component*>(&editable);
    if (!component) {
        return;
    }
    if (IsEditorOwn(*Object())) {
        // Without them the editor would lose its own keys, palettes or history.
        std::printf("editor: %s stays: the editor's own components cannot be removed\n",
                    ClassNameOf(editable).c_str());
        std::fflush(stdout);
        return;
    }
    Change("Remove component " + ClassNameOf(editable) + " from " + Subject(),
           [component] { component->DestroyLater(); });
}

void ObjectSelection::MoveComponent(IEditable& editable, int offset) {
    if (auto* component = dynamic_cast<Component*>(&editable)) {
        Change("Move component " + ClassNameOf(editable) + (offset < 0 ? " up in " : " down in ") + Subject(),
               [component, offset] { component->MoveInComponentList(offset); });
    }
}

void ObjectSelection::Change(const std::string& text, const std::function<void()>& change) {
    GameObject& object = *Object();
    std::vector<ComponentRecord> before = RecordComponents(object);
    change();
    auto step = std::make_unique<LiveComponentsStep>(text);
    step->Add(object, std::move(before), RecordComponents(object));
    if (!step->Empty()) {
        Service<EditorState>::Get().History.Push(std::move(step));
    }
}
