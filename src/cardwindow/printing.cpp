// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The print queue: a chosen card is printed at once into the application's print
// document, which holds everything back until it is ended.

#include "frmtervani.h"

#include "numbertext.h"
#include "printedcard.h"
#include "printheader.h"

namespace velmora {

namespace {

constexpr int CardsPerPage = 9;
constexpr int RuleLength = 250;
constexpr int CardNumberColumn = 62;

void printRule(PrintDocument &document)
{
    document.print(QString(RuleLength, QLatin1Char('-')), false);
    document.print(QString());
}

} // namespace

void printCardBlock(PrintDocument &document, const CardRecord &card, qint32 cardNumber)
{
    printRule(document);
    document.print(card.field(Field::Isbn), false);
    document.tab(CardNumberColumn);
    document.print(QStringLiteral("Καρτέλλα ="), false);
    document.printNumber(cardNumber, true);
    document.print(card.field(Field::Author) + QStringLiteral("    &    ") + card.field(Field::OtherName));
    document.print(card.field(Field::Title));
    document.print(card.field(Field::Publication) + QStringLiteral("     &     ") +
                   card.field(Field::PagesNotes));
    printRule(document);
}

void frmTervani::cmdPrint_Click()
{
    // What is printed is the card as filed (`Card`): changes typed on the screen are asked
    // about first, so that the printout is what the screen shows, or the filed card by the
    // keeper's choice, or nothing.
    if (!mayLeaveCard())
        return;
    StatusBar1.setMessage(
        QStringLiteral("Η Καρτέλλα <") + NumberText(CurrentCard) +
        QStringLiteral(" > θα εκτυπωθεί. Πατήστε 'ΕΚΤΥΠΩΣΗ' όταν επιλέξετε όλες τις Καρτέλλες"));
    PrintDocument &printer = m_platform.printer;
    printer.setFontName(QStringLiteral("courier"));
    printer.setFontSize(12);
    // The exploration window ends the shared document after each of its pages: a card
    // printed after that starts a new document, and so a new page with its header.
    if (!printer.isOpen())
        PrintCount = 0;
    PrintCount += 1;
    if (PrintCount == 1)
        printer.print(printHeaderLine(m_platform.clock));
    printCardBlock(printer, Card, CurrentCard);
    if (PrintCount == CardsPerPage) {
        printer.newPage();
        PrintCount = 0;
    }
}

void frmTervani::cmdEndPrint_Click()
{
    StatusBar1.setMessage(QString());
    const bool printed = m_platform.printer.endDoc();
    PrintCount = 0;
    // A failed rendering has been reported by the renderer; it is not also announced
    // as printing.
    if (printed)
        m_platform.messages.show(QStringLiteral("Οι Καρτέλλες Εκτυπώνονται"), AppTitle, Buttons::Ok,
                                 Icon::Information);
}

} // namespace velmora
