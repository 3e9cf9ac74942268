// Rasterizing: the exact area coverage of anti-aliased pixels, and aliased
// drawing on whole pixels: which pixels a fill or a stroke takes, how
// closely curves are followed, and that masks cut exactly the pixels their
// own shapes would fill.

#include <QtTest>
#include <cmath>
#include <map>
#include <set>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"
#include "runtime/movie/PixelRaster.h"
#include "runtime/movie/render/Outline.h"
#include "runtime/movie/render/Rasterizer.h"

using namespace swftest;
namespace swf = yelvanis::swf;
using swf::Point;
using swf::Polygon;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixels(const std::vector<swf::Span>& spans)
{
    PixelSet out;
    for (const swf::Span& s : spans)
        for (int x = s.x0; x < s.x1; ++x)
            out.insert({ x, s.y });
    return out;
}

PixelSet fill(const std::vector<Polygon>& polygons, bool nonZero = false, swf::PixelBox box = { 0, 0, 64, 64 })
{
    return pixels(swf::fillSpans(polygons, nonZero, box));
}

Polygon box(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
}

Point quadAt(Point a, Point c, Point b, double t)
{
    double s = 1 - t;
    return { s * s * a.x + 2 * s * t * c.x + t * t * b.x, s * s * a.y + 2 * s * t * c.y + t * t * b.y };
}

double segmentDistance(Point p, Point a, Point b)
{
    double dx = b.x - a.x, dy = b.y - a.y, l = dx * dx + dy * dy;
    double t = l > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l, 0.0, 1.0) : 0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

double polylineDistance(Point p, const Polygon& line, bool closed)
{
    double d = line.size() == 1 ? std::hypot(p.x - line[0].x, p.y - line[0].y) : 1e300;
    for (size_t i = 0; i + 1 < line.size(); ++i)
        d = std::min(d, segmentDistance(p, line[i], line[i + 1]));
    if (closed && line.size() > 2)
        d = std::min(d, segmentDistance(p, line.back(), line.front()));
    return d;
}

bool insideEvenOdd(Point p, const Polygon& poly)
{
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            in = !in;
    }
    return in;
}

const Color kGrey { 40, 40, 40 }, kRed { 255, 0, 0 }, kWhite { 255, 255, 255 };

// Points of a closed outline of eight quadratic curves around a circle, in twips.
struct CurvedOutline {
    std::vector<std::pair<Point, Point>> curves; // control, end; starts where the last ends
    Point start;
};

CurvedOutline circle(double cx, double cy, double r)
{
    CurvedOutline o;
    const double pi = std::acos(-1.0);
    auto on = [&](int k, double radius) {
        double a = pi / 4 * k / 2;
        return Point { std::round(cx + radius * std::cos(a)), std::round(cy + radius * std::sin(a)) };
    };
    o.start = on(0, r);
    for (int k = 0; k < 8; ++k)
        o.curves.push_back({ on(2 * k + 1, r / std::cos(pi / 8)), on(2 * k + 2, r) });
    return o;
}

// DefineShape3 `id` with one solid fill inside `o` and, when `lineWidth`, its outline stroked.
void addCurvedShape(Movie& m, uint16_t id, const CurvedOutline& o, Color color, uint16_t lineWidth = 0, Color lineColor = {})
{
    Bits b;
    b.u16(id);
    b.rect(0, m.widthTwips, 0, m.heightTwips);
    b.u8(1);
    solidFill(b, color, 3);
    b.u8(lineWidth ? 1 : 0);
    if (lineWidth) {
        b.u16(lineWidth);
        b.rgba(lineColor);
    }
    ShapeWriter s(b, 1, 1);
    s.style(-1, 1, lineWidth ? 1 : 0, true, int32_t(o.start.x), int32_t(o.start.y));
    Point pen = o.start;
    for (auto [c, e] : o.curves) {
        s.curve(int32_t(c.x - pen.x), int32_t(c.y - pen.y), int32_t(e.x - c.x), int32_t(e.y - c.y));
        pen = e;
    }
    s.end();
    m.tag(32, b.out);
}

