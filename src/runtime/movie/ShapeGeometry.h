#pragma once

// Turns a shape's edge list into drawable paths. Each edge names the fill on
// its left (fill 0) and on its right (fill 1); gathering every fill's edges,
// turned so that the fill lies on one side, and chaining them end to start
// gives closed, consistently wound contours per fill. No Qt here.

#include <vector>

#include "runtime/movie/SwfTypes.h"

namespace yelvanis::swf {

struct Segment {
    Point from, control, to;
    bool curve = false;
};

// A run of joined segments; fills close it, strokes leave it open.
using Contour = std::vector<Segment>;

struct FillPath {
    FillStyle style;
    std::vector<Contour> contours;
};

struct StrokePath {
    LineStyle style;
    std::vector<Contour> parts;
};

// Styles replaced inside a shape start a new layer, drawn above the earlier ones.
struct ShapeLayer {
    std::vector<FillPath> fills;
    std::vector<StrokePath> strokes;
};

struct ShapeGeometry {
    std::vector<ShapeLayer> layers;
    bool windingRule = false;
};

ShapeGeometry buildGeometry(const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines,
                            const std::vector<ShapeRecord>& records, bool windingRule = false);
ShapeGeometry buildGeometry(const Shape& shape);
// Glyph outlines fill with a single implicit style.
ShapeGeometry buildGlyphGeometry(const std::vector<ShapeRecord>& records);

// The shape a morph shows at ratio 0..1.
Shape interpolateMorph(const MorphShape& morph, double ratio);

} // namespace yelvanis::swf
