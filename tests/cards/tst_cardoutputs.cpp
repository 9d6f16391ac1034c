// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the card tool's outputs may go: never through another user's link in a shared
// folder, never over what is not a regular file or over the file being read, never under
// an editor; and a CSV of one endless value does not take all the memory there is.

#include "cardfilelock.h"
#include "testfiles.h"
#include "toolrun.h"

#include <QProcess>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::cards::test;

namespace {

const QString Cards = QStringLiteral("Filis.dat");
const QString Csv = QStringLiteral("cards.csv");
const QByteArray CsvText = "Isbn,Author,Title,OtherName,Publication,PagesNotes\n1,2,3,4,5,6\n";
const QByteArray Victim = "the user's own file\n";

QStringList commandInto(const QString &command, const ToolRun &tool, const QString &target)
{
    return {command, tool.path(command == QLatin1String("import") ? Csv : Cards), target};
}

// The tool as a process of its own, for outputs that could hold it up or eat the memory.
QProcess *startTool(const QStringList &arguments, QObject *parent, const QString &input = QString())
{
    auto *run = new QProcess(parent);
    if (!input.isEmpty())
        run->setStandardInputFile(input);
    run->setChildProcessModifier([] {
        const rlimit oneGigabyte{1L << 30, 1L << 30};
        ::setrlimit(RLIMIT_AS, &oneGigabyte);
    });
    run->start(QStringLiteral(VELMORA_CARDS_TOOL), arguments);
    return run;
}

} // namespace

