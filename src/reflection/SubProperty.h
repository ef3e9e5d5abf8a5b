#pragma once

#include <string>

#include "reflection/ValueType.h"

class PropertyRegistration;

// A short-lived view of one scalar sub-property of one property, through which it is read and
// written as text. Valid only while the viewed registration (and its storage) lives.
class SubProperty {
public:
    SubProperty() = default;
    virtual ~SubProperty() = default;
    SubProperty(const SubProperty&) = default;
    SubProperty& operator=(const SubProperty&) = default;

    int Index = 0;
    bool IsLast = true;
    std::string SubName;      // "X", "Y", "Width", "Height", "A", "Rgb", or "" for simple types
    std::string PropertyName; // key of the viewed property
    ::ValueType ValueType = ::ValueType::Bool;    // type of this sub-property
    ::ValueType PropertyType = ::ValueType::Bool; // type of the whole property
    void* Value = nullptr;                        // the value's storage (field or holder), or null
    PropertyRegistration* Proxy = nullptr;        // the PropertyProxyImpl when getter/setter-bound, or null

    // The sub-property's text form. Empty when bound to nothing.
    std::string GetText() const;

    // Parses text into the sub-property. Text that does not parse leaves the value as it was; compound
    // values are read whole, changed in one sub-property and written back whole (through the setter for
    // a proxy). Returns whether the value was written.
    bool SetText(const std::string& text);
};
