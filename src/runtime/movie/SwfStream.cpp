#include "runtime/movie/SwfStream.h"

#include <algorithm>
#include <cstdio>

namespace yelvanis::swf {

static std::string describe(const std::string& what, int tag, size_t offset)
{
    char where[96];
    if (tag >= 0)
        std::snprintf(where, sizeof where, " (tag %s %d at offset %zu)", tagName(uint16_t(tag)), tag, offset);
    else
        std::snprintf(where, sizeof where, " (at offset %zu)", offset);
    return what + where;
}

ParseError::ParseError(const std::string& what, int tagCode, size_t offset)
    : std::runtime_error(describe(what, tagCode, offset))
    , m_tag(tagCode)
    , m_offset(offset)
{
}

void SwfStream::fail(const std::string& what) const
{
    throw ParseError(what, m_tag, fileOffset());
}

uint8_t SwfStream::u8()
{
    m_bitCount = 0;
    if (m_pos >= m_size)
        fail("unexpected end of data");
    return m_data[m_pos++];
}

uint16_t SwfStream::u16()
{
    m_bitCount = 0;
    if (remaining() < 2)
        fail("unexpected end of data");
    uint16_t v = uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

uint32_t SwfStream::u32()
{
    m_bitCount = 0;
    if (remaining() < 4)
        fail("unexpected end of data");
    uint32_t v = uint32_t(m_data[m_pos]) | (uint32_t(m_data[m_pos + 1]) << 8) | (uint32_t(m_data[m_pos + 2]) << 16)
        | (uint32_t(m_data[m_pos + 3]) << 24);
    m_pos += 4;
    return v;
}

void SwfStream::skip(size_t n)
{
    m_bitCount = 0;
    if (n > remaining())
        fail("unexpected end of data");
    m_pos += n;
}

SwfStream SwfStream::sub(size_t n)
{
    m_bitCount = 0;
    if (n > remaining())
        fail("length runs past the end of its container");
    SwfStream s(m_data + m_pos, n, fileOffset(), m_tag, m_version);
    m_pos += n;
    return s;
}

std::string SwfStream::string()
{
    m_bitCount = 0;
    const uint8_t* start = m_data + m_pos;
    const uint8_t* end = m_data + m_size;
    const uint8_t* nul = std::find(start, end, uint8_t(0));
    if (nul == end)
        fail("unterminated string");
    std::string s(reinterpret_cast<const char*>(start), size_t(nul - start));
    m_pos += s.size() + 1;
    return s;
}

uint32_t SwfStream::ubits(unsigned n)
{
    if (n > 32)
        fail("bit field wider than 32 bits");
    if (n == 0)
        return 0;
    // Fast path: a 64-bit window holds any field of up to 32 bits.
    size_t bitPos = m_pos * 8 - m_bitCount;
    size_t byte = bitPos / 8;
    if (byte + 8 <= m_size) {
        uint64_t w = 0;
        for (int i = 0; i < 8; ++i)
            w = (w << 8) | m_data[byte + i];
        uint32_t v = uint32_t((w << (bitPos % 8)) >> (64 - n));
        size_t end = bitPos + n;
        m_pos = (end + 7) / 8;
        m_bitCount = unsigned(m_pos * 8 - end);
        m_bits = m_bitCount ? m_data[m_pos - 1] : 0;
        return v;
    }
    uint32_t v = 0;
    while (n > 0) {
        if (m_bitCount == 0) {
            if (m_pos >= m_size)
                fail("unexpected end of data");
            m_bits = m_data[m_pos++];
            m_bitCount = 8;
        }
        unsigned take = std::min(n, m_bitCount);
        unsigned shift = m_bitCount - take;
        uint32_t part = (m_bits >> shift) & ((1u << take) - 1u);
        v = (take == 32) ? part : ((v << take) | part);
        m_bitCount -= take;
        n -= take;
    }
    return v;
}

int32_t SwfStream::sbits(unsigned n)
{
    if (n == 0)
        return 0;
    uint32_t v = ubits(n);
    if (n < 32 && (v & (1u << (n - 1))))
        v |= ~((1u << n) - 1u);
    return static_cast<int32_t>(v);
}

Rect SwfStream::rect()
{
    align();
    unsigned n = ubits(5);
    Rect r;
    r.xMin = sbits(n);
    r.xMax = sbits(n);
    r.yMin = sbits(n);
    r.yMax = sbits(n);
    align();
    return r;
}

Matrix SwfStream::matrix()
{
    align();
    Matrix m;
    if (bit()) {
        unsigned n = ubits(5);
        m.a = fbits(n);
        m.d = fbits(n);
    }
    if (bit()) {
        unsigned n = ubits(5);
        m.b = fbits(n);
        m.c = fbits(n);
    }
    unsigned n = ubits(5);
    m.tx = sbits(n);
    m.ty = sbits(n);
    align();
    return m;
}

Rgba SwfStream::rgb()
{
    Rgba c;
    c.r = u8();
    c.g = u8();
    c.b = u8();
    return c;
}

Rgba SwfStream::rgba()
{
    Rgba c = rgb();
    c.a = u8();
    return c;
}

ColorTransform SwfStream::colorTransform(bool withAlpha)
{
    align();
    ColorTransform t;
    bool hasAdd = bit();
    bool hasMul = bit();
    unsigned n = ubits(4);
    if (hasMul) {
        t.rMul = sbits(n);
        t.gMul = sbits(n);
        t.bMul = sbits(n);
        if (withAlpha)
            t.aMul = sbits(n);
    }
    if (hasAdd) {
        t.rAdd = sbits(n);
        t.gAdd = sbits(n);
        t.bAdd = sbits(n);
        if (withAlpha)
            t.aAdd = sbits(n);
    }
    align();
    return t;
}

static uint8_t clampChannel(int32_t v)
{
    return uint8_t(std::clamp(v, 0, 255));
}

ColorTransform ColorTransform::operator*(const ColorTransform& in) const
{
    ColorTransform t;
    t.rMul = int32_t((int64_t(rMul) * in.rMul) >> 8);
    t.gMul = int32_t((int64_t(gMul) * in.gMul) >> 8);
    t.bMul = int32_t((int64_t(bMul) * in.bMul) >> 8);
    t.aMul = int32_t((int64_t(aMul) * in.aMul) >> 8);
    t.rAdd = int32_t(std::clamp<int64_t>(((int64_t(in.rAdd) * rMul) >> 8) + rAdd, -65536, 65536));
    t.gAdd = int32_t(std::clamp<int64_t>(((int64_t(in.gAdd) * gMul) >> 8) + gAdd, -65536, 65536));
    t.bAdd = int32_t(std::clamp<int64_t>(((int64_t(in.bAdd) * bMul) >> 8) + bAdd, -65536, 65536));
    t.aAdd = int32_t(std::clamp<int64_t>(((int64_t(in.aAdd) * aMul) >> 8) + aAdd, -65536, 65536));
    auto clampMul = [](int32_t& m) { m = std::clamp(m, -65536, 65536); };
    clampMul(t.rMul);
    clampMul(t.gMul);
    clampMul(t.bMul);
    clampMul(t.aMul);
    return t;
}

Rgba ColorTransform::apply(Rgba c) const
{
    return { clampChannel(((c.r * rMul) >> 8) + rAdd), clampChannel(((c.g * gMul) >> 8) + gAdd),
             clampChannel(((c.b * bMul) >> 8) + bAdd), clampChannel(((c.a * aMul) >> 8) + aAdd) };
}

} // namespace yelvanis::swf
