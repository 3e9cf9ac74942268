#pragma once

// The geometry of shapes, morph frames and glyphs, built once and kept
// within a memory budget. No Qt here.

#include <cstddef>
#include <cstdint>
#include <map>

#include "runtime/movie/ShapeGeometry.h"

namespace yelvanis::swf::render {

struct Bounds {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool valid = false;
    void include(Point p);
    void include(const Bounds& b);
};

struct CachedShape {
    ShapeGeometry geometry;
    size_t segments = 0;         // what drawing it costs
    Bounds bounds;               // of every outline, in shape units
    double strokeReach = 0;      // how far the widest stroke may reach past its outline, in widths
    size_t bytes = 0;            // memory the geometry holds, roughly
    double spanX = 0, spanY = 0; // the segments' lengths across and down, summed
};

CachedShape cacheShape(ShapeGeometry geometry);

// Calls visit(run, glyph index, glyph-to-text matrix) for every glyph of a
// static text whose font the movie defines: the font's em square scaled to
// the run's height, at the glyph's pen position.
template <class Visit>
void forEachGlyph(const Movie& movie, const Text& text, Visit&& visit)
{
    for (const TextRun& run : text.runs) {
        const Character* fc = movie.character(run.fontId);
        const Font* font = fc ? std::get_if<Font>(fc) : nullptr;
        if (!font)
            continue;
        const double scale = run.height / font->unitsPerEm();
        double x = run.x;
        for (const TextGlyph& g : run.glyphs) {
            visit(run, g.index, Matrix { scale, 0, 0, scale, x, run.y });
            x += g.advance;
        }
    }
}

class ShapeCache {
public:
    explicit ShapeCache(const Movie& movie)
        : m_movie(movie)
    {
    }
    // Null for a character that is neither shape nor morph. The pointer
    // lasts until the next lookup.
    const CachedShape* shape(uint16_t id, uint16_t ratio);
    const CachedShape* glyph(uint16_t fontId, uint32_t index);

    // Memory for built geometry kept between frames. With the reader's
    // limits on pixels and edges, it keeps one movie well under 256 MB.
    static constexpr size_t kBudget = size_t(32) << 20;

private:
    CachedShape admit(CachedShape shape);

    const Movie& m_movie;
    std::map<uint32_t, CachedShape> m_shapes; // by character id
    std::map<uint64_t, CachedShape> m_morphs; // by id and ratio
    std::map<uint64_t, CachedShape> m_glyphs; // by font id and glyph
    size_t m_bytes = 0, m_morphBytes = 0;
};

} // namespace yelvanis::swf::render
