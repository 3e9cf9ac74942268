#include "runtime/movie/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf {

namespace {

uint64_t pointKey(Point p)
{
    auto q = [](double v) { return uint64_t(uint32_t(int32_t(std::llround(v * 4)))); };
    return (q(p.x) << 32) | q(p.y);
}

struct Edge {
    Segment seg;
    bool used = false;
};

// Chains a fill's edges end to start into contours. The edges are sorted by
// where they start, once: O(n log n). Each point keeps a cursor into its run
// of that order which only moves forward past used edges, so however many
// edges meet at one point, each is passed over once: every lookup costs a
// binary search, O(log n), and the whole join O(n log n).
std::vector<Contour> joinEdges(std::vector<Edge>& edges)
{
    const size_t n = edges.size();
    std::vector<std::pair<uint64_t, size_t>> byStart(n);
    for (size_t i = 0; i < n; ++i)
        byStart[i] = { pointKey(edges[i].seg.from), i };
    // Among edges that start at one point, the earlier one in the file comes first.
    std::sort(byStart.begin(), byStart.end());
    std::vector<size_t> cursor(n);
    for (size_t i = 0; i < n; ++i)
        cursor[i] = i; // read only at the first position of each point's run
    auto nextFrom = [&](uint64_t key) -> size_t {
        auto run = std::lower_bound(byStart.begin(), byStart.end(), std::pair<uint64_t, size_t>(key, 0));
        if (run == byStart.end() || run->first != key)
            return SIZE_MAX;
        size_t& pos = cursor[size_t(run - byStart.begin())];
        while (pos < n && byStart[pos].first == key && edges[byStart[pos].second].used)
            ++pos;
        return pos < n && byStart[pos].first == key ? byStart[pos].second : SIZE_MAX;
    };
    std::vector<Contour> contours;
    for (size_t i = 0; i < n; ++i) {
        if (edges[i].used)
            continue;
        Contour c;
        const uint64_t startKey = pointKey(edges[i].seg.from);
        size_t cur = i;
        while (true) {
            edges[cur].used = true;
            c.push_back(edges[cur].seg);
            const uint64_t endKey = pointKey(edges[cur].seg.to);
            if (endKey == startKey)
                break;
            const size_t next = nextFrom(endKey);
            if (next == SIZE_MAX)
                break; // left open; the painter closes it
            cur = next;
        }
        contours.push_back(std::move(c));
    }
    return contours;
}

Segment reversed(const Segment& s)
{
    return { s.to, s.control, s.from, s.curve };
}

class Builder {
public:
    ShapeGeometry result;

    void run(const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines, const std::vector<ShapeRecord>& records)
    {
        startLayer(fills, lines);
        Point pen;
        uint32_t fill0 = 0, fill1 = 0, line = 0;
        for (const ShapeRecord& r : records) {
            if (r.kind == ShapeRecord::Kind::Style) {
                if (r.newStyles) {
                    finishLayer();
                    startLayer(r.newStyles->fills, r.newStyles->lines);
                    fill0 = fill1 = line = 0;
                }
                if (r.hasFill0)
                    fill0 = r.fill0;
                if (r.hasFill1)
                    fill1 = r.fill1;
                if (r.hasLine) {
                    line = r.line;
                    m_strokeBreak = true;
                }
                if (r.hasMove) {
                    pen = r.to;
                    m_strokeBreak = true;
                }
                continue;
            }
            Segment seg { pen, r.control, r.to, r.kind == ShapeRecord::Kind::Curve };
            pen = r.to;
            // Edges with the same fill on both sides cancel out.
            if (fill0 != fill1) {
                if (fill1 && fill1 <= m_fillEdges.size())
                    m_fillEdges[fill1 - 1].push_back({ seg });
                if (fill0 && fill0 <= m_fillEdges.size())
                    m_fillEdges[fill0 - 1].push_back({ reversed(seg) });
            }
            if (line && line <= m_lines.size())
                addStroke(line - 1, seg);
        }
        finishLayer();
    }

private:
    void startLayer(const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines)
    {
        m_fills = fills;
        m_lines = lines;
        m_fillEdges.assign(fills.size(), {});
        m_strokes.clear();
        m_strokeBreak = true;
    }

    void addStroke(uint32_t style, const Segment& seg)
    {
        if (m_strokeBreak || m_strokes.empty() || m_strokes.back().first != style
            || pointKey(m_strokes.back().second.back().to) != pointKey(seg.from)) {
            m_strokes.push_back({ style, Contour {} });
        }
        m_strokeBreak = false;
        m_strokes.back().second.push_back(seg);
    }

    void finishLayer()
    {
        ShapeLayer layer;
        for (size_t i = 0; i < m_fillEdges.size(); ++i) {
            if (m_fillEdges[i].empty())
                continue;
            FillPath f;
            f.style = m_fills[i];
            f.contours = joinEdges(m_fillEdges[i]);
            layer.fills.push_back(std::move(f));
        }
        for (auto& [style, part] : m_strokes) {
            if (!layer.strokes.empty() && layer.strokes.back().style.width == m_lines[style].width
                && m_lastStroke == style) {
                layer.strokes.back().parts.push_back(std::move(part));
                continue;
            }
            StrokePath s;
            s.style = m_lines[style];
            s.parts.push_back(std::move(part));
            layer.strokes.push_back(std::move(s));
            m_lastStroke = style;
        }
        if (!layer.fills.empty() || !layer.strokes.empty())
            result.layers.push_back(std::move(layer));
        m_fillEdges.clear();
        m_strokes.clear();
        m_lastStroke = UINT32_MAX;
    }

