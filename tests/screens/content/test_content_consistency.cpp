// The content bodies held against each other: an event that several screens
// date carries the same year on all of them, and every body writes the
// apostrophe and the circumflexed words one way.
#include "content/Content.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

using namespace yelvanis;

namespace {

constexpr auto kUnicode = QRegularExpression::UseUnicodePropertiesOption;

struct Body {
    QString name;
    QString text;
};

QList<Body> readBodies()
{
    QList<Body> out;
    for (std::string_view n : content::names()) {
        if (!n.ends_with(".txt"))
            continue;
        const std::string_view t = content::get(n);
        out.append({QString::fromUtf8(n.data(), qsizetype(n.size())),
                    QString::fromUtf8(t.data(), qsizetype(t.size()))});
    }
    return out;
}

const QList<Body>& allBodies()
{
    static const QList<Body> bodies = readBodies();
    return bodies;
}

// A stretch of text that dates what it tells: a chronology entry, dated by
// its date line, or a sentence of prose.
struct Unit {
    QString date; // empty in prose
    QString text;
    int line = 0;
};

QList<Unit> unitsOf(const Body& b)
{
    // A full stop after a capital ends no sentence: "II. Murad".
    static const QRegularExpression sentenceEnd(
        QStringLiteral("(?<=[\\p{Ll}\\d)\"'\u201D])[.!?](?=\\s|$)|;"), kUnicode);
    const QStringList lines = b.text.split(QStringLiteral("\r\n"));
    QList<Unit> out;
    if (b.name.startsWith(QLatin1String("chronology/"))) {
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty() && !lines[i].startsWith(' ') && lines[i + 1].startsWith(' '))
                out.append({lines[i], lines[i + 1], int(i + 2)});
        return out;
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        for (const QString& s : lines[i].split(sentenceEnd))
            out.append({QString(), s, int(i + 1)});
    return out;
}

// A year, or a span of years such as "1396-1399".
const QRegularExpression kYears(QStringLiteral(R"((?<!\d)(1\d{3})(?:\s*-\s*(1\d{3}))?(?!\d))"));
// A mention in the genitive or ablative ("Pasarofça Antlaşması'ndan 1730'a
// kadar") uses the event as a landmark for something else; it does not date it.
const QRegularExpression kLandmark(QStringLiteral(R"(^'?n?(?:[dt][ae]|[ıiuü])n\b)"), kUnicode);
// Characters that may stand between a mention and its year in prose.
constexpr qsizetype kNear = 40;

QList<int> yearsOf(const QRegularExpressionMatch& m)
{
    QList<int> years{m.captured(1).toInt()};
    if (m.hasCaptured(2))
        years << m.captured(2).toInt();
    return years;
}

struct Mention {
    int line = 0;
    QList<int> years;
    QString text;
};

// Every mention of pattern that comes with a year: in a chronology entry the
// years of its date line (less a Hijri year in parentheses), in prose the year
// or span nearest the mention in its sentence, when it is near enough.
QList<Mention> datedMentions(const Body& b, const QRegularExpression& pattern)
{
    QList<Mention> out;
    for (const Unit& u : unitsOf(b)) {
        for (auto it = pattern.globalMatch(u.text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (kLandmark.match(u.text.mid(m.capturedEnd())).hasMatch())
                continue;
            QList<int> years;
            if (!u.date.isEmpty()) {
                for (auto y = kYears.globalMatch(u.date.section('(', 0, 0)); y.hasNext();)
                    years << yearsOf(y.next());
            } else {
                qsizetype best = kNear + 1;
                for (auto y = kYears.globalMatch(u.text); y.hasNext();) {
                    const QRegularExpressionMatch ym = y.next();
                    const qsizetype gap = std::max({ym.capturedStart() - m.capturedEnd(),
                                                    m.capturedStart() - ym.capturedEnd(), qsizetype(0)});
                    if (gap < best) {
                        best = gap;
                        years = yearsOf(ym);
                    }
                }
            }
            if (!years.isEmpty())
                out.append({u.line, years, u.text.trimmed()});
        }
    }
    return out;
}

QString lowerTurkish(QString w)
{
    w.replace(QChar(0x130), QLatin1Char('i')).replace(QLatin1Char('I'), QChar(0x131));
    return w.toLower();
}

QString withoutCircumflex(QString w)
{
    return w.replace(QChar(0xE2), QLatin1Char('a'))
        .replace(QChar(0xEE), QLatin1Char('i'))
        .replace(QChar(0xFB), QLatin1Char('u'));
}

// Every word of the bodies in lower case, with the places it stands at.
// Words in capitals are headings, which keep the spelling they were given.
const QHash<QString, QStringList>& wordPlaces()
{
    static const QHash<QString, QStringList> places = [] {
        static const QRegularExpression letters(QStringLiteral("\\p{L}+"), kUnicode);
        QHash<QString, QStringList> out;
        for (const Body& b : allBodies()) {
            const QStringList lines = b.text.split(QStringLiteral("\r\n"));
            for (qsizetype i = 0; i < lines.size(); ++i)
                for (auto it = letters.globalMatch(lines[i]); it.hasNext();) {
                    const QString w = it.next().captured();
                    if (w.size() < 2 || w != w.toUpper())
                        out[lowerTurkish(w)] << QStringLiteral("%1, line %2: %3").arg(b.name).arg(i + 1).arg(w);
                }
        }
        return out;
    }();
    return places;
}

} // namespace

class TestContentConsistency : public QObject {
    Q_OBJECT
private slots:
    void mentionsAreRead_data();
    void mentionsAreRead();
    void factsKeepTheirYears_data();
    void factsKeepTheirYears();
    void oneApostrophe();
    void circumflexOneWay_data();
    void circumflexOneWay();
};

void TestContentConsistency::mentionsAreRead_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QList<int>>("years");
    QTest::newRow("prose, the year beside the mention")
        << "rulers/x.txt" << "Yakalanan Şeyh Bedreddin, 1416'da Serez'de idam edildi.\r\n"
        << R"(Bedreddin[^.;]{0,40}idam)" << QList<int>{1416};
    QTest::newRow("prose, the nearer of two years")
        << "rulers/x.txt" << "Niğbolu zaferi 1396'da kazanıldı, Ankara Savaşı ise 1402'de yapıldı.\r\n"
        << "Ankara Savaşı" << QList<int>{1402};
    QTest::newRow("prose, a span") << "rulers/x.txt" << "1396-1399 yılları arasında yapılan Ulu Camii\r\n"
                                   << "Ulu Camii" << QList<int>{1396, 1399};
    QTest::newRow("prose, a landmark dates nothing")
        << "rulers/x.txt" << "Pasarofça Antlaşması'ndan 1730'daki isyana kadar geçen döneme Lale Devri denir.\r\n"
        << "Pasarofça Antlaşması" << QList<int>{};
    QTest::newRow("prose, a far year is another event's")
        << "rulers/x.txt"
        << "Sevr Antlaşması imzalanınca ülkenin dört bir yanında büyük bir öfke doğdu ve 1921'de yeni bir "
           "konferans toplandı.\r\n"
        << "Sevr Antlaşması" << QList<int>{};
    QTest::newRow("prose, a Roman numeral's full stop ends no sentence")
        << "rulers/x.txt" << "1451'de II. Murad öldü.\r\n" << R"(II\. Murad)" << QList<int>{1451};
    QTest::newRow("prose, the year of the sentence before")
        << "rulers/x.txt" << "Rumeli Hisarı 1452'de yapıldı. II. Murad ise daha önce öldü.\r\n" << R"(II\. Murad)"
        << QList<int>{};
    QTest::newRow("chronology, the date line")
        << "chronology/x.txt" << "1359-1360\r\n Orhan Gazi'nin ölümü (bazı kaynaklarda 1362).\r\n \r\n"
        << "Orhan Gazi'nin ölümü" << QList<int>{1359, 1360};
    QTest::newRow("chronology, a Hijri year left out")
        << "chronology/x.txt" << "1760 (1173)\r\n Nuruosmaniye Camii tamamlandı.\r\n \r\n" << "Nuruosmaniye"
        << QList<int>{1760};
}

