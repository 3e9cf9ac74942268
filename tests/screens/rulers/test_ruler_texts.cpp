// The ruler texts as content: headings, hyphen lines, length, code page,
// and the years on each fact card found again in the ruler's life.
#include "content/Content.h"
#include "runtime/Text.h"
#include "screens/Screens.h"
#include "screens/rulers/RulerExpectations.h"

#include <QRegularExpression>
#include <QtTest>

using namespace yelvanis;
using namespace yelvanis::testing::rulers;

class TestRulerTexts : public QObject {
    Q_OBJECT
private slots:
    void bodies_data();
    void bodies();
    void cardYearsAppearInTheLife_data();
    void cardYearsAppearInTheLife();
    void screensShowTheirBodies();
};

void TestRulerTexts::bodies_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("sections");
    QTest::addColumn<bool>("earlyScreen");
    for (const BodyRow& b : bodyRows())
        QTest::newRow(b.file) << QString::fromLatin1(b.file) << b.length << b.sections
                              << (QByteArray(b.file).left(2).toInt() <= 6);
}

void TestRulerTexts::bodies()
{
    QFETCH(QString, file);
    QFETCH(int, length);
    QFETCH(QStringList, sections);
    QFETCH(bool, earlyScreen);
    const std::string name = "rulers/" + file.toStdString();
    QVERIFY2(content::has(name), name.c_str());
    const std::string_view bytes = content::get(name);

    std::string bad;
    QVERIFY2(encodableInCp1254(bytes, &bad), ("not in code page 1254: " + bad).c_str());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            QVERIFY(i > 0 && bytes[i - 1] == '\r');
        QVERIFY2(bytes[i] != '\t', "a tab in the text");
    }
    const qsizetype count = qsizetype(characterCount(bytes));
    if (length >= 0)
        QVERIFY2(qAbs(count - length) * 10 <= length,
                 qPrintable(QStringLiteral("%1 characters, the tables give %2").arg(count).arg(length)));
    else
        QVERIFY(count > 0);

    // A section heading is a line in capitals over a line of hyphens.
    const QStringList lines = QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).split(QStringLiteral("\r\n"));
    static const QRegularExpression hyphens(QStringLiteral("^-+$"));
    static const QRegularExpression lower(QStringLiteral("\\p{Ll}"));
    QStringList found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!hyphens.match(lines[i]).hasMatch())
            continue;
        const qsizetype n = lines[i].size();
        QVERIFY2(n == 80 || (earlyScreen && (n == 65 || n == 71 || n == 76)),
                 qPrintable(QStringLiteral("line %1 has %2 hyphens").arg(i + 1).arg(n)));
        QVERIFY2(i > 0 && !lines[i - 1].trimmed().isEmpty(), qPrintable(QStringLiteral("line %1").arg(i + 1)));
        QVERIFY2(!lower.match(lines[i - 1]).hasMatch(), qPrintable(lines[i - 1]));
        found << lines[i - 1];
    }
    QCOMPARE(found, sections);
    // A body with "HAYATI" among its sections opens with it.
    if (sections.value(0) == QLatin1String("HAYATI"))
        QCOMPARE(lines.first(), QStringLiteral("HAYATI"));
    // Paragraphs are separated by an empty line or a line of spaces, and a
    // body that runs to several paragraphs has such a line outside its
    // headings too.
    static const QRegularExpression blank(QStringLiteral("^\\s*$")), spaces(QStringLiteral("^ *$"));
    bool separated = false;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        if (!blank.match(lines[i]).hasMatch())
            continue;
        QVERIFY2(spaces.match(lines[i]).hasMatch(), qPrintable(QStringLiteral("line %1").arg(i + 1)));
        separated = separated || !hyphens.match(lines[i - 1]).hasMatch();
    }
    if (count > 1500)
        QVERIFY2(separated, "one paragraph only");
}

void TestRulerTexts::cardYearsAppearInTheLife_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("file");
    for (const RulerRow& r : rulerRows())
        QTest::newRow(r.id) << QString::fromUtf8(r.id) << QString::fromLatin1(r.file);
}

void TestRulerTexts::cardYearsAppearInTheLife()
{
    // The card and the life agree at least on the years of birth, death and
    // reign: each year the card gives for them is told in the upper body.
    QFETCH(QString, screen);
    QFETCH(QString, file);
    const QString card = QString::fromStdString(screens::all().screen(screen.toStdString()).control("Label1")->caption.value());
    const std::string_view body = content::get("rulers/" + file.toStdString() + ".upper.txt");
    const QString life = QString::fromUtf8(body.data(), qsizetype(body.size()));
    static const QRegularExpression year(QStringLiteral("\\b1\\d{3}\\b"));
    QStringList years;
    for (const QString& line : card.split(QStringLiteral("\r\n"))) {
        const QString l = line.trimmed();
        if (l.startsWith(QLatin1String("Devlet Sınırları")) || l.startsWith(QLatin1String("Babası"))
            || l.startsWith(QLatin1String("Annesi")))
            continue;
        for (auto it = year.globalMatch(l); it.hasNext();)
            years << it.next().captured();
    }
    QVERIFY2(!years.isEmpty(), qPrintable(card));
    for (const QString& y : years)
        QVERIFY2(life.contains(y), qPrintable(y + " is on the card but not in the life"));
}

void TestRulerTexts::screensShowTheirBodies()
{
    // Each text box holds exactly its content body, with CR LF line breaks.
    for (const RulerRow& r : rulerRows()) {
        const ScreenDef& s = screens::all().screen(r.id);
        const std::string base = std::string("rulers/") + r.file;
        QCOMPARE(s.control("Output")->text, std::string(content::get(base + ".upper.txt")));
        if (r.oneBox)
            QVERIFY2(!content::has(base + ".lower.txt"), r.id);
        else
            QCOMPARE(s.control("Text1")->text, std::string(content::get(base + ".lower.txt")));
    }
}

QTEST_APPLESS_MAIN(TestRulerTexts)
#include "test_ruler_texts.moc"
