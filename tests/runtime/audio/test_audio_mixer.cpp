// The mixer's voices: what each adds to the sum, and the clock each keeps.
#include "runtime/audio/AudioMixer.h"
#include "runtime/audio/AudioSource.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

using yelvanis::audio::AudioMixer;
using yelvanis::audio::AudioSource;

namespace {

constexpr int kCh = AudioMixer::kChannels;

// count frames of one value on both channels.
std::vector<float> frames(int count, float value)
{
    return std::vector<float>(size_t(count) * kCh, value);
}

std::vector<float> mixed(AudioSource& s, int count)
{
    std::vector<float> out(size_t(count) * kCh, 0.0f);
    s.mixInto(out.data(), count);
    return out;
}

} // namespace

class TestAudioMixer : public QObject {
    Q_OBJECT
private slots:
    void voiceAddsItsGain_data();
    void voiceAddsItsGain();
    void startsOnceACushionIsQueued();
    void queueIsBoundedAndWraps();
    void resetRestartsTheClock();
    void voicesSum();
    void silentClockKeepsTime();
};

void TestAudioMixer::voiceAddsItsGain_data()
{
    QTest::addColumn<float>("gain");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<float>("heard");
    QTest::addColumn<qint64>("clockMs"); // after 441 of 882 frames
    QTest::newRow("full") << 1.0f << false << false << 0.5f << qint64(10);
    QTest::newRow("a quarter") << 0.25f << false << false << 0.125f << qint64(10);
    // Muted still moves on, as playing silently does; paused holds its place.
    QTest::newRow("muted") << 1.0f << true << false << 0.0f << qint64(10);
    QTest::newRow("paused") << 1.0f << false << true << 0.0f << qint64(0);
}

void TestAudioMixer::voiceAddsItsGain()
{
    QFETCH(float, gain);
    QFETCH(bool, muted);
    QFETCH(bool, paused);
    QFETCH(float, heard);
    QFETCH(qint64, clockMs);
    AudioSource s(882, 100);
    const auto in = frames(882, 0.5f);
    QCOMPARE(s.push(in.data(), 882), 882);
    s.setGain(gain);
    s.setMuted(muted);
    s.setPaused(paused);
    const auto out = mixed(s, 441);
    QCOMPARE(out.front(), heard);
    QCOMPARE(out.back(), heard);
    QCOMPARE(s.positionMs(), clockMs);
}

void TestAudioMixer::startsOnceACushionIsQueued()
{
    AudioSource s(1000, 300);
    const auto in = frames(200, 1.0f);
    s.push(in.data(), 200);
    QVERIFY(!s.isFlowing());
    QCOMPARE(mixed(s, 100).front(), 0.0f); // not yet
    QCOMPARE(s.positionMs(), 0);
    s.push(in.data(), 200);
    QVERIFY(s.isFlowing());
    QCOMPARE(mixed(s, 400).back(), 1.0f);
    // Starved: it waits for a new cushion rather than stutter...
    QVERIFY(!s.isFlowing());
    s.push(in.data(), 100);
    QCOMPARE(mixed(s, 100).front(), 0.0f);
    // ...unless the producer says nothing more will come: the rest plays out.
    s.finish();
    QVERIFY(s.isFlowing());
    QCOMPARE(mixed(s, 200)[199 * kCh], 0.0f);
    QVERIFY(s.drained());
}

void TestAudioMixer::queueIsBoundedAndWraps()
{
    AudioSource s(100, 1);
    std::vector<float> ramp(size_t(150) * kCh);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = float(i / kCh);
    QCOMPARE(s.push(ramp.data(), 150), 100);
    QCOMPARE(s.freeFrames(), 0);
    QCOMPARE(mixed(s, 70)[69 * kCh], 69.0f);
    // The rest goes in over the end of the ring and comes out in order.
    QCOMPARE(s.push(ramp.data() + 100 * kCh, 50), 50);
    const auto out = mixed(s, 80);
    for (int i = 0; i < 80; ++i)
        QCOMPARE(out[size_t(i) * kCh + 1], float(70 + i));
}

void TestAudioMixer::resetRestartsTheClock()
{
    AudioSource s(44100, 1);
    const auto in = frames(44100, 0.5f);
    s.push(in.data(), 44100);
    mixed(s, 22050);
    QCOMPARE(s.positionMs(), 500);
    s.reset(30000); // a seek
    QCOMPARE(s.positionMs(), 30000);
    QCOMPARE(mixed(s, 10).front(), 0.0f); // what was queued is gone
    s.push(in.data(), 4410);
    mixed(s, 4410);
    QCOMPARE(s.positionMs(), 30100);
}

void TestAudioMixer::voicesSum()
{
    // What the mixer does for each output block: every voice adds into it.
    AudioSource a(1000, 1), b(1000, 1);
    const auto in = frames(1000, 0.25f);
    a.push(in.data(), 1000);
    b.push(in.data(), 500);
    b.setGain(2.0f);
    std::vector<float> out(size_t(1000) * kCh, 0.0f);
    a.mixInto(out.data(), 1000);
    b.mixInto(out.data(), 1000);
    QCOMPARE(out[0], 0.25f + 0.5f);
    QCOMPARE(out[size_t(499) * kCh + 1], 0.25f + 0.5f);
    QCOMPARE(out[size_t(500) * kCh], 0.25f); // b ran out
}

void TestAudioMixer::silentClockKeepsTime()
{
    // No sound server here (or one that plays it): either way the voice is
    // drained at the rate it would be heard.
    auto s = std::make_shared<AudioSource>(AudioMixer::kRate, 1);
    const auto in = frames(AudioMixer::kRate / 2, 0.1f);
    s->push(in.data(), AudioMixer::kRate / 2);
    s->finish();
    QElapsedTimer t;
    t.start();
    AudioMixer::instance().add(s);
    QTRY_VERIFY_WITH_TIMEOUT(s->drained(), 3000);
    const qint64 took = t.elapsed();
    AudioMixer::instance().remove(s.get());
    QCOMPARE(s->positionMs(), 500);
    QVERIFY2(took >= 450 && took < 1500, qPrintable(QString::number(took)));
    QVERIFY(AudioMixer::instance().output() != AudioMixer::Output::Connecting);
}

QTEST_MAIN(TestAudioMixer)
#include "test_audio_mixer.moc"
