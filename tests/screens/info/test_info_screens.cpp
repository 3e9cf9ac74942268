// The three information dialogs, built for real offscreen: their definitions
// against how each dialog is laid out, how they are drawn, and how the main screen's
// menu opens them.
#include "content/Content.h"
#include "runtime/Picture.h"
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
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>
#include "screens/LiveProgram.h"

#include <QtTest>

#include <cmath>
#include <optional>

using namespace yelvanis;
using namespace yelvanis::qt;

namespace {

const Font kMsSansBold{.face = "MS Sans Serif", .size = pt(8.25), .weight = 700};
const Font kArialBold{.face = "Arial", .size = pt(11.25), .weight = 700};
const Font kComic{.face = "Comic Sans MS", .size = pt(9), .weight = 400};

// One control as its dialog is laid out, written down independently of the definitions.
struct Expected {
    const char* screen;
    const char* name;
    ControlKind kind;
    const char* container;
    int a, b, c, d; // left, top, width, height; for a line x1, y1, x2, y2
    std::string caption;
    std::optional<Colour> back; // only where the control has one of its own
    std::optional<Font> font;   // empty: the default font
    int tabIndex = 0;
    bool transparent = false;
    bool autoSize = false;
    Alignment alignment = Alignment::Left;
    int lineWidth = 1;
};

const std::vector<Expected>& expectedControls()
{
    static const std::vector<Expected> rows{
        // programhakknda
        {"programhakknda", "Command1", ControlKind::Button, "", 6480, 0, 855, 255, "Kapat", Colour::rgb(0xFF0000),
         kMsSansBold, 5},
        {"programhakknda", "ShockwaveFlash1", ControlKind::Movie, "", 120, 240, 1935, 1935, "", {}, {}, 0},
        {"programhakknda", "Label4", ControlKind::Label, "", 2880, 2040, 4335, 615,
         "Ve Prof.Dr. VERZIMEN tarafından yazılmış ve internet üzerinden yayınlanmış makalelerden istifade "
         "edilmiştir. ",
         {}, kMsSansBold, 4, true},
        {"programhakknda", "Label3", ControlKind::Label, "", 2880, 1200, 4455, 615, std::string(6, ' '), {},
         kMsSansBold, 3, true},
        {"programhakknda", "Label2", ControlKind::Label, "", 2880, 600, 4335, 375,
         "Telvarin Bilgi Teknolojileri tarafından hazırlanan;" + std::string(10, ' ') + "www.example.com web sitesi",
         {}, kMsSansBold, 2, true},
        {"programhakknda", "Label1", ControlKind::Label, "", 2280, 240, 4335, 375,
         "Programımızın yapımı aşamasında büyük ölçüde", {}, kMsSansBold, 1, true},
        // aboutme: everything but the frame lies in it
        {"aboutme", "Frame1", ControlKind::Frame, "", 120, 120, 7080, 3690, "", Colour::rgb(0xFFE0C0), {}, 0},
        {"aboutme", "Command1", ControlKind::Button, "Frame1", 6240, 3360, 735, 255, "Kapat", Colour::rgb(0xFFE0C0),
         kMsSansBold, 8},
        {"aboutme", "Label5", ControlKind::Label, "Frame1", 0, 0, 1275, 285, "Version 1.0", {},
         Font{.face = "Arial", .size = pt(12), .weight = 700, .charset = kWestern}, 7, true, true, Alignment::Right},
        {"aboutme", "Label4", ControlKind::Label, "Frame1", 2520, 2880, 2775, 375, "tarafından hazırlanmıştır", {},
         kArialBold, 6, true},
        {"aboutme", "Label3", ControlKind::Label, "Frame1", 1920, 2520, 4095, 375, "Araştırma Görevlisi Karsemir", {},
         kArialBold, 5, true},
        {"aboutme", "Label2", ControlKind::Label, "Frame1", 2880, 2160, 1815, 375, "Eğitim Fakültesi", {}, kArialBold,
         4, true},
        {"aboutme", "Label1", ControlKind::Label, "Frame1", 2640, 1800, 2175, 255, "Örnek Üniversitesi", {},
         kArialBold, 3, true},
        {"aboutme", "lblProductName", ControlKind::Label, "Frame1", 3120, 1440, 1305, 270, "Bu program ", {},
         kArialBold, 2, true, true},
        {"aboutme", "imgLogo", ControlKind::Image, "Frame1", 0, 0, 7095, 1305, "", {}, {}, 0},
        {"aboutme", "lblCopyright", ControlKind::Label, "Frame1", 3000, 3480, 1215, 255, "©2005 Karsemir", {},
         Font{.face = "Arial", .size = pt(8.25), .weight = 400, .charset = kWestern}, 1, true},
        // iletisim
        {"iletisim", "Command1", ControlKind::Button, "", 2760, 0, 735, 255, "Kapat", Colour::rgb(0x80FFFF),
         kMsSansBold, 3},
        {"iletisim", "Line2", ControlKind::Line, "", 3240, 960, 120, 960, "", {}, {}, 0, false, false,
         Alignment::Left, 2},
        {"iletisim", "Line1", ControlKind::Line, "", 3240, 600, 120, 600, "", {}, {}, 0, false, false,
         Alignment::Left, 2},
        {"iletisim", "Label3", ControlKind::Label, "", 240, 720, 3255, 255, "Web   : www.example.org", {}, kComic, 2,
         true},
        {"iletisim", "Label2", ControlKind::Label, "", 240, 360, 3255, 255, "e mail : info@example.org", {}, kComic,
         1, true},
        {"iletisim", "Label1", ControlKind::Label, "", 0, 0, 3495, 255, "", Colour::rgb(0x00FFFF), kMsSansBold, 0,
         false},
    };
    return rows;
}

QRect pixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// Bounding box of the pixels clearly darker than the background.
QRect inkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

int channelDistance(QColor a, QColor b)
{
    return qMax(qAbs(a.red() - b.red()), qMax(qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())));
}

} // namespace

class TestInfoScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dialogsAsDefined_data();
    void dialogsAsDefined();
    void controlsAsDefined_data();
    void controlsAsDefined();
    void coloursAsDrawn_data();
    void coloursAsDrawn();
    void autoSizeLabelsTakeTheirTextSize_data();
    void autoSizeLabelsTakeTheirTextSize();
    void stretchedLogoFillsItsBox();
    void contactLinesAreTwoPixelsWide();
    void movieStartsOnLoadWithItsOwnSettings();
    void menuEntryOpensItsDialogOnce_data();
    void menuEntryOpensItsDialogOnce();
    void allThreeOpenAtOnce();
    void programEndsWithTheLastScreen_data();
    void programEndsWithTheLastScreen();
    void addressesAreReservedExamples();

private:
    ScreenWindow* window(const std::string& id) const { return windowOf(m_manager->live(id)); }
    ScreenWindow* shown(const std::string& id);
    void choose(const char* menuItem);
    void pressKapat(const std::string& id);

    std::unique_ptr<QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
};

void TestInfoScreens::initTestCase()
{
    initialiseLook(*qApp);
}

void TestInfoScreens::init()
{
    testing::startProgram(m_windows, m_manager, m_reports, m_quits);
    QVERIFY(window("giris"));
}

