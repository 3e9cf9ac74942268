#pragma once

// Draws the stage of a playing movie with QPainter. Holds caches of the
// paths it built, so one renderer goes with one movie.

#include <QPainter>
#include <QPainterPath>
#include <chrono>
#include <map>
#include <tuple>
#include <QGradient>
#include <memory>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/ShapeGeometry.h"

namespace yelvanis {

class MovieRenderer {
public:
    explicit MovieRenderer(std::shared_ptr<const LoadedMovie> movie);
    ~MovieRenderer();

    // Fills `target` with the background colour and draws the stage in it,
    // scaled to fit with its aspect ratio kept and centred.
    void render(QPainter& painter, const swf::MoviePlayer& player, const QRectF& target, bool antialias = true);
    // The stage transform render() uses, twips to `target` coordinates.
    QTransform stageTransform(const QRectF& target) const;

    struct CachedFill {
        QPainterPath path;
        swf::FillStyle style;
    };
    struct CachedStroke {
        QPainterPath path;
        swf::LineStyle style;
    };
    struct CachedLayer {
        std::vector<CachedFill> fills;
        std::vector<CachedStroke> strokes;
    };
    struct CachedShape {
        std::vector<CachedLayer> layers;
        size_t segments = 0; // what drawing it costs
    };

    // Segments drawn per frame at most: a hostile file that asks for more
    // gets an incomplete picture instead of a frozen screen.
    static constexpr size_t kSegmentBudget = size_t(1) << 20;
    // Drawing time per frame at most, in milliseconds (0: no limit). Checked
    // between objects, for edge lists that are cheap to count but slow to fill.
    void setTimeBudget(int ms) { m_timeBudgetMs = ms; }

private:
    struct Mask {
        uint16_t untilDepth;
        QPainterPath devicePath;
    };

    void drawClip(QPainter& p, const swf::Clip& clip, const QTransform& t, const swf::ColorTransform& cx);
    void drawObject(QPainter& p, const swf::DisplayObject& o, const QTransform& t, const swf::ColorTransform& cx);
    void drawShape(QPainter& p, const CachedShape& shape, const QTransform& t, const swf::ColorTransform& cx);
    void drawText(QPainter& p, const swf::Text& text, const QTransform& t, const swf::ColorTransform& cx);
    void drawEditText(QPainter& p, const swf::EditText& e, const QTransform& t, const swf::ColorTransform& cx);
    void collectMask(const swf::DisplayObject& o, const QTransform& t, QPainterPath& out, int nesting);
    QBrush brushFor(const swf::FillStyle& style, const swf::ColorTransform& cx) const;
    const QGradientStops& stopsFor(const swf::FillStyle& style, const swf::ColorTransform& cx) const;
    const CachedShape* shapeFor(uint16_t id, uint16_t ratio);
    const CachedShape* glyphFor(uint16_t fontId, uint32_t index);
    QImage transformedImage(uint16_t id, const swf::ColorTransform& cx) const;

    std::shared_ptr<const LoadedMovie> m_movie;
    std::map<uint32_t, CachedShape> m_shapes;      // by character id
    std::map<uint64_t, CachedShape> m_morphs;      // by id and ratio
    std::map<uint64_t, CachedShape> m_glyphs;      // by font id and glyph
    std::vector<Mask> m_masks;
    // Gradient stops by the style they came from and the colour transform.
    using StopKey = std::tuple<const void*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
    mutable std::map<StopKey, QGradientStops> m_stops;
    bool m_antialias = true;
    size_t m_budget = 0;
    int m_timeBudgetMs = 250;
    std::chrono::steady_clock::time_point m_deadline;
    bool spend(size_t segments);
    double m_stageScale = 1; // device pixels per twip
};

// Builds the painter paths of a shape's geometry.
MovieRenderer::CachedShape cacheGeometry(const swf::ShapeGeometry& g);

} // namespace yelvanis
