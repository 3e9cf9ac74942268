// The chronology menu and the eight period screens, built for real offscreen
// and driven as a user would, from the main screen's "Kronoloji" on.
#include "content/Content.h"
#include "runtime/ScreenManager.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"
#include "screens/Screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include "screens/LiveProgram.h"

#include <QtTest>

#include <algorithm>
#include <array>

using namespace yelvanis;
using namespace yelvanis::qt;

namespace {

constexpr Colour kWhite = Colour::rgb(0xFFFFFF);
constexpr Colour kRed = Colour::rgb(0xFF0000);
constexpr Colour kTitleText = Colour::system(SystemColour::ActiveTitleBarText);

struct Twips {
    int left, top, width, height;
};

struct MenuControl {
    const char* name;
    ControlKind kind;
    Twips box;
    const char* caption;
    int tabIndex;
};

// In definition order.
constexpr MenuControl kMenu[] = {
    {"Command9", ControlKind::Button, {0, 240, 1575, 255}, "Aşağı Al", 10},
    {"Command10", ControlKind::Button, {0, 0, 1575, 255}, "Anasayfaya Dön", 9},
    {"Command8", ControlKind::Button, {4200, 1440, 1815, 375}, "1514 - 1583", 8},
    {"Command7", ControlKind::Button, {6240, 1440, 1815, 375}, "1583 - 1680", 7},
    {"Command6", ControlKind::Button, {120, 2040, 1815, 375}, "1680 - 1771", 6},
    {"Command5", ControlKind::Button, {2160, 2040, 1815, 375}, "1771 - 1836", 5},
    {"Command4", ControlKind::Button, {4200, 2040, 1815, 375}, "1836 - 1886", 4},
    {"Command3", ControlKind::Button, {6240, 2040, 1815, 375}, "1886 - 1924", 3},
    {"Command2", ControlKind::Button, {2160, 1440, 1815, 375}, "1434 - 1514", 2},
    {"Command1", ControlKind::Button, {120, 1440, 1815, 375}, "1299 - 1434", 1},
    {"Label1", ControlKind::Label, {1680, 600, 5535, 615}, "OSMANLI DEVLETİ TARİHİ (KRONOLOJİK)", 0},
};

struct Period {
    const char* id;
    const char* openedBy;
    const char* caption; // empty: a dialog border and no title bar
    Colour back;
    int clientWidth, clientHeight;
    const char* heading;
    int headingLeft, headingTop;
    const char* headingCaption;
    const char* textBox;
    Twips box;
    int textTab, headingTab, backTab, homeTab;
    std::array<const char*, 4> order;
    int backLeft, backWidth;
    const char* firstFocus;
};

constexpr Period kPeriods[] = {
    {"kronoloji1", "Command1", "Kronoloji", kWhite, 9090, 3780, "Label1", 120, 720, "1299 - 1434 ", "Output",
     {0, 1080, 9075, 2565}, 0, 1, 2, 3, {"Command2", "Command1", "Output", "Label1"}, 7440, 1575, "Output"},
    {"kronoloji2", "Command2", "Kronoloji", kTitleText, 9075, 4245, "Label3", 0, 360, "1434 - 1514 Yılları", "Text1",
     {0, 720, 9075, 3405}, 2, 1, 0, 3, {"Command2", "Text1", "Command1", "Label3"}, 7440, 1575, "Command1"},
    {"kronoloji3", "Command8", "Kronoloji", kWhite, 9090, 4245, "Label4", 0, 600, "1514 - 1583 Yılları", "Text2",
     {0, 1080, 9075, 3045}, 1, 0, 2, 3, {"Command2", "Command1", "Text2", "Label4"}, 7440, 1575, "Text2"},
    {"kronoloji4", "Command7", "Kronoloji", kTitleText, 9120, 4215, "Label5", 120, 360, "1583 - 1680 Yılları", "Text3",
     {0, 840, 9075, 3285}, 1, 0, 2, 3, {"Command2", "Command1", "Text3", "Label5"}, 7560, 1455, "Text3"},
    {"kronoloji5", "Command6", "Kronoloji", kWhite, 9120, 4440, "Label5", 120, 600, "1680 - 1771 Yılları", "Text3",
     {0, 1080, 9075, 3285}, 1, 0, 2, 3, {"Command2", "Command1", "Text3", "Label5"}, 7440, 1575, "Text3"},
    {"kronoloji9", "Command5", "", kWhite, 9105, 4440, "Label5", 120, 600, "1771 - 1836 Yılları", "Text3",
     {0, 1080, 9075, 3285}, 2, 3, 1, 0, {"Text3", "Command1", "Command2", "Label5"}, 7440, 1575, "Command2"},
    {"kronoloji7", "Command4", "Kronoloji", kTitleText, 9105, 4455, "Label5", 120, 600, "1836 - 1886 Yılları", "Text3",
     {0, 1080, 9075, 3285}, 1, 0, 2, 3, {"Command2", "Command1", "Text3", "Label5"}, 7440, 1575, "Text3"},
    {"kronoloji8", "Command3", "Kronoloji", kTitleText, 9105, 4455, "Label5", 120, 600, "1886 - 1924 Yılları", "Text3",
     {0, 1080, 9075, 3285}, 1, 0, 2, 3, {"Command2", "Command1", "Text3", "Label5"}, 7440, 1575, "Text3"},
};

const Period& period(const QString& id)
{
    for (const Period& p : kPeriods)
        if (id == p.id)
            return p;
    throw std::out_of_range(id.toStdString());
}

QRect pixels(const Twips& t)
{
    return QRect(t.left / 15, t.top / 15, t.width / 15, t.height / 15);
}

QRect twipsOf(const ControlDef& c)
{
    return QRect(c.left, c.top, c.width, c.height);
}

QRect twipsOf(const Twips& t)
{
    return QRect(t.left, t.top, t.width, t.height);
}

bool sameSteps(const Binding* b, Action action, const std::string& target)
{
    return b && b->steps.size() == 1 && b->steps[0].action == action && b->steps[0].target == target;
}

const Font kHeadingFont{.face = "MS Sans Serif", .size = 120000, .weight = 700, .charset = kTurkish};
const Font kReadingFont{.face = "Tahoma", .size = 112500, .weight = 700, .charset = kTurkish};

// How far a window's client area lies from the middle of the screen; odd
// sizes and frames round by a pixel or two each way.
int offCentre(const ScreenWindow* w)
{
    return (w->clientGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center())
        .manhattanLength();
}

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

} // namespace

class TestChronologyScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuWindow();
    void menuControls_data();
    void menuControls();
    void menuTabOrder();
    void menuButtonOpensItsPeriod_data();
    void menuButtonOpensItsPeriod();

    void periodDefinition_data() { periods(); }
    void periodDefinition();
    void periodWindow_data() { periods(); }
    void periodWindow();
    void periodTextIsReadOnlyAndScrollsToItsEnd_data() { periods(); }
    void periodTextIsReadOnlyAndScrollsToItsEnd();

    void sameButtonTwiceGivesOneScreen();
    void backWithTheMenuLoadedKeepsThatMenu_data() { periods(); }
    void backWithTheMenuLoadedKeepsThatMenu();
    void backAfterTheMenuWasUnloadedBuildsAFreshOne();
    void homeOnAPeriodLeavesTheMenuLoaded();
    void allEightOpenAtOnce();
    void backBringsAMinimizedMenuBack();

private:
    static void periods();
    ScreenWindow* window(const std::string& id) const { return windowOf(m_manager->live(id)); }
    QWidget* control(const std::string& screen, const std::string& name) const;
    void click(const std::string& screen, const std::string& control);
    static int visibleWindows(const std::string& id);
    QStringList loaded() const;

    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
};

void TestChronologyScreens::initTestCase()
{
    initialiseLook(*qApp);
}

