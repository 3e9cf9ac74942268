#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace yelvanis::stream {

class StreamPlayer;

// The control row a stream player draws in its window: play and pause,
// stop, a seek bar with elapsed and total time, the state, mute and volume.
// Laid out for a window about 40 pixels high; the controls take no focus,
// the player itself does.
class PlayerControls : public QWidget {
    Q_OBJECT
public:
    PlayerControls(StreamPlayer* player, bool withSeekBar);

    QToolButton* playPauseButton() const { return m_playPause; }
    QToolButton* stopButton() const { return m_stop; }
    QToolButton* muteButton() const { return m_mute; }
    QSlider* seekBar() const { return m_seek; }
    QSlider* volumeSlider() const { return m_volume; }
    QLabel* timeLabel() const { return m_time; }
    QLabel* stateLabel() const { return m_status; }

    // "m:ss", or a dash while the time is not known.
    static QString formatTime(qint64 milliseconds, bool known);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refreshState();
    void refreshTime();
    void refreshMute();

    StreamPlayer* m_player;
    QToolButton* m_playPause;
    QToolButton* m_stop;
    QToolButton* m_mute;
    QSlider* m_seek = nullptr;
    QSlider* m_volume;
    QLabel* m_time = nullptr;
    QLabel* m_status;
};

} // namespace yelvanis::stream
