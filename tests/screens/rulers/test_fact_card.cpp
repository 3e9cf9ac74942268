// The ruler fact card: its format, its missing fields and the cards that
// the ruler screens show.
#include "screens/Screens.h"
#include "screens/rulers/FactCard.h"
#include "screens/rulers/RulerTables.h"

#include <QtTest>

#include <stdexcept>

using namespace yelvanis;
using namespace yelvanis::screens::rulers;

Q_DECLARE_METATYPE(Facts)

class TestFactCard : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void cardsOnTheScreens_data();
    void cardsOnTheScreens();
    void everyCardIsWellFormed();
    void readsSuppliedFields_data();
    void readsSuppliedFields();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
};

void TestFactCard::format_data()
{
    QTest::addColumn<Facts>("facts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all six fields")
        << Facts{"Ertuğrul Gazi", "Hayme Hatun", "Söğüt, 1258", "Bursa, 1326", {"1281 - 1326"}, "16.000 km2"}
        << QStringLiteral("Babası : Ertuğrul Gazi \r\n Annesi : Hayme Hatun \r\n Doğumu : Söğüt, 1258 \r\n"
                          " Ölümü : Bursa, 1326 \r\n Saltanatı : 1281 - 1326 \r\n Devlet Sınırları : 16.000 km2 \r\n");
    QTest::newRow("no area: the last line is the reign")
        << Facts{"Murad Hüdavendigar", "Gülçiçek Hatun", "1360", "8 Mart 1403", {"1389 - 1403"}, ""}
        << QStringLiteral("Babası : Murad Hüdavendigar \r\n Annesi : Gülçiçek Hatun \r\n Doğumu : 1360 \r\n"
                          " Ölümü : 8 Mart 1403 \r\n Saltanatı : 1389 - 1403 \r\n");
    QTest::newRow("a missing field in the middle leaves no gap")
        << Facts{"Orhan Gazi", "", "1326", "", {"1359 - 1389"}, "500.000 km2"}
        << QStringLiteral("Babası : Orhan Gazi \r\n Doğumu : 1326 \r\n Saltanatı : 1359 - 1389 \r\n"
                          " Devlet Sınırları : 500.000 km2 \r\n");
    QTest::newRow("a missing first field: the next one opens the card")
        << Facts{"", "Mal Hatun", "1281", "1360", {"1326 - 1359"}, ""}
        << QStringLiteral("Annesi : Mal Hatun \r\n Doğumu : 1281 \r\n Ölümü : 1360 \r\n Saltanatı : 1326 - 1359 \r\n");
    QTest::newRow("a reign over five lines")
        << Facts{"Sultan Üçüncü Mehmed", "Handan Sultan", "1592", "20 Ocak 1639",
                 {"İki Dönem", "1. Dönem", ": 22.11.1617 - 26.02.1618", "2. Dönem", ": 19.05.1622 - 10.09.1623"}, ""}
        << QStringLiteral("Babası : Sultan Üçüncü Mehmed \r\n Annesi : Handan Sultan \r\n Doğumu : 1592 \r\n"
                          " Ölümü : 20 Ocak 1639 \r\n Saltanatı : İki Dönem \r\n 1. Dönem \r\n"
                          " : 22.11.1617 - 26.02.1618 \r\n 2. Dönem \r\n : 19.05.1622 - 10.09.1623 \r\n");
    QTest::newRow("values keep their own spacing")
        << Facts{"", "", "", "", {"31 Ağustos 1876 - 27 Nisan  1909"}, ""}
        << QStringLiteral("Saltanatı : 31 Ağustos 1876 - 27 Nisan  1909 \r\n");
    QTest::newRow("nothing at all") << Facts{} << QString();
}

void TestFactCard::format()
{
    QFETCH(Facts, facts);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(factCardText(facts)), expected);
}

void TestFactCard::cardsOnTheScreens_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("osman") << "osman"
        << QStringLiteral("Babası : Ertuğrul Gazi \r\n Annesi : Hayme Hatun \r\n Doğumu : Söğüt, 1258 \r\n"
                          " Ölümü : Bursa, 1326 \r\n Saltanatı : 1281 - 1326 \r\n Devlet Sınırları : 16.000 km2 \r\n");
    QTest::newRow("yildirim") << "yildirim"
        << QStringLiteral("Babası : Murad Hüdavendigar \r\n Annesi : Gülçiçek Hatun \r\n Doğumu : 1360 \r\n"
                          " Ölümü : 8 Mart 1403 \r\n Saltanatı : 1389 - 1403 \r\n");
    QTest::newRow("mustafa") << "mustafa"
        << QStringLiteral("Babası : Sultan Üçüncü Mehmed \r\n Annesi : Handan Sultan \r\n Doğumu : 1592 \r\n"
                          " Ölümü : 20 Ocak 1639 \r\n Saltanatı : İki Dönem \r\n 1. Dönem \r\n"
                          " : 22.11.1617 - 26.02.1618 \r\n 2. Dönem \r\n : 19.05.1622 - 10.09.1623 \r\n");
    QTest::newRow("abdulhamid2") << "abdulhamid2"
        << QStringLiteral("Babası : Sultan Abdülmecid \r\n Annesi : Tir-i Müjgan Kadın Efendi \r\n"
                          " Doğumu : 21 Eylül 1842 \r\n Ölümü : 10 Şubat 1918 \r\n"
                          " Saltanatı : 31 Ağustos 1876 - 27 Nisan  1909 \r\n");
    QTest::newRow("süleyman2") << QStringLiteral("süleyman2")
        << QStringLiteral("Babası : Sultan Birinci İbrahim \r\n Annesi : Saliha Dilaşub Sultan \r\n"
                          " Doğumu : 15 Nisan 1642 \r\n Ölümü : 22 haziran 1691 \r\n"
                          " Saltanatı : 09 Kasım 1687 - 1691 \r\n");
}

