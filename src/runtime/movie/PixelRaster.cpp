#include "runtime/movie/PixelRaster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace yelvanis::swf {
namespace {

Point at(Point p0, Point p1, Point p2, double t)
{
    double s = 1 - t;
    return { s * s * p0.x + 2 * s * t * p1.x + t * t * p2.x, s * s * p0.y + 2 * s * t * p1.y + t * t * p2.y };
}

// Closed forms close to the integral of (1 + 4x^2)^(-1/4) and its inverse,
// which tell how densely a parabola needs points for a given error.
double approxIntegral(double x)
{
    const double d = 0.67;
    return x / (1 - d + std::sqrt(std::sqrt(d * d * d * d + 0.25 * x * x)));
}

double approxInverseIntegral(double x)
{
    const double b = 0.39;
    return x * (1 - b + std::sqrt(b * b + 0.25 * x * x));
}

double cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}

double dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}

Point sub(Point a, Point b)
{
    return { a.x - b.x, a.y - b.y };
}

Point add(Point a, Point b)
{
    return { a.x + b.x, a.y + b.y };
}

Point mul(Point a, double s)
{
    return { a.x * s, a.y * s };
}

double signedArea(const Polygon& p)
{
    double a = 0;
    for (size_t i = 0, n = p.size(); i < n; ++i)
        a += cross(p[i], p[(i + 1) % n]);
    return a;
}

void addPiece(Polygon piece, std::vector<Polygon>& out)
{
    if (piece.size() < 3)
        return;
    double a = signedArea(piece);
    if (a == 0 || !std::isfinite(a))
        return;
    if (a < 0)
        std::reverse(piece.begin(), piece.end());
    out.push_back(std::move(piece));
}

// A circle of the stroke's half width as chords that stay within the
// tolerance, worked out once per stroke for its round joins and caps.
struct Round {
    double step = 0; // angle per chord
    double cosStep = 1, sinStep = 0;
    std::vector<Point> circle; // around the origin

    Round(double r, double tolerance)
    {
        int n = 8;
        if (r > tolerance)
            n = std::clamp(int(std::ceil(std::numbers::pi / std::acos(1 - tolerance / r))), 8, 256);
        step = 2 * std::numbers::pi / n;
        cosStep = std::cos(step);
        sinStep = std::sin(step);
        circle.reserve(size_t(n));
        Point p { r, 0 };
        for (int i = 0; i < n; ++i) {
            circle.push_back(p);
            p = { p.x * cosStep - p.y * sinStep, p.x * sinStep + p.y * cosStep };
        }
    }
};

void addDisc(Point c, const Round& round, std::vector<Polygon>& out)
{
    Polygon p;
    p.reserve(round.circle.size());
    for (const Point& q : round.circle)
        p.push_back(add(c, q));
    addPiece(std::move(p), out);
}

// The outer corner where segments with directions u1 then u2 meet at v.
void addJoin(Point v, Point u1, Point u2, const StrokeStyle& s, const Round& round, std::vector<Polygon>& out)
{
    double hw = s.halfWidth;
    double turn = cross(u1, u2), straight = dot(u1, u2);
    if (std::abs(turn) <= 1e-12) {
        if (straight < 0 && s.join == StrokeStyle::Join::Round)
            addDisc(v, round, out); // turning right back
        return; // straight on, the segments already meet; or a spike that stays flat
    }
    // Left normals; the outer side is the one the path turns away from.
    Point n1 { -u1.y, u1.x }, n2 { -u2.y, u2.x };
    double side = turn > 0 ? -1 : 1;
    Point a = mul(n1, side * hw), b = mul(n2, side * hw);
    if (s.join == StrokeStyle::Join::Round) {
        // A wedge of the circle between the two sides' ends.
        Polygon p { v, add(v, a) };
        if (straight < round.cosStep) {
            double angle = std::atan2(std::abs(turn), straight);
            int chords = int(std::ceil(angle / round.step));
            double c = std::cos(angle / chords), sn = std::sin(angle / chords) * (turn > 0 ? 1 : -1);
            Point r = a;
            for (int i = 1; i < chords; ++i) {
                r = { r.x * c - r.y * sn, r.x * sn + r.y * c };
                p.push_back(add(v, r));
            }
        }
        p.push_back(add(v, b));
        addPiece(std::move(p), out);
        return;
    }
    if (s.join == StrokeStyle::Join::Miter) {
        double c = dot(n1, n2);
        if (1 + c > 1e-9) {
            // The offset edges meet this far out, in half widths.
            double reach = std::sqrt(2 / (1 + c));
            if (reach <= 2 * s.miterLimit) {
                Point tip = mul(add(n1, n2), side * hw / (1 + c));
                addPiece({ v, add(v, a), add(v, tip), add(v, b) }, out);
                return;
            }
        }
    }
    addPiece({ v, add(v, a), add(v, b) }, out);
}

