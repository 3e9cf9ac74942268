// The march list, the seventeen march players and the band screen: their
// definitions against their tables, and the live screens driven as a user
// would, with the players' streams on small servers started here.
#include "content/Content.h"
#include "runtime/ScreenManager.h"
#include "runtime/Text.h"
#include "runtime/Units.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/MoviePanel.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/StreamPanel.h"
#include "runtime/qt/Surface.h"
#include "runtime/stream/MarchServer.h"
#include "runtime/stream/StreamPlayer.h"
#include "screens/Screens.h"
#include "screens/mehter/MarchPlayers.h"
#include "screens/mehter/MarchServer.h"
#include "screens/mehter/PlayerTesting.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::qt;
using yelvanis::stream::StreamPlayer;
using yelvanis::testing::Heartbeat;
using yelvanis::testing::MarchServer;
using State = StreamPlayer::State;

namespace {

using Bytes = std::vector<std::uint8_t>;

QRect pixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

Bytes hex(const char* text)
{
    const QByteArray b = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    return Bytes(b.begin(), b.end());
}

// Everything of a player's record after the URL, down to the extent:
// worked out by hand from the settings every player has.
const char* kRecordAfterUrl =
    "0500 000000000000f03f 0300 00000000 0500 0000000000000000 0800 02000000 0000 0300 01000000 0b00 ffff"
    "0300 00000000 0b00 ffff 0800 02000000 0000 0300 32000000 0b00 0000 0800 0a000000 6600 7500 6c00 6c00 0000"
    "0b00 0000 0b00 0000 0b00 ffff 0b00 ffff 0b00 0000 0800 02000000 0000 0800 02000000 0000"
    "0800 02000000 0000 0800 02000000 0000 0b00 0000";

Bytes expectedRecord(const std::string& url, int widthTwips, int heightTwips)
{
    Bytes b = hex("00030000 0800");
    const std::u16string units = QString::fromStdString(url).toStdU16String();
    const std::uint32_t count = std::uint32_t(units.size() * 2 + 2);
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(count >> (8 * i)));
    for (char16_t u : units) {
        b.push_back(std::uint8_t(u & 0xFF));
        b.push_back(std::uint8_t(u >> 8));
    }
    b.push_back(0);
    b.push_back(0);
    const Bytes tail = hex(kRecordAfterUrl);
    b.insert(b.end(), tail.begin(), tail.end());
    // The extent in HIMETRIC, by hand: 2540 per inch, 1440 twips per inch.
    for (int twips : {widthTwips, heightTwips}) {
        const auto himetric = std::uint32_t(std::lround(twips * 2540.0 / 1440.0));
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(himetric >> (8 * i)));
    }
    return b;
}

struct ControlRow {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* caption; // nullptr: none
    int tabIndex;
};

// The march list in stored order, from its tables.
const ControlRow kListControls[] = {
    {"Command19", ControlKind::Button, 5760, 240, 1335, 255, "Aşağı Al", 21},
    {"Command18", ControlKind::Button, 5760, 0, 1335, 255, "Anasayfaya Dön", 20},
    {"Command17", ControlKind::Button, 4920, 8280, 2055, 375, "17. Fetih Marşı", 17},
    {"Command16", ControlKind::Button, 4920, 7680, 2055, 375, "16. Yürekler Kabarık", 16},
    {"Command15", ControlKind::Button, 4920, 7080, 2055, 375, "15. Sancak Marşı", 15},
    {"Command14", ControlKind::Button, 4920, 6480, 2055, 375, "14. Ceddin Deden", 14},
    {"Command13", ControlKind::Button, 4920, 5880, 2055, 375, "13. 26 Ağustos Marşı", 13},
    {"Command12", ControlKind::Button, 2520, 8880, 2175, 375, "12. Eski Ordu Marşı", 12},
    {"Command11", ControlKind::Button, 2520, 8280, 2175, 375, "11. Eski Malazgirt Marşı", 11},
    {"Command10", ControlKind::Button, 2520, 7680, 2175, 375, "10. Yeni Malazgirt Marşı", 10},
    {"Command9", ControlKind::Button, 2520, 7080, 2175, 375, "9. Buna Er Meydanı Derler", 9},
    {"Command8", ControlKind::Button, 2520, 6480, 2175, 375, "8. Çırpınırdı Karadeniz ", 8},
    {"Command7", ControlKind::Button, 2520, 5880, 2175, 375, "7. Ordunun Duası", 7},
    {"Command6", ControlKind::Button, 240, 8880, 2055, 375, "6. Hücum Marşı ", 6},
    {"Command5", ControlKind::Button, 240, 8280, 2055, 375, "5. Artar Cihatla", 5},
    {"Command4", ControlKind::Button, 240, 7680, 2055, 375, "4. Akıncılar Marşı", 4},
    {"Command3", ControlKind::Button, 240, 7080, 2055, 375, "3. Mehter Marşı", 3},
    {"Command2", ControlKind::Button, 240, 6480, 2055, 375, "2. Devlet Marşı", 2},
    {"Command1", ControlKind::Button, 240, 5880, 2055, 375, "1. Tarihi Çevir", 1},
    {"ShockwaveFlash1", ControlKind::Movie, 120, 600, 6855, 4695, nullptr, 0},
    {"Label2", ControlKind::Label, 720, 0, 4935, 615, "MEHTER MARSLARI", 19},
    {"Image2", ControlKind::Image, 5400, 0, 5550, 750, nullptr, 0},
    {"Image1", ControlKind::Image, -120, -120, 5550, 750, nullptr, 0},
    {"Label4", ControlKind::Label, 120, 5400, 6975, 375,
     "DİKKAT: BU BÖLÜMDEKİ MARŞLARI DİNLEYEBİLMENİZ İÇİN İNTERNETE BAĞLI OLMANIZ GEREKMEKTEDİR.", 18},
};