// The outline in pixels, flattened far finer than any renderer would.
Polygon finePolygon(const CurvedOutline& o)
{
    Polygon out;
    Point pen { o.start.x / 20, o.start.y / 20 };
    for (auto [c, e] : o.curves) {
        Point pc { c.x / 20, c.y / 20 }, pe { e.x / 20, e.y / 20 };
        for (int i = 1; i <= 256; ++i)
            out.push_back(quadAt(pen, pc, pe, i / 256.0));
        pen = pe;
    }
    return out;
}

QImage renderAliased(const Movie& m)
{
    auto r = yelvanis::loadMovieData(m.bytes());
    if (!r.loaded)
        return {};
    swf::MoviePlayer player(r.loaded->movie);
    yelvanis::MovieRenderer renderer(r.loaded);
    renderer.setTimeBudget(0);
    QImage img(QSize(m.widthTwips / 20, m.heightTwips / 20), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    renderer.render(p, player, QRectF(img.rect()), false);
    return img;
}

PixelSet colored(const QImage& img, QColor c)
{
    PixelSet out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == c.rgb())
                out.insert({ x, y });
    return out;
}

// Pixels nearer the ideal edge than `margin` may go either way.
int misplaced(const QImage& img, QColor ink, const std::function<double(Point)>& signedDistance, double margin)
{
    int bad = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            double d = signedDistance({ x + 0.5, y + 0.5 });
            if (std::abs(d) <= margin)
                continue;
            bad += (d < 0) != (img.pixel(x, y) == ink.rgb());
        }
    return bad;
}

// Coverage per pixel, as the rasterizer gives it.
struct CoverageGrid : swf::render::SpanSink {
    std::map<std::pair<int, int>, int> at;
    void span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform) override
    {
        for (int x = x0; x < x1; ++x) {
            QVERIFY2(!at.count({ x, y }), "a pixel given twice");
            at[{ x, y }] = coverage ? coverage[x - x0] : uniform;
        }
    }
    int operator()(int x, int y) const
    {
        auto it = at.find({ x, y });
        return it == at.end() ? 0 : it->second;
    }
};

CoverageGrid covered(const std::vector<Polygon>& polygons, bool nonZero, const swf::PixelBox& box)
{
    swf::render::Rasterizer raster;
    CoverageGrid grid;
    raster.fill(polygons, nonZero, true, box, grid);
    return grid;
}

} // namespace

class PixelRasterTest : public QObject {
    Q_OBJECT
private slots:
    void areaCoverage_data();
    void areaCoverage();
    void coverageAddsUpToTheArea();
    void boxCutsNoCoverageInside();
    void centresDecide_data();
    void centresDecide();
    void sharedEdgesNeitherOverlapNorGap();
    void fillRules();
    void staysInsideTheBox();
    void curvesStayWithinTolerance_data();
    void curvesStayWithinTolerance();
    void caps_data();
    void caps();
    void joins_data();
    void joins();
    void roundStrokeIsHalfWidthAround_data();
    void roundStrokeIsHalfWidthAround();
    void partsOutsideTheBoxChangeNothingInside();
    void curvedFillFollowsTheCurve();
    void maskCutsExactlyItsOwnPixels();
    void strokeOfCurvesFollowsTheCurve_data();
    void strokeOfCurvesFollowsTheCurve();
};

using Coverages = QList<std::tuple<int, int, int>>; // x, y, coverage out of 255