void TestInfoScreens::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ScreenWindow* TestInfoScreens::shown(const std::string& id)
{
    m_manager->show(id);
    ScreenWindow* w = window(id);
    if (w && !QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

void TestInfoScreens::choose(const char* menuItem)
{
    ScreenWindow* main = window("giris");
    QVERIFY(main);
    QAction* a = main->menuBar()->findChild<QAction*>(QString::fromLatin1(menuItem));
    QVERIFY2(a, menuItem);
    a->trigger();
}

void TestInfoScreens::pressKapat(const std::string& id)
{
    ScreenWindow* w = window(id);
    QVERIFY2(w, id.c_str());
    QWidget* kapat = w->control("Command1");
    QVERIFY(kapat);
    QTest::mouseClick(kapat, Qt::LeftButton);
}

void TestInfoScreens::dialogsAsDefined_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<QPoint>("clientTopLeftTwips");
    QTest::addColumn<QSize>("clientTwips");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<QStringList>("tabOrder");

    QTest::newRow("programhakknda") << "programhakknda" << "Programımız Hakkında..." << true << QPoint() << QSize(7380, 2730)
                                    << Colour::rgb(0xFFFFFF).value << QStringList{"ShockwaveFlash1", "Command1"};
    QTest::newRow("aboutme") << "aboutme" << "Hazırlayan" << false << QPoint(4035, 5475) << QSize(7305, 3915)
                             << Colour::rgb(0xFFE0C0).value << QStringList{"Command1"};
    QTest::newRow("iletisim") << "iletisim" << "İletişim" << false << QPoint(5835, 2100) << QSize(3450, 1125)
                              << Colour::system(SystemColour::ActiveTitleBarText).value << QStringList{"Command1"};
}

void TestInfoScreens::dialogsAsDefined()
{
    QFETCH(QString, id);
    QFETCH(QString, caption);
    QFETCH(bool, centred);
    QFETCH(QPoint, clientTopLeftTwips);
    QFETCH(QSize, clientTwips);
    QFETCH(quint32, back);
    QFETCH(QStringList, tabOrder);

    const ScreenDef& def = screens::all().screen(id.toStdString());
    QCOMPARE(QString::fromStdString(def.caption), caption);
    QCOMPARE(def.border, BorderStyle::FixedToolWindow);
    QVERIFY(!def.controlBox);
    QCOMPARE(def.startPosition, centred ? StartPosition::CentreScreen : StartPosition::Manual);
    if (!centred)
        QCOMPARE(QPoint(def.clientLeft, def.clientTop), clientTopLeftTwips);
    QCOMPARE(QSize(def.clientWidth, def.clientHeight), clientTwips);
    QCOMPARE(def.backColour->value, back);
    QCOMPARE(def.icon.kind, IconDef::Kind::Default);
    QVERIFY(!def.font);
    QVERIFY(def.menu.empty());
    QVERIFY(def.showInTaskbar);

    // Every control of expectedControls(), in that order, and no other.
    QStringList names, expectedNames;
    for (const ControlDef& c : def.controls)
        names << QString::fromStdString(c.name);
    for (const Expected& e : expectedControls())
        if (id == QLatin1String(e.screen))
            expectedNames << QString::fromLatin1(e.name);
    QCOMPARE(names, expectedNames);

    ScreenWindow* w = shown(id.toStdString());
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), caption);
    const QSize client(twipsToPixels(clientTwips.width()), twipsToPixels(clientTwips.height()));
    QCOMPARE(w->client()->size(), client);
    QCOMPARE(w->minimumSize(), w->maximumSize());
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & Qt::FramelessWindowHint));
    for (Qt::WindowType f : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                             Qt::WindowMaximizeButtonHint})
        QVERIFY2(!(flags & f), qPrintable(QString::number(f, 16)));
    if (centred) {
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint offset = w->clientGeometry().center() - centre;
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    } else {
        QCOMPARE(w->clientGeometry().topLeft(),
                 QPoint(twipsToPixels(clientTopLeftTwips.x()), twipsToPixels(clientTopLeftTwips.y())));
    }

    QStringList order;
    for (QWidget* c : w->tabOrder())
        order << c->objectName();
    QCOMPARE(order, tabOrder);
    QCOMPARE(w->firstFocus()->objectName(), tabOrder.first());
    QVERIFY(m_reports.isEmpty());
}

void TestInfoScreens::controlsAsDefined_data()
{
    QTest::addColumn<int>("row");
    const auto& rows = expectedControls();
    for (size_t i = 0; i < rows.size(); ++i)
        QTest::newRow((std::string(rows[i].screen) + "/" + rows[i].name).c_str()) << int(i);
}

