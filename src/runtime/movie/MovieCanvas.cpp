#include "runtime/movie/MovieCanvas.h"

#include <cstring>

namespace yelvanis {

MovieCanvas::MovieCanvas(std::shared_ptr<const LoadedMovie> movie)
    : m_renderer(std::move(movie))
{
    m_renderer.setCancelFlag(&cancelled);
}

QRegion MovieCanvas::draw(const swf::Clip& stage, swf::Rgba background, QSize size, bool antialias)
{
    // The shown picture is only read here, and the view only reads it too.
    const QImage& front = m_pictures[m_front];
    QImage& back = m_pictures[m_front ^ 1];
    if (back.size() != size) {
        if (front.size() == size) {
            back = front.copy();
        } else {
            back = QImage(size, QImage::Format_ARGB32_Premultiplied);
            m_renderer.invalidate();
        }
    } else if (front.size() != size) {
        m_renderer.invalidate(); // what it holds is from a size long gone
    } else {
        // The renderer redraws whole rows: copy those.
        const size_t line = size_t(back.bytesPerLine());
        for (const QRect& r : m_lastChanged)
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(back.scanLine(y), front.constScanLine(y), line);
    }
    m_lastChanged = m_renderer.renderChanges(back, stage, background, antialias);
    return m_lastChanged;
}

} // namespace yelvanis
