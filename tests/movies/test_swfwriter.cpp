// The writer and the engine's reader tested against each other: one table of
// (version, movie, bytes) rows. Each row is written and compared with its
// bytes where the row gives them, then read back and compared with the movie
// it came from. A second table lists movies the writer must refuse.

#include <QBuffer>
#include <QImage>
#include <QtTest>
#include <functional>

#include "MovieDump.h"
#include "runtime/movie/SwfWriter.h"
#include "runtime/movie/SwfStream.h"
#include "runtime/movie/SwfReader.h"

using namespace yelvanis::swf;

namespace {

ShapeRecord move(double x, double y, std::optional<uint32_t> fill1 = {}, std::optional<uint32_t> line = {}, std::optional<uint32_t> fill0 = {})
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

ShapeRecord lineTo(double x, double y)
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Line;
    r.to = { x, y };
    return r;
}

ShapeRecord curveTo(double cx, double cy, double x, double y)
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Curve;
    r.control = { cx, cy };
    r.to = { x, y };
    return r;
}

FillStyle solidFill(Rgba c)
{
    FillStyle f;
    f.color = c;
    return f;
}

LineStyle plainLine(uint16_t width, Rgba c)
{
    LineStyle l;
    l.width = width;
    l.color = c;
    return l;
}

PlaceObject place(uint16_t depth, uint16_t id, Matrix m = {})
{
    PlaceObject p;
    p.depth = depth;
    p.characterId = id;
    p.matrix = m;
    return p;
}

Movie base(int32_t w, int32_t h, double rate)
{
    Movie m;
    m.header.stage = { 0, w, 0, h };
    m.header.frameRate = rate;
    return m;
}

void frames(Movie& m, std::vector<Frame> fs)
{
    m.timeline.frames = std::move(fs);
    m.header.frameCount = uint16_t(m.timeline.frames.size());
}

// A unit square and a triangle, in glyph units.
std::vector<ShapeRecord> squareGlyph()
{
    return { move(0, 0, 1), lineTo(500, 0), lineTo(500, -500), lineTo(0, -500), lineTo(0, 0) };
}

std::vector<ShapeRecord> triangleGlyph()
{
    return { move(0, 0, 1), lineTo(600, 0), curveTo(300, -900, 0, 0) };
}

struct Row {
    const char* name;
    uint8_t version;
    std::function<Movie()> movie;
    const char* hex; // the whole uncompressed file, or empty: read back only
};

