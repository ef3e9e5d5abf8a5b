#pragma once

#include <functional>
#include <memory>
#include <string>

#include "reflection/PropertyRegistration.h"

// A property read through Getter and written through Setter, both bound to the owning component;
// used where writing a value must do work (rebuild a fixture, re-lay out text). Holders and
// unbound registrations made from it are PropertyRegistrationImpl<T>.
template <class T> class PropertyProxyImpl final : public PropertyRegistration {
public:
    PropertyProxyImpl(std::function<T()> getter, std::function<void(T)> setter)
        : PropertyRegistration(ValueTypeOfV<T>, false, true), Getter(std::move(getter)),
          Setter(std::move(setter)) {}

    void CopyValueTo(PropertyRegistration& target) const override;
    std::unique_ptr<PropertyRegistration> CreateHolder() const override;
    std::unique_ptr<PropertyRegistration> CreateUnbound() const override;
    SubProperty GetSubProperty(const std::string& key, int index) override {
        return MakeSubProperty(Type, key, index, nullptr, this);
    }

    std::function<T()> Getter;
    std::function<void(T)> Setter;
};

// The member definitions live with PropertyRegistrationImpl, which they need.
#include "reflection/PropertyRegistrationImpl.h"
