// What a screen reader finds on the screens: every control a user can reach
// by keyboard or mouse in the accessibility tree, with a name and a role.
#include "runtime/Units.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/StreamPanel.h"
#include "runtime/qt/Surface.h"
#include "runtime/stream/PlayerControls.h"
#include "runtime/stream/StreamPlayer.h"
#include "screens/Screens.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QApplication>
#include <QtTest>

#include <memory>

using namespace yelvanis;
using namespace yelvanis::qt;

namespace {

struct Recorder : ScreenEvents {
    QStringList clicks;
    void clicked(const std::string&, const std::string& c) override { clicks << QString::fromStdString(c); }
    void closeRequested(const std::string&) override { }
};

// Every interface under the root, depth first, as a screen reader walks it.
void walk(QAccessibleInterface* iface, QList<QAccessibleInterface*>& out, int depth = 0)
{
    if (!iface || depth > 32)
        return;
    out << iface;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), out, depth + 1);
}

QList<QAccessibleInterface*> treeOf(QWidget* window)
{
    QList<QAccessibleInterface*> all;
    walk(QAccessible::queryAccessibleInterface(window), all);
    return all;
}

QAccessibleInterface* findObject(const QList<QAccessibleInterface*>& tree, const QObject* object)
{
    for (QAccessibleInterface* i : tree)
        if (i->object() == object)
            return i;
    return nullptr;
}

// A painted control has no object: it is found by its name and place.
QAccessibleInterface* findPainted(const QList<QAccessibleInterface*>& tree, QAccessible::Role role, QRect globalBox)
{
    for (QAccessibleInterface* i : tree)
        if (!i->object() && i->role() == role && i->rect() == globalBox)
            return i;
    return nullptr;
}

QAccessible::Role roleOf(ControlKind k)
{
    switch (k) {
    case ControlKind::Button: return QAccessible::Button;
    case ControlKind::TextBox: return QAccessible::EditableText;
    case ControlKind::Movie: return QAccessible::Animation;
    case ControlKind::Stream: return QAccessible::Sound;
    case ControlKind::Frame: return QAccessible::Grouping;
    case ControlKind::Image: return QAccessible::Graphic;
    default: return QAccessible::StaticText;
    }
}

Surface* surfaceOf(ScreenWindow& w, const ControlDef& c)
{
    return c.container.empty() ? w.client() : qobject_cast<Surface*>(w.control(c.container));
}

ScreenDef fixture(std::vector<ControlDef> controls)
{
    return withDefaults(ScreenDef{.id = "t", .caption = "Deneme Ekranı", .border = BorderStyle::FixedToolWindow,
                                  .clientLeft = 1500, .clientTop = 1500, .clientWidth = 9000, .clientHeight = 6000,
                                  .backColour = Colour::rgb(0xFFFFFF), .controls = std::move(controls)});
}

ControlDef label(std::string name, int left, int top, int width, int height, std::string caption,
                 std::string container = {})
{
    return withDefaults(ControlDef{.kind = ControlKind::Label, .name = std::move(name), .container = std::move(container),
                                   .left = left, .top = top, .width = width, .height = height,
                                   .caption = std::move(caption)});
}

ControlDef textBox(std::string name, int left, int top, int width, int height, std::string container = {})
{
    return withDefaults(ControlDef{.kind = ControlKind::TextBox, .name = std::move(name),
                                   .container = std::move(container), .left = left, .top = top, .width = width,
                                   .height = height, .text = "metin"});
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initialiseLook(*qApp); }
    void everyReachableControlIsNamed_data();
    void everyReachableControlIsNamed();
    void namesOnTheScreens_data();
    void namesOnTheScreens();
    void textBoxIsNamedAfterItsHeading_data();
    void textBoxIsNamedAfterItsHeading();
    void pressingAPaintedControlClicksIt();
    void aStreamPlayersControlsAreNamed();
};

void TestAccessibility::everyReachableControlIsNamed_data()
{
    QTest::addColumn<QString>("screen");
    for (const ScreenDef& s : screens::all().screens())
        QTest::newRow(s.id.c_str()) << QString::fromStdString(s.id);
}

