// Small hand-made movies, each drawn through the renderer and checked against
// what the file format says the picture must be: gradients, clip layers,
// colour transforms, cacheAsBitmap and strokes. Pixels are read well inside
// regions, away from anti-aliased edges, at both render qualities.
//
// A row whose `fault` is set shows a known fault of today's renderer: it is
// expected to fail until the drawing path is fixed, and then the mark goes.

#include <QtTest>

#include <cmath>

#include "SwfBuilder.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace swftest;
using yelvanis::MovieRenderer;
using yelvanis::swf::MoviePlayer;

namespace {

struct Probe {
    int x = 0, y = 0; // device pixel
    QColor colour;
    int tolerance = 2; // per channel
};
using Probes = QList<Probe>;

const Color kRed { 255, 0, 0 }, kGreen { 0, 255, 0 }, kBlue { 0, 0, 255 }, kYellow { 255, 255, 0 },
    kCyan { 0, 255, 255 }, kBlack { 0, 0, 0 };
const QColor kWhite(255, 255, 255);

std::shared_ptr<const yelvanis::LoadedMovie> load(const QByteArray& bytes)
{
    yelvanis::MovieLoadResult r = yelvanis::loadMovieData(bytes);
    return r.loaded;
}

// The first frame's stage, drawn afresh at `size`.
QImage draw(const QByteArray& bytes, bool antialias, QSize size)
{
    auto loaded = load(bytes);
    if (!loaded)
        return {};
    MoviePlayer player(loaded->movie);
    MovieRenderer renderer(loaded);
    renderer.setTimeBudget(0); // a loaded machine must not cut the picture short
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::magenta);
    QPainter p(&img);
    renderer.render(p, player, QRectF(img.rect()), antialias);
    return img;
}

// Every probe that misses, with what it found; empty when all match.
QString misses(const QImage& img, const Probes& probes)
{
    if (img.isNull())
        return QStringLiteral("nothing drawn");
    QStringList out;
    for (const Probe& pr : probes) {
        const QColor got = img.pixelColor(pr.x, pr.y);
        const QColor& want = pr.colour;
        if (std::abs(got.red() - want.red()) > pr.tolerance || std::abs(got.green() - want.green()) > pr.tolerance
            || std::abs(got.blue() - want.blue()) > pr.tolerance || std::abs(got.alpha() - want.alpha()) > pr.tolerance)
            out << QStringLiteral("(%1,%2) rgba(%3,%4,%5,%6) expected rgba(%7,%8,%9,%10) ±%11")
                       .arg(pr.x).arg(pr.y)
                       .arg(got.red()).arg(got.green()).arg(got.blue()).arg(got.alpha())
                       .arg(want.red()).arg(want.green()).arg(want.blue()).arg(want.alpha())
                       .arg(pr.tolerance);
    }
    return out.join(QStringLiteral("; "));
}

// How many pixels differ by more than `tolerance` in a channel, and the first few.
QString differences(const QImage& a, const QImage& b, int tolerance)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    int count = 0;
    QStringList first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance
                || std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance) {
                if (++count <= 4)
                    first << QStringLiteral("(%1,%2) %3 vs %4").arg(x).arg(y).arg(p, 8, 16).arg(q, 8, 16);
            }
        }
    return count ? QStringLiteral("%1 pixels differ: %2").arg(count).arg(first.join(", ")) : QString();
}

void expectFault(const QString& fault)
{
    if (!fault.isEmpty())
        QEXPECT_FAIL("", qPrintable(fault), Continue);
}

// ---- Gradients --------------------------------------------------------------

using Stops = std::vector<std::pair<uint8_t, Color>>;

double toLinear(double v)
{
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double fromLinear(double v)
{
    v = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return std::clamp(v * 255.0, 0.0, 255.0);
}

// What a colour transform makes of a colour: each channel times its
// multiplier over 256, plus its add term, clamped to 0..255.
Color transformed(Color c, const ColorXform& x)
{
    auto ch = [](int v, int mul, int add) { return uint8_t(std::clamp(v * mul / 256 + add, 0, 255)); };
    return { ch(c.r, x.rMul, x.rAdd), ch(c.g, x.gMul, x.gAdd), ch(c.b, x.bMul, x.bAdd), ch(c.a, x.aMul, x.aAdd) };
}

// The colour at `ratio`, the stops taken in the order written: the first
// stop whose ratio is not below it ends the segment, which starts at the stop
// before (even one that went back). Before the first stop: its colour; past
// every stop: the last one's. Between, a straight blend, in linear light when
// asked. The colour transform applies to each stop, and the blend runs
// between the results.
QColor rampAt(const Stops& stops, double ratio, bool linearRgb, const ColorXform& cx = {})
{
    auto at = [&](size_t i) { return transformed(stops[i].second, cx); };
    size_t k = 0;
    while (k < stops.size() && stops[k].first < ratio)
        ++k;
    if (k == 0)
        return at(0);
    if (k == stops.size())
        return at(k - 1);
    const Color a = at(k - 1), b = at(k);
    const double t = std::clamp((ratio - stops[k - 1].first) / double(stops[k].first - stops[k - 1].first), 0.0, 1.0);
    auto mix = [&](uint8_t x, uint8_t y) {
        double v = linearRgb ? fromLinear(toLinear(x) * (1 - t) + toLinear(y) * t) : x + (double(y) - x) * t;
        return int(std::lround(v));
    };
    return QColor(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a));
}

