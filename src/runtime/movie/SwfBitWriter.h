#pragma once

// Byte and bit writer, the mirror of SwfStream: fields go out as the reader
// takes them in. A value that does not fit its field throws WriteError, so a
// bad value never turns into a file the reader would refuse or misread.

#include <cstddef>
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
    // A whole tag: the short header for bodies under 63 bytes, else the long one.
    void tag(uint16_t code, const std::vector<uint8_t>& body);

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
    // Rounded to the file's units, or WriteError when out of range.
    static int32_t twips(double v);
    static int32_t fixed16(double v); // 16.16

private:
    std::vector<uint8_t> m_data;
    uint8_t m_bits = 0;
    unsigned m_bitCount = 0;
};

} // namespace yelvanis::swf
