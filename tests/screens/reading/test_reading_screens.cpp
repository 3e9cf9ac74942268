// The reading screens built for real offscreen and used as a reader would:
// the article index and its articles, the titles and will screens, the
// photo and map screens.
#include "content/Content.h"
#include "runtime/ScreenManager.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/MoviePanel.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"
#include "screens/Screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::qt;

namespace {

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

QRect px(QRect twips)
{
    return QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
}

QString bodyText(const char* name)
{
    return toDisplayText(std::string(content::get(name)));
}

// Definition values as text, so that a mismatch shows both sides.
QString str(std::optional<Colour> c)
{
    return c ? QString::fromStdString(toString(*c)) : QStringLiteral("none");
}

QString str(const std::optional<Font>& f)
{
    if (!f)
        return QStringLiteral("none");
    return QStringLiteral("%1 %2 pt, weight %3%4%5, charset %6")
        .arg(QString::fromStdString(f->face)).arg(f->points()).arg(f->weight)
        .arg(f->italic ? ", italic" : "").arg(f->underline ? ", underlined" : "").arg(f->charset);
}

// Pixels of exactly this colour inside the box.
int inkPixels(const QImage& img, QRect box, QColor ink)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += img.pixelColor(x, y) == ink;
    return n;
}

// The colour most of the image is painted in.
QColor mostCommonColour(const QImage& img)
{
    QHash<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ++count[img.pixel(x, y) | 0xFF000000u];
    QRgb best = 0;
    int most = -1;
    for (auto it = count.begin(); it != count.end(); ++it)
        if (it.value() > most)
            best = it.key(), most = it.value();
    return QColor::fromRgb(best);
}

// A manual screen's client area goes to the given corner.
void verifyClientAt(ScreenWindow* w, QPoint twips)
{
    QCOMPARE(w->clientGeometry().topLeft(), twips / 15);
}

} // namespace

class TestReadingScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void indexAsDefined();
    void indexControls_data();
    void indexControls();
    void articleButtonCaptions_data();
    void articleButtonCaptions();
    void articleTitlesSitTowardsTheLeft();
    void articleMembers_data();
    void articleMembers();
    void tabOrder_data();
    void tabOrder();
    void moviesStartFromTheApplicationFolder_data();
    void moviesStartFromTheApplicationFolder();
    void returnAndMinimizeButtons_data();
    void returnAndMinimizeButtons();
    void articleOpenedTwiceStaysOneWindow();
    void allSixArticlesOpenAtOnce();
    void homeAndMinimizeLeaveArticlesOpen();
    void articleCloseBoxUnloadsAndLastOneEnds();
    void typingChangesNoText_data();
    void typingChangesNoText();
    void titlesAndWill_data();
    void titlesAndWill();
    void photosAndMaps_data();
    void photosAndMaps();

private:
    void show(const std::string& id);
    ScreenWindow* window(const std::string& id) const { return windowOf(m_manager->live(id)); }
    void click(const std::string& screen, const std::string& control);
    // The screen windows of an identifier that exist now, hidden or not.
    int windowsNamed(const QString& id) const;

    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
};

void TestReadingScreens::initTestCase()
{
    initialiseLook(*qApp);
}

void TestReadingScreens::init()
{
    m_reports.clear();
    m_quits = 0;
    m_windows = std::make_unique<QtWindowSystem>();
    m_windows->onQuit = [this] { ++m_quits; };
    m_windows->browserLauncher = [](const std::string&) { return true; };
    m_manager = std::make_unique<ScreenManager>(screens::all(), *m_windows, [this](const std::string& s, const std::string& w) {
        m_reports << QString::fromStdString(s + ": " + w);
    });
}

void TestReadingScreens::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestReadingScreens::show(const std::string& id)
{
    // As the main screen's GoTo does it: build and show the section screen.
    m_manager->show(id);
    QVERIFY(window(id));
    QVERIFY(QTest::qWaitForWindowExposed(window(id)));
}

void TestReadingScreens::click(const std::string& screen, const std::string& control)
{
    QWidget* w = window(screen)->control(control);
    QVERIFY2(w, control.c_str());
    QTest::mouseClick(w, Qt::LeftButton);
}

int TestReadingScreens::windowsNamed(const QString& id) const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<ScreenWindow*>(w) && w->objectName() == id;
    return n;
}

