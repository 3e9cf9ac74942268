#pragma once

// Fills ready to be sampled in device pixels. Everything that depends only on
// the fill and its colour transform (a gradient's colour table, the channel
// tables of a bitmap's colour transform) is worked out once in makePaint, so
// shade(), the inner loop of drawing, only steps along a row. A paint does
// not change once made, so threads may shade from one paint at once; a
// bitmap paint reads the caller's pixels, which must outlive it. No Qt here.

#include <cstdint>
#include <memory>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf::render {

// Premultiplied 0xAARRGGBB, as QImage::Format_ARGB32_Premultiplied holds it.
using Pixel = uint32_t;

struct BitmapView {
    const Pixel* pixels = nullptr;
    int width = 0, height = 0;
    int stride = 0; // pixels per row
    bool opaque = false; // every pixel has alpha 255, when the owner knows it
};

// A fill ready to be sampled in device pixels, its colour transform applied.
class Paint {
public:
    virtual ~Paint() = default;
    // Colours of pixels [x0, x1) of row y, sampled at pixel centres, into out[0 .. x1 - x0).
    virtual void shade(int y, int x0, int x1, Pixel* out) const = 0;
    virtual bool opaque() const { return false; }  // every pixel it gives has alpha 255
    virtual bool uniform() const { return false; } // one colour everywhere: colour() is it
    virtual Pixel colour() const { return 0; }
};

// `toDevice` maps the fill's own space (the gradient square -16384..16384, or the bitmap's
// pixels) to device pixels: the object's transform to device pixels times style.matrix.
// `bitmap` is the decoded bitmap of a bitmap fill (null when missing). `smoothing` false
// forces nearest sampling (the low render quality) even for a smoothed bitmap fill.
std::unique_ptr<Paint> makePaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx,
                                 const BitmapView* bitmap, bool smoothing);

// A straight colour as a premultiplied pixel, each channel rounded.
Pixel premultiply(Rgba c);

} // namespace yelvanis::swf::render
