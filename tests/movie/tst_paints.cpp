// Fills sampled at pixel centres: solid colours, the three gradient shapes
// with their spread and interpolation modes, bitmap fills, each under a
// colour transform, and the degenerate fills a file may hold.

#include <QtTest>
#include <cmath>

#include "runtime/movie/render/Paint.h"

namespace swf = yelvanis::swf;
using swf::ColorTransform;
using swf::FillStyle;
using swf::Gradient;
using swf::Matrix;
using swf::Rgba;
using namespace yelvanis::swf::render;

Q_DECLARE_METATYPE(Rgba)
Q_DECLARE_METATYPE(ColorTransform)
Q_DECLARE_METATYPE(Matrix)
Q_DECLARE_METATYPE(Gradient)
Q_DECLARE_METATYPE(Gradient::Spread)
Q_DECLARE_METATYPE(FillStyle)

namespace {

constexpr Rgba kBlack { 0, 0, 0, 255 }, kWhite { 255, 255, 255, 255 }, kRed { 255, 0, 0, 255 },
    kGreen { 0, 255, 0, 255 }, kBlue { 0, 0, 255, 255 }, kClear { 0, 0, 0, 0 };

Pixel at(const Paint& paint, int x, int y)
{
    Pixel p = 0xdeadbeef;
    paint.shade(y, x, x + 1, &p);
    return p;
}

QString describe(Pixel p)
{
    return QStringLiteral("argb(%1, %2, %3, %4)").arg(p >> 24).arg((p >> 16) & 0xff).arg((p >> 8) & 0xff).arg(p & 0xff);
}

bool near(Pixel p, Pixel q, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)) > tolerance)
            return false;
    return true;
}

#define COMPARE_PIXEL(actual, expected, tolerance)                                                                   \
    QVERIFY2(near(actual, expected, tolerance),                                                                      \
             qPrintable(QStringLiteral("got %1, expected %2").arg(describe(actual), describe(expected))))

// The straight colour p + (q - p) * t, premultiplied.
Pixel blend(Rgba p, Rgba q, double t)
{
    auto ch = [t](int a, int b) { return uint8_t(std::lround(a + (b - a) * t)); };
    return premultiply({ ch(p.r, q.r), ch(p.g, q.g), ch(p.b, q.b), ch(p.a, q.a) });
}

Gradient gradient(std::vector<std::pair<int, Rgba>> stops, Gradient::Spread spread = Gradient::Spread::Pad,
                  bool linearRgb = false)
{
    Gradient g;
    g.spread = spread;
    g.linearRgb = linearRgb;
    for (auto [ratio, colour] : stops)
        g.stops.push_back({ uint8_t(ratio), colour });
    return g;
}

FillStyle fill(FillStyle::Kind kind, Gradient g)
{
    FillStyle f;
    f.kind = kind;
    f.gradient = std::move(g);
    return f;
}

// The gradient square laid across device x 0..width, y 0..width.
Matrix square(double width)
{
    const double s = width / 32768;
    return { s, 0, 0, s, width / 2, width / 2 };
}

std::unique_ptr<Paint> paint(const FillStyle& f, const Matrix& toDevice, const ColorTransform& cx = {})
{
    return makePaint(f, toDevice, cx, nullptr, true);
}

// A 2 x 2 bitmap: red, green on top; blue, white below.
struct Fixture {
    Pixel pixels[4] = { premultiply(kRed), premultiply(kGreen), premultiply(kBlue), premultiply(kWhite) };
    BitmapView view { pixels, 2, 2, 2, true };
};

// Each texel 8 x 8 device pixels, and pixel x's centre at texel coordinate (x + 1) / 8.
const Matrix kTexelsOfEight { 8, 0, 0, 8, -0.5, -0.5 };

FillStyle bitmapFill(bool repeat, bool smooth)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Bitmap;
    f.bitmapId = 1;
    f.repeat = repeat;
    f.smooth = smooth;
    return f;
}

} // namespace

