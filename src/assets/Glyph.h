#pragma once

// One character of a bitmap font; every value is divided by the page size given in the font file
// (horizontal ones by its width, vertical ones by its height). All zeros for a missing character.
struct Glyph {
    int id = 0;
    float x = 0.0f; // rectangle in the page: directly texture coordinates
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float xoffset = 0.0f;
    float yoffset = 0.0f;
    float xadvance = 0.0f;
};
