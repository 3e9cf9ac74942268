// Timeline playback and drawing of small hand-made movies: fills resolved
// from edge lists, gradients, sprites, morphs, masks and frame actions.

#include <QtTest>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace swftest;
using yelvanis::LoadedMovie;
using yelvanis::MovieRenderer;
using yelvanis::swf::MoviePlayer;

namespace {

const Color kBlack { 0, 0, 0 }, kRed { 255, 0, 0 }, kGreen { 0, 255, 0 }, kBlue { 0, 0, 255 }, kWhite { 255, 255, 255 }, kGrey { 40, 40, 40 };

std::shared_ptr<const LoadedMovie> load(const Movie& m)
{
    auto r = yelvanis::loadMovieData(m.bytes());
    if (!r.loaded)
        qWarning() << "refused:" << r.error;
    return r.loaded;
}

QImage draw(const std::shared_ptr<const LoadedMovie>& movie, const MoviePlayer& player, QSize size = { 100, 100 })
{
    MovieRenderer renderer(movie);
    renderer.setTimeBudget(0);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::magenta);
    QPainter p(&img);
    renderer.render(p, player, QRectF(img.rect()), false);
    return img;
}

QImage render(const Movie& m, int ticks = 0, QSize size = { 100, 100 })
{
    auto movie = load(m);
    if (!movie)
        return {};
    MoviePlayer player(movie->movie);
    for (int i = 0; i < ticks; ++i)
        player.tick();
    return draw(movie, player, size);
}

bool near(QRgb a, QColor b, int tolerance = 12)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

#define CHECK_PIXEL(img, x, y, color)                                                                                  \
    QVERIFY2(near((img).pixel((x), (y)), (color)),                                                                     \
             qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(describe((img).pixel((x), (y))))))

Movie withBackground()
{
    Movie m;
    m.background(kGrey);
    return m;
}

} // namespace

class MoviePlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void squareFromEdges_data();
    void squareFromEdges();
    void twoFillsShareAnEdge();
    void gradient_data();
    void gradient();
    void showAllCentresOverBackground();
    void spriteLoopsOnItsOwn();
    void spriteInstancesKeepTheirOwnFrame();
    void morphAtRatio_data();
    void morphAtRatio();
    void clipMaskHidesOutside();
    void buttonShowsItsUpState_data();
    void buttonShowsItsUpState();
    void editTextInEitherEncoding();
    void frameActions_data();
    void frameActions();
    void tickTellsWhetherTheStageChanged_data();
    void tickTellsWhetherTheStageChanged();
    void mainTimelineLoop_data();
    void mainTimelineLoop();
};

// A 1000-twip square at (500,500) drawn in several ways that all mean the
// same filled square; the hole variant must leave its middle empty.
void MoviePlaybackTest::squareFromEdges_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("hole");
    QTest::newRow("clockwise, fill on the right") << 0 << false;
    QTest::newRow("counter-clockwise, fill on the left") << 1 << false;
    QTest::newRow("edges out of order with swapped sides") << 2 << false;
    QTest::newRow("ring with a hole of reversed side") << 3 << true;
    QTest::newRow("separate edges, alternating sides") << 4 << false;
}

