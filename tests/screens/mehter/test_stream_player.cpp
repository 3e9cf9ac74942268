// The stream player against small HTTP servers on loopback: one that plays
// the stream well and several that fail in the ways a network does.
//
// The sandbox has no sound server. The mixer then drains every voice on its
// silent clock, so position, end of stream and each voice's gain behave as
// they would with speakers.
#include "runtime/audio/AudioSource.h"
#include "runtime/stream/PlayerControls.h"
#include "runtime/stream/StreamPlayer.h"
#include "screens/mehter/MarchServer.h"
#include "screens/mehter/PlayerTesting.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

using namespace yelvanis::stream;
using namespace yelvanis::testing;
using State = StreamPlayer::State;
using Fault = MarchServer::Fault;

Q_DECLARE_METATYPE(Fault)

namespace {

constexpr const char* kPath = "/muzik/mehter/01.asf";

// Short enough for a test to see a stalled stream given up.
const StreamLimits kShortLimits{std::chrono::milliseconds(1000), std::chrono::milliseconds(1000)};

// A player in a window of the march players' size.
struct Stage {
    explicit Stage(const PlayerSettings& s, QSize client = {312, 41}, StreamLimits limits = {})
    {
        window.resize(client);
        player = new StreamPlayer(s, &window, limits);
        player->setGeometry(0, 0, 313, 41);
        window.show();
    }
    QWidget window;
    StreamPlayer* player;
};

} // namespace

class TestStreamPlayer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void playsOnceFromTheStartAtHalfVolume();
    void withoutAutoStartWaitsForPlay();
    void failuresStaySilentAndHarmless_data();
    void failuresStaySilentAndHarmless();
    void stallsAreGivenUpQuietly_data();
    void stallsAreGivenUpQuietly();
    void errorDialogsOnlyWhenAsked_data();
    void errorDialogsOnlyWhenAsked();
    void stopLetsGoOfTheStreamAtOnce();
    void minimizedWindowGoesOnPlaying();
    void pauseKeepsThePlace();
    void controlRowCommandsThePlayer();
    void seekBarMovesThePlace();
    void keysCommandThePlayer();
    void contextMenuOffersTheSameCommands();
    void noContextMenuWhenTurnedOff();
    void twoPlayersPlayEachOnItsOwn();
    void controlRowFitsThePlayerWindows_data();
    void controlRowFitsThePlayerWindows();
    void timeReadsMinutesAndSeconds();
    void userInterfaceModes_data();
    void userInterfaceModes();
    void everyMarchPlays_data();
    void everyMarchPlays();
    void noMediaFrameworkInTheProcess();

private:
    QByteArray m_march;
};

void TestStreamPlayer::initTestCase()
{
    m_march = marchFixture();
    QVERIFY(m_march.startsWith(QByteArray::fromHex("3026b2758e66cf11"))); // the ASF header object
    // The decoding libraries and the mixer start once per process; do it
    // here so that the measurements below see only the players' own work.
    MarchServer server(m_march);
    StreamPlayer warm(marchSettings(server.url(kPath)));
    QTest::qWaitFor([&] { return warm.state() == State::Playing; }, 10000);
}

