#pragma once

// Draws the stage of a playing movie: one walk of the display list into a
// draw list, then every object as outlines through our own scanline
// rasterizer, painted into premultiplied ARGB32 pixels. Holds caches of the
// geometry it built, so one renderer goes with one movie.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <atomic>
#include <memory>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/render/DrawList.h"
#include "runtime/movie/render/FrameDrawer.h"
#include "runtime/movie/render/ShapeCache.h"

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
    // O(n log n) in its edges, and filled within the budgets below. Only the
    // rows where objects changed are drawn; a new size, anti-aliasing or
    // background draws it all.
    QRegion renderChanges(QImage& frame, const swf::MoviePlayer& player, bool antialias = true);
    // The same for a copy of the stage, drawn on another thread than the one playing.
    QRegion renderChanges(QImage& frame, const swf::Clip& root, swf::Rgba background, bool antialias = true);
    // The next renderChanges() draws the whole frame.
    void invalidate()
    {
        m_changes.last.valid = false;
        m_painted.last.valid = false;
    }

    // Segments drawn per frame at most: a hostile file that asks for more
    // gets an incomplete picture instead of a frozen screen.
    static constexpr size_t kSegmentBudget = size_t(1) << 20;
    // Rows crossed by segments per frame at most, in device pixels: what a
    // scanline fill's time grows with.
    static constexpr double kRowBudget = 8e6;
    // Memory for built outlines kept between frames.
    static constexpr size_t kCacheBudget = swf::render::ShapeCache::kBudget;
    // Drawing time per frame at most, in milliseconds (0: no limit). Checked
    // between objects, for edge lists that are cheap to count but slow to fill.
    void setTimeBudget(int ms) { m_timeBudgetMs = ms; }
    // Drawing stops at the next object once `flag` is set: nobody waits for the frame any more.
    void setCancelFlag(const std::atomic<bool>* flag) { m_cancel = flag; }

private:
    // A picture kept between calls and what it shows: renderChanges() keeps
    // the caller's, render() its own.
    struct Kept {
        swf::render::DrawList last;
        QImage image;
    };
    // Brings `frame` up to date with the stage drawn at `stage`, as renderChanges() does.
    QRegion update(QImage& frame, Kept& kept, const swf::Clip& root, swf::Rgba background, const swf::Matrix& stage,
                   bool antialias);
    swf::Matrix stageMatrix(const QRectF& target) const;

    std::shared_ptr<const LoadedMovie> m_movie;
    swf::render::ShapeCache m_shapes;
    swf::render::SceneWalker m_walker;
    swf::render::FrameDrawer m_drawer;
    Kept m_changes, m_painted;
    swf::render::DrawList m_next;
    std::vector<uint8_t> m_dirtyRows;
    int m_timeBudgetMs = 250;
    const std::atomic<bool>* m_cancel = nullptr;
};

} // namespace yelvanis
