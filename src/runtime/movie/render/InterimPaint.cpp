// Paints drawn with QPainter one row at a time, until our own paints land.

#include "runtime/movie/render/Paint.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace yelvanis::swf::render {

namespace {

Pixel premultiplied(Rgba c)
{
    return qPremultiply(qRgba(c.r, c.g, c.b, c.a));
}

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

QGradientStops gradientStops(const Gradient& g, const ColorTransform& cx)
{
    QGradientStops stops;
    if (g.stops.empty()) {
        stops.append({ 0, Qt::transparent });
        return stops;
    }
    std::vector<Rgba> colors;
    for (const GradientStop& s : g.stops)
        colors.push_back(cx.apply(s.color));
    auto mix = [&](Rgba a, Rgba b, double t) {
        auto ch = [&](uint8_t x, uint8_t y) {
            return g.linearRgb ? fromLinear(toLinear(x) * (1 - t) + toLinear(y) * t) : x + (double(y) - x) * t;
        };
        return QColor(int(std::lround(ch(a.r, b.r))), int(std::lround(ch(a.g, b.g))), int(std::lround(ch(a.b, b.b))),
                      int(std::lround(a.a + (double(b.a) - a.a) * t)));
    };
    const size_t n = g.stops.size();
    for (int p = 0; p < 256; ++p) {
        size_t k = 0;
        while (k < n && g.stops[k].ratio < p)
            ++k;
        QColor c;
        if (k == 0)
            c = mix(colors[0], colors[0], 0);
        else if (k == n)
            c = mix(colors[n - 1], colors[n - 1], 0);
        else {
            double r0 = g.stops[k - 1].ratio, r1 = g.stops[k].ratio;
            double t = r1 > r0 ? std::clamp((p - r0) / (r1 - r0), 0.0, 1.0) : 1.0;
            c = mix(colors[k - 1], colors[k], t);
        }
        stops.append({ (p + 0.5) / 256.0, c });
    }
    return stops;
}

class SolidPaint : public Paint {
public:
    explicit SolidPaint(Pixel c)
        : m_colour(c)
    {
    }
    void shade(int, int x0, int x1, Pixel* out) const override { std::fill(out, out + (x1 - x0), m_colour); }
    bool opaque() const override { return (m_colour >> 24) == 255; }
    bool uniform() const override { return true; }
    Pixel colour() const override { return m_colour; }

private:
    Pixel m_colour;
};

class BrushPaint : public Paint {
public:
    BrushPaint(QBrush brush, QImage image, bool smooth, const ColorTransform& cx)
        : m_brush(std::move(brush))
        , m_image(std::move(image))
        , m_smooth(smooth)
        , m_cx(cx)
    {
    }
    void shade(int y, int x0, int x1, Pixel* out) const override
    {
        QImage row(reinterpret_cast<uchar*>(out), x1 - x0, 1, (x1 - x0) * 4, QImage::Format_ARGB32_Premultiplied);
        row.fill(Qt::transparent);
        QPainter p(&row);
        p.setRenderHint(QPainter::SmoothPixmapTransform, m_smooth);
        const QTransform shift = QTransform::fromTranslate(-x0, -y);
        if (!m_image.isNull()) {
            p.setTransform(m_brush.transform() * shift);
            p.drawImage(QPointF(0, 0), m_image);
        } else {
            QBrush b = m_brush;
            b.setTransform(b.transform() * shift);
            p.fillRect(row.rect(), b);
        }
        p.end();
        if (m_image.isNull() && m_brush.style() != Qt::TexturePattern)
            return;
        if (m_cx.isIdentity())
            return;
        for (int i = 0; i < x1 - x0; ++i) {
            QRgb px = qUnpremultiply(out[i]);
            out[i] = premultiplied(m_cx.apply({ uint8_t(qRed(px)), uint8_t(qGreen(px)), uint8_t(qBlue(px)), uint8_t(qAlpha(px)) }));
        }
    }

private:
    QBrush m_brush;
    QImage m_image; // a clipped bitmap, drawn once
    bool m_smooth;
    ColorTransform m_cx;
};

} // namespace

std::unique_ptr<Paint> makePaint(const FillStyle& style, const Matrix& m, const ColorTransform& cx, const BitmapView* bitmap,
                                 bool smoothing)
{
    const QTransform t(m.a, m.b, m.c, m.d, m.tx, m.ty);
    auto spread = [&](QGradient& g) {
        g.setSpread(style.gradient.spread == Gradient::Spread::Reflect ? QGradient::ReflectSpread
                    : style.gradient.spread == Gradient::Spread::Repeat ? QGradient::RepeatSpread : QGradient::PadSpread);
    };
    switch (style.kind) {
    case FillStyle::Kind::Solid: return std::make_unique<SolidPaint>(premultiplied(cx.apply(style.color)));
    case FillStyle::Kind::Linear: {
        QLinearGradient g(-16384, 0, 16384, 0);
        g.setStops(gradientStops(style.gradient, cx));
        spread(g);
        QBrush b(g);
        b.setTransform(t);
        return std::make_unique<BrushPaint>(b, QImage(), true, cx);
    }
    case FillStyle::Kind::Radial:
    case FillStyle::Kind::Focal: {
        double focal = style.kind == FillStyle::Kind::Focal ? style.gradient.focal * 16384 : 0;
        QRadialGradient g(QPointF(0, 0), 16384, QPointF(focal, 0));
        g.setStops(gradientStops(style.gradient, cx));
        spread(g);
        QBrush b(g);
        b.setTransform(t);
        return std::make_unique<BrushPaint>(b, QImage(), true, cx);
    }
    case FillStyle::Kind::Bitmap: {
        if (!bitmap || !bitmap->pixels)
            return std::make_unique<SolidPaint>(0);
        QImage img(reinterpret_cast<const uchar*>(bitmap->pixels), bitmap->width, bitmap->height, bitmap->stride * 4,
                   QImage::Format_ARGB32_Premultiplied);
        const bool smooth = smoothing && style.smooth;
        if (!style.repeat) {
            QBrush b;
            b.setTransform(t);
            return std::make_unique<BrushPaint>(b, img, smooth, cx);
        }
        QBrush b(img);
        b.setTransform(t);
        return std::make_unique<BrushPaint>(b, QImage(), smooth, cx);
    }
    }
    return std::make_unique<SolidPaint>(0);
}

} // namespace yelvanis::swf::render
