// The 36 ruler screens, built for real offscreen from their one template and
// checked against the tables, then driven as a user would.
#include "content/Content.h"
#include "screens/rulers/RulerExpectations.h"
#include "screens/rulers/RulerHarness.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include <set>

using namespace yelvanis;
using namespace yelvanis::testing::rulers;

namespace {

const RulerRow& rowOf(const QString& id)
{
    for (const RulerRow& r : rulerRows())
        if (QString::fromUtf8(r.id) == id)
            return r;
    qFatal("no ruler row %s", qPrintable(id));
}

QSize pictureSize(const std::string& resource)
{
    const auto bytes = content::get(resource);
    return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())).size();
}

void addRulerColumn()
{
    QTest::addColumn<QString>("id");
    for (const RulerRow& r : rulerRows())
        QTest::newRow(r.id) << QString::fromUtf8(r.id);
}

// Screens whose two text boxes are Tab key stops.
const std::set<QString> kTabStopScreens{"osman", "murad", "yildirim", "murad2"};

} // namespace

class TestRulerScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void definitionFollowsTheTemplate_data();
    void definitionFollowsTheTemplate();
    void controlsAtTheirGeometry_data();
    void controlsAtTheirGeometry();
    void variants_data();
    void variants();
    void focusAndTabKey_data();
    void focusAndTabKey();
    void closeLabel_data();
    void closeLabel();
    void founderReturnsToTheOpenGallery();
    void founderBuildsANewGalleryBesideTheMainScreen();
    void founderAloneLeavesTheGalleryOpen();
    void lastScreenClosedEndsTheProgram();
    void reopenedScreenStartsAtTheTop();
    void typingChangesNothing();
    void longestBodyScrollsToItsEnd();
    void mustafasNineLinesFitHisTallerCard();
    void nameAndCardInTheirSizes_data();
    void nameAndCardInTheirSizes();
    void clicksElsewhereDoNothing_data();
    void clicksElsewhereDoNothing();

private:
    qt::ScreenWindow* open(const QString& id);

    std::unique_ptr<Harness> m_h;
};

void TestRulerScreens::initTestCase()
{
    qt::initialiseLook(*qApp);
}

void TestRulerScreens::init()
{
    m_h = std::make_unique<Harness>();
}

void TestRulerScreens::cleanup()
{
    QVERIFY2(m_h->reports.isEmpty(), qPrintable(m_h->reports.join('\n')));
    m_h.reset();
}

