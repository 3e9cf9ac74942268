#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

namespace yelvanis::swf {

namespace {

// Morph styles: start and end interleaved in one record.
void morphFill(BitWriter& w, const FillStyle& a, const FillStyle& b, const WriteContext& ctx, const std::string& user)
{
    if (a.kind != b.kind)
        throw WriteError(user + ": start and end fills differ in kind");
    w.u8(fillType(a));
    switch (a.kind) {
    case FillStyle::Kind::Solid:
        w.rgba(a.color);
        w.rgba(b.color);
        return;
    case FillStyle::Kind::Linear:
    case FillStyle::Kind::Radial:
    case FillStyle::Kind::Focal: {
        w.matrix(a.matrix);
        w.matrix(b.matrix);
        const auto& as = a.gradient.stops;
        const auto& bs = b.gradient.stops;
        if (as.size() != bs.size() || as.empty() || as.size() > 15)
            throw WriteError(user + ": gradient stops do not pair up");
        w.u8(gradientHead(a.gradient, as.size()));
        for (size_t k = 0; k < as.size(); ++k) {
            w.u8(as[k].ratio);
            w.rgba(as[k].color);
            w.u8(bs[k].ratio);
            w.rgba(bs[k].color);
        }
        if (a.kind == FillStyle::Kind::Focal) {
            w.s16(focalField(a.gradient.focal));
            w.s16(focalField(b.gradient.focal));
        }
        return;
    }
    case FillStyle::Kind::Bitmap:
        ctx.need(a.bitmapId, user);
        w.u16(a.bitmapId);
        w.matrix(a.matrix);
        w.matrix(b.matrix);
        return;
    }
}

void morphLine(BitWriter& w, const LineStyle& a, const LineStyle& b, int morphVersion, const WriteContext& ctx,
               const std::string& user)
{
    w.u16(a.width);
    w.u16(b.width);
    if (morphVersion == 1) {
        if (!plainLine(a) || !plainLine(b))
            throw WriteError(user + ": caps, joins, flags and filled lines need morph version 2");
        w.rgba(a.color);
        w.rgba(b.color);
        return;
    }
    lineFlags(w, a);
    if (a.fill && b.fill) {
        morphFill(w, *a.fill, *b.fill, ctx, user);
    } else {
        if (a.fill || b.fill)
            throw WriteError(user + ": a line filled at one end only");
        w.rgba(a.color);
        w.rgba(b.color);
    }
}

} // namespace

int morphVersionFor(const MorphShape& m)
{
    return plainLines(m.startLines) && plainLines(m.endLines) ? 1 : 2;
}

void writeDefineMorphShape(BitWriter& out, uint16_t id, const MorphShape& m, int morphVersion, const WriteContext& ctx)
{
    std::string user = where("morph shape", id);
    if (morphVersion != 1 && morphVersion != 2)
        throw WriteError(user + ": no morph version " + std::to_string(morphVersion));
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
    for (size_t i = 0; i < m.startFills.size(); ++i)
        morphFill(styles, m.startFills[i], m.endFills[i], ctx, user);
    count(m.startLines.size());
    for (size_t i = 0; i < m.startLines.size(); ++i)
        morphLine(styles, m.startLines[i], m.endLines[i], morphVersion, ctx, user);
    writeShapeRecords(styles, m.startRecords, m.startFills.size(), m.startLines.size(), 1, ctx, user);
    std::vector<uint8_t> startPart = styles.take();
    BitWriter endPart;
    writeShapeRecords(endPart, m.endRecords, 0, 0, 1, ctx, user);

    BitWriter w;
    w.u16(id);
    w.rect(m.startBounds);
    w.rect(m.endBounds);
    if (morphVersion == 2) {
        w.rect(m.startBounds);
        w.rect(m.endBounds);
        w.u8(0);
    }
    w.u32(uint32_t(startPart.size()));
    w.bytes(startPart);
    w.bytes(endPart.take());
    out.tag(morphVersion == 2 ? tag::DefineMorphShape2 : tag::DefineMorphShape, w.take());
}

} // namespace yelvanis::swf
