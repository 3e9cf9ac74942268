// The ruler gallery, built for real offscreen and driven as a user would.
#include "content/Content.h"
#include "screens/rulers/RulerExpectations.h"
#include "screens/rulers/RulerHarness.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

using namespace yelvanis;
using namespace yelvanis::testing::rulers;

class TestRulerGallery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowAsDefined();
    void headerControls_data();
    void headerControls();
    void tilesOnTheGrid_data();
    void tilesOnTheGrid();
    void separators_data();
    void separators();
    void clicksOffTheTilesDoNothing_data();
    void clicksOffTheTilesDoNothing();
    void keyOnTheFocusedButtonGoesHome_data();
    void keyOnTheFocusedButtonGoesHome();
    void goingHomeLeavesRulerScreensOpen();
    void minimizingLeavesRulerScreensVisible();
    void secondClickOnAnOpenTileMakesNoSecondWindow();
    void severalRulersOpenAtOnceLastOnTop();
    void resizingMovesNothing();

private:
    qt::ScreenWindow* gallery() const { return m_h->window("Anasayfa"); }
    const ScreenDef& def() const { return screens::all().screen("Anasayfa"); }
    void clickTile(int number);

    std::unique_ptr<Harness> m_h;
};

void TestRulerGallery::initTestCase()
{
    qt::initialiseLook(*qApp);
}

void TestRulerGallery::init()
{
    m_h = std::make_unique<Harness>();
    m_h->manager->show("Anasayfa");
    QVERIFY(gallery());
    QVERIFY(QTest::qWaitForWindowExposed(gallery()));
}

void TestRulerGallery::cleanup()
{
    QVERIFY2(m_h->reports.isEmpty(), qPrintable(m_h->reports.join('\n')));
    m_h.reset();
}

void TestRulerGallery::clickTile(int number)
{
    const ControlDef* image = def().control("Image" + std::to_string(number));
    QVERIFY(image);
    clickPainted(gallery(), *image);
}

void TestRulerGallery::windowAsDefined()
{
    const ScreenDef& s = def();
    QCOMPARE(s.caption, std::string("Yelvanis v1.0"));
    QCOMPARE(s.border, BorderStyle::SizableToolWindow);
    QVERIFY(!s.controlBox);
    QCOMPARE(s.startPosition, StartPosition::Manual);
    QVERIFY(!s.showInTaskbar);
    QVERIFY(!s.font);

    qt::ScreenWindow* w = gallery();
    QCOMPARE(w->windowTitle(), QStringLiteral("Yelvanis v1.0"));
    QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    // The client area at its manual place, 2010, 1095 twips; the user may
    // resize the window.
    QCOMPARE(w->clientGeometry(), QRect(134, 73, 726, 602));
    QVERIFY(w->minimumSize() != w->maximumSize());
    const QImage img = w->client()->grab().toImage();
    QCOMPARE(img.pixelColor(700, 590), QColor(Qt::white));
    QCOMPARE(img.pixelColor(20, 300), QColor(Qt::white));
}

void TestRulerGallery::headerControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tabIndex");
    QTest::addColumn<QString>("font");
    QTest::addColumn<unsigned>("colour"); // back colour of a button, fore colour of a label
    const unsigned buttonText = 0x80000012u, white = 0xFFFFFFu;
    QTest::newRow("Command1") << "Command1" << QRect(0, 0, 2055, 255) << "<<- Anasayfaya Dön" << 38
                              << "MS Sans Serif 9.75 400 162" << white;
    QTest::newRow("Command3") << "Command3" << QRect(0, 240, 2055, 255) << "Aşağı Al" << 39
                              << "MS Sans Serif 8.25 400 162" << white;
    QTest::newRow("Label5") << "Label5" << QRect(3360, 0, 4935, 375) << "OSMANLI PADİŞAHLARI TANITIMLARI" << 1
                            << "MS Sans Serif 12 700 162" << 0x0000FFu;
    QTest::newRow("Label6") << "Label6" << QRect(3240, 360, 5055, 255)
                            << "Hakkında bilgi edinmek istediğiniz padişahın resminin üstüne tıklayınız." << 2
                            << "MS Sans Serif 8.25 400 162" << buttonText;
}