void TestChronologyScreens::init()
{
    // The way in: the main screen's "Kronoloji".
    testing::startProgram(m_windows, m_manager, m_reports, m_quits);
    QVERIFY(window("giris"));
    click("giris", "Command9");
    QVERIFY(m_manager->isLoaded("kronolojimenu"));
    QVERIFY(!m_manager->isLoaded("giris"));
    QVERIFY(QTest::qWaitForWindowExposed(window("kronolojimenu")));
}

void TestChronologyScreens::cleanup()
{
    QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join('\n')));
    QCOMPARE(m_quits, 0);
    m_manager.reset();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestChronologyScreens::periods()
{
    QTest::addColumn<QString>("id");
    for (const Period& p : kPeriods)
        QTest::newRow(p.id) << QString(p.id);
}

QWidget* TestChronologyScreens::control(const std::string& screen, const std::string& name) const
{
    ScreenWindow* w = window(screen);
    return w ? w->control(name) : nullptr;
}

void TestChronologyScreens::click(const std::string& screen, const std::string& name)
{
    QWidget* c = control(screen, name);
    QVERIFY2(c, (screen + "/" + name).c_str());
    QTest::mouseClick(c, Qt::LeftButton);
}

int TestChronologyScreens::visibleWindows(const std::string& id)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<ScreenWindow*>(w); s && s->isVisible() && s->screenId() == id)
            ++n;
    return n;
}

QStringList TestChronologyScreens::loaded() const
{
    QStringList l;
    for (const std::string& id : m_manager->loadedScreens())
        l << QString::fromStdString(id);
    l.sort();
    return l;
}

void TestChronologyScreens::menuWindow()
{
    const ScreenDef& s = screens::all().screen("kronolojimenu");
    QCOMPARE(s.caption, std::string("Kronoloji"));
    QCOMPARE(s.border, BorderStyle::FixedToolWindow);
    QVERIFY(!s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::CentreScreen);
    QCOMPARE(s.backColour, std::optional<Colour>(kWhite));
    QVERIFY(!s.font);
    QVERIFY(!s.showInTaskbar);
    QCOMPARE(int(s.controls.size()), int(std::size(kMenu)));

    ScreenWindow* w = window("kronolojimenu");
    QCOMPARE(w->windowTitle(), QString("Kronoloji"));
    QCOMPARE(w->client()->size(), QSize(547, 185));
    QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::FramelessWindowHint));
    QVERIFY2(offCentre(w) <= 4, qPrintable(QString("%1 pixels off the centre").arg(offCentre(w))));
    // White background, red period buttons on it.
    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(300, 5), QColor(Qt::white));
    QCOMPARE(img.pixelColor(8 + 10, 96 + 5), QColor(0xFF, 0x00, 0x00));
}

void TestChronologyScreens::menuControls_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kMenu)); ++i)
        QTest::newRow(kMenu[i].name) << i;
}

void TestChronologyScreens::menuControls()
{
    QFETCH(int, index);
    const MenuControl& m = kMenu[index];
    const ScreenDef& s = screens::all().screen("kronolojimenu");
    QVERIFY(index < int(s.controls.size()));
    const ControlDef& c = s.controls[index];
    QCOMPARE(c.name, std::string(m.name));
    QCOMPARE(c.kind, m.kind);
    QCOMPARE(twipsOf(c), twipsOf(m.box));
    QCOMPARE(c.caption.value_or(""), std::string(m.caption));
    QCOMPARE(c.tabIndex, m.tabIndex);
    if (m.kind == ControlKind::Button) {
        const bool period = std::string_view(m.caption).find(" - ") != std::string_view::npos;
        QCOMPARE(c.backColour, std::optional<Colour>(period ? kRed : kWhite));
        QCOMPARE(c.graphical, std::optional<bool>(true));
        QCOMPARE(c.font, std::optional<Font>(defaultFont()));
        auto* b = qobject_cast<QAbstractButton*>(control("kronolojimenu", m.name));
        QVERIFY(b);
        QCOMPARE(b->geometry(), pixels(m.box));
        QCOMPARE(b->text(), QString(m.caption));
    } else {
        QCOMPARE(c.transparent, std::optional<bool>(true));
        QCOMPARE(c.font, std::optional<Font>(kHeadingFont));
        QCOMPARE(c.foreColour, std::optional<Colour>(Colour::system(SystemColour::ButtonText)));
        QCOMPARE(window("kronolojimenu")->client()->boxOf(c), pixels(m.box));
    }
}