struct LineRow {
    const char* name;
    int x1, y1, x2, y2;
};

const LineRow kGridLines[] = {
    {"Line8", 0, 8760, 9480, 8760}, {"Line7", 4800, 5760, 4800, 9480}, {"Line6", 0, 8160, 9480, 8160},
    {"Line5", 0, 5760, 9480, 5760}, {"Line4", 2400, 5760, 2400, 9960}, {"Line3", 0, 7560, 9480, 7560},
    {"Line2", 0, 6960, 9480, 6960}, {"Line1", 0, 6360, 9480, 6360},
};

const ControlRow kBandControls[] = {
    {"Command2", ControlKind::Button, 0, 240, 1335, 255, "Aşağı Al", 4},
    {"Command1", ControlKind::Button, 0, 0, 1335, 255, "Anasayfaya Dön", 3},
    {"Output", ControlKind::TextBox, 120, 720, 4275, 4725, nullptr, 0},
    {"ShockwaveFlash1", ControlKind::Movie, 4560, 720, 5535, 4695, nullptr, 1},
    {"Label1", ControlKind::Label, 2400, 0, 5775, 615, "MEHTERAN BÖLÜGÜ TANITIMI", 2},
};

struct PlayerRow {
    const char* id;
    const char* caption;
    int clientWidth, clientHeight, playerWidth, playerHeight;
    const char* path;
};

const PlayerRow kPlayers[] = {
    {"mehter1", "TARİHİ ÇEVİR", 4335, 615, 4335, 615, "/muzik/mehter/01.asf"},
    {"mehter2", "DEVLET MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/02.asf"},
    {"mehter3", "MEHTER MARŞI", 4680, 600, 4695, 615, "/muzik/mehter/03.asf"},
    {"mehter4", "AKINCILAR MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/04.asf"},
    {"mehter5", "ARTAR CİHANLA", 4680, 615, 4695, 615, "/muzik/mehter/05.asf"},
    {"mehter6", "HÜCUM MARŞI", 4680, 570, 4695, 615, "/muzik/mehter/06.asf"},
    {"mehter7", "ORDUNUN DUASI", 4680, 615, 4695, 615, "/muzik/mehter/07.asf"},
    {"mehter8", "ÇIRPINIRDI KARADENİZ", 4680, 615, 4695, 615, "/muzik/mehter/08.asf"},
    {"mehter9", "BUNA ER MEYDANI DERLER", 4680, 615, 4695, 615, "/muzik/mehter/09.asf"},
    {"mehter10", "YENİ MALAZGİRT MARŞI", 4680, 600, 4695, 615, "/muzik/mehter/10.asf"},
    {"mehter11", "ESKİ MALAZGİRT MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/11.asf"},
    {"mehter12", "ESKİ ORDU MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/12.asf"},
    {"mehter13", "26 AĞUSTOS MARŞI", 4680, 585, 4695, 615, "/muzik/mehter/13.asf"},
    {"mehter14", "CEDDİN DEDEN", 4680, 600, 4695, 615, "/muzik/mehter/14.asf"},
    {"mehter15", "SANCAK MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/15.asf"},
    {"mehter16", "YÜREKLER KABARIK", 4680, 600, 4695, 615, "/muzik/mehter/16.asf"},
    {"mehter17", "FETİH MARŞI", 4680, 615, 4695, 615, "/muzik/mehter/17.asf"},
};

