// yelvanis-swf: what the movie engine makes of a file.
//   info FILE                          header and tags as JSON, or the refusal
//   render FILE FRAME OUT.png [WxH]    the stage after FRAME frames (1 is the first)
//   bench FILE...                      parse and render figures

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "common/Usage.h"
#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace yelvanis;

namespace {

const tools::Usage kUsage("yelvanis-swf",
    "usage: yelvanis-swf info FILE\n"
    "       yelvanis-swf render FILE FRAME OUT.png [WIDTHxHEIGHT] [--aliased]\n"
    "       yelvanis-swf bench FILE...\n"
    "  info    the header and tags as JSON, or why the movie is refused\n"
    "  render  the stage after FRAME frames (1 is the first) as a PNG picture\n"
    "  bench   parse and render figures for each file\n");

QJsonObject rectJson(const swf::Rect& r)
{
    return { { "xMin", r.xMin }, { "xMax", r.xMax }, { "yMin", r.yMin }, { "yMax", r.yMax } };
}

int info(const QString& path)
{
    MovieLoadResult r = loadMovieFile(path);
    QJsonObject out;
    out["file"] = path;
    if (!r.loaded) {
        out["refused"] = r.error;
        std::printf("%s\n", QJsonDocument(out).toJson().constData());
        return 1;
    }
    const swf::Movie& m = *r.loaded->movie;
    QJsonObject header;
    header["signature"] = QString::fromLatin1(m.header.signature, 3);
    header["version"] = m.header.version;
    header["fileLength"] = double(m.header.fileLength);
    header["stage"] = rectJson(m.header.stage);
    header["stagePixels"] = QStringLiteral("%1x%2").arg(m.header.stage.width() / 20.0).arg(m.header.stage.height() / 20.0);
    header["frameRate"] = m.header.frameRate;
    header["frameCount"] = m.header.frameCount;
    out["header"] = header;
    out["as3"] = m.as3;
    out["framesOnTimeline"] = int(m.timeline.frames.size());
    if (m.background)
        out["background"] = QStringLiteral("#%1%2%3")
                                .arg(m.background->r, 2, 16, QLatin1Char('0'))
                                .arg(m.background->g, 2, 16, QLatin1Char('0'))
                                .arg(m.background->b, 2, 16, QLatin1Char('0'));
    QJsonArray tags;
    for (const swf::TagInfo& t : m.tags) {
        QJsonObject o { { "code", t.code }, { "name", swf::tagName(t.code) }, { "offset", double(t.offset) }, { "length", double(t.length) } };
        if (t.nesting)
            o["inSprite"] = true;
        if (t.characterId)
            o["id"] = *t.characterId;
        tags.append(o);
    }
    out["tags"] = tags;
    QJsonArray characters;
    for (const auto& [id, c] : m.characters) {
        QJsonObject o { { "id", id } };
        static const char* kinds[] = { "none", "shape", "morph", "bitmap", "font", "text", "edittext", "sprite" };
        o["kind"] = kinds[c.index()];
        if (const auto* shape = std::get_if<swf::Shape>(&c)) {
            o["bounds"] = rectJson(shape->bounds);
            o["records"] = int(shape->records.size());
            QJsonArray fills;
            for (const swf::FillStyle& f : shape->fills) {
                static const char* fk[] = { "solid", "linear", "radial", "focal", "bitmap" };
                QJsonObject fo { { "kind", fk[int(f.kind)] } };
                auto hex = [](swf::Rgba c) { return QString::asprintf("#%02x%02x%02x%02x", c.r, c.g, c.b, c.a); };
                if (f.kind == swf::FillStyle::Kind::Solid)
                    fo["color"] = hex(f.color);
                QJsonArray stops;
                for (const swf::GradientStop& st : f.gradient.stops)
                    stops.append(QStringLiteral("%1:%2").arg(st.ratio).arg(hex(st.color)));
                if (!stops.isEmpty())
                    fo["stops"] = stops;
                if (f.kind == swf::FillStyle::Kind::Bitmap)
                    fo["bitmap"] = f.bitmapId;
                fills.append(fo);
            }
            o["fills"] = fills;
            QJsonArray lines;
            for (const swf::LineStyle& l : shape->lines) {
                QJsonObject lo { { "width", l.width } };
                if (l.noHScale)
                    lo["noHScale"] = true;
                if (l.noVScale)
                    lo["noVScale"] = true;
                if (l.fill)
                    lo["filled"] = true;
                lines.append(lo);
            }
            o["lines"] = lines;
        } else if (std::holds_alternative<swf::Bitmap>(c)) {
            auto it = r.loaded->bitmaps.find(id);
            if (it != r.loaded->bitmaps.end())
                o["size"] = QStringLiteral("%1x%2").arg(it->second.width()).arg(it->second.height());
        } else if (const auto* sp = std::get_if<swf::Sprite>(&c)) {
            o["frames"] = int(sp->timeline->frames.size());
        } else if (const auto* f = std::get_if<swf::Font>(&c)) {
            o["name"] = QString::fromStdString(f->name);
            o["glyphs"] = int(f->glyphs.size());
        }
        characters.append(o);
    }
    out["characters"] = characters;
    QJsonArray warnings;
    for (const QString& w : r.loaded->warnings)
        warnings.append(w);
    out["warnings"] = warnings;
    std::printf("%s\n", QJsonDocument(out).toJson().constData());
    return 0;
}

QImage renderFrame(const std::shared_ptr<const LoadedMovie>& movie, int frame, QSize size, bool antialias)
{
    swf::MoviePlayer player(movie->movie);
    for (int i = 1; i < frame; ++i)
        player.tick();
    MovieRenderer renderer(movie);
    renderer.setTimeBudget(0); // the whole picture, however long it takes
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    QPainter p(&img);
    renderer.render(p, player, QRectF(QPointF(0, 0), QSizeF(size)), antialias);
    p.end();
    return img;
}

QSize stageSize(const swf::Movie& m)
{
    return QSize(std::max(1, int(std::lround(m.header.stage.width() / 20.0))), std::max(1, int(std::lround(m.header.stage.height() / 20.0))));
}

struct RenderArgs {
    QString file, out;
    int frame = 1;
    QSize size; // empty: the stage's own size
    bool antialias = true;
};

// Checked before anything starts, so that a bad call does no work.
RenderArgs renderArgs(const QStringList& args)
{
    RenderArgs a;
    QStringList rest;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--aliased"))
            a.antialias = false;
        else if (arg.startsWith(QLatin1String("--")))
            kUsage.refuse("unknown option '" + arg.toStdString() + "'");
        else
            rest << arg;
    }
    if (rest.size() < 3 || rest.size() > 4)
        kUsage.refuse("render takes FILE FRAME OUT.png [WIDTHxHEIGHT]");
    a.file = rest[0];
    a.frame = int(kUsage.number(rest[1].toLocal8Bit().constData(), 1, 1000000));
    a.out = rest[2];
    if (rest.size() == 4) {
        const QStringList wh = rest[3].split('x');
        if (wh.size() != 2 || wh[0].toInt() <= 0 || wh[1].toInt() <= 0 || wh[0].toInt() > 8192 || wh[1].toInt() > 8192)
            kUsage.refuse("not a size from 1x1 to 8192x8192: '" + rest[3].toStdString() + "'");
        a.size = QSize(wh[0].toInt(), wh[1].toInt());
    }
    return a;
}

