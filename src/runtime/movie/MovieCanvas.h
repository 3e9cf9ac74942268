#pragma once

#include <QImage>
#include <QRegion>
#include <atomic>
#include <memory>
#include <mutex>

#include "runtime/movie/MovieRenderer.h"

namespace yelvanis {

// The frames of one playing view, drawn off the user-interface thread: a
// drawing brings the picture behind up to date while the view shows the
// other, and the view swaps them once it is done. One drawing at a time.
class MovieCanvas {
public:
    explicit MovieCanvas(std::shared_ptr<const LoadedMovie> movie);

    // On a pool thread: draws `stage` at `size` device pixels into the
    // picture behind and returns the pixels that differ from the one shown.
    // Costs the renderer's drawing of those pixels, plus a copy of the rows
    // the last drawing changed.
    QRegion draw(const swf::Clip& stage, swf::Rgba background, QSize size, bool antialias);
    // On the user-interface thread, between drawings: the last drawn
    // picture becomes the one shown.
    void swap() { m_front ^= 1; }
    const QImage& shown() const { return m_pictures[m_front]; }

    // Set when nobody waits for the drawing any more: it stops at the next object.
    std::atomic<bool> cancelled { false };
    // Who gets the finished frames; the view lets go under the lock, which a
    // drawing holds only while it posts its result.
    std::mutex mail;
    QObject* receiver = nullptr;

private:
    MovieRenderer m_renderer;
    QImage m_pictures[2];
    int m_front = 0;
    QRegion m_lastChanged; // rows of the shown picture that the one behind lacks
};

} // namespace yelvanis
