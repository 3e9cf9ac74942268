#pragma once

// Writes tiny SWF files for the tests, bit by bit, so each fixture shows
// exactly the case it is about.

#include <QByteArray>
#include <QColor>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>
#include <zlib.h>

namespace swftest {

struct Color {
    uint8_t r, g, b, a = 255;
    operator QColor() const { return QColor(r, g, b, a); }
};

class Bits {
public:
    std::vector<uint8_t> out;

    void ub(uint32_t v, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            m_acc = uint8_t((m_acc << 1) | ((v >> i) & 1));
            if (++m_n == 8) {
                out.push_back(m_acc);
                m_acc = 0;
                m_n = 0;
            }
        }
    }
    void sb(int32_t v, int bits) { ub(uint32_t(v) & (bits >= 32 ? 0xffffffffu : ((1u << bits) - 1)), bits); }
    void align()
    {
        if (m_n) {
            out.push_back(uint8_t(m_acc << (8 - m_n)));
            m_acc = 0;
            m_n = 0;
        }
    }
    void u8(uint8_t v)
    {
        align();
        out.push_back(v);
    }
    void u16(uint16_t v)
    {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void bytes(const std::vector<uint8_t>& b)
    {
        align();
        out.insert(out.end(), b.begin(), b.end());
    }
    void str(const std::string& s)
    {
        align();
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    }
    static int sbitsFor(int32_t v)
    {
        int n = 1;
        while (!(v >= -(int64_t(1) << (n - 1)) && v < (int64_t(1) << (n - 1))))
            ++n;
        return n;
    }
    void rect(int32_t x0, int32_t x1, int32_t y0, int32_t y1)
    {
        align();
        int n = std::max({ sbitsFor(x0), sbitsFor(x1), sbitsFor(y0), sbitsFor(y1) });
        ub(uint32_t(n), 5);
        sb(x0, n);
        sb(x1, n);
        sb(y0, n);
        sb(y1, n);
        align();
    }
    // Scale and translation only; scale as a plain factor.
    void matrix(double sx = 1, double sy = 1, int32_t tx = 0, int32_t ty = 0)
    {
        align();
        if (sx != 1 || sy != 1) {
            ub(1, 1);
            int32_t a = int32_t(sx * 65536), d = int32_t(sy * 65536);
            int n = std::max(sbitsFor(a), sbitsFor(d));
            ub(uint32_t(n), 5);
            sb(a, n);
            sb(d, n);
        } else {
            ub(0, 1);
        }
        ub(0, 1);
        int n = std::max(sbitsFor(tx), sbitsFor(ty));
        ub(uint32_t(n), 5);
        sb(tx, n);
        sb(ty, n);
        align();
    }
    void rgb(Color c)
    {
        u8(c.r);
        u8(c.g);
        u8(c.b);
    }
    void rgba(Color c)
    {
        rgb(c);
        u8(c.a);
    }

private:
    uint8_t m_acc = 0;
    int m_n = 0;
};

// Edge records of a shape, with pen moves in absolute twips.
class ShapeWriter {
public:
    ShapeWriter(Bits& b, int fillBits, int lineBits)
        : m_b(b)
        , m_fillBits(fillBits)
        , m_lineBits(lineBits)
    {
        b.ub(uint32_t(fillBits), 4);
        b.ub(uint32_t(lineBits), 4);
    }
    // -1 leaves a style as it is.
    void style(int fill0, int fill1, int line, bool move = false, int32_t x = 0, int32_t y = 0)
    {
        m_b.ub(0, 1);
        m_b.ub(0, 1); // new styles
        m_b.ub(line >= 0, 1);
        m_b.ub(fill1 >= 0, 1);
        m_b.ub(fill0 >= 0, 1);
        m_b.ub(move, 1);
        if (move) {
            int n = std::max(Bits::sbitsFor(x), Bits::sbitsFor(y));
            m_b.ub(uint32_t(n), 5);
            m_b.sb(x, n);
            m_b.sb(y, n);
        }
        if (fill0 >= 0)
            m_b.ub(uint32_t(fill0), m_fillBits);
        if (fill1 >= 0)
            m_b.ub(uint32_t(fill1), m_fillBits);
        if (line >= 0)
            m_b.ub(uint32_t(line), m_lineBits);
    }
    void line(int32_t dx, int32_t dy)
    {
        int n = std::max({ Bits::sbitsFor(dx), Bits::sbitsFor(dy), 2 });
        m_b.ub(1, 1);
        m_b.ub(1, 1);
        m_b.ub(uint32_t(n - 2), 4);
        m_b.ub(1, 1);
        m_b.sb(dx, n);
        m_b.sb(dy, n);
    }
    void curve(int32_t cdx, int32_t cdy, int32_t adx, int32_t ady)
    {
        int n = std::max({ Bits::sbitsFor(cdx), Bits::sbitsFor(cdy), Bits::sbitsFor(adx), Bits::sbitsFor(ady), 2 });
        m_b.ub(1, 1);
        m_b.ub(0, 1);
        m_b.ub(uint32_t(n - 2), 4);
        m_b.sb(cdx, n);
        m_b.sb(cdy, n);
        m_b.sb(adx, n);
        m_b.sb(ady, n);
    }
    void end()
    {
        m_b.ub(0, 6);
        m_b.align();
    }

private:
    Bits& m_b;
    int m_fillBits, m_lineBits;
};

inline void solidFill(Bits& b, Color c, int shapeVersion)
{
    b.u8(0x00);
    if (shapeVersion >= 3)
        b.rgba(c);
    else
        b.rgb(c);
}

// A horizontal gradient across `width` twips starting at x0.
inline void linearFill(Bits& b, int32_t x0, int32_t width, std::initializer_list<std::pair<uint8_t, Color>> stops, int shapeVersion)
{
    b.u8(0x10);
    double scale = width / 32768.0;
    b.align();
    b.ub(1, 1);
    int32_t a = int32_t(scale * 65536);
    int n = Bits::sbitsFor(a);
    b.ub(uint32_t(n), 5);
    b.sb(a, n);
    b.sb(a, n);
    b.ub(0, 1);
    int32_t tx = x0 + width / 2;
    int tn = Bits::sbitsFor(tx);
    b.ub(uint32_t(tn), 5);
    b.sb(tx, tn);
    b.sb(0, tn);
    b.align();
    b.ub(0, 2);
    b.ub(0, 2);
    b.ub(uint32_t(stops.size()), 4);
    for (auto& [ratio, c] : stops) {
        b.u8(ratio);
        if (shapeVersion >= 3)
            b.rgba(c);
        else
            b.rgb(c);
    }
}

class Movie {
public:
    uint8_t version = 8;
    int32_t widthTwips = 2000, heightTwips = 2000; // 100 x 100 pixels
    uint16_t frameRate = 12 << 8;
    std::vector<uint8_t> tags;
    uint16_t frames = 0;

