#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>

#include "reflection/PropertyProxyImpl.h"
#include "reflection/PropertyRegistrationImpl.h"

// The editable part of every component class (and of PrefabComponent): its named, typed
// properties, declared once in the constructor, drive prefab loading and saving, instantiation and
// the editor. T is one of the twelve value types: bool, int, float, std::string, Vector2, Color,
// Rect, Texture*, BitmapFont*, DrawLayer, TextXAlignment, TextYAlignment.
class IEditable {
public:
    IEditable() = default;
    virtual ~IEditable();
    IEditable(const IEditable&) = delete;
    IEditable& operator=(const IEditable&) = delete;

    // Registrations by key, in byte order: the order the editor lists and prefab files store them.
    std::map<std::string, std::unique_ptr<PropertyRegistration>> Properties;

    // The concrete class of this object; set by the registry's factory, null otherwise.
    const std::type_info* Type = nullptr;

    // Publishes *field under key. A later registration under the same key replaces the earlier.
    template <class T> void RegisterProperty(const std::string& key, T* field) {
        Properties[key] = std::make_unique<PropertyRegistrationImpl<T>>(field);
    }

    // Publishes a value read through getter and written through setter, both member functions
    // called on self (typically `this`): any callable with std::invoke(getter, self) convertible to
    // T and std::invoke(setter, self, T) valid, e.g. `T Get() const`, `const T& Get() const`,
    // `void Set(T)`, `void Set(const T&)`:
    //   RegisterProxyProperty<float>("Friction", this, &B2FixtureComponent::GetFriction,
    //                                &B2FixtureComponent::SetFriction);
    template <class T, class C, class Getter, class Setter>
    void RegisterProxyProperty(const std::string& key, C* self, Getter getter, Setter setter) {
        RegisterProxyProperty<T>(
            key, std::function<T()>([self, getter]() -> T { return std::invoke(getter, self); }),
            std::function<void(T)>([self, setter](T v) { std::invoke(setter, self, std::move(v)); }));
    }

    // The same with ready-made function objects.
    template <class T>
    void RegisterProxyProperty(const std::string& key, std::function<T()> getter,
                               std::function<void(T)> setter) {
        Properties[key] = std::make_unique<PropertyProxyImpl<T>>(std::move(getter), std::move(setter));
    }

    // The registration under key, or null.
    PropertyRegistration* FindProperty(const std::string& key) const;

    // Text of one sub-property of the property under key; empty when there is no such property or
    // sub-property.
    std::string GetPropertyText(const std::string& key, int subIndex = 0) const;

    // Writes one sub-property of the property under key from text (see SubProperty::SetText). Returns
    // whether a value was written.
    bool SetPropertyText(const std::string& key, int subIndex, const std::string& text);
};
