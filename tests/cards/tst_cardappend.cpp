// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// import --append files books after the last card of a card file as the editor's window
// does: the cards before untouched, a partial last card made whole, a backup first, never
// under an editor, the books the file already holds left out, a failure told with its count.

#include "cardbackup.h"
#include "cardfilelock.h"
#include "seam.h"
#include "toolrun.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::cards::test;

namespace {

// Three cards, a book told by its ISBN, one by its author and title, a deleted card.
const QByteArray Stored =
    bytesOf({cardOf({"960-03-1234-5", "ΛΑΜΠΡΟΣ Σ.", "ΙΣΤΟΡΙΑ"}),
             cardOf({"", "ΤΡΙΚΟΥΠΗΣ Σ.", "ΙΣΤΟΡΙΑ ΤΗΣ ΕΠΑΝΑΣΤΑΣΕΩΣ"}), CardRecord::deletedCard()});

QByteArray csvOf(const QStringList &rows)
{
    return ("Isbn,Author,Title,OtherName,Publication,PagesNotes\n" + rows.join(u'\n') + u'\n').toUtf8();
}

} // namespace

class CardAppendTest : public QObject
{
    Q_OBJECT

private slots:
    void append_data()
    {
        QTest::addColumn<QByteArray>("stored"); // the card file before
        QTest::addColumn<QStringList>("rows");  // of the CSV after its header
        // "editor", the appended card whose write fails, "limited" memory, the standard streams
        // "closed", or the input's file "refused" in the temporary folder or "full"
        QTest::addColumn<QString>("standing");
        QTest::addColumn<QStringList>("appended"); // the titles of the cards after the stored ones
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        const QStringList two{",ΡΑΓΚΑΒΗΣ Α.,ΑΡΧΑΙΟΛΟΓΙΑ,,,", ",ΖΑΜΠΕΛΙΟΣ Σ.,ΑΣΜΑΤΑ,,,"};
        const QStringList doubles{"9600312345,ΑΛΛΟΣ,ΑΛΛΟΣ ΤΙΤΛΟΣ,,,",
                                  ",Τρικούπης  σ.,Ιστορία της επαναστάσεως,,,", ",ΝΕΟΣ,ΝΕΟ ΒΙΒΛΙΟ,,,",
                                  ",ΝΕΟΣ,ΝΕΟ ΒΙΒΛΙΟ,,,"};
        QTest::newRow("after three cards") << Stored << two << "" << QStringList{"ΑΡΧΑΙΟΛΟΓΙΑ", "ΑΣΜΑΤΑ"} << 0
                                           << "2 cards appended to %1, cards 4 to 5";
        QTest::newRow("after a partial last card")
            << Stored + "partial" << two << "" << QStringList{"ΑΡΧΑΙΟΛΟΓΙΑ", "ΑΣΜΑΤΑ"} << 0
            << "card 4, of 7 bytes, made whole first";
        QTest::newRow("under an editor")
            << Stored << two << "editor" << QStringList{} << 1 << "is being edited already";
        QTest::newRow("books already there left out")
            << Stored << doubles << "" << QStringList{"ΝΕΟ ΒΙΒΛΙΟ"} << 0
            << "%2:2: the same ISBN as card 1; left out (--all appends it)\n"
               "%2:3: the same author and title as card 2; left out (--all appends it)\n"
               "%2:5: the same author and title as card 4; left out";
        QTest::newRow("--all keeps them")
            << Stored << doubles << "--all"
            << QStringList{"ΑΛΛΟΣ ΤΙΤΛΟΣ", "Ιστορία της επαναστάσεως", "ΝΕΟ ΒΙΒΛΙΟ", "ΝΕΟ ΒΙΒΛΙΟ"} << 0
            << "%2:5: the same author and title as card 6; appended all the same, as card 7";
        // The tool started with no standard streams: none of its files takes their numbers,
        // so that no message lands in the card file.
        QTest::newRow("the standard streams closed")
            << Stored << doubles << "closed" << QStringList{"ΝΕΟ ΒΙΒΛΙΟ"} << 0 << "";
        // Far more than the limit would take were the input held in memory.
        QTest::newRow("a large input in little memory")
            << Stored << QStringList(100000, QStringLiteral(",ΝΕΟΣ,ΝΕΟ ΒΙΒΛΙΟ,,,")) << "limited"
            << QStringList{"ΝΕΟ ΒΙΒΛΙΟ"} << 0 << "%2:100001: the same author and title as card 4; left out";
        QTest::newRow("the input kept in the data folder")
            << Stored << two << "refused" << QStringList{"ΑΡΧΑΙΟΛΟΓΙΑ", "ΑΣΜΑΤΑ"} << 0 << "cards 4 to 5";
        QTest::newRow("no room for the input")
            << Stored << two << "full" << QStringList{} << 1
            << "there is no free space on the storage medium; nothing appended";
        QTest::newRow("the disk full at the second card")
            << Stored << two << "5" << QStringList{"ΑΡΧΑΙΟΛΟΓΙΑ"} << 1
            << "there is no free space on the storage medium\nstopped at %2:3: 1 card appended before it "
               "stays in %1";
        QTest::newRow("a partial last card, the disk full at once")
            << Stored + "partial" << two << "4" << QStringList{} << 1 << "stopped at %2:2: 0 cards";
    }
    void append()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, rows);
        QFETCH(QString, standing);
        QFETCH(QStringList, appended);
        QFETCH(int, status);
        QFETCH(QString, said);
        ToolRun tool;
        qputenv("XDG_DATA_HOME", QFile::encodeName(tool.path(QStringLiteral("xdg"))));
        const QString card = tool.path(QStringLiteral("Filis.dat"));
        tool.put(QStringLiteral("Filis.dat"), stored);
        tool.put(QStringLiteral("in.csv"), csvOf(rows));
        CardFileLock editor;
        if (standing == QLatin1String("editor"))
            QVERIFY(editor.acquire(card));
        bool number = false;
        const qint64 failingCard = standing.toLongLong(&number);
        velmora::test::InterceptedCalls calls;
        // Once: putting the old bytes back at the same place must go through.
        bool failed = false;
        bool refused = false;
        int inputFile = -1; // the first unnamed file, which keeps the cards read
        const auto unnamed = [](const velmora::test::CallSite &site) {
            return site.call == velmora::test::Call::Openat && (site.flags & O_TMPFILE) == O_TMPFILE;
        };
        velmora::test::beforeCall = [&](const velmora::test::CallSite &site) {
            if (unnamed(site) && standing == QLatin1String("refused") && !std::exchange(refused, true))
                return EOPNOTSUPP;
            const bool fail = number && !failed && site.call == velmora::test::Call::Pwrite &&
                              site.offset == (failingCard - 1) * RecordLength;
            failed = failed || fail;
            return fail || (standing == QLatin1String("full") && site.fd == inputFile) ? ENOSPC : 0;
        };
        velmora::test::afterCall = [&](const velmora::test::CallSite &site, long result) {
            if (unnamed(site) && inputFile < 0)
                inputFile = int(result);
        };
        QStringList arguments{QStringLiteral("import"), QStringLiteral("--append")};
        if (standing.startsWith(QLatin1String("--")))
            arguments << standing;
        arguments << tool.path(QStringLiteral("in.csv")) << card;
        // How the shell starts the real program, for the rows that run it.
        const QHash<QString, QString> shells{{"limited", R"(ulimit -d 24576 && exec "$0" "$@")"},
                                             {"closed", R"(exec "$0" "$@" 0<&- 1>&- 2>&-)"}};
        QCOMPARE(shells.contains(standing)
                     ? tool.runProgram(arguments, QStringLiteral("C.UTF-8"), {}, shells.value(standing))
                     : tool.run(arguments),
                 status);
        QVERIFY2(QString(tool.out + tool.err)
                     .contains(said.replace(QStringLiteral("%1"), card)
                                   .replace(QStringLiteral("%2"), tool.path(QStringLiteral("in.csv")))),
                 qPrintable(tool.out + tool.err));

        // The stored bytes as they were, a partial card filled with blanks, the new cards after.
        const QByteArray after = tool.get(QStringLiteral("Filis.dat"));
        const qint64 held = cardsHeld(stored.size());
        const bool touched = !appended.isEmpty();
        QCOMPARE(after.left(stored.size()), stored);
        QCOMPARE(after.mid(stored.size(), touched ? held * RecordLength - stored.size() : -1),
                 QByteArray(touched ? held * RecordLength - stored.size() : 0, ' '));
        QCOMPARE(after.size(), touched ? (held + appended.size()) * RecordLength : stored.size());
        for (qsizetype i = 0; i < appended.size(); ++i)
            QCOMPARE(
                CardRecord::fromBytes(after.mid((held + i) * RecordLength, RecordLength)).shown(Field::Title),
                appended[i]);
        // The backup holds the file as it was before the session's first filing.
        QCOMPARE(tool.get(QStringLiteral("Filis.dat.bak")), touched || number ? stored : QByteArray());
        QVERIFY(!QFile::exists(tool.path(QStringLiteral("Filis.dat.journal"))));
    }

    void wrongCommandLine()
    {
        ToolRun tool;
        tool.put(QStringLiteral("in.csv"), csvOf({}));
        QCOMPARE(tool.run({QStringLiteral("import"), QStringLiteral("--all"),
                           tool.path(QStringLiteral("in.csv")), tool.path(QStringLiteral("Filis.dat"))}),
                 2);
        QCOMPARE(tool.run({QStringLiteral("import"), QStringLiteral("--append"),
                           tool.path(QStringLiteral("in.csv")), tool.path(QStringLiteral("Filis.dat"))}),
                 1);
        QVERIFY2(tool.err.contains(QLatin1String("the file or folder does not exist; nothing appended")),
                 qPrintable(tool.err));
        QVERIFY(!QFile::exists(tool.path(QStringLiteral("Filis.dat"))));
    }
};

QTEST_GUILESS_MAIN(CardAppendTest)
#include "tst_cardappend.moc"