// ceil(n / d) for d > 0; division truncates towards zero.
int64_t ceilDiv(__int128 n, __int128 d)
{
    __int128 q = n / d;
    if (n % d != 0 && n > 0)
        ++q;
    return int64_t(q);
}

struct Edge {
    int64_t x0, y0, x1, y1;
    int dir;
    int64_t firstRow = 0, endRow = 0; // the rows whose centres it spans
    // Its crossing with the current row, q + r / den grid steps, and the
    // same per row.
    int64_t q = 0, r = 0, den = 1, stepQ = 0, stepR = 0;
};

constexpr int64_t kSub = 256; // grid steps per pixel
constexpr double kLimit = double(int64_t(1) << 22); // pixels, either way

int64_t snap(double v)
{
    if (!std::isfinite(v))
        v = 0;
    return std::llround(std::clamp(v, -kLimit, kLimit) * kSub);
}

// How far the quadratic a, q, b strays from the segment a-b.
double strayFromChord(Point a, Point q, Point b)
{
    Point chord = sub(b, a), toControl = sub(q, a);
    double length2 = dot(chord, chord);
    if (length2 == 0)
        return std::hypot(toControl.x, toControl.y) / 2;
    double stray = std::abs(cross(chord, toControl)) / (2 * std::sqrt(length2));
    double along = dot(toControl, chord);
    if (along < 0 || along > length2) {
        // It runs on past an end before it turns back.
        double t = along / (2 * along - length2);
        Point m = at(a, q, b, t);
        double u = std::clamp(dot(sub(m, a), chord) / length2, 0.0, 1.0);
        stray = std::max(stray, std::hypot(m.x - a.x - u * chord.x, m.y - a.y - u * chord.y));
    }
    return stray;
}

} // namespace

