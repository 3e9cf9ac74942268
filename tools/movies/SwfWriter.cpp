#include "SwfWriter.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>
#include <zlib.h>

namespace yelvanis::swf {

// ---- bits and fields -------------------------------------------------------

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

namespace {

int32_t fixed16(double v)
{
    double f = std::round(v * 65536.0);
    if (f > 2147483647.0 || f < -2147483648.0)
        throw WriteError("matrix term out of range");
    return int32_t(f);
}

int32_t twips(double v)
{
    double r = std::round(v);
    if (r > 1e9 || r < -1e9)
        throw WriteError("coordinate out of range");
    return int32_t(r);
}

} // namespace

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

// ---- tags --------------------------------------------------------------------

namespace {

enum Tag : uint16_t {
    End = 0, ShowFrame = 1, DefineShape = 2, DefineBitsLossless = 20, DefineBitsJpeg2 = 21, DefineShape2 = 22,
    PlaceObject2 = 26, RemoveObject2 = 28, DefineShape3 = 32, DefineText = 11, DefineText2 = 33, DoActionTag = 12,
    SetBackgroundColor = 9, DefineBitsJpeg3 = 35, DefineBitsLossless2 = 36, DefineSprite = 39, FrameLabel = 43,
    DefineMorphShape = 46, DefineFont2 = 48, PlaceObject3 = 70, DefineFont3 = 75, DefineShape4 = 83,
};

void putTag(BitWriter& out, uint16_t code, const std::vector<uint8_t>& body)
{
    if (body.size() < 0x3f) {
        out.u16(uint16_t((code << 6) | body.size()));
    } else {
        out.u16(uint16_t((code << 6) | 0x3f));
        out.u32(uint32_t(body.size()));
    }
    out.bytes(body);
}

std::string where(const char* what, uint16_t id)
{
    return std::string(what) + " " + std::to_string(id);
}

bool isJpeg(const std::vector<uint8_t>& b)
{
    return b.size() >= 2 && b[0] == 0xFF && (b[1] == 0xD8 || b[1] == 0xD9);
}

class MovieWriter {
public:
    MovieWriter(const Movie& movie, const WriteOptions& options)
        : m_movie(movie)
        , m_options(options)
    {
    }

    std::vector<uint8_t> run()
    {
        BitWriter body;
        body.rect(m_movie.header.stage);
        double rate = std::round(m_movie.header.frameRate * 256.0);
        if (rate < 0 || rate > 65535)
            throw WriteError("frame rate out of range");
        body.u16(uint16_t(rate));
        if (m_movie.timeline.frames.size() > 65535)
            throw WriteError("too many frames");
        body.u16(uint16_t(m_movie.timeline.frames.size()));
        for (const auto& [id, c] : m_movie.characters) {
            if (std::holds_alternative<std::monostate>(c))
                continue;
            writeCharacter(body, id, c);
            m_defined.insert(id);
        }
        writeTimeline(body, m_movie.timeline, "main timeline");
        putTag(body, End, {});

        std::vector<uint8_t> tail = body.take();
        std::vector<uint8_t> file { uint8_t(m_options.compress ? 'C' : 'F'), 'W', 'S', m_options.version };
        uint32_t length = uint32_t(tail.size() + 8);
        for (int i = 0; i < 4; ++i)
            file.push_back(uint8_t(length >> (8 * i)));
        if (!m_options.compress) {
            file.insert(file.end(), tail.begin(), tail.end());
            return file;
        }
        uLongf size = compressBound(uLong(tail.size()));
        std::vector<uint8_t> packed(size);
        if (compress2(packed.data(), &size, tail.data(), uLong(tail.size()), 9) != Z_OK)
            throw WriteError("zlib failed");
        file.insert(file.end(), packed.begin(), packed.begin() + long(size));
        return file;
    }

private:
    void need(uint16_t id, const std::string& user) const
    {
        if (!m_defined.count(id))
            throw WriteError(user + " refers to character " + std::to_string(id) + ", which is not defined before it");
    }

