#pragma once

#include <memory>
#include <string>
#include <vector>

#include "prefabs/PrefabComponent.h"

class Prefab;

// One child built together with its owner prefab.
class AutoCreate {
public:
    virtual ~AutoCreate() = default;

    Prefab* Owner = nullptr; // the prefab holding this entry
    std::string Name;        // the child's name; empty: the child is named after its prefab
    std::string PrefabName;  // the prefab the child is built from
    // Applied after the child is built: to its first component of each class, or a new one.
    std::vector<std::unique_ptr<PrefabComponent>> InstanceProperties;
};
