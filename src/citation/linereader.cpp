// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linereader.h"

#include <QIODevice>

namespace velmora::citation {

LineReader::LineReader(QIODevice &input, qsizetype maxBytes) : m_input(input), m_maxBytes(maxBytes) {}

bool LineReader::next(QByteArray *line)
{
    // Not atEnd(): on a pipe it is true whenever the writer has not written yet, and standard
    // input is read only by what readLine() returns.
    if (m_tooLong)
        return false;
    // One buffer for every line: a line read into a new one would allocate the longest line
    // each time.
    if (m_buffer.size() < m_maxBytes + 2)
        m_buffer.resize(m_maxBytes + 2);
    const qint64 read = m_input.readLine(m_buffer.data(), m_buffer.size());
    if (read <= 0)
        return false;
    *line = QByteArray(m_buffer.constData(), read);
    ++m_line;
    if (line->endsWith('\n'))
        line->chop(line->endsWith("\r\n") ? 2 : 1);
    else if (line->size() > m_maxBytes)
        m_tooLong = true;
    if (m_line == 1 && line->startsWith("\xEF\xBB\xBF"))
        line->remove(0, 3);
    return !m_tooLong;
}

} // namespace velmora::citation
