// Real files made by authoring tools and another renderer's test suite:
// every parse/ file loads or is refused for a named reason, and every
// visual/ test renders like its reference image within its tolerance.

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

namespace swf = yelvanis::swf;

namespace {

QString corpusDir()
{
    return QStringLiteral(YELVANIS_SHARED_DIR "/swf-corpus");
}

// Known gaps of this engine, by visual test: each must still fail, and the
// reason says what the engine lacks to pass it.
const QMap<QString, QString>& knownGaps()
{
    static const QMap<QString, QString> gaps {};
    return gaps;
}

struct VisualCase {
    int frames = 1;
    int tolerance = 0;
    int maxOutliers = 0;
    bool antialias = false;
    bool knownFailure = false;
};

VisualCase readToml(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(f.readAll());
    VisualCase c;
    auto number = [&](const QString& key, int fallback) {
        QRegularExpression re(QStringLiteral("(?m)^\\s*%1\\s*=\\s*(\\d+)").arg(key));
        auto m = re.match(text);
        return m.hasMatch() ? m.captured(1).toInt() : fallback;
    };
    c.frames = number(QStringLiteral("num_frames"), number(QStringLiteral("num_ticks"), 1));
    c.tolerance = number(QStringLiteral("tolerance"), 0);
    c.maxOutliers = number(QStringLiteral("max_outliers"), 0);
    c.antialias = text.contains(QRegularExpression(QStringLiteral("quality\\s*=\\s*\"high\"")));
    c.knownFailure = text.contains(QRegularExpression(QStringLiteral("known_failure\\s*=\\s*true")));
    return c;
}

} // namespace

class MovieCorpusTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void visual_data();
    void visual();
    void secondSuite_data();
    void secondSuite();
};

void MovieCorpusTest::parse_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("showFrames");
    QTest::addColumn<int>("nestedShowFrames");
    QDir dir(corpusDir() + "/parse");
    QFile manifest(dir.filePath("MANIFEST.tsv"));
    if (!manifest.open(QIODevice::ReadOnly)) {
        QTest::newRow("corpus absent") << QString() << 0 << 0;
        return;
    }
    const QStringList lines = QString::fromUtf8(manifest.readAll()).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(1)) {
        const QStringList cols = line.split('\t');
        if (cols.size() < 5)
            continue;
        QRegularExpression top(QStringLiteral("(?:^|,)ShowFrame:(\\d+)")), nested(QStringLiteral("ShowFrame\\(nested\\):(\\d+)"));
        int shows = top.match(cols[4]).captured(1).toInt();
        int nestedShows = nested.match(cols[4]).captured(1).toInt();
        QTest::newRow(qPrintable(cols[0])) << dir.filePath(cols[0]) << shows << nestedShows;
    }
}

void MovieCorpusTest::parse()
{
    QFETCH(QString, file);
    QFETCH(int, showFrames);
    QFETCH(int, nestedShowFrames);
    if (file.isEmpty())
        QSKIP("the SWF corpus is absent (../shared/swf-corpus)");
    yelvanis::MovieLoadResult r = yelvanis::loadMovieFile(file);
    if (!r.loaded) {
        // Refusing is allowed, but only with a reason.
        QVERIFY2(!r.error.isEmpty(), "refused without a reason");
        qInfo() << "refused:" << r.error;
        return;
    }
    const swf::Movie& m = *r.loaded->movie;
    QVERIFY(m.header.stage.width() > 0 && m.header.stage.height() > 0);
    QVERIFY(!m.tags.empty());
    // The walk reached the End tag of the main timeline.
    auto lastTop = std::find_if(m.tags.rbegin(), m.tags.rend(), [](const swf::TagInfo& t) { return t.nesting == 0; });
    QVERIFY(lastTop != m.tags.rend());
    QCOMPARE(int(lastTop->code), 0);
    int shows = 0, nestedShows = 0;
    for (const swf::TagInfo& t : m.tags)
        if (t.code == 1)
            (t.nesting ? nestedShows : shows)++;
    QCOMPARE(shows, showFrames);
    QCOMPARE(nestedShows, nestedShowFrames);
    swf::MoviePlayer player(r.loaded->movie);
    for (int i = 0; i < 5; ++i)
        player.tick();
}

