#pragma once

// Reads a movie file and decodes its pictures, ready to play. Safe to call
// from any thread: it touches no widget. The result is shared and read-only.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <map>
#include <memory>

#include "runtime/movie/SwfReader.h"

namespace yelvanis {

struct LoadedMovie {
    std::shared_ptr<const swf::Movie> movie;
    std::map<uint16_t, QImage> bitmaps; // premultiplied ARGB32
    QStringList warnings;
};

struct MovieLoadResult {
    std::shared_ptr<const LoadedMovie> loaded; // null when refused
    QString error;
};

MovieLoadResult loadMovieData(const QByteArray& data, const swf::ReadLimits& limits = {});
MovieLoadResult loadMovieFile(const QString& path, const swf::ReadLimits& limits = {});

} // namespace yelvanis