void PixelRasterTest::areaCoverage_data()
{
    QTest::addColumn<std::vector<Polygon>>("polygons");
    QTest::addColumn<bool>("nonZero");
    QTest::addColumn<Coverages>("expected");
    // Each pixel is covered by the area of its square inside the outline.
    QTest::newRow("rectangle on quarter pixels")
        << std::vector<Polygon> { { { 1.25, 1 }, { 3.75, 1 }, { 3.75, 2 }, { 1.25, 2 } } } << false
        << Coverages { { 0, 1, 0 }, { 1, 1, 191 }, { 2, 1, 255 }, { 3, 1, 191 }, { 4, 1, 0 }, { 2, 0, 0 }, { 2, 2, 0 } };
    QTest::newRow("half a pixel high")
        << std::vector<Polygon> { { { 0, 3.5 }, { 2, 3.5 }, { 2, 4 }, { 0, 4 } } } << false
        << Coverages { { 0, 3, 128 }, { 1, 3, 128 }, { 0, 4, 0 }, { 2, 3, 0 } };
    QTest::newRow("triangle cutting pixels diagonally")
        << std::vector<Polygon> { { { 0, 0 }, { 2, 0 }, { 0, 2 } } } << false
        << Coverages { { 0, 0, 255 }, { 1, 0, 128 }, { 0, 1, 128 }, { 1, 1, 0 } };
    QTest::newRow("a sliver a tenth wide")
        << std::vector<Polygon> { { { 5.45, 0 }, { 5.55, 0 }, { 5.55, 3 }, { 5.45, 3 } } } << true
        << Coverages { { 5, 0, 26 }, { 5, 1, 26 }, { 5, 2, 26 }, { 4, 1, 0 }, { 6, 1, 0 } };
    // Two squares wound alike, one inside the other: the inner one is a
    // hole under the even-odd rule and filled under the non-zero rule.
    const std::vector<Polygon> nested { { { 0, 0 }, { 6, 0 }, { 6, 6 }, { 0, 6 } }, { { 2, 2 }, { 4, 2 }, { 4, 4 }, { 2, 4 } } };
    QTest::newRow("nested, even-odd") << nested << false << Coverages { { 1, 1, 255 }, { 3, 3, 0 }, { 5, 5, 255 } };
    QTest::newRow("nested, non-zero") << nested << true << Coverages { { 1, 1, 255 }, { 3, 3, 255 }, { 5, 5, 255 } };
    // Opposite windings cancel under either rule.
    const std::vector<Polygon> opposite { { { 0, 0 }, { 6, 0 }, { 6, 6 }, { 0, 6 } }, { { 2, 2 }, { 2, 4 }, { 4, 4 }, { 4, 2 } } };
    QTest::newRow("opposite, non-zero") << opposite << true << Coverages { { 1, 1, 255 }, { 3, 3, 0 } };
    // A half-covered pixel of a hole's edge: half of the outer fill shows.
    const std::vector<Polygon> halfHole { { { 0, 0 }, { 6, 0 }, { 6, 6 }, { 0, 6 } }, { { 2.5, 2 }, { 4, 2 }, { 4, 4 }, { 2.5, 4 } } };
    QTest::newRow("hole's edge, even-odd") << halfHole << false << Coverages { { 2, 2, 128 }, { 3, 3, 0 }, { 1, 3, 255 } };
}

void PixelRasterTest::areaCoverage()
{
    QFETCH(std::vector<Polygon>, polygons);
    QFETCH(bool, nonZero);
    QFETCH(Coverages, expected);
    const CoverageGrid grid = covered(polygons, nonZero, { -10, -10, 20, 20 });
    for (const auto& [x, y, c] : expected)
        QVERIFY2(std::abs(grid(x, y) - c) <= 1, qPrintable(QStringLiteral("pixel %1,%2: %3, expected %4").arg(x).arg(y).arg(grid(x, y)).arg(c)));
}

void PixelRasterTest::coverageAddsUpToTheArea()
{
    // A square turned by 30 degrees and a curved outline: the coverage of all
    // pixels together is the outline's area, to within rounding each pixel
    // to a 255th.
    std::vector<Polygon> shapes { {} , {} };
    const double c = std::cos(M_PI / 6), sn = std::sin(M_PI / 6);
    for (Point p : { Point { -10, -10 }, Point { 10, -10 }, Point { 10, 10 }, Point { -10, 10 } })
        shapes[0].push_back({ 15.3 + p.x * c - p.y * sn, 14.7 + p.x * sn + p.y * c });
    for (int i = 0; i < 200; ++i) {
        const double a = 2 * M_PI * i / 200;
        shapes[1].push_back({ 50.2 + 12.5 * std::cos(a), 20.6 + 7.25 * std::sin(a) });
    }
    double circleArea = 0;
    for (size_t i = 0; i < shapes[1].size(); ++i) {
        const Point& p = shapes[1][i];
        const Point& q = shapes[1][(i + 1) % shapes[1].size()];
        circleArea += (p.x * q.y - q.x * p.y) / 2;
    }
    for (const auto& [shape, area] : { std::pair { shapes[0], 400.0 }, std::pair { shapes[1], circleArea } }) {
        const CoverageGrid grid = covered({ shape }, false, { 0, 0, 100, 100 });
        double sum = 0;
        for (const auto& [pixel, value] : grid.at)
            sum += value / 255.0;
        QVERIFY2(std::abs(sum - area) < 0.1 + grid.at.size() / 510.0, qPrintable(QStringLiteral("%1 against %2").arg(sum).arg(area)));
    }
}