void TestInfoScreens::controlsAsDefined()
{
    QFETCH(int, row);
    const Expected& e = expectedControls()[size_t(row)];
    const ScreenDef& s = screens::all().screen(e.screen);
    const ControlDef* c = s.control(e.name);
    QVERIFY(c);
    QCOMPARE(c->kind, e.kind);
    QCOMPARE(c->container, std::string(e.container));

    if (e.kind == ControlKind::Line) {
        QCOMPARE(QLine(c->x1, c->y1, c->x2, c->y2), QLine(e.a, e.b, e.c, e.d));
        QCOMPARE(c->lineWidth.value_or(1), e.lineWidth);
        return; // drawn lines: contactLinesAreTwoPixelsWide
    }
    QCOMPARE(QRect(c->left, c->top, c->width, c->height), QRect(e.a, e.b, e.c, e.d));
    if (e.kind == ControlKind::Label || e.kind == ControlKind::Button || e.kind == ControlKind::Frame)
        QCOMPARE(QString::fromStdString(c->caption.value_or("")), QString::fromStdString(e.caption));
    if (e.back)
        QCOMPARE(toString(*c->backColour), toString(*e.back));
    if (e.kind == ControlKind::Label || e.kind == ControlKind::Frame)
        QCOMPARE(toString(*c->foreColour), toString(Colour::system(SystemColour::ButtonText)));
    if (e.kind == ControlKind::Label || e.kind == ControlKind::Button || e.kind == ControlKind::Frame) {
        const Font want = e.font.value_or(defaultFont());
        QCOMPARE(QString::fromStdString(c->font->face), QString::fromStdString(want.face));
        QCOMPARE(c->font->size, want.size);
        QCOMPARE(c->font->weight, want.weight);
        QCOMPARE(c->font->italic, false);
        QCOMPARE(c->font->underline, false);
        QCOMPARE(int(c->font->charset), int(want.charset));
    }
    if (e.kind != ControlKind::Image)
        QCOMPARE(c->tabIndex, e.tabIndex);
    if (e.kind == ControlKind::Label) {
        QCOMPARE(*c->transparent, e.transparent);
        QCOMPARE(*c->autoSize, e.autoSize);
        QCOMPARE(*c->alignment, e.alignment);
    }
    if (e.kind == ControlKind::Button)
        QVERIFY(*c->graphical);
    if (e.kind == ControlKind::Image) {
        QVERIFY(*c->stretch);
        QCOMPARE(QString::fromStdString(c->picture->resource), QString("info/logo.jpg"));
    }

    // The live control stands where its definition says, in its container.
    ScreenWindow* w = shown(e.screen);
    QVERIFY(w);
    QWidget* container = *e.container ? w->control(e.container) : w->client();
    QVERIFY(container);
    const QRect px = pixels(e.a, e.b, e.c, e.d);
    if (c->isWindowed()) {
        QWidget* live = w->control(e.name);
        QVERIFY(live);
        QCOMPARE(live->parentWidget(), container);
        QCOMPARE(live->geometry(), px);
        // Inside a frame, measured from the frame's corner.
        QCOMPARE(live->mapTo(w->client(), QPoint(0, 0)), container->mapTo(w->client(), QPoint(0, 0)) + px.topLeft());
    } else {
        QVERIFY(!w->control(e.name));
        auto* surface = qobject_cast<Surface*>(container);
        QVERIFY(surface);
        const QRect box = surface->boxOf(*c);
        if (e.autoSize)
            QCOMPARE(box.topLeft(), px.topLeft()); // its size: autoSizeLabelsTakeTheirTextSize
        else
            QCOMPARE(box, px);
    }
}

void TestInfoScreens::coloursAsDrawn_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QPoint>("at"); // in the client area
    QTest::addColumn<QColor>("colour");

    QTest::newRow("programhakknda back") << "programhakknda" << QPoint(5, 178) << QColor(0xFFFFFF);
    QTest::newRow("programhakknda Kapat") << "programhakknda" << QPoint(434, 2) << QColor(0xFF0000);
    QTest::newRow("aboutme margin") << "aboutme" << QPoint(3, 3) << QColor(0xFFE0C0);
    QTest::newRow("aboutme frame below the logo") << "aboutme" << QPoint(8 + 240, 8 + 89) << QColor(0xFFE0C0);
    QTest::newRow("iletisim back") << "iletisim" << QPoint(225, 72) << QColor(0xFFFFFF);
    QTest::newRow("iletisim strip left") << "iletisim" << QPoint(2, 2) << QColor(0x00FFFF);
    QTest::newRow("iletisim strip under the button's left") << "iletisim" << QPoint(182, 14) << QColor(0x00FFFF);
    QTest::newRow("iletisim Kapat") << "iletisim" << QPoint(186, 2) << QColor(0x80FFFF);
    QTest::newRow("iletisim Kapat at the right edge") << "iletisim" << QPoint(229, 14) << QColor(0x80FFFF);
    QTest::newRow("iletisim below the strip") << "iletisim" << QPoint(2, 18) << QColor(0xFFFFFF);
}

