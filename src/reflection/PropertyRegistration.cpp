#include "reflection/PropertyRegistration.h"

#include "core/Service.h"
#include "reflection/PropertyRegistrationImpl.h"
#include "reflection/ResourceLookup.h"

namespace {

// A held name into a texture or font reference, as the text path would do it (a name that finds
// nothing writes nothing) without making the text views. False when the text path must do it: the
// source is no held name, or one with a newline, whose text form differs from the name.
bool CopyNameToReference(const PropertyRegistration& source, PropertyRegistration& target) {
    if (source.Type != ValueType::String || source.IsProxy) {
        return false;
    }
    const std::string* name = static_cast<const PropertyRegistrationImpl<std::string>&>(source).Value;
    if (!name || name->find('\n') != std::string::npos) {
        return false;
    }
    if (target.Type == ValueType::Texture) {
        const TextureLookup* lookup = Service<TextureLookup>::TryGet();
        if (Texture* found = lookup ? lookup->FindTexture(*name) : nullptr) {
            StoreValue<Texture*>(target, found);
        }
        return true;
    }
    if (target.Type == ValueType::BitmapFont) {
        const FontLookup* lookup = Service<FontLookup>::TryGet();
        if (BitmapFont* found = lookup ? lookup->FindFont(*name) : nullptr) {
            StoreValue<BitmapFont*>(target, found);
        }
        return true;
    }
    return false;
}

} // namespace

void CopyValueAsText(PropertyRegistration& source, PropertyRegistration& target) {
    if (CopyNameToReference(source, target)) {
        return;
    }
    target.GetSubProperty("", 0).SetText(source.GetSubProperty("", 0).GetText());
}

SubProperty MakeSubProperty(ValueType type, const std::string& key, int index, void* value,
                            PropertyRegistration* proxy) {
    SubProperty sub;
    sub.PropertyName = key;
    sub.PropertyType = type;
    sub.ValueType = SubPropertyType(type);
    int count = SubPropertyCount(type);
    if (index < 0 || index >= count) {
        // Out of range: a view bound to nothing.
        sub.Index = index;
        sub.IsLast = true;
        return sub;
    }
    sub.Index = index;
    sub.IsLast = index == count - 1;
    sub.SubName = SubPropertyName(type, index);
    sub.Value = value;
    sub.Proxy = proxy;
    return sub;
}
