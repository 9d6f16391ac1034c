// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards check FILIS: what is wrong with a card file, card by card and field by field.

#include "cardfile.h"
#include "command.h"
#include "cp1253.h"
#include "csvcolumns.h"
#include "failurewords.h"
#include "librariancheck.h"
#include "storedcards.h"

#include <QCoreApplication>

namespace velmora::cards {

namespace {

QString hexByte(unsigned char byte)
{
    return QStringLiteral("0x") + QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

// 1-3, 7, 9-10: positions counted from 1 within the field.
QString positionRanges(const QList<int> &positions)
{
    QStringList parts;
    for (qsizetype i = 0; i < positions.size();) {
        qsizetype j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1)
            ++j;
        parts << (i == j ? QString::number(positions[i])
                         : QStringLiteral("%1-%2").arg(positions[i]).arg(positions[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

// The damage in one field's stored bytes, one line per kind.
QStringList fieldFindings(QByteArrayView bytes)
{
    QList<int> nul;
    QStringList undefined, control;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int position = int(i) + 1;
        if (b == 0)
            nul << position;
        else if (cp1253::isUndefinedByte(b))
            undefined << QCoreApplication::translate("Check", "%1 at %2").arg(hexByte(b)).arg(position);
        else if (b < 0x20 || b == 0x7F)
            control << QCoreApplication::translate("Check", "%1 at %2").arg(hexByte(b)).arg(position);
    }
    QStringList found;
    if (!nul.isEmpty())
        found << (nul.size() == 1 ? QCoreApplication::translate("Check", "%1 NUL byte at %2")
                                  : QCoreApplication::translate("Check", "%1 NUL bytes at %2"))
                     .arg(nul.size())
                     .arg(positionRanges(nul));
    if (!undefined.isEmpty())
        found << (undefined.size() == 1
                      ? QCoreApplication::translate("Check", "%1 byte undefined in Windows-1253: %2")
                      : QCoreApplication::translate("Check", "%1 bytes undefined in Windows-1253: %2"))
                     .arg(undefined.size())
                     .arg(undefined.join(QStringLiteral(", ")));
    if (!control.isEmpty())
        found << (control.size() == 1 ? QCoreApplication::translate("Check", "%1 control byte: %2")
                                      : QCoreApplication::translate("Check", "%1 control bytes: %2"))
                     .arg(control.size())
                     .arg(control.join(QStringLiteral(", ")));
    return found;
}

int runCheck(const CommandLine &line, Console &console)
{
    const QString &cardPath = line.arguments.at(0);
    StoredCards cards;
    if (const Result<void> opened = cards.open(cardPath); !opened) {
        console.err << failureLine(opened.error()) << Qt::endl;
        // Too long for the program is damage the tool can name; anything else stops it.
        return opened.error().fault == Fault::TooLong ? Damaged : Failure;
    }

    QTextStream &out = console.out;
    qint64 found = 0;
    out << (cards.cardCount() == 1 ? QCoreApplication::translate("Check", "%1: %2 bytes, %3 card")
                                   : QCoreApplication::translate("Check", "%1: %2 bytes, %3 cards"))
               .arg(cardPath, QString::number(cards.length()), QString::number(cards.cardCount()));
    if (cards.length() == 0)
        out << QCoreApplication::translate("Check", " (an empty file: the program shows one empty card)");
    out << '\n';

    const CardRecord deleted = CardRecord::deletedCard();
    const CardRecord fresh = CardRecord::newCard();
    LibrarianCheck librarian;
    for (qint64 n = 1; n <= cards.storedRecords(); ++n) {
        const Result<QByteArray> read = cards.readStored(n);
        if (!read) {
            out.flush();
            console.err << failureLine(read.error()) << Qt::endl;
            return Failure;
        }
        const QByteArray &stored = *read;
        if (stored.size() == RecordLength && CardRecord::fromBytes(stored) == deleted) {
            ++found;
            out << QCoreApplication::translate("Check", "card %1: deleted (\"~~~\" in all six fields)").arg(n)
                << '\n';
            continue;
        }
        if (stored.size() == RecordLength && CardRecord::fromBytes(stored) == fresh) {
            ++found;
            out << QCoreApplication::translate(
                       "Check", "card %1: new, still to be filled in (only \"960-\" in the ISBN)")
                       .arg(n)
                << '\n';
            continue;
        }
        for (Field f : AllFields) {
            const FieldLayout l = layoutOf(f);
            if (l.offset >= stored.size())
                break;
            const QByteArrayView bytes =
                QByteArrayView(stored).sliced(l.offset, qMin<qsizetype>(l.width, stored.size() - l.offset));
            for (const QString &finding : fieldFindings(bytes)) {
                ++found;
                out << QCoreApplication::translate("Check", "card %1, %2: %3")
                           .arg(QString::number(n), columnName(f), finding)
                    << '\n';
            }
        }
        if (stored.size() == RecordLength) // a partial record is a finding of its own
            found += librarian.card(n, CardRecord::fromBytes(stored), out);
    }
    const Result<qint64> duplicates = librarian.finish(cards, out);
    if (!duplicates) {
        out.flush();
        console.err << failureLine(duplicates.error()) << Qt::endl;
        return Failure;
    }
    found += *duplicates;

    if (cards.tailBytes() > 0) {
        ++found;
        const int tail = cards.tailBytes();
        out << (tail * 2 > RecordLength
                    ? QCoreApplication::translate(
                          "Check",
                          "card %1: partial record of %2 bytes at the end; the program counts it as a "
                          "card and reads the missing %3 bytes as blanks")
                          .arg(cards.storedRecords())
                          .arg(tail)
                          .arg(RecordLength - tail)
                    : QCoreApplication::translate(
                          "Check", "card %1: partial record of %2 bytes at the end; the program does not "
                                   "count it (%3 bytes or fewer)")
                          .arg(cards.storedRecords())
                          .arg(tail)
                          .arg(RecordLength / 2))
            << '\n';
    }

    if (found == 0) {
        out << QCoreApplication::translate("Check", "no damage found") << Qt::endl;
        return Success;
    }
    out << (found == 1 ? QCoreApplication::translate("Check", "%1 finding")
                       : QCoreApplication::translate("Check", "%1 findings"))
               .arg(found)
        << Qt::endl;
    return Damaged;
}

} // namespace

Command checkCommand()
{
    return Command{
        QStringLiteral("check"),
        QStringLiteral("check FILIS"),
        QT_TRANSLATE_NOOP(
            "CardTool", "the file's length and card count, then a partial record at the end, deleted cards, "
                        "new cards still holding only \"960-\", NUL bytes, bytes undefined in Windows-1253 "
                        "and control bytes, each with its card number and field (positions from 1 within "
                        "the field); an ISBN-10 or ISBN-13 whose check digit is wrong; cards that look like "
                        "the same book (the same ISBN, or the same author and title once blanks and accents "
                        "are set aside), each group once; exit status 3 when anything is found"),
        {},
        1,
        runCheck,
    };
}

} // namespace velmora::cards
