#pragma once

// Source-over compositing of a paint's spans into premultiplied ARGB32
// pixels, each pixel weighted by its coverage times the mask's. And the
// 8-bit coverage masks of clip layers. No Qt here.

#include <cstdint>
#include <vector>

#include "runtime/movie/render/Paint.h"
#include "runtime/movie/render/Rasterizer.h"

namespace yelvanis::swf::render {

struct Canvas {
    Pixel* bits = nullptr;
    int width = 0, height = 0;
    int stride = 0; // pixels per row
};

// Coverage of a clip layer (or of several nested ones) over its box.
struct CoverageMask {
    PixelBox box;
    std::vector<uint8_t> alpha; // row after row, box wide
    uint8_t at(int x, int y) const { return alpha[size_t(y - box.y0) * size_t(box.x1 - box.x0) + size_t(x - box.x0)]; }
    const uint8_t* row(int y) const { return alpha.data() + size_t(y - box.y0) * size_t(box.x1 - box.x0); }
};

// Starts an empty mask over `box`.
CoverageMask emptyMask(const PixelBox& box);
// Where both masks cover, the product of their coverage: nested clip layers.
CoverageMask intersect(const CoverageMask& a, const CoverageMask& b);

// Unites the coverage of outlines drawn into it (a clip layer's parts).
class MaskWriter : public SpanSink {
public:
    explicit MaskWriter(CoverageMask& mask)
        : m_mask(mask)
    {
    }
    void span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform) override;

private:
    CoverageMask& m_mask;
};

// Room for a row of shaded pixels and weights, kept by the caller so that
// painting allocates nothing once warm.
struct RowScratch {
    std::vector<Pixel> shade;
    std::vector<uint8_t> weights;
};

// Paints spans into the canvas. Rows where `rows` (when given) is zero stay
// as they are: only the rows being drawn again change.
class Compositor : public SpanSink {
public:
    Compositor(const Canvas& canvas, const Paint& paint, const CoverageMask* mask, const std::vector<uint8_t>* rows, RowScratch& scratch)
        : m_canvas(canvas)
        , m_paint(paint)
        , m_mask(mask)
        , m_rows(rows)
        , m_uniform(paint.uniform())
        , m_colour(paint.colour())
        , m_shade(scratch.shade)
        , m_weights(scratch.weights)
    {
    }
    void span(int y, int x0, int x1, const uint8_t* coverage, uint8_t uniform) override;

private:
    const Canvas& m_canvas;
    const Paint& m_paint;
    const CoverageMask* m_mask;
    const std::vector<uint8_t>* m_rows;
    bool m_uniform;
    Pixel m_colour;
    std::vector<Pixel>& m_shade;
    std::vector<uint8_t>& m_weights;
};

// The pixels of a box the canvas contains, clipped to it.
PixelBox clipTo(const PixelBox& box, const Canvas& canvas);

} // namespace yelvanis::swf::render