void TestContentConsistency::mentionsAreRead()
{
    QFETCH(QString, body);
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QList<int>, years);
    QList<int> read;
    for (const Mention& m : datedMentions({body, text}, QRegularExpression(pattern, kUnicode)))
        read << m.years;
    QCOMPARE(read, years);
}

void TestContentConsistency::factsKeepTheirYears_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QList<int>>("accepted");
    const auto fact = [](const char* name, const char* pattern, QList<int> accepted) {
        QTest::newRow(name) << QString::fromUtf8(pattern) << accepted;
    };
    // Rulers.
    fact("Osman Gazi's death", R"(Osman Gazi('nin ölümü|[^.;]{0,20}vefat))", {1326});
    fact("Orhan Gazi's death", R"(Orhan Gazi'nin ölümü)", {1359, 1360});
    fact("Murad I's death", R"((I\. Murad|Murad Hüdavendigâr)[^.;]{0,60}şehit)", {1389});
    fact("Bayezid I's death", R"(Yıldırım Bayezid[^.;]{0,40}(öldü|vefat))", {1403});
    fact("Çelebi Mehmed's death", R"(Çelebi Mehmed'in ölümü)", {1421});
    fact("Murad II's death", R"((?<!I)II\. Murad[^.;]{0,30}öldü)", {1451});
    fact("Mehmed II's death", R"(Fatih( Sultan Mehmed)?[^.;]{0,40}(öldü|vefat))", {1481});
    fact("Selim I's accession", R"(Yavuz Sultan Selim tahta)", {1512});
    fact("Selim I's death", R"(Yavuz Sultan Selim[^.;]{0,30}(öldü|vefat))", {1520});
    fact("Süleyman I's death", R"(Kanuni Sultan Süleyman[^.;]{0,30}(öldü|vefat))", {1566});
    // Battles.
    fact("Sırpsındığı", R"(Sırpsındığı)", {1364});
    fact("first Kosovo", R"((?<!I)I\. Kosova)", {1389});
    fact("Nicopolis", R"(Niğbolu (Savaşı|önlerinde|Zaferi|zaferi))", {1396});
    fact("Ankara", R"(Ankara Savaşı)", {1402});
    fact("Çamurlu", R"(Çamurlu)", {1413});
    fact("Varna", R"(Varna (Savaşı|önlerinde|Zaferi|zaferi))", {1444});
    fact("second Kosovo", R"(II\. Kosova)", {1448});
    fact("Otlukbeli", R"(Otlukbeli (Savaşı|zaferi))", {1473});
    fact("Çaldıran", R"(Çaldıran (Savaşı|Ovası|zaferi))", {1514});
    fact("Mercidabık", R"(Mercidabık (Savaşı|Zaferi|zaferi))", {1516});
    fact("Ridaniye", R"(Ridaniye (Savaşı|Zaferi|zaferi))", {1517});
    fact("Mohács", R"((?<!II\. )(?<!İkinci )Mohaç (Savaşı|Meydan|Ovası|zaferi))", {1526});
    fact("Preveze", R"(Preveze (Deniz|önlerinde|zaferi))", {1538});
    fact("Haçova", R"(Haçova)", {1596});
    fact("Prut", R"(Prut Savaşı)", {1711});
    // Treaties and edicts.
    fact("Zsitvatorok", R"(Zitvatorok Antlaşması)", {1606});
    fact("Kasr-ı Şirin", R"(Kasr-ı Şirin Antlaşması)", {1639});
    fact("Karlowitz", R"(Karlofça Antlaşması)", {1699});
    fact("Passarowitz", R"(Pasarofça Antlaşması)", {1718});
    fact("Küçük Kaynarca", R"(Küçük Kaynarca Antlaşması)", {1774});
    fact("Hünkâr İskelesi", R"(Hünkâr İskelesi Antlaşması)", {1833});
    fact("Tanzimat", R"(Tanzimat Fermanı)", {1839});
    fact("Islahat", R"(Islahat Fermanı)", {1856});
    fact("San Stefano", R"(Ayastefanos Antlaşması)", {1878});
    fact("Berlin", R"(Berlin Antlaşması)", {1878});
    fact("Mudros", R"(Mondros Mütarekesi)", {1918});
    fact("Sèvres", R"(Sevr Antlaşması)", {1920});
    fact("Lausanne", R"(Lozan Antlaşması)", {1923});
    // Conquests, buildings and the rest that the bodies once disagreed on.
    fact("Tzympe", R"(Çimpe)", {1352});
    fact("Edirne taken", R"(Edirne'(yi fethetti|nin fethi))", {1361});
    fact("Bursa Ulu Cami", R"(Ulu Camii)", {1396, 1399});
    fact("Yeşil Cami completed", R"(tamamlanan Yeşil|Yeşil (Cami|Külliye)[^.;]{0,20}tamamlan)", {1419});
    fact("Bedreddin executed", R"(Bedreddin[^.;]{0,40}idam)", {1420});
    fact("Istanbul taken", R"(İstanbul('u fethetti|'un fethi|[^.;]{0,12}fethedildi))", {1453});
    fact("Bellini in Istanbul", R"(Bellini)", {1479});
    fact("rest of Herzegovina", R"(Hersek'in (kalan|geri kalan))", {1482});
    fact("Belgrade taken", R"(Belgrad('ın fethi|[^.;]{0,30}fethedildi|[^.;]{0,20}teslim oldu))", {1521});
    fact("Rhodes taken", R"(Rodos('un fethi|[^.;]{0,20}fethedildi))", {1522});
    fact("Cyprus taken", R"(Kıbrıs('ın fethi|[^.;]{0,20}(fethedildi|alındı)))", {1571});
    fact("Karayazıcı's revolt", R"(Karayazıcı[^.;]{0,20}(ayaklandı|itibaren))", {1598});
    fact("Sultanahmet Camii", R"(Sultanahmet Camii('ni yaptı| \d))", {1609, 1617});
    fact("first constitution", R"((?<!I)I\. Meşrutiyet)", {1876});
    fact("second constitution", R"(II\. Meşrutiyet)", {1908});
}