QString describe(const Binding& b)
{
    QStringList steps;
    for (const Step& s : b.steps)
        steps << QString::fromLatin1(actionName(s.action)) + QLatin1Char(' ')
                     + QString::fromStdString(s.action == Action::StartMovie ? s.file : s.target);
    return QString::fromStdString(b.control.empty() ? std::string("(screen)") : b.control) + QLatin1Char(' ')
        + QLatin1String(eventName(b.event)) + QStringLiteral(": ") + steps.join(QStringLiteral(", "));
}

QStringList bindingsOf(const Catalogue& c, const std::string& screen)
{
    QStringList out;
    for (const Binding& b : c.bindings())
        if (b.screen == screen)
            out << describe(b);
    out.sort();
    return out;
}

} // namespace

class TestMehterScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void playerDefinitions_data();
    void playerDefinitions();
    void listDefinition_data();
    void listDefinition();
    void listGridLines();
    void listWindowAndLook();
    void listBindingsAndTabOrder();
    void bandDefinition_data();
    void bandDefinition();
    void bandWindowBindingsAndTabOrder();
    void bandTextAsWritten();

    void marchButtonOpensItsPlayer_data();
    void marchButtonOpensItsPlayer();
    void openAgainKeepsPlaying();
    void closeBoxStopsAndLetsGoOfTheStream();
    void twoMarchesPlayAtOnce();
    void allSeventeenPlayTogether();
    void playersOutliveTheList();
    void withoutServerEveryPlayerOpensSilent();
    void unreadableRecordFailsTheShowAndTheListStays();

private:
    // The program's screens, with the march players' streams on `server`.
    void startWith(const QString& server, std::vector<ScreenDef> extra = {});
    ScreenWindow* window(const std::string& id) const { return windowOf(m_manager->live(id)); }
    StreamPlayer* playerOf(const std::string& id) const;
    void click(const std::string& screen, const std::string& control);

    QByteArray m_march;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
};

void TestMehterScreens::initTestCase()
{
    initialiseLook(*qApp);
    m_march = testing::marchFixture();
    QVERIFY(!m_march.isEmpty());
    // Load the media engine's plugins once, outside the measurements.
    MarchServer server(m_march);
    StreamPlayer warm(testing::marchSettings(server.url(QStringLiteral("/warm.asf"))));
    QTest::qWaitFor([&] { return warm.state() == State::Playing; }, 10000);
}

void TestMehterScreens::init()
{
    m_reports.clear();
    m_quits = 0;
}

void TestMehterScreens::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    m_catalogue.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMehterScreens::startWith(const QString& server, std::vector<ScreenDef> extra)
{
    m_catalogue = std::make_unique<Catalogue>();
    const auto& players = screens::mehter::marchPlayers();
    for (const ScreenDef& s : screens::all().screens()) {
        if (std::any_of(extra.begin(), extra.end(), [&](const ScreenDef& e) { return e.id == s.id; }))
            continue;
        auto p = std::find_if(players.begin(), players.end(), [&](const auto& m) { return s.id == m.id; });
        if (p != players.end())
            m_catalogue->add(screens::mehter::marchPlayerScreen(*p, server.toStdString()));
        else
            m_catalogue->add(s);
    }
    for (ScreenDef& e : extra)
        m_catalogue->add(std::move(e));
    for (const Binding& b : screens::all().bindings())
        m_catalogue->add(b);
    m_windows = std::make_unique<QtWindowSystem>();
    m_windows->onQuit = [this] { ++m_quits; };
    m_windows->browserLauncher = [](const std::string&) { return true; };
    m_manager = std::make_unique<ScreenManager>(*m_catalogue, *m_windows, [this](const std::string& s, const std::string& w) {
        m_reports << QString::fromStdString(s + ": " + w);
    });
}

StreamPlayer* TestMehterScreens::playerOf(const std::string& id) const
{
    ScreenWindow* w = window(id);
    auto* panel = w ? qobject_cast<StreamPanel*>(w->control("WindowsMediaPlayer1")) : nullptr;
    return panel ? panel->player() : nullptr;
}

void TestMehterScreens::click(const std::string& screen, const std::string& control)
{
    QWidget* w = window(screen)->control(control);
    QVERIFY2(w, control.c_str());
    QTest::mouseClick(w, Qt::LeftButton);
}

