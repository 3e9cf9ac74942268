// yelvanis-bench [--json file] [--quick] [--cycles-only] [--no-streams]: how
// fast and how large the program is. --cycles-only measures only the open and
// close cycles; --no-streams leaves the march players out of their mix.
// Prints a table, and writes the figures as JSON when --json names a file.
// Start-up and the movie's CPU share are measured in child
// processes of this same executable, so that each starts from nothing.
#include "runtime/ScreenManager.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/stream/MarchServer.h"
#include "runtime/stream/StreamPlayer.h"
#include "screens/Screens.h"
#include "common/Usage.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QUrl>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace yelvanis;

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// Heap in use by malloc, small blocks and mapped ones: what the program
// holds, whatever the allocator keeps back from the system.
double heapMb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024 * 1024);
}

// Resident memory after the allocator has given back what it can.
double residentMb()
{
    malloc_trim(0);
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// Threads of this process: a player that leaves its threads behind shows here.
int threadCount()
{
    int threads = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "Threads: %d", &threads) == 1)
                break;
        std::fclose(f);
    }
    return threads;
}

// Runs this executable with one argument; returns what it printed, and its
// peak resident memory in megabytes.
std::string runChild(const char* self, const char* mode, double& peakMb)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(self, self, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buf[256];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
        text.append(buf, size_t(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    peakMb = usage.ru_maxrss / 1024.0;
    return text;
}

// Quits the application at the first paint of a widget of the window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : m_window(window) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (e->type() == QEvent::Paint && w && w->window() == m_window && m_at == 0) {
            m_at = nowMs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
    double at() const { return m_at; }

private:
    QWidget* m_window;
    double m_at = 0;
};

int childStart(int argc, char** argv, bool baseline)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    double painted = 0;
    if (baseline) {
        // A bare window of the main screen's size, painted once.
        const ScreenDef& def = screens::all().screen(ScreenManager::kStartScreen);
        QWidget w;
        w.resize(def.clientWidth / 15, def.clientHeight / 15);
        FirstPaint first(&w);
        w.show();
        app.exec();
        painted = first.at();
    } else {
        qt::initialiseLook(app);
        qt::QtWindowSystem windows;
        ScreenManager manager(screens::all(), windows, [](const std::string&, const std::string&) {});
        // The window exists only once start() builds it: watch every paint until then.
        struct AnyPaint : QObject {
            double at = 0;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                auto* w = qobject_cast<QWidget*>(o);
                if (e->type() == QEvent::Paint && w && qobject_cast<qt::ScreenWindow*>(w->window()) && at == 0) {
                    at = nowMs();
                    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                }
                return false;
            }
        } any;
        app.installEventFilter(&any);
        manager.start();
        app.exec();
        painted = any.at;
    }
    std::printf("%.3f\n", painted);
    return 0;
}

int childMovieCpu(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    qt::initialiseLook(app);
    qt::QtWindowSystem windows;
    windows.onQuit = [] {};
    ScreenManager manager(screens::all(), windows, [](const std::string&, const std::string&) {});
    manager.start();
    auto cpu = [] {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    };
    double cpu0 = 0, wall0 = 0;
    QTimer::singleShot(2000, [&] { // the movie is loaded and playing
        cpu0 = cpu();
        wall0 = nowMs();
        QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    });
    app.exec();
    std::printf("%.3f\n", 100.0 * (cpu() - cpu0) / (nowMs() - wall0));
    return 0;
}