qt::ScreenWindow* TestRulerScreens::open(const QString& id)
{
    m_h->manager->show(id.toStdString());
    qt::ScreenWindow* w = m_h->window(id.toStdString());
    if (w && !QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

void TestRulerScreens::definitionFollowsTheTemplate_data()
{
    addRulerColumn();
}

void TestRulerScreens::definitionFollowsTheTemplate()
{
    QFETCH(QString, id);
    const RulerRow& r = rowOf(id);
    const ScreenDef& s = screens::all().screen(id.toStdString());

    QVERIFY(s.caption.empty());
    QCOMPARE(s.border, BorderStyle::FixedDialog);
    QVERIFY(!s.controlBox);
    QVERIFY(!s.hasTitleBar());
    QCOMPARE(s.startPosition, StartPosition::CentreScreen);
    QCOMPARE(QSize(s.clientWidth, s.clientHeight), r.client);
    QVERIFY(!s.font);
    QVERIFY(s.menu.empty());
    QVERIFY(s.showInTaskbar);
    // Back colour by the place in the reign order.
    const unsigned byReign = r.tile <= 6 ? 0x80FF80 : r.tile <= 22 ? 0xC0FFFF : 0xFFC080;
    QCOMPARE(r.back, byReign);
    QCOMPARE(s.backColour->resolvedRgb(), byReign);

    QStringList names;
    for (const ControlDef& c : s.controls)
        names << QString::fromStdString(c.name);
    QStringList expected{"Image1", "osman", "Label43", "Frame1", "Label1"};
    if (!r.tughra.isEmpty())
        expected << "Image2";
    expected << "Label2" << "Output";
    if (!r.oneBox)
        expected << "Label3" << "Text1";
    QCOMPARE(names, expected);

    const Colour back = *s.backColour;
    const Colour red = Colour::rgb(0xFF0000);
    for (const ControlDef& c : s.controls) {
        const QString n = QString::fromStdString(c.name);
        const bool inFrame = n == "Label1" || n == "Image2";
        QCOMPARE(QString::fromStdString(c.container), inFrame ? QStringLiteral("Frame1") : QString());
        if (c.kind == ControlKind::Label)
            QVERIFY2(c.transparent.value(), c.name.c_str());
        if (n == "Image1" || n == "Image2") {
            QCOMPARE(c.kind, ControlKind::Image);
            QVERIFY(!c.stretch.value());
        } else if (n == "osman") {
            QCOMPARE(c.kind, ControlKind::Label);
            QCOMPARE(QString::fromStdString(c.caption.value()), r.nameLines.join("\r\n"));
            QCOMPARE(text(c.foreColour.value()), text(red));
            QCOMPARE(text(c.font.value()), QStringLiteral("Script 27.75 700 255"));
        } else if (n == "Label43") {
            QCOMPARE(c.kind, ControlKind::Label);
            QCOMPARE(c.caption.value(), std::string("X"));
            QCOMPARE(text(c.foreColour.value()), text(Colour::system(SystemColour::ButtonText)));
            QCOMPARE(text(c.font.value()), QStringLiteral("MS Sans Serif 9.75 700 underline 162"));
        } else if (n == "Frame1") {
            QCOMPARE(c.kind, ControlKind::Frame);
            QCOMPARE(c.caption.value(), std::string("KISA KISA...."));
            QCOMPARE(text(c.backColour.value()), text(back));
            QCOMPARE(text(c.foreColour.value()), text(red));
            QCOMPARE(text(c.font.value()), QStringLiteral("MS Sans Serif 9.75 700 162"));
        } else if (n == "Label1") {
            QCOMPARE(c.kind, ControlKind::Label);
            QCOMPARE(text(c.foreColour.value()), text(Colour::rgb(0x0000FF)));
            QCOMPARE(text(c.font.value()), QStringLiteral("MS Sans Serif 13.5 400 162"));
        } else if (n == "Label2" || n == "Label3") {
            QCOMPARE(c.kind, ControlKind::Label);
            QCOMPARE(QString::fromStdString(c.caption.value()),
                     QString::fromUtf8(n == "Label2" ? r.upperHeadingCaption : r.lowerHeadingCaption));
            QCOMPARE(text(c.foreColour.value()), text(red));
            QCOMPARE(text(c.font.value()), QStringLiteral("MS Sans Serif 12 700 162"));
        } else {
            QCOMPARE(c.kind, ControlKind::TextBox);
            QCOMPARE(text(c.backColour.value()), text(back));
            QCOMPARE(text(c.foreColour.value()), text(Colour::rgb(0x404040)));
            QCOMPARE(text(c.font.value()), QStringLiteral("Tahoma 11.25 700 162"));
            QVERIFY(c.multiLine && c.readOnly && c.verticalScrollBar);
            QCOMPARE(c.tabStop.value(), kTabStopScreens.count(id) == 1);
            QVERIFY(!c.text.empty());
        }
    }
    // The upper box comes first in the tab order.
    if (!r.oneBox)
        QVERIFY(s.control("Output")->tabIndex < s.control("Text1")->tabIndex);
}

void TestRulerScreens::controlsAtTheirGeometry_data()
{
    addRulerColumn();
}

void TestRulerScreens::controlsAtTheirGeometry()
{
    QFETCH(QString, id);
    const RulerRow& r = rowOf(id);
    const ScreenDef& s = screens::all().screen(id.toStdString());
    qt::ScreenWindow* w = open(id);
    QVERIFY(w);

    // No title bar: a frameless window whose client area has the size of
    // the definition, centred on the screen.
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w->client()->size(), QSize(r.client.width() / 15, r.client.height() / 15));
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((w->frameGeometry().center() - centre).manhattanLength() <= 2);

    auto* frame = qobject_cast<qt::Surface*>(w->control("Frame1"));
    QVERIFY(frame);
    QCOMPARE(frame->parentWidget(), w->client());
    QCOMPARE(frame->geometry(), pixels(r.frame));

    const std::map<std::string, QRect> boxes{
        {"Frame1", r.frame},        {"Label1", r.card},          {"Label2", r.upperHeading}, {"Output", r.upperBody},
        {"Label3", r.lowerHeading}, {"Text1", r.lowerBody},      {"osman", r.nameLabel},     {"Label43", r.closeLabel},
    };
    for (const auto& [name, twips] : boxes) {
        const ControlDef* c = s.control(name);
        QCOMPARE(c != nullptr, !twips.isNull());
        if (!c)
            continue;
        QCOMPARE(QRect(c->left, c->top, c->width, c->height), twips);
        if (c->isWindowed()) {
            QWidget* live = w->control(name);
            QVERIFY2(live, name.c_str());
            QCOMPARE(live->parentWidget(), w->client());
            QCOMPARE(live->geometry(), pixels(twips));
        } else {
            qt::Surface* surface = c->container == "Frame1" ? frame : w->client();
            QCOMPARE(surface->boxOf(*c), pixels(twips));
        }
    }

    // The card and the tughra lie within the frame's width.
    QVERIFY(r.card.x() + r.card.width() <= r.frame.width());
    QVERIFY(r.card.y() + r.card.height() <= r.frame.height());
    if (!r.tughra.isEmpty())
        QVERIFY(r.tughraAt.x() + r.tughra.width() * 15 <= r.frame.width());

    // The portrait: the tile's picture at its own size.
    const ControlDef* portrait = s.control("Image1");
    const QSize tilePicture = tileRows().at(size_t(r.tile - 1)).portrait;
    QCOMPARE(QPoint(portrait->left, portrait->top), r.portrait);
    QCOMPARE(QSize(portrait->width, portrait->height), tilePicture * 15);
    QCOMPARE(pictureSize(portrait->picture->resource), tilePicture);
    QCOMPARE(w->client()->boxOf(*portrait), QRect(r.portrait / 15, tilePicture));

    // The tughra in the frame, gold on black, at its own size.
    const ControlDef* tughra = s.control("Image2");
    QCOMPARE(tughra != nullptr, !r.tughra.isEmpty());
    if (tughra) {
        QCOMPARE(QPoint(tughra->left, tughra->top), r.tughraAt);
        QCOMPARE(QSize(tughra->width, tughra->height), r.tughra * 15);
        QVERIFY2(content::has(tughra->picture->resource), tughra->picture->resource.c_str());
        QCOMPARE(pictureSize(tughra->picture->resource), r.tughra);
        QVERIFY(QString::fromStdString(tughra->picture->resource).endsWith(".jpg"));
        QCOMPARE(frame->boxOf(*tughra), QRect(r.tughraAt / 15, r.tughra));
    }
}

void TestRulerScreens::variants_data()
{
    addRulerColumn();
}

void TestRulerScreens::variants()
{
    QFETCH(QString, id);
    const RulerRow& r = rowOf(id);
    qt::ScreenWindow* w = open(id);
    QVERIFY(w);
    const auto boxes = w->findChildren<QPlainTextEdit*>();
    QCOMPARE(boxes.size(), r.oneBox ? 1 : 2);
    QCOMPARE(w->control("Text1") == nullptr, r.oneBox);
    const ScreenDef& s = screens::all().screen(id.toStdString());
    QCOMPARE(s.control("Label3") == nullptr, r.oneBox);
    const int bottom = r.upperBody.y() + r.upperBody.height();
    if (r.oneBox) {
        // The one box fills the lower part of the screen.
        QVERIFY(r.upperBody.height() >= (id == "mustafa" ? 2805 : 4005));
        QVERIFY(r.client.height() - bottom < 600);
    } else {
        QVERIFY(r.lowerHeading.y() >= bottom);
        QVERIFY(r.client.height() - (r.lowerBody.y() + r.lowerBody.height()) < 600);
    }
    // The founder's screen is wider, without a tughra, and returns to the
    // gallery; mustafa's frame is taller for two reigns.
    QCOMPARE(r.client.width() == 10200, id == "osman");
    QCOMPARE(s.control("Image2") == nullptr, id == "osman");
    QCOMPARE(r.frame.height(), id == "mustafa" ? 3615 : 2535);
    const Binding* close = screens::all().binding(id.toStdString(), "Label43", Event::Click);
    QVERIFY(close);
    QCOMPARE(close->steps.size(), size_t(1));
    QCOMPARE(close->steps[0].action, id == "osman" ? Action::GoTo : Action::Close);
    if (id == "osman")
        QCOMPARE(close->steps[0].target, std::string("Anasayfa"));
}

void TestRulerScreens::focusAndTabKey_data()
{
    addRulerColumn();
}

void TestRulerScreens::focusAndTabKey()
{
    QFETCH(QString, id);
    const RulerRow& r = rowOf(id);
    const bool tabStops = kTabStopScreens.count(id) == 1;
    qt::ScreenWindow* w = open(id);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget* output = w->control("Output");
    QWidget* text1 = w->control("Text1");
    // The text boxes are all that can take the focus; it starts in the upper one.
    std::vector<QWidget*> order{output};
    if (text1)
        order.push_back(text1);
    QCOMPARE(w->tabOrder(), order);
    QTRY_COMPARE(QApplication::focusWidget(), output);
    QCOMPARE(output->focusPolicy(), tabStops ? Qt::StrongFocus : Qt::ClickFocus);
    if (r.oneBox)
        return;
    QTest::keyClick(output, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget() == text1, tabStops);
    if (tabStops) {
        QTest::keyClick(text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), output);
    } else {
        // Passed over by the Tab key, but a click gives it the focus.
        QTest::mouseClick(static_cast<QPlainTextEdit*>(text1)->viewport(), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), text1);
    }
}

