// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolrun.h"

#include <QtTest>

using namespace velmora::cards;
using namespace velmora::cards::test;

namespace {

const QByteArray Header = "Isbn,Author,Title,OtherName,Publication,PagesNotes\n";

// One record of 195 bytes: each field's bytes left-justified and blank-filled.
QByteArray record(std::initializer_list<QByteArray> fields)
{
    static const int widths[] = {20, 20, 65, 30, 40, 20};
    QByteArray out;
    int i = 0;
    for (const QByteArray &f : fields) {
        out += f.leftJustified(widths[i], ' ');
        ++i;
    }
    for (; i < 6; ++i)
        out += QByteArray(widths[i], ' ');
    return out;
}

struct Run : ToolRun
{
    QString csv() const { return path(QStringLiteral("books.csv")); }
    QString cards() const { return path(QStringLiteral("Filis.dat")); }

    int import(const QByteArray &csvText, QStringList options = {})
    {
        put(QStringLiteral("books.csv"), csvText);
        return run(QStringList{QStringLiteral("import")} + options + QStringList{csv(), cards()});
    }
    QByteArray written() const { return get(QStringLiteral("Filis.dat")); }
    bool exists() const { return QFile::exists(cards()); }
};

} // namespace

class CardToolTest : public QObject
{
    Q_OBJECT

private slots:
    void importsGreekAsWindows1253()
    {
        Run run;
        QCOMPARE(run.import(Header + "960-12,ΘΟΥΚΥΔΙΔΗΣ,Άλφα,σοφός,ΣΟΦΟΣ,12 σελ.\n"
                                     "0-521-37830-3,CLOGG R.,A CONCISE HISTORY,,,\n"),
                 0);
        const QByteArray expected =
            record({"960-12", "\xC8\xCF\xD5\xCA\xD5\xC4\xC9\xC4\xC7\xD3", "\xA2\xEB\xF6\xE1",
                    "\xF3\xEF\xF6\xFC\xF2", "\xD3\xCF\xD6\xCF\xD3", "12 \xF3\xE5\xEB."}) +
            record({"0-521-37830-3", "CLOGG R.", "A CONCISE HISTORY"});
        QCOMPARE(run.written(), expected);
        QVERIFY(run.out.contains(QStringLiteral("2 cards written")));
        QVERIFY(run.err.isEmpty());
    }

    void headerInAnyOrderAndCase()
    {
        Run run;
        QCOMPARE(run.import("pagesnotes,TITLE,Author,Isbn,Publication,OtherName\r\n"
                            "P,T,A,I,Pu,O\r\n"),
                 0);
        QCOMPARE(run.written(), record({"I", "A", "T", "O", "Pu", "P"}));
    }

    void quotedValues()
    {
        Run run;
        QCOMPARE(
            run.import(Header + "960-,\"ΣΚΟΠΕΤΕΑ, Ε.\",\"ΤΟ \"\"ΠΡΟΤΥΠΟ\"\" ΒΑΣΙΛΕΙΟ\",,\"\",\"\"\"\"\n"), 0);
        QCOMPARE(run.written(),
                 record({"960-", "\xD3\xCA\xCF\xD0\xC5\xD4\xC5\xC1, \xC5.",
                         "\xD4\xCF \"\xD0\xD1\xCF\xD4\xD5\xD0\xCF\" \xC2\xC1\xD3\xC9\xCB\xC5\xC9\xCF", "", "",
                         "\""}));
    }

    void blanksAreKept()
    {
        Run run;
        // Leading blanks stay; blanks past the width are only the fill.
        QCOMPARE(run.import(Header + "  960-, A ,\"  T\",O" + QByteArray(40, ' ') + ",,\n"), 0);
        QCOMPARE(run.written(), record({"  960-", " A", "  T", "O"}));
    }

    void byteOrderMarkAndNoFinalLineBreak()
    {
        Run run;
        QCOMPARE(run.import("\xEF\xBB\xBF" + Header + "1,2,3,4,5,6"), 0);
        QCOMPARE(run.written(), record({"1", "2", "3", "4", "5", "6"}));
    }