void TestInfoScreens::coloursAsDrawn()
{
    QFETCH(QString, id);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    ScreenWindow* w = shown(id.toStdString());
    QVERIFY(w);
    // Keep the focus mark off the buttons' faces.
    w->setFocus();
    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(at), colour);
}

void TestInfoScreens::autoSizeLabelsTakeTheirTextSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Version 1.0") << "Label5";
    QTest::newRow("Bu program") << "lblProductName";
}

void TestInfoScreens::autoSizeLabelsTakeTheirTextSize()
{
    QFETCH(QString, name);
    const ControlDef& def = *screens::all().screen("aboutme").control(name.toStdString());
    ScreenWindow* w = shown("aboutme");
    QVERIFY(w);
    auto* frame = qobject_cast<Surface*>(w->control("Frame1"));
    const QRect box = frame->boxOf(def);
    const QString text = toDisplayText(*def.caption);
    const QFont font = toQFont(*def.font);
    const QFontMetricsF fm(font);
    // The box follows the text on one line, from where the definition puts it.
    QCOMPARE(box.topLeft(), pixels(def.left, def.top, 0, 0).topLeft());
    QVERIFY2(qAbs(box.width() - fm.horizontalAdvance(text)) <= 1,
             qPrintable(QStringLiteral("%1 for %2").arg(box.width()).arg(fm.horizontalAdvance(text))));
    QVERIFY(qAbs(box.height() - fm.height()) <= 1);

    // Drawn alone on white, it shows its whole caption on one line, just as
    // the text drawn without any box does.
    const QSize canvas(box.right() + 40, box.bottom() + 40);
    Surface alone(Qt::white, {});
    alone.resize(canvas);
    alone.addPainted(def);
    const QRect ink = inkBox(alone.grab().toImage());
    QImage reference(canvas, QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter p(&reference);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left(), box.top() + fm.ascent()), text);
    }
    const QRect want = inkBox(reference);
    QVERIFY(!want.isEmpty());
    QVERIFY2(box.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                               .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QVERIFY2(qAbs(ink.width() - want.width()) <= 2 && qAbs(ink.height() - want.height()) <= 2,
             qPrintable(QStringLiteral("ink %1x%2, text alone %3x%4")
                            .arg(ink.width()).arg(ink.height()).arg(want.width()).arg(want.height())));
}

void TestInfoScreens::stretchedLogoFillsItsBox()
{
    const auto info = readPictureInfo(content::get("info/logo.jpg"));
    QVERIFY(info);
    QCOMPARE(info->format, PictureFormat::Jpeg);
    QCOMPARE(QSize(info->width, info->height), QSize(278, 92));

    ScreenWindow* w = shown("aboutme");
    QVERIFY(w);
    const ScreenDef& s = screens::all().screen("aboutme");
    auto* frame = qobject_cast<Surface*>(w->control("Frame1"));
    const QRect box = frame->boxOf(*s.control("imgLogo"));
    QCOMPARE(box, QRect(0, 0, 473, 87));

    const auto bytes = content::get("info/logo.jpg");
    const QImage logo = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()));
    const QImage want = logo.scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Smooth or not, the drawn picture is the scaled one to within a pixel.
    auto matches = [&](QColor c, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (want.rect().contains(x + dx, y + dy) && channelDistance(c, want.pixelColor(x + dx, y + dy)) <= 40)
                    return true;
        return false;
    };
    const QImage shot = frame->grab().toImage();
    // The version label stands over the top-left corner.
    const QRect version = frame->boxOf(*s.control("Label5")).adjusted(-2, -2, 2, 2);
    int points = 0, off = 0;
    for (int y = 3; y < box.height() - 2; y += 6) {
        for (int x = 3; x < frame->width() - 3; x += 9) {
            if (version.contains(x, y))
                continue;
            ++points;
            if (!matches(shot.pixelColor(x, y), x, y))
                ++off;
        }
    }
    QVERIFY2(off * 50 <= points, qPrintable(QStringLiteral("%1 of %2 points differ").arg(off).arg(points)));
    // The logo stops at the box: below it is the frame's own colour.
    for (int x : {20, 240, 460})
        QCOMPARE(shot.pixelColor(x, box.bottom() + 2), QColor(0xFFE0C0));
}