class TestPaints : public QObject {
    Q_OBJECT

private slots:
    void solidUnderColourTransform_data();
    void solidUnderColourTransform();
    void linearGradient_data();
    void linearGradient();
    void radialGradient_data();
    void radialGradient();
    void focalGradient_data();
    void focalGradient();
    void degenerateGradient_data();
    void degenerateGradient();
    void gradientColourTransform_data();
    void gradientColourTransform();
    void bitmapSampling_data();
    void bitmapSampling();
    void bitmapAtItsOwnSize();
    void bitmapColourTransform();
    void bitmapWithoutPicture_data();
    void bitmapWithoutPicture();
    void rowMatchesPixels_data();
    void rowMatchesPixels();
    void shadeThroughput_data();
    void shadeThroughput();
};

void TestPaints::solidUnderColourTransform_data()
{
    QTest::addColumn<Rgba>("colour");
    QTest::addColumn<ColorTransform>("cx");
    QTest::addColumn<Rgba>("expected");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("plain") << Rgba { 10, 20, 30, 255 } << ColorTransform {} << Rgba { 10, 20, 30, 255 } << true;
    QTest::newRow("translucent") << Rgba { 255, 0, 0, 128 } << ColorTransform {} << Rgba { 255, 0, 0, 128 } << false;
    // c * mul / 256 + add on the straight colour, clamped.
    QTest::newRow("mul and add") << Rgba { 200, 100, 50, 255 } << ColorTransform { 128, 256, 512, 256, 10, -20, 0, 0 }
                                 << Rgba { 110, 80, 100, 255 } << true;
    QTest::newRow("clamped") << Rgba { 200, 100, 50, 255 } << ColorTransform { 512, 0, 256, 256, 0, -10, 300, 0 }
                             << Rgba { 255, 0, 255, 255 } << true;
    QTest::newRow("alpha add makes transparent visible")
        << Rgba { 0, 128, 255, 0 } << ColorTransform { 256, 256, 256, 256, 0, 0, 0, 255 } << Rgba { 0, 128, 255, 255 } << true;
    QTest::newRow("alpha mul hides") << Rgba { 0, 128, 255, 255 } << ColorTransform { 256, 256, 256, 0, 0, 0, 0, 0 }
                                     << kClear << false;
}

void TestPaints::solidUnderColourTransform()
{
    QFETCH(Rgba, colour);
    QFETCH(ColorTransform, cx);
    QFETCH(Rgba, expected);
    QFETCH(bool, opaque);
    FillStyle f;
    f.color = colour;
    auto p = paint(f, {}, cx);
    QVERIFY(p->uniform());
    QCOMPARE(p->colour(), premultiply(expected));
    QCOMPARE(p->opaque(), opaque);
    COMPARE_PIXEL(at(*p, -1000, 77), premultiply(expected), 0);
}

// Black at ratio 0 to white at 255 across a square 256 pixels wide: the
// format puts ratio 0 at the square's left edge and 255 at its right, so the
// pixel centred at x + 0.5 is (x + 0.5) / 256 of the way. One ramp entry is
// a 256th, so values within 2 of the exact blend pass.
void TestPaints::linearGradient_data()
{
    QTest::addColumn<Gradient::Spread>("spread");
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("position"); // after the spread, 0..1

    using S = Gradient::Spread;
    const auto pos = [](int x) { return (x + 0.5) / 256; };
    QTest::newRow("start") << S::Pad << 0 << pos(0);
    QTest::newRow("quarter") << S::Pad << 63 << pos(63);
    QTest::newRow("middle") << S::Pad << 128 << pos(128);
    QTest::newRow("end") << S::Pad << 255 << pos(255);
    QTest::newRow("pad before") << S::Pad << -300 << 0.0;
    QTest::newRow("pad after") << S::Pad << 900 << 1.0;
    QTest::newRow("repeat after") << S::Repeat << 256 + 63 << pos(63);
    QTest::newRow("repeat before") << S::Repeat << 63 - 512 << pos(63);
    QTest::newRow("reflect after") << S::Reflect << 256 + 63 << 1 - pos(63);
    QTest::newRow("reflect before") << S::Reflect << -64 << pos(63);
    QTest::newRow("reflect two periods on") << S::Reflect << 512 + 63 << pos(63);
}

