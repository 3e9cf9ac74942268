// The writer against the table of cases it shares with the reader's test:
// each writable row's structure is written and compared with the row's bytes,
// then read back and compared with the structure. A second table lists movies
// the writer must refuse.

#include <QBuffer>
#include <QImage>
#include <QtTest>
#include <functional>

#include "MovieDump.h"
#include "SwfCases.h"
#include "runtime/movie/SwfWriter.h"
#include "runtime/movie/SwfStream.h"
#include "runtime/movie/SwfReader.h"
#include "runtime/movie/SwfTags.h"

using namespace yelvanis::swf;
using namespace yelvanis::swf::cases;

namespace {

QString hex(const std::vector<uint8_t>& b)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())).toHex());
}

// What the writer makes of a row's structure, as a whole file: the row's tag
// in the file it stands in, or the whole movie.
std::vector<uint8_t> written(const Case& c, const Movie& m)
{
    if (c.kind == Case::File)
        return writeMovie(m, { c.version, false });
    BitWriter out;
    if (!m.characters.empty())
        writeDefinitionTag(out, c.code, m.characters.begin()->first, m.characters.begin()->second);
    else if (!m.timeline.frames.at(0).tags.empty())
        writeControlTag(out, c.code, m.timeline.frames[0].tags[0]);
    else
        writeFrameLabel(out, m.timeline.frames[0].label);
    std::vector<uint8_t> tags = out.take();
    QByteArray file = tagFile(c.version, QByteArray(reinterpret_cast<const char*>(tags.data()), qsizetype(tags.size())));
    return { file.begin(), file.end() };
}

