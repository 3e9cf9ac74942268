// The main screen, built for real offscreen and driven as a user would.
#include "runtime/ScreenManager.h"
#include "runtime/Units.h"
#include "runtime/movie/MovieView.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/MoviePanel.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"
#include "screens/Screens.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::qt;

class TestMainScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controlsAtTheirGeometry_data();
    void controlsAtTheirGeometry();
    void windowAsDefined();
    void movieStartsFromTheApplicationFolder();
    void tabOrderFromTheMoviePanel();
    void enterOnFocusedButtonRunsItsHandler();
    void menuItems();
    void minimizeThenCloseEndsTheProgram();
    void sectionButtons_data();
    void sectionButtons();
    void browserStartsOrReports();
    void defaultReporterShowsAMessageBoxAndGoesOn();

private:
    ScreenWindow* window() const { return windowOf(m_manager->live("giris")); }
    QAction* menuAction(const QString& name) const;
    void expectGoTo(const std::string& target);

    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    QStringList m_browsed;
    int m_quits = 0;
    bool m_browserWorks = true;
};

void TestMainScreen::initTestCase()
{
    initialiseLook(*qApp);
}

void TestMainScreen::init()
{
    m_reports.clear();
    m_browsed.clear();
    m_quits = 0;
    m_browserWorks = true;
    m_windows = std::make_unique<QtWindowSystem>();
    m_windows->onQuit = [this] { ++m_quits; };
    m_windows->browserLauncher = [this](const std::string& url) {
        m_browsed << QString::fromStdString(url);
        return m_browserWorks;
    };
    m_manager = std::make_unique<ScreenManager>(screens::all(), *m_windows, [this](const std::string& s, const std::string& w) {
        m_reports << QString::fromStdString(s + ": " + w);
    });
    m_manager->start();
    QVERIFY(window());
    QVERIFY(QTest::qWaitForWindowExposed(window()));
}

void TestMainScreen::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAction* TestMainScreen::menuAction(const QString& name) const
{
    return window()->menuBar()->findChild<QAction*>(name);
}

void TestMainScreen::controlsAtTheirGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    const ScreenDef& s = screens::all().screen("giris");
    for (const ControlDef& c : s.controls)
        QTest::newRow(c.name.c_str()) << QString::fromStdString(c.name) << QRect(c.left, c.top, c.width, c.height);
}

void TestMainScreen::controlsAtTheirGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    const std::string n = name.toStdString();
    if (QWidget* w = window()->control(n)) {
        QCOMPARE(w->geometry(), px);
        const bool inFrame = n != "Frame1";
        QCOMPARE(w->parentWidget() == window()->control("Frame1"), inFrame);
        return;
    }
    // Painted controls: the title labels, on the frame's surface.
    auto* frame = qobject_cast<Surface*>(window()->control("Frame1"));
    QCOMPARE(frame->boxOf(*screens::all().screen("giris").control(n)), px);
}

void TestMainScreen::windowAsDefined()
{
    ScreenWindow* w = window();
    QCOMPARE(w->windowTitle(), QString("Yelvanis v1.0"));
    QCOMPARE(w->client()->size(), QSize(514, 444));
    QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!w->windowIcon().isNull());
    QCOMPARE(w->windowIcon().availableSizes().value(0), QSize(240, 240));
    // Red margin round the white frame; the first title line is opaque white.
    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(3, 3), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(img.pixelColor(12, 12), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(img.pixelColor(8 + 10 + 5, 8 + 325 + 5), QColor(0x80, 0xFF, 0xFF)); // Command4's face
    const QStringList tops{"..::Hakkında::..", "..::Karsemir Forumları::..", "..::Simge Durumuna Getir::..",
                           "..::Kapat::.."};
    QStringList captions;
    for (QAction* a : w->menuBar()->actions())
        captions << a->text();
    QCOMPARE(captions, tops);
    // The four items fit on one line of the window's width.
    const QRect last = w->menuBar()->actionGeometry(w->menuBar()->actions().last());
    QVERIFY(last.right() <= 514);
    QCOMPARE(last.top(), w->menuBar()->actionGeometry(w->menuBar()->actions().first()).top());
}

void TestMainScreen::movieStartsFromTheApplicationFolder()
{
    auto* panel = qobject_cast<MoviePanel*>(window()->control("ShockwaveFlash1"));
    QVERIFY(panel);
    QCOMPARE(QString::fromStdString(panel->settings().movie),
             QCoreApplication::applicationDirPath() + QStringLiteral("/padisahlar.swf"));
    QVERIFY(panel->settings().play);
    QVERIFY(panel->settings().loop);
    QCOMPARE(panel->view()->movie(), QCoreApplication::applicationDirPath() + QStringLiteral("/padisahlar.swf"));
    QVERIFY(panel->view()->loop());
    QVERIFY(m_reports.isEmpty()); // a missing movie file is no error
}

