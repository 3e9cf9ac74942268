#include "runtime/movie/AliasedPaint.h"

#include <algorithm>
#include <cmath>

#include "runtime/movie/PixelRaster.h"

namespace yelvanis {

using namespace swf;

namespace {

Point map(const QTransform& t, double x, double y)
{
    return { t.m11() * x + t.m21() * y + t.dx(), t.m12() * x + t.m22() * y + t.dy() };
}

// The most a unit length can grow under t.
double maxScale(const QTransform& t)
{
    double a = t.m11(), b = t.m12(), c = t.m21(), d = t.m22();
    double s = a * a + b * b + c * c + d * d;
    double det = a * d - b * c;
    return std::sqrt(std::max(0.0, (s + std::sqrt(std::max(0.0, s * s - 4 * det * det))) / 2));
}

void flattenCubic(Point p0, Point c1, Point c2, Point p3, double tolerance, Polygon& out)
{
    // Elevated quadratics (all our own curves) keep their exact flattening.
    Point q { p0.x + 1.5 * (c1.x - p0.x), p0.y + 1.5 * (c1.y - p0.y) };
    Point q2 { p3.x + 1.5 * (c2.x - p3.x), p3.y + 1.5 * (c2.y - p3.y) };
    double size = std::abs(p3.x - p0.x) + std::abs(p3.y - p0.y) + std::abs(c1.x - p0.x) + std::abs(c1.y - p0.y) + 1;
    if (std::abs(q.x - q2.x) + std::abs(q.y - q2.y) <= 1e-9 * size) {
        flattenQuad(p0, q, p3, tolerance, out);
        return;
    }
    // Uniform steps: the error is at most an eighth of the second derivative's bound over n^2.
    double m = std::max(std::hypot(p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y),
                        std::hypot(c1.x - 2 * c2.x + p3.x, c1.y - 2 * c2.y + p3.y));
    double count = std::ceil(std::sqrt(6 * m / (8 * tolerance)));
    int n = std::isfinite(count) ? int(std::clamp(count, 1.0, 4096.0)) : 1;
    for (int i = 1; i <= n; ++i) {
        double t = double(i) / n, s = 1 - t;
        out.push_back({ s * s * s * p0.x + 3 * s * s * t * c1.x + 3 * s * t * t * c2.x + t * t * t * p3.x,
                        s * s * s * p0.y + 3 * s * s * t * c1.y + 3 * s * t * t * c2.y + t * t * t * p3.y });
    }
}

// True when the points all lie beyond one side of `area`: a curve they
// control can be cut short to its chord without changing a pixel inside.
bool beyond(const QRectF& area, std::initializer_list<Point> points)
{
    if (area.isNull())
        return false;
    bool left = true, right = true, above = true, below = true;
    for (const Point& p : points) {
        left = left && p.x < area.left();
        right = right && p.x > area.right();
        above = above && p.y < area.top();
        below = below && p.y > area.bottom();
    }
    return left || right || above || below;
}

// Each subpath as a flattened polyline in the space `t` maps to. Curves
// wholly outside `area` (when given) become straight lines.
std::vector<Polygon> flatten(const QPainterPath& path, const QTransform& t, double tolerance, const QRectF& area = {})
{
    std::vector<Polygon> out;
    const int n = path.elementCount();
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        Point p = map(t, e.x, e.y);
        if (e.type == QPainterPath::MoveToElement || out.empty()) {
            out.push_back({ p });
        } else if (e.type == QPainterPath::LineToElement) {
            out.back().push_back(p);
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < n) {
            const QPainterPath::Element& c2 = path.elementAt(i + 1);
            const QPainterPath::Element& end = path.elementAt(i + 2);
            Point from = out.back().back(), control2 = map(t, c2.x, c2.y), to = map(t, end.x, end.y);
            if (beyond(area, { from, p, control2, to }))
                out.back().push_back(to);
            else
                flattenCubic(from, p, control2, to, tolerance, out.back());
            i += 2;
        }
    }
    return out;
}

QRegion toRegion(const std::vector<Span>& spans)
{
    // Rows with the same spans as the row above grow its rectangles instead.
    QList<QRect> rects;
    rects.reserve(qsizetype(spans.size()));
    size_t prevStart = 0, prevEnd = 0;
    for (size_t i = 0; i < spans.size();) {
        size_t j = i;
        while (j < spans.size() && spans[j].y == spans[i].y)
            ++j;
        bool same = prevEnd > prevStart && j - i == prevEnd - prevStart && spans[prevStart].y + 1 == spans[i].y
            && rects.back().bottom() + 1 == spans[i].y;
        for (size_t k = 0; same && k < j - i; ++k)
            same = spans[prevStart + k].x0 == spans[i + k].x0 && spans[prevStart + k].x1 == spans[i + k].x1;
        if (same) {
            for (size_t k = 0; k < j - i; ++k)
                rects[rects.size() - qsizetype(j - i) + qsizetype(k)].setBottom(spans[i].y);
        } else {
            for (size_t k = i; k < j; ++k)
                rects.append(QRect(spans[k].x0, spans[k].y, spans[k].x1 - spans[k].x0, 1));
        }
        prevStart = i;
        prevEnd = j;
        i = j;
    }
    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), int(rects.size()));
    return region;
}