const std::vector<Row>& rows()
{
    static const std::vector<Row> table {
        { "background only", 8,
          [] {
              Movie m = base(2000, 1000, 12);
              m.background = Rgba { 0x10, 0x20, 0x30, 255 };
              frames(m, { Frame { { SetBackground { { 0x10, 0x20, 0x30, 255 } } }, {} } });
              return m;
          },
          "465753081c00000060003e80001f40000c0100430210203040000000" },
        { "shape placed, moved and removed", 8,
          [] {
              Movie m = base(8000, 6000, 24);
              m.background = Rgba { 255, 255, 255, 255 };
              Shape s;
              s.bounds = { 0, 200, 0, 100 };
              s.fills = { solidFill({ 255, 0, 0, 255 }) };
              s.lines = { plainLine(20, { 0, 0, 255, 128 }) };
              s.records = { move(0, 0, 1, 1, 0), lineTo(200, 0), lineTo(200, 100), curveTo(100, 150, 0, 100), lineTo(0, 0) };
              m.characters[1] = s;
              PlaceObject moved;
              moved.depth = 1;
              moved.move = true;
              moved.matrix = Matrix { 0.5, 0.25, -0.25, 2, -40, 20 };
              ColorTransform half;
              half.aMul = 128;
              moved.colorTransform = half;
              frames(m, { Frame { { SetBackground { { 255, 255, 255, 255 } }, place(1, 1, { 1, 0, 0, 1, 400, 300 }) }, {} },
                          Frame { { moved }, {} }, Frame { { RemoveObject { 1 } }, {} } });
              return m;
          },
          "465753086e00000070000fa00000bb8000180300240801004801900032000100ff0000ff0114000000ff80113c0f7191b2c934e194e676cce0004302ffffff"
          "8906060100010014c82580400096060d0100cc400020000c100030000f60a069004010020040000207010040000000" },
        { "gradients, caps, joins and a second style layer", 8,
          [] {
              Movie m = base(4000, 4000, 15);
              Shape s;
              s.bounds = { -100, 1100, -100, 1100 };
              s.windingRule = true;
              FillStyle linear;
              linear.kind = FillStyle::Kind::Linear;
              linear.matrix = { 0.5, 0.25, -0.25, 0.5, 100, -50 };
              linear.gradient.stops = { { 0, { 255, 0, 0, 255 } }, { 128, { 0, 255, 0, 128 } }, { 255, { 0, 0, 255, 0 } } };
              FillStyle radial;
              radial.kind = FillStyle::Kind::Radial;
              radial.matrix = { 0.125, 0, 0, 0.125, 500, 500 };
              radial.gradient.spread = Gradient::Spread::Reflect;
              radial.gradient.linearRgb = true;
              radial.gradient.stops = { { 10, { 1, 2, 3, 4 } }, { 200, { 5, 6, 7, 8 } } };
              FillStyle focal = radial;
              focal.kind = FillStyle::Kind::Focal;
              focal.gradient.spread = Gradient::Spread::Repeat;
              focal.gradient.focal = -0.5;
              s.fills = { linear, radial, focal };
              LineStyle capped = plainLine(40, { 9, 9, 9, 255 });
              capped.startCap = LineStyle::Cap::None;
              capped.endCap = LineStyle::Cap::Square;
              capped.join = LineStyle::Join::Miter;
              capped.miterLimit = 2.5;
              capped.noHScale = true;
              capped.noClose = true;
              LineStyle filled = plainLine(60, { 200, 100, 50, 255 });
              filled.join = LineStyle::Join::Bevel;
              filled.noVScale = true;
              filled.fill = solidFill({ 200, 100, 50, 255 });
              s.lines = { capped, filled };
              ShapeRecord layer;
              layer.kind = ShapeRecord::Kind::Style;
              auto tables = std::make_shared<StyleTables>();
              tables->fills = { solidFill({ 1, 1, 1, 1 }), solidFill({ 2, 2, 2, 2 }), solidFill({ 3, 3, 3, 3 }), solidFill({ 4, 4, 4, 4 }), solidFill({ 5, 5, 5, 5 }) };
              tables->lines = { plainLine(1, { 7, 7, 7, 7 }) };
              layer.newStyles = tables;
              s.records = { move(0, 0, 1, 2, 3), lineTo(1000, 0), lineTo(1000, 1000), curveTo(-60000, 500, 0, 0),
                            layer, move(-100, -100, 5, 1), lineTo(1100, 1100), lineTo(-100, -100) };
              m.characters[1] = s;
              frames(m, { Frame { { place(1, 1) }, {} } });
              return m;
          },
          "" },
        { "bitmaps of a few colours, of many colours with alpha, and JPEG", 8,
          [] {
              Movie m = base(2000, 2000, 12);
              Bitmap few;
              few.width = 3;
              few.height = 2;
              few.pixels = { 0xffff0000, 0xff00ff00, 0xff0000ff, 0xff0000ff, 0xff00ff00, 0xffff0000 };
              m.characters[1] = few;
              Bitmap clear = few;
              clear.pixels[1] = 0x80400000; // premultiplied half alpha
              clear.pixels[4] = 0x00000000;
              m.characters[2] = clear;
              Bitmap many;
              many.width = 20;
              many.height = 20;
              for (uint32_t i = 0; i < 400; ++i) {
                  uint32_t a = 100 + i % 150, r = i % a, g = (i * 7) % a, b = (i * 13) % a;
                  many.pixels.push_back((a << 24) | (r << 16) | (g << 8) | b);
              }
              m.characters[3] = many;
              QImage img(4, 4, QImage::Format_RGB32);
              img.fill(QColor(10, 120, 200));
              QByteArray jpeg;
              QBuffer buffer(&jpeg);
              buffer.open(QIODevice::WriteOnly);
              img.save(&buffer, "JPG");
              Bitmap encoded;
              encoded.kind = Bitmap::Kind::Encoded;
              encoded.encoded.assign(jpeg.begin(), jpeg.end());
              m.characters[4] = encoded;
              Shape s;
              s.bounds = { 0, 60, 0, 40 };
              FillStyle pic;
              pic.kind = FillStyle::Kind::Bitmap;
              pic.bitmapId = 3;
              pic.repeat = false;
              pic.smooth = false;
              pic.matrix = { 20, 0, 0, 20, 0, 0 };
              s.fills = { pic };
              s.records = { move(0, 0, 1), lineTo(60, 0), lineTo(60, 40), lineTo(0, 40), lineTo(0, 0) };
              m.characters[5] = s;
              frames(m, { Frame { { place(1, 5) }, {} } });
              return m;
          },
          "" },
        { "fonts and text runs", 8,
          [] {
              Movie m = base(6000, 2000, 20);
              Font f;
              f.name = "Deneme";
              f.hasLayout = true;
              f.ascent = 900;
              f.descent = 200;
              f.leading = -30;
              f.glyphs = { Glyph { squareGlyph(), 550 }, Glyph { triangleGlyph(), 640 } };
              f.codes = { u'A', u'ğ' };
              m.characters[1] = f;
              Font big;
              big.name = "Kalın";
              big.bold = big.italic = true;
              big.emSquare20 = true;
              big.glyphs = { Glyph { squareGlyph(), 0 } };
              big.codes = { u'İ' };
              m.characters[2] = big;
              Text t;
              t.bounds = { 0, 3000, -400, 200 };
              t.matrix = { 1, 0, 0, 1, 100, 900 };
              TextRun first { 1, { 200, 0, 0, 255 }, 40, 200, 480, { { 0, 270 }, { 1, 310 }, { 0, -20 } } };
              TextRun second = first; // goes on where the first ended, one line lower
              second.y = 700;
              second.x = first.x + 270 + 310 - 20;
              second.glyphs = { { 1, 300 } };
              TextRun third { 2, { 0, 0, 255, 128 }, 1500, 700, 600, { { 0, 1000 } } };
              t.runs = { first, second, third };
              m.characters[3] = t;
              frames(m, { Frame { { place(1, 3) }, {} } });
              return m;
          },
          "" },
        { "morph shape at a ratio", 8,
          [] {
              Movie m = base(2000, 2000, 12);
              MorphShape ms;
              ms.startBounds = { 0, 100, 0, 100 };
              ms.endBounds = { 0, 300, 0, 200 };
              ms.startFills = { solidFill({ 255, 0, 0, 255 }) };
              ms.endFills = { solidFill({ 0, 0, 255, 128 }) };
              ms.startLines = { plainLine(20, { 0, 0, 0, 255 }) };
              ms.endLines = { plainLine(80, { 255, 255, 255, 255 }) };
              ms.startRecords = { move(0, 0, 1, 1), lineTo(100, 0), curveTo(100, 100, 0, 100), lineTo(0, 0) };
              ms.endRecords = { move(0, 0), lineTo(300, 0), curveTo(300, 200, 0, 200), lineTo(0, 0) };
              m.characters[1] = ms;
              PlaceObject p = place(1, 1);
              p.ratio = 32768;
              frames(m, { Frame { { p }, {} } });
              return m;
          },
          "" },
        { "sprite with labels and actions, named, masked and hidden objects", 8,
          [] {
              Movie m = base(2000, 2000, 12);
              Shape s;
              s.bounds = { 0, 100, 0, 100 };
              s.fills = { solidFill({ 1, 2, 3, 255 }) };
              s.records = { move(0, 0, 1), lineTo(100, 0), lineTo(100, 100), lineTo(0, 0) };
              m.characters[1] = s;
              auto inner = std::make_shared<Timeline>();
              PlaceObject step;
              step.depth = 1;
              step.move = true;
              step.matrix = Matrix { 1, 0, 0, 1, 20, 0 };
              DoAction back { { { Action::Kind::GotoLabel, 0, "yürü" }, { Action::Kind::Play, 0, {} } } };
              inner->frames = { Frame { { place(1, 1) }, "yürü" }, Frame { { step }, {} }, Frame { { back }, {} } };
              inner->labels = { { "yürü", 0 } };
              m.characters[2] = Sprite { inner };
              PlaceObject named = place(2, 2, { 1, 0, 0, 1, 500, 500 });
              named.name = "mehter";
              PlaceObject mask = place(1, 1);
              mask.clipDepth = 5;
              PlaceObject hidden = place(3, 1);
              hidden.visible = false;
              DoAction root { { { Action::Kind::Stop, 0, {} }, { Action::Kind::GotoFrame, 1, {} }, { Action::Kind::NextFrame, 0, {} },
                                { Action::Kind::PrevFrame, 0, {} } } };
              frames(m, { Frame { { mask, named, hidden }, "başla" }, Frame { { root }, {} } });
              m.timeline.labels = { { "başla", 0 } };
              return m;
          },
          "" },
    };
    return table;
}

