#pragma once

// One table of cases for the format library: bytes, the structure they decode
// to, and the file version. The reader's test reads each row's bytes and
// compares with its structure; the writer's test writes each writable row's
// structure and compares with its bytes, then reads what it wrote.
//
// A tag row holds one tag (or a few that belong together), header included.
// It stands in a file of its own: the row's version, a 100 x 100 pixel stage
// at 12 frames a second, the row's tags, ShowFrame, End. Its structure is what
// reading that file gives beyond the header: characters, the one frame's
// display-list entries and label, the background, the ActionScript 3 flag.
// A file row holds a whole uncompressed file and the movie it is.

#include <QByteArray>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "runtime/movie/SwfTags.h"
#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf::cases {

inline ShapeRecord move(double x, double y, std::optional<uint32_t> fill1 = {}, std::optional<uint32_t> line = {},
                        std::optional<uint32_t> fill0 = {})
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Style;
    r.hasMove = true;
    r.to = { x, y };
    if (fill1) {
        r.hasFill1 = true;
        r.fill1 = *fill1;
    }
    if (fill0) {
        r.hasFill0 = true;
        r.fill0 = *fill0;
    }
    if (line) {
        r.hasLine = true;
        r.line = *line;
    }
    return r;
}

inline ShapeRecord lineTo(double x, double y)
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Line;
    r.to = { x, y };
    return r;
}

inline ShapeRecord curveTo(double cx, double cy, double x, double y)
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Curve;
    r.control = { cx, cy };
    r.to = { x, y };
    return r;
}

inline FillStyle solidFill(Rgba c)
{
    FillStyle f;
    f.color = c;
    return f;
}

inline FillStyle gradientFill(FillStyle::Kind kind, Matrix m, std::vector<GradientStop> stops)
{
    FillStyle f;
    f.kind = kind;
    f.matrix = m;
    f.gradient.stops = std::move(stops);
    return f;
}

inline FillStyle bitmapFill(uint16_t id, Matrix m, bool repeat, bool smooth)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Bitmap;
    f.bitmapId = id;
    f.matrix = m;
    f.repeat = repeat;
    f.smooth = smooth;
    return f;
}

inline LineStyle plainLine(uint16_t width, Rgba c)
{
    LineStyle l;
    l.width = width;
    l.color = c;
    return l;
}

inline PlaceObject place(uint16_t depth, uint16_t id, Matrix m = {})
{
    PlaceObject p;
    p.depth = depth;
    p.characterId = id;
    p.matrix = m;
    return p;
}

inline ColorTransform transform(std::array<int32_t, 4> mul, std::array<int32_t, 4> add)
{
    return { mul[0], mul[1], mul[2], mul[3], add[0], add[1], add[2], add[3] };
}

inline Movie stageOf(int32_t w, int32_t h, double rate)
{
    Movie m;
    m.header.stage = { 0, w, 0, h };
    m.header.frameRate = rate;
    return m;
}

inline void frames(Movie& m, std::vector<Frame> fs)
{
    m.timeline.frames = std::move(fs);
    m.header.frameCount = uint16_t(m.timeline.frames.size());
}

inline Movie character(uint16_t id, Character c)
{
    Movie m;
    m.characters[id] = std::move(c);
    return m;
}

inline Movie control(ControlTag t)
{
    Movie m;
    m.timeline.frames = { Frame { { std::move(t) }, {} } };
    return m;
}

// A square and a triangle, in glyph units.
inline std::vector<ShapeRecord> squareGlyph()
{
    return { move(0, 0, 1), lineTo(500, 0), lineTo(500, -500), lineTo(0, -500), lineTo(0, 0) };
}

inline std::vector<ShapeRecord> triangleGlyph()
{
    return { move(0, 0, 1), lineTo(600, 0), curveTo(300, -900, 0, 0) };
}

struct Case {
    enum Kind { Tags, File };
    enum Use { ReadWrite, ReadOnly };
    const char* name;
    uint8_t version;
    uint16_t code; // the tag under test; End for a file row
    Kind kind;
    Use use; // ReadOnly: the reader keeps less than the bytes say, or joins tags
    const char* hex; // empty for a file row: written, then read back only
    std::function<Movie()> movie;
};

// The file a tag row's tags stand in.
inline QByteArray tagFile(uint8_t version, const QByteArray& tags)
{
    QByteArray body = QByteArray::fromHex("60003e80003e80000c0100") + tags + QByteArray::fromHex("40000000");
    QByteArray file("FWS", 3);
    file.append(char(version));
    uint32_t length = uint32_t(body.size() + 8);
    for (int i = 0; i < 4; ++i)
        file.append(char((length >> (8 * i)) & 0xff));
    return file + body;
}

// A row's bytes as a whole file.
inline QByteArray caseFile(const Case& c)
{
    QByteArray bytes = QByteArray::fromHex(c.hex);
    return c.kind == Case::File ? bytes : tagFile(c.version, bytes);
}

// The movie a row's bytes are: for a tag row, its structure in the file it stands in.
inline Movie expectedMovie(const Case& c)
{
    Movie m = c.movie();
    if (c.kind == Case::File)
        return m;
    m.header.version = c.version;
    m.header.stage = { 0, 2000, 0, 2000 };
    m.header.frameRate = 12;
    m.header.frameCount = 1;
    if (m.timeline.frames.empty())
        m.timeline.frames.emplace_back();
    return m;
}

const std::vector<Case>& table();

} // namespace yelvanis::swf::cases