void TestChronologyScreens::menuTabOrder()
{
    ScreenWindow* w = window("kronolojimenu");
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTRY_COMPARE(QApplication::focusWidget(), control("kronolojimenu", "Command1"));
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        auto* b = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        QVERIFY(b);
        visited << b->text();
        QTest::keyClick(b, Qt::Key_Tab);
    }
    const QStringList expected{"1299 - 1434", "1434 - 1514", "1886 - 1924", "1836 - 1886",    "1771 - 1836", "1680 - 1771",
                               "1583 - 1680", "1514 - 1583", "Anasayfaya Dön", "Aşağı Al", "1299 - 1434"};
    QCOMPARE(visited, expected);
}

void TestChronologyScreens::menuButtonOpensItsPeriod_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("id");
    QTest::newRow("1299 - 1434") << "Command1" << "1299 - 1434" << "kronoloji1";
    QTest::newRow("1434 - 1514") << "Command2" << "1434 - 1514" << "kronoloji2";
    QTest::newRow("1514 - 1583") << "Command8" << "1514 - 1583" << "kronoloji3";
    QTest::newRow("1583 - 1680") << "Command7" << "1583 - 1680" << "kronoloji4";
    QTest::newRow("1680 - 1771") << "Command6" << "1680 - 1771" << "kronoloji5";
    QTest::newRow("1771 - 1836") << "Command5" << "1771 - 1836" << "kronoloji9";
    QTest::newRow("1836 - 1886") << "Command4" << "1836 - 1886" << "kronoloji7";
    QTest::newRow("1886 - 1924") << "Command3" << "1886 - 1924" << "kronoloji8";
}

void TestChronologyScreens::menuButtonOpensItsPeriod()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, id);
    const std::string target = id.toStdString();
    QCOMPARE(qobject_cast<QAbstractButton*>(control("kronolojimenu", button.toStdString()))->text(), caption);
    QVERIFY(sameSteps(screens::all().binding("kronolojimenu", button.toStdString(), Event::Click), Action::Open, target));

    click("kronolojimenu", button.toStdString());
    // Open: the period comes to the front and the menu stays.
    QCOMPARE(loaded(), sorted(QStringList{"kronolojimenu", QString::fromStdString(target)}));
    QCOMPARE(m_manager->activeScreen(), target);
    QVERIFY(QTest::qWaitForWindowExposed(window(target)));
    // Its heading names the period of the button that opened it.
    const ControlDef* heading = screens::all().screen(target).control(period(id).heading);
    QVERIFY(heading);
    QVERIFY(QString::fromStdString(heading->caption.value_or("")).startsWith(caption));
}

