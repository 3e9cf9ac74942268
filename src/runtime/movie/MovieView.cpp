#include "runtime/movie/MovieView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>
#include <mutex>

#include "runtime/movie/MovieCanvas.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"

namespace yelvanis {

MovieView::MovieView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_clock = makeSystemClock();
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
    if (m_canvas) {
        m_canvas->cancelled = true;
        std::lock_guard lock(m_canvas->mail);
        m_canvas->receiver = nullptr;
    }
    m_canvas.reset();
    m_drawing = false;
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
    m_canvas = std::make_shared<MovieCanvas>(m_movie);
    m_canvas->receiver = this;
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

void MovieView::setClock(std::unique_ptr<MovieClock> clock)
{
    m_clock->cancel();
    m_clock = std::move(clock);
    m_ticking = false;
    updateTimer();
}

void MovieView::updateTimer()
{
    const bool run = m_playing && m_player && isVisible();
    if (!run) {
        m_clock->cancel();
        m_ticking = false;
        return;
    }
    if (m_ticking)
        return;
    // Counted afresh from now: a panel shown again goes on where it stopped.
    m_ticking = true;
    // At most 120 frames a second, so that a file's rate cannot flood the
    // event loop, and at least one a minute.
    const double fps = m_movie->movie->header.frameRate;
    m_pacer.start(m_clock->now(), fps > 0 ? std::clamp(fps, 1.0 / 60, 120.0) : 12.0);
    schedule();
}

void MovieView::schedule()
{
    m_clock->wakeAt(m_pacer.next(), [this] { advance(); });
}

void MovieView::advance()
{
    if (!m_player || !m_ticking)
        return;
    // A panel that fell behind takes every step it missed and draws only
    // the last; after a stall of more than a second it goes on from there.
    const int64_t steps = m_pacer.take(m_clock->now(), std::max<int64_t>(1, std::llround(m_pacer.rate())));
    // Timelines inside go on even when the main one stopped on a stop action;
    // a frame that changes nothing is not drawn again, and one that changes
    // a little is drawn and painted only there.
    bool changed = false;
    const MovieClock::Time began = m_clock->now();
    for (int64_t i = 0; i < steps; ++i) {
        changed = m_player->tick() || changed;
        // Steps slower than the movie's time: the rest are dropped, or
        // catching up would hold the user-interface thread ever longer.
        if (i + 1 < steps && m_clock->now() - began > m_pacer.interval()) {
            m_pacer.start(m_clock->now(), m_pacer.rate());
            break;
        }
    }
    if (changed)
        requestFrame();
    schedule();
}

QRegion MovieView::toLogical(const QRegion& device) const
{
    const double ratio = m_drawn.ratio;
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

MovieView::FrameState MovieView::wanted() const
{
    return { m_player ? m_player->stageVersion() : 0, m_antialias, deviceSize(), devicePixelRatioF() };
}

bool MovieView::shows(const FrameState& want) const
{
    return m_player && hasFrame() && m_drawn.version == want.version && m_drawn.antialias == want.antialias
        && m_drawn.size == want.size && m_drawn.ratio == want.ratio;
}

bool MovieView::isFrameCurrent() const
{
    return shows(wanted());
}

void MovieView::requestFrame()
{
    if (!m_player || !m_canvas || m_drawing)
        return;
    // Asked once: the screen's pixel ratio takes a few look-ups.
    const FrameState want = wanted();
    if (shows(want) || want.size.isEmpty())
        return;
    m_pending = want;
    ++m_drawings;
    // The stage is copied: the timeline plays on while the copy is drawn.
    auto stage = std::make_shared<const swf::Clip>(swf::copyStage(m_player->root()));
    const swf::Rgba background = m_player->background();
    std::shared_ptr<MovieCanvas> canvas = m_canvas;
    m_drawing = true;
    // Drawn on a thread of Qt's own pool, whose large fills then run on that
    // thread rather than being split over the pool and waited for. One event
    // comes back per frame.
    QThreadPool::globalInstance()->start([this, canvas, stage, background, want] {
        QRegion changed;
        if (!canvas->cancelled)
            changed = canvas->draw(*stage, background, want.size, want.antialias);
        std::lock_guard lock(canvas->mail);
        // Posted to the view while it lives; dropped with it if it goes first.
        if (canvas->receiver)
            QMetaObject::invokeMethod(
                canvas->receiver, [this, canvas, changed] { onFrameDrawn(canvas, changed); }, Qt::QueuedConnection);
    });
}

void MovieView::onFrameDrawn(const std::shared_ptr<MovieCanvas>& canvas, const QRegion& changed)
{
    if (canvas != m_canvas)
        return; // drawn for a movie since dropped
    m_drawing = false;
    m_canvas->swap();
    const bool whole = m_drawn.size != m_pending.size || m_drawn.ratio != m_pending.ratio;
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
        if (!hasFrame()) {
            // The first frame is on its way.
            const swf::Rgba c = m_player->background();
            p.fillRect(rect(), QColor(c.r, c.g, c.b));
            return;
        }
        // The frame is opaque: copied, not blended. Drawn pixel for pixel
        // unless the size changed and the next one is on its way.
        const QImage& frame = m_canvas->shown();
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRectF(rect()), frame, QRectF(frame.rect()));
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
