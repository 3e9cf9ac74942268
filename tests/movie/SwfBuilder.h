#pragma once

// Writes tiny SWF files for the tests, bit by bit, so each fixture shows
// exactly the case it is about.

#include <QByteArray>
#include <QColor>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
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

// Richer pieces for the drawing fixtures: any matrix, colour transforms,
// gradient fills, LineStyle2 strokes and PlaceObject3.

// x' = a*x + c*y + tx, y' = b*x + d*y + ty; translation in twips.
struct Transform {
    double a = 1, b = 0, c = 0, d = 1;
    int32_t tx = 0, ty = 0;
    static Transform scale(double sx, double sy, int32_t tx = 0, int32_t ty = 0) { return { sx, 0, 0, sy, tx, ty }; }
    static Transform at(int32_t tx, int32_t ty) { return { 1, 0, 0, 1, tx, ty }; }
};

inline void writeMatrix(Bits& b, const Transform& m)
{
    auto fixed = [](double v) { return int32_t(std::lround(v * 65536)); };
    b.align();
    const bool scaled = m.a != 1 || m.d != 1, rotated = m.b != 0 || m.c != 0;
    b.ub(scaled, 1);
    if (scaled) {
        int n = std::max(Bits::sbitsFor(fixed(m.a)), Bits::sbitsFor(fixed(m.d)));
        b.ub(uint32_t(n), 5);
        b.sb(fixed(m.a), n);
        b.sb(fixed(m.d), n);
    }
    b.ub(rotated, 1);
    if (rotated) {
        int n = std::max(Bits::sbitsFor(fixed(m.b)), Bits::sbitsFor(fixed(m.c)));
        b.ub(uint32_t(n), 5);
        b.sb(fixed(m.b), n);
        b.sb(fixed(m.c), n);
    }
    int n = std::max(Bits::sbitsFor(m.tx), Bits::sbitsFor(m.ty));
    b.ub(uint32_t(n), 5);
    b.sb(m.tx, n);
    b.sb(m.ty, n);
    b.align();
}

// Multipliers in 8.8 fixed point (256 is 1.0), add terms in colour units.
struct ColorXform {
    int32_t rMul = 256, gMul = 256, bMul = 256, aMul = 256;
    int32_t rAdd = 0, gAdd = 0, bAdd = 0, aAdd = 0;
};

// CXFORMWITHALPHA: both kinds of terms always written.
inline void writeColorXform(Bits& b, const ColorXform& x)
{
    b.align();
    int n = 1;
    for (int32_t v : { x.rMul, x.gMul, x.bMul, x.aMul, x.rAdd, x.gAdd, x.bAdd, x.aAdd })
        n = std::max(n, Bits::sbitsFor(v));
    b.ub(1, 1);
    b.ub(1, 1);
    b.ub(uint32_t(n), 4);
    for (int32_t v : { x.rMul, x.gMul, x.bMul, x.aMul, x.rAdd, x.gAdd, x.bAdd, x.aAdd })
        b.sb(v, n);
    b.align();
}

struct GradientFill {
    enum Type : uint8_t { Linear = 0x10, Radial = 0x12, Focal = 0x13 };
    Type type = Linear;
    Transform matrix; // the gradient square (-16384..16384) to shape space
    uint8_t spread = 0; // 0 pad, 1 reflect, 2 repeat
    bool linearRgb = false;
    std::vector<std::pair<uint8_t, Color>> stops; // up to 15, written as given
    int16_t focal = 0; // 8.8 fixed point, focal fills only
};

inline void writeGradientFill(Bits& b, const GradientFill& g)
{
    b.u8(g.type);
    writeMatrix(b, g.matrix);
    b.ub(g.spread, 2);
    b.ub(g.linearRgb ? 1 : 0, 2);
    b.ub(uint32_t(g.stops.size()), 4);
    for (auto& [ratio, c] : g.stops) {
        b.u8(ratio);
        b.rgba(c);
    }
    if (g.type == GradientFill::Focal)
        b.u16(uint16_t(g.focal));
}

struct Stroke {
    uint16_t width = 20; // twips; 0 is a hairline
    Color color { 0, 0, 0 };
    bool noHScale = false, noVScale = false;
};

// DefineShape4's header up to its styles.
inline void shape4Header(Bits& b, uint16_t id, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool nonScaling)
{
    b.u16(id);
    b.rect(x0, x1, y0, y1);
    b.rect(x0, x1, y0, y1);
    b.u8(nonScaling ? 0x02 : 0x01);
}

inline void rectEdges(ShapeWriter& s, int fill1, int line, int32_t x, int32_t y, int32_t w, int32_t h)
{
    s.style(-1, fill1, line, true, x, y);
    s.line(w, 0);
    s.line(0, h);
    s.line(-w, 0);
    s.line(0, -h);
    s.end();
}

// A rectangle filled with a gradient (DefineShape4).
inline void gradientRect(Movie& m, uint16_t id, int32_t x, int32_t y, int32_t w, int32_t h, const GradientFill& g)
{
    Bits b;
    shape4Header(b, id, x, y, x + w, y + h, false);
    b.u8(1);
    writeGradientFill(b, g);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    rectEdges(s, 1, -1, x, y, w, h);
    m.tag(83, b.out);
}

// The outline of a rectangle, stroked with a LineStyle2 and not filled (DefineShape4).
inline void strokedRect(Movie& m, uint16_t id, int32_t x, int32_t y, int32_t w, int32_t h, const Stroke& st)
{
    Bits b;
    const int32_t pad = st.width / 2 + 20;
    shape4Header(b, id, x - pad, y - pad, x + w + pad, y + h + pad, st.noHScale || st.noVScale);
    b.u8(0);
    b.u8(1);
    b.u16(st.width);
    b.ub(0, 2); // round caps
    b.ub(0, 2); // round joins
    b.ub(0, 1); // no fill
    b.ub(st.noHScale, 1);
    b.ub(st.noVScale, 1);
    b.ub(0, 1); // no pixel hinting
    b.ub(0, 5);
    b.ub(0, 1); // closed
    b.ub(0, 2); // round end caps
    b.rgba(st.color);
    ShapeWriter s(b, 0, 1);
    rectEdges(s, -1, 1, x, y, w, h);
    m.tag(83, b.out);
}

// One placement, as PlaceObject2, or PlaceObject3 when it sets cacheAsBitmap.
struct Placement {
    uint16_t depth = 1;
    uint16_t id = 0; // 0: none (a move)
    bool move = false;
    std::optional<Transform> matrix;
    std::optional<ColorXform> colorTransform;
    uint16_t clipDepth = 0;
    std::optional<bool> cacheAsBitmap;
};

inline void place(Movie& m, const Placement& p)
{
    Bits b;
    uint8_t flags = (p.move ? 0x01 : 0) | (p.id ? 0x02 : 0) | (p.matrix ? 0x04 : 0) | (p.colorTransform ? 0x08 : 0)
        | (p.clipDepth ? 0x40 : 0);
    b.u8(flags);
    if (p.cacheAsBitmap)
        b.u8(0x04);
    b.u16(p.depth);
    if (p.id)
        b.u16(p.id);
    if (p.matrix)
        writeMatrix(b, *p.matrix);
    if (p.colorTransform)
        writeColorXform(b, *p.colorTransform);
    if (p.clipDepth)
        b.u16(p.clipDepth);
    if (p.cacheAsBitmap)
        b.u8(*p.cacheAsBitmap ? 1 : 0);
    m.tag(p.cacheAsBitmap ? 70 : 26, b.out);
}

} // namespace swftest
