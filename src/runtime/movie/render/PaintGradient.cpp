#include <algorithm>
#include <cmath>

#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

namespace {

using Spread = Gradient::Spread;

// Positions along the ramp in fixed point: kOne is ratio 255's end of the
// square (or the circle's edge), 0 its start.
constexpr int kShift = 24;
constexpr int64_t kOne = int64_t(1) << kShift;
// Positions are held within 2^26 gradient widths of the square, which no
// device pixel comes near unless the gradient is far finer than a pixel, so
// that a row of steps from there cannot overflow.
constexpr double kFar = double(int64_t(1) << 26);

int64_t toFixed(double position)
{
    return int64_t(std::clamp(position, -kFar, kFar) * double(kOne));
}

// Ramp entry e owns the 256th of the way centred on e / 256: the player's
// renderings of a gradient exactly 256 pixels long show entry e in the pixel
// whose far edge lies at e / 256, and pixel centres fall half way.
template <Spread S>
inline size_t rampIndex(int64_t f)
{
    if constexpr (S == Spread::Pad) {
        f = std::clamp<int64_t>(f, 0, kOne);
    } else if constexpr (S == Spread::Repeat) {
        f &= kOne - 1;
    } else {
        f &= 2 * kOne - 1;
        if (f > kOne)
            f = 2 * kOne - f;
    }
    return size_t(std::min<int64_t>(255, (f + (kOne >> 9)) >> (kShift - 8)));
}

// Device pixel to gradient space, scaled so that the square's half width
// (16384) is 1.
struct Inverse {
    double a = 0, b = 0, c = 0, d = 0, tx = 0, ty = 0;
};

// Thinner than 1e-12 of a pixel counts as squashed flat: beyond that the
// products in shade() could overflow to infinities and NaN.
bool bounded(double v)
{
    return std::abs(v) < 1e12;
}

bool invert(const Matrix& m, Inverse& out)
{
    const double det = m.a * m.d - m.b * m.c;
    if (!std::isfinite(det) || det == 0)
        return false;
    const double s = 1.0 / (det * 16384);
    out = { m.d * s, -m.b * s, -m.c * s, m.a * s, (m.c * m.ty - m.d * m.tx) * s, (m.b * m.tx - m.a * m.ty) * s };
    return bounded(out.a) && bounded(out.b) && bounded(out.c) && bounded(out.d) && bounded(out.tx) && bounded(out.ty);
}

class GradientPaint final : public Paint {
public:
    enum class Shape : uint8_t { Linear, Radial, Focal };

    GradientPaint(const Ramp& ramp, Shape shape, Spread spread, const Inverse& inv, double focal)
        : m_ramp(ramp), m_inv(inv), m_focal(focal), m_shape(shape), m_spread(spread)
    {
        m_opaque = std::all_of(ramp.begin(), ramp.end(), [](Pixel p) { return (p >> 24) == 255; });
    }

    void shade(int y, int x0, int x1, Pixel* out) const override
    {
        switch (m_spread) {
        case Spread::Pad: return shadeSpread<Spread::Pad>(y, x0, x1, out);
        case Spread::Reflect: return shadeSpread<Spread::Reflect>(y, x0, x1, out);
        case Spread::Repeat: return shadeSpread<Spread::Repeat>(y, x0, x1, out);
        }
    }
    bool opaque() const override { return m_opaque; }

private:
    template <Spread S>
    void shadeSpread(int y, int x0, int x1, Pixel* out) const
    {
        switch (m_shape) {
        case Shape::Linear: return shadeLinear<S>(y, x0, x1, out);
        case Shape::Radial: return shadeRadial<S>(y, x0, x1, out);
        case Shape::Focal: return shadeFocal<S>(y, x0, x1, out);
        }
    }

    // Linear: the position is the gradient x, -1..1 mapped to 0..1, stepped
    // in fixed point. Long rows start again every 64K pixels so the sum of
    // steps stays far from overflowing.
    template <Spread S>
    void shadeLinear(int y, int x0, int x1, Pixel* out) const
    {
        const double step = m_inv.a * 0.5;
        const int64_t df = toFixed(std::clamp(step, -kFar / 65536, kFar / 65536));
        for (int start = x0; start < x1; start += 65536) {
            const int end = std::min(x1, start + 65536);
            int64_t f = toFixed((m_inv.a * (start + 0.5) + m_inv.c * (y + 0.5) + m_inv.tx) * 0.5 + 0.5);
            for (int x = start; x < end; ++x, f += df)
                *out++ = m_ramp[rampIndex<S>(f)];
        }
    }

