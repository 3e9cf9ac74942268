#include "runtime/stream/StreamPlayer.h"

#include "runtime/stream/PlayerControls.h"

#include <QAction>
#include <QAudioOutput>
#include <QContextMenuEvent>
#include <QMediaPlayer>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QtMultimedia/QAudio>

#include <algorithm>
#include <utility>

namespace yelvanis::stream {

namespace {

constexpr int kVolumeStep = 10;

} // namespace

StreamPlayer::StreamPlayer(const PlayerSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_source(QUrl(QString::fromStdString(settings.url), QUrl::StrictMode))
    , m_volume(std::clamp<int>(settings.volume, 0, 100))
    , m_muted(settings.mute)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

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
    releaseEngine(true);
}

qint64 StreamPlayer::position() const
{
    return m_engine ? m_engine->position() : 0;
}

bool StreamPlayer::isSeekable() const
{
    return m_engine && m_engine->isSeekable();
}

float StreamPlayer::gainFor(int volume)
{
    // The 0 to 100 scale follows loudness as heard, as a volume control should.
    return QAudio::convertVolume(std::clamp(volume, 0, 100) / 100.0f, QAudio::LogarithmicVolumeScale,
                                 QAudio::LinearVolumeScale);
}

void StreamPlayer::play()
{
    if (m_source.isEmpty() || !m_source.isValid())
        return;
    if (!m_engine) {
        m_plays = 0;
        startEngine();
    } else if (m_engine->playbackState() != QMediaPlayer::PlayingState) {
        m_engine->play();
    }
    updateState();
}

void StreamPlayer::pause()
{
    if (m_engine && m_engine->playbackState() == QMediaPlayer::PlayingState)
        m_engine->pause();
    updateState();
}

void StreamPlayer::stop()
{
    // The engine's own stop waits for a pipeline that may never preroll when
    // the network is bad; dropping the engine returns at once and closes the
    // connection. Play builds a new one from the start.
    releaseEngine(true);
    emit positionChanged(0);
    updateState();
}

void StreamPlayer::seek(qint64 milliseconds)
{
    if (isSeekable())
        m_engine->setPosition(std::max<qint64>(0, milliseconds));
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
    m_engine = new QMediaPlayer(this);
    m_output = new QAudioOutput(m_engine);
    m_engine->setAudioOutput(m_output);
    applyVolume();
    m_startPositionApplied = m_settings.currentPosition <= 0.0;

    connect(m_engine, &QMediaPlayer::mediaStatusChanged, this, &StreamPlayer::engineStatusChanged);
    connect(m_engine, &QMediaPlayer::playbackStateChanged, this, &StreamPlayer::updateState);
    connect(m_engine, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) { engineFailed(reason); });
    connect(m_engine, &QMediaPlayer::positionChanged, this, &StreamPlayer::positionChanged);
    connect(m_engine, &QMediaPlayer::seekableChanged, this, &StreamPlayer::seekableChanged);
    connect(m_engine, &QMediaPlayer::durationChanged, this, [this](qint64 d) {
        if (d > 0 && d != m_duration) {
            m_duration = d;
            emit durationChanged(d);
        }
    });

    m_engine->setSource(m_source);
    if (m_settings.rate > 0.0 && m_settings.rate != 1.0)
        m_engine->setPlaybackRate(m_settings.rate);
    m_engine->play();
}

void StreamPlayer::releaseEngine(bool now)
{
    QMediaPlayer* engine = std::exchange(m_engine, nullptr);
    m_output = nullptr;
    if (!engine)
        return;
    engine->disconnect(this);
    if (now)
        delete engine;
    else
        engine->deleteLater();
}

void StreamPlayer::engineStatusChanged()
{
    if (!m_engine)
        return;
    switch (m_engine->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        if (!m_startPositionApplied && m_engine->isSeekable()) {
            m_startPositionApplied = true;
            m_engine->setPosition(qint64(m_settings.currentPosition * 1000.0));
        }
        break;
    case QMediaPlayer::EndOfMedia:
        if (++m_plays < std::max(1, int(m_settings.playCount))) {
            m_engine->setPosition(0);
            m_engine->play();
            break;
        }
        releaseEngine(false);
        emit positionChanged(0);
        break;
    case QMediaPlayer::InvalidMedia:
        engineFailed(QStringLiteral("Akış çalınamıyor."));
        return;
    default:
        break;
    }
    updateState();
}

void StreamPlayer::engineFailed(const QString& reason)
{
    if (!m_engine)
        return;
    releaseEngine(false);
    if (m_duration != 0) {
        m_duration = 0;
        emit durationChanged(0);
    }
    emit positionChanged(0);
    updateState();
    if (m_settings.enableErrorDialogs) {
        auto* box = new QMessageBox(QMessageBox::Warning, window()->windowTitle(), reason, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    }
}

void StreamPlayer::updateState()
{
    State s = State::Stopped;
    if (m_engine) {
        switch (m_engine->playbackState()) {
        case QMediaPlayer::StoppedState:
            s = State::Stopped;
            break;
        case QMediaPlayer::PausedState:
            s = State::Paused;
            break;
        case QMediaPlayer::PlayingState:
            switch (m_engine->mediaStatus()) {
            case QMediaPlayer::LoadedMedia:
            case QMediaPlayer::BufferedMedia:
                s = State::Playing;
                break;
            case QMediaPlayer::BufferingMedia:
            case QMediaPlayer::StalledMedia:
                s = State::Buffering;
                break;
            case QMediaPlayer::EndOfMedia:
            case QMediaPlayer::InvalidMedia:
                s = State::Stopped;
                break;
            default:
                s = State::Connecting;
                break;
            }
            break;
        }
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
    if (!m_output)
        return;
    m_output->setVolume(gainFor(m_volume));
    m_output->setMuted(m_muted);
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
