#include "content/Content.h"
#include "runtime/qt/ButtonControl.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"
#include "runtime/qt/TextBoxControl.h"

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include <cmath>

using namespace yelvanis;
using namespace yelvanis::qt;

namespace {

struct Recorder : ScreenEvents {
    QStringList events;
    void clicked(const std::string& s, const std::string& c) override
    {
        events << QString::fromStdString("click " + s + " " + c);
    }
    void closeRequested(const std::string& s) override { events << QString::fromStdString("close " + s); }
};

ScreenDef def(std::vector<ControlDef> controls, int w = 4500, int h = 3000)
{
    return withDefaults(ScreenDef{.id = "t", .caption = "Test", .border = BorderStyle::FixedToolWindow,
                                  .clientLeft = 1500, .clientTop = 1500, .clientWidth = w, .clientHeight = h,
                                  .backColour = Colour::rgb(0xFFFFFF), .controls = std::move(controls)});
}

const Font kBig{.face = "Tahoma", .size = pt(12), .weight = 700};

// Rows of a picture that hold any pixel of the colour.
int inkRows(const QImage& img, QRect box, QColor ink)
{
    int rows = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (img.pixelColor(x, y) == ink) {
                ++rows;
                break;
            }
    return rows;
}

int lastInkRow(const QImage& img, QColor ink)
{
    int last = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == ink)
                last = y;
    return last;
}

} // namespace

class TestBuilder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void clientAreaAndPlacement();
    void windowWithoutTitleBarIsFramelessWithDrawnBorder();
    void transparentLabelShowsPictureBeneath();
    void labelBreaksAtCrLfWrapsAndIsCutOff();
    void autoSizeLabelFollowsCaption();
    void negativePositionIsClipped();
    void earlierStoredLiesAbove();
    void clickOnPaintedControls();
    void readOnlyTextBoxIgnoresEditing();
    void textBoxWithoutTabStopTakesFocusOnlyWhenClicked();
    void enterAndSpacePressFocusedButton();
    void closeBoxRequestsClose();
    void stretchedImageFillsItsBox();
    void boldFacesResolveToBoldFiles_data();
    void boldFacesResolveToBoldFiles();
    void everyTurkishLetterHasAGlyph_data();
    void everyTurkishLetterHasAGlyph();
};

void TestBuilder::initTestCase()
{
    initialiseLook(*qApp);
}

void TestBuilder::clientAreaAndPlacement()
{
    Recorder r;
    ScreenWindow w(def({}), r);
    QCOMPARE(w.client()->size(), QSize(300, 200));
    // Manual placement puts the client area's corner at the stored point.
    QCOMPARE(w.clientGeometry().topLeft(), QPoint(100, 100));
    QVERIFY(w.windowFlags() & Qt::WindowTitleHint);
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(w.windowTitle(), QString("Test"));
    QVERIFY(w.minimumSize() == w.maximumSize()); // fixed size

    ScreenDef withBox = def({});
    withBox.controlBox = true;
    ScreenWindow b(withBox, r);
    QVERIFY(b.windowFlags() & Qt::WindowCloseButtonHint);

    ScreenDef sizable = def({});
    sizable.border = BorderStyle::SizableToolWindow;
    ScreenWindow s(sizable, r);
    QVERIFY(s.minimumSize() != s.maximumSize());
}

void TestBuilder::windowWithoutTitleBarIsFramelessWithDrawnBorder()
{
    Recorder r;
    ScreenDef d = def({});
    d.caption.clear();
    ScreenWindow w(d, r);
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.client()->size(), QSize(300, 200));
    QVERIFY(w.width() > 300);
    const QImage img = w.grab().toImage();
    QVERIFY(img.pixelColor(0, 0) != QColor(Qt::white) || img.pixelColor(img.width() - 1, img.height() - 1) != QColor(Qt::white));
}