void TestPaints::linearGradient()
{
    QFETCH(Gradient::Spread, spread);
    QFETCH(int, x);
    QFETCH(double, position);
    auto p = paint(fill(FillStyle::Kind::Linear, gradient({ { 0, kBlack }, { 255, kWhite } }, spread)), square(256));
    QVERIFY(!p->uniform());
    QVERIFY(p->opaque());
    COMPARE_PIXEL(at(*p, x, 17), blend(kBlack, kWhite, position), 2);
    // The colour depends on x alone.
    QCOMPARE(at(*p, x, -40), at(*p, x, 200));
}

// The square laid over 0..256 with its centre on pixel (127, 127)'s centre.
void TestPaints::radialGradient_data()
{
    QTest::addColumn<Gradient::Spread>("spread");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("position");

    using S = Gradient::Spread;
    QTest::newRow("centre") << S::Pad << 127 << 127 << 0.0;
    QTest::newRow("half way right") << S::Pad << 127 + 64 << 127 << 0.5;
    QTest::newRow("half way up") << S::Pad << 127 << 127 - 64 << 0.5;
    QTest::newRow("diagonal") << S::Pad << 127 + 30 << 127 + 40 << 50 / 128.0;
    QTest::newRow("pad outside") << S::Pad << 0 << 0 << 1.0;
    QTest::newRow("repeat outside") << S::Repeat << 127 + 128 + 32 << 127 << 0.25;
    QTest::newRow("reflect outside") << S::Reflect << 127 - 128 - 32 << 127 << 0.75;
}

void TestPaints::radialGradient()
{
    QFETCH(Gradient::Spread, spread);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, position);
    Matrix m = square(256);
    m.tx = m.ty = 127.5;
    auto p = paint(fill(FillStyle::Kind::Radial, gradient({ { 0, kBlack }, { 255, kWhite } }, spread)), m);
    COMPARE_PIXEL(at(*p, x, y), blend(kBlack, kWhite, position), 2);
}

// Ratio 0 at the focal point (focal x radius along the x axis), 255 on the
// circle, the ratio between them measured along the ray from the focal point.
void TestPaints::focalGradient_data()
{
    QTest::addColumn<double>("focal");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("position");

    // Pixel (127, 127)'s centre is the circle's centre; 128 pixels are the radius.
    QTest::newRow("at the focal point") << 0.5 << 127 + 64 << 127 << 0.0;
    QTest::newRow("half way to the far edge") << 0.5 << 127 - 32 << 127 << 0.5;
    QTest::newRow("half way to the near edge") << 0.5 << 127 + 96 << 127 << 0.5;
    QTest::newRow("on the circle above the focal point") << 0.5 << 127 + 64 << int(127 - std::lround(128 * std::sqrt(0.75)))
                                                         << 1.0;
    QTest::newRow("outside") << 0.5 << 0 << 0 << 1.0;
    QTest::newRow("negative focal point") << -0.5 << 127 - 64 << 127 << 0.0;
    // On the edge: the ray from (1, 0) through the centre meets the circle at (-1, 0).
    QTest::newRow("edge: at the focal point") << 1.0 << 127 + 128 << 127 << 0.0;
    QTest::newRow("edge: the centre") << 1.0 << 127 << 127 << 0.5;
    QTest::newRow("edge: far side") << 1.0 << 127 - 128 << 127 << 1.0;
    QTest::newRow("edge: beyond the tangent") << 1.0 << 127 + 200 << 127 + 3 << 1.0;
    QTest::newRow("edge: along the tangent") << 1.0 << 127 + 128 << 127 - 100 << 1.0;
    QTest::newRow("past the edge counts as on it") << 1.5 << 127 << 127 << 0.5;
    QTest::newRow("nearly on the edge: the centre") << 0.999 << 127 << 127 << 0.999 / 1.999;
}

