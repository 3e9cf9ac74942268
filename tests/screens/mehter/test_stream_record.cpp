// The stored settings record of a stream player, both ways.
#include "runtime/stream/PlayerSettings.h"

#include <QtTest>

using namespace yelvanis::stream;

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes hex(const char* text)
{
    const QByteArray b = QByteArray::fromHex(QByteArray(text).replace(' ', "").replace('\n', ""));
    return Bytes(b.begin(), b.end());
}

// The first march player, as its definition stores it: worked out by hand.
const char* kFirstPlayerRecord =
    "00030000"
    // URL: 42 characters, 86 bytes with the NUL
    "0800 56000000"
    "6800 7400 7400 7000 3a00 2f00 2f00 3100 3200 3700 2e00 3000 2e00 3000 2e00 3100 3a00 3400 3700 3800 3000 3100"
    "2f00 6d00 7500 7a00 6900 6b00 2f00 6d00 6500 6800 7400 6500 7200 2f00 3000 3100 2e00 6100 7300 6600 0000"
    "0500 000000000000f03f" // rate 1.0
    "0300 00000000"         // balance
    "0500 0000000000000000" // currentPosition
    "0800 02000000 0000"    // defaultFrame
    "0300 01000000"         // playCount
    "0b00 ffff"             // autoStart
    "0300 00000000"         // currentMarker
    "0b00 ffff"             // invokeURLs
    "0800 02000000 0000"    // baseURL
    "0300 32000000"         // volume 50
    "0b00 0000"             // mute
    "0800 0a000000 6600 7500 6c00 6c00 0000" // uiMode "full"
    "0b00 0000"             // stretchToFit
    "0b00 0000"             // windowlessVideo
    "0b00 ffff"             // enabled
    "0b00 ffff"             // enableContextMenu
    "0b00 0000"             // fullScreen
    "0800 02000000 0000"    // SAMIStyle
    "0800 02000000 0000"    // SAMILang
    "0800 02000000 0000"    // SAMIFilename
    "0800 02000000 0000"    // captioningID
    "0b00 0000"             // enableErrorDialogs
    "de1d0000 3d040000";    // 4335 x 615 twips: 7646 x 1085 HIMETRIC

PlayerSettings firstPlayer()
{
    return PlayerSettings{
        .url = "http://127.0.0.1:47801/muzik/mehter/01.asf",
        .rate = 1.0,
        .balance = 0,
        .currentPosition = 0.0,
        .defaultFrame = "",
        .playCount = 1,
        .autoStart = true,
        .currentMarker = 0,
        .invokeURLs = true,
        .baseURL = "",
        .volume = 50,
        .mute = false,
        .uiMode = "full",
        .stretchToFit = false,
        .windowlessVideo = false,
        .enabled = true,
        .enableContextMenu = true,
        .fullScreen = false,
        .samiStyle = "",
        .samiLang = "",
        .samiFilename = "",
        .captioningID = "",
        .enableErrorDialogs = false,
        .extentWidth = 7646,
        .extentHeight = 1085,
    };
}

} // namespace

class TestStreamRecord : public QObject {
    Q_OBJECT
private slots:
    void firstPlayerByHand();
    void stringsAsCountedUtf16_data();
    void stringsAsCountedUtf16();
    void roundTrip_data();
    void roundTrip();
    void malformedRecordsAreRefused_data();
    void malformedRecordsAreRefused();
    void anyNonZeroBooleanIsTrue();
    void himetric_data();
    void himetric();
};

void TestStreamRecord::firstPlayerByHand()
{
    const Bytes expected = hex(kFirstPlayerRecord);
    QCOMPARE(expected.size(), size_t(4 + 6 + 86 + 10 + 6 + 10 + 8 + 6 + 4 + 6 + 4 + 8 + 6 + 4 + 16 + 4 * 5 + 4 * 8 + 4 + 8));
    QCOMPARE(encodeRecord(firstPlayer()), expected);
    std::string error;
    const auto decoded = decodeRecord(expected, &error);
    QVERIFY2(decoded, error.c_str());
    QVERIFY(*decoded == firstPlayer());
}

void TestStreamRecord::stringsAsCountedUtf16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Bytes>("stored");
    QTest::newRow("empty: the NUL alone") << QString() << hex("02000000 0000");
    QTest::newRow("full") << QStringLiteral("full") << hex("0a000000 6600 7500 6c00 6c00 0000");
    QTest::newRow("Turkish letters") << QStringLiteral("ışİğ") << hex("0a000000 3101 5f01 3001 1f01 0000");
    QTest::newRow("outside the basic plane") << QStringLiteral("\U0001D11E") << hex("06000000 34d8 1edd 0000");
}