// ---- Definitions against their tables ----

void TestMehterScreens::playerDefinitions_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kPlayers)); ++i)
        QTest::newRow(kPlayers[i].id) << i;
}

void TestMehterScreens::playerDefinitions()
{
    QFETCH(int, row);
    const PlayerRow& r = kPlayers[row];
    const ScreenDef& s = screens::all().screen(r.id);
    QCOMPARE(QString::fromStdString(s.caption), QString::fromUtf8(r.caption));
    QCOMPARE(s.border, BorderStyle::FixedToolWindow);
    QVERIFY(s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::SystemDefault);
    QCOMPARE(s.clientWidth, r.clientWidth);
    QCOMPARE(s.clientHeight, r.clientHeight);
    QCOMPARE(s.icon.kind, IconDef::Kind::None);
    QVERIFY(!s.font);
    QVERIFY(s.menu.empty());
    QCOMPARE(s.controls.size(), size_t(1));
    const ControlDef& c = s.controls.front();
    QCOMPARE(c.kind, ControlKind::Stream);
    QCOMPARE(c.name, std::string("WindowsMediaPlayer1"));
    QVERIFY(c.container.empty());
    QCOMPARE(QRect(c.left, c.top, c.width, c.height), QRect(0, 0, r.playerWidth, r.playerHeight));
    QCOMPARE(c.tabIndex, 0);
    // The stored record, byte for byte, on the server this build streams from.
    const std::string url = stream::marchServer() + r.path;
    QVERIFY(QUrl(QString::fromStdString(url)).isValid());
    QCOMPARE(c.settingsRecord, expectedRecord(url, r.playerWidth, r.playerHeight));
    QVERIFY(bindingsOf(screens::all(), r.id).isEmpty());
}

void TestMehterScreens::listDefinition_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kListControls)); ++i)
        QTest::newRow(kListControls[i].name) << i;
}

void TestMehterScreens::listDefinition()
{
    QFETCH(int, index);
    const ControlRow& r = kListControls[index];
    const ScreenDef& s = screens::all().screen("mehteran");
    QVERIFY(size_t(index) < s.controls.size());
    const ControlDef& c = s.controls[size_t(index)]; // stored order
    QCOMPARE(c.name, std::string(r.name));
    QCOMPARE(c.kind, r.kind);
    QCOMPARE(QRect(c.left, c.top, c.width, c.height), QRect(r.left, r.top, r.width, r.height));
    if (r.caption)
        QCOMPARE(QString::fromStdString(*c.caption), QString::fromUtf8(r.caption));
    if (c.canTakeFocus() || c.kind == ControlKind::Label)
        QCOMPARE(c.tabIndex, r.tabIndex);
    const bool marchButton = c.kind == ControlKind::Button && c.tabIndex <= 17;
    switch (c.kind) {
    case ControlKind::Button:
        QVERIFY(*c.graphical);
        QVERIFY(*c.font == defaultFont());
        QVERIFY(*c.backColour == (marchButton ? Colour::rgb(0xFFFFFF) : Colour::system(SystemColour::ActiveTitleBarText)));
        break;
    case ControlKind::Label:
        QVERIFY(*c.transparent);
        if (c.name == "Label2") {
            QVERIFY(*c.foreColour == Colour::rgb(0xFFFFFF));
            QVERIFY(*c.font == (Font{.face = "Script", .size = pt(36), .weight = 700, .underline = true, .charset = kOem}));
        } else {
            QVERIFY(*c.foreColour == Colour::system(SystemColour::HighlightText));
            QVERIFY(*c.font == defaultFont());
            QCOMPARE(characterCount(*c.caption), size_t(89));
        }
        break;
    case ControlKind::Image:
        QCOMPARE(c.picture->resource, std::string("mehter/banner.jpg"));
        QVERIFY(!*c.stretch);
        break;
    case ControlKind::Movie:
        QVERIFY(*c.movie == MovieSettings());
        break;
    default:
        QFAIL("no other kind on the list");
    }

    // Live, where the table puts it.
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran");
    ScreenWindow* w = window("mehteran");
    if (c.isWindowed())
        QCOMPARE(w->control(r.name)->geometry(), pixels(r.left, r.top, r.width, r.height));
    else
        QCOMPARE(w->client()->boxOf(c), pixels(r.left, r.top, r.width, r.height));
}

