// Text on a scaled display: CTest runs this once per scale factor
// (QT_SCALE_FACTOR). Each caption drawn on the live screen must be its
// drawing at 96 pixels per inch enlarged by the factor: a face whose glyphs
// keep their pixel size while the spacing grows (a bitmap face) fails.
#include "LiveProgram.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::qt;

class TestDisplayScale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void screensRunAtTheFactor();
    void lettersGrowWithTheFactor_data();
    void lettersGrowWithTheFactor();

private:
    // Where a caption is drawn: the widget that draws it and its box there,
    // in logical pixels.
    struct Place {
        QWidget* host = nullptr;
        QRect box;
    };
    Place placeOf(ScreenWindow* window, const QString& target);

    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
    double m_factor = 1.0;
};

namespace {

// The letters in a region: the box round the pixels that differ clearly
// from its most common colour (the background), where half-covered edge
// pixels count and fainter ones do not; and their mass, every pixel's
// difference from the background summed, which grows with the square of the
// factor when the letters are the same shapes enlarged.
struct Ink {
    QRect box;
    double mass = 0;
};

Ink inkIn(const QImage& image, QRect region)
{
    region &= image.rect();
    QHash<QRgb, int> counts;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb back = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            back = it.key();
        }
    Ink ink;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int d = qMax(qAbs(qRed(p) - qRed(back)),
                               qMax(qAbs(qGreen(p) - qGreen(back)), qAbs(qBlue(p) - qBlue(back))));
            ink.mass += d / 255.0;
            if (d >= 96)
                ink.box |= QRect(x, y, 1, 1);
        }
    return ink;
}

} // namespace

void TestDisplayScale::initTestCase()
{
    initialiseLook(*qApp);
    m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

void TestDisplayScale::init()
{
    testing::startProgram(m_windows, m_manager, m_reports, m_quits);
}

void TestDisplayScale::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(QLatin1Char('\n'))));
}

void TestDisplayScale::screensRunAtTheFactor()
{
    ScreenWindow* window = windowOf(m_manager->live("giris"));
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->devicePixelRatio(), m_factor);
}

void TestDisplayScale::lettersGrowWithTheFactor_data()
{
    // A control by name; "menu:item" is a menu bar item, "menu:item/sub" an
    // item of its drop-down.
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("target");
    QTest::newRow("main menu bar (MS Sans Serif)") << "giris" << "menu:about";
    QTest::newRow("main drop-down (MS Sans Serif)") << "giris" << "menu:about/prgabout";
    QTest::newRow("main section button (MS Sans Serif bold)") << "giris" << "Command4";
    QTest::newRow("main title (Monotype Corsiva)") << "giris" << "Label1";
    QTest::newRow("ruler name (Script)") << "fatih" << "osman";
    QTest::newRow("ruler fact card (MS Sans Serif 13.5)") << "fatih" << "Label1";
    QTest::newRow("ruler heading (MS Sans Serif 12 bold)") << "fatih" << "Label2";
    QTest::newRow("ruler closing X (MS Sans Serif 9.75 bold)") << "fatih" << "Label43";
    QTest::newRow("march list button (MS Sans Serif)") << "mehteran" << "Command1";
    QTest::newRow("march list notice (MS Sans Serif)") << "mehteran" << "Label4";
    QTest::newRow("credits (Arial)") << "aboutme" << "Label3";
    QTest::newRow("contact (Comic Sans MS)") << "iletisim" << "Label2";
}

void TestDisplayScale::lettersGrowWithTheFactor()
{
    QFETCH(QString, screen);
    QFETCH(QString, target);
    if (screen != QLatin1String("giris"))
        m_manager->show(screen.toStdString());
    ScreenWindow* window = windowOf(m_manager->live(screen.toStdString()));
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const Place place = placeOf(window, target);
    QVERIFY2(place.host && !place.box.isEmpty(), qPrintable(target));

    // The same widget drawn at 96 pixels per inch, and as the display shows it.
    QImage plain(place.host->size(), QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::transparent);
    place.host->render(&plain);
    const QImage scaled = place.host->grab().toImage();
    const QRect device(QPoint(qFloor(place.box.left() * m_factor), qFloor(place.box.top() * m_factor)),
                       QPoint(qCeil((place.box.right() + 1) * m_factor) - 1, qCeil((place.box.bottom() + 1) * m_factor) - 1));
    const Ink ink1 = inkIn(plain, place.box);
    const Ink inkF = inkIn(scaled, device);
    QVERIFY2(!ink1.box.isEmpty(), "no caption drawn at 96 pixels per inch");

    // Height and width: each edge may round to a device pixel either way,
    // and the stand-ins' own rounding at each size adds a few hundredths.
    const auto fits = [&](int at1, int atF) {
        const double expected = at1 * m_factor;
        return qAbs(atF - expected) <= 1.5 + expected / 25.0;
    };
    const auto says = [&](const char* what, int at1, int atF) {
        return QStringLiteral("%1 of the letters: %2 device pixels at %3, expected %4 (%5 at 1)")
            .arg(QLatin1String(what)).arg(atF).arg(m_factor).arg(at1 * m_factor).arg(at1);
    };
    QVERIFY2(fits(ink1.box.height(), inkF.box.height()), qPrintable(says("height", ink1.box.height(), inkF.box.height())));
    QVERIFY2(fits(ink1.box.width(), inkF.box.width()), qPrintable(says("width", ink1.box.width(), inkF.box.width())));
    // Ink: the enlarged letters cover the square of the factor; glyphs kept
    // at their pixel size cover what they covered at 1. Synthetic bold and
    // the hinting of small sizes move it by up to a fifth.
    const double growth = inkF.mass / (ink1.mass * m_factor * m_factor);
    QVERIFY2(growth > 0.75 && growth < 1.33,
             qPrintable(QStringLiteral("ink of the letters grew %1 times at %2, expected about %3")
                            .arg(inkF.mass / ink1.mass, 0, 'f', 2).arg(m_factor).arg(m_factor * m_factor)));
}

TestDisplayScale::Place TestDisplayScale::placeOf(ScreenWindow* window, const QString& target)
{
    if (target.startsWith(QLatin1String("menu:"))) {
        const QStringList path = target.mid(5).split(QLatin1Char('/'));
        QMenuBar* bar = window->menuBar();
        QMenu* menu = bar ? bar->findChild<QMenu*>(path[0]) : nullptr;
        if (!menu)
            return {};
        if (path.size() == 1)
            return {bar, bar->actionGeometry(menu->menuAction())};
        menu->popup(window->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
        if (!QTest::qWaitForWindowExposed(menu))
            return {};
        // Clear of the menu's frame, which the first item reaches into.
        const QRect inside = menu->rect().adjusted(3, 3, -3, -3);
        for (QAction* a : menu->actions())
            if (a->objectName() == path[1])
                return {menu, menu->actionGeometry(a) & inside};
        return {};
    }
    const std::string name = target.toStdString();
    if (QWidget* control = window->control(name))
        // Inside the bevel and the focus mark of a button.
        return {control, control->rect().adjusted(4, 4, -4, -4)};
    // A painted label, on the client area or in a frame.
    QList<Surface*> surfaces = window->findChildren<Surface*>();
    for (Surface* s : surfaces)
        for (int i = 0; i < s->accessibleItemCount(); ++i)
            if (s->accessibleItem(i).name == name)
                return {s, s->accessibleItemBox(i)};
    return {};
}

QTEST_MAIN(TestDisplayScale)
#include "test_display_scale.moc"
