// The chronology bodies as the period screens show them: read entry by entry
// and held against the numbers each period was written to.
#include "runtime/Text.h"
#include "screens/Screens.h"
#include "screens/chronology/ChronologyBody.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace yelvanis;
using namespace yelvanis::testing;

namespace {

struct BodyTarget {
    const char* screen;
    const char* textBox;
    int from, to;        // the years of the period
    const char* first;   // first and last date line
    const char* last;
    int entries, length; // 0: left open
};

// In date order.
constexpr BodyTarget kBodies[] = {
    {"kronoloji1", "Output", 1299, 1434, "1299 - 1300 ", "1434", 69, 4154},
    {"kronoloji2", "Text1", 1434, 1514, "1434", "1514", 73, 4144},
    {"kronoloji3", "Text2", 1514, 1583, "1514", "1583", 91, 5061},
    {"kronoloji4", "Text3", 1583, 1680, "1583", "1680", 0, 0},
    {"kronoloji5", "Text3", 1680, 1771, "1680", "1771", 81, 4869},
    {"kronoloji9", "Text3", 1771, 1836, "1771", "11 Mart 1836", 143, 10901},
    {"kronoloji7", "Text3", 1836, 1886, "1836", "1886", 263, 20776},
    {"kronoloji8", "Text3", 1886, 1924, "1886", "3 Mart 1924", 190, 15055},
};

const BodyTarget& target(std::string_view screen)
{
    for (const BodyTarget& t : kBodies)
        if (t.screen == screen)
            return t;
    throw std::out_of_range(std::string(screen));
}

std::string bodyOf(const BodyTarget& t)
{
    const ScreenDef& s = screens::all().screen(t.screen);
    const ControlDef* box = s.control(t.textBox);
    if (!box || box->kind != ControlKind::TextBox)
        throw std::runtime_error(std::string(t.screen) + " has no text box " + t.textBox);
    return box->text;
}

QString joined(const std::vector<std::string>& faults)
{
    QStringList l;
    for (const auto& f : faults)
        l << QString::fromStdString(f);
    return l.join('\n');
}

bool within10Percent(double value, double aim)
{
    return std::abs(value - aim) <= 0.1 * aim;
}

} // namespace

class TestChronologyTexts : public QObject {
    Q_OBJECT
private slots:
    void parserFindsFaults_data();
    void parserFindsFaults();
    void dateLines_data();
    void dateLines();

    void bodyFollowsTheFormat_data() { bodies(); }
    void bodyFollowsTheFormat();
    void bodyMatchesItsNumbers_data();
    void bodyMatchesItsNumbers();
    void neighboursShareTheirBoundaryEntries_data();
    void neighboursShareTheirBoundaryEntries();
    void openBodyIsAsDenseAsItsNeighbours();

private:
    static void bodies();
};

void TestChronologyTexts::parserFindsFaults_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("fault"); // empty: none

    QTest::newRow("two entries") << QByteArray("1302\r\n Bir.\r\n \r\n1305\r\n İki; üç.\r\n \r\n") << 2 << "";
    QTest::newRow("one more blank line at the end")
        << QByteArray("1302\r\n Bir.\r\n \r\n \r\n") << 1 << "";
    QTest::newRow("a quotation closes the sentence")
        << QByteArray("1919\r\n “Bir.”\r\n \r\n") << 1 << "";
    QTest::newRow("LF alone") << QByteArray("1302\n Bir.\r\n \r\n") << 1 << "LF without CR";
    QTest::newRow("no line break at the end") << QByteArray("1302\r\n Bir.\r\n ") << 1 << "CR LF";
    QTest::newRow("separator missing")
        << QByteArray("1302\r\n Bir.\r\n1305\r\n İki.\r\n \r\n") << 1 << "not a single blank";
    QTest::newRow("separator of two blanks") << QByteArray("1302\r\n Bir.\r\n  \r\n") << 1 << "not a single blank";
    QTest::newRow("description without its blank")
        << QByteArray("1302\r\nBir.\r\n \r\n") << 1 << "exactly one blank";
    QTest::newRow("description with two blanks")
        << QByteArray("1302\r\n  Bir.\r\n \r\n") << 1 << "exactly one blank";
    QTest::newRow("description ends in a blank") << QByteArray("1302\r\n Bir. \r\n \r\n") << 1 << "ends in a blank";
    QTest::newRow("description without full stop") << QByteArray("1302\r\n Bir\r\n \r\n") << 1 << "full stop";
    QTest::newRow("month name without Turkish letters")
        << QByteArray("Mayis 1500\r\n Bir.\r\n \r\n") << 1 << "form";
    QTest::newRow("English month") << QByteArray("March 1500\r\n Bir.\r\n \r\n") << 1 << "form";
    QTest::newRow("date line with a full stop") << QByteArray("1302.\r\n Bir.\r\n \r\n") << 1 << "form";
    QTest::newRow("two-digit year") << QByteArray("302\r\n Bir.\r\n \r\n") << 1 << "form";
    QTest::newRow("year later than the next")
        << QByteArray("1305\r\n Bir.\r\n \r\n1302\r\n İki.\r\n \r\n") << 2 << "comes after";
    QTest::newRow("month before an earlier month")
        << QByteArray("Nisan 1500\r\n Bir.\r\n \r\n1500\r\n İki.\r\n \r\n3 Mart 1500\r\n Üç.\r\n \r\n") << 3
        << "comes after";
    QTest::newRow("a day before an earlier day of its month")
        << QByteArray("12 Mart 1500\r\n Bir.\r\n \r\nMart 1500\r\n İki.\r\n \r\n2 Mart 1500\r\n Üç.\r\n \r\n") << 3
        << "comes after";
    QTest::newRow("the month after its own days")
        << QByteArray("12 Mart 1500\r\n Bir.\r\n \r\nMart 1500\r\n İki.\r\n \r\n") << 2 << "";
}

