// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "version.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace velmora;

class tst_commandline : public QObject
{
    Q_OBJECT

    // work/Βιβλία.kar, work/folder/ (no card file in it), share/velmora/Filis.dat
    QTemporaryDir m_root;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("work/folder")));
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("share/velmora")));
        QVERIFY(QFile(m_root.filePath(QStringLiteral("work/Βιβλία.kar"))).open(QIODevice::WriteOnly));
        QVERIFY(QFile(m_root.filePath(QStringLiteral("share/velmora/Filis.dat"))).open(QIODevice::WriteOnly));
    }

    // The outcome is "run", "installed" before the card file's place when it is the
    // installed one, and the card file's place; or a part of the text printed, with %1
    // for the temporary folder.
    void choice_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("outcome");
        const QByteArray greek = QStringLiteral("Βιβλία.kar").toUtf8();
        QTest::newRow("nothing") << QByteArrayList{} << 0 << "run work/Filis.dat";
        QTest::newRow("--installed") << QByteArrayList{"--installed"} << 0
                                     << "run installed share/velmora/Filis.dat";
        QTest::newRow("any name") << QByteArrayList{greek} << 0 << "run work/Βιβλία.kar";
        QTest::newRow("a folder") << QByteArrayList{"folder/"} << 0 << "run work/folder/Filis.dat";
        QTest::newRow("a name wins") << QByteArrayList{"--installed", greek} << 0 << "run work/Βιβλία.kar";
        QTest::newRow("--edit") << QByteArrayList{greek, "--edit"} << 0 << "run editing work/Βιβλία.kar";
        QTest::newRow("the installed folder named")
            << QByteArrayList{"../share/velmora"} << 0 << "run installed share/velmora/Filis.dat";
        QTest::newRow("--help") << QByteArrayList{"--help", "a", "b"} << 0
                                << "Usage: velmora [options] [CARDFILE]\n";
        QTest::newRow("-h") << QByteArrayList{"-h"} << 0 << " %1/share/velmora/Filis.dat,";
        QTest::newRow("--version") << QByteArrayList{"--version"} << 0
                                   << QStringLiteral("velmora %1\n").arg(version::Text);
        QTest::newRow("unknown option")
            << QByteArrayList{"--bogus"} << 2 << "velmora: Unknown option 'bogus'.\nTry 'velmora --help'";
        QTest::newRow("two card files")
            << QByteArrayList{greek, "folder"} << 2 << "one CARDFILE at most, 2 given";
        QTest::newRow("empty name") << QByteArrayList{""} << 2 << "the card file name is empty";
        QTest::newRow("missing") << QByteArrayList{"folder/Filis.dat"} << 2
                                 << "folder/Filis.dat: No such file";
        QTest::newRow("not UTF-8") << QByteArrayList{"caf\xe9.dat"} << 2 << "'caf\\xE9.dat' is not UTF-8";
    }
    void choice()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(int, status);
        QFETCH(QString, outcome);
        const QDir root(m_root.path());
        const StartChoice choice =
            readCommandLine(arguments, {root.filePath(QStringLiteral("work")),
                                        root.filePath(QStringLiteral("share/velmora"))});
        const QString seen =
            !choice.run ? choice.text
                        : QStringLiteral("run %1%2%3")
                              .arg(choice.installed ? "installed " : "", choice.edit ? "editing " : "",
                                   root.relativeFilePath(choice.cardFile));
        QVERIFY2(choice.run ? seen == outcome
                            : seen.contains(QString(outcome).replace(QStringLiteral("%1"), root.path())),
                 qPrintable(seen));
        QCOMPARE(choice.status, status);
    }

    // The installed bibliography is known by the file itself, however it is reached.
    void theInstalledFileWhicheverWay_data()
    {
        QTest::addColumn<QString>("working");
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<bool>("installed");
        QTest::newRow("started in its folder") << "share/velmora" << QByteArrayList{"--edit"} << true;
        QTest::newRow("its folder as the working folder, named")
            << "share/velmora" << QByteArrayList{"Filis.dat"} << true;
        QTest::newRow("a hard link") << "work" << QByteArrayList{"installed.dat", "--edit"} << true;
        QTest::newRow("a copy") << "work" << QByteArrayList{"copy.dat"} << false;
        QTest::newRow("another folder") << "work" << QByteArrayList{"--edit"} << false;
    }
    void theInstalledFileWhicheverWay()
    {
        QFETCH(QString, working);
        QFETCH(QByteArrayList, arguments);
        QFETCH(bool, installed);
        const QDir root(m_root.path());
        const QString installedCards = root.filePath(QStringLiteral("share/velmora/Filis.dat"));
        QCOMPARE(::link(QFile::encodeName(installedCards).constData(),
                        QFile::encodeName(root.filePath(QStringLiteral("work/installed.dat"))).constData()),
                 0);
        QFile::copy(installedCards, root.filePath(QStringLiteral("work/copy.dat")));
        const StartChoice choice = readCommandLine(
            arguments, {root.filePath(working), root.filePath(QStringLiteral("share/velmora"))});
        QFile::remove(root.filePath(QStringLiteral("work/installed.dat")));
        QFile::remove(root.filePath(QStringLiteral("work/copy.dat")));
        QVERIFY(choice.run);
        QCOMPARE(choice.installed, installed);
    }

    // The real program, where no display can be reached: it answers and creates nothing,
    // in Greek under a Greek locale.
    void withoutADisplay_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << "C.UTF-8"
                                << "--help" << 0 << "Usage: velmora"
                                << "";
        QTest::newRow("--version") << "C.UTF-8"
                                   << "--version" << 0 << QStringLiteral("velmora %1\n").arg(version::Text)
                                   << "";
        QTest::newRow("missing") << "C.UTF-8"
                                 << "Filis.dat" << 2 << ""
                                 << "velmora: Filis.dat: No such file or directory\n";
        // A name that would act on the terminal is written so that it is only read.
        QTest::newRow("control characters in the name")
            << "C.UTF-8" << QStringLiteral("Fi\u001B[2Jlis\n\u202E.dat") << 2 << ""
            << "velmora: Fi\\x1B[2Jlis\\x0A\\u202E.dat: No such file or directory\n";
        QTest::newRow("DEL and C1 controls in the name")
            << "C.UTF-8" << QStringLiteral("Fi\u007Fl\u009B2Jis.dat") << 2 << ""
            << "velmora: Fi\\x7Fl\\x9B2Jis.dat: No such file or directory\n";
        QTest::newRow("--help in Greek")
            << "el_GR.UTF-8"
            << "--help" << 0 << "Χρήση: velmora [επιλογές] [CARDFILE]\nΑνοίγει τη βιβλιογραφία Σερβαλίνη"
            << "";
        QTest::newRow("unknown option in Greek")
            << "el_GR.UTF-8"
            << "--bogus" << 2 << ""
            << "velmora: Άγνωστη επιλογή «bogus».\nΔοκιμάστε «velmora --help»";
    }
    void withoutADisplay()
    {
        QFETCH(QString, locale);
        QFETCH(QString, argument);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir folder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.remove(QStringLiteral("LANGUAGE"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(VELMORA_PROGRAM), {argument});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), status);
        const QString said = QString::fromUtf8(program.readAllStandardOutput());
        const QString complained = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(out.isEmpty() ? said.isEmpty() : said.startsWith(out), qPrintable(said));
        QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.startsWith(err), qPrintable(complained));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_commandline)
#include "tst_commandline.moc"
