#include "runtime/movie/MovieRenderer.h"

#include <algorithm>
#include <cmath>

namespace yelvanis {

using namespace swf;
using namespace swf::render;

namespace {

Canvas canvasOf(QImage& image)
{
    return { reinterpret_cast<Pixel*>(image.bits()), image.width(), image.height(), int(image.bytesPerLine() / 4) };
}

double scaleOf(const Matrix& m)
{
    return std::sqrt(std::abs(m.a * m.d - m.b * m.c));
}

} // namespace

MovieRenderer::MovieRenderer(std::shared_ptr<const LoadedMovie> movie)
    : m_movie(std::move(movie))
    , m_shapes(*m_movie->movie)
    , m_walker(*m_movie, m_shapes)
    , m_drawer(*m_movie, m_shapes)
{
}

MovieRenderer::~MovieRenderer() = default;

QTransform MovieRenderer::stageTransform(const QRectF& target) const
{
    const Matrix m = stageMatrix(target);
    return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty);
}

Matrix MovieRenderer::stageMatrix(const QRectF& target) const
{
    const Rect& stage = m_movie->movie->header.stage;
    const double sw = std::max(1, stage.width()), sh = std::max(1, stage.height());
    const double scale = std::min(target.width() / sw, target.height() / sh);
    const double ox = target.x() + (target.width() - sw * scale) / 2;
    const double oy = target.y() + (target.height() - sh * scale) / 2;
    return { scale, 0, 0, scale, ox - stage.xMin * scale, oy - stage.yMin * scale };
}

QRegion MovieRenderer::renderChanges(QImage& frame, const MoviePlayer& player, bool antialias)
{
    return renderChanges(frame, player.root(), player.background(), antialias);
}

QRegion MovieRenderer::renderChanges(QImage& frame, const Clip& root, Rgba background, bool antialias)
{
    frame.setDevicePixelRatio(1); // drawn pixel for pixel
    return update(frame, m_changes, root, background, stageMatrix(QRectF(frame.rect())), antialias);
}

QRegion MovieRenderer::update(QImage& frame, Kept& kept, const Clip& root, Rgba background, const Matrix& stage, bool antialias)
{
    if (!frame.isNull() && frame.format() != QImage::Format_ARGB32_Premultiplied)
        frame.convertTo(QImage::Format_ARGB32_Premultiplied);
    const QRect frameRect = frame.rect();
    m_next.width = frame.width();
    m_next.height = frame.height();
    m_next.antialias = antialias;
    m_next.background = background;
    m_walker.walk(root, stage, scaleOf(stage), m_next);
    m_next.valid = true;

    // A pixel outside every item that differs, in the old frame or the new,
    // is drawn by the same items in the same order, so it stays as it is.
    // What is drawn again spans whole rows: cut short on the left, gradient
    // and picture spans would start elsewhere and round a little differently.
    const bool whole = !kept.last.valid || kept.last.width != m_next.width || kept.last.height != m_next.height
        || kept.last.antialias != antialias || !(kept.last.background == m_next.background);
    QRegion dirty;
    m_dirtyRows.assign(size_t(std::max(0, frame.height())), whole ? 1 : 0);
    if (whole) {
        dirty = frameRect;
    } else {
        // O(k) items, then O(h) rows to gather the changed bands.
        const size_t n = std::max(kept.last.items.size(), m_next.items.size());
        for (size_t i = 0; i < n; ++i) {
            const bool inLast = i < kept.last.items.size(), inNext = i < m_next.items.size();
            if (inLast && inNext && m_next.same(i, kept.last, i))
                continue;
            for (const DrawnItem* item : { inLast ? &kept.last.items[i] : nullptr, inNext ? &m_next.items[i] : nullptr })
                if (item && !isEmpty(item->bounds))
                    std::fill(m_dirtyRows.begin() + std::clamp(item->bounds.y0, 0, frame.height()),
                              m_dirtyRows.begin() + std::clamp(item->bounds.y1, 0, frame.height()), 1);
        }
        for (int y = 0; y < frame.height();) {
            if (!m_dirtyRows[size_t(y)]) {
                ++y;
                continue;
            }
            const int top = y;
            while (y < frame.height() && m_dirtyRows[size_t(y)])
                ++y;
            dirty += QRect(0, top, frame.width(), y - top);
        }
    }
    std::swap(kept.last, m_next);
    if (dirty.isEmpty() || frame.isNull())
        return dirty;

    const Pixel bg = premultiply(background);
    Canvas canvas = canvasOf(frame);
    for (int y = 0; y < canvas.height; ++y)
        if (m_dirtyRows[size_t(y)])
            std::fill(canvas.bits + size_t(y) * size_t(canvas.stride), canvas.bits + size_t(y) * size_t(canvas.stride) + canvas.width, bg);
    DrawBudget budget;
    budget.segments = kSegmentBudget;
    budget.rows = kRowBudget;
    budget.timed = m_timeBudgetMs > 0;
    budget.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeBudgetMs);
    budget.cancel = m_cancel;
    m_drawer.draw(kept.last, canvas, whole ? nullptr : &m_dirtyRows, scaleOf(stage), budget);
    if (budget.exhausted)
        kept.last.valid = false; // the picture was cut short: the next call draws it all
    return dirty;
}

void MovieRenderer::render(QPainter& p, const MoviePlayer& player, const QRectF& target, bool antialias)
{
    render(p, player.root(), player.background(), target, antialias);
}

void MovieRenderer::render(QPainter& p, const Clip& root, Rgba background, const QRectF& target, bool antialias)
{
    // Drawn in device pixels, then put on the painter's device as it is.
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QTransform toDevice = p.combinedTransform() * QTransform::fromScale(dpr, dpr);
    const bool straight = toDevice.type() <= QTransform::TxScale;
    const QRectF deviceTarget = straight ? toDevice.mapRect(target) : target;
    const QRect pixels = deviceTarget.toAlignedRect();
    if (pixels.isEmpty())
        return;
    // Only what changed since the last call is drawn again.
    QImage& image = m_painted.image;
    if (image.size() != pixels.size())
        image = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    update(image, m_painted, root, background, stageMatrix(deviceTarget.translated(-pixels.topLeft())), antialias);
    p.save();
    if (background.a == 255)
        p.setCompositionMode(QPainter::CompositionMode_Source); // every pixel opaque: a copy
    if (straight) {
        p.resetTransform();
        image.setDevicePixelRatio(dpr);
        p.drawImage(QPointF(pixels.topLeft()) / dpr, image);
    } else {
        p.drawImage(target.topLeft(), image);
    }
    p.restore();
}

} // namespace yelvanis