void PixelRasterTest::boxCutsNoCoverageInside()
{
    // Parts of an outline beyond the box on any side change no pixel inside:
    // what a box holds is what drawing everything shows there.
    const std::vector<Polygon> shape { { { -7.3, 3.1 }, { 24.6, -5.2 }, { 31.9, 18.4 }, { 12.2, 40.7 }, { 3.3, 21.9 } },
                                       { { 5.5, 5.5 }, { 15.25, 9.75 }, { 8.1, 20.3 } } };
    const CoverageGrid all = covered(shape, false, { -20, -20, 50, 50 });
    for (const swf::PixelBox& box : { swf::PixelBox { 0, 0, 10, 10 }, swf::PixelBox { 8, 4, 20, 30 }, swf::PixelBox { -3, 15, 40, 17 },
                                      swf::PixelBox { 25, 0, 33, 41 } }) {
        const CoverageGrid part = covered(shape, false, box);
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x)
                QVERIFY2(part(x, y) == all(x, y), qPrintable(QStringLiteral("pixel %1,%2: %3 inside the box, %4 drawn whole")
                                                                  .arg(x).arg(y).arg(part(x, y)).arg(all(x, y))));
        for (const auto& [pixel, value] : part.at)
            QVERIFY(pixel.first >= box.x0 && pixel.first < box.x1 && pixel.second >= box.y0 && pixel.second < box.y1);
    }
}

void PixelRasterTest::centresDecide_data()
{
    QTest::addColumn<Polygon>("polygon");
    QTest::addColumn<QRect>("covered");
    QTest::newRow("whole pixels") << box(2, 3, 5, 6) << QRect(2, 3, 3, 3);
    QTest::newRow("edges through centres: left and top in, right and bottom out") << box(2.5, 3.5, 5.5, 6.5) << QRect(2, 3, 3, 3);
    QTest::newRow("edges just short of centres") << box(2.51, 3.51, 5.49, 6.49) << QRect(3, 4, 2, 2);
    QTest::newRow("edges just past centres") << box(2.49, 3.49, 5.51, 6.51) << QRect(2, 3, 4, 4);
    QTest::newRow("thinner than a pixel, over no centre") << box(10.1, 10.1, 10.4, 20) << QRect();
    QTest::newRow("thinner than a pixel, over centres") << box(10.4, 10.1, 10.6, 12.9) << QRect(10, 10, 1, 3);
    QTest::newRow("a 1/512 pixel nudge snaps back onto the centre") << box(2.5 + 1.0 / 1024, 3, 4, 4) << QRect(2, 3, 2, 1);
}

void PixelRasterTest::centresDecide()
{
    QFETCH(Polygon, polygon);
    QFETCH(QRect, covered);
    PixelSet expected;
    for (int y = covered.top(); y <= covered.bottom(); ++y)
        for (int x = covered.left(); x <= covered.right(); ++x)
            expected.insert({ x, y });
    QCOMPARE(fill({ polygon }), expected);
    // Reversed winding covers the same pixels.
    Polygon reversed(polygon.rbegin(), polygon.rend());
    QCOMPARE(fill({ reversed }), expected);
}

