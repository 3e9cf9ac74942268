// libFuzzer target: the reader, the shape geometry and the timeline player
// must survive any bytes without crashing, hanging or running out of memory.

#include <cstddef>
#include <cstdint>

#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/ShapeGeometry.h"
#include "runtime/movie/SwfReader.h"

using namespace yelvanis::swf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadLimits limits;
    limits.maxFileBytes = size_t(16) << 20;
    limits.maxTotalPixels = uint64_t(16) << 20;
    ReadResult r = readMovie(data, size, limits);
    if (!r.movie)
        return 0;
    size_t segments = 0;
    for (const auto& [id, c] : r.movie->characters) {
        if (const auto* shape = std::get_if<Shape>(&c)) {
            for (const ShapeLayer& l : buildGeometry(*shape).layers)
                segments += l.fills.size() + l.strokes.size();
        } else if (const auto* morph = std::get_if<MorphShape>(&c)) {
            for (double t : { 0.0, 0.5, 1.0 })
                segments += buildGeometry(interpolateMorph(*morph, t)).layers.size();
        } else if (const auto* font = std::get_if<Font>(&c)) {
            for (const Glyph& g : font->glyphs)
                segments += buildGlyphGeometry(g.records).layers.size();
        }
    }
    MoviePlayer player(r.movie);
    for (int i = 0; i < 40; ++i)
        player.tick();
    return int(segments & 0);
}
