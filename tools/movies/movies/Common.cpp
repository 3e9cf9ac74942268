#include "Common.h"

namespace yelvanis::movies {

QString sourcePath(const QString& relative)
{
    return QStringLiteral(YELVANIS_SOURCE_DIR "/") + relative;
}

QString fontFile(const QString& name)
{
    return sourcePath(QStringLiteral("src/content/fonts/") + name);
}

QPainterPath polygon(const std::vector<QPointF>& points, bool close)
{
    QPainterPath p;
    if (points.empty())
        return p;
    p.moveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i)
        p.lineTo(points[i]);
    if (close)
        p.closeSubpath();
    return p;
}

QPainterPath ellipse(QPointF centre, double rx, double ry)
{
    QPainterPath p;
    p.addEllipse(centre, rx, ry);
    return p;
}

QPainterPath rect(double x, double y, double w, double h)
{
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}

QPainterPath roundRect(double x, double y, double w, double h, double r)
{
    QPainterPath p;
    p.addRoundedRect(x, y, w, h, r, r);
    return p;
}

QPainterPath star(QPointF centre, int points, double outer, double inner, double rotation)
{
    std::vector<QPointF> pts;
    for (int i = 0; i < points * 2; ++i) {
        double r = i % 2 ? inner : outer;
        double a = rotation + Pi * i / points;
        pts.emplace_back(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    return polygon(pts);
}

QPainterPath crescent(QPointF centre, double radius, double inner, double offset)
{
    QPainterPath outer = ellipse(centre, radius, radius);
    QPainterPath cut = ellipse(centre + QPointF(offset, 0), inner, inner);
    return outer.subtracted(cut);
}

QPainterPath subPath(const QPainterPath& path, double a, double b)
{
    QPainterPath out;
    if (b <= a)
        return out;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        double t = a + (b - a) * i / steps;
        QPointF p = path.pointAtPercent(std::min(1.0, std::max(0.0, t)));
        if (i == 0)
            out.moveTo(p);
        else
            out.lineTo(p);
    }
    return out;
}

} // namespace yelvanis::movies
