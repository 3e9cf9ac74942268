// Pictures inside movies: every lossless layout, JPEG variants with their
// quirks and alpha planes, and bitmap fills on the stage.

#include <QBuffer>
#include <QtTest>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace swftest;

namespace {

std::vector<uint8_t> deflated(const std::vector<uint8_t>& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> z(size);
    compress(z.data(), &size, raw.data(), uLong(raw.size()));
    z.resize(size);
    return z;
}

std::vector<uint8_t> toVector(const QByteArray& b)
{
    return std::vector<uint8_t>(b.begin(), b.end());
}

QByteArray jpegOf(const QColor& c, QSize size = { 8, 8 })
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(c);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 100);
    return out;
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

QString describe(QColor c)
{
    return QStringLiteral("(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

} // namespace

class MovieBitmapsTest : public QObject {
    Q_OBJECT
private slots:
    void lossless_data();
    void lossless();
    void jpeg_data();
    void jpeg();
    void bitmapFillOnStage();
};

void MovieBitmapsTest::lossless_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("header"); // bytes between the size and the zlib data
    QTest::addColumn<QByteArray>("raw");    // before deflating
    QTest::addColumn<QColor>("topLeft");
    QTest::addColumn<QColor>("bottomRight");
    auto b = [](std::initializer_list<int> v) {
        QByteArray a;
        for (int x : v)
            a.append(char(x));
        return a;
    };
    // 2x2 pictures; rows are padded to four bytes.
    QTest::newRow("colour-mapped")
        << 20 << 3 << b({ 1 }) << b({ 255, 0, 0, 0, 0, 255, /* rows */ 0, 1, 0, 0, 1, 0, 0, 0 }) << QColor(255, 0, 0) << QColor(255, 0, 0);
    QTest::newRow("15-bit")
        << 20 << 4 << QByteArray() << b({ 0x7c, 0x00, 0x03, 0xe0, 0x00, 0x1f, 0x7f, 0xff }) << QColor(255, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("24-bit")
        << 20 << 5 << QByteArray() << b({ 0, 10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 100, 50 }) << QColor(10, 20, 30) << QColor(200, 100, 50);
    QTest::newRow("colour-mapped with alpha")
        << 36 << 3 << b({ 1 }) << b({ 255, 0, 0, 255, 0, 0, 128, 128, /* rows */ 0, 1, 0, 0, 1, 1, 0, 0 }) << QColor(255, 0, 0)
        << QColor(0, 0, 255, 128);
    QTest::newRow("32-bit premultiplied")
        << 36 << 5 << QByteArray() << b({ 255, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 128, 64, 0, 0 }) << QColor(0, 255, 0)
        << QColor(128, 0, 0, 128);
}

void MovieBitmapsTest::lossless()
{
    QFETCH(int, code);
    QFETCH(int, format);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, raw);
    QFETCH(QColor, topLeft);
    QFETCH(QColor, bottomRight);
    Movie m;
    Bits t;
    t.u16(5);
    t.u8(uint8_t(format));
    t.u16(2);
    t.u16(2);
    t.bytes(toVector(header));
    t.bytes(deflated(toVector(raw)));
    m.tag(uint16_t(code), t.out);
    m.showFrame();
    auto r = yelvanis::loadMovieData(m.bytes());
    QVERIFY2(r.loaded, qPrintable(r.error));
    QVERIFY(r.loaded->bitmaps.count(5));
    const QImage& img = r.loaded->bitmaps.at(5);
    QCOMPARE(img.size(), QSize(2, 2));
    QVERIFY2(near(img.pixelColor(0, 0), topLeft, 2), qPrintable(describe(img.pixelColor(0, 0))));
    QVERIFY2(near(img.pixelColor(1, 1), bottomRight, 2), qPrintable(describe(img.pixelColor(1, 1))));
}