void TestRulerScreens::closeLabel_data()
{
    addRulerColumn();
}

void TestRulerScreens::closeLabel()
{
    // With the gallery and two other screens open, the close label of a
    // ruler screen removes it alone; the founder's one brings the gallery back.
    QFETCH(QString, id);
    const std::string ruler = id.toStdString();
    QVERIFY(open("Anasayfa"));
    qt::ScreenWindow* gallery = m_h->window("Anasayfa");
    const std::string other = ruler == "vahdeddin" ? "orhan" : "vahdeddin";
    QVERIFY(open(QString::fromStdString(other)));
    QVERIFY(open(id));
    clickPainted(m_h->window(ruler), *screens::all().screen(ruler).control("Label43"));
    QVERIFY(!m_h->manager->isLoaded(ruler));
    QCOMPARE(m_h->window("Anasayfa"), gallery);
    QCOMPARE(m_h->windowsOf("Anasayfa"), 1);
    QVERIFY(m_h->manager->isLoaded(other));
    QCOMPARE(m_h->manager->activeScreen(), ruler == "osman" ? std::string("Anasayfa") : std::string());
    QCOMPARE(m_h->quits, 0);
}

void TestRulerScreens::founderReturnsToTheOpenGallery()
{
    QVERIFY(open("Anasayfa"));
    qt::ScreenWindow* gallery = m_h->window("Anasayfa");
    gallery->showMinimized();
    QTRY_VERIFY(gallery->isMinimized());
    qt::ScreenWindow* osman = open("osman");
    clickPainted(osman, *screens::all().screen("osman").control("Label43"));
    QCOMPARE(m_h->manager->loadedScreens(), std::vector<std::string>{"Anasayfa"});
    QCOMPARE(m_h->window("Anasayfa"), gallery);
    QCOMPARE(m_h->windowsOf("Anasayfa"), 1);
    QTRY_VERIFY(!gallery->isMinimized());
}