    // Radial: the distance from the centre, the circle's radius being 1.
    template <Spread S>
    void shadeRadial(int y, int x0, int x1, Pixel* out) const
    {
        double gx = m_inv.a * (x0 + 0.5) + m_inv.c * (y + 0.5) + m_inv.tx;
        double gy = m_inv.b * (x0 + 0.5) + m_inv.d * (y + 0.5) + m_inv.ty;
        for (int x = x0; x < x1; ++x, gx += m_inv.a, gy += m_inv.b)
            *out++ = m_ramp[rampIndex<S>(toFixed(std::sqrt(gx * gx + gy * gy)))];
    }

    // Focal: 0 at the focal point F = (f, 0), 1 on the circle, along the ray
    // from F through the pixel. With V = P - F, a = F.V and k = 1 - f^2 the
    // position is |V|^2 / (sqrt(a^2 + k|V|^2) - a), written for a > 0 as
    // (a + sqrt(a^2 + k|V|^2)) / k so that neither form cancels. With the
    // focal point on the edge (k = 0) the pixels beyond the tangent there are
    // on no such ray: they take the end of the ramp, as points infinitely
    // far out would.
    template <Spread S>
    void shadeFocal(int y, int x0, int x1, Pixel* out) const
    {
        const double f = m_focal, k = 1 - f * f;
        double vx = m_inv.a * (x0 + 0.5) + m_inv.c * (y + 0.5) + m_inv.tx - f;
        double vy = m_inv.b * (x0 + 0.5) + m_inv.d * (y + 0.5) + m_inv.ty;
        for (int x = x0; x < x1; ++x, vx += m_inv.a, vy += m_inv.b) {
            const double a = f * vx, v = vx * vx + vy * vy;
            const double root = std::sqrt(a * a + k * v);
            double p;
            if (a <= 0)
                p = v > 0 ? v / (root - a) : 0;
            else
                p = k > 0 ? (a + root) / k : kFar;
            *out++ = m_ramp[p < kFar ? rampIndex<S>(toFixed(p)) : 255];
        }
    }

    Ramp m_ramp;
    Inverse m_inv;
    double m_focal;
    Shape m_shape;
    Spread m_spread;
    bool m_opaque = false;
};

} // namespace

std::unique_ptr<Paint> makeGradientPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx)
{
    const Ramp ramp = buildRamp(style.gradient, cx);
    if (std::all_of(ramp.begin(), ramp.end(), [&](Pixel p) { return p == ramp.front(); }))
        return makeSolidPaint(ramp.front());
    const auto shape = style.kind == FillStyle::Kind::Linear  ? GradientPaint::Shape::Linear
                       : style.kind == FillStyle::Kind::Focal ? GradientPaint::Shape::Focal
                                                              : GradientPaint::Shape::Radial;
    Inverse inv;
    if (!invert(toDevice, inv)) {
        // Squashed to a line or a point: the format does not say. A linear
        // gradient whose x axis survives still has a direction, and its
        // colour is taken from the distance along that axis, in stripes
        // square to it. Otherwise every pixel is infinitely far out in
        // gradient space and shows the ramp's end, whatever the spread.
        const double len2 = toDevice.a * toDevice.a + toDevice.b * toDevice.b;
        if (shape != GradientPaint::Shape::Linear || !(len2 > 0) || !std::isfinite(len2)
            || !std::isfinite(toDevice.tx) || !std::isfinite(toDevice.ty))
            return makeSolidPaint(ramp.back());
        const double s = 1.0 / (len2 * 16384);
        inv = { toDevice.a * s, 0, toDevice.b * s, 0, -(toDevice.a * toDevice.tx + toDevice.b * toDevice.ty) * s, 0 };
        if (!bounded(inv.a) || !bounded(inv.c) || !bounded(inv.tx))
            return makeSolidPaint(ramp.back());
    }
    // The format gives the focal point as -1..1; a file may hold up to +-128.
    const double focal = std::isfinite(style.gradient.focal) ? std::clamp(style.gradient.focal, -1.0, 1.0) : 0.0;
    return std::make_unique<GradientPaint>(ramp, shape, style.gradient.spread, inv, focal);
}

} // namespace yelvanis::swf::render
