#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class GameObject;
class IEditable;

// Live components as text: what the editor shows of them, enough to put them back as they were.

// The registered class name of a live or prefab component; a component made by new rather than by
// the registry recorded no type, and its dynamic type names it.
std::string ClassNameOf(const IEditable& editable);

// The object's editable components in order, leaving out those queued for deletion.
std::vector<IEditable*> EditableComponents(const GameObject& object);

// One component: its class and the text of every sub-property of every property, in key order.
struct ComponentRecord {
    std::string ClassName;
    std::vector<std::pair<std::string, std::vector<std::string>>> Values;

    size_t Bytes() const;
    bool operator==(const ComponentRecord&) const = default;
};

ComponentRecord RecordComponent(const IEditable& editable);
std::vector<ComponentRecord> RecordComponents(const GameObject& object);
// Makes the object's editable components match the records: keeps those already in place,
// moves, creates (started once their values are set) or queues for deletion the others, and
// writes the values that differ.
void RestoreComponents(GameObject& object, const std::vector<ComponentRecord>& records);
size_t RecordBytes(const std::vector<ComponentRecord>& records);

// The object and its subtree as text: names, prefab names, flags and every component value.
std::string LiveTreeText(const GameObject& object);
