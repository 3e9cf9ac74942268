#pragma once

// Aliased rasterization: a pixel is inside a shape when its centre is.
// Curves are flattened to within a tenth of a pixel, vertices snap to a
// 1/256 pixel grid, and every span comes from exact integer arithmetic on
// that grid, so a picture does not depend on the painter's own rasterizer.
// Strokes become outlines (one convex piece per segment, join and cap)
// filled with the non-zero rule. No Qt here.

#include <cstdint>
#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

// How far a flattened curve may stray from the true one, in pixels.
constexpr double kFlatness = 0.1;

using Polygon = std::vector<Point>;

// Appends the points after `from` of a quadratic Bézier flattened to within
// `tolerance`; the last point appended is `to`.
void flattenQuad(Point from, Point control, Point to, double tolerance, Polygon& out);

struct StrokeStyle {
    enum class Cap : uint8_t { Round, None, Square };
    enum class Join : uint8_t { Round, Bevel, Miter };
    double halfWidth = 0.5;
    Cap startCap = Cap::Round, endCap = Cap::Round;
    Join join = Join::Round;
    double miterLimit = 3; // how far a miter may reach from its corner, in widths
};

// The outline of a stroke along `line` (already flattened), as convex
// pieces all wound the same way; fill them with the non-zero rule.
// `tolerance` bounds the error of round joins and caps.
void strokeOutline(const Polygon& line, bool closed, const StrokeStyle& style, double tolerance, std::vector<Polygon>& out);

// Half-open rows [y, y + 1) and columns [x0, x1).
struct Span {
    int32_t y, x0, x1;
};

struct PixelBox {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0; // half-open
};

// The pixels of `box` whose centres lie inside the closed polygons, row by
// row, left to right. A centre exactly on a left or top edge is inside, on
// a right or bottom edge outside, so shapes that share an edge never share
// a pixel nor leave a gap.
// O(e log e + c log c) for e edges crossing c row centres in the box.
std::vector<Span> fillSpans(const std::vector<Polygon>& polygons, bool nonZero, const PixelBox& box);

} // namespace yelvanis::swf
