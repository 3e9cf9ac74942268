#pragma once

// Turns device-space polygons into spans of covered pixels. Anti-aliased:
// the exact area of each pixel square that the outline covers, found by
// accumulating signed areas and covers per cell along the edges and summing
// them along each row, no supersampling. Aliased: a pixel is inside when its
// centre is (fillSpans' exact integer rules). No Qt here.

#include <cstdint>
#include <vector>

#include "runtime/movie/PixelRaster.h"

namespace yelvanis::swf::render {

// Receives an outline's pixels row by row, left to right within a row.
class SpanSink {
public:
    virtual ~SpanSink() = default;
    // Pixels [x0, x1) of row y: `coverage` holds one value (1..255) per
    // pixel, or is null when every pixel has `uniform`.
    virtual void span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform) = 0;
};

// Reused between outlines so that a frame allocates nothing once warm.
class Rasterizer {
public:
    // Fills the closed polygons (the last point joins the first) with the
    // non-zero or even-odd rule, within `box`.
    // Anti-aliased: O(e log e + r + c log c) for e edges crossing r rows and
    // passing c pixel cells in the box; rows and columns outside it cost
    // nothing. Aliased: fillSpans' O(e log e + k log k) for k row crossings.
    // Where edges outnumber the pixels they cross, coverage tells nothing
    // (and the even-odd rule folds sums of many edges wrongly): such an
    // outline is sampled at pixel centres instead.
    // `shift` moves every point first: an outline kept from another frame.
    void fill(const std::vector<Polygon>& polygons, bool nonZero, bool antialias, const PixelBox& box, SpanSink& sink,
              Point shift = {});

private:
    struct Edge {
        int64_t x0, y0, x1, y1; // y0 < y1, subpixel units
        int dir;
        int64_t firstRow, endRow;
        // Where it enters the current row, and where it crosses the next
        // row's top: x0 + q + r / (y1 - y0), stepped on row by row.
        int64_t x = 0, q = 0, r = 0, stepQ = 0, stepR = 0;
    };
    bool dense(const PixelBox& box) const;
    void rowPiece(int64_t xa, int64_t ya, int64_t xb, int64_t yb, int dir);
    void cellsOfPiece(int64_t xa, int64_t ya, int64_t xb, int64_t yb, int dir);
    void add(int64_t column, int32_t cover, int64_t area);
    void sweepRow(int y, bool nonZero, SpanSink& sink);

    PixelBox m_box;
    std::vector<Edge> m_edges;
    std::vector<Edge*> m_order, m_active;
    std::vector<uint32_t> m_starts;
    // The current row's cells, by column from the one left of the box:
    // summed in place, and the touched ones marked, so that a row is read
    // in order without sorting.
    std::vector<int32_t> m_cover;
    std::vector<int64_t> m_area;
    std::vector<uint64_t> m_touched;
    bool m_any = false;
    std::vector<uint8_t> m_row;
    std::vector<Polygon> m_shifted;
};

} // namespace yelvanis::swf::render
