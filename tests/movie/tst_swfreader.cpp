// The reader against good, odd and hostile files: every input either loads
// or is refused with a reason, within bounded memory and time.

#include <QDir>
#include <QtTest>

#include "CpuTimer.h"
#include "MovieDump.h"
#include "SwfBuilder.h"
#include "SwfCases.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"
#include "runtime/movie/ShapeGeometry.h"
#include "runtime/movie/SwfReader.h"

using namespace swftest;
namespace swf = yelvanis::swf;

namespace {

// The time bounds catch blow-ups, not slowness: a sanitizer build runs the
// same work many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 10;
#else
constexpr int kSlowdown = 1;
#endif

swf::ReadResult read(const QByteArray& bytes, const swf::ReadLimits& limits = {})
{
    return swf::readMovie(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), limits);
}

Movie oneSquare()
{
    Movie m;
    m.background({ 10, 20, 30 });
    m.rect(1, 0, 0, 1000, 1000, { 255, 0, 0 });
    m.place(1, 1);
    m.showFrame();
    return m;
}

QByteArray zlibBomb(size_t zeros)
{
    // A CWS header over a stream of zeros far larger than any movie.
    QByteArray out("CWS\x08", 4);
    uint32_t length = uint32_t(std::min<size_t>(zeros, UINT32_MAX));
    for (int i = 0; i < 4; ++i)
        out.append(char((length >> (8 * i)) & 0xff));
    z_stream z {};
    deflateInit(&z, 9);
    std::vector<uint8_t> zero(1 << 20, 0), buf(1 << 16);
    for (size_t done = 0; done < zeros; done += zero.size()) {
        z.next_in = zero.data();
        z.avail_in = uInt(zero.size());
        bool last = done + zero.size() >= zeros;
        do {
            z.next_out = buf.data();
            z.avail_out = uInt(buf.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(reinterpret_cast<const char*>(buf.data()), qsizetype(buf.size() - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

} // namespace

class SwfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryCase_data();
    void readsEveryCase();
    void header_data();
    void header();
    void refusesWithReason_data();
    void refusesWithReason();
    void decompressedSizeIsBounded();
    void truncatedFileKeepsWhatArrived();
    void brokenTagIsSkippedWithWarning_data();
    void brokenTagIsSkippedWithWarning();
    void hostileTimelinesStayBounded_data();
    void hostileTimelinesStayBounded();
    void hugeDrawingIsCutShort();
    void fuzzRegressions();
};

void SwfReaderTest::readsEveryCase_data()
{
    QTest::addColumn<int>("row");
    const auto& table = swf::cases::table();
    for (size_t i = 0; i < table.size(); ++i)
        if (*table[i].hex)
            QTest::newRow(table[i].name) << int(i);
}

// read(bytes) == structure, for every tag the reader knows.
void SwfReaderTest::readsEveryCase()
{
    QFETCH(int, row);
    const swf::cases::Case& c = swf::cases::table()[size_t(row)];
    swf::ReadResult r = read(swf::cases::caseFile(c));
    QVERIFY2(r.movie, r.error.c_str());
    QCOMPARE(QString::fromStdString(r.movie->warnings.empty() ? std::string() : r.movie->warnings.front()), QString());
    swf::testing::compareDumps(swf::testing::dump(*r.movie), swf::testing::dump(swf::cases::expectedMovie(c)));
}

void SwfReaderTest::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("version");
    Movie m = oneSquare();
    m.version = 6;
    QTest::newRow("uncompressed") << m.bytes('F') << 6;
    m.version = 10;
    QTest::newRow("zlib") << m.bytes('C') << 10;
    m.version = 1;
    QTest::newRow("version 1 shapes") << m.bytes('F') << 1;
    QFile lzma(QStringLiteral(MOVIE_FIXTURES_DIR "/lzma-square.swf"));
    lzma.open(QIODevice::ReadOnly);
    QTest::newRow("lzma") << lzma.readAll() << 13;
}

void SwfReaderTest::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    swf::ReadResult r = read(bytes);
    QVERIFY2(r.movie, r.error.c_str());
    QCOMPARE(int(r.movie->header.version), version);
    QCOMPARE(r.movie->header.stage.width(), 2000);
    QCOMPARE(r.movie->header.stage.height(), 2000);
    QCOMPARE(r.movie->header.frameRate, 12.0);
    QCOMPARE(r.movie->timeline.frames.size(), size_t(1));
    QVERIFY(r.movie->background);
    QCOMPARE(int(r.movie->background->b), 30);
    const swf::Character* c = r.movie->character(1);
    QVERIFY(c && std::holds_alternative<swf::Shape>(*c));
    QCOMPARE(std::get<swf::Shape>(*c).records.size(), size_t(5));
    QVERIFY(r.movie->warnings.empty());
}

void SwfReaderTest::refusesWithReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray good = oneSquare().bytes('F');
    QTest::newRow("empty") << QByteArray() << "too short";
    QTest::newRow("not a movie") << QByteArray("GIF89a\x01\x00\x01\x00", 10) << "signature";
    QTest::newRow("header cut in the stage rectangle") << good.left(10) << "end of data";
    QByteArray badZlib = QByteArray("CWS\x08\x40\x00\x00\x00", 8) + QByteArray(40, '\x5a');
    QTest::newRow("garbage after a zlib header") << badZlib << "zlib";
}

void SwfReaderTest::refusesWithReason()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    swf::ReadResult r = read(bytes);
    QVERIFY(!r.movie);
    QVERIFY2(QString::fromStdString(r.error).contains(reason), r.error.c_str());
}

