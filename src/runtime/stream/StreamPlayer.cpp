#include "runtime/stream/StreamPlayer.h"

#include "runtime/stream/PlayerControls.h"

#include "runtime/audio/AudioSource.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace yelvanis::stream {

namespace {

constexpr int kVolumeStep = 10;
// How often the control row hears of the position and the state.
constexpr int kTickMs = 200;

} // namespace

StreamPlayer::StreamPlayer(const PlayerSettings& settings, QWidget* parent, StreamLimits limits)
    : QWidget(parent)
    , m_settings(settings)
    , m_limits(limits)
    , m_source(QUrl(QString::fromStdString(settings.url), QUrl::StrictMode))
    , m_volume(std::clamp<int>(settings.volume, 0, 100))
    , m_muted(settings.mute)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_ticker = new QTimer(this);
    m_ticker->setInterval(kTickMs);
    connect(m_ticker, &QTimer::timeout, this, &StreamPlayer::tick);

    m_play = new QAction(QStringLiteral("Çal"), this);
    m_pause = new QAction(QStringLiteral("Duraklat"), this);
    m_stop = new QAction(QStringLiteral("Durdur"), this);
    m_mute = new QAction(QStringLiteral("Sessiz"), this);
    m_mute->setCheckable(true);
    m_mute->setChecked(m_muted);
    m_louder = new QAction(QStringLiteral("Sesi Artır"), this);
    m_softer = new QAction(QStringLiteral("Sesi Azalt"), this);
    connect(m_play, &QAction::triggered, this, &StreamPlayer::play);
    connect(m_pause, &QAction::triggered, this, &StreamPlayer::pause);
    connect(m_stop, &QAction::triggered, this, &StreamPlayer::stop);
    connect(m_mute, &QAction::toggled, this, &StreamPlayer::setMuted);
    connect(m_louder, &QAction::triggered, this, [this] { setVolume(m_volume + kVolumeStep); });
    connect(m_softer, &QAction::triggered, this, [this] { setVolume(m_volume - kVolumeStep); });

    m_menu = new QMenu(this);
    m_menu->addAction(m_play);
    m_menu->addAction(m_pause);
    m_menu->addAction(m_stop);
    m_menu->addSeparator();
    m_menu->addAction(m_mute);
    m_menu->addAction(m_louder);
    m_menu->addAction(m_softer);
    setContextMenuPolicy(settings.enableContextMenu ? Qt::DefaultContextMenu : Qt::NoContextMenu);

    const QString mode = QString::fromStdString(settings.uiMode).toLower();
    if (mode == QLatin1String("full") || mode == QLatin1String("mini"))
        m_controls = new PlayerControls(this, mode == QLatin1String("full"));
    if (!settings.enabled) {
        if (m_controls)
            m_controls->setEnabled(false);
        m_menu->setEnabled(false);
    }
    updateActions();

    if (settings.autoStart && m_source.isValid() && !m_source.isEmpty()) {
        // Started once the event loop turns, so the window shows first; a
        // player taken down before then never starts.
        QTimer::singleShot(0, this, [this] {
            if (!m_takenDown)
                play();
        });
    }
}

StreamPlayer::~StreamPlayer()
{
    releaseEngine();
}

qint64 StreamPlayer::position() const
{
    return m_engine && m_opened ? m_engine->source().positionMs() : 0;
}

const audio::AudioSource* StreamPlayer::audioSource() const
{
    return m_engine ? &m_engine->source() : nullptr;
}

float StreamPlayer::gainFor(int volume)
{
    // A logarithmic control: half way is a tenth of the amplitude or so, as
    // desktop volume controls go, and 0 is silence.
    const float v = std::clamp(volume, 0, 100) / 100.0f;
    return v > 0.99f ? 1.0f : float(-std::log(1.0 - v) / std::log(100.0));
}

void StreamPlayer::play()
{
    if (m_source.isEmpty() || !m_source.isValid())
        return;
    if (!m_engine) {
        m_plays = 0;
        startEngine();
    } else if (m_paused) {
        m_paused = false;
        m_engine->source().setPaused(false);
    }
    updateState();
}

void StreamPlayer::pause()
{
    if (m_engine && !m_paused) {
        m_paused = true;
        m_engine->source().setPaused(true);
    }
    updateState();
}

void StreamPlayer::stop()
{
    // Joins the worker, which a blocked read does not hold up: it is
    // interrupted. Play builds a new engine from the start.
    releaseEngine();
    emit positionChanged(0);
    updateState();
}

void StreamPlayer::seek(qint64 milliseconds)
{
    if (isSeekable())
        m_engine->seek(std::clamp<qint64>(milliseconds, 0, m_duration > 0 ? m_duration : milliseconds));
}

void StreamPlayer::setVolume(int volume)
{
    volume = std::clamp(volume, 0, 100);
    if (volume == m_volume)
        return;
    m_volume = volume;
    applyVolume();
    emit volumeChanged(m_volume);
}

