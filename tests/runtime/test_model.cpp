#include "runtime/Catalogue.h"
#include "runtime/Colour.h"
#include "runtime/ControlDef.h"
#include "runtime/Picture.h"
#include "runtime/Text.h"
#include "runtime/Units.h"

#include <QtTest>

using namespace yelvanis;

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void colourEncoding_data();
    void colourEncoding();
    void twipsToPixels_data();
    void twipsToPixels();
    void controlDefaults_data();
    void controlDefaults();
    void givenPropertiesSurviveDefaults();
    void screenDefaults();
    void catalogueLookupFailsLoudly();
    void catalogueRejectsDuplicateScreen();
    void cp1254_data();
    void cp1254();
    void crLfAndCounting();
    void pictureHeaders_data();
    void pictureHeaders();
    void truncatedPicturesGiveNothing();
};

void TestModel::colourEncoding_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("rgb");
    QTest::newRow("red") << quint32(Colour::rgb(0xFF0000).value) << "#FF0000" << 0xFF0000u;
    QTest::newRow("mixed") << quint32(Colour::rgb(0x80FFFF).value) << "#80FFFF" << 0x80FFFFu;
    QTest::newRow("blue") << quint32(Colour::rgb(0x0000FF).value) << "#0000FF" << 0x0000FFu;
    QTest::newRow("window text") << quint32(Colour::system(SystemColour::WindowText).value) << "system:window-text" << 0u;
    QTest::newRow("button face") << quint32(Colour::system(SystemColour::ButtonFace).value) << "system:button-face" << 0xF0F0F0u;
    QTest::newRow("highlight text") << quint32(Colour::system(SystemColour::HighlightText).value) << "system:highlight-text" << 0xFFFFFFu;
}

void TestModel::colourEncoding()
{
    QFETCH(quint32, stored);
    QFETCH(QString, text);
    QFETCH(quint32, rgb);
    const Colour c{stored};
    QCOMPARE(QString::fromStdString(toString(c)), text);
    QCOMPARE(quint32(c.resolvedRgb()), rgb);
}

void TestModel::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("main width") << 7710 << 514;
    QTest::newRow("button") << 2295 << 153;
    QTest::newRow("negative") << -1200 << -80;
    QTest::newRow("rounds") << 8 << 1;
}

void TestModel::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(yelvanis::twipsToPixels(twips), pixels);
}

void TestModel::controlDefaults_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("fore");
    QTest::newRow("label") << int(ControlKind::Label) << "system:button-face" << "system:button-text";
    QTest::newRow("button") << int(ControlKind::Button) << "system:button-face" << "";
    QTest::newRow("frame") << int(ControlKind::Frame) << "system:button-face" << "system:button-text";
}

void TestModel::controlDefaults()
{
    QFETCH(int, kind);
    QFETCH(QString, back);
    QFETCH(QString, fore);
    const ControlDef c = withDefaults(ControlDef{.kind = ControlKind(kind), .name = "X"});
    QCOMPARE(QString::fromStdString(toString(*c.backColour)), back);
    if (!fore.isEmpty())
        QCOMPARE(QString::fromStdString(toString(*c.foreColour)), fore);
    QVERIFY(c.font.has_value());
    QCOMPARE(c.font->face, std::string("MS Sans Serif"));
    QCOMPARE(c.font->size, 82500);
    QCOMPARE(c.font->weight, 400);
    QVERIFY(!c.font->italic && !c.font->underline);
    if (ControlKind(kind) == ControlKind::Label) {
        QCOMPARE(c.transparent, std::optional<bool>(false));
        QCOMPARE(c.alignment, std::optional<Alignment>(Alignment::Left));
        QCOMPARE(c.autoSize, std::optional<bool>(false));
    }
    if (ControlKind(kind) == ControlKind::Button)
        QCOMPARE(c.graphical, std::optional<bool>(false));
    if (ControlKind(kind) == ControlKind::Frame)
        QVERIFY(!c.caption.has_value()); // no caption: border alone
}

