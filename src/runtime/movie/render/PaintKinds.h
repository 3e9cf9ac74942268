#pragma once

// The paint kinds behind makePaint, one source file each, and the colour
// ramp that every gradient kind samples.

#include <array>

#include "runtime/movie/render/Paint.h"

namespace yelvanis::swf::render {

// A gradient's colours at ratios 0..255, its colour transform applied, premultiplied.
using Ramp = std::array<Pixel, 256>;
Ramp buildRamp(const Gradient& gradient, const ColorTransform& cx);

std::unique_ptr<Paint> makeSolidPaint(Pixel colour);
std::unique_ptr<Paint> makeGradientPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx);
std::unique_ptr<Paint> makeBitmapPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx,
                                       const BitmapView* bitmap, bool smoothing);

} // namespace yelvanis::swf::render
