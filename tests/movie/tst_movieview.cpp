// The panel widget: loading off the user-interface thread, timer playback,
// looping, and the quiet placeholder for files it cannot play.

#include <QPushButton>
#include <QThreadPool>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"
#include "runtime/movie/MovieView.h"

using namespace swftest;
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
    QTest::qWait(50);
    paints.reset();
    return true;
}

QImage drawnAfresh(const QByteArray& bytes, QSize size, bool antialias)
{
    auto loaded = yelvanis::loadMovieData(bytes).loaded;
    yelvanis::swf::MoviePlayer player(loaded->movie);
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
    void closingWhileLoadingIsHarmless();
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
    MovieView view;
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
    // Frames go 1, 2, 3 and back to 1.
    QTRY_COMPARE_WITH_TIMEOUT(view.currentFrame(), 3, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(view.currentFrame(), 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(view.currentFrame(), 2, 3000);
    // ShowAll: the square stage in the middle of the wide box, bars in the background colour.
    QImage img = view.grab().toImage();
    QRgb bar = img.pixel(10, 50);
    QCOMPARE(qRed(bar), 40);
    QVERIFY(qRed(img.pixel(100, 50)) > 200 || qGreen(img.pixel(100, 50)) > 200 || qBlue(img.pixel(100, 50)) > 200);
}

void MovieViewTest::withoutLoopStopsOnLastFrame()
{
    QString path = writeFile(m_dir, "once.swf", threeFrames());
    MovieView view;
    view.resize(100, 100);
    view.show();
    view.setMovie(path);
    view.play();
    QTRY_COMPARE_WITH_TIMEOUT(view.currentFrame(), 3, 3000);
    QTest::qWait(200);
    QCOMPARE(view.currentFrame(), 3);
}

void MovieViewTest::loadsOffTheCallingThread()
{
    // setMovie returns before the file is read; play() before the load ends still plays.
    QString path = writeFile(m_dir, "later.swf", threeFrames());
    MovieView view;
    view.show();
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    QVERIFY(!view.isLoaded());
    QCOMPARE(view.currentFrame(), 0);
    view.play();
    QVERIFY(view.isPlaying());
    QTRY_COMPARE(loaded.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(view.currentFrame() > 1, 3000);
    // A second setMovie supersedes the first, even while that one loads.
    view.setMovie(m_dir.filePath("absent.swf"));
    QSignalSpy failed(&view, &MovieView::failed);
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(loaded.count(), 1);
}

void MovieViewTest::hiddenPanelDoesNotAdvance()
{
    QString path = writeFile(m_dir, "hidden.swf", threeFrames());
    MovieView view;
    QSignalSpy loaded(&view, &MovieView::loaded);
    view.setMovie(path);
    view.play();
    view.setLoop(true);
    QTRY_COMPARE(loaded.count(), 1);
    QTest::qWait(150);
    QCOMPARE(view.currentFrame(), 1);
    view.show();
    QTRY_VERIFY_WITH_TIMEOUT(view.currentFrame() > 1, 3000);
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

void MovieViewTest::unchangedFramesPaintNothing()
{
    // The timeline plays and loops, yet the stage never changes: no paint
    // after the first.
    QString path = writeFile(m_dir, "still.swf", standingStill());
    MovieView view;
    PaintCounter paints(&view);
    QVERIFY(playUntilFirstPaint(view, paints, path));
    QSet<int> seen;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400) {
        QTest::qWait(5);
        seen.insert(view.currentFrame());
    }
    QVERIFY2(seen.size() >= 4, "the timeline did not play");
    QVERIFY(seen.contains(1) && seen.contains(5));
    QCOMPARE(paints.count, 0);
    QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), drawnAfresh(standingStill(), view.size(), true));
}

void MovieViewTest::spriteFramesPaintOnlyWhereTheyChange()
{
    // The main timeline has one frame; the sprite's own frames still reach
    // the screen, and only the rows it spans are painted.
    QString path = writeFile(m_dir, "blink.swf", blinkingSprite());
    MovieView view;
    PaintCounter paints(&view);
    QVERIFY(playUntilFirstPaint(view, paints, path));
    QSet<QRgb> colours;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400) {
        QTest::qWait(10);
        colours.insert(view.grab().toImage().pixel(50, 15) & 0xffffff);
    }
    QCOMPARE(view.currentFrame(), 1);
    QVERIFY2(colours.contains(0xff0000) && colours.contains(0x0000ff), "the sprite's frames did not show");
    // grab() paints the whole widget: look at the timer's paints only.
    paints.reset();
    QTest::qWait(200);
    QVERIFY(paints.count >= 3);
    // The sprite covers rows 5 to 25; smoothing may take a pixel or two more.
    QVERIFY2(QRect(0, 0, 100, 30).contains(paints.painted.boundingRect()),
             qPrintable(QStringLiteral("painted down to row %1").arg(paints.painted.boundingRect().bottom())));
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
