#pragma once

// Bounded byte and bit reader. Every read past the end throws ParseError, so
// a tag's sub-reader can never leave the bytes of its tag.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

class ParseError : public std::runtime_error {
public:
    ParseError(const std::string& what, int tagCode = -1, size_t offset = 0);
    int tagCode() const { return m_tag; }
    size_t offset() const { return m_offset; }

private:
    int m_tag;
    size_t m_offset;
};

class SwfStream {
public:
    // `base` is the offset of data[0] in the whole decompressed file, for messages.
    SwfStream(const uint8_t* data, size_t size, size_t base = 0, int tagCode = -1, uint8_t version = 10)
        : m_data(data), m_size(size), m_base(base), m_tag(tagCode), m_version(version)
    {
    }

    size_t position() const { return m_pos; }
    size_t remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos >= m_size; }
    size_t fileOffset() const { return m_base + m_pos; }
    const uint8_t* current() const { return m_data + m_pos; }
    uint8_t version() const { return m_version; }
    int tagCode() const { return m_tag; }

    [[noreturn]] void fail(const std::string& what) const;

    void align() { m_bitCount = 0; }
    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    int16_t s16() { return static_cast<int16_t>(u16()); }
    void skip(size_t n);
    // Sub-stream over the next n bytes; this stream moves past them.
    SwfStream sub(size_t n);
    std::string string(); // NUL-terminated
    uint32_t ubits(unsigned n);
    int32_t sbits(unsigned n);
    double fbits(unsigned n) { return sbits(n) / 65536.0; }
    bool bit() { return ubits(1) != 0; }

    Rect rect();
    Matrix matrix();
    Rgba rgb();
    Rgba rgba();
    ColorTransform colorTransform(bool withAlpha);

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    size_t m_base;
    int m_tag;
    uint8_t m_version;
    uint8_t m_bits = 0;
    unsigned m_bitCount = 0;
};

} // namespace yelvanis::swf