void MovieBitmapsTest::jpeg_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("bogusHeader");
    QTest::addColumn<int>("alpha"); // -1: no alpha plane
    QTest::newRow("plain") << 21 << false << -1;
    QTest::newRow("with the stray end/start markers in front") << 21 << true << -1;
    QTest::newRow("alpha plane") << 35 << false << 0;
    QTest::newRow("half alpha plane") << 35 << true << 128;
}

void MovieBitmapsTest::jpeg()
{
    QFETCH(int, code);
    QFETCH(bool, bogusHeader);
    QFETCH(int, alpha);
    QByteArray jpeg = jpegOf(QColor(0, 0, 200));
    if (bogusHeader)
        jpeg.prepend(QByteArray("\xff\xd9\xff\xd8", 4));
    Movie m;
    Bits t;
    t.u16(5);
    if (code == 35)
        t.u32(uint32_t(jpeg.size()));
    t.bytes(toVector(jpeg));
    if (alpha >= 0)
        t.bytes(deflated(std::vector<uint8_t>(64, uint8_t(alpha))));
    m.tag(uint16_t(code), t.out);
    m.showFrame();
    auto r = yelvanis::loadMovieData(m.bytes());
    QVERIFY2(r.loaded, qPrintable(r.error));
    QVERIFY2(r.loaded->bitmaps.count(5), qPrintable(r.loaded->warnings.join("; ")));
    const QImage& img = r.loaded->bitmaps.at(5);
    QCOMPARE(img.size(), QSize(8, 8));
    QColor c = img.pixelColor(4, 4);
    QCOMPARE(c.alpha(), alpha < 0 ? 255 : alpha);
    if (alpha != 0)
        QVERIFY2(near(c, QColor(0, 0, alpha < 0 ? 200 : 255, c.alpha()), 60), qPrintable(describe(c)));
}

void MovieBitmapsTest::bitmapFillOnStage()
{
    // A 2x2 picture filling a 40x40 px square, clipped, each picture pixel 20 px wide.
    Movie m;
    m.background({ 40, 40, 40 });
    Bits t;
    t.u16(5);
    t.u8(5);
    t.u16(2);
    t.u16(2);
    t.bytes(deflated({ 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255 }));
    m.tag(20, t.out);
    Bits s;
    s.u16(1);
    s.rect(0, 800, 0, 800);
    s.u8(1);
    s.u8(0x43); // clipped, not smoothed
    s.u16(5);
    s.matrix(400, 400, 0, 0);
    s.u8(0);
    ShapeWriter w(s, 1, 0);
    w.style(-1, 1, -1, true, 0, 0);
    w.line(800, 0);
    w.line(0, 800);
    w.line(-800, 0);
    w.line(0, -800);
    w.end();
    m.tag(32, s.out);
    m.place(1, 1);
    m.showFrame();
    auto r = yelvanis::loadMovieData(m.bytes());
    QVERIFY2(r.loaded, qPrintable(r.error));
    yelvanis::swf::MoviePlayer player(r.loaded->movie);
    yelvanis::MovieRenderer renderer(r.loaded);
    renderer.setTimeBudget(0);
    QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&img);
        renderer.render(p, player, QRectF(img.rect()), false);
    }
    QVERIFY2(near(img.pixelColor(10, 10), QColor(255, 0, 0), 2), qPrintable(describe(img.pixelColor(10, 10))));
    QVERIFY2(near(img.pixelColor(30, 10), QColor(0, 255, 0), 2), qPrintable(describe(img.pixelColor(30, 10))));
    QVERIFY2(near(img.pixelColor(10, 30), QColor(0, 0, 255), 2), qPrintable(describe(img.pixelColor(10, 30))));
    QVERIFY2(near(img.pixelColor(30, 30), QColor(255, 255, 255), 2), qPrintable(describe(img.pixelColor(30, 30))));
    QVERIFY2(near(img.pixelColor(60, 60), QColor(40, 40, 40), 2), qPrintable(describe(img.pixelColor(60, 60))));
}

QTEST_GUILESS_MAIN(MovieBitmapsTest)
#include "tst_moviebitmaps.moc"
