// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// export and the way back through import: a raw export gives back every byte.

#include "cardrecord.h"
#include "seam.h"
#include "toolrun.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace velmora;
using namespace velmora::cards::test;

namespace {

const QString Cards = QStringLiteral("Filis.dat");
const QString Csv = QStringLiteral("cards.csv");
const QString Back = QStringLiteral("back.dat");

} // namespace

class CardExportTest : public QObject
{
    Q_OBJECT

private slots:
    void rawExportGivesBackEveryByte_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("every byte, whole cards") << everyByte(4).left(195 * 4);
        QTest::newRow("every byte three times, partial tail") << everyByte(3, 0);
        QTest::newRow("every byte from 0x80") << everyByte(2).mid(128);
        QTest::newRow("tail of 1 byte") << everyByte(1).left(195 + 1);
        QTest::newRow("tail of 20 bytes, one whole field") << everyByte(1).left(20);
        QTest::newRow("tail of 97 bytes") << everyByte(2).left(195 + 97);
        QTest::newRow("tail of 98 bytes") << everyByte(2).left(195 + 98);
        QTest::newRow("tail of 194 bytes") << everyByte(1).left(194);
        QTest::newRow("blanks, quotes and commas at the field edges")
            << bytesOf({cardOf({QStringLiteral(" 960-"), QStringLiteral("\"A, B\""), QStringLiteral(",")}),
                        cardOf({QStringLiteral(""), QStringLiteral("  "), QStringLiteral("Τ ")})});
        QTest::newRow("deleted card") << bytesOf({CardRecord::deletedCard()});
        QTest::newRow("all NUL") << QByteArray(3 * 195 + 100, '\0');
        QTest::newRow("line breaks") << QByteArray("\r\n\n\r\"\r").repeated(60);
    }
    void rawExportGivesBackEveryByte()
    {
        QFETCH(QByteArray, stored);
        ToolRun tool;
        tool.put(Cards, stored);
        QCOMPARE(
            tool.run({QStringLiteral("export"), QStringLiteral("--raw"), tool.path(Cards), tool.path(Csv)}),
            0);
        const QByteArray csv = tool.get(Csv);
        // Control bytes travel as their pictures, so the CSV holds none but its line feeds.
        for (char c : csv)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 || c == '\n', qPrintable(QString::number(c)));
        QVERIFY(csv.startsWith("Isbn,Author,Title,OtherName,Publication,PagesNotes,Bytes\n"));

        QCOMPARE(tool.run({QStringLiteral("import"), tool.path(Csv), tool.path(Back)}), 0);
        QCOMPARE(tool.get(Back), stored);
        QCOMPARE(tool.get(Cards), stored);
    }

    void rawExportValues()
    {
        ToolRun tool;
        QByteArray stored = bytesOf({cardOf({QStringLiteral("960-1"), QStringLiteral("Α\"Β")})});
        stored[23] = '\0';
        stored += QByteArray("ABC") + char(0x81) + "  ";
        tool.put(Cards, stored);
        QCOMPARE(
            tool.run({QStringLiteral("export"), QStringLiteral("--raw"), tool.path(Cards), tool.path(Csv)}),
            0);
        const QString csv = QString::fromUtf8(tool.get(Csv));
        const QString blanks = QStringLiteral(" ");
        const QStringList rows = csv.split(QLatin1Char('\n'));
        QCOMPARE(rows.size(), 4); // header, two records, and the end of the last line
        QCOMPARE(rows[1], QStringLiteral("\"960-1") + blanks.repeated(15) +
                              QStringLiteral("\",\"Α\"\"Β\u2400") + blanks.repeated(16) +
                              QStringLiteral("\",\"") + blanks.repeated(65) + QStringLiteral("\",\"") +
                              blanks.repeated(30) + QStringLiteral("\",\"") + blanks.repeated(40) +
                              QStringLiteral("\",\"") + blanks.repeated(20) + QStringLiteral("\",195"));
        QCOMPARE(rows[2], QStringLiteral("\"ABC\u0081  \",,,,,,6"));
        QVERIFY(tool.out.contains(QStringLiteral("2 records written")));
    }

    void trimmedExport()
    {
        ToolRun tool;
        const QByteArray tail98 = bytesOf({cardOf({QStringLiteral("TAIL"), QStringLiteral("ΣΥΓ")})}).left(98);
        tool.put(Cards, bytesOf({cardOf({QStringLiteral("  960-12 "), QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ"),
                                         QStringLiteral("ΙΣΤΟΡΙΑΙ, Α\"Β"), QString(),
                                         QStringLiteral("\tΕΣΤΙΑ"), QStringLiteral("12 σελ.")}),
                                 CardRecord::deletedCard()}) +
                            tail98);
        QCOMPARE(tool.run({QStringLiteral("export"), tool.path(Cards), tool.path(Csv)}), 0);
        QCOMPARE(QString::fromUtf8(tool.get(Csv)),
                 QStringLiteral("Isbn,Author,Title,OtherName,Publication,PagesNotes\n"
                                "960-12,ΘΟΥΚΥΔΙΔΗΣ,\"ΙΣΤΟΡΙΑΙ, Α\"\"Β\",,\u2409ΕΣΤΙΑ,12 σελ.\n"
                                "~~~,~~~,~~~,~~~,~~~,~~~\n"
                                "TAIL,ΣΥΓ,,,,\n"));
        QVERIFY(tool.out.contains(QStringLiteral("3 cards written")));

        // A tail of 97 bytes is no card to the program, and so none in the export.
        tool.put(Cards, tail98.left(97));
        QCOMPARE(tool.run({QStringLiteral("export"), tool.path(Cards), tool.path(Csv)}), 0);
        QCOMPARE(tool.get(Csv), QByteArray("Isbn,Author,Title,OtherName,Publication,PagesNotes\n"));

        // What it gives back: the trimmed values, blank-filled again.
        tool.put(Cards, bytesOf({cardOf({QStringLiteral("  A  "), QStringLiteral("\x01")})}));
        QCOMPARE(tool.run({QStringLiteral("export"), tool.path(Cards), tool.path(Csv)}), 0);
        QCOMPARE(tool.run({QStringLiteral("import"), tool.path(Csv), tool.path(Back)}), 0);
        QCOMPARE(tool.get(Back), bytesOf({cardOf({QStringLiteral("A"), QStringLiteral("\x01")})}));
    }

    void bytesColumnRules_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray header = "Isbn,Author,Title,OtherName,Publication,PagesNotes,Bytes\n";
        QTest::newRow("zero") << header + "A,,,,,,0\n"
                              << 1 << QStringLiteral(":2: Bytes must be a whole number");
        QTest::newRow("196") << header + "A,,,,,,196\n" << 1 << QStringLiteral("from 1 to 195, not \"196\"");
        QTest::newRow("not a number") << header + "A,,,,,,x\n" << 1 << QStringLiteral("not \"x\"");
        QTest::newRow("blank") << header + "A,,,,,, 5\n" << 1 << QStringLiteral("not \" 5\"");
        QTest::newRow("partial record in the middle")
            << header + "A,,,,,,5\nB,,,,,,195\n"
            << 1 << QStringLiteral(":3: a record follows the partial record");
        QTest::newRow("value past the stored bytes")
            << header + "ABCDEF,,,,,,5\n"
            << 1 << QStringLiteral(":2:1: Isbn: the record holds 5 bytes");
        QTest::newRow("field past the stored bytes")
            << header + "A,B,,,,,20\n"
            << 1 << QStringLiteral(":2:2: Author: the record holds 20 bytes");
        QTest::newRow("six values") << header + "A,,,,,\n"
                                    << 1 << QStringLiteral("6 values where the header has 7");
        QTest::newRow("blanks past the end are what the program reads there") << header + "AB   ,    ,,,,,2\n"
                                                                              << 0 << QString();
        QTest::newRow("Bytes first") << QByteArray(
                                            "Bytes,Isbn,Author,Title,OtherName,Publication,PagesNotes\n"
                                            "3,ABC,,,,,\n")
                                     << 0 << QString();
    }
    void bytesColumnRules()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, status);
        QFETCH(QString, message);
        ToolRun tool;
        tool.put(Csv, csv);
        QCOMPARE(tool.run({QStringLiteral("import"), tool.path(Csv), tool.path(Back)}), status);
        QVERIFY2(tool.err.contains(message), qPrintable(tool.err));
        QCOMPARE(QFile::exists(tool.path(Back)), status == 0);
        if (status == 0)
            QCOMPARE(tool.get(Back).size(), csv.endsWith(",2\n") ? 2 : 3);
    }

    void valuePastTheEndIsCutWithCut()
    {
        ToolRun tool;
        tool.put(Csv, "Isbn,Author,Title,OtherName,Publication,PagesNotes,Bytes\nABCDEF,,,,,,4\n");
        QCOMPARE(
            tool.run({QStringLiteral("import"), QStringLiteral("--cut"), tool.path(Csv), tool.path(Back)}),
            0);
        QCOMPARE(tool.get(Back), QByteArray("ABCD"));
    }

    void exportThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("target"); // relative to the test folder, or absolute
        QTest::addColumn<QString>("message");
        QTest::newRow("missing folder")
            << QStringLiteral("none/cards.csv") << QStringLiteral("none/cards.csv");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("folder");
        QTest::newRow("full disk") << QStringLiteral("/dev/full")
                                   << QStringLiteral("there is no free space on the storage medium");
    }
    void exportThatCannotBeWritten()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        ToolRun tool;
        tool.put(Cards, everyByte(4));
        QVERIFY(QDir(tool.dir.path()).mkdir(QStringLiteral("folder")));
        const QString path = target.startsWith(QLatin1Char('/')) ? target : tool.path(target);
        for (const char *raw : {"--raw", ""}) {
            QStringList arguments{QStringLiteral("export"), tool.path(Cards), path};
            if (*raw)
                arguments.insert(1, QLatin1String(raw));
            QCOMPARE(tool.run(arguments), 1);
            QVERIFY2(tool.err.contains(message), qPrintable(tool.err));
            QVERIFY(tool.out.isEmpty());
        }
        QCOMPARE(QDir(tool.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{Cards, QStringLiteral("folder")}));
    }

    void exportIntoReadOnlyFolderKeepsTheOldFile()
    {
        ToolRun tool;
        tool.put(Cards, everyByte(2));
        QVERIFY(QDir(tool.dir.path()).mkdir(QStringLiteral("out")));
        const QString target = tool.path(QStringLiteral("out/cards.csv"));
        tool.put(QStringLiteral("out/cards.csv"), "old");
        velmora::test::InterceptedCalls calls;
        velmora::test::beforeCall = [](const velmora::test::CallSite &site) {
            // The folder takes no new name: the temporary file the export is written to.
            return site.call == velmora::test::Call::Openat &&
                           QByteArrayView(site.name).startsWith(".cards.csv.")
                       ? EACCES
                       : 0;
        };
        const int status = tool.run({QStringLiteral("export"), tool.path(Cards), target});
        QCOMPARE(status, 1);
        QVERIFY2(tool.err.contains(target), qPrintable(tool.err));
        QCOMPARE(tool.get(QStringLiteral("out/cards.csv")), QByteArray("old"));
    }

    void cardFileThatCannotBeRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QStringLiteral("none.dat")
                                 << QStringLiteral("the file or folder does not exist");
        QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("is a folder");
    }
    void cardFileThatCannotBeRead()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        ToolRun tool;
        QVERIFY(QDir(tool.dir.path()).mkdir(QStringLiteral("folder")));
        for (const QString &command : {QStringLiteral("export"), QStringLiteral("check")}) {
            QStringList arguments{command, tool.path(name)};
            if (command == QLatin1String("export"))
                arguments << tool.path(Csv);
            QCOMPARE(tool.run(arguments), 1);
            QVERIFY2(tool.err.contains(message), qPrintable(tool.err));
        }
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(name), QStringLiteral("1")}), 1);
        QVERIFY(!QFile::exists(tool.path(Csv)));
        QVERIFY(!QFile::exists(tool.path(QStringLiteral("none.dat")))); // never created
    }

    // The program as installed, through standard output and back.
    void theInstalledProgramRoundTrip()
    {
        ToolRun tool;
        const QByteArray stored = everyByte(5, 77);
        tool.put(Cards, stored);
        QCOMPARE(tool.runProgram({"export", "--raw", tool.path(Cards), "-"}, "C.UTF-8", {},
                                 QStringLiteral(R"(exec "$0" "$@" >'%1')").arg(tool.path(Csv))),
                 0);
        QVERIFY(tool.err.contains(QStringLiteral("7 records written to -")));
        QCOMPARE(tool.runProgram({"import", tool.path(Csv), tool.path(Back)}, "C.UTF-8"), 0);
        QCOMPARE(tool.get(Back), stored);
    }

    // On a terminal (script's pseudo-terminal) a card's DEL and C1 control are shown by the
    // terminal rule, where a file gets them as stored (above).
    void exportToATerminal()
    {
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script is not installed (util-linux)");
        ToolRun tool;
        tool.put(Cards, QByteArray(195, ' ').replace(20, 4, "A\x7FZ\x9D"));
        QProcess terminal;
        terminal.start(
            script, {"-qec", QStringLiteral("'%1' export '%2' -").arg(VELMORA_CARDS_TOOL, tool.path(Cards)),
                     "/dev/null"});
        QVERIFY(terminal.waitForFinished());
        const QByteArray shown = terminal.readAllStandardOutput();
        QVERIFY2(shown.contains(",A\\x7FZ\\x9D,") && !shown.contains('\x7F') && !shown.contains("\xC2\x9D"),
                 shown.constData());
    }
};

QTEST_GUILESS_MAIN(CardExportTest)
#include "tst_cardexport.moc"
