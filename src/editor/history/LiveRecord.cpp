#include "editor/history/LiveRecord.h"

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <utility>

#include "core/Behavior.h"
#include "core/Component.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/PrefabEditor.h"
#include "prefabs/PrefabManager.h"
#include "reflection/ValueType.h"

std::string ClassNameOf(const IEditable& editable) {
    PrefabManager& prefabs = Service<PrefabManager>::Get();
    std::string name = PrefabEditor(prefabs).GetClassName(editable);
    return name.empty() ? prefabs.Registry.FindName(typeid(editable)) : name;
}

std::vector<IEditable*> EditableComponents(const GameObject& object) {
    std::vector<IEditable*> out;
    for (Component* c : object.Components) {
        if (auto* editable = dynamic_cast<IEditable*>(c); editable && !c->PendingDestroy) {
            out.push_back(editable);
        }
    }
    return out;
}

size_t ComponentRecord::Bytes() const {
    size_t bytes = sizeof(*this) + ClassName.size();
    for (const auto& [key, texts] : Values) {
        bytes += sizeof(Values[0]) + key.size();
        for (const std::string& sub : texts) {
            bytes += sizeof(sub) + sub.size();
        }
    }
    return bytes;
}

ComponentRecord RecordComponent(const IEditable& editable) {
    ComponentRecord record;
    record.ClassName = ClassNameOf(editable);
    record.Values.reserve(editable.Properties.size());
    for (const auto& [key, registration] : editable.Properties) {
        std::vector<std::string> texts;
        const int count = SubPropertyCount(registration->Type);
        for (int sub = 0; sub < count; ++sub) {
            texts.push_back(editable.GetPropertyText(key, sub));
        }
        record.Values.emplace_back(key, std::move(texts));
    }
    return record;
}

std::vector<ComponentRecord> RecordComponents(const GameObject& object) {
    std::vector<ComponentRecord> records;
    for (const IEditable* editable : EditableComponents(object)) {
        records.push_back(RecordComponent(*editable));
    }
    return records;
}

size_t RecordBytes(const std::vector<ComponentRecord>& records) {
    size_t bytes = 0;
    for (const ComponentRecord& record : records) {
        bytes += record.Bytes();
    }
    return bytes;
}

namespace {

int IndexIn(const GameObject& object, const IEditable* editable) {
    const auto* component = dynamic_cast<const Component*>(editable);
    auto it = std::find(object.Components.begin(), object.Components.end(), component);
    return static_cast<int>(it - object.Components.begin());
}

// Moves editable to just before the object's component at (or, for the end, after the last).
void PlaceBefore(GameObject& object, IEditable* editable, IEditable* before) {
    auto* component = dynamic_cast<Component*>(editable);
    const int from = IndexIn(object, editable);
    int to = before ? IndexIn(object, before) : static_cast<int>(object.Components.size()) - 1;
    if (before && to > from) {
        --to; // erase-and-insert: the target shifts down once the mover has left
    }
    if (component && to != from) {
        component->MoveInComponentList(to - from);
    }
}

void WriteValues(IEditable& editable, const ComponentRecord& record) {
    for (const auto& [key, texts] : record.Values) {
        for (size_t sub = 0; sub < texts.size(); ++sub) {
            const int index = static_cast<int>(sub);
            if (editable.GetPropertyText(key, index) != texts[sub]) {
                editable.SetPropertyText(key, index, texts[sub]);
            }
        }
    }
}

} // namespace

void RestoreComponents(GameObject& object, const std::vector<ComponentRecord>& records) {
    std::vector<IEditable*> current = EditableComponents(object);
    std::vector<std::pair<Behavior*, const ComponentRecord*>> fresh;
    const PrefabManager& prefabs = Service<PrefabManager>::Get();
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string& wanted = records[i].ClassName;
        if (i < current.size() && ClassNameOf(*current[i]) == wanted) {
            continue;
        }
        IEditable* found = nullptr;
        for (size_t j = i + 1; j < current.size(); ++j) {
            if (ClassNameOf(*current[j]) == wanted) {
                found = current[j];
                current.erase(current.begin() + static_cast<long>(j));
                break;
            }
        }
        if (!found && prefabs.Registry.Contains(wanted)) {
            std::unique_ptr<IEditable> made = prefabs.Registry.Create(wanted);
            if (auto* component = dynamic_cast<Component*>(made.get())) {
                made.release();
                WriteValues(*dynamic_cast<IEditable*>(component), records[i]);
                object.AddComponent(component);
                found = dynamic_cast<IEditable*>(component);
                if (Behavior* behavior = component->AsBehavior()) {
                    fresh.push_back({behavior, &records[i]});
                }
            }
        }
        if (!found) {
            continue; // a class no longer registered: nothing to build it from
        }
        PlaceBefore(object, found, i < current.size() ? current[i] : nullptr);
        current.insert(current.begin() + static_cast<long>(std::min(i, current.size())), found);
    }
    for (size_t k = records.size(); k < current.size(); ++k) {
        if (auto* component = dynamic_cast<Component*>(current[k])) {
            component->DestroyLater();
        }
    }
    current.resize(std::min(current.size(), records.size()));
    for (size_t i = 0; i < current.size(); ++i) {
        WriteValues(*current[i], records[i]);
    }
    // A behaviour brought back starts as a new one would, then takes its recorded values again: it
    // comes back as it was, not with what its Start added to them (an inventory counting its items).
    for (const auto& [behavior, record] : fresh) {
        behavior->Start();
        if (auto* editable = dynamic_cast<IEditable*>(behavior)) {
            WriteValues(*editable, *record);
        }
    }
}

namespace {

void WriteTree(const GameObject& object, int depth, std::string& out) {
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    out += indent + "object \"" + object.Name + "\" prefab \"" + object.PrefabName + "\" flags " +
           (object.InputEnabled ? "i" : "-") + (object.UpdateEnabled ? "u" : "-") +
           (object.DrawEnabled ? "d" : "-") + "\n";
    for (const ComponentRecord& record : RecordComponents(object)) {
        out += indent + "  " + record.ClassName + "\n";
        for (const auto& [key, texts] : record.Values) {
            out += indent + "    " + key;
            for (const std::string& sub : texts) {
                out += " \"" + sub + "\"";
            }
            out += "\n";
        }
    }
    for (const GameObject* child : object.Children) {
        if (!child->PendingDestroy) {
            WriteTree(*child, depth + 1, out);
        }
    }
}

} // namespace

std::string LiveTreeText(const GameObject& object) {
    std::string out;
    WriteTree(object, 0, out);
    return out;
}
