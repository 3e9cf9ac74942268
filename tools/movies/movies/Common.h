#pragma once

// Small pieces the movies share: where the sources are, timing curves and
// path shapes.

#include <QPainterPath>
#include <QString>
#include <cmath>
#include <vector>

namespace yelvanis::movies {

QString sourcePath(const QString& relative); // inside the repository
QString fontFile(const QString& name);       // a file of src/content/fonts

constexpr double Pi = 3.14159265358979323846;

inline double clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
inline double smooth(double t) { t = clamp01(t); return t * t * (3 - 2 * t); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
// 0 before `start`, 1 after `start + length`, smooth between.
inline double ramp(double frame, double start, double length) { return smooth((frame - start) / length); }

QPainterPath polygon(const std::vector<QPointF>& points, bool close = true);
QPainterPath ellipse(QPointF centre, double rx, double ry);
QPainterPath rect(double x, double y, double w, double h);
QPainterPath roundRect(double x, double y, double w, double h, double r);
QPainterPath star(QPointF centre, int points, double outer, double inner, double rotation = -Pi / 2);
// A crescent opening to the right, as on the flags.
QPainterPath crescent(QPointF centre, double radius, double inner, double offset);
// The part of `path` from length fraction a to b, for strokes that draw themselves.
QPainterPath subPath(const QPainterPath& path, double a, double b);

} // namespace yelvanis::movies