// A position along a gradient (0 at its start, 1 at its end) as a ratio
// 0..255 after the spread mode: pad clamps, repeat wraps, reflect mirrors
// every other span.
double spreadRatio(double t, uint8_t spread)
{
    if (spread == 2)
        t -= std::floor(t);
    else if (spread == 1)
        t = std::abs(t - 2 * std::floor((t + 1) / 2));
    return std::clamp(t, 0.0, 1.0) * 255;
}

// Where a pixel centre falls in a linear gradient spanning [x0, x0 + width) twips.
double linearRatio(int px, int32_t x0, int32_t width, uint8_t spread)
{
    return spreadRatio(((px + 0.5) * 20 - x0) / width, spread);
}

// A 100 x 100 pixel stage filled by one rectangle with the given gradient,
// horizontally across [x0, x0 + width) twips.
QByteArray linearGradientMovie(const Stops& stops, int32_t x0, int32_t width, uint8_t spread, bool linearRgb,
                               std::optional<ColorXform> cx = {})
{
    Movie m;
    m.background({ 255, 255, 255 });
    GradientFill g;
    g.matrix = Transform::scale(width / 32768.0, width / 32768.0, x0 + width / 2, 1000);
    g.spread = spread;
    g.linearRgb = linearRgb;
    g.stops = stops;
    gradientRect(m, 1, 0, 0, 2000, 2000, g);
    place(m, { .depth = 1, .id = 1, .matrix = Transform {}, .colorTransform = cx });
    m.showFrame();
    return m.bytes();
}

Probes linearProbes(const Stops& stops, std::initializer_list<int> xs, int32_t x0, int32_t width, uint8_t spread,
                    bool linearRgb, const ColorXform& cx = {})
{
    Probes probes;
    for (int x : xs) {
        const QColor c = rampAt(stops, linearRatio(x, x0, width, spread), linearRgb, cx);
        // A player blends linear light in 8 bits: near black one step of it
        // is several sRGB levels, so the tolerance grows to one such step.
        int tolerance = 4;
        if (linearRgb)
            for (int v : { c.red(), c.green(), c.blue() })
                tolerance = std::max(tolerance, int(std::ceil(v - fromLinear(std::max(0.0, toLinear(v) - 1 / 255.0)))) + 1);
        probes.append({ x, 50, c, tolerance });
    }
    return probes;
}

// The position of a point in a focal radial gradient, in the gradient's own
// space: 0 at the focal point F, 1 on the circle of radius 16384, and
// anywhere else the distance from F over the distance from F to the circle
// along the ray through the point (past the circle, more than 1).
double focalPosition(double x, double y, double focal)
{
    const double R = 16384, fx = focal * R;
    const double dx = x - fx, dy = y;
    const double dd = dx * dx + dy * dy;
    if (dd == 0)
        return 0;
    const double fd = fx * dx;
    const double disc = fd * fd - dd * (fx * fx - R * R);
    const double s = (-fd + std::sqrt(std::max(0.0, disc))) / dd; // the ray meets the circle at F + s * d
    return s > 0 ? 1.0 / s : HUGE_VAL;
}

// ---- Strokes ---------------------------------------------------------------

// How much stroke a line of pixels crosses, in pixels: the coverage of black
// over white summed along the line.
double crossed(const QImage& img, QPoint from, QPoint step, int count)
{
    double sum = 0;
    QPoint p = from;
    for (int i = 0; i < count; ++i, p += step)
        if (img.rect().contains(p))
            sum += (255 - qRed(img.pixel(p))) / 255.0;
    return sum;
}

} // namespace

Q_DECLARE_METATYPE(Probe)

namespace {

// Tables of (bytes, probes, antialias, fault): each case in both qualities,
// 100 x 100 pixels, every probe checked.
void addProbedRows(const char* name, const QByteArray& bytes, const Probes& probes, const char* fault)
{
    for (bool aa : { true, false })
        QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QString::fromUtf8(name), aa ? "smooth" : "aliased")))
            << bytes << probes << aa << QString::fromUtf8(fault);
}

void checkProbes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Probes, probes);
    QFETCH(bool, antialias);
    QFETCH(QString, fault);
    const QString missed = misses(draw(bytes, antialias, { 100, 100 }), probes);
    expectFault(fault);
    QVERIFY2(missed.isEmpty(), qPrintable(missed));
}

} // namespace

class MovieFidelityTest : public QObject {
    Q_OBJECT
private slots:
    void gradients_data();
    void gradients();
    void focalGradients_data();
    void focalGradients();
    void colourTransforms_data();
    void colourTransforms();
    void alphaAddOnBitmap_data();
    void alphaAddOnBitmap();
    void clipLayers_data();
    void clipLayers();
    void cacheAsBitmapReachesTheStage();
    void cacheAsBitmapSnapsToPixels_data();
    void cacheAsBitmapSnapsToPixels();
    void cachedObjectMovingByFractions_data();
    void cachedObjectMovingByFractions();
    void strokeWidths_data();
    void strokeWidths();
};