void MoviePlaybackTest::squareFromEdges()
{
    QFETCH(int, variant);
    QFETCH(bool, hole);
    Movie m = withBackground();
    Bits b;
    b.u16(1);
    b.rect(500, 1500, 500, 1500);
    b.u8(1);
    solidFill(b, kRed, 3);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    switch (variant) {
    case 0:
    case 3:
        s.style(-1, 1, -1, true, 500, 500);
        s.line(1000, 0);
        s.line(0, 1000);
        s.line(-1000, 0);
        s.line(0, -1000);
        if (variant == 3) {
            // inner square, also clockwise: the fill lies on its left, outside it
            s.style(1, 0, -1, true, 800, 800);
            s.line(400, 0);
            s.line(0, 400);
            s.line(-400, 0);
            s.line(0, -400);
        }
        break;
    case 1:
        s.style(1, -1, -1, true, 500, 500);
        s.line(0, 1000);
        s.line(1000, 0);
        s.line(0, -1000);
        s.line(-1000, 0);
        break;
    case 2:
        // top edge left to right, fill on its right (below)
        s.style(-1, 1, -1, true, 500, 500);
        s.line(1000, 0);
        // then from the same corner downwards, fill on the left of each edge
        s.style(1, 0, -1, true, 500, 500);
        s.line(0, 1000);
        s.line(1000, 0);
        s.line(0, -1000);
        break;
    case 4:
        // Each edge on its own, every other one drawn backwards with the fill
        // on its left: only turning those round closes the square.
        s.style(0, 1, -1, true, 500, 500);
        s.line(1000, 0);
        s.style(1, 0, -1, true, 1500, 1500);
        s.line(0, -1000);
        s.style(0, 1, -1, true, 1500, 1500);
        s.line(-1000, 0);
        s.style(1, 0, -1, true, 500, 500);
        s.line(0, 1000);
        break;
    }
    s.end();
    m.tag(32, b.out);
    m.place(1, 1);
    m.showFrame();
    QImage img = render(m);
    QVERIFY(!img.isNull());
    CHECK_PIXEL(img, 30, 30, kRed);
    CHECK_PIXEL(img, 70, 30, kRed);
    CHECK_PIXEL(img, 30, 70, kRed);
    CHECK_PIXEL(img, 72, 72, kRed);
    if (hole)
        CHECK_PIXEL(img, 50, 50, kGrey);
    else
        CHECK_PIXEL(img, 50, 50, kRed);
    CHECK_PIXEL(img, 10, 50, kGrey);
    CHECK_PIXEL(img, 90, 50, kGrey);
    CHECK_PIXEL(img, 50, 90, kGrey);
}

void MoviePlaybackTest::twoFillsShareAnEdge()
{
    // Left half red, right half blue, one shared middle edge carrying both.
    Movie m = withBackground();
    Bits b;
    b.u16(1);
    b.rect(0, 2000, 0, 2000);
    b.u8(2);
    solidFill(b, kRed, 3);
    solidFill(b, kBlue, 3);
    b.u8(0);
    ShapeWriter s(b, 2, 0);
    s.style(-1, 1, -1, true, 1000, 0);
    s.line(-1000, 0);
    s.line(0, 2000);
    s.line(1000, 0);
    s.style(2, 1, -1); // going up the middle: blue on the left... no, right half on the right when going down
    s.line(0, -2000);
    s.style(0, 2, -1, true, 1000, 0);
    s.line(1000, 0);
    s.line(0, 2000);
    s.line(-1000, 0);
    s.end();
    m.tag(32, b.out);
    m.place(1, 1);
    m.showFrame();
    QImage img = render(m);
    CHECK_PIXEL(img, 20, 50, kRed);
    CHECK_PIXEL(img, 80, 50, kBlue);
}

void MoviePlaybackTest::gradient_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<QColor>("expected");
    // red at ratio 0, blue at 255, across the whole stage
    QTest::newRow("left end") << 1 << QColor(255, 0, 0);
    QTest::newRow("middle") << 50 << QColor(128, 0, 127);
    QTest::newRow("right end") << 98 << QColor(0, 0, 255);
}

void MoviePlaybackTest::gradient()
{
    QFETCH(int, x);
    QFETCH(QColor, expected);
    Movie m = withBackground();
    Bits b;
    b.u16(1);
    b.rect(0, 2000, 0, 2000);
    b.u8(1);
    linearFill(b, 0, 2000, { { 0, kRed }, { 255, kBlue } }, 3);
    b.u8(0);
    ShapeWriter s(b, 1, 0);
    s.style(-1, 1, -1, true, 0, 0);
    s.line(2000, 0);
    s.line(0, 2000);
    s.line(-2000, 0);
    s.line(0, -2000);
    s.end();
    m.tag(32, b.out);
    m.place(1, 1);
    m.showFrame();
    QImage img = render(m);
    QVERIFY2(near(img.pixel(x, 50), expected, 10), qPrintable(describe(img.pixel(x, 50))));
}

