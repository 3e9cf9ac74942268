#include "runtime/movie/MovieView.h"

#include <QPainter>
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
    // a frame that changes nothing is not drawn again.
    if (m_player->tick())
        update();
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
    QPainter p(this);
    if (m_player && m_renderer) {
        m_renderer->render(p, *m_player, QRectF(rect()), m_antialias);
        return;
    }
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