void SwfReaderTest::decompressedSizeIsBounded()
{
    swf::ReadLimits limits;
    limits.maxFileBytes = size_t(8) << 20;
    QByteArray bomb = zlibBomb(size_t(200) << 20);
    QVERIFY(bomb.size() < 1 << 20);
    ThreadCpuTimer t;
    t.start();
    swf::ReadResult r = read(bomb, limits);
    QVERIFY(!r.movie);
    QVERIFY2(QString::fromStdString(r.error).contains("exceeds"), r.error.c_str());
    QVERIFY(t.elapsed() < 5000 * kSlowdown);
}

void SwfReaderTest::truncatedFileKeepsWhatArrived()
{
    Movie m = oneSquare();
    m.rect(2, 0, 0, 500, 500, { 0, 255, 0 });
    m.place(2, 2);
    m.showFrame();
    QByteArray full = m.bytes('F');
    // Cut inside the second shape: the first frame survives.
    QByteArray cut = full.left(full.indexOf(QByteArray("\x02\x00", 2), 40) + 6);
    swf::ReadResult r = read(cut);
    QVERIFY2(r.movie, r.error.c_str());
    QVERIFY(r.movie->character(1));
    QVERIFY(!r.movie->character(2));
    QVERIFY(!r.movie->warnings.empty());
}

void SwfReaderTest::brokenTagIsSkippedWithWarning_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("warning");
    auto bytes = [](const Bits& b) { return QByteArray(reinterpret_cast<const char*>(b.out.data()), qsizetype(b.out.size())); };
    Bits huge;
    huge.u16(7);
    huge.u8(5);
    huge.u16(65535);
    huge.u16(65535);
    huge.bytes({ 0x78, 0x9c, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01 });
    QTest::newRow("bitmap of absurd size") << 20 << bytes(huge) << "exceeds";
    Bits tiny;
    tiny.u16(7);
    tiny.u8(5);
    tiny.u16(4000);
    tiny.u16(4000);
    tiny.bytes({ 0x78, 0x9c, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01 });
    QTest::newRow("bitmap data far too short") << 36 << bytes(tiny) << "too short";
    Bits fills;
    fills.u16(7);
    fills.rect(0, 10, 0, 10);
    fills.u8(0xff);
    fills.u16(0xffff); // 65535 fill styles announced, none there
    QTest::newRow("absurd style count") << 32 << bytes(fills) << "end of data";
    Bits style;
    style.u16(7);
    style.rect(0, 10, 0, 10);
    style.u8(1);
    style.u8(0x77); // no such fill type
    QTest::newRow("unknown fill type") << 2 << bytes(style) << "fill style type";
    Bits font;
    font.u16(7);
    font.u8(0x08);
    font.u8(0);
    font.u8(200); // name longer than the tag
    QTest::newRow("font name past the tag") << 48 << bytes(font) << "font name";
}

void SwfReaderTest::brokenTagIsSkippedWithWarning()
{
    QFETCH(int, code);
    QFETCH(QByteArray, body);
    QFETCH(QString, warning);
    Movie m = oneSquare();
    m.tag(uint16_t(code), std::vector<uint8_t>(body.begin(), body.end()));
    m.showFrame();
    swf::ReadResult r = read(m.bytes());
    QVERIFY2(r.movie, r.error.c_str());
    QVERIFY(!r.movie->character(7));
    QVERIFY(r.movie->character(1));
    QCOMPARE(r.movie->timeline.frames.size(), size_t(2));
    QVERIFY(!r.movie->warnings.empty());
    QString all = QString::fromStdString(r.movie->warnings.front());
    QVERIFY2(all.contains(warning), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("tag %1").arg(swf::tagName(uint16_t(code)))), qPrintable(all));
}

void SwfReaderTest::hostileTimelinesStayBounded_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("sprite placing itself") << 0;
    QTest::newRow("sprite placing itself twice per level") << 1;
    QTest::newRow("frame actions jumping back and forth") << 2;
    QTest::newRow("sprite defined inside a sprite") << 3;
}

