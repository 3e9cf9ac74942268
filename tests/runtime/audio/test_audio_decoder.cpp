// The decoder against FFmpeg's own command line: both run the same
// libraries, so the first seconds of every march must agree sample for
// sample. And what a damaged or missing input gives.
#include "runtime/audio/AudioDecoder.h"
#include "runtime/audio/AudioMixer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>

using yelvanis::audio::AudioDecoder;
using yelvanis::audio::AudioMixer;

namespace {

constexpr int kSeconds = 5;

std::vector<float> decodeFirst(AudioDecoder& d, size_t samples)
{
    std::vector<float> out;
    while (out.size() < samples && d.decode(out, nullptr) == AudioDecoder::Result::Audio) {
    }
    return out;
}

// The command line's decoding to the mixer's format, as raw floats.
std::vector<float> ffmpegDecode(const QString& file, int seconds)
{
    QProcess ff;
    ff.start(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-i", file, "-t", QString::number(seconds), "-f",
                                        "f32le", "-ac", "2", "-ar", QString::number(AudioMixer::kRate), "-"});
    if (!ff.waitForFinished(60000) || ff.exitCode() != 0)
        return {};
    const QByteArray raw = ff.readAllStandardOutput();
    std::vector<float> out(size_t(raw.size()) / sizeof(float));
    std::memcpy(out.data(), raw.constData(), out.size() * sizeof(float));
    return out;
}

} // namespace

class TestAudioDecoder : public QObject {
    Q_OBJECT
private slots:
    void decodesAsTheCommandLineDoes_data();
    void decodesAsTheCommandLineDoes();
    void badInputs_data();
    void badInputs();
    void seekLandsAtTheTime();
};

void TestAudioDecoder::decodesAsTheCommandLineDoes_data()
{
    QTest::addColumn<QString>("file");
    for (int n = 1; n <= 17; ++n) {
        const QString name = QStringLiteral("%1.asf").arg(n, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << QStringLiteral(MEHTER_MARCHES "/") + name;
    }
    // Mono at 22.05 kHz: the resampler's work too.
    QTest::newRow("fixture, mono 22 kHz") << QStringLiteral(MEHTER_FIXTURES "/march.asf");
}

void TestAudioDecoder::decodesAsTheCommandLineDoes()
{
    QFETCH(QString, file);
    AudioDecoder d;
    std::string error;
    QVERIFY2(d.open(file.toStdString(), {}, &error), error.c_str());
    const std::vector<float> theirs = ffmpegDecode(file, kSeconds);
    QVERIFY2(!theirs.empty(), "ffmpeg decoded nothing (is it installed?)");
    std::vector<float> ours = decodeFirst(d, theirs.size());
    QVERIFY2(ours.size() >= theirs.size(), qPrintable(QStringLiteral("%1 of %2 samples").arg(ours.size()).arg(theirs.size())));
    ours.resize(theirs.size());
    size_t differing = 0, first = 0;
    float worst = 0;
    for (size_t i = 0; i < theirs.size(); ++i)
        if (ours[i] != theirs[i]) {
            if (differing++ == 0)
                first = i;
            worst = std::max(worst, std::abs(ours[i] - theirs[i]));
        }
    QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 of %2 samples differ, the first at frame %3, by up to %4")
                                            .arg(differing).arg(theirs.size()).arg(first / 2).arg(worst)));
}

void TestAudioDecoder::badInputs_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<bool>("opens");
    QTest::addColumn<double>("minSeconds"); // of audio that still comes out
    QTest::addColumn<double>("maxSeconds");
    QFile march(QStringLiteral(MEHTER_MARCHES "/01.asf"));
    QVERIFY(march.open(QIODevice::ReadOnly));
    const QByteArray whole = march.readAll();
    QByteArray noise(whole.size(), '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    // The march is 76.9 s long.
    QTest::newRow("missing") << QByteArray() << false << 0.0 << 0.0;
    QTest::newRow("noise") << noise << false << 0.0 << 0.0;
    QTest::newRow("cut in half") << whole.left(whole.size() / 2) << true << 36.0 << 40.0;
    // Packets overwritten with noise after the header: skipped, not fatal.
    QByteArray damaged = whole;
    for (qsizetype i = 20000; i < 40000; ++i)
        damaged[i] = noise[i];
    QTest::newRow("damaged packets") << damaged << true << 60.0 << 77.0;
}

void TestAudioDecoder::badInputs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("march.asf"));
    if (!bytes.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    AudioDecoder d;
    std::string error;
    QCOMPARE(d.open(path.toStdString(), {}, &error), opens);
    if (!opens) {
        QVERIFY2(error.find("march.asf") != std::string::npos, error.c_str());
        std::vector<float> none;
        QCOMPARE(d.decode(none, nullptr), AudioDecoder::Result::End);
        QVERIFY(none.empty());
        return;
    }
    // Whatever is readable comes out, then the end.
    std::vector<float> out;
    int calls = 0;
    while (d.decode(out, nullptr) == AudioDecoder::Result::Audio)
        QVERIFY(++calls < 100000);
    const double seconds = double(out.size()) / AudioMixer::kChannels / AudioMixer::kRate;
    QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
    QCOMPARE(d.decode(out, nullptr), AudioDecoder::Result::End);
}

void TestAudioDecoder::seekLandsAtTheTime()
{
    AudioDecoder d;
    QVERIFY(d.open(MEHTER_MARCHES "/05.asf", {}, nullptr));
    QVERIFY(d.isSeekable());
    QVERIFY(d.durationMs() > 40000);
    for (std::int64_t target : {30000, 2000, 0}) {
        QVERIFY(d.seek(target));
        std::vector<float> out;
        std::int64_t at = -1;
        QCOMPARE(d.decode(out, &at), AudioDecoder::Result::Audio);
        // At or before the target, but for the decoder's first frames after the packet's time.
        QVERIFY2(at <= target + 150 && at > target - 1000, qPrintable(QStringLiteral("%1 for %2").arg(at).arg(target)));
    }
}

QTEST_MAIN(TestAudioDecoder)
#include "test_audio_decoder.moc"