void TestRulerScreens::founderBuildsANewGalleryBesideTheMainScreen()
{
    QVERIFY(open("Anasayfa"));
    clickPainted(m_h->window("Anasayfa"), *screens::all().screen("Anasayfa").control("Image1"));
    QVERIFY(m_h->manager->isLoaded("osman"));
    QTest::mouseClick(m_h->window("Anasayfa")->control("Command1"), Qt::LeftButton);
    QCOMPARE(m_h->manager->loadedScreens(), (std::vector<std::string>{"giris", "osman"}));

    clickPainted(m_h->window("osman"), *screens::all().screen("osman").control("Label43"));
    QCOMPARE(m_h->manager->loadedScreens(), (std::vector<std::string>{"Anasayfa", "giris"}));
    QCOMPARE(m_h->manager->activeScreen(), std::string("Anasayfa"));
    QCOMPARE(m_h->windowsOf("Anasayfa"), 1);
    QVERIFY(m_h->window("giris")->isVisible());
}

void TestRulerScreens::founderAloneLeavesTheGalleryOpen()
{
    // GoTo shows before it unloads: the program never passes through a
    // moment without a screen.
    QVERIFY(open("osman"));
    clickPainted(m_h->window("osman"), *screens::all().screen("osman").control("Label43"));
    QCOMPARE(m_h->manager->loadedScreens(), std::vector<std::string>{"Anasayfa"});
    QCOMPARE(m_h->quits, 0);
}

