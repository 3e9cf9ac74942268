#pragma once

// Draws the stage of a playing movie with QPainter. Holds caches of the
// paths it built, so one renderer goes with one movie.

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <chrono>
#include <map>
#include <tuple>
#include <QGradient>
#include <atomic>
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
    void render(QPainter& painter, const swf::Clip& root, swf::Rgba background, const QRectF& target, bool antialias = true);
    // The stage transform render() uses, twips to `target` coordinates.
    QTransform stageTransform(const QRectF& target) const;
    // Brings `frame`, drawn by earlier calls, up to date with the stage and
    // returns the pixels it drew again. Per frame: O(k log k) to compare k
    // objects with the last frame, then each shape's outline built once,
    // O(n log n) in its edges, and filled within the budgets below. Only the parts where objects changed
    // are drawn; a new size, anti-aliasing or background draws it all.
    QRegion renderChanges(QImage& frame, const swf::MoviePlayer& player, bool antialias = true);
    // The same for a copy of the stage, drawn on another thread than the one playing.
    QRegion renderChanges(QImage& frame, const swf::Clip& root, swf::Rgba background, bool antialias = true);
    // The next renderChanges() draws the whole frame.
    void invalidate() { m_last.valid = false; }

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
        QRectF bounds;          // of every outline, in shape units
        double strokeReach = 0; // how far the widest stroke may reach past its outline, in widths
        size_t bytes = 0;       // memory the paths hold, roughly
        double spanX = 0, spanY = 0; // the segments' lengths across and down, summed
    };

    // Segments drawn per frame at most: a hostile file that asks for more
    // gets an incomplete picture instead of a frozen screen.
    static constexpr size_t kSegmentBudget = size_t(1) << 20;
    // Rows crossed by segments per frame at most, in device pixels: what a
    // scanline fill's time grows with (O(c log c) for c crossings).
    static constexpr double kRowBudget = 8e6;
    // Qt's rasterizers take time growing with the square of the segments
    // crossing each row; a shape whose squares add up past this (a tenth of
    // a second or so) is drawn by our own scanline fill, or in a mask or text
    // left out. No drawn outline comes near it.
    static constexpr double kDenseCost = 4e6;
    static constexpr size_t kFewSegments = 64;
    // Memory for built outlines kept between frames. With the reader's limits
    // on pixels and edges, it keeps one movie well under 256 MB.
    static constexpr size_t kCacheBudget = size_t(32) << 20;
    // Drawing time per frame at most, in milliseconds (0: no limit). Checked
    // between objects, for edge lists that are cheap to count but slow to fill.
    void setTimeBudget(int ms) { m_timeBudgetMs = ms; }
    // Drawing stops at the next object once `flag` is set: nobody waits for the frame any more.
    void setCancelFlag(const std::atomic<bool>* flag) { m_cancel = flag; }

private:
    struct Mask {
        uint16_t untilDepth;
        QPainterPath devicePath;
        QRegion devicePixels; // instead of the path when drawing aliased
        bool pixels = false;
    };

    // One object as the last frame drew it, to tell which pixels a new stage
    // changes: a drawn object, or a mask with its parts.
    struct DrawnItem {
        bool mask = false;
        uint16_t characterId = 0;
        uint16_t ratio = 0;
        QTransform transform;
        swf::ColorTransform colorTransform;
        uint32_t first = 0, count = 0; // masks over an object, or a mask's parts
        QRect bounds;                  // device pixels it may touch
    };
    struct MaskPart {
        uint16_t characterId;
        uint16_t ratio;
        QTransform transform;
        bool operator==(const MaskPart&) const = default;
    };
    struct Snapshot {
        std::vector<DrawnItem> items;
        std::vector<uint32_t> maskIndices; // items that mask an object, by runs
        std::vector<MaskPart> parts;
        QSize size;
        bool antialias = true;
        swf::Rgba background;
        bool valid = false;
    };
    void snapshotClip(const swf::Clip& clip, const QTransform& t, const swf::ColorTransform& cx);
    void snapshotMask(const swf::DisplayObject& mask, const QTransform& t, QRect& bounds);
    QRect deviceBounds(const swf::DisplayObject& o, const swf::Character& c, const QTransform& t);
    const QRectF& textBounds(uint16_t id, const swf::Text& text);
    bool sameItem(const DrawnItem& a, const Snapshot& as, const DrawnItem& b, const Snapshot& bs) const;

    void drawClip(QPainter& p, const swf::Clip& clip, const QTransform& t, const swf::ColorTransform& cx);
    void drawObject(QPainter& p, const swf::DisplayObject& o, const QTransform& t, const swf::ColorTransform& cx);
    void drawShape(QPainter& p, const CachedShape& shape, const QTransform& t, const swf::ColorTransform& cx);
    void drawText(QPainter& p, const swf::Text& text, const QTransform& t, const swf::ColorTransform& cx);
    void drawEditText(QPainter& p, const swf::EditText& e, const QTransform& t, const swf::ColorTransform& cx);
    void collectMask(const swf::DisplayObject& mask, const QTransform& t, QPainterPath& out, QRegion* pixels);
    void addMaskPart(const swf::DisplayObject& o, const swf::Character& part, const QTransform& t, QPainterPath& out,
                     QRegion* pixels);
    // Aliased drawing on whole pixels, when the painter's pixels are the device's.
    bool drawsPixels(const QPainter& p) const;
    void drawShapePixels(QPainter& p, const CachedShape& shape, const QTransform& t, const swf::ColorTransform& cx);
    QRect m_pixelBox; // the device's pixels, for masks collected as pixels
    QBrush brushFor(const swf::FillStyle& style, const swf::ColorTransform& cx) const;
    const QGradientStops& stopsFor(const swf::FillStyle& style, const swf::ColorTransform& cx) const;
    const CachedShape* shapeFor(uint16_t id, uint16_t ratio);
    const CachedShape* glyphFor(uint16_t fontId, uint32_t index);
    CachedShape admit(CachedShape shape);
    size_t m_cacheBytes = 0, m_morphBytes = 0;
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
    const std::atomic<bool>* m_cancel = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    bool spend(const CachedShape& shape, const QTransform& t);
    bool tooDense(const CachedShape& shape, const QTransform& t) const;
    double m_rowBudget = 0;
    int m_deviceHeight = 0;
    mutable std::vector<int64_t> m_rowCrossings;
    double m_stageScale = 1; // device pixels per twip

    Snapshot m_last, m_next;
    struct OpenMask {
        uint16_t untilDepth;
        uint32_t item;
    };
    std::vector<OpenMask> m_openMasks; // while taking a snapshot
    struct NotedMasks {
        bool current = false; // the open masks are the run [first, first + count) of maskIndices
        uint32_t first = 0, count = 0;
    } m_noted;
    QRect m_frameRect;
    // While drawing changes only: objects outside these pixels are skipped.
    QRegion m_cull;
    bool m_culling = false;
    std::map<uint16_t, QRectF> m_textBounds;
    std::vector<std::pair<int, int>> m_rows; // rows to draw again, [top, bottom)
};

// Builds the painter paths of a shape's geometry.
MovieRenderer::CachedShape cacheGeometry(const swf::ShapeGeometry& g);

} // namespace yelvanis