// Each control in the tab order, and each painted one with a click, is in
// the tree under its window, with a name and its kind's role.
void TestAccessibility::everyReachableControlIsNamed()
{
    QFETCH(QString, screen);
    const Catalogue& cat = screens::all();
    const ScreenDef& def = cat.screen(screen.toStdString());
    Recorder events;
    ScreenWindow window(def, events);
    window.show();
    const auto tree = treeOf(&window);
    QVERIFY(!tree.isEmpty());
    QCOMPARE(tree.front()->role(), QAccessible::Window);
    QVERIFY2(!tree.front()->text(QAccessible::Name).trimmed().isEmpty(), "the screen has no name");

    for (QWidget* w : window.tabOrder()) {
        QAccessibleInterface* i = findObject(tree, w);
        QVERIFY2(i, qPrintable(w->objectName() + " is not in the tree"));
        const ControlDef* c = def.control(w->objectName().toStdString());
        QVERIFY(c);
        QCOMPARE(i->role(), roleOf(c->kind));
        QVERIFY2(!i->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(w->objectName() + " has no name"));
        // The focus goes to a panel's proxy: that is what a screen reader announces.
        if (QWidget* proxy = w->focusProxy()) {
            QAccessibleInterface* p = QAccessible::queryAccessibleInterface(proxy);
            QVERIFY(p);
            QCOMPARE(p->text(QAccessible::Name), i->text(QAccessible::Name));
        }
    }
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Label && c.kind != ControlKind::Image)
            continue;
        if (!cat.binding(def.id, c.name, Event::Click))
            continue;
        Surface* s = surfaceOf(window, c);
        QVERIFY(s);
        const QRect box = s->boxOf(c);
        QAccessibleInterface* i = findPainted(tree, roleOf(c.kind), QRect(s->mapToGlobal(box.topLeft()), box.size()));
        QVERIFY2(i, qPrintable(QString::fromStdString(c.name) + " is not in the tree"));
        QVERIFY2(!i->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(QString::fromStdString(c.name) + " has no name"));
        QVERIFY(i->actionInterface());
    }
}

void TestAccessibility::namesOnTheScreens_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("a button: its caption") << "giris" << "Command9" << int(QAccessible::Button) << "Kronoloji";
    QTest::newRow("a movie panel") << "giris" << "ShockwaveFlash1" << int(QAccessible::Animation) << "Canlandırma";
    QTest::newRow("a stream player") << "mehter1" << "WindowsMediaPlayer1" << int(QAccessible::Sound) << "Ses çalar";
    QTest::newRow("a text box: the heading over it")
        << "osman" << "Output" << int(QAccessible::EditableText) << "HAYATI ve DEVLETİN KURULUŞU";
    QTest::newRow("a text box: the second heading, not the first")
        << "osman" << "Text1" << int(QAccessible::EditableText) << "OSMAN GAZİ'NİN VASİYETİ";
    QTest::newRow("a text box: a heading stored after it")
        << "kronoloji9" << "Text3" << int(QAccessible::EditableText) << "1771 - 1836 Yılları";
    QTest::newRow("a clickable label") << "osman" << "Label43" << int(QAccessible::StaticText) << "X";
    QTest::newRow("a screen: its caption") << "giris" << "" << int(QAccessible::Window) << "Yelvanis v1.0";
    QTest::newRow("a screen without a caption: its largest label")
        << "osman" << "" << int(QAccessible::Window) << "OSMAN GAZi ( OSMAN BEY) 1281 - 1326";
    QTest::newRow("a portrait: the name under it")
        << "Anasayfa" << "Image7" << int(QAccessible::Graphic) << "Fatih Sultan Mehmet";
    QTest::newRow("a portrait: a name of two lines")
        << "Anasayfa" << "Image10" << int(QAccessible::Graphic) << "Kanuni Sultan Süleyman";
}

void TestAccessibility::namesOnTheScreens()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    const ScreenDef& def = screens::all().screen(screen.toStdString());
    Recorder events;
    ScreenWindow window(def, events);
    window.show();
    const auto tree = treeOf(&window);
    QAccessibleInterface* i = nullptr;
    const ControlDef* c = def.control(control.toStdString());
    QVERIFY(c || control.isEmpty());
    if (!c) {
        i = tree.front();
    } else if (QWidget* w = window.control(c->name)) {
        i = findObject(tree, w);
    } else {
        Surface* s = surfaceOf(window, *c);
        QVERIFY(s);
        const QRect box = s->boxOf(*c);
        i = findPainted(tree, QAccessible::Role(role), QRect(s->mapToGlobal(box.topLeft()), box.size()));
    }
    QVERIFY(i);
    QCOMPARE(int(i->role()), role);
    QCOMPARE(i->text(QAccessible::Name), name);
}

void TestAccessibility::textBoxIsNamedAfterItsHeading_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("heading");
    // Twips: 15 to a pixel.
    QTest::newRow("the nearest label above that overlaps it") << "metin" << "Hayatı";
    QTest::newRow("in a frame without a label: the frame's caption") << "kutuda" << "Savaşları";
    QTest::newRow("no label above: the screen's caption") << "yalniz" << "Deneme Ekranı";
}