    void writeCharacter(BitWriter& out, uint16_t id, const Character& c)
    {
        if (const auto* s = std::get_if<Shape>(&c))
            writeShape(out, id, *s);
        else if (const auto* m = std::get_if<MorphShape>(&c))
            writeMorph(out, id, *m);
        else if (const auto* b = std::get_if<Bitmap>(&c))
            writeBitmap(out, id, *b);
        else if (const auto* f = std::get_if<Font>(&c))
            writeFont(out, id, *f);
        else if (const auto* t = std::get_if<Text>(&c))
            writeText(out, id, *t);
        else if (const auto* sp = std::get_if<Sprite>(&c))
            writeSprite(out, id, *sp);
        else
            throw WriteError(where("character", id) + ": this kind cannot be written");
    }

    // -- shapes --

    static bool needsShape4(const Shape& s)
    {
        if (s.windingRule)
            return true;
        auto plain = [](const LineStyle& l) {
            return l.startCap == LineStyle::Cap::Round && l.endCap == LineStyle::Cap::Round && l.join == LineStyle::Join::Round
                && !l.noHScale && !l.noVScale && !l.noClose && !l.fill;
        };
        auto check = [&](const std::vector<LineStyle>& lines) { return std::all_of(lines.begin(), lines.end(), plain); };
        if (!check(s.lines))
            return true;
        for (const ShapeRecord& r : s.records)
            if (r.newStyles && !check(r.newStyles->lines))
                return true;
        return false;
    }

    void fillStyle(BitWriter& w, const FillStyle& f, int version, const std::string& user)
    {
        switch (f.kind) {
        case FillStyle::Kind::Solid:
            w.u8(0x00);
            version >= 3 ? w.rgba(f.color) : w.rgb(f.color);
            return;
        case FillStyle::Kind::Linear:
        case FillStyle::Kind::Radial:
        case FillStyle::Kind::Focal: {
            w.u8(f.kind == FillStyle::Kind::Linear ? 0x10 : f.kind == FillStyle::Kind::Radial ? 0x12 : 0x13);
            w.matrix(f.matrix);
            if (f.gradient.stops.empty() || f.gradient.stops.size() > 15)
                throw WriteError(user + ": a gradient needs 1 to 15 stops");
            uint8_t spread = f.gradient.spread == Gradient::Spread::Reflect ? 1 : f.gradient.spread == Gradient::Spread::Repeat ? 2 : 0;
            w.u8(uint8_t((spread << 6) | ((f.gradient.linearRgb ? 1 : 0) << 4) | f.gradient.stops.size()));
            for (const GradientStop& s : f.gradient.stops) {
                w.u8(s.ratio);
                version >= 3 ? w.rgba(s.color) : w.rgb(s.color);
            }
            if (f.kind == FillStyle::Kind::Focal)
                w.s16(int16_t(std::lround(std::clamp(f.gradient.focal, -1.0, 1.0) * 256)));
            return;
        }
        case FillStyle::Kind::Bitmap:
            need(f.bitmapId, user);
            w.u8(uint8_t(0x40 | (f.repeat ? 0 : 1) | (f.smooth ? 0 : 2)));
            w.u16(f.bitmapId);
            w.matrix(f.matrix);
            return;
        }
    }

    void lineStyle(BitWriter& w, const LineStyle& l, int version, const std::string& user)
    {
        w.u16(l.width);
        if (version < 4) {
            version >= 3 ? w.rgba(l.color) : w.rgb(l.color);
            return;
        }
        auto cap = [](LineStyle::Cap c) { return c == LineStyle::Cap::None ? 1u : c == LineStyle::Cap::Square ? 2u : 0u; };
        uint32_t join = l.join == LineStyle::Join::Bevel ? 1 : l.join == LineStyle::Join::Miter ? 2 : 0;
        w.ubits(cap(l.startCap), 2);
        w.ubits(join, 2);
        w.ubits(l.fill ? 1 : 0, 1);
        w.ubits(l.noHScale, 1);
        w.ubits(l.noVScale, 1);
        w.ubits(0, 1);
        w.ubits(0, 5);
        w.ubits(l.noClose, 1);
        w.ubits(cap(l.endCap), 2);
        if (l.join == LineStyle::Join::Miter)
            w.u16(uint16_t(std::lround(std::clamp(l.miterLimit, 0.0, 255.0) * 256)));
        if (l.fill)
            fillStyle(w, *l.fill, 4, user);
        else
            w.rgba(l.color);
    }

