#pragma once

#include "runtime/stream/PlayerSettings.h"
#include "runtime/stream/StreamEngine.h"

#include <QUrl>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QTimer;

namespace yelvanis::audio {
class AudioSource;
}

namespace yelvanis::stream {

class PlayerControls;

// A stream player created from its stored initial settings: with autoStart
// and a URL it fetches and plays the stream by itself, once the event loop
// next turns. Playback runs on one worker thread of the player's own (see
// StreamEngine) into the program's mixer; no call made here waits for the
// network or the decoder. Failures leave the player silent and stopped and
// show no message unless the settings ask for error dialogs.
class StreamPlayer : public QWidget {
    Q_OBJECT
public:
    enum class State { Stopped, Connecting, Buffering, Playing, Paused };
    Q_ENUM(State)

    explicit StreamPlayer(const PlayerSettings& settings, QWidget* parent = nullptr, StreamLimits limits = {});
    ~StreamPlayer() override;

    const PlayerSettings& settings() const { return m_settings; }
    QUrl source() const { return m_source; }
    State state() const { return m_state; }
    // Milliseconds; the position is 0 while stopped, the duration 0 while unknown.
    qint64 position() const;
    qint64 duration() const { return m_duration; }
    bool isSeekable() const { return m_engine && m_seekable; }
    int volume() const { return m_volume; }
    bool isMuted() const { return m_muted; }
    // Whether an engine holds the stream (and its connection) open.
    bool holdsStream() const { return m_engine != nullptr; }
    // The player's voice in the mixer while it holds the stream, else nullptr.
    const audio::AudioSource* audioSource() const;
    PlayerControls* controls() const { return m_controls; }
    QMenu* contextMenu() const { return m_menu; }

    QAction* playAction() const { return m_play; }
    QAction* pauseAction() const { return m_pause; }
    QAction* stopAction() const { return m_stop; }
    QAction* muteAction() const { return m_mute; }

    // Volume on the 0 to 100 scale to a linear gain, following loudness as heard.
    static float gainFor(int volume);

public slots:
    void play();
    void pause();
    void stop();
    void seek(qint64 milliseconds);
    void setVolume(int volume);
    void setMuted(bool muted);

signals:
    void stateChanged(yelvanis::stream::StreamPlayer::State state);
    void positionChanged(qint64 milliseconds);
    void durationChanged(qint64 milliseconds);
    void seekableChanged(bool seekable);
    void volumeChanged(int volume);
    void mutedChanged(bool muted);

protected:
    void hideEvent(QHideEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void startEngine();
    void releaseEngine();
    void engineOpened(int serial, qint64 durationMs, bool seekable);
    void engineEnded(int serial);
    void engineFailed(int serial, const QString& reason);
    void tick();
    void updateState();
    void updateActions();
    void applyVolume();

    PlayerSettings m_settings;
    StreamLimits m_limits;
    QUrl m_source;
    std::unique_ptr<StreamEngine> m_engine;
    int m_serial = 0;
    bool m_opened = false;
    bool m_seekable = false;
    bool m_paused = false;
    qint64 m_lastPosition = 0;
    QTimer* m_ticker = nullptr;
    PlayerControls* m_controls = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_play = nullptr;
    QAction* m_pause = nullptr;
    QAction* m_stop = nullptr;
    QAction* m_mute = nullptr;
    QAction* m_louder = nullptr;
    QAction* m_softer = nullptr;
    State m_state = State::Stopped;
    qint64 m_duration = 0;
    int m_volume = 50;
    bool m_muted = false;
    int m_plays = 0;
    bool m_takenDown = false;
};

} // namespace yelvanis::stream
