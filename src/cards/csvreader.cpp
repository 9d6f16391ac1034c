// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "csvreader.h"

#include <QCoreApplication>

#include <QBuffer>
#include <QFileDevice>

#include <csv.h>

#include <cstdlib>

namespace velmora::cards {

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

struct ParseState
{
    const CsvReader::RecordHandler *handler;
    qint64 line = 0; // the line being fed to the parser
    CsvRecord record{0, {}};
    bool stopped = false;
    bool tooManyValues = false;
};

// The parser's only buffer holds the value being read: refusing to grow it past the
// longest value bounds what a file can make it take.
void *boundedRealloc(void *buffer, size_t size)
{
    if (size > size_t(CsvReader::MaxValueBytes) + 1024)
        return nullptr;
    return std::realloc(buffer, size);
}

void fieldEnded(void *data, size_t length, void *context)
{
    auto *state = static_cast<ParseState *>(context);
    if (state->stopped)
        return;
    if (state->record.fields.size() == CsvReader::MaxValues) {
        state->tooManyValues = true;
        state->stopped = true;
        return;
    }
    CsvField field{QByteArray(static_cast<const char *>(data), qsizetype(length)), 0};
    // The parser is fed one line at a time, so the field ends on the current line; a
    // quoted field that spans lines began as many lines earlier as it holds line feeds.
    field.line = state->line - field.bytes.count('\n');
    if (state->record.fields.isEmpty())
        state->record.line = field.line;
    state->record.fields << std::move(field);
}

void recordEnded(int, void *context)
{
    auto *state = static_cast<ParseState *>(context);
    if (state->stopped)
        return;
    if (state->record.fields.isEmpty())
        state->record.line = state->line;
    if (!(*state->handler)(state->record))
        state->stopped = true;
    state->record = CsvRecord{0, {}};
}

int noBlanks(unsigned char)
{
    return 0;
}

} // namespace

bool CsvReader::read(QByteArrayView text, const RecordHandler &handler)
{
    QByteArray bytes = text.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, handler);
}

bool CsvReader::read(QIODevice &input, const RecordHandler &handler)
{
    m_error.clear();
    m_errorLine = 0;

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        m_error = QCoreApplication::translate("CsvImport", "out of memory");
        return false;
    }
    csv_set_space_func(&parser, noBlanks);
    csv_set_realloc_func(&parser, boundedRealloc);

    ParseState state;
    state.handler = &handler;
    bool ok = true;
    bool atLineStart = true;
    QByteArray chunk;
    while (ok && !state.stopped) {
        chunk = input.read(ChunkBytes);
        if (chunk.isEmpty()) {
            if (const auto *file = qobject_cast<QFileDevice *>(&input);
                file && file->error() != QFileDevice::NoError) {
                m_error = file->errorString();
                m_errorLine = state.line;
                ok = false;
            }
            break;
        }
        // Fed a line, or what of a line the chunk holds, at a time, so that each value
        // knows its line.
        for (qsizetype start = 0; ok && !state.stopped && start < chunk.size();) {
            qsizetype end = chunk.indexOf('\n', start);
            end = end < 0 ? chunk.size() : end + 1;
            if (atLineStart)
                ++state.line;
            atLineStart = chunk.at(end - 1) == '\n';
            const QByteArrayView line = QByteArrayView(chunk).sliced(start, end - start);
            if (csv_parse(&parser, line.data(), size_t(line.size()), fieldEnded, recordEnded, &state) !=
                size_t(line.size())) {
                if (csv_error(&parser) == CSV_EPARSE)
                    m_error = QCoreApplication::translate(
                        "CsvImport", "misplaced quote: a quote inside an unquoted value, or text after a "
                                     "closing quote (write a quote inside a quoted value as two quotes)");
                else if (csv_error(&parser) == CSV_ENOMEM)
                    m_error = QCoreApplication::translate(
                                  "CsvImport", "a value longer than %1 bytes, more than any card holds")
                                  .arg(MaxValueBytes);
                else
                    m_error = QString::fromUtf8(csv_strerror(csv_error(&parser)));
                m_errorLine = state.line;
                ok = false;
            }
            start = end;
        }
    }
    if (ok && !state.stopped && csv_fini(&parser, fieldEnded, recordEnded, &state) != 0) {
        m_error =
            QCoreApplication::translate("CsvImport", "a quoted field is not closed at the end of the file");
        m_errorLine = state.line;
        ok = false;
    }
    if (ok && state.tooManyValues) {
        m_error = QCoreApplication::translate("CsvImport", "more than %1 values in a row").arg(MaxValues);
        m_errorLine = state.line;
        ok = false;
    }
    csv_free(&parser);
    return ok;
}

} // namespace velmora::cards
