#include "runtime/movie/render/FrameDrawer.h"

#include <algorithm>
#include <cmath>

#include "runtime/movie/render/Outline.h"

namespace yelvanis::swf::render {

namespace {

PixelBox intersected(const PixelBox& a, const PixelBox& b)
{
    PixelBox r { std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1) };
    return isEmpty(r) ? PixelBox {} : r;
}

FillStyle solid(Rgba colour)
{
    FillStyle s;
    s.color = colour;
    return s;
}

} // namespace

bool DrawBudget::spend(const CachedShape& shape, const Matrix& m)
{
    const double crossed = std::abs(m.b) * shape.spanX + std::abs(m.d) * shape.spanY;
    const double cost = std::isfinite(crossed) ? double(shape.segments) + crossed : 1e300;
    const size_t n = std::max<size_t>(shape.segments, 1);
    if (exhausted || n > segments || cost > rows || (timed && std::chrono::steady_clock::now() > deadline)
        || (cancel && cancel->load(std::memory_order_relaxed))) {
        exhausted = true;
        segments = 0;
        return false;
    }
    segments -= n;
    rows -= cost;
    return true;
}

BitmapView FrameDrawer::bitmap(uint16_t id) const
{
    auto it = m_movie.bitmaps.find(id);
    if (it == m_movie.bitmaps.end() || it->second.isNull() || it->second.format() != QImage::Format_ARGB32_Premultiplied)
        return {};
    const QImage& img = it->second;
    return { reinterpret_cast<const Pixel*>(img.constBits()), img.width(), img.height(), int(img.bytesPerLine() / 4) };
}

void FrameDrawer::fill(const std::vector<Polygon>& polygons, Point shift, bool nonZero, const Paint& paint, PixelBox area,
                       const CoverageMask* mask)
{
    area = intersected(area, m_rowBox);
    if (mask)
        area = intersected(area, mask->box);
    if (isEmpty(area) || polygons.empty())
        return;
    Compositor out(m_canvas, paint, mask, m_rows, m_scratch);
    m_raster.fill(polygons, nonZero, m_antialias, area, out, shift);
}

void FrameDrawer::drawShape(uint64_t key, const CachedShape& shape, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask)
{
    if (!m_budget->spend(shape, t))
        return;
    const PixelBox area = m_rowBox;
    const KeptOutline* kept = m_outlines.shape(key, shape, t, m_stageScale, std::max(m_canvas.width, m_canvas.height));
    const Point shift = kept ? Point { t.tx, t.ty } : Point {};
    size_t path = 0;
    for (const ShapeLayer& layer : shape.geometry.layers) {
        for (const FillPath& f : layer.fills) {
            if (!kept) {
                m_polygons.clear();
                fillOutline(f.contours, t, area, m_polygons);
            }
            const BitmapView view = f.style.kind == FillStyle::Kind::Bitmap ? bitmap(f.style.bitmapId) : BitmapView {};
            const std::unique_ptr<Paint> paint = makePaint(f.style, t * f.style.matrix, cx, view.pixels ? &view : nullptr, m_antialias);
            fill(kept ? kept->paths[path++] : m_polygons, shift, shape.geometry.windingRule, *paint, area, mask);
        }
        for (const StrokePath& s : layer.strokes) {
            if (!kept) {
                m_polygons.clear();
                strokeOutline(s, t, m_stageScale, area, m_polygons);
            }
            const FillStyle style = s.style.fill ? *s.style.fill : solid(s.style.color);
            const BitmapView view = style.kind == FillStyle::Kind::Bitmap ? bitmap(style.bitmapId) : BitmapView {};
            const std::unique_ptr<Paint> paint = makePaint(style, t * style.matrix, cx, view.pixels ? &view : nullptr, m_antialias);
            fill(kept ? kept->paths[path++] : m_polygons, shift, true, *paint, area, mask);
        }
    }
}

void FrameDrawer::drawText(const Text& text, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask)
{
    const Matrix tt = t * text.matrix;
    const TextRun* paintedRun = nullptr;
    std::unique_ptr<Paint> paint;
    forEachGlyph(*m_movie.movie, text, [&](const TextRun& run, uint32_t index, const Matrix& glyph) {
        if (&run != paintedRun) {
            paint = makePaint(solid(run.color), tt, cx, nullptr, m_antialias);
            paintedRun = &run;
        }
        const Matrix gt = tt * glyph;
        const CachedShape* gs = m_shapes.glyph(run.fontId, index);
        if (!gs || !m_budget->spend(*gs, gt))
            return;
        // A glyph's fills are one outline: its contours together.
        const KeptOutline* kept = m_outlines.shape(OutlineCache::glyphKey(run.fontId, index), *gs, gt, 0,
                                                   std::max(m_canvas.width, m_canvas.height));
        const bool whole = kept && kept->paths.size() == 1;
        if (!whole) {
            m_polygons.clear();
            for (const ShapeLayer& l : gs->geometry.layers)
                for (const FillPath& f : l.fills)
                    if (!kept)
                        fillOutline(f.contours, gt, m_rowBox, m_polygons);
            if (kept)
                for (const std::vector<Polygon>& path : kept->paths)
                    m_polygons.insert(m_polygons.end(), path.begin(), path.end());
        }
        fill(whole ? kept->paths.front() : m_polygons, kept ? Point { gt.tx, gt.ty } : Point {}, gs->geometry.windingRule,
             *paint, m_rowBox, mask);
    });
}

