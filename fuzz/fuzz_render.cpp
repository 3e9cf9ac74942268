// libFuzzer target: whatever the reader accepts is loaded as the panel loads
// it and a few frames are drawn, anti-aliased and aliased, within the
// renderer's budgets. Nothing may crash, hang or run out of memory.

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "runtime/movie/MovieLoader.h"
#include "runtime/movie/MoviePlayer.h"
#include "runtime/movie/MovieRenderer.h"

using namespace yelvanis;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Device text needs fonts, and fonts need an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_render";
    static char* argv[] = { name, nullptr };
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MovieLoadResult r = loadMovieData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!r.loaded)
        return 0;
    swf::MoviePlayer player(r.loaded->movie);
    MovieRenderer renderer(r.loaded);
    QImage frame(160, 120, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 4; ++i) {
        // Alternate qualities, so that each frame is drawn whole once and in part once.
        renderer.renderChanges(frame, player, i < 2);
        renderer.renderChanges(frame, player, i < 2);
        player.tick();
    }
    return 0;
}
