#include "runtime/movie/SwfTagWriters.h"
#include "runtime/movie/SwfTags.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf {

namespace {

std::vector<std::vector<uint8_t>> glyphShapes(const Font& f, const WriteContext& ctx, const std::string& user)
{
    std::vector<std::vector<uint8_t>> shapes;
    for (const Glyph& g : f.glyphs) {
        BitWriter gw;
        writeShapeRecords(gw, g.records, 1, 0, 1, ctx, user);
        shapes.push_back(gw.take());
    }
    return shapes;
}

Rect glyphBounds(const Glyph& g)
{
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const ShapeRecord& r : g.records) {
        if (r.kind == ShapeRecord::Kind::Style && !r.hasMove)
            continue;
        for (Point p : { r.to, r.kind == ShapeRecord::Kind::Curve ? r.control : r.to }) {
            x0 = std::min(x0, p.x);
            y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        }
    }
    if (x0 > x1)
        return {};
    return { int32_t(std::floor(x0)), int32_t(std::ceil(x1)), int32_t(std::floor(y0)), int32_t(std::ceil(y1)) };
}

int16_t offset16(double v, const std::string& user)
{
    long r = std::lround(v);
    if (r < -32768 || r > 32767)
        throw WriteError(user + ": text offset out of range");
    return int16_t(r);
}

} // namespace

void writeDefineFont(BitWriter& out, uint16_t id, const Font& f, const WriteContext& ctx)
{
    std::string user = where("font", id);
    std::vector<std::vector<uint8_t>> shapes = glyphShapes(f, ctx, user);
    BitWriter w;
    w.u16(id);
    size_t offset = shapes.size() * 2;
    for (const auto& s : shapes) {
        if (offset > 65535)
            throw WriteError(user + ": glyphs too large for DefineFont");
        w.u16(uint16_t(offset));
        offset += s.size();
    }
    for (const auto& s : shapes)
        w.bytes(s);
    out.tag(tag::DefineFont, w.take());
}

void writeDefineFont23(BitWriter& out, uint16_t id, const Font& f, int fontVersion, const WriteContext& ctx)
{
    std::string user = where("font", id);
    if (f.emSquare20 != (fontVersion == 3))
        throw WriteError(user + ": glyphs at 20 times resolution go in DefineFont3, others in DefineFont2");
    if (f.glyphs.size() > 65535)
        throw WriteError(user + ": too many glyphs");
    if (!f.codes.empty() && f.codes.size() != f.glyphs.size())
        throw WriteError(user + ": one code per glyph");
    if (f.name.size() > 255)
        throw WriteError(user + ": name too long");
    std::vector<std::vector<uint8_t>> shapes = glyphShapes(f, ctx, user);
    size_t n = f.glyphs.size();
    size_t glyphBytes = 0;
    for (const auto& s : shapes)
        glyphBytes += s.size();
    bool wide = (n + 1) * 2 + glyphBytes > 65535;
    size_t offsetSize = wide ? 4 : 2;
    BitWriter w;
    w.u16(id);
    w.u8(uint8_t((f.hasLayout ? 0x80 : 0) | (wide ? 0x08 : 0) | 0x04 | (f.italic ? 0x02 : 0) | (f.bold ? 0x01 : 0)));
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
    out.tag(fontVersion == 3 ? tag::DefineFont3 : tag::DefineFont2, w.take());
}

int textVersionFor(const Text& t)
{
    return std::any_of(t.runs.begin(), t.runs.end(), [](const TextRun& r) { return r.color.a != 255; }) ? 2 : 1;
}

void writeDefineText(BitWriter& out, uint16_t id, const Text& t, int textVersion, const WriteContext& ctx)
{
    std::string user = where("text", id);
    if (textVersion == 1 && textVersionFor(t) == 2)
        throw WriteError(user + ": a colour with alpha needs DefineText2");
    uint32_t maxIndex = 0;
    int32_t maxAdvance = 0;
    for (const TextRun& run : t.runs) {
        ctx.need(run.fontId, user);
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
        if (hasFont)
            w.u16(run.fontId);
        if (hasColor)
            textVersion == 2 ? w.rgba(run.color) : w.rgb(run.color);
        if (hasX)
            w.s16(offset16(run.x, user));
        if (hasY)
            w.s16(offset16(run.y, user));
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
    out.tag(textVersion == 2 ? tag::DefineText2 : tag::DefineText, w.take());
}

void writeDefineEditText(BitWriter& out, uint16_t id, const EditText& e, const WriteContext& ctx)
{
    std::string user = where("edit text", id);
    if (e.hasFont)
        ctx.need(e.fontId, user);
    BitWriter w;
    w.u16(id);
    w.rect(e.bounds);
    w.u8(uint8_t((e.hasText ? 0x80 : 0) | (e.wordWrap ? 0x40 : 0) | (e.multiline ? 0x20 : 0) | (e.password ? 0x10 : 0)
                 | (e.readOnly ? 0x08 : 0) | (e.hasColor ? 0x04 : 0) | (e.maxLength ? 0x02 : 0) | (e.hasFont ? 0x01 : 0)));
    w.u8(uint8_t((e.hasFontClass ? 0x80 : 0) | (e.autoSize ? 0x40 : 0) | (e.hasLayout ? 0x20 : 0) | (e.noSelect ? 0x10 : 0)
                 | (e.border ? 0x08 : 0) | (e.wasStatic ? 0x04 : 0) | (e.html ? 0x02 : 0) | (e.useOutlines ? 0x01 : 0)));
    if (e.hasFont)
        w.u16(e.fontId);
    if (e.hasFontClass)
        w.string(e.fontClass);
    if (e.hasFont || e.hasFontClass)
        w.u16(e.fontHeight);
    if (e.hasColor)
        w.rgba(e.color);
    if (e.maxLength)
        w.u16(*e.maxLength);
    if (e.hasLayout) {
        w.u8(e.align);
        w.u16(e.leftMargin);
        w.u16(e.rightMargin);
        w.u16(e.indent);
        w.s16(e.leading);
    }
    w.string(e.variableName);
    if (e.hasText)
        w.string(e.initialText);
    out.tag(tag::DefineEditText, w.take());
}

} // namespace yelvanis::swf