void TestPaints::focalGradient()
{
    QFETCH(double, focal);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, position);
    Matrix m = square(256);
    m.tx = m.ty = 127.5;
    Gradient g = gradient({ { 0, kBlack }, { 255, kWhite } });
    g.focal = focal;
    auto p = paint(fill(FillStyle::Kind::Focal, g), m);
    COMPARE_PIXEL(at(*p, x, y), blend(kBlack, kWhite, position), 2);
}

void TestPaints::degenerateGradient_data()
{
    QTest::addColumn<FillStyle>("style");
    QTest::addColumn<Matrix>("toDevice");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<Pixel>>("expected");

    const auto linear = FillStyle::Kind::Linear;
    const auto radial = FillStyle::Kind::Radial;
    const auto bw = gradient({ { 0, kBlack }, { 255, kWhite } });
    const QList<QPoint> row { { -1000, 5 }, { 0, 5 }, { 128, 5 }, { 255, 5 }, { 5000, 5 } };
    auto all = [&](Pixel p) { return QList<Pixel>(row.size(), p); };

    // The format requires at least one stop; the player fills a gradient without any with black.
    QTest::newRow("no stops") << fill(linear, gradient({})) << square(256) << row << all(premultiply(kBlack));
    QTest::newRow("one stop") << fill(linear, gradient({ { 90, kRed } })) << square(256) << row << all(premultiply(kRed));
    QTest::newRow("one stop, radial") << fill(radial, gradient({ { 255, kGreen } })) << square(256) << row
                                      << all(premultiply(kGreen));
    // Stops take entries in file order; the second stop at 255 finds none left.
    QTest::newRow("duplicated stop at the end")
        << fill(linear, gradient({ { 0, kBlack }, { 255, kRed }, { 255, kBlue } })) << square(256)
        << QList<QPoint> { { 255, 0 }, { 900, 0 } } << QList<Pixel> { premultiply(kRed), premultiply(kRed) };
    // The same colour twice at the end changes nothing.
    QTest::newRow("repeated last stop") << fill(linear, gradient({ { 0, kBlack }, { 255, kWhite }, { 255, kWhite } }))
                                        << square(256) << QList<QPoint> { { 128, 0 }, { 900, 0 } }
                                        << QList<Pixel> { blend(kBlack, kWhite, 128.5 / 256), premultiply(kWhite) };
    // The gradient's y axis squashed flat: a linear gradient still runs along x.
    QTest::newRow("linear squashed to a line") << fill(linear, bw) << Matrix { 256.0 / 32768, 0, 0, 0, 128, 128 } << row
                                               << QList<Pixel> { premultiply(kBlack), blend(kBlack, kWhite, 0.5 / 256),
                                                                 blend(kBlack, kWhite, 128.5 / 256),
                                                                 blend(kBlack, kWhite, 255.5 / 256), premultiply(kWhite) };
    // Its x axis squashed: every pixel is infinitely far out, at the end.
    QTest::newRow("linear squashed across") << fill(linear, bw) << Matrix { 0, 0, 0, 256.0 / 32768, 128, 128 } << row
                                            << all(premultiply(kWhite));
    QTest::newRow("linear squashed to a point") << fill(linear, bw) << Matrix { 0, 0, 0, 0, 128, 128 } << row
                                                << all(premultiply(kWhite));
    QTest::newRow("radial squashed to a line") << fill(radial, bw) << Matrix { 256.0 / 32768, 0, 0, 0, 128, 128 } << row
                                               << all(premultiply(kWhite));
    QTest::newRow("radial thinner than any pixel") << fill(radial, bw) << Matrix { 1e-300, 0, 0, 1e-300, 128, 128 }
                                                   << row << all(premultiply(kWhite));
    QTest::newRow("focal squashed to a point") << fill(FillStyle::Kind::Focal, bw) << Matrix { 0, 0, 0, 0, 0, 0 } << row
                                               << all(premultiply(kWhite));
    QTest::newRow("not a number") << fill(linear, bw) << Matrix { NAN, 0, 0, 1, 0, 0 } << row << all(premultiply(kWhite));
}