// From the Open of a march player to its first decoded audio (the position
// moves), against ffmpeg decoding its first audio of the same address.
void firstAudio(ScreenManager& manager, QJsonObject& json)
{
    const QUrl server(QString::fromStdString(stream::marchServer()));
    {
        QTcpSocket probe;
        probe.connectToHost(server.host(), quint16(server.port()));
        if (probe.waitForConnected(300)) {
            std::printf("%-44s port %d is taken: not measured\n", "first audio of a march", server.port());
            return;
        }
    }
    QProcess http;
    http.setProgram(QStringLiteral("python3"));
    http.setArguments({"-m", "http.server", QString::number(server.port()), "--bind", server.host(), "--directory",
                       QStringLiteral(YELVANIS_MARCHES_DIR)});
    http.start();
    for (int i = 0; i < 50; ++i) {
        QTcpSocket probe;
        probe.connectToHost(server.host(), quint16(server.port()));
        if (probe.waitForConnected(100))
            break;
        QThread::msleep(100);
    }
    std::vector<double> ours, theirs;
    const char* id = "mehter3";
    for (int r = 0; r < 5; ++r) {
        const double t0 = nowMs();
        manager.show(id);
        stream::StreamPlayer* player = nullptr;
        double heard = 0;
        while (nowMs() - t0 < 15000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (!player)
                if (auto* w = qt::windowOf(manager.live(id)))
                    player = w->findChild<stream::StreamPlayer*>();
            if (player && player->position() > 0) {
                heard = nowMs();
                break;
            }
        }
        if (heard > 0)
            ours.push_back(heard - t0);
        manager.unload(id);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const QString url = server.toString() + QStringLiteral("/muzik/mehter/03.asf");
        QElapsedTimer t;
        t.start();
        QProcess ff;
        ff.start(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-i", url, "-t", "0.05", "-f", "null", "-"});
        if (ff.waitForFinished(15000) && ff.exitCode() == 0)
            theirs.push_back(t.nsecsElapsed() / 1e6);
    }
    http.terminate();
    http.waitForFinished(3000);
    const double a = median(ours), b = median(theirs);
    std::printf("%-44s %10.1f ms\n", "open of a march player to first audio", a);
    std::printf("%-44s %10.1f ms\n", "ffmpeg, start to first audio", b);
    std::printf("%-44s %10.2f\n", "ratio (target <= 1.2)", b > 0 ? a / b : 0);
    json["firstAudioMs"] = a;
    json["ffmpegFirstAudioMs"] = b;
    json["firstAudioRatio"] = b > 0 ? a / b : 0;
}

struct ScreenFigure {
    std::string id;
    double showMs, paintedMs;
};

} // namespace

const tools::Usage kUsage("yelvanis-bench",
    "usage: yelvanis-bench [--json FILE] [--quick] [--cycles-only] [--no-streams]\n"
    "  Measures start to first paint against a bare Qt window, every screen's show,\n"
    "  memory with all screens open and over open and close cycles, the intro\n"
    "  movie's CPU share and a march's first audio, and prints them as a table.\n"
    "  --json FILE     also write the figures to FILE as JSON\n"
    "  --quick         fewer starts and cycles, for a first look\n"
    "  --cycles-only   only the open and close cycles\n"
    "  --no-streams    leave the march players out of the cycles\n");

