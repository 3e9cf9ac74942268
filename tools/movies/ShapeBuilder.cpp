#include "ShapeBuilder.h"

#include <cmath>

namespace yelvanis::movies {

using namespace swf;

Rgba rgba(const QColor& c)
{
    return { uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()), uint8_t(c.alpha()) };
}

FillStyle solid(const QColor& c)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Solid;
    f.color = rgba(c);
    return f;
}

namespace {

Gradient gradient(const std::vector<std::pair<double, QColor>>& stops)
{
    Gradient g;
    for (const auto& [at, color] : stops)
        g.stops.push_back({ uint8_t(std::clamp(std::lround(at * 255), 0L, 255L)), rgba(color) });
    return g;
}

} // namespace

FillStyle linearGradient(QPointF from, QPointF to, const std::vector<std::pair<double, QColor>>& stops)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Linear;
    f.gradient = gradient(stops);
    QPointF d = (to - from) * 20.0;
    double length = std::hypot(d.x(), d.y());
    double s = std::max(length, 1.0) / 32768.0;
    double angle = std::atan2(d.y(), d.x());
    QPointF mid = (from + to) * 10.0;
    f.matrix = { s * std::cos(angle), s * std::sin(angle), -s * std::sin(angle), s * std::cos(angle), mid.x(), mid.y() };
    return f;
}

FillStyle radialGradient(QPointF centre, double radius, const std::vector<std::pair<double, QColor>>& stops)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Radial;
    f.gradient = gradient(stops);
    double s = radius * 20.0 / 16384.0;
    f.matrix = { s, 0, 0, s, centre.x() * 20.0, centre.y() * 20.0 };
    return f;
}

FillStyle bitmapFill(uint16_t bitmapId, QPointF topLeft, double scale, bool smooth)
{
    FillStyle f;
    f.kind = FillStyle::Kind::Bitmap;
    f.bitmapId = bitmapId;
    f.repeat = false;
    f.smooth = smooth;
    f.matrix = { 20.0 * scale, 0, 0, 20.0 * scale, topLeft.x() * 20.0, topLeft.y() * 20.0 };
    return f;
}

namespace {

void lineTo(std::vector<ShapeRecord>& out, QPointF from, QPointF to)
{
    // A field holds at most 65535 units of travel: split longer edges.
    double far = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    int parts = int(std::ceil(far / 60000.0));
    for (int i = 1; i <= std::max(parts, 1); ++i) {
        ShapeRecord r;
        r.kind = ShapeRecord::Kind::Line;
        QPointF p = from + (to - from) * (double(i) / std::max(parts, 1));
        r.to = { p.x(), p.y() };
        out.push_back(r);
    }
}

void quadTo(std::vector<ShapeRecord>& out, QPointF control, QPointF to)
{
    ShapeRecord r;
    r.kind = ShapeRecord::Kind::Curve;
    r.control = { control.x(), control.y() };
    r.to = { to.x(), to.y() };
    out.push_back(r);
}

// A cubic as quadratics: the quadratic through the cubic's ends whose
// control point is (3 (c1 + c2) - p0 - p3) / 4 is off by at most
// sqrt(3) / 36 |p3 - 3 c2 + 3 c1 - p0|; halve until that is small.
void cubicTo(std::vector<ShapeRecord>& out, QPointF p0, QPointF c1, QPointF c2, QPointF p3, double tolerance, int depth = 0)
{
    QPointF d = p3 - 3 * c2 + 3 * c1 - p0;
    double error = std::sqrt(3.0) / 36.0 * std::hypot(d.x(), d.y());
    if (error <= tolerance || depth > 10) {
        QPointF control = (3 * (c1 + c2) - p0 - p3) / 4;
        quadTo(out, control, p3);
        return;
    }
    QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + p3) / 2;
    QPointF ab = (a + b) / 2, bc = (b + c) / 2, m = (ab + bc) / 2;
    cubicTo(out, p0, a, ab, m, tolerance, depth + 1);
    cubicTo(out, m, bc, c, p3, tolerance, depth + 1);
}

} // namespace

