#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "reflection/IEditable.h"

// A class name that was never registered was asked for.
class UnregisteredClassError : public std::out_of_range {
public:
    explicit UnregisteredClassError(const std::string& name)
        : std::out_of_range("unregistered class \"" + name + "\""), Name(name) {}
    std::string Name;
};

// Component classes by name: a factory making a detached default instance, the class identity, and
// one prototype instance per class that answers property questions (keys, types, defaults).
// Filled once at start-up by the subsystems' Register...Classes functions, then BuildPrototypes;
// never changed afterwards. Names are ordered byte-wise.
class ComponentRegistry {
public:
    using Factory = std::function<std::unique_ptr<IEditable>()>;
    struct Entry {
        Factory Create;
        const std::type_info* Identity = nullptr;
    };

    ComponentRegistry() = default;
    ComponentRegistry(const ComponentRegistry&) = delete;
    ComponentRegistry& operator=(const ComponentRegistry&) = delete;

    // Registers T (default-constructible, derived from IEditable) under name; its factory sets the
    // instance's Type to typeid(T). Registering a name again replaces the entry.
    template <class T> void Register(const std::string& name) {
        Entry entry;
        entry.Identity = &typeid(T);
        entry.Create = []() -> std::unique_ptr<IEditable> {
            auto instance = std::make_unique<T>();
            instance->Type = &typeid(T);
            return instance;
        };
        entries_[name] = std::move(entry);
    }

    // Registers T under its own ClassName, the one place the class's name is spelled.
    template <class T> void Register() { Register<T>(T::ClassName); }

    // Makes one instance of every class, in name order. Component constructors must work without an
    // owner or a tree.
    void BuildPrototypes();

    bool Contains(const std::string& name) const { return entries_.count(name) != 0; }

    // These throw UnregisteredClassError for a name never registered.
    std::unique_ptr<IEditable> Create(const std::string& name) const;
    const std::type_info* GetClassIdentity(const std::string& name) const;
    // The entry itself: it stays where it is for the registry's life (a later Register of the same
    // name replaces its contents in place).
    const Entry& GetEntry(const std::string& name) const;
    // Valid after BuildPrototypes.
    IEditable& GetPrototype(const std::string& name) const;

    // The registered name whose identity is type, or "" when none.
    std::string FindName(const std::type_info& type) const;

    // Registered names in byte order (the editor's component picker).
    std::vector<std::string> GetNames() const;
    const std::map<std::string, Entry>& Entries() const { return entries_; }

    // Deletes the prototypes (before the prefabs and the registry go at shutdown).
    void ClearPrototypes() { prototypes_.clear(); }

private:
    std::map<std::string, Entry> entries_;
    std::map<std::string, std::unique_ptr<IEditable>> prototypes_;
};