void FrameDrawer::drawBitmap(uint16_t id, const Matrix& t, const ColorTransform& cx, const CoverageMask* mask)
{
    const BitmapView view = bitmap(id);
    if (!view.pixels)
        return;
    // A rectangle filled with the picture once, clipped to it.
    FillStyle style;
    style.kind = FillStyle::Kind::Bitmap;
    style.bitmapId = id;
    style.repeat = false;
    style.matrix = { 20, 0, 0, 20, 0, 0 };
    const double w = view.width * 20.0, h = view.height * 20.0;
    m_polygons.clear();
    m_polygons.push_back({ map(t, { 0, 0 }), map(t, { w, 0 }), map(t, { w, h }), map(t, { 0, h }) });
    const std::unique_ptr<Paint> paint = makePaint(style, t * style.matrix, cx, &view, m_antialias);
    fill(true, *paint, m_rowBox, mask);
}

void FrameDrawer::drawMask(const DrawList& list, const DrawnItem& maskItem, CoverageMask& out)
{
    out = emptyMask(intersected(maskItem.bounds, m_rowBox));
    if (isEmpty(out.box))
        return;
    MaskWriter writer(out);
    for (uint32_t i = maskItem.first; i < maskItem.first + maskItem.count; ++i) {
        const MaskPart& part = list.parts[i];
        const Character* c = m_movie.movie->character(part.characterId);
        if (!c)
            continue;
        if (const auto* text = std::get_if<Text>(c)) {
            const Matrix tt = part.transform * text->matrix;
            forEachGlyph(*m_movie.movie, *text, [&](const TextRun& run, uint32_t index, const Matrix& glyph) {
                const Matrix gt = tt * glyph;
                if (const CachedShape* gs = m_shapes.glyph(run.fontId, index); gs && m_budget->spend(*gs, gt))
                    for (const ShapeLayer& l : gs->geometry.layers)
                        for (const FillPath& f : l.fills) {
                            m_polygons.clear();
                            fillOutline(f.contours, gt, out.box, m_polygons);
                            m_raster.fill(m_polygons, gs->geometry.windingRule, m_antialias, out.box, writer);
                        }
            });
            continue;
        }
        const CachedShape* shape = m_shapes.shape(part.characterId, part.ratio);
        if (!shape || !m_budget->spend(*shape, part.transform))
            continue;
        for (const ShapeLayer& l : shape->geometry.layers)
            for (const FillPath& f : l.fills) {
                m_polygons.clear();
                fillOutline(f.contours, part.transform, out.box, m_polygons);
                m_raster.fill(m_polygons, shape->geometry.windingRule, m_antialias, out.box, writer);
            }
    }
}

const CoverageMask* FrameDrawer::maskOver(const DrawList& list, const DrawnItem& item)
{
    if (item.count == 0)
        return nullptr;
    const std::pair<uint32_t, uint32_t> key { item.first, item.count };
    if (auto it = m_combined.find(key); it != m_combined.end())
        return &it->second;
    CoverageMask combined;
    for (uint32_t i = 0; i < item.count; ++i) {
        const uint32_t index = list.maskIndices[item.first + i];
        auto it = m_masks.find(index);
        if (it == m_masks.end()) {
            it = m_masks.emplace(index, CoverageMask {}).first;
            drawMask(list, list.items[index], it->second);
        }
        combined = i == 0 ? it->second : intersect(combined, it->second);
    }
    return &m_combined.emplace(key, std::move(combined)).first->second;
}

void FrameDrawer::drawItem(const DrawnItem& item, const CoverageMask* mask)
{
    const Character* c = m_movie.movie->character(item.characterId);
    if (!c)
        return;
    if (std::holds_alternative<Shape>(*c) || std::holds_alternative<MorphShape>(*c)) {
        if (const CachedShape* s = m_shapes.shape(item.characterId, item.ratio))
            drawShape(OutlineCache::shapeKey(item.characterId, item.ratio), *s, item.transform, item.colorTransform, mask);
    } else if (const auto* text = std::get_if<Text>(c)) {
        drawText(*text, item.transform, item.colorTransform, mask);
    } else if (const auto* edit = std::get_if<EditText>(c)) {
        drawEditText(*edit, item.transform, item.colorTransform, mask);
    } else if (std::holds_alternative<Bitmap>(*c)) {
        drawBitmap(item.characterId, item.transform, item.colorTransform, mask);
    }
}

void FrameDrawer::draw(const DrawList& list, const Canvas& canvas, const std::vector<uint8_t>* rows, double stageScale,
                       DrawBudget& budget)
{
    m_canvas = canvas;
    m_rows = rows;
    m_antialias = list.antialias;
    m_stageScale = stageScale;
    m_budget = &budget;
    m_masks.clear();
    m_combined.clear();
    // The band of rows drawn; rows inside it not drawn are skipped span by span.
    m_rowBox = { 0, 0, canvas.width, canvas.height };
    if (rows) {
        int top = canvas.height, bottom = 0;
        for (int y = 0; y < canvas.height; ++y)
            if ((*rows)[size_t(y)]) {
                top = std::min(top, y);
                bottom = y + 1;
            }
        m_rowBox = { 0, top, canvas.width, bottom };
    }
    for (const DrawnItem& item : list.items) {
        if (item.mask || budget.exhausted)
            continue;
        if (isEmpty(intersected(item.bounds, m_rowBox)))
            continue; // nothing of it shows in the rows being drawn
        if (rows) {
            bool touches = false;
            for (int y = std::max(item.bounds.y0, m_rowBox.y0); y < std::min(item.bounds.y1, m_rowBox.y1) && !touches; ++y)
                touches = (*rows)[size_t(y)] != 0;
            if (!touches)
                continue;
        }
        const CoverageMask* mask = maskOver(list, item);
        if (mask && isEmpty(mask->box))
            continue;
        drawItem(item, mask);
    }
    m_masks.clear();
    m_combined.clear();
}

} // namespace yelvanis::swf::render