void TestContentConsistency::factsKeepTheirYears()
{
    QFETCH(QString, pattern);
    QFETCH(QList<int>, accepted);
    const QRegularExpression re(pattern, kUnicode);
    QVERIFY2(re.isValid(), qPrintable(re.errorString()));
    QStringList acceptedText;
    for (int y : accepted)
        acceptedText << QString::number(y);
    QStringList wrong;
    int dated = 0;
    for (const Body& b : allBodies()) {
        for (const Mention& m : datedMentions(b, re)) {
            ++dated;
            for (int y : m.years)
                if (!accepted.contains(y))
                    wrong << QStringLiteral("%1, line %2: %3 where the table accepts %4: \"%5\"")
                                 .arg(b.name)
                                 .arg(m.line)
                                 .arg(y)
                                 .arg(acceptedText.join(QLatin1String(" or ")), m.text.left(160));
        }
    }
    QVERIFY2(dated > 0, "no body dates this fact any more; its pattern needs to follow the text");
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
}

void TestContentConsistency::oneApostrophe()
{
    // The straight apostrophe, as in the fixed headings ("FAS'IN FETHİ"); a
    // typographic one would make a body mix the two.
    static const QString others = QStringLiteral("\u2019\u2018\u02BC`\u00B4");
    QStringList found;
    for (const Body& b : allBodies()) {
        const QStringList lines = b.text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < lines.size(); ++i)
            for (QChar c : lines[i])
                if (others.contains(c)) {
                    const qsizetype at = lines[i].indexOf(c);
                    found << QStringLiteral("%1, line %2: ...%3...")
                                 .arg(b.name)
                                 .arg(i + 1)
                                 .arg(lines[i].mid(std::max(at - 40, qsizetype(0)), 80));
                    break;
                }
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
}

