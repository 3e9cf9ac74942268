// Yelvanis: starting the program is showing the main screen.
#include "runtime/ScreenManager.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/QtWindowSystem.h"
#include "screens/Screens.h"

#include <QApplication>

int main(int, char** argv)
{
    // The program writes no file. GIO's settings backend opens a file of its
    // own in the session's runtime folder when the march players' network
    // stack reads the proxy settings; the memory backend reads defaults and
    // writes nothing. The program reads no environment, so it does not ask
    // what was set before.
    qputenv("GSETTINGS_BACKEND", "memory");
    // The program takes no arguments: Qt sees only the program's name.
    int argc = 1;
    char* args[] = {argv[0], nullptr};
    QApplication app(argc, args);
    app.setApplicationName(QStringLiteral("Yelvanis"));
    app.setApplicationVersion(QStringLiteral("1.0"));
    // Only the screen manager decides when the program ends.
    app.setQuitOnLastWindowClosed(false);
    yelvanis::qt::initialiseLook(app);

    yelvanis::qt::QtWindowSystem windows;
    yelvanis::ScreenManager manager(yelvanis::screens::all(), windows, yelvanis::qt::messageBoxReporter());
    manager.start();
    if (manager.ended())
        return 0;
    return app.exec();
}