void TestMehterScreens::listGridLines()
{
    const ScreenDef& s = screens::all().screen("mehteran");
    const size_t first = std::size(kListControls);
    QCOMPARE(s.controls.size(), first + std::size(kGridLines));
    for (size_t i = 0; i < std::size(kGridLines); ++i) {
        const ControlDef& c = s.controls[first + i];
        const LineRow& r = kGridLines[i];
        QCOMPARE(c.name, std::string(r.name));
        QCOMPARE(c.kind, ControlKind::Line);
        QCOMPARE(QLine(c.x1, c.y1, c.x2, c.y2), QLine(r.x1, r.y1, r.x2, r.y2));
        QCOMPARE(*c.lineWidth, 3);
    }
}

void TestMehterScreens::listWindowAndLook()
{
    const ScreenDef& s = screens::all().screen("mehteran");
    QCOMPARE(s.caption, std::string("Yelvanis v1.0"));
    QCOMPARE(s.border, BorderStyle::FixedToolWindow);
    QVERIFY(!s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::CentreScreen);
    QVERIFY(*s.backColour == Colour::system(SystemColour::WindowText));
    QCOMPARE(s.icon.kind, IconDef::Kind::Default);
    QVERIFY(!s.font);

    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran");
    ScreenWindow* w = window("mehteran");
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("Yelvanis v1.0"));
    QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(w->client()->size(), QSize(472, 622));

    const QImage shot = w->client()->grab().toImage();
    const auto bytes = content::get("mehter/banner.jpg");
    const QImage banner = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()));
    QCOMPARE(banner.size(), QSize(370, 50));
    // Image1 begins 8 pixels above and left of the client area: its top-left
    // is cut off. Image2 begins at x 360 and runs past the right edge. The
    // points lie where neither the buttons nor the movie panel cover them.
    for (QPoint p : {QPoint(0, 0), QPoint(5, 30), QPoint(47, 10), QPoint(30, 38)})
        QCOMPARE(shot.pixelColor(p), banner.pixelColor(p + QPoint(8, 8)));
    for (QPoint p : {QPoint(365, 20), QPoint(383, 38), QPoint(400, 36), QPoint(470, 45)})
        QCOMPARE(shot.pixelColor(p), banner.pixelColor(p - QPoint(360, 0)));
    // The white title stands over the banner.
    int titleInk = 0;
    const QRect title = pixels(720, 0, 4935, 615);
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            titleInk += shot.pixelColor(x, y) == QColor(Qt::white)
                && banner.pixelColor(x + (x < 360 ? 8 : -360), y + (x < 360 ? 8 : 0)) != QColor(Qt::white);
    QVERIFY2(titleInk > 200, qPrintable(QString::number(titleInk)));
    // The grid is drawn in the background's colour: black where it runs
    // between the buttons, as the background is.
    for (QPoint p : {QPoint(160, 400), QPoint(320, 430), QPoint(5, 424), QPoint(471, 544), QPoint(160, 621)})
        QCOMPARE(shot.pixelColor(p), QColor(Qt::black));
    // The notice in white on black.
    int noticeInk = 0;
    const QRect notice = pixels(120, 5400, 6975, 375);
    for (int y = notice.top(); y <= notice.bottom(); ++y)
        for (int x = notice.left(); x < std::min(notice.right(), 471); ++x)
            noticeInk += shot.pixelColor(x, y) == QColor(Qt::white);
    QVERIFY(noticeInk > 300);
}

void TestMehterScreens::listBindingsAndTabOrder()
{
    QStringList expected{"(screen) load: movie intro1.swf", "Command18 click: goto giris", "Command19 click: minimize "};
    for (int n = 1; n <= 17; ++n)
        expected << QStringLiteral("Command%1 click: open mehter%1").arg(n);
    expected.sort();
    QCOMPARE(bindingsOf(screens::all(), "mehteran"), expected);

    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran");
    ScreenWindow* w = window("mehteran");
    QStringList order;
    for (QWidget* c : w->tabOrder())
        order << c->objectName();
    QStringList expectedOrder{"ShockwaveFlash1"};
    for (int n = 1; n <= 19; ++n)
        expectedOrder << QStringLiteral("Command%1").arg(n);
    QCOMPARE(order, expectedOrder);
    QCOMPARE(w->firstFocus()->objectName(), QStringLiteral("ShockwaveFlash1"));
    auto* movie = qobject_cast<MoviePanel*>(w->control("ShockwaveFlash1"));
    QCOMPARE(QString::fromStdString(movie->settings().movie), QCoreApplication::applicationDirPath() + "/intro1.swf");
    QVERIFY(movie->settings().play && movie->settings().loop);

    click("mehteran", "Command19");
    QTRY_VERIFY(w->isMinimized());
    QVERIFY(m_manager->isLoaded("mehteran"));
    QVERIFY(m_reports.isEmpty());
}

