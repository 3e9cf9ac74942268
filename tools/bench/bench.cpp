// yelvanis-bench [--json file] [--quick] [--cycles-only] [--no-streams]
//                [--march-cycles] [--march-play]: how fast and how large the
// program is. --cycles-only measures only the open and close cycles;
// --no-streams leaves the march players out of their mix. --march-cycles
// opens and closes march players only, against a march server that is good,
// refusing, stalling and answering 404 in turn; --march-play measures the CPU
// and memory of one and of all seventeen marches playing, and a march's first
// audio against ffmpeg's. Both need the march server's port free: the bench
// serves it itself.
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
#include "screens/mehter/MarchServer.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
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
#include <functional>
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

// The names of this process's threads, to tell whose a thread left behind is.
std::vector<std::string> threadNames()
{
    std::vector<std::string> names;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(t) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly))
            names.push_back(comm.readAll().trimmed().toStdString());
    }
    return names;
}

// Threads of this process: a player that leaves its threads behind shows here.
// Qt's global pool, which lets its idle threads go after half a minute, is
// left out when asked.
int threadCount(bool withPool = true)
{
    if (!withPool) {
        const auto names = threadNames();
        return int(std::count_if(names.begin(), names.end(), [](const std::string& n) { return n != "Thread (pooled)"; }));
    }
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

// CPU time of the process, or of the calling thread alone.
double cpuMs(int who = RUSAGE_SELF)
{
    rusage u{};
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// The program in this process, started on its main screen, that neither
// quits nor opens a browser on its own: what the measuring children drive.
struct Program {
    Program(int& argc, char** argv)
        : app(argc, argv)
    {
        app.setQuitOnLastWindowClosed(false);
        qt::initialiseLook(app);
        windows.onQuit = [] {};
        windows.browserLauncher = [](const std::string&) { return true; };
        manager.start();
    }
    QApplication app;
    qt::QtWindowSystem windows;
    ScreenManager manager { screens::all(), windows, [](const std::string&, const std::string&) {} };
};

int childMovieCpu(int argc, char** argv)
{
    Program program(argc, argv);
    QApplication& app = program.app;
    double cpu0 = 0, ui0 = 0, wall0 = 0;
    QTimer::singleShot(2000, [&] { // the movie is loaded and playing
        cpu0 = cpuMs();
        ui0 = cpuMs(RUSAGE_THREAD);
        wall0 = nowMs();
        QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    });
    app.exec();
    // The rest is the pool's threads: once the movie is loaded, its drawing.
    const double wall = nowMs() - wall0;
    std::printf("%.3f %.3f\n", 100.0 * (cpuMs() - cpu0) / wall, 100.0 * (cpuMs(RUSAGE_THREAD) - ui0) / wall);
    return 0;
}

bool portTaken(const QUrl& server)
{
    QTcpSocket probe;
    probe.connectToHost(server.host(), quint16(server.port()));
    return probe.waitForConnected(300);
}

// A static server of the marches on the march server's address, in a process
// of its own so that its work is not counted as the program's.
void serveMarches(QProcess& http, const QUrl& server)
{
    // Python's static server, with room for seventeen players connecting at once.
    static const char* script = "import functools, http.server as h, sys\n"
                                "h.ThreadingHTTPServer.request_queue_size = 64\n"
                                "handler = functools.partial(h.SimpleHTTPRequestHandler, directory=sys.argv[3])\n"
                                "h.ThreadingHTTPServer((sys.argv[1], int(sys.argv[2])), handler).serve_forever()\n";
    http.setProgram(QStringLiteral("python3"));
    http.setArguments({"-c", QString::fromLatin1(script), server.host(), QString::number(server.port()),
                       QStringLiteral(YELVANIS_MARCHES_DIR)});
    http.setStandardErrorFile(QProcess::nullDevice());
    http.start();
    for (int i = 0; i < 50 && !portTaken(server); ++i)
        QThread::msleep(100);
}

stream::StreamPlayer* playerOf(ScreenManager& manager, const std::string& id)
{
    auto* w = qt::windowOf(manager.live(id));
    return w ? w->findChild<stream::StreamPlayer*>() : nullptr;
}


// The first `count` marches playing at once from the server the parent
// started: prints the CPU share of one core over ten seconds of playing, the
// resident memory and how many were playing.
int childPlayMarches(int argc, char** argv, int count)
{
    Program program(argc, argv);
    ScreenManager& manager = program.manager;
    std::vector<std::string> ids;
    for (int n = 1; n <= count; ++n) {
        ids.push_back("mehter" + std::to_string(n));
        manager.show(ids.back());
    }
    // The main screen's movie would count too: only the players stay.
    manager.unload(ScreenManager::kStartScreen);
    auto playing = [&] {
        int n = 0;
        for (const std::string& id : ids)
            if (auto* p = playerOf(manager, id); p && p->state() == stream::StreamPlayer::State::Playing)
                ++n;
        return n;
    };
    const double t0 = nowMs();
    while (playing() < count && nowMs() - t0 < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // A loop of its own: the application's quit would close the windows first.
    auto wait = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    wait(1000);
    const double cpu0 = cpuMs(), wall0 = nowMs();
    wait(10000);
    const double share = 100.0 * (cpuMs() - cpu0) / (nowMs() - wall0);
    const int still = playing();
    std::printf("%.3f %.1f %d\n", share, residentMb(), still);
    return 0;
}

// Open and close of march players only, against each kind of server in turn.
void marchCycles(ScreenManager& manager, int cycles, const std::function<double(double&)>& settled,
                 QJsonObject& json)
{
    using testing::MarchServer;
    const QUrl address(QString::fromStdString(stream::marchServer()));
    if (portTaken(address)) {
        std::printf("%-44s port %d is taken: not measured\n", "march player cycles", address.port());
        return;
    }
    const QByteArray body = "unused: the faulty servers send no march";
    // A screen without a movie stays open meanwhile, so that the main
    // screen's movie does not run through the measurement.
    manager.show("vasiyet");
    manager.unload(ScreenManager::kStartScreen);
    struct Case {
        const char* name;
        bool listening;
        MarchServer::Fault fault;
    };
    const Case cases[] = {{"good", true, MarchServer::Fault::None},
                          {"refusing", false, MarchServer::Fault::None},
                          {"stalling", true, MarchServer::Fault::Stall},
                          {"404", true, MarchServer::Fault::NotFound}};
    QJsonArray rows;
    std::printf("\n%-10s %14s %14s %18s %9s\n", "server", "resident MB", "heap MB", "threads (no pool)", "seconds");
    for (const Case& c : cases) {
        std::unique_ptr<MarchServer> server;
        // The good server is a process of its own, so that its buffers are
        // not counted as the program's; the faulty ones hold next to nothing.
        QProcess http;
        if (c.listening && c.fault == MarchServer::Fault::None) {
            serveMarches(http, address);
        } else if (c.listening) {
            server = std::make_unique<MarchServer>(body, c.fault, quint16(address.port()));
            if (server->port() != address.port()) {
                std::printf("%-10s port %d is taken: not measured\n", c.name, address.port());
                continue;
            }
        }
        double warm = 0, warmHeap = 0, afterHeap = 0;
        int warmThreads = 0;
        const double t0 = nowMs();
        for (int i = 0; i < cycles; ++i) {
            const std::string id = "mehter" + std::to_string(i % 17 + 1);
            manager.show(id);
            QCoreApplication::processEvents();
            // Now and then a good march is let play before it is closed.
            if (c.listening && c.fault == MarchServer::Fault::None && i % 50 == 0) {
                const double w0 = nowMs();
                while (nowMs() - w0 < 3000) {
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                    auto* p = playerOf(manager, id);
                    if (p && p->position() > 0)
                        break;
                }
            }
            manager.unload(id);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (server)
                server->clearPaths(); // the server's log is not the program's growth
            if (i == cycles / 10 - 1) {
                warm = settled(warmHeap);
                warmThreads = threadCount(false);
            }
        }
        const double after = settled(afterHeap);
        const int threads = threadCount(false);
        std::string names;
        for (const std::string& n : threadNames())
            names += (names.empty() ? "" : ", ") + n;
        const double seconds = (nowMs() - t0) / 1000;
        std::printf("%-10s %14.2f %14.2f %9d -> %6d %9.1f   (%s)\n", c.name, after - warm, afterHeap - warmHeap,
                    warmThreads, threads, seconds, names.c_str());
        http.terminate();
        http.waitForFinished(3000);
        rows.append(QJsonObject{{"server", c.name}, {"growthMb", after - warm}, {"heapGrowthMb", afterHeap - warmHeap},
                                {"threadsAfterWarming", warmThreads}, {"threadsAfterCycles", threads}});
    }
    std::printf("(growth over cycles %d..%d of open and close; target under 1 MB, threads back)\n", cycles / 10, cycles);
    manager.show(ScreenManager::kStartScreen);
    json["marchCycles"] = rows;
}

// One march and all seventeen playing: CPU of one core and resident memory.
void marchPlay(const char* self, QJsonObject& json)
{
    const QUrl server(QString::fromStdString(stream::marchServer()));
    if (portTaken(server)) {
        std::printf("%-44s port %d is taken: not measured\n", "marches playing", server.port());
        return;
    }
    QProcess http;
    serveMarches(http, server);
    for (const char* mode : {"--play-marches-1", "--play-marches-17"}) {
        double peak = 0;
        const std::string out = runChild(self, mode, peak);
        double share = 0, resident = 0;
        int playing = 0;
        if (std::sscanf(out.c_str(), "%lf %lf %d", &share, &resident, &playing) != 3)
            continue;
        const bool one = std::strcmp(mode, "--play-marches-1") == 0;
        std::printf("%-44s %10.2f %% of one core, %.1f MB resident, %d playing\n",
                    one ? "one march playing" : "seventeen marches playing", share, resident, playing);
        const QString key = one ? QStringLiteral("oneMarch") : QStringLiteral("seventeenMarches");
        json[key + QStringLiteral("CpuPercent")] = share;
        json[key + QStringLiteral("ResidentMb")] = resident;
        json[key + QStringLiteral("Playing")] = playing;
    }
    http.terminate();
    http.waitForFinished(3000);
}

// From the Open of a march player to its first decoded audio (the position
// moves), against ffmpeg decoding its first audio of the same address.
void firstAudio(ScreenManager& manager, QJsonObject& json)
{
    const QUrl server(QString::fromStdString(stream::marchServer()));
    if (portTaken(server)) {
        std::printf("%-44s port %d is taken: not measured\n", "first audio of a march", server.port());
        return;
    }
    QProcess http;
    serveMarches(http, server);
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
    std::printf("%-44s %10.2f\n", "ratio (target <= 0.5)", b > 0 ? a / b : 0);
    json["firstAudioMs"] = a;
    json["ffmpegFirstAudioMs"] = b;
    json["firstAudioRatio"] = b > 0 ? a / b : 0;
}

// Written only when asked for (--json FILE).
int writeJson(const QJsonObject& json, const std::string& path)
{
    if (path.empty())
        return 0;
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(QJsonDocument(json).toJson()) < 0) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("\nfigures written to %s\n", path.c_str());
    return 0;
}

struct ScreenFigure {
    std::string id;
    double showMs, paintedMs;
};

} // namespace

const tools::Usage kUsage("yelvanis-bench",
    "usage: yelvanis-bench [--json FILE] [--quick] [--cycles-only] [--no-streams]\n"
    "                      [--march-cycles] [--march-play]\n"
    "  Measures start to first paint against a bare Qt window, every screen's show,\n"
    "  memory with all screens open and over open and close cycles, the intro\n"
    "  movie's CPU share and a march's first audio, and prints them as a table.\n"
    "  --json FILE     also write the figures to FILE as JSON\n"
    "  --quick         fewer starts and cycles, for a first look\n"
    "  --cycles-only   only the open and close cycles\n"
    "  --no-streams    leave the march players out of the cycles\n"
    "  --march-cycles  only march players opened and closed, against a march server\n"
    "                  that is good, refusing, stalling and answering 404 in turn\n"
    "  --march-play    only one and seventeen marches playing, and a march's first\n"
    "                  audio against ffmpeg's (both serve the march port themselves)\n");

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
    if (argc > 1 && std::strcmp(argv[1], "--play-marches-1") == 0)
        return childPlayMarches(qargc, qargv, 1);
    if (argc > 1 && std::strcmp(argv[1], "--play-marches-17") == 0)
        return childPlayMarches(qargc, qargv, 17);

    std::string jsonPath;
    bool quick = false, cyclesOnly = false, noStreams = false, marchCyclesOnly = false, marchPlayOnly = false;
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
        } else if (std::strcmp(argv[i], "--march-cycles") == 0) {
            marchCyclesOnly = true;
        } else if (std::strcmp(argv[i], "--march-play") == 0) {
            marchPlayOnly = true;
        } else {
            kUsage.refuse(std::string("unknown argument '") + argv[i] + "'");
        }
    }
    if (marchCyclesOnly || marchPlayOnly)
        cyclesOnly = true;
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

    double moviePeak = 0, movieCpu = 0, movieUiCpu = 0;
    if (!cyclesOnly) {
        const std::string out = runChild(argv[0], "--movie-cpu", moviePeak);
        std::sscanf(out.c_str(), "%lf %lf", &movieCpu, &movieUiCpu);
        std::printf("%-44s %10.2f %%\n", "main screen's movie, CPU of one core", movieCpu);
        std::printf("%-44s %10.2f %%\n", "  of it on the user-interface thread", movieUiCpu);
        json["movieCpuPercent"] = movieCpu;
        json["movieUiCpuPercent"] = movieUiCpu;
    }
    if (marchPlayOnly)
        marchPlay(argv[0], json);

    Program running(qargc, qargv);
    ScreenManager& manager = running.manager;
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
    if (marchPlayOnly && !marchCyclesOnly) {
        firstAudio(manager, json);
        return writeJson(json, jsonPath);
    }
    if (marchCyclesOnly) {
        marchCycles(manager, cycles, [&](double& heap) {
            QThreadPool::globalInstance()->waitForDone();
            settle();
            heap = heapMb();
            return residentMb();
        }, json);
        return writeJson(json, jsonPath);
    }

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

    return writeJson(json, jsonPath);
}