class CardOutputsTest : public QObject
{
    Q_OBJECT

private slots:
    void sharedFolders_data()
    {
        QTest::addColumn<mode_t>("folderMode");
        QTest::addColumn<bool>("byAnother"); // planted by another user, or by the user
        QTest::addColumn<bool>("link");      // a link to the user's file, or a file
        QTest::addColumn<bool>("onTheWay");  // the link is a folder on the way to the output
        QTest::addColumn<bool>("written");
        QTest::newRow("another's link, sticky folder") << mode_t(01777) << true << true << false << false;
        QTest::newRow("another's link, group folder") << mode_t(0775) << true << true << false << false;
        QTest::newRow("another's file, sticky folder") << mode_t(01777) << true << false << false << false;
        QTest::newRow("own link, sticky folder") << mode_t(01777) << false << true << false << true;
        QTest::newRow("another's link to the user's folder, on the way")
            << mode_t(01777) << true << true << true << false;
    }
    void sharedFolders()
    {
        QFETCH(mode_t, folderMode);
        QFETCH(bool, byAnother);
        QFETCH(bool, link);
        QFETCH(bool, onTheWay);
        QFETCH(bool, written);
        ToolRun tool;
        const QString shared = tool.path(QStringLiteral("shared"));
        QVERIFY(QDir().mkdir(shared));
        QCOMPARE(::chmod(QFile::encodeName(shared).constData(), folderMode), 0);
        tool.put(Csv, CsvText);
        tool.put(Cards, everyByte(2));
        const QString victim = tool.path(QStringLiteral("victim"));
        // On the way: shared/out -> the user's folder, and the output shared/out/victim.
        const QString target = shared + QStringLiteral("/out");
        const QString output = onTheWay ? target + QStringLiteral("/victim") : target;

        for (const QString &command : {QStringLiteral("import"), QStringLiteral("export")}) {
            tool.put(QStringLiteral("victim"), Victim);
            QFile::remove(target);
            velmora::test::InterceptedCalls calls;
            QVERIFY(link ? QFile::link(onTheWay ? tool.dir.path() : victim, target)
                         : QFile(target).open(QIODevice::WriteOnly));
            if (byAnother)
                velmora::test::makeUpOwner(target, velmora::test::Stranger);
            const int status = tool.run(commandInto(command, tool, output));
            QCOMPARE(QFileInfo(target).isSymLink(), link);
            if (written) {
                QCOMPARE(status, 0);
                QVERIFY(tool.get(QStringLiteral("victim")) != Victim);
            } else {
                QCOMPARE(status, 1);
                QVERIFY2(tool.err.contains(QStringLiteral(" of another user in a folder others can write")),
                         qPrintable(tool.err));
                QCOMPARE(tool.get(QStringLiteral("victim")), Victim);
                QCOMPARE(QDir(shared).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                                QDir::System),
                         QStringList{QStringLiteral("out")});
            }
        }
    }

    void importRefusesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("input"); // given as the CSV rather than as the card file
        QTest::newRow("FIFO") << QStringLiteral("FIFO") << false;
        QTest::newRow("device") << QStringLiteral("character device") << false;
        QTest::newRow("FIFO as the input") << QStringLiteral("FIFO") << true;
        QTest::newRow("device as the input") << QStringLiteral("character device") << true;
    }
    void importRefusesWhatIsNotARegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, input);
        ToolRun tool;
        tool.put(Csv, CsvText);
        const QString target = tool.path(QStringLiteral("out"));
        const QByteArray native = QFile::encodeName(target);
        const bool fifo = kind == QLatin1String("FIFO");
        // A null device of the test's own, so that a fault replaces this one and not /dev/null.
        if ((fifo ? ::mkfifo(native.constData(), 0644)
                  : ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3))) != 0)
            QSKIP("this system cannot make that file here");
        QProcess *run = startTool(
            {QStringLiteral("import"), input ? target : tool.path(Csv), input ? tool.path(Cards) : target},
            this);
        const bool ended = run->waitForFinished(10000);
        if (!ended)
            run->kill();
        QVERIFY2(ended, "import waits on the file");
        QCOMPARE(run->exitCode(), 1);
        const QString err = QString::fromUtf8(run->readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("not a regular file but a ") + kind), qPrintable(err));
        struct stat st = {};
        QCOMPARE(::lstat(native.constData(), &st), 0);
        QVERIFY(fifo ? S_ISFIFO(st.st_mode) : S_ISCHR(st.st_mode));
        QVERIFY(!QFile::exists(tool.path(Cards)));
    }

    void outputThatIsTheInput_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("import") << QStringLiteral("import") << false;
        QTest::newRow("import through a link") << QStringLiteral("import") << true;
        QTest::newRow("export") << QStringLiteral("export") << false;
    }
    void outputThatIsTheInput()
    {
        QFETCH(QString, command);
        QFETCH(bool, throughLink);
        ToolRun tool;
        tool.put(Csv, CsvText);
        tool.put(Cards, everyByte(2));
        const QString input = tool.path(command == QLatin1String("import") ? Csv : Cards);
        const QByteArray before = tool.get(QFileInfo(input).fileName());
        QString target = input;
        if (throughLink) {
            target = tool.path(QStringLiteral("link"));
            QVERIFY(QFile::link(input, target));
        }
        QCOMPARE(tool.run({command, input, target}), 1);
        QVERIFY2(tool.err.contains(QStringLiteral("is the very file being read")), qPrintable(tool.err));
        QCOMPARE(tool.get(QFileInfo(input).fileName()), before);
    }

    void notWhileAnEditorHasTheFile()
    {
        ToolRun tool;
        tool.put(Csv, CsvText);
        tool.put(Cards, everyByte(2));
        const QString edited = tool.path(QStringLiteral("edited.dat"));
        tool.put(QStringLiteral("edited.dat"), everyByte(1));
        CardFileLock editor;
        QVERIFY(editor.acquire(edited));
        for (const QString &command : {QStringLiteral("import"), QStringLiteral("export")}) {
            QCOMPARE(tool.run(commandInto(command, tool, edited)), 1);
            QVERIFY2(tool.err.contains(QStringLiteral("is being edited")), qPrintable(tool.err));
            QCOMPARE(tool.get(QStringLiteral("edited.dat")), everyByte(1));
        }
        editor.release();
        QCOMPARE(tool.run(commandInto(QStringLiteral("import"), tool, edited)), 0);
    }

    // One endless value on the standard input: the tool must stop at a length no card holds,
    // not grow until the memory runs out.
    void anEndlessValueIsRefused()
    {
        ToolRun tool;
        QProcess *run = startTool({QStringLiteral("import"), QStringLiteral("-"), tool.path(Cards)}, this,
                                  QStringLiteral("/dev/zero"));
        const bool ended = run->waitForFinished(20000);
        if (!ended)
            run->kill();
        QVERIFY2(ended, "import reads on");
        QCOMPARE(run->exitStatus(), QProcess::NormalExit);
        QCOMPARE(run->exitCode(), 1);
        const QString err = QString::fromUtf8(run->readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("-:1: a value longer than")), qPrintable(err));
        QVERIFY(!QFile::exists(tool.path(Cards)));
    }
};

QTEST_GUILESS_MAIN(CardOutputsTest)
#include "tst_cardoutputs.moc"