void TestStreamPlayer::playsOnceFromTheStartAtHalfVolume()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    qint64 furthest = 0;
    connect(p, &StreamPlayer::positionChanged, this, [&](qint64 ms) { furthest = std::max(furthest, ms); });

    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);
    QCOMPARE(server.paths(), QStringList{kPath});
    QVERIFY(p->position() < 1000);
    QCOMPARE(p->volume(), 50);
    QVERIFY(!p->isMuted());
    QVERIFY(p->audioSource());
    QCOMPARE(p->audioSource()->gain(), StreamPlayer::gainFor(50));
    QVERIFY(p->audioSource()->gain() > 0.0f && p->audioSource()->gain() < 1.0f);
    QVERIFY(!p->audioSource()->isMuted());

    const qint64 before = p->position();
    QTest::qWait(800);
    QVERIFY2(p->position() >= before + 400, qPrintable(QString::number(p->position() - before)));
    QCOMPARE(p->duration() / 1000, 4);
    QVERIFY(p->controls()->timeLabel()->text().endsWith(QLatin1String(" / 0:04")));
    QCOMPARE(p->controls()->stateLabel()->text(), QStringLiteral("Çalıyor"));

    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Stopped, 8000);
    QVERIFY2(furthest >= 3500, qPrintable(QString::number(furthest)));
    QVERIFY(!p->holdsStream());
    // Once: no second request, still stopped a while later.
    QTest::qWait(1500);
    QCOMPARE(p->state(), State::Stopped);
    QCOMPARE(server.requests(), 1);
}

void TestStreamPlayer::withoutAutoStartWaitsForPlay()
{
    MarchServer server(m_march);
    PlayerSettings s = marchSettings(server.url(kPath));
    s.autoStart = false;
    Stage stage(s);
    QTest::qWait(500);
    QCOMPARE(stage.player->state(), State::Stopped);
    QCOMPARE(server.requests(), 0);
    stage.player->play();
    QTRY_COMPARE_WITH_TIMEOUT(stage.player->state(), State::Playing, 5000);
}

void TestStreamPlayer::failuresStaySilentAndHarmless_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("endsByItself"); // else it keeps waiting for data
    QTest::newRow("connection refused") << true << Fault::None << true;
    QTest::newRow("hangs up at once") << false << Fault::CloseAtOnce << true;
    QTest::newRow("404") << false << Fault::NotFound << true;
    QTest::newRow("stalls before answering") << false << Fault::Stall << false;
    QTest::newRow("stalls midway") << false << Fault::StallMidway << false;
    QTest::newRow("trickles") << false << Fault::Trickle << false;
    QTest::newRow("garbage body") << false << Fault::Garbage << true;
    QTest::newRow("not HTTP at all") << false << Fault::NotHttp << true;
    QTest::newRow("cut midway") << false << Fault::CutMidway << true;
    QTest::newRow("a header without end") << false << Fault::HugeHeader << false;
}

void TestStreamPlayer::failuresStaySilentAndHarmless()
{
    QFETCH(bool, refused);
    QFETCH(Fault, fault);
    QFETCH(bool, endsByItself);
    std::unique_ptr<MarchServer> server;
    QUrl url = QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(refusingPort()).arg(kPath));
    if (!refused) {
        server = std::make_unique<MarchServer>(m_march, fault);
        url = server->url(kPath);
    }
    QList<State> states; // outlives the player, which reports its stop on the way out
    auto stage = std::make_unique<Stage>(marchSettings(url));
    Heartbeat beat;
    StreamPlayer* p = stage->player;
    connect(p, &StreamPlayer::stateChanged, this, [&](State s) { states << s; });

    QTRY_VERIFY_WITH_TIMEOUT(!states.isEmpty(), 2000); // it did try
    if (endsByItself) {
        QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Stopped, 8000);
        QVERIFY(!p->holdsStream());
        QCOMPARE(p->controls()->stateLabel()->text(), QStringLiteral("Durdu"));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(server->requests() >= 1, 3000);
        QTest::qWait(1500);
        // A stall midway first plays the half that came.
        QVERIFY(p->state() == State::Connecting || p->state() == State::Buffering
                || (fault == Fault::StallMidway && p->state() == State::Playing));
        QVERIFY(p->holdsStream());
    }
    QVERIFY(!states.contains(State::Playing) || fault == Fault::CutMidway || fault == Fault::StallMidway);
    if (fault != Fault::CutMidway && fault != Fault::StallMidway) // these told the length first
        QCOMPARE(p->controls()->timeLabel()->text(), QStringLiteral("--:-- / --:--"));
    QVERIFY(!messageBoxShown());

    // The screen goes away: at once, and the connection with it.
    QElapsedTimer closing;
    closing.start();
    stage->window.hide();
    QVERIFY(!p->holdsStream());
    stage.reset();
    QVERIFY2(closing.elapsed() < kUnloadMs, qPrintable(QString::number(closing.elapsed())));
    if (server)
        QTRY_COMPARE_WITH_TIMEOUT(server->openConnections(), 0, 2000);
    QVERIFY2(beat.worstGap() < kResponsiveGap, qPrintable(QString::number(beat.worstGap())));
    QVERIFY(!messageBoxShown());
}

