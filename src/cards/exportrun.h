// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "command.h"
#include "outputfile.h"
#include "storedcards.h"

#include <QByteArray>

namespace velmora::cards {

// What every export does around its records: the card file opened for reading, the output
// opened (never the card file itself), the text gathered in one buffer and written a
// megabyte at a time, the output committed, and each failure told with "nothing written".
// The buffer is kept at its size for the whole export: allocating a megabyte again after
// every write costs more than making the records.
class ExportRun
{
public:
    explicit ExportRun(Console &console);

    // False, the reason told, when either cannot be opened.
    bool open(const QString &cardPath, const QString &outPath);
    const StoredCards &cards() const { return m_cards; }
    QByteArray &text() { return m_text; }

    // The stored bytes of record `number`; nothing, the reason told, when they cannot be read.
    std::optional<QByteArray> stored(qint64 number);
    // Passes the text on once the buffer is full.
    void flushWhenFull();
    // The rest of the text, and the output committed; false, the reason told, when it fails.
    bool finish();
    // Where what was written is told: the standard error when the output is the standard output.
    QTextStream &report() { return m_out.isStandardOutput() ? m_console.err : m_console.out; }

private:
    bool nothingWritten(const velmora::Failure &why);

    Console &m_console;
    StoredCards m_cards;
    OutputFile m_out;
    QByteArray m_text;
};

} // namespace velmora::cards
