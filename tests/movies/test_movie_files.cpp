// The committed movies, as the panels will play them: each parses with the
// engine, has its panel's stage size, a rate of 12 to 24 frames a second and
// its frame count, stays under 2 MB, draws something at its first, middle and
// last frames, carries only Turkish-code-page letters, and runs from its last
// frame into its first without a visible jump.

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <set>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace yelvanis;

namespace {

QString moviePath(const QString& file)
{
    return QStringLiteral(YELVANIS_MOVIES_DIR "/") + file;
}

// Code page 1254: Latin-1 above 0xA0 but for the six Turkish letters, plus
// the typographic marks of 0x80-0x9F.
bool inTurkishCodePage(char16_t c)
{
    static const std::set<char16_t> extra { u'€', u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š', u'‹', u'Œ', u'‘', u'’', u'“', u'”', u'•',
                                            u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', u'Ÿ', u'Ğ', u'İ', u'Ş', u'ğ', u'ı', u'ş' };
    static const std::set<char16_t> replaced { 0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE }; // Ð Ý Þ ð ý þ
    if (c >= 0x20 && c < 0x7F)
        return true;
    if (c >= 0xA0 && c <= 0xFF)
        return !replaced.count(c);
    return extra.count(c) != 0;
}

QImage frameImage(const std::shared_ptr<const LoadedMovie>& movie, swf::MoviePlayer& player, QSize size)
{
    MovieRenderer renderer(movie);
    renderer.setTimeBudget(0); // a busy machine must not drop objects from the picture
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    renderer.render(p, player, QRectF(QPointF(0, 0), QSizeF(size)), true);
    p.end();
    return img;
}

// Mean difference of the colour channels, 0..255.
double difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(la[x]) - qRed(lb[x])) + std::abs(qGreen(la[x]) - qGreen(lb[x])) + std::abs(qBlue(la[x]) - qBlue(lb[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

int colours(const QImage& img)
{
    std::set<QRgb> seen;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            seen.insert(img.pixel(x, y));
    return int(seen.size());
}

} // namespace

class TestMovieFiles : public QObject {
    Q_OBJECT

private slots:
    void movie_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("frames");
        // Panel sizes are the panels' twips divided by 15.
        QTest::newRow("main screen and article index") << "padisahlar.swf" << QSize(401, 153) << 24.0 << 1872;
        QTest::newRow("march list") << "intro1.swf" << QSize(457, 313) << 18.0 << 684;
        QTest::newRow("band screen") << "mehter.swf" << QSize(369, 313) << 15.0 << 384;
        QTest::newRow("photos") << "movieplayer2.swf" << QSize(617, 393) << 15.0 << 450;
        QTest::newRow("maps") << "haritalar.swf" << QSize(601, 433) << 12.0 << 600;
        QTest::newRow("about dialog") << "sultan.swf" << QSize(129, 129) << 12.0 << 102;
    }

    void movie()
    {
        QFETCH(QString, file);
        QFETCH(QSize, panel);
        QFETCH(double, rate);
        QFETCH(int, frames);
        QFileInfo info(moviePath(file));
        QVERIFY2(info.exists(), qPrintable(info.filePath()));
        QVERIFY(info.size() < 2 * 1024 * 1024);
        MovieLoadResult r = loadMovieFile(info.filePath());
        QVERIFY2(r.loaded, qPrintable(r.error));
        QCOMPARE(r.loaded->warnings, QStringList());
        const swf::Movie& m = *r.loaded->movie;
        QCOMPARE(m.header.stage.width(), panel.width() * 20);
        QCOMPARE(m.header.stage.height(), panel.height() * 20);
        QCOMPARE(m.header.frameRate, rate);
        QVERIFY(rate >= 12 && rate <= 24);
        QCOMPARE(int(m.header.frameCount), frames);
        QCOMPARE(int(m.timeline.frames.size()), frames);
        for (const auto& [id, c] : m.characters)
            if (const auto* font = std::get_if<swf::Font>(&c))
                for (uint16_t code : font->codes)
                    QVERIFY2(inTurkishCodePage(code), qPrintable(QStringLiteral("font %1 holds U+%2").arg(id).arg(code, 4, 16, QLatin1Char('0'))));
    }

    void drawsItsFrames_data() { movie_data(); }

    void drawsItsFrames()
    {
        QFETCH(QString, file);
        QFETCH(QSize, panel);
        QFETCH(int, frames);
        MovieLoadResult r = loadMovieFile(moviePath(file));
        QVERIFY2(r.loaded, qPrintable(r.error));
        swf::MoviePlayer player(r.loaded->movie);
        for (int at : { 0, frames / 2, frames - 1 }) {
            while (int(player.currentFrame()) < at)
                player.tick();
            QImage img = frameImage(r.loaded, player, panel);
            // A picture, not an empty or single-coloured panel.
            QVERIFY2(colours(img) > 40, qPrintable(QStringLiteral("frame %1 has %2 colours").arg(at).arg(colours(img))));
        }
    }

    void loopsWithoutAJump_data() { movie_data(); }

    // The last frame leads into the first as any frame leads into the next:
    // the change across the loop is no larger than the movie's own steps.
    void loopsWithoutAJump()
    {
        QFETCH(QString, file);
        QFETCH(QSize, panel);
        QFETCH(int, frames);
        MovieLoadResult r = loadMovieFile(moviePath(file));
        QVERIFY2(r.loaded, qPrintable(r.error));
        swf::MoviePlayer player(r.loaded->movie);
        QImage first = frameImage(r.loaded, player, panel);
        // The movie's own steps from one frame to the next, sampled.
        double largestStep = 0;
        QImage before, last;
        for (int f = 1; f < frames; ++f) {
            player.tick();
            if (f % 8 == 7)
                before = frameImage(r.loaded, player, panel);
            else if (f % 8 == 0)
                largestStep = std::max(largestStep, difference(before, frameImage(r.loaded, player, panel)));
            if (f == frames - 1)
                last = frameImage(r.loaded, player, panel);
        }
        player.tick();
        QCOMPARE(int(player.currentFrame()), 0);
        QCOMPARE(difference(frameImage(r.loaded, player, panel), first), 0.0);
        double across = difference(last, first);
        QVERIFY2(across <= largestStep + 0.5,
                 qPrintable(QStringLiteral("the loop changes the picture by %1, the largest step inside is %2").arg(across).arg(largestStep)));
    }
};

QTEST_MAIN(TestMovieFiles)
#include "test_movie_files.moc"