void TestReadingScreens::indexAsDefined()
{
    show("Bilinmeyenler0");
    ScreenWindow* w = window("Bilinmeyenler0");
    QCOMPARE(w->windowTitle(), QStringLiteral("Bilinmeyen Osmanlı"));
    QCOMPARE(w->client()->size(), QSize(492, 503));
    verifyClientAt(w, QPoint(3345, 1845));
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // "No icon" is an empty one, not the platform's default.
    const QImage icon = w->windowIcon().pixmap(16, 16).toImage();
    QVERIFY(!icon.isNull());
    QCOMPARE(inkPixels(icon, icon.rect(), QColor(0, 0, 0, 0)), 16 * 16);

    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(480, 20), QColor(0xFF, 0xFF, 0xFF));
    // The screen's own bold font draws nothing: the heading has its own, and
    // the small buttons carry the normal-weight one.
    const ScreenDef& def = screens::all().screen("Bilinmeyenler0");
    QVERIFY(def.font && def.font->bold());
    QVERIFY(!window("Bilinmeyenler0")->control("Command7")->font().bold());
    QCOMPARE(str(def.control("Label1")->foreColour), str(Colour::system(SystemColour::ButtonText)));
    QCOMPARE(def.control("Label1")->font->underline, true);
    QVERIFY(m_reports.isEmpty());
}

void TestReadingScreens::indexControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QColor>("face"); // invalid: not a button
    const QColor peach(0xFF, 0xE0, 0xC0), white(0xFF, 0xFF, 0xFF);
    QTest::newRow("Aşağı Al") << "Command8" << QRect(0, 240, 1455, 255) << white;
    QTest::newRow("Anasayfaya Dön") << "Command7" << QRect(0, 0, 1455, 255) << white;
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("article %d", n) << QStringLiteral("Command%1").arg(n) << QRect(240, 3240 + 720 * (n - 1), 6855, 495)
                                       << peach;
    QTest::newRow("movie") << "ShockwaveFlash1" << QRect(480, 600, 6135, 1695) << QColor();
    QTest::newRow("heading") << "Label1" << QRect(120, 2640, 7215, 375) << QColor();
}

void TestReadingScreens::indexControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QColor, face);
    show("Bilinmeyenler0");
    const std::string n = name.toStdString();
    QWidget* w = window("Bilinmeyenler0")->control(n);
    if (!w) {
        QCOMPARE(window("Bilinmeyenler0")->client()->boxOf(*screens::all().screen("Bilinmeyenler0").control(n)), px(twips));
        return;
    }
    QCOMPARE(w->geometry(), px(twips));
    if (!face.isValid())
        return;
    QCOMPARE(w->font().pixelSize(), 11); // 8.25 pt
    QVERIFY(!w->font().bold());
    // The face, right of the caption, in the button's own colour.
    const QImage img = w->grab().toImage();
    QCOMPARE(img.pixelColor(img.width() - 6, img.height() / 2), face);
}

void TestReadingScreens::articleButtonCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const QString rq(QChar(0x2019));
    QTest::newRow("1") << "Command1"
                       << "1. Dünyanın ilk Standartlar ve Tüketiciyi Koruma Kanunları" + blanks(4) + "/" + blanks(3)
            + "Prof Dr. Verzimen\r\n";
    QTest::newRow("2") << "Command2"
                       << "2. Yavuz Sultan Selim ve Kürtler" + blanks(44) + "/" + blanks(3) + "Prof. Dr. Verzimen";
    QTest::newRow("3") << "Command3" << "3. Mustafa Kemal kendi başına mı Samsun" + rq + "a çıkmıştır?" + blanks(57);
    QTest::newRow("4") << "Command4" << "4. Osmanlı Para ve Finansman sisteminin esasları nedir?" + blanks(55);
    QTest::newRow("5") << "Command5" << "5. Osmanlı Hukuk Sistemi" + blanks(101);
    QTest::newRow("6") << "Command6" << "6. Celâlî İsyanları" + blanks(113);
}

