#include "runtime/movie/render/Outline.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf::render {

namespace {

// True when the points all lie beyond one side of `area` (grown by `margin`).
bool beyond(const PixelBox& area, double margin, std::initializer_list<Point> points)
{
    bool left = true, right = true, above = true, below = true;
    for (const Point& p : points) {
        left = left && p.x < area.x0 - margin;
        right = right && p.x > area.x1 + margin;
        above = above && p.y < area.y0 - margin;
        below = below && p.y > area.y1 + margin;
    }
    return left || right || above || below;
}

// Each contour as a polyline in the space `m` maps to.
void flatten(const Contour& c, const Matrix& m, double tolerance, const PixelBox* area, double margin, Polygon& out)
{
    out.push_back(map(m, c.front().from));
    for (const Segment& s : c) {
        const Point to = map(m, s.to);
        if (!s.curve) {
            out.push_back(to);
            continue;
        }
        const Point control = map(m, s.control);
        if (area && beyond(*area, margin, { out.back(), control, to }))
            out.push_back(to);
        else
            flattenQuad(out.back(), control, to, tolerance, out);
    }
}

StrokeStyle::Cap cap(LineStyle::Cap c)
{
    return c == LineStyle::Cap::None ? StrokeStyle::Cap::None : c == LineStyle::Cap::Square ? StrokeStyle::Cap::Square : StrokeStyle::Cap::Round;
}

} // namespace

Point map(const Matrix& m, Point p)
{
    return { m.a * p.x + m.c * p.y + m.tx, m.b * p.x + m.d * p.y + m.ty };
}

double maxScale(const Matrix& m)
{
    const double s = m.a * m.a + m.b * m.b + m.c * m.c + m.d * m.d;
    const double det = m.a * m.d - m.b * m.c;
    return std::sqrt(std::max(0.0, (s + std::sqrt(std::max(0.0, s * s - 4 * det * det))) / 2));
}

void fillOutline(const std::vector<Contour>& contours, const Matrix& m, const PixelBox& area, std::vector<Polygon>& out)
{
    for (const Contour& c : contours) {
        if (c.empty())
            continue;
        Polygon p;
        p.reserve(c.size() + 1);
        flatten(c, m, kFlatness, &area, 0, p);
        out.push_back(std::move(p));
    }
}

StrokeWidth strokeWidth(const LineStyle& l, const Matrix& m, double stageScale)
{
    const double width = l.width;
    if (l.noHScale || l.noVScale) {
        // The width ignores the object's scale along the axis it is freed
        // from: fully freed, it follows the stage scale only.
        const double xs = std::hypot(m.a, m.b), ys = std::hypot(m.c, m.d);
        const double scale = l.noHScale && l.noVScale ? stageScale : l.noHScale ? ys : xs;
        return { std::max(1.0, width * scale), true };
    }
    if (width * std::sqrt(std::abs(m.a * m.d - m.b * m.c)) < 1.0)
        return { 1.0, true }; // a hairline: one device pixel
    return { width, false };
}

void strokePolyline(const Polygon& line, bool closed, const LineStyle& style, double halfWidth, double tolerance,
                    std::vector<Polygon>& out)
{
    StrokeStyle s;
    s.halfWidth = halfWidth;
    s.startCap = cap(style.startCap);
    s.endCap = cap(style.endCap);
    s.join = style.join == LineStyle::Join::Bevel ? StrokeStyle::Join::Bevel
        : style.join == LineStyle::Join::Miter    ? StrokeStyle::Join::Miter
                                                  : StrokeStyle::Join::Round;
    s.miterLimit = style.miterLimit;
    swf::strokeOutline(line, closed, s, tolerance, out);
}

void strokeOutline(const StrokePath& stroke, const Matrix& m, double stageScale, const PixelBox& area, std::vector<Polygon>& out)
{
    // The outline is built where the width is measured, then mapped to pixels.
    const StrokeWidth w = strokeWidth(stroke.style, m, stageScale);
    const double scale = w.device ? 1.0 : maxScale(m);
    if (!(scale > 0) || !std::isfinite(scale))
        return;
    const double tolerance = kFlatness / scale;
    const double hw = w.width / 2;
    const double margin = hw * std::max(1.0, 2 * stroke.style.miterLimit) + 1;
    const Matrix identity;
    const size_t first = out.size();
    Polygon line;
    for (const Contour& c : stroke.parts) {
        if (c.empty())
            continue;
        line.clear();
        flatten(c, w.device ? m : identity, tolerance, w.device ? &area : nullptr, margin, line);
        const bool closed = line.size() > 2 && line.front() == line.back() && !stroke.style.noClose;
        strokePolyline(line, closed, stroke.style, hw, tolerance, out);
    }
    if (!w.device)
        for (size_t i = first; i < out.size(); ++i)
            for (Point& p : out[i])
                p = map(m, p);
}

} // namespace yelvanis::swf::render