void TestStreamRecord::stringsAsCountedUtf16()
{
    QFETCH(QString, text);
    QFETCH(Bytes, stored);
    PlayerSettings s;
    s.url = text.toStdString();
    const Bytes record = encodeRecord(s);
    // The URL comes first, after the header and its type code.
    QCOMPARE(Bytes(record.begin() + 6, record.begin() + 6 + long(stored.size())), stored);
    const auto back = decodeRecord(record);
    QVERIFY(back);
    QCOMPARE(QString::fromStdString(back->url), text);
}

void TestStreamRecord::roundTrip_data()
{
    QTest::addColumn<PlayerSettings>("settings");
    QTest::newRow("first player") << firstPlayer();
    PlayerSettings odd = firstPlayer();
    odd.url = "http://sunucu.example:8080/muzik/mehter/17.asf?q=ç";
    odd.rate = 0.5;
    odd.balance = -100;
    odd.currentPosition = 12.25;
    odd.defaultFrame = "çerçeve";
    odd.playCount = 3;
    odd.autoStart = false;
    odd.currentMarker = -7;
    odd.invokeURLs = false;
    odd.baseURL = "http://örnek/";
    odd.volume = 100;
    odd.mute = true;
    odd.uiMode = "mini";
    odd.stretchToFit = true;
    odd.windowlessVideo = true;
    odd.enabled = false;
    odd.enableContextMenu = false;
    odd.fullScreen = true;
    odd.samiStyle = "a";
    odd.samiLang = "tr-TR";
    odd.samiFilename = "altyazı.smi";
    odd.captioningID = "c";
    odd.enableErrorDialogs = true;
    odd.extentWidth = -1;
    odd.extentHeight = 0x7FFFFFFF;
    QTest::newRow("every setting away from its usual value") << odd;
}

void TestStreamRecord::roundTrip()
{
    QFETCH(PlayerSettings, settings);
    const Bytes record = encodeRecord(settings);
    const auto back = decodeRecord(record);
    QVERIFY(back);
    QVERIFY(*back == settings);
    QCOMPARE(encodeRecord(*back), record);
}

void TestStreamRecord::malformedRecordsAreRefused_data()
{
    QTest::addColumn<Bytes>("record");
    QTest::addColumn<QString>("reason");
    const Bytes good = hex(kFirstPlayerRecord);
    auto edited = [&](size_t at, std::initializer_list<std::uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + long(at));
        return b;
    };
    auto cut = [&](size_t n) { return Bytes(good.begin(), good.begin() + long(n)); };
    QTest::newRow("empty") << Bytes{} << "header: record ends";
    QTest::newRow("other header") << edited(1, {0x02}) << "header is not 00 03 00 00 at offset 1";
    QTest::newRow("cut inside the URL") << cut(40) << "setting URL: record ends after 30 of 86 bytes at offset 10";
    QTest::newRow("rate stored as an integer") << edited(96, {0x03}) << "setting rate: type code 3 where 5 belongs at offset 96";
    QTest::newRow("odd string count") << edited(6, {0x55}) << "setting URL: string byte count 85";
    QTest::newRow("string count without room for the NUL") << edited(6, {0x00}) << "string byte count 0";
    QTest::newRow("URL without its NUL") << edited(94, {0x41}) << "setting URL: string does not end in NUL at offset 94";
    QTest::newRow("NUL inside the URL") << edited(10, {0x00}) << "setting URL: NUL inside the string at offset 10";
    QTest::newRow("cut inside the extent") << cut(good.size() - 2) << "extent: record ends after 6 of 8 bytes";
    Bytes longer = good;
    longer.push_back(0);
    QTest::newRow("a byte after the extent") << longer << "1 bytes after the extent at offset";
}

void TestStreamRecord::malformedRecordsAreRefused()
{
    QFETCH(Bytes, record);
    QFETCH(QString, reason);
    std::string error;
    QVERIFY(!decodeRecord(record, &error));
    QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
}

void TestStreamRecord::anyNonZeroBooleanIsTrue()
{
    Bytes b = hex(kFirstPlayerRecord);
    // mute's value, just after the volume (code 3 at 158, 50 at 160).
    const size_t mute = 166;
    QCOMPARE(b[158], std::uint8_t(0x03));
    QCOMPARE(b[160], std::uint8_t(50));
    QCOMPARE(b[mute - 2], std::uint8_t(0x0b));
    b[mute] = 0x01;
    const auto s = decodeRecord(b);
    QVERIFY(s);
    QVERIFY(s->mute);
}

void TestStreamRecord::himetric_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("himetric");
    QTest::newRow("first player's width") << 4335 << 7646;
    QTest::newRow("other players' width") << 4695 << 8281;
    QTest::newRow("players' height") << 615 << 1085;
    QTest::newRow("an inch") << 1440 << 2540;
    QTest::newRow("half rounds up") << 36 << 64;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -615 << -1085;
}

void TestStreamRecord::himetric()
{
    QFETCH(int, twips);
    QFETCH(int, himetric);
    QCOMPARE(himetricFromTwips(twips), himetric);
}

QTEST_APPLESS_MAIN(TestStreamRecord)
#include "test_stream_record.moc"
