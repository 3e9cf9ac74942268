#include "runtime/movie/MovieView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

namespace yelvanis {

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
    // A load still running finishes on its own; its result is dropped.
    if (m_watcher)
        m_watcher->disconnect(this);
}

void MovieView::setMovie(const QString& path)
{
    m_path = path;
    m_failed = false;
    m_reason.clear();
    m_player.reset();
    m_renderer.reset();
    m_movie.reset();
    m_frame = QImage();
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
    m_renderer = std::make_unique<MovieRenderer>(m_movie);
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
    update();
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
    // a little is painted only there.
    if (!m_player->tick() || m_frame.isNull())
        return;
    update(toLogical(refreshFrame()));
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

QRegion MovieView::refreshFrame()
{
    const double ratio = devicePixelRatioF();
    const QSize size(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (m_frame.size() != size) {
        m_frame = size.isEmpty() ? QImage() : QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_renderer->invalidate();
    }
    if (m_frame.isNull())
        return {};
    // Painting from outside the global thread pool, Qt hands the spans of
    // every large fill to the pool's threads and waits for them; drawing the
    // whole frame on one of those threads spares that, once per fill.
    QRegion changed;
    QSemaphore done;
    auto draw = [&] { changed = m_renderer->renderChanges(m_frame, *m_player, m_antialias); };
    if (QThreadPool::globalInstance()->tryStart([&] {
            draw();
            done.release();
        }))
        done.acquire();
    else
        draw(); // no thread free (movies loading): here, as well
    m_frame.setDevicePixelRatio(ratio);
    m_frameVersion = m_player->stageVersion();
    m_frameAntialias = m_antialias;
    return changed;
}

void MovieView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_frame = QImage(); // the whole widget is painted again at its new size
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

void MovieView::paintEvent(QPaintEvent* event)
{
    if (m_player && m_renderer) {
        if (m_frame.isNull() || m_frameVersion != m_player->stageVersion() || m_frameAntialias != m_antialias
            || m_frame.devicePixelRatio() != devicePixelRatioF()) {
            // Changes outside this paint still have to reach the screen.
            const QRegion rest = toLogical(refreshFrame()) - event->region();
            if (!rest.isEmpty())
                update(rest);
        }
        QPainter p(this);
        if (m_frame.isNull())
            return;
        // Paints from elsewhere (exposure, widgets above) only copy.
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
