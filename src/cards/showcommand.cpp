// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards show FILIS N: one card as the card window shows it.

#include "captions.h"
#include "command.h"
#include "failurewords.h"
#include "storedcards.h"

#include <QCoreApplication>

namespace velmora::cards {

namespace {

int runShow(const CommandLine &line, Console &console)
{
    const QString &cardPath = line.arguments.at(0);
    const QString &numberText = line.arguments.at(1);
    StoredCards cards;
    if (const Result<void> opened = cards.open(cardPath); !opened) {
        console.err << failureLine(opened.error()) << Qt::endl;
        return Failure;
    }
    // Plain decimal digits: a command line is not the window's input box.
    bool isNumber = !numberText.isEmpty();
    for (QChar ch : numberText)
        isNumber = isNumber && ch >= u'0' && ch <= u'9';
    const qint64 number = isNumber && numberText.size() <= 10 ? numberText.toLongLong() : -1;
    if (number < 1 || number > cards.cardCount()) {
        console.err << QCoreApplication::translate("Show", "show: card number \"%1\" not in 1 to %2")
                           .arg(numberText, QString::number(cards.cardCount()))
                    << Qt::endl;
        return Usage;
    }
    const Result<CardRecord> read = cards.readCard(number);
    if (!read) {
        console.err << failureLine(read.error()) << Qt::endl;
        return Failure;
    }
    const CardRecord &card = *read;

    QTextStream &out = console.out;
    out << cardCaption(qint32(number), cards.cardCount()) << '\n';
    int labelWidth = 0;
    for (Field f : AllFields)
        labelWidth = qMax(labelWidth, int(fieldLabel(f).size()));
    for (Field f : AllFields)
        out << fieldLabel(f).leftJustified(labelWidth + 2) << card.shown(f) << '\n';
    out.flush();
    return Success;
}

} // namespace

Command showCommand()
{
    return Command{
        QStringLiteral("show"),
        QStringLiteral("show FILIS N"),
        QT_TRANSLATE_NOOP("CardTool",
                          "card N as the card window shows it: its caption, then the six labelled fields, "
                          "trimmed of blanks"),
        {},
        2,
        runShow,
    };
}

} // namespace velmora::cards
