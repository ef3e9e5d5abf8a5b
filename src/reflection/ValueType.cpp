#include "reflection/ValueType.h"

int PartCount(ValueType t) {
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

const char* PartName(ValueType t, int index) {
    static constexpr const char* RectParts[] = {"X", "Y", "Width", "Height"};
    static constexpr const char* ColorParts[] = {"A", "Rgb"};
    if (index < 0 || index >= PartCount(t))
        return "";
    switch (t) {
    case ValueType::Vector2:
    case ValueType::Rect:
        return RectParts[index];
    case ValueType::Color:
        return ColorParts[index];
    default:
        return "";
    }
}

ValueType PartValueType(ValueType t) {
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
