#include "reflection/PropertyRegistration.h"

void CopyValueAsText(PropertyRegistration& source, PropertyRegistration& target) {
    target.GetSubProperty("", 0).SetText(source.GetSubProperty("", 0).GetText());
}

SubProperty MakeSubProperty(ValueType type, const std::string& key, int index, void* value,
                            PropertyRegistration* proxy) {
    SubProperty sub;
    sub.PropertyName = key;
    sub.PropertyType = type;
    sub.ValueType = PartValueType(type);
    int count = PartCount(type);
    if (index < 0 || index >= count) {
        // Out of range: a view bound to nothing.
        sub.Index = index;
        sub.IsLast = true;
        return sub;
    }
    sub.Index = index;
    sub.IsLast = index == count - 1;
    sub.SubName = PartName(type, index);
    sub.Value = value;
    sub.Proxy = proxy;
    return sub;
}