void TestMehterScreens::bandDefinition_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kBandControls)); ++i)
        QTest::newRow(kBandControls[i].name) << i;
}

void TestMehterScreens::bandDefinition()
{
    QFETCH(int, index);
    const ControlRow& r = kBandControls[index];
    const ScreenDef& s = screens::all().screen("mehteran2");
    QCOMPARE(s.controls.size(), std::size(kBandControls));
    const ControlDef& c = s.controls[size_t(index)];
    QCOMPARE(c.name, std::string(r.name));
    QCOMPARE(c.kind, r.kind);
    QCOMPARE(QRect(c.left, c.top, c.width, c.height), QRect(r.left, r.top, r.width, r.height));
    QCOMPARE(c.tabIndex, r.tabIndex);
    if (r.caption)
        QCOMPARE(QString::fromStdString(*c.caption), QString::fromUtf8(r.caption));
    switch (c.kind) {
    case ControlKind::Button:
        QVERIFY(*c.graphical);
        QVERIFY(*c.backColour == Colour::system(SystemColour::ActiveTitleBarText));
        QVERIFY(*c.font == defaultFont());
        break;
    case ControlKind::TextBox:
        QVERIFY(*c.backColour == Colour::rgb(0xFFFFFF));
        QVERIFY(*c.foreColour == Colour::rgb(0x404040));
        QVERIFY(*c.font == (Font{.face = "Tahoma", .size = pt(11.25), .weight = 700, .charset = kTurkish}));
        QVERIFY(c.multiLine && c.readOnly && c.verticalScrollBar && *c.tabStop);
        QCOMPARE(c.text, std::string(content::get("mehter/mehteran2.txt")));
        break;
    case ControlKind::Label:
        QVERIFY(*c.transparent);
        QVERIFY(*c.foreColour == Colour::rgb(0xFFFFFF));
        QVERIFY(*c.font == (Font{.face = "Script", .size = pt(36), .weight = 700, .underline = false, .charset = kOem}));
        break;
    case ControlKind::Movie:
        QVERIFY(*c.movie == MovieSettings());
        break;
    default:
        QFAIL("no other kind on the band screen");
    }

    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran2");
    ScreenWindow* w = window("mehteran2");
    if (c.isWindowed())
        QCOMPARE(w->control(r.name)->geometry(), pixels(r.left, r.top, r.width, r.height));
    else
        QCOMPARE(w->client()->boxOf(c), pixels(r.left, r.top, r.width, r.height));
}

void TestMehterScreens::bandWindowBindingsAndTabOrder()
{
    const ScreenDef& s = screens::all().screen("mehteran2");
    QCOMPARE(s.caption, std::string("MEHTERAN BÖLÜĞÜ"));
    QCOMPARE(s.border, BorderStyle::FixedToolWindow);
    QVERIFY(s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::SystemDefault);
    QVERIFY(*s.backColour == Colour::rgb(0xFF0000));
    QCOMPARE(s.icon.kind, IconDef::Kind::None);
    QCOMPARE(bindingsOf(screens::all(), "mehteran2"),
             (QStringList{"(screen) load: movie mehter.swf", "Command1 click: goto giris", "Command2 click: minimize "}));

    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran2");
    ScreenWindow* w = window("mehteran2");
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("MEHTERAN BÖLÜĞÜ"));
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w->client()->size(), QSize(678, 369));
    QCOMPARE(w->client()->grab().toImage().pixelColor(200, 5), QColor(0xFF, 0x00, 0x00));
    QStringList order;
    for (QWidget* c : w->tabOrder())
        order << c->objectName();
    QCOMPARE(order, (QStringList{"Output", "ShockwaveFlash1", "Command1", "Command2"}));
    QCOMPARE(w->firstFocus()->objectName(), QStringLiteral("Output"));
    auto* movie = qobject_cast<MoviePanel*>(w->control("ShockwaveFlash1"));
    QCOMPARE(QString::fromStdString(movie->settings().movie), QCoreApplication::applicationDirPath() + "/mehter.swf");
    QVERIFY(movie->settings().play && movie->settings().loop);

    // Typing changes nothing; the text starts at its first line.
    auto* text = qobject_cast<QPlainTextEdit*>(w->control("Output"));
    const QString before = text->toPlainText();
    QVERIFY(before.startsWith(QStringLiteral("Mehteran bölüğü")));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("xyz"));
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(text->toPlainText(), before);

    // Its close box is Close; with no other screen loaded the program ends.
    w->close();
    QVERIFY(!m_manager->isLoaded("mehteran2"));
    QCOMPARE(m_quits, 1);
    QVERIFY(m_reports.isEmpty());
}

