#pragma once

#include <cstdint>

// One drawing pass per bit, drawn in ascending bit order.
enum class DrawLayer : int32_t {
    World = 1,
    Ui = 2,
    Editor = 4,
    EditorText = 8,
    Editor2 = 16,
    EditorText2 = 32,
};

inline constexpr int DrawLayerCount = 6;
