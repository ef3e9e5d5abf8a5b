#include "PixelCanvas.h"

#include "Image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelvane::artgen {

PixelCanvas::PixelCanvas(int width, int height)
    : width_(width), height_(height), cells_(static_cast<std::size_t>(width) * height) {}

void PixelCanvas::set(int x, int y, Mat material, int shade) {
    if (inside(x, y)) {
        Cell& c = cell(x, y);
        c.material = static_cast<int>(material);
        c.shade = std::clamp(shade, 0, 3);
        c.direct = false;
    }
}

void PixelCanvas::setColor(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    if (inside(x, y)) {
        Cell& c = cell(x, y);
        c.material = static_cast<int>(Mat::Light);
        c.direct = true;
        c.rgba[0] = r;
        c.rgba[1] = g;
        c.rgba[2] = b;
        c.rgba[3] = a;
    }
}

void PixelCanvas::clear(int x, int y) {
    if (inside(x, y)) {
        cell(x, y) = Cell{};
    }
}

bool PixelCanvas::filled(int x, int y) const {
    return inside(x, y) && cell(x, y).material >= 0;
}

Mat PixelCanvas::material(int x, int y) const {
    return inside(x, y) ? static_cast<Mat>(cell(x, y).material) : Mat::None;
}

int PixelCanvas::shade(int x, int y) const {
    return inside(x, y) ? cell(x, y).shade : 0;
}

void PixelCanvas::adjust(int x, int y, int delta) {
    if (filled(x, y) && !cell(x, y).direct) {
        cell(x, y).shade = std::clamp(cell(x, y).shade + delta, 0, 3);
    }
}

void PixelCanvas::fillRect(int x, int y, int w, int h, Mat material, int shade) {
    for (int yy = y; yy < y + h; ++yy) {
        for (int xx = x; xx < x + w; ++xx) {
            set(xx, yy, material, shade);
        }
    }
}

void PixelCanvas::fillEllipse(double cx, double cy, double rx, double ry, Mat material, int shade) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            double dx = (x + 0.5 - cx) / rx;
            double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                set(x, y, material, shade);
            }
        }
    }
}

void PixelCanvas::paintEllipse(double cx, double cy, double rx, double ry, Mat material, int shade) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            double dx = (x + 0.5 - cx) / rx;
            double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0 && filled(x, y)) {
                set(x, y, material, shade);
            }
        }
    }
}

void PixelCanvas::line(int x0, int y0, int x1, int y1, Mat material, int shade) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        set(x0, y0, material, shade);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::fillPolygon(const std::vector<std::pair<double, double>>& points, Mat material, int shade) {
    for (int y = 0; y < height_; ++y) {
        double py = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < points.size(); ++i) {
            auto [ax, ay] = points[i];
            auto [bx, by] = points[(i + 1) % points.size()];
            if ((ay <= py && by > py) || (by <= py && ay > py)) {
                crossings.push_back(ax + (py - ay) / (by - ay) * (bx - ax));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5)); x + 0.5 <= crossings[i + 1]; ++x) {
                set(x, y, material, shade);
            }
        }
    }
}

void PixelCanvas::shadeEdges() {
    std::vector<int> delta(cells_.size(), 0);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!filled(x, y) || material(x, y) == Mat::Outline) {
                continue;
            }
            int d = 0;
            if (!filled(x, y - 1) || !filled(x - 1, y)) {
                d += 1;
            }
            if (!filled(x, y + 1) || !filled(x + 1, y)) {
                d -= 1;
            }
            delta[static_cast<std::size_t>(y) * width_ + x] = d;
        }
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            adjust(x, y, delta[static_cast<std::size_t>(y) * width_ + x]);
        }
    }
}

void PixelCanvas::outline(Mat material, int shade) {
    std::vector<std::pair<int, int>> ring;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!filled(x, y) &&
                (filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1))) {
                ring.emplace_back(x, y);
            }
        }
    }
    for (auto [x, y] : ring) {
        set(x, y, material, shade);
    }
}

void PixelCanvas::mirrorX() {
    for (int y = 0; y < height_; ++y) {
        std::reverse(cells_.begin() + static_cast<std::ptrdiff_t>(y) * width_,
                     cells_.begin() + static_cast<std::ptrdiff_t>(y + 1) * width_);
    }
}

assetwright::Image PixelCanvas::toImage() const {
    assetwright::Image image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Cell& c = cell(x, y);
            std::uint8_t* px = image.at(x, y);
            if (c.direct) {
                std::copy(c.rgba, c.rgba + 4, px);
            } else if (c.material >= 0) {
                const Rgb& rgb = ramp(static_cast<Mat>(c.material))[static_cast<std::size_t>(c.shade)];
                px[0] = rgb.r;
                px[1] = rgb.g;
                px[2] = rgb.b;
                px[3] = 255;
            }
        }
    }
    return image;
}

} // namespace kelvane::artgen
