#include "runtime/movie/MovieLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstring>

namespace yelvanis {

namespace {

QImage decodeEncoded(const swf::Bitmap& b, const swf::ReadLimits& limits, uint64_t& pixelsUsed, QString& why)
{
    QByteArray bytes(reinterpret_cast<const char*>(b.encoded.data()), qsizetype(b.encoded.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (!size.isValid()) {
        why = QStringLiteral("undecodable picture");
        return {};
    }
    uint64_t pixels = uint64_t(size.width()) * uint64_t(size.height());
    if (uint32_t(size.width()) > limits.maxBitmapSide || uint32_t(size.height()) > limits.maxBitmapSide
        || pixels > limits.maxBitmapPixels || pixelsUsed + pixels > limits.maxTotalPixels) {
        why = QStringLiteral("picture of %1x%2 exceeds the limit").arg(size.width()).arg(size.height());
        return {};
    }
    pixelsUsed += pixels;
    QImage image = reader.read();
    if (image.isNull()) {
        why = QStringLiteral("undecodable picture");
        return {};
    }
    if (!b.alpha.empty()) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const size_t w = size_t(image.width());
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                size_t i = size_t(y) * w + size_t(x);
                int a = i < b.alpha.size() ? b.alpha[i] : 255;
                QRgb p = line[x];
                line[x] = qRgba(qRed(p), qGreen(p), qBlue(p), a);
            }
        }
        // The colour samples of these pictures are already multiplied by alpha.
        image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                int a = qAlpha(line[x]);
                line[x] = qRgba(std::min(qRed(line[x]), a), std::min(qGreen(line[x]), a), std::min(qBlue(line[x]), a), a);
            }
        }
        return image;
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

MovieLoadResult loadMovieData(const QByteArray& data, const swf::ReadLimits& limits)
{
    MovieLoadResult result;
    swf::ReadResult read = swf::readMovie(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()), limits);
    if (!read.movie) {
        result.error = QString::fromStdString(read.error);
        return result;
    }
    auto loaded = std::make_shared<LoadedMovie>();
    loaded->movie = read.movie;
    for (const std::string& w : read.movie->warnings)
        loaded->warnings << QString::fromStdString(w);
    uint64_t pixelsUsed = 0;
    for (const auto& [id, character] : read.movie->characters) {
        const auto* b = std::get_if<swf::Bitmap>(&character);
        if (!b)
            continue;
        if (b->kind == swf::Bitmap::Kind::Pixels) {
            pixelsUsed += uint64_t(b->width) * b->height;
            QImage image(int(b->width), int(b->height), QImage::Format_ARGB32_Premultiplied);
            for (uint32_t y = 0; y < b->height; ++y)
                std::memcpy(image.scanLine(int(y)), b->pixels.data() + size_t(y) * b->width, size_t(b->width) * 4);
            loaded->bitmaps[id] = image;
            continue;
        }
        QString why;
        QImage image = decodeEncoded(*b, limits, pixelsUsed, why);
        if (image.isNull())
            loaded->warnings << QStringLiteral("bitmap %1: %2").arg(id).arg(why);
        else
            loaded->bitmaps[id] = image;
    }
    result.loaded = std::move(loaded);
    return result;
}

MovieLoadResult loadMovieFile(const QString& path, const swf::ReadLimits& limits)
{
    MovieLoadResult result;
    QFile file(path);
    if (!file.exists()) {
        result.error = QStringLiteral("file not found");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("file cannot be read: %1").arg(file.errorString());
        return result;
    }
    if (uint64_t(file.size()) > limits.maxFileBytes) {
        result.error = QStringLiteral("file exceeds %1 MB").arg(limits.maxFileBytes >> 20);
        return result;
    }
    return loadMovieData(file.readAll(), limits);
}

} // namespace yelvanis
