#pragma once

#include <memory>
#include <string>
#include <vector>

#include "prefabs/AutoCreate.h"
#include "prefabs/PrefabComponent.h"

// The template of one GameObject: its components with the values the file sets (everything else
// keeps each class's defaults) and the children to build with it.
class Prefab {
public:
    virtual ~Prefab() = default;

    std::string Name; // equals the file name without extension and the key in the manager
    std::vector<std::unique_ptr<PrefabComponent>> Components; // created in this order
    std::vector<std::unique_ptr<AutoCreate>> AutoCreates;     // children built in this order
    bool Dirty = false;                                       // changed by the editor since loading or saving
};
