#include "runtime/movie/MovieLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

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
            // Held once: the image reads the parsed pixels where they are,
            // and keeps the movie alive for as long as any copy of it lives.
            pixelsUsed += uint64_t(b->width) * b->height;
            auto* owner = new std::shared_ptr<const swf::Movie>(read.movie);
            loaded->bitmaps[id] = QImage(
                reinterpret_cast<const uchar*>(b->pixels.data()), int(b->width), int(b->height), qsizetype(b->width) * 4,
                QImage::Format_ARGB32_Premultiplied,
                [](void* info) { delete static_cast<std::shared_ptr<const swf::Movie>*>(info); }, owner);
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
