#include "platform/Letterbox.h"

#include <algorithm>
#include <cmath>

Letterbox Letterbox::Fit(int windowWidth, int windowHeight, int logicalWidth, int logicalHeight) {
    Letterbox box;
    if (windowWidth <= 0 || windowHeight <= 0 || logicalWidth <= 0 || logicalHeight <= 0) {
        return box;
    }
    const int whole = std::min(windowWidth / logicalWidth, windowHeight / logicalHeight);
    if (whole >= 1) {
        box.Width = logicalWidth * whole;
        box.Height = logicalHeight * whole;
    } else {
        // Smaller than the logical screen: keep the aspect, touch the tighter pair of edges.
        const double scale = std::min(static_cast<double>(windowWidth) / logicalWidth,
                                      static_cast<double>(windowHeight) / logicalHeight);
        box.Width = std::clamp(static_cast<int>(std::lround(logicalWidth * scale)), 1, windowWidth);
        box.Height = std::clamp(static_cast<int>(std::lround(logicalHeight * scale)), 1, windowHeight);
    }
    box.X = (windowWidth - box.Width) / 2;
    box.Y = (windowHeight - box.Height) / 2;
    return box;
}

void Letterbox::ToLogical(float x, float y, int logicalWidth, int logicalHeight, float& logicalX,
                          float& logicalY) const {
    if (Width <= 0 || Height <= 0) {
        logicalX = x;
        logicalY = y;
        return;
    }
    logicalX = std::floor((x - static_cast<float>(X)) * static_cast<float>(logicalWidth) /
                          static_cast<float>(Width));
    logicalY = std::floor((y - static_cast<float>(Y)) * static_cast<float>(logicalHeight) /
                          static_cast<float>(Height));
}
