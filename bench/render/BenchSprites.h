#pragma once

#include <cstdint>
#include <vector>

#include "core/Color.h"
#include "core/Vector2.h"

// The sprites every renderer in the benchmark draws: 8-pixel (half-unit) images from one 256 x 256
// atlas of 64 images, laid out in rows over the World view, each turned and tinted differently.
struct BenchSprite {
    Vector2 Pos;    // world units, y up; the World camera shows 60 x 45 units at 16 pixels each
    float Rotation; // radians, counter-clockwise
    Color Tint;
    int Image; // 0..63: column Image % 8, row Image / 8, each image 8 x 8 pixels at a 32-pixel pitch
};

inline constexpr int BenchAtlasSize = 256;
inline constexpr int BenchImagePitch = 32;
inline constexpr int BenchImagePixels = 8;
inline constexpr float BenchSpriteUnits = 0.5f;
inline constexpr float BenchPixelsPerUnit = 16.0f;

// Frames drawn by each run of a renderer that draws (OpenGL, SDL_Renderer), and runs of each,
// interleaved: enough for a steady figure when a frame takes most of a second.
inline constexpr int BenchDrawnFrames = 6;
inline constexpr int BenchDrawnRepetitions = 2;
// The game-shaped window frame (WindowFrameBench.cpp) is a few milliseconds: more frames a run.
inline constexpr int WindowFrames = 30;

inline std::vector<BenchSprite> MakeBenchSprites(int count) {
    std::vector<BenchSprite> sprites;
    sprites.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        BenchSprite s;
        s.Pos = {static_cast<float>(i % 120) * 0.5f, -static_cast<float>(i / 120 % 90) * 0.5f};
        s.Rotation = static_cast<float>(i % 360) * 0.0174533f;
        s.Tint = {255, static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7), 230};
        s.Image = i % 64;
        sprites.push_back(s);
    }
    return sprites;
}

// The atlas texels: an opaque grey, so every pixel of every quad is drawn and blended.
inline std::vector<uint8_t> MakeBenchAtlasPixels() {
    return std::vector<uint8_t>(static_cast<size_t>(BenchAtlasSize) * BenchAtlasSize * 4, 200);
}
