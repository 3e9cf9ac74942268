// The reading bodies and icons as the program carries them: the forms,
// counts and lengths the reading screens were laid out for.
#include "content/Content.h"
#include "runtime/Picture.h"
#include "runtime/Text.h"

#include <QImageReader>
#include <QBuffer>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

using namespace yelvanis;

namespace {

QString body(const QString& name)
{
    return QString::fromStdString(std::string(content::get(("reading/" + name).toStdString())));
}

// The lines of a body; the final CR LF ends the last line, it does not open another.
QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QRegularExpression kFootnoteLine(QStringLiteral("^\\[(\\d+)\\] \\S"));
const QRegularExpression kMark(QStringLiteral("\\[(\\d+)\\]"));

// Index of the first line of the footnote block at the end of an article.
qsizetype footnoteStart(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (kFootnoteLine.match(lines[i]).hasMatch())
            return i;
    return lines.size();
}

// The text before the footnotes, split into its paragraphs: runs of lines
// between empty lines for a hard-wrapped body, single lines otherwise.
QStringList paragraphs(const QStringList& lines, bool hardWrapped)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < footnoteStart(lines); ++i) {
        const QString& l = lines[i];
        if (!hardWrapped) {
            if (!l.isEmpty())
                out << l;
            continue;
        }
        if (l.isEmpty()) {
            if (!current.isEmpty())
                out << current;
            current.clear();
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + l;
        }
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

bool isQuotation(const QString& p)
{
    return p.startsWith(QChar(0x201C)) && p.endsWith(QChar(0x201D));
}

struct IcoEntry {
    int width, height, bits;
    quint32 compression;
    bool png;
};

// Reads the directory of an ICO file and the header of every image in it.
QList<IcoEntry> icoEntries(const QByteArray& b)
{
    auto u16 = [&](qsizetype o) { return int(quint8(b[o])) | int(quint8(b[o + 1])) << 8; };
    auto u32 = [&](qsizetype o) { return quint32(u16(o)) | quint32(u16(o + 2)) << 16; };
    QList<IcoEntry> out;
    if (b.size() < 6 || u16(0) != 0 || u16(2) != 1)
        return out;
    for (int i = 0; i < u16(4); ++i) {
        const qsizetype dir = 6 + 16 * i;
        const qsizetype at = u32(dir + 12);
        if (at + 40 > b.size() || at + u32(dir + 8) > quint32(b.size()))
            return {};
        const bool png = b.mid(at, 4) == QByteArray("\x89PNG");
        out << IcoEntry{int(u32(at + 4)), int(u32(at + 8)) / 2, u16(at + 14), u32(at + 16), png};
        const int dirWidth = quint8(b[dir]) ? quint8(b[dir]) : 256;
        if (dirWidth != out.last().width || u16(dir + 6) != out.last().bits)
            return {};
    }
    return out;
}

// Position of a letter in the Turkish alphabet; anything else is skipped.
int turkishOrder(QChar c)
{
    static const QString alphabet = QStringLiteral("ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
    if (c == QChar(0xC2)) c = QLatin1Char('A'); // Â
    if (c == QChar(0xCE)) c = QChar(0x130);     // Î
    if (c == QChar(0xDB)) c = QLatin1Char('U'); // Û
    return int(alphabet.indexOf(c));
}

QList<int> sortKey(const QString& title)
{
    QList<int> key;
    for (QChar c : title)
        if (int k = turkishOrder(c); k >= 0)
            key << k;
    return key;
}

} // namespace

class TestReadingContent : public QObject {
    Q_OBJECT
private slots:
    void bodiesAreWellFormed_data();
    void bodiesAreWellFormed();
    void footnotesMatchTheirMarks_data();
    void footnotesMatchTheirMarks();
    void essaysHaveTheirParagraphsPointsAndQuotations_data();
    void essaysHaveTheirParagraphsPointsAndQuotations();
    void interviewLayout();
    void hardWrappedArticleEndsWithItsSource();
    void documentsAreIntroducedAndQuoted();
    void uprisingEssayHasItsFourSections();
    void glossaryEntries();
    void glossaryTitleForms();
    void willIsOneQuotationInFourParagraphs();
    void iconImages_data();
    void iconImages();
};

void TestReadingContent::bodiesAreWellFormed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("typographicQuotes");
    QTest::newRow("article 1") << "bilinmeyenler1.txt" << 5507 << true;
    QTest::newRow("article 2") << "bilinmeyenler2.txt" << 16329 << true;
    QTest::newRow("article 3") << "bilinmeyenler3.txt" << 9153 << true;
    QTest::newRow("article 4") << "bilinmeyenler4.txt" << 13261 << true;
    QTest::newRow("article 5") << "bilinmeyenler5.txt" << 11438 << true;
    QTest::newRow("article 6") << "bilinmeyenler6.txt" << 14237 << true;
    QTest::newRow("titles") << "unvanlar.txt" << 13735 << false;
    QTest::newRow("will") << "vasiyet.txt" << 2643 << false;
}

