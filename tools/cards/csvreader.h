#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

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
// kept, since a card may begin with blanks on purpose. Blank lines are skipped.
class CsvReader
{
public:
    using RecordHandler = std::function<bool(const CsvRecord &)>;

    // Hands each record to `handler` in order, until it returns false. Returns false
    // when the text is not well-formed CSV; error() and errorLine() then say where.
    bool read(QByteArrayView text, const RecordHandler &handler);

    const QString &error() const { return m_error; }
    qint64 errorLine() const { return m_errorLine; }

private:
    QString m_error;
    qint64 m_errorLine = 0;
};

} // namespace velmora::cards
