#pragma once

#include <QFutureWatcher>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <memory>

#include "runtime/movie/MovieClock.h"

namespace yelvanis {

struct LoadedMovie;
class MovieCanvas;
struct MovieLoadResult;
namespace swf {
class MoviePlayer;
}

// Plays one movie file in its box, scaled to fit with its aspect ratio kept.
// setMovie() returns at once; a file that cannot be played leaves a quiet
// placeholder and never an error. Loading and drawing happen on pool
// threads: a paint shows the last finished frame and never waits for the next.
// Frames come when a clock says they are due; a frame in which nothing moved
// costs the timeline's step and nothing else.
class MovieView : public QWidget {
    Q_OBJECT
public:
    explicit MovieView(QWidget* parent = nullptr);
    ~MovieView() override;

    void setMovie(const QString& path);
    QString movie() const { return m_path; }
    void play();
    void setLoop(bool loop);
    bool loop() const { return m_loop; }
    bool isPlaying() const { return m_playing; }
    // True once the file is known to be unplayable: the placeholder shows.
    bool isFailed() const { return m_failed; }
    QString failureReason() const { return m_reason; }
    // 1-based frame on the stage; 0 while nothing is loaded.
    int currentFrame() const;
    // True once the file is read and ready to play.
    bool isLoaded() const { return m_player != nullptr; }
    // Whether the movie is drawn anti-aliased (the panel's high quality).
    void setAntialiased(bool on);
    // True when the frame on screen shows the stage as it is now, at this
    // size and quality; false while the next one is being drawn.
    bool isFrameCurrent() const;
    // Where the time comes from; the system's clock unless a test drives its own.
    void setClock(std::unique_ptr<MovieClock> clock);
    // Frames handed to the renderer since the view was made.
    int drawingsStarted() const { return m_drawings; }

signals:
    void failed(const QString& reason);
    void loaded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onLoaded();
    // Takes the timeline's steps that are due and asks for the next wake-up.
    void advance();
    // Starts or stops the wake-ups, as playing, loaded and visible say.
    void updateTimer();
    void schedule();
    void fail(const QString& reason);
    QSize deviceSize() const;
    // Starts drawing the stage as it is now, unless a drawing is under way:
    // when that one ends, the newest stage goes next.
    void requestFrame();
    void onFrameDrawn(const std::shared_ptr<MovieCanvas>& canvas, const QRegion& changed);
    bool hasFrame() const { return !m_drawn.size.isEmpty(); }
    void dropDrawing();
    QRegion toLogical(const QRegion& device) const;

    QString m_path;
    QString m_reason;
    bool m_loop = false;
    bool m_playing = false;
    bool m_failed = false;
    bool m_antialias = true;
    int m_generation = 0;
    int m_drawings = 0;
    std::unique_ptr<MovieClock> m_clock;
    FramePacer m_pacer;
    bool m_ticking = false;
    QFutureWatcher<MovieLoadResult>* m_watcher = nullptr;
    std::shared_ptr<const LoadedMovie> m_movie;
    std::unique_ptr<swf::MoviePlayer> m_player;
    // The renderer and its two pictures: a drawing writes only the one
    // behind, paints read only the one shown.
    std::shared_ptr<MovieCanvas> m_canvas;
    bool m_drawing = false;
    struct FrameState {
        uint64_t version = 0;
        bool antialias = true;
        QSize size;
        double ratio = 1;
    };
    // What the shown picture holds, and what the drawing under way will hold.
    FrameState m_drawn, m_pending;
    FrameState wanted() const; // the stage as it is now, at this size and quality
    bool shows(const FrameState& want) const;
};

} // namespace yelvanis