void TestChronologyScreens::periodDefinition()
{
    QFETCH(QString, id);
    const Period& p = period(id);
    const ScreenDef& s = screens::all().screen(p.id);
    QCOMPARE(s.caption, std::string(p.caption));
    QCOMPARE(s.border, *p.caption ? BorderStyle::FixedToolWindow : BorderStyle::FixedDialog);
    QCOMPARE(s.hasTitleBar(), *p.caption != 0);
    QVERIFY(!s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::CentreScreen);
    QCOMPARE(QSize(s.clientWidth, s.clientHeight), QSize(p.clientWidth, p.clientHeight));
    QCOMPARE(s.backColour, std::optional<Colour>(p.back));
    QVERIFY(!s.font);
    QVERIFY(s.showInTaskbar);

    QStringList order;
    for (const ControlDef& c : s.controls)
        order << QString::fromStdString(c.name);
    QCOMPARE(order, (QStringList{p.order[0], p.order[1], p.order[2], p.order[3]}));

    const ControlDef* back = s.control("Command1");
    QCOMPARE(back->kind, ControlKind::Button);
    QCOMPARE(back->caption.value_or(""), std::string("Kapat ve Geri Dön"));
    QCOMPARE(twipsOf(*back), QRect(p.backLeft, 0, p.backWidth, 255));
    QCOMPARE(back->backColour, std::optional<Colour>(kTitleText));
    QCOMPARE(back->tabIndex, p.backTab);

    const ControlDef* home = s.control("Command2");
    QCOMPARE(home->kind, ControlKind::Button);
    QCOMPARE(home->caption.value_or(""), std::string("Anasayfaya Dön"));
    QCOMPARE(twipsOf(*home), QRect(7440, 240, 1575, 255));
    QCOMPARE(home->backColour, std::optional<Colour>(kRed));
    QCOMPARE(home->tabIndex, p.homeTab);
    for (const ControlDef* b : {back, home}) {
        QCOMPARE(b->graphical, std::optional<bool>(true));
        QCOMPARE(b->font, std::optional<Font>(defaultFont()));
    }

    const ControlDef* heading = s.control(p.heading);
    QCOMPARE(heading->kind, ControlKind::Label);
    QCOMPARE(heading->caption.value_or(""), std::string(p.headingCaption));
    QCOMPARE(twipsOf(*heading), QRect(p.headingLeft, p.headingTop, 4215, 375));
    QCOMPARE(heading->foreColour, std::optional<Colour>(kRed));
    QCOMPARE(heading->transparent, std::optional<bool>(true));
    QCOMPARE(heading->font, std::optional<Font>(kHeadingFont));
    QCOMPARE(heading->tabIndex, p.headingTab);

    const ControlDef* text = s.control(p.textBox);
    QCOMPARE(text->kind, ControlKind::TextBox);
    QCOMPARE(twipsOf(*text), twipsOf(p.box));
    QCOMPARE(text->backColour, std::optional<Colour>(kWhite));
    QCOMPARE(text->foreColour, std::optional<Colour>(Colour::rgb(0x404040)));
    QCOMPARE(text->font, std::optional<Font>(kReadingFont));
    QVERIFY(text->multiLine && text->readOnly && text->verticalScrollBar);
    QCOMPARE(text->tabStop, std::optional<bool>(true));
    QCOMPARE(text->tabIndex, p.textTab);
    QCOMPARE(text->text, std::string(content::get("chronology/" + std::string(p.id) + ".txt")));

    // Exactly the two buttons act, each with one GoTo.
    QVERIFY(sameSteps(screens::all().binding(p.id, "Command1", Event::Click), Action::GoTo, "kronolojimenu"));
    QVERIFY(sameSteps(screens::all().binding(p.id, "Command2", Event::Click), Action::GoTo, "giris"));
    int bindings = 0;
    for (const Binding& b : screens::all().bindings())
        bindings += b.screen == p.id;
    QCOMPARE(bindings, 2);
    QVERIFY(sameSteps(screens::all().binding("kronolojimenu", p.openedBy, Event::Click), Action::Open, p.id));
}

