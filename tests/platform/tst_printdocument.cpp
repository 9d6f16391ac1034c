// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"
#include "fakes.h"
#include "printdocument.h"
#include "printheader.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

// A clock that notes the order in which it is read.
class OrderClock : public Clock
{
public:
    QDate today() override
    {
        reads << QStringLiteral("date");
        return QDate(2026, 12, 6);
    }
    QTime now() override
    {
        reads << QStringLiteral("time");
        return QTime(9, 5);
    }
    QStringList reads;
};

} // namespace

class tst_printdocument : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheFirstOutputAfterAnEnd()
    {
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        QVERIFY(!doc.isOpen());
        doc.print(QStringLiteral("α"));
        QVERIFY(doc.isOpen());
        QVERIFY(doc.endDoc());
        QVERIFY(!doc.isOpen());
        doc.print(QStringLiteral("β"), false);
        doc.print(QStringLiteral("γ"));
        QVERIFY(doc.endDoc());
        QCOMPARE(renderer.documents.size(), 2);
        QCOMPARE(renderer.documents.at(0).pages, QList<QStringList>{{QStringLiteral("α")}});
        QCOMPARE(renderer.documents.at(1).pages, QList<QStringList>{{QStringLiteral("βγ")}});
    }

    void pagesAtTheEnd_data()
    {
        QTest::addColumn<int>("linesBefore");
        QTest::addColumn<int>("newPagesAfter");
        QTest::addColumn<int>("renders");
        QTest::addColumn<int>("pages");
        QTest::newRow("no output") << 0 << 0 << 0 << 0;
        QTest::newRow("only a new page") << 0 << 1 << 0 << 0;
        QTest::newRow("one line") << 1 << 0 << 1 << 1;
        QTest::newRow("new page after output") << 3 << 1 << 1 << 1;
        QTest::newRow("two new pages after output") << 3 << 2 << 1 << 1;
    }
    void pagesAtTheEnd()
    {
        QFETCH(int, linesBefore);
        QFETCH(int, newPagesAfter);
        QFETCH(int, renders);
        QFETCH(int, pages);
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        for (int i = 0; i < linesBefore; ++i)
            doc.print(QString::number(i));
        for (int i = 0; i < newPagesAfter; ++i)
            doc.newPage();
        QVERIFY(doc.endDoc());
        QCOMPARE(renderer.documents.size(), renders);
        if (renders)
            QCOMPARE(renderer.documents.first().pages.size(), pages);
        QVERIFY(!doc.isOpen());
    }

    void aFailedRenderIsPassedOn()
    {
        QStringList log;
        RecordingRenderer renderer(log);
        renderer.fail = true;
        PrintDocument doc(renderer);
        doc.print(QStringLiteral("x"));
        QVERIFY(!doc.endDoc());
        QVERIFY(!doc.isOpen()); // the next output starts a new document
    }

    void tabToAColumn_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("lines");
        const QString x20(20, u'x');
        QTest::newRow("empty line to 62") << QString() << 62 << QStringList{QString(61, u' ') + u'|'};
        QTest::newRow("20 characters to 62") << x20 << 62 << QStringList{x20 + QString(41, u' ') + u'|'};
        QTest::newRow("already there") << QStringLiteral("ab") << 3 << QStringList{QStringLiteral("ab|")};
        QTest::newRow("one past: next line")
            << QStringLiteral("abc") << 3 << QStringList{QStringLiteral("abc"), QStringLiteral("  |")};
        QTest::newRow("far past: next line")
            << QString(70, u'y') << 62 << QStringList{QString(70, u'y'), QString(61, u' ') + u'|'};
        QTest::newRow("column 1 stays") << QString() << 1 << QStringList{QStringLiteral("|")};
    }
    void tabToAColumn()
    {
        QFETCH(QString, before);
        QFETCH(int, column);
        QFETCH(QStringList, lines);
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        if (!before.isEmpty())
            doc.print(before, false);
        doc.tab(column);
        doc.print(QStringLiteral("|"));
        QCOMPARE(doc.pending().pages, QList<QStringList>{lines});
    }

    void tabAfterAnEndedLineStartsANewOne()
    {
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        doc.print(QStringLiteral("ενα"));
        doc.tab(5);
        doc.print(QStringLiteral("δυο"));
        QCOMPARE(doc.pending().pages.first(),
                 (QStringList{QStringLiteral("ενα"), QStringLiteral("    δυο")}));
    }

    void printNumber_data()
    {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("7") << qint64(7) << QStringLiteral(" 7 ");
        QTest::newRow("0") << qint64(0) << QStringLiteral(" 0 ");
        QTest::newRow("-3") << qint64(-3) << QStringLiteral("-3 ");
        QTest::newRow("large") << qint64(2147483647) << QStringLiteral(" 2147483647 ");
    }
    void printNumber()
    {
        QFETCH(qint64, n);
        QFETCH(QString, text);
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        doc.print(QStringLiteral("Καρτέλλα ="), false);
        doc.printNumber(n);
        doc.print(QString()); // ends the line
        doc.print(QStringLiteral("next"));
        QCOMPARE(doc.pending().pages.first(),
                 (QStringList{QStringLiteral("Καρτέλλα =") + text, QStringLiteral("next")}));
    }

    void theFontSetBeforeTheFirstOutputIsRecorded()
    {
        QStringList log;
        RecordingRenderer renderer(log);
        PrintDocument doc(renderer);
        doc.setFontName(QStringLiteral("courier"));
        doc.setFontSize(12);
        QVERIFY(!doc.isOpen()); // setting the font is no output
        doc.print(QStringLiteral("x"));
        QCOMPARE(doc.pending().fontName, QStringLiteral("courier"));
        QCOMPARE(doc.pending().fontSize, 12);
        doc.endDoc();

        doc.setFontName(QStringLiteral("arial"));
        doc.setFontSize(9);
        doc.print(QStringLiteral("y"));
        doc.endDoc();
        QCOMPARE(renderer.documents.at(1).fontName, QStringLiteral("arial"));
        QCOMPARE(renderer.documents.at(1).fontSize, 9);
    }

    void headerLine_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("line");
        const QString head = QStringLiteral("Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε ");
        QTest::newRow("morning") << QDate(2026, 12, 6) << QTime(9, 5, 59)
                                 << head + QStringLiteral("6/12/2026, 09:05");
        QTest::newRow("afternoon, two-digit day and month")
            << QDate(2027, 11, 23) << QTime(17, 45) << head + QStringLiteral("23/11/2027, 17:45");
        QTest::newRow("midnight, one-digit day and month")
            << QDate(2028, 1, 2) << QTime(0, 0) << head + QStringLiteral("2/1/2028, 00:00");
        QTest::newRow("late evening")
            << QDate(2026, 10, 31) << QTime(23, 59) << head + QStringLiteral("31/10/2026, 23:59");
    }
    void headerLine()
    {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QString, line);
        FakeClock clock;
        clock.date = date;
        clock.time = time;
        QCOMPARE(printHeaderLine(clock), line);
    }

    void headerLineReadsTheDateFirst()
    {
        OrderClock clock;
        printHeaderLine(clock);
        QCOMPARE(clock.reads, (QStringList{QStringLiteral("date"), QStringLiteral("time")}));
    }
};

QTEST_GUILESS_MAIN(tst_printdocument)
#include "tst_printdocument.moc"
