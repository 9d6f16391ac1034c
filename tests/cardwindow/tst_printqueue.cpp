// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The print queue: cards printed one by one into the shared print document, nine to a
// page, each page opening with its header line, all released by the end of the document.

#include "cardwindowtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::CardRecord)

namespace {

const QString Header = QStringLiteral("Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε 6/12/2026, 09:05");
const QString Rule(250, u'-');

// The six lines of a card as the printed list shows it, built column by column.
QStringList expectedBlock(const CardRecord &c, int number)
{
    return {Rule,
            c.field(Field::Isbn) + QString(41, u' ') + QStringLiteral("Καρτέλλα =") +
                QStringLiteral(" %1 ").arg(number),
            c.field(Field::Author) + QStringLiteral("    &    ") + c.field(Field::OtherName),
            c.field(Field::Title),
            c.field(Field::Publication) + QStringLiteral("     &     ") + c.field(Field::PagesNotes),
            Rule};
}

QList<int> pageSizes(const PrintedDocument &doc)
{
    QList<int> sizes;
    for (const QStringList &page : doc.pages)
        sizes << int(page.size());
    return sizes;
}

} // namespace

class tst_PrintQueue : public QObject
{
    Q_OBJECT

    std::unique_ptr<LoadedWindow> t;
    QList<CardRecord> cards;

    void printCards(const QList<int> &numbers)
    {
        for (int n : numbers) {
            t->showCard(n);
            t->window->cmdPrint_Click();
        }
    }
    const PrintDocument &printer() { return t->platform->printer; }

private slots:
    void init()
    {
        t = std::make_unique<LoadedWindow>();
        cards = numberedCards(30);
        t->load(cards);
    }
    void cleanup() { t.reset(); }

    void headerOpensTheFirstCardAfterStartAndAfterEachEnd()
    {
        printCards({1, 2});
        const PrintedDocument &doc = printer().pending();
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.pages[0], QStringList{Header} + expectedBlock(cards[0], 1) + expectedBlock(cards[1], 2));