int render(const RenderArgs& a)
{
    MovieLoadResult r = loadMovieFile(a.file);
    if (!r.loaded) {
        std::fprintf(stderr, "refused: %s\n", qPrintable(r.error));
        return 1;
    }
    const QSize size = a.size.isEmpty() ? stageSize(*r.loaded->movie) : a.size;
    QImage img = renderFrame(r.loaded, a.frame, size, a.antialias);
    if (!img.save(a.out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(a.out));
        return 1;
    }
    return 0;
}

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

int bench(const QStringList& files)
{
    std::printf("%-40s %9s %10s %10s %12s %12s %10s\n", "file", "bytes", "parse ms", "ms per MB", "ms/frame 401", "ms/frame 601", "cpu share");
    int unreadable = 0;
    for (const QString& path : files) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            ++unreadable;
            continue;
        }
        QByteArray data = f.readAll();
        const int parseRuns = 5;
        // The best of several runs: the machine may be busy with other work.
        QElapsedTimer t;
        MovieLoadResult r;
        double parseMs = 1e300;
        for (int i = 0; i < parseRuns; ++i) {
            r = {}; // freeing the previous result is not part of parsing
            t.start();
            r = loadMovieData(data);
            parseMs = std::min(parseMs, t.nsecsElapsed() / 1e6);
        }
        double perMb = parseMs / std::max(1e-6, data.size() / 1048576.0);
        QString name = QFileInfo(path).fileName();
        if (QFileInfo(path).dir().dirName() != "." && name == "test.swf")
            name = QFileInfo(path).dir().dirName();
        if (!r.loaded) {
            std::printf("%-40s %9lld %10.3f %10.2f %12s %12s %10s  refused: %s\n", qPrintable(name.left(40)), (long long)data.size(), parseMs, perMb, "-", "-", "-",
                        qPrintable(r.error));
            continue;
        }
        // Panel sizes: the main screen's (401x153) and the largest, the maps screen's (601x433).
        double fps = r.loaded->movie->header.frameRate > 0 ? r.loaded->movie->header.frameRate : 12;
        double ms[2] = { 0, 0 }, share = 0;
        const QSize sizes[2] = { QSize(401, 153), QSize(601, 433) };
        for (int k = 0; k < 2; ++k) {
            swf::MoviePlayer player(r.loaded->movie);
            MovieRenderer renderer(r.loaded);
            QImage img(sizes[k], QImage::Format_ARGB32_Premultiplied);
            const int frames = 60;
            double cpu0 = cpuSeconds();
            t.restart();
            for (int i = 0; i < frames; ++i) {
                player.tick();
                QPainter p(&img);
                renderer.render(p, player, QRectF(img.rect()), true);
            }
            ms[k] = t.nsecsElapsed() / 1e6 / frames;
            if (k == 0)
                share = (cpuSeconds() - cpu0) * 1000 / frames * fps / 1000.0 * 100.0; // of one core while playing
        }
        std::printf("%-40s %9lld %10.3f %10.2f %12.3f %12.3f %9.2f%%\n", qPrintable(name.left(40)), (long long)data.size(), parseMs, perMb, ms[0], ms[1], share);
    }
    return unreadable ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    kUsage.answerHelp(argc, argv);
    if (argc < 2)
        kUsage.refuse("no command given");
    const std::string command = argv[1];
    if (command != "info" && command != "render" && command != "bench")
        kUsage.refuse("unknown command '" + command + "'");
    if (command == "info" && argc != 3)
        kUsage.refuse("info takes one FILE");
    if (command == "bench" && argc < 3)
        kUsage.refuse("bench takes one FILE or more");
    QStringList args;
    for (int i = 2; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    RenderArgs renderCall;
    if (command == "render")
        renderCall = renderArgs(args);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for device text
    if (command == "info")
        return info(args[0]);
    if (command == "render")
        return render(renderCall);
    return bench(args);
}
