// The authoring helpers: curves kept close to their Qt outlines through the
// engine's own geometry, text outlines with every Turkish letter, the fewest
// display-list tags from actor states, and shoreline polygons chained whole.

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <set>

#include "Coastlines.h"
#include "MovieBuilder.h"
#include "OutlineFont.h"
#include "ShapeBuilder.h"
#include "runtime/movie/MovieRenderer.h"
#include "runtime/movie/ShapeGeometry.h"

using namespace yelvanis;
using namespace yelvanis::movies;

namespace {

QImage paint(const QPainterPath& path, const QTransform& t, QSize size)
{
    QImage img(size, QImage::Format_Grayscale8);
    img.fill(0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setTransform(t);
    p.fillPath(path, Qt::white);
    return img;
}

// The fill's contours as the path they trace, closed.
QPainterPath pathOf(const swf::FillPath& fill)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const swf::Contour& c : fill.contours) {
        if (c.empty())
            continue;
        path.moveTo(c.front().from.x, c.front().from.y);
        for (const swf::Segment& s : c) {
            if (s.curve)
                path.quadTo(s.control.x, s.control.y, s.to.x, s.to.y);
            else
                path.lineTo(s.to.x, s.to.y);
        }
        path.closeSubpath();
    }
    return path;
}

int differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixelColor(x, y) != b.pixelColor(x, y);
    return n;
}

QString fontFile(const char* name)
{
    return QStringLiteral(YELVANIS_FONTS_DIR "/") + QLatin1String(name);
}

} // namespace

class TestAuthoring : public QObject {
    Q_OBJECT

private slots:
    void curvesStayOnTheOutline_data()
    {
        QTest::addColumn<QPainterPath>("path");
        QPainterPath circle;
        circle.addEllipse(QPointF(60, 60), 50, 50);
        QTest::newRow("circle") << circle;
        QPainterPath rounded;
        rounded.addRoundedRect(10, 20, 100, 70, 25, 25);
        QTest::newRow("rounded box") << rounded;
        QPainterPath wave;
        wave.moveTo(5, 60);
        wave.cubicTo(40, -40, 80, 160, 115, 60);
        wave.lineTo(115, 110);
        wave.lineTo(5, 110);
        wave.closeSubpath();
        QTest::newRow("s-shaped cubic") << wave;
        QRawFont font(fontFile("LiberationSans-Bold.ttf"), 110);
        QPainterPath glyph = font.pathForGlyph(font.glyphIndexesForString(QStringLiteral("Ş")).value(0)).translated(20, 100);
        QTest::newRow("a glyph with a cedilla") << glyph;
    }

    // Through the writer's records and the player's geometry, a shape covers
    // the same pixels as the path it came from, to within its outline.
    void curvesStayOnTheOutline()
    {
        QFETCH(QPainterPath, path);
        swf::Shape shape = ShapeBuilder().fill(path, Qt::black).build();
        const swf::ShapeGeometry geometry = swf::buildGeometry(shape);
        QCOMPARE(int(geometry.layers.size()), 1);
        QCOMPARE(int(geometry.layers[0].fills.size()), 1);
        const double scale = 4; // pixels of the check per pixel of the shape
        QSize size(int(130 * scale), int(130 * scale));
        QImage want = paint(path, QTransform::fromScale(scale, scale), size);
        QImage got = paint(pathOf(geometry.layers[0].fills[0]), QTransform::fromScale(scale / 20, scale / 20), size);
        // A fifth of a pixel off along the whole outline at most.
        double allowed = path.length() * scale * 0.2;
        QVERIFY2(differing(want, got) <= allowed, qPrintable(QStringLiteral("%1 pixels differ, %2 allowed").arg(differing(want, got)).arg(allowed)));
        QVERIFY(differing(want, QImage(size, QImage::Format_Grayscale8)) > 0); // the check sees something
    }

    void outlinesCarryTurkishLetters_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* f : { "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "Z003-MediumItalic.otf" })
            QTest::newRow(f) << fontFile(f);
    }

    // One glyph per distinct letter, named by its code, with an outline.
    void outlinesCarryTurkishLetters()
    {
        QFETCH(QString, file);
        MovieBuilder movie(100, 100, 12, Qt::white);
        OutlineFont font(movie, file);
        const QString text = QStringLiteral("Çığ Şişli İĞÖÜ âîû ’ğüşöç");
        uint16_t textId = font.text(text, 20, Qt::black);
        font.finish();
        const auto* f = std::get_if<swf::Font>(movie.movie().character(1));
        QVERIFY(f);
        std::set<char16_t> letters;
        for (QChar c : text)
            letters.insert(c.unicode());
        QCOMPARE(f->codes.size(), letters.size());
        QCOMPARE(std::set<char16_t>(f->codes.begin(), f->codes.end()), letters);
        for (size_t i = 0; i < f->glyphs.size(); ++i)
            if (f->codes[i] != u' ')
                QVERIFY2(!f->glyphs[i].records.empty(), qPrintable(QString(QChar(f->codes[i]))));
        const auto* t = std::get_if<swf::Text>(movie.movie().character(textId));
        QVERIFY(t);
        QCOMPARE(int(t->runs.size()), 1);
        QCOMPARE(int(t->runs[0].glyphs.size()), int(text.size()));
        for (int i = 0; i < text.size(); ++i)
            QCOMPARE(f->codes[t->runs[0].glyphs[size_t(i)].index], char16_t(text[i].unicode()));
    }

