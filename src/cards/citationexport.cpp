// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "citationexport.h"

#include "bookfields.h"
#include "cardfile.h"
#include "citationformats.h"
#include "citationkeys.h"
#include "exportrun.h"

#include <QCoreApplication>

namespace velmora::cards {

using namespace velmora::citation;

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

    ExportRun run(console);
    if (!run.open(cardPath, outPath))
        return Failure;
    const CardRecord deleted = CardRecord::deletedCard();
    const CardRecord fresh = CardRecord::newCard();
    CitationKeys keys;
    qint64 written = 0, deletedLeft = 0, freshLeft = 0;
    QByteArray &text = run.text();
    format->head(&text);
    const qint64 count = roundedCardCount(run.cards().length());
    for (qint64 n = 1; n <= count; ++n) {
        const std::optional<QByteArray> stored = run.stored(n);
        if (!stored)
            return Failure;
        const CardRecord card = CardRecord::fromBytes(*stored);
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
        run.flushWhenFull();
    }
    format->tail(written == 0, &text);
    if (!run.finish())
        return Failure;
    run.report() << (written == 1 ? QCoreApplication::translate("Export", "%1 book written to %2")
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