void TestInfoScreens::contactLinesAreTwoPixelsWide()
{
    ScreenWindow* w = shown("iletisim");
    QVERIFY(w);
    const QImage img = w->client()->grab().toImage();
    auto darkRows = [&](int x, int from, int to) {
        QList<int> rows;
        for (int y = from; y <= to; ++y)
            if (qGray(img.pixel(x, y)) < 64)
                rows << y;
        return rows;
    };
    // Away from the labels' letters: left of them and right of the addresses.
    for (int x : {10, 200, 214}) {
        const QList<int> upper = darkRows(x, 34, 46), lower = darkRows(x, 58, 70);
        QCOMPARE(upper.size(), 2);
        QVERIFY(upper.contains(40) || upper.contains(39));
        QCOMPARE(lower.size(), 2);
        QVERIFY(lower.contains(64) || lower.contains(63));
    }
    // From 120 to 3240 twips: not beyond.
    for (int x : {4, 222}) {
        QVERIFY(darkRows(x, 34, 46).isEmpty());
        QVERIFY(darkRows(x, 58, 70).isEmpty());
    }
}

void TestInfoScreens::movieStartsOnLoadWithItsOwnSettings()
{
    MovieSettings initial{.play = true, .loop = true, .menu = true, .allowScriptAccess = ""};
    QVERIFY(*screens::all().screen("programhakknda").control("ShockwaveFlash1")->movie == initial);

    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/sultan.swf");
    MovieSettings started = initial;
    started.movie = path.toStdString();

    choose("prgabout");
    QPointer<MoviePanel> panel = qobject_cast<MoviePanel*>(window("programhakknda")->control("ShockwaveFlash1"));
    QVERIFY(panel);
    QVERIFY(panel->settings() == started);
    QCOMPARE(panel->view()->movie(), path);
    QVERIFY(panel->view()->loop());
    QVERIFY(m_reports.isEmpty()); // a missing movie file is no error

    // Closed and opened again: a new panel, started again.
    pressKapat("programhakknda");
    QVERIFY(!m_manager->isLoaded("programhakknda"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!panel);
    choose("prgabout");
    auto* again = qobject_cast<MoviePanel*>(window("programhakknda")->control("ShockwaveFlash1"));
    QVERIFY(again);
    QVERIFY(again->settings() == started);
    QCOMPARE(again->view()->movie(), path);
    QVERIFY(m_reports.isEmpty());
}

void TestInfoScreens::menuEntryOpensItsDialogOnce_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("id");
    QTest::newRow("*Program Hakkında") << "prgabout" << "programhakknda";
    QTest::newRow("*Hazırlayan") << "hzrlyn" << "aboutme";
    QTest::newRow("*İletisim") << "iltsm" << "iletisim";
}

void TestInfoScreens::menuEntryOpensItsDialogOnce()
{
    QFETCH(QString, item);
    QFETCH(QString, id);
    const std::string dialog = id.toStdString();
    const QByteArray itemName = item.toLatin1();

    choose(itemName.constData());
    ScreenWindow* first = window(dialog);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(m_manager->isLoaded("giris")); // Open: the main screen stays
    QCOMPARE(m_manager->activeScreen(), dialog);

    // The main screen back in front, then the same entry again: the same
    // dialog comes to the front, no second one.
    m_manager->show("giris");
    QCOMPARE(m_manager->activeScreen(), std::string("giris"));
    choose(itemName.constData());
    QCOMPARE(window(dialog), first);
    QCOMPARE(m_manager->activeScreen(), dialog);
    QCOMPARE(m_manager->loadedScreens().size(), size_t(2));
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        windows += top->objectName() == id && top->isVisible();
    QCOMPARE(windows, 1);

    // "Kapat" closes the dialog alone.
    pressKapat(dialog);
    QVERIFY(!m_manager->isLoaded(dialog));
    QVERIFY(m_manager->isLoaded("giris"));
    QCOMPARE(m_quits, 0);
    QVERIFY(m_reports.isEmpty());
}

