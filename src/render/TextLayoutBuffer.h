#pragma once

#include <vector>

#include "components/TextLine.h"

// Line storage reused by every text the renderer lays out, so layout allocates nothing once warm.
struct TextLayoutBuffer {
    std::vector<TextLine> Lines;
};