    void styleArrays(BitWriter& w, const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines, int version,
                     const std::string& user)
    {
        auto count = [&](size_t n, bool extendedAllowed) {
            if (n < 255) {
                w.u8(uint8_t(n));
            } else {
                if (!extendedAllowed || n > 65535)
                    throw WriteError(user + ": too many styles for this shape version");
                w.u8(0xff);
                w.u16(uint16_t(n));
            }
        };
        count(fills.size(), version >= 2);
        for (const FillStyle& f : fills)
            fillStyle(w, f, version, user);
        count(lines.size(), true);
        for (const LineStyle& l : lines)
            lineStyle(w, l, version, user);
    }

    // The edge list. `fills` and `lines` give the widths of the style
    // indices; style tables met on the way change them.
    void records(BitWriter& w, const std::vector<ShapeRecord>& recs, size_t fillCount, size_t lineCount, int version,
                 const std::string& user)
    {
        auto widths = [&](const std::vector<ShapeRecord>& rs, size_t from, size_t fc, size_t lc) {
            uint32_t maxFill = uint32_t(fc), maxLine = uint32_t(lc);
            for (size_t i = from; i < rs.size(); ++i) {
                if (i > from && rs[i].newStyles)
                    break;
                if (rs[i].hasFill0)
                    maxFill = std::max(maxFill, rs[i].fill0);
                if (rs[i].hasFill1)
                    maxFill = std::max(maxFill, rs[i].fill1);
                if (rs[i].hasLine)
                    maxLine = std::max(maxLine, rs[i].line);
            }
            return std::pair<unsigned, unsigned>(BitWriter::unsignedBits(maxFill), BitWriter::unsignedBits(maxLine));
        };
        auto [fillBits, lineBits] = widths(recs, 0, fillCount, lineCount);
        if (fillBits > 15 || lineBits > 15)
            throw WriteError(user + ": style index too wide");
        w.flush();
        w.ubits(fillBits, 4);
        w.ubits(lineBits, 4);
        int32_t x = 0, y = 0;
        for (size_t i = 0; i < recs.size(); ++i) {
            const ShapeRecord& r = recs[i];
            if (r.kind == ShapeRecord::Kind::Style) {
                bool newStyles = r.newStyles != nullptr;
                if (newStyles && version < 2)
                    throw WriteError(user + ": new styles inside a shape need a later shape version");
                if (!newStyles && !r.hasLine && !r.hasFill0 && !r.hasFill1 && !r.hasMove)
                    continue; // would read as the end of the list
                w.ubits(0, 1);
                w.ubits(newStyles, 1);
                w.ubits(r.hasLine, 1);
                w.ubits(r.hasFill1, 1);
                w.ubits(r.hasFill0, 1);
                w.ubits(r.hasMove, 1);
                if (r.hasMove) {
                    x = twips(r.to.x);
                    y = twips(r.to.y);
                    unsigned n = std::max(BitWriter::signedBits(x), BitWriter::signedBits(y));
                    if (n > 31)
                        throw WriteError(user + ": move out of range");
                    w.ubits(n, 5);
                    w.sbits(x, n);
                    w.sbits(y, n);
                }
                if (r.hasFill0)
                    w.ubits(r.fill0, fillBits);
                if (r.hasFill1)
                    w.ubits(r.fill1, fillBits);
                if (r.hasLine)
                    w.ubits(r.line, lineBits);
                if (newStyles) {
                    styleArrays(w, r.newStyles->fills, r.newStyles->lines, version, user);
                    std::tie(fillBits, lineBits) = widths(recs, i, r.newStyles->fills.size(), r.newStyles->lines.size());
                    if (fillBits > 15 || lineBits > 15)
                        throw WriteError(user + ": style index too wide");
                    w.ubits(fillBits, 4);
                    w.ubits(lineBits, 4);
                }
                continue;
            }
            if (r.kind == ShapeRecord::Kind::Line) {
                int32_t dx = twips(r.to.x) - x, dy = twips(r.to.y) - y;
                unsigned n = std::max({ 2u, BitWriter::signedBits(dx), BitWriter::signedBits(dy) });
                if (n > 17)
                    throw WriteError(user + ": edge longer than a field holds");
                w.ubits(1, 1);
                w.ubits(1, 1);
                w.ubits(n - 2, 4);
                if (dx != 0 && dy != 0) {
                    w.ubits(1, 1);
                    w.sbits(dx, n);
                    w.sbits(dy, n);
                } else if (dx == 0) {
                    w.ubits(0, 1);
                    w.ubits(1, 1);
                    w.sbits(dy, n);
                } else {
                    w.ubits(0, 1);
                    w.ubits(0, 1);
                    w.sbits(dx, n);
                }
                x += dx;
                y += dy;
            } else {
                int32_t cx = twips(r.control.x) - x, cy = twips(r.control.y) - y;
                int32_t ax = twips(r.to.x) - x - cx, ay = twips(r.to.y) - y - cy;
                unsigned n = std::max({ 2u, BitWriter::signedBits(cx), BitWriter::signedBits(cy), BitWriter::signedBits(ax),
                                        BitWriter::signedBits(ay) });
                if (n > 17)
                    throw WriteError(user + ": curve longer than a field holds");
                w.ubits(1, 1);
                w.ubits(0, 1);
                w.ubits(n - 2, 4);
                w.sbits(cx, n);
                w.sbits(cy, n);
                w.sbits(ax, n);
                w.sbits(ay, n);
                x += cx + ax;
                y += cy + ay;
            }
        }
        w.ubits(0, 6); // end of the list
        w.flush();
    }