void TestFactCard::cardsOnTheScreens()
{
    QFETCH(QString, screen);
    QFETCH(QString, expected);
    const ControlDef* card = screens::all().screen(screen.toStdString()).control("Label1");
    QVERIFY(card);
    QCOMPARE(QString::fromStdString(card->caption.value()), expected);
}

void TestFactCard::everyCardIsWellFormed()
{
    // The two cards whose fields come with the content follow the same form,
    // and every card has its lines in the fixed order of keys.
    const QStringList order{"Babası", "Annesi", "Doğumu", "Ölümü", "Saltanatı", "Devlet Sınırları"};
    for (const RulerRecord& r : rulerRecords()) {
        const ScreenDef& s = screens::all().screen(r.member.id);
        const ControlDef* card = s.control("Label1");
        QVERIFY(card);
        const QString text = QString::fromStdString(card->caption.value());
        QVERIFY2(text.endsWith(" \r\n"), s.id.c_str());
        QStringList lines = text.chopped(3).split(" \r\n ");
        QVERIFY2(!lines.first().startsWith(' '), s.id.c_str());
        int lastKey = -1;
        bool reignSeen = false;
        for (const QString& line : lines) {
            const int sep = line.indexOf(" : ");
            if (reignSeen && (sep <= 0 || !order.contains(line.left(sep))))
                continue; // a further line of the reign
            QVERIFY2(sep > 0, qPrintable(QString::fromStdString(s.id) + ": " + line));
            const int key = order.indexOf(line.left(sep));
            QVERIFY2(key > lastKey, qPrintable(QString::fromStdString(s.id) + ": " + line));
            QVERIFY2(!line.mid(sep + 3).trimmed().isEmpty(), qPrintable(QString::fromStdString(s.id) + ": " + line));
            lastKey = key;
            reignSeen = reignSeen || key == 4;
        }
        // Father, mother, birth, death and reign are on every card.
        for (int k = 0; k <= 4; ++k)
            QVERIFY2(text.startsWith(order[k] + " : ") || text.contains(" " + order[k] + " : "),
                     qPrintable(QString::fromStdString(s.id) + " lacks " + order[k]));
    }
}

void TestFactCard::readsSuppliedFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Facts>("expected");
    QTest::newRow("four fields, CR LF, a blank line")
        << QStringLiteral("Babası: Fatih Sultan Mehmed\r\nAnnesi: Gülbahar Hatun\r\n\r\nDoğumu: 3 Aralık 1447\r\n"
                          "Ölümü: 26 Mayıs 1512\r\n")
        << Facts{"Fatih Sultan Mehmed", "Gülbahar Hatun", "3 Aralık 1447", "26 Mayıs 1512", {}, ""};
    QTest::newRow("a value with a comma and no final line break")
        << QStringLiteral("Doğumu: Edirne, 02 Ocak 1699\nSaltanatı: 1754 - 1757")
        << Facts{"", "", "Edirne, 02 Ocak 1699", "", {"1754 - 1757"}, ""};
}

void TestFactCard::readsSuppliedFields()
{
    QFETCH(QString, text);
    QFETCH(Facts, expected);
    const Facts f = parseFacts(text.toStdString());
    QCOMPARE(QString::fromStdString(factCardText(f)), QString::fromStdString(factCardText(expected)));
    // The record's own fields stay; the supplied ones fill the gaps.
    const Facts m = merged(Facts{.reign = {"given"}}, f);
    QCOMPARE(m.reign.front(), std::string("given"));
    QCOMPARE(m.father, expected.father);
}

void TestFactCard::refusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no colon") << QStringLiteral("Babası Fatih Sultan Mehmed\n");
    QTest::newRow("a key the card does not have") << QStringLiteral("Lakabı: Veli\n");
}

void TestFactCard::refusesWhatItCannotRead()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, parseFacts(text.toStdString()));
}

QTEST_APPLESS_MAIN(TestFactCard)
#include "test_fact_card.moc"
