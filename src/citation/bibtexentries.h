// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linereader.h"
#include "reference.h"

#include <QByteArray>

class QIODevice;

namespace velmora::citation {

// One entry of a .bib file as written, from its "@" to its closing delimiter.
struct RawEntry
{
    qint64 line = 0;
    QByteArray type; // lower case
    QByteArray text;
    bool closed = false;
    int assignments = 0; // the "=" between the entry's own delimiters
};

// The entries of a .bib file, found by their delimiters, braces and quotes, for libbtparse
// to parse one at a time: its own reading of a file holds no bound on what an entry
// without end takes. Text between entries is a comment, as BibTeX has it. An entry whose
// braces do not pair ends where a line begins the next one, not closed.
class EntrySplitter
{
public:
    explicit EntrySplitter(QIODevice &input) : m_lines(input, MaxLineBytes) {}

    // False at the end, or when the input is refused (failure()).
    bool next(RawEntry *entry);

    const ReadOutcome &failure() const { return m_failure; }
    // Text outside entries and no entry at all: not a .bib file.
    bool nothingButText() const { return m_entries == 0 && m_sawText; }

private:
    LineReader m_lines;
    QByteArray m_line;
    qsizetype m_at = 0;
    ReadOutcome m_failure;
    qint64 m_entries = 0;
    bool m_sawText = false;
};

} // namespace velmora::citation