void TestChronologyTexts::parserFindsFaults()
{
    QFETCH(QByteArray, body);
    QFETCH(int, entries);
    QFETCH(QString, fault);
    const Body b = parseBody(body.toStdString());
    QCOMPARE(int(b.entries.size()), entries);
    if (fault.isEmpty()) {
        QVERIFY2(b.faults.empty(), qPrintable(joined(b.faults)));
    } else {
        QVERIFY2(!b.faults.empty(), "no fault found");
        QVERIFY2(joined(b.faults).contains(fault), qPrintable(joined(b.faults)));
    }
}

void TestChronologyTexts::dateLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("start"); // year, month, day
    QTest::addColumn<QList<int>>("end");

    using L = QList<int>;
    QTest::newRow("year") << "1302" << true << L{1302, 0, 0} << L{1302, 0, 0};
    QTest::newRow("span of years") << "1349-1352" << true << L{1349, 0, 0} << L{1352, 0, 0};
    QTest::newRow("span with blanks") << "1299 - 1300 " << true << L{1299, 0, 0} << L{1300, 0, 0};
    QTest::newRow("month") << "Ocak 1789" << true << L{1789, 1, 0} << L{1789, 1, 0};
    QTest::newRow("day") << "11 Mart 1836" << true << L{1836, 3, 11} << L{1836, 3, 11};
    QTest::newRow("span of months") << "Eylül - Ekim 1912" << true << L{1912, 9, 0} << L{1912, 10, 0};
    QTest::newRow("span of days") << "2-3 Ağustos 1903" << true << L{1903, 8, 2} << L{1903, 8, 3};
    QTest::newRow("span over two months") << "27 Ocak - 12 Şubat 1921" << true << L{1921, 1, 27} << L{1921, 2, 12};
    QTest::newRow("with its Hijri year") << "1760 (1173)" << true << L{1760, 0, 0} << L{1760, 0, 0};
    QTest::newRow("Hijri year of another century") << "1760 (1180)" << false << L{} << L{};
    QTest::newRow("leap day of a Julian year") << "29 Şubat 1500" << true << L{1500, 2, 29} << L{1500, 2, 29};
    QTest::newRow("no leap day in 1700") << "29 Şubat 1700" << false << L{} << L{};
    QTest::newRow("31 April") << "31 Nisan 1800" << false << L{} << L{};
    QTest::newRow("day zero") << "0 Mart 1800" << false << L{} << L{};
    QTest::newRow("leading zero") << "05 Mart 1800" << false << L{} << L{};
    QTest::newRow("span backwards") << "1352-1349" << false << L{} << L{};
    QTest::newRow("days backwards") << "3-2 Ağustos 1903" << false << L{} << L{};
    QTest::newRow("months backwards") << "Ekim - Eylül 1912" << false << L{} << L{};
    QTest::newRow("span without its trailing blank") << "1299 - 1300" << false << L{} << L{};
    QTest::newRow("lower-case month") << "11 mart 1836" << false << L{} << L{};
    QTest::newRow("month glued to more letters") << "Martı 1836" << false << L{} << L{};
    QTest::newRow("trailing blank") << "1302 " << false << L{} << L{};
    QTest::newRow("empty") << "" << false << L{} << L{};
}

void TestChronologyTexts::dateLines()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QList<int>, start);
    QFETCH(QList<int>, end);
    std::string why;
    const auto d = parseDateLine(line.toStdString(), &why);
    QCOMPARE(d.has_value(), valid);
    if (!valid) {
        QVERIFY(!why.empty());
        return;
    }
    QCOMPARE((QList<int>{d->start.year, d->start.month, d->start.day}), start);
    QCOMPARE((QList<int>{d->end.year, d->end.month, d->end.day}), end);
}

void TestChronologyTexts::bodies()
{
    QTest::addColumn<QString>("screen");
    for (const BodyTarget& t : kBodies)
        QTest::newRow(t.screen) << QString(t.screen);
}

