// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing and exporting the exploration page: the 56-line printed page, the export
// file byte by byte, and the menu commands "Εκτύπωση" and "Αποθήκευση".

#include "cp1253.h"
#include "multiwindow.h"
#include "numbertext.h"
#include "pageview.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString Rule = QString(250, u'_');
const QString Header = QStringLiteral("Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε 6/12/2026, 09:05");

QString notice(int card)
{
    return QStringLiteral("Η Διερεύνηση μέχρι την Καρτέλλα <") + NumberText(card) +
           QStringLiteral(" > καταγράφηκε στο αρχείο C:\\Program Files\\Velmora\\MySearch.doc");
}

QList<CardRecord> someCards(int count)
{
    QList<CardRecord> cards;
    for (int n = 1; n <= count; ++n)
        cards << card(QStringLiteral("960-%1").arg(n), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ %1").arg(n),
                      QStringLiteral("ΤΙΤΛΟΣ %1").arg(n), QStringLiteral("ΑΛΛΟΣ %1").arg(n),
                      QStringLiteral("ΑΘΗΝΑ 19%1").arg(n), QStringLiteral("σ. %1").arg(n));
    return cards;
}

// The three slot lines of card n of someCards, built here by hand.
QStringList slotOf(int n)
{
    const QString gap = QStringLiteral("  ");
    return {padded(QStringLiteral("960-%1").arg(n), 20) + gap +
                padded(QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ %1").arg(n), 20) + gap +
                padded(QStringLiteral("ΑΛΛΟΣ %1").arg(n), 30),
            padded(QStringLiteral("ΤΙΤΛΟΣ %1").arg(n), 65),
            padded(QStringLiteral("ΑΘΗΝΑ 19%1").arg(n), 40) + gap +
                padded(QStringLiteral("σ. %1").arg(n), 20) + gap + QStringLiteral("Καρτέλλα = %1").arg(n)};
}

void place(frmMulti *w, QList<int> cards)
{
    for (int n : cards) {
        w->CurrentCard = n;
        w->ShowCR();
    }
}

bool bufferEmpty(const frmMulti *w)
{
    for (const frmMulti::Slot &slot : w->PageLines)
        for (const QString &line : slot)
            if (!line.isEmpty())
                return false;
    return w->SlotCount == 0;
}

} // namespace

class tst_PagePrinting : public QObject
{
    Q_OBJECT

private slots:
    void printedPage();
    void pageNumbers_data();
    void pageNumbers();
    void menuPrint();
    void menuPrintWhenPrintingFails();
    void exportOfOneCard();
    void exportAppendsPageAfterPage();
    void exportFileDeletedBehindTheProgramsBack();
    void failingAppendIsToldAndKeepsThePage();
};

void tst_PagePrinting::printedPage()
{
    MultiWindow env;
    env.tp.writeCards(someCards(5));
    const QByteArray cardBytes = env.tp.cardFileBytes();
    frmMulti *w = env.open();
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);
    place(w, {2, 3, 5});
    const QStringList drawn = w->page->drawnLines();
    w->SearchHeading = QStringLiteral("Διερεύνηση Συγγραφέα:");

    w->PrintRecords();
    QVERIFY(w->mnuPrint->isEnabled());
    QVERIFY(!w->mnuExport->isEnabled());
    QVERIFY(bufferEmpty(w));
    QCOMPARE(w->page->drawnLines(), drawn); // the caller clears the screen
    QCOMPARE(w->PageNumber, 1);
    QVERIFY(env.tp.renderer.documents.isEmpty()); // nor does it end the document
    QVERIFY(env.tp.printer.endDoc());

    QCOMPARE(env.tp.renderer.documents.size(), 1);
    const PrintedDocument &doc = env.tp.renderer.documents.first();
    QCOMPARE(doc.fontName, QStringLiteral("courier"));
    QCOMPARE(doc.fontSize, 12);
    QCOMPARE(doc.pages.size(), 1);
    QStringList expected{QString(), Header, QString()};
    const QList<int> cards{2, 3, 5};
    for (int s = 0; s < 8; ++s) {
        expected << Rule << QString();
        expected << (s < cards.size() ? slotOf(cards[s]) : QStringList{QString(), QString(), QString()});
        expected << Rule;
    }
    expected << QString() << QString() << QString() << QString()
             << QStringLiteral("Διερεύνηση Συγγραφέα: Σελίδα  1");
    QCOMPARE(doc.pages.first().size(), 56);
    QCOMPARE(doc.pages.first(), expected);
    QCOMPARE(doc.pages.first()[5].size(), 74);
    QCOMPARE(doc.pages.first()[6].size(), 65);
    QCOMPARE(env.tp.cardFileBytes(), cardBytes);
}

void tst_PagePrinting::pageNumbers_data()
{
    QTest::addColumn<QString>("heading");
    QTest::newRow("author and title") << QStringLiteral("Διερεύνηση Συγγραφέα και Τίτλου:");
    QTest::newRow("no heading yet") << QString();
}

