#pragma once

// Draws a frame's draw list into pixels: shapes, morphs, bitmaps, text and
// edit text as outlines through the rasterizer, painted by their paints,
// under the coverage of the clip layers over them.

#include <QImage>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/render/Compositor.h"
#include "runtime/movie/render/DrawList.h"
#include "runtime/movie/render/OutlineCache.h"
#include "runtime/movie/render/Rasterizer.h"
#include "runtime/movie/render/ShapeCache.h"

namespace yelvanis::swf::render {

// What one frame may spend, so that a hostile file gets an incomplete
// picture instead of a frozen screen.
struct DrawBudget {
    size_t segments = 0;
    double rows = 0;
    std::chrono::steady_clock::time_point deadline;
    bool timed = false;
    const std::atomic<bool>* cancel = nullptr;
    bool exhausted = false;
    // Takes what filling `shape` under `m` costs: a step per segment and per
    // row each one crosses. False, and nothing more, once anything runs out.
    bool spend(const CachedShape& shape, const Matrix& m);
};

class FrameDrawer {
public:
    FrameDrawer(const LoadedMovie& movie, ShapeCache& shapes)
        : m_movie(movie)
        , m_shapes(shapes)
    {
    }
    // Draws the items of `list` that touch the rows where `rows` is set
    // (every row when null), over what the canvas holds.
    void draw(const DrawList& list, const Canvas& canvas, const std::vector<uint8_t>* rows, double stageScale, DrawBudget& budget);

private:
    void drawItem(const DrawnItem& item, const CoverageMask* mask);
    void drawShape(uint64_t key, const CachedShape& shape, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask);
    void drawText(const Text& text, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask);
    void drawEditText(const EditText& e, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask);
    void drawBitmap(uint16_t id, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask);
    // Fills the polygons, moved by `shift`, with `paint` over `area`, clipped
    // to the rows drawn and the mask.
    void fill(const std::vector<Polygon>& polygons, Point shift, bool nonZero, const Paint& paint, PixelBox area,
              const CoverageMask* mask);
    void fill(bool nonZero, const Paint& paint, PixelBox area, const CoverageMask* mask) { fill(m_polygons, {}, nonZero, paint, area, mask); }
    void fillBox(PixelBox area, const CoverageMask* mask);
    const CoverageMask* maskOver(const DrawList& list, const DrawnItem& item);
    void drawMask(const DrawList& list, const DrawnItem& maskItem, CoverageMask& out);
    BitmapView bitmap(uint16_t id) const;

    const LoadedMovie& m_movie;
    ShapeCache& m_shapes;
    Rasterizer m_raster;
    OutlineCache m_outlines;
    std::vector<Polygon> m_polygons;
    RowScratch m_scratch;
    Canvas m_canvas;
    const std::vector<uint8_t>* m_rows = nullptr;
    PixelBox m_rowBox; // the rows drawn, across the canvas
    bool m_antialias = true;
    double m_stageScale = 1;
    DrawBudget* m_budget = nullptr;
    // Masks built this frame, by the item that is the mask, and their
    // intersections by the run of maskIndices they cover.
    std::map<uint32_t, CoverageMask> m_masks;
    std::map<std::pair<uint32_t, uint32_t>, CoverageMask> m_combined;
};

} // namespace yelvanis::swf::render