void flattenQuad(Point p0, Point p1, Point p2, double tolerance, Polygon& out)
{
    tolerance = std::max(tolerance, 1e-6);
    Point chord = sub(p2, p0);
    double chordLength = std::hypot(chord.x, chord.y);
    Point dd { 2 * p1.x - p0.x - p2.x, 2 * p1.y - p0.y - p2.y };
    double c = cross(chord, dd); // twice the control's offset times the chord
    double ddLength = std::hypot(dd.x, dd.y);
    if (std::abs(c) <= 1e-9 * (chordLength * ddLength + 1e-12)) {
        // Straight, though it may double back before it ends.
        double dd2 = dot(dd, dd);
        if (dd2 > 0) {
            double t = dot(sub(p1, p0), dd) / dd2; // where the direction turns
            if (t > 0 && t < 1)
                out.push_back(at(p0, p1, p2, t));
        }
        out.push_back(p2);
        return;
    }
    // Nearly straight with the control between the ends: one line strays
    // from the curve by half the control's offset at most.
    double along = dot(sub(p1, p0), chord);
    if (along >= 0 && along <= chordLength * chordLength && std::abs(c) / (4 * chordLength) <= tolerance) {
        out.push_back(p2);
        return;
    }
    // Map onto the parabola y = x^2 and space the points evenly in the
    // measure that makes each chord's error the same.
    double u0 = dot(sub(p1, p0), dd), u2 = dot(sub(p2, p1), dd);
    double x0 = u0 / c, x2 = u2 / c;
    double scale = std::abs(c) / (ddLength * std::abs(x2 - x0));
    double a0 = approxIntegral(x0), a2 = approxIntegral(x2);
    double count = 0.5 * std::abs(a2 - a0) * std::sqrt(scale / tolerance);
    int n = std::isfinite(count) ? int(std::clamp(std::ceil(count), 1.0, 4096.0)) : 1;
    double v0 = approxInverseIntegral(a0), v2 = approxInverseIntegral(a2);
    // That spacing assumes the curve bends slowly along each chord; round a
    // sharp turn it can miss by far, so a chord that strays too far gets
    // even steps of its own, each within the tolerance.
    const double stepError = ddLength / 4; // times the square of a parameter step
    double t0 = 0;
    Point from = p0;
    int extra = 0;
    for (int i = 1; i <= n; ++i) {
        double t1 = i == n ? 1 : (approxInverseIntegral(a0 + (a2 - a0) * i / n) - v0) / (v2 - v0);
        Point to = i == n ? p2 : at(p0, p1, p2, t1);
        double dt = t1 - t0;
        Point q { from.x + dt * ((1 - t0) * (p1.x - p0.x) + t0 * (p2.x - p1.x)), from.y + dt * ((1 - t0) * (p1.y - p0.y) + t0 * (p2.y - p1.y)) };
        if (strayFromChord(from, q, to) > tolerance) {
            // A hostile curve gets a coarse outline rather than millions of points.
            int steps = int(std::clamp(std::ceil(dt * std::sqrt(stepError / tolerance)), 1.0, double(std::max(1, 4096 - extra))));
            extra += steps - 1;
            for (int k = 1; k < steps; ++k)
                out.push_back(at(p0, p1, p2, t0 + dt * k / steps));
        }
        out.push_back(to);
        t0 = t1;
        from = to;
    }
}

void strokeOutline(const Polygon& line, bool closed, const StrokeStyle& s, double tolerance, std::vector<Polygon>& out)
{
    Polygon pts;
    pts.reserve(line.size());
    for (const Point& p : line)
        if (pts.empty() || p.x != pts.back().x || p.y != pts.back().y)
            pts.push_back(p);
    if (closed && pts.size() > 1 && pts.front() == pts.back())
        pts.pop_back();
    const double hw = s.halfWidth;
    if (!(hw > 0) || pts.empty())
        return;
    if (pts.size() == 1) {
        // A dot: only caps with extent show it.
        if (s.startCap == StrokeStyle::Cap::Round)
            addDisc(pts[0], Round(hw, tolerance), out);
        else if (s.startCap == StrokeStyle::Cap::Square)
            addPiece({ { pts[0].x - hw, pts[0].y - hw }, { pts[0].x + hw, pts[0].y - hw }, { pts[0].x + hw, pts[0].y + hw }, { pts[0].x - hw, pts[0].y + hw } }, out);
        return;
    }
    closed = closed && pts.size() > 2;
    const size_t n = pts.size();
    const size_t segments = closed ? n : n - 1;
    auto direction = [&](size_t i) {
        Point d = sub(pts[(i + 1) % n], pts[i]);
        return mul(d, 1 / std::hypot(d.x, d.y));
    };
    for (size_t i = 0; i < segments; ++i) {
        Point a = pts[i], b = pts[(i + 1) % n];
        Point u = direction(i);
        if (!closed && i == 0 && s.startCap == StrokeStyle::Cap::Square)
            a = sub(a, mul(u, hw));
        if (!closed && i + 1 == segments && s.endCap == StrokeStyle::Cap::Square)
            b = add(b, mul(u, hw));
        Point nrm { -u.y * hw, u.x * hw };
        addPiece({ add(a, nrm), add(b, nrm), sub(b, nrm), sub(a, nrm) }, out);
    }
    const Round round(hw, tolerance);
    for (size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i)
        addJoin(pts[i], direction((i + n - 1) % n), direction(i), s, round, out);
    if (!closed) {
        if (s.startCap == StrokeStyle::Cap::Round)
            addDisc(pts.front(), round, out);
        if (s.endCap == StrokeStyle::Cap::Round)
            addDisc(pts.back(), round, out);
    }
}

