#include "runtime/movie/MovieView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <cmath>
#include <cstring>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

namespace yelvanis {

struct MovieView::Canvas {
    explicit Canvas(std::shared_ptr<const LoadedMovie> movie)
        : renderer(std::move(movie))
    {
        renderer.setCancelFlag(&cancelled);
    }
    MovieRenderer renderer;
    QImage frame; // device pixels
    // Set when the view no longer wants what is being drawn.
    std::atomic<bool> cancelled { false };
};

MovieView::MovieView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MovieView::advance);
}

MovieView::~MovieView()
{
    // A load or a drawing still running finishes on its own; its result is dropped.
    if (m_watcher)
        m_watcher->disconnect(this);
    dropDrawing();
}

void MovieView::dropDrawing()
{
    if (m_canvas)
        m_canvas->cancelled = true;
    m_canvas.reset();
    if (m_drawing) {
        m_drawing->disconnect(this);
        m_drawing->deleteLater();
        m_drawing = nullptr;
    }
    m_frame = QImage();
    m_drawn = {};
}

void MovieView::setMovie(const QString& path)
{
    m_path = path;
    m_failed = false;
    m_reason.clear();
    m_player.reset();
    dropDrawing();
    m_movie.reset();
    updateTimer();
    const int generation = ++m_generation;
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
    }
    m_watcher = new QFutureWatcher<MovieLoadResult>(this);
    connect(m_watcher, &QFutureWatcher<MovieLoadResult>::finished, this, [this, generation] {
        if (generation == m_generation)
            onLoaded();
    });
    m_watcher->setFuture(QtConcurrent::run([path] { return loadMovieFile(path); }));
    update();
}

void MovieView::onLoaded()
{
    MovieLoadResult result = m_watcher->result();
    m_watcher->deleteLater();
    m_watcher = nullptr;
    if (!result.loaded) {
        fail(result.error);
        return;
    }
    m_movie = result.loaded;
    m_player = std::make_unique<swf::MoviePlayer>(m_movie->movie);
    m_player->setLoop(m_loop);
    m_canvas = std::make_shared<Canvas>(m_movie);
    updateTimer();
    update();
    emit loaded();
}

void MovieView::fail(const QString& reason)
{
    m_failed = true;
    m_reason = reason;
    m_playing = false;
    updateTimer();
    update();
    emit failed(reason);
}

void MovieView::play()
{
    if (m_failed)
        return;
    m_playing = true;
    if (m_player)
        m_player->play();
    updateTimer();
}

void MovieView::setLoop(bool loop)
{
    if (loop == m_loop)
        return;
    m_loop = loop;
    if (m_player) {
        m_player->setLoop(loop);
        if (loop && m_playing)
            m_player->play(); // a movie that stopped at its end starts again
    }
    updateTimer();
}

void MovieView::setAntialiased(bool on)
{
    if (on == m_antialias)
        return;
    m_antialias = on;
    requestFrame();
}

int MovieView::currentFrame() const
{
    return m_player ? int(m_player->currentFrame()) + 1 : 0;
}

void MovieView::updateTimer()
{
    bool run = m_playing && m_player && isVisible();
    if (!run) {
        m_timer.stop();
        return;
    }
    double fps = m_movie->movie->header.frameRate;
    if (!(fps > 0))
        fps = 12;
    int interval = int(std::clamp(std::lround(1000.0 / fps), 8L, 60L * 1000L));
    if (!m_timer.isActive() || m_timer.interval() != interval)
        m_timer.start(interval);
}

void MovieView::advance()
{
    if (!m_player)
        return;
    // Timelines inside go on even when the main one stopped on a stop action;
    // a frame that changes nothing is not drawn again, and one that changes
    // a little is drawn and painted only there.
    if (m_player->tick())
        requestFrame();
}

QRegion MovieView::toLogical(const QRegion& device) const
{
    const double ratio = m_frame.isNull() ? 1.0 : m_frame.devicePixelRatio();
    if (ratio == 1.0)
        return device;
    QRegion logical;
    for (const QRect& r : device)
        logical += QRectF(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio).toAlignedRect();
    return logical;
}

QSize MovieView::deviceSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

bool MovieView::isFrameCurrent() const
{
    return m_player && !m_frame.isNull() && m_drawn.version == m_player->stageVersion() && m_drawn.antialias == m_antialias
        && m_drawn.size == deviceSize() && m_drawn.ratio == devicePixelRatioF();
}

void MovieView::requestFrame()
{
    if (!m_player || !m_canvas || m_drawing || isFrameCurrent() || deviceSize().isEmpty())
        return;
    m_pending = { m_player->stageVersion(), m_antialias, deviceSize(), devicePixelRatioF() };
    // The stage is copied: the timeline plays on while the copy is drawn.
    auto stage = std::make_shared<const swf::Clip>(swf::copyStage(m_player->root()));
    const swf::Rgba background = m_player->background();
    const FrameState want = m_pending;
    std::shared_ptr<Canvas> canvas = m_canvas;
    m_drawing = new QFutureWatcher<QRegion>(this);
    connect(m_drawing, &QFutureWatcher<QRegion>::finished, this, &MovieView::onFrameDrawn);
    // Drawn on a thread of Qt's own pool, whose large fills then run on that
    // thread rather than being split over the pool and waited for.
    m_drawing->setFuture(QtConcurrent::run([canvas, stage, background, want]() -> QRegion {
        if (canvas->cancelled)
            return {};
        if (canvas->frame.size() != want.size) {
            canvas->frame = QImage(want.size, QImage::Format_ARGB32_Premultiplied);
            canvas->renderer.invalidate();
        }
        return canvas->renderer.renderChanges(canvas->frame, *stage, background, want.antialias);
    }));
}

void MovieView::onFrameDrawn()
{
    QRegion changed = m_drawing->result();
    m_drawing->deleteLater();
    m_drawing = nullptr;
    const QImage& drawn = m_canvas->frame;
    const bool whole = m_frame.size() != drawn.size() || m_drawn.ratio != m_pending.ratio;
    if (whole) {
        m_frame = drawn.copy();
    } else {
        // The renderer redraws whole rows: copy those.
        const qsizetype line = drawn.bytesPerLine();
        for (const QRect& r : changed)
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(m_frame.scanLine(y), drawn.constScanLine(y), size_t(line));
    }
    m_frame.setDevicePixelRatio(m_pending.ratio);
    m_drawn = m_pending;
    if (whole)
        update();
    else if (!changed.isEmpty())
        update(toLogical(changed));
    requestFrame(); // the stage may have moved on meanwhile
}

void MovieView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    requestFrame(); // until it is drawn, the last frame is shown stretched
}

void MovieView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void MovieView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateTimer();
}

void MovieView::paintEvent(QPaintEvent*)
{
    if (m_player) {
        requestFrame();
        QPainter p(this);
        if (m_frame.isNull()) {
            // The first frame is on its way.
            const swf::Rgba c = m_player->background();
            p.fillRect(rect(), QColor(c.r, c.g, c.b));
            return;
        }
        p.drawImage(QRectF(rect()), m_frame);
        return;
    }
    QPainter p(this);
    // Placeholder: while loading and when the file cannot be played.
    p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

} // namespace yelvanis