void TestMainScreen::tabOrderFromTheMoviePanel()
{
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QWidget* movie = window()->control("ShockwaveFlash1");
    QTRY_VERIFY(movie->hasFocus() || movie->focusProxy()->hasFocus());
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        visited << (f == movie->focusProxy() ? QStringLiteral("ShockwaveFlash1") : f->objectName());
    }
    const QStringList expected{"Command3", "Command4", "Command5", "Command6", "Command7", "Command8", "Command9",
                               "Command10", "Command11", "ShockwaveFlash1"};
    QCOMPARE(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command11"));
}

void TestMainScreen::enterOnFocusedButtonRunsItsHandler()
{
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QWidget* b = window()->control("Command9");
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    // "Kronoloji" is GoTo kronolojimenu: shown, then the main screen unloaded.
    QTRY_VERIFY(!m_manager->isLoaded("giris") || !m_reports.isEmpty());
    expectGoTo("kronolojimenu");
}

void TestMainScreen::menuItems()
{
    QStringList subs;
    auto* about = window()->menuBar()->findChild<QMenu*>("about");
    QVERIFY(about);
    for (QAction* a : about->actions())
        subs << a->objectName() + "=" + a->text();
    QCOMPARE(subs, (QStringList{"prgabout=*Program Hakkında", "hzrlyn=*Hazırlayan", "iltsm=*İletisim"}));
    for (const char* item : {"prgabout", "hzrlyn", "iltsm"})
        QVERIFY2(screens::all().binding("giris", item, Event::Click)->steps.front().action == Action::Open, item);
    // Open: the dialog comes, the main screen stays; twice gives one dialog.
    menuAction("hzrlyn")->trigger();
    QVERIFY(m_manager->isLoaded("giris"));
    if (screens::all().has("aboutme")) {
        LiveScreen* first = m_manager->live("aboutme");
        QVERIFY(first);
        menuAction("hzrlyn")->trigger();
        QCOMPARE(m_manager->live("aboutme"), first);
        QCOMPARE(m_manager->activeScreen(), std::string("aboutme"));
        QVERIFY(m_reports.isEmpty());
    } else {
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports[0].contains("aboutme"));
    }
}

void TestMainScreen::minimizeThenCloseEndsTheProgram()
{
    menuAction("smg")->trigger();
    QTRY_VERIFY(window()->isMinimized());
    QCOMPARE(m_quits, 0);
    menuAction("exit")->trigger();
    QVERIFY(!m_manager->isLoaded("giris"));
    QCOMPARE(m_quits, 1);
    QVERIFY(m_manager->ended());
}

void TestMainScreen::expectGoTo(const std::string& target)
{
    if (screens::all().has(target)) {
        QVERIFY2(m_manager->isLoaded(target), target.c_str());
        QVERIFY(!m_manager->isLoaded("giris"));
        QVERIFY(m_reports.isEmpty());
    } else {
        // A section still to come: its show fails, so the main screen stays.
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports[0].contains(QString::fromStdString(target)));
        QVERIFY(m_manager->isLoaded("giris"));
    }
    QCOMPARE(m_quits, 0);
}

void TestMainScreen::sectionButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("target");
    QTest::newRow("Padişah Tanıtımları") << "Command4" << "Anasayfa";
    QTest::newRow("Mehteran Hakkında") << "Command3" << "mehteran2";
    QTest::newRow("Fotoğraflar") << "Command7" << "fotolar";
    QTest::newRow("Bilinmeyen Osmanlı") << "Command5" << "Bilinmeyenler0";
    QTest::newRow("Mehter Marşları") << "Command6" << "mehteran";
    QTest::newRow("Haritalar") << "Command8" << "haritalar";
    QTest::newRow("Kronoloji") << "Command9" << "kronolojimenu";
    QTest::newRow("Ünvanlar") << "Command10" << "unvanlar";
    QTest::newRow("Osman Gazi'nin Vasiyeti") << "Command11" << "vasiyet";
}

void TestMainScreen::sectionButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, target);
    QTest::mouseClick(window()->control(button.toStdString()), Qt::LeftButton);
    expectGoTo(target.toStdString());
}

void TestMainScreen::browserStartsOrReports()
{
    menuAction("web")->trigger();
    QCOMPARE(m_browsed, QStringList{"http://forum.example.org/"});
    QVERIFY(m_reports.isEmpty());
    m_browserWorks = false;
    menuAction("web")->trigger();
    QCOMPARE(m_reports.size(), 1);
    QVERIFY(m_manager->isLoaded("giris"));
}

void TestMainScreen::defaultReporterShowsAMessageBoxAndGoesOn()
{
    messageBoxReporter()("goto on giris (kronolojimenu)", "no screen named \"kronolojimenu\"");
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                || [&] {
                       for (QWidget* w : QApplication::topLevelWidgets())
                           if ((box = qobject_cast<QMessageBox*>(w)) && w->isVisible())
                               return true;
                       return false;
                   }());
    QCOMPARE(box->windowTitle(), QString("Yelvanis v1.0"));
    QVERIFY(box->text().contains("kronolojimenu"));
    box->close();
}

QTEST_MAIN(TestMainScreen)
#include "test_main_screen.moc"