void MovieFidelityTest::gradients_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Probes>("probes");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");

    struct Case {
        const char* name;
        QByteArray bytes;
        Probes probes;
        const char* fault = "";
    };
    const Stops redBlue { { 0, kRed }, { 255, kBlue } };
    const auto all = [](QColor c) {
        Probes p;
        for (int x : { 3, 25, 50, 75, 96 })
            p.append({ x, 50, c, 2 });
        return p;
    };
    std::vector<Case> cases;
    cases.push_back({ "two stops", linearGradientMovie(redBlue, 0, 2000, 0, false),
                      linearProbes(redBlue, { 3, 25, 50, 75, 96 }, 0, 2000, 0, false) });
    // One stop: its colour at every ratio.
    cases.push_back({ "one stop", linearGradientMovie({ { 128, kGreen } }, 0, 2000, 0, false), all(QColor(0, 255, 0)) });
    // No stops at all, which the format does not allow: the player is seen
    // to fill such a gradient with solid black.
    cases.push_back({ "no stops", linearGradientMovie({}, 0, 2000, 0, false), all(QColor(0, 0, 0)) });
    // A stop repeated at the end changes nothing.
    cases.push_back({ "last stop repeated", linearGradientMovie({ { 0, kRed }, { 255, kBlue }, { 255, kBlue } }, 0, 2000, 0, false),
                      linearProbes(redBlue, { 3, 25, 50, 75, 96 }, 0, 2000, 0, false) });
    // Two stops at one ratio: a sharp step there, each side its own blend.
    {
        const Stops step { { 0, kRed }, { 128, kBlue }, { 128, kGreen }, { 255, kYellow } };
        cases.push_back({ "two stops at one ratio", linearGradientMovie(step, 0, 2000, 0, false),
                          linearProbes(step, { 5, 25, 45, 55, 75, 95 }, 0, 2000, 0, false) });
    }
    // Stops are taken in the order written, never sorted: before the first
    // stop's ratio is reached, the fill is the first stop's colour, and a
    // gradient whose first stop sits at 255 is that colour throughout.
    cases.push_back({ "stops in falling order", linearGradientMovie({ { 255, kBlue }, { 0, kRed } }, 0, 2000, 0, false),
                      all(QColor(0, 0, 255)) });
    // A stop going back is never reached itself, but it starts the segment
    // after it: past 128, cyan (at 50) to blue.
    {
        const Stops back { { 0, kRed }, { 128, kGreen }, { 50, kCyan }, { 255, kBlue } };
        cases.push_back({ "a stop going back", linearGradientMovie(back, 0, 2000, 0, false),
                          linearProbes(back, { 5, 25, 45, 55, 75, 95 }, 0, 2000, 0, false) });
    }
    // Past every stop the fill is the last stop's colour, even when an
    // earlier stop has a higher ratio.
    {
        const Stops last { { 0, kRed }, { 200, kBlue }, { 150, kYellow } };
        cases.push_back({ "last stop below an earlier one", linearGradientMovie(last, 0, 2000, 0, false),
                          linearProbes(last, { 10, 40, 70, 85, 95 }, 0, 2000, 0, false) });
    }
    // Spread modes past the gradient square (here the left half of the
    // stage), under a colour transform that applies to each stop.
    const ColorXform dim { .rMul = 128, .bAdd = 40 };
    const char* spreads[] = { "pad", "reflect", "repeat" };
    for (uint8_t spread = 0; spread < 3; ++spread)
        cases.push_back({ spreads[spread], linearGradientMovie(redBlue, 0, 1000, spread, false, dim),
                          linearProbes(redBlue, { 10, 25, 40, 56, 65, 75, 85, 95 }, 0, 1000, spread, false, dim) });
    // Linear-light blending between the transformed stops.
    {
        const Stops redGreen { { 0, kRed }, { 255, kGreen } };
        cases.push_back({ "linear RGB", linearGradientMovie(redGreen, 0, 2000, 0, true),
                          linearProbes(redGreen, { 10, 30, 50, 70, 90 }, 0, 2000, 0, true) });
        cases.push_back({ "linear RGB under a colour transform", linearGradientMovie(redGreen, 0, 2000, 0, true, dim),
                          linearProbes(redGreen, { 10, 30, 50, 70, 90 }, 0, 2000, 0, true, dim) });
        cases.push_back({ "linear RGB, reflected, transformed", linearGradientMovie(redGreen, 0, 1000, 1, true, dim),
                          linearProbes(redGreen, { 20, 40, 60, 80 }, 0, 1000, 1, true, dim) });
    }
    // An alpha ramp lifted by an alpha add term: the add term applies to
    // each stop (clamped there), and the ramp runs between the results.
    {
        const Stops fade { { 0, { 255, 0, 0, 0 } }, { 255, { 255, 0, 0, 255 } } };
        const ColorXform lift { .aAdd = 128 };
        Probes probes = linearProbes(fade, { 10, 30, 50, 70, 90 }, 0, 2000, 0, false, lift);
        for (Probe& p : probes) // seen over white
            p.colour = QColor(255, 255 - p.colour.alpha(), 255 - p.colour.alpha());
        cases.push_back({ "alpha ramp under an alpha add term", linearGradientMovie(fade, 0, 2000, 0, false, lift), probes });
    }
    // Subtracting from both stops darkens the ends, not the middle twice:
    // the transform applies to the stops, then the blend runs between them.
    {
        const ColorXform darker { .rAdd = -128, .bAdd = -128 };
        cases.push_back({ "negative add terms", linearGradientMovie(redBlue, 0, 2000, 0, false, darker),
                          linearProbes(redBlue, { 10, 30, 50, 70, 90 }, 0, 2000, 0, false, darker) });
    }
    for (const Case& c : cases)
        addProbedRows(c.name, c.bytes, c.probes, c.fault);
}

void MovieFidelityTest::gradients()
{
    checkProbes();
}

