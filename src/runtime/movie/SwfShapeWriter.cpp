#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf {

namespace {

uint32_t capCode(LineStyle::Cap c)
{
    return c == LineStyle::Cap::None ? 1u : c == LineStyle::Cap::Square ? 2u : 0u;
}

uint32_t joinCode(LineStyle::Join j)
{
    return j == LineStyle::Join::Bevel ? 1u : j == LineStyle::Join::Miter ? 2u : 0u;
}

} // namespace

uint8_t fillType(const FillStyle& f)
{
    switch (f.kind) {
    case FillStyle::Kind::Solid: return 0x00;
    case FillStyle::Kind::Linear: return 0x10;
    case FillStyle::Kind::Radial: return 0x12;
    case FillStyle::Kind::Focal: return 0x13;
    case FillStyle::Kind::Bitmap: return uint8_t(0x40 | (f.repeat ? 0 : 1) | (f.smooth ? 0 : 2));
    }
    return 0;
}

uint8_t gradientHead(const Gradient& g, size_t count)
{
    uint8_t spread = g.spread == Gradient::Spread::Reflect ? 1 : g.spread == Gradient::Spread::Repeat ? 2 : 0;
    return uint8_t((spread << 6) | ((g.linearRgb ? 1 : 0) << 4) | count);
}

int16_t focalField(double focal)
{
    return int16_t(std::lround(std::clamp(focal, -1.0, 1.0) * 256));
}

bool plainLine(const LineStyle& l)
{
    return l.startCap == LineStyle::Cap::Round && l.endCap == LineStyle::Cap::Round && l.join == LineStyle::Join::Round
        && !l.noHScale && !l.noVScale && !l.noClose && !l.pixelHinting && !l.fill;
}

bool plainLines(const std::vector<LineStyle>& lines)
{
    return std::all_of(lines.begin(), lines.end(), plainLine);
}

void lineFlags(BitWriter& w, const LineStyle& l)
{
    w.ubits(capCode(l.startCap), 2);
    w.ubits(joinCode(l.join), 2);
    w.ubits(l.fill ? 1 : 0, 1);
    w.ubits(l.noHScale, 1);
    w.ubits(l.noVScale, 1);
    w.ubits(l.pixelHinting, 1);
    w.ubits(0, 5);
    w.ubits(l.noClose, 1);
    w.ubits(capCode(l.endCap), 2);
    if (l.join == LineStyle::Join::Miter)
        w.u16(uint16_t(std::lround(std::clamp(l.miterLimit, 0.0, 255.0) * 256)));
}