int main(int argc, char** argv)
{
    kUsage.answerHelp(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qargc = 1;
    char* qargv[] = {argv[0], nullptr};
    if (argc > 1 && std::strcmp(argv[1], "--start-program") == 0)
        return childStart(qargc, qargv, false);
    if (argc > 1 && std::strcmp(argv[1], "--start-baseline") == 0)
        return childStart(qargc, qargv, true);
    if (argc > 1 && std::strcmp(argv[1], "--movie-cpu") == 0)
        return childMovieCpu(qargc, qargv);

    std::string jsonPath;
    bool quick = false, cyclesOnly = false, noStreams = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                kUsage.refuse("--json needs a file name");
            jsonPath = argv[++i];
        } else if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else if (std::strcmp(argv[i], "--cycles-only") == 0) {
            cyclesOnly = true;
        } else if (std::strcmp(argv[i], "--no-streams") == 0) {
            noStreams = true;
        } else {
            kUsage.refuse(std::string("unknown argument '") + argv[i] + "'");
        }
    }
    const int startRuns = cyclesOnly ? 0 : quick ? 3 : 7;
    const int repetitions = cyclesOnly ? 0 : quick ? 5 : 21;
    const int cycles = quick ? 1000 : 10000;
    QJsonObject json;

    // Start to first paint, the program against a bare window, alternating.
    std::vector<double> program, baseline, programPeak, baselinePeak;
    for (int i = 0; i < startRuns; ++i) {
        for (bool bare : {false, true}) {
            double peak = 0;
            const double t0 = nowMs();
            const std::string out = runChild(argv[0], bare ? "--start-baseline" : "--start-program", peak);
            const double painted = std::atof(out.c_str());
            if (painted <= 0)
                continue;
            (bare ? baseline : program).push_back(painted - t0);
            (bare ? baselinePeak : programPeak).push_back(peak);
        }
    }
    const double startMs = median(program), baseMs = median(baseline);
    std::printf("%-44s %10.1f ms\n", "start to first paint, program", startMs);
    std::printf("%-44s %10.1f ms\n", "start to first paint, bare window", baseMs);
    std::printf("%-44s %10.2f\n", "ratio (target <= 1.5)", baseMs > 0 ? startMs / baseMs : 0);
    std::printf("%-44s %10.1f MB\n", "peak memory, program", median(programPeak));
    std::printf("%-44s %10.1f MB\n", "peak memory, bare window", median(baselinePeak));
    json["startMs"] = startMs;
    json["baselineStartMs"] = baseMs;
    json["startRatio"] = baseMs > 0 ? startMs / baseMs : 0;
    json["startPeakMb"] = median(programPeak);
    json["baselinePeakMb"] = median(baselinePeak);

    double moviePeak = 0;
    const double movieCpu = cyclesOnly ? 0 : std::atof(runChild(argv[0], "--movie-cpu", moviePeak).c_str());
    std::printf("%-44s %10.2f %%\n", "main screen's movie, CPU of one core", movieCpu);
    json["movieCpuPercent"] = movieCpu;

    QApplication app(qargc, qargv);
    app.setQuitOnLastWindowClosed(false);
    qt::initialiseLook(app);
    qt::QtWindowSystem windows;
    windows.onQuit = [] {};
    windows.browserLauncher = [](const std::string&) { return true; };
    ScreenManager manager(screens::all(), windows, [](const std::string&, const std::string&) {});
    manager.start();
    auto settle = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    };
    auto closeAllBut = [&](const std::string& keep) {
        for (const std::string& id : manager.loadedScreens())
            if (id != keep)
                manager.unload(id);
        settle();
    };
    settle();
    const double mainAlone = residentMb();

    // Every screen: build and show (the show step), then until it has painted.
    std::vector<ScreenFigure> figures;
    for (const ScreenDef& def : screens::all().screens()) {
        std::vector<double> shows, painted;
        for (int r = 0; r < repetitions; ++r) {
            closeAllBut(def.id == ScreenManager::kStartScreen ? std::string() : ScreenManager::kStartScreen);
            const double t0 = nowMs();
            manager.show(def.id);
            const double t1 = nowMs();
            QCoreApplication::processEvents();
            const double t2 = nowMs();
            shows.push_back(t1 - t0);
            painted.push_back(t2 - t0);
        }
        if (repetitions > 0)
            figures.push_back({def.id, median(shows), median(painted)});
    }
    closeAllBut(ScreenManager::kStartScreen);
    if (!manager.isLoaded(ScreenManager::kStartScreen))
        manager.show(ScreenManager::kStartScreen);
    settle();

    QJsonArray screensJson;
    std::printf("\n%-24s %12s %14s\n", "screen", "show ms", "painted ms");
    const ScreenFigure* worst = nullptr;
    int over = 0;
    for (const ScreenFigure& f : figures) {
        std::printf("%-24s %12.2f %14.2f\n", f.id.c_str(), f.showMs, f.paintedMs);
        if (!worst || f.showMs > worst->showMs)
            worst = &f;
        over += f.showMs >= 10;
        screensJson.append(QJsonObject{{"id", QString::fromStdString(f.id)}, {"showMs", f.showMs},
                                       {"paintedMs", f.paintedMs}});
    }
    if (worst) {
        std::printf("%-44s %s, %.2f ms; %d screens at 10 ms or more\n\n", "worst show", worst->id.c_str(),
                    worst->showMs, over);
        json["screens"] = screensJson;
        json["worstScreen"] = QString::fromStdString(worst->id);
        json["worstShowMs"] = worst->showMs;
    }

    // Memory: the main screen alone, all screens at once, open and close cycles.
    for (const ScreenDef& def : screens::all().screens())
        manager.show(def.id);
    settle();
    const double allOpen = residentMb();
    const size_t openAtOnce = manager.loadedScreens().size();
    closeAllBut(ScreenManager::kStartScreen);

    std::vector<std::string> mix;
    for (const ScreenDef& def : screens::all().screens())
        if (def.id != ScreenManager::kStartScreen
            && !(noStreams && std::any_of(def.controls.begin(), def.controls.end(), [](const ControlDef& c) {
                   return c.kind == ControlKind::Stream;
               })))
            mix.push_back(def.id);
    // A closed screen's movie goes on loading in the background for a moment,
    // holding the whole decoded file: each reading waits for those loads, so
    // that it counts what stays, not what is still on its way out.
    auto settled = [&](double& heap) {
        QThreadPool::globalInstance()->waitForDone();
        settle();
        heap = heapMb();
        return residentMb();
    };
    double warm = 0, half = 0, warmHeap = 0, halfHeap = 0, afterHeap = 0;
    int warmThreads = 0;
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    const double cyclesStart = nowMs();
    for (int i = 0; i < cycles; ++i) {
        manager.show(mix[(size_t(i) * 7) % mix.size()]);
        QCoreApplication::processEvents();
        closeAllBut(ScreenManager::kStartScreen);
        if (i == cycles / 10 - 1) {
            warm = settled(warmHeap);
            warmThreads = threadCount();
        }
        if (i == (cycles / 10 + cycles) / 2 - 1)
            half = settled(halfHeap);
    }
    const double afterCycles = settled(afterHeap);
    std::printf("%-44s %10.1f MB\n", "resident, main screen alone", mainAlone);
    std::printf("%-44s %10.1f MB (%zu screens)\n", "resident, all screens open", allOpen, openAtOnce);
    std::printf("%-44s %10.2f MB over cycles %d..%d (%.1f s)\n", "growth, open and close cycles", afterCycles - warm,
                cycles / 10, cycles, (nowMs() - cyclesStart) / 1000);
    std::printf("%-44s %10lld before, %lld after\n", "widgets alive, main screen alone", qlonglong(widgetsBefore),
                qlonglong(QApplication::allWidgets().size()));
    // A bounded cache fills in the first half; a leak grows in both.
    std::printf("%-44s %10.2f MB, then %.2f MB\n", "growth, first half and second half", half - warm,
                afterCycles - half);
    std::printf("%-44s %10.2f MB (%.2f MB, then %.2f MB)\n", "heap in use, growth over the cycles",
                afterHeap - warmHeap, halfHeap - warmHeap, afterHeap - halfHeap);
    std::printf("%-44s %10d after warming, %d after\n", "threads", warmThreads, threadCount());
    json["mainAloneMb"] = mainAlone;
    json["allOpenMb"] = allOpen;
    json["screensOpenAtOnce"] = int(openAtOnce);
    json["cycles"] = cycles;
    json["growthMb"] = afterCycles - warm;
    json["growthFirstHalfMb"] = half - warm;
    json["growthSecondHalfMb"] = afterCycles - half;
    json["heapGrowthMb"] = afterHeap - warmHeap;
    json["heapGrowthFirstHalfMb"] = halfHeap - warmHeap;
    json["heapGrowthSecondHalfMb"] = afterHeap - halfHeap;
    json["threadsAfterWarming"] = warmThreads;
    json["threadsAfterCycles"] = threadCount();

    if (!cyclesOnly)
        firstAudio(manager, json);

    if (jsonPath.empty())
        return 0;
    QFile f(QString::fromStdString(jsonPath));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(QJsonDocument(json).toJson()) < 0) {
        std::fprintf(stderr, "could not write %s\n", jsonPath.c_str());
        return 1;
    }
    std::printf("\nfigures written to %s\n", jsonPath.c_str());
    return 0;
}
