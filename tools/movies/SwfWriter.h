#pragma once

// Writes a Movie, the engine's own plain data, as an SWF file. The caller
// keeps the movie; the result is the whole file. What the writer cannot put
// in a file (an edit text, a coordinate past the field widths, more than 255
// glyphs in a run) throws WriteError naming the character or frame, so a bad
// movie never turns into a file the reader would refuse.
//
// Definitions go first, in character id order (an id must come after what it
// refers to), then the main timeline frame by frame.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct WriteOptions {
    uint8_t version = 8;
    bool compress = true; // zlib body (CWS)
};

std::vector<uint8_t> writeMovie(const Movie& movie, const WriteOptions& options = {});

// Bit-level building blocks, exposed for the tests of single fields.
class BitWriter {
public:
    void ubits(uint32_t value, unsigned n);
    void sbits(int32_t value, unsigned n);
    void flush(); // pad to the next byte
    void u8(uint8_t v);
    void u16(uint16_t v);
    void s16(int16_t v) { u16(uint16_t(v)); }
    void u32(uint32_t v);
    void bytes(const uint8_t* data, size_t size);
    void bytes(const std::vector<uint8_t>& v) { bytes(v.data(), v.size()); }
    void string(const std::string& s); // NUL-terminated
    void rect(const Rect& r);
    void matrix(const Matrix& m);
    void rgb(Rgba c);
    void rgba(Rgba c);
    void colorTransform(const ColorTransform& t, bool withAlpha);

    const std::vector<uint8_t>& data() const { return m_data; }
    std::vector<uint8_t> take()
    {
        flush();
        return std::move(m_data);
    }
    size_t size() const { return m_data.size(); }

    // Fewest bits that hold the value as a signed / unsigned field.
    static unsigned signedBits(int64_t v);
    static unsigned unsignedBits(uint64_t v);

private:
    std::vector<uint8_t> m_data;
    uint8_t m_bits = 0;
    unsigned m_bitCount = 0;
};

} // namespace yelvanis::swf