    void writeShape(BitWriter& out, uint16_t id, const Shape& s)
    {
        std::string user = where("shape", id);
        int version = needsShape4(s) ? 4 : 3;
        BitWriter w;
        w.u16(id);
        w.rect(s.bounds);
        if (version == 4) {
            w.rect(s.bounds);
            w.u8(s.windingRule ? 0x04 : 0x00);
        }
        styleArrays(w, s.fills, s.lines, version, user);
        records(w, s.records, s.fills.size(), s.lines.size(), version, user);
        putTag(out, version == 4 ? DefineShape4 : DefineShape3, w.take());
    }

    void writeMorph(BitWriter& out, uint16_t id, const MorphShape& m)
    {
        std::string user = where("morph shape", id);
        if (m.startFills.size() != m.endFills.size() || m.startLines.size() != m.endLines.size())
            throw WriteError(user + ": start and end styles do not pair up");
        BitWriter styles;
        auto count = [&](size_t n) {
            if (n < 255) {
                styles.u8(uint8_t(n));
            } else {
                styles.u8(0xff);
                styles.u16(uint16_t(n));
            }
        };
        count(m.startFills.size());
        for (size_t i = 0; i < m.startFills.size(); ++i) {
            const FillStyle& a = m.startFills[i];
            const FillStyle& b = m.endFills[i];
            if (a.kind != b.kind)
                throw WriteError(user + ": start and end fills differ in kind");
            switch (a.kind) {
            case FillStyle::Kind::Solid:
                styles.u8(0x00);
                styles.rgba(a.color);
                styles.rgba(b.color);
                break;
            case FillStyle::Kind::Linear:
            case FillStyle::Kind::Radial:
            case FillStyle::Kind::Focal: {
                styles.u8(a.kind == FillStyle::Kind::Linear ? 0x10 : a.kind == FillStyle::Kind::Radial ? 0x12 : 0x13);
                styles.matrix(a.matrix);
                styles.matrix(b.matrix);
                if (a.gradient.stops.size() != b.gradient.stops.size() || a.gradient.stops.empty() || a.gradient.stops.size() > 15)
                    throw WriteError(user + ": gradient stops do not pair up");
                styles.u8(uint8_t(a.gradient.stops.size()));
                for (size_t k = 0; k < a.gradient.stops.size(); ++k) {
                    styles.u8(a.gradient.stops[k].ratio);
                    styles.rgba(a.gradient.stops[k].color);
                    styles.u8(b.gradient.stops[k].ratio);
                    styles.rgba(b.gradient.stops[k].color);
                }
                if (a.kind == FillStyle::Kind::Focal) {
                    styles.s16(int16_t(std::lround(a.gradient.focal * 256)));
                    styles.s16(int16_t(std::lround(b.gradient.focal * 256)));
                }
                break;
            }
            case FillStyle::Kind::Bitmap:
                need(a.bitmapId, user);
                styles.u8(uint8_t(0x40 | (a.repeat ? 0 : 1) | (a.smooth ? 0 : 2)));
                styles.u16(a.bitmapId);
                styles.matrix(a.matrix);
                styles.matrix(b.matrix);
                break;
            }
        }
        count(m.startLines.size());
        for (size_t i = 0; i < m.startLines.size(); ++i) {
            if (m.startLines[i].fill || m.endLines[i].fill)
                throw WriteError(user + ": filled lines need a later morph version");
            styles.u16(m.startLines[i].width);
            styles.u16(m.endLines[i].width);
            styles.rgba(m.startLines[i].color);
            styles.rgba(m.endLines[i].color);
        }
        records(styles, m.startRecords, m.startFills.size(), m.startLines.size(), 1, user);
        std::vector<uint8_t> startPart = styles.take();
        BitWriter endPart;
        records(endPart, m.endRecords, 0, 0, 1, user);

        BitWriter w;
        w.u16(id);
        w.rect(m.startBounds);
        w.rect(m.endBounds);
        w.u32(uint32_t(startPart.size()));
        w.bytes(startPart);
        w.bytes(endPart.take());
        putTag(out, DefineMorphShape, w.take());
    }