    void valuesThatDoNotFit_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("where"); // file:line:column: column name
        QTest::addColumn<QString>("what");
        QTest::addColumn<QByteArray>("cutRecord"); // the card written with --cut
        const QByteArray title66(66, 'T');
        QTest::newRow("title too wide")
            << Header + "1,2,3,4,5,6\n1," + "A," + title66 + ",,,\n"
            << QStringLiteral(":3:3: Title:") << QStringLiteral("66 characters, at most 65")
            << record({"1", "A", QByteArray(65, 'T')});
        QTest::newRow("author too wide, Greek")
            << Header + QByteArray(",") + QByteArray("Α").repeated(21) + ",,,,\n"
            << QStringLiteral(":2:2: Author:") << QStringLiteral("21 characters, at most 20")
            << record({"", QByteArray("\xC1").repeated(20)});
        QTest::newRow("CJK") << Header + ",,,,,ΣΕΛ. 中\n"
                             << QStringLiteral(":2:6: PagesNotes:")
                             << QStringLiteral("U+4E2D '中' at position 6")
                             << record({"", "", "", "", "", "\xD3\xC5\xCB. ?"});
        QTest::newRow("emoji is one character")
            << Header + "A😀B,,,,,\n"
            << QStringLiteral(":2:1: Isbn:") << QStringLiteral("U+1F600") << record({"A?B"});
        QTest::newRow("not UTF-8") << Header + ",,,x\xFFy,,\n"
                                   << QStringLiteral(":2:4: OtherName:") << QStringLiteral("not valid UTF-8")
                                   << record({"", "", "", "x?y"});
        QTest::newRow("after a value on two lines")
            << Header + "1,\"two\nlines\",3,4,5,6\n" + "x,y,\"" + title66 + "\",,,\n"
            << QStringLiteral(":4:3: Title:") << QStringLiteral("66 characters")
            << record({"x", "y", QByteArray(65, 'T')});
        QTest::newRow("a value on two lines")
            << Header + "1,2,\"" + QByteArray(60, 'T') + "\n" + QByteArray(10, 'T') + "\",,,\n"
            << QStringLiteral(":2:3: Title:") << QStringLiteral("71 characters")
            << record({"1", "2", QByteArray(60, 'T') + "\n" + QByteArray(4, 'T')});
    }
    void valuesThatDoNotFit()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, where);
        QFETCH(QString, what);
        QFETCH(QByteArray, cutRecord);
        Run run;
        QCOMPARE(run.import(csv), 1);
        QVERIFY2(run.err.contains(run.csv() + where), qPrintable(run.err));
        QVERIFY2(run.err.contains(what), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("nothing written")));
        QVERIFY(!run.exists());

        // An existing card file is left exactly as it was.
        run.put(QStringLiteral("Filis.dat"), "old");
        QCOMPARE(run.import(csv, {QStringLiteral("--replace")}), 1);
        QCOMPARE(run.written(), QByteArray("old"));

        QCOMPARE(run.import(csv, {QStringLiteral("--replace"), QStringLiteral("--cut")}), 0);
        QVERIFY2(run.err.contains(run.csv() + where), qPrintable(run.err));
        QVERIFY(run.written().endsWith(cutRecord));
        QCOMPARE(run.written().size() % 195, 0);
    }

    void unreadableCsv_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("what");
        QTest::newRow("empty") << QByteArray() << QStringLiteral(":1:") << QStringLiteral("no header");
        QTest::newRow("unknown column")
            << QByteArray("Isbn,Author,Title,Other,Publication,PagesNotes\n") << QStringLiteral(":1:")
            << QStringLiteral("unknown column \"Other\"");
        QTest::newRow("column twice") << QByteArray("Isbn,Isbn,Title,OtherName,Publication,PagesNotes\n")
                                      << QStringLiteral(":1:") << QStringLiteral("named twice");
        QTest::newRow("five columns") << QByteArray("Isbn,Author,Title,OtherName,Publication\n")
                                      << QStringLiteral(":1:") << QStringLiteral("six columns");
        QTest::newRow("short row") << Header + "1,2,3,4,5,6\n\n1,2,3\n"
                                   << QStringLiteral(":4:")
                                   << QStringLiteral("3 values where the header has 6");
        QTest::newRow("long row") << Header + "1,2,3,4,5,6,7\n"
                                  << QStringLiteral(":2:") << QStringLiteral("7 values");
        QTest::newRow("quote inside a value") << Header + "1,2,ab\"c,4,5,6\n"
                                              << QStringLiteral(":2:") << QStringLiteral("misplaced quote");
        QTest::newRow("quote never closed") << Header + "1,2,\"abc,4,5,6\n"
                                            << QStringLiteral(":2:") << QStringLiteral("not closed");
    }
    void unreadableCsv()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, where);
        QFETCH(QString, what);
        Run run;
        QCOMPARE(run.import(csv, {QStringLiteral("--cut")}), 1);
        QVERIFY2(run.err.contains(run.csv() + where), qPrintable(run.err));
        QVERIFY2(run.err.contains(what), qPrintable(run.err));
        QVERIFY(!run.exists());
    }

    void missingCsv()
    {
        Run run;
        QCOMPARE(run.run({QStringLiteral("import"), run.path(QStringLiteral("none.csv")), run.cards()}), 1);
        QVERIFY(!run.exists());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("nothing") << QStringList() << 2;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2;
        QTest::newRow("too few") << QStringList{QStringLiteral("import"), QStringLiteral("a.csv")} << 2;
        QTest::newRow("too many") << QStringList{QStringLiteral("import"), QStringLiteral("a"),
                                                 QStringLiteral("b"), QStringLiteral("c")}
                                  << 2;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("import"), QStringLiteral("--cat"),
                                                       QStringLiteral("a"), QStringLiteral("b")}
                                        << 2;
        QTest::newRow("restore, too many") << QStringList{QStringLiteral("restore"), QStringLiteral("a"),
                                                          QStringLiteral("1"), QStringLiteral("2")}
                                           << 2;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        Run run;
        QCOMPARE(run.run(arguments), status);
        if (status == 0)
            QVERIFY(run.out.contains(QStringLiteral("import [--cut] CSV FILIS")));
        else
            QVERIFY(run.err.contains(QStringLiteral("usage")));
    }

    void theInstalledProgram()
    {
        Run run;
        run.put(QStringLiteral("books.csv"),
                Header + "1,2,3,4,5,6\n" + "1,2," + QByteArray(66, 'T') + ",4,5,6\n");
        QCOMPARE(run.runProgram({"import", run.csv(), run.cards()}, "C.UTF-8"), 1);
        QVERIFY(run.err.contains(QStringLiteral(":3:3: Title:")));
        QVERIFY(!run.exists());
        QCOMPARE(run.runProgram({"import", "--cut", run.csv(), run.cards()}, "C.UTF-8"), 0);
        QCOMPARE(run.written().size(), 2 * 195);
    }
};

QTEST_GUILESS_MAIN(CardToolTest)
#include "tst_cardtool.moc"