void MovieFidelityTest::focalGradients_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Probes>("probes");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");

    // A circle of radius 800 twips (40 pixels) around the stage's centre,
    // red at the focal point to blue on the circle, padded blue outside.
    const Stops redBlue { { 0, kRed }, { 255, kBlue } };
    struct Case {
        const char* name;
        GradientFill::Type type;
        int16_t focal; // 8.8
        uint8_t spread = 0;
        const char* fault = "";
    };
    const Case cases[] = {
        { "radial", GradientFill::Radial, 0 },
        { "focal point halfway", GradientFill::Focal, 128 },
        { "focal point near the edge", GradientFill::Focal, 243 },
        { "focal point on the edge", GradientFill::Focal, 256 },
        { "focal point on the far edge", GradientFill::Focal, -256 },
        { "radial, repeated", GradientFill::Radial, 0, 2 },
        { "focal point off centre, reflected", GradientFill::Focal, -160, 1 },
        { "focal point off centre, repeated", GradientFill::Focal, 160, 2 },
    };
    const double scale = 800 / 16384.0;
    for (const Case& c : cases) {
        Movie m;
        m.background({ 255, 255, 255 });
        GradientFill g;
        g.type = c.type;
        g.matrix = Transform::scale(scale, scale, 1000, 1000);
        g.stops = redBlue;
        g.focal = c.focal;
        g.spread = c.spread;
        gradientRect(m, 1, 0, 0, 2000, 2000, g);
        m.place(1, 1);
        m.showFrame();
        const double focal = c.type == GradientFill::Focal ? c.focal / 256.0 : 0;
        Probes probes;
        const QPoint points[] = { { 50, 50 }, { 30, 50 }, { 20, 50 }, { 70, 50 }, { 50, 25 }, { 50, 80 },
                                  { 35, 65 }, { 64, 36 }, { 40, 30 }, { 5, 50 }, { 95, 50 }, { 50, 3 }, { 95, 95 } };
        for (QPoint p : points) {
            // Pixel centre in the gradient's space.
            const double gx = ((p.x() + 0.5) * 20 - 1000) / scale, gy = ((p.y() + 0.5) * 20 - 1000) / scale;
            // Colours change fastest next to the focal point: leave it out.
            if (std::hypot(gx - focal * 16384, gy) < 16384 * 0.15)
                continue;
            // Nor where a repeat starts over.
            const double t = focalPosition(gx, gy, focal);
            if (c.spread == 2 && std::abs(t - std::round(t)) < 0.04)
                continue;
            probes.append({ p.x(), p.y(), rampAt(redBlue, spreadRatio(t, c.spread), false), 5 });
        }
        for (bool aa : { true, false })
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c.name, aa ? "smooth" : "aliased")))
                << m.bytes() << probes << aa << QString::fromUtf8(c.fault);
    }
}

void MovieFidelityTest::focalGradients()
{
    checkProbes();
}

void MovieFidelityTest::colourTransforms_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");

    // A square of `fill` under `own`, inside a sprite placed under `parent`
    // (when given), over white. Each transform: channel * mul / 256 + add;
    // nested transforms combine into one (the parent's multipliers scale the
    // child's add terms), applied once and clamped to 0..255 at the end.
    struct Case {
        const char* name;
        Color fill;
        ColorXform own;
        std::optional<ColorXform> parent;
        QColor expected; // over white
        const char* fault = "";
    };
    const Case cases[] = {
        { "alpha add shows a fill of alpha 0", { 255, 0, 0, 0 }, { .aAdd = 255 }, {}, QColor(255, 0, 0) },
        { "alpha add alone gives half cover", { 0, 0, 255, 0 }, { .aAdd = 128 }, {}, QColor(127, 127, 255) },
        { "alpha add on a faint fill", { 255, 0, 0, 64 }, { .aAdd = 64 }, {}, QColor(255, 127, 127) },
        { "alpha multiplied away, then added", { 0, 128, 0, 255 }, { .aMul = 0, .aAdd = 255 }, {}, QColor(0, 128, 0) },
        { "negative add clamps at zero", { 200, 100, 50 }, { .rAdd = -300, .gAdd = -50 }, {}, QColor(0, 50, 50) },
        { "multiplier past one clamps", { 200, 100, 50 }, { .rMul = 512, .gMul = 384 }, {}, QColor(255, 150, 50) },
        { "negative multiplier inverts", { 200, 100, 50 }, { -256, -256, -256, 256, 255, 255, 255, 0 }, {}, QColor(55, 155, 205) },
        { "parent alpha add shows a child of alpha 0", { 0, 0, 255, 0 }, {}, ColorXform { .aAdd = 255 }, QColor(0, 0, 255) },
        { "parent multiplier scales the child's add", { 200, 0, 0 }, { .rAdd = 100 }, ColorXform { .rMul = 128 }, QColor(150, 0, 0) },
        { "parent add after the child's multiplier", { 100, 100, 100 }, { .gMul = 0 }, ColorXform { .gAdd = 80 }, QColor(100, 80, 100) },
        { "parent alpha halves the child's alpha add", { 255, 0, 0, 0 }, { .aAdd = 255 }, ColorXform { .aMul = 128 }, QColor(255, 128, 128) },
    };
    for (const Case& c : cases) {
        Movie m;
        m.background({ 255, 255, 255 });
        m.rect(1, 0, 0, 1000, 1000, c.fill);
        if (c.parent) {
            Movie inner;
            place(inner, { .depth = 1, .id = 1, .matrix = Transform {}, .colorTransform = c.own });
            inner.showFrame();
            m.sprite(2, inner);
            place(m, { .depth = 1, .id = 2, .matrix = Transform::at(500, 500), .colorTransform = c.parent });
        } else {
            place(m, { .depth = 1, .id = 1, .matrix = Transform::at(500, 500), .colorTransform = c.own });
        }
        m.showFrame();
        for (bool aa : { true, false })
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c.name, aa ? "smooth" : "aliased")))
                << m.bytes() << c.expected << aa << QString::fromUtf8(c.fault);
    }
}