QString hex(const std::vector<uint8_t>& b)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())).toHex());
}

// Points at the first line that differs, so a failure reads at once.
void compareDumps(const QStringList& got, const QStringList& want)
{
    for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(got.size(), want.size());
}

Movie refusedMovie(const QString& fault)
{
    Movie m = base(2000, 2000, 12);
    Shape s;
    s.bounds = { 0, 100, 0, 100 };
    s.fills = { solidFill({ 1, 2, 3, 255 }) };
    s.records = { move(0, 0, 1), lineTo(100, 0), lineTo(0, 0) };
    Font f;
    f.glyphs = { Glyph { squareGlyph(), 500 } };
    f.codes = { u'A' };
    Text t;
    t.runs = { TextRun { 1, { 0, 0, 0, 255 }, 0, 0, 400, { { 0, 100 } } } };
    if (fault == "edit text without its font") {
        EditText e;
        e.hasFont = true;
        e.fontId = 9;
        m.characters[1] = e;
    } else if (fault == "bitmap defined after its user") {
        FillStyle pic;
        pic.kind = FillStyle::Kind::Bitmap;
        pic.bitmapId = 2;
        s.fills = { pic };
        m.characters[1] = s;
        Bitmap b;
        b.width = b.height = 1;
        b.pixels = { 0xff000000 };
        m.characters[2] = b;
    } else if (fault == "text without its font") {
        t.runs[0].fontId = 9;
        m.characters[1] = t;
    } else if (fault == "sixteen gradient stops") {
        FillStyle g;
        g.kind = FillStyle::Kind::Linear;
        for (int i = 0; i < 16; ++i)
            g.gradient.stops.push_back({ uint8_t(i * 16), { 0, 0, 0, 255 } });
        s.fills = { g };
        m.characters[1] = s;
    } else if (fault == "edge longer than a field") {
        s.records = { move(0, 0, 1), lineTo(70000, 0), lineTo(0, 0) };
        m.characters[1] = s;
    } else if (fault == "text offset out of range") {
        m.characters[1] = f;
        t.runs[0].x = 40000;
        m.characters[2] = t;
    } else if (fault == "run without glyphs") {
        m.characters[1] = f;
        t.runs[0].glyphs.clear();
        m.characters[2] = t;
    } else if (fault == "morph styles unpaired") {
        MorphShape ms;
        ms.startFills = { solidFill({ 1, 1, 1, 1 }) };
        m.characters[1] = ms;
    } else if (fault == "pixels short of the size") {
        Bitmap b;
        b.width = 4;
        b.height = 4;
        b.pixels = { 0xff000000 };
        m.characters[1] = b;
    } else if (fault == "placing an undefined character") {
        frames(m, { Frame { { place(1, 7) }, {} } });
        return m;
    }
    frames(m, { Frame {} });
    return m;
}

} // namespace

