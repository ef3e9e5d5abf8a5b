#pragma once

#include <memory>
#include <string>

#include "reflection/PropertyProxyImpl.h"
#include "reflection/PropertyRegistration.h"

// A property whose value lives at Value: a field of the owning object (OwnsValue false), owned
// storage (a holder, OwnsValue true), or nowhere (unbound, Value null).
template <class T> class PropertyRegistrationImpl final : public PropertyRegistration {
public:
    // Bound to a field the registration does not own (null: unbound).
    explicit PropertyRegistrationImpl(T* field) : PropertyRegistrationImpl(field, false) {}
    PropertyRegistrationImpl(T* value, bool ownsValue)
        : PropertyRegistration(ValueTypeOfV<T>, ownsValue, false), Value(value) {}

    // A holder owning storage initialised with value.
    static std::unique_ptr<PropertyRegistrationImpl> MakeHolder(const T& value = T{}) {
        return std::make_unique<PropertyRegistrationImpl>(new T(value), true);
    }

    ~PropertyRegistrationImpl() override {
        if (OwnsValue)
            delete Value;
    }

    void CopyValueTo(PropertyRegistration& target) const override;
    std::unique_ptr<PropertyRegistration> CreateHolder() const override;
    std::unique_ptr<PropertyRegistration> CreateUnbound() const override {
        return std::make_unique<PropertyRegistrationImpl>(nullptr);
    }
    SubProperty GetSubProperty(const std::string& key, int index) override {
        return MakeSubProperty(Type, key, index, Value, nullptr);
    }

    T* Value;
};

// A holder with the default value of T; a string holder for texture and font references.
template <class T> std::unique_ptr<PropertyRegistration> MakeDefaultHolder() {
    if constexpr (IsReferenceType(ValueTypeOfV<T>))
        return PropertyRegistrationImpl<std::string>::MakeHolder();
    else
        return PropertyRegistrationImpl<T>::MakeHolder();
}

// Stores value into target when target holds the same value type T (field, holder or setter).
// Returns false when the types differ or target is unbound.
template <class T> bool StoreValue(PropertyRegistration& target, const T& value) {
    if (target.Type != ValueTypeOfV<T>)
        return false;
    if (target.IsProxy) {
        auto& proxy = static_cast<PropertyProxyImpl<T>&>(target);
        if (!proxy.Setter)
            return false;
        proxy.Setter(value);
        return true;
    }
    auto& impl = static_cast<PropertyRegistrationImpl<T>&>(target);
    if (!impl.Value)
        return false;
    *impl.Value = value;
    return true;
}

template <class T> void PropertyRegistrationImpl<T>::CopyValueTo(PropertyRegistration& target) const {
    if (IsReferenceType(Type) || IsReferenceType(target.Type)) {
        CopyValueAsText(const_cast<PropertyRegistrationImpl&>(*this), target);
        return;
    }
    if (Value)
        StoreValue<T>(target, *Value);
}

template <class T> std::unique_ptr<PropertyRegistration> PropertyRegistrationImpl<T>::CreateHolder() const {
    return MakeDefaultHolder<T>();
}

template <class T> void PropertyProxyImpl<T>::CopyValueTo(PropertyRegistration& target) const {
    if (IsReferenceType(Type) || IsReferenceType(target.Type)) {
        CopyValueAsText(const_cast<PropertyProxyImpl&>(*this), target);
        return;
    }
    if (Getter)
        StoreValue<T>(target, Getter());
}

template <class T> std::unique_ptr<PropertyRegistration> PropertyProxyImpl<T>::CreateHolder() const {
    return MakeDefaultHolder<T>();
}

template <class T> std::unique_ptr<PropertyRegistration> PropertyProxyImpl<T>::CreateUnbound() const {
    return std::make_unique<PropertyRegistrationImpl<T>>(nullptr);
}