void TestMehterScreens::bandTextAsWritten()
{
    const std::string text(content::get("mehter/mehteran2.txt"));
    QVERIFY(encodableInCp1254(text));
    QVERIFY(text.size() > 2 && text.substr(text.size() - 2) == "\r\n");
    const QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    QStringList headings;
    const QStringList expected{"Cevgen (Cevgan)", "Zurnazen (Ser zurnazen)", "Boruzen (Ser nefiri)",
                               "Nakkarezen (Ser nakkarezen)", "Davulzen (Ser tebbal)", "Kös", "Tuğlar",
                               "Zilzen (Ser zincirî)", "Çorbacıbaşı", "Sancaklar"};
    for (const QString& line : lines) {
        QVERIFY2(line.size() <= 38, qPrintable(line));
        QVERIFY(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
        if (expected.contains(line.trimmed()))
            headings << line.trimmed();
    }
    QCOMPARE(headings, expected);
}

// ---- The live march players ----

void TestMehterScreens::marchButtonOpensItsPlayer_data()
{
    playerDefinitions_data();
}

void TestMehterScreens::marchButtonOpensItsPlayer()
{
    QFETCH(int, row);
    const PlayerRow& r = kPlayers[row];
    const int n = row + 1;
    MarchServer server(m_march);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    click("mehteran", "Command" + std::to_string(n));
    QVERIFY(m_manager->isLoaded(r.id));
    QVERIFY(m_manager->isLoaded("mehteran"));
    ScreenWindow* w = window(r.id);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString::fromUtf8(r.caption));
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w->client()->size(), pixels(0, 0, r.clientWidth, r.clientHeight).size());
    QWidget* panel = w->control("WindowsMediaPlayer1");
    QCOMPARE(panel->geometry(), pixels(0, 0, r.playerWidth, r.playerHeight));
    QCOMPARE(w->firstFocus(), panel);
    QTRY_COMPARE_WITH_TIMEOUT(server.paths(), QStringList{r.path}, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(playerOf(r.id)->state(), State::Playing, 5000);
    w->close();
    QVERIFY(!m_manager->isLoaded(r.id));
    QCOMPARE(m_quits, 0);
    QVERIFY(m_reports.isEmpty());
}

void TestMehterScreens::openAgainKeepsPlaying()
{
    MarchServer server(m_march);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    click("mehteran", "Command14");
    ScreenWindow* first = window("mehter14");
    StreamPlayer* p = playerOf("mehter14");
    QTRY_VERIFY_WITH_TIMEOUT(p->state() == State::Playing && p->position() > 800, 5000);
    const qint64 at = p->position();
    click("mehteran", "Command14");
    QCOMPARE(window("mehter14"), first);
    QCOMPARE(playerOf("mehter14"), p);
    QCOMPARE(p->state(), State::Playing);
    QVERIFY(p->position() >= at);
    QTest::qWait(300);
    QVERIFY(p->position() > at);
    QCOMPARE(server.requests(), 1);
}

void TestMehterScreens::closeBoxStopsAndLetsGoOfTheStream()
{
    // A trickling server holds the connection open for as long as the player does.
    MarchServer server(m_march, MarchServer::Fault::Trickle);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    click("mehteran", "Command3");
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 1, 3000);
    Heartbeat beat;
    QElapsedTimer t;
    t.start();
    window("mehter3")->close();
    QVERIFY2(t.elapsed() < testing::kUnloadMs, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!m_manager->isLoaded("mehter3"));
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 2000);
    QVERIFY(beat.worstGap() < testing::kResponsiveGap);
    // Opened again, the march starts afresh.
    click("mehteran", "Command3");
    QTRY_COMPARE_WITH_TIMEOUT(server.requests(), 2, 3000);
    QCOMPARE(playerOf("mehter3")->position(), 0);
}