void MoviePlaybackTest::showAllCentresOverBackground()
{
    // A square stage in a wide box: bars left and right in the background
    // colour, the stage scaled to the box's height in the middle.
    Movie m = withBackground();
    m.rect(1, 0, 0, 2000, 2000, kRed);
    m.place(1, 1);
    m.showFrame();
    QImage img = render(m, 0, QSize(300, 100));
    CHECK_PIXEL(img, 50, 50, kGrey);
    CHECK_PIXEL(img, 150, 50, kRed);
    CHECK_PIXEL(img, 101, 2, kRed);
    CHECK_PIXEL(img, 198, 97, kRed);
    CHECK_PIXEL(img, 250, 50, kGrey);
}

static Movie threeColourSprite()
{
    Movie inner;
    inner.place(1, 1);
    inner.showFrame();
    inner.remove(1);
    inner.place(1, 2);
    inner.showFrame();
    inner.remove(1);
    inner.place(1, 3);
    inner.showFrame();
    Movie m = withBackground();
    m.rect(1, 0, 0, 2000, 2000, kRed);
    m.rect(2, 0, 0, 2000, 2000, kGreen);
    m.rect(3, 0, 0, 2000, 2000, kBlue);
    m.sprite(10, inner);
    return m;
}

void MoviePlaybackTest::spriteLoopsOnItsOwn()
{
    // The main timeline has one frame; the sprite's three frames go round.
    Movie m = threeColourSprite();
    m.place(1, 10);
    m.showFrame();
    auto movie = load(m);
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    const QColor cycle[] = { QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255) };
    for (int tick = 0; tick < 7; ++tick) {
        QImage img = draw(movie, player);
        QVERIFY2(near(img.pixel(50, 50), cycle[tick % 3]), qPrintable(QStringLiteral("tick %1: %2").arg(tick).arg(describe(img.pixel(50, 50)))));
        QCOMPARE(player.currentFrame(), 0u);
        player.tick();
    }
}

void MoviePlaybackTest::spriteInstancesKeepTheirOwnFrame()
{
    // One instance from the first frame, another placed a frame later: each
    // counts its frames from its own start.
    Movie m = threeColourSprite();
    m.place(1, 10);
    m.showFrame();
    m.place(2, 10, 0, 0);
    m.actions(stopAction());
    m.showFrame();
    auto movie = load(m);
    MoviePlayer player(movie->movie);
    player.tick();
    player.tick();
    const auto& list = player.root().displayList;
    QVERIFY(list.count(1) && list.count(2));
    QVERIFY(list.at(1).clip && list.at(2).clip);
    QCOMPARE(list.at(1).clip->frame, 2u);
    QCOMPARE(list.at(2).clip->frame, 1u);
}

void MoviePlaybackTest::morphAtRatio_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("insideX");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("emptyX");
    // A 20 px red square at x 0..20 turning into a blue one at x 60..80.
    QTest::newRow("ratio 0") << 0 << 10 << QColor(255, 0, 0) << 70;
    QTest::newRow("half") << 32768 << 40 << QColor(128, 0, 128) << 10;
    QTest::newRow("full") << 65535 << 70 << QColor(0, 0, 255) << 10;
}

