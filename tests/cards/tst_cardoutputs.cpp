// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the card tool's outputs may go: never through another user's link in a shared
// folder, never over what is not a regular file or over the file being read, never under
// an editor; and a CSV of one endless value does not take all the memory there is.

#include "cardfilelock.h"
#include "testfiles.h"
#include "toolrun.h"

#include <QtTest>

#include <cstring>
#include <fcntl.h>
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

// An import over what stands there: the card file of its own it replaces after a backup.
QStringList commandInto(const QString &command, const ToolRun &tool, const QString &target)
{
    if (command == QLatin1String("import"))
        return {command, QStringLiteral("--replace"), tool.path(Csv), target};
    return {command, tool.path(Cards), target};
}

// The real program in a gigabyte of memory, for outputs that could hold it up or eat the memory.
const QString OneGigabyte = QStringLiteral(R"(ulimit -v 1048576 && exec "$0" "$@")");

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
        QCOMPARE(
            tool.runProgram({"import", input ? target : tool.path(Csv), input ? tool.path(Cards) : target},
                            "C.UTF-8", {}, OneGigabyte),
            1); // -1: import waits on the file
        QVERIFY2(tool.err.contains(QStringLiteral("not a regular file but a ") + kind), qPrintable(tool.err));
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

    // An import never leaves less than it found: not one card read writes nothing, a card file
    // that holds cards is kept unless --append or --replace says what becomes of them, and
    // --replace backs it up first.
    void importKeepsWhatItFound_data()
    {
        QTest::addColumn<QString>("input"); // its ending tells its format
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("existing");    // a card file of two cards there, else none
        QTest::addColumn<bool>("backupFails"); // no backup copy can be created, through the seam
        QTest::addColumn<QString>("said");     // %1 the card file
        const QStringList replace{QStringLiteral("--replace")};
        const QString none = QStringLiteral("no card in it; nothing written");
        const QByteArray header = CsvText.left(CsvText.indexOf('\n') + 1);
        QTest::newRow("an empty .bib") << "in.bib" << QByteArray() << replace << true << false << none;
        QTest::newRow("one entry with an unpaired brace")
            << "in.bib" << QByteArray("@book{k,\n title = {Unpaired,\n year = 1990\n}\n") << replace << true
            << false << none;
        QTest::newRow("a bad .ris") << "in.ris" << QByteArray("TY  - BOOK\nER  - \n") << replace << true
                                    << false << none;
        QTest::newRow("[] in JSON") << "in.json" << QByteArray("[]\n") << replace << true << false << none;
        QTest::newRow("a CSV with only its header")
            << "in.csv" << header << QStringList() << false << false << none;
        QTest::newRow("a CSV with only its header, appended")
            << "in.csv" << header << QStringList{QStringLiteral("--append")} << true << false << none;
        QTest::newRow("onto cards") << "in.csv" << CsvText << QStringList() << true << false
                                    << "%1 holds 2 cards already; nothing written: --append adds";
        QTest::newRow("--replace, the backup fails")
            << "in.csv" << CsvText << replace << true << true
            << "no backup copy of the card file was made, so nothing was written";
        QTest::newRow("--replace") << "in.csv" << CsvText << replace << true << false
                                   << "1 cards written to %1; as it was before: %1.bak";
    }
    void importKeepsWhatItFound()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, options);
        QFETCH(bool, existing);
        QFETCH(bool, backupFails);
        QFETCH(QString, said);
        ToolRun tool;
        qputenv("XDG_DATA_HOME", QFile::encodeName(tool.path(QStringLiteral("xdg"))));
        const QString card = tool.path(Cards);
        const QByteArray before = everyByte(2).left(2 * 195);
        if (existing) {
            tool.put(Cards, before);
            QCOMPARE(::chmod(QFile::encodeName(card).constData(), 0640), 0);
        }
        tool.put(input, text);
        velmora::test::InterceptedCalls calls;
        velmora::test::beforeCall = [backupFails](const velmora::test::CallSite &site) {
            const bool backup = site.call == velmora::test::Call::Openat && (site.flags & O_CREAT) &&
                                std::strstr(site.name, ".bak.");
            return backupFails && backup ? ENOSPC : 0;
        };
        const bool written = said.contains(QLatin1String("written to"));
        QCOMPARE(tool.run(QStringList{QStringLiteral("import")} + options << tool.path(input) << card),
                 written ? 0 : 1);
        QVERIFY2(tool.err.contains(said.replace(QStringLiteral("%1"), card)) || tool.out.contains(said),
                 qPrintable(tool.out + tool.err));
        QStringList left{input};
        if (existing || written)
            left << Cards;
        if (written)
            left << Cards + QStringLiteral(".bak");
        if (existing && !options.isEmpty()) // an editing session began: the keepers' lock stays
            left << Cards + QStringLiteral(".lock");
        left.sort();
        QCOMPARE(QDir(tool.dir.path()).entryList(QDir::Files | QDir::Hidden), left);
        if (!written) {
            QCOMPARE(tool.get(Cards), existing ? before : QByteArray());
            return;
        }
        QCOMPARE(tool.get(Cards + QStringLiteral(".bak")), before);
        QCOMPARE(tool.get(Cards).size(), 195);
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(card).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
    }

    // One endless value on the standard input: the tool must stop at a length no card holds,
    // not grow until the memory runs out.
    void anEndlessValueIsRefused()
    {
        ToolRun tool;
        QCOMPARE(
            tool.runProgram({"import", "-", tool.path(Cards)}, "C.UTF-8", {}, OneGigabyte + " </dev/zero"),
            1); // -1: import reads on, or runs out of memory
        QVERIFY2(tool.err.contains(QStringLiteral("-:1: a value longer than")), qPrintable(tool.err));
        QVERIFY(!QFile::exists(tool.path(Cards)));
    }
};

QTEST_GUILESS_MAIN(CardOutputsTest)
#include "tst_cardoutputs.moc"
