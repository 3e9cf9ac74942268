// The real program, offscreen, against the navigation model under seeded
// random sequences of user actions.
#include "RandomTour.h"

#include "runtime/qt/Look.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/StreamPanel.h"
#include "runtime/stream/StreamPlayer.h"
#include "screens/Screens.h"
#include "screens/mehter/MarchPlayers.h"
#include "screens/mehter/MarchServer.h"
#include "screens/mehter/PlayerTesting.h"

#include <QApplication>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::testing;

class TestRandomNavigation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void agreesWithTheModel_data();
    void agreesWithTheModel();
    void findsAWrongRule_data();
    void findsAWrongRule();
    void everyScreenOpensAndCloses();
};

void TestRandomNavigation::initTestCase()
{
    qt::initialiseLook(*qApp);
}

void TestRandomNavigation::agreesWithTheModel_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("steps");
    QTest::newRow("seed 1") << quint64(1) << 1000;
    QTest::newRow("seed 20261210") << quint64(20261210) << 1000;
    QTest::newRow("seed 7777") << quint64(7777) << 1000;
}

void TestRandomNavigation::agreesWithTheModel()
{
    QFETCH(quint64, seed);
    QFETCH(int, steps);
    RandomTour tour(screens::all(), seed);
    const std::string divergence = tour.run(steps);
    QVERIFY2(divergence.empty(), divergence.c_str());
    // The sequence really went through the program: it ended and started
    // again, closed screens by their boxes and had many open at once.
    const RandomTour::Counts& n = tour.counts();
    QVERIFY(n.starts > 1);
    QVERIFY(n.closes > 0);
    QVERIFY(n.minimizes > 0);
    QVERIFY(n.mostLoaded >= 4);
}

void TestRandomNavigation::findsAWrongRule_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("every GoTo taken for an Open") << "goto-as-open";
    QTest::newRow("Close steps left out") << "no-close";
}

void TestRandomNavigation::findsAWrongRule()
{
    QFETCH(QString, change);
    // A model that believes a rule the program does not follow.
    Catalogue wrong;
    for (const ScreenDef& s : screens::all().screens())
        wrong.add(s);
    for (Binding b : screens::all().bindings()) {
        if (change == "goto-as-open") {
            for (Step& step : b.steps)
                if (step.action == Action::GoTo)
                    step.action = Action::Open;
        } else {
            std::erase_if(b.steps, [](const Step& step) { return step.action == Action::Close; });
        }
        wrong.add(b);
    }
    RandomTour tour(screens::all(), wrong, 1);
    const std::string divergence = tour.run(1500);
    QVERIFY(!divergence.empty());
    QVERIFY2(divergence.rfind("seed 1, step ", 0) == 0, divergence.c_str());
}

void TestRandomNavigation::everyScreenOpensAndCloses()
{
    // All screens at once, their movies playing and their marches streaming
    // from a local server, then closed one by one: the program ends with the
    // last, no window stays.
    testing::MarchServer server(testing::marchFixture());
    const std::string address = "http://127.0.0.1:" + std::to_string(server.port());
    Catalogue catalogue;
    const auto& players = screens::mehter::marchPlayers();
    for (const ScreenDef& s : screens::all().screens()) {
        auto p = std::find_if(players.begin(), players.end(), [&](const auto& m) { return s.id == m.id; });
        catalogue.add(p != players.end() ? screens::mehter::marchPlayerScreen(*p, address) : s);
    }
    for (const Binding& b : screens::all().bindings())
        catalogue.add(b);

    qt::QtWindowSystem windows;
    int quits = 0;
    windows.onQuit = [&] { ++quits; };
    windows.browserLauncher = [](const std::string&) { return true; };
    QStringList reports;
    ScreenManager manager(catalogue, windows, [&](const std::string& step, const std::string& why) {
        reports << QString::fromStdString(step + ": " + why);
    });
    manager.start();
    for (const ScreenDef& def : catalogue.screens())
        manager.show(def.id);
    QCOMPARE(manager.loadedScreens().size(), catalogue.screens().size());
    auto* panel = qobject_cast<qt::StreamPanel*>(qt::windowOf(manager.live(players.front().id))->control(
        "WindowsMediaPlayer1"));
    QVERIFY(panel && panel->player());
    QTRY_VERIFY_WITH_TIMEOUT(panel->player()->position() > 0, 20000);
    for (const ScreenDef& def : catalogue.screens()) {
        if (auto* w = qt::windowOf(manager.live(def.id)))
            w->close();
        manager.unload(def.id); // screens without a close box
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY2(reports.isEmpty(), qPrintable(reports.join('\n')));
    QVERIFY(manager.ended());
    QCOMPARE(quits, 1);
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<qt::ScreenWindow*>(top), qPrintable(top->objectName()));
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 5000);
}

QTEST_MAIN(TestRandomNavigation)
#include "test_random_navigation.moc"
