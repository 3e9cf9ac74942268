#pragma once

// Reads an SWF file held in memory into a Movie. The caller owns the bytes;
// the result owns everything it refers to. A file that cannot be played is
// refused with a reason that names what failed and where; oddities that do
// no harm are kept as warnings on the movie.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

// Bounds that keep a hostile file from exhausting memory or time. A picture
// or a shape past them is skipped with a warning. Together with the
// renderer's cache (32 MB), they keep one movie well under 256 MB: 64 MB of
// decoded pixels (held once), under 20 MB of edges, and while a shape is
// built, about 300 bytes an edge of it.
struct ReadLimits {
    size_t maxFileBytes = size_t(64) << 20;   // decompressed file
    uint32_t maxBitmapSide = 8192;
    uint64_t maxBitmapPixels = uint64_t(16) << 20;
    uint64_t maxTotalPixels = uint64_t(16) << 20;
    size_t maxShapeRecords = size_t(256) << 10; // edges over the whole movie
    size_t maxTags = size_t(1) << 20;
};

enum class Compression { None, Zlib, Lzma };

// True when the bytes start like an SWF file of any compression.
bool sniff(const uint8_t* data, size_t size, Compression* compression = nullptr);

// The whole file as if it were uncompressed (header included, signature FWS).
// Throws ParseError on a bad signature, a broken stream or a body over the limit.
std::vector<uint8_t> decompress(const uint8_t* data, size_t size, const ReadLimits& limits = {});

struct ReadResult {
    std::shared_ptr<const Movie> movie; // null when refused
    std::string error;
};

// Linear in the decompressed file (at most maxFileBytes) and in the pixels
// decoded (at most maxTotalPixels).
ReadResult readMovie(const uint8_t* data, size_t size, const ReadLimits& limits = {});

} // namespace yelvanis::swf