void TestContentConsistency::circumflexOneWay_data()
{
    // The form every body uses, and whether it is the whole word or the
    // start of every word made from it.
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("wholeWord");
    const auto word = [](const char* form, bool whole) { QTest::newRow(form) << QString::fromUtf8(form) << whole; };
    // Relational adjectives carry the circumflex.
    for (const char* f : {"safevî", "celâl", "abbasî", "siyasî", "ticarî", "milâdî"})
        word(f, false);
    for (const char* f : {"millî", "hukukî", "medenî", "muradî"})
        word(f, true);
    // So do hâl, and a palatal k or g.
    for (const char* f : {"hâle", "hâlde", "hâlinde", "hâline", "hüdavendigâr"})
        word(f, true);
    for (const char* f : {"hünkâr", "kâtip", "mahkûm", "sanatkâr", "ahkâm"})
        word(f, false);
    // Elsewhere it is left out.
    for (const char* f : {"islam", "şeyhülislam", "babıali", "teşkilat", "itilaf", "hümayun", "istiklal"})
        word(f, false);
}

void TestContentConsistency::circumflexOneWay()
{
    QFETCH(QString, form);
    QFETCH(bool, wholeWord);
    const QString plain = withoutCircumflex(form);
    QStringList other;
    for (auto it = wordPlaces().cbegin(); it != wordPlaces().cend(); ++it) {
        const QString& word = it.key();
        const QString p = withoutCircumflex(word);
        const bool same = wholeWord ? p == plain : p.startsWith(plain);
        if (same && !(wholeWord ? word == form : word.startsWith(form)))
            other << it.value();
    }
    other.sort();
    QVERIFY2(other.isEmpty(), qPrintable(other.join('\n')));
}

QTEST_APPLESS_MAIN(TestContentConsistency)
#include "test_content_consistency.moc"
