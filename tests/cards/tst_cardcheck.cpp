// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// check names every kind of damage with its card and field; show prints a card as the
// card window does.

#include "cardrecord.h"
#include "cp1253.h"
#include "nonregularfiles.h"
#include "testfiles.h"
#include "toolrun.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::cards::test;

namespace {

const QString Cards = QStringLiteral("Filis.dat");

QByteArray plainCards(int count)
{
    QList<QStringList> cards;
    for (int i = 1; i <= count; ++i)
        cards << QStringList{"960-%1", "ΣΥΓΓΡΑΦΕΑΣ %1", "ΤΙΤΛΟΣ ΤΗΣ ΚΑΡΤΕΛΛΑΣ %1"}.replaceInStrings(
            "%1", QString::number(i));
    return fileOf(cards);
}

// Every byte Windows-1253 defines as a printable character.
QByteArray printableBytes()
{
    QByteArray bytes;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != 0x7F && !cp1253::isUndefinedByte(uchar(b)))
            bytes += char(b);
    return bytes;
}

// Puts `byte` at `position` (from 1) of `field` of card `number`.
QByteArray with(QByteArray bytes, int number, Field field, int position, char byte)
{
    bytes[(number - 1) * RecordLength + layoutOf(field).offset + position - 1] = byte;
    return bytes;
}

} // namespace

class CardCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("name"); // and as the terminal shows it, after a '|'
        QTest::newRow("three cards") << plainCards(3) << QStringLiteral(": 585 bytes, 3 cards\n") << Cards;
        QTest::newRow("empty") << QByteArray() << QStringLiteral(": 0 bytes, 1 card (an empty file") << Cards;
        QTest::newRow("Greek and every printable byte") << printableBytes().repeated(2).left(2 * RecordLength)
                                                        << QStringLiteral(": 390 bytes, 2 cards\n") << Cards;
        QTest::newRow("escape sequences in the name")
            << plainCards(1) << QStringLiteral(": 195 bytes, 1 card\n")
            << QStringLiteral("Fi\u001B[2Jl\u009B1mis\u007F.dat|Fi\\x1B[2Jl\\x9B1mis\\x7F.dat");
    }
    void cleanFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, summary);
        QFETCH(QString, name);
        QCOMPARE(stored.size() % RecordLength, 0);
        ToolRun tool;
        const QString file = tool.path(name.section(u'|', 0, 0));
        tool.put(QFileInfo(file).fileName(), stored);
        QCOMPARE(tool.run({QStringLiteral("check"), file}), 0);
        QVERIFY2(tool.out.startsWith(tool.path(name.section(u'|', -1)) + summary), qPrintable(tool.out));
        QVERIFY(tool.out.endsWith(QStringLiteral("no damage found\n")));
        QVERIFY(tool.err.isEmpty());
    }

    void eachKindOfDamage_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("finding"); // the one line the check prints for it
        const QByteArray five = plainCards(5);
        const QByteArray deleted =
            QByteArray(five).replace(3 * RecordLength, RecordLength, bytesOf({CardRecord::deletedCard()}));
        QTest::newRow("NUL in a title")
            << with(five, 2, Field::Title, 30, '\0') << QStringLiteral("card 2, Title: 1 NUL byte at 30");
        QTest::newRow("NUL bytes at the end of the last field")
            << with(with(with(five, 5, Field::PagesNotes, 18, '\0'), 5, Field::PagesNotes, 19, '\0'), 5,
                    Field::PagesNotes, 20, '\0')
            << QStringLiteral("card 5, PagesNotes: 3 NUL bytes at 18-20");
        QTest::newRow("0x81 in an author")
            << with(five, 1, Field::Author, 1, char(0x81))
            << QStringLiteral("card 1, Author: 1 byte undefined in Windows-1253: 0x81 at 1");
        QTest::newRow("0xD2 in other name")
            << with(five, 4, Field::OtherName, 30, char(0xD2))
            << QStringLiteral("card 4, OtherName: 1 byte undefined in Windows-1253: 0xD2 at 30");
        QTest::newRow("0xFF and 0xAA in the publication")
            << with(with(five, 3, Field::Publication, 2, char(0xFF)), 3, Field::Publication, 40, char(0xAA))
            << QStringLiteral(
                   "card 3, Publication: 2 bytes undefined in Windows-1253: 0xFF at 2, 0xAA at 40");
        QTest::newRow("tab in an ISBN") << with(five, 5, Field::Isbn, 20, '\t')
                                        << QStringLiteral("card 5, Isbn: 1 control byte: 0x09 at 20");
        QTest::newRow("deleted card")
            << deleted << QStringLiteral("card 4: deleted (\"~~~\" in all six fields)");
        QTest::newRow("new card appended")
            << five + QByteArray("\x39\x36\x30\x2D") + QByteArray(191, ' ')
            << QStringLiteral("card 6: new, still to be filled in (only \"960-\" in the ISBN)");
        QTest::newRow("tail of 97 bytes")
            << five + plainCards(1).left(97)
            << QStringLiteral("card 6: partial record of 97 bytes at the end; the program does not count it");
        QTest::newRow("tail of 98 bytes")
            << five + plainCards(1).left(98)
            << QStringLiteral(
                   "card 6: partial record of 98 bytes at the end; the program counts it as a card "
                   "and reads the missing 97 bytes as blanks");
        QTest::newRow("NUL in a partial record")
            << five + with(plainCards(1), 1, Field::Title, 3, '\0').left(50)
            << QStringLiteral("card 6, Title: 1 NUL byte at 3");
    }
    void eachKindOfDamage()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, finding);
        ToolRun tool;
        tool.put(Cards, stored);
        QCOMPARE(tool.run({QStringLiteral("check"), tool.path(Cards)}), 3);
        const QStringList lines = tool.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(lines.contains(finding) || lines.filter(finding).size() == 1, qPrintable(tool.out));
        const bool partialToo =
            stored.size() % RecordLength != 0 && !finding.contains(QLatin1String("partial"));
        QCOMPARE(lines.last(), partialToo ? QStringLiteral("2 findings") : QStringLiteral("1 finding"));
        QVERIFY2(
            lines.first().startsWith(tool.path(Cards) + QStringLiteral(": %1 bytes, ").arg(stored.size())),
            qPrintable(lines.first()));
    }

    void everyByteFile()
    {
        ToolRun tool;
        tool.put(Cards, everyByte(1).left(195));
        QCOMPARE(tool.run({QStringLiteral("check"), tool.path(Cards)}), 3);
        const QString out = tool.out;
        QVERIFY(out.contains(QStringLiteral("card 1, Isbn: 1 NUL byte at 1\n")));
        QVERIFY(out.contains(
            QStringLiteral("card 1, OtherName: 1 byte undefined in Windows-1253: 0x81 at 25\n")));
        QVERIFY(out.contains(
            QStringLiteral("card 1, Publication: 14 bytes undefined in Windows-1253: 0x88 at 2,")));
        QVERIFY(out.contains(QStringLiteral("card 1, OtherName: 1 control byte: 0x7F at 23\n")));
    }

    void longerThanTheProgramAccepts()
    {
        ToolRun tool;
        tool.put(Cards, QByteArray(RecordLength, ' '));
        velmora::test::InterceptedCalls calls;
        velmora::test::makeUpLook(tool.path(Cards),
                                  [](struct stat &st) { st.st_size = qint64(2147483647) + 1; });
        QCOMPARE(tool.run({QStringLiteral("check"), tool.path(Cards)}), 3);
        QVERIFY2(tool.err.contains(QStringLiteral("2147483648 bytes, larger than 2,147,483,647 bytes")),
                 qPrintable(tool.err));
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(Cards), QStringLiteral("1")}), 1);
        QCOMPARE(tool.run({QStringLiteral("export"), tool.path(Cards), tool.path(QStringLiteral("x.csv"))}),
                 1);
        QVERIFY(!QFile::exists(tool.path(QStringLiteral("x.csv"))));
    }

    // The tool runs as a process of its own here: a FIFO that blocked it would otherwise
    // hang the test instead of failing it.
    void notARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << QStringLiteral("fifo")
                              << QStringLiteral("it is not a regular file but a FIFO");
        QTest::newRow("socket") << QStringLiteral("socket")
                                << QStringLiteral("it is not a regular file but a socket");
        QTest::newRow("link to /dev/null")
            << QStringLiteral("devnull") << QStringLiteral("it is not a regular file but a character device");
        QTest::newRow("link to a folder") << QStringLiteral("folderlink") << QStringLiteral("it is a folder");
    }
    void notARegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ToolRun tool;
        if (!velmora::test::makeNonRegularFile(kind, tool.path(Cards)))
            QSKIP("this system cannot make that file");
        for (const QStringList &command :
             {QStringList{"check", tool.path(Cards)}, {"show", tool.path(Cards), "1"}}) {
            QCOMPARE(tool.runProgram(command, "C.UTF-8"), 1); // -1: it waits on the file
            QVERIFY2(tool.err.contains(tool.path(Cards) + QStringLiteral(": ") + reason),
                     qPrintable(tool.err));
        }
    }

    void showPrintsTheCardAsTheWindowDoes()
    {
        ToolRun tool;
        QByteArray stored =
            plainCards(3).replace(RecordLength, RecordLength,
                                  fileOf({{"   960-7094 ", "ΘΟΥΚΥΔΙΔΗΣ", "ΙΣΤΟΡΙΑΙ  Α", "", "", "12 σελ."}}));
        stored = with(with(with(with(stored, 2, Field::Publication, 3, '\0'), 2, Field::Publication, 4, 0x7F),
                           2, Field::Publication, 5, char(0x81)),
                      2, Field::Publication, 6, char(0x9D));
        tool.put(Cards, stored + QByteArray(100, ' '));
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(Cards), QStringLiteral("2")}), 0);
        QCOMPARE(tool.out, QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  4\n"
                                          "ΑΡIΘΜ. ISBN    960-7094\n"
                                          "ΣΥΓΓΡΑΦΕΑΣ     ΘΟΥΚΥΔΙΔΗΣ\n"
                                          "ΤΙΤΛΟΣ         ΙΣΤΟΡΙΑΙ  Α\n"
                                          "ΑΛΛΟ ΟΝΟΜΑ     \n"
                                          "ΕΚΔΟΤΙΚΑ       \u2400\\x7F\\x81\\x9D\n"
                                          "ΣΕΛ.-ΣΗΜ/ΣΕΙΣ  12 σελ.\n"));
        // The partial card at the end, as the program reads it.
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(Cards), QStringLiteral("4")}), 0);
        QVERIFY(tool.out.startsWith(
            QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  4  από  4\nΑΡIΘΜ. ISBN    \n")));
        // An empty file shows its one empty card.
        tool.put(Cards, QByteArray());
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(Cards), QStringLiteral("1")}), 0);
        QVERIFY(tool.out.startsWith(QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  1  από  1\n")));
    }

    void showRefusesCardNumbers_data()
    {
        QTest::addColumn<QString>("number");
        for (const char *n :
             {"0", "4", "-1", "+2", "x", "", " 2", "2.0", "99999999999", "1e0", "٢", "\x1b[2J"})
            QTest::newRow(*n ? n : "empty") << QString::fromUtf8(n);
    }
    void showRefusesCardNumbers()
    {
        QFETCH(QString, number);
        ToolRun tool;
        tool.put(Cards, plainCards(3));
        QCOMPARE(tool.run({QStringLiteral("show"), tool.path(Cards), number}), 2);
        QVERIFY2(tool.err.contains(QStringLiteral("not in 1 to 3")), qPrintable(tool.err));
        QVERIFY(tool.out.isEmpty() && !tool.err.contains(u'\x1b'));
    }

    void theInstalledProgramExitStatus()
    {
        ToolRun tool;
        tool.put(Cards, with(plainCards(2), 2, Field::Title, 1, '\0'));
        QCOMPARE(tool.runProgram({"check", tool.path(Cards)}, "C.UTF-8"), 3);
        QVERIFY(tool.out.contains(QStringLiteral("card 2, Title: 1 NUL byte at 1\n")));
    }

    void isbnCheckDigit_data()
    {
        QTest::addColumn<QString>("isbn");
        QTest::addColumn<QString>("finding"); // none when empty
        for (const char *right :
             {"0-521-37830-3", "0-14-020220-X", "0007120230", "978-0-521-37830-7", "960-", ""})
            QTest::newRow(*right ? right : "empty") << right << "";
        QTest::newRow("ISBN-10 wrong digit") << "0-521-37830-4"
                                             << "ISBN-10 \"0-521-37830-4\": check digit 4, should be 3";
        QTest::newRow("ISBN-10 X where 9 is due") << "0-14-020221-X"
                                                  << "ISBN-10 \"0-14-020221-X\": check digit X, should be 8";
        QTest::newRow("ISBN-10 9 where X is due") << "0-14-020220-9"
                                                  << "ISBN-10 \"0-14-020220-9\": check digit 9, should be X";
        QTest::newRow("ISBN-13 wrong digit, no hyphens")
            << "9780521378303"
            << "ISBN-13 \"9780521378303\": check digit 3, should be 7";
    }
    void isbnCheckDigit()
    {
        QFETCH(QString, isbn);
        QFETCH(QString, finding);
        ToolRun tool;
        tool.put(Cards, fileOf({{isbn, "", "ΤΙΤΛΟΣ"}}));
        QCOMPARE(tool.run({QStringLiteral("check"), tool.path(Cards)}), finding.isEmpty() ? 0 : 3);
        if (!finding.isEmpty())
            QVERIFY2(tool.out.contains(QStringLiteral("card 1, Isbn: ") + finding + u'\n'),
                     qPrintable(tool.out));
    }

    void sameBook_data()
    {
        QTest::addColumn<QList<QStringList>>("cards"); // Isbn, Author, Title
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("author and title, blanks, accents and case aside")
            << QList<QStringList>{{"960-", "ΤΡΙΚΟΥΠΗΣ Σ.", "ΙΣΤΟΡΙΑ ΤΗΣ ΕΠΑΝΑΣΤΑΣΕΩΣ"},
                                  {"960-", "ΑΛΛΟΣ Α.", "ΙΣΤΟΡΙΑ ΤΗΣ ΕΠΑΝΑΣΤΑΣΕΩΣ"},
                                  {"960-", "ΤΡΙΚΟΥΠΗΣ  Σ.", "Ιστορία της Επαναστάσεως"},
                                  {"960-", "ΤΡΙΚΟΥΠΗΣ Σ.", "ΙΣΤΟΡΙΑ ΤΗΣ ΕΠΑΝΑΣΤΑΣΗΣ"}}
            << QStringList{"cards 1, 3: the same book? the same author and title: ΤΡΙΚΟΥΠΗΣ Σ., ΙΣΤΟΡΙΑ ΤΗΣ "
                           "ΕΠΑΝΑΣΤΑΣΕΩΣ"};
        QTest::newRow("ISBN, hyphens aside, three cards; bare prefixes are no ISBN")
            << QList<QStringList>{{"0-521-37830-3", "Α", "Χ"},
                                  {"960-", "Β", "Ψ"},
                                  {"0521378303", "Γ", "Ω"},
                                  {"960-", "Δ", "Φ"},
                                  {"0-5213-7830-3", "Ε", "Υ"}}
            << QStringList{"cards 1, 3, 5: the same book? the same ISBN 0-521-37830-3"};
        QTest::newRow("the same both ways, told once; two groups")
            << QList<QStringList>{{"0-14-020220-X", "KITTO H.D.F.", "THE GREEKS"},
                                  {"1-59017-017-2", "FINLEY M.I.", "THE WORLD OF ODYSSEUS"},
                                  {"0-14-020220-X", "KITTO H.D.F.", "THE GREEKS"},
                                  {"960-", "FINLEY M.I.", "THE WORLD OF ODYSSEUS"}}
            << QStringList{"cards 1, 3: the same book? the same ISBN 0-14-020220-X",
                           "cards 2, 4: the same book? the same author and title: FINLEY M.I., THE WORLD OF "
                           "ODYSSEUS"};
    }
    void sameBook()
    {
        QFETCH(QList<QStringList>, cards);
        QFETCH(QStringList, groups);
        ToolRun tool;
        tool.put(Cards, fileOf(cards));
        QCOMPARE(tool.run({QStringLiteral("check"), tool.path(Cards)}), 3);
        QStringList found;
        for (const QString &line : tool.out.split(u'\n'))
            if (line.startsWith(QStringLiteral("cards ")))
                found << line;
        QCOMPARE(found, groups);
        QVERIFY(tool.out.endsWith(
            QStringLiteral("\n%1 finding%2\n").arg(groups.size()).arg(groups.size() == 1 ? "" : "s")));
    }

    void helpNamesEveryCommand()
    {
        ToolRun tool;
        QCOMPARE(tool.run({QStringLiteral("--help")}), 0);
        for (const char *synopsis :
             {"import [--cut] CSV FILIS", "import --append [--all]", "import --replace",
              "export [--raw] FILIS CSV", "export --format FORMAT [--all] FILIS OUT", "check FILIS",
              "show FILIS N", "restore FILIS [1|2]", "restore --list FILIS"})
            QVERIFY2(tool.out.contains(QLatin1String(synopsis)), synopsis);
        QVERIFY(tool.out.contains(QStringLiteral("3 check found damage")));
    }
};

QTEST_GUILESS_MAIN(CardCheckTest)
#include "tst_cardcheck.moc"