void TestReadingScreens::articleButtonCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    const ControlDef* def = screens::all().screen("Bilinmeyenler0").control(name.toStdString());
    QVERIFY(def && def->caption);
    QCOMPARE(QString::fromStdString(*def->caption), caption);
    show("Bilinmeyenler0");
    auto* b = qobject_cast<QAbstractButton*>(window("Bilinmeyenler0")->control(name.toStdString()));
    QVERIFY(b);
    QCOMPARE(b->text(), QString(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestReadingScreens::articleTitlesSitTowardsTheLeft()
{
    show("Bilinmeyenler0");
    // The padded captions are centred as a whole, so each title's first
    // letter stands well left of where a centred bare title would start.
    for (int n = 1; n <= 6; ++n) {
        QWidget* b = window("Bilinmeyenler0")->control("Command" + std::to_string(n));
        const QImage img = b->grab().toImage();
        int first = img.width();
        for (int x = 4; x < img.width() - 4 && first == img.width(); ++x)
            for (int y = 4; y < img.height() - 4; ++y)
                if (img.pixelColor(x, y).lightness() < 96) {
                    first = x;
                    break;
                }
        QVERIFY2(first < img.width() / 4, qPrintable(QStringLiteral("button %1 starts its title at %2 of %3")
                                                         .arg(n).arg(first).arg(img.width())));
    }
}

void TestReadingScreens::articleMembers_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<int>("backSystemColour");
    QTest::addColumn<QPoint>("clientPos"); // twips; (-1, -1): the windowing system places it
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<QPoint>("outputPos");
    QTest::addColumn<QRect>("label");
    QTest::addColumn<QString>("title");
    const QColor white(0xFF, 0xFF, 0xFF); // active title bar text and highlight text alike
    const int titleText = int(SystemColour::ActiveTitleBarText), highlight = int(SystemColour::HighlightText);
    const QPoint placed(-1, -1);
    const QString rq(QChar(0x2019));
    QTest::newRow("bilinmeyenler1") << "bilinmeyenler1" << "Bilinmeyen Osmanlı" << white << titleText << QPoint(3540, 1845)
                                    << QSize(8160, 8535) << QPoint(120, 840) << QRect(720, 120, 6855, 615)
                                    << "Dünyanın ilk Standartlar ve Tüketiciyi Koruma Kanunları" + blanks(22)
            + "Prof Dr. Verzimen";
    QTest::newRow("bilinmeyenler2") << "bilinmeyenler2" << "Bilinmeyen Osmanlı" << white << highlight << QPoint(4710, 1845)
                                    << QSize(8310, 8505) << QPoint(240, 840) << QRect(2520, 120, 6615, 615)
                                    << "Yavuz Sultan Selim ve Kürtler" + blanks(43) + "Prof Dr. Verzimen";
    QTest::newRow("bilinmeyenler3") << "bilinmeyenler3" << "Bilinmeyen Osmanlı" << white << highlight << placed
                                    << QSize(8220, 8535) << QPoint(120, 840) << QRect(1080, 240, 6615, 375)
                                    << "Mustafa Kemal kendi başına mı Samsun" + rq + "a çıkmıştır?";
    QTest::newRow("bilinmeyenler4") << "bilinmeyenler4" << "Bilinmeyen  Osmanlı" << white << highlight << placed
                                    << QSize(8250, 8280) << QPoint(120, 600) << QRect(1080, 120, 6615, 375)
                                    << "Osmanlı Para ve Finansman sisteminin esasları nedir?";
    QTest::newRow("bilinmeyenler5") << "bilinmeyenler5" << "Bilinmeyen Osmanlı" << white << highlight << placed
                                    << QSize(8445, 8895) << QPoint(240, 1200) << QRect(840, 120, 6855, 975)
                                    << "Osmanlı Hukuk Sistemi Çok Hukuklu Bir Hukuk Sistemi Midir Yoksa Hukuk Birliği "
                                       "Mi Hâkimdir ?\r\n"
            + blanks(22) + "Prof Dr. Verzimen";
    QTest::newRow("bilinmeyenler6") << "bilinmeyenler6" << "Bilinmeyen Osmanlı" << white << titleText << QPoint(2190, 1845)
                                    << QSize(8250, 8745) << QPoint(120, 1080) << QRect(3000, 240, 1935, 375)
                                    << "Celâlî İsyanları ";
}

void TestReadingScreens::articleMembers()
{
    QFETCH(QString, id);
    QFETCH(QString, caption);
    QFETCH(QColor, back);
    QFETCH(int, backSystemColour);
    QFETCH(QPoint, clientPos);
    QFETCH(QSize, clientSize);
    QFETCH(QPoint, outputPos);
    QFETCH(QRect, label);
    QFETCH(QString, title);
    const std::string sid = id.toStdString();
    const ScreenDef& def = screens::all().screen(sid);

    // Opened from its own button on the index.
    show("Bilinmeyenler0");
    click("Bilinmeyenler0", "Command" + sid.substr(sid.size() - 1));
    QVERIFY(m_manager->isLoaded(sid));
    QCOMPARE(m_manager->activeScreen(), sid);
    ScreenWindow* w = window(sid);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));

    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->client()->size(), clientSize / 15);
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    if (clientPos.x() >= 0) {
        QCOMPARE(def.startPosition, StartPosition::Manual);
        verifyClientAt(w, clientPos);
    } else {
        QCOMPARE(def.startPosition, StartPosition::SystemDefault);
    }
    QCOMPARE(str(def.backColour), str(Colour::system(SystemColour(backSystemColour))));
    QCOMPARE(mostCommonColour(w->client()->grab(QRect(0, w->client()->height() - 12, w->client()->width(), 12)).toImage()),
             back);

    // The reading box with the article body, and the title above it.
    auto* output = qobject_cast<QPlainTextEdit*>(w->control("Output"));
    QVERIFY(output);
    QCOMPARE(output->geometry(), px(QRect(outputPos, QSize(7995, 7485))));
    QCOMPARE(output->toPlainText(), bodyText(("reading/" + sid + ".txt").c_str()));
    QCOMPARE(output->font(), yelvanis::qt::toQFont(Font{.face = "Tahoma", .size = pt(11.25), .weight = 700}));
    QVERIFY(output->font().bold());
    QCOMPARE(output->font().pixelSize(), 15); // 11.25 pt
    QCOMPARE(output->palette().color(QPalette::Text), QColor(0x40, 0x40, 0x40));
    QCOMPARE(output->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(output->verticalScrollBar()->value(), 0);

    const ControlDef* l = def.control("Label1");
    QVERIFY(l && l->kind == ControlKind::Label);
    QCOMPARE(QString::fromStdString(*l->caption), title);
    QCOMPARE(w->client()->boxOf(*l), px(label));
    QCOMPARE(str(l->foreColour), str(Colour::rgb(0xFF0000)));
    QVERIFY(*l->transparent);
    QCOMPARE(str(l->font), str(Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700, .italic = true}));
    // The title in red on the screen's own back colour.
    const QImage img = w->client()->grab().toImage();
    QVERIFY(inkPixels(img, px(label).intersected(img.rect()), QColor(0xFF, 0, 0)) > 20);

    // Nothing else: no buttons, no handlers, only the close box.
    QCOMPARE(def.controls.size(), size_t(2));
    for (const Binding& b : screens::all().bindings())
        QVERIFY2(b.screen != sid, b.control.c_str());
    QVERIFY(m_reports.isEmpty());
}

