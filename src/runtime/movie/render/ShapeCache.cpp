#include "runtime/movie/render/ShapeCache.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf::render {

void Bounds::include(Point p)
{
    if (!valid) {
        *this = { p.x, p.y, p.x, p.y, true };
        return;
    }
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
}

void Bounds::include(const Bounds& b)
{
    if (b.valid) {
        include(Point { b.x0, b.y0 });
        include(Point { b.x1, b.y1 });
    }
}

namespace {

// Bounds through the control points, and how far the segments run across
// and down: what scanline filling them costs, once scaled to the device.
void measure(CachedShape& shape, const Contour& c)
{
    for (const Segment& s : c) {
        const Point via = s.curve ? s.control : s.to;
        shape.spanX += std::abs(via.x - s.from.x) + std::abs(s.to.x - via.x);
        shape.spanY += std::abs(via.y - s.from.y) + std::abs(s.to.y - via.y);
        shape.bounds.include(s.from);
        shape.bounds.include(via);
        shape.bounds.include(s.to);
    }
    shape.segments += c.size();
    shape.bytes += c.size() * sizeof(Segment) + sizeof(Contour);
}

} // namespace

CachedShape cacheShape(ShapeGeometry geometry)
{
    CachedShape out;
    for (const ShapeLayer& layer : geometry.layers) {
        for (const FillPath& f : layer.fills)
            for (const Contour& c : f.contours)
                measure(out, c);
        for (const StrokePath& s : layer.strokes) {
            for (const Contour& c : s.parts)
                measure(out, c);
            // A miter reaches its limit times the width out; caps and hairlines less.
            out.strokeReach = std::max(out.strokeReach, s.style.width * std::max(1.0, s.style.miterLimit));
        }
        out.bytes += sizeof(layer) + 64;
    }
    out.geometry = std::move(geometry);
    return out;
}

const CachedShape* ShapeCache::shape(uint16_t id, uint16_t ratio)
{
    const Character* c = m_movie.character(id);
    if (!c)
        return nullptr;
    if (const auto* shape = std::get_if<Shape>(c)) {
        auto it = m_shapes.find(id);
        if (it == m_shapes.end())
            it = m_shapes.emplace(id, admit(cacheShape(buildGeometry(*shape)))).first;
        return &it->second;
    }
    if (const auto* morph = std::get_if<MorphShape>(c)) {
        const uint64_t key = (uint64_t(id) << 16) | ratio;
        auto it = m_morphs.find(key);
        if (it == m_morphs.end()) {
            if (m_morphs.size() > 512) {
                m_bytes -= std::min(m_bytes, m_morphBytes);
                m_morphBytes = 0;
                m_morphs.clear();
            }
            CachedShape cached = admit(cacheShape(buildGeometry(interpolateMorph(*morph, ratio / 65535.0))));
            m_morphBytes += cached.bytes;
            it = m_morphs.emplace(key, std::move(cached)).first;
        }
        return &it->second;
    }
    return nullptr;
}

const CachedShape* ShapeCache::glyph(uint16_t fontId, uint32_t index)
{
    const uint64_t key = (uint64_t(fontId) << 32) | index;
    auto it = m_glyphs.find(key);
    if (it != m_glyphs.end())
        return &it->second;
    const Character* c = m_movie.character(fontId);
    const Font* font = c ? std::get_if<Font>(c) : nullptr;
    if (!font || index >= font->glyphs.size())
        return nullptr;
    return &m_glyphs.emplace(key, admit(cacheShape(buildGlyphGeometry(font->glyphs[index].records)))).first->second;
}

CachedShape ShapeCache::admit(CachedShape shape)
{
    // Past the budget every outline is dropped and built again when next
    // drawn. No pointer into the caches is held across a lookup.
    if (m_bytes + shape.bytes > kBudget) {
        m_shapes.clear();
        m_morphs.clear();
        m_glyphs.clear();
        m_bytes = m_morphBytes = 0;
    }
    m_bytes += shape.bytes;
    return shape;
}

} // namespace yelvanis::swf::render
