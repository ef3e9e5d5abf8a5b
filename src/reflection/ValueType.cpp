#include "reflection/ValueType.h"

int SubPropertyCount(ValueType t) {
    switch (t) {
    case ValueType::Vector2:
    case ValueType::Color:
        return 2;
    case ValueType::Rect:
        return 4;
    default:
        return 1;
    }
}

const char* SubPropertyName(ValueType t, int index) {
    static constexpr const char* RectSubNames[] = {"X", "Y", "Width", "Height"};
    static constexpr const char* ColorSubNames[] = {"A", "Rgb"};
    if (index < 0 || index >= SubPropertyCount(t))
        return "";
    switch (t) {
    case ValueType::Vector2:
    case ValueType::Rect:
        return RectSubNames[index];
    case ValueType::Color:
        return ColorSubNames[index];
    default:
        return "";
    }
}

ValueType SubPropertyType(ValueType t) {
    switch (t) {
    case ValueType::Vector2:
    case ValueType::Rect:
        return ValueType::Float;
    case ValueType::Color:
        return ValueType::String;
    default:
        return t;
    }
}