void TestReadingContent::bodiesAreWellFormed()
{
    QFETCH(QString, name);
    QFETCH(int, length);
    QFETCH(bool, typographicQuotes);
    const std::string raw(content::get(("reading/" + name).toStdString()));
    std::string bad;
    QVERIFY2(encodableInCp1254(raw, &bad), ("not in code page 1254: " + bad).c_str());

    const QString text = QString::fromStdString(raw);
    // CR LF and nothing else breaks lines, and the body ends with one.
    QCOMPARE(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
    QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QVERIFY(!text.endsWith(QStringLiteral("\r\n\r\n")));
    QVERIFY(!text.contains(QLatin1Char('\t')));

    const qsizetype n = qsizetype(characterCount(raw));
    QVERIFY2(n >= length * 0.9 && n <= length * 1.1, qPrintable(QStringLiteral("%1 characters").arg(n)));

    // Paragraphs are separated by one empty line, never two.
    QVERIFY(!text.contains(QStringLiteral("\r\n\r\n\r\n")));
    if (typographicQuotes)
        QVERIFY2(!text.contains(QLatin1Char('"')), "a straight double quote in an article");
    // Quotation marks come in pairs.
    QCOMPARE(text.count(QChar(0x201C)), text.count(QChar(0x201D)));
}

void TestReadingContent::footnotesMatchTheirMarks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("marks");
    QTest::newRow("article 1") << "bilinmeyenler1.txt" << QStringList{"1", "2"};
    QTest::newRow("article 2") << "bilinmeyenler2.txt" << QStringList{"1", "2"};
    QTest::newRow("article 3") << "bilinmeyenler3.txt" << QStringList{"1"};
    QTest::newRow("article 4") << "bilinmeyenler4.txt" << QStringList{"1"};
    QTest::newRow("article 5") << "bilinmeyenler5.txt" << QStringList{"1"};
    QTest::newRow("article 6") << "bilinmeyenler6.txt" << QStringList{"1", "2", "3"};
}

void TestReadingContent::footnotesMatchTheirMarks()
{
    QFETCH(QString, name);
    QFETCH(QStringList, marks);
    const QStringList lines = linesOf(body(name));
    const qsizetype start = footnoteStart(lines);
    QVERIFY2(start < lines.size(), "no footnotes");
    QVERIFY(start > 0 && lines[start - 1].isEmpty());

    // Each mark stands once in the text, and its footnote at the end begins with it.
    QStringList inText;
    for (qsizetype i = 0; i < start; ++i)
        for (const auto& m : kMark.globalMatch(lines[i]))
            inText << m.captured(1);
    std::sort(inText.begin(), inText.end());
    QCOMPARE(inText, marks);

    QStringList notes;
    for (qsizetype i = start; i < lines.size(); ++i) {
        QVERIFY2(!lines[i].isEmpty(), "an empty line inside the footnotes");
        if (const auto m = kFootnoteLine.match(lines[i]); m.hasMatch())
            notes << m.captured(1);
    }
    QCOMPARE(notes, marks);
}