void TestStreamPlayer::stallsAreGivenUpQuietly_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("headerRead"); // the stall comes after the header: the duration was known
    QTest::newRow("stalls before answering") << Fault::Stall << false;
    QTest::newRow("a header without end") << Fault::HugeHeader << false;
    QTest::newRow("trickles") << Fault::Trickle << false;
    QTest::newRow("stalls midway") << Fault::StallMidway << true;
}

void TestStreamPlayer::stallsAreGivenUpQuietly()
{
    // Our own limits end the wait, in a quiet stop, and nothing asks again.
    QFETCH(Fault, fault);
    QFETCH(bool, headerRead);
    MarchServer server(m_march, fault);
    Stage stage(marchSettings(server.url(kPath)), {312, 41}, kShortLimits);
    StreamPlayer* p = stage.player;
    Heartbeat beat;
    QSignalSpy durations(p, &StreamPlayer::durationChanged);
    QTRY_VERIFY_WITH_TIMEOUT(server.requests() >= 1, 3000);
    QVERIFY(p->state() != State::Stopped);
    // The limit, after the half that came has played where there is one.
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Stopped, 6000);
    QVERIFY(!p->holdsStream());
    QCOMPARE(!durations.isEmpty(), headerRead);
    QCOMPARE(p->duration(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 2000);
    QTest::qWait(300);
    QCOMPARE(server.requests(), 1);
    QVERIFY(!messageBoxShown());
    QVERIFY2(beat.worstGap() < kResponsiveGap, qPrintable(QString::number(beat.worstGap())));
}

void TestStreamPlayer::errorDialogsOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("dialogs");
    QTest::newRow("off, as on every march player") << false;
    QTest::newRow("on") << true;
}

void TestStreamPlayer::errorDialogsOnlyWhenAsked()
{
    QFETCH(bool, dialogs);
    MarchServer server(m_march, Fault::NotFound);
    PlayerSettings s = marchSettings(server.url(kPath));
    s.enableErrorDialogs = dialogs;
    Stage stage(s);
    QTRY_VERIFY_WITH_TIMEOUT(server.requests() >= 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(stage.player->state(), State::Stopped, 5000);
    QTest::qWait(300);
    QCOMPARE(messageBoxShown(), dialogs);
    for (QMessageBox* box : stage.window.findChildren<QMessageBox*>())
        box->close();
}

void TestStreamPlayer::stopLetsGoOfTheStreamAtOnce()
{
    // A trickling server keeps the connection open for as long as the
    // player holds it.
    MarchServer server(m_march, Fault::Trickle);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 1, 3000);
    Heartbeat beat;
    QElapsedTimer t;
    t.start();
    p->stop();
    QVERIFY2(t.elapsed() < kUnloadMs, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(p->state(), State::Stopped);
    QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 2000);
    // Play after stop starts afresh, from the beginning.
    p->play();
    QTRY_COMPARE_WITH_TIMEOUT(server.requests(), 2, 3000);
    QCOMPARE(server.paths(), (QStringList{kPath, kPath}));
    QVERIFY(beat.worstGap() < kResponsiveGap);
}