void TestRulerGallery::headerControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(int, tabIndex);
    QFETCH(QString, font);
    QFETCH(unsigned, colour);
    const ControlDef* c = def().control(name.toStdString());
    QVERIFY(c);
    QCOMPARE(QRect(c->left, c->top, c->width, c->height), twips);
    QCOMPARE(QString::fromStdString(c->caption.value()), caption);
    QCOMPARE(c->tabIndex, tabIndex);
    QVERIFY(c->container.empty());
    const Font& f = c->font.value();
    QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(QString::fromStdString(f.face)).arg(f.points()).arg(f.weight).arg(f.charset),
             font);
    QVERIFY(!f.italic && !f.underline);
    if (c->kind == ControlKind::Button) {
        QVERIFY(c->graphical.value());
        QCOMPARE(c->backColour->resolvedRgb(), colour);
        QWidget* live = gallery()->control(c->name);
        QVERIFY(live);
        QCOMPARE(live->geometry(), pixels(twips));
    } else {
        QCOMPARE(c->kind, ControlKind::Label);
        QVERIFY(c->transparent.value());
        QCOMPARE(c->foreColour->isSystem() ? c->foreColour->value : c->foreColour->resolvedRgb(), colour);
        QCOMPARE(gallery()->client()->boxOf(*c), pixels(twips));
    }
}

void TestRulerGallery::tilesOnTheGrid_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    for (const TileRow& t : tileRows()) {
        // Four full rows of eight, then the last four in columns 3 to 6.
        const int n = t.number;
        const int row = n <= 32 ? (n - 1) / 8 + 1 : 5;
        const int column = n <= 32 ? (n - 1) % 8 + 1 : n - 30;
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(t.opens)))) << n << row << column;
    }
}

void TestRulerGallery::tilesOnTheGrid()
{
    QFETCH(int, number);
    QFETCH(int, row);
    QFETCH(int, column);
    const TileRow& t = tileRows().at(size_t(number - 1));
    QCOMPARE(row <= 4 ? 8 * (row - 1) + column : 30 + column, number);

    // The image on the grid, at its picture's own size.
    const ControlDef* image = def().control("Image" + std::to_string(number));
    QVERIFY(image);
    QCOMPARE(image->kind, ControlKind::Image);
    QCOMPARE(image->left, 840 + 1200 * (column - 1));
    QCOMPARE(image->top, 720 + 1680 * (row - 1));
    QCOMPARE(QSize(image->width, image->height), t.portrait * 15);
    QVERIFY(!image->stretch.value());
    QVERIFY(content::has(image->picture->resource));
    const auto bytes = content::get(image->picture->resource);
    const QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "GIF");
    QCOMPARE(picture.size(), t.portrait);
    const QRect box = gallery()->client()->boxOf(*image);
    QCOMPARE(box, QRect(QPoint(image->left / 15, image->top / 15), t.portrait));

    // The name label under it.
    const ControlDef* label = def().control(t.label);
    QVERIFY(label);
    QCOMPARE(label->kind, ControlKind::Label);
    QCOMPARE(QRect(label->left, label->top, label->width, label->height), t.labelBox);
    QCOMPARE(QString::fromStdString(label->caption.value()), QString::fromUtf8(t.caption));
    QCOMPARE(label->tabIndex, number == 1 ? 0 : number + 1);
    QVERIFY(label->transparent.value());
    QCOMPARE(text(label->font.value()), text(defaultFont()));
    QCOMPARE(text(label->foreColour.value()), text(Colour::system(SystemColour::ButtonText)));
    QCOMPARE(label->alignment.value(), Alignment::Left);
    QVERIFY(!label->autoSize.value());
    QVERIFY(label->top > image->top + image->height);

    // A click opens that tile's ruler screen; the gallery stays.
    const std::string target = t.opens;
    QVERIFY(!m_h->manager->isLoaded(target));
    clickTile(number);
    QVERIFY2(m_h->manager->isLoaded(target), target.c_str());
    QVERIFY(m_h->manager->isLoaded("Anasayfa"));
    QCOMPARE(m_h->manager->activeScreen(), target);
    // The ruler screen shows the same portrait as its tile.
    const ControlDef* portrait = screens::all().screen(target).control("Image1");
    QVERIFY(portrait);
    QCOMPARE(portrait->picture, image->picture);
}