void TestPaints::degenerateGradient()
{
    QFETCH(FillStyle, style);
    QFETCH(Matrix, toDevice);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<Pixel>, expected);
    auto p = paint(style, toDevice);
    for (qsizetype i = 0; i < points.size(); ++i)
        COMPARE_PIXEL(at(*p, points[i].x(), points[i].y()), expected[i], 2);
}

// The transform applies to each stop's straight colour before the blend.
void TestPaints::gradientColourTransform_data()
{
    QTest::addColumn<Gradient>("g");
    QTest::addColumn<ColorTransform>("cx");
    QTest::addColumn<int>("x");
    QTest::addColumn<Rgba>("expected");
    QTest::addColumn<bool>("opaque");

    const ColorTransform alphaAdd { 256, 256, 256, 256, 0, 0, 0, 255 };
    // A transparent stop made visible by its alpha add term alone.
    QTest::newRow("alpha add, transparent stop") << gradient({ { 0, { 255, 0, 0, 0 } }, { 255, { 255, 0, 0, 0 } } })
                                                 << alphaAdd << 10 << kRed << true;
    QTest::newRow("alpha add, half way") << gradient({ { 0, { 255, 0, 0, 0 } }, { 255, { 0, 0, 255, 0 } } }) << alphaAdd
                                         << 128 << Rgba { 127, 0, 128, 255 } << true;
    QTest::newRow("add terms on colour") << gradient({ { 0, kBlack }, { 255, kBlack } }) << ColorTransform { 256, 256, 256, 256, 40, 0, -5, 0 }
                                         << 200 << Rgba { 40, 0, 0, 255 } << true;
    // Blends of premultiplied colours: fading to transparent keeps the hue.
    QTest::newRow("fade to transparent") << gradient({ { 0, kRed }, { 255, { 0, 0, 255, 0 } } }) << ColorTransform {} << 128
                                         << Rgba { 255, 0, 0, 127 } << false;
    // Linear RGB blends in linear light after the transform: red forced to 255,
    // and half way black to white is sRGB's 0.5, 188.
    QTest::newRow("linear RGB midpoint") << gradient({ { 0, kBlack }, { 255, kWhite } }, Gradient::Spread::Pad, true)
                                         << ColorTransform {} << 128 << Rgba { 188, 188, 188, 255 } << true;
    QTest::newRow("linear RGB under a transform")
        << gradient({ { 0, kBlack }, { 255, kWhite } }, Gradient::Spread::Pad, true) << ColorTransform { 0, 256, 256, 256, 255, 0, 0, 0 }
        << 128 << Rgba { 255, 188, 188, 255 } << true;
    QTest::newRow("linear RGB, reflected") << gradient({ { 0, kBlack }, { 255, kWhite } }, Gradient::Spread::Reflect, true)
                                           << ColorTransform {} << 256 + 127 << Rgba { 188, 188, 188, 255 } << true;
}

void TestPaints::gradientColourTransform()
{
    QFETCH(Gradient, g);
    QFETCH(ColorTransform, cx);
    QFETCH(int, x);
    QFETCH(Rgba, expected);
    QFETCH(bool, opaque);
    auto p = paint(fill(FillStyle::Kind::Linear, g), square(256), cx);
    COMPARE_PIXEL(at(*p, x, 0), premultiply(expected), 2);
    QCOMPARE(p->opaque(), opaque);
}