PixelBox box(const QRect& r)
{
    return { r.left(), r.top(), r.left() + r.width(), r.top() + r.height() };
}

StrokeStyle::Cap cap(LineStyle::Cap c)
{
    return c == LineStyle::Cap::None ? StrokeStyle::Cap::None : c == LineStyle::Cap::Square ? StrokeStyle::Cap::Square : StrokeStyle::Cap::Round;
}

} // namespace

QRegion aliasedFill(const QPainterPath& path, const QTransform& t, const QRect& bounds)
{
    if (path.isEmpty() || bounds.isEmpty())
        return {};
    std::vector<Polygon> polygons = flatten(path, t, kFlatness, QRectF(bounds));
    return toRegion(fillSpans(polygons, path.fillRule() == Qt::WindingFill, box(bounds)));
}

QRegion aliasedStroke(const QPainterPath& path, const QPen& pen, const LineStyle& style, const QTransform& t, const QRect& bounds)
{
    if (path.isEmpty() || bounds.isEmpty())
        return {};
    // Outlines are built where the width is measured, then mapped to pixels.
    const bool device = pen.isCosmetic();
    const double scale = device ? 1.0 : maxScale(t);
    if (!(scale > 0) || !std::isfinite(scale))
        return {};
    const double tolerance = kFlatness / scale;
    StrokeStyle s;
    s.halfWidth = pen.widthF() / 2;
    s.startCap = cap(style.startCap);
    s.endCap = cap(style.endCap);
    s.join = style.join == LineStyle::Join::Bevel ? StrokeStyle::Join::Bevel
        : style.join == LineStyle::Join::Miter    ? StrokeStyle::Join::Miter
                                                  : StrokeStyle::Join::Round;
    s.miterLimit = style.miterLimit;
    std::vector<Polygon> pieces;
    const double reach = s.halfWidth * std::max(1.0, 2 * s.miterLimit) + 1;
    const QRectF area = device ? QRectF(bounds).adjusted(-reach, -reach, reach, reach) : QRectF();
    for (const Polygon& line : flatten(path, device ? t : QTransform(), tolerance, area)) {
        bool closed = line.size() > 2 && line.front() == line.back() && !style.noClose;
        strokeOutline(line, closed, s, tolerance, pieces);
    }
    if (!device)
        for (Polygon& piece : pieces)
            for (Point& p : piece)
                p = map(t, p.x, p.y);
    return toRegion(fillSpans(pieces, true, box(bounds)));
}

} // namespace yelvanis
