#pragma once

// Device outlines kept from frame to frame. Most objects of a playing movie
// only move, and an outline flattened and stroked under the same scale,
// rotation and skew is the same outline moved: it is kept with no
// translation and moved while it is rasterized. No Qt here.

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "runtime/movie/PixelRaster.h"
#include "runtime/movie/render/ShapeCache.h"

namespace yelvanis::swf::render {

// Each fill's polygons, then each stroke's, layer after layer, as the
// shape lists them.
struct KeptOutline {
    std::vector<std::vector<Polygon>> paths;
    size_t bytes = 0;
};

class OutlineCache {
public:
    // The outline of `shape` (character `id` at `ratio`, or a glyph) under
    // t's linear part, or null when it is too large to keep: the caller
    // then builds it for the area drawn, as before. Building is O(p) in the
    // points it holds, which the size checks bound; a lookup O(log n).
    const KeptOutline* shape(uint64_t id, const CachedShape& shape, const Matrix& t, double stageScale, int canvasSize);
    static uint64_t shapeKey(uint16_t id, uint16_t ratio) { return (uint64_t(id) << 16) | ratio; }
    static uint64_t glyphKey(uint16_t fontId, uint32_t index) { return (uint64_t(1) << 63) | (uint64_t(fontId) << 32) | index; }

    // Past it every kept outline is dropped and built again when drawn.
    static constexpr size_t kBudget = size_t(16) << 20;

private:
    struct Key {
        uint64_t id;
        double a, b, c, d, stageScale;
        bool operator<(const Key& o) const
        {
            return std::tie(id, a, b, c, d, stageScale) < std::tie(o.id, o.a, o.b, o.c, o.d, o.stageScale);
        }
    };
    std::map<Key, KeptOutline> m_kept;
    size_t m_bytes = 0;
};

} // namespace yelvanis::swf::render