void MoviePlaybackTest::morphAtRatio()
{
    QFETCH(int, ratio);
    QFETCH(int, insideX);
    QFETCH(QColor, colour);
    QFETCH(int, emptyX);
    Movie m = withBackground();
    Bits styles;
    styles.u8(1);
    styles.u8(0x00);
    styles.rgba(kRed);
    styles.rgba(kBlue);
    styles.u8(0);
    ShapeWriter start(styles, 1, 0);
    start.style(-1, 1, -1, true, 0, 800);
    start.line(400, 0);
    start.line(0, 400);
    start.line(-400, 0);
    start.line(0, -400);
    start.end();
    Bits endEdges;
    ShapeWriter end(endEdges, 0, 0);
    end.style(-1, -1, -1, true, 1200, 800);
    end.line(400, 0);
    end.line(0, 400);
    end.line(-400, 0);
    end.line(0, -400);
    end.end();
    Bits b;
    b.u16(1);
    b.rect(0, 400, 800, 1200);
    b.rect(1200, 1600, 800, 1200);
    b.u32(uint32_t(styles.out.size()));
    b.bytes(styles.out);
    b.bytes(endEdges.out);
    m.tag(46, b.out);
    m.place(1, 1, 0, 0, 0, ratio);
    m.showFrame();
    QImage img = render(m);
    QVERIFY2(near(img.pixel(insideX, 50), colour, 3), qPrintable(describe(img.pixel(insideX, 50))));
    CHECK_PIXEL(img, emptyX, 50, kGrey);
}

void MoviePlaybackTest::clipMaskHidesOutside()
{
    // The mask covers the left half; red under it shows only there, while
    // green above the masked depths is not clipped.
    Movie m = withBackground();
    m.rect(1, 0, 0, 1000, 2000, kWhite);
    m.rect(2, 0, 0, 2000, 1000, kRed);
    m.rect(3, 0, 1000, 2000, 1000, kGreen);
    m.place(1, 1, 0, 0, 2);
    m.place(2, 2);
    m.place(3, 3);
    m.showFrame();
    QImage img = render(m);
    CHECK_PIXEL(img, 25, 25, kRed);
    CHECK_PIXEL(img, 75, 25, kGrey);
    CHECK_PIXEL(img, 25, 75, kGreen);
    CHECK_PIXEL(img, 75, 75, kGreen);
}

void MoviePlaybackTest::buttonShowsItsUpState_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("first button kind") << 7;
    QTest::newRow("second button kind") << 34;
}

void MoviePlaybackTest::buttonShowsItsUpState()
{
    // Up state: red on the left; over and down states: green on the right.
    QFETCH(int, code);
    Movie m = withBackground();
    m.rect(1, 0, 0, 1000, 2000, kRed);
    m.rect(2, 1000, 0, 1000, 2000, kGreen);
    Bits b;
    b.u16(5);
    if (code == 34) {
        b.u8(0);
        b.u16(0);
    }
    for (auto [states, id] : { std::pair { 0x01, 1 }, std::pair { 0x06, 2 } }) {
        b.u8(uint8_t(states));
        b.u16(uint16_t(id));
        b.u16(uint16_t(id));
        b.matrix();
        if (code == 34)
            b.u8(0x00); // colour transform without terms
    }
    b.u8(0);
    if (code == 7)
        b.u8(0); // no actions
    m.tag(uint16_t(code), b.out);
    m.place(1, 5);
    m.showFrame();
    QImage img = render(m);
    CHECK_PIXEL(img, 25, 50, kRed);
    CHECK_PIXEL(img, 75, 50, kGrey);
}

void MoviePlaybackTest::editTextInEitherEncoding()
{
    // The same Turkish words, stored in the code page of an old file and in
    // UTF-8 in a newer one, in a bordered field with a device font.
    auto movieFor = [](uint8_t version, const QByteArray& text) {
        Movie m = withBackground();
        m.version = version;
        Bits b;
        b.u16(1);
        b.rect(100, 1900, 600, 1400);
        b.u8(0x80 | 0x04); // text, colour
        b.u8(0x08);        // border
        b.rgba({ 0, 0, 0, 255 });
        b.str("");
        b.str(text.toStdString());
        m.tag(37, b.out);
        m.place(1, 1);
        m.showFrame();
        return m;
    };
    QImage old = render(movieFor(5, QByteArray("\xdd\xfeI\xf0", 4)));
    QImage utf = render(movieFor(8, QStringLiteral("İşIğ").toUtf8()));
    QCOMPARE(old, utf);
    CHECK_PIXEL(utf, 5, 30, kBlack); // left border
    CHECK_PIXEL(utf, 50, 10, kGrey);  // outside the field
    int ink = 0;
    for (int y = 32; y < 68; ++y)
        for (int x = 7; x < 93; ++x)
            ink += qRed(utf.pixel(x, y)) < 100;
    QVERIFY2(ink > 20, qPrintable(QString::number(ink)));
}