void PixelRasterTest::sharedEdgesNeitherOverlapNorGap()
{
    // A fan of triangles around a pixel centre, with a horizontal and a
    // vertical edge through a row and a column of centres: each pixel of
    // the whole goes to exactly one piece.
    const Point c { 20.5, 17.5 };
    Polygon ring;
    for (int k = 0; k < 12; ++k) {
        double a = k * std::acos(-1.0) / 6;
        ring.push_back({ c.x + 15 * std::cos(a) + (k % 3) * 0.25, c.y + 12 * std::sin(a) });
    }
    std::multiset<std::pair<int, int>> pieces;
    for (size_t i = 0; i < ring.size(); ++i)
        for (auto px : fill({ { c, ring[i], ring[(i + 1) % ring.size()] } }))
            pieces.insert(px);
    PixelSet whole = fill({ ring });
    QCOMPARE(pieces.size(), whole.size());
    for (auto px : whole)
        QCOMPARE(int(pieces.count(px)), 1);
    // Two boxes sharing an edge through the centres of a column.
    PixelSet left = fill({ box(2, 2, 7.5, 9) }), right = fill({ box(7.5, 2, 12, 9) });
    for (auto px : left)
        QVERIFY(!right.count(px));
    QCOMPARE(left.size() + right.size(), fill({ box(2, 2, 12, 9) }).size());
}

void PixelRasterTest::fillRules()
{
    const Polygon a = box(2, 2, 10, 10), b = box(6, 6, 14, 14);
    const Polygon bReversed(b.rbegin(), b.rend());
    const size_t overlap = 16, each = 64;
    QCOMPARE(fill({ a, b }, false).size(), 2 * each - 2 * overlap);
    QCOMPARE(fill({ a, b }, true).size(), 2 * each - overlap);
    QCOMPARE(fill({ a, bReversed }, true).size(), 2 * each - 2 * overlap);
    QVERIFY(!fill({ a, b }, false).count({ 7, 7 }));
    QVERIFY(fill({ a, b }, true).count({ 7, 7 }));
}

void PixelRasterTest::staysInsideTheBox()
{
    const swf::PixelBox area { 5, 6, 20, 30 };
    PixelSet p = fill({ box(-1e6, -1e6, 1e6, 1e6) }, false, area);
    QCOMPARE(p.size(), size_t(15 * 24));
    // Absurd and broken coordinates give some pixels in the box or none, never a crash.
    const double nan = std::nan("");
    for (const Polygon& bad : { Polygon { { 0, 0 }, { 1e300, 3 }, { 2, 1e300 } }, Polygon { { nan, 0 }, { 10, nan }, { 20, 20 } },
                                Polygon { { -1e18, -1e18 }, { 1e18, -1e18 }, { 0, 1e18 } } })
        for (auto [x, y] : fill({ bad }, true, area))
            QVERIFY(x >= 5 && x < 20 && y >= 6 && y < 30);
    QVERIFY(fill({ box(0, 0, 10, 10) }, false, { 5, 5, 5, 9 }).empty());
}

void PixelRasterTest::curvesStayWithinTolerance_data()
{
    QTest::addColumn<Point>("from");
    QTest::addColumn<Point>("control");
    QTest::addColumn<Point>("to");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("wide arc") << Point { 0, 0 } << Point { 200, 0 } << Point { 200, 150 } << 0.1;
    QTest::newRow("hairpin") << Point { 0, 0 } << Point { 100, 3 } << Point { 0, 6 } << 0.1;
    QTest::newRow("needle-sharp hairpin") << Point { 0, 0 } << Point { 100, 0.3 } << Point { 0, 0.6 } << 0.1;
    QTest::newRow("nearly straight, control between the ends") << Point { 0, 0 } << Point { 50, 0.3 } << Point { 100, 0 } << 0.1;
    QTest::newRow("nearly straight, control past the end") << Point { 0, 0 } << Point { 150, 0.01 } << Point { 100, 0 } << 0.1;
    QTest::newRow("straight, doubling back") << Point { 0, 0 } << Point { 80, 40 } << Point { 20, 10 } << 0.1;
    QTest::newRow("control on the midpoint") << Point { 3, 4 } << Point { 8, 9 } << Point { 13, 14 } << 0.1;
    QTest::newRow("closed on itself") << Point { 5, 5 } << Point { 60, 40 } << Point { 5, 5 } << 0.1;
    QTest::newRow("tiny") << Point { 1, 1 } << Point { 1.2, 1.1 } << Point { 1.3, 1 } << 0.1;
    QTest::newRow("coarse tolerance") << Point { 0, 0 } << Point { 300, -200 } << Point { 500, 100 } << 4.0;
}

