#include "runtime/movie/render/Rasterizer.h"

#include <algorithm>
#include <cmath>

namespace yelvanis::swf::render {

namespace {

constexpr int64_t kOne = 256;                       // subpixel steps per pixel
constexpr double kLimit = double(int64_t(1) << 22); // pixels, either way
constexpr int64_t kFull = kOne * kOne * 2;          // a covered pixel's doubled area
// Row crossings past which an outline with more crossings than pixels is
// sampled at pixel centres; no drawn outline comes near it.
constexpr int64_t kDenseCrossings = 100000;

inline int64_t snap(double v)
{
    if (!(std::abs(v) <= kLimit)) // rare: far away, or not a number
        v = std::isfinite(v) ? std::clamp(v, -kLimit, kLimit) : 0;
    // Rounded half away from zero, as llround does, without the call or a
    // branch: the value is within 2^30, so truncating and the rest are exact.
    const double x = v * kOne;
    const int64_t t = int64_t(x);
    const double rest = x - double(t);
    return t + int64_t(rest >= 0.5) - int64_t(rest <= -0.5);
}

// Whole pixels below a subpixel position: an arithmetic shift floors.
inline int64_t pixelOf(int64_t v)
{
    return v >> 8;
}
static_assert(kOne == 256);

int64_t floorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Along a -> b, the other coordinate where the first reaches `at`. Points
// are clamped to 2^30 steps, so the product stays within 2^62.
int64_t lerp(int64_t a0, int64_t a1, int64_t b0, int64_t b1, int64_t at)
{
    return b0 + (at - a0) * (b1 - b0) / (a1 - a0);
}

uint8_t coverageOf(int64_t v, bool nonZero)
{
    v = v < 0 ? -v : v;
    if (nonZero) {
        v = std::min(v, kFull);
    } else {
        v %= 2 * kFull;
        if (v > kFull)
            v = 2 * kFull - v;
    }
    return uint8_t((v * 255 + kFull / 2) / kFull);
}

} // namespace

void Rasterizer::add(int64_t column, int32_t cover, int64_t area)
{
    // Columns run from the one left of the box to the one at its right
    // edge, which a vertical edge lying on that edge reaches.
    const size_t i = size_t(column - (m_box.x0 - 1));
    m_cover[i] += cover;
    m_area[i] += area;
    m_touched[i >> 6] |= uint64_t(1) << (i & 63);
    m_any = true;
}

// A piece of an edge inside the current pixel row, from (xa, ya) to
// (xb, yb) with ya < yb in 0..kOne; `dir` is the edge's own direction.
// Parts left of the box only add cover to the column just left of it;
// parts right of it change no pixel inside.
void Rasterizer::rowPiece(int64_t xa, int64_t ya, int64_t xb, int64_t yb, int dir)
{
    const int64_t left = int64_t(m_box.x0) * kOne, right = int64_t(m_box.x1) * kOne;
    if (std::min(xa, xb) >= right)
        return;
    if (std::max(xa, xb) <= left) {
        add(m_box.x0 - 1, int32_t(dir * (yb - ya)), 0);
        return;
    }
    if (std::min(xa, xb) < left) {
        const int64_t ym = lerp(xa, xb, ya, yb, left);
        if (xa < left) {
            add(m_box.x0 - 1, int32_t(dir * (ym - ya)), 0);
            xa = left;
            ya = ym;
        } else {
            add(m_box.x0 - 1, int32_t(dir * (yb - ym)), 0);
            xb = left;
            yb = ym;
        }
    }
    if (std::max(xa, xb) > right) {
        const int64_t ym = lerp(xa, xb, ya, yb, right);
        if (xa > right) {
            xa = right;
            ya = ym;
        } else {
            xb = right;
            yb = ym;
        }
    }
    cellsOfPiece(xa, ya, xb, yb, dir);
}

void Rasterizer::cellsOfPiece(int64_t xa, int64_t ya, int64_t xb, int64_t yb, int dir)
{
    if (ya == yb)
        return;
    // Each cell gets the height the piece spans in it, and that times the
    // sum of the piece's x at both ends there (twice the area to its left).
    if (xa == xb) {
        const int64_t ex = pixelOf(xa);
        add(ex, int32_t(dir * (yb - ya)), dir * (yb - ya) * 2 * (xa - ex * kOne));
        return;
    }
    // A piece ending on a column's boundary stays in the column it came through.
    const bool rightward = xb > xa;
    int64_t ex = rightward ? pixelOf(xa) : pixelOf(xa - 1);
    const int64_t last = rightward ? pixelOf(xb - 1) : pixelOf(xb);
    int64_t x = xa, y = ya;
    while (true) {
        int64_t nx = xb, ny = yb;
        if (ex != last) {
            nx = rightward ? (ex + 1) * kOne : ex * kOne;
            ny = lerp(xa, xb, ya, yb, nx);
        }
        const int64_t dy = ny - y;
        if (dy != 0)
            add(ex, int32_t(dir * dy), dir * dy * ((x - ex * kOne) + (nx - ex * kOne)));
        if (ex == last)
            break;
        x = nx;
        y = ny;
        ex += rightward ? 1 : -1;
    }
}

void Rasterizer::sweepRow(int y, bool nonZero, SpanSink& sink)
{
    // One pass over the marked columns, in order: O(c + w / 64) for the
    // row's c cells in a box w pixels wide. Each cell is cleared once read.
    int pendingX = 0, pendingEnd = 0;
    auto flush = [&] {
        if (pendingEnd > pendingX)
            sink.span(y, pendingX, pendingEnd, m_row.data(), 0);
        pendingEnd = pendingX = 0;
    };
    int64_t cover = 0;
    int from = m_box.x0; // first pixel not yet given
    const int base = m_box.x0 - 1;
    for (size_t word = 0; word < m_touched.size(); ++word) {
        for (uint64_t bits = m_touched[word]; bits; bits &= bits - 1) {
            const size_t i = word * 64 + size_t(__builtin_ctzll(bits));
            const int x = base + int(i);
            const int64_t c = m_cover[i], area = m_area[i];
            m_cover[i] = 0;
            m_area[i] = 0;
            if (x >= m_box.x0) {
                if (x > from && cover != 0) {
                    flush();
                    if (uint8_t u = coverageOf(cover * 2 * kOne, nonZero))
                        sink.span(y, from, x, nullptr, u);
                }
                const uint8_t v = coverageOf((cover + c) * 2 * kOne - area, nonZero);
                if (v == 0) {
                    flush();
                } else {
                    if (pendingEnd != x) {
                        flush();
                        pendingX = pendingEnd = x;
                    }
                    m_row[size_t(pendingEnd - pendingX)] = v;
                    ++pendingEnd;
                }
                from = x + 1;
            }
            cover += c;
        }
        m_touched[word] = 0;
    }
    m_any = false;
    flush();
    if (cover != 0 && from < m_box.x1)
        if (uint8_t u = coverageOf(cover * 2 * kOne, nonZero))
            sink.span(y, from, m_box.x1, nullptr, u);
}

bool Rasterizer::dense(const PixelBox& box) const
{
    int64_t crossings = 0;
    int64_t x0 = INT64_MAX, x1 = INT64_MIN, y0 = INT64_MAX, y1 = INT64_MIN;
    for (const Edge& e : m_edges) {
        crossings += e.endRow - e.firstRow;
        x0 = std::min({ x0, e.x0, e.x1 });
        x1 = std::max({ x1, e.x0, e.x1 });
        y0 = std::min(y0, e.firstRow);
        y1 = std::max(y1, e.endRow);
    }
    if (crossings <= kDenseCrossings)
        return false;
    const int64_t width = std::clamp<int64_t>(pixelOf(x1) + 1, box.x0, box.x1) - std::clamp<int64_t>(pixelOf(x0), box.x0, box.x1);
    return crossings > (width + 1) * (y1 - y0);
}

void Rasterizer::fill(const std::vector<Polygon>& polygons, bool nonZero, bool antialias, const PixelBox& box, SpanSink& sink,
                      Point shift)
{
    if (box.x1 <= box.x0 || box.y1 <= box.y0)
        return;
    m_box = box;
    m_edges.clear();
    int64_t crossings = 0, yStart = INT64_MAX, yEnd = 0;
    if (antialias) {
        const int64_t right = int64_t(box.x1) * kOne;
        for (const Polygon& poly : polygons) {
            const size_t n = poly.size();
            if (n < 2)
                continue;
            int64_t px = snap(poly[n - 1].x + shift.x), py = snap(poly[n - 1].y + shift.y);
            for (const Point& p : poly) {
                const int64_t x = snap(p.x + shift.x), y = snap(p.y + shift.y);
                if (y != py && std::min(x, px) < right) {
                    Edge e = y > py ? Edge { px, py, x, y, 1, 0, 0 } : Edge { x, y, px, py, -1, 0, 0 };
                    e.firstRow = std::max<int64_t>(pixelOf(e.y0), box.y0);
                    e.endRow = std::min<int64_t>(pixelOf(e.y1 - 1) + 1, box.y1);
                    if (e.firstRow < e.endRow) {
                        crossings += e.endRow - e.firstRow;
                        yStart = std::min(yStart, e.firstRow);
                        yEnd = std::max(yEnd, e.endRow);
                        m_edges.push_back(e);
                    }
                }
                px = x;
                py = y;
            }
        }
        if (m_edges.empty())
            return;
    }
    if (!antialias || (crossings > kDenseCrossings && dense(box))) {
        const std::vector<Polygon>* moved = &polygons;
        if (shift.x != 0 || shift.y != 0) {
            m_shifted.resize(polygons.size());
            for (size_t i = 0; i < polygons.size(); ++i) {
                m_shifted[i].resize(polygons[i].size());
                for (size_t j = 0; j < polygons[i].size(); ++j)
                    m_shifted[i][j] = { polygons[i][j].x + shift.x, polygons[i][j].y + shift.y };
            }
            moved = &m_shifted;
        }
        for (const Span& s : fillSpans(*moved, nonZero, box))
            sink.span(s.y, s.x0, s.x1, nullptr, 255);
        return;
    }
    // In the order they start, as pointers (an edge is large to move),
    // counted into the rows they start on: O(e + r) for r rows spanned.
    const size_t rows = size_t(yEnd - yStart);
    m_starts.assign(rows + 1, 0);
    for (const Edge& e : m_edges)
        ++m_starts[size_t(e.firstRow - yStart) + 1];
    for (size_t i = 1; i <= rows; ++i)
        m_starts[i] += m_starts[i - 1];
    m_order.resize(m_edges.size());
    for (Edge& e : m_edges)
        m_order[m_starts[size_t(e.firstRow - yStart)]++] = &e;
    // One more pixel than the box: a run may end on the column at its right edge.
    m_row.resize(size_t(box.x1 - box.x0) + 1);
    const size_t columns = size_t(box.x1 - box.x0) + 2;
    if (m_cover.size() < columns) {
        m_cover.resize(columns, 0);
        m_area.resize(columns, 0);
    }
    m_touched.assign((columns + 63) / 64, 0);
    m_any = false;
    const int64_t left = int64_t(box.x0) * kOne, right = int64_t(box.x1) * kOne;
    m_active.clear();
    size_t next = 0;
    for (int64_t row = m_order.front()->firstRow; row < yEnd; ++row) {
        if (m_active.empty() && next < m_order.size())
            row = std::max(row, m_order[next]->firstRow); // skip the rows between separate parts
        const int64_t top = row * kOne, bottom = top + kOne;
        while (next < m_order.size() && m_order[next]->firstRow <= row) {
            Edge& e = *m_order[next++];
            const int64_t dx = e.x1 - e.x0, dy = e.y1 - e.y0;
            const int64_t ya = std::max(e.y0, top);
            e.x = ya == e.y0 ? e.x0 : lerp(e.y0, e.y1, e.x0, e.x1, ya);
            // Short edges, the many pieces of a stroke, end within this row
            // or the next and need no stepping, or no division at all.
            if (e.y1 > bottom) {
                const int64_t num = (bottom - e.y0) * dx;
                e.q = floorDiv(num, dy);
                e.r = num - e.q * dy;
                if (e.y1 > bottom + kOne) {
                    e.stepQ = floorDiv(kOne * dx, dy);
                    e.stepR = kOne * dx - e.stepQ * dy;
                }
            }
            m_active.push_back(&e);
        }
        size_t kept = 0;
        for (Edge* e : m_active) {
            const int64_t ya = std::max(e->y0, top), yb = std::min(e->y1, bottom);
            const int64_t xb = yb == e->y1 ? e->x1 : e->x0 + e->q;
            const int64_t column = e->x >> 8;
            if (column == ((xb - (xb > e->x)) >> 8) && e->x >= left && xb >= left && e->x < right && xb <= right) {
                // Inside one pixel of the box, the common case for steep edges.
                const int64_t dy = e->dir * (yb - ya);
                add(column, int32_t(dy), dy * (e->x + xb - 2 * (column << 8)));
            } else {
                rowPiece(e->x, ya - top, xb, yb - top, e->dir);
            }
            if (e->endRow > row + 1) {
                e->x = xb;
                e->q += e->stepQ;
                e->r += e->stepR;
                if (e->r >= e->y1 - e->y0) {
                    e->r -= e->y1 - e->y0;
                    ++e->q;
                }
                m_active[kept++] = e;
            }
        }
        m_active.resize(kept);
        if (m_any)
            sweepRow(int(row), nonZero, sink);
    }
}

} // namespace yelvanis::swf::render
