#include "runtime/FakeWindowSystem.h"
#include "runtime/ScreenManager.h"

#include <QtTest>

using namespace yelvanis;
using yelvanis::testing::FakeWindowSystem;

namespace {

ScreenDef screen(const char* id, bool movie = false)
{
    ScreenDef s{.id = id, .clientWidth = 1500, .clientHeight = 1500};
    if (movie)
        s.controls.push_back(ControlDef{.kind = ControlKind::Movie, .name = "ShockwaveFlash1"});
    return s;
}

// The shape of the real navigation, small.
Catalogue navigation()
{
    Catalogue c;
    c.add(screen("giris", true));
    c.add(screen("Anasayfa"));
    c.add(screen("osman"));
    c.add(screen("orhan"));
    c.add(screen("aboutme"));
    c.add(screen("broken"));
    c.add(screen("nomovie"));
    c.add(Binding{"giris", "", Event::Load, {Step::startMovie("padisahlar.swf")}});
    c.add(Binding{"giris", "Command4", Event::Click, {Step::goTo("Anasayfa")}});
    c.add(Binding{"giris", "Command8", Event::Click, {Step::goTo("broken")}});
    c.add(Binding{"giris", "Command9", Event::Click, {Step::goTo("undefined")}});
    c.add(Binding{"giris", "Command7", Event::Click, {Step::goTo("nomovie")}});
    c.add(Binding{"giris", "hzrlyn", Event::Click, {Step::open("aboutme")}});
    c.add(Binding{"giris", "web", Event::Click, {Step::launchBrowser("http://forum.example.org/")}});
    c.add(Binding{"giris", "smg", Event::Click, {Step::minimize()}});
    c.add(Binding{"giris", "exit", Event::Click, {Step::close()}});
    c.add(Binding{"Anasayfa", "Command1", Event::Click, {Step::goTo("giris")}});
    c.add(Binding{"Anasayfa", "Image1", Event::Click, {Step::open("osman")}});
    c.add(Binding{"Anasayfa", "Image2", Event::Click, {Step::open("orhan")}});
    c.add(Binding{"osman", "Label43", Event::Click, {Step::goTo("Anasayfa")}});
    c.add(Binding{"orhan", "Label43", Event::Click, {Step::close()}});
    c.add(Binding{"aboutme", "Command1", Event::Click, {Step::close()}});
    // A load handler that asks for a panel the screen does not have.
    c.add(Binding{"nomovie", "", Event::Load, {Step::startMovie("x.swf"), Step::open("aboutme")}});
    return c;
}

QString joined(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    QStringList l;
    for (const auto& s : v)
        l << QString::fromStdString(s);
    return l.join(',');
}

} // namespace

class TestScreenManager : public QObject {
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void startBuildsMainScreenAndStartsItsMovie();
    void goToShowsBeforeItUnloads();
    void handlerThatUnloadsItsScreenKeepsItUntilItReturns();
    void failingShowInGoToKeepsCurrentScreen();
    void failingLoadHandlerStillShowsTheScreen();
    void browserFailureIsReported();
    void openTwiceActivatesWithoutRebuilding();
};

void TestScreenManager::sequences_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("active");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<int>("errors");

    QTest::newRow("start") << QStringList{} << "giris" << "giris" << false << 0;
    QTest::newRow("goto gallery") << QStringList{"c giris Command4"} << "Anasayfa" << "Anasayfa" << false << 0;
    QTest::newRow("gallery and back")
        << QStringList{"c giris Command4", "c Anasayfa Command1"} << "giris" << "giris" << false << 0;
    QTest::newRow("open ruler over gallery")
        << QStringList{"c giris Command4", "c Anasayfa Image1"} << "Anasayfa,osman" << "osman" << false << 0;
    QTest::newRow("goto to a loaded screen")
        << QStringList{"c giris Command4", "c Anasayfa Image1", "c osman Label43"} << "Anasayfa" << "Anasayfa"
        << false << 0;
    QTest::newRow("goto rebuilds an unloaded gallery")
        << QStringList{"c giris Command4", "c Anasayfa Image1", "c Anasayfa Command1", "c osman Label43"}
        << "Anasayfa,giris" << "Anasayfa" << false << 0;
    QTest::newRow("open twice")
        << QStringList{"c giris Command4", "c Anasayfa Image2", "c Anasayfa Image2"} << "Anasayfa,orhan" << "orhan"
        << false << 0;
    QTest::newRow("close main with a dialog open")
        << QStringList{"c giris hzrlyn", "c giris exit"} << "aboutme" << "aboutme" << false << 0;
    QTest::newRow("then the dialog ends the program")
        << QStringList{"c giris hzrlyn", "c giris exit", "c aboutme Command1"} << "" << "" << true << 0;
    QTest::newRow("exit alone ends the program") << QStringList{"c giris exit"} << "" << "" << true << 0;
    QTest::newRow("last screen closed by its close box")
        << QStringList{"c giris Command4", "c Anasayfa Image2", "x Anasayfa", "x orhan"} << "" << "" << true << 0;
    QTest::newRow("ruler outlives the gallery")
        << QStringList{"c giris Command4", "c Anasayfa Image2", "c Anasayfa Command1", "c giris exit"} << "orhan"
        << "" << false << 0;
    QTest::newRow("minimize keeps the screen") << QStringList{"c giris smg"} << "giris" << "giris" << false << 0;
    QTest::newRow("goto an undefined screen")
        << QStringList{"c giris Command9"} << "giris" << "giris" << false << 1;
    QTest::newRow("goto a screen that cannot be built")
        << QStringList{"c giris Command8"} << "giris" << "giris" << false << 1;
    QTest::newRow("click on an unloaded screen does nothing")
        << QStringList{"c Anasayfa Image1"} << "giris" << "giris" << false << 0;
    QTest::newRow("unbound control does nothing") << QStringList{"c giris Label1"} << "giris" << "giris" << false << 0;
}

