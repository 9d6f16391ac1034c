// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bibtexentries.h"

#include <QCoreApplication>

#include <cstring>

namespace velmora::citation {

namespace {

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c & 0x80) ||
           (c != 0 && std::strchr("!$&*+-./:;<>?[]^_`|", c));
}

// "@type{" or "@type(" at the beginning of a line, blanks aside.
bool beginsEntry(const QByteArray &line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i == line.size() || line[i++] != '@')
        return false;
    const qsizetype name = i;
    while (i < line.size() && isNameChar(line[i]))
        ++i;
    if (i == name)
        return false;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i < line.size() && (line[i] == '{' || line[i] == '(');
}

} // namespace

bool EntrySplitter::next(RawEntry *entry)
{
    *entry = RawEntry();
    enum { Top, Head, Body } state = Top;
    bool named = false, quoted = false;
    int depth = 0;
    char close = 0;
    for (;;) {
        if (m_at >= m_line.size()) {
            if (state != Top)
                entry->text += '\n';
            if (!m_lines.next(&m_line)) {
                m_line.clear();
                if (m_lines.tooLong())
                    m_failure = {
                        QCoreApplication::translate("Citation", "a line of more than %1 bytes: it has no end")
                            .arg(MaxLineBytes),
                        m_lines.lineNumber()};
                return state == Body && m_failure.ok();
            }
            m_at = 0;
            // An entry whose braces do not pair ends where the next one begins.
            if (state == Body && beginsEntry(m_line))
                return true;
            if (state == Top && !m_line.trimmed().isEmpty() && !beginsEntry(m_line))
                m_sawText = true;
            continue;
        }
        if (state == Top) {
            m_at = m_line.indexOf('@', m_at);
            if (m_at < 0) {
                m_at = m_line.size();
                continue;
            }
            *entry = RawEntry();
            entry->line = m_lines.lineNumber();
            entry->text = "@";
            ++m_at;
            state = Head;
            named = false;
            continue;
        }
        if (state == Head) {
            const char c = m_line[m_at];
            if (isNameChar(c) && !named) {
                entry->type += c;
                ++m_at;
                continue;
            }
            if (c == ' ' || c == '\t') {
                named = !entry->type.isEmpty();
                ++m_at;
                continue;
            }
            if ((c == '{' || c == '(') && !entry->type.isEmpty()) {
                close = c == '{' ? '}' : ')';
                entry->type = entry->type.toLower();
                entry->text += entry->type + c;
                ++m_at;
                state = Body;
                ++m_entries;
                continue;
            }
            state = Top; // an "@" in a comment
            continue;
        }
        // The body: braces nest, a quoted value holds braces that pair, and the entry ends
        // at its closing delimiter outside both.
        const bool comment = entry->type == "comment";
        const qsizetype from = m_at;
        for (; m_at < m_line.size() && !entry->closed; ++m_at) {
            const char c = m_line[m_at];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (depth == 0 && close == '}')
                    entry->closed = true;
                else
                    depth = qMax(0, depth - 1);
            } else if (depth == 0 && !comment) {
                if (c == '"')
                    quoted = !quoted;
                else if (!quoted && c == ')' && close == ')')
                    entry->closed = true;
                else if (!quoted && c == '=')
                    ++entry->assignments;
            }
        }
        entry->text += QByteArrayView(m_line).sliced(from, m_at - from);
        if (entry->text.size() > MaxEntryBytes) {
            m_failure = {
                QCoreApplication::translate("Citation", "an entry of more than %1 bytes: it has no end")
                    .arg(MaxEntryBytes),
                entry->line};
            return false;
        }
        if (entry->closed)
            return true;
    }
}

} // namespace velmora::citation
