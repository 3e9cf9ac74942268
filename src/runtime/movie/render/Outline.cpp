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

namespace {

void fillContours(const std::vector<Contour>& contours, const Matrix& m, const PixelBox* area, std::vector<Polygon>& out)
{
    for (const Contour& c : contours) {
        if (c.empty())
            continue;
        Polygon p;
        p.reserve(c.size() + 1);
        flatten(c, m, kFlatness, area, 0, p);
        out.push_back(std::move(p));
    }
}

void strokeContours(const StrokePath& stroke, const Matrix& m, double stageScale, const PixelBox* area, std::vector<Polygon>& out)
{
    const double hw = strokeWidth(stroke.style, m, stageScale) / 2;
    const double margin = hw * std::max(1.0, 2 * stroke.style.miterLimit) + 1;
    Polygon line;
    for (const Contour& c : stroke.parts) {
        if (c.empty())
            continue;
        line.clear();
        flatten(c, m, kFlatness, area, margin, line);
        const bool closed = line.size() > 2 && line.front() == line.back() && !stroke.style.noClose;
        strokePolyline(line, closed, stroke.style, hw, kFlatness, out);
    }
}

} // namespace

void fillOutline(const std::vector<Contour>& contours, const Matrix& m, const PixelBox& area, std::vector<Polygon>& out)
{
    fillContours(contours, m, &area, out);
}

void fillOutline(const std::vector<Contour>& contours, const Matrix& m, std::vector<Polygon>& out)
{
    fillContours(contours, m, nullptr, out);
}

double strokeWidth(const LineStyle& l, const Matrix& m, double stageScale)
{
    // The transformed outline is stroked with one width all round: the
    // written width times the object's scale (the mean of its axes'), or
    // along the one axis still counted under a no-scale flag, or the stage's
    // scale under both. Thinner than a pixel, it is one pixel.
    const double width = l.width;
    const double xs = std::hypot(m.a, m.b), ys = std::hypot(m.c, m.d);
    double scale = std::sqrt(std::abs(m.a * m.d - m.b * m.c));
    if (l.noHScale || l.noVScale)
        scale = l.noHScale && l.noVScale ? stageScale : l.noHScale ? ys : xs;
    const double device = width * scale;
    return std::isfinite(device) ? std::max(1.0, device) : 1.0;
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
    strokeContours(stroke, m, stageScale, &area, out);
}

void strokeOutline(const StrokePath& stroke, const Matrix& m, double stageScale, std::vector<Polygon>& out)
{
    strokeContours(stroke, m, stageScale, nullptr, out);
}

} // namespace yelvanis::swf::render