void TestRulerGallery::separators_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("bottom");
    for (int k = 1; k <= 7; ++k)
        QTest::newRow(qPrintable(QStringLiteral("Line%1").arg(k))) << k << (k >= 3 && k <= 5 ? 9000 : 7320);
}

void TestRulerGallery::separators()
{
    QFETCH(int, k);
    QFETCH(int, bottom);
    const ControlDef* line = def().control("Line" + std::to_string(k));
    QVERIFY(line);
    QCOMPARE(line->kind, ControlKind::Line);
    const int x = 1920 + 1200 * (k - 1);
    QCOMPARE(QRect(QPoint(line->x1, line->y1), QPoint(line->x2, line->y2)), QRect(QPoint(x, 720), QPoint(x, bottom)));
    QCOMPARE(line->lineWidth.value(), 1);
    // Between column k and column k + 1.
    QVERIFY(x > 840 + 1200 * (k - 1) + 61 * 15 && x < 840 + 1200 * k);
    // Drawn in window text over the white background.
    const QImage img = gallery()->client()->grab().toImage();
    QCOMPARE(img.pixelColor(x / 15, 700 / 15 + 20), QColor(Qt::black));
}

void TestRulerGallery::clicksOffTheTilesDoNothing_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("name label") << QPoint(840 / 15 + 10, 1920 / 15 + 5);
    QTest::newRow("heading") << QPoint(3360 / 15 + 40, 10);
    QTest::newRow("instruction") << QPoint(3240 / 15 + 40, 360 / 15 + 8);
    QTest::newRow("separator line") << QPoint(1920 / 15, 3000 / 15);
    QTest::newRow("background between tiles") << QPoint(1800 / 15, 1400 / 15);
    QTest::newRow("background beside the last row") << QPoint(900 / 15, 8000 / 15);
}

void TestRulerGallery::clicksOffTheTilesDoNothing()
{
    QFETCH(QPoint, at);
    QTest::mouseClick(gallery()->client(), Qt::LeftButton, {}, at);
    QCOMPARE(m_h->manager->loadedScreens(), std::vector<std::string>{"Anasayfa"});
}

void TestRulerGallery::keyOnTheFocusedButtonGoesHome_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("space") << int(Qt::Key_Space);
}

void TestRulerGallery::keyOnTheFocusedButtonGoesHome()
{
    QFETCH(int, key);
    QVERIFY(QTest::qWaitForWindowActive(gallery()));
    QWidget* command1 = gallery()->control("Command1");
    // The two buttons are the only focusable controls; the focus starts on
    // the upper one.
    QCOMPARE(gallery()->tabOrder(), (std::vector<QWidget*>{command1, gallery()->control("Command3")}));
    QCOMPARE(gallery()->firstFocus(), command1);
    QTRY_COMPARE(QApplication::focusWidget(), command1);
    QTest::keyClick(command1, Qt::Key(key));
    QTRY_VERIFY(!m_h->manager->isLoaded("Anasayfa"));
    QVERIFY(m_h->manager->isLoaded("giris"));
    QCOMPARE(m_h->quits, 0);
}