void TestReadingScreens::tabOrder_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("index") << "Bilinmeyenler0"
                           << QStringList{"Command1", "Command2", "ShockwaveFlash1", "Command3", "Command4",
                                          "Command5", "Command6", "Command7", "Command8"};
    QTest::newRow("titles") << "unvanlar" << QStringList{"Text1", "Command1", "Command2"};
    QTest::newRow("will") << "vasiyet" << QStringList{"Output", "Command1", "Command2"};
    QTest::newRow("photos") << "fotolar" << QStringList{"ShockwaveFlash1", "Command1", "Command2"};
    QTest::newRow("maps") << "haritalar" << QStringList{"ShockwaveFlash1", "Command1", "Command2"};
}

void TestReadingScreens::tabOrder()
{
    QFETCH(QString, id);
    QFETCH(QStringList, order);
    const std::string sid = id.toStdString();
    show(sid);
    ScreenWindow* w = window(sid);
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto nameOf = [w](QWidget* f) {
        for (; f && f != w; f = f->parentWidget())
            if (w->control(f->objectName().toStdString()) == f)
                return f->objectName();
        return QString();
    };
    QTRY_COMPARE(nameOf(QApplication::focusWidget()), order.first());
    QStringList visited{order.first()};
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << nameOf(QApplication::focusWidget());
    }
    // Round once and back to the start; labels never take the focus.
    QCOMPARE(visited, order + QStringList{order.first()});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(nameOf(QApplication::focusWidget()), order.last());
}

void TestReadingScreens::moviesStartFromTheApplicationFolder_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("file");
    QTest::newRow("index") << "Bilinmeyenler0" << "padisahlar.swf";
    QTest::newRow("photos") << "fotolar" << "movieplayer2.swf";
    QTest::newRow("maps") << "haritalar" << "haritalar.swf";
}

