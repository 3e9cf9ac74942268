// Writes the hand-made hostile movies of the tests into a folder, as seeds
// larger than anything the fuzzers would grow on their own.
//   make_seeds DIR

#include <QFile>
#include <QString>
#include <cstdio>

#include "HostileMovies.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const std::pair<const char*, QByteArray> files[] = {
        { "edges-at-one-point.swf", swftest::starFile(240000) },
        { "big-pictures.swf", swftest::bitmapFile() },
        { "both.swf", swftest::bothFile() },
    };
    for (const auto& [name, bytes] : files) {
        QFile f(dir + QLatin1Char('/') + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }
    return 0;
}