std::vector<Span> fillSpans(const std::vector<Polygon>& polygons, bool nonZero, const PixelBox& box)
{
    std::vector<Span> spans;
    if (box.x1 <= box.x0 || box.y1 <= box.y0)
        return spans;
    // Edges that cross no row centre inside the box, or lie wholly right of
    // it, change no pixel there.
    const int64_t rightLimit = int64_t(box.x1) * kSub + kSub / 2;
    std::vector<Edge> edges;
    for (const Polygon& poly : polygons) {
        const size_t n = poly.size();
        if (n < 3)
            continue;
        int64_t px = snap(poly[n - 1].x), py = snap(poly[n - 1].y);
        for (const Point& p : poly) {
            int64_t x = snap(p.x), y = snap(p.y);
            if (y != py && std::min(x, px) < rightLimit) {
                Edge e = y > py ? Edge { px, py, x, y, 1 } : Edge { x, y, px, py, -1 };
                e.firstRow = std::max<int64_t>(ceilDiv(__int128(e.y0) - kSub / 2, kSub), box.y0);
                e.endRow = std::min<int64_t>(ceilDiv(__int128(e.y1) - kSub / 2, kSub), box.y1);
                if (e.firstRow < e.endRow)
                    edges.push_back(e);
            }
            px = x;
            py = y;
        }
    }
    if (edges.empty())
        return spans;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.firstRow < b.firstRow; });
    int64_t yEnd = 0;
    for (const Edge& e : edges)
        yEnd = std::max(yEnd, e.endRow);
    std::vector<Edge*> active;
    std::vector<std::pair<int64_t, int>> crossings;
    size_t next = 0;
    for (int64_t y = edges.front().firstRow; y < yEnd; ++y) {
        if (active.empty() && next < edges.size())
            y = std::max(y, edges[next].firstRow); // skip the rows between separate parts
        while (next < edges.size() && edges[next].firstRow <= y) {
            // Where the edge crosses this row's centre, as an exact fraction
            // of the grid, stepped on row by row from here.
            Edge& e = edges[next++];
            const int64_t sy = y * kSub + kSub / 2, dy = e.y1 - e.y0, dx = e.x1 - e.x0;
            e.den = dy * kSub;
            __int128 num = __int128(e.x0) * dy + __int128(sy - e.y0) * dx - __int128(kSub / 2) * dy;
            e.q = int64_t(num / e.den);
            e.r = int64_t(num % e.den);
            if (e.r < 0)
                e.r += e.den, --e.q;
            e.stepQ = (dx * kSub) / e.den;
            e.stepR = (dx * kSub) % e.den;
            if (e.stepR < 0)
                e.stepR += e.den, --e.stepQ;
            active.push_back(&e);
        }
        active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->endRow <= y; }), active.end());
        if (active.empty())
            continue;
        crossings.clear();
        for (Edge* e : active) {
            // The first column whose centre is at or right of the crossing.
            crossings.push_back({ e->q + (e->r > 0), e->dir });
            e->q += e->stepQ;
            e->r += e->stepR;
            if (e->r >= e->den)
                e->r -= e->den, ++e->q;
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        const size_t rowStart = spans.size();
        for (size_t i = 0; i < crossings.size(); ++i) {
            winding = nonZero ? winding + crossings[i].second : winding ^ 1;
            if (winding == 0)
                continue;
            // Past the last crossing kept, the fill runs on out of the box.
            int64_t x0 = std::max<int64_t>(crossings[i].first, box.x0);
            int64_t x1 = i + 1 < crossings.size() ? std::min<int64_t>(crossings[i + 1].first, box.x1) : box.x1;
            if (x0 >= x1)
                continue;
            if (spans.size() > rowStart && spans.back().x1 >= x0)
                spans.back().x1 = std::max<int32_t>(spans.back().x1, int32_t(x1));
            else
                spans.push_back({ int32_t(y), int32_t(x0), int32_t(x1) });
        }
    }
    return spans;
}

} // namespace yelvanis::swf