void PixelRasterTest::curvesStayWithinTolerance()
{
    QFETCH(Point, from);
    QFETCH(Point, control);
    QFETCH(Point, to);
    QFETCH(double, tolerance);
    Polygon line { from };
    swf::flattenQuad(from, control, to, tolerance, line);
    QCOMPARE(line.back(), to);
    QVERIFY(line.size() < 200);
    // Every point of the curve lies near the polyline...
    for (int i = 0; i <= 2000; ++i) {
        Point p = quadAt(from, control, to, i / 2000.0);
        double d = polylineDistance(p, line, false);
        QVERIFY2(d <= tolerance * 1.001, qPrintable(QStringLiteral("t=%1 strays %2").arg(i / 2000.0).arg(d)));
    }
    // ...and the polyline's points lie on the curve.
    Polygon dense;
    for (int i = 0; i <= 20000; ++i)
        dense.push_back(quadAt(from, control, to, i / 20000.0));
    for (const Point& p : line)
        QVERIFY(polylineDistance(p, dense, false) < 1e-3 + tolerance * 1e-3);
}

void PixelRasterTest::caps_data()
{
    QTest::addColumn<int>("cap");
    QTest::addColumn<QList<QPoint>>("beyondEnds");
    // A 2 pixel line from x 2.2 to 7.8 covers rows 9 and 10, columns 2 to 7.
    QTest::newRow("none") << int(swf::StrokeStyle::Cap::None) << QList<QPoint> {};
    QTest::newRow("square") << int(swf::StrokeStyle::Cap::Square)
                            << QList<QPoint> { { 1, 9 }, { 1, 10 }, { 8, 9 }, { 8, 10 } };
    QTest::newRow("round") << int(swf::StrokeStyle::Cap::Round) << QList<QPoint> { { 1, 10 }, { 8, 10 } };
}

void PixelRasterTest::caps()
{
    QFETCH(int, cap);
    QFETCH(QList<QPoint>, beyondEnds);
    swf::StrokeStyle s;
    s.halfWidth = 1;
    s.startCap = s.endCap = swf::StrokeStyle::Cap(cap);
    std::vector<Polygon> outline;
    swf::strokeOutline({ { 2.2, 10.3 }, { 5, 10.3 }, { 7.8, 10.3 } }, false, s, 0.01, outline);
    PixelSet expected;
    for (int x = 2; x <= 7; ++x)
        expected.insert({ x, 9 }), expected.insert({ x, 10 });
    for (QPoint p : beyondEnds)
        expected.insert({ p.x(), p.y() });
    QCOMPARE(fill(outline, true), expected);
}

void PixelRasterTest::joins_data()
{
    QTest::addColumn<int>("join");
    QTest::addColumn<double>("miterLimit");
    QTest::addColumn<int>("cornerPixels");
    // Right then up, 6 pixels wide: the outer corner square holds 9 pixel centres.
    QTest::newRow("miter") << int(swf::StrokeStyle::Join::Miter) << 3.0 << 9;
    QTest::newRow("round") << int(swf::StrokeStyle::Join::Round) << 3.0 << 8;
    QTest::newRow("bevel") << int(swf::StrokeStyle::Join::Bevel) << 3.0 << 6;
    QTest::newRow("miter over its limit turns bevel") << int(swf::StrokeStyle::Join::Miter) << 0.6 << 6;
}

void PixelRasterTest::joins()
{
    QFETCH(int, join);
    QFETCH(double, miterLimit);
    QFETCH(int, cornerPixels);
    swf::StrokeStyle s;
    s.halfWidth = 3;
    s.startCap = s.endCap = swf::StrokeStyle::Cap::None;
    s.join = swf::StrokeStyle::Join(join);
    s.miterLimit = miterLimit;
    for (bool closed : { false, true }) {
        // Closed, the path comes back along the same corner's sides.
        Polygon line { { 2.2, 10.3 }, { 8.3, 10.3 }, { 8.3, 3.2 } };
        if (closed)
            line = { { 2.2, 10.3 }, { 8.3, 10.3 }, { 8.3, 3.2 }, { 2.2, 3.2 }, { 2.2, 10.3 } };
        std::vector<Polygon> outline;
        swf::strokeOutline(line, closed, s, 0.01, outline);
        PixelSet p = fill(outline, true);
        int corner = 0;
        for (auto [x, y] : p)
            corner += x >= 8 && x <= 10 && y >= 10 && y <= 12;
        QCOMPARE(corner, cornerPixels);
        // The inner side of the corner is full either way.
        QVERIFY(p.count({ 7, 9 }) && p.count({ 5, 8 }));
    }
}

