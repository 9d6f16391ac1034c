// velmora-cards export [--raw] FILIS CSV: a card file's cards into a spreadsheet.

#include "cardfile.h"
#include "command.h"
#include "cp1253.h"
#include "csvcolumns.h"
#include "csvwriter.h"
#include "outputfile.h"
#include "storedcards.h"

#include <algorithm>

namespace velmora::cards {

namespace {

constexpr qsizetype FlushAt = 1 << 20;

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

    QString error;
    StoredCards cards;
    if (!cards.open(cardPath, &error)) {
        console.err << error << Qt::endl;
        return Failure;
    }
    OutputFile out;
    if (const Result<void> opened = out.open(csvPath, OutputFile::Accept::AnyFile, identityOf(cardPath));
        !opened) {
        console.err << opened.error().reason << Qt::endl;
        return Failure;
    }

    QStringList header;
    for (Field f : AllFields)
        header << columnName(f);
    if (raw)
        header << BytesColumn;
    QByteArray text = csvRow(header);

    // Raw: every stored byte, a partial last record included. Otherwise the cards the
    // program counts, a partial record of 98 bytes or more blank-filled, as it reads it.
    const qint64 rows = raw ? cards.storedRecords() : roundedCardCount(cards.length());
    for (qint64 n = 1; n <= rows; ++n) {
        QByteArray stored;
        if (!cards.readStored(n, &stored, &error)) {
            console.err << error << "; nothing written" << Qt::endl;
            return Failure;
        }
        text += csvRow(raw ? rawValues(stored) : shownValues(CardRecord::fromBytes(stored)));
        if (text.size() >= FlushAt) {
            out.write(text);
            text.clear();
        }
    }
    out.write(text);
    if (const Result<void> written = out.commit(); !written) {
        console.err << written.error().reason << "; nothing written" << Qt::endl;
        return Failure;
    }
    QTextStream &report = out.isStandardOutput() ? console.err : console.out;
    report << rows << (raw ? " records" : " cards") << " written to " << csvPath << Qt::endl;
    return Success;
}

} // namespace

Command exportCommand()
{
    return Command{
        QStringLiteral("export"),
        QStringLiteral("export [--raw] FILIS CSV"),
        QStringLiteral("every card into UTF-8 CSV with the same header as import, values trimmed of blanks "
                       "as the program shows them; --raw writes every stored byte untrimmed, with a Bytes "
                       "column, and import gives back the identical file; CSV may be - for standard output"),
        {QStringLiteral("--raw")},
        2,
        runExport,
    };
}

} // namespace velmora::cards
