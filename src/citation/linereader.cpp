#include "linereader.h"

#include <QIODevice>

namespace velmora::cards {

LineReader::LineReader(QIODevice &input, qsizetype maxBytes) : m_input(input), m_maxBytes(maxBytes) {}

bool LineReader::next(QByteArray *line)
{
    if (m_tooLong || m_input.atEnd())
        return false;
    *line = m_input.readLine(m_maxBytes + 2);
    ++m_line;
    if (line->endsWith('\n'))
        line->chop(line->endsWith("\r\n") ? 2 : 1);
    else if (line->size() > m_maxBytes)
        m_tooLong = true;
    if (m_line == 1 && line->startsWith("\xEF\xBB\xBF"))
        line->remove(0, 3);
    return !m_tooLong;
}

} // namespace velmora::cards
