#pragma once

#include <cstdint>

// The 28-byte vertex the shaders take: position (x, y, depth, 1), tint as ARGB, texture coordinate.
struct Vertex {
    float x;
    float y;
    float z;
    float w;
    uint32_t color;
    float u;
    float v;
};
static_assert(sizeof(Vertex) == 28, "the vertex layout is 28 bytes");