void TestModel::givenPropertiesSurviveDefaults()
{
    const Font corsiva{.face = "Monotype Corsiva", .size = pt(27.75), .weight = 700, .italic = true};
    const ControlDef label = withDefaults(ControlDef{.kind = ControlKind::Label, .name = "Label1",
                                                     .foreColour = Colour::rgb(0x0000FF), .font = corsiva,
                                                     .transparent = true});
    QVERIFY(*label.font == corsiva);
    QCOMPARE(label.font->size, 277500);
    QCOMPARE(label.foreColour->value, Colour::rgb(0x0000FF).value);
    QCOMPARE(*label.transparent, true);

    const ControlDef box = withDefaults(ControlDef{.kind = ControlKind::TextBox, .name = "Text1"});
    QCOMPARE(box.tabStop, std::optional<bool>(true));
    const ControlDef off = withDefaults(ControlDef{.kind = ControlKind::TextBox, .name = "Text1", .tabStop = false});
    QCOMPARE(off.tabStop, std::optional<bool>(false));
    const ControlDef line = withDefaults(ControlDef{.kind = ControlKind::Line, .name = "Line1"});
    QCOMPARE(line.lineWidth, std::optional<int>(1));
    QCOMPARE(kLineColour.value, Colour::system(SystemColour::WindowText).value);
    const ControlDef image = withDefaults(ControlDef{.kind = ControlKind::Image, .name = "Image1"});
    QCOMPARE(image.stretch, std::optional<bool>(false));
    const ControlDef movie = withDefaults(ControlDef{.kind = ControlKind::Movie, .name = "ShockwaveFlash1"});
    QCOMPARE(movie.movie->scale, std::string("ShowAll"));
    QCOMPARE(movie.movie->allowScriptAccess, std::string("always"));
    QVERIFY(!movie.movie->play && !movie.movie->loop && !movie.movie->menu && movie.movie->seamlessTabbing);
}

void TestModel::screenDefaults()
{
    Catalogue c;
    c.add(ScreenDef{.id = "bare", .clientWidth = 1500, .clientHeight = 1500,
                    .controls = {ControlDef{.kind = ControlKind::Label, .name = "Label1"}}});
    const ScreenDef& s = c.screen("bare");
    QCOMPARE(s.caption, std::string());
    QCOMPARE(s.startPosition, StartPosition::Manual);
    QCOMPARE(s.backColour->value, Colour::system(SystemColour::ButtonFace).value);
    QCOMPARE(s.icon.kind, IconDef::Kind::Default);
    QVERIFY(!s.hasTitleBar());
    // Controls are resolved too.
    QVERIFY(s.controls[0].font.has_value());
    QVERIFY(s.control("Label1"));
    QVERIFY(!s.control("Label2"));
}

void TestModel::catalogueLookupFailsLoudly()
{
    Catalogue c;
    c.add(ScreenDef{.id = "giris"});
    QVERIFY(c.has("giris"));
    QVERIFY(!c.has("Giris"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.screen("anasayfa"));
    c.add(Binding{"giris", "Command4", Event::Click, {Step::goTo("Anasayfa")}});
    QVERIFY(c.binding("giris", "Command4", Event::Click));
    QVERIFY(!c.binding("giris", "Command4", Event::Load));
    QVERIFY(!c.binding("giris", "", Event::Load));
}

void TestModel::catalogueRejectsDuplicateScreen()
{
    Catalogue c;
    c.add(ScreenDef{.id = "a"});
    const auto again = [&] { c.add(ScreenDef{.id = "a"}); };
    QVERIFY_THROWS_EXCEPTION(std::logic_error, again());
}

void TestModel::cp1254_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("ascii") << "Kapat" << true;
    QTest::newRow("turkish small") << "çğıöşü" << true;
    QTest::newRow("turkish capitals") << "ÇĞİÖŞÜ" << true;
    QTest::newRow("typographic quotes") << "“Ey oğul!” Samsun’a" << true;
    QTest::newRow("circumflex") << "Celâlî" << true;
    QTest::newRow("icelandic eth") << "ð" << false;   // 0xF0 is ğ in 1254
    QTest::newRow("y acute") << "ý" << false;
    QTest::newRow("macron") << "ā" << false;
    QTest::newRow("cyrillic") << "Ж" << false;
}

void TestModel::cp1254()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    std::string bad;
    QCOMPARE(encodableInCp1254(text.toStdString(), &bad), ok);
    if (!ok)
        QVERIFY(!bad.empty());
}

void TestModel::crLfAndCounting()
{
    QCOMPARE(withCrLf("a\nb\n"), std::string("a\r\nb\r\n"));
    QCOMPARE(withCrLf("a\r\nb"), std::string("a\r\nb")); // no doubled CR
    QCOMPARE(characterCount(withCrLf("ğü\nş")), size_t(5));
    // A malformed byte sequence is not a valid text.
    QVERIFY(!encodableInCp1254("\xC4"));
}