void MovieFidelityTest::colourTransforms()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QColor, expected);
    QFETCH(bool, antialias);
    QFETCH(QString, fault);
    // The square covers pixels 25..75; outside it the stage stays white.
    const QString missed = misses(draw(bytes, antialias, { 100, 100 }),
                                  { { 50, 50, expected, 2 }, { 30, 70, expected, 2 }, { 10, 50, kWhite, 0 } });
    expectFault(fault);
    QVERIFY2(missed.isEmpty(), qPrintable(missed));
}

void MovieFidelityTest::alphaAddOnBitmap_data()
{
    QTest::addColumn<int>("alphaAdd");
    QTest::addColumn<QColor>("clear"); // where the picture is transparent, over white
    QTest::addColumn<bool>("antialias");
    for (bool aa : { true, false }) {
        const char* quality = aa ? "smooth" : "aliased";
        QTest::newRow(qPrintable(QStringLiteral("none, %1").arg(quality))) << 0 << kWhite << aa;
        QTest::newRow(qPrintable(QStringLiteral("half, %1").arg(quality))) << 128 << QColor(127, 127, 127) << aa;
        QTest::newRow(qPrintable(QStringLiteral("full, %1").arg(quality))) << 255 << QColor(0, 0, 0) << aa;
    }
}

void MovieFidelityTest::alphaAddOnBitmap()
{
    // A picture's transparent pixels hold no colour: an alpha add term makes
    // them show as black, and leaves its opaque pixels as they are.
    QFETCH(int, alphaAdd);
    QFETCH(QColor, clear);
    QFETCH(bool, antialias);
    Movie m;
    m.background({ 255, 255, 255 });
    // 2 x 2 premultiplied ARGB: clear, red / green, clear.
    const std::vector<uint8_t> argb { 0, 0, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0 };
    uLongf size = compressBound(uLong(argb.size()));
    std::vector<uint8_t> z(size);
    compress(z.data(), &size, argb.data(), uLong(argb.size()));
    z.resize(size);
    Bits pic;
    pic.u16(5);
    pic.u8(5);
    pic.u16(2);
    pic.u16(2);
    pic.bytes(z);
    m.tag(36, pic.out);
    // A 40 x 40 pixel square, each picture pixel 20 pixels wide, clipped and not smoothed.
    Bits b;
    b.u16(1);
    b.rect(0, 800, 0, 800);
    b.u8(1);
    b.u8(0x43);
    b.u16(5);
    b.matrix(400, 400, 0, 0);
    b.u8(0);
    ShapeWriter w(b, 1, 0);
    rectEdges(w, 1, -1, 0, 0, 800, 800);
    m.tag(32, b.out);
    place(m, { .depth = 1, .id = 1, .matrix = Transform::at(400, 400), .colorTransform = ColorXform { .aAdd = alphaAdd } });
    m.showFrame();
    const QString missed = misses(draw(m.bytes(), antialias, { 100, 100 }),
                                  { { 30, 30, clear }, { 50, 50, clear }, { 50, 30, QColor(255, 0, 0) },
                                    { 30, 50, QColor(0, 255, 0) }, { 10, 10, kWhite, 0 } });
    QVERIFY2(missed.isEmpty(), qPrintable(missed));
}