void TestChronologyScreens::periodWindow()
{
    QFETCH(QString, id);
    const Period& p = period(id);
    click("kronolojimenu", p.openedBy);
    ScreenWindow* w = window(p.id);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));

    QCOMPARE(w->windowTitle(), QString(p.caption));
    QCOMPARE(bool(w->windowFlags() & Qt::FramelessWindowHint), *p.caption == 0);
    QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(w->client()->size(), QSize(p.clientWidth / 15, p.clientHeight / 15));
    QVERIFY2(offCentre(w) <= 4, qPrintable(QString("%1 pixels off the centre").arg(offCentre(w))));

    QCOMPARE(w->control("Command1")->geometry(), pixels({p.backLeft, 0, p.backWidth, 255}));
    QCOMPARE(w->control("Command2")->geometry(), pixels({7440, 240, 1575, 255}));
    QCOMPARE(w->control(p.textBox)->geometry(), pixels(p.box));
    QVERIFY(!w->control(p.heading));
    const Twips headingBox{p.headingLeft, p.headingTop, 4215, 375};
    QCOMPARE(w->client()->boxOf(*screens::all().screen(p.id).control(p.heading)), pixels(headingBox));

    // The heading is drawn in red inside its box.
    const QImage img = w->client()->grab().toImage();
    int red = 0;
    const QRect hb = pixels(headingBox);
    for (int y = hb.top(); y <= hb.bottom(); ++y)
        for (int x = hb.left(); x <= hb.right(); ++x)
            red += img.pixelColor(x, y) == QColor(0xFF, 0, 0);
    QVERIFY2(red > 50, "no red heading");

    // Tab order from the tab indexes; the focus starts on the first of it.
    std::vector<std::pair<int, QString>> byIndex{
        {p.textTab, p.textBox}, {p.backTab, "Command1"}, {p.homeTab, "Command2"}};
    std::sort(byIndex.begin(), byIndex.end());
    QStringList expected, order;
    for (const auto& [i, name] : byIndex)
        expected << name;
    for (QWidget* c : w->tabOrder())
        order << c->objectName();
    QCOMPARE(order, expected);
    QCOMPARE(w->firstFocus()->objectName(), QString(p.firstFocus));
    QTRY_COMPARE(QApplication::focusWidget(), w->control(p.firstFocus));
}

void TestChronologyScreens::periodTextIsReadOnlyAndScrollsToItsEnd()
{
    QFETCH(QString, id);
    const Period& p = period(id);
    click("kronolojimenu", p.openedBy);
    auto* text = qobject_cast<QPlainTextEdit*>(control(p.id, p.textBox));
    QVERIFY(text);
    QVERIFY(QTest::qWaitForWindowExposed(window(p.id)));
    const QString before = text->toPlainText();
    QCOMPARE(before, toDisplayText(std::string(content::get("chronology/" + std::string(p.id) + ".txt"))));

    text->setFocus();
    QTest::keyClicks(text, "abc");
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    text->selectAll();
    QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(text->toPlainText(), before);

    // Opens at the top; the scroll bar reaches the last entry.
    QScrollBar* bar = text->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->value(), 0);
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    const QString last = before.trimmed().section('\n', -1);
    QVERIFY(!last.isEmpty());
    QTextCursor c = text->document()->find(last, text->document()->characterCount(), QTextDocument::FindBackward);
    QVERIFY(!c.isNull());
    QVERIFY2(text->viewport()->rect().contains(text->cursorRect(c)), qPrintable(last));
}

void TestChronologyScreens::sameButtonTwiceGivesOneScreen()
{
    click("kronolojimenu", "Command6");
    QPointer<ScreenWindow> first = window("kronoloji5");
    QVERIFY(first);
    auto* text = qobject_cast<QPlainTextEdit*>(first->control("Text3"));
    text->verticalScrollBar()->setValue(40);
    // The menu comes to the front, then the same button again.
    m_manager->show("kronolojimenu");
    QCOMPARE(m_manager->activeScreen(), std::string("kronolojimenu"));
    click("kronolojimenu", "Command6");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window("kronoloji5"), first.data());
    QCOMPARE(m_manager->activeScreen(), std::string("kronoloji5"));
    QCOMPARE(visibleWindows("kronoloji5"), 1);
    QCOMPARE(text->verticalScrollBar()->value(), 40);
}