void SwfReaderTest::hostileTimelinesStayBounded()
{
    QFETCH(int, kind);
    Movie m;
    m.rect(1, 0, 0, 100, 100, { 255, 0, 0 });
    Movie inner;
    switch (kind) {
    case 0:
        inner.place(1, 10);
        inner.showFrame();
        m.sprite(10, inner);
        m.place(1, 10);
        m.showFrame();
        break;
    case 1:
        inner.place(1, 10);
        inner.place(2, 10, 40, 40);
        inner.place(3, 1);
        inner.showFrame();
        inner.showFrame();
        m.sprite(10, inner);
        m.place(1, 10);
        m.showFrame();
        break;
    case 2:
        m.actions(gotoFrameAction(1) + playAction());
        m.showFrame();
        m.actions(gotoFrameAction(0) + playAction());
        m.showFrame();
        break;
    case 3: {
        Movie innermost;
        innermost.place(1, 1);
        innermost.showFrame();
        inner.sprite(11, innermost);
        inner.place(1, 11);
        inner.showFrame();
        m.sprite(10, inner);
        m.place(1, 10);
        m.showFrame();
        break;
    }
    }
    swf::ReadResult r = read(m.bytes());
    QVERIFY2(r.movie, r.error.c_str());
    swf::PlayerLimits limits;
    ThreadCpuTimer t;
    t.start();
    swf::MoviePlayer player(r.movie, limits);
    for (int i = 0; i < 20; ++i)
        player.tick();
    QVERIFY(player.objectCount() <= limits.maxObjects);
    QVERIFY(t.elapsed() < 5000 * kSlowdown);
    // The nesting stops at its bound.
    int depth = 0;
    const swf::Clip* clip = &player.root();
    while (clip && !clip->displayList.empty() && clip->displayList.begin()->second.clip) {
        clip = clip->displayList.begin()->second.clip.get();
        ++depth;
    }
    QVERIFY(depth <= limits.maxNesting);
    if (kind == 3)
        QVERIFY(!r.movie->character(11));
}

void SwfReaderTest::hugeDrawingIsCutShort()
{
    // A zigzag of ten thousand edges, a hundred times in a sprite, placed a
    // hundred and fifty times: far more than a frame may cost to draw.
    Movie m;
    Bits b;
    b.u16(1);
    b.rect(0, 2000, 0, 2000);
    b.u8(1);
    solidFill(b, { 200, 0, 0 }, 3);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    s.style(-1, 1, -1, true, 0, 1000);
    for (int i = 0; i < 10000; ++i)
        s.line(1, (i % 2) ? 900 : -900);
    s.line(-10000, 0);
    s.end();
    m.tag(32, b.out);
    Movie inner;
    for (int d = 1; d <= 100; ++d)
        inner.place(uint16_t(d), 1);
    inner.showFrame();
    m.sprite(2, inner);
    for (int d = 1; d <= 150; ++d)
        m.place(uint16_t(d), 2);
    m.showFrame();
    auto r = yelvanis::loadMovieData(m.bytes());
    QVERIFY2(r.loaded, qPrintable(r.error));
    swf::MoviePlayer player(r.loaded->movie);
    yelvanis::MovieRenderer renderer(r.loaded);
    QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
    ThreadCpuTimer t;
    t.start();
    {
        QPainter p(&img);
        renderer.render(p, player, QRectF(img.rect()), true);
    }
    QVERIFY2(t.elapsed() < 8000 * kSlowdown, qPrintable(QString::number(t.elapsed())));
    QVERIFY(qRed(img.pixel(100, 100)) > 150); // still draws what fits
}

void SwfReaderTest::fuzzRegressions()
{
    // Inputs that once made the reader or the renderer fail; each must now
    // load and draw, or be refused.
    QDir dir(QStringLiteral(MOVIE_FIXTURES_DIR "/fuzz"));
    const QStringList files = dir.entryList(QDir::Files);
    QVERIFY2(!files.isEmpty(), "no fuzz fixtures found");
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        ThreadCpuTimer t;
        t.start();
        yelvanis::MovieLoadResult r = yelvanis::loadMovieData(f.readAll());
        if (r.loaded) {
            swf::MoviePlayer player(r.loaded->movie);
            for (int i = 0; i < 40; ++i)
                player.tick();
            for (const auto& [id, c] : r.loaded->movie->characters)
                if (const auto* shape = std::get_if<swf::Shape>(&c))
                    swf::buildGeometry(*shape);
            yelvanis::MovieRenderer renderer(r.loaded);
            QImage frame(160, 120, QImage::Format_ARGB32_Premultiplied);
            for (int i = 0; i < 4; ++i) {
                renderer.renderChanges(frame, player, i < 2);
                player.tick();
            }
        } else {
            QVERIFY2(!r.error.isEmpty(), qPrintable(name));
        }
        QVERIFY2(t.elapsed() < 5000 * kSlowdown, qPrintable(name));
    }
}

QTEST_MAIN(SwfReaderTest) // drawing device text needs fonts
#include "tst_swfreader.moc"