void tst_PagePrinting::pageNumbers()
{
    QFETCH(QString, heading);
    MultiWindow env;
    env.tp.writeCards(someCards(3));
    frmMulti *w = env.open();
    w->SearchHeading = heading;

    for (int page = 1; page <= 2; ++page) {
        place(w, {page});
        w->PrintRecords();
        env.tp.printer.endDoc();
    }
    QCOMPARE(env.tp.renderer.documents.size(), 2);
    QCOMPARE(env.tp.renderer.documents[0].pages.first().last(), heading + QStringLiteral(" Σελίδα  1"));
    QCOMPARE(env.tp.renderer.documents[1].pages.first().last(), heading + QStringLiteral(" Σελίδα  2"));
    if (heading.isEmpty())
        QVERIFY(env.tp.renderer.documents[0].pages.first().last().startsWith(QStringLiteral(" Σελίδα ")));
}

void tst_PagePrinting::menuPrint()
{
    MultiWindow env;
    env.tp.writeCards(someCards(3));
    frmMulti *w = env.open();
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);
    w->PageNumber = 1; // the count of the running exploration goes on
    place(w, {1});

    w->mnuPrint_Click();
    QCOMPARE(env.tp.renderer.documents.size(), 1);
    QCOMPARE(env.tp.renderer.documents[0].pages.size(), 1);
    QCOMPARE(env.tp.renderer.documents[0].pages[0].size(), 56);
    QCOMPARE(env.tp.renderer.documents[0].pages[0].mid(5, 3), slotOf(1));
    QCOMPARE(env.tp.renderer.documents[0].pages[0].last(), QStringLiteral(" Σελίδα  2"));
    QVERIFY(!env.tp.printer.isOpen());
    QVERIFY(bufferEmpty(w));
    QVERIFY(w->page->items().isEmpty());
    QVERIFY(!w->mnuPrint->isEnabled());
    QVERIFY(!w->mnuExport->isEnabled());
    QCOMPARE(w->statusText(), QString());
}

void tst_PagePrinting::menuPrintWhenPrintingFails()
{
    MultiWindow env;
    env.tp.writeCards(someCards(3));
    frmMulti *w = env.open();
    w->mnuPrint->setEnabled(true);
    place(w, {1, 2});
    env.tp.renderer.fail = true;

    w->mnuPrint_Click();
    // The document did go to the renderer, which reports the failure itself.
    QCOMPARE(env.tp.log.count(QStringLiteral("render")), 1);
    QVERIFY(!env.tp.printer.isOpen());
    QVERIFY(env.tp.messages.calls.isEmpty());
    QVERIFY(bufferEmpty(w));
    QVERIFY(!w->mnuPrint->isEnabled());
}

void tst_PagePrinting::exportOfOneCard()
{
    MultiWindow env;
    // Greek small and capital letters, accents, and a final sigma, in Windows-1253.
    env.tp.writeCards({card(QStringLiteral("960-1"), QStringLiteral("ΣΟΦΟΣ"), QStringLiteral("Ο ΤΙΤΛΟΣ"),
                            QStringLiteral("άλλος"), QStringLiteral("ΑΘΗΝΑ"), QStringLiteral("σελ.")),
                       card(QStringLiteral("960-2"), QStringLiteral("ΣΟΦΟΣ"), QStringLiteral("Ή ΛΕΞΗ"),
                            QStringLiteral("άλλος"), QStringLiteral("ΑΘΗΝΑ"), QStringLiteral("σελ."))});
    const QByteArray cardBytes = env.tp.cardFileBytes();
    frmMulti *w = env.open();
    QVERIFY(env.tp.files.createEmpty(env.tp.paths.exportFile()));
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);
    place(w, {2});

    w->mnuExport_Click();

    QByteArray expected;
    expected += "960-2" + QByteArray(15, ' ') + "  " + "\xD3\xCF\xD6\xCF\xD3" + QByteArray(15, ' ') + "  " +
                "\xDC\xEB\xEB\xEF\xF2" + QByteArray(25, ' ') + "\r\n";
    expected += "\xB9 \xCB\xC5\xCE\xC7" + QByteArray(59, ' ') + "\r\n";
    expected += "\xC1\xC8\xC7\xCD\xC1" + QByteArray(35, ' ') + "  " + "\xF3\xE5\xEB." + QByteArray(16, ' ') +
                "  " + "\xCA\xE1\xF1\xF4\xDD\xEB\xEB\xE1 = 2\r\n";
    for (int i = 0; i < 21; ++i)
        expected += "\r\n";
    QCOMPARE(env.exportBytes(), expected);
    QCOMPARE(env.exportBytes().count("\r\n"), 24);

    QCOMPARE(w->statusText(), notice(2));
    QVERIFY(bufferEmpty(w));
    QVERIFY(w->page->items().isEmpty());
    QVERIFY(!w->mnuPrint->isEnabled());
    QVERIFY(!w->mnuExport->isEnabled());
    QCOMPARE(env.tp.cardFileBytes(), cardBytes);
}