namespace {

void color(BitWriter& w, Rgba c, int shapeVersion, const std::string& user)
{
    if (shapeVersion >= 3) {
        w.rgba(c);
        return;
    }
    if (c.a != 255)
        throw WriteError(user + ": a colour with alpha needs shape version 3");
    w.rgb(c);
}

void fillStyle(BitWriter& w, const FillStyle& f, int version, const WriteContext& ctx, const std::string& user)
{
    w.u8(fillType(f));
    switch (f.kind) {
    case FillStyle::Kind::Solid:
        color(w, f.color, version, user);
        return;
    case FillStyle::Kind::Linear:
    case FillStyle::Kind::Radial:
    case FillStyle::Kind::Focal:
        w.matrix(f.matrix);
        if (f.gradient.stops.empty() || f.gradient.stops.size() > 15)
            throw WriteError(user + ": a gradient needs 1 to 15 stops");
        w.u8(gradientHead(f.gradient, f.gradient.stops.size()));
        for (const GradientStop& s : f.gradient.stops) {
            w.u8(s.ratio);
            color(w, s.color, version, user);
        }
        if (f.kind == FillStyle::Kind::Focal)
            w.s16(focalField(f.gradient.focal));
        return;
    case FillStyle::Kind::Bitmap:
        ctx.need(f.bitmapId, user);
        w.u16(f.bitmapId);
        w.matrix(f.matrix);
        return;
    }
}

void lineStyle(BitWriter& w, const LineStyle& l, int version, const WriteContext& ctx, const std::string& user)
{
    w.u16(l.width);
    if (version < 4) {
        if (!plainLine(l))
            throw WriteError(user + ": caps, joins, flags and filled lines need shape version 4");
        color(w, l.color, version, user);
        return;
    }
    lineFlags(w, l);
    if (l.fill)
        fillStyle(w, *l.fill, 4, ctx, user);
    else
        w.rgba(l.color);
}

void styleCount(BitWriter& w, size_t n, bool extendedAllowed, const std::string& user)
{
    if (n < 255) {
        w.u8(uint8_t(n));
        return;
    }
    if (!extendedAllowed || n > 65535)
        throw WriteError(user + ": too many styles for this shape version");
    w.u8(0xff);
    w.u16(uint16_t(n));
}

void styleArrays(BitWriter& w, const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines, int version,
                 const WriteContext& ctx, const std::string& user)
{
    styleCount(w, fills.size(), version >= 2, user);
    for (const FillStyle& f : fills)
        fillStyle(w, f, version, ctx, user);
    styleCount(w, lines.size(), true, user);
    for (const LineStyle& l : lines)
        lineStyle(w, l, version, ctx, user);
}

// Index widths for the records from `from` up to the next style table.
std::pair<unsigned, unsigned> indexWidths(const std::vector<ShapeRecord>& rs, size_t from, size_t fillCount, size_t lineCount,
                                          const std::string& user)
{
    uint32_t maxFill = uint32_t(fillCount), maxLine = uint32_t(lineCount);
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
    unsigned fillBits = BitWriter::unsignedBits(maxFill), lineBits = BitWriter::unsignedBits(maxLine);
    if (fillBits > 15 || lineBits > 15)
        throw WriteError(user + ": style index too wide");
    return { fillBits, lineBits };
}

void styleChange(BitWriter& w, const ShapeRecord& r, int32_t& x, int32_t& y, unsigned fillBits, unsigned lineBits,
                 const std::string& user)
{
    w.ubits(0, 1);
    w.ubits(r.newStyles != nullptr, 1);
    w.ubits(r.hasLine, 1);
    w.ubits(r.hasFill1, 1);
    w.ubits(r.hasFill0, 1);
    w.ubits(r.hasMove, 1);
    if (r.hasMove) {
        x = BitWriter::twips(r.to.x);
        y = BitWriter::twips(r.to.y);
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
}

void edge(BitWriter& w, const ShapeRecord& r, int32_t& x, int32_t& y, const std::string& user)
{
    if (r.kind == ShapeRecord::Kind::Line) {
        int32_t dx = BitWriter::twips(r.to.x) - x, dy = BitWriter::twips(r.to.y) - y;
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
        return;
    }
    int32_t cx = BitWriter::twips(r.control.x) - x, cy = BitWriter::twips(r.control.y) - y;
    int32_t ax = BitWriter::twips(r.to.x) - x - cx, ay = BitWriter::twips(r.to.y) - y - cy;
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

} // namespace

int shapeVersionFor(const Shape& s)
{
    if (s.windingRule || !plainLines(s.lines))
        return 4;
    for (const ShapeRecord& r : s.records)
        if (r.newStyles && !plainLines(r.newStyles->lines))
            return 4;
    return 3;
}

void writeShapeRecords(BitWriter& w, const std::vector<ShapeRecord>& recs, size_t fillCount, size_t lineCount, int version,
                       const WriteContext& ctx, const std::string& user)
{
    auto [fillBits, lineBits] = indexWidths(recs, 0, fillCount, lineCount, user);
    w.flush();
    w.ubits(fillBits, 4);
    w.ubits(lineBits, 4);
    int32_t x = 0, y = 0;
    for (size_t i = 0; i < recs.size(); ++i) {
        const ShapeRecord& r = recs[i];
        if (r.kind != ShapeRecord::Kind::Style) {
            edge(w, r, x, y, user);
            continue;
        }
        bool newStyles = r.newStyles != nullptr;
        if (newStyles && version < 2)
            throw WriteError(user + ": new styles inside a shape need a later shape version");
        if (!newStyles && !r.hasLine && !r.hasFill0 && !r.hasFill1 && !r.hasMove)
            continue; // would read as the end of the list
        styleChange(w, r, x, y, fillBits, lineBits, user);
        if (newStyles) {
            styleArrays(w, r.newStyles->fills, r.newStyles->lines, version, ctx, user);
            std::tie(fillBits, lineBits) = indexWidths(recs, i, r.newStyles->fills.size(), r.newStyles->lines.size(), user);
            w.ubits(fillBits, 4);
            w.ubits(lineBits, 4);
        }
    }
    w.ubits(0, 6); // end of the list
    w.flush();
}

void writeDefineShape(BitWriter& out, uint16_t id, const Shape& s, int version, const WriteContext& ctx)
{
    static constexpr uint16_t kCodes[] = { tag::DefineShape, tag::DefineShape2, tag::DefineShape3, tag::DefineShape4 };
    std::string user = where("shape", id);
    if (version < 1 || version > 4)
        throw WriteError(user + ": no shape version " + std::to_string(version));
    if (s.windingRule && version < 4)
        throw WriteError(user + ": the winding rule needs shape version 4");
    BitWriter w;
    w.u16(id);
    w.rect(s.bounds);
    if (version == 4) {
        w.rect(s.bounds); // edge bounds: the same, strokes included
        w.u8(s.windingRule ? 0x04 : 0x00);
    }
    styleArrays(w, s.fills, s.lines, version, ctx, user);
    writeShapeRecords(w, s.records, s.fills.size(), s.lines.size(), version, ctx, user);
    out.tag(kCodes[version - 1], w.take());
}

} // namespace yelvanis::swf