void TestReadingContent::essaysHaveTheirParagraphsPointsAndQuotations_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hardWrapped");
    QTest::addColumn<int>("paragraphCount"); // -1: not fixed
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<int>("quotations");
    QTest::newRow("article 2") << "bilinmeyenler2.txt" << false << 20 << QStringList{"1)", "2)"} << 3;
    QTest::newRow("article 3") << "bilinmeyenler3.txt" << true << 14 << QStringList{"1)", "2)", "3)"} << 1;
    QTest::newRow("article 4") << "bilinmeyenler4.txt" << false << 15 << QStringList{} << 0;
    QTest::newRow("article 5") << "bilinmeyenler5.txt" << false << 16 << QStringList{} << 2;
    QTest::newRow("article 6") << "bilinmeyenler6.txt" << false << -1
                               << QStringList{"1)", "2)", "3)", "4)", "1)", "2)", "3)", "4)"} << 0;
}

void TestReadingContent::essaysHaveTheirParagraphsPointsAndQuotations()
{
    QFETCH(QString, name);
    QFETCH(bool, hardWrapped);
    QFETCH(int, paragraphCount);
    QFETCH(QStringList, points);
    QFETCH(int, quotations);
    const QStringList ps = paragraphs(linesOf(body(name)), hardWrapped);
    if (paragraphCount >= 0)
        QCOMPARE(ps.size(), paragraphCount);

    static const QRegularExpression point(QStringLiteral("^(\\d\\)) \\S"));
    QStringList found;
    int quoted = 0;
    for (const QString& p : ps) {
        if (const auto m = point.match(p); m.hasMatch())
            found << m.captured(1);
        if (isQuotation(p))
            ++quoted;
        // No stray blanks round a paragraph.
        QVERIFY2(!p.startsWith(QLatin1Char(' ')) && !p.endsWith(QLatin1Char(' ')), qPrintable(p.left(40)));
    }
    QCOMPARE(found, points);
    QCOMPARE(quoted, quotations);
}

void TestReadingContent::interviewLayout()
{
    const QStringList lines = linesOf(body(QStringLiteral("bilinmeyenler1.txt")));
    QVERIFY(lines.size() > 5);
    QVERIFY(lines[0].endsWith(QLatin1Char('?')));
    QCOMPARE(lines[1], QStringLiteral(" "));
    QCOMPARE(lines[2], QStringLiteral("Prof Dr. Verzimen"));
    QCOMPARE(lines[3], QStringLiteral(" "));
    QCOMPARE(lines[4], QString());

    // The answer: two paragraphs, 21 quoted provisions, a closing sentence.
    const QStringList answer = paragraphs(lines.mid(5), false);
    QCOMPARE(answer.size(), 2 + 21 + 1);
    static const QRegularExpression provision(QStringLiteral("^([BEİ])-(\\d+)\\. \u201C[^\u201C\u201D]+\u201D$"));
    QSet<QString> codes, cities;
    for (qsizetype i = 0; i < answer.size(); ++i) {
        const auto m = provision.match(answer[i]);
        const bool isProvision = i >= 2 && i < 2 + 21;
        QVERIFY2(m.hasMatch() == isProvision, qPrintable(answer[i].left(40)));
        if (!isProvision)
            continue;
        QVERIFY2(!codes.contains(m.captured(1) + m.captured(2)), qPrintable(answer[i].left(10)));
        codes << m.captured(1) + m.captured(2);
        cities << m.captured(1);
    }
    QCOMPARE(cities, (QSet<QString>{"B", "E", "İ"}));
    QVERIFY(codes.contains(QStringLiteral("İ45")));
}