void MovieFidelityTest::clipLayers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Probes>("probes");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");

    // Characters: 1 a full-stage red square, 2 a green band across the
    // bottom half, 3..6 mask rectangles (colours never shown).
    auto base = [] {
        Movie m;
        m.background({ 255, 255, 255 });
        m.rect(1, 0, 0, 2000, 2000, kRed);
        m.rect(2, 0, 1000, 2000, 1000, kGreen);
        return m;
    };
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255);
    struct Case {
        const char* name;
        QByteArray bytes;
        Probes probes;
        const char* fault = "";
    };
    std::vector<Case> cases;
    {
        // Every clip layer masks the depths above it up to its clip depth, on
        // its own: two of them sharing a clip depth both mask what lies
        // under it, so what shows is inside both.
        Movie m = base();
        m.rect(3, 200, 200, 1000, 1600, kBlack); // x 10..60 px
        m.rect(4, 800, 200, 1000, 1600, kBlack); // x 40..90 px
        m.place(1, 3, 0, 0, 3);
        m.place(2, 4, 0, 0, 3);
        m.place(3, 1);
        m.showFrame();
        cases.push_back({ "two clip layers at one depth", m.bytes(),
                          { { 50, 50, red }, { 25, 50, kWhite }, { 75, 50, kWhite }, { 5, 50, kWhite },
                            { 95, 50, kWhite }, { 50, 5, kWhite } } });
    }
    {
        // Different clip depths nest: depth 3 lies under both masks, depth 4
        // only under the first.
        Movie m = base();
        m.rect(3, 200, 0, 1200, 2000, kBlack); // x 10..70 px
        m.rect(4, 800, 0, 1000, 2000, kBlack); // x 40..90 px
        m.rect(5, 0, 200, 2000, 600, kBlue);   // a blue band, y 10..40 px
        m.place(1, 3, 0, 0, 4);
        m.place(2, 4, 0, 0, 3);
        m.place(3, 5);
        m.place(4, 2);
        m.showFrame();
        cases.push_back({ "clip layers nested by depth", m.bytes(),
                          { { 55, 25, blue }, { 25, 25, kWhite }, { 80, 25, kWhite }, { 25, 75, green }, { 55, 75, green },
                            { 80, 75, kWhite }, { 5, 75, kWhite } } });
    }
    {
        // The first mask's clip depth is the second mask's depth: the second
        // mask alone decides what shows above it.
        Movie m = base();
        m.rect(3, 200, 0, 800, 2000, kBlack);  // x 10..50 px
        m.rect(4, 600, 0, 1200, 2000, kBlack); // x 30..90 px
        m.rect(5, 0, 200, 2000, 600, kBlue);   // y 10..40 px
        m.place(1, 3, 0, 0, 3);
        m.place(2, 5);
        m.place(3, 4, 0, 0, 4);
        m.place(4, 2);
        m.showFrame();
        cases.push_back({ "a clip layer ends where the next begins", m.bytes(),
                          { { 20, 25, blue }, { 40, 25, blue }, { 70, 25, kWhite }, { 20, 75, kWhite },
                            { 40, 75, green }, { 70, 75, green }, { 95, 75, kWhite } } });
    }
    {
        // A sprite's clip layer masks the sprite's own depths up to its clip
        // depth, moved and scaled with the sprite, and nothing of the parent.
        Movie inner;
        inner.place(1, 3, 0, 0, 9);  // reaches past the sprite's depths
        inner.place(2, 1, -1000, -1000);
        inner.showFrame();
        Movie m = base();
        m.rect(3, 0, 0, 400, 400, kBlack); // 20 x 20 px, scaled to 30 x 30
        m.rect(5, 0, 1600, 2000, 300, kBlue); // y 80..95 px
        m.sprite(10, inner);
        place(m, { .depth = 1, .id = 10, .matrix = Transform::scale(1.5, 1.5, 600, 600) }); // mask at 30..60 px
        m.place(2, 5);
        m.showFrame();
        cases.push_back({ "a clip layer inside a sprite", m.bytes(),
                          { { 35, 35, red }, { 55, 55, red }, { 25, 45, kWhite }, { 65, 45, kWhite }, { 45, 25, kWhite },
                            { 45, 70, kWhite }, { 10, 88, blue }, { 50, 88, blue } } });
    }
    {
        // A mask over a sprite that has a mask of its own: what shows is
        // inside both.
        Movie inner;
        inner.place(1, 4, 0, 0, 2);
        inner.place(2, 1);
        inner.showFrame();
        Movie m = base();
        m.rect(3, 200, 0, 1000, 2000, kBlack); // x 10..60 px
        m.rect(4, 0, 200, 2000, 1000, kBlack); // y 10..60 px
        m.sprite(10, inner);
        m.place(1, 3, 0, 0, 2);
        m.place(2, 10);
        m.showFrame();
        cases.push_back({ "nested clips", m.bytes(),
                          { { 30, 30, red }, { 55, 15, red }, { 30, 80, kWhite }, { 80, 30, kWhite }, { 5, 5, kWhite } } });
    }
    {
        // A sprite as a clip layer masks with all its shapes together.
        Movie shapes;
        shapes.place(1, 3);
        shapes.place(2, 4);
        shapes.showFrame();
        Movie m = base();
        m.rect(3, 200, 200, 600, 600, kBlack);   // 10..40 px
        m.rect(4, 1200, 1200, 600, 600, kBlack); // 60..90 px
        m.sprite(10, shapes);
        m.place(1, 10, 0, 0, 2);
        m.place(2, 1);
        m.showFrame();
        cases.push_back({ "a sprite as a clip layer", m.bytes(),
                          { { 25, 25, red }, { 75, 75, red }, { 75, 25, kWhite }, { 25, 75, kWhite }, { 50, 50, kWhite } } });
    }
    {
        // A clip layer masks with the area of its fills, whatever their
        // colour: a fill of alpha 0 masks like any other, under a colour
        // transform that clears it too. Its strokes do not count.
        Movie m = base();
        m.rect(3, 200, 200, 1000, 1600, { 0, 0, 0, 0 }); // x 10..60 px
        strokedRect(m, 4, 1400, 200, 400, 1600, { .width = 200 }); // lines 10 px wide around x 70..90 px
        place(m, { .depth = 1, .id = 3, .matrix = Transform {}, .colorTransform = ColorXform { .aMul = 0 }, .clipDepth = 3 });
        m.place(2, 1);
        m.place(4, 4, 0, 0, 5);
        m.place(5, 1);
        m.showFrame();
        cases.push_back({ "a clip layer's area, not its colour or strokes", m.bytes(),
                          { { 30, 50, red }, { 55, 50, red }, { 65, 50, kWhite }, { 5, 50, kWhite },
                            { 70, 50, kWhite }, { 80, 10, kWhite }, { 80, 50, kWhite } } });
    }
    for (const Case& c : cases)
        addProbedRows(c.name, c.bytes, c.probes, c.fault);
}

void MovieFidelityTest::clipLayers()
{
    checkProbes();
}

void MovieFidelityTest::cacheAsBitmapReachesTheStage()
{
    // Set by PlaceObject3, kept through moves that leave it out, cleared by one that clears it.
    Movie m;
    m.rect(1, 0, 0, 400, 400, kRed);
    place(m, { .depth = 1, .id = 1, .matrix = Transform {}, .cacheAsBitmap = true });
    m.place(2, 1, 500, 0);
    m.showFrame();
    place(m, { .depth = 1, .move = true, .matrix = Transform::at(20, 0) });
    m.showFrame();
    place(m, { .depth = 1, .move = true, .cacheAsBitmap = false });
    m.showFrame();
    auto loaded = load(m.bytes());
    QVERIFY(loaded);
    MoviePlayer player(loaded->movie);
    QVERIFY(player.root().displayList.at(1).cacheAsBitmap);
    QVERIFY(!player.root().displayList.at(2).cacheAsBitmap);
    player.tick();
    QVERIFY(player.root().displayList.at(1).cacheAsBitmap);
    const uint64_t version = player.stageVersion();
    player.tick();
    QVERIFY(!player.root().displayList.at(1).cacheAsBitmap);
    QVERIFY(player.stageVersion() > version);
}

