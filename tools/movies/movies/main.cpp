// yelvanis-movies OUTDIR [FILE...]: writes the program's movies into OUTDIR,
// all six or only those named.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "Movies.h"
#include "common/Usage.h"

using namespace yelvanis::movies;

namespace yelvanis::movies {

const std::vector<MovieRecipe>& recipes()
{
    // Stage sizes are the panels' (twips / 15); rates between 12 and 24.
    static const std::vector<MovieRecipe> list {
        { "padisahlar.swf", 401, 153, 24, makeRulersMovie },
        { "intro1.swf", 457, 313, 18, makeBandMovie },
        { "mehter.swf", 369, 313, 15, makeInstrumentsMovie },
        { "movieplayer2.swf", 617, 393, 15, makePlacesMovie },
        { "haritalar.swf", 601, 433, 12, makeMapsMovie },
        { "sultan.swf", 129, 129, 12, makeEmblemMovie },
    };
    return list;
}

} // namespace yelvanis::movies

int main(int argc, char** argv)
{
    const yelvanis::tools::Usage usage("yelvanis-movies",
        "usage: yelvanis-movies OUTDIR [FILE...]\n"
        "  Writes the program's movies into OUTDIR: all six, or only the files named.\n");
    usage.answerHelp(argc, argv);
    if (argc < 2)
        usage.refuse("no output folder given");
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            usage.refuse(std::string("unknown option '") + argv[i] + "'");
        const bool known = std::any_of(recipes().begin(), recipes().end(), [&](const MovieRecipe& r) { return r.file == argv[i]; });
        if (i >= 2 && !known)
            usage.refuse(std::string("no movie named '") + argv[i] + "'");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QDir out(args.takeFirst());
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(out.path()));
        return 1;
    }
    int failures = 0;
    for (const MovieRecipe& r : recipes()) {
        if (!args.isEmpty() && !args.contains(QString::fromStdString(r.file)))
            continue;
        try {
            std::vector<uint8_t> bytes = r.make(r);
            QFile f(out.filePath(QString::fromStdString(r.file)));
            if (!f.open(QIODevice::WriteOnly) || f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
                ++failures;
                continue;
            }
            std::printf("%s %zu bytes\n", r.file.c_str(), bytes.size());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", r.file.c_str(), e.what());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
