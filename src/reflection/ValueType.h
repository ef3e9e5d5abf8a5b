#pragma once

#include <string>

#include "core/Color.h"
#include "core/DrawLayer.h"
#include "core/Rect.h"
#include "core/TextAlignment.h"
#include "core/Vector2.h"

class Texture;
class BitmapFont;

// The twelve value types a property can have. Texture and BitmapFont properties are non-owning
// references (Texture*, BitmapFont*) named in text by their resource names.
enum class ValueType {
    Bool,
    Int,
    Float,
    String,
    Vector2,
    Color,
    Rect,
    Texture,
    BitmapFont,
    DrawLayer,
    TextXAlignment,
    TextYAlignment,
};

template <class T> struct ValueTypeOf; // only the twelve value types have one

template <> struct ValueTypeOf<bool> { static constexpr ValueType value = ValueType::Bool; };
template <> struct ValueTypeOf<int> { static constexpr ValueType value = ValueType::Int; };
template <> struct ValueTypeOf<float> { static constexpr ValueType value = ValueType::Float; };
template <> struct ValueTypeOf<std::string> { static constexpr ValueType value = ValueType::String; };
template <> struct ValueTypeOf<Vector2> { static constexpr ValueType value = ValueType::Vector2; };
template <> struct ValueTypeOf<Color> { static constexpr ValueType value = ValueType::Color; };
template <> struct ValueTypeOf<Rect> { static constexpr ValueType value = ValueType::Rect; };
template <> struct ValueTypeOf<Texture*> { static constexpr ValueType value = ValueType::Texture; };
template <> struct ValueTypeOf<BitmapFont*> { static constexpr ValueType value = ValueType::BitmapFont; };
template <> struct ValueTypeOf<DrawLayer> { static constexpr ValueType value = ValueType::DrawLayer; };
template <> struct ValueTypeOf<TextXAlignment> {
    static constexpr ValueType value = ValueType::TextXAlignment;
};
template <> struct ValueTypeOf<TextYAlignment> {
    static constexpr ValueType value = ValueType::TextYAlignment;
};

template <class T> inline constexpr ValueType ValueTypeOfV = ValueTypeOf<T>::value;

constexpr bool IsReferenceType(ValueType t) {
    return t == ValueType::Texture || t == ValueType::BitmapFont;
}

// Number of scalar sub-properties a value of the type is split into in text: 2 for Vector2 ("X", "Y") and
// Color ("A", "Rgb"), 4 for Rect ("X", "Y", "Width", "Height"), 1 (unnamed) for the rest.
int SubPropertyCount(ValueType t);

// The sub-property's name, "" for the single sub-property of a simple type or an index out of range.
const char* SubPropertyName(ValueType t, int index);

// The type of one sub-property: float for Vector2 and Rect, string for Color, else t itself.
ValueType SubPropertyType(ValueType t);
