#include "commandline.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

// A folder with the program's working folder and its installed data folder in it:
//   work/Βιβλία.kar, work/folder/ (no card file), share/velmora/Filis.dat
class tst_commandline : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    QString at(const QString &relative) const { return m_root.filePath(relative); }
    StartFolders folders() const { return {at(QStringLiteral("work")), at(QStringLiteral("share/velmora"))}; }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(at(QStringLiteral("work/folder"))));
        QVERIFY(QDir().mkpath(at(QStringLiteral("share/velmora"))));
        for (const QString &file :
             {QStringLiteral("work/Βιβλία.kar"), QStringLiteral("share/velmora/Filis.dat")}) {
            QFile f(at(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

    // Each text is, with %1 standing for the temporary folder, a part of what is printed.
    void choice_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QString>("cardFile"); // under the temporary folder; empty: no run
        QTest::addColumn<bool>("installed");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("texts");

        const QByteArray greek = QStringLiteral("Βιβλία.kar").toUtf8();
        QTest::newRow("nothing") << QByteArrayList{} << "work/Filis.dat" << false << 0 << QStringList();
        QTest::newRow("--installed") << QByteArrayList{"--installed"} << "share/velmora/Filis.dat" << true
                                     << 0 << QStringList();
        QTest::newRow("a card file of any name")
            << QByteArrayList{greek} << "work/Βιβλία.kar" << false << 0 << QStringList();
        QTest::newRow("a folder without a card file")
            << QByteArrayList{"folder/"} << "work/folder/Filis.dat" << false << 0 << QStringList();
        QTest::newRow("a named file before --installed")
            << QByteArrayList{"--installed", greek} << "work/Βιβλία.kar" << false << 0 << QStringList();
        QTest::newRow("the installed folder named")
            << QByteArrayList{"../share/velmora"} << "share/velmora/Filis.dat" << true << 0 << QStringList();
        QTest::newRow("--help") << QByteArrayList{"--help", "two", "three"} << "" << false << 0
                                << QStringList{QStringLiteral("Usage: velmora [options] [CARDFILE]\n"),
                                               QStringLiteral("  --installed "),
                                               QStringLiteral("%1/share/velmora/Filis.dat")};
        QTest::newRow("--version") << QByteArrayList{"--version"} << "" << false << 0
                                   << QStringList{QStringLiteral("velmora " VELMORA_VERSION "\n")};
        QTest::newRow("an unknown option")
            << QByteArrayList{"--bogus"} << "" << false << 2
            << QStringList{QStringLiteral("velmora: Unknown option 'bogus'.\nTry 'velmora --help'")};
        QTest::newRow("two card files") << QByteArrayList{greek, "folder"} << "" << false << 2
                                        << QStringList{QStringLiteral("one CARDFILE at most, 2 given")};
        QTest::newRow("an empty name") << QByteArrayList{""} << "" << false << 2
                                       << QStringList{QStringLiteral("the card file name is empty")};
        QTest::newRow("a missing file") << QByteArrayList{"folder/Filis.dat"} << "" << false << 2
                                        << QStringList{QStringLiteral("folder/Filis.dat: No such file")};
        QTest::newRow("a name that is not UTF-8")
            << QByteArrayList{"caf\xe9.dat"} << "" << false << 2
            << QStringList{QStringLiteral("'caf\\xE9.dat' is not UTF-8")};
    }
    void choice()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QString, cardFile);
        QFETCH(bool, installed);
        QFETCH(int, status);
        QFETCH(QStringList, texts);

        const StartChoice choice = readCommandLine(arguments, folders());
        QCOMPARE(choice.run, !cardFile.isEmpty());
        if (choice.run)
            QCOMPARE(QDir::cleanPath(choice.cardFile), at(cardFile));
        QCOMPARE(choice.installed, installed);
        QCOMPARE(choice.status, status);
        for (const QString &text : texts)
            QVERIFY2(choice.text.contains(text.arg(m_root.path())), qPrintable(choice.text));
        QCOMPARE(choice.text.isEmpty(), texts.isEmpty());
    }

    // The real program, where no display can be reached: it answers and creates nothing.
    void withoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << "Usage: velmora"
                                << "";
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                                   << "velmora " VELMORA_VERSION "\n"
                                   << "";
        QTest::newRow("a missing file") << QStringList{QStringLiteral("Filis.dat")} << 2 << ""
                                        << "velmora: Filis.dat: No such file or directory\n";
    }
    void withoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir folder;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(VELMORA_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30000));
        const QString said = QString::fromUtf8(program.readAllStandardOutput());
        const QString complained = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QVERIFY2(out.isEmpty() ? said.isEmpty() : said.startsWith(out), qPrintable(said));
        QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.startsWith(err), qPrintable(complained));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_commandline)
#include "tst_commandline.moc"
