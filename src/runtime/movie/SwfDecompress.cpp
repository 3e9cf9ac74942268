#include "runtime/movie/SwfReader.h"
#include "runtime/movie/SwfStream.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

#ifdef YELVANIS_HAVE_LZMA
#include <lzma.h>
#endif

namespace yelvanis::swf {

bool sniff(const uint8_t* data, size_t size, Compression* compression)
{
    if (size < 8 || data[1] != 'W' || data[2] != 'S')
        return false;
    Compression c;
    switch (data[0]) {
    case 'F': c = Compression::None; break;
    case 'C': c = Compression::Zlib; break;
    case 'Z': c = Compression::Lzma; break;
    default: return false;
    }
    if (compression)
        *compression = c;
    return true;
}

static size_t declaredBody(const uint8_t* data, size_t limit)
{
    uint32_t length = uint32_t(data[4]) | (uint32_t(data[5]) << 8) | (uint32_t(data[6]) << 16) | (uint32_t(data[7]) << 24);
    // A declared length is only a hint for the buffer: wrong values are common.
    if (length <= 8)
        return 0;
    return std::min<size_t>(length - 8, limit);
}

static void inflateInto(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out, size_t limit)
{
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        throw ParseError("zlib cannot start");
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = uInt(std::min<size_t>(inSize, UINT32_MAX));
    uint8_t chunk[64 * 1024];
    const size_t start = out.size();
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        size_t got = sizeof chunk - z.avail_out;
        if (out.size() + got > limit) {
            inflateEnd(&z);
            throw ParseError("decompressed data exceeds " + std::to_string(limit >> 20) + " MB");
        }
        out.insert(out.end(), chunk, chunk + got);
        if (rc == Z_BUF_ERROR || (rc == Z_OK && z.avail_in == 0 && got == 0))
            break; // truncated stream: keep what came out
        if (rc != Z_OK && rc != Z_STREAM_END) {
            inflateEnd(&z);
            if (out.size() == start)
                throw ParseError("corrupt zlib data", -1, 8);
            break; // keep what decoded before the damage
        }
    }
    inflateEnd(&z);
}

#ifdef YELVANIS_HAVE_LZMA
static void unLzmaInto(const uint8_t* in, size_t inSize, std::vector<uint8_t>& out, size_t limit, size_t expected)
{
    // After the 8-byte header: u32 compressed length, 5 bytes of LZMA properties, raw stream.
    if (inSize < 9)
        throw ParseError("LZMA header truncated", -1, 8);
    lzma_filter filters[2];
    filters[0].id = LZMA_FILTER_LZMA1;
    filters[0].options = nullptr;
    filters[1].id = LZMA_VLI_UNKNOWN;
    if (lzma_properties_decode(&filters[0], nullptr, in + 4, 5) != LZMA_OK)
        throw ParseError("bad LZMA properties", -1, 12);
    // The window never needs to exceed the largest body we accept; a header
    // asking for gigabytes would otherwise allocate them up front.
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size = uint32_t(std::clamp<size_t>(options->dict_size, LZMA_DICT_SIZE_MIN, std::max<size_t>(limit, LZMA_DICT_SIZE_MIN)));
    lzma_stream s = LZMA_STREAM_INIT;
    lzma_ret rc = lzma_raw_decoder(&s, filters);
    free(filters[0].options);
    if (rc != LZMA_OK)
        throw ParseError("LZMA decoder cannot start");
    s.next_in = in + 9;
    s.avail_in = inSize - 9;
    uint8_t chunk[64 * 1024];
    while (true) {
        s.next_out = chunk;
        s.avail_out = sizeof chunk;
        rc = lzma_code(&s, LZMA_FINISH);
        size_t got = sizeof chunk - s.avail_out;
        if (out.size() + got > limit) {
            lzma_end(&s);
            throw ParseError("decompressed data exceeds " + std::to_string(limit >> 20) + " MB");
        }
        out.insert(out.end(), chunk, chunk + got);
        if (expected && out.size() >= expected) {
            out.resize(expected);
            break;
        }
        if (rc == LZMA_STREAM_END)
            break;
        if (rc != LZMA_OK) {
            // Streams without an end marker stop with an error once the input runs out.
            if (out.empty()) {
                lzma_end(&s);
                throw ParseError("corrupt LZMA data");
            }
            break;
        }
        if (got == 0 && s.avail_in == 0)
            break;
    }
    lzma_end(&s);
}
#endif

std::vector<uint8_t> decompress(const uint8_t* data, size_t size, const ReadLimits& limits)
{
    Compression c;
    if (!sniff(data, size, &c))
        throw ParseError(size < 8 ? "file too short to be a movie" : "not a movie file (bad signature)", -1, 0);
    std::vector<uint8_t> out(data, data + 8);
    out[0] = 'F';
    size_t limit = limits.maxFileBytes;
    size_t hint = declaredBody(data, limit);
    switch (c) {
    case Compression::None:
        if (size > limit)
            throw ParseError("file exceeds " + std::to_string(limit >> 20) + " MB");
        out.assign(data, data + size);
        break;
    case Compression::Zlib:
        out.reserve(8 + std::min<size_t>(hint, size_t(4) << 20));
        inflateInto(data + 8, size - 8, out, limit);
        break;
    case Compression::Lzma:
#ifdef YELVANIS_HAVE_LZMA
        {
            std::vector<uint8_t> body;
            // Declared lengths at or below the header are wrong: decode to the stream's end.
            unLzmaInto(data + 8, size - 8, body, limit - 8, hint);
            out.insert(out.end(), body.begin(), body.end());
        }
#else
        throw ParseError("LZMA-compressed movies are not supported by this build", -1, 0);
#endif
        break;
    }
    return out;
}

} // namespace yelvanis::swf
