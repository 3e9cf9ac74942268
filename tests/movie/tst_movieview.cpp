// The panel widget: loading off the user-interface thread, playback on a
// clock the tests move by hand, looping, frames that cost nothing when
// nothing moved, and the quiet placeholder for files it cannot play.

#include <QPushButton>
#include <QThreadPool>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "SwfBuilder.h"
#include "runtime/movie/MovieClock.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"
#include "runtime/movie/MovieView.h"

using namespace swftest;
using yelvanis::ManualClock;
using yelvanis::MovieView;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// Three frames at 50 fps: red, green, blue.
QByteArray threeFrames()
{
    Movie m;
    m.frameRate = 50 << 8;
    m.background({ 40, 40, 40 });
    m.rect(1, 0, 0, 2000, 2000, { 255, 0, 0 });
    m.rect(2, 0, 0, 2000, 2000, { 0, 255, 0 });
    m.rect(3, 0, 0, 2000, 2000, { 0, 0, 255 });
    m.place(1, 1);
    m.showFrame();
    m.remove(1);
    m.place(1, 2);
    m.showFrame();
    m.remove(1);
    m.place(1, 3);
    m.showFrame();
    return m.bytes('C');
}

// Five frames at 50 fps that place the same square where it already was.
QByteArray standingStill()
{
    Movie m;
    m.frameRate = 50 << 8;
    m.background({ 40, 40, 40 });
    m.rect(1, 0, 0, 800, 800, { 255, 0, 0 });
    m.place(1, 1, 600, 600);
    m.showFrame();
    for (int f = 1; f < 5; ++f) {
        m.remove(1);
        m.place(1, 1, 600, 600);
        m.showFrame();
    }
    return m.bytes();
}

// One square, then frames with nothing in them.
QByteArray emptyLaterFrames()
{
    Movie m;
    m.frameRate = 50 << 8;
    m.background({ 40, 40, 40 });
    m.rect(1, 0, 0, 800, 800, { 255, 0, 0 });
    m.place(1, 1, 600, 600);
    m.showFrame();
    for (int f = 1; f < 5; ++f)
        m.showFrame();
    return m.bytes();
}

// `frames` frames at `fps`; a square moves a little in each.
QByteArray movingSquare(int frames, int fps)
{
    Movie m;
    m.frameRate = uint16_t(fps << 8);
    m.background({ 40, 40, 40 });
    m.rect(1, 0, 0, 400, 400, { 255, 0, 0 });
    m.place(1, 1);
    m.showFrame();
    for (int f = 1; f < frames; ++f) {
        m.remove(1);
        m.place(1, 1, 8 * f, 8 * f);
        m.showFrame();
    }
    return m.bytes();
}

// One main frame; a sprite in the top quarter changes colour on its own.
QByteArray blinkingSprite()
{
    Movie inner;
    inner.place(1, 1);
    inner.showFrame();
    inner.remove(1);
    inner.place(1, 2);
    inner.showFrame();
    Movie m;
    m.frameRate = 50 << 8;
    m.background({ 40, 40, 40 });
    m.rect(1, 0, 0, 400, 400, { 255, 0, 0 });
    m.rect(2, 0, 0, 400, 400, { 0, 0, 255 });
    m.rect(3, 0, 0, 2000, 1000, { 0, 160, 0 });
    m.sprite(10, inner);
    m.place(1, 3, 0, 1000);
    m.place(2, 10, 800, 100);
    m.showFrame();
    return m.bytes();
}

// Counts the paints a widget gets, and where.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++count;
            painted += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
    void reset()
    {
        count = 0;
        painted = QRegion();
    }
};

// A view whose time a test moves on by hand.
struct DrivenView {
    DrivenView()
    {
        auto owned = std::make_unique<ManualClock>();
        clock = owned.get();
        view.setClock(std::move(owned));
    }
    // Moves time on and lets the drawing that follows reach the screen.
    bool step(int ms)
    {
        clock->advance(std::chrono::milliseconds(ms));
        if (!QTest::qWaitFor([&] { return view.isFrameCurrent(); }, 5000))
            return false;
        QCoreApplication::processEvents(); // the paint the new frame asked for
        return true;
    }
    MovieView view;
    ManualClock* clock;
};

// Loops the movie in a 100 x 100 view until it has loaded and painted once,
// then counts paints from nothing.
bool playUntilFirstPaint(MovieView& view, PaintCounter& paints, const QString& path)
{
    view.resize(100, 100);
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setLoop(true);
    view.setMovie(path);
    view.play();
    view.show();
    if (!QTest::qWaitFor([&] { return loaded.count() == 1 && paints.count > 0 && view.isFrameCurrent(); }, 5000))
        return false;
    QCoreApplication::processEvents();
    paints.reset();
    return true;
}