namespace {

QByteArray gif(int w, int h, bool transparent, int frames)
{
    QByteArray b("GIF89a");
    b += char(w & 0xFF); b += char(w >> 8); b += char(h & 0xFF); b += char(h >> 8);
    b += char(0x80); b += char(0); b += char(0);
    b += QByteArray(6, '\0'); // two-colour table
    if (transparent)
        b += QByteArray::fromHex("21f9040100000000");
    for (int i = 0; i < frames; ++i) {
        b += char(0x2C);
        b += QByteArray(4, '\0');
        b += char(w & 0xFF); b += char(w >> 8); b += char(h & 0xFF); b += char(h >> 8);
        b += char(0);
        b += char(2); // LZW code size
        b += QByteArray::fromHex("024c01"); b += char(0);
    }
    b += char(0x3B);
    return b;
}

QByteArray jpegHeader(int w, int h)
{
    QByteArray b = QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000");
    b += QByteArray::fromHex("ffc0001108");
    b += char(h >> 8); b += char(h & 0xFF); b += char(w >> 8); b += char(w & 0xFF);
    b += QByteArray::fromHex("03012200021101031101");
    return b;
}

QByteArray ico(QList<QList<int>> images)
{
    QByteArray dir, data;
    auto le16 = [](QByteArray& b, int v) { b += char(v & 0xFF); b += char((v >> 8) & 0xFF); };
    auto le32 = [&](QByteArray& b, int v) { le16(b, v & 0xFFFF); le16(b, (v >> 16) & 0xFFFF); };
    QByteArray head;
    le16(head, 0); le16(head, 1); le16(head, int(images.size()));
    int offset = 6 + 16 * int(images.size());
    for (const auto& img : images) {
        QByteArray bmp;
        le32(bmp, 40); le32(bmp, img[0]); le32(bmp, img[1] * 2); le16(bmp, 1); le16(bmp, img[2]);
        bmp += QByteArray(24, '\0');
        dir += char(img[0] >= 256 ? 0 : img[0]); dir += char(img[1] >= 256 ? 0 : img[1]);
        dir += char(0); dir += char(0); le16(dir, 1); le16(dir, img[2]);
        le32(dir, int(bmp.size())); le32(dir, offset);
        offset += int(bmp.size());
        data += bmp;
    }
    return head + dir + data;
}

} // namespace

void TestModel::pictureHeaders_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("single");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QString>("images");
    QTest::newRow("gif") << gif(111, 147, false, 1) << "gif" << 111 << 147 << true << false << "";
    QTest::newRow("gif transparent") << gif(10, 10, true, 1) << "gif" << 10 << 10 << true << true << "";
    QTest::newRow("gif animated") << gif(10, 10, false, 2) << "gif" << 10 << 10 << false << false << "";
    QTest::newRow("jpeg") << jpegHeader(207, 133) << "jpeg" << 207 << 133 << true << false << "";
    QTest::newRow("ico 240") << ico({{240, 240, 24}}) << "ico" << 240 << 240 << true << false << "240x240x24";
    QTest::newRow("ico several") << ico({{32, 32, 4}, {16, 16, 8}, {48, 48, 32}}) << "ico" << 32 << 32 << true
                                 << false << "32x32x4 16x16x8 48x48x32";
}

void TestModel::pictureHeaders()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, single);
    QFETCH(bool, transparent);
    QFETCH(QString, images);
    const auto info = readPictureInfo(std::string_view(bytes.constData(), size_t(bytes.size())));
    QVERIFY(info.has_value());
    QCOMPARE(QString(formatName(info->format)), format);
    QCOMPARE(info->width, width);
    QCOMPARE(info->height, height);
    QCOMPARE(info->singleFrame, single);
    QCOMPARE(info->transparentColour, transparent);
    QStringList list;
    for (const auto& i : info->images)
        list << QStringLiteral("%1x%2x%3").arg(i.width).arg(i.height).arg(i.bitsPerPixel);
    QCOMPARE(list.join(' '), images);
}

void TestModel::truncatedPicturesGiveNothing()
{
    for (const QByteArray& whole : {gif(20, 20, false, 1), jpegHeader(20, 20), ico({{16, 16, 8}})}) {
        for (int n : {0, 3, 7, int(whole.size()) / 2}) {
            const QByteArray part = whole.left(n);
            const auto info = readPictureInfo(std::string_view(part.constData(), size_t(part.size())));
            if (info && info->format == PictureFormat::Gif)
                QFAIL("a truncated GIF must not read as a picture");
            if (info && info->format == PictureFormat::Ico)
                QFAIL("a truncated icon must not read as a picture");
        }
    }
    QVERIFY(!readPictureInfo("not a picture"));
}

QTEST_APPLESS_MAIN(TestModel)
#include "test_model.moc"
