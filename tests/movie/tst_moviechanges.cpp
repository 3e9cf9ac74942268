// Drawing only what changed: a frame brought up to date piece by piece must
// equal the same stage drawn from nothing, pixel for pixel, and a frame that
// changes a little must be drawn again only there.

#include <QtTest>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace swftest;
using yelvanis::MovieRenderer;
using yelvanis::swf::MoviePlayer;

namespace {

const Color kRed { 220, 30, 30 }, kGreen { 30, 200, 60 }, kBlue { 40, 60, 230 }, kGold { 230, 190, 60, 160 };

std::shared_ptr<const yelvanis::LoadedMovie> load(const QByteArray& bytes)
{
    yelvanis::MovieLoadResult r = yelvanis::loadMovieData(bytes);
    return r.loaded;
}

// A wide stage (200 x 100 pixels) with a still backdrop, so that changes
// have something to spoil around them.
Movie stage()
{
    Movie m;
    m.widthTwips = 4000;
    m.heightTwips = 2000;
    m.background({ 30, 30, 50 });
    m.rect(1, 0, 0, 4000, 700, kBlue);
    m.rect(2, 0, 0, 500, 500, kRed);
    m.rect(3, 0, 0, 700, 300, kGold); // half transparent
    m.rect(4, 0, 0, 1500, 1500, kGreen);
    return m;
}

// A small square walking right by an odd number of twips a frame, under a
// still half-transparent bar and over a still band.
QByteArray walker()
{
    Movie m = stage();
    for (int f = 0; f < 8; ++f) {
        if (f) {
            m.remove(2);
            m.remove(3);
        }
        m.place(2, 2, 200 + f * 333, 900);
        if (f == 0)
            m.place(1, 1, 0, 1100);
        m.place(3, 3, 1500, 1000);
        m.showFrame();
    }
    return m.bytes();
}

// The same square placed anew every frame exactly where it was.
QByteArray standing()
{
    Movie m = stage();
    m.place(1, 2, 1000, 500);
    m.showFrame();
    for (int f = 1; f < 5; ++f) {
        m.remove(1);
        m.place(1, 2, 1000, 500);
        m.showFrame();
    }
    return m.bytes();
}

// A mask that moves over still content: only what it uncovers changes.
QByteArray movingMask()
{
    Movie m = stage();
    for (int f = 0; f < 6; ++f) {
        if (f) {
            m.remove(2);
            m.remove(3);
        }
        m.place(1, 1, 0, 0);
        m.place(2, 4, 300 + f * 410, 250, 3); // masks depth 3
        m.place(3, 1, 0, 600);
        m.place(4, 3, 2500, 1500);
        m.showFrame();
        m.remove(1);
        m.remove(4);
    }
    return m.bytes();
}

// A mask that stays put but comes to reach the band above it: the band is
// cut down where nothing about the band itself changed.
QByteArray maskReachingFurther()
{
    Movie m = stage();
    m.place(1, 2, 1500, 800, 1);
    m.place(2, 1, 0, 700);
    m.showFrame();
    m.remove(1);
    m.place(1, 2, 1500, 800, 2);
    m.showFrame();
    return m.bytes();
}

// The main timeline stands still while a sprite's own frames change it.
QByteArray nestedSprite()
{
    Movie inner;
    inner.place(1, 2, 0, 0);
    inner.showFrame();
    inner.remove(1);
    inner.place(1, 3, 100, 50);
    inner.showFrame();
    inner.remove(1);
    inner.showFrame();
    Movie m = stage();
    m.sprite(10, inner);
    m.place(1, 1, 0, 200);
    m.place(2, 10, 2600, 900);
    m.showFrame();
    return m.bytes();
}

// Objects swap depths, vanish, leave the stage and the background changes.
QByteArray reshuffle()
{
    Movie m = stage();
    m.place(1, 4, 500, 200);
    m.place(2, 2, 1200, 600);
    m.showFrame();
    m.remove(1);
    m.remove(2);
    m.place(1, 2, 1200, 600);
    m.place(2, 4, 500, 200);
    m.showFrame();
    m.remove(1);
    m.showFrame();
    m.remove(2);
    m.place(2, 4, 3900, -1400); // only a corner still shows
    m.showFrame();
    m.background({ 90, 20, 20 });
    m.showFrame();
    m.remove(2);
    m.place(2, 4, 9000, 9000); // off the stage altogether
    m.showFrame();
    return m.bytes();
}

// A rotated blob of curves, filled and stroked, that moves by whole pixels
// (`dx`, `dy` in twips) from a place between pixels.
QByteArray movedBlob(int32_t dx, int32_t dy)
{
    Movie m;
    m.background({ 250, 250, 240 });
    Bits b;
    shape4Header(b, 1, -700, -700, 700, 700, false);
    b.u8(1); // one solid fill
    b.u8(0x00);
    b.rgba(kBlue);
    b.u8(1); // one stroke: 1.5 pixels, round caps and joins
    b.u16(30);
    b.ub(0, 2);
    b.ub(0, 2);
    b.ub(0, 1);
    b.ub(0, 1);
    b.ub(0, 1);
    b.ub(0, 1);
    b.ub(0, 5);
    b.ub(0, 1);
    b.ub(0, 2);
    b.rgba(kGold);
    ShapeWriter w(b, 1, 1);
    w.style(-1, 1, 1, true, -500, 0);
    w.curve(0, -450, 500, -50);
    w.curve(300, 0, 200, 500);
    w.curve(-100, 300, -500, 0);
    w.curve(-250, 0, -200, -450);
    w.end();
    m.tag(83, b.out);
    const Transform turned { 0.83, 0.41, -0.37, 0.91, 1037, 913 };
    place(m, { 1, 1, false, turned, {}, 0, {} });
    m.showFrame();
    Transform moved = turned;
    moved.tx += dx;
    moved.ty += dy;
    place(m, { 1, 0, true, moved, {}, 0, {} });
    m.showFrame();
    return m.bytes();
}

QImage drawnAfresh(MovieRenderer& renderer, const MoviePlayer& player, QSize size, bool aa)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    renderer.render(p, player, QRectF(img.rect()), aa);
    return img;
}

