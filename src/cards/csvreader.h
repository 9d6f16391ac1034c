// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;

namespace velmora::cards {

struct CsvField
{
    QByteArray bytes; // as written, quotes undone, not decoded
    qint64 line;      // where the field begins, counted from 1
};

struct CsvRecord
{
    qint64 line; // where the record begins
    QList<CsvField> fields;
};

// Reads comma-separated values with libcsv: fields in double quotes may hold commas,
// line breaks and doubled quotes. Unlike libcsv's default, blanks around a value are
// kept, since a card may begin with blanks on purpose. Blank lines are skipped. The text is
// read as a stream, and a value or a row longer than any card could hold stops it: a
// file of one endless value (/dev/zero) must not take all the memory there is.
class CsvReader
{
public:
    using RecordHandler = std::function<bool(const CsvRecord &)>;

    // Hands each record to `handler` in order, until it returns false. Returns false
    // when the text is not well-formed CSV; error() and errorLine() then say where.
    bool read(QIODevice &input, const RecordHandler &handler);
    bool read(QByteArrayView text, const RecordHandler &handler);

    // The longest value and the most values in a row that are read.
    static constexpr qsizetype MaxValueBytes = 64 * 1024;
    static constexpr qsizetype MaxValues = 64;

    const QString &error() const { return m_error; }
    qint64 errorLine() const { return m_errorLine; }

private:
    QString m_error;
    qint64 m_errorLine = 0;
};

} // namespace velmora::cards