void PixelRasterTest::roundStrokeIsHalfWidthAround_data()
{
    QTest::addColumn<Polygon>("line");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<double>("halfWidth");
    QTest::newRow("zigzag") << Polygon { { 3.3, 40.2 }, { 20.7, 5.1 }, { 30.2, 50.9 }, { 58.4, 12.6 } } << false << 2.3;
    QTest::newRow("closed triangle") << Polygon { { 10.1, 10.2 }, { 50.3, 20.4 }, { 25.5, 55.5 }, { 10.1, 10.2 } } << true << 1.7;
    QTest::newRow("turning right back") << Polygon { { 10.3, 30.3 }, { 50.1, 30.3 }, { 20.6, 30.7 } } << false << 4.1;
    QTest::newRow("a single point is a dot") << Polygon { { 30.3, 30.6 } } << false << 5.2;
    QTest::newRow("one pixel wide") << Polygon { { 3.1, 3.7 }, { 60.2, 41.3 }, { 12.2, 58.1 } } << false << 0.5;
}

void PixelRasterTest::roundStrokeIsHalfWidthAround()
{
    QFETCH(Polygon, line);
    QFETCH(bool, closed);
    QFETCH(double, halfWidth);
    swf::StrokeStyle s;
    s.halfWidth = halfWidth;
    const double tolerance = 0.05;
    std::vector<Polygon> outline;
    swf::strokeOutline(line, closed, s, tolerance, outline);
    PixelSet p = fill(outline, true);
    int checked = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            double d = polylineDistance({ x + 0.5, y + 0.5 }, line, closed);
            if (std::abs(d - halfWidth) <= tolerance + 0.01)
                continue;
            ++checked;
            QVERIFY2(bool(p.count({ x, y })) == (d < halfWidth), qPrintable(QStringLiteral("pixel %1,%2 at %3").arg(x).arg(y).arg(d)));
        }
    QVERIFY(checked > 3000);
}

void PixelRasterTest::partsOutsideTheBoxChangeNothingInside()
{
    // Curves that lie wholly outside the drawn box may be cut short; the
    // pixels inside must be those of the whole outline flattened in full.
    const std::vector<std::vector<Point>> contours {
        { { -40, 30 }, { 20, -60 }, { 90, 10 }, { 160, 80 }, { 60, 140 }, { -30, 200 }, { -60, 120 }, { -90, 40 }, { -40, 30 } },
        { { 10, 40 }, { 70, -50 }, { 75, 60 }, { 40, 50 }, { 10, 40 } },
    };
    const swf::Matrix t { 1.3, 0.2, -0.4, 0.9, 12.25, 7.5 };
    std::vector<swf::Contour> curves;
    std::vector<Polygon> flat;
    for (const auto& c : contours) {
        curves.emplace_back();
        flat.push_back({ swf::render::map(t, c[0]) });
        for (size_t i = 1; i + 1 < c.size(); i += 2) {
            curves.back().push_back({ c[i - 1], c[i], c[i + 1], true });
            swf::flattenQuad(flat.back().back(), swf::render::map(t, c[i]), swf::render::map(t, c[i + 1]), swf::kFlatness, flat.back());
        }
    }
    auto region = [](const std::vector<swf::Span>& spans) {
        QRegion r;
        for (const swf::Span& s : spans)
            r |= QRect(s.x0, s.y, s.x1 - s.x0, 1);
        return r;
    };
    struct Collect : swf::render::SpanSink {
        QRegion r;
        void span(int y, int x0, int x1, const uint8_t*, uint8_t) override { r |= QRect(x0, y, x1 - x0, 1); }
    };
    swf::StrokeStyle round;
    round.halfWidth = 3.5;
    std::vector<Polygon> outline;
    for (const Polygon& line : flat)
        swf::strokeOutline(line, true, round, swf::kFlatness, outline);
    swf::StrokePath stroke; // seven device pixels wide, whatever the scale
    stroke.style.width = 7;
    stroke.style.noHScale = stroke.style.noVScale = true;
    stroke.parts = curves;
    swf::render::Rasterizer raster;
    for (const QRect& part : { QRect(0, 0, 40, 30), QRect(50, 60, 25, 80), QRect(-20, 100, 200, 10), QRect(-200, -200, 500, 500) }) {
        const swf::PixelBox box { part.left(), part.top(), part.left() + part.width(), part.top() + part.height() };
        // The same pixels, though perhaps cut into other rectangles.
        std::vector<Polygon> cut;
        swf::render::fillOutline(curves, t, box, cut);
        Collect fill;
        raster.fill(cut, false, false, box, fill);
        QVERIFY((fill.r ^ region(swf::fillSpans(flat, false, box))).isEmpty());
        cut.clear();
        swf::render::strokeOutline(stroke, t, 1, box, cut);
        Collect stroked;
        raster.fill(cut, true, false, box, stroked);
        QVERIFY((stroked.r ^ region(swf::fillSpans(outline, true, box))).isEmpty());
    }
}

