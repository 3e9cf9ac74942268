#include "runtime/stream/PlayerControls.h"

#include "runtime/stream/StreamPlayer.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QToolButton>

#include <climits>

namespace yelvanis::stream {

namespace {

enum class Glyph { Play, Pause, Stop, Speaker, SpeakerMuted };

const QColor kInk(0xE4, 0xE8, 0xEE);
const QColor kDimInk(0x6A, 0x70, 0x78);

void drawGlyph(QPainter& p, Glyph g, QColor ink)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (g) {
    case Glyph::Play: {
        QPainterPath path;
        path.moveTo(3.5, 2);
        path.lineTo(10.5, 6);
        path.lineTo(3.5, 10);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Glyph::Pause:
        p.drawRect(QRectF(3, 2, 2.5, 8));
        p.drawRect(QRectF(7, 2, 2.5, 8));
        break;
    case Glyph::Stop:
        p.drawRect(QRectF(3, 3, 6, 6));
        break;
    case Glyph::Speaker:
    case Glyph::SpeakerMuted: {
        QPainterPath body;
        body.moveTo(1, 4.5);
        body.lineTo(3.5, 4.5);
        body.lineTo(6.5, 1.5);
        body.lineTo(6.5, 10.5);
        body.lineTo(3.5, 7.5);
        body.lineTo(1, 7.5);
        body.closeSubpath();
        p.drawPath(body);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
        if (g == Glyph::Speaker) {
            p.drawArc(QRectF(5, 3.5, 4, 5), -60 * 16, 120 * 16);
            p.drawArc(QRectF(5, 1.5, 6.5, 9), -60 * 16, 120 * 16);
        } else {
            p.drawLine(QPointF(8, 4), QPointF(11, 8));
            p.drawLine(QPointF(11, 4), QPointF(8, 8));
        }
        break;
    }
    }
}

QIcon glyphIcon(Glyph g)
{
    QIcon icon;
    for (auto [mode, ink] : {std::pair{QIcon::Normal, kInk}, std::pair{QIcon::Disabled, kDimInk}}) {
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        drawGlyph(p, g, ink);
        p.end();
        icon.addPixmap(pm, mode);
    }
    return icon;
}

// The tip is also the name a screen reader announces: the face shows a glyph only.
QToolButton* faceButton(QWidget* parent, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setIconSize(QSize(12, 12));
    b->setAutoRaise(false);
    return b;
}

QSlider* faceSlider(QWidget* parent, const QString& tip)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setFocusPolicy(Qt::NoFocus);
    s->setToolTip(tip);
    s->setAccessibleName(tip);
    return s;
}

const char* kStyle = R"(
QToolButton { border: 1px solid #454a52; border-radius: 3px; padding: 0;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4f58, stop:1 #25282e); }
QToolButton:hover { border-color: #7fa6d6; }
QToolButton:pressed, QToolButton:checked { background: #15171a; }
QToolButton:disabled { border-color: #30343a; background: #1e2126; }
QSlider::groove:horizontal { height: 4px; background: #3b4048; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #5b9be0; border-radius: 2px; }
QSlider::sub-page:horizontal:disabled { background: #3b4048; }
QSlider::handle:horizontal { width: 8px; margin: -3px 0; border-radius: 4px; background: #e4e8ee; }
QSlider::handle:horizontal:disabled { background: #4a4f58; }
QLabel { color: #d6dbe2; background: transparent; }
QLabel:disabled { color: #6a7078; }
)";

} // namespace

PlayerControls::PlayerControls(StreamPlayer* player, bool withSeekBar)
    : QWidget(player), m_player(player)
{
    setStyleSheet(QString::fromLatin1(kStyle));

    m_playPause = faceButton(this, QStringLiteral("Çal / Duraklat"));
    m_stop = faceButton(this, QStringLiteral("Durdur"));
    m_stop->setIcon(glyphIcon(Glyph::Stop));
    m_mute = faceButton(this, QStringLiteral("Sessiz"));
    m_mute->setCheckable(true);
    m_volume = faceSlider(this, QStringLiteral("Ses"));
    m_volume->setRange(0, 100);
    m_volume->setValue(player->volume());
    m_status = new QLabel(this);
    m_status->setAccessibleDescription(QStringLiteral("Durum"));

    if (withSeekBar) {
        m_seek = faceSlider(this, QStringLiteral("Konum"));
        m_seek->setRange(0, 0);
        m_time = new QLabel(this);
        m_time->setAccessibleDescription(QStringLiteral("Geçen süre / toplam süre"));
        m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(m_seek, &QSlider::sliderMoved, this, &PlayerControls::refreshTime);
        connect(m_seek, &QSlider::sliderReleased, this, [this] { m_player->seek(m_seek->value()); });
        connect(player, &StreamPlayer::positionChanged, this, &PlayerControls::refreshTime);
        connect(player, &StreamPlayer::durationChanged, this, &PlayerControls::refreshTime);
        connect(player, &StreamPlayer::seekableChanged, this, &PlayerControls::refreshTime);
    }

    connect(m_playPause, &QToolButton::clicked, this, [this] {
        const auto s = m_player->state();
        s == StreamPlayer::State::Stopped || s == StreamPlayer::State::Paused ? m_player->play() : m_player->pause();
    });
    connect(m_stop, &QToolButton::clicked, player, &StreamPlayer::stop);
    connect(m_mute, &QToolButton::toggled, player, &StreamPlayer::setMuted);
    connect(m_volume, &QSlider::valueChanged, player, &StreamPlayer::setVolume);
    connect(player, &StreamPlayer::volumeChanged, m_volume, &QSlider::setValue);
    connect(player, &StreamPlayer::mutedChanged, this, &PlayerControls::refreshMute);
    connect(player, &StreamPlayer::stateChanged, this, &PlayerControls::refreshState);

    refreshState();
    refreshTime();
    refreshMute();
}

QString PlayerControls::formatTime(qint64 ms, bool known)
{
    if (!known)
        return QStringLiteral("--:--");
    const qint64 s = std::max<qint64>(0, ms) / 1000;
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3").arg(s / 3600).arg(s / 60 % 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10,
                                                                                                       QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

void PlayerControls::refreshState()
{
    const auto s = m_player->state();
    const bool idle = s == StreamPlayer::State::Stopped || s == StreamPlayer::State::Paused;
    m_playPause->setIcon(glyphIcon(idle ? Glyph::Play : Glyph::Pause));
    // Named after what a press does now, as the glyph shows it.
    m_playPause->setAccessibleName(idle ? QStringLiteral("Çal") : QStringLiteral("Duraklat"));
    m_playPause->setEnabled(m_player->playAction()->isEnabled() || m_player->pauseAction()->isEnabled());
    m_stop->setEnabled(m_player->stopAction()->isEnabled());
    switch (s) {
    case StreamPlayer::State::Stopped: m_status->setText(QStringLiteral("Durdu")); break;
    case StreamPlayer::State::Connecting: m_status->setText(QStringLiteral("Bağlanıyor…")); break;
    case StreamPlayer::State::Buffering: m_status->setText(QStringLiteral("Yükleniyor…")); break;
    case StreamPlayer::State::Playing: m_status->setText(QStringLiteral("Çalıyor")); break;
    case StreamPlayer::State::Paused: m_status->setText(QStringLiteral("Duraklatıldı")); break;
    }
    refreshTime();
}

void PlayerControls::refreshTime()
{
    if (!m_seek)
        return;
    const qint64 duration = m_player->duration();
    const bool known = duration > 0;
    const bool dragging = m_seek->isSliderDown();
    const qint64 at = dragging ? m_seek->sliderPosition() : m_player->position();
    if (!dragging) {
        const QSignalBlocker block(m_seek);
        m_seek->setRange(0, int(std::min<qint64>(duration, INT_MAX)));
        m_seek->setValue(int(std::min<qint64>(at, INT_MAX)));
    }
    m_seek->setEnabled(m_player->isSeekable() && known && m_player->settings().enabled);
    const bool running = m_player->state() != StreamPlayer::State::Stopped;
    m_time->setText(formatTime(at, known && running) + QStringLiteral(" / ") + formatTime(duration, known));
}

void PlayerControls::refreshMute()
{
    const QSignalBlocker block(m_mute);
    m_mute->setChecked(m_player->isMuted());
    m_mute->setIcon(glyphIcon(m_player->isMuted() ? Glyph::SpeakerMuted : Glyph::Speaker));
}

void PlayerControls::resizeEvent(QResizeEvent*)
{
    // Two rows: the seek bar and the time above, the buttons below, both
    // inside the top 38 pixels, which every player window shows.
    const int w = width();
    constexpr int kButton = 20, kRowTop = 17, kMargin = 4;
    int x = kMargin;
    m_playPause->setGeometry(x, kRowTop, kButton, kButton - 2);
    x += kButton + 2;
    m_stop->setGeometry(x, kRowTop, kButton, kButton - 2);
    x += kButton + 6;
    const int volumeWidth = 52;
    const int volumeLeft = w - kMargin - 1 - volumeWidth;
    const int muteLeft = volumeLeft - 2 - kButton;
    m_mute->setGeometry(muteLeft, kRowTop, kButton, kButton - 2);
    m_volume->setGeometry(volumeLeft, kRowTop + 1, volumeWidth, kButton - 4);
    m_status->setGeometry(x, kRowTop, std::max(0, muteLeft - 4 - x), kButton - 2);
    if (m_seek) {
        // Room for times up to an hour, so the text never jumps or clips.
        const int timeWidth = m_time->fontMetrics().horizontalAdvance(QStringLiteral("00:00 / 00:00")) + 2;
        m_time->setGeometry(w - kMargin - 1 - timeWidth, 2, timeWidth, 13);
        m_seek->setGeometry(kMargin, 3, std::max(0, w - 2 * kMargin - 1 - timeWidth - 4), 12);
    }
}

} // namespace yelvanis::stream
