#include "runtime/movie/SwfTagReaders.h"

#include <algorithm>

namespace yelvanis::swf {

namespace {

Gradient readGradient(SwfStream& s, int shapeVersion, bool focal)
{
    Gradient g;
    s.align();
    uint32_t spread = s.ubits(2);
    uint32_t interpolation = s.ubits(2);
    uint32_t count = s.ubits(4);
    g.spread = spread == 1 ? Gradient::Spread::Reflect : spread == 2 ? Gradient::Spread::Repeat : Gradient::Spread::Pad;
    g.linearRgb = interpolation == 1;
    for (uint32_t i = 0; i < count; ++i) {
        GradientStop stop;
        stop.ratio = s.u8();
        stop.color = shapeVersion >= 3 ? s.rgba() : s.rgb();
        g.stops.push_back(stop);
    }
    if (focal)
        g.focal = std::clamp(s.s16() / 256.0, -1.0, 1.0);
    return g;
}

void setBitmapKind(FillStyle& f, uint8_t type)
{
    f.kind = FillStyle::Kind::Bitmap;
    f.repeat = (type & 1) == 0;
    f.smooth = (type & 2) == 0;
}

LineStyle readLineStyle(SwfStream& s, int shapeVersion)
{
    LineStyle l;
    l.width = s.u16();
    if (shapeVersion < 4) {
        l.color = shapeVersion >= 3 ? s.rgba() : s.rgb();
        return l;
    }
    auto cap = [](uint32_t v) { return v == 1 ? LineStyle::Cap::None : v == 2 ? LineStyle::Cap::Square : LineStyle::Cap::Round; };
    l.startCap = cap(s.ubits(2));
    uint32_t join = s.ubits(2);
    l.join = join == 1 ? LineStyle::Join::Bevel : join == 2 ? LineStyle::Join::Miter : LineStyle::Join::Round;
    bool hasFill = s.bit();
    l.noHScale = s.bit();
    l.noVScale = s.bit();
    l.pixelHinting = s.bit();
    s.ubits(5);
    l.noClose = s.bit();
    l.endCap = cap(s.ubits(2));
    if (l.join == LineStyle::Join::Miter)
        l.miterLimit = s.u16() / 256.0;
    if (hasFill) {
        l.fill = readFillStyle(s, 4);
        l.color = l.fill->kind == FillStyle::Kind::Solid ? l.fill->color
                                                          : (l.fill->gradient.stops.empty() ? Rgba {} : l.fill->gradient.stops.front().color);
    } else {
        l.color = s.rgba();
    }
    return l;
}

uint32_t readCount(SwfStream& s, bool extended)
{
    uint32_t n = s.u8();
    if (n == 0xff && extended)
        n = s.u16();
    return n;
}

void readStyles(SwfStream& s, int shapeVersion, std::vector<FillStyle>& fills, std::vector<LineStyle>& lines)
{
    uint32_t fillCount = readCount(s, shapeVersion >= 2);
    for (uint32_t i = 0; i < fillCount; ++i)
        fills.push_back(readFillStyle(s, shapeVersion));
    uint32_t lineCount = readCount(s, true);
    for (uint32_t i = 0; i < lineCount; ++i)
        lines.push_back(readLineStyle(s, shapeVersion));
}

// Morph styles: start and end interleaved in one record.
void readMorphFill(SwfStream& s, FillStyle& a, FillStyle& b)
{
    uint8_t type = s.u8();
    switch (type) {
    case 0x00:
        a.color = s.rgba();
        b.color = s.rgba();
        break;
    case 0x10: case 0x12: case 0x13: {
        a.kind = b.kind = type == 0x10 ? FillStyle::Kind::Linear : type == 0x12 ? FillStyle::Kind::Radial : FillStyle::Kind::Focal;
        a.matrix = s.matrix();
        b.matrix = s.matrix();
        uint8_t head = s.u8();
        uint32_t spread = (head >> 6) & 3;
        a.gradient.spread = b.gradient.spread = spread == 1 ? Gradient::Spread::Reflect : spread == 2 ? Gradient::Spread::Repeat : Gradient::Spread::Pad;
        a.gradient.linearRgb = b.gradient.linearRgb = ((head >> 4) & 3) == 1;
        uint32_t count = head & 0x0f;
        for (uint32_t i = 0; i < count; ++i) {
            GradientStop sa, sb;
            sa.ratio = s.u8();
            sa.color = s.rgba();
            sb.ratio = s.u8();
            sb.color = s.rgba();
            a.gradient.stops.push_back(sa);
            b.gradient.stops.push_back(sb);
        }
        if (type == 0x13) {
            a.gradient.focal = std::clamp(s.s16() / 256.0, -1.0, 1.0);
            b.gradient.focal = std::clamp(s.s16() / 256.0, -1.0, 1.0);
        }
        break;
    }
    case 0x40: case 0x41: case 0x42: case 0x43:
        setBitmapKind(a, type);
        setBitmapKind(b, type);
        a.bitmapId = b.bitmapId = s.u16();
        a.matrix = s.matrix();
        b.matrix = s.matrix();
        break;
    default:
        s.fail("unknown morph fill style type " + std::to_string(type));
    }
}

void readMorphLine(SwfStream& s, int morphVersion, LineStyle& a, LineStyle& b)
{
    a.width = s.u16();
    b.width = s.u16();
    if (morphVersion == 1) {
        a.color = s.rgba();
        b.color = s.rgba();
        return;
    }
    auto cap = [](uint32_t v) { return v == 1 ? LineStyle::Cap::None : v == 2 ? LineStyle::Cap::Square : LineStyle::Cap::Round; };
    a.startCap = b.startCap = cap(s.ubits(2));
    uint32_t join = s.ubits(2);
    a.join = b.join = join == 1 ? LineStyle::Join::Bevel : join == 2 ? LineStyle::Join::Miter : LineStyle::Join::Round;
    bool hasFill = s.bit();
    a.noHScale = b.noHScale = s.bit();
    a.noVScale = b.noVScale = s.bit();
    a.pixelHinting = b.pixelHinting = s.bit();
    s.ubits(5);
    a.noClose = b.noClose = s.bit();
    a.endCap = b.endCap = cap(s.ubits(2));
    if (a.join == LineStyle::Join::Miter)
        a.miterLimit = b.miterLimit = s.u16() / 256.0;
    if (hasFill) {
        FillStyle fa, fb;
        readMorphFill(s, fa, fb);
        a.color = fa.kind == FillStyle::Kind::Solid ? fa.color : (fa.gradient.stops.empty() ? Rgba {} : fa.gradient.stops.front().color);
        b.color = fb.kind == FillStyle::Kind::Solid ? fb.color : (fb.gradient.stops.empty() ? Rgba {} : fb.gradient.stops.front().color);
        a.fill = fa;
        b.fill = fb;
    } else {
        a.color = s.rgba();
        b.color = s.rgba();
    }
}

} // namespace

FillStyle readFillStyle(SwfStream& s, int shapeVersion)
{
    FillStyle f;
    uint8_t type = s.u8();
    switch (type) {
    case 0x00:
        f.color = shapeVersion >= 3 ? s.rgba() : s.rgb();
        break;
    case 0x10: case 0x12: case 0x13:
        f.kind = type == 0x10 ? FillStyle::Kind::Linear : type == 0x12 ? FillStyle::Kind::Radial : FillStyle::Kind::Focal;
        f.matrix = s.matrix();
        f.gradient = readGradient(s, shapeVersion, type == 0x13);
        break;
    case 0x40: case 0x41: case 0x42: case 0x43:
        setBitmapKind(f, type);
        f.bitmapId = s.u16();
        f.matrix = s.matrix();
        break;
    default:
        s.fail("unknown fill style type " + std::to_string(type));
    }
    return f;
}

std::vector<ShapeRecord> readShapeRecords(SwfStream& s, int shapeVersion, ReadContext& ctx, std::vector<FillStyle>* fills,
                                          std::vector<LineStyle>* lines)
{
    std::vector<ShapeRecord> records;
    s.align();
    unsigned fillBits = s.ubits(4);
    unsigned lineBits = s.ubits(4);
    double x = 0, y = 0;
    while (true) {
        if (++ctx.shapeRecords > ctx.limits.maxShapeRecords)
            s.fail("too many shape records in the movie");
        ShapeRecord r;
        if (!s.bit()) {
            bool newStyles = s.bit();
            bool hasLine = s.bit();
            bool hasFill1 = s.bit();
            bool hasFill0 = s.bit();
            bool hasMove = s.bit();
            if (!newStyles && !hasLine && !hasFill1 && !hasFill0 && !hasMove)
                break;
            r.kind = ShapeRecord::Kind::Style;
            if (hasMove) {
                unsigned n = s.ubits(5);
                x = s.sbits(n);
                y = s.sbits(n);
                r.hasMove = true;
            }
            if (hasFill0) {
                r.hasFill0 = true;
                r.fill0 = s.ubits(fillBits);
            }
            if (hasFill1) {
                r.hasFill1 = true;
                r.fill1 = s.ubits(fillBits);
            }
            if (hasLine) {
                r.hasLine = true;
                r.line = s.ubits(lineBits);
            }
            // Glyphs and morph edges have no room for new styles.
            if (newStyles && fills && lines) {
                auto tables = std::make_shared<StyleTables>();
                readStyles(s, shapeVersion, tables->fills, tables->lines);
                r.newStyles = std::move(tables);
                s.align();
                fillBits = s.ubits(4);
                lineBits = s.ubits(4);
            }
            r.to = { x, y };
        } else if (s.bit()) {
            unsigned n = s.ubits(4) + 2;
            r.kind = ShapeRecord::Kind::Line;
            if (s.bit()) {
                x += s.sbits(n);
                y += s.sbits(n);
            } else if (s.bit()) {
                y += s.sbits(n);
            } else {
                x += s.sbits(n);
            }
            r.to = { x, y };
        } else {
            unsigned n = s.ubits(4) + 2;
            r.kind = ShapeRecord::Kind::Curve;
            x += s.sbits(n);
            y += s.sbits(n);
            r.control = { x, y };
            x += s.sbits(n);
            y += s.sbits(n);
            r.to = { x, y };
        }
        records.push_back(std::move(r));
    }
    s.align();
    return records;
}

void readDefineShape(SwfStream& s, int shapeVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    Shape shape;
    shape.bounds = s.rect();
    if (shapeVersion >= 4) {
        s.rect(); // edge bounds
        uint8_t flags = s.u8();
        shape.windingRule = (flags & 0x04) != 0;
    }
    readStyles(s, shapeVersion, shape.fills, shape.lines);
    shape.records = readShapeRecords(s, shapeVersion, ctx, &shape.fills, &shape.lines);
    ctx.movie.characters[id] = std::move(shape);
}

void readDefineMorphShape(SwfStream& s, int morphVersion, ReadContext& ctx)
{
    uint16_t id = s.u16();
    MorphShape m;
    m.startBounds = s.rect();
    m.endBounds = s.rect();
    if (morphVersion >= 2) {
        s.rect();
        s.rect();
        s.u8();
    }
    uint32_t offset = s.u32();
    size_t endEdgesAt = s.position() + offset;
    uint32_t fillCount = readCount(s, true);
    for (uint32_t i = 0; i < fillCount; ++i) {
        FillStyle a, b;
        readMorphFill(s, a, b);
        m.startFills.push_back(std::move(a));
        m.endFills.push_back(std::move(b));
    }
    uint32_t lineCount = readCount(s, true);
    for (uint32_t i = 0; i < lineCount; ++i) {
        LineStyle a, b;
        readMorphLine(s, morphVersion, a, b);
        m.startLines.push_back(std::move(a));
        m.endLines.push_back(std::move(b));
    }
    // Morph edges never carry new styles: the style arrays above are the only ones.
    m.startRecords = readShapeRecords(s, 1, ctx, nullptr, nullptr);
    if (offset != 0 && endEdgesAt >= s.position() && endEdgesAt <= s.position() + s.remaining())
        s.skip(endEdgesAt - s.position());
    m.endRecords = readShapeRecords(s, 1, ctx, nullptr, nullptr);
    ctx.movie.characters[id] = std::move(m);
}

} // namespace yelvanis::swf