void TestChronologyTexts::bodyFollowsTheFormat()
{
    QFETCH(QString, screen);
    const BodyTarget& t = target(screen.toStdString());
    const std::string text = bodyOf(t);
    std::string bad;
    QVERIFY2(encodableInCp1254(text, &bad), bad.c_str());
    const Body b = parseBody(text);
    QVERIFY2(b.faults.empty(), qPrintable(joined(b.faults)));
    QVERIFY(!b.entries.empty());
    QCOMPARE(b.entries.front().date, std::string(t.first));
    QCOMPARE(b.entries.back().date, std::string(t.last));
    // Every entry belongs to the period.
    for (const Entry& e : b.entries) {
        const std::string where = "line " + std::to_string(e.line) + ": " + e.date;
        QVERIFY2(e.when.start.year >= t.from && e.when.end.year <= t.to, where.c_str());
    }
}

void TestChronologyTexts::bodyMatchesItsNumbers_data()
{
    // The body of 1583 to 1680 has numbers of its own: openBodyIsAsDenseAsItsNeighbours.
    QTest::addColumn<QString>("screen");
    for (const BodyTarget& t : kBodies)
        if (t.entries != 0)
            QTest::newRow(t.screen) << QString(t.screen);
}

void TestChronologyTexts::bodyMatchesItsNumbers()
{
    QFETCH(QString, screen);
    const BodyTarget& t = target(screen.toStdString());
    const std::string text = bodyOf(t);
    const Body b = parseBody(text);
    const size_t length = characterCount(text);
    QVERIFY2(within10Percent(double(b.entries.size()), t.entries),
             qPrintable(QString("%1 entries for %2").arg(b.entries.size()).arg(t.entries)));
    QVERIFY2(within10Percent(double(length), t.length),
             qPrintable(QString("%1 characters for %2").arg(length).arg(t.length)));
}

void TestChronologyTexts::neighboursShareTheirBoundaryEntries_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("later");
    QTest::addColumn<int>("shared");
    QTest::addColumn<int>("year");

    QTest::newRow("1434") << "kronoloji1" << "kronoloji2" << 1 << 1434;
    QTest::newRow("1514") << "kronoloji2" << "kronoloji3" << 1 << 1514;
    QTest::newRow("1583") << "kronoloji3" << "kronoloji4" << 1 << 1583;
    QTest::newRow("1680") << "kronoloji4" << "kronoloji5" << 1 << 1680;
    QTest::newRow("1771") << "kronoloji5" << "kronoloji9" << 1 << 1771;
    QTest::newRow("1836") << "kronoloji9" << "kronoloji7" << 3 << 1836;
    QTest::newRow("1886") << "kronoloji7" << "kronoloji8" << 2 << 1886;
}

void TestChronologyTexts::neighboursShareTheirBoundaryEntries()
{
    QFETCH(QString, earlier);
    QFETCH(QString, later);
    QFETCH(int, shared);
    QFETCH(int, year);
    const Body a = parseBody(bodyOf(target(earlier.toStdString())));
    const Body b = parseBody(bodyOf(target(later.toStdString())));
    QVERIFY(int(a.entries.size()) > shared && int(b.entries.size()) > shared);

    // The entries of the boundary year close the one body and open the
    // other, word for word and in the same order; no other entry does.
    const auto tail = a.entries.end() - shared;
    for (int i = 0; i < shared; ++i) {
        const Entry& x = tail[i];
        const Entry& y = b.entries[i];
        QCOMPARE(x.date, y.date);
        QCOMPARE(x.description, y.description);
        QCOMPARE(x.when.start.year, year);
    }
    QVERIFY2(tail[-1].when.end.year < year, tail[-1].date.c_str());
    QVERIFY2(b.entries[shared].when.start.year > year, b.entries[shared].date.c_str());
}

void TestChronologyTexts::openBodyIsAsDenseAsItsNeighbours()
{
    // The body of 1583 to 1680 has no numbers of its own: it lies between
    // its neighbours in entries a year and in characters an entry.
    const BodyTarget& open = target("kronoloji4");
    const BodyTarget& before = target("kronoloji3");
    const BodyTarget& after = target("kronoloji5");
    auto perYear = [](const BodyTarget& t, double entries) { return entries / (t.to - t.from); };
    const Body b = parseBody(bodyOf(open));
    const double entries = double(b.entries.size());
    const double density = perYear(open, entries);
    const double perEntry = double(characterCount(bodyOf(open))) / entries;
    const double densities[] = {perYear(before, before.entries), perYear(after, after.entries)};
    const double lengths[] = {double(before.length) / before.entries, double(after.length) / after.entries};
    const double lowDensity = std::min(densities[0], densities[1]), highDensity = std::max(densities[0], densities[1]);
    const double lowLength = std::min(lengths[0], lengths[1]), highLength = std::max(lengths[0], lengths[1]);
    QVERIFY2(density >= 0.9 * lowDensity && density <= 1.1 * highDensity,
             qPrintable(QString("%1 entries a year").arg(density)));
    QVERIFY2(perEntry >= 0.9 * lowLength && perEntry <= 1.1 * highLength,
             qPrintable(QString("%1 characters an entry").arg(perEntry)));
}

QTEST_APPLESS_MAIN(TestChronologyTexts)
#include "test_chronology_texts.moc"
