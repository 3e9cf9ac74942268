#pragma once

// Shorelines from the binned shoreline files that Debian ships (netCDF). The
// files cut every polygon into pieces, one per 10-degree bin; pieces of one
// polygon share its id and meet end to start at the bin edges, so chaining
// them gives the whole polygons back. Throws std::runtime_error when the file
// cannot be read.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

namespace yelvanis::movies {

struct ShorePolygon {
    int level = 1;                 // 1 land, 2 lake, 3 island in a lake, 4 pond
    std::vector<QPointF> lonLat;   // degrees, longitude -180..180
    QRectF bounds;                 // in degrees
};

// Polygons of the given levels whose bounds meet `window` (x longitude, y latitude).
std::vector<ShorePolygon> readShorelines(const QString& file, const QRectF& window, int maxLevel = 2);

} // namespace yelvanis::movies
