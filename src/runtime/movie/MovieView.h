#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace yelvanis {

struct LoadedMovie;
struct MovieLoadResult;
class MovieRenderer;
namespace swf {
class MoviePlayer;
}

// Plays one movie file in its box, scaled to fit with its aspect ratio kept.
// setMovie() returns at once; a file that cannot be played leaves a quiet
// placeholder and never an error.
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
    void advance();
    void updateTimer();
    void fail(const QString& reason);
    // Brings the frame up to date with the stage; returns the device pixels drawn again.
    QRegion refreshFrame();
    QRegion toLogical(const QRegion& device) const;

    QString m_path;
    QString m_reason;
    bool m_loop = false;
    bool m_playing = false;
    bool m_failed = false;
    bool m_antialias = true;
    int m_generation = 0;
    QTimer m_timer;
    QFutureWatcher<MovieLoadResult>* m_watcher = nullptr;
    std::shared_ptr<const LoadedMovie> m_movie;
    std::unique_ptr<swf::MoviePlayer> m_player;
    std::unique_ptr<MovieRenderer> m_renderer;
    // The stage at the widget's device size: paints copy from it, and a new
    // frame of the movie draws into it only what changed.
    QImage m_frame;
    uint64_t m_frameVersion = 0;
    bool m_frameAntialias = true;
};

} // namespace yelvanis