// Pixel x's centre is at texel coordinate (x + 1) / 8: x = 7 falls between
// the centres of texels 0 and 1, x = 3 on texel 0's centre.
void TestPaints::bitmapSampling_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("smooth");
    QTest::addColumn<bool>("smoothing");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<Pixel>("expected");

    const Pixel red = premultiply(kRed), green = premultiply(kGreen), blue = premultiply(kBlue), white = premultiply(kWhite);
    QTest::newRow("nearest, texel 0") << false << false << true << QPoint(3, 3) << red;
    QTest::newRow("nearest, texel 1") << false << false << true << QPoint(7, 3) << green;
    QTest::newRow("nearest, below") << false << false << true << QPoint(3, 11) << blue;
    QTest::newRow("smooth, texel centre") << false << true << true << QPoint(3, 3) << red;
    QTest::newRow("smooth, between two") << false << true << true << QPoint(7, 3) << blend(kRed, kGreen, 0.5);
    QTest::newRow("smooth, between four") << false << true << true << QPoint(7, 7) << premultiply({ 128, 128, 128, 255 });
    QTest::newRow("smoothing off forces nearest") << false << true << false << QPoint(7, 3) << green;
    // Past the right edge at texel x 2.5, and before the left at -0.5.
    QTest::newRow("clipped stretches the edge") << false << false << true << QPoint(19, 3) << green;
    QTest::newRow("clipped, before the start") << false << false << true << QPoint(-5, -5) << red;
    QTest::newRow("repeat wraps") << true << false << true << QPoint(19, 3) << red;
    QTest::newRow("repeat, before the start") << true << false << true << QPoint(-5, -5) << white;
    QTest::newRow("repeat, far away") << true << false << true << QPoint(19 + 2000, 11 - 4000) << blue;
    // Texel x 2.0 lies between texel 1 and the next tile's texel 0.
    QTest::newRow("smooth repeat blends across the seam") << true << true << true << QPoint(15, 3) << blend(kGreen, kRed, 0.5);
    QTest::newRow("smooth clipped holds the edge") << false << true << true << QPoint(15, 3) << green;
}

void TestPaints::bitmapSampling()
{
    QFETCH(bool, repeat);
    QFETCH(bool, smooth);
    QFETCH(bool, smoothing);
    QFETCH(QPoint, pixel);
    QFETCH(Pixel, expected);
    Fixture bits;
    auto p = makePaint(bitmapFill(repeat, smooth), kTexelsOfEight, {}, &bits.view, smoothing);
    QVERIFY(p->opaque());
    COMPARE_PIXEL(at(*p, pixel.x(), pixel.y()), expected, 1);
}

// On whole pixels at scale 1 every pixel centre is a texel centre: smoothing
// gives the texels themselves.
void TestPaints::bitmapAtItsOwnSize()
{
    Fixture bits;
    auto p = makePaint(bitmapFill(true, true), { 1, 0, 0, 1, 3, 5 }, {}, &bits.view, true);
    Pixel row[4];
    p->shade(5, 3, 7, row);
    QCOMPARE(std::vector<Pixel>(row, row + 4), (std::vector<Pixel> { bits.pixels[0], bits.pixels[1], bits.pixels[0], bits.pixels[1] }));
    p->shade(6, 2, 6, row);
    QCOMPARE(std::vector<Pixel>(row, row + 4), (std::vector<Pixel> { bits.pixels[3], bits.pixels[2], bits.pixels[3], bits.pixels[2] }));
}