    // -- bitmaps --

    void writeBitmap(BitWriter& out, uint16_t id, const Bitmap& b)
    {
        std::string user = where("bitmap", id);
        if (b.kind == Bitmap::Kind::Encoded) {
            if (b.encoded.empty())
                throw WriteError(user + ": no picture data");
            BitWriter w;
            w.u16(id);
            if (b.alpha.empty()) {
                w.bytes(b.encoded);
                putTag(out, DefineBitsJpeg2, w.take());
                return;
            }
            if (!isJpeg(b.encoded))
                throw WriteError(user + ": an alpha plane goes with JPEG data only");
            w.u32(uint32_t(b.encoded.size()));
            w.bytes(b.encoded);
            w.bytes(deflate(b.alpha));
            putTag(out, DefineBitsJpeg3, w.take());
            return;
        }
        if (b.width == 0 || b.height == 0 || b.width > 65535 || b.height > 65535 || b.pixels.size() != size_t(b.width) * b.height)
            throw WriteError(user + ": pixels do not match the size");
        bool opaque = std::all_of(b.pixels.begin(), b.pixels.end(), [](uint32_t p) { return (p >> 24) == 0xff; });
        std::unordered_map<uint32_t, uint8_t> index;
        std::vector<uint32_t> palette;
        for (uint32_t p : b.pixels) {
            if (index.count(p))
                continue;
            if (palette.size() == 256)
                break;
            index[p] = uint8_t(palette.size());
            palette.push_back(p);
        }
        bool paletted = index.size() == palette.size() && std::all_of(b.pixels.begin(), b.pixels.end(), [&](uint32_t p) { return index.count(p) != 0; });
        std::vector<uint8_t> raw;
        if (paletted) {
            for (uint32_t p : palette) {
                raw.push_back(uint8_t(p >> 16));
                raw.push_back(uint8_t(p >> 8));
                raw.push_back(uint8_t(p));
                if (!opaque)
                    raw.push_back(uint8_t(p >> 24));
            }
            size_t stride = (b.width + 3) & ~size_t(3);
            for (uint32_t y = 0; y < b.height; ++y) {
                for (uint32_t x = 0; x < b.width; ++x)
                    raw.push_back(index[b.pixels[size_t(y) * b.width + x]]);
                raw.insert(raw.end(), stride - b.width, 0);
            }
        } else {
            for (uint32_t p : b.pixels) {
                raw.push_back(opaque ? 0xff : uint8_t(p >> 24));
                raw.push_back(uint8_t(p >> 16));
                raw.push_back(uint8_t(p >> 8));
                raw.push_back(uint8_t(p));
            }
        }
        BitWriter w;
        w.u16(id);
        w.u8(paletted ? 3 : 5);
        w.u16(uint16_t(b.width));
        w.u16(uint16_t(b.height));
        if (paletted)
            w.u8(uint8_t(palette.size() - 1));
        w.bytes(deflate(raw));
        putTag(out, opaque ? DefineBitsLossless : DefineBitsLossless2, w.take());
    }

