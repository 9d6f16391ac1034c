#include "csvreader.h"

#include <csv.h>

namespace velmora::cards {

namespace {

struct ParseState
{
    const CsvReader::RecordHandler *handler;
    qint64 line = 0; // the line being fed to the parser
    CsvRecord record{0, {}};
    bool stopped = false;
};

void fieldEnded(void *data, size_t length, void *context)
{
    auto *state = static_cast<ParseState *>(context);
    if (state->stopped)
        return;
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
    m_error.clear();
    m_errorLine = 0;

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        m_error = QStringLiteral("out of memory");
        return false;
    }
    csv_set_space_func(&parser, noBlanks);

    ParseState state;
    state.handler = &handler;
    bool ok = true;
    qsizetype start = 0;
    while (ok && !state.stopped && start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        ++state.line;
        const QByteArrayView line = text.sliced(start, end - start);
        if (csv_parse(&parser, line.data(), size_t(line.size()), fieldEnded, recordEnded, &state) !=
            size_t(line.size())) {
            m_error =
                csv_error(&parser) == CSV_EPARSE
                    ? QStringLiteral("misplaced quote: a quote inside an unquoted value, or text after a "
                                     "closing quote (write a quote inside a quoted value as two quotes)")
                    : QString::fromUtf8(csv_strerror(csv_error(&parser)));
            m_errorLine = state.line;
            ok = false;
        }
        start = end;
    }
    if (ok && !state.stopped && csv_fini(&parser, fieldEnded, recordEnded, &state) != 0) {
        m_error = QStringLiteral("a quoted field is not closed at the end of the file");
        m_errorLine = state.line;
        ok = false;
    }
    csv_free(&parser);
    return ok;
}

} // namespace velmora::cards