void MoviePlaybackTest::frameActions_data()
{
    QTest::addColumn<int>("actionFrame");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("expectedFrame");
    QTest::addColumn<bool>("playing");
    auto bytes = [](const std::vector<uint8_t>& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())); };
    // five frames, label "end" on the last
    QTest::newRow("stop holds the frame") << 1 << bytes(stopAction()) << 6 << 1 << false;
    QTest::newRow("goto then stop") << 0 << bytes(gotoFrameAction(3) + stopAction()) << 2 << 3 << false;
    QTest::newRow("goto then play") << 0 << bytes(gotoFrameAction(3) + playAction()) << 1 << 4 << true;
    QTest::newRow("goto label") << 0 << bytes(gotoLabelAction("end") + stopAction()) << 0 << 4 << false;
    QTest::newRow("unknown label is ignored") << 0 << bytes(gotoLabelAction("nowhere") + stopAction()) << 3 << 0 << false;
    QTest::newRow("next frame steps and stops") << 0 << bytes({ 0x04 }) << 3 << 1 << false;
    QTest::newRow("previous frame steps back and stops") << 2 << bytes({ 0x05 }) << 4 << 1 << false;
    QTest::newRow("unknown actions are skipped") << 1 << bytes({ 0x96, 3, 0, 0, 'a', 0, 0x1c }) + bytes(stopAction()) << 4 << 1 << false;
}

void MoviePlaybackTest::frameActions()
{
    QFETCH(int, actionFrame);
    QFETCH(QByteArray, code);
    QFETCH(int, ticks);
    QFETCH(int, expectedFrame);
    QFETCH(bool, playing);
    Movie m = withBackground();
    for (int f = 0; f < 5; ++f) {
        if (f == 4)
            m.label("end");
        if (f == actionFrame)
            m.actions(std::vector<uint8_t>(code.begin(), code.end()));
        m.showFrame();
    }
    auto movie = load(m);
    QVERIFY(movie);
    MoviePlayer player(movie->movie);
    player.setLoop(false);
    for (int i = 0; i < ticks; ++i)
        player.tick();
    QCOMPARE(int(player.currentFrame()), expectedFrame);
    QCOMPARE(player.isPlaying(), playing);
}