void TestAccessibility::textBoxIsNamedAfterItsHeading()
{
    QFETCH(QString, box);
    QFETCH(QString, heading);
    const ScreenDef def = fixture({
        // Above, overlapping, but farther than "Hayatı".
        label("uzak", 300, 150, 3000, 300, "Osman Gazi"),
        // Nearer, but beside the box, not over it.
        label("yanda", 4000, 1050, 1500, 300, "Yanında"),
        // Under the box: a caption below heads nothing.
        label("altta", 300, 3200, 3000, 300, "Altında"),
        textBox("metin", 300, 1200, 3000, 1800),
        // Stored after the box it heads.
        label("baslik", 600, 750, 1500, 300, "Hayatı"),
        withDefaults(ControlDef{.kind = ControlKind::Frame, .name = "Frame1", .left = 6000, .top = 300,
                                .width = 2700, .height = 2700, .caption = "Savaşları"}),
        textBox("kutuda", 150, 450, 2400, 1500, "Frame1"),
        // Left of every label that is above anything.
        textBox("yalniz", 6000, 3600, 2700, 1500),
    });
    Recorder events;
    ScreenWindow window(def, events);
    QWidget* w = window.control(box.toStdString());
    QVERIFY(w);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::EditableText);
    QCOMPARE(i->text(QAccessible::Name), heading);
    // The frame is a group under its caption, and holds its text box.
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.control("Frame1"));
    QCOMPARE(frame->role(), QAccessible::Grouping);
    QCOMPARE(frame->text(QAccessible::Name), QStringLiteral("Savaşları"));
    QVERIFY(findObject(treeOf(window.control("Frame1")), window.control("kutuda")));
}

// A screen reader's press on a painted label is the label's click; an
// image is named by the caption under it.
void TestAccessibility::pressingAPaintedControlClicksIt()
{
    const ScreenDef def = fixture({
        label("kapat", 8400, 0, 600, 300, "X"),
        withDefaults(ControlDef{.kind = ControlKind::Image, .name = "resim", .left = 300, .top = 300,
                                .width = 1500, .height = 1500, .picture = PictureRef{"yok.gif"}}),
        label("alti", 300, 1830, 1500, 300, "Fatih Sultan Mehmed"),
    });
    Recorder events;
    ScreenWindow window(def, events);
    window.show();
    const auto tree = treeOf(&window);
    QAccessibleInterface* close = nullptr;
    QAccessibleInterface* picture = nullptr;
    for (QAccessibleInterface* i : tree) {
        if (i->role() == QAccessible::StaticText && i->text(QAccessible::Name) == "X")
            close = i;
        if (i->role() == QAccessible::Graphic)
            picture = i;
    }
    QVERIFY(close);
    QVERIFY(picture);
    QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Fatih Sultan Mehmed"));
    QCOMPARE(close->parent()->object(), window.client());
    QCOMPARE(window.client()->mapFromGlobal(close->rect().topLeft()), QPoint(560, 0));
    QVERIFY(close->actionInterface());
    close->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(events.clicks, QStringList{"kapat"});
    // The parent's child at the label's place is the label.
    QAccessibleInterface* client = QAccessible::queryAccessibleInterface(window.client());
    const QPoint centre = close->rect().center();
    QCOMPARE(client->childAt(centre.x(), centre.y()), close);
}

// The player's buttons show glyphs only: each is in the tree under the
// screen with a name, and play/pause is named after what a press does now.
void TestAccessibility::aStreamPlayersControlsAreNamed()
{
    const ScreenDef& def = screens::all().screen("mehter1");
    Recorder events;
    ScreenWindow window(def, events);
    window.show();
    auto* panel = qobject_cast<StreamPanel*>(window.control("WindowsMediaPlayer1"));
    QVERIFY(panel);
    auto* controls = panel->findChild<stream::PlayerControls*>();
    QVERIFY(controls);
    const auto tree = treeOf(&window);
    const struct {
        QWidget* widget;
        QAccessible::Role role;
        QString name;
    } expected[] = {
        {controls->stopButton(), QAccessible::Button, QStringLiteral("Durdur")},
        // A toggle: announced with its state.
        {controls->muteButton(), QAccessible::CheckBox, QStringLiteral("Sessiz")},
        {controls->volumeSlider(), QAccessible::Slider, QStringLiteral("Ses")},
        {controls->seekBar(), QAccessible::Slider, QStringLiteral("Konum")},
    };
    for (const auto& e : expected) {
        QVERIFY(e.widget);
        QAccessibleInterface* i = findObject(tree, e.widget);
        QVERIFY2(i, qPrintable(e.name + " is not in the tree"));
        QCOMPARE(i->role(), e.role);
        QCOMPARE(i->text(QAccessible::Name), e.name);
    }
    QAccessibleInterface* playPause = findObject(tree, controls->playPauseButton());
    QVERIFY(playPause);
    QCOMPARE(playPause->role(), QAccessible::Button);
    auto nameFor = [&] {
        const auto s = panel->player()->state();
        return s == stream::StreamPlayer::State::Stopped || s == stream::StreamPlayer::State::Paused
            ? QStringLiteral("Çal") : QStringLiteral("Duraklat");
    };
    QCOMPARE(playPause->text(QAccessible::Name), nameFor());
    panel->player()->stop();
    QCOMPARE(playPause->text(QAccessible::Name), QStringLiteral("Çal"));
    QVERIFY(!findObject(tree, controls->stateLabel())->text(QAccessible::Name).isEmpty());
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
