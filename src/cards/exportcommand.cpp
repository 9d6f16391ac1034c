// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards export [--raw] FILIS CSV: a card file's cards into a spreadsheet, or with
// --format into a format of reference managers (citation/).

#include "cardfile.h"
#include "citationexport.h"
#include "command.h"
#include "cp1253.h"
#include "csvcolumns.h"
#include "csvwriter.h"
#include "exportrun.h"

#include <QCoreApplication>

#include <algorithm>

namespace velmora::cards {

namespace {

// The values of a stored record exactly as stored: every field at its full width, or what
// is left of it in a partial last record; control bytes as their pictures, which import
// writes back as the same bytes.
QStringList rawValues(const QByteArray &stored)
{
    QStringList values;
    for (Field f : AllFields) {
        const FieldLayout l = layoutOf(f);
        const qsizetype from = qMin<qsizetype>(l.offset, stored.size());
        const qsizetype size = std::clamp<qsizetype>(stored.size() - l.offset, 0, l.width);
        const QByteArrayView bytes = QByteArrayView(stored).sliced(from, size);
        values << legible(cp1253::decode(bytes));
    }
    values << QString::number(stored.size());
    return values;
}

QStringList shownValues(const CardRecord &card)
{
    QStringList values;
    for (Field f : AllFields)
        values << card.shown(f);
    return values;
}

int runExport(const CommandLine &line, Console &console)
{
    const QString &cardPath = line.arguments.at(0);
    const QString &csvPath = line.arguments.at(1);
    const bool raw = line.has(QStringLiteral("--raw"));
    const QString format = line.value(QStringLiteral("--format"), QStringLiteral("csv"));
    if (format != QLatin1String("csv")) {
        if (raw) {
            console.err << QCoreApplication::translate("Export", "export: --raw is for --format csv only")
                        << Qt::endl;
            return Usage;
        }
        return exportCitations(format, line, console);
    }

    ExportRun run(console);
    if (!run.open(cardPath, csvPath))
        return Failure;
    QStringList header;
    for (Field f : AllFields)
        header << columnName(f);
    if (raw)
        header << BytesColumn;
    run.text() += csvRow(header);

    // Raw: every stored byte, a partial last record included. Otherwise the cards the
    // program counts, a partial record of 98 bytes or more blank-filled, as it reads it.
    const qint64 rows = raw ? run.cards().storedRecords() : roundedCardCount(run.cards().length());
    for (qint64 n = 1; n <= rows; ++n) {
        const std::optional<QByteArray> stored = run.stored(n);
        if (!stored)
            return Failure;
        run.text() += csvRow(raw ? rawValues(*stored) : shownValues(CardRecord::fromBytes(*stored)));
        run.flushWhenFull();
    }
    if (!run.finish())
        return Failure;
    run.report() << (raw ? QCoreApplication::translate("Export", "%1 records written to %2")
                         : QCoreApplication::translate("CardTool", "%1 cards written to %2"))
                        .arg(QString::number(rows), csvPath)
                 << Qt::endl;
    return Success;
}

} // namespace

Command exportCommand()
{
    return Command{
        QStringLiteral("export"),
        QStringLiteral("export [--raw] FILIS CSV\n  export --format FORMAT [--all] FILIS OUT"),
        QT_TRANSLATE_NOOP(
            "CardTool", "every card into UTF-8 CSV (FORMAT csv, the default) with the same header as import, "
                        "values trimmed of blanks as the program shows them; --raw writes every stored byte "
                        "untrimmed, with a Bytes column, and import gives back the identical file.\n"
                        "      FORMAT ris, bibtex (classic BibTeX), biblatex or csl-json: every card a book "
                        "for reference "
                        "managers and LaTeX, author, publisher, place, year, volumes and pages taken apart "
                        "where the card follows the bibliography's patterns, the rest kept as a note; "
                        "deleted cards and new ones holding only \"960-\" are left out and counted on the "
                        "standard error, --all keeps them. OUT may be - for standard output"),
        {QStringLiteral("--raw"), QStringLiteral("--format="), QStringLiteral("--all")},
        2,
        runExport,
    };
}

} // namespace velmora::cards