void TestReadingScreens::moviesStartFromTheApplicationFolder()
{
    QFETCH(QString, id);
    QFETCH(QString, file);
    show(id.toStdString());
    auto* panel = qobject_cast<MoviePanel*>(window(id.toStdString())->control("ShockwaveFlash1"));
    QVERIFY(panel);
    // The stored settings, with the three calls of the load handler applied.
    MovieSettings expected;
    expected.movie = (QCoreApplication::applicationDirPath() + QLatin1Char('/') + file).toStdString();
    expected.play = true;
    expected.loop = true;
    QVERIFY(panel->settings() == expected);
    QVERIFY(m_reports.isEmpty()); // a missing movie file is no error
}

void TestReadingScreens::returnAndMinimizeButtons_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("down");
    QTest::newRow("index") << "Bilinmeyenler0" << "Command7" << "Command8";
    QTest::newRow("titles") << "unvanlar" << "Command1" << "Command2";
    QTest::newRow("will, names swapped") << "vasiyet" << "Command2" << "Command1";
    QTest::newRow("photos") << "fotolar" << "Command1" << "Command2";
    QTest::newRow("maps") << "haritalar" << "Command1" << "Command2";
}

void TestReadingScreens::returnAndMinimizeButtons()
{
    QFETCH(QString, id);
    QFETCH(QString, home);
    QFETCH(QString, down);
    const std::string sid = id.toStdString();
    show(sid);
    auto* upper = qobject_cast<QAbstractButton*>(window(sid)->control(home.toStdString()));
    auto* lower = qobject_cast<QAbstractButton*>(window(sid)->control(down.toStdString()));
    QVERIFY(upper && lower);
    // The upper button returns, the lower one minimizes, whatever their names.
    QCOMPARE(upper->text(), QStringLiteral("Anasayfaya Dön"));
    QCOMPARE(lower->text(), QStringLiteral("Aşağı Al"));
    QVERIFY(upper->y() < lower->y());

    QTest::mouseClick(lower, Qt::LeftButton);
    QVERIFY(m_manager->isLoaded(sid));
    QTRY_VERIFY(window(sid)->isMinimized());

    QTest::mouseClick(upper, Qt::LeftButton);
    QVERIFY(m_manager->isLoaded("giris"));
    QVERIFY(!m_manager->isLoaded(sid));
    QCOMPARE(m_manager->activeScreen(), std::string("giris"));
    QCOMPARE(m_quits, 0);
    QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join('\n')));
}

void TestReadingScreens::articleOpenedTwiceStaysOneWindow()
{
    show("Bilinmeyenler0");
    click("Bilinmeyenler0", "Command4");
    auto* output = qobject_cast<QPlainTextEdit*>(window("bilinmeyenler4")->control("Output"));
    QVERIFY(QTest::qWaitForWindowExposed(window("bilinmeyenler4")));
    output->verticalScrollBar()->setValue(output->verticalScrollBar()->maximum() / 2);
    const int scrolled = output->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);

    window("Bilinmeyenler0")->activateWindow();
    m_manager->show("Bilinmeyenler0");
    QCOMPARE(m_manager->activeScreen(), std::string("Bilinmeyenler0"));
    click("Bilinmeyenler0", "Command4");
    // The same window, in front again, still where the reader left it.
    QCOMPARE(windowsNamed(QStringLiteral("bilinmeyenler4")), 1);
    QCOMPARE(window("bilinmeyenler4")->control("Output"), output);
    QCOMPARE(output->verticalScrollBar()->value(), scrolled);
    QCOMPARE(m_manager->activeScreen(), std::string("bilinmeyenler4"));
}

void TestReadingScreens::allSixArticlesOpenAtOnce()
{
    show("Bilinmeyenler0");
    for (int n = 1; n <= 6; ++n)
        click("Bilinmeyenler0", "Command" + std::to_string(n));
    QCOMPARE(m_manager->loadedScreens().size(), size_t(7));
    for (int n = 1; n <= 6; ++n) {
        const std::string id = "bilinmeyenler" + std::to_string(n);
        QVERIFY(window(id)->isVisible());
        QCOMPARE(windowsNamed(QString::fromStdString(id)), 1);
    }
    verifyClientAt(window("bilinmeyenler1"), QPoint(3540, 1845));
    verifyClientAt(window("bilinmeyenler2"), QPoint(4710, 1845));
    verifyClientAt(window("bilinmeyenler6"), QPoint(2190, 1845));
    QCOMPARE(m_manager->activeScreen(), std::string("bilinmeyenler6"));
    QVERIFY(m_manager->isLoaded("Bilinmeyenler0"));
}

