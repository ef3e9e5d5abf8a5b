#pragma once

#include <memory>
#include <string>

#include "reflection/SubProperty.h"
#include "reflection/ValueType.h"

// One named property of an IEditable: where its value lives and how to read and write it.
// Concrete forms: PropertyRegistrationImpl<T> (a field, or owned storage) and PropertyProxyImpl<T>
// (a bound getter/setter pair).
class PropertyRegistration {
public:
    PropertyRegistration(ValueType type, bool ownsValue, bool isProxy)
        : Type(type), OwnsValue(ownsValue), IsProxy(isProxy) {}
    virtual ~PropertyRegistration() = default;
    PropertyRegistration(const PropertyRegistration&) = delete;
    PropertyRegistration& operator=(const PropertyRegistration&) = delete;

    // Copies this value into target: directly when both sides have the same value type and neither
    // is a texture or font reference; through the text of sub-property 0 when either side is a reference
    // (so a text holder resolves a texture by name). A mismatch of other types copies nothing.
    virtual void CopyValueTo(PropertyRegistration& target) const = 0;

    // A new registration owning storage with the type's default value. Texture and font
    // references get a string holder instead, so prefabs keep them by name.
    virtual std::unique_ptr<PropertyRegistration> CreateHolder() const = 0;

    // A new PropertyRegistrationImpl of the same value type bound to no storage.
    virtual std::unique_ptr<PropertyRegistration> CreateUnbound() const = 0;

    // A view of one scalar sub-property of the value (0 .. SubPropertyCount(Type) - 1). An index out of range
    // gives a view bound to nothing: empty text, writes ignored, IsLast set.
    virtual SubProperty GetSubProperty(const std::string& key, int index) = 0;

    const ValueType Type; // the value type, one of the twelve
    const bool OwnsValue; // storage is owned and deleted with the registration
    const bool IsProxy;   // a PropertyProxyImpl (getter/setter) rather than a PropertyRegistrationImpl
};

// The text path of CopyValueTo: sub-property 0 of source read as text, written into sub-property 0 of target.
void CopyValueAsText(PropertyRegistration& source, PropertyRegistration& target);

// Builds the view of sub-property index of a property of type type; value or proxy (one of them) binds it.
SubProperty MakeSubProperty(ValueType type, const std::string& key, int index, void* value,
                            PropertyRegistration* proxy);