// The movie's stage after `ticks` steps, drawn by a renderer of its own.
QImage drawnAfresh(const QByteArray& bytes, QSize size, bool antialias, int ticks = 0)
{
    auto loaded = yelvanis::loadMovieData(bytes).loaded;
    yelvanis::swf::MoviePlayer player(loaded->movie);
    for (int i = 0; i < ticks; ++i)
        player.tick();
    yelvanis::MovieRenderer renderer(loaded);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    renderer.render(p, player, QRectF(img.rect()), antialias);
    return img;
}

bool isPlaceholder(const QImage& img)
{
    QRgb c = img.pixel(img.width() / 2, img.height() / 2);
    return qRed(c) == 0x20 && qGreen(c) == 0x20 && qBlue(c) == 0x20;
}

} // namespace

class MovieViewTest : public QObject {
    Q_OBJECT
private slots:
    void unplayableFileShowsPlaceholder_data();
    void unplayableFileShowsPlaceholder();
    void playsAndLoops();
    void withoutLoopStopsOnLastFrame();
    void loadsOffTheCallingThread();
    void hiddenPanelDoesNotAdvance();
    void followsTheClock_data();
    void followsTheClock();
    void fallingBehindSkipsDrawingNotSteps();
    void stepsSlowerThanTheMovieAreDropped();
    void closingWhileLoadingIsHarmless();
    void unchangedFramesPaintNothing_data();
    void unchangedFramesPaintNothing();
    void spriteFramesPaintOnlyWhereTheyChange();
    void newSizeAndQualityDrawAfresh();

private:
    QTemporaryDir m_dir;
};

void MovieViewTest::unplayableFileShowsPlaceholder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QString() << QByteArray() << "not found";
    QTest::newRow("random bytes") << "random.swf" << QByteArray("\x13\x99\x01\xfe not a movie at all", 24) << "signature";
    QTest::newRow("truncated header") << "cut.swf" << threeFrames().left(6) << "too short";
}

void MovieViewTest::unplayableFileShowsPlaceholder()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QString path = name.isEmpty() ? m_dir.filePath("absent.swf") : writeFile(m_dir, name, bytes);

    // The panel sits on a screen beside a button; the button must keep working.
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* view = new MovieView;
    auto* button = new QPushButton("Anasayfaya Dön");
    layout->addWidget(view);
    layout->addWidget(button);
    screen.resize(300, 200);
    screen.show();
    QSignalSpy failed(view, &MovieView::failed);
    QSignalSpy clicked(button, &QPushButton::clicked);

    view->setMovie(path);
    view->play();
    view->setLoop(true);
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY(view->isFailed());
    QVERIFY2(view->failureReason().contains(reason), qPrintable(view->failureReason()));
    QCOMPARE(failed.first().first().toString(), view->failureReason());
    QVERIFY(!view->isPlaying());
    QCOMPARE(view->currentFrame(), 0);
    QVERIFY(isPlaceholder(view->grab().toImage()));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

void MovieViewTest::playsAndLoops()
{
    QString path = writeFile(m_dir, "three.swf", threeFrames());
    DrivenView driven;
    MovieView& view = driven.view;
    view.resize(200, 100);
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    view.setLoop(true);
    QCOMPARE(view.movie(), path);
    QVERIFY(view.loop());
    QTRY_COMPARE(loaded.count(), 1);
    QVERIFY(!view.isFailed());
    QVERIFY(view.isPlaying());
    // Frames go 1, 2, 3 and back to 1, one every 20 ms.
    int previous = 1;
    QCOMPARE(view.currentFrame(), previous);
    for (int expected : {2, 3, 1, 2}) {
        QVERIFY(driven.step(19));
        QCOMPARE(view.currentFrame(), previous); // not due yet
        QVERIFY(driven.step(1));
        QCOMPARE(view.currentFrame(), expected);
        previous = expected;
    }
    // ShowAll: the square stage in the middle of the wide box, bars in the background colour.
    QImage img = view.grab().toImage();
    QCOMPARE(qRed(img.pixel(10, 50)), 40);
    QCOMPARE(img.pixel(100, 50) & 0xffffff, 0x00ff00u);
}