void TestInfoScreens::allThreeOpenAtOnce()
{
    choose("prgabout");
    choose("hzrlyn");
    choose("iltsm");
    const std::vector<std::string> dialogs{"programhakknda", "aboutme", "iletisim"};
    for (const auto& d : dialogs) {
        QVERIFY2(window(d) && window(d)->isVisible(), d.c_str());
        QVERIFY(QTest::qWaitForWindowExposed(window(d)));
    }
    QCOMPARE(m_manager->loadedScreens().size(), size_t(4));
    QCOMPARE(m_manager->activeScreen(), std::string("iletisim"));

    // Each "Kapat" closes its own dialog and leaves the others as they were.
    pressKapat("aboutme");
    QVERIFY(!m_manager->isLoaded("aboutme"));
    for (const char* still : {"giris", "programhakknda", "iletisim"})
        QVERIFY2(window(still) && window(still)->isVisible(), still);
    QVERIFY(m_reports.isEmpty());
}

void TestInfoScreens::programEndsWithTheLastScreen_data()
{
    QTest::addColumn<QStringList>("closing");
    QTest::addColumn<bool>("lastThroughTheFrame");
    QTest::newRow("main screen first") << QStringList{"giris", "programhakknda", "aboutme", "iletisim"} << false;
    QTest::newRow("main screen between") << QStringList{"iletisim", "giris", "aboutme", "programhakknda"} << false;
    QTest::newRow("last through the window frame")
        << QStringList{"giris", "aboutme", "iletisim", "programhakknda"} << true;
}

void TestInfoScreens::programEndsWithTheLastScreen()
{
    QFETCH(QStringList, closing);
    QFETCH(bool, lastThroughTheFrame);
    choose("prgabout");
    choose("hzrlyn");
    choose("iltsm");
    for (qsizetype i = 0; i < closing.size(); ++i) {
        const std::string id = closing[i].toStdString();
        const bool last = i + 1 == closing.size();
        if (id == "giris")
            choose("exit"); // "..::Kapat::.."
        else if (last && lastThroughTheFrame)
            window(id)->close();
        else
            pressKapat(id);
        QVERIFY2(!m_manager->isLoaded(id), id.c_str());
        QCOMPARE(m_quits, last ? 1 : 0);
        QCOMPARE(m_manager->ended(), last);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(m_reports.isEmpty());
}

void TestInfoScreens::addressesAreReservedExamples()
{
    // Web and e-mail addresses the dialogs show lead nowhere real.
    auto reserved = [](QString host) {
        host = host.toLower();
        for (const char* domain : {"example.org", "example.com", "example.net"})
            if (host == QLatin1String(domain) || host.endsWith(QLatin1Char('.') + QLatin1String(domain)))
                return true;
        return host.endsWith(QLatin1String(".example"));
    };
    std::map<std::string, int> found;
    for (const char* id : {"programhakknda", "aboutme", "iletisim"}) {
        for (const ControlDef& c : screens::all().screen(id).controls) {
            const QStringList words = QString::fromStdString(c.caption.value_or("")).split(
                QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            for (QString word : words) {
                QString host;
                if (word.contains(QLatin1Char('@')))
                    host = word.section(QLatin1Char('@'), 1);
                else if (word.startsWith(QLatin1String("www."), Qt::CaseInsensitive) || word.contains(QLatin1String("://")))
                    host = QUrl::fromUserInput(word).host();
                else
                    continue;
                QVERIFY2(reserved(host), qPrintable(QString::fromLatin1(id) + QLatin1String(": ") + word));
                ++found[id];
            }
        }
    }
    QCOMPARE(found["programhakknda"], 1); // the credited web site
    QCOMPARE(found["iletisim"], 2);       // e-mail and web
}

QTEST_MAIN(TestInfoScreens)
#include "test_info_screens.moc"
