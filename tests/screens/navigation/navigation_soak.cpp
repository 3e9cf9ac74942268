// A long random tour of the real program against the navigation model:
//   yelvanis-navigation-soak [steps [seed]]
// Without a seed it draws one; any divergence is printed with its seed, so
// that the same sequence can be run again.
#include "RandomTour.h"

#include "runtime/qt/Look.h"
#include "screens/Screens.h"
#include "common/Usage.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

QtMessageHandler previous = nullptr;

// The offscreen platform cannot raise windows and says so at every show; the
// march players find no server on the closed loopback port.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")) || message.contains(QLatin1String("Failed to connect")))
        return;
    if (previous)
        previous(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    const yelvanis::tools::Usage usage("yelvanis-navigation-soak",
        "usage: yelvanis-navigation-soak [STEPS [SEED]]\n"
        "  A random tour of the real program (offscreen) checked step by step against\n"
        "  the navigation rules: STEPS clicks, close boxes and minimizes (100000 by\n"
        "  default), drawn from SEED (a fresh one by default). A divergence is printed\n"
        "  with its seed, so that the same tour can be run again.\n");
    usage.answerHelp(argc, argv);
    if (argc > 3)
        usage.refuse("too many arguments");
    const int steps = argc > 1 ? int(usage.number(argv[1], 1, 100000000)) : 100000;
    const std::uint64_t seed = argc > 2 ? std::uint64_t(usage.number(argv[2], 0, std::numeric_limits<long long>::max()))
                                        : std::random_device{}();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    int qargc = 1;
    char* qargv[] = {argv[0], nullptr};
    // The libraries' environment of the program's own main, which this tour
    // stands in for when it is traced for written files.
    if (!qEnvironmentVariableIsSet("GSETTINGS_BACKEND"))
        qputenv("GSETTINGS_BACKEND", "memory");
    previous = qInstallMessageHandler(quietHandler);
    QApplication app(qargc, qargv);
    yelvanis::qt::initialiseLook(app);

    std::printf("seed %llu, %d steps\n", static_cast<unsigned long long>(seed), steps);
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    yelvanis::testing::RandomTour tour(yelvanis::screens::all(), seed);
    const std::string divergence = tour.run(steps);
    if (!divergence.empty()) {
        std::printf("DIVERGENCE: %s\n", divergence.c_str());
        return 1;
    }
    const auto& n = tour.counts();
    std::printf("agreed in %.1f s: %d clicks, %d close boxes, %d minimizes, %d starts, %d failed steps reported, "
                "at most %zu screens at once\n",
                timer.elapsed() / 1000.0, n.clicks, n.closes, n.minimizes, n.starts, n.reports, n.mostLoaded);
    return 0;
}