void TestReadingContent::hardWrappedArticleEndsWithItsSource()
{
    const QStringList lines = linesOf(body(QStringLiteral("bilinmeyenler3.txt")));
    for (const QString& l : lines) {
        QVERIFY2(l.size() <= 72, qPrintable(l));
        // Lines break between words.
        QVERIFY2(!l.startsWith(QLatin1Char(' ')) && !l.endsWith(QLatin1Char(' ')), qPrintable(l));
    }
    static const QRegularExpression source(QStringLiteral("^KAYNAK : https?://[^\\s/]+\\.[^\\s]+$"));
    QVERIFY2(source.match(lines.last()).hasMatch(), qPrintable(lines.last()));
    QVERIFY(footnoteStart(lines) < lines.size() - 1);
}

void TestReadingContent::documentsAreIntroducedAndQuoted()
{
    const QStringList lines = linesOf(body(QStringLiteral("bilinmeyenler5.txt")));
    for (const QString& intro : {QStringLiteral("Birincisi;"), QStringLiteral("İkincisi;")}) {
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(intro); });
        QVERIFY2(at != lines.end(), qPrintable(intro));
        // The document follows its introduction directly, without an empty line.
        QVERIFY(at + 1 != lines.end() && isQuotation(*(at + 1)));
    }
}

void TestReadingContent::uprisingEssayHasItsFourSections()
{
    const QStringList lines = linesOf(body(QStringLiteral("bilinmeyenler6.txt")));
    const QStringList fixed{
        "I- Genel olarak Celâlî isyanları ve sebepleri",
        "II- III. Mehmed devrindeki belli başlı Celâlî isyanları",
        "III- Kuyucu Murâd Paşa ve Osmanlı tarihinde zulmün kötü misâli olarak gösterilmesi nedenleri",
    };
    QList<qsizetype> at;
    for (const QString& h : fixed)
        at << lines.indexOf(h);
    const auto fourth = std::find_if(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("IV. ")) && l.contains(QStringLiteral("Cağaloğlu"))
            && l.contains(QStringLiteral("Sinan Paşa"));
    });
    QVERIFY(fourth != lines.end());
    at << (fourth - lines.begin());
    QCOMPARE(at.first(), 0);
    QVERIFY(std::is_sorted(at.begin(), at.end()) && !at.contains(-1));

    // The numbered points stand in sections I and III.
    static const QRegularExpression point(QStringLiteral("^\\d\\) "));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!point.match(lines[i]).hasMatch())
            continue;
        const bool inFirst = i > at[0] && i < at[1];
        const bool inThird = i > at[2] && i < at[3];
        QVERIFY2(inFirst || inThird, qPrintable(lines[i].left(40)));
    }
}

void TestReadingContent::glossaryEntries()
{
    const QStringList lines = linesOf(body(QStringLiteral("unvanlar.txt")));
    // Title line(s), one meaning line, one line holding a single blank.
    QList<QStringList> entries;
    QStringList current;
    for (const QString& l : lines) {
        if (l == QStringLiteral(" ")) {
            entries << current;
            current.clear();
        } else {
            QVERIFY2(!l.isEmpty(), "an empty line in the glossary");
            current << l;
        }
    }
    QVERIFY2(current.isEmpty(), "the last entry has no separator line");
    QCOMPARE(entries.size(), 162);
    QCOMPARE(entries.first().first(), QStringLiteral("ADLİ"));
    QCOMPARE(entries.last().first(), QStringLiteral("ZADE"));

    static const QRegularExpression meaning(QStringLiteral("^ : \"[^\"]+\"\\. \\S.*\\.$"));
    QList<int> previous;
    for (const QStringList& e : entries) {
        QVERIFY2(e.size() == 2 || e.size() == 3, qPrintable(e.join('|')));
        QVERIFY2(meaning.match(e.last()).hasMatch(), qPrintable(e.last()));
        const QString title = e.mid(0, e.size() - 1).join(QLatin1Char(' '));
        for (QChar c : title)
            QVERIFY2(!c.isLower(), qPrintable(title));
        // A glossary in Turkish alphabetical order.
        const QList<int> key = sortKey(title);
        QVERIFY2(previous < key, qPrintable(title));
        previous = key;
    }
    QVERIFY(entries.first().last().startsWith(QStringLiteral(" : \"Adil\".")));
}

