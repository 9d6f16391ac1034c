// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardimport.h"

#include "cardfile.h"
#include "cp1253.h"
#include "csvcolumns.h"
#include "csvreader.h"

#include <QCoreApplication>

#include <QIODevice>
#include <QStringDecoder>

#include <array>

namespace velmora::cards {

namespace {

QString describe(char32_t ch)
{
    return QStringLiteral("U+%1 '%2'")
        .arg(uint(ch), 4, 16, QLatin1Char('0'))
        .toUpper()
        .arg(QString::fromUcs4(&ch, 1));
}

// The value as it will be stored, with its first problem, if any. Characters outside the
// code page become the one replacement character each, whatever their size in UTF-16.
QString fieldValue(const QByteArray &bytes, int width, QString *problem)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError())
        *problem = QCoreApplication::translate("CsvImport", "not valid UTF-8");

    QString value;
    value.reserve(decoded.size());
    qsizetype characters = 0;
    for (char32_t ch : decoded.toUcs4()) {
        ++characters;
        if (ch <= 0xFFFF && cp1253::isEncodable(char16_t(ch))) {
            value += QChar(char16_t(ch));
            continue;
        }
        if (problem->isEmpty())
            *problem =
                QCoreApplication::translate("CsvImport", "character %1 at position %2 is not in Windows-1253")
                    .arg(describe(ch))
                    .arg(characters);
        value += QLatin1Char(cp1253::Replacement);
    }

    // Blanks past the width are what the field would be filled with anyway.
    qsizetype used = value.size();
    while (used > width && value.at(used - 1) == u' ')
        --used;
    if (used > width && problem->isEmpty())
        *problem =
            QCoreApplication::translate("CsvImport", "%1 characters, at most %2 fit").arg(used).arg(width);
    return value;
}

QStringView trimBlanksAtEnd(QStringView text)
{
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

} // namespace

ImportOutcome importCards(QIODevice &csv, const CardSink &sink)
{
    ImportOutcome outcome;
    if (csv.peek(3) == "\xEF\xBB\xBF")
        csv.skip(3);

    std::array<Field, FieldCount> columns{}; // the field of each CSV column
    int bytesColumn = -1;                    // the Bytes column, when there is one
    qsizetype columnCount = FieldCount;
    bool haveHeader = false;
    const auto fail = [&outcome](qint64 line, const QString &why) {
        outcome.failure = why;
        outcome.failureLine = line;
        return false;
    };

    const auto readHeader = [&](const CsvRecord &header) {
        haveHeader = true;
        const QString sixColumns =
            QCoreApplication::translate("CsvImport", "the header must name the six columns "
                                                     "Isbn,Author,Title,OtherName,Publication,PagesNotes "
                                                     "and, from a raw export, Bytes");
        QList<Field> seen;
        for (const CsvField &f : header.fields) {
            const QString name = QString::fromUtf8(f.bytes);
            if (bytesColumn < 0 && name.trimmed().compare(BytesColumn, Qt::CaseInsensitive) == 0) {
                bytesColumn = int(&f - header.fields.constData());
                continue;
            }
            const std::optional<Field> field = fieldNamed(name);
            if (!field)
                return fail(header.line,
                            QCoreApplication::translate("CsvImport", "unknown column \"%1\" in the header")
                                .arg(name));
            if (seen.contains(*field))
                return fail(header.line, QCoreApplication::translate(
                                             "CsvImport", "column \"%1\" named twice in the header")
                                             .arg(name));
            if (seen.size() == FieldCount)
                return fail(header.line, sixColumns);
            columns[seen.size()] = *field;
            seen << *field;
        }
        columnCount = FieldCount + (bytesColumn >= 0 ? 1 : 0);
        if (seen.size() != FieldCount)
            return fail(header.line, sixColumns);
        return true;
    };

    const auto readCard = [&](const CsvRecord &row) {
        if (row.fields.size() != columnCount)
            return fail(row.line,
                        QCoreApplication::translate("CsvImport", "%1 values where the header has %2")
                            .arg(row.fields.size())
                            .arg(columnCount));
        // Only the last record may be partial: one in the middle would shift every later card.
        if (outcome.lastCardBytes != RecordLength)
            return fail(row.line,
                        QCoreApplication::translate(
                            "CsvImport", "a record follows the partial record of %1 bytes before it; "
                                         "only the last record may be shorter than %2 bytes")
                            .arg(outcome.lastCardBytes)
                            .arg(RecordLength));
        int stored = RecordLength;
        if (bytesColumn >= 0) {
            bool number = false;
            const QByteArray &text = row.fields[bytesColumn].bytes;
            stored = text.toInt(&number);
            if (!number || stored < 1 || stored > RecordLength || text.trimmed() != text)
                return fail(row.line,
                            QCoreApplication::translate(
                                "CsvImport", "Bytes must be a whole number from 1 to %1, not \"%2\"")
                                .arg(RecordLength)
                                .arg(QString::fromUtf8(text)));
        }
        CardRecord card;
        for (int column = 0, next = 0; column < columnCount; ++column) {
            if (column == bytesColumn)
                continue;
            const Field field = columns[next++];
            QString problem;
            const QString value = fieldValue(row.fields[column].bytes, widthOf(field), &problem);
            // Past the end of a partial record nothing is stored; missing bytes read as
            // blanks, so only blanks may stand there.
            const FieldLayout l = layoutOf(field);
            const qsizetype room = qBound(0, stored - l.offset, l.width);
            if (problem.isEmpty() && trimBlanksAtEnd(value).size() > room)
                problem = QCoreApplication::translate("CsvImport",
                                                      "the record holds %1 bytes: the value ends past them")
                              .arg(stored);
            if (!problem.isEmpty())
                outcome.problems << ValueProblem{row.fields[column].line, column + 1, field, problem};
            card.setField(field, value);
        }
        if ((outcome.cardCount + 1) * RecordLength > MaxFileLength)
            return fail(row.line, QCoreApplication::translate(
                                      "CsvImport", "more cards than a card file of at most %1 bytes holds")
                                      .arg(MaxFileLength));
        ++outcome.cardCount;
        outcome.lastCardBytes = stored;
        sink(card, stored, row.line);
        return true;
    };

    CsvReader reader;
    const bool read = reader.read(
        csv, [&](const CsvRecord &record) { return haveHeader ? readCard(record) : readHeader(record); });
    if (!read)
        fail(reader.errorLine(), reader.error());
    else if (!haveHeader && outcome.failure.isEmpty())
        fail(1, QCoreApplication::translate("CsvImport", "no header row: the file is empty"));
    if (!outcome.failure.isEmpty()) {
        outcome.problems.clear();
        outcome.cardCount = 0;
        outcome.lastCardBytes = RecordLength;
    }
    return outcome;
}

} // namespace velmora::cards
