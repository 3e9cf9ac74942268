#include "runtime/movie/render/OutlineCache.h"

#include <algorithm>
#include <cmath>

#include "runtime/movie/render/Outline.h"

namespace yelvanis::swf::render {

namespace {

// Shapes kept whole: few segments, and not so magnified that flattening
// every curve (the drawn area no longer trims them) costs much more.
constexpr size_t kMostSegments = 4096;
constexpr size_t kMostBytes = size_t(1) << 20;

size_t bytesOf(const std::vector<Polygon>& polygons)
{
    size_t n = sizeof(polygons);
    for (const Polygon& p : polygons)
        n += sizeof(p) + p.size() * sizeof(Point);
    return n;
}

} // namespace

const KeptOutline* OutlineCache::shape(uint64_t id, const CachedShape& shape, const Matrix& t, double stageScale, int canvasSize)
{
    if (shape.segments > kMostSegments || !shape.bounds.valid)
        return nullptr;
    const double reach = maxScale(t) * std::max(shape.bounds.x1 - shape.bounds.x0, shape.bounds.y1 - shape.bounds.y0);
    if (!(reach <= 4.0 * canvasSize + 256))
        return nullptr;
    const Key key { id, t.a, t.b, t.c, t.d, stageScale };
    if (auto it = m_kept.find(key); it != m_kept.end())
        return &it->second;
    const Matrix linear { t.a, t.b, t.c, t.d, 0, 0 };
    KeptOutline kept;
    for (const ShapeLayer& layer : shape.geometry.layers) {
        for (const FillPath& f : layer.fills) {
            kept.paths.emplace_back();
            fillOutline(f.contours, linear, kept.paths.back());
            kept.bytes += bytesOf(kept.paths.back());
        }
        for (const StrokePath& s : layer.strokes) {
            kept.paths.emplace_back();
            strokeOutline(s, linear, stageScale, kept.paths.back());
            kept.bytes += bytesOf(kept.paths.back());
        }
    }
    if (kept.bytes > kMostBytes)
        return nullptr;
    if (m_bytes + kept.bytes > kBudget) {
        m_kept.clear();
        m_bytes = 0;
    }
    m_bytes += kept.bytes;
    return &m_kept.emplace(key, std::move(kept)).first->second;
}

} // namespace yelvanis::swf::render
