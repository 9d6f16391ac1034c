// velmora-cards show FILIS N: one card as the card window shows it.

#include "command.h"
#include "numbertext.h"
#include "storedcards.h"

#include <array>

namespace velmora::cards {

namespace {

// The card window's caption and labels, in the order of the card record.
const QString CardCaption = QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: ");
const QString Of = QStringLiteral("  από ");
const std::array<QString, FieldCount> Labels = {
    QStringLiteral("ΑΡIΘΜ. ISBN"), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ"), QStringLiteral("ΤΙΤΛΟΣ"),
    QStringLiteral("ΑΛΛΟ ΟΝΟΜΑ"),  QStringLiteral("ΕΚΔΟΤΙΚΑ"),   QStringLiteral("ΣΕΛ.-ΣΗΜ/ΣΕΙΣ"),
};

int runShow(const CommandLine &line, Console &console)
{
    const QString &cardPath = line.arguments.at(0);
    const QString &numberText = line.arguments.at(1);
    QString error;
    StoredCards cards;
    if (!cards.open(cardPath, &error)) {
        console.err << error << Qt::endl;
        return Failure;
    }
    // Plain decimal digits: a command line is not the window's input box.
    bool isNumber = !numberText.isEmpty();
    for (QChar ch : numberText)
        isNumber = isNumber && ch >= u'0' && ch <= u'9';
    const qint64 number = isNumber && numberText.size() <= 10 ? numberText.toLongLong() : -1;
    if (number < 1 || number > cards.cardCount()) {
        console.err << "show: card number \"" << numberText << "\" not in 1 to " << cards.cardCount()
                    << Qt::endl;
        return Usage;
    }
    CardRecord card;
    if (!cards.readCard(number, &card, &error)) {
        console.err << error << Qt::endl;
        return Failure;
    }

    QTextStream &out = console.out;
    out << CardCaption << NumberText(number) << Of << NumberText(cards.cardCount()) << '\n';
    int labelWidth = 0;
    for (const QString &label : Labels)
        labelWidth = qMax(labelWidth, int(label.size()));
    for (int i = 0; i < FieldCount; ++i)
        out << Labels[i].leftJustified(labelWidth + 2) << card.shown(AllFields[i]) << '\n';
    out.flush();
    return Success;
}

} // namespace

Command showCommand()
{
    return Command{
        QStringLiteral("show"),
        QStringLiteral("show FILIS N"),
        QStringLiteral("card N as the card window shows it: its caption, then the six labelled fields, "
                       "trimmed of blanks"),
        {},
        2,
        runShow,
    };
}

} // namespace velmora::cards