    void refusesLettersTheFontLacks()
    {
        MovieBuilder movie(100, 100, 12, Qt::white);
        OutlineFont font(movie, fontFile("LiberationSans-Regular.ttf"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, font.text(QStringLiteral("中"), 12, Qt::black));
    }

    void sceneEmitsTheFewestTags_data()
    {
        QTest::addColumn<QString>("story");
        QTest::addColumn<QStringList>("tags");
        // per frame: p = place, m = move, r = remove, - = nothing
        QTest::newRow("appears, holds, moves, goes") << "..aa b.." << QStringList { "-", "-", "p", "-", "-", "m", "r", "-" };
        QTest::newRow("there from the start to the end") << "aaaa" << QStringList { "p", "-", "-", "-" };
        QTest::newRow("fades in steps") << "123" << QStringList { "p", "m", "m" };
        QTest::newRow("leaves and comes back") << "a.a" << QStringList { "p", "r", "p" };
    }

    // Letters are states (a, b: positions; 1..3: opacities), dots absence,
    // a blank the previous state held.
    void sceneEmitsTheFewestTags()
    {
        QFETCH(QString, story);
        QFETCH(QStringList, tags);
        Scene scene(int(story.size()));
        scene.add(7, [story](int f) -> std::optional<ActorState> {
            QChar c = story[f];
            for (int k = f; c == ' ' && k > 0; --k)
                c = story[k - 1];
            if (c == '.')
                return std::nullopt;
            ActorState s;
            if (c == 'b')
                s.transform = QTransform::fromTranslate(10, 0);
            if (c.isDigit())
                s.alpha = c.digitValue() / 3.0;
            return s;
        });
        swf::Timeline t = scene.timeline();
        QCOMPARE(int(t.frames.size()), int(tags.size()));
        for (int f = 0; f < tags.size(); ++f) {
            const auto& frame = t.frames[size_t(f)].tags;
            if (tags[f] == "-") {
                QVERIFY2(frame.empty(), qPrintable(QStringLiteral("frame %1").arg(f)));
                continue;
            }
            QCOMPARE(int(frame.size()), 1);
            if (tags[f] == "r") {
                QVERIFY(std::holds_alternative<swf::RemoveObject>(frame[0]));
                continue;
            }
            const auto* p = std::get_if<swf::PlaceObject>(&frame[0]);
            QVERIFY(p);
            QCOMPARE(p->move, tags[f] == "m");
            QCOMPARE(p->characterId.has_value(), tags[f] == "p");
            QCOMPARE(p->depth, uint16_t(1));
        }
    }

    void shorelinesAreWholePolygons_data()
    {
        QTest::addColumn<QPointF>("lonLat");
        QTest::addColumn<bool>("land");
        QTest::newRow("Ankara") << QPointF(32.85, 39.93) << true;
        QTest::newRow("Cairo") << QPointF(31.24, 30.04) << true;
        QTest::newRow("Crete") << QPointF(24.9, 35.25) << true;
        QTest::newRow("Vienna") << QPointF(16.37, 48.21) << true;
        QTest::newRow("Black Sea") << QPointF(34.0, 43.0) << false;
        QTest::newRow("off Libya") << QPointF(18.0, 34.0) << false;
        QTest::newRow("Red Sea") << QPointF(38.0, 21.0) << false;
        QTest::newRow("Caspian, a lake") << QPointF(50.5, 42.0) << false;
        QTest::newRow("Lake Van") << QPointF(42.9, 38.65) << false;
    }

    // Chained pieces close on themselves, and land and water fall where they are.
    void shorelinesAreWholePolygons()
    {
        QFETCH(QPointF, lonLat);
        QFETCH(bool, land);
        const QString file = QStringLiteral(YELVANIS_SHORELINES);
        if (!QFileInfo::exists(file))
            QSKIP("the shoreline package (gmt-gshhg-low) is not installed");
        static const std::vector<ShorePolygon> shores = readShorelines(file, QRectF(-20, 0, 90, 60), 2);
        QVERIFY(shores.size() > 100);
        int depth = 0;
        for (const ShorePolygon& s : shores) {
            QPointF a = s.lonLat.front(), b = s.lonLat.back();
            QVERIFY2(std::abs(a.x() - b.x()) < 1e-3 && std::abs(a.y() - b.y()) < 1e-3, "a polygon left open");
            QPolygonF poly(QList<QPointF>(s.lonLat.begin(), s.lonLat.end()));
            if (s.bounds.contains(lonLat) && poly.containsPoint(lonLat, Qt::OddEvenFill))
                depth += s.level == 1 ? 1 : -1;
        }
        QCOMPARE(depth > 0, land);
    }
};

QTEST_MAIN(TestAuthoring)
#include "test_authoring.moc"
