// yelvanis-shots DIR [SCREEN...]: builds each screen (every one by default)
// offscreen, lets its movie run a moment and writes DIR/<id>.png.
#include "runtime/ScreenManager.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "screens/Screens.h"
#include "common/Usage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>

#include <cstdio>

using namespace yelvanis;

int main(int argc, char** argv)
{
    const tools::Usage usage("yelvanis-shots",
        "usage: yelvanis-shots DIR [SCREEN...]\n"
        "  Builds each named screen (every screen by default) offscreen, lets its\n"
        "  movie run a moment and writes DIR/<screen>.png.\n");
    usage.answerHelp(argc, argv);
    if (argc < 2)
        usage.refuse("no folder given");
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            usage.refuse(std::string("unknown option '") + argv[i] + "'");
        if (i >= 2 && !screens::all().has(argv[i]))
            usage.refuse(std::string("no screen named '") + argv[i] + "'");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    app.setQuitOnLastWindowClosed(false);
    qt::initialiseLook(app);

    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    qt::QtWindowSystem windows;
    windows.onQuit = [] {};
    windows.browserLauncher = [](const std::string&) { return true; };
    int failures = 0;
    ScreenManager manager(screens::all(), windows, [&](const std::string& step, const std::string& reason) {
        std::fprintf(stderr, "%s: %s\n", step.c_str(), reason.c_str());
    });

    std::vector<std::string> ids;
    for (int i = 2; i < argc; ++i)
        ids.emplace_back(argv[i]);
    if (ids.empty())
        for (const auto& s : screens::all().screens())
            ids.push_back(s.id);

    for (const std::string& id : ids) {
        manager.show(id);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 700)
            app.processEvents(QEventLoop::AllEvents, 50);
        qt::ScreenWindow* w = qt::windowOf(manager.live(id));
        const QString file = dir + QLatin1Char('/') + QString::fromStdString(id) + QStringLiteral(".png");
        if (!w || !w->grab().save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(file));
        }
        manager.unload(id);
        app.processEvents();
    }
    return failures ? 1 : 0;
}