void TestReadingScreens::homeAndMinimizeLeaveArticlesOpen()
{
    show("Bilinmeyenler0");
    click("Bilinmeyenler0", "Command2");
    click("Bilinmeyenler0", "Command5");
    click("Bilinmeyenler0", "Command8");
    QTRY_VERIFY(window("Bilinmeyenler0")->isMinimized());
    QVERIFY(!window("bilinmeyenler2")->isMinimized());
    QVERIFY(!window("bilinmeyenler5")->isMinimized());

    m_manager->show("Bilinmeyenler0");
    click("Bilinmeyenler0", "Command7");
    // The index is gone with its movie; the articles stay over the main screen.
    QVERIFY(!m_manager->isLoaded("Bilinmeyenler0"));
    QCOMPARE(windowsNamed(QStringLiteral("Bilinmeyenler0")), 0);
    QVERIFY(m_manager->isLoaded("giris"));
    QVERIFY(window("bilinmeyenler2")->isVisible());
    QVERIFY(window("bilinmeyenler5")->isVisible());
    QCOMPARE(m_manager->loadedScreens().size(), size_t(3));
    QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join('\n')));
}

void TestReadingScreens::articleCloseBoxUnloadsAndLastOneEnds()
{
    show("Bilinmeyenler0");
    click("Bilinmeyenler0", "Command3");
    auto* output = qobject_cast<QPlainTextEdit*>(window("bilinmeyenler3")->control("Output"));
    QVERIFY(QTest::qWaitForWindowExposed(window("bilinmeyenler3")));
    output->verticalScrollBar()->setValue(output->verticalScrollBar()->maximum());

    window("bilinmeyenler3")->close();
    QVERIFY(!m_manager->isLoaded("bilinmeyenler3"));
    QCOMPARE(windowsNamed(QStringLiteral("bilinmeyenler3")), 0);

    // Opened again, it is built afresh, scrolled to the top.
    click("Bilinmeyenler0", "Command3");
    output = qobject_cast<QPlainTextEdit*>(window("bilinmeyenler3")->control("Output"));
    QCOMPARE(output->verticalScrollBar()->value(), 0);

    // The index closed by its own close box leaves the article; closing that ends the program.
    window("Bilinmeyenler0")->close();
    QVERIFY(!m_manager->isLoaded("Bilinmeyenler0"));
    QCOMPARE(m_quits, 0);
    window("bilinmeyenler3")->close();
    QCOMPARE(m_quits, 1);
    QVERIFY(m_manager->ended());
}

void TestReadingScreens::typingChangesNoText_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("tabStop");
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("bilinmeyenler%d", n) << QStringLiteral("bilinmeyenler%1").arg(n) << "Output" << false;
    QTest::newRow("unvanlar") << "unvanlar" << "Text1" << true;
    QTest::newRow("vasiyet") << "vasiyet" << "Output" << true;
}

void TestReadingScreens::typingChangesNoText()
{
    QFETCH(QString, id);
    QFETCH(QString, box);
    QFETCH(bool, tabStop);
    const std::string sid = id.toStdString();
    show(sid);
    auto* t = qobject_cast<QPlainTextEdit*>(window(sid)->control(box.toStdString()));
    QVERIFY(t);
    const QString before = t->toPlainText();
    QVERIFY(before.size() > 1000);
    QCOMPARE(bool(t->focusPolicy() & Qt::TabFocus), tabStop);
    QVERIFY(t->focusPolicy() & Qt::ClickFocus);

    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTRY_VERIFY(t->hasFocus());
    QGuiApplication::clipboard()->setText(QStringLiteral("yapıştırılan"));
    QTest::keyClicks(t, QStringLiteral("abc"));
    QTest::sendKeyEvent(QTest::Press, t, Qt::Key_unknown, QStringLiteral("ş"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, t, Qt::Key_unknown, QStringLiteral("ş"), Qt::NoModifier);
    for (auto key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(t, key);
    QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_Delete);
    QCOMPARE(t->toPlainText(), before);

    // The keyboard still scrolls it down to the end of the text.
    QTest::keyClick(t, Qt::Key_End, Qt::ControlModifier);
    QTRY_VERIFY(t->verticalScrollBar()->value() > t->verticalScrollBar()->maximum() / 2);
    QVERIFY(t->viewport()->rect().contains(t->cursorRect().center()));
}

void TestReadingScreens::titlesAndWill_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QRect>("boxTwips");
    QTest::addColumn<QColor>("boxBack");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("lastWords");
    QTest::addColumn<QRect>("heading");
    QTest::addColumn<QString>("headingText");
    QTest::addColumn<QRect>("home");
    QTest::addColumn<QRect>("down");
    QTest::newRow("unvanlar") << "unvanlar" << QSize(7755, 8310) << "Text1" << QRect(120, 1440, 7515, 6765)
                              << QColor(0xFF, 0xFF, 0xC0) << "reading/unvanlar.txt" << "Köprülüzade"
                              << QRect(360, 600, 6735, 615) << "OSMANLI DEVLETİ'NDE ÜNVANLAR VE ANLAMLARI"
                              << QRect(6360, 0, 1455, 315) << QRect(6360, 360, 1455, 255);
    QTest::newRow("vasiyet") << "vasiyet" << QSize(9030, 7395) << "Output" << QRect(120, 1320, 8835, 5925)
                             << QColor(0xFF, 0xFF, 0xFF) << "reading/vasiyet.txt" << "ey oğul"
                             << QRect(1080, 600, 7335, 735) << "OSMAN GAZİ'NİN OĞLU ORHAN GAZİ'YE VASİYETİ"
                             << QRect(7680, 0, 1335, 255) << QRect(7680, 240, 1335, 255);
}