void TestReadingContent::glossaryTitleForms()
{
    const QString text = body(QStringLiteral("unvanlar.txt"));
    // Two titles take two lines; variants join with a slash or a comma; a
    // title line may end in a blank.
    for (const char* form : {"\r\nHAKANÜ'L BERREYN\r\nVE'L BAHREYN\r\n : ", "\r\nMEHD-İ ULYA-YI \r\nSALTANAT\r\n : ",
                             "\r\nŞAHZADE/ŞEHZADE\r\n : ", "\r\nHACE, HACİ\r\n : ", "\r\nGÖZDE \r\n : "})
        QVERIFY2(text.contains(QString::fromUtf8(form)), form);
}

void TestReadingContent::willIsOneQuotationInFourParagraphs()
{
    const QString text = body(QStringLiteral("vasiyet.txt"));
    const QStringList lines = linesOf(text);
    QCOMPARE(lines.size(), 7);
    for (int i = 0; i < lines.size(); ++i) {
        if (i % 2) {
            QCOMPARE(lines[i], QString());
            continue;
        }
        QVERIFY2(lines[i].size() >= 580 && lines[i].size() <= 738, qPrintable(QString::number(lines[i].size())));
    }
    QVERIFY(lines.first().startsWith(QStringLiteral("\"Ey oğul!")));
    QVERIFY(lines.last().endsWith(QStringLiteral("\".")));
    QCOMPARE(text.count(QLatin1Char('"')), 2);
}

void TestReadingContent::iconImages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QList<QList<int>>>("images"); // width, height, bits per pixel
    QTest::newRow("photos") << "fotolar.ico" << 86358
                            << QList<QList<int>>{{32, 32, 8}, {16, 16, 8}, {128, 128, 32},
                                                 {48, 48, 32}, {32, 32, 32}, {16, 16, 32}};
    QTest::newRow("maps") << "haritalar.ico" << 10134
                          << QList<QList<int>>{{48, 48, 4}, {16, 16, 8}, {32, 32, 8},
                                               {48, 48, 8}, {16, 16, 4}, {32, 32, 4}};
}

void TestReadingContent::iconImages()
{
    QFETCH(QString, name);
    QFETCH(int, bytes);
    QFETCH(QList<QList<int>>, images);
    const std::string_view data = content::get(("reading/" + name).toStdString());
    const QByteArray b(data.data(), qsizetype(data.size()));
    QCOMPARE(b.size(), bytes);

    // Every image an uncompressed bitmap, in the listed order.
    const QList<IcoEntry> entries = icoEntries(b);
    QCOMPARE(entries.size(), images.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const IcoEntry& e = entries[i];
        QCOMPARE((QList<int>{e.width, e.height, e.bits}), images[i]);
        QVERIFY(!e.png);
        QCOMPARE(e.compression, 0u);
    }

    // The program's own reader agrees.
    const auto info = readPictureInfo(data);
    QVERIFY(info && info->format == PictureFormat::Ico);
    QCOMPARE(int(info->images.size()), int(images.size()));
    for (qsizetype i = 0; i < images.size(); ++i)
        QCOMPARE((QList<int>{info->images[i].width, info->images[i].height, info->images[i].bitsPerPixel}), images[i]);

    // And a platform decoder reads every image at its size, not blank.
    QBuffer buffer;
    buffer.setData(b);
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), int(images.size()));
    for (qsizetype i = 0; i < images.size(); ++i) {
        QVERIFY(reader.jumpToImage(int(i)));
        const QImage img = reader.read();
        QCOMPARE(img.size(), QSize(images[i][0], images[i][1]));
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                colours << img.pixel(x, y);
        QVERIFY2(colours.size() >= 4, qPrintable(QString::number(i)));
    }
}

QTEST_GUILESS_MAIN(TestReadingContent)
#include "test_reading_content.moc"