Movie refusedMovie(const QString& fault)
{
    Movie m = stageOf(2000, 2000, 12);
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
    } else if (fault == "shape of a later version than the file") {
        s.windingRule = true; // only DefineShape4, of version 8, holds it
        m.characters[1] = s;
        m.header.version = 7;
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
    void writesEveryCase_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < table().size(); ++i)
            if (table()[i].use == Case::ReadWrite && *table()[i].hex)
                QTest::newRow(table()[i].name) << int(i);
    }

    // write(structure) == bytes
    void writesEveryCase()
    {
        QFETCH(int, row);
        const Case& c = table()[size_t(row)];
        QCOMPARE(hex(written(c, c.movie())), QString::fromLatin1(caseFile(c).toHex()));
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < table().size(); ++i)
            if (table()[i].use == Case::ReadWrite)
                QTest::newRow(table()[i].name) << int(i);
    }

    // read(write(x)) == x, and what was read writes the same bytes again.
    void roundTrip()
    {
        QFETCH(int, row);
        const Case& c = table()[size_t(row)];
        std::vector<uint8_t> bytes = written(c, c.movie());
        ReadResult read = readMovie(bytes.data(), bytes.size());
        QVERIFY2(read.movie, read.error.c_str());
        QCOMPARE(read.movie->warnings.size(), size_t(0));
        QCOMPARE(read.movie->header.version, c.version);
        QCOMPARE(read.movie->header.fileLength, uint32_t(bytes.size()));
        testing::compareDumps(testing::dump(*read.movie), testing::dump(expectedMovie(c)));
        QCOMPARE(hex(written(c, *read.movie)), hex(bytes));
    }

    void compressedHoldsThePlainFile_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < table().size(); ++i)
            if (table()[i].kind == Case::File)
                QTest::newRow(table()[i].name) << int(i);
    }

    void compressedHoldsThePlainFile()
    {
        QFETCH(int, row);
        const Case& c = table()[size_t(row)];
        Movie movie = c.movie();
        std::vector<uint8_t> plain = writeMovie(movie, { c.version, false });
        std::vector<uint8_t> packed = writeMovie(movie, { c.version, true });
        QCOMPARE(char(packed[0]), 'C');
        Compression compression = Compression::None;
        QVERIFY(sniff(packed.data(), packed.size(), &compression));
        QCOMPARE(int(compression), int(Compression::Zlib));
        QCOMPARE(hex(decompress(packed.data(), packed.size())), hex(plain));
    }

    void refusesWhatItCannotWrite_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char* f : { "edit text without its font", "bitmap defined after its user", "text without its font", "sixteen gradient stops",
                               "edge longer than a field", "text offset out of range", "run without glyphs", "morph styles unpaired",
                               "pixels short of the size", "shape of a later version than the file", "placing an undefined character" })
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    void refusesWhatItCannotWrite()
    {
        QFETCH(QString, fault);
        Movie m = refusedMovie(fault);
        QVERIFY_THROWS_EXCEPTION(WriteError, writeMovie(m, { m.header.version ? m.header.version : uint8_t(8), false }));
    }

    // Each tag holds what its version holds: data that needs a later tag is
    // refused, not written short.
    void refusesDataTheTagCannotHold_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("fault");
        QTest::newRow("alpha in DefineShape2") << int(tag::DefineShape2) << 0;
        QTest::newRow("line caps in DefineShape3") << int(tag::DefineShape3) << 1;
        QTest::newRow("alpha in DefineText") << int(tag::DefineText) << 2;
        QTest::newRow("transparent pixels in DefineBitsLossless") << int(tag::DefineBitsLossless) << 3;
        QTest::newRow("JPEG data as DefineBits, without its tables") << int(tag::DefineBits) << 4;
        QTest::newRow("a move in PlaceObject") << int(tag::PlaceObject) << 5;
        QTest::newRow("visibility in PlaceObject2") << int(tag::PlaceObject2) << 6;
        QTest::newRow("RemoveObject without its character") << int(tag::RemoveObject) << 7;
    }

    void refusesDataTheTagCannotHold()
    {
        QFETCH(int, code);
        QFETCH(int, fault);
        Shape s;
        s.fills = { solidFill({ 1, 2, 3, 255 }) };
        s.records = { move(0, 0, 1), lineTo(100, 0), lineTo(0, 0) };
        Text t;
        t.runs = { TextRun { 1, { 0, 0, 0, 255 }, 0, 0, 400, { { 0, 100 } } } };
        PlaceObject p = place(1, 1);
        BitWriter out;
        switch (fault) {
        case 0:
            s.fills[0].color.a = 128;
            QVERIFY_THROWS_EXCEPTION(WriteError, writeDefinitionTag(out, uint16_t(code), 1, s));
            break;
        case 1:
            s.lines = { plainLine(20, { 0, 0, 0, 255 }) };
            s.lines[0].startCap = LineStyle::Cap::Square;
            QVERIFY_THROWS_EXCEPTION(WriteError, writeDefinitionTag(out, uint16_t(code), 1, s));
            break;
        case 2:
            t.runs[0].color.a = 0;
            QVERIFY_THROWS_EXCEPTION(WriteError, writeDefinitionTag(out, uint16_t(code), 2, t));
            break;
        case 3:
            QVERIFY_THROWS_EXCEPTION(WriteError, writeDefinitionTag(out, uint16_t(code), 3, Bitmap { Bitmap::Kind::Pixels, {}, {}, 1, 1, { 0x80000000 } }));
            break;
        case 4: {
            Bitmap jpeg { Bitmap::Kind::Encoded, { 0xff, 0xd8, 0xff, 0xd9 }, {}, 0, 0, {} };
            QVERIFY_THROWS_EXCEPTION(WriteError, writeDefinitionTag(out, uint16_t(code), 3, jpeg));
            break;
        }
        case 5:
            p.move = true;
            QVERIFY_THROWS_EXCEPTION(WriteError, writeControlTag(out, uint16_t(code), p));
            break;
        case 6:
            p.visible = false;
            QVERIFY_THROWS_EXCEPTION(WriteError, writeControlTag(out, uint16_t(code), p));
            break;
        case 7:
            QVERIFY_THROWS_EXCEPTION(WriteError, writeControlTag(out, uint16_t(code), RemoveObject { 1, {} }));
            break;
        }
        QCOMPARE(out.size(), size_t(0)); // nothing half written
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