void MovieCorpusTest::visual_data()
{
    QTest::addColumn<QString>("folder");
    QDir dir(corpusDir() + "/visual");
    const QStringList tests = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (tests.isEmpty()) {
        QTest::newRow("corpus absent") << QString();
        return;
    }
    for (const QString& t : tests)
        QTest::newRow(qPrintable(t)) << dir.filePath(t);
}

void MovieCorpusTest::visual()
{
    QFETCH(QString, folder);
    if (folder.isEmpty())
        QSKIP("the SWF corpus is absent (../shared/swf-corpus)");
    const QString name = QFileInfo(folder).fileName();
    VisualCase c = readToml(folder + "/test.toml");
    QImage expected(folder + "/output.expected.png");
    QVERIFY(!expected.isNull());
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    yelvanis::MovieLoadResult r = yelvanis::loadMovieFile(folder + "/test.swf");
    QVERIFY2(r.loaded, qPrintable(r.error));
    swf::MoviePlayer player(r.loaded->movie);
    for (int i = 1; i < c.frames; ++i)
        player.tick();
    yelvanis::MovieRenderer renderer(r.loaded);
    renderer.setTimeBudget(0); // a busy machine must not cut the picture short
    QImage actual(expected.size(), QImage::Format_ARGB32_Premultiplied);
    actual.fill(Qt::black);
    {
        QPainter p(&actual);
        renderer.render(p, player, QRectF(actual.rect()), c.antialias);
    }
    actual = actual.convertToFormat(QImage::Format_ARGB32);
    int outliers = 0;
    for (int y = 0; y < expected.height(); ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const QRgb* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            outliers += std::abs(qRed(a[x]) - qRed(e[x])) > c.tolerance;
            outliers += std::abs(qGreen(a[x]) - qGreen(e[x])) > c.tolerance;
            outliers += std::abs(qBlue(a[x]) - qBlue(e[x])) > c.tolerance;
            outliers += std::abs(qAlpha(a[x]) - qAlpha(e[x])) > c.tolerance;
        }
    }
    const QString summary = QStringLiteral("%1 channel values beyond tolerance %2, %3 allowed").arg(outliers).arg(c.tolerance).arg(c.maxOutliers);
    if (c.knownFailure && outliers > c.maxOutliers) {
        // The reference renderer misses this image too.
        qInfo() << "marked as a known failure by its suite:" << summary;
        return;
    }
    if (knownGaps().contains(name))
        QEXPECT_FAIL("", qPrintable(knownGaps().value(name)), Continue);
    QVERIFY2(outliers <= c.maxOutliers, qPrintable(summary));
}

void MovieCorpusTest::secondSuite_data()
{
    QTest::addColumn<QString>("file");
    QDir dir(corpusDir() + "/swfdec");
    const QStringList files = dir.entryList({ QStringLiteral("*.swf") }, QDir::Files);
    if (files.isEmpty()) {
        QTest::newRow("corpus absent") << QString();
        return;
    }
    for (const QString& f : files)
        if (QFile::exists(dir.filePath(f + ".png")))
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
}

// That suite's rule: ten frames on (a shorter movie stays on its last),
// then every channel of every pixel within 3 of the reference.
void MovieCorpusTest::secondSuite()
{
    QFETCH(QString, file);
    if (file.isEmpty())
        QSKIP("the SWF corpus is absent (../shared/swf-corpus)");
    QImage expected(file + ".png");
    QVERIFY(!expected.isNull());
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    yelvanis::MovieLoadResult r = yelvanis::loadMovieFile(file);
    QVERIFY2(r.loaded, qPrintable(r.error));
    swf::MoviePlayer player(r.loaded->movie);
    player.setLoop(false);
    for (int i = 1; i < 10; ++i)
        player.tick();
    yelvanis::MovieRenderer renderer(r.loaded);
    renderer.setTimeBudget(0); // a busy machine must not cut the picture short
    QImage actual(expected.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&actual);
        renderer.render(p, player, QRectF(actual.rect()), true);
    }
    actual = actual.convertToFormat(QImage::Format_ARGB32);
    int bad = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            bad += std::abs(qRed(a) - qRed(e)) > 3 || std::abs(qGreen(a) - qGreen(e)) > 3 || std::abs(qBlue(a) - qBlue(e)) > 3
                || std::abs(qAlpha(a) - qAlpha(e)) > 3;
        }
    QVERIFY2(bad == 0, qPrintable(QStringLiteral("%1 pixels differ by more than 3").arg(bad)));
}

QTEST_MAIN(MovieCorpusTest)
#include "tst_moviecorpus.moc"
