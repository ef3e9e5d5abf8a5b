#include "reflection/SubProperty.h"

#include "core/Service.h"
#include "reflection/PropertyProxyImpl.h"
#include "reflection/PropertyText.h"
#include "reflection/ResourceLookup.h"

namespace {

// The whole value of the viewed property, through the getter for a proxy.
template <class T> T Read(const SubProperty& sub) {
    if (sub.Proxy) {
        auto* proxy = static_cast<PropertyProxyImpl<T>*>(sub.Proxy);
        return proxy->Getter ? proxy->Getter() : T{};
    }
    return *static_cast<const T*>(sub.Value);
}

// Writes the whole value back at once, through the setter for a proxy.
template <class T> bool Write(const SubProperty& sub, const T& value) {
    if (sub.Proxy) {
        auto* proxy = static_cast<PropertyProxyImpl<T>*>(sub.Proxy);
        if (!proxy->Setter)
            return false;
        proxy->Setter(value);
        return true;
    }
    *static_cast<T*>(sub.Value) = value;
    return true;
}

float& FloatAt(Vector2& v, int index) {
    return index == 0 ? v.x : v.y;
}

float& FloatAt(Rect& r, int index) {
    switch (index) {
    case 0:
        return r.x;
    case 1:
        return r.y;
    case 2:
        return r.width;
    default:
        return r.height;
    }
}

template <class Compound> bool SetFloatAt(const SubProperty& sub, const std::string& text) {
    auto f = PropertyText::ParseFloat(text);
    if (!f)
        return false;
    Compound value = Read<Compound>(sub);
    FloatAt(value, sub.Index) = *f;
    return Write(sub, value);
}

std::string TextureName(const Texture* texture) {
    const TextureLookup* lookup = Service<TextureLookup>::TryGet();
    return texture && lookup ? lookup->TextureName(*texture) : std::string();
}

std::string FontName(const BitmapFont* font) {
    const FontLookup* lookup = Service<FontLookup>::TryGet();
    return font && lookup ? lookup->FontName(*font) : std::string();
}

} // namespace

std::string SubProperty::GetText() const {
    if (!Value && !Proxy)
        return {};
    using namespace PropertyText;
    switch (PropertyType) {
    case ::ValueType::Bool:
        return FormatBool(Read<bool>(*this));
    case ::ValueType::Int:
        return FormatInt(Read<int>(*this));
    case ::ValueType::Float:
        return FormatFloat(Read<float>(*this));
    case ::ValueType::String:
        return EscapeNewlines(Read<std::string>(*this));
    case ::ValueType::Vector2: {
        Vector2 v = Read<Vector2>(*this);
        return FormatFloat(FloatAt(v, Index));
    }
    case ::ValueType::Rect: {
        Rect r = Read<Rect>(*this);
        return FormatFloat(FloatAt(r, Index));
    }
    case ::ValueType::Color: {
        Color c = Read<Color>(*this);
        return Index == 0 ? FormatAlpha(c.a) : FormatRgb(c.r, c.g, c.b);
    }
    case ::ValueType::Texture:
        return TextureName(Read<Texture*>(*this));
    case ::ValueType::BitmapFont:
        return FontName(Read<BitmapFont*>(*this));
    case ::ValueType::DrawLayer:
        return DrawLayerName(Read<DrawLayer>(*this));
    case ::ValueType::TextXAlignment:
        return TextXAlignmentName(Read<TextXAlignment>(*this));
    case ::ValueType::TextYAlignment:
        return TextYAlignmentName(Read<TextYAlignment>(*this));
    }
    return {};
}

bool SubProperty::SetText(const std::string& text) {
    if (!Value && !Proxy)
        return false;
    using namespace PropertyText;
    switch (PropertyType) {
    case ::ValueType::Bool:
        return Write(*this, ParseBool(text));
    case ::ValueType::Int: {
        auto v = ParseInt(text);
        return v && Write(*this, *v);
    }
    case ::ValueType::Float: {
        auto v = ParseFloat(text);
        return v && Write(*this, *v);
    }
    case ::ValueType::String:
        return Write(*this, UnescapeNewlines(text));
    case ::ValueType::Vector2:
        return SetFloatAt<Vector2>(*this, text);
    case ::ValueType::Rect:
        return SetFloatAt<Rect>(*this, text);
    case ::ValueType::Color: {
        Color c = Read<Color>(*this);
        if (Index == 0) {
            auto alpha = ParseAlpha(text);
            if (!alpha)
                return false;
            c.a = *alpha;
        } else {
            auto rgb = ParseRgb(text);
            if (!rgb)
                return false;
            c.r = static_cast<uint8_t>(*rgb >> 16);
            c.g = static_cast<uint8_t>(*rgb >> 8);
            c.b = static_cast<uint8_t>(*rgb);
        }
        return Write(*this, c);
    }
    case ::ValueType::Texture: {
        const TextureLookup* lookup = Service<TextureLookup>::TryGet();
        Texture* found = lookup ? lookup->FindTexture(text) : nullptr;
        return found && Write(*this, found);
    }
    case ::ValueType::BitmapFont: {
        const FontLookup* lookup = Service<FontLookup>::TryGet();
        BitmapFont* found = lookup ? lookup->FindFont(text) : nullptr;
        return found && Write(*this, found);
    }
    case ::ValueType::DrawLayer: {
        auto v = ParseDrawLayer(text);
        return v && Write(*this, *v);
    }
    case ::ValueType::TextXAlignment:
        return Write(*this, ParseTextXAlignment(text));
    case ::ValueType::TextYAlignment:
        return Write(*this, ParseTextYAlignment(text));
    }
    return false;
}
