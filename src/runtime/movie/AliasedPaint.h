#pragma once

// Aliased drawing on whole device pixels: the pixels a path's fill or a
// pen's stroke covers, found by sampling pixel centres (PixelRaster), as
// regions a painter can clip to. The same outline gives the same pixels
// whatever the painter's own rasterizer would do with it.

#include <QPainterPath>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis {

// The pixels inside `bounds` that `path`, mapped by `t`, fills with its own fill rule.
QRegion aliasedFill(const QPainterPath& path, const QTransform& t, const QRect& bounds);

// The pixels `pen` covers along `path` mapped by `t`. A cosmetic pen's width
// is in device pixels, any other in path units. A subpath that ends where it
// starts is closed (joined, no caps) unless `noClose`.
QRegion aliasedStroke(const QPainterPath& path, const QPen& pen, const swf::LineStyle& style, const QTransform& t,
                      const QRect& bounds);

} // namespace yelvanis