void TestScreenManager::sequences()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, loaded);
    QFETCH(QString, active);
    QFETCH(bool, ended);
    QFETCH(int, errors);

    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ws.failing = {"broken"};
    int reported = 0;
    ScreenManager m(c, ws, [&](const std::string&, const std::string&) { ++reported; });
    m.start();
    for (const QString& s : steps) {
        const QStringList w = s.split(' ');
        if (w[0] == "c")
            m.clicked(w[1].toStdString(), w[2].toStdString());
        else
            m.closeRequested(w[1].toStdString());
    }
    QCOMPARE(joined(m.loadedScreens()), loaded);
    QCOMPARE(QString::fromStdString(m.activeScreen()), active);
    QCOMPARE(m.ended(), ended);
    QCOMPARE(ws.quits, ended ? 1 : 0);
    QCOMPARE(reported, errors);
}

void TestScreenManager::startBuildsMainScreenAndStartsItsMovie()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ScreenManager m(c, ws, [](const std::string&, const std::string&) {});
    m.start();
    // The load handler runs inside the build, before the screen shows; the
    // three calls come in order, with the platform's separator.
    const std::vector<std::string> expected{"build giris", "movie /opt/app/padisahlar.swf", "play", "loop on",
                                            "show giris"};
    QCOMPARE(ws.journal, expected);
}

void TestScreenManager::goToShowsBeforeItUnloads()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ScreenManager m(c, ws, [](const std::string&, const std::string&) {});
    m.start();
    ws.journal.clear();
    m.clicked("giris", "Command4");
    const std::vector<std::string> expected{"build Anasayfa", "show Anasayfa", "destroy giris", "release giris"};
    QCOMPARE(ws.journal, expected);
    QCOMPARE(ws.quits, 0);
}

void TestScreenManager::handlerThatUnloadsItsScreenKeepsItUntilItReturns()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ScreenManager m(c, ws, [](const std::string&, const std::string&) {});
    m.start();
    m.clicked("giris", "hzrlyn");
    ws.journal.clear();
    m.clicked("aboutme", "Command1");
    // Destroyed (window gone) during the handler, released only after it.
    const std::vector<std::string> expected{"destroy aboutme", "release aboutme"};
    QCOMPARE(ws.journal, expected);
    QVERIFY(!m.isLoaded("aboutme"));
}

void TestScreenManager::failingShowInGoToKeepsCurrentScreen()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ws.failing = {"broken"};
    std::vector<std::string> reports;
    ScreenManager m(c, ws, [&](const std::string& step, const std::string& why) { reports.push_back(step + ": " + why); });
    m.start();
    ws.journal.clear();
    m.clicked("giris", "Command8");
    QVERIFY(m.isLoaded("giris"));
    QVERIFY(!m.isLoaded("broken"));
    QVERIFY(ws.journal.empty()); // the unload step never ran
    QCOMPARE(reports.size(), size_t(1));
    QVERIFY(QString::fromStdString(reports[0]).contains("broken"));
}

void TestScreenManager::failingLoadHandlerStillShowsTheScreen()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    int reported = 0;
    ScreenManager m(c, ws, [&](const std::string&, const std::string&) { ++reported; });
    m.start();
    m.clicked("giris", "Command7");
    // The movie start failed, so the load handler's later Open never ran.
    QCOMPARE(reported, 1);
    QVERIFY(m.isLoaded("nomovie"));
    QVERIFY(!m.isLoaded("aboutme"));
    QVERIFY(!m.isLoaded("giris"));
}

void TestScreenManager::browserFailureIsReported()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    std::string step;
    ScreenManager m(c, ws, [&](const std::string& s, const std::string&) { step = s; });
    m.start();
    m.clicked("giris", "web");
    QVERIFY(std::find(ws.journal.begin(), ws.journal.end(), "browser http://forum.example.org/") != ws.journal.end());
    ws.browserWorks = false;
    m.clicked("giris", "web");
    QVERIFY(QString::fromStdString(step).startsWith("browser"));
    QVERIFY(m.isLoaded("giris"));
}

void TestScreenManager::openTwiceActivatesWithoutRebuilding()
{
    const Catalogue c = navigation();
    FakeWindowSystem ws;
    ScreenManager m(c, ws, [](const std::string&, const std::string&) {});
    m.start();
    m.clicked("giris", "hzrlyn");
    LiveScreen* first = m.live("aboutme");
    ws.journal.clear();
    m.clicked("giris", "hzrlyn");
    QCOMPARE(m.live("aboutme"), first);
    const std::vector<std::string> expected{"activate aboutme"};
    QCOMPARE(ws.journal, expected);
}

QTEST_APPLESS_MAIN(TestScreenManager)
#include "test_screen_manager.moc"