void TestChronologyScreens::backWithTheMenuLoadedKeepsThatMenu()
{
    QFETCH(QString, id);
    const Period& p = period(id);
    QPointer<ScreenWindow> menu = window("kronolojimenu");
    click("kronolojimenu", p.openedBy);
    QCOMPARE(m_manager->activeScreen(), std::string(p.id));
    click(p.id, "Command1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_manager->isLoaded(p.id));
    QCOMPARE(visibleWindows(p.id), 0);
    QVERIFY(menu);
    QCOMPARE(window("kronolojimenu"), menu.data());
    QCOMPARE(visibleWindows("kronolojimenu"), 1);
    QCOMPARE(m_manager->activeScreen(), std::string("kronolojimenu"));
    QCOMPARE(loaded(), sorted(QStringList{"kronolojimenu"}));
}

void TestChronologyScreens::backAfterTheMenuWasUnloadedBuildsAFreshOne()
{
    click("kronolojimenu", "Command8");
    QPointer<ScreenWindow> oldMenu = window("kronolojimenu");
    click("kronolojimenu", "Command10"); // "Anasayfaya Dön" on the menu
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!oldMenu);
    QCOMPARE(loaded(), sorted(QStringList{"giris", "kronoloji3"}));

    click("kronoloji3", "Command1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(loaded(), sorted(QStringList{"giris", "kronolojimenu"}));
    QCOMPARE(m_manager->activeScreen(), std::string("kronolojimenu"));
    ScreenWindow* menu = window("kronolojimenu");
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QCOMPARE(visibleWindows("kronolojimenu"), 1);
    QVERIFY2(offCentre(menu) <= 4, qPrintable(QString("%1 pixels off the centre").arg(offCentre(menu))));
    // Built afresh: the focus starts again on the first period button.
    QTRY_COMPARE(QApplication::focusWidget(), menu->control("Command1"));
}

void TestChronologyScreens::homeOnAPeriodLeavesTheMenuLoaded()
{
    QPointer<ScreenWindow> menu = window("kronolojimenu");
    click("kronolojimenu", "Command4");
    click("kronoloji7", "Command2"); // "Anasayfaya Dön"
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(loaded(), sorted(QStringList{"giris", "kronolojimenu"}));
    QCOMPARE(m_manager->activeScreen(), std::string("giris"));
    QVERIFY(menu);

    // "Kronoloji" on the main screen shows that same menu and leaves.
    click("giris", "Command9");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(loaded(), sorted(QStringList{"kronolojimenu"}));
    QCOMPARE(window("kronolojimenu"), menu.data());
    QCOMPARE(m_manager->activeScreen(), std::string("kronolojimenu"));
}

void TestChronologyScreens::allEightOpenAtOnce()
{
    QStringList expected{"kronolojimenu"};
    for (const Period& p : kPeriods) {
        click("kronolojimenu", p.openedBy);
        expected << p.id;
    }
    QCOMPARE(loaded(), sorted(expected));
    for (const QString& id : expected)
        QCOMPARE(visibleWindows(id.toStdString()), 1);

    // Each goes back to the menu on its own; the others stay.
    for (const Period& p : kPeriods) {
        click(p.id, "Command1");
        expected.removeOne(p.id);
        QCOMPARE(loaded(), sorted(expected));
        QCOMPARE(visibleWindows("kronolojimenu"), 1);
    }
}

void TestChronologyScreens::backBringsAMinimizedMenuBack()
{
    QPointer<ScreenWindow> menu = window("kronolojimenu");
    click("kronolojimenu", "Command2");
    m_manager->show("kronolojimenu");
    click("kronolojimenu", "Command9"); // "Aşağı Al"
    QTRY_VERIFY(menu->isMinimized());
    QVERIFY(m_manager->isLoaded("kronoloji2"));

    click("kronoloji2", "Command1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(loaded(), sorted(QStringList{"kronolojimenu"}));
    QCOMPARE(window("kronolojimenu"), menu.data());
    QTRY_VERIFY(!menu->isMinimized());
    QCOMPARE(m_manager->activeScreen(), std::string("kronolojimenu"));
}

QTEST_MAIN(TestChronologyScreens)
#include "test_chronology_screens.moc"