void MovieViewTest::withoutLoopStopsOnLastFrame()
{
    QString path = writeFile(m_dir, "once.swf", threeFrames());
    DrivenView driven;
    MovieView& view = driven.view;
    view.resize(100, 100);
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    QTRY_COMPARE(loaded.count(), 1);
    QVERIFY(driven.step(40));
    QCOMPARE(view.currentFrame(), 3);
    QVERIFY(driven.step(200));
    QCOMPARE(view.currentFrame(), 3);
}

void MovieViewTest::loadsOffTheCallingThread()
{
    // setMovie returns before the file is read; play() before the load ends still plays.
    QString path = writeFile(m_dir, "later.swf", threeFrames());
    DrivenView driven;
    MovieView& view = driven.view;
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    QVERIFY(!view.isLoaded());
    QCOMPARE(view.currentFrame(), 0);
    view.play();
    QVERIFY(view.isPlaying());
    QTRY_COMPARE(loaded.count(), 1);
    QVERIFY(driven.step(20));
    QCOMPARE(view.currentFrame(), 2);
    // A second setMovie supersedes the first, even while that one loads.
    view.setMovie(m_dir.filePath("absent.swf"));
    QSignalSpy failed(&view, &MovieView::failed);
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(loaded.count(), 1);
}

void MovieViewTest::hiddenPanelDoesNotAdvance()
{
    QString path = writeFile(m_dir, "hidden.swf", threeFrames());
    DrivenView driven;
    MovieView& view = driven.view;
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    view.setLoop(true);
    QTRY_COMPARE(loaded.count(), 1);
    QVERIFY(!driven.clock->isWaiting()); // no wake-ups while hidden
    driven.clock->advance(std::chrono::seconds(5));
    QCOMPARE(view.currentFrame(), 1);
    view.show();
    QVERIFY(driven.step(20));
    QCOMPARE(view.currentFrame(), 2);
    view.hide();
    QVERIFY(!driven.clock->isWaiting());
}

void MovieViewTest::followsTheClock_data()
{
    QTest::addColumn<int>("fps");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("frame");
    // 30 frames a second are 33.3 ms apart: rounding each wait to whole
    // milliseconds would drift by a frame or more over a second.
    QTest::newRow("1 ms at a time") << 30 << 1 << 1000 << 31;
    QTest::newRow("7 ms at a time") << 30 << 7 << 143 << 31;
    QTest::newRow("one late wake-up steps every frame missed") << 30 << 100 << 1 << 4;
    QTest::newRow("a long stall steps one second at most") << 30 << 5000 << 1 << 31;
    QTest::newRow("and then goes on from there") << 30 << 5000 << 2 << 61;
    QTest::newRow("rates past 120 go at 120") << 250 << 1 << 1000 << 121;
}

void MovieViewTest::followsTheClock()
{
    QFETCH(int, fps);
    QFETCH(int, stepMs);
    QFETCH(int, steps);
    QFETCH(int, frame);
    QString path = writeFile(m_dir, "clock.swf", movingSquare(400, fps));
    DrivenView driven;
    MovieView& view = driven.view;
    view.resize(50, 50);
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    QTRY_COMPARE(loaded.count(), 1);
    for (int i = 0; i < steps; ++i)
        driven.clock->advance(std::chrono::milliseconds(stepMs));
    QCOMPARE(view.currentFrame(), frame);
    // The next wake-up is when the next frame is due, not a timer's tick later.
    const auto due = driven.clock->wakeTime() - driven.clock->now();
    QVERIFY(due > std::chrono::nanoseconds(0));
    QVERIFY(due <= std::chrono::nanoseconds(1'000'000'000 / std::min(fps, 120)));
}

void MovieViewTest::fallingBehindSkipsDrawingNotSteps()
{
    QString path = writeFile(m_dir, "behind.swf", movingSquare(20, 50));
    DrivenView driven;
    MovieView& view = driven.view;
    view.resize(100, 100);
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    QTRY_COMPARE(loaded.count(), 1);
    QTRY_VERIFY(view.isFrameCurrent());
    const int drawings = view.drawingsStarted();
    // Five frames due at once: five steps, one drawing, of the last.
    QVERIFY(driven.step(100));
    QCOMPARE(view.currentFrame(), 6);
    QCOMPARE(view.drawingsStarted(), drawings + 1);
    QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             drawnAfresh(movingSquare(20, 50), view.size(), true, 5));
}

void MovieViewTest::stepsSlowerThanTheMovieAreDropped()
{
    // Each reading of this clock finds 30 ms gone, as if every step of a
    // 50 fps timeline took that long: catching up a second's worth would
    // hold the user-interface thread for a second and a half.
    struct SlowSteps : ManualClock {
        Time now() const override { return ManualClock::now() + (spent += std::chrono::milliseconds(30)); }
        mutable Time spent { 0 };
    };
    QString path = writeFile(m_dir, "slow.swf", movingSquare(400, 50));
    MovieView view;
    auto owned = std::make_unique<SlowSteps>();
    SlowSteps* clock = owned.get();
    view.setClock(std::move(owned));
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    QTRY_COMPARE(loaded.count(), 1);
    clock->advance(std::chrono::seconds(2));
    QVERIFY2(view.currentFrame() <= 3, qPrintable(QString::number(view.currentFrame())));
    QVERIFY(view.currentFrame() > 1);
}

void MovieViewTest::closingWhileLoadingIsHarmless()
{
    // A screen unloaded before its movie finished loading: the late result is dropped.
    Movie m;
    for (uint16_t id = 1; id <= 3000; ++id)
        m.rect(id, 0, 0, 2000, 2000, { uint8_t(id), 0, 0 });
    m.place(1, 3000);
    m.showFrame();
    QString path = writeFile(m_dir, "big.swf", m.bytes('C'));
    for (int i = 0; i < 5; ++i) {
        auto* view = new MovieView;
        view->show();
        view->setMovie(path);
        view->play();
        delete view;
    }
    QThreadPool::globalInstance()->waitForDone(10000);
    QCoreApplication::processEvents();
    MovieView view;
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, 10000);
}