    std::vector<FillStyle> m_fills;
    std::vector<LineStyle> m_lines;
    std::vector<std::vector<Edge>> m_fillEdges;
    std::vector<std::pair<uint32_t, Contour>> m_strokes;
    bool m_strokeBreak = true;
    uint32_t m_lastStroke = UINT32_MAX;
};

double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

uint8_t lerp8(uint8_t a, uint8_t b, double t)
{
    return uint8_t(std::clamp(std::lround(lerp(a, b, t)), 0L, 255L));
}

Rgba lerpColor(Rgba a, Rgba b, double t)
{
    return { lerp8(a.r, b.r, t), lerp8(a.g, b.g, t), lerp8(a.b, b.b, t), lerp8(a.a, b.a, t) };
}

Matrix lerpMatrix(const Matrix& a, const Matrix& b, double t)
{
    return { lerp(a.a, b.a, t), lerp(a.b, b.b, t), lerp(a.c, b.c, t), lerp(a.d, b.d, t), lerp(a.tx, b.tx, t), lerp(a.ty, b.ty, t) };
}

FillStyle lerpFill(const FillStyle& a, const FillStyle& b, double t)
{
    FillStyle f = a;
    f.color = lerpColor(a.color, b.color, t);
    f.matrix = lerpMatrix(a.matrix, b.matrix, t);
    f.gradient.focal = lerp(a.gradient.focal, b.gradient.focal, t);
    for (size_t i = 0; i < f.gradient.stops.size() && i < b.gradient.stops.size(); ++i) {
        f.gradient.stops[i].ratio = lerp8(a.gradient.stops[i].ratio, b.gradient.stops[i].ratio, t);
        f.gradient.stops[i].color = lerpColor(a.gradient.stops[i].color, b.gradient.stops[i].color, t);
    }
    return f;
}

Point lerpPoint(Point a, Point b, double t)
{
    return { lerp(a.x, b.x, t), lerp(a.y, b.y, t) };
}

} // namespace

ShapeGeometry buildGeometry(const std::vector<FillStyle>& fills, const std::vector<LineStyle>& lines,
                            const std::vector<ShapeRecord>& records, bool windingRule)
{
    Builder b;
    b.run(fills, lines, records);
    b.result.windingRule = windingRule;
    return std::move(b.result);
}

ShapeGeometry buildGeometry(const Shape& shape)
{
    return buildGeometry(shape.fills, shape.lines, shape.records, shape.windingRule);
}

ShapeGeometry buildGlyphGeometry(const std::vector<ShapeRecord>& records)
{
    static const std::vector<FillStyle> one(1);
    return buildGeometry(one, {}, records, false);
}

Shape interpolateMorph(const MorphShape& m, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    Shape s;
    s.bounds = { int32_t(lerp(m.startBounds.xMin, m.endBounds.xMin, t)), int32_t(lerp(m.startBounds.xMax, m.endBounds.xMax, t)),
                 int32_t(lerp(m.startBounds.yMin, m.endBounds.yMin, t)), int32_t(lerp(m.startBounds.yMax, m.endBounds.yMax, t)) };
    for (size_t i = 0; i < m.startFills.size(); ++i)
        s.fills.push_back(i < m.endFills.size() ? lerpFill(m.startFills[i], m.endFills[i], t) : m.startFills[i]);
    for (size_t i = 0; i < m.startLines.size(); ++i) {
        LineStyle l = m.startLines[i];
        if (i < m.endLines.size()) {
            const LineStyle& e = m.endLines[i];
            l.width = uint16_t(std::lround(lerp(l.width, e.width, t)));
            l.color = lerpColor(l.color, e.color, t);
            if (l.fill && e.fill)
                l.fill = lerpFill(*l.fill, *e.fill, t);
        }
        s.lines.push_back(l);
    }
    // The end edges pair one to one with the start edges; their own style
    // records only move the pen.
    size_t j = 0;
    const auto& end = m.endRecords;
    Point endPen;
    Point startPen;
    for (const ShapeRecord& r : m.startRecords) {
        ShapeRecord out = r;
        if (r.kind == ShapeRecord::Kind::Style) {
            if (j < end.size() && end[j].kind == ShapeRecord::Kind::Style) {
                if (end[j].hasMove)
                    endPen = end[j].to;
                ++j;
            }
            if (r.hasMove)
                startPen = r.to;
            out.to = lerpPoint(startPen, endPen, t);
            s.records.push_back(out);
            continue;
        }
        while (j < end.size() && end[j].kind == ShapeRecord::Kind::Style) {
            if (end[j].hasMove)
                endPen = end[j].to;
            ++j;
        }
        Point startFrom = startPen;
        startPen = r.to;
        if (j >= end.size()) {
            out.to = lerpPoint(r.to, r.to, t);
            out.control = r.control;
            s.records.push_back(out);
            continue;
        }
        const ShapeRecord& e = end[j++];
        Point endFrom = endPen;
        endPen = e.to;
        Point startControl = r.kind == ShapeRecord::Kind::Curve ? r.control : lerpPoint(startFrom, r.to, 0.5);
        Point endControl = e.kind == ShapeRecord::Kind::Curve ? e.control : lerpPoint(endFrom, e.to, 0.5);
        bool curve = r.kind == ShapeRecord::Kind::Curve || e.kind == ShapeRecord::Kind::Curve;
        out.kind = curve ? ShapeRecord::Kind::Curve : ShapeRecord::Kind::Line;
        out.control = lerpPoint(startControl, endControl, t);
        out.to = lerpPoint(r.to, e.to, t);
        s.records.push_back(out);
    }
    return s;
}

} // namespace yelvanis::swf