    void tag(uint16_t code, const std::vector<uint8_t>& body, bool forceLong = false)
    {
        Bits b;
        if (body.size() >= 63 || forceLong) {
            b.u16(uint16_t((code << 6) | 0x3f));
            b.u32(uint32_t(body.size()));
        } else {
            b.u16(uint16_t((code << 6) | body.size()));
        }
        b.bytes(body);
        tags.insert(tags.end(), b.out.begin(), b.out.end());
        if (code == 1)
            ++frames;
    }
    void showFrame() { tag(1, {}); }
    void background(Color c)
    {
        Bits b;
        b.rgb(c);
        tag(9, b.out);
    }
    void place(uint16_t depth, uint16_t id, int32_t tx = 0, int32_t ty = 0, int clipDepth = 0, int ratio = -1)
    {
        Bits b;
        uint8_t flags = 0x02 | 0x04 | (clipDepth ? 0x40 : 0) | (ratio >= 0 ? 0x10 : 0);
        b.u8(flags);
        b.u16(depth);
        b.u16(id);
        b.matrix(1, 1, tx, ty);
        if (ratio >= 0)
            b.u16(uint16_t(ratio));
        if (clipDepth)
            b.u16(uint16_t(clipDepth));
        tag(26, b.out);
    }
    void moveRatio(uint16_t depth, uint16_t ratio)
    {
        Bits b;
        b.u8(0x01 | 0x10);
        b.u16(depth);
        b.u16(ratio);
        tag(26, b.out);
    }
    void remove(uint16_t depth)
    {
        Bits b;
        b.u16(depth);
        tag(28, b.out);
    }
    void actions(const std::vector<uint8_t>& code)
    {
        std::vector<uint8_t> body = code;
        body.push_back(0);
        tag(12, body);
    }
    void label(const std::string& name)
    {
        Bits b;
        b.str(name);
        tag(43, b.out);
    }
    void sprite(uint16_t id, const Movie& inner)
    {
        Bits b;
        b.u16(id);
        b.u16(inner.frames);
        b.bytes(inner.tags);
        b.u16(0); // End
        tag(39, b.out);
    }
    // A filled rectangle, edges clockwise on screen with the fill on their right.
    void rect(uint16_t id, int32_t x, int32_t y, int32_t w, int32_t h, Color c, int shapeVersion = 3)
    {
        Bits b;
        b.u16(id);
        b.rect(x, x + w, y, y + h);
        b.u8(1);
        solidFill(b, c, shapeVersion);
        b.u8(0);
        ShapeWriter s(b, 1, 0);
        s.style(-1, 1, -1, true, x, y);
        s.line(w, 0);
        s.line(0, h);
        s.line(-w, 0);
        s.line(0, -h);
        s.end();
        tag(shapeVersion == 1 ? 2 : shapeVersion == 2 ? 22 : 32, b.out);
    }

    QByteArray bytes(char signature = 'F') const
    {
        Bits body;
        body.rect(0, widthTwips, 0, heightTwips);
        body.u16(frameRate);
        body.u16(frames);
        body.bytes(tags);
        body.u16(0);
        std::vector<uint8_t> payload = body.out;
        QByteArray out;
        out.append(signature);
        out.append("WS");
        out.append(char(version));
        uint32_t length = uint32_t(8 + payload.size());
        for (int i = 0; i < 4; ++i)
            out.append(char((length >> (8 * i)) & 0xff));
        if (signature == 'C') {
            uLongf size = compressBound(uLong(payload.size()));
            std::vector<uint8_t> z(size);
            compress(z.data(), &size, payload.data(), uLong(payload.size()));
            out.append(reinterpret_cast<const char*>(z.data()), qsizetype(size));
        } else {
            out.append(reinterpret_cast<const char*>(payload.data()), qsizetype(payload.size()));
        }
        return out;
    }
};

// Action bytes.
inline std::vector<uint8_t> stopAction() { return { 0x07 }; }
inline std::vector<uint8_t> playAction() { return { 0x06 }; }
inline std::vector<uint8_t> gotoFrameAction(uint16_t frame) { return { 0x81, 2, 0, uint8_t(frame), uint8_t(frame >> 8) }; }
inline std::vector<uint8_t> gotoLabelAction(const std::string& label)
{
    std::vector<uint8_t> a { 0x8C, uint8_t(label.size() + 1), 0 };
    a.insert(a.end(), label.begin(), label.end());
    a.push_back(0);
    return a;
}
inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace swftest