    static std::vector<uint8_t> deflate(const std::vector<uint8_t>& in)
    {
        uLongf size = compressBound(uLong(in.size()));
        std::vector<uint8_t> out(size);
        if (compress2(out.data(), &size, in.data(), uLong(in.size()), 9) != Z_OK)
            throw WriteError("zlib failed");
        out.resize(size);
        return out;
    }

    // -- fonts and text --

    void writeFont(BitWriter& out, uint16_t id, const Font& f)
    {
        std::string user = where("font", id);
        if (f.glyphs.size() > 65535)
            throw WriteError(user + ": too many glyphs");
        if (!f.codes.empty() && f.codes.size() != f.glyphs.size())
            throw WriteError(user + ": one code per glyph");
        if (f.name.size() > 255)
            throw WriteError(user + ": name too long");
        std::vector<std::vector<uint8_t>> shapes;
        for (const Glyph& g : f.glyphs) {
            BitWriter gw;
            records(gw, g.records, 1, 0, 1, user);
            shapes.push_back(gw.take());
        }
        size_t n = f.glyphs.size();
        size_t glyphBytes = 0;
        for (const auto& s : shapes)
            glyphBytes += s.size();
        bool wide = (n + 1) * 2 + glyphBytes > 65535;
        size_t offsetSize = wide ? 4 : 2;
        BitWriter w;
        w.u16(id);
        uint8_t flags = uint8_t((f.hasLayout ? 0x80 : 0) | (wide ? 0x08 : 0) | 0x04 | (f.italic ? 0x02 : 0) | (f.bold ? 0x01 : 0));
        w.u8(flags);
        w.u8(0); // language
        w.u8(uint8_t(f.name.size()));
        w.bytes(reinterpret_cast<const uint8_t*>(f.name.data()), f.name.size());
        w.u16(uint16_t(n));
        size_t offset = (n + 1) * offsetSize;
        auto putOffset = [&](size_t v) { wide ? w.u32(uint32_t(v)) : w.u16(uint16_t(v)); };
        for (const auto& s : shapes) {
            putOffset(offset);
            offset += s.size();
        }
        putOffset(offset); // the code table
        for (const auto& s : shapes)
            w.bytes(s);
        for (size_t i = 0; i < n; ++i)
            w.u16(i < f.codes.size() ? f.codes[i] : 0);
        if (f.hasLayout) {
            w.u16(uint16_t(std::lround(f.ascent)));
            w.u16(uint16_t(std::lround(f.descent)));
            w.s16(int16_t(std::lround(f.leading)));
            for (const Glyph& g : f.glyphs)
                w.s16(int16_t(std::lround(g.advance)));
            for (const Glyph& g : f.glyphs)
                w.rect(glyphBounds(g));
            w.u16(0); // no kerning pairs
        }
        putTag(out, f.emSquare20 ? DefineFont3 : DefineFont2, w.take());
    }