int area(const QRegion& r)
{
    int a = 0;
    for (const QRect& rect : r)
        a += rect.width() * rect.height();
    return a;
}

} // namespace

class MovieChangesTest : public QObject {
    Q_OBJECT
private slots:
    void sameAsDrawnAfresh_data();
    void sameAsDrawnAfresh();
    void drawsOnlyWhatChanged_data();
    void drawsOnlyWhatChanged();
    void movedByWholePixelsMovesThePixels_data();
    void movedByWholePixelsMovesThePixels();
    void sizeAndQualityDrawEverything();
    void stageVersionFollowsTheDisplayLists();
};

void MovieChangesTest::sameAsDrawnAfresh_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("antialias");
    const struct {
        const char* name;
        QByteArray bytes;
    } movies[] = { { "walker", walker() }, { "moving mask", movingMask() },
                   { "mask reaching further", maskReachingFurther() }, { "nested sprite", nestedSprite() },
                   { "reshuffle", reshuffle() } };
    for (const auto& m : movies)
        for (bool aa : { true, false }) {
            // An odd size: the stage lands on fractions of pixels.
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(m.name, aa ? "smooth" : "aliased")))
                << m.bytes << 20 << QSize(237, 101) << aa;
        }
    // The program's own movies, a stretch of each.
    for (const char* file : { "padisahlar.swf", "intro1.swf", "mehter.swf", "haritalar.swf" }) {
        QFile f(QStringLiteral(YELVANIS_MOVIES_DIR "/") + file);
        if (f.open(QIODevice::ReadOnly))
            QTest::newRow(file) << f.readAll() << 90 << QSize(401, 153) << true;
    }
}

void MovieChangesTest::sameAsDrawnAfresh()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, frames);
    QFETCH(QSize, size);
    QFETCH(bool, antialias);
    auto movie = load(bytes);
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    MovieRenderer renderer(movie), fresh(movie);
    renderer.setTimeBudget(0);
    fresh.setTimeBudget(0);
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    for (int tick = 0; tick < frames; ++tick) {
        if (tick)
            player.tick();
        renderer.renderChanges(frame, player, antialias);
        QImage expected = drawnAfresh(fresh, player, size, antialias);
        if (frame != expected) {
            int wrong = 0;
            QRect where;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    if (frame.pixel(x, y) != expected.pixel(x, y)) {
                        ++wrong;
                        where |= QRect(x, y, 1, 1);
                    }
            QFAIL(qPrintable(QStringLiteral("tick %1: %2 pixels differ within %3,%4 %5x%6")
                                 .arg(tick).arg(wrong).arg(where.x()).arg(where.y()).arg(where.width()).arg(where.height())));
        }
    }
}

void MovieChangesTest::drawsOnlyWhatChanged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tick");
    QTest::addColumn<QRect>("within"); // frame pixels, 200 x 100: where the change may be drawn
    QTest::addColumn<QRect>("covers"); // what it must include
    // The walker's square is 25 x 25 at y 45, moving 16.65 pixels a frame;
    // the rows it spans, give or take the smoothing, and nothing else.
    QTest::newRow("walking square") << walker() << 1 << QRect(0, 40, 200, 35) << QRect(10, 45, 42, 25);
    QTest::newRow("sprite's own frame") << nestedSprite() << 1 << QRect(0, 40, 200, 35) << QRect(130, 45, 25, 25);
    QTest::newRow("same place again") << standing() << 1 << QRect() << QRect();
    QTest::newRow("loop back to the start") << standing() << 5 << QRect() << QRect();
}

