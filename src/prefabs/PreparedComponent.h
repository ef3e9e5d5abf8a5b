#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "reflection/ComponentRegistry.h"

class Component;
class IEditable;
class PrefabComponent;
class PropertyRegistration;

// What applying one prefab component needs, worked out once from its class: the factory, and for
// each recorded value the place of the matching registration among those of a fresh instance, so
// that building an object copies values without looking a class or a property up by name. The
// values themselves stay in the prefab component's holders, so an edit of a value needs no rebuild;
// an edit that adds, removes or replaces a holder does (Matches).
class PreparedComponent {
public:
    // Throws UnregisteredClassError for a class name never registered.
    PreparedComponent(const ComponentRegistry& registry, const PrefabComponent& recorded);

    // Whether this still describes recorded: the same class and the same holders in the same order.
    bool Matches(const PrefabComponent& recorded) const;

    const ComponentRegistry::Entry& Class() const { return *class_; }
    // False for a class whose instances are no components (they are never attached).
    bool MakesComponents() const { return makesComponents_; }

    // A new detached instance of the class, also seen as the component it is (the caller owns it
    // through component); null when the class makes no components.
    IEditable* Create(Component*& component) const;

    // Copies the recorded values into target, an instance of the class.
    void Apply(IEditable& target) const;

private:
    struct Value {
        const PropertyRegistration* Holder = nullptr;
        const std::string* Key = nullptr; // the holder's key, for an instance whose registrations differ
        size_t Step = 0;                  // registrations to advance past from the previous value's
    };

    const ComponentRegistry::Entry* class_ = nullptr;
    std::string className_;
    bool makesComponents_ = false;
    size_t registrations_ = 0; // how many a fresh instance has
    std::vector<const PropertyRegistration*> holders_;
    std::vector<Value> values_; // the holders whose key the class has, in key order
};
