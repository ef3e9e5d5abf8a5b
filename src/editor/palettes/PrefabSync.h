#pragma once

#include <string>

class GameObject;
class Prefab;
class PrefabManager;

// Moving values between live objects and prefab data. Nothing is written to disk here.

// Copies the object's current property values into the prefab data it came from: per component
// (matched by class and by how many earlier components share its class), a key stored by the
// parent prefab's AutoCreate entry for this object takes the value, else a key stored by the
// object's own prefab. Keys stored in neither are not added. Marks what changed Dirty.
void WriteObjectToPrefabs(const GameObject& object, PrefabManager& manager);

// Gives every object under root (root included) built from the prefab the prefab's stored values,
// reusing each object's first component of a class or attaching a new one. AutoCreate children
// are not rebuilt. Returns how many objects were updated.
int ApplyPrefabToInstances(const Prefab& prefab, GameObject& root, const PrefabManager& manager);

// Whether building the prefab named from would build the one named target (itself or through
// AutoCreate entries, at any depth): such an entry would recurse without end.
bool PrefabReaches(const PrefabManager& manager, const std::string& from, const std::string& target);