void MoviePlaybackTest::tickTellsWhetherTheStageChanged_data()
{
    // Each movie loops; `changes` holds what each tick must answer, t or f.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("changes");
    auto movie = [] {
        Movie m = withBackground();
        m.rect(1, 0, 0, 500, 500, kRed);
        m.rect(2, 0, 0, 500, 500, kBlue);
        return m;
    };
    {
        // Frame 1 places, frame 2 is empty, frame 3 moves the square, then back to frame 1.
        Movie m = movie();
        m.place(1, 1);
        m.showFrame();
        m.showFrame();
        Bits b;
        b.u8(0x01 | 0x04);
        b.u16(1);
        b.matrix(1, 1, 400, 0);
        m.tag(26, b.out);
        m.showFrame();
        QTest::newRow("empty frame, move, loop back") << m.bytes() << "fttf";
    }
    {
        Movie m = movie();
        m.place(1, 1);
        m.showFrame();
        m.remove(1);
        m.place(1, 1);
        m.showFrame();
        m.remove(1);
        m.place(1, 1, 400, 0);
        m.showFrame();
        QTest::newRow("removed and placed again as it was") << m.bytes() << "fttf";
    }
    {
        Movie m = movie();
        m.place(1, 1);
        m.showFrame();
        m.place(1, 1);
        m.showFrame();
        QTest::newRow("placed anew over itself") << m.bytes() << "fff";
    }
    {
        Movie m = movie();
        m.place(1, 1, 100, 100);
        m.showFrame();
        m.showFrame();
        QTest::newRow("loop back to a frame alike") << m.bytes() << "fff";
    }
    {
        Movie m = movie();
        m.place(1, 1);
        m.showFrame();
        m.remove(1);
        m.place(1, 2);
        m.showFrame();
        QTest::newRow("replaced by another character") << m.bytes() << "ttt";
    }
    {
        Movie m = movie();
        m.place(1, 1);
        m.place(2, 2, 600, 0);
        m.showFrame();
        m.remove(2);
        m.showFrame();
        QTest::newRow("removed") << m.bytes() << "ttt";
    }
    for (bool alike : {true, false}) {
        // The main timeline has one frame; a sprite's two frames differ or not.
        Movie inner;
        inner.place(1, 1);
        inner.showFrame();
        inner.remove(1);
        inner.place(1, alike ? 1 : 2);
        inner.showFrame();
        Movie m = movie();
        m.sprite(10, inner);
        m.place(1, 10, 200, 200);
        m.showFrame();
        QTest::newRow(alike ? "sprite frames alike" : "sprite frames differ") << m.bytes() << (alike ? "ffff" : "tttt");
    }
}

void MoviePlaybackTest::tickTellsWhetherTheStageChanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, changes);
    auto loaded = yelvanis::loadMovieData(bytes).loaded;
    QVERIFY(loaded);
    MoviePlayer player(loaded->movie);
    for (int i = 0; i < changes.size(); ++i) {
        const uint64_t version = player.stageVersion();
        const bool changed = player.tick();
        QVERIFY2(changed == (changes[i] == 't'), qPrintable(QStringLiteral("tick %1 to frame %2").arg(i + 1).arg(player.currentFrame() + 1)));
        QCOMPARE(player.stageVersion() != version, changed);
    }
}

void MoviePlaybackTest::mainTimelineLoop_data()
{
    QTest::addColumn<bool>("loop");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("expectedFrame");
    QTest::addColumn<QColor>("colour");
    // frame 0 red, frame 1 green, frame 2 blue
    QTest::newRow("looping goes back to the first frame") << true << 3 << 0 << QColor(255, 0, 0);
    QTest::newRow("looping goes round twice") << true << 7 << 1 << QColor(0, 255, 0);
    QTest::newRow("without loop it stays on the last") << false << 7 << 2 << QColor(0, 0, 255);
}

void MoviePlaybackTest::mainTimelineLoop()
{
    QFETCH(bool, loop);
    QFETCH(int, ticks);
    QFETCH(int, expectedFrame);
    QFETCH(QColor, colour);
    Movie m = withBackground();
    m.rect(1, 0, 0, 2000, 2000, kRed);
    m.rect(2, 0, 0, 2000, 2000, kGreen);
    m.rect(3, 0, 0, 2000, 2000, kBlue);
    m.place(1, 1);
    m.showFrame();
    m.remove(1);
    m.place(1, 2);
    m.showFrame();
    m.remove(1);
    m.place(1, 3);
    m.showFrame();
    auto movie = load(m);
    MoviePlayer player(movie->movie);
    player.setLoop(loop);
    for (int i = 0; i < ticks; ++i)
        player.tick();
    QCOMPARE(int(player.currentFrame()), expectedFrame);
    QImage img = draw(movie, player);
    QVERIFY2(near(img.pixel(50, 50), colour), qPrintable(describe(img.pixel(50, 50))));
}

QTEST_MAIN(MoviePlaybackTest)
#include "tst_movieplayback.moc"
