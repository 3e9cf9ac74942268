#include "runtime/movie/render/Paint.h"

#include <algorithm>

#include "runtime/movie/render/PaintKinds.h"

namespace yelvanis::swf::render {

namespace {

class SolidPaint final : public Paint {
public:
    explicit SolidPaint(Pixel colour) : m_colour(colour) {}
    void shade(int, int x0, int x1, Pixel* out) const override
    {
        if (x1 > x0)
            std::fill(out, out + (x1 - x0), m_colour);
    }
    bool opaque() const override { return (m_colour >> 24) == 255; }
    bool uniform() const override { return true; }
    Pixel colour() const override { return m_colour; }

private:
    Pixel m_colour;
};

} // namespace

Pixel premultiply(Rgba c)
{
    auto mul = [a = uint32_t(c.a)](uint32_t v) { return (v * a + 127) / 255; };
    return (uint32_t(c.a) << 24) | (mul(c.r) << 16) | (mul(c.g) << 8) | mul(c.b);
}

std::unique_ptr<Paint> makeSolidPaint(Pixel colour)
{
    return std::make_unique<SolidPaint>(colour);
}

std::unique_ptr<Paint> makePaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx,
                                 const BitmapView* bitmap, bool smoothing)
{
    switch (style.kind) {
    case FillStyle::Kind::Solid: return makeSolidPaint(premultiply(cx.apply(style.color)));
    case FillStyle::Kind::Linear:
    case FillStyle::Kind::Radial:
    case FillStyle::Kind::Focal: return makeGradientPaint(style, toDevice, cx);
    case FillStyle::Kind::Bitmap: return makeBitmapPaint(style, toDevice, cx, bitmap, smoothing);
    }
    return makeSolidPaint(0);
}

} // namespace yelvanis::swf::render