void StreamPlayer::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    m_mute->setChecked(muted);
    applyVolume();
    emit mutedChanged(m_muted);
}

void StreamPlayer::startEngine()
{
    // Only normal speed is offered, as every stored record asks.
    const qint64 startMs = qint64(std::max(0.0, m_settings.currentPosition) * 1000.0);
    m_engine = std::make_unique<StreamEngine>(m_source.toString(QUrl::FullyEncoded).toStdString(), startMs, m_limits,
                                              ++m_serial);
    m_opened = false;
    m_seekable = false;
    m_paused = false;
    m_lastPosition = 0;
    applyVolume();
    connect(m_engine.get(), &StreamEngine::opened, this, &StreamPlayer::engineOpened);
    connect(m_engine.get(), &StreamEngine::ended, this, &StreamPlayer::engineEnded);
    connect(m_engine.get(), &StreamEngine::failed, this, &StreamPlayer::engineFailed);
    m_engine->start();
    m_ticker->start();
}

void StreamPlayer::releaseEngine()
{
    std::unique_ptr<StreamEngine> engine = std::move(m_engine);
    m_ticker->stop();
    m_opened = false;
    m_seekable = false;
    m_paused = false;
    if (!engine)
        return;
    engine->disconnect(this);
    engine->stop();
}

void StreamPlayer::engineOpened(int serial, qint64 durationMs, bool seekable)
{
    if (!m_engine || serial != m_serial)
        return;
    m_opened = true;
    if (durationMs > 0 && durationMs != m_duration) {
        m_duration = durationMs;
        emit durationChanged(durationMs);
    }
    if (seekable != m_seekable) {
        m_seekable = seekable;
        emit seekableChanged(seekable);
    }
    updateState();
}

void StreamPlayer::engineEnded(int serial)
{
    if (!m_engine || serial != m_serial)
        return;
    releaseEngine();
    if (++m_plays < std::max(1, int(m_settings.playCount)))
        startEngine();
    emit positionChanged(0);
    updateState();
}

void StreamPlayer::engineFailed(int serial, const QString& reason)
{
    if (!m_engine || serial != m_serial)
        return;
    releaseEngine();
    if (m_duration != 0) {
        m_duration = 0;
        emit durationChanged(0);
    }
    emit seekableChanged(false);
    emit positionChanged(0);
    updateState();
    if (m_settings.enableErrorDialogs) {
        auto* box = new QMessageBox(QMessageBox::Warning, window()->windowTitle(), reason, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    }
}

void StreamPlayer::tick()
{
    updateState();
    const qint64 at = position();
    if (at != m_lastPosition) {
        m_lastPosition = at;
        emit positionChanged(at);
    }
}

void StreamPlayer::updateState()
{
    State s = State::Stopped;
    if (m_engine) {
        if (m_paused)
            s = State::Paused;
        else if (!m_opened)
            s = State::Connecting;
        else
            s = m_engine->source().isFlowing() ? State::Playing : State::Buffering;
    }
    if (s == m_state)
        return;
    m_state = s;
    updateActions();
    emit stateChanged(s);
}

void StreamPlayer::updateActions()
{
    const bool running = m_state != State::Stopped && m_state != State::Paused;
    const bool usable = m_settings.enabled && m_source.isValid() && !m_source.isEmpty();
    m_play->setEnabled(usable && !running);
    m_pause->setEnabled(usable && running);
    m_stop->setEnabled(usable && m_state != State::Stopped);
}

void StreamPlayer::applyVolume()
{
    if (!m_engine)
        return;
    m_engine->source().setGain(gainFor(m_volume));
    m_engine->source().setMuted(m_muted);
}

void StreamPlayer::hideEvent(QHideEvent* event)
{
    // A hide that the program asks for is the screen going away: stop and
    // let go of the stream now. Minimizing is a spontaneous hide and goes on
    // playing.
    if (!event->spontaneous()) {
        m_takenDown = true;
        stop();
    }
    QWidget::hideEvent(event);
}

void StreamPlayer::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_settings.enableContextMenu || !m_settings.enabled) {
        event->ignore();
        return;
    }
    m_menu->popup(event->globalPos());
    event->accept();
}

void StreamPlayer::keyPressEvent(QKeyEvent* event)
{
    if (!m_settings.enabled) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        m_state == State::Stopped || m_state == State::Paused ? play() : pause();
        break;
    case Qt::Key_M:
        setMuted(!m_muted);
        break;
    case Qt::Key_Up:
        setVolume(m_volume + kVolumeStep);
        break;
    case Qt::Key_Down:
        setVolume(m_volume - kVolumeStep);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void StreamPlayer::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0, QColor(0x2A, 0x2D, 0x33));
    face.setColorAt(1, QColor(0x0E, 0x0F, 0x12));
    p.fillRect(rect(), face);
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x9A, 0xB8, 0xE0), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StreamPlayer::resizeEvent(QResizeEvent*)
{
    if (m_controls)
        m_controls->setGeometry(rect());
}

} // namespace yelvanis::stream