        t->window->cmdEndPrint_Click();
        QCOMPARE(t->platform->renderer.documents.size(), 1);
        printCards({3});
        QCOMPARE(printer().pending().pages[0], QStringList{Header} + expectedBlock(cards[2], 3));
    }

    void pageBreaks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("8") << 8 << QList<int>{1 + 8 * 6};
        QTest::newRow("9") << 9 << QList<int>{55};
        QTest::newRow("10") << 10 << QList<int>{55, 7};
        QTest::newRow("18") << 18 << QList<int>{55, 55};
        QTest::newRow("19") << 19 << QList<int>{55, 55, 7};
        QTest::newRow("27") << 27 << QList<int>{55, 55, 55};
        QTest::newRow("28") << 28 << QList<int>{55, 55, 55, 7};
    }
    void pageBreaks()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, pages);
        QList<int> numbers;
        for (int n = 1; n <= count; ++n)
            numbers << n;
        printCards(numbers);
        QCOMPARE(t->window->PrintCount, count % 9);
        t->window->cmdEndPrint_Click();

        QCOMPARE(t->platform->renderer.documents.size(), 1);
        const PrintedDocument &doc = t->platform->renderer.documents.constFirst();
        QCOMPARE(pageSizes(doc), pages);
        for (qsizetype p = 0; p < doc.pages.size(); ++p) {
            QCOMPARE(doc.pages[p].constFirst(), Header);
            // Each page carries the next nine cards, in order.
            QCOMPARE(doc.pages[p].mid(1, 6), expectedBlock(cards[p * 9], int(p * 9 + 1)));
        }
        QCOMPARE(doc.fontName, QStringLiteral("courier"));
        QCOMPARE(doc.fontSize, 12);
        QCOMPARE(t->window->PrintCount, 0);
    }

    void columns_data()
    {
        QTest::addColumn<CardRecord>("card");
        QTest::newRow("all blank") << CardRecord();
        QTest::newRow("full") << card(QString(20, u'1'), QString(20, u'Α'), QString(65, u'Τ'),
                                      QString(30, u'Ω'), QString(40, u'Ε'), QString(20, u'Σ'));
        QTest::newRow("no other name") << card(QStringLiteral("960-7"), QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ"));
    }
    void columns()
    {
        QFETCH(CardRecord, card);
        QList<CardRecord> seven = numberedCards(6);
        seven << card;
        t->load(seven);
        printCards({7});
        const QStringList lines = printer().pending().pages[0].mid(1);
        QCOMPARE(lines, expectedBlock(card, 7));
        // Columns counted from 1: "Καρτέλλα =" at 62, the number after it as " 7 ",
        // "&" at 25 and 46, the other name from 30, the pages from 52.
        QCOMPARE(lines[1].indexOf(QStringLiteral("Καρτέλλα =")), 61);
        QVERIFY(lines[1].endsWith(QStringLiteral("Καρτέλλα = 7 ")));
        QCOMPARE(lines[2].at(24), u'&');
        QCOMPARE(lines[2].mid(29), card.field(Field::OtherName));
        QCOMPARE(lines[4].at(45), u'&');
        QCOMPARE(lines[4].mid(51), card.field(Field::PagesNotes));
        QCOMPARE(lines[0].size(), 250);
        QCOMPARE(lines[5], Rule);
    }

    void theSameCardTwicePrintsTwice()
    {
        printCards({4, 4});
        QCOMPARE(printer().pending().pages[0],
                 QStringList{Header} + expectedBlock(cards[3], 4) + expectedBlock(cards[3], 4));
        QCOMPARE(t->window->PrintCount, 2);
    }

    void anUnsavedEditPrintsTheStoredCard()
    {
        t->showCard(5);
        t->window->txtOno->setText(QStringLiteral("ΑΛΛΑΓΜΕΝΟΣ"));
        t->window->cmdPrint_Click();
        QCOMPARE(printer().pending().pages[0].mid(1), expectedBlock(cards[4], 5));
        QCOMPARE(t->window->txtOno->text(), QStringLiteral("ΑΛΛΑΓΜΕΝΟΣ"));
    }

    void storedBlanksPrintAsTheWindowShowsThem()
    {
        // The window prints its buffer, which holds each field trimmed and left-justified.
        CardRecord stored = card(QStringLiteral("   960-1"), QStringLiteral("  ΠΛΑΤΩΝ"));
        t->load({stored});
        t->window->cmdPrint_Click();
        const QStringList lines = printer().pending().pages[0];
        QVERIFY(lines[2].startsWith(QStringLiteral("960-1 ")));
        QVERIFY(lines[3].startsWith(QStringLiteral("ΠΛΑΤΩΝ ")));
    }

    void printCountSurvivesAReload()
    {
        printCards({1, 2, 3, 4});
        QCOMPARE(t->session.PrintCount, 4);
        t->window.reset();
        frmTervani &again = t->load();
        QCOMPARE(again.PrintCount, 4);
        QCOMPARE(again.CurrentCard, 1);
        again.cmdPrint_Click();
        QCOMPARE(again.PrintCount, 5);
        // The fifth card continues the page: no second header.
        const QStringList page = printer().pending().pages[0];
        QCOMPARE(page.size(), 1 + 5 * 6);
        QCOMPARE(page.count(Header), 1);
        QCOMPARE(page.mid(1 + 4 * 6), expectedBlock(cards[0], 1));
    }

    void statusTexts_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("7")
            << 7
            << QStringLiteral(
                   "Η Καρτέλλα < 7 > θα εκτυπωθεί. Πατήστε 'ΕΚΤΥΠΩΣΗ' όταν επιλέξετε όλες τις Καρτέλλες");
        QTest::newRow("12")
            << 12
            << QStringLiteral(
                   "Η Καρτέλλα < 12 > θα εκτυπωθεί. Πατήστε 'ΕΚΤΥΠΩΣΗ' όταν επιλέξετε όλες τις Καρτέλλες");
    }
    void statusTexts()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        printCards({number});
        QCOMPARE(t->window->statusText(), text);
        QCOMPARE(t->window->StatusBar1.panel(2)->text(), text);
        QVERIFY(text.startsWith(QStringLiteral("Η Καρτέλλα < %1 > θα εκτυπωθεί.").arg(number)));
        t->window->cmdEndPrint_Click();
        QCOMPARE(t->window->statusText(), QString());
    }

    void printingChangesNothingElse()
    {
        const QByteArray before = t->platform->cardFileBytes();
        t->showCard(6);
        const QString caption = t->window->windowTitle();
        t->window->cmdPrint_Click();
        QCOMPARE(t->window->CurrentCard, 6);
        QCOMPARE(t->window->windowTitle(), caption);
        QCOMPARE(t->platform->cardFileBytes(), before);
        QVERIFY(t->platform->log.isEmpty());
    }

    void endTellsTheUser()
    {
        printCards({1});
        t->window->cmdEndPrint_Click();
        QCOMPARE(t->platform->log, (QStringList{"render", "message:Οι Καρτέλλες Εκτυπώνονται"}));
        const MessageCall &call = t->platform->messages.calls.constFirst();
        QCOMPARE(call.title, AppTitle);
        QCOMPARE(call.buttons, Buttons::Ok);
        QCOMPARE(call.icon, Icon::Information);
    }

    void endWithNothingPrintedStillTellsTheUser()
    {
        t->window->cmdEndPrint_Click();
        QCOMPARE(t->platform->log, QStringList{"message:Οι Καρτέλλες Εκτυπώνονται"});
        QVERIFY(t->platform->renderer.documents.isEmpty());
        QCOMPARE(t->window->PrintCount, 0);
    }

    void aFailedRenderingIsNotAnnouncedAsPrinting()
    {
        printCards({1, 2});
        t->platform->renderer.fail = true;
        t->window->cmdEndPrint_Click();
        QCOMPARE(t->platform->log, QStringList{"render"});
        QCOMPARE(t->window->PrintCount, 0);
        QCOMPARE(t->window->statusText(), QString());
    }

    void aDocumentEndedElsewhereStartsANewPage()
    {
        // The exploration window ends the shared document after each of its pages.
        printCards({1, 2, 3});
        t->platform->printer.endDoc();
        printCards({4});
        QCOMPARE(printer().pending().pages[0], QStringList{Header} + expectedBlock(cards[3], 4));
        QCOMPARE(t->window->PrintCount, 1);
    }

    void theFontIsSetForEachCard()
    {
        printCards({1});
        t->platform->printer.setFontName(QStringLiteral("Helvetica"));
        t->platform->printer.setFontSize(9);
        printCards({2});
        QCOMPARE(printer().pending().fontName, QStringLiteral("courier"));
        QCOMPARE(printer().pending().fontSize, 12);
    }

    void theButtonsRunTheQueue()
    {
        t->showCard(3);
        QTest::mouseClick(t->window->cmdPrint, Qt::LeftButton);
        QCOMPARE(printer().pending().pages[0].mid(1), expectedBlock(cards[2], 3));
        QTest::mouseClick(t->window->cmdEndPrint, Qt::LeftButton);
        QCOMPARE(t->platform->renderer.documents.size(), 1);
        QCOMPARE(t->platform->messages.calls.size(), 1);
    }
};

QTEST_MAIN(tst_PrintQueue)
#include "tst_printqueue.moc"