void tst_PagePrinting::exportAppendsPageAfterPage()
{
    MultiWindow env;
    env.tp.writeCards(someCards(9));
    frmMulti *w = env.open();
    QVERIFY(env.tp.files.createEmpty(env.tp.paths.exportFile()));
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);

    place(w, {1, 2, 3, 4, 5, 6, 7, 8});
    const auto page = w->PageLines;
    const QStringList drawn = w->page->drawnLines();
    QVERIFY(w->Export());
    // Export leaves everything else to its caller.
    QCOMPARE(w->PageLines, page);
    QCOMPARE(w->page->drawnLines(), drawn);
    QVERIFY(w->mnuPrint->isEnabled());
    QVERIFY(w->mnuExport->isEnabled());
    QCOMPARE(w->statusText(), QString());

    w->ClearArrays();
    place(w, {9});
    QVERIFY(w->Export());

    const QList<QByteArray> lines = env.exportBytes().split('\n');
    QCOMPARE(lines.size(), 49); // 48 lines and what follows the last line end
    QVERIFY(lines.last().isEmpty());
    for (int i = 0; i < 48; ++i)
        QVERIFY(lines[i].endsWith('\r'));
    for (int n = 1; n <= 9; ++n) {
        const int first = (n - 1) * 3;
        for (int l = 0; l < 3; ++l)
            QCOMPARE(cp1253::decode(lines[first + l].chopped(1)), slotOf(n)[l]);
    }
    for (int i = 27; i < 48; ++i)
        QCOMPARE(lines[i], QByteArray("\r"));
}

void tst_PagePrinting::exportFileDeletedBehindTheProgramsBack()
{
    MultiWindow env;
    env.tp.writeCards(someCards(3));
    frmMulti *w = env.open();
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);
    place(w, {1, 3});
    const auto page = w->PageLines;
    const QStringList drawn = w->page->drawnLines();
    const QString title = w->windowTitle();
    QVERIFY(!QFileInfo::exists(env.tp.paths.exportFile()));

    // The first choice only makes the file again, empty.
    w->mnuExport_Click();
    QVERIFY(QFileInfo::exists(env.tp.paths.exportFile()));
    QCOMPARE(QFileInfo(env.tp.paths.exportFile()).size(), 0);
    QCOMPARE(w->PageLines, page);
    QCOMPARE(w->SlotCount, 2);
    QCOMPARE(w->page->drawnLines(), drawn);
    QVERIFY(w->mnuPrint->isEnabled());
    QVERIFY(w->mnuExport->isEnabled());
    QCOMPARE(w->statusText(), QString());
    QCOMPARE(w->windowTitle(), title);
    QVERIFY(env.tp.messages.calls.isEmpty());

    // The second appends the page.
    w->mnuExport_Click();
    QCOMPARE(env.exportBytes().count("\r\n"), 24);
    QVERIFY(env.exportBytes().startsWith(QByteArray(cp1253::encode(slotOf(1)[0]) + "\r\n")));
    QCOMPARE(w->statusText(), notice(3));
    QVERIFY(bufferEmpty(w));
    QVERIFY(w->page->items().isEmpty());
    QVERIFY(!w->mnuPrint->isEnabled());
    QVERIFY(!w->mnuExport->isEnabled());
}

void tst_PagePrinting::failingAppendIsToldAndKeepsThePage()
{
    MultiWindow env;
    env.tp.writeCards(someCards(3));
    frmMulti *w = env.open();
    QVERIFY(env.tp.files.createEmpty(env.tp.paths.exportFile()));
    w->mnuPrint->setEnabled(true);
    w->mnuExport->setEnabled(true);
    place(w, {2});
    const auto page = w->PageLines;
    const QStringList drawn = w->page->drawnLines();
    env.tp.files.failAppend = true;

    QVERIFY(!w->Export());
    w->mnuExport_Click();

    QCOMPARE(w->statusText(), QString());
    QCOMPARE(w->PageLines, page);
    QCOMPARE(w->SlotCount, 1);
    QCOMPARE(w->page->drawnLines(), drawn);
    QVERIFY(w->mnuPrint->isEnabled());
    QVERIFY(w->mnuExport->isEnabled());
    QCOMPARE(env.exportBytes(), QByteArray());
    // Told twice, once for each try, that the page was not saved.
    QCOMPARE(env.tp.messages.calls.size(), 2);
    for (const MessageCall &call : env.tp.messages.calls)
        QCOMPARE(call.prompt,
                 QStringLiteral("Η σελίδα δεν αποθηκεύτηκε στο αρχείο %1: δεν υπάρχει ελεύθερος χώρος στο "
                                "μέσο αποθήκευσης.")
                     .arg(exportFileShownName()));

    // Once the file can be written again, the same page goes in and is reported.
    env.tp.files.failAppend = false;
    w->mnuExport_Click();
    QCOMPARE(env.exportBytes().count("\r\n"), 24);
    QCOMPARE(w->statusText(), notice(2));
}

QTEST_MAIN(tst_PagePrinting)
#include "tst_pageprinting.moc"