void TestStreamPlayer::minimizedWindowGoesOnPlaying()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    QTRY_COMPARE_WITH_TIMEOUT(stage.player->state(), State::Playing, 5000);
    stage.window.showMinimized();
    QTRY_VERIFY(stage.window.isMinimized());
    const qint64 at = stage.player->position();
    QTest::qWait(400);
    QCOMPARE(stage.player->state(), State::Playing);
    QVERIFY(stage.player->position() > at + 200);
    stage.window.showNormal();
    QCOMPARE(stage.player->state(), State::Playing);
}

void TestStreamPlayer::pauseKeepsThePlace()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    QTRY_VERIFY_WITH_TIMEOUT(p->state() == State::Playing && p->position() > 600, 5000);
    p->pause();
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Paused, 2000);
    const qint64 held = p->position();
    QTest::qWait(500);
    QVERIFY(std::abs(p->position() - held) < 100);
    QCOMPARE(p->controls()->stateLabel()->text(), QStringLiteral("Duraklatıldı"));
    p->play();
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(p->position() > held + 200, 2000);
    QVERIFY(p->position() < held + 1500);
    QCOMPARE(server.requests(), 1);
}

void TestStreamPlayer::controlRowCommandsThePlayer()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    PlayerControls* c = p->controls();
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);

    QTest::mouseClick(c->playPauseButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Paused, 2000);
    QTest::mouseClick(c->playPauseButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 2000);

    QTest::mouseClick(c->muteButton(), Qt::LeftButton);
    QVERIFY(p->isMuted());
    QVERIFY(p->audioSource()->isMuted());
    QVERIFY(p->muteAction()->isChecked());
    QTest::mouseClick(c->muteButton(), Qt::LeftButton);
    QVERIFY(!p->audioSource()->isMuted());

    c->volumeSlider()->setValue(80);
    QCOMPARE(p->volume(), 80);
    QCOMPARE(p->audioSource()->gain(), StreamPlayer::gainFor(80));
    QVERIFY(StreamPlayer::gainFor(80) > StreamPlayer::gainFor(50));

    QTRY_VERIFY_WITH_TIMEOUT(c->seekBar()->isEnabled(), 2000);
    QCOMPARE(c->seekBar()->maximum(), int(p->duration()));

    QTest::mouseClick(c->stopButton(), Qt::LeftButton);
    QCOMPARE(p->state(), State::Stopped);
    QVERIFY(!p->holdsStream());
    QCOMPARE(c->seekBar()->value(), 0);
    QVERIFY(!c->stopButton()->isEnabled());
}

void TestStreamPlayer::seekBarMovesThePlace()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    QSlider* bar = p->controls()->seekBar();
    QTRY_VERIFY_WITH_TIMEOUT(p->state() == State::Playing && bar->isEnabled(), 5000);
    QVERIFY(p->position() < 1500);
    // Dragging shows the time under the handle and seeks on release.
    bar->setSliderDown(true);
    bar->setSliderPosition(2800);
    QVERIFY2(p->controls()->timeLabel()->text().startsWith(QLatin1String("0:02 /")), qPrintable(p->controls()->timeLabel()->text()));
    bar->setSliderDown(false);
    QTRY_VERIFY_WITH_TIMEOUT(p->position() >= 2700, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Stopped, 4000);
}

void TestStreamPlayer::keysCommandThePlayer()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);
    QTest::keyClick(p, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Paused, 2000);
    QTest::keyClick(p, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 2000);
    QTest::keyClick(p, Qt::Key_M);
    QVERIFY(p->isMuted());
    QTest::keyClick(p, Qt::Key_Up);
    QCOMPARE(p->volume(), 60);
    QCOMPARE(p->controls()->volumeSlider()->value(), 60);
}