void MovieViewTest::unchangedFramesPaintNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("later frames empty") << emptyLaterFrames();
    QTest::newRow("placed again where it was") << standingStill();
}

void MovieViewTest::unchangedFramesPaintNothing()
{
    // The timeline plays and loops, yet the stage never changes: after the
    // first frame, nothing is drawn and nothing painted.
    QFETCH(QByteArray, bytes);
    QString path = writeFile(m_dir, "still.swf", bytes);
    DrivenView driven;
    MovieView& view = driven.view;
    PaintCounter paints(&view);
    QVERIFY(playUntilFirstPaint(view, paints, path));
    const int drawings = view.drawingsStarted();
    QSet<int> seen;
    for (int i = 0; i < 12; ++i) {
        QVERIFY(driven.step(20));
        seen.insert(view.currentFrame());
    }
    QCOMPARE(seen.size(), 5); // every frame, and round again
    QCOMPARE(view.drawingsStarted(), drawings);
    QCOMPARE(paints.count, 0);
    QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), drawnAfresh(bytes, view.size(), true));
}

void MovieViewTest::spriteFramesPaintOnlyWhereTheyChange()
{
    // The main timeline has one frame; the sprite's own frames still reach
    // the screen, and only the rows it spans are painted.
    QString path = writeFile(m_dir, "blink.swf", blinkingSprite());
    DrivenView driven;
    MovieView& view = driven.view;
    PaintCounter paints(&view);
    QVERIFY(playUntilFirstPaint(view, paints, path));
    QSet<QRgb> colours;
    for (int i = 0; i < 4; ++i) {
        paints.reset();
        QVERIFY(driven.step(20));
        QCOMPARE(view.currentFrame(), 1);
        QCOMPARE(paints.count, 1);
        // The sprite covers rows 5 to 25; smoothing may take a pixel or two more.
        QVERIFY2(QRect(0, 0, 100, 30).contains(paints.painted.boundingRect()),
                 qPrintable(QStringLiteral("painted down to row %1").arg(paints.painted.boundingRect().bottom())));
        colours.insert(view.grab().toImage().pixel(50, 15) & 0xffffff);
    }
    QCOMPARE(colours, (QSet<QRgb> { 0xff0000, 0x0000ff }));
}

void MovieViewTest::newSizeAndQualityDrawAfresh()
{
    QString path = writeFile(m_dir, "sizes.swf", standingStill());
    MovieView view;
    view.resize(100, 100);
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.show();
    QTRY_COMPARE(loaded.count(), 1);
    // Each is drawn off the user-interface thread; until then the last frame shows.
    auto shown = [&] { return view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); };
    QTRY_COMPARE(shown(), drawnAfresh(standingStill(), QSize(100, 100), true));
    view.resize(173, 61);
    QTRY_COMPARE(shown(), drawnAfresh(standingStill(), QSize(173, 61), true));
    view.setAntialiased(false);
    QTRY_COMPARE(shown(), drawnAfresh(standingStill(), QSize(173, 61), false));
    view.resize(64, 90);
    QTRY_COMPARE(shown(), drawnAfresh(standingStill(), QSize(64, 90), false));
    QVERIFY(view.isFrameCurrent());
}

QTEST_MAIN(MovieViewTest)
#include "tst_movieview.moc"