namespace {

// A shape of slanted and upright edges at fractions of pixels, so that any
// shift that is not a whole number of pixels changes some of its pixels:
// a triangle beside a half-transparent rectangle.
void addCachedArt(Movie& m)
{
    Bits b;
    b.u16(1);
    b.rect(0, 900, 0, 700);
    b.u8(2);
    solidFill(b, { 200, 40, 40 }, 3);
    solidFill(b, { 40, 40, 200, 160 }, 3);
    b.u8(0);
    ShapeWriter s(b, 2, 0);
    s.style(-1, 1, -1, true, 7, 13);
    s.line(433, 91);
    s.line(-217, 571);
    s.line(-216, -662);
    s.style(-1, 2, -1, true, 508, 48);
    s.line(387, 0);
    s.line(0, 611);
    s.line(-387, 0);
    s.line(0, -611);
    s.end();
    m.tag(32, b.out);
}

QByteArray cachedArt(int32_t tx, int32_t ty, bool cache)
{
    Movie m;
    m.background({ 250, 245, 230 });
    addCachedArt(m);
    Placement p { .depth = 1, .id = 1, .matrix = Transform::at(tx, ty) };
    if (cache)
        p.cacheAsBitmap = true;
    place(m, p);
    m.showFrame();
    return m.bytes();
}

// The twips of the whole device pixel nearest `twips`, at `zoom` device pixels per stage pixel.
int32_t snapped(int32_t twips, int zoom)
{
    const double pixel = 20.0 / zoom;
    return int32_t(std::lround(std::round(twips / pixel) * pixel));
}

} // namespace

void MovieFidelityTest::cacheAsBitmapSnapsToPixels_data()
{
    QTest::addColumn<int>("tx");
    QTest::addColumn<int>("ty");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");
    // Offsets from whole stage pixels (20 twips) that round down and up.
    const struct {
        const char* name;
        int tx, ty, zoom;
    } cases[] = {
        { "a quarter pixel right", 605, 400, 1 },
        { "three quarters down", 600, 415, 1 },
        { "a fifth and two thirds", 604, 413, 1 },
        { "zoomed twice, 0.3 and 1.4 pixels", 603, 414, 2 },
    };
    for (const auto& c : cases)
        for (bool aa : { true, false })
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c.name, aa ? "smooth" : "aliased")))
                << c.tx << c.ty << c.zoom << aa << QString();
}

void MovieFidelityTest::cacheAsBitmapSnapsToPixels()
{
    // The player draws a cached object once into a picture of its own and
    // puts that picture on whole device pixels: placed at a fraction of a
    // pixel, it shows exactly what it shows at the nearest whole pixel.
    QFETCH(int, tx);
    QFETCH(int, ty);
    QFETCH(int, zoom);
    QFETCH(bool, antialias);
    QFETCH(QString, fault);
    const QSize size(100 * zoom, 100 * zoom);
    const QImage rounded = draw(cachedArt(snapped(tx, zoom), snapped(ty, zoom), false), antialias, size);
    // The fixture can tell: without the flag, the fraction shows.
    QVERIFY(!differences(draw(cachedArt(tx, ty, false), antialias, size), rounded, 2).isEmpty());
    const QString differ = differences(draw(cachedArt(tx, ty, true), antialias, size), rounded, 2);
    expectFault(fault);
    QVERIFY2(differ.isEmpty(), qPrintable(differ));
}

void MovieFidelityTest::cachedObjectMovingByFractions_data()
{
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");
    QTest::newRow("smooth") << true << QString();
    QTest::newRow("aliased") << false << QString();
}

void MovieFidelityTest::cachedObjectMovingByFractions()
{
    // Frame by frame, drawing only what changed, a cached object that walks
    // by fractions of a pixel shows the pixels of its nearest whole position.
    QFETCH(bool, antialias);
    QFETCH(QString, fault);
    const int steps[][2] = { { 605, 400 }, { 613, 404 }, { 627, 391 }, { 633, 417 } };
    Movie m;
    m.background({ 250, 245, 230 });
    addCachedArt(m);
    m.rect(2, 0, 0, 2000, 300, { 30, 120, 60 }); // a still band for the changes to meet
    m.place(1, 2, 0, 1500);
    for (size_t f = 0; f < std::size(steps); ++f) {
        Placement p { .depth = 2, .id = f ? uint16_t(0) : uint16_t(1), .move = f > 0,
                      .matrix = Transform::at(steps[f][0], steps[f][1]) };
        if (!f)
            p.cacheAsBitmap = true;
        place(m, p);
        m.showFrame();
    }
    auto loaded = load(m.bytes());
    QVERIFY(loaded);
    MoviePlayer player(loaded->movie);
    MovieRenderer renderer(loaded);
    renderer.setTimeBudget(0);
    QImage frame(100, 100, QImage::Format_ARGB32_Premultiplied);
    QStringList wrong;
    for (size_t f = 0; f < std::size(steps); ++f) {
        if (f)
            player.tick();
        renderer.renderChanges(frame, player, antialias);
        Movie still;
        still.background({ 250, 245, 230 });
        addCachedArt(still);
        still.rect(2, 0, 0, 2000, 300, { 30, 120, 60 });
        still.place(1, 2, 0, 1500);
        still.place(2, 1, snapped(steps[f][0], 1), snapped(steps[f][1], 1));
        still.showFrame();
        const QString differ = differences(frame, draw(still.bytes(), antialias, frame.size()), 2);
        if (!differ.isEmpty())
            wrong << QStringLiteral("frame %1: %2").arg(f + 1).arg(differ);
    }
    expectFault(fault);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
}

