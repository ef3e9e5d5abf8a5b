#include "RectPacker.h"

#include <stb_rect_pack.h>

#include <algorithm>
#include <utility>

namespace kelvane::assetwright {

namespace {
// Sheet sizes worth trying, smallest area first; wide sheets at most twice as wide as tall.
std::vector<std::pair<int, int>> candidateSheets(long long area, int maxSide, bool squareOnly) {
    std::vector<std::pair<int, int>> sheets;
    for (int h = 1; h <= maxSide; h *= 2) {
        for (int w = h; w <= maxSide && w <= h * 2; w *= 2) {
            if (squareOnly && w != h) {
                continue;
            }
            if (static_cast<long long>(w) * h >= area) {
                sheets.emplace_back(w, h);
            }
        }
    }
    std::sort(sheets.begin(), sheets.end(), [](const auto& a, const auto& b) {
        long long areaA = static_cast<long long>(a.first) * a.second;
        long long areaB = static_cast<long long>(b.first) * b.second;
        return areaA != areaB ? areaA < areaB : a.first < b.first;
    });
    return sheets;
}

bool tryPack(const std::vector<PackSize>& sizes, int w, int h, std::vector<PackPlacement>& out) {
    std::vector<stbrp_node> nodes(static_cast<std::size_t>(w));
    stbrp_context context;
    stbrp_init_target(&context, w, h, nodes.data(), w);
    std::vector<stbrp_rect> rects(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        rects[i] = stbrp_rect{};
        rects[i].id = static_cast<int>(i);
        rects[i].w = sizes[i].width;
        rects[i].h = sizes[i].height;
    }
    if (stbrp_pack_rects(&context, rects.data(), static_cast<int>(rects.size())) == 0) {
        return false;
    }
    out.assign(sizes.size(), PackPlacement{});
    for (const stbrp_rect& r : rects) {
        out[static_cast<std::size_t>(r.id)] = PackPlacement{r.x, r.y};
    }
    return true;
}
} // namespace

bool packRects(const std::vector<PackSize>& sizes, int maxSide, bool squareOnly, PackResult& result) {
    long long area = 0;
    for (const PackSize& s : sizes) {
        if (s.width > maxSide || s.height > maxSide) {
            return false;
        }
        area += static_cast<long long>(s.width) * s.height;
    }
    for (const auto& [w, h] : candidateSheets(std::max(area, 1LL), maxSide, squareOnly)) {
        if (tryPack(sizes, w, h, result.placements)) {
            result.sheetWidth = w;
            result.sheetHeight = h;
            return true;
        }
    }
    return false;
}

} // namespace kelvane::assetwright