void TestStreamPlayer::contextMenuOffersTheSameCommands()
{
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    StreamPlayer* p = stage.player;
    QStringList commands;
    for (QAction* a : p->contextMenu()->actions())
        if (!a->isSeparator())
            commands << a->text();
    QCOMPARE(commands, (QStringList{"Çal", "Duraklat", "Durdur", "Sessiz", "Sesi Artır", "Sesi Azalt"}));
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);
    QVERIFY(!p->playAction()->isEnabled());
    QVERIFY(p->pauseAction()->isEnabled());

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(150, 20), p->mapToGlobal(QPoint(150, 20)));
    QApplication::sendEvent(p, &event);
    QTRY_VERIFY(p->contextMenu()->isVisible());
    p->pauseAction()->trigger();
    p->contextMenu()->close();
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Paused, 2000);
    QVERIFY(p->playAction()->isEnabled());
    p->muteAction()->trigger();
    QVERIFY(p->isMuted());
    QVERIFY(p->controls()->muteButton()->isChecked());
    p->stopAction()->trigger();
    QCOMPARE(p->state(), State::Stopped);
}

void TestStreamPlayer::noContextMenuWhenTurnedOff()
{
    PlayerSettings s = marchSettings(QUrl(QStringLiteral("http://127.0.0.1:%1/x.asf").arg(refusingPort())));
    s.enableContextMenu = false;
    Stage stage(s);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(150, 20), stage.player->mapToGlobal(QPoint(150, 20)));
    QApplication::sendEvent(stage.player, &event);
    QTest::qWait(100);
    QVERIFY(!stage.player->contextMenu()->isVisible());
}

void TestStreamPlayer::twoPlayersPlayEachOnItsOwn()
{
    MarchServer server(m_march);
    Stage first(marchSettings(server.url("/muzik/mehter/02.asf")));
    Stage second(marchSettings(server.url("/muzik/mehter/14.asf")));
    QTRY_VERIFY_WITH_TIMEOUT(first.player->state() == State::Playing && second.player->state() == State::Playing,
                             5000);
    const qint64 a = first.player->position(), b = second.player->position();
    QTest::qWait(600);
    QVERIFY(first.player->position() > a + 300);
    QVERIFY(second.player->position() > b + 300);
    first.player->stop();
    const qint64 c = second.player->position();
    QTest::qWait(400);
    QCOMPARE(second.player->state(), State::Playing);
    QVERIFY(second.player->position() > c + 200);
    QCOMPARE(server.requests(), 2);
}

void TestStreamPlayer::controlRowFitsThePlayerWindows_data()
{
    QTest::addColumn<QSize>("player");
    QTest::addColumn<QSize>("client");
    QTest::newRow("first player") << QSize(289, 41) << QSize(289, 41);
    QTest::newRow("widest, full height") << QSize(313, 41) << QSize(312, 41);
    QTest::newRow("lowest window") << QSize(313, 41) << QSize(312, 38);
}