void TestPaints::bitmapColourTransform()
{
    // Half-transparent red, and a fully transparent texel whose colour is lost to premultiplying.
    Pixel pixels[2] = { premultiply({ 255, 0, 0, 128 }), 0 };
    const BitmapView view { pixels, 2, 1, 2 };
    const Matrix scale = kTexelsOfEight;
    const ColorTransform halfRed { 128, 256, 256, 256, 0, 0, 0, 0 };
    auto p = makePaint(bitmapFill(false, false), scale, halfRed, &view, true);
    COMPARE_PIXEL(at(*p, 3, 0), premultiply({ 127, 0, 0, 128 }), 1);
    QVERIFY(!p->opaque());

    // Add terms reach every texel, the transparent one too.
    const ColorTransform show { 256, 256, 256, 256, 0, 0, 200, 255 };
    p = makePaint(bitmapFill(false, true), scale, show, &view, true);
    COMPARE_PIXEL(at(*p, 11, 0), premultiply({ 0, 0, 200, 255 }), 1);
    COMPARE_PIXEL(at(*p, 3, 0), premultiply({ 255, 0, 200, 255 }), 1);
    // Blended after the transform: half way, both texels are opaque already.
    COMPARE_PIXEL(at(*p, 7, 0), premultiply({ 128, 0, 200, 255 }), 1);

    // An opaque bitmap stays opaque unless the transform takes alpha away.
    Fixture bits;
    QVERIFY(makePaint(bitmapFill(true, true), scale, halfRed, &bits.view, true)->opaque());
    QVERIFY(!makePaint(bitmapFill(true, true), scale, { 256, 256, 256, 128, 0, 0, 0, 0 }, &bits.view, true)->opaque());
}

// Nothing drawn, and no crash, when there is no picture to sample.
void TestPaints::bitmapWithoutPicture_data()
{
    QTest::addColumn<bool>("missing");
    QTest::addColumn<Matrix>("toDevice");

    QTest::newRow("missing bitmap") << true << kTexelsOfEight;
    QTest::newRow("squashed to a line") << false << Matrix { 10, 0, 0, 0, 0, 0 };
    QTest::newRow("squashed to a point") << false << Matrix { 0, 0, 0, 0, 5, 5 };
    QTest::newRow("thinner than any pixel") << false << Matrix { 1e-300, 0, 0, 1e-300, 0, 0 };
    QTest::newRow("not a number") << false << Matrix { NAN, 0, 0, 10, 0, 0 };
}

void TestPaints::bitmapWithoutPicture()
{
    QFETCH(bool, missing);
    QFETCH(Matrix, toDevice);
    Fixture bits;
    for (bool repeat : { false, true }) {
        auto p = makePaint(bitmapFill(repeat, true), toDevice, { 256, 256, 256, 256, 0, 0, 0, 255 },
                           missing ? nullptr : &bits.view, true);
        QVERIFY(p->uniform());
        QCOMPARE(p->colour(), Pixel(0));
        std::vector<Pixel> row(64, 0xdeadbeef);
        p->shade(3, -32, 32, row.data());
        QVERIFY(std::all_of(row.begin(), row.end(), [](Pixel px) { return px == 0; }));
    }
}

// A row shaded in one call, stepping from its start, equals the same pixels
// shaded one by one; rows long enough to restart their stepping included.
void TestPaints::rowMatchesPixels_data()
{
    QTest::addColumn<FillStyle>("style");
    QTest::addColumn<Matrix>("toDevice");
    QTest::addColumn<int>("length");

    const Matrix turned { 0.01, 0.004, -0.006, 0.012, 37.25, -11.5 };
    const auto g = gradient({ { 0, kRed }, { 128, { 0, 255, 0, 128 } }, { 255, kBlue } }, Gradient::Spread::Reflect);
    QTest::newRow("linear") << fill(FillStyle::Kind::Linear, g) << turned << 1000;
    QTest::newRow("linear, long row") << fill(FillStyle::Kind::Linear, g) << turned << 70000;
    QTest::newRow("radial") << fill(FillStyle::Kind::Radial, g) << turned << 1000;
    Gradient focal = g;
    focal.focal = -0.75;
    QTest::newRow("focal") << fill(FillStyle::Kind::Focal, focal) << turned << 1000;
    // Not round numbers: a texel edge falling exactly on a pixel centre may go either way.
    const Matrix texels { 3.31, 1.17, -0.73, 2.93, -15.2, 8.45 };
    QTest::newRow("bitmap, smooth repeat") << bitmapFill(true, true) << texels << 1000;
    QTest::newRow("bitmap, long row") << bitmapFill(true, false) << texels << 9000;
    QTest::newRow("bitmap, clipped") << bitmapFill(false, true) << texels << 1000;
}

