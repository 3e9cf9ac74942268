#pragma once

// The paint kinds behind makePaint, one source file each.

#include "runtime/movie/render/Paint.h"

namespace yelvanis::swf::render {

std::unique_ptr<Paint> makeSolidPaint(Pixel colour);
std::unique_ptr<Paint> makeGradientPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx);
std::unique_ptr<Paint> makeBitmapPaint(const FillStyle& style, const Matrix& toDevice, const ColorTransform& cx,
                                       const BitmapView* bitmap, bool smoothing);

} // namespace yelvanis::swf::render