void TestMehterScreens::twoMarchesPlayAtOnce()
{
    MarchServer server(m_march);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    click("mehteran", "Command2");
    click("mehteran", "Command9");
    StreamPlayer* a = playerOf("mehter2");
    StreamPlayer* b = playerOf("mehter9");
    QTRY_VERIFY_WITH_TIMEOUT(a->state() == State::Playing && b->state() == State::Playing, 5000);
    const qint64 pa = a->position(), pb = b->position();
    QTest::qWait(600);
    QVERIFY(a->position() > pa + 300);
    QVERIFY(b->position() > pb + 300);
    QCOMPARE(server.paths().size(), 2);
    QVERIFY(server.paths().contains("/muzik/mehter/02.asf") && server.paths().contains("/muzik/mehter/09.asf"));
}

void TestMehterScreens::allSeventeenPlayTogether()
{
    MarchServer server(m_march);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    Heartbeat beat;
    for (int n = 1; n <= 17; ++n) {
        click("mehteran", "Command" + std::to_string(n));
        QTest::qWait(30);
    }
    for (const PlayerRow& r : kPlayers)
        QTRY_COMPARE_WITH_TIMEOUT(playerOf(r.id)->state(), State::Playing, 5000);
    std::vector<qint64> at;
    for (const PlayerRow& r : kPlayers)
        at.push_back(playerOf(r.id)->position());
    QTest::qWait(500);
    for (size_t i = 0; i < std::size(kPlayers); ++i)
        QVERIFY2(playerOf(kPlayers[i].id)->position() > at[i] + 200, kPlayers[i].id);
    QCOMPARE(server.requests(), 17);
    QVERIFY2(beat.worstGap() < testing::kResponsiveGap, qPrintable(QString::number(beat.worstGap())));
}

void TestMehterScreens::playersOutliveTheList()
{
    MarchServer server(m_march);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    m_manager->show("mehteran");
    click("mehteran", "Command1");
    StreamPlayer* p = playerOf("mehter1");
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);
    click("mehteran", "Command19"); // minimize the list
    QCOMPARE(p->state(), State::Playing);
    click("mehteran", "Command18"); // back to the main screen
    QVERIFY(!m_manager->isLoaded("mehteran"));
    QVERIFY(m_manager->isLoaded("giris"));
    QTest::qWait(300);
    QCOMPARE(p->state(), State::Playing);
    // The main screen's "..::Kapat::..": the player keeps the program running.
    window("giris")->menuBar()->findChild<QAction*>("exit")->trigger();
    QVERIFY(!m_manager->isLoaded("giris"));
    QCOMPARE(m_quits, 0);
    QCOMPARE(p->state(), State::Playing);
    window("mehter1")->close();
    QCOMPARE(m_quits, 1);
    QVERIFY(m_reports.isEmpty());
}

void TestMehterScreens::withoutServerEveryPlayerOpensSilent()
{
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()));
    m_manager->show("mehteran");
    Heartbeat beat;
    for (int n = 1; n <= 17; ++n) {
        click("mehteran", "Command" + std::to_string(n));
        QTest::qWait(30);
    }
    for (const PlayerRow& r : kPlayers) {
        QVERIFY(m_manager->isLoaded(r.id));
        QVERIFY(window(r.id)->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(playerOf(r.id)->state(), State::Stopped, 5000);
        QVERIFY(!playerOf(r.id)->holdsStream());
    }
    QTest::qWait(300);
    QVERIFY(!testing::messageBoxShown());
    QVERIFY(m_reports.isEmpty());
    for (const PlayerRow& r : kPlayers)
        window(r.id)->close();
    QCOMPARE(m_manager->loadedScreens(), std::vector<std::string>{"mehteran"});
    QVERIFY2(beat.worstGap() < testing::kResponsiveGap, qPrintable(QString::number(beat.worstGap())));
}

void TestMehterScreens::unreadableRecordFailsTheShowAndTheListStays()
{
    ScreenDef broken = screens::mehter::marchPlayerScreen(screens::mehter::marchPlayers()[3], "http://127.0.0.1:1");
    broken.controls[0].settingsRecord.resize(20);
    startWith(QStringLiteral("http://127.0.0.1:%1").arg(testing::refusingPort()), {broken});
    m_manager->show("mehteran");
    click("mehteran", "Command4");
    QVERIFY(!m_manager->isLoaded("mehter4"));
    QVERIFY(m_manager->isLoaded("mehteran"));
    QCOMPARE(m_reports.size(), 1);
    QVERIFY2(m_reports[0].contains("WindowsMediaPlayer1"), qPrintable(m_reports[0]));
}

QTEST_MAIN(TestMehterScreens)
#include "test_mehter_screens.moc"