void MovieChangesTest::drawsOnlyWhatChanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, tick);
    QFETCH(QRect, within);
    QFETCH(QRect, covers);
    auto movie = load(bytes);
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    player.setLoop(true);
    MovieRenderer renderer(movie);
    QImage frame(200, 100, QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(renderer.renderChanges(frame, player), QRegion(frame.rect()));
    for (int i = 0; i < tick - 1; ++i) {
        player.tick();
        renderer.renderChanges(frame, player);
    }
    player.tick();
    const QRegion drawn = renderer.renderChanges(frame, player);
    if (within.isNull()) {
        QVERIFY2(drawn.isEmpty(), qPrintable(QStringLiteral("%1 pixels drawn").arg(area(drawn))));
        return;
    }
    QVERIFY2((drawn - QRegion(within)).isEmpty(), qPrintable(QStringLiteral("%1 pixels drawn outside").arg(area(drawn - QRegion(within)))));
    QVERIFY2((QRegion(covers) - drawn).isEmpty(), qPrintable(QStringLiteral("%1 changed pixels left as they were").arg(area(QRegion(covers) - drawn))));
}

void MovieChangesTest::movedByWholePixelsMovesThePixels_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("antialias");
    for (bool aa : { true, false }) {
        const char* quality = aa ? "smooth" : "aliased";
        QTest::newRow(qPrintable(QStringLiteral("right, %1").arg(quality))) << 7 * 20 << 0 << aa;
        QTest::newRow(qPrintable(QStringLiteral("up and left, %1").arg(quality))) << -13 * 20 << -5 * 20 << aa;
    }
}

// An outline kept from one frame and moved to the next draws exactly the
// pixels it drew there, moved.
void MovieChangesTest::movedByWholePixelsMovesThePixels()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, antialias);
    auto movie = load(movedBlob(dx, dy));
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    MovieRenderer renderer(movie);
    renderer.setTimeBudget(0);
    const QSize size(100, 100); // one pixel a pixel
    const QImage before = drawnAfresh(renderer, player, size, antialias);
    player.tick();
    const QImage after = drawnAfresh(renderer, player, size, antialias);
    QVERIFY(before != after);
    const int px = dx / 20, py = dy / 20;
    int compared = 0;
    for (int y = std::max(0, -py); y < std::min(size.height(), size.height() - py); ++y)
        for (int x = std::max(0, -px); x < std::min(size.width(), size.width() - px); ++x) {
            QCOMPARE(after.pixel(x + px, y + py), before.pixel(x, y));
            ++compared;
        }
    QVERIFY(compared > 5000);
}

void MovieChangesTest::sizeAndQualityDrawEverything()
{
    auto movie = load(standing());
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    MovieRenderer renderer(movie), fresh(movie);
    QImage frame(200, 100, QImage::Format_ARGB32_Premultiplied);
    renderer.renderChanges(frame, player, true);
    QVERIFY(renderer.renderChanges(frame, player, true).isEmpty());
    QCOMPARE(renderer.renderChanges(frame, player, false), QRegion(frame.rect()));
    QCOMPARE(frame, drawnAfresh(fresh, player, frame.size(), false));
    frame = QImage(150, 90, QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(renderer.renderChanges(frame, player, false), QRegion(frame.rect()));
    QCOMPARE(frame, drawnAfresh(fresh, player, frame.size(), false));
    renderer.invalidate();
    QCOMPARE(renderer.renderChanges(frame, player, false), QRegion(frame.rect()));
}

void MovieChangesTest::stageVersionFollowsTheDisplayLists()
{
    // A morph placed, then moved to the ratio it has (nothing changes), then
    // to another; and a sprite whose own frames change while the main
    // timeline stands on its only frame.
    Movie m = stage();
    m.place(1, 2, 0, 0, 0, 7);
    m.showFrame();
    m.moveRatio(1, 7);
    m.showFrame();
    m.moveRatio(1, 9);
    m.showFrame();
    auto moved = load(m.bytes());
    QVERIFY(moved);
    MoviePlayer a(moved->movie);
    uint64_t v = a.stageVersion();
    QVERIFY(!a.tick());
    QCOMPARE(a.stageVersion(), v);
    QVERIFY(a.tick());
    QVERIFY(a.stageVersion() > v);

    auto nested = load(nestedSprite());
    QVERIFY(nested);
    MoviePlayer b(nested->movie);
    for (int i = 0; i < 4; ++i) {
        uint64_t before = b.stageVersion();
        QVERIFY(b.tick());
        QVERIFY(b.stageVersion() > before);
        QCOMPARE(b.currentFrame(), 0u);
    }
}

QTEST_MAIN(MovieChangesTest)
#include "tst_moviechanges.moc"
