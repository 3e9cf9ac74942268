#pragma once

// Device-space outlines of a shape's fills and strokes: the polygons the
// rasterizer fills. Curves are flattened to within kFlatness of a device
// pixel; a curve wholly beyond one side of the drawn area becomes its chord,
// which changes no pixel inside. No Qt here.

#include <vector>

#include "runtime/movie/PixelRaster.h"
#include "runtime/movie/ShapeGeometry.h"

namespace yelvanis::swf::render {

Point map(const Matrix& m, Point p);
// The most a unit length can grow under m.
double maxScale(const Matrix& m);

// A fill's contours under `m`, each closed. O(s + f) for s segments and f
// points the flattening adds (at most 4096 a curve).
void fillOutline(const std::vector<Contour>& contours, const Matrix& m, const PixelBox& area, std::vector<Polygon>& out);

// The same with every curve flattened: an outline kept to be moved about.
void fillOutline(const std::vector<Contour>& contours, const Matrix& m, std::vector<Polygon>& out);

// How wide a stroke is drawn, in device pixels: one width all round the
// transformed outline, at least a pixel.
double strokeWidth(const LineStyle& style, const Matrix& m, double stageScale);

// A stroke's outline as convex pieces wound alike; fill them with the
// non-zero rule. O(p) in the flattened points.
void strokeOutline(const StrokePath& stroke, const Matrix& m, double stageScale, const PixelBox& area, std::vector<Polygon>& out);
void strokeOutline(const StrokePath& stroke, const Matrix& m, double stageScale, std::vector<Polygon>& out);

// A polyline's outline with the style's caps and joins, `halfWidth` and
// points in one space; `closed` joins the last point to the first.
void strokePolyline(const Polygon& line, bool closed, const LineStyle& style, double halfWidth, double tolerance,
                    std::vector<Polygon>& out);

} // namespace yelvanis::swf::render