void TestRulerGallery::goingHomeLeavesRulerScreensOpen()
{
    clickTile(7);
    clickTile(30);
    QTest::mouseClick(gallery()->control("Command1"), Qt::LeftButton);
    QVERIFY(!m_h->manager->isLoaded("Anasayfa"));
    QCOMPARE(m_h->manager->loadedScreens(), (std::vector<std::string>{"fatih", "giris", "mahmud2"}));
    QVERIFY(m_h->window("fatih")->isVisible());
    QVERIFY(m_h->window("mahmud2")->isVisible());
}

void TestRulerGallery::minimizingLeavesRulerScreensVisible()
{
    clickTile(3);
    QTest::mouseClick(gallery()->control("Command3"), Qt::LeftButton);
    QTRY_VERIFY(gallery()->isMinimized());
    QVERIFY(m_h->manager->isLoaded("Anasayfa"));
    QVERIFY(!m_h->window("murad")->isMinimized());
    QVERIFY(m_h->window("murad")->isVisible());
    // The ruler screen still works with its opener minimized.
    clickPainted(m_h->window("murad"), *screens::all().screen("murad").control("Label43"));
    QVERIFY(!m_h->manager->isLoaded("murad"));
    QVERIFY(m_h->manager->isLoaded("Anasayfa"));
}

void TestRulerGallery::secondClickOnAnOpenTileMakesNoSecondWindow()
{
    clickTile(10);
    qt::ScreenWindow* kanuni = m_h->window("Kanuni");
    QVERIFY(kanuni);
    auto* output = qobject_cast<QPlainTextEdit*>(kanuni->control("Output"));
    QVERIFY(output);
    output->verticalScrollBar()->setValue(output->verticalScrollBar()->maximum() / 2);
    const int scrolled = output->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    gallery()->activateWindow();
    gallery()->raise();

    clickTile(10);
    QCOMPARE(m_h->window("Kanuni"), kanuni);
    QCOMPARE(m_h->windowsOf("Kanuni"), 1);
    QCOMPARE(m_h->manager->activeScreen(), std::string("Kanuni"));
    QCOMPARE(output->verticalScrollBar()->value(), scrolled);
}

void TestRulerGallery::severalRulersOpenAtOnceLastOnTop()
{
    for (int n : {1, 19, 36})
        clickTile(n);
    QCOMPARE(m_h->manager->loadedScreens(),
             (std::vector<std::string>{"Anasayfa", "mehmed4", "osman", "vahdeddin"}));
    QCOMPARE(m_h->manager->activeScreen(), std::string("vahdeddin"));
    // All centred on the screen.
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (const char* id : {"osman", "mehmed4", "vahdeddin"})
        QVERIFY2((m_h->window(id)->frameGeometry().center() - centre).manhattanLength() <= 2, id);
}

void TestRulerGallery::resizingMovesNothing()
{
    qt::ScreenWindow* w = gallery();
    std::map<std::string, QRect> before;
    for (const ControlDef& c : def().controls)
        before[c.name] = c.isWindowed() ? w->control(c.name)->geometry() : w->client()->boxOf(c);
    const QRect client = w->client()->geometry();

    for (QSize size : {QSize(900, 760), QSize(300, 200)}) {
        w->resize(size);
        QTRY_COMPARE(w->size(), size);
        QCOMPARE(w->client()->geometry(), client);
        for (const ControlDef& c : def().controls)
            QCOMPARE(c.isWindowed() ? w->control(c.name)->geometry() : w->client()->boxOf(c), before[c.name]);
    }
    // A larger window shows more white background.
    w->resize(900, 760);
    QTRY_COMPARE(w->size(), QSize(900, 760));
    const QImage img = w->grab().toImage();
    QCOMPARE(img.pixelColor(880, 740), QColor(Qt::white));
}

QTEST_MAIN(TestRulerGallery)
#include "test_ruler_gallery.moc"
