// Screens opened and closed again and again: what a closed screen leaves
// behind must not add up.
#include "screens/LiveProgram.h"

#include "runtime/qt/Look.h"

#include <QApplication>
#include <QThreadPool>
#include <QtTest>

#include <malloc.h>

using namespace yelvanis;

namespace {

double heapKb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / 1024;
}

} // namespace

class TestOpenCloseMemory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void closedScreensLeaveNothingBehind_data();
    void closedScreensLeaveNothingBehind();

private:
    // Opens the screen, lets it paint, closes it and lets it go.
    void cycle(const std::string& id);
    void settle();

    std::unique_ptr<qt::QtWindowSystem> m_windows;
    std::unique_ptr<ScreenManager> m_manager;
    QStringList m_reports;
    int m_quits = 0;
};

void TestOpenCloseMemory::initTestCase()
{
    qt::initialiseLook(*qApp);
}

void TestOpenCloseMemory::init()
{
    testing::startProgram(m_windows, m_manager, m_reports, m_quits);
    settle();
}

void TestOpenCloseMemory::cleanup()
{
    m_manager.reset();
    m_windows.reset();
    settle();
}

void TestOpenCloseMemory::settle()
{
    // A closed screen's movie may still be loading; its result is dropped.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestOpenCloseMemory::cycle(const std::string& id)
{
    m_manager->show(id);
    QCoreApplication::processEvents();
    m_manager->unload(id);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestOpenCloseMemory::closedScreensLeaveNothingBehind_data()
{
    QTest::addColumn<QStringList>("screens");
    // Text boxes with their scroll bars, frames and pictures, a movie.
    QTest::newRow("rulers") << QStringList{"osman", "fatih", "Kanuni"};
    QTest::newRow("chronology") << QStringList{"kronoloji1", "kronoloji5"};
    QTest::newRow("articles and titles") << QStringList{"bilinmeyenler1", "unvanlar", "vasiyet"};
    QTest::newRow("movie screens") << QStringList{"mehteran2", "programhakknda"};
}

void TestOpenCloseMemory::closedScreensLeaveNothingBehind()
{
    QFETCH(QStringList, screens);
    auto round = [&] {
        for (const QString& s : screens)
            cycle(s.toStdString());
    };
    // The first rounds fill what is made once: fonts, glyphs, styles.
    for (int i = 0; i < 20; ++i)
        round();
    settle();
    const qsizetype widgets = QApplication::allWidgets().size();
    const double before = heapKb();
    for (int i = 0; i < 150; ++i)
        round();
    settle();
    QVERIFY(m_reports.isEmpty());
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    QVERIFY(m_manager->isLoaded(ScreenManager::kStartScreen));
    const double grown = heapKb() - before;
    QVERIFY2(grown < 512, qPrintable(QStringLiteral("the heap grew by %1 KB").arg(grown, 0, 'f', 0)));
}

QTEST_MAIN(TestOpenCloseMemory)
#include "test_open_close_memory.moc"
