// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "citationexport.h"
#include "failurewords.h"

#include "bookfields.h"
#include "cardfile.h"
#include "citationformats.h"
#include "citationkeys.h"
#include "outputfile.h"
#include "storedcards.h"

#include <QCoreApplication>

namespace velmora::cards {

using namespace velmora::citation;

namespace {

constexpr qsizetype FlushAt = 1 << 20;

} // namespace

int exportCitations(const QString &formatName, const CommandLine &line, Console &console)
{
    const ReferenceFormat *known = referenceFormatNamed(formatName);
    if (!known) {
        console.err << QCoreApplication::translate("Export", "export: unknown format \"%1\" (%2)")
                           .arg(formatName, listedFormats(Joined::Or, {QStringLiteral("csv")}))
                    << Qt::endl;
        return Usage;
    }
    const CitationFormat *format = known->writer;
    const QString &cardPath = line.arguments.at(0);
    const QString &outPath = line.arguments.at(1);
    const bool all = line.has(QStringLiteral("--all"));

    StoredCards cards;
    if (const Result<void> opened = cards.open(cardPath); !opened) {
        console.err << failureLine(opened.error()) << Qt::endl;
        return Failure;
    }
    OutputFile out;
    if (const Result<void> opened = out.open(outPath, identityOf(cardPath)); !opened) {
        console.err << failureLine(opened.error()) << Qt::endl;
        return Failure;
    }

    const CardRecord deleted = CardRecord::deletedCard();
    const CardRecord fresh = CardRecord::newCard();
    CitationKeys keys;
    qint64 written = 0, deletedLeft = 0, freshLeft = 0;
    // One buffer for the whole export, kept at its size: allocating a megabyte again after
    // every write costs more than making the records.
    QByteArray text;
    text.reserve(FlushAt + (FlushAt >> 2));
    format->head(&text);
    const qint64 count = roundedCardCount(cards.length());
    for (qint64 n = 1; n <= count; ++n) {
        const Result<CardRecord> read = cards.readCard(n);
        if (!read) {
            console.err << QCoreApplication::translate("CardTool", "%1; nothing written")
                               .arg(failureLine(read.error()))
                        << Qt::endl;
            return Failure;
        }
        const CardRecord &card = *read;
        if (!all && card == deleted) {
            ++deletedLeft;
            continue;
        }
        if (!all && card == fresh) {
            ++freshLeft;
            continue;
        }
        const Book book = bookOf(card);
        format->record(book, keys.next(book), written == 0, &text);
        ++written;
        if (text.size() >= FlushAt) {
            out.write(text);
            text.truncate(0);
        }
    }
    format->tail(written == 0, &text);
    out.write(text);
    if (const Result<void> committed = out.commit(); !committed) {
        console.err << QCoreApplication::translate("CardTool", "%1; nothing written")
                           .arg(failureLine(committed.error()))
                    << Qt::endl;
        return Failure;
    }
    QTextStream &report = out.isStandardOutput() ? console.err : console.out;
    report << (written == 1 ? QCoreApplication::translate("Export", "%1 book written to %2")
                            : QCoreApplication::translate("Export", "%1 books written to %2"))
                  .arg(QString::number(written), outPath)
           << Qt::endl;
    if (!all)
        console.err << QCoreApplication::translate("Export",
                                                   "left out: %1 deleted (\"~~~\"), %2 new (only \"960-\"); "
                                                   "--all keeps them")
                           .arg(deletedLeft)
                           .arg(freshLeft)
                    << Qt::endl;
    return Success;
}

} // namespace velmora::cards
