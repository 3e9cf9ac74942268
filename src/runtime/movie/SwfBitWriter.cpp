#include "runtime/movie/SwfBitWriter.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf {

unsigned BitWriter::signedBits(int64_t v)
{
    if (v == 0)
        return 0;
    uint64_t m = v < 0 ? uint64_t(~v) : uint64_t(v);
    return unsignedBits(m) + 1;
}

unsigned BitWriter::unsignedBits(uint64_t v)
{
    unsigned n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

void BitWriter::ubits(uint32_t value, unsigned n)
{
    for (unsigned i = n; i-- > 0;) {
        m_bits = uint8_t((m_bits << 1) | ((value >> i) & 1u));
        if (++m_bitCount == 8) {
            m_data.push_back(m_bits);
            m_bits = 0;
            m_bitCount = 0;
        }
    }
}

void BitWriter::sbits(int32_t value, unsigned n)
{
    if (n < 32 && signedBits(value) > n)
        throw WriteError("value " + std::to_string(value) + " does not fit in " + std::to_string(n) + " bits");
    ubits(uint32_t(value), n);
}

void BitWriter::flush()
{
    if (m_bitCount) {
        m_data.push_back(uint8_t(m_bits << (8 - m_bitCount)));
        m_bits = 0;
        m_bitCount = 0;
    }
}

void BitWriter::u8(uint8_t v)
{
    flush();
    m_data.push_back(v);
}

void BitWriter::u16(uint16_t v)
{
    flush();
    m_data.push_back(uint8_t(v & 0xff));
    m_data.push_back(uint8_t(v >> 8));
}

void BitWriter::u32(uint32_t v)
{
    flush();
    for (int i = 0; i < 4; ++i)
        m_data.push_back(uint8_t(v >> (8 * i)));
}

void BitWriter::bytes(const uint8_t* data, size_t size)
{
    flush();
    m_data.insert(m_data.end(), data, data + size);
}

void BitWriter::string(const std::string& s)
{
    if (s.find('\0') != std::string::npos)
        throw WriteError("string with a NUL inside");
    bytes(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    m_data.push_back(0);
}

void BitWriter::rect(const Rect& r)
{
    flush();
    unsigned n = std::max({ signedBits(r.xMin), signedBits(r.xMax), signedBits(r.yMin), signedBits(r.yMax) });
    if (n > 31)
        throw WriteError("rectangle too large");
    ubits(n, 5);
    sbits(r.xMin, n);
    sbits(r.xMax, n);
    sbits(r.yMin, n);
    sbits(r.yMax, n);
    flush();
}

int32_t BitWriter::fixed16(double v)
{
    double f = std::round(v * 65536.0);
    if (f > 2147483647.0 || f < -2147483648.0)
        throw WriteError("matrix term out of range");
    return int32_t(f);
}

int32_t BitWriter::twips(double v)
{
    double r = std::round(v);
    if (r > 1e9 || r < -1e9)
        throw WriteError("coordinate out of range");
    return int32_t(r);
}

void BitWriter::matrix(const Matrix& m)
{
    flush();
    bool scale = m.a != 1 || m.d != 1;
    ubits(scale, 1);
    if (scale) {
        int32_t a = fixed16(m.a), d = fixed16(m.d);
        unsigned n = std::max(signedBits(a), signedBits(d));
        ubits(n, 5);
        sbits(a, n);
        sbits(d, n);
    }
    bool rotate = m.b != 0 || m.c != 0;
    ubits(rotate, 1);
    if (rotate) {
        int32_t b = fixed16(m.b), c = fixed16(m.c);
        unsigned n = std::max(signedBits(b), signedBits(c));
        ubits(n, 5);
        sbits(b, n);
        sbits(c, n);
    }
    int32_t tx = twips(m.tx), ty = twips(m.ty);
    unsigned n = std::max(signedBits(tx), signedBits(ty));
    ubits(n, 5);
    sbits(tx, n);
    sbits(ty, n);
    flush();
}

void BitWriter::rgb(Rgba c)
{
    u8(c.r);
    u8(c.g);
    u8(c.b);
}

void BitWriter::rgba(Rgba c)
{
    rgb(c);
    u8(c.a);
}

void BitWriter::colorTransform(const ColorTransform& t, bool withAlpha)
{
    flush();
    bool hasMul = t.rMul != 256 || t.gMul != 256 || t.bMul != 256 || (withAlpha && t.aMul != 256);
    bool hasAdd = t.rAdd != 0 || t.gAdd != 0 || t.bAdd != 0 || (withAlpha && t.aAdd != 0);
    std::vector<int32_t> values;
    if (hasMul) {
        values.insert(values.end(), { t.rMul, t.gMul, t.bMul });
        if (withAlpha)
            values.push_back(t.aMul);
    }
    if (hasAdd) {
        values.insert(values.end(), { t.rAdd, t.gAdd, t.bAdd });
        if (withAlpha)
            values.push_back(t.aAdd);
    }
    unsigned n = 0;
    for (int32_t v : values)
        n = std::max(n, signedBits(v));
    if (n > 15)
        throw WriteError("colour transform term out of range");
    ubits(hasAdd, 1);
    ubits(hasMul, 1);
    ubits(n, 4);
    for (int32_t v : values)
        sbits(v, n);
    flush();
}

void BitWriter::tag(uint16_t code, const std::vector<uint8_t>& body)
{
    if (body.size() < 0x3f) {
        u16(uint16_t((code << 6) | body.size()));
    } else {
        u16(uint16_t((code << 6) | 0x3f));
        u32(uint32_t(body.size()));
    }
    bytes(body);
}

} // namespace yelvanis::swf