void TestReadingScreens::titlesAndWill()
{
    QFETCH(QString, id);
    QFETCH(QSize, client);
    QFETCH(QString, box);
    QFETCH(QRect, boxTwips);
    QFETCH(QColor, boxBack);
    QFETCH(QString, body);
    QFETCH(QString, lastWords);
    QFETCH(QRect, heading);
    QFETCH(QString, headingText);
    QFETCH(QRect, home);
    QFETCH(QRect, down);
    const std::string sid = id.toStdString();
    show(sid);
    ScreenWindow* w = window(sid);
    // Titled with the program, not the subject; no close box: only its own buttons lead away.
    QCOMPARE(w->windowTitle(), QStringLiteral("Yelvanis v1.0"));
    QVERIFY(!(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)));
    QCOMPARE(w->client()->size(), client / 15);
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    // Centred, give or take the frame the platform draws round it.
    const QPoint off = w->frameGeometry().center() - avail.center();
    const int frame = w->frameGeometry().height() - w->geometry().height();
    QVERIFY2(qAbs(off.x()) <= frame + 1 && qAbs(off.y()) <= frame + 1,
             qPrintable(QStringLiteral("%1, %2 from the centre").arg(off.x()).arg(off.y())));
    QCOMPARE(mostCommonColour(w->client()->grab(QRect(0, w->client()->height() - 6, w->client()->width(), 6)).toImage()),
             QColor(0xFF, 0xFF, 0xFF));

    auto* t = qobject_cast<QPlainTextEdit*>(w->control(box.toStdString()));
    QVERIFY(t);
    QCOMPARE(t->geometry(), px(boxTwips));
    QCOMPARE(t->toPlainText(), bodyText(body.toUtf8().constData()));
    QCOMPARE(mostCommonColour(t->viewport()->grab().toImage()), boxBack);
    QCOMPARE(t->palette().color(QPalette::Text), QColor(0x40, 0x40, 0x40));
    QCOMPARE(t->font(), yelvanis::qt::toQFont(Font{.face = "Tahoma", .size = pt(11.25), .weight = 700}));
    QVERIFY(t->font().bold());
    // The scroll bar brings the last words of the text into view.
    const QTextCursor last = t->document()->find(lastWords, t->document()->characterCount(),
                                                 QTextDocument::FindBackward | QTextDocument::FindCaseSensitively);
    QVERIFY(!last.isNull());
    QVERIFY(!t->viewport()->rect().intersects(t->cursorRect(last)));
    t->verticalScrollBar()->setValue(t->verticalScrollBar()->maximum());
    QVERIFY(t->viewport()->rect().intersects(t->cursorRect(last)));

    const ControlDef* l = screens::all().screen(sid).control("Label1");
    QCOMPARE(QString::fromStdString(*l->caption), headingText);
    QCOMPARE(w->client()->boxOf(*l), px(heading));
    QCOMPARE(str(l->font), str(Font{.face = "MS Sans Serif", .size = pt(12), .weight = 700}));
    const QImage img = w->client()->grab().toImage();
    QVERIFY(inkPixels(img, px(heading), QColor(0xFF, 0, 0)) > 20);

    // The two red buttons at the top right, in the default font, cut off at the edge.
    for (const auto& [name, rect] : {std::pair{QStringLiteral("Anasayfaya Dön"), home},
                                     std::pair{QStringLiteral("Aşağı Al"), down}}) {
        QAbstractButton* b = nullptr;
        for (auto* c : w->client()->findChildren<QAbstractButton*>())
            if (c->text() == name)
                b = c;
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->geometry(), px(rect));
        QVERIFY(!b->font().bold());
        QCOMPARE(b->font().pixelSize(), 11);
        QCOMPARE(b->grab().toImage().pixelColor(b->width() / 2, 3), QColor(0xFF, 0, 0));
    }
}

