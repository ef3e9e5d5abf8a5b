#pragma once

#include <memory>
#include <string>

#include "prefabs/PreparedComponent.h"
#include "reflection/IEditable.h"

// One component of a prefab (or of an AutoCreate's overrides): the class to create and the property
// values to give it, held by name in holder registrations. Never attached to an object.
class PrefabComponent : public IEditable {
public:
    std::string ClassName; // registered class name, also the component's key in the file

    // How to apply it without name lookups; made on first use, remade when the holders change.
    mutable std::unique_ptr<PreparedComponent> Prepared;
};