void PixelRasterTest::curvedFillFollowsTheCurve()
{
    Movie m;
    m.widthTwips = m.heightTwips = 1600; // 80 x 80
    m.background(kGrey);
    const CurvedOutline o = circle(803, 797, 631);
    addCurvedShape(m, 1, o, kRed);
    m.place(1, 1);
    m.showFrame();
    QImage img = renderAliased(m);
    QVERIFY(!img.isNull());
    const Polygon fine = finePolygon(o);
    auto signedDistance = [&](Point p) { return polylineDistance(p, fine, true) * (insideEvenOdd(p, fine) ? -1 : 1); };
    QCOMPARE(misplaced(img, QColor(kRed), signedDistance, swf::kFlatness + 0.01), 0);
}

void PixelRasterTest::maskCutsExactlyItsOwnPixels()
{
    // The same curved outline drawn alone, used as a mask over a full
    // square, and masking itself: all three take the same pixels.
    const CurvedOutline o = circle(797, 811, 587);
    auto movie = [&](int variant) {
        Movie m;
        m.widthTwips = m.heightTwips = 1600;
        m.background(kGrey);
        addCurvedShape(m, 1, o, kRed);
        m.rect(2, 0, 0, 1600, 1600, kRed);
        if (variant == 0) {
            m.place(1, 1);
        } else {
            m.place(1, 1, 0, 0, 2);
            m.place(2, variant == 1 ? 2 : 1);
        }
        m.showFrame();
        return m;
    };
    const PixelSet alone = colored(renderAliased(movie(0)), QColor(kRed));
    QVERIFY(alone.size() > 2000);
    QCOMPARE(colored(renderAliased(movie(1)), QColor(kRed)), alone);
    QCOMPARE(colored(renderAliased(movie(2)), QColor(kRed)), alone);
}

void PixelRasterTest::strokeOfCurvesFollowsTheCurve_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one pixel") << 20;
    QTest::newRow("three pixels") << 60;
}

void PixelRasterTest::strokeOfCurvesFollowsTheCurve()
{
    // A round stroke along curves takes the pixels within half its width.
    QFETCH(int, width);
    Movie m;
    m.widthTwips = m.heightTwips = 1600;
    m.background(kGrey);
    const CurvedOutline o = circle(811, 789, 600);
    addCurvedShape(m, 1, o, kGrey, uint16_t(width), kWhite);
    m.place(1, 1);
    m.showFrame();
    QImage img = renderAliased(m);
    QVERIFY(!img.isNull());
    const Polygon fine = finePolygon(o);
    auto signedDistance = [&](Point p) { return polylineDistance(p, fine, true) - width / 40.0; };
    QCOMPARE(misplaced(img, QColor(kWhite), signedDistance, swf::kFlatness + 0.02), 0);
}

QTEST_MAIN(PixelRasterTest)
#include "tst_pixelraster.moc"