void TestRulerScreens::lastScreenClosedEndsTheProgram()
{
    QVERIFY(open("Anasayfa"));
    QVERIFY(open("selim3"));
    QVERIFY(open("murad5"));
    // The gallery goes home and the main screen closes itself; the ruler
    // screens keep the program running until the last of them is closed.
    QTest::mouseClick(m_h->window("Anasayfa")->control("Command1"), Qt::LeftButton);
    m_h->manager->dispatch("giris", "exit", Event::Click);
    QCOMPARE(m_h->manager->loadedScreens(), (std::vector<std::string>{"murad5", "selim3"}));
    QCOMPARE(m_h->quits, 0);
    clickPainted(m_h->window("selim3"), *screens::all().screen("selim3").control("Label43"));
    QCOMPARE(m_h->quits, 0);
    // The last one through its window frame, which is the same as Close.
    m_h->window("murad5")->close();
    QVERIFY(!m_h->manager->isLoaded("murad5"));
    QCOMPARE(m_h->quits, 1);
    QVERIFY(m_h->manager->ended());
}

void TestRulerScreens::reopenedScreenStartsAtTheTop()
{
    QVERIFY(open("Anasayfa"));
    const ScreenDef& gallery = screens::all().screen("Anasayfa");
    clickPainted(m_h->window("Anasayfa"), *gallery.control("Image7"));
    for (const char* box : {"Output", "Text1"}) {
        auto* edit = qobject_cast<QPlainTextEdit*>(m_h->window("fatih")->control(box));
        edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
        QVERIFY(edit->verticalScrollBar()->value() > 0);
    }
    clickPainted(m_h->window("fatih"), *screens::all().screen("fatih").control("Label43"));
    QVERIFY(!m_h->manager->isLoaded("fatih"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    clickPainted(m_h->window("Anasayfa"), *gallery.control("Image7"));
    QVERIFY(m_h->manager->isLoaded("fatih"));
    QVERIFY(QTest::qWaitForWindowExposed(m_h->window("fatih")));
    for (const char* box : {"Output", "Text1"}) {
        auto* edit = qobject_cast<QPlainTextEdit*>(m_h->window("fatih")->control(box));
        QCOMPARE(edit->verticalScrollBar()->value(), 0);
        QCOMPARE(edit->textCursor().position(), 0);
    }
}

void TestRulerScreens::typingChangesNothing()
{
    qt::ScreenWindow* w = open("murad");
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    for (const char* box : {"Output", "Text1"}) {
        auto* edit = qobject_cast<QPlainTextEdit*>(w->control(box));
        const QString before = edit->toPlainText();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("yazi"));
        QKeyEvent turkish(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ğ"));
        QApplication::sendEvent(edit, &turkish);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->toPlainText(), before);
    }
}

void TestRulerScreens::longestBodyScrollsToItsEnd()
{
    qt::ScreenWindow* w = open("Kanuni");
    QVERIFY(w);
    auto* edit = qobject_cast<QPlainTextEdit*>(w->control("Output"));
    const auto body = content::get("rulers/10-kanuni.upper.txt");
    QCOMPARE(edit->toPlainText(), qt::toDisplayText(std::string(body)));
    QScrollBar* bar = edit->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    QTextCursor end(edit->document());
    end.movePosition(QTextCursor::End);
    QVERIFY(edit->viewport()->rect().contains(edit->cursorRect(end)));
}

void TestRulerScreens::mustafasNineLinesFitHisTallerCard()
{
    // Four fields and a reign over five lines, wrapped at the label's width,
    // within the taller card and frame.
    const ControlDef* card = screens::all().screen("mustafa").control("Label1");
    const QString text = qt::toDisplayText(card->caption.value());
    QCOMPARE(text.count('\n'), 9); // the last line ends with a break too
    const QFontMetrics fm(qt::toQFont(card->font.value()));
    const QRect box = pixels(rowOf("mustafa").card);
    const QRect need = fm.boundingRect(QRect(0, 0, box.width(), 10000), Qt::TextWordWrap, text.trimmed());
    QVERIFY2(need.height() <= box.height(), qPrintable(QStringLiteral("%1 > %2").arg(need.height()).arg(box.height())));
}

void TestRulerScreens::nameAndCardInTheirSizes_data()
{
    addRulerColumn();
}

void TestRulerScreens::nameAndCardInTheirSizes()
{
    // The name label holds the ruler's name and, below it, the reign years
    // (the founder's and Orhan's single line wraps onto a second one): two
    // lines of the script face must fit its box. The whole fact card fits
    // its label too: no field is cut off at the bottom.
    QFETCH(QString, id);
    const RulerRow& r = rowOf(id);
    const ScreenDef& s = screens::all().screen(id.toStdString());
    const QFont script = qt::toQFont(s.control("osman")->font.value());
    const QFontMetrics fm(script);
    const QRect box = pixels(r.nameLabel);
    const QRect need = fm.boundingRect(QRect(0, 0, box.width(), 10000), Qt::TextWordWrap, r.nameLines.join('\n'));
    QVERIFY2(need.height() <= box.height(), qPrintable(QStringLiteral("%1 > %2").arg(need.height()).arg(box.height())));
    const ControlDef* card = s.control("Label1");
    const QFontMetrics cardMetrics(qt::toQFont(card->font.value()));
    const QRect cardBox = pixels(r.card);
    const QRect cardNeed = cardMetrics.boundingRect(QRect(0, 0, cardBox.width(), 10000), Qt::TextWordWrap,
                                                    qt::toDisplayText(card->caption.value()).trimmed());
    QVERIFY2(cardNeed.height() <= cardBox.height(),
             qPrintable(QStringLiteral("card %1 > %2").arg(cardNeed.height()).arg(cardBox.height())));
}

void TestRulerScreens::clicksElsewhereDoNothing_data()
{
    QTest::addColumn<QString>("control");
    for (const char* c : {"Image1", "osman", "Label1", "Image2", "Label2", "Label3"})
        QTest::newRow(c) << QString::fromLatin1(c);
}

void TestRulerScreens::clicksElsewhereDoNothing()
{
    QFETCH(QString, control);
    QVERIFY(open("Anasayfa"));
    qt::ScreenWindow* w = open("selim2");
    QVERIFY(w);
    clickPainted(w, *screens::all().screen("selim2").control(control.toStdString()));
    // The frame's own background, away from the card and the tughra.
    QTest::mouseClick(w->control("Frame1"), Qt::LeftButton, {}, QPoint(3, w->control("Frame1")->height() - 4));
    QCOMPARE(m_h->manager->loadedScreens(), (std::vector<std::string>{"Anasayfa", "selim2"}));
    QCOMPARE(m_h->window("selim2"), w);
}

QTEST_MAIN(TestRulerScreens)
#include "test_ruler_screens.moc"
