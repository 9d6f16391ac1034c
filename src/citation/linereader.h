// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QIODevice;

namespace velmora::citation {

// The lines of a text file, read as a stream and each at most `maxBytes` long, without their
// line ends (LF or CR LF) and without a byte order mark before the first.
class LineReader
{
public:
    LineReader(QIODevice &input, qsizetype maxBytes);

    // False at the end, and at a line too long, which then ends the reading.
    bool next(QByteArray *line);
    // Of the line last read, counted from 1.
    qint64 lineNumber() const { return m_line; }
    bool tooLong() const { return m_tooLong; }

private:
    QIODevice &m_input;
    qsizetype m_maxBytes;
    QByteArray m_buffer;
    qint64 m_line = 0;
    bool m_tooLong = false;
};

} // namespace velmora::citation