    static Rect glyphBounds(const Glyph& g)
    {
        if (g.records.empty())
            return {};
        double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
        auto add = [&](Point p) {
            x0 = std::min(x0, p.x);
            y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        };
        for (const ShapeRecord& r : g.records) {
            if (r.kind == ShapeRecord::Kind::Style && !r.hasMove)
                continue;
            add(r.to);
            if (r.kind == ShapeRecord::Kind::Curve)
                add(r.control);
        }
        if (x0 > x1)
            return {};
        return { int32_t(std::floor(x0)), int32_t(std::ceil(x1)), int32_t(std::floor(y0)), int32_t(std::ceil(y1)) };
    }

    void writeText(BitWriter& out, uint16_t id, const Text& t)
    {
        std::string user = where("text", id);
        bool alpha = false;
        uint32_t maxIndex = 0;
        int32_t maxAdvance = 0;
        for (const TextRun& run : t.runs) {
            alpha = alpha || run.color.a != 255;
            need(run.fontId, user);
            if (run.glyphs.empty() || run.glyphs.size() > 255)
                throw WriteError(user + ": a run holds 1 to 255 glyphs");
            for (const TextGlyph& g : run.glyphs) {
                maxIndex = std::max(maxIndex, g.index);
                maxAdvance = std::max(maxAdvance, std::abs(g.advance));
            }
        }
        unsigned glyphBits = std::max(1u, BitWriter::unsignedBits(maxIndex));
        unsigned advanceBits = std::max(2u, BitWriter::signedBits(maxAdvance));
        BitWriter w;
        w.u16(id);
        w.rect(t.bounds);
        w.matrix(t.matrix);
        w.u8(uint8_t(glyphBits));
        w.u8(uint8_t(advanceBits));
        // The reader carries font, colour and pen from record to record;
        // each record states only what changes.
        uint16_t font = 0;
        double height = 0, x = 0, y = 0;
        Rgba color { 0, 0, 0, 255 };
        for (const TextRun& run : t.runs) {
            bool hasFont = run.fontId != font || run.height != height;
            bool hasColor = !(run.color == color);
            bool hasX = run.x != x, hasY = run.y != y;
            w.u8(uint8_t(0x80 | (hasFont ? 0x08 : 0) | (hasColor ? 0x04 : 0) | (hasY ? 0x02 : 0) | (hasX ? 0x01 : 0)));
            auto s16 = [&](double v) {
                long r = std::lround(v);
                if (r < -32768 || r > 32767)
                    throw WriteError(user + ": text offset out of range");
                w.s16(int16_t(r));
            };
            if (hasFont)
                w.u16(run.fontId);
            if (hasColor)
                alpha ? w.rgba(run.color) : w.rgb(run.color);
            if (hasX)
                s16(run.x);
            if (hasY)
                s16(run.y);
            if (hasFont) {
                if (run.height < 0 || run.height > 65535)
                    throw WriteError(user + ": text height out of range");
                w.u16(uint16_t(std::lround(run.height)));
            }
            w.u8(uint8_t(run.glyphs.size()));
            x = run.x;
            for (const TextGlyph& g : run.glyphs) {
                w.ubits(g.index, glyphBits);
                w.sbits(g.advance, advanceBits);
                x += g.advance;
            }
            w.flush();
            font = run.fontId;
            height = run.height;
            color = run.color;
            y = run.y;
        }
        w.u8(0);
        putTag(out, alpha ? DefineText2 : DefineText, w.take());
    }

    // -- timelines --