void TestStreamPlayer::controlRowFitsThePlayerWindows()
{
    QFETCH(QSize, player);
    QFETCH(QSize, client);
    PlayerSettings s = marchSettings(QUrl(QStringLiteral("http://127.0.0.1:%1/x.asf").arg(refusingPort())));
    s.autoStart = false;
    QWidget window;
    window.resize(client);
    auto* p = new StreamPlayer(s, &window);
    p->setGeometry(QRect(QPoint(0, 0), player));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlayerControls* c = p->controls();
    const QList<QWidget*> parts{c->playPauseButton(), c->stopButton(), c->muteButton(), c->seekBar(),
                                c->volumeSlider(), c->timeLabel(), c->stateLabel()};
    const QRect shown(QPoint(0, 0), client);
    for (QWidget* w : parts) {
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        QVERIFY2(shown.contains(r), qPrintable(w->metaObject()->className() + QString(" at %1,%2 %3x%4")
                                                   .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
        QVERIFY(r.width() > 0 && r.height() > 0);
    }
    // The longest texts the row shows fit in their labels.
    const QFontMetrics time(c->timeLabel()->font());
    QVERIFY(time.horizontalAdvance(QStringLiteral("59:59 / 59:59")) <= c->timeLabel()->width());
    QVERIFY(time.height() <= c->timeLabel()->height() + 1);
    const QFontMetrics state(c->stateLabel()->font());
    for (const QString& text : {QStringLiteral("Duraklatıldı"), QStringLiteral("Bağlanıyor…"), QStringLiteral("Yükleniyor…")})
        QVERIFY2(state.horizontalAdvance(text) <= c->stateLabel()->width(), qPrintable(text));
    // Buttons do not overlap one another.
    QVERIFY(c->playPauseButton()->geometry().right() < c->stopButton()->geometry().left());
    QVERIFY(c->stateLabel()->geometry().right() < c->muteButton()->geometry().left());
    QVERIFY(c->muteButton()->geometry().right() < c->volumeSlider()->geometry().left());
}

void TestStreamPlayer::timeReadsMinutesAndSeconds()
{
    QCOMPARE(PlayerControls::formatTime(0, true), QStringLiteral("0:00"));
    QCOMPARE(PlayerControls::formatTime(4040, true), QStringLiteral("0:04"));
    QCOMPARE(PlayerControls::formatTime(119999, true), QStringLiteral("1:59"));
    QCOMPARE(PlayerControls::formatTime(3723000, true), QStringLiteral("1:02:03"));
    QCOMPARE(PlayerControls::formatTime(5000, false), QStringLiteral("--:--"));
}

void TestStreamPlayer::userInterfaceModes_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<bool>("seekBar");
    QTest::newRow("full") << "full" << true << true;
    QTest::newRow("mini") << "mini" << true << false;
    QTest::newRow("none") << "none" << false << false;
    QTest::newRow("invisible") << "invisible" << false << false;
}

void TestStreamPlayer::userInterfaceModes()
{
    QFETCH(QString, mode);
    QFETCH(bool, buttons);
    QFETCH(bool, seekBar);
    PlayerSettings s = marchSettings(QUrl(QStringLiteral("http://127.0.0.1:%1/x.asf").arg(refusingPort())));
    s.uiMode = mode.toStdString();
    s.autoStart = false;
    Stage stage(s);
    QCOMPARE(stage.player->controls() != nullptr, buttons);
    if (buttons)
        QCOMPARE(stage.player->controls()->seekBar() != nullptr, seekBar);
}

void TestStreamPlayer::everyMarchPlays_data()
{
    QTest::addColumn<QString>("file");
    for (int n = 1; n <= 17; ++n) {
        const QString name = QStringLiteral("%1.asf").arg(n, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << QStringLiteral(MEHTER_MARCHES "/") + name;
    }
}

void TestStreamPlayer::everyMarchPlays()
{
    // The marches the march server serves, each through this player.
    QFETCH(QString, file);
    QFile f(file);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
    MarchServer server(f.readAll());
    Stage stage(marchSettings(server.url(QStringLiteral("/muzik/mehter/") + QFileInfo(file).fileName())));
    StreamPlayer* p = stage.player;
    QTRY_COMPARE_WITH_TIMEOUT(p->state(), State::Playing, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(p->position() > 200, 3000);
    QVERIFY2(p->duration() >= 40000 && p->duration() <= 120000, qPrintable(QString::number(p->duration())));
    QVERIFY(p->isSeekable());
}

void TestStreamPlayer::noMediaFrameworkInTheProcess()
{
    // Marches have played by now: neither GStreamer nor Qt's media framework
    // (which would bring it) may have been loaded to play them.
    MarchServer server(m_march);
    Stage stage(marchSettings(server.url(kPath)));
    QTRY_VERIFY_WITH_TIMEOUT(stage.player->state() == State::Playing && stage.player->position() > 100, 5000);
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QStringList loaded;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains("libgst") || line.contains("gstreamer") || line.contains("libQt6Multimedia"))
            loaded << QString::fromLatin1(line.mid(line.lastIndexOf(' ') + 1));
    loaded.removeDuplicates();
    QVERIFY2(loaded.isEmpty(), qPrintable(loaded.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestStreamPlayer)
#include "test_stream_player.moc"