void TestPaints::rowMatchesPixels()
{
    QFETCH(FillStyle, style);
    QFETCH(Matrix, toDevice);
    QFETCH(int, length);
    Fixture bits;
    auto p = makePaint(style, toDevice, { 200, 256, 300, 256, 5, 0, -7, 0 }, &bits.view, true);
    const int x0 = -length / 3, y = 41;
    std::vector<Pixel> row(static_cast<size_t>(length));
    p->shade(y, x0, x0 + length, row.data());
    for (int i = 0; i < length; ++i)
        if (!near(row[size_t(i)], at(*p, x0 + i, y), 4)) // one ramp entry's step at most
            QFAIL(qPrintable(QStringLiteral("pixel %1: %2 in the row, %3 alone")
                                 .arg(x0 + i)
                                 .arg(describe(row[size_t(i)]), describe(at(*p, x0 + i, y)))));
}

// Not a check: pixels per microsecond over a 1000-pixel row, for the record.
void TestPaints::shadeThroughput_data()
{
    QTest::addColumn<FillStyle>("style");
    QTest::addColumn<bool>("smoothing");
    QTest::addColumn<ColorTransform>("cx");

    const auto g = gradient({ { 0, kRed }, { 128, kGreen }, { 255, kBlue } });
    FillStyle solid;
    solid.color = kRed;
    QTest::newRow("solid") << solid << true << ColorTransform {};
    QTest::newRow("linear") << fill(FillStyle::Kind::Linear, g) << true << ColorTransform {};
    QTest::newRow("radial") << fill(FillStyle::Kind::Radial, g) << true << ColorTransform {};
    Gradient focal = g;
    focal.focal = 0.6;
    QTest::newRow("focal") << fill(FillStyle::Kind::Focal, focal) << true << ColorTransform {};
    QTest::newRow("bitmap nearest") << bitmapFill(true, false) << true << ColorTransform {};
    QTest::newRow("bitmap bilinear") << bitmapFill(true, true) << true << ColorTransform {};
    QTest::newRow("bitmap bilinear, transformed") << bitmapFill(true, true) << true << ColorTransform { 200, 256, 256, 256, 10, 0, 0, 0 };
    QTest::newRow("bitmap nearest, clipped") << bitmapFill(false, false) << true << ColorTransform {};
    QTest::newRow("bitmap nearest, transformed") << bitmapFill(true, false) << true << ColorTransform { 200, 256, 256, 256, 10, 0, 0, 0 };
}

void TestPaints::shadeThroughput()
{
    QFETCH(FillStyle, style);
    QFETCH(bool, smoothing);
    QFETCH(ColorTransform, cx);
    std::vector<Pixel> texels(256 * 256);
    for (size_t i = 0; i < texels.size(); ++i)
        texels[i] = 0xff000000u | uint32_t(i * 2654435761u >> 8);
    const BitmapView view { texels.data(), 256, 256, 256, true };
    const Matrix toDevice { 0.9, 0.2, -0.2, 0.9, 10, 20 };
    const Matrix toDeviceGradient { 0.03, 0.006, -0.006, 0.03, 400, 300 };
    auto p = makePaint(style, style.kind == FillStyle::Kind::Bitmap ? toDevice : toDeviceGradient, cx, &view, smoothing);
    std::vector<Pixel> row(1000);
    int y = 0;
    QBENCHMARK {
        p->shade(y++ & 511, 0, 1000, row.data());
    }
}

QTEST_GUILESS_MAIN(TestPaints)
#include "tst_paints.moc"