    void writeSprite(BitWriter& out, uint16_t id, const Sprite& s)
    {
        if (!s.timeline)
            throw WriteError(where("sprite", id) + ": no timeline");
        BitWriter w;
        w.u16(id);
        w.u16(uint16_t(s.timeline->frames.size()));
        writeTimeline(w, *s.timeline, where("sprite", id));
        putTag(w, End, {});
        putTag(out, DefineSprite, w.take());
    }

    void writeTimeline(BitWriter& out, const Timeline& t, const std::string& owner)
    {
        for (size_t i = 0; i < t.frames.size(); ++i) {
            const Frame& f = t.frames[i];
            std::string user = owner + " frame " + std::to_string(i + 1);
            for (const ControlTag& tag : f.tags)
                writeControl(out, tag, user);
            if (!f.label.empty()) {
                BitWriter w;
                w.string(f.label);
                putTag(out, FrameLabel, w.take());
            }
            putTag(out, ShowFrame, {});
        }
    }

    void writeControl(BitWriter& out, const ControlTag& tag, const std::string& user)
    {
        if (const auto* p = std::get_if<PlaceObject>(&tag)) {
            if (p->characterId)
                need(*p->characterId, user);
            bool three = p->visible.has_value();
            BitWriter w;
            uint8_t flags = uint8_t((p->move ? 0x01 : 0) | (p->characterId ? 0x02 : 0) | (p->matrix ? 0x04 : 0)
                                    | (p->colorTransform ? 0x08 : 0) | (p->ratio ? 0x10 : 0) | (p->name ? 0x20 : 0)
                                    | (p->clipDepth ? 0x40 : 0));
            w.u8(flags);
            if (three)
                w.u8(0x20);
            w.u16(p->depth);
            if (p->characterId)
                w.u16(*p->characterId);
            if (p->matrix)
                w.matrix(*p->matrix);
            if (p->colorTransform)
                w.colorTransform(*p->colorTransform, true);
            if (p->ratio)
                w.u16(*p->ratio);
            if (p->name)
                w.string(*p->name);
            if (p->clipDepth)
                w.u16(*p->clipDepth);
            if (three) {
                w.u8(*p->visible ? 1 : 0);
                w.rgba({ 0, 0, 0, 0 });
            }
            putTag(out, three ? PlaceObject3 : PlaceObject2, w.take());
        } else if (const auto* r = std::get_if<RemoveObject>(&tag)) {
            BitWriter w;
            w.u16(r->depth);
            putTag(out, RemoveObject2, w.take());
        } else if (const auto* a = std::get_if<DoAction>(&tag)) {
            BitWriter w;
            for (const Action& act : a->actions) {
                switch (act.kind) {
                case Action::Kind::Stop: w.u8(0x07); break;
                case Action::Kind::Play: w.u8(0x06); break;
                case Action::Kind::NextFrame: w.u8(0x04); break;
                case Action::Kind::PrevFrame: w.u8(0x05); break;
                case Action::Kind::GotoFrame:
                    if (act.frame > 65535)
                        throw WriteError(user + ": frame number out of range");
                    w.u8(0x81);
                    w.u16(2);
                    w.u16(uint16_t(act.frame));
                    break;
                case Action::Kind::GotoLabel:
                    w.u8(0x8C);
                    w.u16(uint16_t(act.label.size() + 1));
                    w.string(act.label);
                    break;
                }
            }
            w.u8(0);
            putTag(out, DoActionTag, w.take());
        } else if (const auto* bg = std::get_if<SetBackground>(&tag)) {
            BitWriter w;
            w.rgb(bg->color);
            putTag(out, SetBackgroundColor, w.take());
        }
    }

    const Movie& m_movie;
    const WriteOptions& m_options;
    std::set<uint16_t> m_defined;
};

} // namespace

std::vector<uint8_t> writeMovie(const Movie& movie, const WriteOptions& options)
{
    return MovieWriter(movie, options).run();
}

} // namespace yelvanis::swf