class TestSwfWriter : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < rows().size(); ++i)
            QTest::newRow(rows()[i].name) << int(i);
    }

    void roundTrip()
    {
        QFETCH(int, row);
        const Row& r = rows()[size_t(row)];
        Movie movie = r.movie();
        std::vector<uint8_t> bytes = writeMovie(movie, { r.version, false });
        if (*r.hex)
            QCOMPARE(hex(bytes), QString::fromLatin1(r.hex));
        ReadResult read = readMovie(bytes.data(), bytes.size());
        QVERIFY2(read.movie, read.error.c_str());
        QCOMPARE(read.movie->warnings.size(), size_t(0));
        QCOMPARE(read.movie->header.version, r.version);
        QCOMPARE(read.movie->header.fileLength, uint32_t(bytes.size()));
        compareDumps(testing::dump(*read.movie), testing::dump(movie));
        // What was read writes the same bytes again.
        QCOMPARE(hex(writeMovie(*read.movie, { r.version, false })), hex(bytes));
    }

    void compressedHoldsThePlainFile_data() { roundTrip_data(); }

    void compressedHoldsThePlainFile()
    {
        QFETCH(int, row);
        const Row& r = rows()[size_t(row)];
        Movie movie = r.movie();
        std::vector<uint8_t> plain = writeMovie(movie, { r.version, false });
        std::vector<uint8_t> packed = writeMovie(movie, { r.version, true });
        QCOMPARE(char(packed[0]), 'C');
        Compression c = Compression::None;
        QVERIFY(sniff(packed.data(), packed.size(), &c));
        QCOMPARE(int(c), int(Compression::Zlib));
        QCOMPARE(hex(decompress(packed.data(), packed.size())), hex(plain));
    }

    void refusesWhatItCannotWrite_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char* f : { "edit text without its font", "bitmap defined after its user", "text without its font", "sixteen gradient stops",
                               "edge longer than a field", "text offset out of range", "run without glyphs", "morph styles unpaired",
                               "pixels short of the size", "placing an undefined character" })
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    void refusesWhatItCannotWrite()
    {
        QFETCH(QString, fault);
        Movie m = refusedMovie(fault);
        QVERIFY_THROWS_EXCEPTION(WriteError, writeMovie(m));
    }

    void fieldWidths_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("signedWidth");
        QTest::newRow("zero") << qint64(0) << 0;
        QTest::newRow("one") << qint64(1) << 2;
        QTest::newRow("minus one") << qint64(-1) << 1;
        QTest::newRow("minus two") << qint64(-2) << 2;
        QTest::newRow("255") << qint64(255) << 9;
        QTest::newRow("-256") << qint64(-256) << 9;
        QTest::newRow("-257") << qint64(-257) << 10;
        QTest::newRow("65535") << qint64(65535) << 17;
    }

    // Every value written in its narrowest field reads back the same.
    void fieldWidths()
    {
        QFETCH(qint64, value);
        QFETCH(int, signedWidth);
        QCOMPARE(int(BitWriter::signedBits(value)), signedWidth);
        if (signedWidth == 0)
            return;
        BitWriter w;
        w.ubits(1, 3); // start off a byte boundary
        w.sbits(int32_t(value), unsigned(signedWidth));
        std::vector<uint8_t> bytes = w.take();
        SwfStream s(bytes.data(), bytes.size());
        QCOMPARE(s.ubits(3), 1u);
        QCOMPARE(qint64(s.sbits(unsigned(signedWidth))), value);
        BitWriter narrow;
        QVERIFY_THROWS_EXCEPTION(WriteError, narrow.sbits(int32_t(value), unsigned(signedWidth - 1)));
    }
};

QTEST_GUILESS_MAIN(TestSwfWriter)
#include "test_swfwriter.moc"