void TestReadingScreens::photosAndMaps_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("clientPos");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QRect>("movie");
    QTest::addColumn<QRect>("title");
    QTest::addColumn<QString>("titleText");
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<QColor>("notInk");
    QTest::addColumn<QSize>("iconSize"); // the icon file's first image
    QTest::addColumn<QSize>("visible");  // of the movie panel, in pixels
    const QColor white(0xFF, 0xFF, 0xFF), black(0, 0, 0);
    QTest::newRow("fotolar") << "fotolar" << "Fotoğraflar" << QPoint(3885, 495) << QSize(9120, 6585)
                             << QColor(0, 0, 0xFF) << QRect(0, 720, 9255, 5895) << QRect(1560, 120, 7095, 375)
                             << "OSMANLI DÖNEMİNE AİT BAZI FOTOĞRAFLAR" << white << black << QSize(32, 32)
                             << QSize(608, 391); // 135 twips cut at the right, 30 at the bottom
    // No fore colour of its own: the default label colour on the green.
    QTest::newRow("haritalar") << "haritalar" << "Haritalar" << QPoint(3150, 675) << QSize(9030, 6975)
                               << QColor(0, 0xFF, 0) << QRect(0, 480, 9015, 6495) << QRect(3600, 120, 1815, 375)
                               << "HARİTALAR" << black << white << QSize(48, 48)
                               << QSize(601, 433); // all of it, 15 twips short of the right edge
}

void TestReadingScreens::photosAndMaps()
{
    QFETCH(QString, id);
    QFETCH(QString, caption);
    QFETCH(QPoint, clientPos);
    QFETCH(QSize, client);
    QFETCH(QColor, back);
    QFETCH(QRect, movie);
    QFETCH(QRect, title);
    QFETCH(QString, titleText);
    QFETCH(QColor, ink);
    QFETCH(QColor, notInk);
    QFETCH(QSize, iconSize);
    QFETCH(QSize, visible);
    const std::string sid = id.toStdString();
    show(sid);
    ScreenWindow* w = window(sid);
    QCOMPARE(w->windowTitle(), caption);
    verifyClientAt(w, clientPos);
    QCOMPARE(w->client()->size(), client / 15);
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(w->windowIcon().availableSizes().contains(iconSize));

    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(img.width() - 3, 20), back);
    const ControlDef* l = screens::all().screen(sid).control("Label1");
    QCOMPARE(QString::fromStdString(*l->caption), titleText);
    QCOMPARE(w->client()->boxOf(*l), px(title));
    QCOMPARE(str(l->font), str(Font{.face = "MS Sans Serif", .size = pt(13.5), .weight = 700}));
    QVERIFY(inkPixels(img, px(title), ink) > 30);
    QCOMPARE(inkPixels(img, px(title), notInk), 0);

    // The panel keeps its full size; the window shows only what lies inside it.
    QWidget* panel = w->control("ShockwaveFlash1");
    QCOMPARE(panel->geometry(), px(movie));
    QCOMPARE(panel->parentWidget(), w->client());
    // Its right and bottom edges as drawn: the panel up to them, the back colour beyond.
    const QRect shown(panel->pos(), visible);
    QVERIFY(img.pixelColor(shown.right(), shown.center().y()) != back);
    QVERIFY(img.pixelColor(shown.center().x(), shown.bottom()) != back);
    if (shown.right() + 1 < img.width())
        QCOMPARE(img.pixelColor(shown.right() + 1, shown.center().y()), back);
    if (shown.bottom() + 1 < img.height())
        QCOMPARE(img.pixelColor(shown.center().x(), shown.bottom() + 1), back);

    // Its close box is Close: the main screen having gone, the program ends.
    w->close();
    QVERIFY(!m_manager->isLoaded(sid));
    QCOMPARE(m_quits, 1);
}

QTEST_MAIN(TestReadingScreens)
#include "test_reading_screens.moc"