void TestBuilder::transparentLabelShowsPictureBeneath()
{
    Recorder r;
    // An opaque and a transparent label, each over the red emblem.
    const ScreenDef d = def({
        ControlDef{.kind = ControlKind::Label, .name = "see", .left = 1500, .top = 1500, .width = 600, .height = 600,
                   .caption = "i", .foreColour = Colour::rgb(0x0000FF), .transparent = true},
        ControlDef{.kind = ControlKind::Label, .name = "solid", .left = 2400, .top = 1500, .width = 600, .height = 600,
                   .caption = "i", .backColour = Colour::rgb(0x00FF00), .foreColour = Colour::rgb(0x0000FF)},
        ControlDef{.kind = ControlKind::Image, .name = "Image1", .left = 0, .top = 0, .width = 3600, .height = 3600,
                   .picture = PictureRef{"main/giris.ico"}},
    }, 4500, 4500);
    ScreenWindow w(d, r);
    const QImage img = w.client()->grab().toImage();
    const QImage picture = QImage::fromData(QByteArray::fromStdString(std::string(
        yelvanis::content::get("main/giris.ico"))));
    // Below the letter, inside the transparent box, the picture shows.
    QCOMPARE(img.pixelColor(139, 139), picture.pixelColor(139, 139));
    QCOMPARE(img.pixelColor(199, 139), QColor(0x00, 0xFF, 0x00));
}

void TestBuilder::labelBreaksAtCrLfWrapsAndIsCutOff()
{
    Recorder r;
    const QColor ink(0x0000FF);
    auto label = [&](const char* caption, int height) {
        return ControlDef{.kind = ControlKind::Label, .name = "L", .left = 0, .top = 0, .width = 1800, .height = height,
                          .caption = caption, .foreColour = Colour::rgb(0x0000FF), .font = kBig, .transparent = true};
    };
    const int line = QFontMetrics(toQFont(kBig)).height();
    {
        ScreenWindow w(def({label("a\r\nb\r\nc", 3000)}), r);
        const QImage img = w.client()->grab().toImage();
        // Three lines: ink reaches into the third line.
        QVERIFY(lastInkRow(img, ink) > 2 * line);
        QVERIFY(lastInkRow(img, ink) < 3 * line);
    }
    {
        // Too wide for 120 pixels: wraps at word boundaries onto more lines.
        ScreenWindow w(def({label("kelime kelime kelime kelime", 3000)}), r);
        const QImage img = w.client()->grab().toImage();
        QVERIFY(lastInkRow(img, ink) > line);
        QVERIFY(inkRows(img, QRect(121, 0, 150, 200), ink) == 0);
    }
    {
        // The same text in a box one line high: the rest is cut off.
        ScreenWindow w(def({label("kelime kelime kelime kelime", line * 15)}), r);
        const QImage img = w.client()->grab().toImage();
        QVERIFY(lastInkRow(img, ink) >= 0);
        QVERIFY(lastInkRow(img, ink) < line);
    }
}

void TestBuilder::autoSizeLabelFollowsCaption()
{
    Recorder r;
    const ControlDef c{.kind = ControlKind::Label, .name = "Label1", .left = 150, .top = 300, .width = 15, .height = 15,
                       .caption = "Version 1.0\r\nikinci satır", .font = kBig, .autoSize = true};
    ScreenWindow w(def({c}), r);
    const QRect box = w.client()->boxOf(c);
    const QFontMetricsF fm(toQFont(kBig));
    QCOMPARE(box.topLeft(), QPoint(10, 20));
    const qreal widest = qMax(fm.horizontalAdvance("Version 1.0"), fm.horizontalAdvance(QString::fromUtf8("ikinci satır")));
    QCOMPARE(box.width(), int(std::ceil(widest)));
    QCOMPARE(box.height(), 2 * int(std::ceil(fm.height())));
    // Drawn on one line each, nothing wraps or is cut off: ink reaches the
    // second line and the right end of the longer first one.
    const QImage img = w.client()->grab().toImage();
    const QColor ink(0, 0, 0);
    QVERIFY(lastInkRow(img, ink) > box.top() + box.height() / 2);
    QVERIFY(lastInkRow(img, ink) < box.bottom() + 1);
}

void TestBuilder::negativePositionIsClipped()
{
    Recorder r;
    const ScreenDef d = def({ControlDef{.kind = ControlKind::Button, .name = "Command1", .left = -750, .top = -750,
                                        .width = 1500, .height = 1500, .backColour = Colour::rgb(0x00FF00),
                                        .graphical = true}});
    ScreenWindow w(d, r);
    QWidget* b = w.control("Command1");
    QCOMPARE(b->geometry(), QRect(-50, -50, 100, 100));
    const QImage img = w.client()->grab().toImage();
    QCOMPARE(img.pixelColor(25, 25), QColor(0x00, 0xFF, 0x00));
    QCOMPARE(img.pixelColor(60, 60), QColor(Qt::white));
}

