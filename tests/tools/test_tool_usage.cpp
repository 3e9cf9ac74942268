// Every tool answers --help with its usage and success, and refuses a bad
// argument with one line and exit code 2, without doing any of its work.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestToolUsage : public QObject {
    Q_OBJECT

private:
    struct Run {
        int code = -1;
        QString out, err;
    };

    static Run run(const QString& program, const QStringList& args, const QString& folder)
    {
        QProcess p;
        p.setWorkingDirectory(folder);
        p.start(program, args);
        Run r;
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return r;
        r.code = p.exitCode();
        r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    static void addTools()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("badArgs");
        const QString bin = QStringLiteral(TOOLS_DIR) + QLatin1Char('/');
        const QStringList unknownOption{QStringLiteral("--no-such-option")};
        QTest::newRow("bench") << bin + "yelvanis-bench" << unknownOption;
        QTest::newRow("bench --json without a file") << bin + "yelvanis-bench" << QStringList{"--quick", "--json"};
        QTest::newRow("navigation-soak") << bin + "yelvanis-navigation-soak" << unknownOption;
        QTest::newRow("navigation-soak steps not a number") << bin + "yelvanis-navigation-soak" << QStringList{"12x"};
        QTest::newRow("navigation-soak too many") << bin + "yelvanis-navigation-soak" << QStringList{"5", "1", "9"};
        QTest::newRow("inspect") << bin + "yelvanis-inspect" << QStringList{"giris"};
        QTest::newRow("shots") << bin + "yelvanis-shots" << unknownOption;
        QTest::newRow("shots unknown screen") << bin + "yelvanis-shots" << QStringList{"out", "giris", "nosuchscreen"};
        QTest::newRow("swf") << bin + "yelvanis-swf" << unknownOption;
        QTest::newRow("swf render frame not a number") << bin + "yelvanis-swf" << QStringList{"render", "a.swf", "x", "o.png"};
        QTest::newRow("swf info two files") << bin + "yelvanis-swf" << QStringList{"info", "a.swf", "b.swf"};
        QTest::newRow("movies") << bin + "yelvanis-movies" << QStringList{"out", "nosuch.swf"};
        QTest::newRow("embed") << bin + "yelvanis-embed" << QStringList{"out.cpp"};
    }

private slots:
    void helpPrintsUsage_data() { addTools(); }
    void helpPrintsUsage()
    {
        QFETCH(QString, program);
        QTemporaryDir folder;
        const Run r = run(program, {QStringLiteral("--help")}, folder.path());
        QCOMPARE(r.code, 0);
        const QString name = QFileInfo(program).fileName();
        QVERIFY2(r.out.startsWith("usage: " + name), qPrintable(r.out));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void badArgumentIsRefusedInOneLine_data() { addTools(); }
    void badArgumentIsRefusedInOneLine()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, badArgs);
        QTemporaryDir folder;
        const Run r = run(program, badArgs, folder.path());
        QCOMPARE(r.code, 2);
        const QString name = QFileInfo(program).fileName();
        QVERIFY2(r.err.startsWith(name + ": ") && r.err.count('\n') == 1 && r.err.endsWith('\n'), qPrintable(r.err));
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        // Refused before any work: nothing made in the folder it ran in.
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestToolUsage)
#include "test_tool_usage.moc"