void appendPathRecords(std::vector<ShapeRecord>& out, const QPainterPath& path, double unit, bool close)
{
    // Half a unit of the target grid is as close as the file can hold anyway.
    const double tolerance = unit >= 20 ? 3.0 : 0.75;
    QPointF start, pen;
    bool open = false;
    auto finish = [&]() {
        if (open && close && pen != start)
            lineTo(out, pen, start);
        open = false;
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        QPointF p(e.x * unit, e.y * unit);
        switch (e.type) {
        case QPainterPath::MoveToElement: {
            finish();
            ShapeRecord r;
            r.kind = ShapeRecord::Kind::Style;
            r.hasMove = true;
            r.to = { p.x(), p.y() };
            out.push_back(r);
            start = pen = p;
            open = true;
            break;
        }
        case QPainterPath::LineToElement:
            if (p != pen)
                lineTo(out, pen, p);
            pen = p;
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element e2 = path.elementAt(i + 1);
            const QPainterPath::Element e3 = path.elementAt(i + 2);
            QPointF c2(e2.x * unit, e2.y * unit), p3(e3.x * unit, e3.y * unit);
            cubicTo(out, pen, p, c2, p3, tolerance);
            pen = p3;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement: break;
        }
    }
    finish();
}

ShapeBuilder::Layer& ShapeBuilder::layerFor(bool isFill)
{
    if (m_layers.empty() || (isFill && !m_layers.back().lines.empty()))
        m_layers.emplace_back();
    return m_layers.back();
}

ShapeBuilder& ShapeBuilder::fill(const QPainterPath& path, const FillStyle& style)
{
    if (path.isEmpty())
        return *this;
    Layer& l = layerFor(true);
    l.fills.push_back(style);
    l.pieces.push_back({ path, uint32_t(l.fills.size()), 0 });
    ++(path.fillRule() == Qt::WindingFill ? m_windingFills : m_evenOddFills);
    m_bounds = m_bounds.isNull() ? path.boundingRect() : m_bounds.united(path.boundingRect());
    return *this;
}

ShapeBuilder& ShapeBuilder::stroke(const QPainterPath& path, const Stroke& s)
{
    if (path.isEmpty())
        return *this;
    Layer& l = layerFor(false);
    LineStyle line;
    line.width = uint16_t(std::clamp(std::lround(s.width * 20), 1L, 65535L));
    line.color = rgba(s.color);
    line.startCap = line.endCap = s.cap;
    line.join = s.join;
    l.lines.push_back(line);
    l.pieces.push_back({ path, 0, uint32_t(l.lines.size()) });
    m_bounds = m_bounds.isNull() ? path.boundingRect() : m_bounds.united(path.boundingRect());
    m_maxStroke = std::max(m_maxStroke, s.width);
    return *this;
}

Shape ShapeBuilder::build() const
{
    Shape shape;
    shape.windingRule = m_windingFills > 0 && m_evenOddFills == 0;
    QRectF b = m_bounds.adjusted(-m_maxStroke, -m_maxStroke, m_maxStroke, m_maxStroke);
    shape.bounds = { int32_t(std::floor(b.left() * 20)), int32_t(std::ceil(b.right() * 20)), int32_t(std::floor(b.top() * 20)),
                     int32_t(std::ceil(b.bottom() * 20)) };
    for (size_t li = 0; li < m_layers.size(); ++li) {
        const Layer& layer = m_layers[li];
        if (li == 0) {
            shape.fills = layer.fills;
            shape.lines = layer.lines;
        } else {
            ShapeRecord r;
            r.kind = ShapeRecord::Kind::Style;
            auto tables = std::make_shared<StyleTables>();
            tables->fills = layer.fills;
            tables->lines = layer.lines;
            r.newStyles = tables;
            shape.records.push_back(r);
        }
        uint32_t fill1 = 0, line = 0;
        bool fresh = true;
        for (const Piece& piece : layer.pieces) {
            std::vector<ShapeRecord> recs;
            appendPathRecords(recs, piece.path, 20.0, piece.fill != 0);
            for (ShapeRecord& r : recs) {
                if (r.kind == ShapeRecord::Kind::Style) {
                    // Each contour names its styles where they change.
                    if (fresh || fill1 != piece.fill) {
                        r.hasFill1 = true;
                        r.fill1 = piece.fill;
                        fill1 = piece.fill;
                    }
                    if (fresh || line != piece.line) {
                        r.hasLine = true;
                        r.line = piece.line;
                        line = piece.line;
                    }
                    if (fresh) {
                        r.hasFill0 = true;
                        r.fill0 = 0;
                    }
                    fresh = false;
                }
                shape.records.push_back(r);
            }
        }
    }
    return shape;
}

} // namespace yelvanis::movies