void TestBuilder::earlierStoredLiesAbove()
{
    Recorder r;
    const ScreenDef d = def({
        ControlDef{.kind = ControlKind::Label, .name = "first", .left = 0, .top = 0, .width = 900, .height = 900,
                   .backColour = Colour::rgb(0x00FF00)},
        ControlDef{.kind = ControlKind::Label, .name = "second", .left = 450, .top = 450, .width = 900, .height = 900,
                   .backColour = Colour::rgb(0xFF0000)},
        ControlDef{.kind = ControlKind::Button, .name = "b1", .left = 1500, .top = 0, .width = 900, .height = 900,
                   .backColour = Colour::rgb(0x0000FF), .graphical = true},
        ControlDef{.kind = ControlKind::Button, .name = "b2", .left = 1950, .top = 450, .width = 900, .height = 900,
                   .backColour = Colour::rgb(0xFFFF00), .graphical = true},
    });
    ScreenWindow w(d, r);
    const QImage img = w.client()->grab().toImage();
    QCOMPARE(img.pixelColor(45, 45), QColor(0x00, 0xFF, 0x00)); // overlap: the first stored
    QCOMPARE(img.pixelColor(80, 80), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(img.pixelColor(145, 45), QColor(0x00, 0x00, 0xFF));
    // A click in the overlap belongs to the first stored.
    QCOMPARE(QString::fromStdString(w.client()->paintedAt(QPoint(45, 45))->name), QString("first"));
}

void TestBuilder::clickOnPaintedControls()
{
    Recorder r;
    const ScreenDef d = def({
        ControlDef{.kind = ControlKind::Label, .name = "Label43", .left = 0, .top = 0, .width = 255, .height = 255,
                   .caption = "X", .transparent = true},
        ControlDef{.kind = ControlKind::Line, .name = "Line1", .x1 = 0, .y1 = 1500, .x2 = 3000, .y2 = 1500},
    });
    ScreenWindow w(d, r);
    w.show();
    QTest::mouseClick(w.client(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(w.client(), Qt::LeftButton, {}, QPoint(50, 100)); // a line is not clickable
    QTest::mouseClick(w.client(), Qt::LeftButton, {}, QPoint(200, 150));
    QCOMPARE(r.events, QStringList{"click t Label43"});
}

void TestBuilder::readOnlyTextBoxIgnoresEditing()
{
    Recorder r;
    const std::string text = "Birinci satır\r\nİkinci satır\r\n";
    ScreenWindow w(def({ControlDef{.kind = ControlKind::TextBox, .name = "Text1", .left = 0, .top = 0, .width = 3000,
                                   .height = 1500, .text = text, .font = kBig}}),
                   r);
    w.show();
    auto* box = qobject_cast<QPlainTextEdit*>(w.control("Text1"));
    QVERIFY(box);
    QCOMPARE(box->toPlainText(), QString::fromUtf8("Birinci satır\nİkinci satır\n"));
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    box->setFocus();
    QGuiApplication::clipboard()->setText("yapıştırılan");
    const QString before = box->toPlainText();
    QTest::keyClicks(box, "yazi");
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(box->toPlainText(), before);
    // Selecting and copying still work.
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith("Birinci"));
}

void TestBuilder::textBoxWithoutTabStopTakesFocusOnlyWhenClicked()
{
    Recorder r;
    std::string longText;
    for (int i = 0; i < 80; ++i)
        longText += "Satır " + std::to_string(i) + "\r\n";
    const ScreenDef d = def({
        ControlDef{.kind = ControlKind::Button, .name = "Command1", .left = 0, .top = 0, .width = 900, .height = 375,
                   .tabIndex = 0, .graphical = true},
        ControlDef{.kind = ControlKind::TextBox, .name = "Text1", .left = 0, .top = 450, .width = 3000, .height = 1500,
                   .text = longText, .tabIndex = 1, .tabStop = false},
        ControlDef{.kind = ControlKind::Button, .name = "Command2", .left = 1500, .top = 0, .width = 900, .height = 375,
                   .tabIndex = 2, .graphical = true},
    });
    ScreenWindow w(d, r);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.control("Command1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.control("Command2"));
    auto* box = qobject_cast<QPlainTextEdit*>(w.control("Text1"));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_PageDown);
    QVERIFY(box->verticalScrollBar()->value() > 0);
}

void TestBuilder::enterAndSpacePressFocusedButton()
{
    Recorder r;
    ScreenWindow w(def({ControlDef{.kind = ControlKind::Button, .name = "Command1", .left = 0, .top = 0, .width = 900,
                                   .height = 375, .caption = "Kapat", .graphical = true}}),
                   r);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* b = w.control("Command1");
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
    QTRY_COMPARE(r.events.size(), 1);
    QTest::keyClick(b, Qt::Key_Space);
    QTRY_COMPARE(r.events.size(), 2);
    QCOMPARE(r.events.last(), QString("click t Command1"));
}

void TestBuilder::closeBoxRequestsClose()
{
    Recorder r;
    ScreenDef d = def({});
    d.controlBox = true;
    ScreenWindow w(d, r);
    w.show();
    w.close();
    QCOMPARE(r.events, QStringList{"close t"});
    QVERIFY(w.isVisible()); // the screen manager, not the frame, unloads it
}

void TestBuilder::stretchedImageFillsItsBox()
{
    Recorder r;
    // The emblem's corners are white and its middle red: stretched into a
    // narrow box, red reaches across the box's middle row.
    const ScreenDef d = def({ControlDef{.kind = ControlKind::Image, .name = "imgLogo", .left = 0, .top = 0,
                                        .width = 4170, .height = 1380, .stretch = true,
                                        .picture = PictureRef{"main/giris.ico"}}},
                            4500, 3000);
    ScreenWindow w(d, r);
    const QImage img = w.client()->grab().toImage();
    const QColor middle = img.pixelColor(139, 46);
    QVERIFY(middle.red() > 150 && middle.green() < 80);
    // Nothing of the picture below its box.
    QCOMPARE(img.pixelColor(139, 120), QColor(Qt::white));
}

void TestBuilder::boldFacesResolveToBoldFiles_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("family");
    QTest::newRow("reading text box") << "Tahoma" << 11.25 << "Tahoma Heavy";
    QTest::newRow("section button") << "MS Sans Serif" << 9.75 << "Tahoma Heavy";
    QTest::newRow("heading") << "MS Sans Serif" << 12.0 << "Tahoma Heavy";
    QTest::newRow("name label") << "Script" << 27.75 << "Dancing Script";
    QTest::newRow("page text") << "Arial" << 9.0 << "Liberation Sans";
}

void TestBuilder::boldFacesResolveToBoldFiles()
{
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(QString, family);
    const QFont bold = toQFont(Font{.face = face.toStdString(), .size = pt(points), .weight = 700});
    const QFont regular = toQFont(Font{.face = face.toStdString(), .size = pt(points), .weight = 400});
    QCOMPARE(QFontInfo(bold).family(), family);
    // Bold must look bold: clearly more ink than the regular weight.
    auto ink = [](const QFont& f) {
        QImage img(400, 60, QImage::Format_Grayscale8);
        img.fill(255);
        QPainter p(&img);
        p.setFont(f);
        p.drawText(5, 45, QString::fromUtf8("Osmanlı Devleti Tarihi"));
        p.end();
        long sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                sum += 255 - img.pixelColor(x, y).red();
        return sum;
    };
    QVERIFY2(ink(bold) > ink(regular) * 6 / 5, qPrintable(QString::number(ink(bold)) + " vs " + QString::number(ink(regular))));
}

void TestBuilder::everyTurkishLetterHasAGlyph_data()
{
    QTest::addColumn<QString>("face");
    for (const char* f : {"MS Sans Serif", "Tahoma", "Arial", "Monotype Corsiva", "Script", "Comic Sans MS"})
        QTest::newRow(f) << QString(f);
}

void TestBuilder::everyTurkishLetterHasAGlyph()
{
    QFETCH(QString, face);
    for (bool bold : {false, true}) {
        const QFont f = toQFont(Font{.face = face.toStdString(), .size = pt(12), .weight = bold ? 700 : 400});
        const QFontMetrics fm(f);
        for (QChar ch : QString::fromUtf8("çğıöşüÇĞİÖŞÜâîû’“”"))
            QVERIFY2(fm.inFontUcs4(ch.unicode()), qPrintable(face + " lacks " + QString(ch)));
    }
}

QTEST_MAIN(TestBuilder)
#include "test_builder.moc"