void MovieFidelityTest::strokeWidths_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("sx");
    QTest::addColumn<double>("sy");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("least"); // device pixels, every side alike
    QTest::addColumn<double>("most");
    QTest::addColumn<bool>("antialias");
    QTest::addColumn<QString>("fault");

    // A square outline of 800 twips (40 pixels) at (20, 20) pixels on a
    // 200 x 200 pixel stage, placed scaled by (sx, sy). The player strokes
    // the transformed outline with one width all round, never the outline
    // of the untransformed stroke stretched: under a uniform scale, the
    // line's width times the scale; under a stretch, somewhere between the
    // width times the smaller and times the larger axis scale. With a
    // no-scale flag the width follows only the axis that still counts
    // (neither: the width as written). Hairlines
    // (width 0), and any stroke thinner than a pixel, are one device pixel.
    struct Case {
        const char* name;
        Stroke stroke;
        double sx, sy;
        int zoom;
        double least, most;
        const char* fault = "";
    };
    const Case cases[] = {
        { "uniform scale", { .width = 40 }, 2, 2, 1, 4, 4 },
        { "uniform scale on a zoomed stage", { .width = 40 }, 1.5, 1.5, 2, 6, 6 },
        { "stretched across", { .width = 40 }, 4, 1, 1, 2, 8 },
        { "stretched down", { .width = 40 }, 1, 4, 1, 2, 8 },
        { "stretched on a zoomed stage", { .width = 40 }, 1, 3, 2, 4, 12 },
        { "no horizontal scaling", { .width = 40, .noHScale = true }, 4, 2, 1, 4, 4 },
        { "no vertical scaling", { .width = 40, .noVScale = true }, 4, 2, 1, 8, 8 },
        { "no scaling at all", { .width = 40, .noHScale = true, .noVScale = true }, 4, 2, 1, 2, 2 },
        { "hairline, stretched", { .width = 0 }, 4, 2, 1, 1, 1 },
        { "hairline, shrunk", { .width = 0 }, 0.5, 0.75, 1, 1, 1 },
        { "hairline on a zoomed stage", { .width = 0 }, 3, 1, 2, 1, 1 },
        { "thinner than a pixel", { .width = 20 }, 0.5, 0.25, 1, 1, 1 },
    };
    for (const Case& c : cases) {
        Movie m;
        m.widthTwips = m.heightTwips = 4000;
        m.background({ 255, 255, 255 });
        strokedRect(m, 1, 0, 0, 800, 800, c.stroke);
        place(m, { .depth = 1, .id = 1, .matrix = Transform::scale(c.sx, c.sy, 400, 400) });
        m.showFrame();
        for (bool aa : { true, false })
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c.name, aa ? "smooth" : "aliased")))
                << m.bytes() << c.sx << c.sy << c.zoom << c.least << c.most << aa << QString::fromUtf8(c.fault);
    }
}

void MovieFidelityTest::strokeWidths()
{
    QFETCH(QByteArray, bytes);
    QFETCH(double, sx);
    QFETCH(double, sy);
    QFETCH(int, zoom);
    QFETCH(double, least);
    QFETCH(double, most);
    QFETCH(bool, antialias);
    QFETCH(QString, fault);
    const QImage img = draw(bytes, antialias, { 200 * zoom, 200 * zoom });
    QVERIFY(!img.isNull());
    // Each side crossed at its middle, by a line reaching a little past the
    // widest stroke expected.
    const int left = 20 * zoom, top = 20 * zoom;
    const int right = int(std::lround((20 + 40 * sx) * zoom)), bottom = int(std::lround((20 + 40 * sy) * zoom));
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    const int reach = int(std::ceil(most)) + 3;
    const double widths[] = {
        crossed(img, { left - reach, midY }, { 1, 0 }, 2 * reach + 1),
        crossed(img, { right - reach, midY }, { 1, 0 }, 2 * reach + 1),
        crossed(img, { midX, top - reach }, { 0, 1 }, 2 * reach + 1),
        crossed(img, { midX, bottom - reach }, { 0, 1 }, 2 * reach + 1),
    };
    // Smooth edges cover partial pixels; aliased ones round to whole pixels.
    const double tolerance = antialias ? 0.6 : 1.0;
    const auto [thinnest, thickest] = std::minmax_element(std::begin(widths), std::end(widths));
    const bool fits = *thinnest >= least - tolerance && *thickest <= most + tolerance
        && *thickest - *thinnest <= 2 * tolerance;
    const QString found = QStringLiteral("left %1, right %2, top %3, bottom %4 px; expected %5..%6 px, every side alike")
                              .arg(widths[0], 0, 'f', 2).arg(widths[1], 0, 'f', 2).arg(widths[2], 0, 'f', 2)
                              .arg(widths[3], 0, 'f', 2).arg(least).arg(most);
    expectFault(fault);
    QVERIFY2(fits, qPrintable(found));
}

QTEST_MAIN(MovieFidelityTest)
#include "tst_moviefidelity.moc"
